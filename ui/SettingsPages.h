#pragma once
// The main window's four pages of settings, one shown at a time in its page area: the frames
// named "Panel<n>" right inside the area, n the page's number.
#include <QList>

class QFrame;
class QWidget;

QList<QFrame*> settingsPages(const QWidget* area);

// The page on show, or none.
QWidget* shownPage(const QWidget* area);

// Shows page `number` alone, laid out afresh; the keyboard focus goes to its first control
// unless it is in the page already. Returns the page, or none when no page has that number.
QFrame* showSettingsPage(QWidget* area, int number);
