#include "dialogs/BrowsDlg.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>

namespace {

// Shows only the root folder at the top level of the tree, so that the tree starts there
// while the file-system model keeps its usual absolute paths.
class RootFilter : public QSortFilterProxyModel {
public:
    RootFilter(QFileSystemModel* source, const QString& rootPath, QObject* parent)
        : QSortFilterProxyModel(parent), source_(source), rootPath_(rootPath)
    {
        setSourceModel(source);
    }

    QModelIndex rootParent() const { return mapFromSource(source_->index(rootPath_).parent()); }

protected:
    bool filterAcceptsRow(int row, const QModelIndex& sourceParent) const override
    {
        if (sourceParent != source_->index(rootPath_).parent())
            return true;
        return source_->filePath(source_->index(row, 0, sourceParent)) == rootPath_;
    }

private:
    QFileSystemModel* source_;
    QString rootPath_;
};

// Gives the previously active window its activation back, also when an event handler throws.
struct ActivationRestorer {
    QPointer<QWidget> window;
    ~ActivationRestorer()
    {
        if (window)
            window->activateWindow();
    }
};

// Keeps the folder selected at opening in view while the tree fills in around it: the rows
// above it arrive, and are sorted, only after the browser has opened. Stops once the user
// clicks, scrolls or types in the tree, or selects another folder.
class FolderRevealer : public QObject {
public:
    FolderRevealer(QFileSystemModel* model, RootFilter* filter, QTreeView* tree, const QString& path, QObject* owner)
        : QObject(owner), model_(model), filter_(filter), tree_(tree), path_(path)
    {
        connect(model, &QFileSystemModel::directoryLoaded, this, &FolderRevealer::later);
        connect(filter, &QAbstractItemModel::layoutChanged, this, &FolderRevealer::later);
        connect(filter, &QAbstractItemModel::rowsInserted, this, &FolderRevealer::later);
        tree->installEventFilter(this);
        tree->viewport()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        const QEvent::Type type = event->type();
        if (type == QEvent::MouseButtonPress || type == QEvent::Wheel || type == QEvent::KeyPress)
            active_ = false;
        return false;
    }

private:
    void later()
    {
        if (active_ && !pending_) {
            pending_ = true;
            QTimer::singleShot(0, this, &FolderRevealer::reveal);
        }
    }
    void reveal()
    {
        pending_ = false;
        const QModelIndex target = filter_->mapFromSource(model_->index(path_));
        if (!active_ || !target.isValid() || tree_->currentIndex() != target) {
            active_ = false;
            return;
        }
        for (QModelIndex up = target.parent(); up.isValid(); up = up.parent())
            tree_->expand(up);
        tree_->scrollTo(target, QAbstractItemView::PositionAtCenter);
    }

    QFileSystemModel* model_;
    RootFilter* filter_;
    QTreeView* tree_;
    QString path_;
    bool active_ = true;
    bool pending_ = false;
};

} // namespace

QString browseStartFolder(const QString& directory)
{
    if (directory.endsWith(QDir::separator()) && !QDir(directory).isRoot())
        return directory.left(directory.size() - 1);
    return directory;
}

struct TBrowseDialog::Window {
    QDialog* dialog = nullptr;
    QFileSystemModel* model = nullptr;
    RootFilter* filter = nullptr;
    QTreeView* tree = nullptr;
    QLabel* status = nullptr;
    QPushButton* ok = nullptr;
};

TBrowseDialog::TBrowseDialog(QObject* owner) : QObject(owner) {}

TBrowseDialog::~TBrowseDialog() = default;

