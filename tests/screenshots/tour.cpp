// Pictures of everything the window can show, for looking at and for the user guide: run under
// an X server (Xvfb), it opens each page, menu, dialog and message box in turn and saves the
// screen as a PNG file named after it.
//   screenshot_tour OUT_DIR [--language slovak.dll] [--dark] [--guide]
// --dark shows the window in the Fusion style with a dark palette, as a dark desktop theme
// does; --guide takes only the four settings pages, cut to the window, as the guide shows
// them. The scale factor is Qt's own (QT_SCALE_FACTOR).
#include "ui/ColourBox.h"
#include "ui/GenerationProgress.h"
#include "ui/TunesheetApplication.h"
#include "ui/unMain.h"

#include "common/TempDir.h"
#include "desktop/DarkPalette.h"
#include "desktop/HelpWindow.h"
#include "desktop/LocalText.h"
#include "platform/Errors.h"
#include "ui/ErrorBox.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QEventLoop>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStatusTipEvent>
#include <QStyleFactory>
#include <QTimer>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <functional>
#include <thread>

namespace {

// Opens things through the real desktop, but finds the guide where the program's is.
struct TourDesktop : DesktopServices {
    bool open(const QString&, const std::function<void()>&) override { return true; }
    QString guideFile() const override
    {
        return inGuideLanguage(QCoreApplication::applicationDirPath() + QStringLiteral("/tunesheet.html"));
    }
};

class Tour {
public:
    Tour(const QString& out, bool guideOnly) : out_(out), guideOnly_(guideOnly) {}

    // Shows what `open` opens, saves the picture `name` once it has settled and closes it
    // again; `open` may run a dialog of its own until then.
    void shot(const QString& name, const std::function<void()>& open, QWidget* crop = nullptr)
    {
        QEventLoop loop;
        bool taken = false;
        QTimer::singleShot(600, [&] {
            save(name, crop);
            closeTop();
            taken = true;
            loop.quit();
        });
        open();
        if (!taken)
            loop.exec();
        settle(150);
    }

    static void settle(int ms)
    {
        QEventLoop loop;
        QTimer::singleShot(ms, &loop, &QEventLoop::quit);
        loop.exec();
    }

private:
    void save(const QString& name, QWidget* crop) const
    {
        QScreen* screen = QGuiApplication::primaryScreen();
        const QPixmap picture = crop ? crop->screen()->grabWindow(0, crop->x(), crop->y(), crop->width(), crop->height())
                                     : screen->grabWindow(0);
        const QString file = out_ + QLatin1Char('/') + name + QStringLiteral(".png");
        if (!picture.save(file))
            std::fprintf(stderr, "cannot save %s\n", qPrintable(file));
    }

    // The menu, dialog or window that the last step opened.
    void closeTop() const
    {
        if (QWidget* popup = QApplication::activePopupWidget()) {
            // A submenu's parent menu goes too.
            while (QApplication::activePopupWidget())
                QApplication::activePopupWidget()->close();
            Q_UNUSED(popup);
            return;
        }
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            dialog->reject();
            return;
        }
        if (QWidget* modal = QApplication::activeModalWidget()) {
            modal->close();
            return;
        }
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->isVisible() && (qobject_cast<THelpWindow*>(w) || w->objectName() == QLatin1String("dlgProgress")))
                w->close();
    }

    QString out_;
    bool guideOnly_;
};

