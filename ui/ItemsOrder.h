#pragma once
// The items-order page: the fixed list of all columns, the list of chosen columns in page
// order, and the six commands that copy, remove and move them. A column is known by its text:
// its id is its position in the list of all columns plus one.
#include <QObject>
#include <QString>

#include <cstdint>
#include <functional>
#include <vector>

class QAction;
class QListWidget;

// The id of the column a text names in `available` (letter case ignored); 0 when none does.
int columnIdOf(const QListWidget& available, const QString& text);

// Fills `selected` with the columns of `ids` in their order, as `available` names them: each
// column once, and nothing for an id no column has.
void listColumns(const QListWidget& available, QListWidget& selected, const std::vector<std::uint8_t>& ids);

// The highlighted (selected) row of a list, -1 when none is.
int highlightedRow(const QListWidget& list);
// Highlights `row`, or nothing for -1.
void highlightRow(QListWidget& list, int row);

class ItemsOrder : public QObject {
    Q_OBJECT
public:
    struct Actions {
        QAction* acCopySelected;
        QAction* acCopyAll;
        QAction* acRemoveSelected;
        QAction* acRemoveAll;
        QAction* acMoveUp;
        QAction* acMoveDown;
    };

    // Fills the list of all columns with their English headers, in id order. `alreadySelected`
    // tells the user that a column is in the selected list already.
    ItemsOrder(QListWidget* lbAvailable, QListWidget* lbSelected, const Actions& actions,
               std::function<void()> alreadySelected, QObject* parent = nullptr);

    // Highlights the first item of each list that has items.
    void PrepareListBoxes();
    // Makes both lists show every column without a scroll bar.
    void fitListHeights();
    // Appends every column, in order, to the selected list.
    void selectAllColumns();
    // When nothing is selected, the first start's choice: the first seven columns.
    void selectDefaultColumns();
    // Enables the actions by the state of the lists; runs when the program is idle.
    void updateActions();

    void acCopySelectedExecute();
    void acCopyAllExecute();
    void acRemoveSelectedExecute();
    void acRemoveAllExecute();
    void acMoveUpExecute();
    void acMoveDownExecute();
    void lbAvailableDblClick();
    void lbSelectedDblClick();

private:
    bool isSelected(const QString& text) const;
    void moveHighlighted(int by);

    QListWidget* lbAvailable_;
    QListWidget* lbSelected_;
    Actions actions_;
    std::function<void()> alreadySelected_;
};
