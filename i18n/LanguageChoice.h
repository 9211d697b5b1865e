#pragma once
// The ".language" file beside the executable, which keeps the user's choice of language library
// between runs: line 1 is the library's file name.
#include <QString>

#include <string>

// The ".language" file beside the executable.
QString languageChoiceFile();
// The folder of the executable, with a trailing delimiter.
QString executableFolder();

// Line 1 of the choice file exactly as written (only the line end dropped); empty when the
// file does not exist or has no lines.
QString readLanguageChoice(const QString& file = languageChoiceFile());
// The start-up rule: line 1 of the choice file when it names, by its file name alone, a file
// in `folder`; otherwise empty (the English texts stand). `refused` is set to a name given
// that is not used: a file that is not there, or a name holding "/", "\" or "..", or a full path.
QString recordedLanguageLibrary(const QString& file = languageChoiceFile(), const QString& folder = executableFolder(),
                                QString* refused = nullptr);

// Whether `path` is a language library of this program's interface, as its fixed product
// version declares (TUNESHEET_LANGUAGE_INTERFACE_VERSION), whatever the program's own version.
bool isLanguageLibrary(const std::string& path);
// The closing step: writes `library` as the only line of the choice file (CR LF ended),
// replacing what was there. An empty `library` writes nothing and leaves any file as it is.
// Raises FileCreateError when the file cannot be written.
void saveLanguageChoice(const QString& library, const QString& file = languageChoiceFile());
