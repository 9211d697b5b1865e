#include "ui/HelpKey.h"

#include "ui/ErrorBox.h"

#include "desktop/DesktopServices.h"

#include <QKeyEvent>
#include <QMenu>
#include <QShortcut>

namespace {

// Shows the help at the context of `object`.
void showHelpFor(const QObject* object)
{
    int context = 0;
    for (; object && context == 0; object = object->parent())
        context = object->property("helpContext").toInt();
    DesktopServices::instance().showHelp(context);
}

} // namespace

HelpKey::HelpKey(QWidget* window, const QList<QMenu*>& menus) : QObject(window)
{
    auto* key = new QShortcut(QKeySequence(Qt::Key_F1), window);
    connect(key, &QShortcut::activated, this, guarded([window] { showHelpFor(window->focusWidget()); }));
    // An open menu takes the keyboard; the shortcut does not see F1 there.
    for (QMenu* menu : menus)
        menu->installEventFilter(this);
}

bool HelpKey::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        auto* menu = qobject_cast<QMenu*>(watched);
        if (menu && key->key() == Qt::Key_F1 && key->modifiers() == Qt::NoModifier) {
            QAction* entry = menu->activeAction();
            menu->close();
            guarded([entry] { showHelpFor(entry); })();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}
