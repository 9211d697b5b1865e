#include "dialogs/BrowsDlg.h"

#include "desktop/DesktopServices.h"
#include "desktop/LocalText.h"
#include "dialogs/FolderModel.h"
#include "platform/DirReader.h"
#include "platform/Path.h"

#include <QApplication>
#include <QCompleter>
#include <QDialog>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QStringListModel>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>

namespace {

// Gives the previously active window its activation back, also when an event handler throws.
struct ActivationRestorer {
    QPointer<QWidget> window;
    ~ActivationRestorer()
    {
        if (window)
            window->activateWindow();
    }
};

} // namespace

// The browser's window: the path field over the tree of folders, the status line, OK and Cancel.
class TBrowseDialog::Window : public QDialog {
public:
    Window(TBrowseDialog& owner, QWidget* parent) : QDialog(parent), owner_(owner)
    {
        setObjectName(QStringLiteral("TBrowseDialogWindow"));
        setWindowTitle(owner.Texts.Title);
        setWindowModality(Qt::ApplicationModal);
        auto* layout = new QVBoxLayout(this);

        auto* caption = new QLabel(owner.Caption, this);
        caption->setObjectName(QStringLiteral("lblCaption"));
        caption->setWordWrap(true);
        caption->setVisible(!owner.Caption.isEmpty());
        layout->addWidget(caption);

        auto* pathRow = new QHBoxLayout;
        auto* pathLabel = new QLabel(owner.Texts.PathLabel, this);
        path_ = new QLineEdit(this);
        path_->setObjectName(QStringLiteral("edtPath"));
        pathLabel->setBuddy(path_);
        pathRow->addWidget(pathLabel);
        pathRow->addWidget(path_, 1);
        layout->addLayout(pathRow);
        completions_ = new QStringListModel(this);
        auto* completer = new QCompleter(completions_, this);
        completer->setCaseSensitivity(platform::FileNamesIgnoreCase ? Qt::CaseInsensitive : Qt::CaseSensitive);
        path_->setCompleter(completer);
        connect(path_, &QLineEdit::textEdited, this, [this](const QString& text) { complete(text); });

        model_ = new FolderModel([&owner](const std::string& bytes) { return owner.shown(bytes); },
                                 toLocalBytes(owner.Root), this);
        tree_ = new QTreeView(this);
        tree_->setObjectName(QStringLiteral("tvFolders"));
        tree_->setModel(model_);
        tree_->setHeaderHidden(true);
        caption->setBuddy(tree_);
        layout->addWidget(tree_, 1);
        connect(tree_->selectionModel(), &QItemSelectionModel::currentChanged, this,
                [this](const QModelIndex& current) { selectionChanged(current); });

        status_ = new QLabel(this);
        status_->setObjectName(QStringLiteral("lblStatus"));
        status_->setVisible(owner.Options.testFlag(biStatusText));
        layout->addWidget(status_);

        auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
        ok_ = buttons->button(QDialogButtonBox::Ok);
        ok_->setText(owner.Texts.OK);
        buttons->button(QDialogButtonBox::Cancel)->setText(owner.Texts.Cancel);
        connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
        connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
        layout->addWidget(buttons);
        fitScreen();
    }

    // Selects the folder of Directory (without its trailing delimiter, a root keeping it) and
    // tells the owner, as the shell's browser does.
    void initialize()
    {
        const std::string start =
            owner_.Directory.empty() ? std::string() : platform::withoutTrailingDelimiter(owner_.Directory);
        if (!start.empty())
            select(start);
        QString showText;
        TOKButtonState state = obsUnchanged;
        owner_.DoInitialized(this, start.empty() ? QString() : owner_.shown(start), showText, state);
        apply(showText, state);
    }

    // The folder chosen: the one the path field names.
    const std::string& chosen() const { return chosen_; }

    void accept() override
    {
        const std::string typed = typedPath();
        if (!platform::directoryExists(typed)) {
            DesktopServices::instance().message(this, QMessageBox::Warning,
                                                owner_.Texts.NoSuchFolder.arg(path_->text()));
            path_->setFocus();
            return;
        }
        chosen_ = typed;
        QDialog::accept();
    }

private:
    void fitScreen()
    {
        // As large as the tree wants, never larger than the screen, OK and Cancel on it too.
        QSize size = sizeHint().expandedTo(QSize(380, 420));
        if (const QScreen* screen = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen()) {
            const QRect room = screen->availableGeometry();
            size = size.boundedTo(room.size() - QSize(2 * 8, 8 + 32));
        }
        resize(size);
    }

