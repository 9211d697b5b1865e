#pragma once
// Keeping a page of the main window within a width: texts that are too long for it (a
// translation may give 255 characters to any of them) are broken into lines, and drop-down
// lists give up width and show their text shortened with "…".
#include <QString>

class QFontMetrics;
class QWidget;

// `text` broken into lines of at most `width` pixels: at blanks where it can, inside a word
// that is longer than a line. The "&" of an access key stays with its letter and takes no room.
QString breakIntoLines(const QString& text, const QFontMetrics& metrics, int width);

// Makes `page` need no more than `width` pixels, as far as its texts and lists allow: breaks
// labels and check box texts into lines and narrows drop-down lists, each no more than the
// page needs. Returns whether the page fits.
bool narrowPage(QWidget* page, int width);

// Undoes what narrowPage did to `page`: texts whole again, drop-down lists as wide as they want.
void widenPage(QWidget* page);
