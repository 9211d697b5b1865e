#include "ui/unMain.h"

#include "ui/AccessKeys.h"
#include "ui/ActionIcons.h"
#include "ui/AuthorInfo.h"
#include "ui/ColourBox.h"
#include "ui/ErrorBox.h"
#include "ui/ItemsOrder.h"
#include "ui/PathText.h"
#include "ui/GenerationProgress.h"
#include "ui/RecentMenus.h"
#include "ui/SettingsTransfer.h"
#include "ui/WindowFit.h"
#include "ui_unMain.h"

#include "generator/Preflight.h"

#include "desktop/DesktopServices.h"
#include "desktop/LocalText.h"
#include "dialogs/BrowsDlg.h"
#include "dialogs/SaveDialog.h"
#include "dialogs/about.h"
#include "i18n/LanguageCommand.h"

#include "platform/Errors.h"
#include "platform/Path.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QLayout>
#include <QRegularExpression>
#include <QScreen>
#include <QShortcut>
#include <QStatusTipEvent>
#include <QTimer>
#include <QToolButton>

#include <exception>
#include <functional>

namespace {

// The page area the window is designed for; larger only when a text would not fit.
constexpr QSize DesignPageSize(385, 209);
constexpr int DesignLeft = 211;
constexpr int DesignTop = 104;

// The font the window was drawn with where it is installed, else the desktop's UI font, at
// the designed point size.
QFont designFont(const QString& family, int pointSize)
{
    QFont font = QApplication::font();
    if (QFontDatabase::hasFamily(family))
        font.setFamily(family);
    font.setPointSize(pointSize);
    return font;
}

// The list shows `rows` rows of `like` without a scroll bar.
void fitListHeight(QListWidget* list, int rows, const QListWidget* like)
{
    const int row = like->sizeHintForRow(0) > 0 ? like->sizeHintForRow(0) : like->fontMetrics().height() + 2;
    list->setFixedHeight(rows * row + 2 * list->frameWidth() + 2);
}

// The hourglass for as long as it lives, also when the work inside fails.
struct HourglassCursor {
    HourglassCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~HourglassCursor() { QApplication::restoreOverrideCursor(); }
    HourglassCursor(const HourglassCursor&) = delete;
    HourglassCursor& operator=(const HourglassCursor&) = delete;
};

// Lays a widget out again from the current size hints of everything in it. A hidden page
// keeps the hints of its nested layouts from the last time it was laid out, which may be
// older than its texts.
void layOutAfresh(QWidget* widget)
{
    if (QLayout* layout = widget->layout()) {
        layout->invalidate();
        layout->activate();
    }
}

// Moves a file that could not be used out of the way, to "<file>.damaged" (replacing an older
// one); the new name, or "" when it could not be moved.
QString keepDamagedFile(const QString& file)
{
    const QString kept = file + QStringLiteral(".damaged");
    QFile::remove(kept);
    return QFile::rename(file, kept) ? kept : QString();
}

const QRegularExpression& pageName()
{
    static const QRegularExpression name(QStringLiteral("^Panel\\d+$"));
    return name;
}

} // namespace

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
    const QFont pageFont = designFont(QStringLiteral("Tahoma"), 8);
    for (QFrame* page : ui->centralwidget->findChildren<QFrame*>(pageName(), Qt::FindDirectChildrenOnly))
        page->setFont(pageFont);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setWindowIcon(programIcon());
    assignActionIcons(this);
    nameToolButtons();
    accessKeys_ = new AccessKeys(ui->mmenuMain, [this] { return shownPage(); });

    bdDir = new TBrowseDialog(this);
    bdDir->setObjectName(QStringLiteral("bdDir"));
    bdDir->Caption = QStringLiteral("Select input directory");
    bdDir->Options = TBrowseOptions(biReturnOnlyFSDirs) | biStatusText;
    sdFile = new TSaveDialog(this);
    sdFile->setObjectName(QStringLiteral("sdFile"));
    sdFile->setWindowTitle(QStringLiteral("Select an output HTML file..."));
    sdFile->setFilter(QStringLiteral("HTML Files (*.htm; *.html)|*.htm; *.html|All Files (*.*)|*.*"));
    sdFile->setDefaultSuffix(QStringLiteral("htm"));

    itemsOrder_ = new ItemsOrder(ui->lbAvailable, ui->lbSelected,
                                 {ui->acCopySelected, ui->acCopyAll, ui->acRemoveSelected, ui->acRemoveAll,
                                  ui->acMoveUp, ui->acMoveDown},
                                 [this] { DesktopServices::instance().message(this, QMessageBox::NoIcon, language_.Texts.MsgItemSelected); },
                                 this);
    connectActions();

    PreparePanels();
    itemsOrder_->PrepareListBoxes();
    // The form a first start shows, which the command-line tool starts from too.
    settingsToForm(initialFormSettings(), *ui);
    prepareRecentMenus();
    try {
        LoadMRUs();
    } catch (const std::exception& e) {
        showErrorBox(e);
    }
    acShowSettingsPanel(ui->acMainSettings);
    // The recorded language is applied before the settings are loaded: the selected columns
    // are rebuilt from the (translated) available ones.
    try {
        language_.setMarkerFile(fromLocalBytes(filesBase_ + ".language-loading"));
        language_.applyRecorded(this, fromLocalBytes(filesBase_ + ".language"));
    } catch (const std::exception& e) {
        showErrorBox(e);
    }
    showLanguageTexts();
    try {
        acLoadSettingsExecute();
    } catch (const std::exception& e) {
        showErrorBox(e);
    }
    if (ui->lbSelected->count() == 0)
        itemsOrder_->selectAllColumns();

    move(DesignLeft, DesignTop);
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

    // F1 opens the help at the context of the control that has the focus, or of the menu
    // entry under the cursor while a menu is open.
    auto* help = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(help, &QShortcut::activated, this, guarded([this] { showHelpFor(focusWidget()); }));
    for (QMenu* menu : {ui->Main1, ui->Settings1, ui->Help1})
        menu->installEventFilter(this);
    ui->Panel4->installEventFilter(this);

    // The six buttons of the items-order page show their hints as tips too; the hint of an
    // action may change (a translation), and its tip follows.
    const std::pair<QToolButton*, QAction*> glyphs[] = {
        {ui->BitBtn1, ui->acCopySelected}, {ui->BitBtn2, ui->acCopyAll}, {ui->BitBtn4, ui->acRemoveSelected},
        {ui->BitBtn3, ui->acRemoveAll},    {ui->BitBtn5, ui->acMoveUp},  {ui->BitBtn6, ui->acMoveDown}};
    for (const auto& glyph : glyphs) {
        QAction* action = glyph.second;
        glyph.first->setDefaultAction(action);
        connect(action, &QAction::changed, action, [action] {
            if (action->toolTip() != action->statusTip())
                action->setToolTip(action->statusTip());
        });
    }
}

