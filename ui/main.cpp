// tunesheet: the desktop program. It reads no command line.
#include "ui/CloseOnStop.h"
#include "ui/TunesheetApplication.h"
#include "ui/unMain.h"

int main(int argc, char** argv)
{
    TunesheetApplication app(argc, argv);
    TfrmMain window;
    closeOnStopRequest(&window);
    window.show();
    return app.exec();
}
