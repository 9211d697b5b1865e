#pragma once
// The recent output files and input directories as menus: newest first, the fifteen most recent.
#include "generator/RecentList.h"

#include <QMenu>
#include <QObject>
#include <QString>

#include <functional>
#include <string>

class QAction;

// A menu caption that shows `entry` as it is: Qt reads "&" as an accelerator marker, so
// every "&" of the entry is doubled.
QString recentCaption(const QString& entry);

// The entry back from a menu caption: the first "&" goes, as the menu system may have put
// it there (a doubled "&&" thus comes back as one "&").
QString entryFromCaption(const QString& caption);

// The entry that a menu item stands for: the bytes it keeps, or else its caption read back as
// entryFromCaption does.
std::string recentEntry(const QAction* item);


// The two menus of the Main menu that offer the output files and the input directories used
// before: a chosen entry goes back into its field. The lists are kept in "<filesBase>.files"
// and "<filesBase>.dirs", each loaded and saved on its own: a file that could not be read is
// not written over.
class RecentMenus : public QObject {
    Q_OBJECT
public:
    struct Place {
        TRecentList* list;
        // Takes a chosen entry's menu item as its sender.
        std::function<void(QObject*)> chosen;
    };

    // The menus go into `main` before `before`.
    RecentMenus(QMenu* main, QAction* before, Place files, Place dirs, const std::string& filesBase);

    // Each failure is shown in the error box; the other list loads all the same.
    void LoadMRUs();
    void SaveMRUs();
    // The menus' captions and the entry an empty list shows.
    void setTexts(const QString& filesCaption, const QString& dirsCaption, const QString& none);

private:
    struct Menu {
        QMenu* menu;
        Place place;
        std::string file;
        bool readable = true;
    };
    void fill(const Menu& menu);

    Menu files_;
    Menu dirs_;
    QString none_;
};
