#include "dialogs/DesktopServices.h"

#include "platform/Path.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

namespace {
DesktopServices* current = nullptr;
}

DesktopServices& DesktopServices::instance()
{
    static DesktopServices standard;
    return current ? *current : standard;
}

void DesktopServices::setInstance(DesktopServices* services)
{
    current = services;
}

QMessageBox::StandardButton DesktopServices::message(QWidget* parent, QMessageBox::Icon icon, const QString& text,
                                                     QMessageBox::StandardButtons buttons)
{
    // Two-line messages separate their lines with a lone carriage return.
    QString shown = text;
    shown.replace(QChar('\r'), QChar('\n'));
    QMessageBox box(icon, QStringLiteral("tunesheet"), shown, buttons, parent);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

bool DesktopServices::open(const QString& target)
{
    const bool isAddress = target.contains(QStringLiteral("://")) || target.startsWith(QStringLiteral("www."));
    QUrl url = isAddress ? QUrl::fromUserInput(target) : QUrl::fromLocalFile(QFileInfo(target).absoluteFilePath());
    return QDesktopServices::openUrl(url);
}

void DesktopServices::showHelp(int context)
{
    const QString guide = QString::fromLocal8Bit(platform::besideExecutable(".html").c_str());
    if (!QFileInfo::exists(guide)) {
        message(nullptr, QMessageBox::Warning, QStringLiteral("The help file %1 is missing.").arg(guide));
        return;
    }
    QUrl url = QUrl::fromLocalFile(guide);
    if (context > 0)
        url.setFragment(QStringLiteral("context-%1").arg(context));
    QDesktopServices::openUrl(url);
}
