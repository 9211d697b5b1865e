#pragma once
// TBrowseDialog: a reusable folder chooser. Execute opens a small modal window with a path
// field, a tree of every folder, an optional status line and OK / Cancel; the owner's events
// may set the status text and enable or disable OK while the user browses. The path field
// takes a typed or pasted path and completes folder names; OK takes the folder it names.
// Qt's own directory dialog has no status line, resets its OK button by itself and leaves out
// folders whose names are not in the system's encoding, so the window is our own.
#include "dialogs/DialogTexts.h"
#include "dialogs/NextAnswer.h"

#include <QFlags>
#include <QObject>
#include <QString>

#include <functional>
#include <optional>
#include <string>

class QEvent;
class QModelIndex;
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

// Sender, the browser window, the folder concerned as it is shown ("" when there is none), the
// status text to show (comes in empty) and what to do with the OK button (comes in obsUnchanged).
using TBrowseDialogEvent =
    std::function<void(TBrowseDialog* Sender, QWidget* Wnd, const QString& Path, QString& ShowText,
                       TOKButtonState& OKButtonState)>;

class TBrowseDialog : public QObject {
    Q_OBJECT
public:
    explicit TBrowseDialog(QObject* owner = nullptr);
    ~TBrowseDialog() override;

    // On Execute the folder to select at opening; afterwards the folder chosen. A path in the
    // bytes the file system uses, whatever their encoding.
    std::string Directory;
    // The text shown above the folder tree.
    QString Caption;
    // The folder at the top of the tree; empty (or not a folder) means the whole file system.
    QString Root;
    TBrowseOptions Options = biReturnOnlyFSDirs;
    TBrowseDialogEvent OnInitialized;
    TBrowseDialogEvent OnSelectionChanged;
    TBrowseTexts Texts;
    // How a name or a path is shown; the local encoding unless the owner says otherwise.
    std::function<QString(const std::string&)> ShownAs;

    // The name shown for the folder chosen by the last successful Execute.
    const QString& DisplayName() const { return displayName_; }

    // Runs the browser modally; true when the user chose a folder. Cancel leaves Directory
    // and DisplayName as they were. No other window of the program takes input meanwhile.
    virtual bool Execute();

    // Tests: the next Execute of any browser returns `directory` without showing itself; none:
    // cancelled.
    static void setNextDirectory(const std::optional<std::string>& directory) { next_.set(directory); }

protected:
    // Every event of the browser window passes here first; true swallows it. This class
    // handles none, so that descendants may.
    virtual bool MessageHook(QEvent* event);

    void DoInitialized(QWidget* Wnd, const QString& Path, QString& ShowText, TOKButtonState& OKButtonState);
    void DoSelectionChanged(QWidget* Wnd, const QString& Path, QString& ShowText, TOKButtonState& OKButtonState);

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    class Window;
    QString shown(const std::string& bytes) const;

    QString displayName_;
    QWidget* openWindow_ = nullptr;
    static inline NextAnswer<std::optional<std::string>> next_;
};
