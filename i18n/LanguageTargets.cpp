#include "i18n/LanguageTargets.h"

#include "desktop/LocalText.h"
#include "dialogs/BrowsDlg.h"
#include "dialogs/SaveDialog.h"
#include "platform/Errors.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>

namespace {

[[noreturn]] void lacks(const QObject* object, const char* what)
{
    throw platform::TunesheetError("ChangeLanguage: " + toLocalBytes(object->objectName()) + " has no " + what);
}

void checkItem(int item, int count)
{
    if (item < 0 || item >= count)
        throw platform::ListIndexError(item);
}

QObject* requireObject(QObject* form, const char* name)
{
    QObject* object = form->findChild<QObject*>(QLatin1String(name));
    if (!object)
        throw platform::TunesheetError(std::string("ChangeLanguage: the window has no ") + name);
    return object;
}

template <class T>
T* require(QObject* form, const char* name)
{
    T* object = qobject_cast<T*>(requireObject(form, name));
    if (!object)
        throw platform::TunesheetError(std::string("ChangeLanguage: ") + name + " is not of the kind its text needs");
    return object;
}

// The label of a labelled edit: its own child label, or the label that names it as its buddy.
QLabel* attachedLabel(QObject* form, const char* name)
{
    QObject* edit = requireObject(form, name);
    if (auto* own = edit->findChild<QLabel*>(QString(), Qt::FindDirectChildrenOnly))
        return own;
    for (QLabel* label : form->findChildren<QLabel*>())
        if (label->buddy() == edit)
            return label;
    throw platform::TunesheetError(std::string("ChangeLanguage: ") + name + " has no label");
}

QString hint(QObject* object)
{
    if (auto* action = qobject_cast<QAction*>(object))
        return action->statusTip();
    if (auto* widget = qobject_cast<QWidget*>(object))
        return widget->statusTip();
    lacks(object, "hint");
}

void setHint(QObject* object, const QString& text)
{
    // Hints are status tips; where a tool tip repeats the hint (the glyph buttons of the
    // items-order page), it follows.
    if (auto* action = qobject_cast<QAction*>(object)) {
        if (!action->statusTip().isEmpty() && action->toolTip() == action->statusTip())
            action->setToolTip(text);
        action->setStatusTip(text);
    } else if (auto* widget = qobject_cast<QWidget*>(object)) {
        if (!widget->statusTip().isEmpty() && widget->toolTip() == widget->statusTip())
            widget->setToolTip(text);
        widget->setStatusTip(text);
    } else {
        lacks(object, "hint");
    }
}

QString itemText(QObject* list, int item)
{
    if (auto* combo = qobject_cast<QComboBox*>(list)) {
        checkItem(item, combo->count());
        return combo->itemText(item);
    }
    if (auto* widget = qobject_cast<QListWidget*>(list)) {
        checkItem(item, widget->count());
        return widget->item(item)->text();
    }
    lacks(list, "items");
}

void setItemText(QObject* list, int item, const QString& text)
{
    // Replaced in place: the selection and check marks stay.
    if (auto* combo = qobject_cast<QComboBox*>(list)) {
        checkItem(item, combo->count());
        combo->setItemText(item, text);
    } else if (auto* widget = qobject_cast<QListWidget*>(list)) {
        checkItem(item, widget->count());
        widget->item(item)->setText(text);
    } else {
        lacks(list, "items");
    }
}

} // namespace

QString captionOf(QObject* object)
{
    if (auto* menu = qobject_cast<QMenu*>(object))
        return menu->title();
    if (auto* box = qobject_cast<QGroupBox*>(object))
        return box->title();
    if (auto* action = qobject_cast<QAction*>(object))
        return action->text();
    if (auto* label = qobject_cast<QLabel*>(object))
        return label->text();
    if (auto* button = qobject_cast<QAbstractButton*>(object))
        return button->text();
    lacks(object, "caption");
}

void setCaptionOf(QObject* object, const QString& text)
{
    // An action passes its caption on to the menu items and buttons that show it.
    if (auto* menu = qobject_cast<QMenu*>(object))
        menu->setTitle(text);
    else if (auto* box = qobject_cast<QGroupBox*>(object))
        box->setTitle(text);
    else if (auto* action = qobject_cast<QAction*>(object))
        action->setText(text);
    else if (auto* label = qobject_cast<QLabel*>(object))
        label->setText(text);
    else if (auto* button = qobject_cast<QAbstractButton*>(object))
        button->setText(text);
    else
        lacks(object, "caption");
}

QString languageTargetText(QObject* form, const HeldTexts& texts, const LanguageTarget& target)
{
    switch (target.kind) {
    case TextKind::Caption:
        return captionOf(requireObject(form, target.objectName));
    case TextKind::Hint:
        return hint(requireObject(form, target.objectName));
    case TextKind::EditLabel:
        return attachedLabel(form, target.objectName)->text();
    case TextKind::Item:
        return itemText(requireObject(form, target.objectName), target.item);
    case TextKind::SaveFilter:
        return require<TSaveDialog>(form, target.objectName)->filter();
    case TextKind::SaveTitle:
        return require<TSaveDialog>(form, target.objectName)->windowTitle();
    case TextKind::FolderCaption:
        return require<TBrowseDialog>(form, target.objectName)->Caption;
    case TextKind::Held: {
        HeldTexts copy = texts; // the accessor hands out a text to change
        return target.held(copy);
    }
    }
    return QString();
}

void setLanguageTargetText(QObject* form, HeldTexts& texts, const LanguageTarget& target, const QString& text)
{
    switch (target.kind) {
    case TextKind::Caption:
        setCaptionOf(requireObject(form, target.objectName), text);
        break;
    case TextKind::Hint:
        setHint(requireObject(form, target.objectName), text);
        break;
    case TextKind::EditLabel:
        attachedLabel(form, target.objectName)->setText(text);
        break;
    case TextKind::Item:
        setItemText(requireObject(form, target.objectName), target.item, text);
        break;
    case TextKind::SaveFilter:
        require<TSaveDialog>(form, target.objectName)->setFilter(text);
        break;
    case TextKind::SaveTitle:
        require<TSaveDialog>(form, target.objectName)->setWindowTitle(text);
        break;
    case TextKind::FolderCaption:
        require<TBrowseDialog>(form, target.objectName)->Caption = text;
        break;
    case TextKind::Held:
        target.held(texts) = text;
        break;
    }
}
