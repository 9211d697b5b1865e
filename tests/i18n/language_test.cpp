// Finding the language libraries (the directory scanner and its filter) and the language dialog.
#include "i18n/KRV_DirScanner.h"
#include "i18n/LanguageCommand.h"
#include "i18n/language.h"
#include "lang/LanguageAbi.h"
#include "platform/VersionInfo.h"

#include "common/TempDir.h"
#include "desktop/FakeDesktop.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <sys/stat.h>
#include <utime.h>

#include <ctime>
#include <filesystem>
#include <functional>

namespace {

const QString bin = QStringLiteral(TUNESHEET_BIN_DIR);
const QString libs = QStringLiteral(TUNESHEET_TEST_LIBS);

QString q(const std::string& s)
{
    return QString::fromStdString(s);
}

// A main window as far as the language command sees it: the acLanguage action, and a close
// that records the language as the real one does.
class Window : public QWidget {
public:
    explicit Window(QString choiceFile) : choiceFile_(std::move(choiceFile))
    {
        auto* action = new QAction(QStringLiteral("Language"), this);
        action->setObjectName(QStringLiteral("acLanguage"));
    }
    LanguageSession language;
    QString& LanguageLibrary = language.LanguageLibrary;
    bool closed = false;

protected:
    void closeEvent(QCloseEvent* event) override
    {
        closed = true;
        saveLanguageChoice(LanguageLibrary, choiceFile_);
        event->accept();
    }

private:
    QString choiceFile_;
};

// What the dialog showed when it opened.
struct Shown {
    QString title, group, ok, cancel;
    QStringList items;
    QString selected;
    bool okEnabled = false;
    int width = 0;
};

// Runs the language command; `answer` plays the user once the dialog is on screen.
Shown runCommand(Window& window, const HeldTexts& texts, const QString& folder,
                 const std::function<void(TfrmLanguage*)>& answer)
{
    Shown shown;
    QTimer::singleShot(0, [&] {
        TfrmLanguage* dialog = TfrmLanguage::instance();
        if (!dialog->isVisible())
            return;
        shown.title = dialog->windowTitle();
        shown.group = dialog->gbMain()->title();
        shown.ok = dialog->btnOK()->text();
        shown.cancel = dialog->btnCancel()->text();
        for (int i = 0; i < dialog->cbLanguage()->count(); ++i)
            shown.items << dialog->cbLanguage()->itemText(i);
        shown.selected = dialog->cbLanguage()->currentText();
        shown.okEnabled = dialog->btnOK()->isEnabled();
        shown.width = dialog->width();
        answer(dialog);
        if (dialog->isVisible())
            dialog->reject(); // the test did not answer: never hang
    });
    window.language.Texts = texts;
    runLanguageCommand(&window, window.language, folder);
    return shown;
}

void pick(TfrmLanguage* dialog, const QString& shownName)
{
    dialog->cbLanguage()->setCurrentIndex(dialog->cbLanguage()->findText(shownName));
}

void choose(TfrmLanguage* dialog, const QString& shownName)
{
    pick(dialog, shownName);
    dialog->btnOK()->click();
}

void copy(const QString& from, const std::string& to)
{
    std::filesystem::create_directories(std::filesystem::path(to).parent_path());
    QVERIFY2(QFile::copy(from, q(to)), qPrintable(from));
}

// A folder with the Slovak library under `slovakName` and english.dll, and a window on screen
// that records its choice in the folder's "t.language".
struct TwoLibraries {
    TempDir tmp;
    Window window{q(tmp.path("t.language"))};

    explicit TwoLibraries(const char* slovakName)
    {
        copy(bin + "/slovak.dll", tmp.path(slovakName));
        copy(bin + "/english.dll", tmp.path("english.dll"));
        window.show();
    }
    QString folder() const { return q(tmp.dir()); }
};

QStringList names(const TFileDirInfoArray& list)
{
    QStringList out;
    for (const TFileDirInfo& info : list)
        out << info.FullName;
    out.sort();
    return out;
}

} // namespace

class LanguageTest : public QObject {
    Q_OBJECT

    FakeDesktop desktop;

private slots:
    void init() { desktop.messages.clear(); }

