// The language support inside the real main window: the start with a recorded language, the
// hidden switch to Slovak, the Language command and the about box.
#include "dialogs/BrowsDlg.h"
#include "dialogs/SaveDialog.h"
#include "desktop/HelpWindow.h"
#include "dialogs/about.h"
#include "ui/ColourBox.h"
#include "i18n/LanguageTargets.h"
#include "i18n/LanguageTable.h"
#include "i18n/language.h"
#include "ui/unMain.h"

#include "common/RunProgram.h"
#include "desktop/FakeDesktop.h"
#include "i18n/LanguageFiles.h"
#include "ui/WindowFixture.h"

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QTextBrowser>

#include <cstring>

namespace {

const QString bin = QStringLiteral(TUNESHEET_BIN_DIR);

// The start of the window over the files of `base` and its close, in a process of its own:
// this test program run with "--start-window BASE" (see main).
ProgramResult startInAProcessOfItsOwn(const std::string& base)
{
    return runProgram(QCoreApplication::applicationFilePath().toStdString(), {"--start-window", base});
}

QStringList items(QListWidget* list)
{
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

} // namespace

class MainWindowLanguageTest : public QObject {
    Q_OBJECT
private slots:
    void aRecordedLanguageRelabelsAllTargetsAtStart()
    {
        FakeDesktop desktop;
        WindowFixture f;
        write(f.tmp.path("tunesheet.language"), "slovak.dll\r\nignored.dll\r\n");
        f.restart();
        QCOMPARE(f.window->Language().LanguageLibrary, QStringLiteral("slovak.dll"));
        QVERIFY(desktop.messages.empty());
        const QStringList expected = libraryTexts(bin + "/slovak.dll", "windows-1250");
        QCOMPARE(expected.size(), LanguageTextCount);
        for (const LanguageTarget& target : languageTargets()) {
            QString shown = languageTargetText(f.window.get(), f.window->Language().Texts, target);
            // The menus give their titles and items an access key of their own.
            const QByteArray name = target.objectName;
            if (target.kind == TextKind::Caption && (target.index <= 3 || name.startsWith("ac")))
                shown.remove(QLatin1Char('&'));
            QVERIFY2(shown == expected[target.index - 1], qPrintable(QStringLiteral("index %1: %2").arg(target.index).arg(shown)));
        }
        // The selected columns were filled from the translated available ones.
        QCOMPARE(items(f.child<QListWidget>("lbSelected")), items(f.child<QListWidget>("lbAvailable")).mid(0, 7));
        QVERIFY(f.window->idleStatusText().endsWith(QString::fromUtf8("Preložil tím tunesheet")));
        // The texts beyond the original ones reach the parts that show them.
        QCOMPARE(f.child<QMenu>("mnuRecentDirs")->title(), QString::fromUtf8("Nedávne vstupné &priečinky"));
        QCOMPARE(f.child<ColourBox>("cbxPageText")->currentText(), QStringLiteral("Biela"));
        QCOMPARE(f.window->BrowseDialog().Texts.OK, QStringLiteral("OK"));
        QCOMPARE(f.window->BrowseDialog().Texts.Cancel, QString::fromUtf8("Zrušiť"));
        QVERIFY(DesktopServices::texts().CannotShowPage.startsWith(QString::fromUtf8("Stránka bola zapísaná")));
        QCOMPARE(f.window->Language().qtLanguage(), QStringLiteral("sk"));

        // What fails is told in Slovak: what, which file, and why.
        const std::string missing = f.tmp.path("no-such-folder/page.htm");
        f.child<QLineEdit>("lbledtInput")->setText(QStringLiteral(TUNESHEET_SOURCE_DIR "/samples/"));
        f.child<QLineEdit>("lbledtOutput")->setText(QString::fromStdString(missing));
        f.child<QComboBox>("cmbAfterGenerate")->setCurrentIndex(agDontShow);
        WindowFixture::idle();
        f.action("acGenerateList")->trigger();
        QCOMPARE(desktop.messages.size(), std::size_t(1));
        QCOMPARE(desktop.messages[0].text, QString::fromUtf8("Súbor %1 sa nedá vytvoriť\rSúbor alebo priečinok neexistuje.")
                                               .arg(QString::fromStdString(missing)));
        desktop.messages.clear();
        // So is a damaged settings file, with its fields named as the Slovak window labels them.
        TGeneratorSettings damaged = initialFormSettings();
        damaged.FileSizeUnit = 9;
        write(f.tmp.path("tunesheet.settings"), QByteArray(reinterpret_cast<const char*>(&damaged), sizeof damaged));
        f.action("acLoadSettings")->trigger();
        QCOMPARE(desktop.messages.size(), std::size_t(1));
        QCOMPARE(desktop.messages[0].text,
                 QString::fromUtf8("Niektoré nastavenia v súbore %1 sa nedali použiť a teraz majú predvolené hodnoty: "
                                   "Jednotka veľkosti súboru.\rSúbor bol odložený ako %1.damaged.1.")
                     .arg(QString::fromStdString(f.tmp.path("tunesheet.settings"))));
        desktop.messages.clear();

        // F1 and Help open the Slovak guide, which has the English guide's sections and
        // pictures of its own.
        f.action("acHelpContents")->trigger();
        QVERIFY(THelpWindow::instance()->browser()->source().toLocalFile().endsWith(QStringLiteral("/tunesheet.sk.html")));
        THelpWindow::instance()->close();
        const auto anchors = [](const QString& guide) {
            QStringList found;
            const QString html = QString::fromUtf8(contents(QStringLiteral(TUNESHEET_SOURCE_DIR "/doc/") + guide));
            for (const auto& m : QRegularExpression(QStringLiteral("(id|href|src)=\"([^\"]*)\"")).globalMatch(html))
                found << m.captured(1) + QLatin1Char(' ') + m.captured(2).remove(QStringLiteral("sk/"));
            return found;
        };
        QCOMPARE(anchors(QStringLiteral("tunesheet.sk.html")), anchors(QStringLiteral("tunesheet.html")));
        for (const char* picture : {"page1.png", "page2.png", "page3.png", "page4.png"})
            QVERIFY(QFile::exists(QStringLiteral(TUNESHEET_SOURCE_DIR "/doc/images/sk/") + QLatin1String(picture)));

        // In Slovak too, Alt and a menu's letter opens it on every page.
        QVERIFY(f.show());
        QCOMPARE(f.accessKeyProblems(), QStringList());
        f.action("acMainSettings")->trigger();
        QCOMPARE(f.child<QMenu>("Main1")->title(), QString::fromUtf8("&Hlavné"));

        // Closing rewrites the file with the one line.
        f.window->close();
        QCOMPARE(contents(f.tmp.path("tunesheet.language")), QByteArray("slovak.dll\r\n"));
    }

