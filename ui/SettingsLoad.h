#pragma once
// Loading the ".settings" file, which may have been damaged or edited by hand: it is read and
// checked whole before anything changes, and a file that cannot be used is moved out of the
// way, so that the next save writes a new one and what the user had stays.
#include "generator/GeneratorSettings.h"
#include "generator/PageOptions.h"
#include "i18n/HeldTexts.h"

#include <QString>

class QWidget;

#include <optional>
#include <string>
#include <utility>

// The record in the file at `path`; none when there is no such file. A file that cannot be
// read, or names a column that does not exist, goes to "<path>.damaged" (replacing an older
// one) and the error raised names the file, followed, on a line of its own, by `keptText`
// with %1 the new name (when the file could be moved).
std::optional<TGeneratorSettings> loadSettingsFile(const std::string& path, const QString& keptText);

// The record in the settings file at `path`, as loadSettingsFile reads it (with the texts'
// MsgSettingsKept), and the options file beside it (none: the defaults); none when there is no
// settings file. The values the options file holds that cannot be used are told in a warning
// over `parent`, a line each (MsgBadOption). Raises the input/output error of a file that
// cannot be read.
using SettingsFiles = std::pair<TGeneratorSettings, PageOptions>;
std::optional<SettingsFiles> loadSettingsFiles(const std::string& path, const HeldTexts& texts, QWidget* parent);

// The record to the settings file, then the options to the file beside it.
void saveSettingsFiles(const std::string& settingsPath, const TGeneratorSettings& settings, const PageOptions& options);