void TfrmMain::nameToolButtons()
{
    const std::pair<QToolBar*, std::pair<QAction*, const char*>> buttons[] = {
        {ui->tbMain, {ui->acInputDir, "tbtInputDir"}},
        {ui->tbMain, {ui->acOutputFile, "tbtOutputFile"}},
        {ui->tbMain, {ui->acGenerateList, "tbtGenerate"}},
        {ui->tbMain, {ui->acExit, "tbtExit"}},
        {ui->tbMain, {ui->acLanguage, "ToolButton1"}},
        {ui->tbSettings, {ui->acMainSettings, "tbtProgramSettings"}},
        {ui->tbSettings, {ui->acHTMLPSettings, "tbtHTMLPageSettings"}},
        {ui->tbSettings, {ui->acColors, "tbtColors"}},
        {ui->tbSettings, {ui->acOrder, "tbtOrder"}},
        {ui->tbHelp, {ui->acHelpContents, "tbtContents"}},
        {ui->tbHelp, {ui->acAboutAuthor, "tbtAboutAuthor"}},
        {ui->tbHelp, {ui->acAboutProgram, "tbtAboutProgram"}},
        {ui->tbHelp, {ui->acTunesheetsHomepage, "tbtHomepage"}},
    };
    for (const auto& [bar, entry] : buttons) {
        if (QWidget* button = bar->widgetForAction(entry.first)) {
            button->setObjectName(QLatin1String(entry.second));
            // Hints show in the status line; tool bar buttons show no tips.
            button->installEventFilter(this);
        }
    }
    for (QToolBar* bar : {ui->tbMain, ui->tbSettings, ui->tbHelp})
        bar->setIconSize(QSize(16, 16));
}

