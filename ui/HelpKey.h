#pragma once
// F1 opens the help at the context of what the user is at: the control that has the focus,
// or the menu entry under the cursor while a menu is open. A context is a "helpContext"
// property on the object or the nearest of its parents that has one; 0 is the contents.
#include <QList>
#include <QObject>

class QMenu;
class QWidget;

class HelpKey : public QObject {
    Q_OBJECT
public:
    // F1 in `window`, and in each of `menus` while it is open.
    HelpKey(QWidget* window, const QList<QMenu*>& menus);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
