// The about box: what it shows, and which clicks close it.
#include "dialogs/about.h"

#include "common/TempDir.h"
#include "desktop/DarkPalette.h"
#include "desktop/FakeDesktop.h"

#include <QFile>
#include <QLabel>
#include <QTimer>
#include <QUrl>
#include <QtTest>

namespace {

// Shows the box modally and clicks `target` once it is on screen; true when the box closed.
bool clickCloses(TfrmAboutBox* box, const char* target)
{
    bool stillOpen = false;
    QTimer::singleShot(0, [&] {
        QWidget* w = box->findChild<QWidget*>(QLatin1String(target));
        if (!QTest::qWaitForWindowExposed(box))
            return;
        QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(2, 2));
        stillOpen = box->isVisible();
        if (stillOpen)
            box->reject();
    });
    const int result = box->exec();
    return !stillOpen && result == QDialog::Accepted;
}

} // namespace

class AboutTest : public QObject {
    Q_OBJECT

    FakeDesktop desktop;

private slots:
    void initTestCase()
    {
        QApplication::setApplicationName(QStringLiteral("tunesheet"));
        desktop.openWorks = false; // no browser
    }

    void showsTheNameAndTheProgramsVersionAndIsMadeOnce()
    {
        TfrmAboutBox* box = TfrmAboutBox::instance();
        QCOMPARE(TfrmAboutBox::instance(), box);
        QCOMPARE(box->objectName(), QStringLiteral("frmAboutBox"));
        QCOMPARE(box->label("lblProgramName")->text(), QStringLiteral("tunesheet"));
        // This test program carries the program's version information.
        QCOMPARE(box->label("lblVersion")->text(), QStringLiteral("Version 3.0.0.0"));
        // The home page is the guide, which is there.
        QCOMPARE(box->address(), desktop.guideAddress());
        QVERIFY(QFile::exists(QUrl(box->address()).toLocalFile()));
        QVERIFY(!box->label("imgIcon")->pixmap().isNull());
        QCOMPARE(box->size(), QSize(325, 209));
        QVERIFY(box->windowFlags() & Qt::FramelessWindowHint);
    }

    // Its white panel keeps dark text when the desktop's palette is dark.
    void theTextsStayReadableOnADarkPalette()
    {
        const QPalette light = QApplication::palette();
        QApplication::setPalette(darkPalette());
        TfrmAboutBox box;
        for (const char* name : {"lblProgramName", "lblVersion", "Label1", "lblWWW"}) {
            QLabel* label = box.label(name);
            const QColor text = label->palette().color(QPalette::WindowText);
            const QColor panel = label->parentWidget()->palette().color(QPalette::Window);
            QVERIFY2(std::abs(lightness(text) - lightness(panel)) > 0.5, name);
        }
        QApplication::setPalette(light);
    }

    void aFileWithoutVersionShowsVersionAlone()
    {
        TempDir tmp;
        TfrmAboutBox box(QString::fromStdString(tmp.write("plain", "no version")));
        QCOMPARE(box.label("lblVersion")->text(), QStringLiteral("Version "));
    }

    void everyTextFitsItsLabel()
    {
        TfrmAboutBox* box = TfrmAboutBox::instance();
        box->show();
        for (const char* name : {"lblProgramName", "lblVersion", "Label1", "lblWWW"}) {
            QLabel* label = box->label(name);
            QVERIFY2(label->fontMetrics().horizontalAdvance(label->text()) <= label->width(), name);
            QVERIFY2(label->fontMetrics().height() <= label->height() + 2, name);
            // The text, not the label's box, must lie inside the window.
            const QRect text(label->mapTo(box, QPoint(0, 0)),
                             QSize(label->fontMetrics().horizontalAdvance(label->text()), label->fontMetrics().height()));
            QVERIFY2(box->rect().contains(text), name);
        }
        // A translated notice longer than a line wraps upwards, above the address.
        box->setTexts({QString::fromUtf8("Verzia %1"), QString::fromUtf8("Vaše súbory MP3 ako jedna webová stránka, "
                                                                         "ktorú otvorí každý prehliadač.")});
        QCOMPARE(box->label("lblVersion")->text(), QStringLiteral("Verzia 3.0.0.0"));
        QLabel* notice = box->label("Label1");
        QVERIFY(notice->height() >= 2 * notice->fontMetrics().height());
        QVERIFY(notice->geometry().bottom() < box->label("lblWWW")->geometry().top());
        QVERIFY(notice->geometry().top() > box->label("lblVersion")->geometry().bottom());
        box->setTexts(AboutTexts());
        box->hide();
    }

    void anyClickButTheAddressCloses()
    {
        TfrmAboutBox* box = TfrmAboutBox::instance();
        for (const char* target : {"Panel1", "imgIcon", "Panel2", "lblProgramName", "lblVersion", "Label1"})
            QVERIFY2(clickCloses(box, target), target);
        QVERIFY(desktop.opened.isEmpty());
    }

    void theAddressOpensInTheBrowserAndTheBoxStays()
    {
        TfrmAboutBox* box = TfrmAboutBox::instance();
        QVERIFY(!clickCloses(box, "lblWWW"));
        const QString address = box->address();
        QCOMPARE(desktop.opened, QStringList{address});
        // Without a browser the user learns why nothing opened.
        QVERIFY(desktop.onlyMessage(QMessageBox::Warning, "No program could be started to open " + address + "."));
    }

    // The desktop's opener says only when it ends whether it found a program.
    void anOpenerThatFindsNoProgramIsReportedWhenItEnds()
    {
        TempDir tmp;
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", QByteArray::fromStdString(tmp.dir()));
        desktop.messages.clear();
        desktop.openForReal = true;
        const auto opener = [&](const std::string& script) {
            const std::string file = tmp.write("xdg-open", "#!/bin/sh\n" + script + "\n");
            QFile(QString::fromStdString(file)).setPermissions(QFile::ReadOwner | QFile::ExeOwner);
        };
        opener(": > \"${0%/*}/opened\""); // the shell alone: PATH holds only the opener
        desktop.showAddress(nullptr, QStringLiteral("https://example.org/"));
        QTRY_VERIFY(QFile::exists(QString::fromStdString(tmp.path("opened"))));
        opener("exit 3");
        desktop.showAddress(nullptr, QStringLiteral("https://example.org/"));
        QTRY_COMPARE(desktop.messages.size(), std::size_t(1));
        QCOMPARE(desktop.messages[0].text, QStringLiteral("No program could be started to open https://example.org/."));
        desktop.openForReal = false;
        qputenv("PATH", path);
    }
};

QTEST_MAIN(AboutTest)
#include "about_test.moc"
