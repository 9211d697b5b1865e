#include "ui/unMain.h"

#include "ui/AccessKeys.h"
#include "ui/ActionIcons.h"
#include "ui/AuthorInfo.h"
#include "ui/ColourBox.h"
#include "ui/ErrorBox.h"
#include "ui/GenerationProgress.h"
#include "ui/HelpKey.h"
#include "ui/ItemsOrder.h"
#include "ui/LegacyEncodingBox.h"
#include "ui/OutputFileDialog.h"
#include "ui/PageGeneration.h"
#include "ui/PathFields.h"
#include "ui/PathText.h"
#include "ui/RecentMenus.h"
#include "ui/SettingsLoad.h"
#include "ui/SettingsPages.h"
#include "ui/SettingsTransfer.h"
#include "ui/StatusLine.h"
#include "ui/ToolButtons.h"
#include "ui/WindowFit.h"
#include "ui_unMain.h"

#include "desktop/DesktopServices.h"
#include "desktop/LocalText.h"
#include "dialogs/BrowsDlg.h"
#include "dialogs/SaveDialog.h"
#include "dialogs/about.h"
#include "generator/Preflight.h"
#include "i18n/LanguageCommand.h"
#include "platform/Path.h"

#include "ProgramVersion.h"

#include <QAbstractEventDispatcher>
#include <QCloseEvent>
#include <QStatusTipEvent>

// Where the window first stands on the screen.
constexpr QPoint DesignPosition(211, 104);

std::string TfrmMain::defaultFilesBase()
{
    return platform::besideExecutable("");
}

TfrmMain::TfrmMain(QWidget* parent, std::string filesBase)
    : QMainWindow(parent), ui(std::make_unique<Ui::TfrmMain>()), filesBase_(std::move(filesBase))
{
    FormCreate();
}

// FormDestroy: the generator goes with the window.
TfrmMain::~TfrmMain() = default;

void TfrmMain::FormCreate()
{
    generator_ = std::make_unique<TTunesheet>();
    setFont(designFont(QStringLiteral("MS Sans Serif"), 8));
    ui->setupUi(this);
    status_ = std::make_unique<StatusLine>(ui->sbMain);
    const QFont pageFont = designFont(QStringLiteral("Tahoma"), 8);
    for (QFrame* page : settingsPages(ui->centralwidget))
        page->setFont(pageFont);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setWindowIcon(programIcon());
    assignActionIcons(this);
    prepareToolButtons(*ui);
    accessKeys_ = new AccessKeys(ui->mmenuMain, [this] { return shownPage(ui->centralwidget); });

    bdDir = new TBrowseDialog(this);
    bdDir->setObjectName(QStringLiteral("bdDir"));
    bdDir->Caption = QStringLiteral("Select input directory");
    bdDir->Options = TBrowseOptions(biReturnOnlyFSDirs) | biStatusText;
    bdDir->ShownAs = pathForDisplay;
    sdFile = makeOutputFileDialog(this);

    itemsOrder_ = new ItemsOrder(ui->lbAvailable, ui->lbSelected,
                                 {ui->acCopySelected, ui->acCopyAll, ui->acRemoveSelected, ui->acRemoveAll,
                                  ui->acMoveUp, ui->acMoveDown},
                                 [this] { DesktopServices::instance().message(this, QMessageBox::NoIcon, language_.Texts.MsgItemSelected); },
                                 this);
    paths_ = new PathFields(this, ui->lbledtInput, ui->lbledtOutput, [this] { return language_.Texts.MsgPathTooLong; });
    connectActions();

    PreparePanels();
    itemsOrder_->PrepareListBoxes();
    // The form a first start shows, which the command-line tool starts from too.
    settingsToForm(initialFormSettings(), PageOptions(), *ui);
    // In the Main menu, after Generate List.
    recent_ = new RecentMenus(ui->Main1, ui->Main1->actions().value(3),
                              {&generator_->RecentFiles, [this](QObject* item) { ppmiFileClick(item); }},
                              {&generator_->RecentDirs, [this](QObject* item) { ppmiDirClick(item); }}, filesBase_);
    guarded([this] { LoadMRUs(); })();
    acShowSettingsPanel(ui->acMainSettings);
    // The recorded language is applied before the settings are loaded: the selected columns
    // are rebuilt from the (translated) available ones.
    guarded([this] {
        language_.setMarkerFile(fromLocalBytes(filesBase_ + ".language-loading"));
        language_.applyRecorded(this, fromLocalBytes(filesBase_ + ".language"));
    })();
    showLanguageTexts();
    guarded([this] { acLoadSettingsExecute(); })();
    itemsOrder_->selectDefaultColumns();

    move(DesignPosition);
    fitWindowSize();
    ApplicationEvents1Idle();
    connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, this,
            &TfrmMain::ApplicationEvents1Idle);
}

