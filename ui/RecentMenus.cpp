#include "ui/RecentMenus.h"

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

void fillRecentMenu(QMenu* menu, const TRecentList& list, const std::function<void(QAction*)>& chosen,
                    const QString& none, int limit)
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