void TBrowseDialog::buildWindow(Window& w)
{
    w.dialog->setObjectName(QStringLiteral("TBrowseDialogWindow"));
    w.dialog->setWindowTitle(Texts.Title);
    w.dialog->setWindowModality(Qt::ApplicationModal);
    auto* layout = new QVBoxLayout(w.dialog);

    auto* caption = new QLabel(Caption, w.dialog);
    caption->setObjectName(QStringLiteral("lblCaption"));
    caption->setWordWrap(true);
    caption->setVisible(!Caption.isEmpty());
    layout->addWidget(caption);

    const QFileInfo rootInfo(Root);
    const QString rootPath = !Root.isEmpty() && rootInfo.isDir() ? rootInfo.absoluteFilePath() : QDir::rootPath();
    w.model = new QFileSystemModel(w.dialog);
    w.model->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
    w.model->setRootPath(rootPath);
    w.filter = new RootFilter(w.model, rootPath, w.dialog);

    w.tree = new QTreeView(w.dialog);
    w.tree->setObjectName(QStringLiteral("tvFolders"));
    w.tree->setModel(w.filter);
    w.tree->setRootIndex(w.filter->rootParent());
    w.tree->setHeaderHidden(true);
    for (int column = 1; column < w.model->columnCount(); ++column)
        w.tree->hideColumn(column);
    caption->setBuddy(w.tree);
    layout->addWidget(w.tree, 1);

    w.status = new QLabel(w.dialog);
    w.status->setObjectName(QStringLiteral("lblStatus"));
    w.status->setVisible(Options.testFlag(biStatusText));
    layout->addWidget(w.status);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, w.dialog);
    w.ok = buttons->button(QDialogButtonBox::Ok);
    w.ok->setText(Texts.OK);
    buttons->button(QDialogButtonBox::Cancel)->setText(Texts.Cancel);
    connect(buttons, &QDialogButtonBox::accepted, w.dialog, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, w.dialog, &QDialog::reject);
    layout->addWidget(buttons);

    w.dialog->resize(w.dialog->sizeHint().expandedTo(QSize(340, 400)));
    w.dialog->installEventFilter(this);
}

bool TBrowseDialog::Execute()
{
    if (const auto answer = next_.take()) {
        if (answer->isNull())
            return false;
        Directory = *answer;
        displayName_ = QFileInfo(Directory).fileName();
        return true;
    }
    ActivationRestorer restorer{QApplication::activeWindow()};
    QWidget* owner = qobject_cast<QWidget*>(parent());
    QDialog dialog(owner ? owner->window() : QApplication::activeWindow());
    Window w;
    w.dialog = &dialog;
    buildWindow(w);
    connect(w.tree->selectionModel(), &QItemSelectionModel::currentChanged, &dialog,
            [this, &w](const QModelIndex& current) { selectionChanged(w, current); });

    openWindow_ = &dialog;
    dialog.show();
    initialize(w);
    const bool chosen = dialog.exec() == QDialog::Accepted;
    openWindow_ = nullptr;
    if (!chosen)
        return false;

    QModelIndex current = w.filter->mapToSource(w.tree->currentIndex());
    if (!current.isValid())
        current = w.model->index(w.model->rootPath());
    displayName_ = w.model->data(current, Qt::DisplayRole).toString();
    Directory = w.model->filePath(current);
    return true;
}

void TBrowseDialog::initialize(Window& w)
{
    const QString path = Directory.isEmpty() ? QString() : browseStartFolder(Directory);
    if (!path.isEmpty()) {
        // Selecting reports the change to the owner first, as the shell's browser does.
        const QModelIndex target = w.filter->mapFromSource(w.model->index(path));
        if (target.isValid()) {
            for (QModelIndex up = target.parent(); up.isValid(); up = up.parent())
                w.tree->expand(up);
            w.tree->setCurrentIndex(target);
            w.tree->scrollTo(target, QAbstractItemView::PositionAtCenter);
        }
        // The folders on the way are read in the background; as they arrive the rows above the
        // folder move, so it is brought into view again until the user takes over.
        new FolderRevealer(w.model, w.filter, w.tree, path, w.dialog);
    }
    QString showText;
    TOKButtonState state = obsUnchanged;
    DoInitialized(w.dialog, path, showText, state);
    apply(w, showText, state);
}

void TBrowseDialog::selectionChanged(Window& w, const QModelIndex& current)
{
    const QModelIndex source = w.filter->mapToSource(current);
    const QString path = source.isValid() ? w.model->filePath(source) : QString();
    QString showText;
    TOKButtonState state = obsUnchanged;
    DoSelectionChanged(w.dialog, path, showText, state);
    apply(w, showText, state);
}

void TBrowseDialog::apply(Window& w, const QString& showText, TOKButtonState state)
{
    // An empty text clears the line: the owner says what it shows at every change.
    w.status->setText(showText);
    if (state == obsEnable)
        w.ok->setEnabled(true);
    else if (state == obsDisable)
        w.ok->setEnabled(false);
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
