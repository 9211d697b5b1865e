#include "i18n/LanguageChoice.h"

#include "desktop/LocalText.h"
#include "lang/LanguageAbi.h"
#include "platform/AtomicFile.h"
#include "platform/DirReader.h"
#include "platform/Path.h"
#include "platform/VersionInfo.h"

#include <QFile>

QString languageChoiceFile()
{
    return fromLocalBytes(platform::besideExecutable(".language"));
}

QString executableFolder()
{
    return fromLocalBytes(platform::extractFilePath(platform::executablePath()));
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
    return fromLocalBytes(first.toStdString());
}

namespace {

// A bare file name: nothing that leads out of the folder it is looked for in.
bool isFileNameAlone(const QString& name)
{
    return !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\')) &&
           !name.contains(QStringLiteral("..")) && !platform::isAbsolutePath(toLocalBytes(name));
}

} // namespace

QString recordedLanguageLibrary(const QString& file, const QString& folder, QString* refused)
{
    const QString line = readLanguageChoice(file);
    if (line.isEmpty())
        return QString();
    if (!isFileNameAlone(line) || !platform::fileExists(toLocalBytes(folder + line))) {
        if (refused)
            *refused = line;
        return QString();
    }
    return line;
}

bool isLanguageLibrary(const std::string& path)
{
    return platform::GetVersionString(path) == TUNESHEET_LANGUAGE_INTERFACE_VERSION;
}

void saveLanguageChoice(const QString& library, const QString& file)
{
    if (library.isEmpty())
        return;
    const std::string line = toLocalBytes(library) + "\r\n";
    platform::AtomicFile out(toLocalBytes(file));
    out.write(line.data(), line.size());
    out.commit();
}
