// The items-order page: the six commands, their enable rules, the highlight they leave, the
// double clicks and the message for a column chosen twice.
#include "ui/unMain.h"

#include "desktop/FakeDesktop.h"
#include "ui/WindowFixture.h"

#include <QListWidget>
#include <QToolButton>

namespace {

QStringList texts(const QListWidget* list)
{
    QStringList result;
    for (int i = 0; i < list->count(); ++i)
        result << list->item(i)->text();
    return result;
}

int highlighted(const QListWidget* list)
{
    const auto items = list->selectedItems();
    return items.isEmpty() ? -1 : list->row(items.first());
}

struct OrderPage : WindowFixture {
    QListWidget* available = child<QListWidget>("lbAvailable");
    QListWidget* selected = child<QListWidget>("lbSelected");

    OrderPage()
    {
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        action("acOrder")->trigger();
    }
    void select(const QStringList& columns, int highlight)
    {
        selected->clear();
        selected->addItems(columns);
        if (highlight >= 0)
            selected->setCurrentRow(highlight);
        idle();
    }
    bool enabled(const char* name) const { return action(name)->isEnabled(); }
    void doubleClick(QListWidget* list, int row)
    {
        const QRect r = list->visualItemRect(list->item(row));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, r.center());
        idle(); // the user's double click spans idle moments too
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, r.center());
    }
};

} // namespace

class ItemsOrderTest : public QObject {
    Q_OBJECT
private slots:
    void startsWithTheFirstAvailableColumnHighlightedAndTheFirstSevenSelected()
    {
        OrderPage p;
        QCOMPARE(highlighted(p.available), 0);
        QCOMPARE(highlighted(p.selected), -1);
        QCOMPARE(texts(p.available), (QStringList{"Artist", "Title", "Album", "Year", "Length", "File size", "File name",
                                                  "Track", "Genre", "Album artist", "Bit rate", "Sample rate", "Channels",
                                                  "Bit rate mode"}));
        QCOMPARE(texts(p.selected), texts(p.available).mid(0, 7));
    }

    void copyingAColumnTwiceShowsTheMessageAndChangesNothing()
    {
        FakeDesktop desktop;
        OrderPage p;
        p.select({"Year"}, 0);
        p.available->setCurrentRow(1);
        p.action("acCopySelected")->trigger();
        QCOMPARE(texts(p.selected), (QStringList{"Year", "Title"}));
        QCOMPARE(highlighted(p.selected), 0); // the highlight stays where it was
        p.selected->setFocus();
        p.available->setCurrentRow(1);
        p.window->findChild<QToolButton*>(QStringLiteral("BitBtn1"))->click();
        QVERIFY(desktop.onlyMessage(QMessageBox::NoIcon, QStringLiteral("This item is already in selected items")));
        QCOMPARE(texts(p.selected), (QStringList{"Year", "Title"}));
        QCOMPARE(QApplication::focusWidget(), p.available);
        // Letter case does not make it another column.
        p.available->item(1)->setText(QStringLiteral("TITLE"));
        p.action("acCopySelected")->trigger();
        QCOMPARE(desktop.messages.size(), std::size_t(2));
    }

    void copyAllReplacesAnyOrderWithAllColumns()
    {
        OrderPage p;
        p.select({"Year", "Artist"}, 1);
        p.action("acCopyAll")->trigger();
        QCOMPARE(texts(p.selected), texts(p.available));
        QCOMPARE(highlighted(p.selected), 0);
        QCOMPARE(QApplication::focusWidget(), p.selected);
    }

    void removingLeavesTheHighlightOnTheNeighbour()
    {
        OrderPage p;
        p.select({"Artist", "Title", "Album"}, 2);
        p.action("acRemoveSelected")->trigger();
        QCOMPARE(texts(p.selected), (QStringList{"Artist", "Title"}));
        QCOMPARE(highlighted(p.selected), 1);

        p.select({"Artist", "Title", "Album"}, 1);
        p.action("acRemoveSelected")->trigger();
        QCOMPARE(texts(p.selected), (QStringList{"Artist", "Album"}));
        QCOMPARE(highlighted(p.selected), 1);

        p.select({"Artist"}, 0);
        p.action("acRemoveSelected")->trigger();
        p.idle();
        QCOMPARE(p.selected->count(), 0);
        QVERIFY(!p.enabled("acRemoveSelected") && !p.enabled("acMoveUp") && !p.enabled("acMoveDown"));
        QVERIFY(p.enabled("acCopyAll") && p.enabled("acRemoveAll"));

        p.select({"Artist", "Title"}, 0);
        p.action("acRemoveAll")->trigger();
        QCOMPARE(p.selected->count(), 0);
        QCOMPARE(QApplication::focusWidget(), p.available);
    }

    void movingFollowsTheHighlightAndStopsAtTheEnds()
    {
        OrderPage p;
        p.select({"Artist", "Title", "Album"}, 0);
        QVERIFY(!p.enabled("acMoveUp"));
        QVERIFY(p.enabled("acMoveDown"));
        p.action("acMoveDown")->trigger();
        QCOMPARE(texts(p.selected), (QStringList{"Title", "Artist", "Album"}));
        QCOMPARE(highlighted(p.selected), 1);
        p.action("acMoveDown")->trigger();
        p.idle();
        QCOMPARE(highlighted(p.selected), 2);
        QVERIFY(!p.enabled("acMoveDown"));
        QVERIFY(p.enabled("acMoveUp"));
        p.action("acMoveUp")->trigger();
        QCOMPARE(texts(p.selected), (QStringList{"Title", "Artist", "Album"}));
        QCOMPARE(highlighted(p.selected), 1);
        QCOMPARE(QApplication::focusWidget(), p.selected);

        p.select({"Artist", "Title"}, -1);
        QVERIFY(!p.enabled("acMoveDown") && !p.enabled("acMoveUp"));
        p.available->clearSelection();
        p.idle();
        QVERIFY(!p.enabled("acCopySelected"));
    }

    void doubleClicksCopyAndRemove()
    {
        FakeDesktop desktop;
        OrderPage p;
        p.select({"Artist", "Title", "Album"}, -1);
        p.doubleClick(p.selected, 1);
        QCOMPARE(texts(p.selected), (QStringList{"Artist", "Album"}));
        p.doubleClick(p.available, 3);
        QCOMPARE(texts(p.selected), (QStringList{"Artist", "Album", "Year"}));
        p.doubleClick(p.available, 0);
        QVERIFY(desktop.onlyMessage(QMessageBox::NoIcon, QStringLiteral("This item is already in selected items")));
        QCOMPARE(p.selected->count(), 3);
    }
};

QTEST_MAIN(ItemsOrderTest)
#include "items_order_test.moc"
