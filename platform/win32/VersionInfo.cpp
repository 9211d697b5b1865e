#include "platform/VersionInfo.h"

#include <windows.h>

#include <cstring>
#include <vector>

// The version resource through the version API; only the names of the strings, which the API
// cannot list, are read from the resource's own layout (a tree of nodes, each: length, value
// length, type, UTF-16 key, padding to 4 bytes, value, padding, children).

namespace platform {
namespace {

class Node {
public:
    Node(const unsigned char* base, std::size_t end, std::size_t at) : base_(base), at_(at)
    {
        if (at + 6 > end)
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
    std::size_t align(std::size_t p) const { return (p + 3) & ~std::size_t(3); }

    const unsigned char* base_;
    std::size_t at_;
    std::size_t end_ = 0;
    std::size_t children_ = 0;
    bool valid_ = false;
    std::string key_;
};

template <typename F>
void forEachChild(const unsigned char* base, const Node& parent, F f)
{
    for (std::size_t p = parent.children(); p < parent.end();) {
        Node child(base, parent.end(), p);
        if (!child.valid())
            return;
        if (!f(child))
            return;
        p = (child.end() + 3) & ~std::size_t(3);
    }
}

void readStrings(const std::vector<unsigned char>& block, VersionInfo& info)
{
    const unsigned char* base = block.data();
    Node root(base, block.size(), 0);
    if (!root.valid())
        return;
    forEachChild(base, root, [&](const Node& fileInfo) {
        if (fileInfo.key() != "StringFileInfo")
            return true;
        // The first table is the one the program reads.
        forEachChild(base, fileInfo, [&](const Node& table) {
            forEachChild(base, table, [&](const Node& entry) {
                const std::string query = "\\StringFileInfo\\" + table.key() + "\\" + entry.key();
                char* value = nullptr;
                UINT length = 0;
                if (::VerQueryValueA(block.data(), query.c_str(), reinterpret_cast<void**>(&value), &length) && value)
                    info.strings.emplace_back(entry.key(), std::string(value, ::strnlen(value, length)));
                return true;
            });
            return false;
        });
        return false;
    });
}

} // namespace

bool readVersionInfo(const std::string& path, VersionInfo& info)
{
    info = VersionInfo();
    DWORD ignored = 0;
    const DWORD size = ::GetFileVersionInfoSizeA(path.c_str(), &ignored);
    if (size == 0)
        return false;
    std::vector<unsigned char> block(size);
    if (!::GetFileVersionInfoA(path.c_str(), 0, size, block.data()))
        return false;

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (::VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length) && fixed &&
        length >= sizeof(VS_FIXEDFILEINFO) && fixed->dwSignature == 0xFEEF04BD) {
        info.hasFixed = true;
        info.fileVersionMS = fixed->dwFileVersionMS;
        info.fileVersionLS = fixed->dwFileVersionLS;
        info.productVersionMS = fixed->dwProductVersionMS;
        info.productVersionLS = fixed->dwProductVersionLS;
    }
    WORD* translation = nullptr;
    if (::VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation),
                         &length) && translation && length >= 4) {
        info.hasTranslation = true;
        info.language = translation[0];
        info.codePage = translation[1];
    }
    readStrings(block, info);
    if (!info.hasFixed && !info.hasTranslation && info.strings.empty()) {
        info = VersionInfo();
        return false;
    }
    return true;
}

} // namespace platform
