#pragma once
// Loading the ".settings" file, which may have been damaged or edited by hand. A file that
// cannot be read at all is moved out of the way, so that the next save writes a new one and
// what the user had stays. In a file that can be read, each field the form cannot show (a list
// entry beyond its list, a column that does not exist, a colour that is none) takes its
// default and the rest is kept; the user is told which fields, and the file as it was is kept
// too. Kept files are numbered ("<file>.damaged.1", ".2", ...), never written over.
#include "generator/GeneratorSettings.h"
#include "generator/PageOptions.h"
#include "i18n/HeldTexts.h"

#include <QStringList>

#include <optional>
#include <string>
#include <utility>

namespace Ui {
class TfrmMain;
}

// The record in the file at `path`, repaired where it has to be; none when there is no such
// file or it cannot be read. Each trouble is told in a message box in the words of `texts`;
// the fields are named as `form` labels them.
std::optional<TGeneratorSettings> loadSettingsFile(const std::string& path, const Ui::TfrmMain& form,
                                                   const HeldTexts& texts);

// Sets each field of `settings` the form cannot show to its value in `defaults`; returns the
// names of the labels of `form` of those fields, in the form's order.
QStringList repairSettings(TGeneratorSettings& settings, const TGeneratorSettings& defaults, const Ui::TfrmMain& form);

// The first of "<file>.damaged.1", ".2", ... that does not exist yet.
QString nextDamagedName(const QString& file);

// The record in the settings file at `path`, as loadSettingsFile reads it, and the options file
// beside it (none: the defaults); none when there is no settings file or it cannot be read. The
// values the options file holds that cannot be used are told in a warning, a line each
// (MsgBadOption). Raises the input/output error of an options file that cannot be read.
using SettingsFiles = std::pair<TGeneratorSettings, PageOptions>;
std::optional<SettingsFiles> loadSettingsFiles(const std::string& path, const Ui::TfrmMain& form, const HeldTexts& texts);

// The record to the settings file, then the options to the file beside it.
void saveSettingsFiles(const std::string& settingsPath, const TGeneratorSettings& settings, const PageOptions& options);
