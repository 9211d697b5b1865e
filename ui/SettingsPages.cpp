#include "ui/SettingsPages.h"

#include "ui/WindowFit.h"

#include <QFrame>
#include <QRegularExpression>

namespace {

// The first control of `page` that the keyboard reaches with Tab.
QWidget* firstControl(QWidget* page)
{
    for (QWidget* w = page->nextInFocusChain(); w != page; w = w->nextInFocusChain())
        if (page->isAncestorOf(w) && (w->focusPolicy() & Qt::TabFocus) && w->isEnabled() && w->isVisibleTo(page))
            return w;
    return nullptr;
}

} // namespace

QList<QFrame*> settingsPages(const QWidget* area)
{
    static const QRegularExpression name(QStringLiteral("^Panel\\d+$"));
    return area->findChildren<QFrame*>(name, Qt::FindDirectChildrenOnly);
}

QWidget* shownPage(const QWidget* area)
{
    for (QFrame* page : settingsPages(area))
        if (page->isVisibleTo(area->window()))
            return page;
    return nullptr;
}

QFrame* showSettingsPage(QWidget* area, int number)
{
    QFrame* shown = nullptr;
    for (QFrame* page : settingsPages(area)) {
        const bool visible = page->objectName().right(1).toInt() == number;
        page->setVisible(visible);
        if (visible)
            shown = page;
    }
    if (!shown)
        return nullptr;
    // A hidden page may have been resized or relabelled since it was last laid out.
    layOutAfresh(shown);
    // The keyboard goes on in the page the user asked for.
    const QWidget* focus = area->window()->focusWidget();
    if (!focus || !focus->isVisibleTo(area->window()) || !shown->isAncestorOf(focus))
        if (QWidget* first = firstControl(shown))
            first->setFocus(Qt::OtherFocusReason);
    return shown;
}
