// Re-labelling a window from a language library, and the ".language" file.
#include "dialogs/BrowsDlg.h"
#include "dialogs/SaveDialog.h"
#include "generator/Columns.h"
#include "i18n/LanguageSession.h"
#include "i18n/LanguageTargets.h"
#include "platform/Errors.h"

#include "common/TempDir.h"
#include "desktop/FakeDesktop.h"
#include "i18n/LanguageFiles.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <QtTest>

#include <dlfcn.h>

namespace {

const QString bin = QStringLiteral(TUNESHEET_BIN_DIR);
const QString libs = QStringLiteral(TUNESHEET_TEST_LIBS);

// A window that has every object the language table names, built the way the main window
// builds them, with the English texts.
class TestForm : public QWidget {
public:
    explicit TestForm(int fileNameItems = 2)
    {
        auto* layout = new QVBoxLayout(this);
        auto* bar = new QMenuBar(this);
        layout->addWidget(bar);
        for (auto [name, title] : {std::pair{"Main1", "Main"}, {"Settings1", "Settings"}, {"Help1", "Help"}}) {
            QMenu* menu = bar->addMenu(QString::fromLatin1(title));
            menu->setObjectName(QLatin1String(name));
        }
        for (const char* name : {"acHelpContents", "acAboutProgram", "acAboutAuthor", "acTunesheetsHomepage",
                                 "acInputDir", "acOutputFile", "acGenerateList", "acExit", "acCopyAll",
                                 "acCopySelected", "acRemoveSelected", "acRemoveAll", "acMoveUp", "acMoveDown",
                                 "acColors", "acMainSettings", "acHTMLPSettings", "acOrder", "acLoadSettings",
                                 "acSaveSettings", "acLanguage"}) {
            auto* action = new QAction(QLatin1String(name), this);
            action->setObjectName(QLatin1String(name));
            action->setStatusTip(QStringLiteral("hint of ") + QLatin1String(name));
        }
        // The glyph buttons of the items-order page show their hint as a tool tip too.
        auto* copyAll = findChild<QAction*>(QStringLiteral("acCopyAll"));
        copyAll->setToolTip(copyAll->statusTip());
        exitButton = new QToolButton(this);
        exitButton->setDefaultAction(findChild<QAction*>(QStringLiteral("acExit")));
        copyAllButton = new QToolButton(this);
        copyAllButton->setDefaultAction(copyAll);

        auto* save = new TSaveDialog(this);
        save->setObjectName(QStringLiteral("sdFile"));
        save->setFilter(QStringLiteral("HTML Files (*.htm; *.html)|*.htm; *.html|All Files (*.*)|*.*"));
        auto* browse = new TBrowseDialog(this);
        browse->setObjectName(QStringLiteral("bdDir"));

        for (const char* name : {"lbledtInput", "lbledtOutput", "lbledtPageCaption"}) {
            auto* edit = new QLineEdit(this);
            edit->setObjectName(QLatin1String(name));
            auto* label = new QLabel(QStringLiteral("label"), this);
            label->setObjectName(QLatin1String(name) + QStringLiteral("Label"));
            label->setBuddy(edit);
        }
        for (const char* name : {"chkIncludeSubdirectories", "chkDirOverTable", "chkAllDirsInOneTable", "chkWrap"})
            (new QCheckBox(QLatin1String(name), this))->setObjectName(QLatin1String(name));
        for (int i = 1; i <= 14; ++i)
            (new QLabel(QStringLiteral("label"), this))->setObjectName(QStringLiteral("Label%1").arg(i));
        (new QLabel(QStringLiteral("label"), this))->setObjectName(QStringLiteral("lblPageKind"));
        combo("cmbID3TagPriority", {"Ver.2.3 first, then ver.1.1", "Ver.1.1 first, then ver.2.3"});
        combo("cmbAfterGenerate", {"Show the page", "Don't show the page", "Ask me to show the page"});
        combo("cmbFileSizeIn", {"Bytes (B)", "KiloBytes (kB)", "MegaBytes (MB)"});
        combo("cmbFileName", QStringList{"Only file names", "File names with full path"}.mid(0, fileNameItems));
        combo("cmbPageKind", {"Plain table", "Searchable library"});
        for (const char* name : {"cbxPageBackground", "cbxPageText", "cbxDirectoryName", "cbxCellBackground",
                                 "cbxHeaderBackground", "cbxActiveLink", "cbxMouseOverActiveLink"})
            combo(name, {"Black", "White"});
        list("chklbActiveLinks", {"Artist name", "Song name", "File name"});
        for (int i = 0; i < 3; ++i)
            list("chklbActiveLinks")->item(i)->setCheckState(Qt::Unchecked);
        QStringList columns;
        for (const ColumnKind& column : columnKinds())
            columns << QString::fromUtf8(column.englishHeader);
        list("lbAvailable", columns);
        list("lbSelected", {});
    }