    void theScannerListsFilesFirstThenSubdirectoriesDepthFirst()
    {
        TempDir tmp;
        const QString dir = q(tmp.dir()).chopped(1);
        tmp.write("a.mp3", "aaa");
        tmp.write(".hidden.mp3");
        tmp.write("sub/b.txt");
        tmp.write("sub/deeper/c.txt");
        tmp.write(".hiddendir/d.txt");
        std::filesystem::create_symlink(tmp.path(""), tmp.path("sub/back")); // a way back up

        TKRVDirScanner scanner;
        scanner.Directory = dir + "/"; // a trailing delimiter is allowed
        QVERIFY(scanner.Scan());
        QCOMPARE(names(scanner.FileList()), (QStringList{dir + "/.hidden.mp3", dir + "/a.mp3"}));
        QCOMPARE(names(scanner.DirList()), QStringList{dir + "/sub"});

        scanner.Recursive = true;
        QStringList events;
        scanner.OnStart = [&](TKRVDirScanner*) { events << "start"; };
        scanner.OnFileFind = [&](TKRVDirScanner* s, TFileDirInfo info) {
            events << "file " + info.FullName.mid(dir.size() + 1);
            QCOMPARE(s->FileList().size() + 1, events.filter("file ").size()); // fired before the append
            info.FullName = "changed";                                        // a copy
        };
        scanner.OnDirFind = [&](TKRVDirScanner*, TFileDirInfo info) { events << "dir " + info.FullName.mid(dir.size() + 1); };
        scanner.OnGetDirList = [&](TKRVDirScanner*, const TFileDirInfoArray& list) { events << QString("dirs %1").arg(list.size()); };
        scanner.OnGetFileList = [&](TKRVDirScanner*, const TFileDirInfoArray& list) { events << QString("files %1").arg(list.size()); };
        scanner.OnFinish = [&](TKRVDirScanner*) { events << "finish"; };
        QVERIFY(scanner.Scan());

        // The folder's own files, then each subdirectory's, entered as soon as it is found;
        // the hidden directory is neither listed nor entered, the link back is listed only.
        QCOMPARE(events.first(), QStringLiteral("start"));
        QCOMPARE(events.mid(events.size() - 3), (QStringList{"dirs 3", "files 4", "finish"}));
        const QStringList found = events.mid(1, events.size() - 4);
        QCOMPARE(found.size(), 7);
        QVERIFY(found.indexOf("file a.mp3") < found.indexOf("dir sub"));
        QVERIFY(found.indexOf("file .hidden.mp3") < found.indexOf("dir sub"));
        QVERIFY(found.indexOf("dir sub") < found.indexOf("file sub/b.txt"));
        QVERIFY(found.indexOf("file sub/b.txt") < found.indexOf("dir sub/deeper"));
        QVERIFY(found.indexOf("dir sub/deeper") < found.indexOf("file sub/deeper/c.txt"));
        QVERIFY(found.contains("dir sub/back"));
        QVERIFY(!found.join(' ').contains("hiddendir"));
        QVERIFY(!names(scanner.FileList()).contains("changed"));
        QCOMPARE(scanner.FileList().size(), 4);
    }

