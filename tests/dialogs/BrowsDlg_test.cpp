// The folder browser: where it opens, what it returns, its status line, its OK button, and
// that nothing else takes input while it is open.
#include "dialogs/BrowsDlg.h"
#include "dialogs/FolderModel.h"
#include "platform/Path.h"

#include "common/TempDir.h"
#include "desktop/FakeDesktop.h"

#include <sys/stat.h>

#include <QAbstractItemModel>
#include <QApplication>
#include <QCompleter>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include <functional>

namespace {

QString qs(const std::string& s)
{
    return QString::fromStdString(s);
}

QString withoutDelimiter(const std::string& dir)
{
    QString s = qs(dir);
    s.chop(1);
    return s;
}

struct OpenBrowser {
    QDialog* dialog;
    QTreeView* tree;
    QLineEdit* path;
    QLabel* status;
    QPushButton* ok;

    explicit OpenBrowser(QWidget* window)
        : dialog(qobject_cast<QDialog*>(window)), tree(window->findChild<QTreeView*>(QStringLiteral("tvFolders"))),
          path(window->findChild<QLineEdit*>(QStringLiteral("edtPath"))),
          status(window->findChild<QLabel*>(QStringLiteral("lblStatus"))),
          ok(window->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok))
    {
    }

    FolderModel* model() const { return static_cast<FolderModel*>(tree->model()); }
    QString currentPath() const { return qs(model()->pathOf(tree->currentIndex())); }
    void select(const QString& path) const { tree->setCurrentIndex(model()->indexOf(path.toStdString())); }
    // The names the tree shows under `folder`.
    QStringList shownUnder(const std::string& folder) const
    {
        const QModelIndex parent = model()->indexOf(folder);
        tree->expand(parent);
        QStringList names;
        for (int row = 0; row < model()->rowCount(parent); ++row)
            names << model()->index(row, 0, parent).data().toString();
        return names;
    }
};

// Runs Execute while `whileOpen` looks at the open browser; the browser is then closed with
// OK (`accept`) or Cancel.
bool runBrowser(TBrowseDialog& browser, const std::function<void(const OpenBrowser&)>& whileOpen, bool accept)
{
    bool seen = false;
    QTimer::singleShot(0, [&] {
        QWidget* window = QApplication::activeModalWidget();
        if (!window)
            return;
        seen = true;
        OpenBrowser open(window);
        whileOpen(open);
        if (accept)
            open.dialog->accept();
        else
            open.dialog->reject();
    });
    const bool result = browser.Execute();
    if (!seen)
        QTest::qFail("the browser did not open", __FILE__, __LINE__);
    return result;
}

} // namespace

class BrowseDialogTest : public QObject {
    Q_OBJECT
private slots:
    void opensOnTheFolderOfDirectoryAndReturnsTheChosenOne()
    {
        TempDir tmp;
        tmp.mkdir("music/rock");
        tmp.mkdir("music/jazz");
        TBrowseDialog browser;
        browser.Caption = QStringLiteral("Select input directory");
        browser.Directory = tmp.dir() + "music/";
        QString initializedWith = QStringLiteral("not fired");
        browser.OnInitialized = [&](TBrowseDialog* sender, QWidget*, const QString& path, QString&, TOKButtonState&) {
            QCOMPARE(sender, &browser);
            initializedWith = path;
        };
        const bool chosen = runBrowser(browser, [&](const OpenBrowser& open) {
            QCOMPARE(open.currentPath(), withoutDelimiter(tmp.dir()) + QStringLiteral("/music"));
            QCOMPARE(open.dialog->findChild<QLabel*>(QStringLiteral("lblCaption"))->text(), browser.Caption);
            open.select(qs(tmp.dir()) + QStringLiteral("music/jazz"));
        }, true);
        QVERIFY(chosen);
        QCOMPARE(initializedWith, qs(tmp.dir()) + QStringLiteral("music"));
        QCOMPARE(browser.Directory, tmp.path("music/jazz"));
        QCOMPARE(browser.DisplayName(), QStringLiteral("jazz"));
    }

