#include "ui/RecentMenus.h"

#include "ui/ErrorBox.h"
#include "ui/PathText.h"

#include "desktop/LocalText.h"


QString recentCaption(const QString& entry)
{
    QString caption = entry;
    caption.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return caption;
}

QString entryFromCaption(const QString& caption)
{
    QString entry = caption;
    const int marker = entry.indexOf(QLatin1Char('&'));
    if (marker >= 0)
        entry.remove(marker, 1);
    return entry;
}

std::string recentEntry(const QAction* item)
{
    const QVariant kept = item->data();
    if (kept.typeId() == QMetaType::QByteArray)
        return kept.toByteArray().toStdString();
    return toLocalBytes(entryFromCaption(item->text()));
}

namespace {

// Rebuilds `menu` from `list`, newest entry first, at most `limit` entries, each shown as
// pathForDisplay shows it and keeping its bytes; each entry's action runs `chosen`. An empty
// list leaves one disabled entry that reads `none`.
void fillRecentMenu(QMenu* menu, const TRecentList& list, const std::function<void(QAction*)>& chosen,
                    const QString& none, int limit = 15)
{
    menu->clear();
    const int count = list.Count();
    for (int i = count - 1; i >= 0 && i >= count - limit; --i) {
        const std::string& entry = list[i];
        QAction* action = menu->addAction(recentCaption(pathForDisplay(entry)));
        action->setData(QByteArray(entry.data(), static_cast<qsizetype>(entry.size())));
        QObject::connect(action, &QAction::triggered, menu, [action, chosen] { chosen(action); });
    }
    if (count == 0)
        menu->addAction(none)->setEnabled(false);
}

QMenu* recentMenu(QMenu* main, QAction* before, const char* name)
{
    auto* menu = new QMenu(main);
    menu->setObjectName(QLatin1String(name));
    // The entries are paths, shown as they are and read back from their captions.
    menu->setProperty("accessKeys", false);
    menu->menuAction()->setProperty("helpContext", 21);
    main->insertMenu(before, menu);
    return menu;
}

} // namespace

RecentMenus::RecentMenus(QMenu* main, QAction* before, Place files, Place dirs, const std::string& filesBase)
    : QObject(main), files_{recentMenu(main, before, "mnuRecentFiles"), files, filesBase + ".files"},
      dirs_{recentMenu(main, before, "mnuRecentDirs"), dirs, filesBase + ".dirs"}
{
    // Filled again each time they open.
    for (const Menu& m : {files_, dirs_})
        connect(m.menu, &QMenu::aboutToShow, this, [this, m] { fill(m); });
}

void RecentMenus::LoadMRUs()
{
    for (Menu* m : {&files_, &dirs_}) {
        m->readable = false;
        guarded([m] {
            m->place.list->LoadFromFile(m->file);
            m->readable = true;
        })();
    }
}

void RecentMenus::SaveMRUs()
{
    // Written over, a file that could not be read would lose every entry it holds.
    runEach({
        [this] { if (files_.readable) files_.place.list->SaveToFile(files_.file); },
        [this] { if (dirs_.readable) dirs_.place.list->SaveToFile(dirs_.file); },
    });
}

void RecentMenus::setTexts(const QString& filesCaption, const QString& dirsCaption, const QString& none)
{
    none_ = none;
    files_.menu->setTitle(filesCaption);
    dirs_.menu->setTitle(dirsCaption);
    fill(files_);
    fill(dirs_);
}

void RecentMenus::fill(const Menu& m)
{
    const std::function<void(QObject*)>& chosen = m.place.chosen;
    fillRecentMenu(m.menu, *m.place.list, [chosen](QAction* entry) { guarded([chosen, entry] { chosen(entry); })(); },
                   none_);
}
