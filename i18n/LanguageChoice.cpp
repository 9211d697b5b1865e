#include "i18n/LanguageChoice.h"

#include "platform/AtomicFile.h"
#include "platform/DirReader.h"
#include "platform/Path.h"

#include <QFile>

namespace {

std::string local(const QString& s)
{
    return s.toLocal8Bit().toStdString();
}

} // namespace

QString languageChoiceFile()
{
    return QString::fromLocal8Bit(platform::besideExecutable(".language").c_str());
}

QString executableFolder()
{
    return QString::fromLocal8Bit(platform::extractFilePath(platform::executablePath()).c_str());
}

QString readLanguageChoice(const QString& file)
{
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly))
        return QString();
    // Line 1 ends at the first carriage return or line feed; nothing is trimmed. A file name
    // is far shorter than what is read here.
    QByteArray first = in.read(64 * 1024);
    qsizetype end = 0;
    while (end < first.size() && first[end] != '\r' && first[end] != '\n')
        ++end;
    first.truncate(end);
    return QString::fromLocal8Bit(first);
}

QString recordedLanguageLibrary(const QString& file, const QString& folder)
{
    const QString line = readLanguageChoice(file);
    if (line.isEmpty() || !platform::fileExists(local(folder + line)))
        return QString();
    return line;
}

void saveLanguageChoice(const QString& library, const QString& file)
{
    if (library.isEmpty())
        return;
    const QByteArray line = library.toLocal8Bit() + "\r\n";
    platform::AtomicFile out(local(file));
    out.write(line.constData(), static_cast<std::size_t>(line.size()));
    out.commit();
}