void TfrmMain::PreparePanels()
{
    fitListHeight(ui->chklbActiveLinks, ui->chklbActiveLinks->count(), ui->chklbActiveLinks);
    fitListHeight(ui->lbAvailable, ui->lbAvailable->count(), ui->lbAvailable);
    // The selected list is empty now; it holds at most the same seven columns.
    fitListHeight(ui->lbSelected, ui->lbAvailable->count(), ui->lbAvailable);
    fitWindowSize();
}

void TfrmMain::fitWindowSize()
{
    const auto pages = ui->centralwidget->findChildren<QFrame*>(pageName(), Qt::FindDirectChildrenOnly);
    for (QFrame* page : pages)
        widenPage(page);
    QSize window = measureWindow(pagesSize());
    // Never wider than the screen leaves room for: long texts go on more lines instead.
    const QRect room = roomOnScreen();
    if (window.width() > room.width()) {
        const int pageWidth = ui->centralwidget->minimumWidth() - (window.width() - room.width());
        for (QFrame* page : pages)
            narrowPage(page, pageWidth);
        window = measureWindow(pagesSize());
    }
    setFixedSize(window.boundedTo(room.size()));
    // Wholly on the screen, as near to where it was as it can be.
    move(qBound(room.left(), x(), qMax(room.left(), room.right() + 1 - width())),
         qBound(room.top(), y(), qMax(room.top(), room.bottom() + 1 - height())));
    showStatus(statusText_); // shortened anew for the new width
}

QSize TfrmMain::pagesSize() const
{
    QSize pages = DesignPageSize;
    for (QFrame* page : ui->centralwidget->findChildren<QFrame*>(pageName(), Qt::FindDirectChildrenOnly)) {
        layOutAfresh(page);
        pages = pages.expandedTo(page->minimumSizeHint());
    }
    return pages;
}

QSize TfrmMain::measureWindow(const QSize& pages)
{
    // Measure the window with the page area at exactly that size, then let the area take
    // whatever room the window has (the tool bars may want more width).
    ui->centralwidget->setFixedSize(pages);
    if (layout())
        layout()->invalidate();
    const QSize window = sizeHint().expandedTo(minimumSizeHint());
    ui->centralwidget->setMinimumSize(pages);
    ui->centralwidget->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    return window;
}

QRect TfrmMain::roomOnScreen() const
{
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    // The window system's frame around the window, known once the window is on screen; room
    // for a usual one before.
    const QSize frame = (frameGeometry().size() - geometry().size()).expandedTo(QSize(2 * 8, 8 + 32));
    return QRect(area.topLeft(), area.size() - frame);
}

void TfrmMain::showStatus(const QString& text)
{
    // The status bar spans the window (also before it is first laid out) and draws its text
    // from 6 pixels in to 12 pixels before its end.
    const int room = width() - 18;
    statusText_ = text;
    const QString shown = ui->sbMain->fontMetrics().elidedText(text, Qt::ElideRight, room);
    ui->sbMain->setToolTip(shown == text ? QString() : text);
    if (ui->sbMain->currentMessage() != shown)
        ui->sbMain->showMessage(shown);
}

