#include "i18n/language.h"

#include "desktop/ApplicationOwned.h"

#include "ui_language.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QScreen>

namespace {
// The group box's designed width.
constexpr int DesignWidth = 187;
} // namespace

TfrmLanguage::TfrmLanguage(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint),
      ui(new Ui::TfrmLanguage)
{
    ui->setupUi(this);
    // Tahoma 8 point where it is installed, the desktop's font at that size elsewhere; the
    // layout lets the window grow when a translation needs more room.
    QFont f = font();
    if (QFontDatabase::families().contains(QStringLiteral("Tahoma")))
        f.setFamily(QStringLiteral("Tahoma"));
    f.setPointSize(8);
    setFont(f);
    // OK needs a language to choose.
    connect(ui->cbLanguage, &QComboBox::currentIndexChanged, this,
            [this](int index) { ui->btnOK->setEnabled(index >= 0); });
    ui->btnOK->setEnabled(false);
}

TfrmLanguage::~TfrmLanguage() = default;

TfrmLanguage* TfrmLanguage::instance()
{
    return applicationOwned<TfrmLanguage>();
}

QGroupBox* TfrmLanguage::gbMain() const { return ui->gbMain; }
QComboBox* TfrmLanguage::cbLanguage() const { return ui->cbLanguage; }
QPushButton* TfrmLanguage::btnOK() const { return ui->btnOK; }
QPushButton* TfrmLanguage::btnCancel() const { return ui->btnCancel; }

void TfrmLanguage::selectLibrary(const QString& fileName)
{
    QComboBox* list = ui->cbLanguage;
    int selected = -1;
    for (int i = 0; i < list->count() && selected < 0; ++i)
        if (list->itemText(i).compare(fileName, Qt::CaseInsensitive) == 0)
            selected = i;
    // The item keeps the real file name: "my.lang.dll" shows as "my" but stays my.lang.dll,
    // and "SLOVAK.DLL" stays spelled as the file is on a file system that minds letter case.
    for (int i = 0; i < list->count(); ++i) {
        const QString name = list->itemText(i);
        list->setItemData(i, name);
        list->setItemText(i, name.section(QLatin1Char('.'), 0, 0));
    }
    list->setCurrentIndex(selected);
    ui->btnOK->setEnabled(selected >= 0);
}

QString TfrmLanguage::chosenLibrary() const
{
    return ui->cbLanguage->currentIndex() < 0 ? QString() : ui->cbLanguage->currentData().toString();
}

void TfrmLanguage::changeEvent(QEvent* event)
{
    QDialog::changeEvent(event);
    // (The form's own title arrives while it is still being built.)
    if ((event->type() != QEvent::WindowTitleChange && event->type() != QEvent::FontChange) || !layout())
        return;
    // Wide enough for its title beside the title bar's buttons: the window system cuts a title
    // that does not fit. Its title font is not known here; a bold one of the desktop's size
    // is as wide as most.
    QFont titleFont = QApplication::font();
    titleFont.setBold(true);
    // The window's icon and up to three buttons.
    const int titleBarButtons = 6 * QFontMetrics(titleFont).height();
    const int needed = QFontMetrics(titleFont).horizontalAdvance(windowTitle()) + titleBarButtons;
    const QMargins margins = layout()->contentsMargins();
    ui->gbMain->setMinimumWidth(qMax(DesignWidth, needed - margins.left() - margins.right()));
}

void TfrmLanguage::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // Centred on the desktop.
    if (QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
}