    QComboBox* combo(const char* name, const QStringList& items = {}) { return withItems<QComboBox>(name, items); }
    QListWidget* list(const char* name, const QStringList& items = {}) { return withItems<QListWidget>(name, items); }
    // The list named `name`, made with `items` when there is none yet.
    template <class List>
    List* withItems(const char* name, const QStringList& items)
    {
        auto* list = findChild<List*>(QLatin1String(name));
        if (!list) {
            list = new List(this);
            list->setObjectName(QLatin1String(name));
            list->addItems(items);
        }
        return list;
    }
    QString action(const char* name) { return findChild<QAction*>(QLatin1String(name))->text(); }
    QString label(const char* name) { return findChild<QLabel*>(QLatin1String(name))->text(); }

    QToolButton* exitButton = nullptr;
    QToolButton* copyAllButton = nullptr;
};

// Applies `library` to `form` as the main window does.
bool change(QWidget* form, LanguageSession& session, const QString& library)
{
    session.LanguageLibrary = library;
    return session.ChangeLanguage(form);
}

bool isLoaded(const QString& path)
{
    void* handle = ::dlopen(path.toLocal8Bit().constData(), RTLD_NOW | RTLD_NOLOAD);
    if (handle)
        ::dlclose(handle);
    return handle != nullptr;
}

} // namespace

class LanguageSwitchTest : public QObject {
    Q_OBJECT

    FakeDesktop desktop;

private slots:
    void init() { desktop.messages.clear(); }

    void everyTargetShowsTheSlovakText()
    {
        TestForm form;
        LanguageSession session;
        HeldTexts& texts = session.Texts;
        form.combo("cmbID3TagPriority")->setCurrentIndex(0);
        form.combo("cmbAfterGenerate")->setCurrentIndex(2);
        form.combo("cmbFileSizeIn")->setCurrentIndex(1);
        form.combo("cmbFileName")->setCurrentIndex(1);
        form.list("chklbActiveLinks")->item(1)->setCheckState(Qt::Checked);
        form.list("lbAvailable")->setCurrentRow(3);

        QVERIFY(change(&form, session, bin + "/slovak.dll"));
        QVERIFY(desktop.messages.empty());

        const QStringList expected = libraryTexts(bin + "/slovak.dll", "windows-1250");
        QCOMPARE(expected.size(), LanguageTextCount);
        for (const LanguageTarget& target : languageTargets())
            QVERIFY2(languageTargetText(&form, texts, target) == expected[target.index - 1],
                     qPrintable(QStringLiteral("index %1").arg(target.index)));

        // Texts the controls pass on, with every accented letter decoded right.
        QCOMPARE(form.findChild<QMenu*>(QStringLiteral("Main1"))->title(), QString::fromUtf8("Hlavné"));
        QCOMPARE(form.exitButton->text(), QString::fromUtf8("Ukončiť program"));
        QCOMPARE(form.copyAllButton->toolTip(), QString::fromUtf8("Skopírovať všetky položky"));
        QCOMPARE(form.label("lbledtInputLabel"), QString::fromUtf8("Vstupný &priečinok:"));
        QCOMPARE(form.list("lbAvailable")->item(4)->text(), QString::fromUtf8("Dĺžka"));
        QCOMPARE(form.findChild<TSaveDialog*>(QStringLiteral("sdFile"))->filter(),
                 QString::fromUtf8("Súbory HTML (*.htm; *.html)|*.htm; *.html|Všetky súbory (*.*)|*.*"));
        QCOMPARE(texts.TranslatedBy, QString::fromUtf8("Preložil tím tunesheet"));

        // Selections, check marks and the current row stay.
        QCOMPARE(form.combo("cmbID3TagPriority")->currentIndex(), 0);
        QCOMPARE(form.combo("cmbAfterGenerate")->currentIndex(), 2);
        QCOMPARE(form.combo("cmbFileSizeIn")->currentIndex(), 1);
        QCOMPARE(form.combo("cmbFileName")->currentIndex(), 1);
        QCOMPARE(form.list("chklbActiveLinks")->item(1)->checkState(), Qt::Checked);
        QCOMPARE(form.list("chklbActiveLinks")->item(0)->checkState(), Qt::Unchecked);
        QCOMPARE(form.list("lbAvailable")->currentRow(), 3);

        QVERIFY2(!isLoaded(bin + "/slovak.dll"), "the library is unloaded when the call returns");
    }

