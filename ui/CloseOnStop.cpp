#include "ui/CloseOnStop.h"

#include "platform/StopRequests.h"

#include <QApplication>
#include <QSocketNotifier>
#include <QWidget>

void closeOnStopRequest(QWidget* window)
{
    const int requests = platform::catchStopRequests();
    if (requests < 0)
        return;
    auto* notifier = new QSocketNotifier(static_cast<qintptr>(requests), QSocketNotifier::Read, window);
    QObject::connect(notifier, &QSocketNotifier::activated, window, [window, requests] {
        platform::drainStopRequests(requests);
        // A dialog open at the time goes first, as if the user had cancelled it.
        while (QWidget* dialog = QApplication::activeModalWidget()) {
            if (!dialog->close())
                break;
        }
        window->close();
    });
}
