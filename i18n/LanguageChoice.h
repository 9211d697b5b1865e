#pragma once
// The ".language" file beside the executable, which keeps the user's choice of language library
// between runs: line 1 is the library's file name.
#include <QString>

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
