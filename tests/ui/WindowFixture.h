#pragma once
// A main window for one test, keeping its own files in a temporary folder.
#include "ui/unMain.h"

#include "common/TempDir.h"

#include <QAction>
#include <QEventLoop>
#include <QTimer>
#include <QTest>

#include <memory>

struct WindowFixture {
    TempDir tmp;
    std::unique_ptr<TfrmMain> window;

    WindowFixture() { restart(); }

    // A new window over the same files, as the next start of the program.
    void restart()
    {
        window.reset();
        window = std::make_unique<TfrmMain>(nullptr, tmp.path("tunesheet"));
    }
    std::string settingsFile() const { return tmp.path("tunesheet.settings"); }

    template <class T>
    T* child(const char* name) const
    {
        return window->findChild<T*>(QLatin1String(name));
    }
    QAction* action(const char* name) const { return child<QAction>(name); }

    // Lets the program become idle, so that enable rules and the status line run as they do
    // between two user inputs. (QTest::qWait never blocks, so it never makes the program idle.)
    static void idle()
    {
        QEventLoop loop;
        QTimer::singleShot(30, &loop, &QEventLoop::quit);
        loop.exec();
    }
};
