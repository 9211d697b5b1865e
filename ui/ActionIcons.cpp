#include "ui/ActionIcons.h"

#include <QAction>
#include <QStyle>
#include <QWidget>

namespace {

struct IconEntry {
    const char* action;
    QStyle::StandardPixmap standard; // used when `resource` is null
    const char* resource;
};

const IconEntry iconTable[] = {
    {"acInputDir", QStyle::SP_DirOpenIcon, nullptr},
    {"acOutputFile", QStyle::SP_CustomBase, ":/icons/output.svg"},
    {"acGenerateList", QStyle::SP_CustomBase, ":/icons/generate.svg"},
    {"acExit", QStyle::SP_DialogCloseButton, nullptr},
    {"acLanguage", QStyle::SP_CustomBase, ":/icons/language.svg"},
    {"acMainSettings", QStyle::SP_CustomBase, ":/icons/mainsettings.svg"},
    {"acHTMLPSettings", QStyle::SP_CustomBase, ":/icons/htmlpage.svg"},
    {"acColors", QStyle::SP_CustomBase, ":/icons/colors.svg"},
    {"acOrder", QStyle::SP_CustomBase, ":/icons/order.svg"},
    {"acLoadSettings", QStyle::SP_DialogOpenButton, nullptr},
    {"acSaveSettings", QStyle::SP_DialogSaveButton, nullptr},
    {"acHelpContents", QStyle::SP_DialogHelpButton, nullptr},
    {"acAboutAuthor", QStyle::SP_CustomBase, ":/icons/author.svg"},
    {"acAboutProgram", QStyle::SP_MessageBoxInformation, nullptr},
    {"acTunesheetsHomepage", QStyle::SP_CustomBase, ":/icons/homepage.svg"},
    {"acCopySelected", QStyle::SP_ArrowRight, nullptr},
    {"acCopyAll", QStyle::SP_MediaSeekForward, nullptr},
    {"acRemoveSelected", QStyle::SP_ArrowLeft, nullptr},
    {"acRemoveAll", QStyle::SP_MediaSeekBackward, nullptr},
    {"acMoveUp", QStyle::SP_ArrowUp, nullptr},
    {"acMoveDown", QStyle::SP_ArrowDown, nullptr},
};

} // namespace

// The drawings live in the GUI library; a static library's resources are registered by hand
// (outside any namespace, as Qt's macro requires).
static void loadResources()
{
    static const bool loaded = [] {
        Q_INIT_RESOURCE(icons);
        return true;
    }();
    (void)loaded;
}

void assignActionIcons(QWidget* window)
{
    loadResources();
    for (const IconEntry& entry : iconTable) {
        auto* action = window->findChild<QAction*>(QLatin1String(entry.action));
        if (!action)
            continue;
        action->setIcon(entry.resource ? QIcon(QLatin1String(entry.resource))
                                       : window->style()->standardIcon(entry.standard, nullptr, window));
    }
}

QIcon programIcon()
{
    loadResources();
    return QIcon(QStringLiteral(":/icons/tunesheet.svg"));
}
