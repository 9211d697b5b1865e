#pragma once
// THelpWindow: the user guide in a window of the program's own, a browser over the HTML guide
// with Back, Forward and Contents. Sections of the guide open at their help context
// ("#context-32"); links to outside addresses open in the desktop's browser. Esc and the
// platform's close key (Ctrl+W) close it.
#include "desktop/DesktopServices.h"

#include <QString>
#include <QUrl>
#include <QWidget>

class QPushButton;
class QTextBrowser;

class THelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit THelpWindow(QWidget* parent = nullptr);

    // The one help window of the program, created on first use and kept until the program ends.
    static THelpWindow* instance();

    // Shows the guide `guideFile` at the section of help context `context` (its top for 0) and
    // brings the window to the front.
    void showContext(const QString& guideFile, int context);
    void setTexts(const HelpTexts& texts);

    QTextBrowser* browser() const { return browser_; }

private:
    void openLink(const QUrl& link);
    // Sized for the guide's pictures and wholly on the screen, frame and all.
    void placeOnScreen();

    QTextBrowser* browser_;
    QPushButton* back_;
    QPushButton* forward_;
    QPushButton* contents_;
    QUrl guide_;
};
