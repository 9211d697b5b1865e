#include "ui/GenerationProgress.h"

#include "desktop/LocalText.h"

#include <QApplication>
#include <QEvent>
#include <QEventLoop>
#include <QFontMetrics>
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
    dialog_->setLabelText(line_.arg(now.filesListed) + QLatin1Char('\n') +
                          metrics.elidedText(folder, Qt::ElideMiddle, width));
}

void GenerationProgress::show()
{
    dialog_ = new QProgressDialog(window_);
    dialog_->setObjectName(QStringLiteral("dlgProgress"));
    dialog_->setWindowTitle(QStringLiteral("tunesheet"));
    dialog_->setCancelButtonText(cancel_);
    dialog_->setRange(0, 0); // the number of files is not known beforehand
    dialog_->setWindowModality(Qt::WindowModal);
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
    if (!startsSomething(event->type()))
        return false;
    // Input reaches a widget through the window that holds it.
    if (dialog_ && (watched == dialog_->windowHandle() || watched == dialog_))
        return false;
    const auto* widget = qobject_cast<QWidget*>(watched);
    if (dialog_ && widget && dialog_->isAncestorOf(widget))
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
