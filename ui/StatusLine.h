#pragma once
// The main window's status line: the hint of what is under the mouse while there is one, else
// a notice (a cancelled generation) until the next hint, else the idle text. The bar has room
// for two lines, so that a long hint can be read whole where it is: the pointer cannot reach a
// tip without leaving the control the hint belongs to. A text longer than two lines is
// shortened with "…", the whole text then being the bar's tool tip.
#include <QStatusBar>
#include <QString>

class QWidget;

// A status bar whose message wraps onto a second line.
class StatusBar : public QStatusBar {
    Q_OBJECT
public:
    explicit StatusBar(QWidget* parent = nullptr);
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }
    // Shows `text`, or as much of it as two lines hold, again whenever the bar's width changes.
    void showWhole(const QString& text);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // Where the message is drawn.
    QRect textRect() const;
    // What fits in two lines of the bar: `text` itself, or its start and "…".
    QString fitted(const QString& text) const;

    QString whole_;
};

class StatusLine {
public:
    explicit StatusLine(StatusBar* bar) : bar_(bar) {}

    // The hint of the control or menu entry under the mouse; empty when it leaves.
    void showHint(const QString& hint);
    void showNotice(const QString& notice);
    void clearNotice() { notice_.clear(); }
    // When the program is idle: the notice or `idleText`, unless a hint shows.
    void showIdle(const QString& idleText);

private:
    void show(const QString& text);

    StatusBar* bar_;
    QString hint_;
    QString notice_;
    QString shown_; // whole
};
