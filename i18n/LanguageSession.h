#pragma once
// The language the main window speaks: the library in use, the texts that live in no control,
// and Qt's own texts. It is the one place where a language library is loaded and asked for its
// texts; the library stays bound only for as long as that takes.
#include "i18n/HeldTexts.h"
#include "i18n/LanguageChoice.h"

#include <QString>

#include <memory>

class QTranslator;
class QWidget;

class LanguageSession {
public:
    LanguageSession();
    ~LanguageSession();
    LanguageSession(const LanguageSession&) = delete;
    LanguageSession& operator=(const LanguageSession&) = delete;

    // File name of the language library in use ("slovak.dll"); empty for the built-in English.
    QString LanguageLibrary;
    // The messages and captions that live in no control, English until a library replaces them.
    HeldTexts Texts;

    // Loads LanguageLibrary (a bare name is looked for beside the executable), puts each of its
    // texts on the target that the language table names below `form` or into Texts, and lets
    // Qt's own texts follow the library's language. A library must export GetMyStr and declare
    // the language-library interface version. A text after the original 113 that the
    // library does not have ("<language error>") stays English. The drop-down lists keep their
    // selections; the entries of lbSelected are re-labelled by the column they stand for, so
    // that the column mapping by text stays right. A file that is missing, not a loadable
    // library, or not such a library gives the message "Language not found" and changes nothing;
    // the result is then false. The marker file names the library while it is bound.
    bool ChangeLanguage(QWidget* form);

    // The marker file that names a library while the program is inside it (LanguageMarker);
    // none until one is set.
    void setMarkerFile(const QString& file) { markerFile_ = file; }

    // The language step of the start: LanguageLibrary from the choice file and, when that names
    // a library beside the executable by its file name alone, the library applied. A name that
    // is not such a library's is told once: the choice file goes. When the marker file says
    // that the last run ended inside a library, the user is told which, and that library is
    // neither applied nor kept in the choice file.
    void applyRecorded(QWidget* form, const QString& choiceFile = languageChoiceFile());
    // The language step of the close: LanguageLibrary recorded in the choice file (nothing is
    // written while it is empty).
    void saveChoice(const QString& choiceFile = languageChoiceFile()) const;
    // The hidden double-click on the items-order page: says that it tries slovak.dll, makes it
    // the language in use and applies it at once.
    void switchToSlovak(QWidget* form);

    // The Windows code page the library in use writes its texts in (1250 for slovak.dll); 0 for
    // the built-in English.
    unsigned codePage() const { return codePage_; }

    // The language Qt's own texts are in ("sk"); empty while Qt speaks English.
    QString qtLanguage() const { return qtLanguage_; }
    // The language tag of the library in use ("sk", "pt-BR"), "en" for the built-in English.
    QString pageLanguage() const { return pageLanguage_; }

private:
    void followWithQt(const QString& language);

    QString markerFile_;
    std::unique_ptr<QTranslator> qtTranslator_;
    QString qtLanguage_;
    QString pageLanguage_ = QStringLiteral("en");
    unsigned codePage_ = 0;
};
