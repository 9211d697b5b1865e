// The save dialog: its filter in the translations' form, the file it proposes and returns,
// no overwrite question, and the files it refuses.
#include "dialogs/SaveDialog.h"

#include "common/TempDir.h"
#include "desktop/FakeDesktop.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QStandardPaths>
#include <QTimer>

#include <filesystem>
#include <functional>

namespace {

QString qs(const std::string& s)
{
    return QString::fromStdString(s);
}

// Runs Execute; while it is open, `whileOpen` acts on it (it closes it or leaves it open, in
// which case it is cancelled afterwards).
bool runDialog(TSaveDialog& dialog, const std::function<void(TSaveDialog&)>& whileOpen)
{
    QTimer::singleShot(0, [&] {
        whileOpen(dialog);
        if (dialog.isVisible())
            dialog.reject();
    });
    return dialog.Execute();
}

// Chooses the name as the user would and confirms. (selectFile leaves a name field that has
// the focus alone.)
void choose(TSaveDialog& dialog, const QString& path)
{
    if (QWidget* focus = dialog.focusWidget())
        focus->clearFocus();
    dialog.selectFile(path);
    QMetaObject::invokeMethod(&dialog, "accept");
}

} // namespace

class SaveDialogTest : public QObject {
    Q_OBJECT
private slots:
    // The save dialog keeps its state in Qt's settings; tests keep theirs apart from the user's.
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void theFilterKeepsItsDescriptionsAndMatchesByItsPatterns()
    {
        const QStringList filters =
            qtNameFilters(QStringLiteral("HTML Files (*.htm; *.html)|*.htm; *.html|All Files (*.*)|*.*"));
        QCOMPARE(filters, (QStringList{"HTML Files (*.htm; *.html) (*.htm *.html)", "All Files (*.*) (*)"}));

        TempDir tmp;
        for (const char* name : {"a.htm", "b.html", "c.txt", "README"})
            tmp.write(name);
        QDir dir(qs(tmp.dir()));
        QCOMPARE(dir.entryList(QStringList{"*.htm", "*.html"}, QDir::Files), (QStringList{"a.htm", "b.html"}));
        TSaveDialog dialog;
        dialog.setFilter(QStringLiteral("HTML Files (*.htm; *.html)|*.htm; *.html|All Files (*.*)|*.*"));
        QCOMPARE(dialog.nameFilters(), filters);
        QCOMPARE(dialog.filter(), QStringLiteral("HTML Files (*.htm; *.html)|*.htm; *.html|All Files (*.*)|*.*"));

        // Types offered first take the place of the filter's entry of the same patterns.
        dialog.setLeadingTypes(QStringLiteral("Page (*.htm; *.html)|*.html *.htm|CSV (*.csv)|*.csv"));
        QCOMPARE(dialog.nameFilters(),
                 (QStringList{"Page (*.htm; *.html) (*.html *.htm)", "CSV (*.csv) (*.csv)", "All Files (*.*) (*)"}));
        QCOMPARE(dialog.filter(), QStringLiteral("HTML Files (*.htm; *.html)|*.htm; *.html|All Files (*.*)|*.*"));
    }

    // The proposed file's type is the one shown; a type the user picks gives a name typed
    // without an extension its extension.
    void theTypeFollowsTheFile()
    {
        FakeDesktop desktop;
        TempDir tmp;
        TSaveDialog dialog;
        dialog.setFilter(QStringLiteral("HTML Files (*.htm; *.html)|*.htm; *.html|All Files (*.*)|*.*"));
        dialog.setLeadingTypes(QStringLiteral("CSV (*.csv)|*.csv|JSON Lines (*.jsonl)|*.jsonl"));
        dialog.setDefaultSuffix(QStringLiteral("htm"));
        dialog.FileName = qs(tmp.dir()) + QStringLiteral("LIST.CSV");
        int shownType = -1;
        QString suffix;
        QVERIFY(runDialog(dialog, [&](TSaveDialog& d) {
            auto* types = d.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
            QVERIFY(types);
            shownType = types->currentIndex();
            suffix = d.defaultSuffix();
            // What the list does when the user picks a type; "All Files" keeps the extension.
            for (int type : {3, 1}) {
                types->setCurrentIndex(type);
                emit types->activated(type);
                emit types->textActivated(types->itemText(type));
            }
            choose(d, qs(tmp.dir()) + QStringLiteral("named"));
        }));
        QCOMPARE(shownType, 0);
        QCOMPARE(suffix, QStringLiteral("csv"));
        QCOMPARE(dialog.FileName, qs(tmp.dir()) + QStringLiteral("named.jsonl"));
    }

