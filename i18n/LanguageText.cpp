#include "i18n/LanguageText.h"

#include <QStringDecoder>

QByteArray languageCodePage(const platform::VersionInfo& info)
{
    if (info.hasTranslation) {
        QByteArray name = info.codePage == 65001 ? QByteArray("UTF-8") : "windows-" + QByteArray::number(info.codePage);
        if (QStringDecoder(name.constData()).isValid())
            return name;
    }
    return "windows-1252";
}

QString decodeLanguageText(const unsigned char* answer, const QByteArray& codePage)
{
    QStringDecoder decode(codePage.constData());
    return decode(QByteArrayView(reinterpret_cast<const char*>(answer + 1), answer[0]));
}