void TfrmMain::acShowSettingsPanel(QAction* sender)
{
    const int tag = sender->property("tag").toInt();
    QFrame* shown = nullptr;
    for (QFrame* page : ui->centralwidget->findChildren<QFrame*>(pageName(), Qt::FindDirectChildrenOnly)) {
        const bool visible = page->objectName().right(1).toInt() == tag;
        page->setVisible(visible);
        if (visible)
            shown = page;
    }
    // A hidden page may have been resized or relabelled since it was last laid out.
    if (shown)
        layOutAfresh(shown);
    // The menus' letters make way for the page's.
    accessKeys_->assign();
    // The keyboard goes on in the page the user asked for.
    QWidget* focus = focusWidget();
    if (shown && (!focus || !focus->isVisibleTo(this) || !shown->isAncestorOf(focus))) {
        for (QWidget* w = shown->nextInFocusChain(); w != shown; w = w->nextInFocusChain()) {
            if (shown->isAncestorOf(w) && (w->focusPolicy() & Qt::TabFocus) && w->isEnabled() && w->isVisibleTo(shown)) {
                w->setFocus(Qt::OtherFocusReason);
                break;
            }
        }
    }
}

QString TfrmMain::idleStatusText() const
{
    return QStringLiteral("tunesheet v.3.0 by Korvan, ") + language_.Texts.TranslatedBy;
}

void TfrmMain::ApplicationEvents1Hint()
{
    showStatus(hint_);
}

void TfrmMain::ApplicationEvents1Idle()
{
    acGenerateListUpdate();
    itemsOrder_->updateActions();
    // A notice (a cancelled generation) stands until the next hint replaces it.
    const QString idle = notice_.isEmpty() ? idleStatusText() : notice_;
    if (hint_.isEmpty() && statusText_ != idle)
        showStatus(idle);
}

bool TfrmMain::event(QEvent* event)
{
    // The hint of the control or menu entry under the mouse (empty when it leaves).
    if (event->type() == QEvent::StatusTip) {
        hint_ = static_cast<QStatusTipEvent*>(event)->tip();
        if (!hint_.isEmpty())
            notice_.clear();
        ApplicationEvents1Hint();
        return true;
    }
    return QMainWindow::event(event);
}

bool TfrmMain::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::ToolTip:
        return true; // only tool bar buttons are watched for this
    case QEvent::MouseButtonDblClick:
        if (watched == ui->Panel4) {
            guarded([this] { Panel4DblClick(); })();
            return true;
        }
        break;
    case QEvent::KeyPress:
        if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1 && static_cast<QKeyEvent*>(event)->modifiers() == Qt::NoModifier) {
            if (auto* menu = qobject_cast<QMenu*>(watched)) {
                QAction* entry = menu->activeAction();
                menu->close();
                guarded([this, entry] { showHelpFor(entry); })();
                return true;
            }
        }
        break;
    default:
        break;
    }
    return QMainWindow::eventFilter(watched, event);
}