    void theScannerFillsEachEntryAndKeepsItsListsWhenTheFolderIsMissing()
    {
        TempDir tmp;
        const std::string file = tmp.write("song.mp3", "12345");
        // A size beyond 32 bits keeps its low 32 bits (a sparse file costs no disk).
        std::filesystem::resize_file(tmp.write("big.mp3"), (std::uintmax_t(1) << 32) + 7);
        ::chmod(file.c_str(), 0444);
        std::tm when{};
        when.tm_year = 2021 - 1900, when.tm_mon = 2, when.tm_mday = 4, when.tm_hour = 5, when.tm_min = 6, when.tm_sec = 8;
        when.tm_isdst = -1;
        const utimbuf times{std::mktime(&when), std::mktime(&when)};
        ::utime(file.c_str(), &times);

        TKRVDirScanner scanner;
        scanner.Directory = q(tmp.dir());
        QVERIFY(scanner.Scan());
        QCOMPARE(scanner.FileList().size(), 2);
        for (const TFileDirInfo& info : scanner.FileList()) {
            if (info.FullName.endsWith("big.mp3")) {
                QCOMPARE(info.Size, 7);
                continue;
            }
            QCOMPARE(info.Size, 5);
            QVERIFY(info.ReadOnly);
            QVERIFY(info.Archive);
            QVERIFY(!info.Hidden);
            QVERIFY(!info.SysFile);
            const double expected = QDate(1899, 12, 30).daysTo(QDate(2021, 3, 4)) + (5 * 3600 + 6 * 60 + 8) / 86400.0;
            QVERIFY(std::abs(info.DateTime - expected) < 1e-9);
        }

        int events = 0;
        scanner.OnStart = [&](TKRVDirScanner*) { ++events; };
        scanner.OnGetFileList = [&](TKRVDirScanner*, const TFileDirInfoArray&) { ++events; };
        scanner.Directory = q(tmp.path("missing"));
        QVERIFY(!scanner.Scan());
        QCOMPARE(events, 0);
        QCOMPARE(scanner.FileList().size(), 2);
        scanner.Directory = q(file); // a file is not a directory
        QVERIFY(!scanner.Scan());
    }

    void packedFileDates()
    {
        QCOMPARE(fileDateToDateTime(0x00210000), double(QDate(1899, 12, 30).daysTo(QDate(1980, 1, 1))));
        QCOMPARE(fileDateToDateTime(-1), 0.0);
        QCOMPARE(fileDateToDateTime(0x00000000), 0.0); // month 0
    }

    void onlyLibrariesOfVersion3000AreListed()
    {
        TempDir tmp;
        copy(bin + "/slovak.dll", tmp.path("SLOVAK.DLL"));
        copy(bin + "/slovak.dll", tmp.path("my.lang.dll"));
        copy(bin + "/english.dll", tmp.path("english.Dll"));
        copy(libs + "/otherversion.dll", tmp.path("other.dll"));
        copy(bin + "/slovak.dll", tmp.path("slovak.dll.bak"));
        copy(bin + "/tunesheet-cli", tmp.path("tunesheet.exe"));
        copy(bin + "/slovak.dll", tmp.path("sub/deep.dll"));
        tmp.write("plain.dll", "no version here");

        TKRVDirScanner scanner;
        scanner.Directory = q(tmp.dir());
        QComboBox list;
        scanner.OnGetFileList = [&](TKRVDirScanner*, const TFileDirInfoArray& files) { dsMainGetFileList(&list, files); };
        QVERIFY(scanner.Scan());
        QStringList listed;
        for (int i = 0; i < list.count(); ++i)
            listed << list.itemText(i);
        listed.sort();
        QCOMPARE(listed, (QStringList{"SLOVAK.DLL", "english.Dll", "my.lang.dll"}));
        // A library declares the interface's version, not the program's: a new version of the
        // program keeps the libraries made for an earlier one.
        QCOMPARE(QString::fromStdString(platform::GetVersionString((bin + "/slovak.dll").toStdString())),
                 QStringLiteral(TUNESHEET_LANGUAGE_INTERFACE_VERSION));
    }