    void select(const std::string& path)
    {
        const QModelIndex target = model_->indexOf(path);
        if (!target.isValid()) {
            showPath(path);
            return;
        }
        for (QModelIndex up = target.parent(); up.isValid(); up = up.parent())
            tree_->expand(up);
        tree_->setCurrentIndex(target);
        // Once the window has its size the folder is brought into view.
        QTimer::singleShot(0, this, [this, target] { tree_->scrollTo(target, QAbstractItemView::PositionAtCenter); });
    }

    void selectionChanged(const QModelIndex& current)
    {
        const std::string path = model_->pathOf(current);
        showPath(path);
        QString showText;
        TOKButtonState state = obsUnchanged;
        owner_.DoSelectionChanged(this, path.empty() ? QString() : owner_.shown(path), showText, state);
        apply(showText, state);
    }

    void apply(const QString& showText, TOKButtonState state)
    {
        // An empty text clears the line: the owner says what it shows at every change.
        status_->setText(showText);
        if (state == obsEnable)
            ok_->setEnabled(true);
        else if (state == obsDisable)
            ok_->setEnabled(false);
    }

    // The path field shows `path` and stands for its bytes for as long as nobody edits it.
    void showPath(const std::string& path)
    {
        const QString text = owner_.shown(path);
        known_.insert(text, path);
        path_->setText(text);
    }

    // The bytes of the path the field shows: those of a folder it was given or completed, else
    // the typed text in the local encoding.
    std::string typedPath() const
    {
        const QString text = path_->text();
        const auto found = known_.constFind(text);
        return found != known_.constEnd() ? *found : toLocalBytes(text);
    }

    // Offers the folders of the typed text's folder whose names start as its last part does.
    void complete(const QString& text)
    {
        const int cut = static_cast<int>(text.lastIndexOf(QChar::fromLatin1(platform::PathDelimiter)));
        if (cut < 0)
            return;
        const QString folderText = text.left(cut + 1);
        if (folderText == completedFolder_)
            return;
        completedFolder_ = folderText;
        const auto found = known_.constFind(folderText);
        const std::string folder = found != known_.constEnd() ? *found : toLocalBytes(folderText);
        QStringList offered;
        for (const std::string& name : subfolderNames(folder)) {
            const std::string bytes = platform::includeTrailingDelimiter(folder) + name;
            const QString shown = folderText + owner_.shown(name);
            known_.insert(shown, bytes);
            known_.insert(shown + QChar::fromLatin1(platform::PathDelimiter), platform::includeTrailingDelimiter(bytes));
            offered << shown + QChar::fromLatin1(platform::PathDelimiter);
        }
        completions_->setStringList(offered);
    }

    TBrowseDialog& owner_;
    QLineEdit* path_ = nullptr;
    QStringListModel* completions_ = nullptr;
    FolderModel* model_ = nullptr;
    QTreeView* tree_ = nullptr;
    QLabel* status_ = nullptr;
    QPushButton* ok_ = nullptr;
    QHash<QString, std::string> known_;
    QString completedFolder_;
    std::string chosen_;
};

TBrowseDialog::TBrowseDialog(QObject* owner) : QObject(owner) {}

TBrowseDialog::~TBrowseDialog() = default;

QString TBrowseDialog::shown(const std::string& bytes) const
{
    return ShownAs ? ShownAs(bytes) : fromLocalBytes(bytes);
}

bool TBrowseDialog::Execute()
{
    if (const auto answer = next_.take()) {
        if (!*answer)
            return false;
        Directory = **answer;
        displayName_ = shown(platform::extractFileName(platform::withoutTrailingDelimiter(Directory)));
        return true;
    }
    ActivationRestorer restorer{QApplication::activeWindow()};
    QWidget* owner = qobject_cast<QWidget*>(parent());
    Window window(*this, owner ? owner->window() : QApplication::activeWindow());
    window.installEventFilter(this);
    openWindow_ = &window;
    window.show();
    window.initialize();
    const bool chosen = window.exec() == QDialog::Accepted;
    openWindow_ = nullptr;
    if (!chosen)
        return false;
    Directory = window.chosen();
    const std::string name = platform::extractFileName(platform::withoutTrailingDelimiter(Directory));
    displayName_ = shown(name.empty() ? Directory : name);
    return true;
}

void TBrowseDialog::DoInitialized(QWidget* Wnd, const QString& Path, QString& ShowText, TOKButtonState& OKButtonState)
{
    if (OnInitialized)
        OnInitialized(this, Wnd, Path, ShowText, OKButtonState);
}

void TBrowseDialog::DoSelectionChanged(QWidget* Wnd, const QString& Path, QString& ShowText,
                                       TOKButtonState& OKButtonState)
{
    if (OnSelectionChanged)
        OnSelectionChanged(this, Wnd, Path, ShowText, OKButtonState);
}

bool TBrowseDialog::MessageHook(QEvent*)
{
    return false;
}

bool TBrowseDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == openWindow_ && MessageHook(event))
        return true;
    return QObject::eventFilter(watched, event);
}
