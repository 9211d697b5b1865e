#include "dialogs/about.h"

#include "desktop/ApplicationOwned.h"
#include "desktop/DesktopServices.h"
#include "desktop/LocalText.h"
#include "platform/Path.h"
#include "platform/VersionInfo.h"

#include "ui_about.h"

#include <QApplication>
#include <QFontDatabase>
#include <QMouseEvent>
#include <QScreen>
#include <QStyle>

namespace {

// Arial where it is installed, else its metric twin, else the desktop's font; sizes in pixels.
QFont arial(int pixelSize, bool bold = false)
{
    QFont f = QApplication::font();
    const QStringList families = QFontDatabase::families();
    for (const char* family : {"Arial", "Liberation Sans"}) {
        if (families.contains(QLatin1String(family))) {
            f.setFamily(QLatin1String(family));
            break;
        }
    }
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    return f;
}

void paint(QWidget* w, QPalette::ColorRole role, const QColor& colour)
{
    QPalette p = w->palette();
    p.setColor(role, colour);
    w->setPalette(p);
}

} // namespace

TfrmAboutBox::TfrmAboutBox(const QString& executable, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), ui(new Ui::TfrmAboutBox)
{
    ui->setupUi(this);
    setFixedSize(325, 209);
    paint(ui->Panel1, QPalette::Window, QColor(0x80, 0, 0)); // maroon
    paint(ui->Panel2, QPalette::Window, Qt::white);
    // Dark text on the white panel whatever the desktop's colours: a dark theme's light text
    // would vanish there.
    paint(ui->Panel2, QPalette::WindowText, Qt::black);

    ui->lblProgramName->setFont(arial(19, true));
    for (QLabel* l : {ui->lblVersion, ui->Label1, ui->lblWWW})
        l->setFont(arial(12));
    QFont link = ui->lblWWW->font();
    link.setUnderline(true);
    ui->lblWWW->setFont(link);
    paint(ui->lblWWW, QPalette::WindowText, Qt::blue);

    for (QWidget* w : {static_cast<QWidget*>(ui->Panel1), static_cast<QWidget*>(ui->imgIcon),
                       static_cast<QWidget*>(ui->Panel2), static_cast<QWidget*>(ui->lblProgramName),
                       static_cast<QWidget*>(ui->lblVersion), static_cast<QWidget*>(ui->Label1),
                       static_cast<QWidget*>(ui->lblWWW)})
        w->installEventFilter(this);

    FormCreate(executable);
}

TfrmAboutBox::~TfrmAboutBox() = default;

QString TfrmAboutBox::defaultExecutable()
{
    return fromLocalBytes(platform::executablePath());
}

TfrmAboutBox* TfrmAboutBox::instance()
{
    // Its panels and labels carry the names of the main window's.
    return applicationOwned<TfrmAboutBox>();
}

QLabel* TfrmAboutBox::label(const char* name) const
{
    return findChild<QLabel*>(QLatin1String(name));
}

void TfrmAboutBox::FormCreate(const QString& executable)
{
    QIcon icon = QApplication::windowIcon();
    if (icon.isNull())
        icon = style()->standardIcon(QStyle::SP_MediaVolume);
    ui->imgIcon->setPixmap(icon.pixmap(QSize(48, 48), devicePixelRatio()));
    ui->lblProgramName->setText(QGuiApplication::applicationDisplayName());
    version_ = QString::fromStdString(platform::GetVersionString(toLocalBytes(executable)));
    setTexts(AboutTexts());
    setAddress(DesktopServices::instance().guideAddress());
}

void TfrmAboutBox::setTexts(const AboutTexts& texts)
{
    // Each text keeps its place and gets the rest of the panel's width; a notice longer than a
    // line grows upwards from where it ends.
    if (layout())
        layout()->activate();
    const int right = ui->Panel2->width();
    ui->lblVersion->setText(texts.Version.arg(version_));
    ui->lblVersion->resize(right - ui->lblVersion->x(), ui->lblVersion->height());
    QLabel* notice = ui->Label1;
    const int bottom = notice->geometry().bottom();
    notice->setWordWrap(true);
    notice->setText(texts.Notice);
    const int width = right - notice->x();
    const int height = qMax(notice->fontMetrics().height(), notice->heightForWidth(width));
    notice->setGeometry(notice->x(), bottom + 1 - height, width, height);
}

void TfrmAboutBox::setAddress(const QString& address)
{
    address_ = address;
    // The address keeps its place and grows to its text up to the panel's edge; a longer one
    // is shortened in its middle and shows whole as the label's tip. The click area is the text.
    if (layout())
        layout()->activate();
    QLabel* link = ui->lblWWW;
    const int room = ui->Panel2->width() - link->x() - link->x();
    const QString shown = link->fontMetrics().elidedText(address, Qt::ElideMiddle, room);
    link->setText(shown);
    link->setToolTip(shown == address ? QString() : address);
    link->resize(link->sizeHint().width(), link->height());
}

void TfrmAboutBox::AnywhereClick()
{
    accept();
}

void TfrmAboutBox::lblLinkClick()
{
    // A desktop that cannot open it says so; the box stays open either way.
    DesktopServices::instance().showAddress(this, address_);
}

bool TfrmAboutBox::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        if (watched == ui->lblWWW)
            lblLinkClick();
        else
            AnywhereClick();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TfrmAboutBox::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // Centred on the desktop.
    if (QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
}
