#include "ui/SettingsLoad.h"

#include "ui/SettingsTransfer.h"

#include "desktop/DesktopServices.h"
#include "desktop/LocalText.h"
#include "platform/DirReader.h"
#include "platform/Errors.h"

#include <QFile>
#include <QStringList>

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

std::optional<SettingsFiles> loadSettingsFiles(const std::string& path, const HeldTexts& texts, QWidget* parent)
{
    const auto record = loadSettingsFile(path, texts.MsgSettingsKept);
    if (!record)
        return std::nullopt;
    const std::string optionsPath = optionsFileOf(path);
    std::vector<BadOption> bad;
    PageOptions options = readOptionsFile(optionsPath, bad);
    QStringList problems;
    for (const BadOption& b : bad)
        problems << texts.MsgBadOption.arg(fromLocalBytes(optionsPath))
                        .arg(b.line)
                        .arg(QString::fromUtf8(b.key + "=" + b.value));
    if (!problems.isEmpty())
        DesktopServices::instance().message(parent, QMessageBox::Warning, problems.join(QLatin1Char('\r')));
    return std::make_pair(*record, std::move(options));
}

void saveSettingsFiles(const std::string& settingsPath, const TGeneratorSettings& settings, const PageOptions& options)
{
    writeSettingsFile(settingsPath, settings);
    writeOptionsFile(optionsFileOf(settingsPath), options);
}
