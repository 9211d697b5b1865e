#include "ui/GenerationProgress.h"

#include <QApplication>
#include <QFontMetrics>
#include <QLabel>

namespace {
// Often enough that the window feels alive, seldom enough to cost nothing per file.
constexpr int EventIntervalMs = 40;
}

GenerationProgress::GenerationProgress(QWidget* window, const QString& line, const QString& cancel)
    : window_(window), line_(line), cancel_(cancel)
{
    started_.start();
    sinceEvents_.start();
}

GenerationProgress::~GenerationProgress()
{
    delete dialog_;
}

void GenerationProgress::show()
{
    dialog_ = new QProgressDialog(window_);
    dialog_->setObjectName(QStringLiteral("dlgProgress"));
    dialog_->setWindowTitle(QStringLiteral("tunesheet"));
    dialog_->setCancelButtonText(cancel_);
    dialog_->setRange(0, 0); // the number of files is not known beforehand
    dialog_->setWindowModality(Qt::WindowModal); // the window's commands wait for the end
    dialog_->setMinimumDuration(0);
    dialog_->setAutoClose(false);
    dialog_->setAutoReset(false);
    dialog_->setMinimumWidth(QFontMetrics(dialog_->font()).horizontalAdvance(QLatin1Char('x')) * 60);
    dialog_->show();
}

bool GenerationProgress::update(const GenerateProgress& progress)
{
    if (sinceEvents_.elapsed() < EventIntervalMs && dialog_)
        return !dialog_->wasCanceled();
    sinceEvents_.restart();
    if (!dialog_ && started_.elapsed() >= showAfterMs)
        show();
    if (dialog_) {
        const QString folder = QString::fromLocal8Bit(progress.currentDir.c_str());
        const QFontMetrics metrics(dialog_->font());
        const int width = dialog_->minimumWidth() - 40;
        dialog_->setLabelText(line_.arg(progress.filesListed) + QLatin1Char('\n') +
                              metrics.elidedText(folder, Qt::ElideMiddle, width));
    }
    QApplication::processEvents();
    return !(dialog_ && dialog_->wasCanceled());
}