    // The folder's parents are read after the browser opens and push it down as they fill in.
    void theFolderOfDirectoryIsSelectedAndInViewAmongManyOthers()
    {
        TempDir tmp;
        for (int i = 0; i < 60; ++i)
            tmp.mkdir("library/a" + std::to_string(100 + i));
        tmp.mkdir("library/z/deep/target");
        TBrowseDialog browser;
        browser.Directory = tmp.path("library/z/deep/target/");
        runBrowser(browser, [&](const OpenBrowser& open) {
            const auto targetShown = [&] {
                const QRect row = open.tree->visualRect(open.tree->currentIndex());
                return open.currentPath() == qs(tmp.path("library/z/deep/target")) && row.isValid() &&
                       open.tree->viewport()->rect().contains(row);
            };
            QTRY_VERIFY(targetShown());
        }, false);
    }

    void theRootFolderKeepsItsDelimiter()
    {
        TBrowseDialog browser;
        browser.Directory = "/";
        QString initializedWith;
        browser.OnInitialized = [&](TBrowseDialog*, QWidget*, const QString& path, QString&, TOKButtonState&) {
            initializedWith = path;
        };
        runBrowser(browser, [](const OpenBrowser& open) { QCOMPARE(open.currentPath(), QStringLiteral("/")); }, false);
        QCOMPARE(initializedWith, QStringLiteral("/"));
    }

    void cancelKeepsDirectoryAndDisplayName()
    {
        TempDir tmp;
        tmp.mkdir("a");
        tmp.mkdir("b");
        TBrowseDialog browser;
        browser.Directory = tmp.path("a");
        QVERIFY(runBrowser(browser, [](const OpenBrowser&) {}, true));
        QCOMPARE(browser.DisplayName(), QStringLiteral("a"));
        const bool chosen = runBrowser(browser, [&](const OpenBrowser& open) {
            open.select(qs(tmp.dir()) + QStringLiteral("b"));
        }, false);
        QVERIFY(!chosen);
        QCOMPARE(browser.Directory, tmp.path("a"));
        QCOMPARE(browser.DisplayName(), QStringLiteral("a"));
    }

    void theStatusLineShowsWhatTheEventsSay()
    {
        TempDir tmp;
        tmp.mkdir("one");
        tmp.mkdir("two");
        TBrowseDialog browser;
        browser.Options = TBrowseOptions(biReturnOnlyFSDirs) | biStatusText;
        browser.Directory = tmp.path("one");
        browser.OnSelectionChanged = [](TBrowseDialog*, QWidget*, const QString& path, QString& showText, TOKButtonState&) {
            showText = QStringLiteral("at ") + path;
        };
        runBrowser(browser, [&](const OpenBrowser& open) {
            QVERIFY(open.status->isVisibleTo(open.dialog));
            // The opening reported no text of its own: the line is clear.
            QCOMPARE(open.status->text(), QString());
            open.select(qs(tmp.dir()) + QStringLiteral("two"));
            QCOMPARE(open.status->text(), QStringLiteral("at ") + qs(tmp.dir()) + QStringLiteral("two"));
        }, false);

        // Without a handler every change clears the line; without the option there is none.
        browser.OnSelectionChanged = nullptr;
        runBrowser(browser, [&](const OpenBrowser& open) {
            open.select(qs(tmp.dir()) + QStringLiteral("two"));
            QCOMPARE(open.status->text(), QString());
        }, false);
        browser.Options = biReturnOnlyFSDirs;
        runBrowser(browser, [](const OpenBrowser& open) { QVERIFY(!open.status->isVisibleTo(open.dialog)); }, false);
    }

    void theOkButtonFollowsTheEventsOnly()
    {
        TempDir tmp;
        tmp.mkdir("locked");
        tmp.mkdir("open");
        TBrowseDialog browser;
        browser.Directory = tmp.path("open");
        browser.OnSelectionChanged = [](TBrowseDialog*, QWidget*, const QString& path, QString&, TOKButtonState& ok) {
            if (path.endsWith(QStringLiteral("locked")))
                ok = obsDisable;
            else if (path.endsWith(QStringLiteral("open")))
                ok = obsEnable;
        };
        runBrowser(browser, [&](const OpenBrowser& open) {
            QVERIFY(open.ok->isEnabled());
            open.select(qs(tmp.dir()) + QStringLiteral("locked"));
            QVERIFY(!open.ok->isEnabled());
            // A change the handler leaves unchanged keeps OK disabled.
            open.select(qs(tmp.dir()));
            QVERIFY(!open.ok->isEnabled());
            open.select(qs(tmp.dir()) + QStringLiteral("open"));
            QVERIFY(open.ok->isEnabled());
        }, false);
    }