    void theDialogPreselectsAndNamesTheLibrariesWithoutExtension()
    {
        TempDir tmp;
        copy(bin + "/slovak.dll", tmp.path("SLOVAK.DLL"));
        copy(bin + "/slovak.dll", tmp.path("my.lang.dll"));
        Window window(q(tmp.path("t.language")));
        HeldTexts texts;

        // No language chosen and no english.dll: nothing selected, OK refused.
        Shown shown = runCommand(window, texts, q(tmp.dir()), [](TfrmLanguage* d) { d->btnOK()->click(); });
        QStringList items = shown.items;
        items.sort();
        QCOMPARE(items, (QStringList{"SLOVAK", "my"}));
        QCOMPARE(shown.selected, QString());
        QVERIFY(!shown.okEnabled);
        QVERIFY(desktop.messages.empty());
        QVERIFY(window.LanguageLibrary.isEmpty());

        // english.dll is preselected while no language is chosen.
        copy(bin + "/english.dll", tmp.path("english.dll"));
        shown = runCommand(window, texts, q(tmp.dir()), [](TfrmLanguage*) {});
        QCOMPARE(shown.selected, QStringLiteral("english"));
        QVERIFY(shown.okEnabled);

        // The library in use, in any letter case.
        window.LanguageLibrary = QStringLiteral("slovak.dll");
        shown = runCommand(window, texts, q(tmp.dir()), [](TfrmLanguage*) {});
        QCOMPARE(shown.selected, QStringLiteral("SLOVAK"));

        // The captions are the current ones.
        window.findChild<QAction*>("acLanguage")->setText(QStringLiteral("Jazyk"));
        texts.MsgSelectLanguage = QString::fromUtf8("Vyberte, prosím, jazyk:");
        texts.CaptionCancel = QString::fromUtf8("&Zrušiť");
        shown = runCommand(window, texts, q(tmp.dir()), [](TfrmLanguage*) {});
        QCOMPARE(shown.title, QStringLiteral("Jazyk"));
        QCOMPARE(shown.group, QString::fromUtf8("Vyberte, prosím, jazyk:"));
        QCOMPARE(shown.ok, QStringLiteral("&OK"));
        QCOMPARE(shown.cancel, QString::fromUtf8("&Zrušiť"));
        // Wide enough for a long title beside the title bar's buttons.
        window.findChild<QAction*>("acLanguage")->setText(QString::fromUtf8("Jazyk používateľského rozhrania"));
        shown = runCommand(window, texts, q(tmp.dir()), [](TfrmLanguage*) {});
        QFont bold = QApplication::font();
        bold.setBold(true);
        const QFontMetrics title(bold);
        QVERIFY(shown.width >= title.horizontalAdvance(shown.title) + 4 * title.height());

        // A folder that is gone lists nothing.
        shown = runCommand(window, texts, q(tmp.path("gone")), [](TfrmLanguage*) {});
        QVERIFY(shown.items.isEmpty());
        QVERIFY(!window.closed);
    }

    void theSameLanguageOrCancelChangesNothing()
    {
        TwoLibraries f("SLOVAK.DLL");
        f.window.LanguageLibrary = QStringLiteral("slovak.dll");
        HeldTexts texts;

        runCommand(f.window, texts, f.folder(), [](TfrmLanguage* d) { choose(d, "SLOVAK"); });
        const std::function<void(TfrmLanguage*)> closings[] = {
            [](TfrmLanguage* d) { d->btnCancel()->click(); },
            [](TfrmLanguage* d) { QTest::keyClick(d, Qt::Key_Escape); },
            [](TfrmLanguage* d) { d->close(); }, // the close box
        };
        for (const auto& close : closings)
            runCommand(f.window, texts, f.folder(), [&close](TfrmLanguage* d) {
                pick(d, "english");
                close(d);
            });
        QVERIFY(desktop.messages.empty());
        QCOMPARE(f.window.LanguageLibrary, QStringLiteral("slovak.dll"));
        QVERIFY(!f.window.closed);
        QVERIFY(!QFile::exists(q(f.tmp.path("t.language"))));
    }

    void anotherLanguageAsksForTheRestartAndClosesWithTheNameRecorded()
    {
        TwoLibraries f("my.lang.dll");
        HeldTexts texts;
        texts.MsgRestart = QStringLiteral("restart, please");
        TfrmLanguage* first = TfrmLanguage::instance();

        runCommand(f.window, texts, f.folder(), [](TfrmLanguage* d) { choose(d, "my"); });
        QCOMPARE(desktop.messages.size(), std::size_t(1));
        QCOMPARE(desktop.messages[0].text, QStringLiteral("restart, please"));
        QCOMPARE(desktop.messages[0].icon, QMessageBox::Information);
        QCOMPARE(f.window.LanguageLibrary, QStringLiteral("my.lang.dll"));
        QVERIFY(f.window.closed);
        QFile recorded(q(f.tmp.path("t.language")));
        QVERIFY(recorded.open(QIODevice::ReadOnly));
        QCOMPARE(recorded.readAll(), QByteArray("my.lang.dll\r\n"));
        QCOMPARE(TfrmLanguage::instance(), first); // made once, reused
    }
};

QTEST_MAIN(LanguageTest)
#include "language_test.moc"
