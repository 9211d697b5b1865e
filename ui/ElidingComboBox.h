#pragma once
// A drop-down list that a layout gives the width of its longest entry (when it adjusts to its
// contents), and that shows its current text shortened with "…" when it has been made narrower
// on purpose, instead of cutting it off.
#include <QComboBox>

class ElidingComboBox : public QComboBox {
    Q_OBJECT
public:
    using QComboBox::QComboBox;

    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
};
