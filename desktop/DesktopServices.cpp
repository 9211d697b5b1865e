#include "desktop/DesktopServices.h"

#include "desktop/HelpWindow.h"
#include "desktop/LocalText.h"
#include "platform/Path.h"

#include <QDesktopServices>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QPointer>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace {

DesktopServices* current = nullptr;

// An opener that fails does so at once; one that ends with an error much later is a program
// the user has used and closed, not a failure to open.
constexpr qint64 OpenerFailureWindowMs = 10000;

QUrl urlOf(const QString& target)
{
    const bool isAddress = target.contains(QStringLiteral("://")) || target.startsWith(QStringLiteral("www.")) ||
                           target.startsWith(QStringLiteral("mailto:"));
    return isAddress ? QUrl::fromUserInput(target) : QUrl::fromLocalFile(QFileInfo(target).absoluteFilePath());
}

// A message box breaks its lines only between words, so a long path or name would make it
// wider than the screen: a run of more than a line's worth of characters without a blank is
// broken into lines, after a path delimiter where there is one.
QString breakableRuns(const QString& text)
{
    constexpr int LongestRun = 50;
    QString out;
    int runStart = 0;     // where the current run begins in `out`
    int lastDelimiter = -1; // the last delimiter of the run, in `out`
    for (const QChar c : text) {
        out += c;
        if (c.isSpace() || c == QLatin1Char('\r')) {
            runStart = static_cast<int>(out.size());
            lastDelimiter = -1;
            continue;
        }
        if (c == QLatin1Char('/') || c == QLatin1Char('\\'))
            lastDelimiter = static_cast<int>(out.size());
        if (out.size() - runStart > LongestRun) {
            const int at = lastDelimiter > runStart ? lastDelimiter : static_cast<int>(out.size());
            out.insert(at, QLatin1Char('\r'));
            runStart = at + 1;
            lastDelimiter = -1;
        }
    }
    return out;
}

} // namespace

DesktopServices& DesktopServices::instance()
{
    static DesktopServices standard;
    return current ? *current : standard;
}

void DesktopServices::setInstance(DesktopServices* services)
{
    current = services;
}

DesktopTexts& DesktopServices::texts()
{
    static DesktopTexts texts;
    return texts;
}

QMessageBox::StandardButton DesktopServices::message(QWidget* parent, QMessageBox::Icon icon, const QString& text,
                                                     QMessageBox::StandardButtons buttons)
{
    // Two-line messages separate their lines with a lone carriage return.
    QString shown = breakableRuns(text);
    shown.replace(QChar('\r'), QChar('\n'));
    QMessageBox box(icon, QStringLiteral("tunesheet"), shown, buttons, parent);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

bool DesktopServices::open(const QString& target, const std::function<void()>& failedLater)
{
    const QUrl url = urlOf(target);
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    // Qt starts the desktop's opener and forgets it, so a desktop without a program for the
    // page would stay silent; the opener's own result tells.
    const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (!opener.isEmpty()) {
        // Not owned by anything: an opener still waiting for its browser when the program ends
        // is left to run rather than killed.
        auto* process = new QProcess;
        process->setProcessChannelMode(QProcess::ForwardedChannels);
        QElapsedTimer started;
        started.start();
        QObject::connect(process, &QProcess::finished, process,
                         [process, started, failedLater](int code, QProcess::ExitStatus status) {
                             if ((status != QProcess::NormalExit || code != 0) &&
                                 started.elapsed() < OpenerFailureWindowMs && failedLater)
                                 failedLater();
                             process->deleteLater();
                         });
        process->start(opener, {url.toString(QUrl::FullyEncoded)});
        if (process->waitForStarted())
            return true;
        delete process;
        return false;
    }
#else
    Q_UNUSED(failedLater);
#endif
    return QDesktopServices::openUrl(url);
}

namespace {
QString& guideLanguage()
{
    static QString language;
    return language;
}
} // namespace

void DesktopServices::setGuideLanguage(const QString& language)
{
    guideLanguage() = language;
}

QString DesktopServices::inGuideLanguage(const QString& guide)
{
    if (guideLanguage().isEmpty() || !guide.endsWith(QStringLiteral(".html")))
        return guide;
    QString translated = guide;
    translated.insert(translated.size() - 4, guideLanguage() + QLatin1Char('.'));
    return QFileInfo::exists(translated) ? translated : guide;
}

QString DesktopServices::guideFile() const
{
    return inGuideLanguage(fromLocalBytes(platform::besideExecutable(".html")));
}

QString DesktopServices::guideAddress() const
{
    return QUrl::fromLocalFile(guideFile()).toString();
}

void DesktopServices::showHelp(int context)
{
    const QString guide = guideFile();
    if (!QFileInfo::exists(guide)) {
        message(nullptr, QMessageBox::Warning, texts().HelpMissing.arg(guide));
        return;
    }
    THelpWindow* window = THelpWindow::instance();
    window->setTexts(texts().Help);
    window->showContext(guide, context);
}

void DesktopServices::showPage(QWidget* parent, const QString& path)
{
    openOrTell(parent, path, texts().CannotShowPage);
}

void DesktopServices::showAddress(QWidget* parent, const QString& address)
{
    openOrTell(parent, address, texts().CannotOpenAddress);
}

void DesktopServices::openOrTell(QWidget* parent, const QString& target, const QString& failure)
{
    // The opener may fail after this call has returned: the message then goes through whatever
    // object is in use by that time, over the window if it is still there.
    QPointer<QWidget> owner(parent);
    const QString text = failure.arg(target);
    const auto tell = [owner, text] { DesktopServices::instance().message(owner, QMessageBox::Warning, text); };
    if (!open(target, tell))
        tell();
}
