#pragma once
// The recent output files and input directories as menus: newest first, the fifteen most recent.
#include "generator/RecentList.h"

#include <QMenu>
#include <QString>

#include <functional>
#include <string>

// A menu caption that shows `entry` as it is: Qt reads "&" as an accelerator marker, so
// every "&" of the entry is doubled.
QString recentCaption(const QString& entry);

// The entry back from a menu caption: the first "&" goes, as the menu system may have put
// it there (a doubled "&&" thus comes back as one "&").
QString entryFromCaption(const QString& caption);

// The entry that a menu item stands for: the bytes it keeps, or else its caption read back as
// entryFromCaption does.
std::string recentEntry(const QAction* item);

// Rebuilds `menu` from `list`, newest entry first, at most `limit` entries, each shown as
// pathForDisplay shows it and keeping its bytes; each entry's action runs `chosen`. An empty
// list leaves one disabled entry that reads `none`.
void fillRecentMenu(QMenu* menu, const TRecentList& list, const std::function<void(QAction*)>& chosen,
                    const QString& none, int limit = 15);
