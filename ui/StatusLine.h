#pragma once
// The main window's status line: the hint of what is under the mouse while there is one, else
// a notice (a cancelled generation) until the next hint, else the idle text. A text longer
// than the bar is shortened with "…", the whole text then being the bar's tool tip.
#include <QString>

class QStatusBar;
class QWidget;

class StatusLine {
public:
    // `bar` spans `window`.
    StatusLine(QStatusBar* bar, const QWidget* window) : bar_(bar), window_(window) {}

    // The hint of the control or menu entry under the mouse; empty when it leaves.
    void showHint(const QString& hint);
    void showNotice(const QString& notice);
    void clearNotice() { notice_.clear(); }
    // When the program is idle: the notice or `idleText`, unless a hint shows.
    void showIdle(const QString& idleText);
    // Shortens the text anew for the window's width.
    void refit() { show(shown_); }

private:
    void show(const QString& text);

    QStatusBar* bar_;
    const QWidget* window_;
    QString hint_;
    QString notice_;
    QString shown_; // whole
};
