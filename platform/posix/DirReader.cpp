#include "platform/DirReader.h"

#include "platform/Directory.h"

#include <algorithm>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace platform {

namespace {

unsigned char upper(unsigned char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<unsigned char>(c - 'a' + 'A') : c;
}

// Byte by byte with a-z taken as A-Z, a prefix before the longer name; names that are equal
// so are ordered by their bytes as they are.
bool nameOrder(const std::string& a, const std::string& b)
{
    const auto less = [](char x, char y) { return upper(static_cast<unsigned char>(x)) < upper(static_cast<unsigned char>(y)); };
    if (std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), less))
        return true;
    if (std::lexicographical_compare(b.begin(), b.end(), a.begin(), a.end(), less))
        return false;
    return a < b;
}

// The names in a directory, "." and ".." left out, in the order above.
std::vector<std::string> sortedNames(int dirFd)
{
    std::vector<std::string> names;
    // A descriptor of its own, so that listing does not move the directory's own position.
    const int fd = ::openat(dirFd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return names;
    DIR* dir = ::fdopendir(fd);
    if (!dir) {
        ::close(fd);
        return names;
    }
    while (const dirent* d = ::readdir(dir)) {
        const char* name = d->d_name;
        if (name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0)))
            continue;
        names.emplace_back(name);
    }
    ::closedir(dir);
    std::sort(names.begin(), names.end(), nameOrder);
    return names;
}

} // namespace

struct DirReader::Impl {
    std::unique_ptr<Directory> owned;
    const Directory* dir = nullptr;
    std::vector<std::string> names;
    std::size_t next = 0;
};

DirReader::DirReader(const std::string& dir) : impl_(new Impl)
{
    int error = 0;
    impl_->owned = Directory::open(dir, error);
    impl_->dir = impl_->owned.get();
    if (impl_->dir)
        impl_->names = sortedNames(impl_->dir->handle());
}

DirReader::DirReader(const Directory& dir) : impl_(new Impl)
{
    impl_->dir = &dir;
    impl_->names = sortedNames(dir.handle());
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
    while (impl_->next < impl_->names.size()) {
        std::string& name = impl_->names[impl_->next++];
        struct stat st {};
        if (::fstatat(impl_->dir->handle(), name.c_str(), &st, 0) != 0)
            continue; // vanished, or a broken link
        const bool isDir = S_ISDIR(st.st_mode);
        if (!isDir && !S_ISREG(st.st_mode))
            continue;
        entry.name = std::move(name);
        entry.isDirectory = isDir;
        entry.hidden = entry.name[0] == '.';
        entry.system = false;
        entry.size = isDir ? 0 : static_cast<std::uint64_t>(st.st_size);
        entry.identity = {static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino)};
        return true;
    }
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