void TfrmMain::connectActions()
{
    const auto on = [this](QAction* action, void (TfrmMain::*handler)()) {
        connect(action, &QAction::triggered, this, guarded([this, handler](bool) { (this->*handler)(); }));
    };
    on(ui->acGenerateList, &TfrmMain::acGenerateListExecute);
    on(ui->acInputDir, &TfrmMain::acInputDirExecute);
    on(ui->acOutputFile, &TfrmMain::acOutputFileExecute);
    on(ui->acExit, &TfrmMain::acExitExecute);
    on(ui->acLanguage, &TfrmMain::acLanguageExecute);
    on(ui->acLoadSettings, &TfrmMain::acLoadSettingsExecute);
    on(ui->acSaveSettings, &TfrmMain::acSaveSettingsExecute);
    on(ui->acHelpContents, &TfrmMain::acHelpContentsExecute);
    on(ui->acAboutAuthor, &TfrmMain::acAboutAuthorExecute);
    on(ui->acAboutProgram, &TfrmMain::acAboutProgramExecute);
    on(ui->acTunesheetsHomepage, &TfrmMain::acTunesheetsHomepageExecute);
    for (QAction* page : {ui->acMainSettings, ui->acHTMLPSettings, ui->acColors, ui->acOrder})
        connect(page, &QAction::triggered, this, guarded([this, page](bool) { acShowSettingsPanel(page); }));

    new HelpKey(this, {ui->Main1, ui->Settings1, ui->Help1});
    ui->Panel4->installEventFilter(this);
}

void TfrmMain::PreparePanels()
{
    fillLegacyEncodings(*ui->cmbLegacyEncoding, 0);
    fitListHeight(ui->chklbActiveLinks, ui->chklbActiveLinks->count(), ui->chklbActiveLinks);
    itemsOrder_->fitListHeights();
    fitWindowSize();
}

void TfrmMain::fitWindowSize()
{
    fitWindowToPages(this, ui->centralwidget, settingsPages(ui->centralwidget));
}

void TfrmMain::acShowSettingsPanel(QAction* sender)
{
    showSettingsPage(ui->centralwidget, sender->property("tag").toInt());
    // The menus' letters make way for the page's.
    accessKeys_->assign();
}

QString TfrmMain::idleStatusText() const
{
    return QStringLiteral("tunesheet v.%1.%2 by Korvan, ").arg(ProgramVersionMajor).arg(ProgramVersionMinor) +
           language_.Texts.TranslatedBy;
}

void TfrmMain::ApplicationEvents1Idle()
{
    acGenerateListUpdate();
    itemsOrder_->updateActions();
    status_->showIdle(idleStatusText());
}

void TfrmMain::ApplicationEvents1Hint(const QString& hint)
{
    status_->showHint(hint);
}

void TfrmMain::LoadMRUs()
{
    recent_->LoadMRUs();
}

void TfrmMain::SaveMRUs()
{
    recent_->SaveMRUs();
}

void TfrmMain::ppmiFileClick(QObject* sender)
{
    if (auto* item = qobject_cast<QAction*>(sender))
        paths_->setOutput(recentEntry(item));
}

void TfrmMain::ppmiDirClick(QObject* sender)
{
    if (auto* item = qobject_cast<QAction*>(sender))
        paths_->setInput(recentEntry(item));
}

