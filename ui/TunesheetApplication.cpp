#include "ui/TunesheetApplication.h"

#include "ui/ActionIcons.h"
#include "ui/ErrorBox.h"

#include "ProgramVersion.h"

TunesheetApplication::TunesheetApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    // The title of the task bar entry, of plain message boxes and of error boxes. (No display
    // name: Qt would append it to every window's title, "tunesheet Help — tunesheet".)
    setApplicationName(QStringLiteral("tunesheet"));
    setWindowIcon(programIcon());
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
