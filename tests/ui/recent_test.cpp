// The recent output files and input directories: kept in their files, offered in the Main
// menu; and a long generation that shows its progress and can be cancelled.
#include "ui/GenerationProgress.h"
#include "ui/RecentMenus.h"
#include "ui/unMain.h"

#include "desktop/FakeDesktop.h"
#include "ui/WindowFixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QProgressDialog>
#include <QPushButton>
#include <QGuiApplication>
#include <QWindow>
#include <QStatusBar>
#include <QTimer>

#include <chrono>
#include <fstream>
#include <functional>
#include <filesystem>
#include <thread>

#include <sys/stat.h>
#include <unistd.h>

namespace {

QString qs(const std::string& s)
{
    return QString::fromStdString(s);
}

struct RecentWindow : WindowFixture {
    TempDir library;
    QLineEdit* input = child<QLineEdit>("lbledtInput");
    QLineEdit* output = child<QLineEdit>("lbledtOutput");

    RecentWindow() { library.write("a.mp3", "x"); }
    void rebind()
    {
        input = child<QLineEdit>("lbledtInput");
        output = child<QLineEdit>("lbledtOutput");
    }
    void generate(const QString& in, const QString& out)
    {
        input->setText(in);
        output->setText(out);
        child<QComboBox>("cmbAfterGenerate")->setCurrentIndex(agDontShow);
        idle();
        action("acGenerateList")->trigger();
    }
    // The captions of a recent menu as it shows them when opened.
    QStringList shown(const char* menuName)
    {
        QMenu* menu = child<QMenu>(menuName);
        emit menu->aboutToShow();
        QStringList captions;
        for (QAction* a : menu->actions())
            captions << a->text();
        return captions;
    }
};

// Makes `path` a file that exists but that this process cannot open: without rights to it, or,
// where no right stops the process (root), a link to an attribute of the system that can only
// be written. False when there is no such attribute.
bool makeUnreadable(const std::string& path)
{
    if (::geteuid() != 0) {
        std::ofstream(path) << "/x/\r\n";
        return ::chmod(path.c_str(), 0) == 0;
    }
    for (const char* writeOnly : {"/sys/bus/pci/rescan", "/sys/bus/pci/drivers_probe", "/sys/power/wakeup_count"}) {
        if (QFileInfo(QLatin1String(writeOnly)).exists() && !QFile(QLatin1String(writeOnly)).open(QIODevice::ReadOnly))
            return ::symlink(writeOnly, path.c_str()) == 0;
    }
    return false;
}

} // namespace

class RecentTest : public QObject {
    Q_OBJECT
private slots:
    void generationsAreRememberedOnceEachAndWrittenAtClose()
    {
        FakeDesktop desktop;
        RecentWindow w;
        const QString dir = qs(w.library.dir());
        w.generate(dir, qs(w.tmp.path("one.htm")));
        w.generate(dir, qs(w.tmp.path("two.htm")));
        w.generate(dir, qs(w.tmp.path("three.htm")));
        w.generate(dir, qs(w.tmp.path("one.htm")));
        w.window->close();
        QCOMPARE(readFile(w.tmp.path("tunesheet.files")),
                 w.tmp.path("one.htm") + "\r\n" + w.tmp.path("two.htm") + "\r\n" + w.tmp.path("three.htm") + "\r\n");
        QCOMPARE(readFile(w.tmp.path("tunesheet.dirs")), w.library.dir() + "\r\n");
    }

    void aRunWithoutGenerationRewritesBothFilesFromWhatItRead()
    {
        FakeDesktop desktop;
        RecentWindow w;
        w.tmp.write("tunesheet.files", "/x/a.htm\n/x/a.htm\r\n/x/b.htm");
        w.tmp.write("tunesheet.dirs", "");
        w.restart();
        w.window->close();
        QCOMPARE(readFile(w.tmp.path("tunesheet.files")), std::string("/x/a.htm\r\n/x/b.htm\r\n"));
        QCOMPARE(readFile(w.tmp.path("tunesheet.dirs")), std::string());
    }

