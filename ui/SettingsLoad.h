#pragma once
// Loading the ".settings" file, which may have been damaged or edited by hand: it is read and
// checked whole before anything changes, and a file that cannot be used is moved out of the
// way, so that the next save writes a new one and what the user had stays.
#include "generator/GeneratorSettings.h"

#include <QString>

#include <optional>
#include <string>

// The record in the file at `path`; none when there is no such file. A file that cannot be
// read, or names a column that does not exist, goes to "<path>.damaged" (replacing an older
// one) and the error raised names the file, followed, on a line of its own, by `keptText`
// with %1 the new name (when the file could be moved).
std::optional<TGeneratorSettings> loadSettingsFile(const std::string& path, const QString& keptText);
