#pragma once
// Paths in the window's fields. A path comes from the disk as bytes in any encoding; the field
// shows it readably and gives back exactly those bytes for as long as the user leaves it alone.
#include <QString>

#include <string>

class QLineEdit;

// The path as text, read as the page reads names (nameToPage), so that the window and the page
// show a name alike.
QString pathForDisplay(const std::string& bytes);

// Shows `bytes` in `edit` and keeps them with it.
void setPathText(QLineEdit* edit, const std::string& bytes);
// The bytes kept with `edit` while it still shows them; what the user typed, in the narrow
// encoding, once it shows anything else.
std::string pathBytes(const QLineEdit* edit);
