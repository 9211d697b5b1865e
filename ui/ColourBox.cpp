#include "ui/ColourBox.h"

#include "generator/NamedColours.h"
#include "i18n/HeldTexts.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QScreen>
#include <QScrollArea>
#include <QPainter>
#include <QPixmap>
#include <QVBoxLayout>

namespace {

QIcon swatch(std::uint32_t colour, const QSize& size)
{
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setPen(QColor(Qt::black));
    painter.setBrush(toQColor(colour));
    painter.drawRect(QRect(QPoint(0, 0), size - QSize(1, 1)));
    return QIcon(pixmap);
}

} // namespace

QColor toQColor(std::uint32_t colour)
{
    return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

std::uint32_t fromQColor(const QColor& colour)
{
    return static_cast<std::uint32_t>(colour.red()) | (static_cast<std::uint32_t>(colour.green()) << 8) |
           (static_cast<std::uint32_t>(colour.blue()) << 16);
}

namespace {

// Qt's colour dialog is larger than a small screen (1024 x 768 at scale 2): its buttons would be
// off it. There it goes, without buttons of its own, into a window that scrolls and fits.
QColor chooseOnScreen(QWidget* parent, const QColor& initial)
{
    auto* picker = new QColorDialog(initial);
    const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    const QSize room = screen ? screen->availableGeometry().size() - QSize(2 * 8, 8 + 32) : QSize();
    if (!screen || room.expandedTo(picker->sizeHint()) == room) {
        picker->setParent(parent, picker->windowFlags());
        const bool chosen = picker->exec() == QDialog::Accepted;
        const QColor colour = picker->currentColor();
        delete picker;
        return chosen ? colour : QColor();
    }
    QDialog window(parent);
    window.setObjectName(QStringLiteral("dlgColourOnScreen"));
    window.setWindowTitle(picker->windowTitle());
    picker->setWindowFlags(Qt::Widget);
    picker->setOptions(QColorDialog::NoButtons);
    auto* layout = new QVBoxLayout(&window);
    auto* scroll = new QScrollArea(&window);
    scroll->setWidget(picker);
    layout->addWidget(scroll, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &window);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &window, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &window, &QDialog::reject);
    layout->addWidget(buttons);
    window.resize(room);
    return window.exec() == QDialog::Accepted ? picker->currentColor() : QColor();
}

} // namespace

std::function<QColor(QWidget*, const QColor&)> ColourBox::chooseColour = chooseOnScreen;

ColourBox::ColourBox(QWidget* parent) : ElidingComboBox(parent)
{
    setIconSize(QSize(24, 12));
    // Every name shows whole, in whichever language the names come.
    setSizeAdjustPolicy(AdjustToContents);
    const QStringList names = englishColourNames();
    customName_ = names[CustomEntry];
    addItem(swatch(custom_, iconSize()), customName_, custom_);
    int entry = CustomEntry + 1;
    for (const NamedColour& c : namedColours())
        addItem(swatch(c.value, iconSize()), names[entry++], c.value);
    setCurrentIndex(1);
    setMaxVisibleItems(count());
    connect(this, &QComboBox::activated, this, &ColourBox::onActivated);
}

std::uint32_t ColourBox::colour() const
{
    return currentData().toUInt();
}

void ColourBox::setColour(std::uint32_t colour)
{
    colour &= 0xFFFFFF;
    for (int i = CustomEntry + 1; i < count(); ++i) {
        if (itemData(i).toUInt() == colour) {
            setCurrentIndex(i);
            return;
        }
    }
    setCustom(colour);
    setCurrentIndex(CustomEntry);
}

void ColourBox::setNames(const QStringList& names)
{
    for (int i = 0; i < count() && i < names.size(); ++i)
        setItemText(i, names[i]);
    if (!names.isEmpty())
        customName_ = names[CustomEntry];
    showCustomName();
}

void ColourBox::showCustomName()
{
    // Once it holds a colour the entry says which, as the page will: "Custom... (#FFCC00)".
    setItemText(CustomEntry, customSet_ ? QStringLiteral("%1 (%2)").arg(customName_, toQColor(custom_).name().toUpper())
                                        : customName_);
}

void ColourBox::setCustom(std::uint32_t colour)
{
    custom_ = colour;
    customSet_ = true;
    setItemData(CustomEntry, custom_);
    setItemIcon(CustomEntry, swatch(custom_, iconSize()));
    showCustomName();
}

void ColourBox::onActivated(int index)
{
    if (index != CustomEntry)
        return;
    // Picking the entry asks for the colour; giving up keeps the colour shown before.
    const std::uint32_t before = beforeChoice_;
    const QColor chosen = chooseColour(this, toQColor(custom_));
    setColour(chosen.isValid() ? fromQColor(chosen) : before);
}

// The user picks an entry from the open list, by the keyboard or with the wheel: remember what
// was shown, for a custom choice that is given up.
void ColourBox::showPopup()
{
    beforeChoice_ = colour();
    ElidingComboBox::showPopup();
}

void ColourBox::keyPressEvent(QKeyEvent* event)
{
    beforeChoice_ = colour();
    ElidingComboBox::keyPressEvent(event);
}

void ColourBox::wheelEvent(QWheelEvent* event)
{
    beforeChoice_ = colour();
    ElidingComboBox::wheelEvent(event);
}
