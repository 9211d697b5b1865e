// The colour box: named colours by name, every other colour in the custom entry, and the
// custom entry asking for a colour.
#include "ui/ColourBox.h"

#include "generator/GeneratorSettings.h"
#include "generator/NamedColours.h"

#include <QApplication>
#include <QDialog>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <functional>

class ColourBoxTest : public QObject {
    Q_OBJECT
    const std::function<QColor(QWidget*, const QColor&)> standardChooser = ColourBox::chooseColour;

private slots:
    // On a small screen (this test runs at scale 3) the colour chooser and its buttons stay on it.
    void theColourChooserFitsTheScreen()
    {
        bool seen = false, fits = true;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            seen = true;
            const QRect room = dialog->screen()->availableGeometry();
            fits = room.contains(QRect(dialog->pos(), dialog->size()));
            for (QPushButton* button : dialog->findChildren<QPushButton*>())
                if (button->isVisible())
                    fits = fits && room.contains(QRect(button->mapToGlobal(QPoint(0, 0)), button->size()));
            dialog->reject();
        });
        QCOMPARE(standardChooser(nullptr, QColor(0xFF, 0xCC, 0x00)), QColor());
        QVERIFY(seen);
        QVERIFY(fits);
    }

    void namedColoursShowUnderTheirNames()
    {
        ColourBox box;
        QCOMPARE(box.count(), int(namedColours().size()) + 1);
        box.setColour(rgbColour(0xC0, 0xDC, 0xC0));
        QCOMPARE(box.currentText(), QStringLiteral("Money Green"));
        QCOMPARE(box.colour(), rgbColour(0xC0, 0xDC, 0xC0));
    }

    void anyOtherColourShowsInTheCustomEntry()
    {
        ColourBox box;
        box.setColour(rgbColour(255, 204, 0));
        QCOMPARE(box.currentIndex(), int(ColourBox::CustomEntry));
        QCOMPARE(box.colour(), rgbColour(255, 204, 0));
        // The entry says which colour it holds, in the language's words for the entry.
        QCOMPARE(box.currentText(), QStringLiteral("Custom... (#FFCC00)"));
        box.setNames({QStringLiteral("Vlastn\u00e1...")});
        QCOMPARE(box.currentText(), QStringLiteral("Vlastn\u00e1... (#FFCC00)"));
        box.setColour(rgbColour(255, 0, 0));
        QCOMPARE(box.currentText(), QStringLiteral("Red"));
    }

    void theCustomEntryAsksForTheColour()
    {
        ColourBox box;
        QColor offered;
        QColor answer;
        ColourBox::chooseColour = [&](QWidget*, const QColor& initial) {
            offered = initial;
            return answer;
        };
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        // Up from the first named colour reaches the custom entry, as the user's key does.
        const auto pickCustom = [&box] {
            box.setCurrentIndex(1);
            QTest::keyClick(&box, Qt::Key_Up);
        };
        pickCustom(); // given up: the colour shown before stays
        QCOMPARE(box.currentText(), QStringLiteral("Black"));

        answer = QColor(0x12, 0x34, 0x56);
        pickCustom();
        QCOMPARE(box.currentIndex(), int(ColourBox::CustomEntry));
        QCOMPARE(box.colour(), rgbColour(0x12, 0x34, 0x56));

        // The dialog starts from the custom colour; a named answer shows under its name.
        answer = QColor(255, 0, 0);
        pickCustom();
        QCOMPARE(offered, QColor(0x12, 0x34, 0x56));
        QCOMPARE(box.currentText(), QStringLiteral("Red"));
    }
};

int main(int argc, char** argv)
{
    // A small screen: the offscreen screen of 800 x 800 pixels at scale 3, smaller than Qt's
    // colour dialog (as 1024 x 768 at scale 2 is on a desktop, with its larger fonts).
    qputenv("QT_SCALE_FACTOR", "3");
    QApplication app(argc, argv);
    ColourBoxTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "colour_box_test.moc"