    void returnsTheChosenFileWithTheDefaultExtensionAndProposesItNextTime()
    {
        FakeDesktop desktop;
        TempDir tmp;
        tmp.write("old.htm", "previous page");
        TSaveDialog dialog;
        dialog.setDefaultSuffix(QStringLiteral("htm"));
        dialog.FileName = qs(tmp.dir()) + QStringLiteral("mp3list.htm");
        QString proposed;
        QVERIFY(runDialog(dialog, [&](TSaveDialog& d) {
            proposed = d.selectedFiles().value(0);
            choose(d, qs(tmp.dir()) + QStringLiteral("list"));
        }));
        QCOMPARE(proposed, qs(tmp.dir()) + QStringLiteral("mp3list.htm"));
        QCOMPARE(dialog.FileName, qs(tmp.dir()) + QStringLiteral("list.htm"));

        // An existing file is taken without a question.
        QVERIFY(runDialog(dialog, [&](TSaveDialog& d) {
            proposed = d.selectedFiles().value(0);
            choose(d, qs(tmp.dir()) + QStringLiteral("old.htm"));
        }));
        QCOMPARE(proposed, qs(tmp.dir()) + QStringLiteral("list.htm"));
        QCOMPARE(dialog.FileName, qs(tmp.dir()) + QStringLiteral("old.htm"));
        QVERIFY(desktop.messages.empty());

        // Cancel keeps the file name.
        QVERIFY(!runDialog(dialog, [](TSaveDialog&) {}));
        QCOMPARE(dialog.FileName, qs(tmp.dir()) + QStringLiteral("old.htm"));
    }

    // On a small screen (this test runs at scale 2: the screen is half as large) the dialog
    // and its buttons stay on it.
    void theDialogFitsTheScreen()
    {
        TSaveDialog dialog;
        runDialog(dialog, [](TSaveDialog& open) {
            const QRect room = open.screen()->availableGeometry();
            QVERIFY(room.contains(QRect(open.pos(), open.size())));
            for (QPushButton* button : open.findChildren<QPushButton*>())
                if (button->isVisible())
                    QVERIFY(room.contains(QRect(button->mapToGlobal(QPoint(0, 0)), button->size())));
        });
    }

    void refusesAFileInAMissingFolderAndAReadOnlyFile()
    {
        FakeDesktop desktop;
        TempDir tmp;
        const std::string readOnly = tmp.write("locked.htm", "x");
        std::filesystem::permissions(readOnly, std::filesystem::perms::owner_read | std::filesystem::perms::group_read);
        TSaveDialog dialog;
        const QString missing = qs(tmp.dir()) + QStringLiteral("no-such-folder/list.htm");
        QVERIFY(!runDialog(dialog, [&](TSaveDialog& d) {
            choose(d, missing);
            QVERIFY(d.isVisible());
            choose(d, qs(readOnly));
            QVERIFY(d.isVisible());
        }));
        QCOMPARE(desktop.messages.size(), std::size_t(2));
        QVERIFY(desktop.messages[0].text.startsWith(missing + QChar('\r')));
        QVERIFY(desktop.messages[1].text.contains(QStringLiteral("read-only")));
    }
};

int main(int argc, char** argv)
{
    // A small screen: the offscreen screen of 800 x 800 pixels at scale 2.
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    SaveDialogTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "SaveDialog_test.moc"
