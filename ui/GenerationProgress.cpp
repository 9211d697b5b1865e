#include "ui/GenerationProgress.h"

#include "desktop/LocalText.h"
#include "generator/CellFormat.h"

#include <QApplication>
#include <QEvent>
#include <QEventLoop>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QWindow>

#include <exception>
#include <thread>

namespace {

// Often enough that the dialog feels alive, seldom enough to take nothing from the generation.
constexpr int RefreshIntervalMs = 40;

// Input that starts something. Releases pass: one that is not let through leaves the window
// thinking a key or button is still held (a Ctrl pressed for Ctrl+G, say).
bool startsSomething(QEvent::Type type)
{
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::DragEnter:
    case QEvent::Drop:
        return true;
    default:
        return false;
    }
}

} // namespace

GenerationOutcome generateApart(QWidget* window, TTunesheet& generation, const QString& line, const QString& cancel)
{
    GenerationProgress progress(window, line, cancel);
    try {
        progress.run(generation);
    } catch (const GenerationCancelled&) {
        return {GenerationEnd::Cancelled, progress.filesListed()};
    }
    // The window was closed while the page was being written: it closes once this is done.
    return {progress.closeRequested() ? GenerationEnd::WindowClosing : GenerationEnd::Written, progress.filesListed()};
}

GenerationProgress::GenerationProgress(QWidget* window, const QString& line, const QString& cancel)
    : window_(window), line_(line), cancel_(cancel)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QObject::connect(&refresh_, &QTimer::timeout, this, [this] { refresh(); });
}

GenerationProgress::~GenerationProgress()
{
    delete dialog_;
    QApplication::restoreOverrideCursor();
    if (closeRequested_)
        QTimer::singleShot(0, window_, &QWidget::close);
}

void GenerationProgress::run(TTunesheet& generator)
{
    const auto handler = generator.OnProgress;
    generator.OnProgress = [this, handler](const GenerateProgress& p) {
        return (!handler || handler(p)) && onProgress(p);
    };
    struct Restore {
        TTunesheet& generator;
        std::function<bool(const GenerateProgress&)> handler;
        ~Restore() { generator.OnProgress = handler; }
    } restore{generator, handler};

    QEventLoop loop;
    std::exception_ptr error;
    std::atomic<bool> ended{false};
    std::thread generation([&] {
        try {
            generator.Generate();
        } catch (...) {
            error = std::current_exception();
        }
        ended = true;
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    qApp->installEventFilter(this);
    started_.start();
    refresh_.start(std::min(showAfterMs_, RefreshIntervalMs));
    // Only the generation's end quits the loop; whatever else ends it (the program quitting)
    // stops the generation first.
    while (!ended) {
        loop.exec();
        if (!ended)
            stop_ = true;
    }
    refresh_.stop();
    qApp->removeEventFilter(this);
    generation.join();
    if (error)
        std::rethrow_exception(error);
}

bool GenerationProgress::onProgress(const GenerateProgress& progress)
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        latest_.filesListed = progress.filesListed;
        if (latest_.currentDir != progress.currentDir)
            latest_.currentDir = progress.currentDir;
    }
    return !stop_;
}

void GenerationProgress::refresh()
{
    refresh_.setInterval(RefreshIntervalMs);
    if (!dialog_ && started_.elapsed() >= showAfterMs_)
        show();
    if (!dialog_)
        return;
    if (dialog_->wasCanceled())
        stop_ = true;
    GenerateProgress now;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        now = latest_;
    }
    const QString folder = fromLocalBytes(now.currentDir);
    const QFontMetrics metrics(dialog_->font());
    const int width = dialog_->minimumWidth() - 40;
    dialog_->setLabelText(line_.arg(fromLocalBytes(formatCount(now.filesListed, platform::localeSeparators()))) + QLatin1Char('\n') +
                          metrics.elidedText(folder, Qt::ElideMiddle, width));
}

void GenerationProgress::show()
{
    dialog_ = new QProgressDialog(window_);
    dialog_->setObjectName(QStringLiteral("dlgProgress"));
    dialog_->setWindowTitle(QStringLiteral("tunesheet"));
    dialog_->setCancelButtonText(cancel_);
    dialog_->setRange(0, 0); // the number of files is not known beforehand
    // Not modal: Qt drops the window system's close request for a window that a modal dialog
    // blocks, and closing the window must stop the generation. The window takes no input all
    // the same (eventFilter).
    dialog_->setWindowModality(Qt::NonModal);
    dialog_->setMinimumDuration(0);
    dialog_->setAutoClose(false);
    dialog_->setAutoReset(false);
    dialog_->setMinimumWidth(QFontMetrics(dialog_->font()).horizontalAdvance(QLatin1Char('x')) * 60);
    QObject::connect(dialog_, &QProgressDialog::canceled, this, [this] { stop_ = true; });
    dialog_->show();
}

// The dialog takes input as any dialog does; the window and everything else take none until the
// generation has ended, and a close of the window stops the generation instead.
bool GenerationProgress::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Close && watched == window_) {
        closeRequested_ = true;
        stop_ = true;
        event->ignore();
        return true;
    }
    // Esc cancels as the Cancel button does, wherever the keyboard is.
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape &&
        static_cast<QKeyEvent*>(event)->modifiers() == Qt::NoModifier) {
        stop_ = true;
        event->accept();
        return true;
    }
    if (!startsSomething(event->type()))
        return false;
    // Input reaches a widget through the window that holds it; the dialog's Esc is a shortcut
    // object of its own.
    if (dialog_ && watched == dialog_->windowHandle())
        return false;
    for (const QObject* o = watched; dialog_ && o; o = o->parent())
        if (o == dialog_)
            return false;
    // Taken, so that no shortcut acts on it either.
    event->accept();
    return true;
}

std::uint64_t GenerationProgress::filesListed()
{
    std::lock_guard<std::mutex> lock(mutex_);
    return latest_.filesListed;
}
