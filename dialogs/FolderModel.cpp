#include "dialogs/FolderModel.h"

#include "platform/DirReader.h"
#include "platform/Path.h"

#include <QApplication>
#include <QByteArray>
#include <QStyle>

#include <algorithm>
#include <cctype>

struct FolderModel::Node {
    std::string name; // as the system gave it; for a top, its whole path
    std::string path;
    Node* parent = nullptr;
    int row = 0;
    bool listed = false;
    std::vector<std::unique_ptr<Node>> children;
};

namespace {

bool sameName(const std::string& a, const std::string& b)
{
    if (!platform::FileNamesIgnoreCase)
        return a == b;
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

std::string joined(const std::string& folder, const std::string& name)
{
    return platform::includeTrailingDelimiter(folder) + name;
}

// The top of the file system: "/" here, each drive on Windows.
std::vector<std::string> fileSystemTops()
{
#ifdef _WIN32
    std::vector<std::string> drives;
    for (char drive = 'A'; drive <= 'Z'; ++drive)
        if (platform::directoryExists(std::string(1, drive) + ":\\"))
            drives.push_back(std::string(1, drive) + ":\\");
    return drives;
#else
    return {"/"};
#endif
}

// Whether `path` is `top` or lies below it.
bool isUnder(const std::string& path, const std::string& top)
{
    if (path.size() < top.size() || !sameName(path.substr(0, top.size()), top))
        return false;
    return path.size() == top.size() || platform::isPathDelimiter(top.back()) ||
           platform::isPathDelimiter(path[top.size()]);
}

} // namespace

std::vector<std::string> subfolderNames(const std::string& folder)
{
    std::vector<std::string> names;
    platform::DirReader reader(folder);
    platform::DirEntry entry;
    while (reader.next(entry))
        if (entry.isDirectory && !entry.hidden)
            names.push_back(entry.name);
    return names;
}

FolderModel::FolderModel(std::function<QString(const std::string&)> shown, const std::string& root, QObject* parent)
    : QAbstractItemModel(parent), shown_(std::move(shown))
{
    const std::vector<std::string> tops = !root.empty() && platform::directoryExists(root)
                                              ? std::vector<std::string>{platform::withoutTrailingDelimiter(root)}
                                              : fileSystemTops();
    for (const std::string& top : tops) {
        auto node = std::make_unique<Node>();
        node->name = node->path = top;
        node->row = static_cast<int>(tops_.size());
        tops_.push_back(std::move(node));
    }
}

FolderModel::~FolderModel() = default;

FolderModel::Node* FolderModel::nodeOf(const QModelIndex& index) const
{
    return static_cast<Node*>(index.internalPointer());
}

QModelIndex FolderModel::indexOfNode(const Node* node) const
{
    return node ? createIndex(node->row, 0, const_cast<Node*>(node)) : QModelIndex();
}

void FolderModel::list(Node* node)
{
    if (node->listed)
        return;
    node->listed = true;
    const std::vector<std::string> names = subfolderNames(node->path);
    if (names.empty())
        return;
    beginInsertRows(indexOfNode(node), 0, static_cast<int>(names.size()) - 1);
    for (const std::string& name : names) {
        auto child = std::make_unique<Node>();
        child->name = name;
        child->path = joined(node->path, name);
        child->parent = node;
        child->row = static_cast<int>(node->children.size());
        node->children.push_back(std::move(child));
    }
    endInsertRows();
}

QModelIndex FolderModel::indexOf(const std::string& path)
{
    const std::string wanted = platform::withoutTrailingDelimiter(path);
    Node* node = nullptr;
    for (const auto& top : tops_)
        if (isUnder(wanted, top->path))
            node = top.get();
    if (!node)
        return QModelIndex();
    std::size_t at = node->path.size();
    while (at < wanted.size()) {
        const std::size_t end = std::min(wanted.find(platform::PathDelimiter, at), wanted.size());
        const std::string name = wanted.substr(at, end - at);
        at = end + 1;
        if (name.empty())
            continue;
        list(node);
        Node* next = nullptr;
        for (const auto& child : node->children)
            if (sameName(child->name, name))
                next = child.get();
        // A hidden folder is not listed, but may be asked for by its path.
        if (!next && name != "." && name != ".." && platform::directoryExists(joined(node->path, name))) {
            const int row = static_cast<int>(node->children.size());
            beginInsertRows(indexOfNode(node), row, row);
            auto child = std::make_unique<Node>();
            child->name = name;
            child->path = joined(node->path, name);
            child->parent = node;
            child->row = row;
            next = child.get();
            node->children.push_back(std::move(child));
            endInsertRows();
        }
        if (!next)
            return QModelIndex();
        node = next;
    }
    return indexOfNode(node);
}

std::string FolderModel::pathOf(const QModelIndex& index) const
{
    return index.isValid() ? nodeOf(index)->path : std::string();
}

QModelIndex FolderModel::index(int row, int column, const QModelIndex& parent) const
{
    if (column != 0 || row < 0)
        return QModelIndex();
    const auto& rows = parent.isValid() ? nodeOf(parent)->children : tops_;
    return row < static_cast<int>(rows.size()) ? createIndex(row, 0, rows[static_cast<std::size_t>(row)].get())
                                               : QModelIndex();
}

QModelIndex FolderModel::parent(const QModelIndex& child) const
{
    return child.isValid() ? indexOfNode(nodeOf(child)->parent) : QModelIndex();
}

int FolderModel::rowCount(const QModelIndex& parent) const
{
    if (parent.column() > 0)
        return 0;
    return static_cast<int>((parent.isValid() ? nodeOf(parent)->children : tops_).size());
}

int FolderModel::columnCount(const QModelIndex&) const
{
    return 1;
}

QVariant FolderModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return QVariant();
    const Node* node = nodeOf(index);
    switch (role) {
    case Qt::DisplayRole:
        return shown_(node->name);
    case Qt::ToolTipRole:
        return shown_(node->path);
    case Qt::DecorationRole:
        return QApplication::style()->standardIcon(QStyle::SP_DirIcon);
    case PathRole:
        return QByteArray(node->path.data(), static_cast<qsizetype>(node->path.size()));
    default:
        return QVariant();
    }
}

bool FolderModel::hasChildren(const QModelIndex& parent) const
{
    if (!parent.isValid())
        return !tops_.empty();
    const Node* node = nodeOf(parent);
    // Not read yet: it may have some; the tree reads it when it is opened.
    return !node->listed || !node->children.empty();
}

bool FolderModel::canFetchMore(const QModelIndex& parent) const
{
    return parent.isValid() && !nodeOf(parent)->listed;
}

void FolderModel::fetchMore(const QModelIndex& parent)
{
    if (parent.isValid())
        list(nodeOf(parent));
}
