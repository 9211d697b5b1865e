#pragma once
// The main window's size: the pages of settings at their design size, or larger when a text
// needs more, the window around them and wholly on the screen.
//
// Keeping a page of the main window within a width: texts that are too long for it (a
// translation may give 255 characters to any of them) are broken into lines, and drop-down
// lists give up width and show their text shortened with "…".
#include <QFont>
#include <QList>
#include <QString>

class QFontMetrics;
class QFrame;
class QListWidget;
class QMainWindow;
class QWidget;

// The font the window was drawn with where it is installed, else the desktop's UI font, at
// the designed point size.
QFont designFont(const QString& family, int pointSize);

// Makes `list` show `rows` rows of `like` without a scroll bar.
void fitListHeight(QListWidget* list, int rows, const QListWidget* like);

// Lays a widget out again from the current size hints of everything in it. A hidden page
// keeps the hints of its nested layouts from the last time it was laid out, which may be
// older than its texts.
void layOutAfresh(QWidget* widget);

// Fixes `window` at the size that shows its page area `area` at the design size, or at the
// smallest size that shows every text of every one of `pages` (the area's) when that is
// larger; never larger than the screen (the pages' texts then go on more lines), and moved
// wholly onto the screen.
void fitWindowToPages(QMainWindow* window, QWidget* area, const QList<QFrame*>& pages);

// `text` broken into lines of at most `width` pixels: at blanks where it can, inside a word
// that is longer than a line. The "&" of an access key stays with its letter and takes no room.
QString breakIntoLines(const QString& text, const QFontMetrics& metrics, int width);

// Makes `page` need no more than `width` pixels, as far as its texts and lists allow: breaks
// labels and check box texts into lines and narrows drop-down lists, each no more than the
// page needs. Returns whether the page fits.
bool narrowPage(QWidget* page, int width);

// Undoes what narrowPage did to `page`: texts whole again, drop-down lists as wide as they want.
void widenPage(QWidget* page);
