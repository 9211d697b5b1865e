// Re-labelling a window from a language library, and the ".language" file.
#include "i18n/LanguageSession.h"
#include "i18n/LanguageTargets.h"
#include "platform/Errors.h"

#include "common/TempDir.h"
#include "desktop/FakeDesktop.h"
#include "i18n/LanguageFiles.h"
#include "i18n/LanguageTestForm.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QtTest>

#include <dlfcn.h>

namespace {

const QString bin = QStringLiteral(TUNESHEET_BIN_DIR);
const QString libs = QStringLiteral(TUNESHEET_TEST_LIBS);

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
        // The two that Qt's Slovak translation lacks come from the library.
        QCOMPARE(QCoreApplication::translate("QAbstractFileIconProvider", "Folder", "All other platforms"),
                 QString::fromUtf8("Priečinok"));
        QCOMPARE(QCoreApplication::translate("QColorDialog", "&Pick Screen Color"),
                 QString::fromUtf8("&Vybrať farbu z obrazovky"));
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
        // otherversion.dll has GetMyStr but declares another interface version.
        for (const QString& file : {QString::fromStdString(tmp.path("missing.dll")), broken,
                                    QString::fromStdString(tmp.path("foreign.dll")), libs + "/noexport.dll",
                                    libs + "/otherversion.dll"}) {
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
        // A library is named by its file name alone: nothing that leads out of the folder, even
        // to a file that is there. Each name that is not used is told.
        tmp.write("sub/slovak.dll", "x");
        for (const char* name : {"sub/slovak.dll", "sub/../slovak.dll", "sub\\slovak.dll", "..", "english.dll"}) {
            write(file, QByteArray(name) + "\r\n");
            QString refused;
            QVERIFY2(recordedLanguageLibrary(file, folder, &refused).isEmpty(), name);
            QCOMPARE(refused, QString::fromLatin1(name));
        }
        QString refused;
        write(file, "\r\n");
        QCOMPARE(recordedLanguageLibrary(file, folder, &refused), QString());
        QCOMPARE(refused, QString()); // nothing named: nothing to tell
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
        // A library that is not there, or a name that leads out of the folder: English, said
        // once.
        for (const QByteArray& name : {QByteArray("nosuchlanguage.dll"), QByteArray("../bin/slovak.dll"), bin.toLocal8Bit() + "/slovak.dll"}) {
            desktop.messages.clear();
            write(file, name + "\r\n");
            for (int start = 0; start < 2; ++start) {
                TestForm form;
                LanguageSession session;
                session.applyRecorded(&form);
                QCOMPARE(session.LanguageLibrary, QString());
                QCOMPARE(form.action("acExit"), QStringLiteral("acExit"));
            }
            QCOMPARE(desktop.messages.size(), std::size_t(1));
            QCOMPARE(desktop.messages[0].text, HeldTexts().MsgLanguageMissing.arg(QString::fromLocal8Bit(name)));
        }
        desktop.messages.clear();
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
