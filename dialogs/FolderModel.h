#pragma once
// The folders of the file system as a tree for the folder browser. Every folder is listed,
// whatever the bytes of its name: each keeps its path as the bytes the system gave, and shows
// its name through a text function its owner chooses (the one the rest of the window uses).
// A folder's subfolders are read when the tree first opens it; hidden folders are left out.
#include <QAbstractItemModel>
#include <QString>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class FolderModel : public QAbstractItemModel {
    Q_OBJECT
public:
    // A folder's path, as bytes (a QByteArray).
    static constexpr int PathRole = Qt::UserRole;

    // `shown` gives the text of a name or a path. The tree starts at `root` when that is a
    // folder, else at the top of the file system.
    FolderModel(std::function<QString(const std::string&)> shown, const std::string& root, QObject* parent = nullptr);
    ~FolderModel() override;

    // The folder at `path` (bytes; a trailing delimiter does not count), reading the folders on
    // the way as needed; invalid when there is no such folder in the tree.
    QModelIndex indexOf(const std::string& path);
    std::string pathOf(const QModelIndex& index) const;

    QModelIndex index(int row, int column, const QModelIndex& parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool hasChildren(const QModelIndex& parent = QModelIndex()) const override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;

private:
    struct Node;
    Node* nodeOf(const QModelIndex& index) const;
    QModelIndex indexOfNode(const Node* node) const;
    void list(Node* node);

    std::function<QString(const std::string&)> shown_;
    // The tops of the tree: the root folder, or "/" here and the drives on Windows.
    std::vector<std::unique_ptr<Node>> tops_;
};

// The names of the subfolders of `folder` (bytes) that are not hidden, in name order.
std::vector<std::string> subfolderNames(const std::string& folder);
