// The folder browser: where it opens, what it returns, its status line, its OK button, and
// that nothing else takes input while it is open.
#include "dialogs/BrowsDlg.h"

#include "common/TempDir.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileSystemModel>
#include <QLabel>
#include <QPushButton>
#include <QSortFilterProxyModel>
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
    QLabel* status;
    QPushButton* ok;

    explicit OpenBrowser(QWidget* window)
        : dialog(qobject_cast<QDialog*>(window)), tree(window->findChild<QTreeView*>(QStringLiteral("tvFolders"))),
          status(window->findChild<QLabel*>(QStringLiteral("lblStatus"))),
          ok(window->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok))
    {
    }

    QString currentPath() const
    {
        auto* proxy = static_cast<QSortFilterProxyModel*>(tree->model());
        auto* model = static_cast<QFileSystemModel*>(proxy->sourceModel());
        return model->filePath(proxy->mapToSource(tree->currentIndex()));
    }
    void select(const QString& path) const
    {
        auto* proxy = static_cast<QSortFilterProxyModel*>(tree->model());
        auto* model = static_cast<QFileSystemModel*>(proxy->sourceModel());
        tree->setCurrentIndex(proxy->mapFromSource(model->index(path)));
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
    void aTrailingDelimiterIsDroppedExceptFromTheRoot()
    {
        QCOMPARE(browseStartFolder(QStringLiteral("/music/rock/")), QStringLiteral("/music/rock"));
        QCOMPARE(browseStartFolder(QStringLiteral("/music/rock")), QStringLiteral("/music/rock"));
        QCOMPARE(browseStartFolder(QStringLiteral("/")), QStringLiteral("/"));
        QCOMPARE(browseStartFolder(QString()), QString());
    }

    void opensOnTheFolderOfDirectoryAndReturnsTheChosenOne()
    {
        TempDir tmp;
        tmp.mkdir("music/rock");
        tmp.mkdir("music/jazz");
        TBrowseDialog browser;
        browser.Caption = QStringLiteral("Select input directory");
        browser.Directory = qs(tmp.dir()) + QStringLiteral("music/");
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
        QCOMPARE(browser.Directory, qs(tmp.dir()) + QStringLiteral("music/jazz"));
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
        browser.Directory = qs(tmp.path("library/z/deep/target/"));
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
        browser.Directory = QStringLiteral("/");
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
        browser.Directory = qs(tmp.dir()) + QStringLiteral("a");
        QVERIFY(runBrowser(browser, [](const OpenBrowser&) {}, true));
        QCOMPARE(browser.DisplayName(), QStringLiteral("a"));
        const bool chosen = runBrowser(browser, [&](const OpenBrowser& open) {
            open.select(qs(tmp.dir()) + QStringLiteral("b"));
        }, false);
        QVERIFY(!chosen);
        QCOMPARE(browser.Directory, qs(tmp.dir()) + QStringLiteral("a"));
        QCOMPARE(browser.DisplayName(), QStringLiteral("a"));
    }

    void theStatusLineShowsWhatTheEventsSay()
    {
        TempDir tmp;
        tmp.mkdir("one");
        tmp.mkdir("two");
        TBrowseDialog browser;
        browser.Options = TBrowseOptions(biReturnOnlyFSDirs) | biStatusText;
        browser.Directory = qs(tmp.dir()) + QStringLiteral("one");
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
        browser.Directory = qs(tmp.dir()) + QStringLiteral("open");
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

QTEST_MAIN(BrowseDialogTest)
#include "BrowsDlg_test.moc"
