#pragma once
// A window that the system asks the program to stop (its terminal or session closed, Ctrl+C,
// a shutdown) closes as if the user had closed it: what it saves at a close is saved, and a
// page being written is stopped and its temporary file removed.
class QWidget;

void closeOnStopRequest(QWidget* window);
