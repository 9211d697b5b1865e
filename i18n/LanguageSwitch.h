#pragma once
// Re-labelling the main window from a language library, and the ".language" file that keeps
// the user's choice between runs.
#include "i18n/HeldTexts.h"
#include "i18n/LanguageTable.h"

#include <QString>

class QObject;
class QWidget;

// Loads the language library `libraryFileName` (a bare name is looked for beside the
// executable), puts each of its 113 texts on the target that the language table names below
// `form`, and into `texts`, then unloads the library again, also when an assignment throws.
// The drop-down lists keep their selections; the entries of lbSelected are re-labelled by the
// column they stand for, so that the column mapping by text stays right. A file that is
// missing, not a loadable library, or lacks GetMyStr gives the message "Language not found"
// and changes nothing; the result is then false.
bool ChangeLanguage(QWidget* form, HeldTexts& texts, const QString& libraryFileName);

// The text a target shows now (what ChangeLanguage would replace).
QString languageTargetText(QObject* form, const HeldTexts& texts, const LanguageTarget& target);
// Puts `text` on a target; raises when `form` has no such object or list item.
void setLanguageTargetText(QObject* form, HeldTexts& texts, const LanguageTarget& target, const QString& text);

// The ".language" file beside the executable.
QString languageChoiceFile();
// The folder of the executable, with a trailing delimiter.
QString executableFolder();

// Line 1 of the choice file exactly as written (only the line end dropped); empty when the
// file does not exist or has no lines.
QString readLanguageChoice(const QString& file = languageChoiceFile());
// The start-up rule: line 1 of the choice file when it is not empty and names a file in
// `folder`; otherwise empty (the English texts stand).
QString recordedLanguageLibrary(const QString& file = languageChoiceFile(), const QString& folder = executableFolder());
// The closing step: writes `library` as the only line of the choice file (CR LF ended),
// replacing what was there. An empty `library` writes nothing and leaves any file as it is.
// Raises FileCreateError when the file cannot be written.
void saveLanguageChoice(const QString& library, const QString& file = languageChoiceFile());

// The language step of the main window's start: sets `LanguageLibrary` from the choice file
// `file` and, when it names a library beside the executable, applies it.
void applyRecordedLanguage(QWidget* form, HeldTexts& texts, QString& LanguageLibrary,
                           const QString& file = languageChoiceFile());

// The hidden double-click on the items-order page: says that it tries slovak.dll, makes it
// the language in use and applies it at once.
void switchToSlovak(QWidget* form, HeldTexts& texts, QString& LanguageLibrary);
