#pragma once
// TfrmMain: the program's main window. It owns the generator, shows the four settings pages
// one at a time, carries every command as an action, and keeps the settings in the
// ".settings" file beside the executable (loaded at start, saved at every close).
#include "generator/tunesheet_class.h"
#include "i18n/LanguageSession.h"

#include <QMainWindow>
#include <QString>

#include <memory>
#include <string>

namespace Ui {
class TfrmMain;
}
class AccessKeys;
class ItemsOrder;
class PathFields;
class RecentMenus;
class StatusLine;
class QAction;
class TBrowseDialog;
class TSaveDialog;

class TfrmMain : public QMainWindow {
    Q_OBJECT
public:
    // The program's own files are named by `filesBase` with their extension appended
    // ("<filesBase>.settings"); by default the executable's path without its extension.
    explicit TfrmMain(QWidget* parent = nullptr, std::string filesBase = defaultFilesBase());
    ~TfrmMain() override;

    static std::string defaultFilesBase();

    // The language the window speaks: the library in use and the texts that live in no control.
    LanguageSession& Language() { return language_; }

    TTunesheet& Generator() { return *generator_; }
    TBrowseDialog& BrowseDialog() { return *bdDir; }
    TSaveDialog& SaveDialog() { return *sdFile; }

    // Shows the page whose number (the last digit of its name) is the action's tag.
    void acShowSettingsPanel(QAction* sender);

    void acGenerateListExecute();
    void acGenerateListUpdate();
    void acInputDirExecute();
    void acOutputFileExecute();
    void acExitExecute();
    void acLanguageExecute();
    void acAboutProgramExecute();
    void acAboutAuthorExecute();
    void acTunesheetsHomepageExecute();
    void acHelpContentsExecute();
    void acLoadSettingsExecute();
    void acSaveSettingsExecute();
    void FormToClass();
    void ClassToForm();
    void Panel4DblClick();

    // What the program does each time it becomes idle: the enable rules and the status line.
    void ApplicationEvents1Idle();
    // The hint of the control or menu entry under the mouse changed (empty when it left).
    void ApplicationEvents1Hint(const QString& hint);

    // The recent lists from and to their files beside the executable.
    void LoadMRUs();
    void SaveMRUs();
    // A recent entry's menu item (the sender) was chosen: its entry goes into the output file
    // or the input directory; any other sender does nothing.
    void ppmiFileClick(QObject* sender);
    void ppmiDirClick(QObject* sender);
    // The text the status line shows while no hint does.
    QString idleStatusText() const;

    // Applies the language library that Language() names to the whole window.
    bool ChangeLanguage();

    // The tool bars stay as designed: no menu to hide them.
    QMenu* createPopupMenu() override { return nullptr; }

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate();
    std::string SettingsFile() const { return filesBase_ + ".settings"; }
    // Fixes the window at its design size, or at the smallest size that shows every text of
    // every page when that is larger. Runs at start; run it again after texts changed.
    void fitWindowSize();
    void PreparePanels();
    void connectActions();
    // Hands the texts that live in no control to the parts that show them.
    void showLanguageTexts();

    LanguageSession language_;
    std::unique_ptr<Ui::TfrmMain> ui;
    std::unique_ptr<TTunesheet> generator_;
    ItemsOrder* itemsOrder_ = nullptr;
    AccessKeys* accessKeys_ = nullptr;
    RecentMenus* recent_ = nullptr;
    PathFields* paths_ = nullptr;
    TBrowseDialog* bdDir = nullptr;
    TSaveDialog* sdFile = nullptr;
    std::string filesBase_;
    std::unique_ptr<StatusLine> status_;
    bool fitted_ = false;
};
