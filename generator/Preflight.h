#pragma once
// The checks a generation must pass before it may start.
#include "generator/GeneratorSettings.h"
#include "generator/PageOptions.h"

#include <string>

enum class PreflightResult { Ready, NoColumns, NoInputDir };

// No column selected (the list of columns the page would use is empty; an export needs none)
// comes first; then the input directory, with one trailing delimiter removed, must exist.
PreflightResult checkBeforeGenerate(const TGeneratorSettings& settings, const PageOptions& options);

// The English texts of the two refusals (their line break is a lone carriage return).
extern const char* const MsgNoColumnsText;
extern const char* const MsgNoInputDirText;
