#pragma once
// Keeps the window alive while a page is generated: the window repaints, and once a
// generation has run for half a second a dialog shows how far it has got, with Cancel.
#include "generator/tunesheet_class.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QProgressDialog>

class GenerationProgress {
public:
    // `line` says how far the generation has got ("%1 files listed"); `cancel` is the button's text.
    GenerationProgress(QWidget* window, const QString& line, const QString& cancel);
    ~GenerationProgress();
    GenerationProgress(const GenerationProgress&) = delete;
    GenerationProgress& operator=(const GenerationProgress&) = delete;

    // The generator's progress handler: false once the user has asked to stop.
    bool update(const GenerateProgress& progress);
    bool shown() const { return dialog_ != nullptr; }

    // How long a generation runs before the dialog shows (tests shorten it).
    static inline int showAfterMs = 500;

private:
    void show();
    QWidget* window_;
    QString line_;
    QString cancel_;
    QElapsedTimer started_;
    QElapsedTimer sinceEvents_;
    QPointer<QProgressDialog> dialog_;
};
