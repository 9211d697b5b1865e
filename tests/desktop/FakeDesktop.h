#pragma once
// Stands in for the desktop in tests: records every message box, every page or address that
// would have been opened and every help call, and answers questions as told. It is the
// desktop in use for as long as it lives.
#include "desktop/DesktopServices.h"

#include <QStringList>

#include <vector>

struct FakeDesktop : DesktopServices {
    struct Message {
        QMessageBox::Icon icon;
        QString text;
        QMessageBox::StandardButtons buttons;
    };

    FakeDesktop() { setInstance(this); }
    ~FakeDesktop() override { setInstance(nullptr); }

    QMessageBox::StandardButton message(QWidget*, QMessageBox::Icon icon, const QString& text,
                                        QMessageBox::StandardButtons buttons) override
    {
        messages.push_back({icon, text, buttons});
        return buttons.testFlag(answer) ? answer : QMessageBox::Ok;
    }
    bool open(const QString& target, const std::function<void()>& failedLater) override
    {
        opened << target;
        return openForReal ? DesktopServices::open(target, failedLater) : openWorks;
    }
    // The real help window, over the guide of the sources unless told otherwise.
    void showHelp(int context) override
    {
        help.push_back(context);
        DesktopServices::showHelp(context);
    }
    QString guideFile() const override { return inGuideLanguage(guide); }

    // The only message box shown so far, or a failure when there was not exactly one.
    bool onlyMessage(QMessageBox::Icon icon, const QString& text) const
    {
        return messages.size() == 1 && messages[0].icon == icon && messages[0].text == text;
    }

    QMessageBox::StandardButton answer = QMessageBox::Yes;
    bool openWorks = true;
    bool openForReal = false; // the desktop's own program opens it
    QString guide = QStringLiteral(TUNESHEET_SOURCE_DIR "/doc/tunesheet.html");
    std::vector<Message> messages;
    QStringList opened;
    std::vector<int> help;
};
