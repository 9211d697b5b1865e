#include "ui/ElidingComboBox.h"

#include <QStyleOptionComboBox>
#include <QStylePainter>

QSize ElidingComboBox::minimumSizeHint() const
{
    return sizeAdjustPolicy() == AdjustToContents ? sizeHint() : QComboBox::minimumSizeHint();
}

void ElidingComboBox::paintEvent(QPaintEvent*)
{
    // As QComboBox draws itself, the text shortened to the room of the edit field.
    QStylePainter painter(this);
    painter.setPen(palette().color(QPalette::Text));
    QStyleOptionComboBox option;
    initStyleOption(&option);
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    QRect field = style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    if (!option.currentIcon.isNull())
        field.setLeft(field.left() + option.iconSize.width() + 4);
    option.currentText = painter.fontMetrics().elidedText(option.currentText, Qt::ElideRight, field.width() - 2);
    painter.drawControl(QStyle::CE_ComboBoxLabel, option);
}