    // Each list is loaded, kept and saved on its own: one that cannot be read is reported with
    // its file and the cause, and is not written over at close; the other one is unharmed.
    void aListThatCannotBeReadIsReportedAndNotWrittenOver()
    {
        FakeDesktop desktop;
        RecentWindow w;
        const std::string files = w.tmp.path("tunesheet.files");
        if (!makeUnreadable(files))
            QSKIP("no file here that this user cannot read");
        w.tmp.write("tunesheet.dirs", "/music/a/\r\n/music/b/\r\n");
        w.restart();
        w.rebind();
        QCOMPARE(desktop.messages.size(), std::size_t(1));
        QCOMPARE(desktop.messages[0].icon, QMessageBox::Critical);
        QCOMPARE(desktop.messages[0].text, "Cannot open file " + qs(files) + "\rAccess is denied.");
        QCOMPARE(w.window->Generator().RecentDirs.Count(), 2);
        w.generate(qs(w.library.dir()), qs(w.tmp.path("new.htm")));
        w.window->close();
        QCOMPARE(desktop.messages.size(), std::size_t(1)); // nothing tried on the unreadable file
        QVERIFY(!QFileInfo(qs(files)).isWritable() || QFileInfo(qs(files)).isSymLink());
        QCOMPARE(readFile(w.tmp.path("tunesheet.dirs")), "/music/a/\r\n/music/b/\r\n" + w.library.dir() + "\r\n");
    }

    void menusOfferTheNewestFirstAndFillTheFields()
    {
        FakeDesktop desktop;
        RecentWindow w;
        TempDir other;
        other.write("b.mp3", "x");
        const std::string odd = w.tmp.path("Rock & Roll.htm");
        w.generate(qs(w.library.dir()), qs(w.tmp.path("first.htm")));
        w.generate(qs(other.dir()), qs(odd));
        QCOMPARE(w.shown("mnuRecentFiles"),
                 QStringList({recentCaption(qs(odd)), qs(w.tmp.path("first.htm"))}));
        QCOMPARE(w.shown("mnuRecentDirs"), QStringList({qs(other.dir()), qs(w.library.dir())}));

        w.output->clear();
        w.child<QMenu>("mnuRecentFiles")->actions().first()->trigger();
        QCOMPARE(w.output->text(), qs(odd)); // the "&" of the entry comes back unchanged
        w.child<QMenu>("mnuRecentDirs")->actions().last()->trigger();
        QCOMPARE(w.input->text(), qs(w.library.dir()));
    }

    // Loaded entry by entry with the rule (each text once, first place kept), a long list still
    // takes no time worth noticing at start; the menu offers the newest fifteen.
    void aHundredThousandEntriesLoadAtStartAndTheMenuShowsFifteen()
    {
        FakeDesktop desktop;
        RecentWindow w;
        std::string lines;
        for (int i = 0; i < 100000; ++i)
            lines += "/music/" + std::to_string(i) + "/\r\n";
        w.tmp.write("tunesheet.dirs", lines + "/music/7/\r\n/music/last/");
        w.restart();
        const TRecentList& dirs = w.window->Generator().RecentDirs;
        QCOMPARE(dirs.Count(), 100001);
        QCOMPARE(dirs[7], std::string("/music/7/"));
        QCOMPARE(dirs.IndexOf("/music/last/"), 100000);
        const QStringList shown = w.shown("mnuRecentDirs");
        QCOMPARE(shown.size(), 15);
        QCOMPARE(shown.first(), QStringLiteral("/music/last/"));
        QCOMPARE(shown.last(), QStringLiteral("/music/99986/"));
        QCOMPARE(entryFromCaption(QStringLiteral("a&&b")), QStringLiteral("a&b"));
        QCOMPARE(entryFromCaption(QStringLiteral("plain")), QStringLiteral("plain"));
    }

