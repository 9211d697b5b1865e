// The main window: start, pages, status line, actions, size, closing and the error box.
#include "ui/CloseOnStop.h"
#include "ui/TunesheetApplication.h"
#include "ui/unMain.h"

#include "desktop/DesktopServices.h"
#include "desktop/HelpWindow.h"
#include "dialogs/about.h"

#include "desktop/DarkPalette.h"
#include "desktop/FakeDesktop.h"
#include "ui/WindowFixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QScrollBar>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTextBrowser>
#include <QToolBar>
#include <QToolButton>
#include <QWindow>

#include <csignal>
#include <functional>
#include <map>
#include <set>

namespace {

QStringList visiblePages(const TfrmMain& w)
{
    QStringList shown;
    for (const char* name : {"Panel1", "Panel2", "Panel3", "Panel4"})
        if (w.findChild<QWidget*>(QLatin1String(name))->isVisibleTo(&w))
            shown << QLatin1String(name);
    return shown;
}

// An object whose event handler fails, as a command handler may.
struct FailingObject : QObject {
    bool event(QEvent* e) override
    {
        if (e->type() == QEvent::User)
            throw std::runtime_error("Cannot create file /nowhere/x.htm");
        return QObject::event(e);
    }
};

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void startsOnPageOneWithTheIdleStatusText()
    {
        FakeDesktop desktop;
        WindowFixture f;
        QVERIFY(f.show(false));
        QCOMPARE(visiblePages(*f.window), QStringList{"Panel1"});
        QCOMPARE(f.window->windowTitle(), QStringLiteral("tunesheet"));
        QCOMPARE(QApplication::applicationName(), QStringLiteral("tunesheet"));
        f.idle();
        QCOMPARE(f.child<QStatusBar>("sbMain")->currentMessage(),
                 QStringLiteral("tunesheet v.3.0 by Korvan, Translated by Korvan"));
        QVERIFY(desktop.messages.empty());
    }

    void eachPageCommandShowsItsPageOnly()
    {
        FakeDesktop desktop;
        WindowFixture f;
        const std::pair<const char*, const char*> commands[] = {
            {"acOrder", "Panel4"}, {"acColors", "Panel3"}, {"acHTMLPSettings", "Panel2"}, {"acMainSettings", "Panel1"}};
        for (const auto& [action, page] : commands) {
            f.action(action)->trigger();
            QCOMPARE(visiblePages(*f.window), QStringList{QLatin1String(page)});
        }
        // The tool bar button runs the same command.
        QTest::mouseClick(f.child<QToolButton>("tbtOrder"), Qt::LeftButton);
        QCOMPARE(visiblePages(*f.window), QStringList{"Panel4"});
    }

    void ctrlAltHShowsTheHtmlPageSettingsNotTheHomepageQuestion()
    {
        FakeDesktop desktop;
        WindowFixture f;
        QVERIFY(f.show());
        QTest::keyClick(f.window.get(), Qt::Key_H, Qt::ControlModifier | Qt::AltModifier);
        QCOMPARE(visiblePages(*f.window), QStringList{"Panel2"});
        QVERIFY(desktop.messages.empty());
        // The keyboard goes on in the page that was asked for.
        QVERIFY(f.child<QWidget>("Panel2")->isAncestorOf(QApplication::focusWidget()));
    }

    void noTwoActionsShareAShortcut()
    {
        WindowFixture f;
        std::set<QString> seen;
        for (QAction* a : f.window->findChildren<QAction*>()) {
            if (a->shortcut().isEmpty())
                continue;
            QVERIFY2(seen.insert(a->shortcut().toString()).second, qPrintable(a->objectName()));
        }
        QCOMPARE(f.action("acHTMLPSettings")->shortcut(), QKeySequence(QStringLiteral("Ctrl+Alt+H")));
    }

    void everyCommandHasAnIconAHintAndItsHelpContext()
    {
        WindowFixture f;
        const std::map<QString, int> contexts = {{"Main", 21}, {"Settings", 22}, {"Help", 23}, {"Order", 34}};
        int commands = 0;
        for (QAction* a : f.window->findChildren<QAction*>()) {
            const QString category = a->property("category").toString();
            if (category.isEmpty())
                continue; // menus' own actions and separators
            ++commands;
            const char* name = qPrintable(a->objectName());
            QVERIFY2(!a->icon().pixmap(16, 16).isNull(), name);
            QVERIFY2(!a->statusTip().isEmpty(), name);
            const int expected = a->objectName() == QLatin1String("acLanguage") ? 0 : contexts.at(category);
            QVERIFY2(a->property("helpContext").toInt() == expected, name);
        }
        QCOMPARE(commands, 21);
        QVERIFY(!f.window->windowIcon().isNull());
    }

