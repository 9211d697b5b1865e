#pragma once
// The program's few calls out to the desktop: message boxes, opening a page or address with
// the desktop's default program, and the help. They go through one object so that tests can
// answer the questions and see what would have been opened.
#include <QMessageBox>
#include <QString>
#include <QWidget>

class DesktopServices {
public:
    virtual ~DesktopServices() = default;

    // Shows a message box (title "tunesheet") and returns the button chosen.
    virtual QMessageBox::StandardButton message(QWidget* parent, QMessageBox::Icon icon, const QString& text,
                                                QMessageBox::StandardButtons buttons = QMessageBox::Ok);
    // Opens a file path or a web address with the desktop's default program.
    virtual bool open(const QString& target);
    // Shows the help at a help context (0: the contents).
    virtual void showHelp(int context);

    // The object in use; tests replace it with their own.
    static DesktopServices& instance();
    static void setInstance(DesktopServices* services);
};
