#include "ui/ItemsOrder.h"

#include "ui/ErrorBox.h"
#include "ui/WindowFit.h"

#include "generator/GeneratorSettings.h"

#include <QAction>
#include <QListWidget>

int columnIdOf(const QListWidget& available, const QString& text)
{
    for (int row = 0; row < available.count(); ++row)
        if (available.item(row)->text().compare(text, Qt::CaseInsensitive) == 0)
            return row + 1;
    return 0;
}

void listColumns(const QListWidget& available, QListWidget& selected, const std::vector<std::uint8_t>& ids)
{
    selected.clear();
    std::vector<bool> listed(static_cast<std::size_t>(available.count()) + 1);
    for (std::uint8_t id : ids) {
        // An edited file may name a column twice; the list holds each column once.
        if (id == ciNone || id >= listed.size() || listed[id])
            continue;
        listed[id] = true;
        selected.addItem(available.item(id - 1)->text());
    }
}

int highlightedRow(const QListWidget& list)
{
    const QList<QListWidgetItem*> items = list.selectedItems();
    return items.isEmpty() ? -1 : list.row(items.constFirst());
}

void highlightRow(QListWidget& list, int row)
{
    if (row < 0 || row >= list.count()) {
        list.clearSelection();
        return;
    }
    list.setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
}

ItemsOrder::ItemsOrder(QListWidget* lbAvailable, QListWidget* lbSelected, const Actions& actions,
                       std::function<void()> alreadySelected, QObject* parent)
    : QObject(parent), lbAvailable_(lbAvailable), lbSelected_(lbSelected), actions_(actions),
      alreadySelected_(std::move(alreadySelected))
{
    lbAvailable_->clear();
    for (const ColumnKind& column : columnKinds())
        lbAvailable_->addItem(QString::fromUtf8(column.englishHeader));
    connect(actions_.acCopySelected, &QAction::triggered, this, guarded([this](bool) { acCopySelectedExecute(); }));
    connect(actions_.acCopyAll, &QAction::triggered, this, guarded([this](bool) { acCopyAllExecute(); }));
    connect(actions_.acRemoveSelected, &QAction::triggered, this, guarded([this](bool) { acRemoveSelectedExecute(); }));
    connect(actions_.acRemoveAll, &QAction::triggered, this, guarded([this](bool) { acRemoveAllExecute(); }));
    connect(actions_.acMoveUp, &QAction::triggered, this, guarded([this](bool) { acMoveUpExecute(); }));
    connect(actions_.acMoveDown, &QAction::triggered, this, guarded([this](bool) { acMoveDownExecute(); }));
    connect(lbAvailable_, &QListWidget::itemDoubleClicked, this, guarded([this](QListWidgetItem*) { lbAvailableDblClick(); }));
    connect(lbSelected_, &QListWidget::itemDoubleClicked, this, guarded([this](QListWidgetItem*) { lbSelectedDblClick(); }));
}

void ItemsOrder::PrepareListBoxes()
{
    if (lbAvailable_->count() > 0)
        highlightRow(*lbAvailable_, 0);
    if (lbSelected_->count() > 0)
        highlightRow(*lbSelected_, 0);
}

void ItemsOrder::fitListHeights()
{
    fitListHeight(lbAvailable_, lbAvailable_->count(), lbAvailable_);
    // The selected list holds at most the same columns.
    fitListHeight(lbSelected_, lbAvailable_->count(), lbAvailable_);
}

void ItemsOrder::selectAllColumns()
{
    for (int row = 0; row < lbAvailable_->count(); ++row)
        lbSelected_->addItem(lbAvailable_->item(row)->text());
}

void ItemsOrder::selectDefaultColumns()
{
    if (lbSelected_->count() > 0)
        return;
    const TGeneratorSettings initial = initialFormSettings();
    listColumns(*lbAvailable_, *lbSelected_,
                std::vector<std::uint8_t>(initial.SelectedItems, initial.SelectedItems + ColumnSlots));
}

void ItemsOrder::updateActions()
{
    const int p = highlightedRow(*lbSelected_);
    actions_.acCopySelected->setEnabled(highlightedRow(*lbAvailable_) >= 0);
    actions_.acRemoveSelected->setEnabled(p >= 0);
    actions_.acMoveUp->setEnabled(p > 0);
    actions_.acMoveDown->setEnabled(p >= 0 && p < lbSelected_->count() - 1);
}

bool ItemsOrder::isSelected(const QString& text) const
{
    for (int row = 0; row < lbSelected_->count(); ++row)
        if (lbSelected_->item(row)->text().compare(text, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

void ItemsOrder::acCopySelectedExecute()
{
    const int row = highlightedRow(*lbAvailable_);
    if (row >= 0) {
        const QString text = lbAvailable_->item(row)->text();
        if (!isSelected(text)) {
            // Appending keeps the highlight of the selected list where it was.
            const int kept = highlightedRow(*lbSelected_);
            lbSelected_->addItem(text);
            highlightRow(*lbSelected_, kept);
        } else {
            alreadySelected_();
        }
    }
    lbAvailable_->setFocus();
}

void ItemsOrder::acCopyAllExecute()
{
    lbSelected_->clear();
    selectAllColumns();
    highlightRow(*lbSelected_, 0);
    lbSelected_->setFocus();
}

void ItemsOrder::acRemoveSelectedExecute()
{
    const int p = highlightedRow(*lbSelected_);
    if (p >= 0) {
        delete lbSelected_->takeItem(p);
        if (lbSelected_->count() > p)
            highlightRow(*lbSelected_, p);
        else
            highlightRow(*lbSelected_, lbSelected_->count() - 1);
    }
    lbSelected_->setFocus();
}

void ItemsOrder::acRemoveAllExecute()
{
    lbSelected_->clear();
    lbAvailable_->setFocus();
}

void ItemsOrder::moveHighlighted(int by)
{
    const int p = highlightedRow(*lbSelected_);
    const int target = p + by;
    if (p >= 0 && target >= 0 && target < lbSelected_->count()) {
        lbSelected_->insertItem(target, lbSelected_->takeItem(p));
        highlightRow(*lbSelected_, target);
    }
    lbSelected_->setFocus();
}

void ItemsOrder::acMoveUpExecute()
{
    moveHighlighted(-1);
}

void ItemsOrder::acMoveDownExecute()
{
    moveHighlighted(+1);
}

// A double click acts as the button would, by the state the action had at the last idle moment.
void ItemsOrder::lbAvailableDblClick()
{
    if (actions_.acCopySelected->isEnabled())
        acCopySelectedExecute();
}

void ItemsOrder::lbSelectedDblClick()
{
    if (actions_.acRemoveSelected->isEnabled())
        acRemoveSelectedExecute();
}
