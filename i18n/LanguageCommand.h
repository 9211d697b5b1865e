#pragma once
// The main window's "Language" command: lists the language libraries beside the executable in
// the language dialog and records a new choice, which takes effect at the next start.
#include "i18n/KRV_DirScanner.h"
#include "i18n/LanguageSession.h"

#include <QString>

class QComboBox;
class QWidget;

// Adds to `cbLanguage` the file name of every entry of `List` whose name ends in ".dll" in any
// letter case and that declares the language-library interface version, in the order of the list.
void dsMainGetFileList(QComboBox* cbLanguage, const TFileDirInfoArray& List);

// Runs the command for the main window `form`: scans `folder` with the form's scanner dsMain
// (made on first use), shows the dialog with the current captions (the title is acLanguage's
// caption) and the library in use, or english.dll, preselected. A library other than the
// session's (compared in any letter case) shows MsgRestart, becomes the session's library and
// closes `form`, whose close records it. Cancel, or the same library, changes nothing.
void runLanguageCommand(QWidget* form, LanguageSession& language, const QString& folder = executableFolder());
