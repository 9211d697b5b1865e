#pragma once
// Qt's own texts (standard buttons, the file and colour dialogs, edit menus) in the language
// that a language library names in its version information.
#include <QString>

#include <cstdint>
#include <memory>

class QTranslator;

// The name Qt's translations use for a Windows language identifier ("sk" for 0x041B, "pt_BR"
// for 0x0416); empty for English, which Qt speaks by itself, and for languages Qt has no
// translation of.
QString qtLanguageName(std::uint16_t languageId);

// Qt's translation for `language` ("sk") from Qt's translations folder, ready to install; null
// when there is none.
std::unique_ptr<QTranslator> qtTranslation(const QString& language);
