#include "ui/ActionIcons.h"

#include <QAction>
#include <QBuffer>
#include <QFile>
#include <QImageReader>
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
    {"acExit", QStyle::SP_CustomBase, ":/icons/exit.svg"},
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
    {"acCopySelected", QStyle::SP_CustomBase, ":/icons/arrow-right.svg"},
    {"acCopyAll", QStyle::SP_CustomBase, ":/icons/all-right.svg"},
    {"acRemoveSelected", QStyle::SP_CustomBase, ":/icons/arrow-left.svg"},
    {"acRemoveAll", QStyle::SP_CustomBase, ":/icons/all-left.svg"},
    {"acMoveUp", QStyle::SP_CustomBase, ":/icons/arrow-up.svg"},
    {"acMoveDown", QStyle::SP_CustomBase, ":/icons/arrow-down.svg"},
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

// Our drawing with its "currentColor" parts in the text colour of `palette`, so that they stand
// out on a dark palette as on a light one; at the sizes the bars use at every scale factor. The
// style makes the disabled look from it, which is then dimmer, as it should be.
static QIcon paletteIcon(const char* resource, const QPalette& palette)
{
    QFile file{QString::fromLatin1(resource)};
    if (!file.open(QIODevice::ReadOnly))
        return QIcon();
    QByteArray svg = file.readAll();
    svg.replace("currentColor", palette.color(QPalette::Active, QPalette::WindowText).name().toLatin1());
    QIcon icon;
    for (int size : {16, 20, 24, 32, 40, 48, 64}) {
        QBuffer data(&svg);
        QImageReader reader(&data, "svg");
        reader.setScaledSize(QSize(size, size));
        const QImage image = reader.read();
        if (!image.isNull())
            icon.addPixmap(QPixmap::fromImage(image));
    }
    return icon;
}

void assignActionIcons(QWidget* window)
{
    loadResources();
    for (const IconEntry& entry : iconTable) {
        auto* action = window->findChild<QAction*>(QLatin1String(entry.action));
        if (!action)
            continue;
        action->setIcon(entry.resource ? paletteIcon(entry.resource, window->palette())
                                       : window->style()->standardIcon(entry.standard, nullptr, window));
    }
}

QIcon programIcon()
{
    loadResources();
    return QIcon(QStringLiteral(":/icons/tunesheet.svg"));
}