    // With a dark palette (a desktop's dark theme) every command's icon stands out from the
    // window, and an enabled glyph more than a disabled one.
    void theIconsStandOutOnADarkPalette()
    {
        const QPalette light = QApplication::palette();
        QApplication::setPalette(darkPalette());
        WindowFixture f;
        const QColor background = f.window->palette().color(QPalette::Window);
        QStringList faint;
        for (QAction* a : f.window->findChildren<QAction*>()) {
            if (a->icon().isNull() || a->property("category").toString().isEmpty())
                continue;
            const double normal = contrastOn(a->icon().pixmap(16, 16, QIcon::Normal), background);
            const double disabled = contrastOn(a->icon().pixmap(16, 16, QIcon::Disabled), background);
            // The glyphs of the items-order page and Generate List are the ones seen disabled.
            const bool seenDisabled = a->property("category").toString() == QLatin1String("Order") ||
                                      a->objectName() == QLatin1String("acGenerateList");
            if (normal < 0.3 || (seenDisabled && normal <= disabled))
                faint << QStringLiteral("%1 %2/%3").arg(a->objectName()).arg(normal).arg(disabled);
        }
        // The guide's dark text keeps a light page under it.
        THelpWindow help;
        const QColor page = help.browser()->palette().color(QPalette::Base);
        QApplication::setPalette(light);
        QVERIFY2(faint.isEmpty(), qPrintable(faint.join(QStringLiteral(", "))));
        QVERIFY(page.lightnessF() > 0.8);
    }

    void aHintReplacesTheIdleTextWhileTheMouseIsOverItsControl()
    {
        FakeDesktop desktop;
        WindowFixture f;
        QVERIFY(f.show(false));
        auto* status = f.child<QStatusBar>("sbMain");
        auto* generate = f.child<QToolButton>("tbtGenerate");
        QTest::mouseMove(generate);
        f.idle();
        QCOMPARE(status->currentMessage(), QStringLiteral("Generate the page according to settings"));
        QTest::mouseMove(status);
        f.idle();
        QCOMPARE(status->currentMessage(), f.window->idleStatusText());
        // The idle text names the translator of the language in use.
        f.window->Language().Texts.TranslatedBy = QStringLiteral("Translated by someone else");
        f.idle();
        QCOMPARE(status->currentMessage(), QStringLiteral("tunesheet v.3.0 by Korvan, Translated by someone else"));
        QVERIFY(status->toolTip().isEmpty());

        // Every hint of the window can be read whole where it shows: the pointer cannot reach
        // a tip of the bar without leaving the control the hint belongs to.
        for (QObject* o : f.window->findChildren<QObject*>()) {
            const QString hint = o->property("statusTip").toString();
            if (hint.isEmpty())
                continue;
            QStatusTipEvent tip(hint);
            QApplication::sendEvent(f.window.get(), &tip);
            QVERIFY2(status->currentMessage() == hint, qPrintable(hint));
        }
        // One longer than the bar's two lines ends in "…" and shows whole as the bar's tip.
        const QString longHint = QStringLiteral("If checked then all files from all directories will be in one big "
                                                "table, and this hint goes on and on far beyond the end of the "
                                                "status bar, beyond its second line, with more words than that holds");
        QStatusTipEvent tip(longHint);
        QApplication::sendEvent(f.window.get(), &tip);
        QVERIFY(status->currentMessage().endsWith(QChar(0x2026)));
        QCOMPARE(status->toolTip(), longHint);
    }

