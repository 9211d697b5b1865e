#include "ui/SettingsLoad.h"

#include "ui/ErrorBox.h"
#include "ui/PathText.h"
#include "ui/SettingsTransfer.h"
#include "ui_unMain.h"

#include "desktop/DesktopServices.h"
#include "desktop/LocalText.h"
#include "platform/DirReader.h"
#include "platform/Errors.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringList>

#include <algorithm>
#include <iterator>

namespace {

// The one-byte drop-down indices and how many entries each list has.
struct ListField {
    std::uint8_t TGeneratorSettings::*field;
    int entries;
    QLabel* Ui::TfrmMain::*label;
};

const ListField listFields[] = {
    {&TGeneratorSettings::TagPriority, 2, &Ui::TfrmMain::Label14},
    {&TGeneratorSettings::AfterGenerate, 3, &Ui::TfrmMain::Label13},
    {&TGeneratorSettings::FileSizeUnit, 3, &Ui::TfrmMain::Label1},
    {&TGeneratorSettings::FileNameMode, 2, &Ui::TfrmMain::Label2},
};

struct ColourField {
    Colour TGeneratorSettings::*field;
    QLabel* Ui::TfrmMain::*label;
};

// In the order of the colours page.
const ColourField colourFields[] = {
    {&TGeneratorSettings::PageBackColor, &Ui::TfrmMain::Label4},
    {&TGeneratorSettings::PageTextColor, &Ui::TfrmMain::Label5},
    {&TGeneratorSettings::DirNameColor, &Ui::TfrmMain::Label8},
    {&TGeneratorSettings::CellBackColor, &Ui::TfrmMain::Label6},
    {&TGeneratorSettings::HeaderBackColor, &Ui::TfrmMain::Label7},
    {&TGeneratorSettings::ActiveLinkColor, &Ui::TfrmMain::Label9},
    {&TGeneratorSettings::HoverLinkColor, &Ui::TfrmMain::Label10},
};

constexpr std::uint8_t AllLinks = alArtist | alTitle | alFileName;

// A label's text as a field's name: no access key, no colon.
QString fieldName(const QLabel* label)
{
    QString name = label->text();
    name.remove(QRegularExpression(QStringLiteral("&(?!&)")));
    while (name.endsWith(QLatin1Char(':')) || name.endsWith(QLatin1Char(' ')))
        name.chop(1);
    return name;
}

// Moves (or copies) `file` to the next numbered name; that name, or "" when it could not.
QString keepAside(const QString& file, bool copy)
{
    const QString kept = nextDamagedName(file);
    const bool done = copy ? QFile::copy(file, kept) : QFile::rename(file, kept);
    return done ? kept : QString();
}

} // namespace

QString nextDamagedName(const QString& file)
{
    for (int n = 1;; ++n) {
        const QString name = QStringLiteral("%1.damaged.%2").arg(file).arg(n);
        if (!QFile::exists(name))
            return name;
    }
}

QStringList repairSettings(TGeneratorSettings& s, const TGeneratorSettings& defaults, const Ui::TfrmMain& form)
{
    QStringList repaired;
    for (const ListField& f : listFields) {
        if (s.*f.field >= f.entries) {
            s.*f.field = defaults.*f.field;
            repaired << fieldName(form.*f.label);
        }
    }
    if (s.ActiveLinks & ~AllLinks) {
        s.ActiveLinks = defaults.ActiveLinks;
        repaired << fieldName(form.Label3);
    }
    for (const ColourField& f : colourFields) {
        if ((s.*f.field).bytes[3] != 0) {
            s.*f.field = defaults.*f.field;
            repaired << fieldName(form.*f.label);
        }
    }
    if (unknownColumnSlot(s) >= 0) {
        std::copy(std::begin(defaults.SelectedItems), std::end(defaults.SelectedItems), std::begin(s.SelectedItems));
        std::copy(std::begin(defaults.SelectedNames), std::end(defaults.SelectedNames), std::begin(s.SelectedNames));
        repaired << fieldName(form.Label12);
    }
    return repaired;
}

std::optional<TGeneratorSettings> loadSettingsFile(const std::string& path, const Ui::TfrmMain& form,
                                                   const HeldTexts& texts)
{
    if (!platform::fileExists(path))
        return std::nullopt;
    DesktopServices& desktop = DesktopServices::instance();
    QWidget* window = form.centralwidget->window();
    const QString file = fromLocalBytes(path);
    TGeneratorSettings loaded;
    try {
        loaded = readSettingsFile(path); // its errors name the file
    } catch (const platform::TunesheetError& e) {
        QString message = errorMessage(e, texts.Errors);
        const QString kept = keepAside(file, false);
        if (!kept.isEmpty())
            message += QLatin1Char('\r') + texts.MsgSettingsKept.arg(pathForDisplay(toLocalBytes(kept)));
        desktop.message(window, QMessageBox::Critical, message);
        return std::nullopt;
    }
    const QStringList repaired = repairSettings(loaded, initialFormSettings(), form);
    if (!repaired.isEmpty()) {
        const QString kept = keepAside(file, true);
        QString message = texts.MsgSettingsRepaired.arg(pathForDisplay(path), repaired.join(QStringLiteral(", ")));
        if (!kept.isEmpty())
            message += QLatin1Char('\r') + texts.MsgSettingsKept.arg(pathForDisplay(toLocalBytes(kept)));
        desktop.message(window, QMessageBox::Warning, message);
    }
    return loaded;
}

std::optional<SettingsFiles> loadSettingsFiles(const std::string& path, const Ui::TfrmMain& form, const HeldTexts& texts)
{
    const auto record = loadSettingsFile(path, form, texts);
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
        DesktopServices::instance().message(form.centralwidget->window(), QMessageBox::Warning,
                                            problems.join(QLatin1Char('\r')));
    return std::make_pair(*record, std::move(options));
}

void saveSettingsFiles(const std::string& settingsPath, const TGeneratorSettings& settings, const PageOptions& options)
{
    writeSettingsFile(settingsPath, settings);
    writeOptionsFile(optionsFileOf(settingsPath), options);
}
