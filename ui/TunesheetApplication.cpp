#include "ui/TunesheetApplication.h"

#include "ui/ErrorBox.h"

#include "ProgramVersion.h"

TunesheetApplication::TunesheetApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    // The title of the task bar entry, of plain message boxes and of error boxes.
    setApplicationName(QStringLiteral("tunesheet"));
    setApplicationDisplayName(QStringLiteral("tunesheet"));
    setApplicationVersion(QString::fromLatin1(ProgramVersionText));
    setProperty("helpFile", QString::fromLatin1(HelpFile));
}

bool TunesheetApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        showErrorBox(e);
    } catch (...) {
        showUnknownErrorBox();
    }
    return false;
}