void TfrmMain::showHelpFor(const QObject* object)
{
    int context = 0;
    for (; object && context == 0; object = object->parent())
        context = object->property("helpContext").toInt();
    DesktopServices::instance().showHelp(context);
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
    // written even when another one fails, and the first failure is shown once; the window
    // still closes: refusing would leave no way out of the program.
    std::exception_ptr failure;
    const auto attempt = [&failure](const std::function<void()>& save) {
        try {
            save();
        } catch (...) {
            if (!failure)
                failure = std::current_exception();
        }
    };
    attempt([this] { SaveMRUs(); });
    attempt([this] { acSaveSettingsExecute(); });
    attempt([this] { language_.saveChoice(fromLocalBytes(filesBase_ + ".language")); });
    if (failure) {
        try {
            std::rethrow_exception(failure);
        } catch (const std::exception& e) {
            showErrorBox(e);
        }
    }
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
    TGeneratorSettings asked = generator_->Settings;
    formToSettings(*ui, asked);
    switch (checkBeforeGenerate(asked)) {
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
    TGeneratorSettings& s = generator_->Settings;
    generator_->RecentFiles.Add(s.OutputFile.str());
    generator_->RecentDirs.Add(s.InputDir.str());
    notice_.clear();
    if (!generatePage())
        return;
    switch (s.AfterGenerate) {
    case agShowPage:
        desktop.showPage(this, ui->lbledtOutput->text());
        break;
    case agAskToShow:
        if (desktop.message(this, QMessageBox::Information, language_.Texts.MsgShowPage, QMessageBox::Yes | QMessageBox::No) ==
            QMessageBox::Yes)
            desktop.showPage(this, ui->lbledtOutput->text());
        break;
    default:
        break;
    }
}

void TfrmMain::acInputDirExecute()
{
    if (bdDir->Directory.isEmpty())
        bdDir->Directory = fromLocalBytes(platform::defaultRootFolder());
    if (bdDir->Execute())
        ui->lbledtInput->setText(fromLocalBytes(platform::includeTrailingDelimiter(toLocalBytes(bdDir->Directory))));
}

void TfrmMain::acOutputFileExecute()
{
    if (sdFile->FileName.isEmpty())
        sdFile->FileName = fromLocalBytes(platform::defaultRootFolder() + "mp3list.htm");
    if (sdFile->Execute())
        ui->lbledtOutput->setText(sdFile->FileName);
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
    const QString address = QString::fromLatin1(ProgramHomepage);
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
    const std::string path = SettingsFile();
    if (!platform::fileExists(path))
        return;
    // Read and checked whole before anything changes, so that a short or damaged file
    // leaves the record and the form as they were.
    TGeneratorSettings loaded = emptySettings();
    std::string problem;
    try {
        loaded = readSettingsFile(path); // its errors name the file
        try {
            checkColumnIds(loaded);
        } catch (const platform::TunesheetError& e) {
            problem = path + ": " + e.what();
        }
    } catch (const platform::TunesheetError& e) {
        problem = e.what();
    }
    if (!problem.empty()) {
        // The next save (at the latest the close) writes a new file; what the user had stays.
        const QString kept = keepDamagedFile(fromLocalBytes(path));
        if (!kept.isEmpty())
            problem += '\r' + toLocalBytes(language_.Texts.MsgSettingsKept.arg(kept));
        throw platform::TunesheetError(problem);
    }
    generator_->Settings = loaded;
    ClassToForm();
}

void TfrmMain::acSaveSettingsExecute()
{
    FormToClass();
    writeSettingsFile(SettingsFile(), generator_->Settings);
}

void TfrmMain::FormToClass()
{
    formToSettings(*ui, generator_->Settings);
}

void TfrmMain::ClassToForm()
{
    settingsToForm(generator_->Settings, *ui);
}

bool TfrmMain::generatePage()
{
    HourglassCursor hourglass;
    // The generation reads a settings record of its own, apart from the window's.
    TTunesheet generation;
    generation.Settings = generator_->Settings;
    // Whoever else follows the generation keeps being told, and may stop it too.
    generation.OnProgress = generator_->OnProgress;
    GenerationProgress progress(this, language_.Texts.ProgressLine, language_.Texts.ProgressCancel);
    // The window was closed while the page was being written: it closes once the writing has
    // stopped, and nothing more is done.
    struct CloseAfter {
        TfrmMain* window;
        const GenerationProgress& progress;
        ~CloseAfter()
        {
            if (progress.closeRequested())
                QTimer::singleShot(0, window, &QWidget::close);
        }
    } closeAfter{this, progress};
    try {
        progress.run(generation);
    } catch (const platform::GenerationCancelled&) {
        notice_ = language_.Texts.MsgCancelled;
        showStatus(notice_);
        return false;
    }
    return !progress.closeRequested();
}

void TfrmMain::LoadMRUs()
{
    generator_->RecentFiles.LoadFromFile(filesBase_ + ".files");
    generator_->RecentDirs.LoadFromFile(filesBase_ + ".dirs");
}

void TfrmMain::SaveMRUs()
{
    generator_->RecentFiles.SaveToFile(filesBase_ + ".files");
    generator_->RecentDirs.SaveToFile(filesBase_ + ".dirs");
}

void TfrmMain::prepareRecentMenus()
{
    // In the Main menu, after Generate List: the places used before, to be chosen again.
    QAction* before = ui->Main1->actions().value(3);
    const struct {
        const char* name;
        const TRecentList* list;
        void (TfrmMain::*onClick)(QObject*);
    } menus[] = {
        {"mnuRecentFiles", &generator_->RecentFiles, &TfrmMain::ppmiFileClick},
        {"mnuRecentDirs", &generator_->RecentDirs, &TfrmMain::ppmiDirClick},
    };
    // Captioned and filled by showLanguageTexts, and filled again each time they open.
    for (const auto& m : menus) {
        auto* menu = new QMenu(ui->Main1);
        menu->setObjectName(QLatin1String(m.name));
        // The entries are paths, shown as they are and read back from their captions.
        menu->setProperty("accessKeys", false);
        menu->menuAction()->setProperty("helpContext", 21);
        ui->Main1->insertMenu(before, menu);
        const TRecentList* list = m.list;
        auto onClick = m.onClick;
        connect(menu, &QMenu::aboutToShow, this, [this, menu, list, onClick] {
            fillRecentMenu(
                menu, *list,
                [this, onClick](QAction* entry) { guarded([this, onClick, entry] { (this->*onClick)(entry); })(); },
                language_.Texts.RecentNone);
        });
    }
}

QWidget* TfrmMain::shownPage() const
{
    for (QFrame* page : ui->centralwidget->findChildren<QFrame*>(pageName(), Qt::FindDirectChildrenOnly))
        if (page->isVisibleTo(this))
            return page;
    return nullptr;
}

void TfrmMain::showLanguageTexts()
{
    const HeldTexts& texts = language_.Texts;
    auto* recentFiles = findChild<QMenu*>(QStringLiteral("mnuRecentFiles"));
    auto* recentDirs = findChild<QMenu*>(QStringLiteral("mnuRecentDirs"));
    recentFiles->setTitle(texts.RecentFilesCaption);
    recentDirs->setTitle(texts.RecentDirsCaption);
    fillRecentMenu(recentFiles, generator_->RecentFiles, [](QAction*) {}, texts.RecentNone);
    fillRecentMenu(recentDirs, generator_->RecentDirs, [](QAction*) {}, texts.RecentNone);
    for (ColourBox* box : findChildren<ColourBox*>())
        box->setNames(texts.ColourNames);
    bdDir->Texts = texts.Browse;
    sdFile->Texts = texts.Save;
    // The places at the left keep the names they got when the dialog was made; Qt's own
    // language may have changed since.
    sdFile->setSidebarUrls(sdFile->sidebarUrls());
    DesktopServices::texts() = texts.Desktop;
    setUnknownErrorText(texts.MsgUnknownError);
    accessKeys_->assign();
}

void TfrmMain::ppmiFileClick(QObject* sender)
{
    if (auto* item = qobject_cast<QAction*>(sender))
        setPathText(ui->lbledtOutput, recentEntry(item));
}

void TfrmMain::ppmiDirClick(QObject* sender)
{
    if (auto* item = qobject_cast<QAction*>(sender))
        setPathText(ui->lbledtInput, recentEntry(item));
}
