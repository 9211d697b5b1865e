// The commands: Generate List with its checks and the after-generate choice, Input Directory,
// Output File, the homepage question, and one page compared with the command-line tool's.
#include "dialogs/BrowsDlg.h"
#include "dialogs/SaveDialog.h"
#include "ui/ColourBox.h"
#include "ui/PathFields.h"
#include "ui/unMain.h"

#include "desktop/FakeDesktop.h"
#include "ui/WindowFixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QUrl>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QDropEvent>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <functional>
#include <thread>

namespace {

QString qs(const std::string& s)
{
    return QString::fromStdString(s);
}

const QString samples = QStringLiteral(TUNESHEET_SOURCE_DIR "/samples/");

// The home folder is `home` (with its trailing delimiter) while this lives.
struct AtHome {
    const QByteArray old = qgetenv("HOME");
    explicit AtHome(const std::string& home) { qputenv("HOME", QByteArray::fromStdString(home.substr(0, home.size() - 1))); }
    ~AtHome() { qputenv("HOME", old); }
};

struct GeneratePage : WindowFixture {
    QLineEdit* input = child<QLineEdit>("lbledtInput");
    QLineEdit* output = child<QLineEdit>("lbledtOutput");

    // Paths to the sample library and a page in the temporary folder; after-generate as given.
    void prepare(int afterGenerate, const QString& in = samples)
    {
        input->setText(in);
        output->setText(qs(tmp.path("page.htm")));
        child<QComboBox>("cmbAfterGenerate")->setCurrentIndex(afterGenerate);
    }
    void generate()
    {
        idle(); // the command is enabled by the paths at the last idle moment
        action("acGenerateList")->trigger();
    }
    bool pageWritten() const { return std::filesystem::exists(tmp.path("page.htm")); }
};

std::string bytesOf(const TGeneratorSettings& s)
{
    return std::string(reinterpret_cast<const char*>(&s), sizeof s);
}

} // namespace

class GenerateTest : public QObject {
    Q_OBJECT
private slots:
    // The save dialog keeps its state in Qt's settings; tests keep theirs apart from the user's.
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void noColumnsRefusesAndTouchesNothing()
    {
        FakeDesktop desktop;
        GeneratePage p;
        p.prepare(agShowPage);
        p.action("acRemoveAll")->trigger();
        const std::string record = bytesOf(p.window->Generator().Settings);
        p.generate();
        QVERIFY(desktop.onlyMessage(QMessageBox::Warning,
                                    QStringLiteral("Please, select some columns\rin 'Items Order' settings page!")));
        QVERIFY(!p.pageWritten());
        QCOMPARE(p.window->Generator().RecentFiles.Count(), 0);
        QCOMPARE(p.window->Generator().RecentDirs.Count(), 0);
        QCOMPARE(bytesOf(p.window->Generator().Settings), record);
    }

    void aMissingInputDirectoryRefuses()
    {
        FakeDesktop desktop;
        GeneratePage p;
        p.prepare(agShowPage, qs(p.tmp.path("no-such-folder/")));
        p.generate();
        QVERIFY(desktop.onlyMessage(QMessageBox::Warning,
                                    QStringLiteral("Input directory doesn't exist.\rPlease select another one!")));
        QVERIFY(!p.pageWritten());
        QCOMPARE(p.window->Generator().RecentFiles.Count(), 0);
        QCOMPARE(p.window->Generator().RecentDirs.Count(), 0);
        QVERIFY(desktop.opened.isEmpty());
    }

    void theAfterGenerateChoiceIsFollowed()
    {
        FakeDesktop desktop;
        GeneratePage p;
        p.prepare(agShowPage);
        p.generate();
        QVERIFY(p.pageWritten());
        QCOMPARE(desktop.opened, QStringList{p.output->text()});
        QVERIFY(desktop.messages.empty());

        desktop.opened.clear();
        p.prepare(agDontShow);
        p.generate();
        QVERIFY(desktop.opened.isEmpty() && desktop.messages.empty());

        p.prepare(agAskToShow);
        desktop.answer = QMessageBox::No;
        p.generate();
        QVERIFY(desktop.onlyMessage(QMessageBox::Information,
                                    QStringLiteral("Page has been generated.\rDo You want to see it now?")));
        QCOMPARE(desktop.messages[0].buttons, QMessageBox::Yes | QMessageBox::No);
        QVERIFY(desktop.opened.isEmpty());
        desktop.answer = QMessageBox::Yes;
        p.generate();
        QCOMPARE(desktop.opened, QStringList{p.output->text()});

        // No program to show it: the user learns that the page is written, and where.
        desktop.messages.clear();
        desktop.openWorks = false;
        p.prepare(agShowPage);
        p.generate();
        QVERIFY(desktop.onlyMessage(QMessageBox::Warning, "The page has been written to " + p.output->text() +
                                                              ",\rbut no program could be started to show it."));
    }