void messages(Tour& tour, TfrmMain& window)
{
    const HeldTexts& t = window.Language().Texts;
    const QString file = QStringLiteral("/home/me/music.html");
    const std::pair<const char*, QString> boxes[] = {
        {"msg-no-columns", t.MsgNoColumns},
        {"msg-no-input-dir", t.MsgNoInputDir},
        {"msg-show-page", t.MsgShowPage},
        {"msg-item-selected", t.MsgItemSelected},
        {"msg-restart", t.MsgRestart},
        {"msg-cancelled", t.MsgCancelled},
        {"msg-help-missing", t.Desktop.HelpMissing.arg(QStringLiteral("/opt/tunesheet/tunesheet.html"))},
        {"msg-cannot-show-page", t.Desktop.CannotShowPage.arg(file)},
        {"msg-save-path-missing", t.Save.PathMissing.arg(file)},
        {"msg-save-read-only", t.Save.ReadOnly.arg(file)},
        {"msg-visit-homepage", t.MsgVisitHomepage.arg(file)},
        {"msg-path-too-long", t.MsgPathTooLong.arg(QStringLiteral("/home/me/") + QString(250, QLatin1Char('x')))},
        {"msg-language-missing", t.MsgLanguageMissing.arg(QStringLiteral("czech.dll"))},
        {"msg-language-not-found", t.MsgLanguageNotFound},
        {"msg-settings-repaired", t.MsgSettingsRepaired.arg(QStringLiteral("/home/me/tunesheet.settings"),
                                                           QStringLiteral("Page background")) +
                                      QLatin1Char('\r') + t.MsgSettingsKept.arg(QStringLiteral("/home/me/tunesheet.settings.damaged.1"))},
        {"msg-no-such-folder", t.Browse.NoSuchFolder.arg(QStringLiteral("/home/me/Musik"))},
    };
    for (const auto& [name, text] : boxes)
        tour.shot(QLatin1String(name), [&window, text = text] {
            DesktopServices::instance().message(&window, QMessageBox::Information, text);
        });
    const std::pair<const char*, std::function<void()>> errors[] = {
        {"err-cannot-open", [] { throw platform::FileOpenError("/home/me/tunesheet.files", EACCES); }},
        {"err-cannot-create", [] { throw platform::FileCreateError("/home/me/music.html", ENOSPC); }},
        {"err-read-beyond-end", [] { throw platform::InOutError(platform::InOutError::ReadBeyondEnd, "/home/me/tunesheet.settings"); }},
        {"err-system", [] { throw platform::InOutError::fromSystem(EIO, "/home/me/music.html"); }},
    };
    for (const auto& [name, fail] : errors)
        tour.shot(QLatin1String(name), [fail = fail] { guarded(fail)(); });
}

void everything(Tour& tour, TfrmMain& window)
{
    const auto trigger = [&window](const char* action) {
        return [&window, action] { window.findChild<QAction*>(QLatin1String(action))->trigger(); };
    };
    for (const char* page : {"acMainSettings", "acHTMLPSettings", "acColors", "acOrder"})
        tour.shot(QStringLiteral("page-") + QLatin1String(page), trigger(page));
    tour.shot(QStringLiteral("hint-long"), [&window] {
        window.findChild<QAction*>(QStringLiteral("acHTMLPSettings"))->trigger();
        QStatusTipEvent tip(window.findChild<QWidget*>(QStringLiteral("chkAllDirsInOneTable"))->statusTip());
        QApplication::sendEvent(&window, &tip);
    });
    tour.shot(QStringLiteral("list-legacy-encoding"), [&window] {
        window.findChild<QAction*>(QStringLiteral("acHTMLPSettings"))->trigger();
        window.findChild<QComboBox*>(QStringLiteral("cmbLegacyEncoding"))->showPopup();
    });
    window.findChild<QAction*>(QStringLiteral("acMainSettings"))->trigger();

    auto* bar = window.findChild<QMenuBar*>(QStringLiteral("mmenuMain"));
    for (QAction* title : bar->actions())
        tour.shot(QStringLiteral("menu-") + title->menu()->objectName(), [bar, title] {
            title->menu()->popup(bar->mapToGlobal(bar->actionGeometry(title).bottomLeft()));
        });
    for (const char* name : {"mnuRecentFiles", "mnuRecentDirs"})
        tour.shot(QStringLiteral("menu-") + QLatin1String(name), [&window, bar, name] {
            QMenu* main = window.findChild<QMenu*>(QStringLiteral("Main1"));
            main->popup(bar->mapToGlobal(bar->actionGeometry(main->menuAction()).bottomLeft()));
            auto* sub = window.findChild<QMenu*>(QLatin1String(name));
            main->setActiveAction(sub->menuAction());
            sub->popup(main->mapToGlobal(main->actionGeometry(sub->menuAction()).topRight()));
        });

    tour.shot(QStringLiteral("dlg-folder"), trigger("acInputDir"));
    tour.shot(QStringLiteral("dlg-save"), trigger("acOutputFile"));
    tour.shot(QStringLiteral("dlg-save-types"), [trigger] {
        // The list of types open over the dialog; the dialog goes once the picture is taken.
        QTimer::singleShot(300, [] {
            if (QWidget* dialog = QApplication::activeModalWidget())
                if (auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo")))
                    types->showPopup();
        });
        QTimer::singleShot(900, [] {
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
                dialog->reject();
        });
        trigger("acOutputFile")();
    });
    tour.shot(QStringLiteral("dlg-language"), trigger("acLanguage"));
    tour.shot(QStringLiteral("dlg-about"), trigger("acAboutProgram"));
    tour.shot(QStringLiteral("dlg-author"), trigger("acAboutAuthor"));
    tour.shot(QStringLiteral("dlg-homepage"), trigger("acTunesheetsHomepage"));
    tour.shot(QStringLiteral("dlg-help"), trigger("acHelpContents"));
    tour.shot(QStringLiteral("dlg-help-colours"), [] { DesktopServices::instance().showHelp(33); });
    tour.shot(QStringLiteral("dlg-colour"), [&window] {
        ColourBox::chooseColour(&window, QColor(0xFF, 0xCC, 0x00));
    });

    // A slow generation of the sample library, so that its progress shows.
    window.findChild<QLineEdit*>(QStringLiteral("lbledtInput"))->setText(QStringLiteral(TUNESHEET_SOURCE_DIR "/samples/"));
    TempDir pages;
    window.findChild<QLineEdit*>(QStringLiteral("lbledtOutput"))->setText(fromLocalBytes(pages.path("page.htm")));
    window.findChild<QCheckBox*>(QStringLiteral("chkIncludeSubdirectories"))->setChecked(true);
    window.Generator().OnProgress = [](const GenerateProgress&) {
        std::this_thread::sleep_for(std::chrono::milliseconds(400));
        return true;
    };
    GenerationProgress::setShowAfter(0);
    tour.shot(QStringLiteral("dlg-progress"), [&window, trigger] {
        Tour::settle(50);
        trigger("acGenerateList")();
    });
    window.Generator().OnProgress = nullptr;
    messages(tour, window);
}

} // namespace

