#pragma once
// A drop-down list that shows its current text shortened with "…" when it has been made
// narrower than the text, instead of cutting it off.
#include <QComboBox>

class ElidingComboBox : public QComboBox {
    Q_OBJECT
public:
    using QComboBox::QComboBox;

protected:
    void paintEvent(QPaintEvent* event) override;
};