    void aLibraryThatCrashedIsNamedAndSkippedAtTheNextStart()
    {
        FakeDesktop desktop;
        WindowFixture f;
        // Beside the program, where a language library is looked for.
        const QString crashing = QStringLiteral("main_window_language_test-crashing.dll");
        QFile::remove(bin + "/" + crashing);
        QVERIFY(QFile::copy(QStringLiteral(TUNESHEET_TEST_LIBS "/crashing.dll"), bin + "/" + crashing));
        struct Remove {
            QString path;
            ~Remove() { QFile::remove(path); }
        } remove{bin + "/" + crashing};
        const std::string marker = f.tmp.path("tunesheet.language-loading");
        write(f.tmp.path("tunesheet.language"), crashing.toLocal8Bit() + "\r\n");
        const ProgramResult crashed = startInAProcessOfItsOwn(f.tmp.path("tunesheet"));
        QCOMPARE(crashed.exitCode, -1);
        QCOMPARE(contents(marker), crashing.toLocal8Bit() + "\r\n");

        f.restart();
        QCOMPARE(desktop.messages.size(), std::size_t(1));
        QCOMPARE(desktop.messages[0].icon, QMessageBox::Warning);
        QVERIFY(desktop.messages[0].text.contains(crashing));
        QVERIFY(f.window->Language().LanguageLibrary.isEmpty());
        QCOMPARE(f.action("acExit")->iconText(), QStringLiteral("Exit Program"));
        QVERIFY(!QFile::exists(QString::fromStdString(f.tmp.path("tunesheet.language"))));
        QVERIFY(!QFile::exists(QString::fromStdString(marker)));
        // The record is cleared: the next start is an ordinary English one.
        f.restart();
        QCOMPARE(desktop.messages.size(), std::size_t(1));
    }

    void withoutARecordedLanguageTheWindowIsEnglishAndWritesNoChoice()
    {
        FakeDesktop desktop;
        WindowFixture f;
        QVERIFY(f.window->Language().LanguageLibrary.isEmpty());
        QCOMPARE(f.action("acExit")->iconText(), QStringLiteral("Exit Program"));
        f.window->close();
        QVERIFY(!QFile::exists(QString::fromStdString(f.tmp.path("tunesheet.language"))));
        QVERIFY(desktop.messages.empty());
    }