    // Cancel, Esc wherever the keyboard is, or closing the window: the old page stays, no
    // temporary file is left and the after-generate step does not run.
    void eachWayOfCancellingKeepsTheOldPageAndSkipsTheAfterStep()
    {
        const auto click = [](QProgressDialog* dialog, QWidget*) {
            // Through the dialog's window, as the system delivers a click.
            auto* cancel = dialog->findChild<QPushButton*>();
            QTest::mouseClick(dialog->windowHandle(), Qt::LeftButton, {}, cancel->mapTo(dialog, cancel->rect().center()));
        };
        const auto escOnDialog = [](QProgressDialog* dialog, QWidget*) { QTest::keyClick(dialog, Qt::Key_Escape); };
        const auto escOnWindow = [](QProgressDialog*, QWidget* window) { QTest::keyClick(window, Qt::Key_Escape); };
        const auto closeWindow = [](QProgressDialog*, QWidget* window) {
            // Qt drops the window system's close request for a window that a modal dialog blocks.
            QVERIFY(!QGuiApplication::modalWindow());
            window->windowHandle()->close();
        };
        const std::pair<const char*, std::function<void(QProgressDialog*, QWidget*)>> ways[] = {
            {"Cancel", click}, {"Esc on the dialog", escOnDialog}, {"Esc on the window", escOnWindow},
            {"closing the window", closeWindow}};
        for (const auto& [way, cancelNow] : ways) {
            FakeDesktop desktop;
            RecentWindow w;
            for (int i = 0; i < 600; ++i)
                w.library.write("d" + std::to_string(i % 20) + "/" + std::to_string(i) + ".mp3", "x");
            w.child<QCheckBox>("chkIncludeSubdirectories")->setChecked(true);
            const std::string old = w.tmp.write("page.htm", "the old page");
            GenerationProgress::setShowAfter(0);
            // A slow library, so that the cancel comes in the middle of it.
            w.window->Generator().OnProgress = [](const GenerateProgress&) {
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
                return true;
            };
            w.window->show();
            bool dialogSeen = false;
            // The cancel comes as soon as the dialog shows, while the files are being listed.
            QTimer poll;
            QObject::connect(&poll, &QTimer::timeout, [&, cancel = cancelNow] {
                auto* dialog = w.window->findChild<QProgressDialog*>(QStringLiteral("dlgProgress"));
                if (dialog && dialog->isVisible() && !dialogSeen) {
                    dialogSeen = true;
                    cancel(dialog, w.window.get());
                }
            });
            poll.start(0);
            w.input->setText(qs(w.library.dir()));
            w.output->setText(qs(old));
            w.child<QComboBox>("cmbAfterGenerate")->setCurrentIndex(agShowPage);
            WindowFixture::idle();
            w.action("acGenerateList")->trigger();
            poll.stop();
            GenerationProgress::setShowAfter(500);

            QVERIFY2(dialogSeen, way);
            QVERIFY2(readFile(old) == "the old page", way);
            std::size_t entries = 0;
            for (auto it = std::filesystem::directory_iterator(w.tmp.dir()); it != std::filesystem::directory_iterator(); ++it)
                entries += it->path().filename().string().find(".tmp") != std::string::npos;
            QVERIFY2(entries == 0, way);
            QVERIFY2(desktop.opened.isEmpty() && desktop.messages.empty(), way);
            WindowFixture::idle();
            if (way == std::string("closing the window")) {
                // Then it closes as any close does: the lists and the settings are saved.
                QTRY_VERIFY(!w.window->isVisible());
                QVERIFY(readFile(w.tmp.path("tunesheet.dirs")) == w.library.dir() + "\r\n");
                QVERIFY(std::filesystem::exists(w.settingsFile()));
            } else {
                QVERIFY2(w.child<QStatusBar>("sbMain")->currentMessage().contains(QStringLiteral("cancelled")), way);
            }
        }
    }
};

QTEST_MAIN(RecentTest)
#include "recent_test.moc"
