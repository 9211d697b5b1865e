#include "ui/SettingsLoad.h"

#include "ui/SettingsTransfer.h"

#include "desktop/LocalText.h"
#include "platform/DirReader.h"
#include "platform/Errors.h"

#include <QFile>

namespace {

// Moves a file that could not be used to "<file>.damaged"; the new name, or "" when it could
// not be moved.
QString keepDamagedFile(const QString& file)
{
    const QString kept = file + QStringLiteral(".damaged");
    QFile::remove(kept);
    return QFile::rename(file, kept) ? kept : QString();
}

} // namespace

std::optional<TGeneratorSettings> loadSettingsFile(const std::string& path, const QString& keptText)
{
    if (!platform::fileExists(path))
        return std::nullopt;
    std::string problem;
    try {
        const TGeneratorSettings loaded = readSettingsFile(path); // its errors name the file
        try {
            checkColumnIds(loaded);
            return loaded;
        } catch (const platform::TunesheetError& e) {
            problem = path + ": " + e.what();
        }
    } catch (const platform::TunesheetError& e) {
        problem = e.what();
    }
    const QString kept = keepDamagedFile(fromLocalBytes(path));
    if (!kept.isEmpty())
        problem += '\r' + toLocalBytes(keptText.arg(kept));
    throw platform::TunesheetError(problem);
}
