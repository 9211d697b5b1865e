#pragma once
// The one window of a kind that the program keeps: made on first use, owned by the application
// rather than the main window (whose objects are found by name, and may share names with it),
// and deleted when the program's event loop ends.
#include <QCoreApplication>
#include <QPointer>

template <class Window>
Window* applicationOwned()
{
    static QPointer<Window> window;
    if (!window) {
        window = new Window;
        QObject::connect(qApp, &QCoreApplication::aboutToQuit, window, &QObject::deleteLater);
    }
    return window;
}
