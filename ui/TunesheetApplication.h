#pragma once
// The application object: its title, and the catch-all that shows any failure escaping an
// event handler in the error box rather than ending the program.
#include <QApplication>

class TunesheetApplication : public QApplication {
    Q_OBJECT
public:
    TunesheetApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

    // The help file the help commands open, as a bare file name.
    static constexpr const char* HelpFile = "tunesheet.hlp";
};