int main(int argc, char** argv)
{
    TunesheetApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    if (args.isEmpty()) {
        std::fprintf(stderr, "usage: screenshot_tour OUT_DIR [--language LIBRARY] [--dark] [--guide]\n");
        return 2;
    }
    const QString out = args.takeFirst();
    QDir().mkpath(out);
    QString language;
    const int at = args.indexOf(QStringLiteral("--language"));
    if (at >= 0 && at + 1 < args.size())
        language = args[at + 1];
    if (args.contains(QStringLiteral("--dark"))) {
        app.setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
        app.setPalette(darkPalette());
    }
    const bool guideOnly = args.contains(QStringLiteral("--guide"));

    TourDesktop desktop;
    DesktopServices::setInstance(&desktop);
    TempDir files;
    if (!language.isEmpty())
        files.write("tunesheet.language", toLocalBytes(language) + "\r\n");
    files.write("tunesheet.files", "/home/me/music.html\r\n/home/me/jazz.html\r\n");
    files.write("tunesheet.dirs", "/home/me/Music/\r\n/home/me/Music/Jazz/\r\n");
    TfrmMain window(nullptr, files.path("tunesheet"));
    window.findChild<QLineEdit*>(QStringLiteral("lbledtInput"))->setText(QStringLiteral("/home/me/Music/"));
    window.findChild<QLineEdit*>(QStringLiteral("lbledtOutput"))->setText(QStringLiteral("/home/me/music.html"));
    window.findChild<QLineEdit*>(QStringLiteral("lbledtPageCaption"))->setText(QStringLiteral("My music"));
    window.show();
    Tour::settle(800);

    Tour tour(out, guideOnly);
    if (guideOnly) {
        int page = 1;
        for (const char* action : {"acMainSettings", "acHTMLPSettings", "acColors", "acOrder"})
            tour.shot(QStringLiteral("page%1").arg(page++),
                      [&window, action] { window.findChild<QAction*>(QLatin1String(action))->trigger(); }, &window);
    } else {
        everything(tour, window);
    }
    DesktopServices::setInstance(nullptr);
    return 0;
}
