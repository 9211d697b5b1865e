#pragma once
// A drop-down list of colours: the standard and extended named colours under readable names,
// and a custom entry at the top that opens Qt's colour dialog. A colour that has no name shows
// in the custom entry, with its value. Colours are 32-bit values with red in the low byte.
#include "ui/ElidingComboBox.h"

#include <QColor>

#include <cstdint>
#include <functional>

class ColourBox : public ElidingComboBox {
    Q_OBJECT
public:
    explicit ColourBox(QWidget* parent = nullptr);

    std::uint32_t colour() const;
    void setColour(std::uint32_t colour);
    // Names the entries anew, the custom entry first, then the colours in their order.
    void setNames(const QStringList& names);

    // Asks for a custom colour; Qt's colour dialog unless replaced (tests answer here).
    static std::function<QColor(QWidget* parent, const QColor& initial)> chooseColour;

    static constexpr int CustomEntry = 0;

    void showPopup() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void onActivated(int index);
    void setCustom(std::uint32_t colour);
    void showCustomName();

    QString customName_;
    std::uint32_t custom_ = 0;
    bool customSet_ = false;
    std::uint32_t beforeChoice_ = 0; // the colour shown when the user began to choose
};

QColor toQColor(std::uint32_t colour);
std::uint32_t fromQColor(const QColor& colour);
