#pragma once
// Runs a page's generation on a thread of its own and keeps the window alive meanwhile: it
// repaints and can be moved, takes no input (the hourglass shows for as long as this object
// lives), and once the generation has
// run for half a second a dialog shows how far it has got, with Cancel. Closing the window
// stops the generation; the window closes once the generation has stopped and this object is
// gone, so that the caller is done with it first.
#include "generator/tunesheet_class.h"

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QProgressDialog>
#include <QString>
#include <QTimer>

#include <atomic>
#include <mutex>

enum class GenerationEnd { Written, Cancelled, WindowClosing };

struct GenerationOutcome {
    GenerationEnd end;
    std::uint64_t filesListed;
};

// Writes the page of `generation` (a generator of its own, so that the window's record stays
// apart) under a GenerationProgress over `window`; raises what the generation raises.
GenerationOutcome generateApart(QWidget* window, TTunesheet& generation, const QString& line, const QString& cancel);

class GenerationProgress : public QObject {
public:
    // `line` says how far the generation has got ("%1 files listed"); `cancel` is the button's text.
    GenerationProgress(QWidget* window, const QString& line, const QString& cancel);
    ~GenerationProgress() override;
    GenerationProgress(const GenerationProgress&) = delete;
    GenerationProgress& operator=(const GenerationProgress&) = delete;

    // Runs generator.Generate() on a thread of its own and returns once it has ended, raising
    // its error. The generator's own progress handler is still called first, on that thread.
    void run(TTunesheet& generator);

    bool shown() const { return dialog_ != nullptr; }
    // How many files the generation listed.
    std::uint64_t filesListed();
    // The window was asked to close while the generation ran.
    bool closeRequested() const { return closeRequested_; }

    // Tests: how long a generation runs before the dialog shows (half a second).
    static void setShowAfter(int ms) { showAfterMs_ = ms; }

private:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // On the generation's thread.
    bool onProgress(const GenerateProgress& progress);
    // On the window's thread, now and then.
    void refresh();
    void show();

    QWidget* window_;
    QString line_;
    QString cancel_;
    QElapsedTimer started_;
    QTimer refresh_;
    QPointer<QProgressDialog> dialog_;
    bool closeRequested_ = false;
    std::atomic<bool> stop_{false};
    std::mutex mutex_;
    GenerateProgress latest_; // under mutex_
    static inline int showAfterMs_ = 500;
};
