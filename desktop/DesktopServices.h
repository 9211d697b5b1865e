#pragma once
// The program's few calls out to the desktop: message boxes, opening a page or address with
// the desktop's default program, and the help. They go through one object so that tests can
// answer the questions and see what would have been opened.
#include <QMessageBox>
#include <QString>
#include <QWidget>

#include <functional>

// The help window's own texts.
struct HelpTexts {
    QString Title = QStringLiteral("tunesheet Help");
    QString Back = QStringLiteral("&Back");
    QString Forward = QStringLiteral("&Forward");
    QString Contents = QStringLiteral("&Contents");
};

// What the desktop calls say to the user, which the program may translate; %1 is the file or
// address concerned, a carriage return separates the lines.
struct DesktopTexts {
    HelpTexts Help;
    QString HelpMissing = QStringLiteral("The help file %1 is missing.");
    QString CannotShowPage =
        QStringLiteral("The page has been written to %1,\rbut no program could be started to show it.");
    QString CannotOpenAddress = QStringLiteral("No program could be started to open %1.");
};

class DesktopServices {
public:
    virtual ~DesktopServices() = default;

    // Shows a message box (title "tunesheet") and returns the button chosen.
    virtual QMessageBox::StandardButton message(QWidget* parent, QMessageBox::Icon icon, const QString& text,
                                                QMessageBox::StandardButtons buttons = QMessageBox::Ok);
    // Opens a file path or a web address with the desktop's default program. False when no
    // program could be started; when the desktop finds that out only later, `failedLater` runs
    // then.
    virtual bool open(const QString& target, const std::function<void()>& failedLater = {});
    // Shows the help window at a help context (0: the contents), or says that the guide is missing.
    virtual void showHelp(int context);
    // The HTML guide beside the executable, in the language of the window where there is one.
    virtual QString guideFile() const;
    // The guide in the window's language beside the English `guide` ("tunesheet.sk.html" beside
    // "tunesheet.html"), or `guide` itself when there is none.
    static QString inGuideLanguage(const QString& guide);
    // The language of the window's texts ("sk"); empty for English.
    static void setGuideLanguage(const QString& language);
    // The guide as a web address ("file:///..."): the program's home page.
    QString guideAddress() const;

    // The generated page, or a web address, opened for the user; when that fails the user is
    // told, with the page's path or the address.
    void showPage(QWidget* parent, const QString& path);
    void showAddress(QWidget* parent, const QString& address);

    // The texts in use, the same whichever object is in use.
    static DesktopTexts& texts();

    // The object in use; tests replace it with their own.
    static DesktopServices& instance();
    static void setInstance(DesktopServices* services);

private:
    void openOrTell(QWidget* parent, const QString& target, const QString& failure);
};