    void onlyTheItemsOrderButtonsShowTips()
    {
        WindowFixture f;
        QVERIFY(f.show(false));
        QHelpEvent overToolBar(QEvent::ToolTip, QPoint(2, 2), QPoint(2, 2));
        QVERIFY(QApplication::sendEvent(f.child<QToolButton>("tbtGenerate"), &overToolBar)); // swallowed
        QCOMPARE(f.child<QToolButton>("BitBtn1")->toolTip(), QStringLiteral("Copy selected item"));
        // A new hint (a translation) reaches the tip too.
        f.action("acMoveUp")->setStatusTip(QStringLiteral("Nahor"));
        QCOMPARE(f.child<QToolButton>("BitBtn5")->toolTip(), QStringLiteral("Nahor"));
    }

    void generateIsDisabledWhileEitherPathIsEmpty()
    {
        FakeDesktop desktop;
        WindowFixture f;
        QVERIFY(f.show());
        auto* input = f.child<QLineEdit>("lbledtInput");
        auto* output = f.child<QLineEdit>("lbledtOutput");
        QAction* generate = f.action("acGenerateList");
        const std::pair<const char*, const char*> cases[] = {{"", ""}, {"/music/", ""}, {"", "/x.htm"}};
        for (const auto& [in, out] : cases) {
            input->setText(QLatin1String(in));
            output->setText(QLatin1String(out));
            f.idle();
            QVERIFY(!generate->isEnabled());
            QVERIFY(!f.child<QToolButton>("tbtGenerate")->isEnabled());
            QTest::keyClick(f.window.get(), Qt::Key_G, Qt::ControlModifier);
            QVERIFY(desktop.messages.empty()); // the command did not run
        }
        input->setText(QStringLiteral("/music/"));
        output->setText(QStringLiteral("/x.htm"));
        f.idle();
        QVERIFY(generate->isEnabled());
    }

