#pragma once
// TBrowseDialog: a reusable folder chooser. Execute opens a small modal window with a folder
// tree, an optional status line and OK / Cancel; the owner's events may set the status text
// and enable or disable OK while the user browses. Qt's own directory dialog has no status
// line and resets its OK button by itself, so the window is our own.
#include "dialogs/DialogTexts.h"
#include "dialogs/NextAnswer.h"

#include <QFlags>
#include <QObject>
#include <QString>

#include <functional>

class QDialog;
class QDialogButtonBox;
class QEvent;
class QFileSystemModel;
class QLabel;
class QModelIndex;
class QTreeView;
class QWidget;

enum TBrowseOption {
    // Kept so that option sets read the same on every platform; they change nothing here,
    // where every folder of the tree is a file-system folder.
    biBrowseForComputer = 0x01,
    biBrowseForPrinter = 0x02,
    biDontGoBelowDomain = 0x04,
    biReturnFSAncestors = 0x08,
    biReturnOnlyFSDirs = 0x10,
    // Shows the status line under the tree.
    biStatusText = 0x20,
};
Q_DECLARE_FLAGS(TBrowseOptions, TBrowseOption)
Q_DECLARE_OPERATORS_FOR_FLAGS(TBrowseOptions)

enum TOKButtonState { obsUnchanged = 0, obsEnable = 1, obsDisable = 2 };

class TBrowseDialog;

// Sender, the browser window, the folder concerned ("" when there is none), the status text to
// show (comes in empty) and what to do with the OK button (comes in obsUnchanged).
using TBrowseDialogEvent =
    std::function<void(TBrowseDialog* Sender, QWidget* Wnd, const QString& Path, QString& ShowText,
                       TOKButtonState& OKButtonState)>;

class TBrowseDialog : public QObject {
    Q_OBJECT
public:
    explicit TBrowseDialog(QObject* owner = nullptr);
    ~TBrowseDialog() override;

    // On Execute the folder to select at opening; afterwards the folder chosen.
    QString Directory;
    // The text shown above the folder tree.
    QString Caption;
    // The folder at the top of the tree; empty (or not a folder) means the whole file system.
    QString Root;
    TBrowseOptions Options = biReturnOnlyFSDirs;
    TBrowseDialogEvent OnInitialized;
    TBrowseDialogEvent OnSelectionChanged;
    TBrowseTexts Texts;

    // The name shown for the folder chosen by the last successful Execute.
    const QString& DisplayName() const { return displayName_; }

    // Runs the browser modally; true when the user chose a folder. Cancel leaves Directory
    // and DisplayName as they were. No other window of the program takes input meanwhile.
    virtual bool Execute();

    // Tests: the next Execute of any browser returns `directory` without showing itself.
    static void setNextDirectory(const QString& directory) { next_.set(directory); }

protected:
    // Every event of the browser window passes here first; true swallows it. This class
    // handles none, so that descendants may.
    virtual bool MessageHook(QEvent* event);

    void DoInitialized(QWidget* Wnd, const QString& Path, QString& ShowText, TOKButtonState& OKButtonState);
    void DoSelectionChanged(QWidget* Wnd, const QString& Path, QString& ShowText, TOKButtonState& OKButtonState);

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Window;
    void buildWindow(Window& w);
    void initialize(Window& w);
    void selectionChanged(Window& w, const QModelIndex& current);
    void apply(Window& w, const QString& showText, TOKButtonState state);

    QString displayName_;
    QDialog* openWindow_ = nullptr;
    static inline NextAnswer next_;
};

// The folder to select when the browser opens: a trailing delimiter is dropped, except from
// the root folder itself.
QString browseStartFolder(const QString& directory);
