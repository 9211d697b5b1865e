#include "i18n/LanguageMarker.h"

#include "desktop/LocalText.h"
#include "i18n/LanguageChoice.h"

#include <QFile>

LanguageMarker::LanguageMarker(const QString& markerFile, const QString& library) : file_(markerFile)
{
    if (file_.isEmpty())
        return;
    QFile marker(file_);
    if (marker.open(QIODevice::WriteOnly | QIODevice::Truncate))
        marker.write(QByteArray::fromStdString(toLocalBytes(library) + "\r\n"));
}

LanguageMarker::~LanguageMarker()
{
    if (!file_.isEmpty())
        QFile::remove(file_);
}

QString takeUnfinishedLanguage(const QString& markerFile)
{
    if (markerFile.isEmpty() || !QFile::exists(markerFile))
        return QString();
    const QString library = readLanguageChoice(markerFile);
    QFile::remove(markerFile);
    return library;
}
