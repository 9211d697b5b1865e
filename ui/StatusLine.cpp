#include "ui/StatusLine.h"

#include "ui/WindowFit.h"

#include <QWidget>

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
    showElided(bar_, text, window_->width());
}