bool TfrmMain::event(QEvent* event)
{
    // A new palette (the desktop's dark theme, say) gets icons drawn for it.
    if (event->type() == QEvent::PaletteChange)
        assignActionIcons(this);
    // The hint of the control or menu entry under the mouse (empty when it leaves).
    if (event->type() == QEvent::StatusTip) {
        ApplicationEvents1Hint(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

bool TfrmMain::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == ui->Panel4 && event->type() == QEvent::MouseButtonDblClick) {
        guarded([this] { Panel4DblClick(); })();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void TfrmMain::showEvent(QShowEvent* event)
{
    // Fonts and styles are final once the window is first shown; measure again then.
    if (!fitted_) {
        fitted_ = true;
        fitWindowSize();
    }
    QMainWindow::showEvent(event);
}

void TfrmMain::closeEvent(QCloseEvent* event)
{
    // FormCloseQuery: every close saves, whichever way the window is closed. Each file is
    // written even when another one fails; the window still closes: refusing would leave no
    // way out of the program.
    guardedEach({
        [this] { SaveMRUs(); },
        [this] { acSaveSettingsExecute(); },
        [this] { language_.saveChoice(fromLocalBytes(filesBase_ + ".language")); },
    });
    event->accept();
}

void TfrmMain::acGenerateListUpdate()
{
    ui->acGenerateList->setEnabled(!ui->lbledtInput->text().isEmpty() && !ui->lbledtOutput->text().isEmpty());
}

void TfrmMain::acGenerateListExecute()
{
    DesktopServices& desktop = DesktopServices::instance();
    // Checked on what the form says before the record takes it over, as the command-line
    // tool checks its record: a refused generation changes nothing.
    if (!paths_->bothFit())
        return;
    TGeneratorSettings asked = generator_->Settings;
    PageOptions askedOptions = generator_->Options;
    formToSettings(*ui, asked, askedOptions);
    switch (checkBeforeGenerate(asked, askedOptions)) {
    case PreflightResult::NoColumns:
        desktop.message(this, QMessageBox::Warning, language_.Texts.MsgNoColumns);
        return;
    case PreflightResult::NoInputDir:
        desktop.message(this, QMessageBox::Warning, language_.Texts.MsgNoInputDir);
        return;
    case PreflightResult::Ready:
        break;
    }
    generator_->Settings = asked;
    generator_->Options = askedOptions;
    generator_->RecentFiles.Add(asked.OutputFile.str());
    generator_->RecentDirs.Add(asked.InputDir.str());
    status_->clearNotice();
    TTunesheet generation;
    prepareGeneration(generation, asked, askedOptions, *ui, language_);
    // Whoever else follows the generation keeps being told, and may stop it too.
    generation.OnProgress = generator_->OnProgress;
    const GenerationOutcome outcome =
        generateApart(this, generation, language_.Texts.ProgressLine, language_.Texts.ProgressCancel);
    if (const QString notice = noticeAfter(outcome, askedOptions, language_.Texts); !notice.isEmpty())
        status_->showNotice(notice);
    if (outcome.end != GenerationEnd::Written)
        return;
    if (asked.AfterGenerate == agShowPage ||
        (asked.AfterGenerate == agAskToShow &&
         desktop.message(this, QMessageBox::Information, language_.Texts.MsgShowPage,
                         QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes))
        desktop.showPage(this, ui->lbledtOutput->text());
}

void TfrmMain::acInputDirExecute()
{
    if (bdDir->Directory.empty())
        bdDir->Directory = platform::defaultRootFolder();
    if (bdDir->Execute())
        paths_->setInput(platform::includeTrailingDelimiter(bdDir->Directory));
}

void TfrmMain::acOutputFileExecute()
{
    if (sdFile->FileName.isEmpty())
        sdFile->FileName = fromLocalBytes(platform::defaultRootFolder() + "mp3list.htm");
    if (sdFile->Execute())
        paths_->setOutput(toLocalBytes(sdFile->FileName));
}

void TfrmMain::acExitExecute()
{
    close();
}

void TfrmMain::acLanguageExecute()
{
    runLanguageCommand(this, language_);
}

void TfrmMain::acAboutProgramExecute()
{
    TfrmAboutBox* box = TfrmAboutBox::instance();
    box->setTexts(language_.Texts.About);
    box->setAddress(DesktopServices::instance().guideAddress());
    box->exec();
}

void TfrmMain::Panel4DblClick()
{
    language_.switchToSlovak(this);
    showLanguageTexts();
    fitWindowSize();
}

bool TfrmMain::ChangeLanguage()
{
    const bool applied = language_.ChangeLanguage(this);
    showLanguageTexts();
    fitWindowSize();
    return applied;
}

void TfrmMain::acAboutAuthorExecute()
{
    DesktopServices::instance().message(this, QMessageBox::Information, QString::fromUtf8(AuthorText));
}

void TfrmMain::acTunesheetsHomepageExecute()
{
    DesktopServices& desktop = DesktopServices::instance();
    const QString address = desktop.guideAddress();
    if (desktop.message(this, QMessageBox::Question, language_.Texts.MsgVisitHomepage.arg(address),
                        QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes)
        desktop.showAddress(this, address);
}

void TfrmMain::acHelpContentsExecute()
{
    DesktopServices::instance().showHelp(0);
}

void TfrmMain::acLoadSettingsExecute()
{
    if (auto loaded = loadSettingsFiles(SettingsFile(), *ui, language_.Texts)) {
        std::tie(generator_->Settings, generator_->Options) = *loaded;
        ClassToForm();
    }
}

void TfrmMain::acSaveSettingsExecute()
{
    FormToClass();
    saveSettingsFiles(SettingsFile(), generator_->Settings, generator_->Options);
}

void TfrmMain::FormToClass()
{
    formToSettings(*ui, generator_->Settings, generator_->Options);
}

void TfrmMain::ClassToForm()
{
    settingsToForm(generator_->Settings, generator_->Options, *ui);
}


void TfrmMain::showLanguageTexts()
{
    const HeldTexts& texts = language_.Texts;
    recent_->setTexts(texts.RecentFilesCaption, texts.RecentDirsCaption, texts.RecentNone);
    for (ColourBox* box : findChildren<ColourBox*>())
        box->setNames(texts.ColourNames);
    bdDir->Texts = texts.Browse;
    showOutputFileTexts(*sdFile, texts);
    fillLegacyEncodings(*ui->cmbLegacyEncoding, language_.codePage());
    DesktopServices::texts() = texts.Desktop;
    DesktopServices::setGuideLanguage(language_.pageLanguage());
    setErrorTexts(texts.Errors, texts.MsgUnknownError);
    accessKeys_->assign();
}
