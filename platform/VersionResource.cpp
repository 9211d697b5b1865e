#include "platform/VersionResource.h"

namespace platform {
namespace {

class Node {
public:
    Node(const unsigned char* base, std::size_t end, std::size_t at) : base_(base)
    {
        if (at > end || end - at < 6)
            return;
        const std::size_t length = word(at);
        if (length < 6 || length > end - at)
            return;
        end_ = at + length;
        const std::size_t valueLength = word(at + 2);
        const bool text = word(at + 4) == 1;
        std::size_t p = at + 6;
        while (p + 2 <= end_ && word(p) != 0) {
            key_ += static_cast<char>(word(p) < 0x80 ? word(p) : '?');
            p += 2;
        }
        if (p + 2 > end_)
            return;
        p = align(p + 2);
        p = align(p + (text ? 2 * valueLength : valueLength));
        children_ = p;
        valid_ = true;
    }

    bool valid() const { return valid_; }
    const std::string& key() const { return key_; }
    std::size_t end() const { return end_; }
    // The first child, or the offset where the next would start.
    std::size_t children() const { return children_; }

private:
    std::size_t word(std::size_t p) const { return base_[p] | (base_[p + 1] << 8); }
    static std::size_t align(std::size_t p) { return (p + 3) & ~std::size_t(3); }

    const unsigned char* base_;
    std::size_t end_ = 0;
    std::size_t children_ = 0;
    bool valid_ = false;
    std::string key_;
};

// Calls `f` for each child of `parent` until it returns false.
template <typename F>
void forEachChild(const unsigned char* base, const Node& parent, F f)
{
    for (std::size_t p = parent.children(); p < parent.end();) {
        Node child(base, parent.end(), p);
        if (!child.valid() || !f(child))
            return;
        p = (child.end() + 3) & ~std::size_t(3);
    }
}

} // namespace

std::vector<std::pair<std::string, std::string>> versionStringQueries(const unsigned char* block, std::size_t size)
{
    std::vector<std::pair<std::string, std::string>> queries;
    const Node root(block, size, 0);
    if (!root.valid())
        return queries;
    forEachChild(block, root, [&](const Node& fileInfo) {
        if (fileInfo.key() != "StringFileInfo")
            return true;
        // The first table is the one the program reads.
        forEachChild(block, fileInfo, [&](const Node& table) {
            forEachChild(block, table, [&](const Node& entry) {
                queries.emplace_back(entry.key(), "\\StringFileInfo\\" + table.key() + "\\" + entry.key());
                return true;
            });
            return false;
        });
        return false;
    });
    return queries;
}

} // namespace platform
