#include "platform/DirReader.h"

#include "platform/Directory.h"

#include <algorithm>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <string_view>
#include <vector>

namespace platform {

namespace {

unsigned char upper(unsigned char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<unsigned char>(c - 'a' + 'A') : c;
}

// Byte by byte, a prefix before the longer text.
int compareBytes(std::string_view a, std::string_view b)
{
    const int c = std::memcmp(a.data(), b.data(), std::min(a.size(), b.size()));
    return c != 0 ? c : (a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0);
}

// A name in the listing's one buffer, and the kind the listing gave it (DT_UNKNOWN where none).
struct Name {
    std::uint32_t offset;
    std::uint32_t length;
    unsigned char type;
    // The first eight bytes of its sort key as one number, zeros past its end (no name holds a
    // zero byte): most names of a large folder differ there, and are ordered by one comparison.
    std::uint64_t leading;
};

std::uint64_t leadingBytes(std::string_view key)
{
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < 8; ++i)
        value = value << 8 | (i < key.size() ? static_cast<unsigned char>(key[i]) : 0);
    return value;
}

} // namespace

struct DirReader::Impl {
    std::unique_ptr<Directory> owned;
    const Directory* dir = nullptr;
    EntryDetail detail = EntryDetail::All;
    std::string text;  // the names, one after another
    std::string keys;  // the same with a-z as A-Z, to sort by
    std::vector<Name> names;
    std::size_t next = 0;

    std::string_view nameOf(const Name& n) const { return std::string_view(text).substr(n.offset, n.length); }
    std::string_view keyOf(const Name& n) const { return std::string_view(keys).substr(n.offset, n.length); }
    // Byte by byte with a-z taken as A-Z; names that are equal so by their bytes as they are.
    bool before(const Name& a, const Name& b) const
    {
        if (a.leading != b.leading)
            return a.leading < b.leading;
        const int c = compareBytes(keyOf(a), keyOf(b));
        return c != 0 ? c < 0 : compareBytes(nameOf(a), nameOf(b)) < 0;
    }
    void list();
    bool describe(const Name& n, DirEntry& entry) const;
};

// The names in the directory, "." and ".." left out, in the order above.
void DirReader::Impl::list()
{
    // Read through a descriptor of its own, which leaves the directory's one free for opening
    // its entries; it shares its position, so the listing starts from the beginning.
    const int fd = dir->handle() < 0 ? -1 : ::fcntl(dir->handle(), F_DUPFD_CLOEXEC, 0);
    if (fd < 0)
        return;
    DIR* d = ::fdopendir(fd);
    if (!d) {
        ::close(fd);
        return;
    }
    ::rewinddir(d);
    while (const dirent* e = ::readdir(d)) {
        const char* name = e->d_name;
        if (name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0)))
            continue;
        const std::size_t length = std::strlen(name);
        names.push_back({static_cast<std::uint32_t>(text.size()), static_cast<std::uint32_t>(length), e->d_type, 0});
        text.append(name, length);
    }
    ::closedir(d);
    keys.resize(text.size());
    std::transform(text.begin(), text.end(), keys.begin(), [](char c) { return static_cast<char>(upper(static_cast<unsigned char>(c))); });
    for (Name& n : names)
        n.leading = leadingBytes(keyOf(n));
    std::sort(names.begin(), names.end(), [this](const Name& a, const Name& b) { return before(a, b); });
}

// Fills in a regular file or a directory; false for an entry of another kind, a broken link
// or one that has vanished. The system is asked only where the listing does not tell enough.
bool DirReader::Impl::describe(const Name& n, DirEntry& entry) const
{
    const std::string_view name = nameOf(n);
    entry.name.assign(name.data(), name.size());
    entry.hidden = name[0] == '.';
    entry.system = false;
    entry.size = 0;
    entry.identity = {};
    const bool known = n.type == DT_REG || n.type == DT_DIR;
    if (detail == EntryDetail::KindOnly && known) {
        entry.isDirectory = n.type == DT_DIR;
        return true;
    }
    struct stat st {};
    if (::fstatat(dir->handle(), entry.name.c_str(), &st, 0) != 0)
        return false;
    entry.isDirectory = S_ISDIR(st.st_mode);
    if (!entry.isDirectory && !S_ISREG(st.st_mode))
        return false;
    entry.size = entry.isDirectory ? 0 : static_cast<std::uint64_t>(st.st_size);
    entry.identity = {static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino)};
    return true;
}

DirReader::DirReader(const std::string& dir) : impl_(new Impl)
{
    int error = 0;
    impl_->owned = Directory::open(dir, error);
    impl_->dir = impl_->owned.get();
    if (impl_->dir)
        impl_->list();
}

DirReader::DirReader(const Directory& dir, EntryDetail detail) : impl_(new Impl)
{
    impl_->dir = &dir;
    impl_->detail = detail;
    impl_->list();
}

DirReader::~DirReader() = default;

bool DirReader::isOpen() const
{
    return impl_->dir != nullptr;
}

bool DirReader::next(DirEntry& entry)
{
    if (!impl_->dir)
        return false;
    while (impl_->next < impl_->names.size())
        if (impl_->describe(impl_->names[impl_->next++], entry))
            return true;
    return false;
}

bool directoryIdentity(const std::string& dir, DirIdentity& identity)
{
    struct stat st {};
    if (::stat(dir.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
        return false;
    identity = {static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino)};
    return true;
}

bool directoryExists(const std::string& dir)
{
    DirIdentity ignored;
    return !dir.empty() && directoryIdentity(dir, ignored);
}

bool fileExists(const std::string& path)
{
    struct stat st {};
    return !path.empty() && ::stat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

} // namespace platform
