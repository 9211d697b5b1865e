#include "ui/StatusLine.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <QTextLayout>

namespace {

constexpr int Lines = 2;

QTextOption wrapping()
{
    QTextOption option(Qt::AlignLeading | Qt::AlignVCenter);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    return option;
}

} // namespace

StatusBar::StatusBar(QWidget* parent) : QStatusBar(parent) {}

QSize StatusBar::sizeHint() const
{
    const QSize one = QStatusBar::sizeHint();
    return QSize(one.width(), one.height() + (Lines - 1) * fontMetrics().lineSpacing());
}

QRect StatusBar::textRect() const
{
    // Where the bar draws its own one-line message: from 6 pixels in to 12 pixels before its end.
    return rect().adjusted(6, 0, -12, 0);
}

QString StatusBar::fitted(const QString& text) const
{
    const QRect room = textRect();
    const auto fits = [&](const QString& t) {
        return fontMetrics().boundingRect(room, Qt::TextWordWrap, t).height() <= Lines * fontMetrics().lineSpacing();
    };
    if (fits(text))
        return text;
    // The longest start that fits with "…" after it.
    int low = 0, high = static_cast<int>(text.size());
    while (high - low > 1) {
        const int middle = (low + high) / 2;
        (fits(text.left(middle) + QChar(0x2026)) ? low : high) = middle;
    }
    return text.left(low) + QChar(0x2026);
}

void StatusBar::showWhole(const QString& text)
{
    whole_ = text;
    const QString shown = fitted(text);
    setToolTip(shown == text ? QString() : text);
    if (currentMessage() != shown)
        showMessage(shown);
}

void StatusBar::resizeEvent(QResizeEvent* event)
{
    QStatusBar::resizeEvent(event);
    showWhole(whole_);
}

void StatusBar::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    QStyleOption option;
    option.initFrom(this);
    style()->drawPrimitive(QStyle::PE_PanelStatusBar, &option, &painter, this);
    const QString message = currentMessage();
    if (message.isEmpty())
        return;
    painter.setPen(palette().windowText().color());
    painter.drawText(QRectF(textRect()), message, wrapping());
}

void StatusLine::showHint(const QString& hint)
{
    hint_ = hint;
    if (!hint_.isEmpty())
        notice_.clear();
    show(hint_);
}

void StatusLine::showNotice(const QString& notice)
{
    notice_ = notice;
    show(notice_);
}

void StatusLine::showIdle(const QString& idleText)
{
    const QString idle = notice_.isEmpty() ? idleText : notice_;
    if (hint_.isEmpty() && shown_ != idle)
        show(idle);
}

void StatusLine::show(const QString& text)
{
    shown_ = text;
    bar_->showWhole(text);
}
