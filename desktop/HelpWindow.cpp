#include "desktop/HelpWindow.h"

#include "desktop/ApplicationOwned.h"
#include "desktop/DesktopServices.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QTextBrowser>
#include <QVBoxLayout>

THelpWindow::THelpWindow(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("THelpWindow"));
    auto* layout = new QVBoxLayout(this);
    auto* buttons = new QHBoxLayout;
    back_ = new QPushButton(this);
    forward_ = new QPushButton(this);
    contents_ = new QPushButton(this);
    back_->setObjectName(QStringLiteral("btnBack"));
    forward_->setObjectName(QStringLiteral("btnForward"));
    contents_->setObjectName(QStringLiteral("btnContents"));
    for (QPushButton* button : {back_, forward_, contents_}) {
        button->setAutoDefault(false);
        buttons->addWidget(button);
    }
    buttons->addStretch();
    layout->addLayout(buttons);

    browser_ = new QTextBrowser(this);
    browser_->setObjectName(QStringLiteral("tbGuide"));
    // Links are followed here: the guide's own sections in this window, everything else by the
    // desktop, which says so when it cannot.
    browser_->setOpenLinks(false);
    layout->addWidget(browser_, 1);

    back_->setEnabled(false);
    forward_->setEnabled(false);
    connect(back_, &QPushButton::clicked, browser_, &QTextBrowser::backward);
    connect(forward_, &QPushButton::clicked, browser_, &QTextBrowser::forward);
    connect(contents_, &QPushButton::clicked, this, [this] { browser_->setSource(guide_); });
    connect(browser_, &QTextBrowser::backwardAvailable, back_, &QPushButton::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward_, &QPushButton::setEnabled);
    connect(browser_, &QTextBrowser::anchorClicked, this, &THelpWindow::openLink);

    // The guide is written for a light page, whatever the desktop's colours.
    QPalette page = browser_->palette();
    page.setColor(QPalette::Base, Qt::white);
    page.setColor(QPalette::Text, QColor(0x22, 0x22, 0x22));
    browser_->setPalette(page);

    for (const QKeySequence& key : {QKeySequence(Qt::Key_Escape), QKeySequence(QKeySequence::Close)})
        connect(new QShortcut(key, this), &QShortcut::activated, this, &QWidget::close);

    setTexts(HelpTexts());
}

void THelpWindow::placeOnScreen()
{
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect room = screen->availableGeometry();
    // The window system's frame, known once the window has been shown; room for a usual one before.
    const QSize frame = (frameGeometry().size() - size()).expandedTo(QSize(2 * 8, 8 + 32));
    // Room for the guide's pictures of the window, never more than the screen has.
    resize(QSize(720, 600).boundedTo(room.size() - frame));
    QRect outer(pos(), size() + frame);
    if (!room.contains(outer))
        outer.moveCenter(room.center());
    move(outer.topLeft());
}

THelpWindow* THelpWindow::instance()
{
    return applicationOwned<THelpWindow>();
}

void THelpWindow::setTexts(const HelpTexts& texts)
{
    setWindowTitle(texts.Title);
    back_->setText(texts.Back);
    forward_->setText(texts.Forward);
    contents_->setText(texts.Contents);
}

void THelpWindow::showContext(const QString& guideFile, int context)
{
    guide_ = QUrl::fromLocalFile(guideFile);
    QUrl section = guide_;
    if (context > 0)
        section.setFragment(QStringLiteral("context-%1").arg(context));
    // The same address again still scrolls to its section: the user may have moved away.
    if (browser_->source() == section && context > 0)
        browser_->scrollToAnchor(section.fragment());
    else
        browser_->setSource(section);
    if (!isVisible())
        placeOnScreen();
    show();
    raise();
    activateWindow();
}

void THelpWindow::openLink(const QUrl& link)
{
    const QUrl target = browser_->source().resolved(link);
    if (target.isLocalFile() && target.adjusted(QUrl::RemoveFragment) == guide_.adjusted(QUrl::RemoveFragment))
        browser_->setSource(target);
    else
        DesktopServices::instance().showAddress(this, target.isLocalFile() ? target.toLocalFile() : target.toString());
}