    void eachGenerationIsRememberedOnce()
    {
        FakeDesktop desktop;
        GeneratePage p;
        p.prepare(agDontShow);
        p.generate();
        p.generate();
        const TTunesheet& g = p.window->Generator();
        QCOMPARE(g.RecentFiles.Count(), 1);
        QCOMPARE(g.RecentDirs.Count(), 1);
        QCOMPARE(qs(g.RecentDirs[0]), samples); // with its trailing delimiter
        QCOMPARE(qs(g.RecentFiles[0]), p.output->text());
    }

    void theHourglassShowsWhileGeneratingAndGoesAlsoAfterAFailure()
    {
        FakeDesktop desktop;
        GeneratePage p;
        p.prepare(agShowPage);
        // The page is written on a thread of its own, slowly enough that the window is seen
        // meanwhile.
        p.window->Generator().OnProgress = [](const GenerateProgress&) {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            return true;
        };
        bool hourglass = false;
        QTimer look;
        QObject::connect(&look, &QTimer::timeout, [&] {
            hourglass = hourglass || (QApplication::overrideCursor() && QApplication::overrideCursor()->shape() == Qt::WaitCursor);
        });
        look.start(0);
        p.generate();
        look.stop();
        QVERIFY(hourglass);
        QVERIFY(!QApplication::overrideCursor());

        desktop.opened.clear();
        p.output->setText(qs(p.tmp.path("no-such-folder/page.htm")));
        p.generate();
        QCOMPARE(desktop.messages.size(), std::size_t(1));
        QCOMPARE(desktop.messages[0].icon, QMessageBox::Critical);
        QVERIFY(!QApplication::overrideCursor());
        QVERIFY(desktop.opened.isEmpty());
        // The failed generation keeps its recent entry.
        QCOMPARE(p.window->Generator().RecentFiles.Count(), 2);
    }

    // While the page is written the window takes no input; closing it stops the writing (the old
    // page stays) and then closes it, without the after-generate step.
    void closingTheWindowWhileWritingStopsAndThenCloses()
    {
        FakeDesktop desktop;
        GeneratePage p;
        for (int i = 0; i < 20; ++i)
            p.tmp.write("library/" + std::to_string(i) + ".mp3", "x");
        p.prepare(agShowPage, qs(p.tmp.path("library/")));
        const std::string old = p.tmp.write("page.htm", "the old page");
        p.window->show();
        std::atomic<int> generations{0};
        p.window->Generator().OnProgress = [&](const GenerateProgress& progress) {
            generations += progress.filesListed == 0;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            return true;
        };
        WindowFixture::idle();
        QTimer::singleShot(30, [&] {
            QTest::keyClick(p.window.get(), Qt::Key_G, Qt::ControlModifier);
            p.window->close();
        });
        p.action("acGenerateList")->trigger();
        QCOMPARE(generations.load(), 1);
        QCOMPARE(readFile(old), std::string("the old page"));
        QVERIFY(desktop.opened.isEmpty());
        QTRY_VERIFY(!p.window->isVisible());
    }