    void englishBringsTheEnglishTextsBackAndQtFollowsTheLanguage()
    {
        TestForm form;
        LanguageSession session;
        HeldTexts& texts = session.Texts;
        QVERIFY(change(&form, session, bin + "/slovak.dll"));
        // Qt's own texts: its Slovak translation, named by the library's language 0x041B.
        QCOMPARE(session.qtLanguage(), QStringLiteral("sk"));
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QString::fromUtf8("Zrušiť"));
        QVERIFY(change(&form, session, bin + "/english.dll"));
        const HeldTexts english;
        QCOMPARE(texts.MsgNoColumns, english.MsgNoColumns);
        QCOMPARE(texts.MsgRestart, english.MsgRestart);
        QCOMPARE(texts.CaptionCancel, english.CaptionCancel);
        QCOMPARE(texts.ColourNames, english.ColourNames);
        QCOMPARE(form.action("acTunesheetsHomepage"), QStringLiteral("TUNESHEET's Homepage"));
        QCOMPARE(form.label("lbledtOutputLabel"), QStringLiteral("Output &file:"));
        QCOMPARE(session.qtLanguage(), QString());
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Cancel"));
    }

    // A library of the older kind answers "<language error>" after index 113.
    void anOlderLibraryLeavesTheLaterTextsEnglish()
    {
        TestForm form;
        LanguageSession session;
        QVERIFY(change(&form, session, bin + "/slovak.dll"));
        QVERIFY(change(&form, session, libs + "/limits.dll"));
        const HeldTexts english;
        QCOMPARE(session.Texts.TranslatedBy, QStringLiteral("text 107"));
        QCOMPARE(session.Texts.RecentFilesCaption, english.RecentFilesCaption);
        QCOMPARE(session.Texts.Browse.Title, english.Browse.Title);
        QCOMPARE(session.Texts.ColourNames, english.ColourNames);
    }

    // Its answers are read as length-prefixed texts of at most 255 characters whatever it
    // writes; the marker that names it while it is bound is gone afterwards.
    void aLibraryThatWritesFarTooMuchHarmsNothing()
    {
        TempDir tmp;
        TestForm form;
        LanguageSession session;
        session.setMarkerFile(QString::fromStdString(tmp.path("tunesheet.language-loading")));
        QVERIFY(change(&form, session, libs + "/overlong.dll"));
        QCOMPARE(form.action("acExit"), QString(255, QLatin1Char('x')));
        QCOMPARE(session.Texts.MsgRestart, QString(255, QLatin1Char('x')));
        QCOMPARE(tmp.entryCount(), std::size_t(0));
    }

    void aRunTimeSwitchKeepsTheSelectedColumnsRight()
    {
        TestForm form;
        LanguageSession session;
        // Found in the available list in any letter case, as the column mapping finds them.
        form.list("lbSelected")->addItems({"Title", "File name", "ARTIST"});
        form.list("lbSelected")->setCurrentRow(1);
        QVERIFY(change(&form, session, bin + "/slovak.dll"));
        const QStringList slovak{QString::fromUtf8("Názov"), QString::fromUtf8("Názov súboru"),
                                 QStringLiteral("Interpret")};
        for (int i = 0; i < 3; ++i)
            QCOMPARE(form.list("lbSelected")->item(i)->text(), slovak[i]);
        QCOMPARE(form.list("lbSelected")->currentRow(), 1);
        // Each selected entry still names the same available column.
        QCOMPARE(form.list("lbAvailable")->item(1)->text(), slovak[0]);
        QCOMPARE(form.list("lbAvailable")->item(6)->text(), slovak[1]);
        QVERIFY(change(&form, session, bin + "/english.dll"));
        QCOMPARE(form.list("lbSelected")->item(1)->text(), QStringLiteral("File name"));
    }

    void aFileThatIsNoLanguageGivesLanguageNotFoundAndChangesNothing()
    {
        TempDir tmp;
        const QString broken = QString::fromStdString(tmp.write("broken.dll", "MZ this is no library"));
        QFile::copy(bin + "/tunesheet-cli", QString::fromStdString(tmp.path("foreign.dll")));
        for (const QString& file : {QString::fromStdString(tmp.path("missing.dll")), broken,
                                    QString::fromStdString(tmp.path("foreign.dll")), libs + "/noexport.dll"}) {
            desktop.messages.clear();
            TestForm form;
            LanguageSession session;
        HeldTexts& texts = session.Texts;
            QVERIFY(!change(&form, session, file));
            QCOMPARE(desktop.messages.size(), std::size_t(1));
            QCOMPARE(desktop.messages[0].text, QStringLiteral("Language not found"));
            QCOMPARE(desktop.messages[0].icon, QMessageBox::NoIcon);
            QCOMPARE(form.action("acExit"), QStringLiteral("acExit"));
            QCOMPARE(texts.MsgRestart, HeldTexts().MsgRestart);
        }
        QVERIFY(!isLoaded(libs + "/noexport.dll"));
    }

    void anAssignmentThatFailsLeavesTheTextsSoFarAndUnloadsTheLibrary()
    {
        TestForm form(1); // cmbFileName lacks its second item (index 69)
        LanguageSession session;
        HeldTexts& texts = session.Texts;
        QVERIFY_THROWS_EXCEPTION(platform::ListIndexError, change(&form, session, bin + "/slovak.dll"));
        QCOMPARE(form.action("acExit"), QString::fromUtf8("Ukončiť program")); // index 18
        QCOMPARE(form.label("Label2"), QString::fromUtf8("Zobraziť názov &súboru:")); // index 67
        QCOMPARE(form.label("Label3"), QStringLiteral("label"));                     // index 71
        QCOMPARE(texts.MsgNoColumns, HeldTexts().MsgNoColumns);                     // index 103
        QVERIFY(!isLoaded(bin + "/slovak.dll"));
    }

    void theChoiceFileCountsOnlyItsFirstLineAsWritten()
    {
        TempDir tmp;
        const QString folder = QString::fromStdString(tmp.dir());
        tmp.write("slovak.dll", "x");
        const QString file = QString::fromStdString(tmp.path("tunesheet.language"));
        auto recorded = [&](const QByteArray& bytes) {
            write(file, bytes);
            return recordedLanguageLibrary(file, folder);
        };
        QCOMPARE(recordedLanguageLibrary(file, folder), QString()); // no file
        QCOMPARE(recorded("slovak.dll\r\n"), QStringLiteral("slovak.dll"));
        QCOMPARE(recorded("slovak.dll"), QStringLiteral("slovak.dll"));
        QCOMPARE(recorded("slovak.dll\r\nenglish.dll\r\n"), QStringLiteral("slovak.dll"));
        QCOMPARE(recorded("slovak.dll\nenglish.dll\n"), QStringLiteral("slovak.dll"));
        QCOMPARE(recorded(""), QString());
        QCOMPARE(recorded("\r\nslovak.dll\r\n"), QString());
        QCOMPARE(recorded(" slovak.dll\r\n"), QString()); // not trimmed: no such file
        QCOMPARE(recorded("slovak.dll \r\n"), QString());
        QCOMPARE(recorded(folder.toLocal8Bit() + "slovak.dll\r\n"), QString()); // a full path
        QCOMPARE(recorded("english.dll\r\n"), QString());                      // not in the folder
        QCOMPARE(readLanguageChoice(file), QStringLiteral("english.dll"));
    }

    void theChoiceIsWrittenAsOneLineAndOnlyWhenThereIsOne()
    {
        TempDir tmp;
        const QString file = QString::fromStdString(tmp.path("tunesheet.language"));
        saveLanguageChoice(QString(), file);
        QVERIFY(!QFile::exists(file));
        write(file, "english.dll\r\nslovak.dll\r\n");
        saveLanguageChoice(QString(), file);
        QCOMPARE(contents(file), QByteArray("english.dll\r\nslovak.dll\r\n"));
        saveLanguageChoice(QStringLiteral("slovak.dll"), file);
        QCOMPARE(contents(file), QByteArray("slovak.dll\r\n"));
        QVERIFY_THROWS_EXCEPTION(platform::FileCreateError,
                                 saveLanguageChoice(QStringLiteral("slovak.dll"),
                                                    QString::fromStdString(tmp.path("no/such/folder/x.language"))));
    }

    // The start-up step with the choice file beside this test program and the libraries in
    // its folder.
    void theRecordedLanguageIsAppliedAtStart()
    {
        const QString file = languageChoiceFile();
        QCOMPARE(executableFolder(), bin + QLatin1Char('/'));
        struct Cleanup {
            QString file;
            ~Cleanup() { QFile::remove(file); }
        } cleanup{file};

        {
            QFile::remove(file);
            TestForm form;
            LanguageSession session;
            const QString& LanguageLibrary = session.LanguageLibrary;
            session.applyRecorded(&form);
            QCOMPARE(LanguageLibrary, QString());
            QCOMPARE(form.action("acExit"), QStringLiteral("acExit"));
        }
        {
            write(file, "slovak.dll\r\n");
            TestForm form;
            LanguageSession session;
            const QString& LanguageLibrary = session.LanguageLibrary;
            session.applyRecorded(&form);
            QCOMPARE(LanguageLibrary, QStringLiteral("slovak.dll"));
            QCOMPARE(form.action("acExit"), QString::fromUtf8("Ukončiť program"));
            QVERIFY(desktop.messages.empty());
        }
        {
            write(file, "nosuchlanguage.dll\r\n");
            TestForm form;
            LanguageSession session;
            const QString& LanguageLibrary = session.LanguageLibrary;
            session.applyRecorded(&form);
            QCOMPARE(LanguageLibrary, QString());
            QVERIFY(desktop.messages.empty());
        }
        {
            // A file that is there but is no library: the message, English, and the name kept.
            const QString name = QStringLiteral("languageswitch_test-broken.dll");
            write(bin + "/" + name, "no library");
            struct Remove {
                QString path;
                ~Remove() { QFile::remove(path); }
            } remove{bin + "/" + name};
            write(file, name.toLocal8Bit() + "\r\n");
            TestForm form;
            LanguageSession session;
            const QString& LanguageLibrary = session.LanguageLibrary;
            session.applyRecorded(&form);
            QCOMPARE(LanguageLibrary, name);
            QCOMPARE(desktop.messages.size(), std::size_t(1));
            QCOMPARE(desktop.messages[0].text, QStringLiteral("Language not found"));
            QCOMPARE(form.action("acExit"), QStringLiteral("acExit"));
        }
    }
};

QTEST_MAIN(LanguageSwitchTest)
#include "languageswitch_test.moc"
