#include "ui/AccessKeys.h"

#include "i18n/LanguageTargets.h"

#include <QAbstractButton>
#include <QAction>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>

namespace {

// Where the text its owner set is kept, and the text this class made of it.
const char* const SourceText = "accessKeySource";
const char* const MarkedText = "accessKeyMarked";

// Every single "&" removed; "&&", a literal ampersand, stays.
QString withoutAccessKeys(const QString& text)
{
    QString plain;
    for (int i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('&') && i + 1 < text.size()) {
            if (text[i + 1] == QLatin1Char('&'))
                plain += text[i++];
            else
                continue;
        }
        plain += text[i];
    }
    return plain;
}

// Only the first single "&" kept: Qt underlines the letter after each of them, while only the
// first one answers Alt.
QString withFirstAccessKeyOnly(const QString& text)
{
    for (int i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != QLatin1Char('&'))
            continue;
        if (text[i + 1] != QLatin1Char('&'))
            return text.left(i + 2) + withoutAccessKeys(text.mid(i + 2));
        ++i;
    }
    return text;
}

// The text as its owner last set it: a text other than the one put in here is new.
QString sourceOf(QObject* o)
{
    const QString text = captionOf(o);
    if (!o->property(MarkedText).isValid() || o->property(MarkedText).toString() != text)
        o->setProperty(SourceText, text);
    return o->property(SourceText).toString();
}

void show(QObject* o, const QString& text)
{
    o->setProperty(MarkedText, text);
    if (captionOf(o) != text)
        setCaptionOf(o, text);
}

struct Left {
    QList<QObject*> taken;    // marked with a letter that was in use already
    QList<QObject*> unmarked; // marked with none
};

// Shows each of `objects` with the letter its text marks where that is not in `used` yet;
// returns the others.
Left keepMarkedLetters(const QList<QObject*>& objects, QString& used)
{
    Left left;
    for (QObject* o : objects) {
        const QString source = sourceOf(o);
        const QChar key = accessKeyOf(source);
        if (key.isNull()) {
            left.unmarked << o;
        } else if (!used.contains(key)) {
            used += key;
            show(o, withFirstAccessKeyOnly(source));
        } else {
            left.taken << o;
        }
    }
    return left;
}

// Gives each of `objects` its first letter that is not in `used`.
void giveFreeLetters(const QList<QObject*>& objects, QString& used)
{
    for (QObject* o : objects)
        show(o, withAccessKey(withoutAccessKeys(sourceOf(o)), used));
}

// Shows each of `objects` as its owner set it.
void keepAsSet(const QList<QObject*>& objects)
{
    for (QObject* o : objects)
        show(o, sourceOf(o));
}

// The controls of a page that answer Alt and a letter: labels of a control, buttons, boxes.
QList<QObject*> pageControls(QWidget* page)
{
    QList<QObject*> controls;
    if (!page)
        return controls;
    for (QWidget* w : page->findChildren<QWidget*>()) {
        auto* label = qobject_cast<QLabel*>(w);
        if ((label && label->buddy()) || (qobject_cast<QAbstractButton*>(w) && !captionOf(w).isEmpty()) ||
            qobject_cast<QGroupBox*>(w))
            controls << w;
    }
    return controls;
}

QList<QObject*> entries(const QWidget* menu)
{
    QList<QObject*> list;
    for (QAction* a : menu->actions())
        if (!a->isSeparator())
            list << a;
    return list;
}

// The menus of a menu bar and their submenus. (The bar keeps a menu of its own for titles
// that do not fit; it is not one of them.)
QList<QMenu*> menusOf(const QWidget* menu)
{
    QList<QMenu*> menus;
    for (QAction* a : menu->actions())
        if (QMenu* sub = a->menu())
            menus << sub << menusOf(sub);
    return menus;
}

} // namespace

QChar accessKeyOf(const QString& text)
{
    for (int i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != QLatin1Char('&'))
            continue;
        if (text[i + 1] != QLatin1Char('&'))
            return text[i + 1].toLower();
        ++i;
    }
    return QChar();
}

QString withAccessKey(const QString& text, QString& used)
{
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text[i].toLower();
        if (c.isLetterOrNumber() && !used.contains(c)) {
            used += c;
            return text.left(i) + QLatin1Char('&') + text.mid(i);
        }
    }
    return text;
}

AccessKeys::AccessKeys(QMenuBar* bar, std::function<QWidget*()> page)
    : QObject(bar), bar_(bar), page_(std::move(page))
{
    bar_->installEventFilter(this);
    watchMenus();
}

void AccessKeys::watchMenus()
{
    for (QMenu* menu : menusOf(bar_))
        menu->installEventFilter(this); // installed once: Qt ignores a second installation
}

void AccessKeys::assign()
{
    if (assigning_)
        return;
    assigning_ = true;
    // The letters the titles' texts mark, then the page's controls around them, then the
    // other titles around both.
    QString used;
    const Left titles = keepMarkedLetters(entries(bar_), used);
    // A control without a letter of its own gets none, as it was designed.
    const Left controls = keepMarkedLetters(pageControls(page_()), used);
    giveFreeLetters(controls.taken, used);
    keepAsSet(controls.unmarked);
    giveFreeLetters(titles.taken + titles.unmarked, used);

    for (QMenu* menu : menusOf(bar_)) {
        if (menu->property("accessKeys").isValid() && !menu->property("accessKeys").toBool())
            continue;
        QString inMenu;
        const Left items = keepMarkedLetters(entries(menu), inMenu);
        giveFreeLetters(items.taken + items.unmarked, inMenu);
    }
    assigning_ = false;
}

bool AccessKeys::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::ActionChanged || event->type() == QEvent::ActionAdded) {
        if (event->type() == QEvent::ActionAdded)
            watchMenus();
        assign();
    }
    return QObject::eventFilter(watched, event);
}
