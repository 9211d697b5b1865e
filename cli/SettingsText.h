#pragma once
// The settings record in words, one field a line, for --print-settings.
#include "generator/GeneratorSettings.h"
#include "generator/PageOptions.h"

#include <string>

std::string describeSettings(const TGeneratorSettings& settings, const PageOptions& options);
