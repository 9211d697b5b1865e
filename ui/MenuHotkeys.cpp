#include "ui/MenuHotkeys.h"

#include <QAction>
#include <QEvent>
#include <QMenuBar>

namespace {

// The letter after a single "&" ("&&" is a literal ampersand), or a null character.
QChar hotkeyOf(const QString& text)
{
    for (int i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != QChar('&'))
            continue;
        if (text[i + 1] != QChar('&'))
            return text[i + 1].toLower();
        ++i;
    }
    return QChar();
}

} // namespace

QString withHotkey(const QString& text, QString& used)
{
    const QChar existing = hotkeyOf(text);
    if (!existing.isNull()) {
        used += existing;
        return text;
    }
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text[i].toLower();
        if (c.isLetterOrNumber() && !used.contains(c)) {
            used += c;
            return text.left(i) + QChar('&') + text.mid(i);
        }
    }
    return text;
}

MenuHotkeys::MenuHotkeys(QMenuBar* bar) : QObject(bar), bar_(bar)
{
    bar_->installEventFilter(this);
}

void MenuHotkeys::assign()
{
    QString used;
    // Titles that carry a letter keep it; the others get one of the letters still free.
    for (QAction* a : bar_->actions())
        if (!hotkeyOf(a->text()).isNull())
            used += hotkeyOf(a->text());
    for (QAction* a : bar_->actions()) {
        if (a->isSeparator() || !hotkeyOf(a->text()).isNull())
            continue;
        const QString text = withHotkey(a->text(), used);
        if (text != a->text())
            a->setText(text);
    }
}

bool MenuHotkeys::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == bar_ && (event->type() == QEvent::ActionChanged || event->type() == QEvent::ActionAdded))
        assign();
    return QObject::eventFilter(watched, event);
}