    void theWindowKeepsItsSizeAndShowsEveryTextWhole()
    {
        WindowFixture f;
        QVERIFY(f.show(false));
        QCOMPARE(f.window->minimumSize(), f.window->maximumSize());
        QVERIFY(!(f.window->windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(f.child<QWidget>("centralwidget")->width() >= 385);
        QVERIFY(f.child<QWidget>("centralwidget")->height() >= 209);
        QTRY_COMPARE(f.window->size(), f.window->maximumSize());
        QCOMPARE(f.cutTexts(), QStringList());
    }

    void accessKeysOpenTheMenusAtTheFirstPressOnEveryPage()
    {
        WindowFixture f;
        QVERIFY(f.show());
        QStringList titles;
        for (QAction* a : f.child<QMenuBar>("mmenuMain")->actions())
            titles << a->text();
        QCOMPARE(titles, (QStringList{"&Main", "&Settings", "&Help"}));
        QCOMPARE(f.accessKeyProblems(), QStringList());
        // "&Mouse over active link" has M on the colours page: Main takes another letter there.
        f.action("acColors")->trigger();
        QCOMPARE(f.child<QMenu>("Main1")->title(), QStringLiteral("Ma&in"));
        // A new title without one (a translation) gets a letter no other title uses.
        f.action("acMainSettings")->trigger();
        f.child<QMenu>("Help1")->setTitle(QStringLiteral("Settings help"));
        QCOMPARE(f.child<QMenu>("Help1")->title(), QStringLiteral("S&ettings help"));
    }

    void f1OpensTheHelpAtTheFocusedControlsContext()
    {
        FakeDesktop desktop;
        WindowFixture f;
        QVERIFY(f.show());
        f.action("acHTMLPSettings")->trigger();
        f.child<QCheckBox>("chkWrap")->setFocus();
        QTest::keyClick(f.window.get(), Qt::Key_F1);
        // The program's own help window, scrolled to the page's section of the guide.
        THelpWindow* help = THelpWindow::instance();
        QVERIFY(help->isVisible());
        QCOMPARE(help->browser()->source().fragment(), QStringLiteral("context-32"));
        QVERIFY(help->browser()->verticalScrollBar()->value() > 0);
        f.action("acHelpContents")->trigger();
        QCOMPARE(desktop.help, (std::vector<int>{32, 0}));
        QCOMPARE(help->browser()->source().fragment(), QString());
        // Wholly on the screen, and closed by Esc or the platform's close key.
        QVERIFY(help->screen()->availableGeometry().contains(help->frameGeometry()));
        for (const QKeySequence& key : {QKeySequence(Qt::Key_Escape), QKeySequence(QKeySequence::Close)}) {
            QVERIFY(QTest::qWaitForWindowActive(help));
            QTest::keySequence(help, key);
            QVERIFY2(!help->isVisible(), qPrintable(key.toString()));
            f.action("acHelpContents")->trigger();
        }
        help->close();

        desktop.guide = QStringLiteral("/nonexistent/tunesheet.html");
        f.action("acHelpContents")->trigger();
        QVERIFY(desktop.onlyMessage(QMessageBox::Warning,
                                    QStringLiteral("The help file /nonexistent/tunesheet.html is missing.")));
    }

    void everyWayOfClosingSavesTheSettings()
    {
        FakeDesktop desktop;
        const std::function<void(TfrmMain&)> closers[] = {
            [](TfrmMain& w) { w.findChild<QAction*>(QStringLiteral("acExit"))->trigger(); },
            // The title-bar button and the system menu both reach the window as the window
            // system's close request.
            [](TfrmMain& w) { w.windowHandle()->close(); },
            [](TfrmMain& w) { w.close(); },
            // The system asks the program to stop (its terminal closed).
            [](TfrmMain& w) {
                closeOnStopRequest(&w);
                std::raise(SIGHUP);
                QTRY_VERIFY(!w.isVisible());
            },
        };
        int route = 0;
        for (const auto& close : closers) {
            WindowFixture f;
            QVERIFY(f.show(false));
            const QString caption = QStringLiteral("closed by route %1").arg(++route);
            f.child<QLineEdit>("lbledtPageCaption")->setText(caption);
            close(*f.window);
            QVERIFY(!f.window->isVisible());
            QCOMPARE(readSettingsFile(f.settingsFile()).PageCaption.str(), caption.toStdString());
        }
        QVERIFY(desktop.messages.empty());
    }

    void aFailedSaveAtCloseIsShownAndTheWindowStillCloses()
    {
        FakeDesktop desktop;
        TempDir tmp;
        TfrmMain w(nullptr, tmp.path("missing-folder/tunesheet"));
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.close();
        QVERIFY(!w.isVisible());
        QCOMPARE(desktop.messages.size(), std::size_t(1));
        QCOMPARE(desktop.messages[0].icon, QMessageBox::Critical);
    }

    void theAboutBoxShowsTheProgramsIconAndNoTitleGetsTheNameAppended()
    {
        WindowFixture f;
        TfrmAboutBox* box = TfrmAboutBox::instance();
        QTimer::singleShot(0, box, &QDialog::accept);
        f.action("acAboutProgram")->trigger();
        const QPixmap shown = box->label("imgIcon")->pixmap();
        QVERIFY(shown.width() >= 48);
        QCOMPARE(shown.toImage(), QApplication::windowIcon().pixmap(QSize(48, 48), shown.devicePixelRatio()).toImage());
        // With a display name of its own Qt would append it to every title ("tunesheet Help —
        // tunesheet"); without one the display name follows the application's name.
        const QString name = QApplication::applicationName();
        QApplication::setApplicationName(QStringLiteral("probe"));
        QCOMPARE(QApplication::applicationDisplayName(), QStringLiteral("probe"));
        QApplication::setApplicationName(name);
    }

    // A message naming a long path (a name of 200 letters) still fits the screen.
    void aMessageWithALongPathFitsTheScreen()
    {
        int width = 0, room = 0;
        QTimer::singleShot(0, [&] {
            QWidget* box = QApplication::activeModalWidget();
            if (!box)
                return;
            width = box->frameGeometry().width();
            room = box->screen()->availableGeometry().width();
            box->close();
        });
        DesktopServices::instance().message(nullptr, QMessageBox::Warning,
                                            QStringLiteral("Cannot use\r/home/me/") + QString(200, QLatin1Char('x')) +
                                                QStringLiteral("/music.html"));
        QVERIFY(width > 0);
        QVERIFY(width <= room);
    }

    void aFailureEscapingAHandlerEndsInTheErrorBox()
    {
        FakeDesktop desktop;
        FailingObject failing;
        QEvent event(QEvent::User);
        QApplication::sendEvent(&failing, &event);
        QVERIFY(desktop.onlyMessage(QMessageBox::Critical, QStringLiteral("Cannot create file /nowhere/x.htm")));
    }
};

int main(int argc, char** argv)
{
    TunesheetApplication app(argc, argv);
    MainWindowTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "main_window_test.moc"
