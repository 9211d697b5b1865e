#include "ui/ToolButtons.h"

#include "ui_unMain.h"

#include <QEvent>
#include <QToolBar>
#include <QToolButton>

#include <utility>

namespace {

// Hints show in the status line; tool bar buttons show no tips.
class NoToolTips : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        return event->type() == QEvent::ToolTip || QObject::eventFilter(watched, event);
    }
};

void nameToolBarButtons(Ui::TfrmMain& ui)
{
    const std::pair<QToolBar*, std::pair<QAction*, const char*>> buttons[] = {
        {ui.tbMain, {ui.acInputDir, "tbtInputDir"}},
        {ui.tbMain, {ui.acOutputFile, "tbtOutputFile"}},
        {ui.tbMain, {ui.acGenerateList, "tbtGenerate"}},
        {ui.tbMain, {ui.acExit, "tbtExit"}},
        {ui.tbMain, {ui.acLanguage, "ToolButton1"}},
        {ui.tbSettings, {ui.acMainSettings, "tbtProgramSettings"}},
        {ui.tbSettings, {ui.acHTMLPSettings, "tbtHTMLPageSettings"}},
        {ui.tbSettings, {ui.acColors, "tbtColors"}},
        {ui.tbSettings, {ui.acOrder, "tbtOrder"}},
        {ui.tbHelp, {ui.acHelpContents, "tbtContents"}},
        {ui.tbHelp, {ui.acAboutAuthor, "tbtAboutAuthor"}},
        {ui.tbHelp, {ui.acAboutProgram, "tbtAboutProgram"}},
        {ui.tbHelp, {ui.acTunesheetsHomepage, "tbtHomepage"}},
    };
    auto* noTips = new NoToolTips(ui.tbMain);
    for (const auto& [bar, entry] : buttons) {
        if (QWidget* button = bar->widgetForAction(entry.first)) {
            button->setObjectName(QLatin1String(entry.second));
            button->installEventFilter(noTips);
        }
    }
    for (QToolBar* bar : {ui.tbMain, ui.tbSettings, ui.tbHelp})
        bar->setIconSize(QSize(16, 16));
}

// The hint of an action may change (a translation), and its tip follows.
void showHintsAsTips(Ui::TfrmMain& ui)
{
    const std::pair<QToolButton*, QAction*> glyphs[] = {
        {ui.BitBtn1, ui.acCopySelected}, {ui.BitBtn2, ui.acCopyAll}, {ui.BitBtn4, ui.acRemoveSelected},
        {ui.BitBtn3, ui.acRemoveAll},    {ui.BitBtn5, ui.acMoveUp},  {ui.BitBtn6, ui.acMoveDown}};
    for (const auto& [button, action] : glyphs) {
        button->setDefaultAction(action);
        QAction* a = action;
        QObject::connect(a, &QAction::changed, a, [a] {
            if (a->toolTip() != a->statusTip())
                a->setToolTip(a->statusTip());
        });
    }
}

} // namespace

void prepareToolButtons(Ui::TfrmMain& form)
{
    nameToolBarButtons(form);
    showHintsAsTips(form);
}
