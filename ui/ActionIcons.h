#pragma once
// The icons of the main window's actions: Qt's standard icons where one fits, our own
// small drawings otherwise.
#include <QIcon>

class QWidget;

// Gives every action of the window that is named in the icon table its icon, drawn for the
// window's palette: run it again when the palette changes.
void assignActionIcons(QWidget* window);

// The program's own icon, for the window and the task bar.
QIcon programIcon();