    // A name that is not UTF-8 is listed, shown as the owner shows names, and returned with
    // its own bytes.
    void everyFolderIsListedWhateverTheBytesOfItsName()
    {
        TempDir tmp;
        tmp.mkdir("plain");
        const std::string odd = tmp.dir() + "\xC0" "bc";
        QCOMPARE(::mkdir(odd.c_str(), 0755), 0);
        tmp.mkdir(".hidden");
        TBrowseDialog browser;
        browser.ShownAs = [](const std::string& bytes) { return QString::fromLatin1(bytes.data(), int(bytes.size())); };
        browser.Directory = tmp.path("plain");
        browser.Root = qs(tmp.dir()); // the tree starts there
        QVERIFY(runBrowser(browser, [&](const OpenBrowser& open) {
            QCOMPARE(open.model()->rowCount(), 1);
            QCOMPARE(open.model()->pathOf(open.model()->index(0, 0)), platform::withoutTrailingDelimiter(tmp.dir()));
            QCOMPARE(open.shownUnder(tmp.dir()), (QStringList{QStringLiteral("plain"), QString::fromUtf8("\u00C0bc")}));
            open.tree->setCurrentIndex(open.model()->indexOf(odd));
            QCOMPARE(open.path->text(), QString::fromLatin1(odd.data(), int(odd.size())));
        }, true));
        QCOMPARE(browser.Directory, odd);
        QCOMPARE(browser.DisplayName(), QString::fromUtf8("\u00C0bc"));
    }

    // The path field takes a typed or pasted path, completes folder names, and OK takes the
    // folder it names; a path that is no folder is refused and the browser stays open.
    void thePathFieldTakesATypedPathWithCompletion()
    {
        FakeDesktop desktop;
        TempDir tmp;
        tmp.mkdir("music/jazz");
        tmp.mkdir("music/jive");
        tmp.mkdir("music/rock");
        TBrowseDialog browser;
        browser.Directory = tmp.path("music");
        QVERIFY(runBrowser(browser, [&](const OpenBrowser& open) {
            open.path->clear();
            open.path->setFocus();
            QTest::keyClicks(open.path, qs(tmp.path("music/j")));
            auto* offered = open.path->completer()->completionModel();
            QStringList completions;
            for (int row = 0; row < offered->rowCount(); ++row)
                completions << offered->index(row, 0).data().toString();
            QCOMPARE(completions, (QStringList{qs(tmp.path("music/jazz/")), qs(tmp.path("music/jive/"))}));
            open.path->setText(qs(tmp.path("music/nothing")));
            open.dialog->accept();
            QVERIFY(open.dialog->isVisible());
            QVERIFY(desktop.onlyMessage(QMessageBox::Warning,
                                        QStringLiteral("The folder %1 does not exist.").arg(qs(tmp.path("music/nothing")))));
            open.path->setText(qs(tmp.path("music/rock/")));
        }, true));
        QCOMPARE(browser.Directory, tmp.path("music/rock/"));
    }

    // On a small screen (this test runs at scale 2: the screen is half as large) the window
    // and its buttons stay on it.
    void theWindowFitsTheScreen()
    {
        TBrowseDialog browser;
        runBrowser(browser, [](const OpenBrowser& open) {
            const QRect room = open.dialog->screen()->availableGeometry();
            QVERIFY(room.contains(open.dialog->geometry()));
            QVERIFY(room.contains(QRect(open.ok->mapToGlobal(QPoint(0, 0)), open.ok->size())));
        }, false);
    }

    void otherWindowsTakeNoInputWhileItIsOpen()
    {
        QWidget other;
        auto* button = new QPushButton(QStringLiteral("Press"), &other);
        button->resize(100, 30);
        other.resize(200, 100);
        other.show();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        int presses = 0;
        connect(button, &QPushButton::clicked, [&] { ++presses; });

        TBrowseDialog browser(&other);
        runBrowser(browser, [&](const OpenBrowser& open) {
            QCOMPARE(QApplication::activeModalWidget(), open.dialog);
            QTest::mouseClick(other.windowHandle(), Qt::LeftButton, {}, QPoint(20, 10));
            QCOMPARE(presses, 0);
        }, false);
        QTRY_COMPARE(QApplication::activeWindow(), &other);
        QTest::mouseClick(other.windowHandle(), Qt::LeftButton, {}, QPoint(20, 10));
        QCOMPARE(presses, 1);
    }
};

int main(int argc, char** argv)
{
    // A small screen: the offscreen screen of 800 x 800 pixels at scale 2.
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    BrowseDialogTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "BrowsDlg_test.moc"
