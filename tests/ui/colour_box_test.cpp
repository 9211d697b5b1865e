// The colour box: named colours by name, every other colour in the custom entry, and the
// custom entry asking for a colour.
#include "ui/ColourBox.h"

#include "generator/GeneratorSettings.h"
#include "generator/NamedColours.h"

#include <QTest>

class ColourBoxTest : public QObject {
    Q_OBJECT
private slots:
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

QTEST_MAIN(ColourBoxTest)
#include "colour_box_test.moc"
