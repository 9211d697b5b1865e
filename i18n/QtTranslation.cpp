#include "i18n/QtTranslation.h"

#include <QLibraryInfo>
#include <QTranslator>

namespace {

struct LanguageName {
    std::uint16_t id; // a whole language identifier, or a primary language (the low 10 bits)
    const char* name;
};

// Whole identifiers first: where a primary language covers several of Qt's translations.
constexpr LanguageName wholeIds[] = {
    {0x0404, "zh_TW"}, {0x0804, "zh_CN"}, {0x0416, "pt_BR"}, {0x0816, "pt_PT"},
    {0x041A, "hr"},    {0x081A, "sr"},    {0x0C1A, "sr"},    {0x0414, "nb"},    {0x0814, "nn"},
};

constexpr LanguageName primaryLanguages[] = {
    {0x01, "ar"}, {0x02, "bg"}, {0x03, "ca"}, {0x04, "zh_CN"}, {0x05, "cs"}, {0x06, "da"}, {0x07, "de"},
    {0x08, "el"}, {0x0A, "es"}, {0x0B, "fi"}, {0x0C, "fr"},    {0x0D, "he"}, {0x0E, "hu"}, {0x0F, "is"},
    {0x10, "it"}, {0x11, "ja"}, {0x12, "ko"}, {0x13, "nl"},    {0x15, "pl"}, {0x16, "pt"}, {0x18, "ro"},
    {0x19, "ru"}, {0x1B, "sk"}, {0x1D, "sv"}, {0x1F, "tr"},    {0x22, "uk"}, {0x24, "sl"}, {0x25, "et"},
    {0x26, "lv"}, {0x27, "lt"}, {0x29, "fa"}, {0x91, "gd"},
};

constexpr std::uint16_t PrimaryEnglish = 0x09;

// Some of Qt's translations (Slovak among them) are older than a few of the texts Qt asks for
// now; they still have them as Qt used to ask: the standard buttons under QDialogButtonBox, the
// file system's top as "My Computer".
// Two texts no older translation has come from the language library.
class QtTranslator : public QTranslator {
public:
    explicit QtTranslator(const QtTexts* own) : own_(own) {}

    QString translate(const char* context, const char* sourceText, const char* disambiguation, int n) const override
    {
        QString text = QTranslator::translate(context, sourceText, disambiguation, n);
        if (!text.isEmpty())
            return text;
        if (qstrcmp(context, "QPlatformTheme") == 0)
            return QTranslator::translate("QDialogButtonBox", sourceText, disambiguation, n);
        if (qstrcmp(context, "QFileSystemModel") == 0 && qstrcmp(sourceText, "Computer") == 0)
            return QTranslator::translate(context, "My Computer", disambiguation, n);
        if (own_ && qstrcmp(sourceText, "Folder") == 0)
            return own_->Folder;
        if (own_ && qstrcmp(context, "QColorDialog") == 0 && qstrcmp(sourceText, "&Pick Screen Color") == 0)
            return own_->PickScreenColor;
        return text;
    }

private:
    const QtTexts* own_;
};

} // namespace

QString qtLanguageName(std::uint16_t languageId)
{
    const std::uint16_t primary = languageId & 0x3FF;
    if (primary == PrimaryEnglish)
        return QString();
    for (const LanguageName& l : wholeIds)
        if (l.id == languageId)
            return QLatin1String(l.name);
    for (const LanguageName& l : primaryLanguages)
        if (l.id == primary)
            return QLatin1String(l.name);
    return QString();
}

std::unique_ptr<QTranslator> qtTranslation(const QString& language, const QtTexts* own)
{
    auto translator = std::make_unique<QtTranslator>(own);
    // "qtbase_pt_BR" falls back to "qtbase_pt" by itself.
    if (language.isEmpty() ||
        !translator->load(QStringLiteral("qtbase_") + language, QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return nullptr;
    return translator;
}