    void theHiddenSwitchKeepsChoicesAndTheColumnMapping()
    {
        FakeDesktop desktop;
        WindowFixture f;
        auto* lbSelected = f.child<QListWidget>("lbSelected");
        lbSelected->clear();
        lbSelected->addItems({"Title", "File name", "Artist"});
        f.child<QComboBox>("cmbAfterGenerate")->setCurrentIndex(2);
        f.child<QComboBox>("cmbFileSizeIn")->setCurrentIndex(2);
        f.child<QComboBox>("cmbID3TagPriority")->setCurrentIndex(0);
        f.child<QComboBox>("cmbFileName")->setCurrentIndex(1);
        auto* encodings = f.child<QComboBox>("cmbLegacyEncoding");
        encodings->setCurrentIndex(encodings->findText("KOI8-R"));

        f.window->Panel4DblClick();
        QVERIFY(desktop.onlyMessage(QMessageBox::NoIcon, QStringLiteral("Skusim nahrat slovak.dll")));
        QCOMPARE(f.window->Language().LanguageLibrary, QStringLiteral("slovak.dll"));
        QCOMPARE(f.action("acOrder")->iconText(), QString::fromUtf8("Poradie položiek"));
        QCOMPARE(f.child<QComboBox>("cmbAfterGenerate")->currentIndex(), 2);
        QCOMPARE(f.child<QComboBox>("cmbFileSizeIn")->currentIndex(), 2);
        QCOMPARE(f.child<QComboBox>("cmbID3TagPriority")->currentIndex(), 0);
        QCOMPARE(f.child<QComboBox>("cmbFileName")->currentIndex(), 1);
        // The language's own code page comes first; the choice stays.
        QCOMPARE(encodings->itemText(0), QStringLiteral("windows-1250"));
        QCOMPARE(encodings->itemText(1), QStringLiteral("ISO-8859-1"));
        QCOMPARE(encodings->count(), platform::LegacyEncodingCount);
        QCOMPARE(encodings->currentText(), QStringLiteral("KOI8-R"));
        QCOMPARE(f.window->SaveDialog().nameFilters().value(0), QString::fromUtf8("Stránka HTML (*.htm; *.html) (*.htm *.html)"));
        QCOMPARE(items(lbSelected),
                 (QStringList{QString::fromUtf8("Názov"), QString::fromUtf8("Názov súboru"), "Interpret"}));

        // The settings record still gets the columns the user chose.
        f.window->FormToClass();
        const TGeneratorSettings& s = f.window->Generator().Settings;
        QCOMPARE(int(s.SelectedItems[0]), int(ciTitle));
        QCOMPARE(int(s.SelectedItems[1]), int(ciFileName));
        QCOMPARE(int(s.SelectedItems[2]), int(ciArtist));
        QCOMPARE(int(s.SelectedItems[3]), int(ciNone));

        f.window->close();
        QCOMPARE(contents(f.tmp.path("tunesheet.language")), QByteArray("slovak.dll\r\n"));
    }

    void theLanguageCommandRecordsANewChoiceAndCloses()
    {
        FakeDesktop desktop;
        WindowFixture f;
        write(f.tmp.path("tunesheet.language"), "slovak.dll\r\n");
        f.restart();
        f.window->show();
        QString shownTitle, selected;
        QTimer::singleShot(0, [&] {
            TfrmLanguage* dialog = TfrmLanguage::instance();
            shownTitle = dialog->windowTitle();
            selected = dialog->cbLanguage()->currentText();
            dialog->cbLanguage()->setCurrentIndex(dialog->cbLanguage()->findText("english"));
            dialog->btnOK()->click();
        });
        f.action("acLanguage")->trigger();
        QCOMPARE(shownTitle, QStringLiteral("Jazyk"));
        QCOMPARE(selected, QStringLiteral("slovak"));
        QVERIFY(desktop.onlyMessage(QMessageBox::Information, f.window->Language().Texts.MsgRestart));
        QVERIFY(f.window->Language().Texts.MsgRestart.startsWith(QStringLiteral("Zmenili ste jazyk.")));
        QVERIFY(!f.window->isVisible());
        QCOMPARE(contents(f.tmp.path("tunesheet.language")), QByteArray("english.dll\r\n"));
    }

    void theAboutCommandShowsTheOneAboutBox()
    {
        FakeDesktop desktop;
        WindowFixture f;
        for (int run = 0; run < 2; ++run) {
            TfrmAboutBox* shown = nullptr;
            QTimer::singleShot(0, [&] {
                shown = qobject_cast<TfrmAboutBox*>(QApplication::activeModalWidget());
                if (shown)
                    shown->AnywhereClick();
            });
            f.action("acAboutProgram")->trigger();
            QCOMPARE(shown, TfrmAboutBox::instance());
            QCOMPARE(shown->label("lblVersion")->text(), QStringLiteral("Version 3.0.0.0"));
        }
        // The box is no part of the window, whose panels and labels have the same names.
        QVERIFY(!TfrmAboutBox::instance()->parent());
    }
};

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc == 3 && std::strcmp(argv[1], "--start-window") == 0) {
        FakeDesktop desktop;
        TfrmMain(nullptr, argv[2]).close();
        return 0;
    }
    app.setAttribute(Qt::AA_Use96Dpi, true);
    MainWindowLanguageTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "main_window_language_test.moc"
