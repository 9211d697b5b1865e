// The window's generation over one library, run after run in one process, as a user who keeps
// the window open would: the time of each run, the most memory it held, and what it still holds
// afterwards. The last two must not grow from run to run.
//   soak_window LIBRARY_FOLDER WORK_FOLDER [RUNS]
#include "ui/unMain.h"
#include "desktop/DesktopServices.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QEventLoop>
#include <QLineEdit>
#include <QTimer>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

namespace {

// Anything the window would show in a message box ends the soak: it is a failure.
struct Unattended : DesktopServices {
    QMessageBox::StandardButton message(QWidget*, QMessageBox::Icon, const QString& text,
                                        QMessageBox::StandardButtons) override
    {
        std::fprintf(stderr, "soak_window: %s\n", qPrintable(text));
        std::exit(1);
    }
};

// A field of /proc/self/status ("VmHWM", "VmRSS") in MB.
double statusMb(const std::string& field)
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.compare(0, field.size() + 1, field + ":") == 0)
            return std::stod(line.substr(field.size() + 1)) / 1024;
    return -1;
}

// The most memory held is counted afresh from here on.
void resetPeak()
{
    std::ofstream("/proc/self/clear_refs") << "5";
}

// Lets the window become idle, so that its enable rules run as between two user inputs.
void idle()
{
    QEventLoop loop;
    QTimer::singleShot(30, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: soak_window LIBRARY_FOLDER WORK_FOLDER [RUNS]\n");
        return 2;
    }
    QApplication app(argc, argv);
    Unattended desktop;
    DesktopServices::setInstance(&desktop);
    const std::string work = argv[2];
    const int runs = argc > 3 ? std::atoi(argv[3]) : 20;

    TfrmMain window(nullptr, work + "/tunesheet");
    window.findChild<QLineEdit*>(QStringLiteral("lbledtInput"))->setText(QString::fromLocal8Bit(argv[1]));
    window.findChild<QLineEdit*>(QStringLiteral("lbledtOutput"))->setText(QString::fromStdString(work + "/page.htm"));
    window.findChild<QCheckBox*>(QStringLiteral("chkIncludeSubdirectories"))->setChecked(true);
    window.findChild<QComboBox*>(QStringLiteral("cmbAfterGenerate"))->setCurrentIndex(agDontShow);
    window.show();
    idle();
    auto* generate = window.findChild<QAction*>(QStringLiteral("acGenerateList"));

    std::printf("%4s %10s %14s %16s\n", "run", "seconds", "peak RSS MB", "RSS after MB");
    for (int run = 1; run <= runs; ++run) {
        resetPeak();
        const auto start = std::chrono::steady_clock::now();
        generate->trigger();
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        idle();
        std::printf("%4d %10.2f %14.1f %16.1f\n", run, took.count(), statusMb("VmHWM"), statusMb("VmRSS"));
        std::fflush(stdout);
    }
    window.close();
    DesktopServices::setInstance(nullptr);
    return 0;
}
