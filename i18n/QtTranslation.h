#pragma once
// Qt's own texts (standard buttons, the file and colour dialogs, edit menus) in the language
// that a language library names in its version information.
#include <QString>

#include <cstdint>
#include <memory>

class QTranslator;

// Qt's texts that Qt's own translations lack in some languages (Slovak among them); a language
// library gives them.
struct QtTexts {
    QString Folder = QStringLiteral("Folder");                        // a folder's type in the file dialog
    QString PickScreenColor = QStringLiteral("&Pick Screen Color");   // the colour dialog's button
};

// The name Qt's translations use for a Windows language identifier ("sk" for 0x041B, "pt_BR"
// for 0x0416); empty for English, which Qt speaks by itself, and for languages Qt has no
// translation of.
QString qtLanguageName(std::uint16_t languageId);

// Qt's translation for `language` ("sk") from Qt's translations folder, ready to install; null
// when there is none. What it lacks of `own` comes from there (read at each look-up, so that it
// follows the texts as they change).
std::unique_ptr<QTranslator> qtTranslation(const QString& language, const QtTexts* own = nullptr);