    // A path longer than the 255 bytes the record holds is refused whichever way it comes, with
    // the path named; the field keeps its value and nothing is written.
    void aPathLongerThanTheRecordHoldsIsRefusedEveryWay()
    {
        FakeDesktop desktop;
        GeneratePage p;
        const std::string longDir = p.tmp.mkdir(std::string(200, 'd') + "/" + std::string(60, 'e'));
        const std::string longPage = p.tmp.path(std::string(200, 'd') + "/" + std::string(60, 'p') + ".htm");
        p.tmp.write("tunesheet.files", longPage + "\r\n");
        p.tmp.write("tunesheet.dirs", longDir + "\r\n");
        p.restart();
        p.input = p.child<QLineEdit>("lbledtInput");
        p.output = p.child<QLineEdit>("lbledtOutput");
        p.prepare(agShowPage);
        const QString input = p.input->text(), output = p.output->text();
        const auto drop = [&](const std::string& path) {
            QMimeData data;
            data.setUrls({QUrl::fromLocalFile(qs(path))});
            // Only the system delivers a drop to the window; the window's part is what follows.
            QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(p.window.get(), &enter);
            QDropEvent event(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            if (enter.isAccepted())
                p.child<PathFields>("pathFields")->drag(&event);
        };
        const std::pair<const char*, std::function<void()>> ways[] = {
            {"folder browser", [&] { TBrowseDialog::setNextDirectory(longDir); p.action("acInputDir")->trigger(); }},
            {"save dialog", [&] { TSaveDialog::setNextFileName(qs(longPage)); p.action("acOutputFile")->trigger(); }},
            {"recent files", [&] { p.child<QMenu>("mnuRecentFiles")->aboutToShow(); p.child<QMenu>("mnuRecentFiles")->actions().first()->trigger(); }},
            {"recent folders", [&] { p.child<QMenu>("mnuRecentDirs")->aboutToShow(); p.child<QMenu>("mnuRecentDirs")->actions().first()->trigger(); }},
            {"dropped folder", [&] { drop(longDir); }},
            {"dropped page", [&] { drop(longPage); }},
        };
        const QString tooLong = p.window->Language().Texts.MsgPathTooLong;
        for (const auto& [way, enter] : ways) {
            desktop.messages.clear();
            enter();
            QVERIFY2(desktop.messages.size() == 1 && desktop.messages[0].text.startsWith(tooLong.left(20)), way);
            QVERIFY2(desktop.messages[0].text.endsWith(QString::fromStdString(std::string(60, 'e')) + "/") ||
                         desktop.messages[0].text.endsWith(".htm"), way);
            QVERIFY2(p.input->text() == input && p.output->text() == output, way);
        }
        // A field that holds one anyway generates nothing.
        desktop.messages.clear();
        p.output->setText(qs(longPage));
        p.generate();
        QVERIFY(desktop.onlyMessage(QMessageBox::Warning, tooLong.arg(qs(longPage))));
        QVERIFY(!std::filesystem::exists(longPage));
        QCOMPARE(p.window->Generator().RecentDirs.Count(), 1); // only the one loaded

        // A folder, a page or an export of a usable length dropped on the window fills its
        // field; other files are not taken.
        desktop.messages.clear();
        drop(p.tmp.dir());
        QCOMPARE(p.input->text(), qs(p.tmp.dir()));
        drop(p.tmp.path("music.jsonl"));
        QCOMPARE(p.output->text(), qs(p.tmp.path("music.jsonl")));
        drop(p.tmp.path("music.HTML"));
        QCOMPARE(p.output->text(), qs(p.tmp.path("music.HTML")));
        drop(p.tmp.write("notes.txt"));
        QCOMPARE(p.output->text(), qs(p.tmp.path("music.HTML")));
        QVERIFY(desktop.messages.empty());
    }

    void inputDirectoryStartsAtHomeThenAtTheLastChoice()
    {
        FakeDesktop desktop;
        GeneratePage p;
        const std::string home = p.tmp.mkdir("home");
        const AtHome atHome(home);
        TBrowseDialog& dialog = p.window->BrowseDialog();
        const auto choose = [&](const std::optional<std::string>& answer) {
            TBrowseDialog::setNextDirectory(answer);
            p.action("acInputDir")->trigger();
        };
        choose(std::nullopt); // cancelled: the browser keeps what it was to open on
        QCOMPARE(dialog.Directory, home);
        choose(home + "music");
        QCOMPARE(p.input->text(), qs(home) + QStringLiteral("music/"));
        p.input->setText(QStringLiteral("/elsewhere/"));
        choose(std::nullopt);
        QCOMPARE(dialog.Directory, home + "music");
        QCOMPARE(p.input->text(), QStringLiteral("/elsewhere/"));
        QCOMPARE(dialog.Caption, QStringLiteral("Select input directory"));
    }

    void outputFileProposesAPageAtHomeThenTheLastChoice()
    {
        FakeDesktop desktop;
        GeneratePage p;
        const std::string home = p.tmp.mkdir("home");
        const AtHome atHome(home);
        TSaveDialog& dialog = p.window->SaveDialog();
        const auto choose = [&](const QString& answer) {
            TSaveDialog::setNextFileName(answer);
            p.action("acOutputFile")->trigger();
        };
        choose(QString()); // cancelled: the dialog keeps what it was to propose
        QCOMPARE(dialog.FileName, qs(home) + QStringLiteral("mp3list.htm"));
        QVERIFY(p.output->text().isEmpty());
        choose(qs(home) + QStringLiteral("jazz.html"));
        QCOMPARE(p.output->text(), qs(home) + QStringLiteral("jazz.html"));
        QCOMPARE(dialog.FileName, qs(home) + QStringLiteral("jazz.html"));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Select an output HTML file..."));
        QCOMPARE(dialog.filter(), QStringLiteral("HTML Files (*.htm; *.html)|*.htm; *.html|All Files (*.*)|*.*"));
        QCOMPARE(dialog.defaultSuffix(), QStringLiteral("htm"));
        QVERIFY(dialog.testOption(QFileDialog::DontConfirmOverwrite));
    }

    void theHomepageQuestion()
    {
        FakeDesktop desktop;
        WindowFixture f;
        desktop.answer = QMessageBox::No;
        f.action("acTunesheetsHomepage")->trigger();
        QVERIFY(desktop.opened.isEmpty());
        desktop.answer = QMessageBox::Yes;
        f.action("acTunesheetsHomepage")->trigger();
        QCOMPARE(desktop.messages.size(), std::size_t(2));
        QCOMPARE(desktop.messages[1].icon, QMessageBox::Question);
        QVERIFY(desktop.messages[1].text.startsWith(QStringLiteral("Visit ")));
        QVERIFY(desktop.messages[1].text.endsWith(QStringLiteral(" ?")));
        QCOMPARE(desktop.opened.size(), 1);
        QVERIFY(desktop.messages[1].text.contains(desktop.opened[0]));
        // The home page is one that exists: the guide.
        QCOMPARE(QUrl(desktop.opened[0]).toLocalFile(), desktop.guideFile());
        QVERIFY(QFile::exists(desktop.guideFile()));
    }

    // The sample "Čierna káva" has accented texts in ID3v2 only.
    void eachTagPriorityEntryGivesThePageItsTextPromises()
    {
        FakeDesktop desktop;
        GeneratePage p;
        p.child<QCheckBox>("chkIncludeSubdirectories")->setChecked(true);
        auto* priority = p.child<QComboBox>("cmbID3TagPriority");
        QCOMPARE(priority->currentText(), QStringLiteral("Ver.2.3 first, then ver.1.1"));
        const std::pair<const char*, const char*> entries[] = {
            {"Ver.2.3 first, then ver.1.1", "Kvarteto Ľudí"}, {"Ver.1.1 first, then ver.2.3", "Kvarteto Ludi"}};
        for (const auto& [entry, artist] : entries) {
            p.prepare(agDontShow);
            priority->setCurrentIndex(priority->findText(QLatin1String(entry)));
            p.generate();
            QVERIFY2(readFile(p.tmp.path("page.htm")).find(artist) != std::string::npos, entry);
        }
    }

    void theWindowsPageIsTheCommandLineToolsPageForTheSameSettings()
    {
        FakeDesktop desktop;
        GeneratePage p;
        p.prepare(agDontShow);
        p.child<QCheckBox>("chkIncludeSubdirectories")->setChecked(true);
        p.child<QCheckBox>("chkDirOverTable")->setChecked(true);
        p.child<QComboBox>("cmbFileSizeIn")->setCurrentIndex(fsBytes);
        p.child<QComboBox>("cmbFileName")->setCurrentIndex(fnFullPath);
        p.child<QComboBox>("cmbID3TagPriority")->setCurrentIndex(tpID3v2First);
        p.child<QListWidget>("chklbActiveLinks")->item(1)->setCheckState(Qt::Checked);
        p.child<QLineEdit>("lbledtPageCaption")->setText(QStringLiteral("Samples & more"));
        p.child<ColourBox>("cbxCellBackground")->setColour(rgbColour(0x12, 0x34, 0x56));
        p.child<ColourBox>("cbxPageText")->setColour(rgbColour(0xA6, 0xCA, 0xF0));
        auto* selected = p.child<QListWidget>("lbSelected");
        selected->clear();
        selected->addItems({"File name", "Track", "Title", "Bit rate", "Artist", "Genre", "Length", "Channels",
                            "File size"});
        p.generate();
        QVERIFY(desktop.messages.empty());
        const std::string windowPage = readFile(p.tmp.path("page.htm"));
        QVERIFY(windowPage.find("Samples &amp; more") != std::string::npos);
        QVERIFY(windowPage.find("<th nowrap>&nbsp;Bit rate&nbsp;</th>") != std::string::npos);

        // The window's two files, read by the command-line tool, give the same page...
        p.action("acSaveSettings")->trigger();
        std::filesystem::remove(p.tmp.path("page.htm"));
        const auto runCli = [](const QStringList& args) {
            QProcess cli;
            cli.start(QStringLiteral(TUNESHEET_BIN_DIR "/tunesheet-cli"), args);
            return cli.waitForFinished(30000) && cli.exitCode() == 0 && cli.readAllStandardError().isEmpty();
        };
        QVERIFY(runCli({QStringLiteral("--settings"), qs(p.settingsFile())}));
        QVERIFY(readFile(p.tmp.path("page.htm")) == windowPage);

        // ...and so do the tool's, written from its options and loaded by the window.
        std::filesystem::remove(p.tmp.path("page.htm"));
        QVERIFY(runCli({"--subdirs", "--dir-captions", "--size-unit", "B", "--full-path", "--tag-priority", "v2",
                        "--links", "title", "--title", "Samples & more", "--color", "cell-background=#123456",
                        "--color", "page-text=#A6CAF0", "--columns",
                        "filename,track,title,bitrate,artist,genre,length,channels,size", "--save-settings",
                        qs(p.settingsFile()), p.input->text(), p.output->text()}));
        p.restart();
        p.child<QComboBox>("cmbAfterGenerate")->setCurrentIndex(agDontShow);
        p.generate();
        QVERIFY(desktop.messages.empty());
        QVERIFY(readFile(p.tmp.path("page.htm")) == windowPage);
    }

    // The page kind's choice gives the library page, in the window's language; it is kept in
    // the options file, and the plain table stays the default.
    void theSearchableLibraryIsWrittenInTheWindowsLanguage()
    {
        FakeDesktop desktop;
        GeneratePage p;
        QCOMPARE(p.child<QComboBox>("cmbPageKind")->currentIndex(), 0);
        p.prepare(agDontShow);
        p.child<QCheckBox>("chkIncludeSubdirectories")->setChecked(true);
        p.child<QComboBox>("cmbPageKind")->setCurrentIndex(1);
        p.generate();
        QVERIFY(desktop.messages.empty());
        std::string page = readFile(p.tmp.path("page.htm"));
        QVERIFY(page.rfind("<!DOCTYPE html>\r\n<html lang=\"en\">", 0) == 0);
        QVERIFY(page.find("<label for=\"q\">Search</label>") != std::string::npos);
        p.action("acSaveSettings")->trigger();
        QVERIFY(readFile(optionsFileOf(p.settingsFile())).find("page=library\r\n") != std::string::npos);

        if (!std::filesystem::exists(TUNESHEET_BIN_DIR "/slovak.dll"))
            QSKIP("the Slovak language library is not built");
        p.window->Language().LanguageLibrary = QStringLiteral("slovak.dll");
        QVERIFY(p.window->ChangeLanguage());
        QCOMPARE(p.child<QComboBox>("cmbPageKind")->currentIndex(), 1);
        p.generate();
        page = readFile(p.tmp.path("page.htm"));
        QVERIFY(page.find("<html lang=\"sk\">") != std::string::npos);
        QVERIFY(page.find("<label for=\"q\">H\xC4\xBE" "ada\xC5\xA5</label>") != std::string::npos);
    }

    // A record another program wrote, or one that no longer agrees with the options file
    // beside it, gives the page it always gave.
    void anOptionsFileThatDisagreesWithTheRecordIsNotUsed()
    {
        FakeDesktop desktop;
        GeneratePage p;
        p.prepare(agDontShow);
        auto* selected = p.child<QListWidget>("lbSelected");
        selected->clear();
        selected->addItems({"Title", "Artist"});
        p.generate();
        const std::string recordPage = readFile(p.tmp.path("page.htm"));
        p.window->close();
        p.tmp.write("tunesheet.options", "columns=track,artist,title\r\n");
        p.restart();
        selected = p.child<QListWidget>("lbSelected");
        QCOMPARE(selected->count(), 2);
        QCOMPARE(selected->item(0)->text(), QStringLiteral("Title"));
        p.generate();
        QVERIFY(readFile(p.tmp.path("page.htm")) == recordPage);
        QVERIFY(desktop.messages.empty());
    }
};

QTEST_MAIN(GenerateTest)
#include "generate_test.moc"
