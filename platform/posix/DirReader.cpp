#include "platform/DirReader.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

namespace platform {

struct DirReader::Impl {
    DIR* dir = nullptr;
};

DirReader::DirReader(const std::string& dir) : impl_(new Impl)
{
    impl_->dir = ::opendir(dir.empty() ? "." : dir.c_str());
}

DirReader::~DirReader()
{
    if (impl_->dir)
        ::closedir(impl_->dir);
}

bool DirReader::isOpen() const
{
    return impl_->dir != nullptr;
}

bool DirReader::next(DirEntry& entry)
{
    if (!impl_->dir)
        return false;
    while (const dirent* d = ::readdir(impl_->dir)) {
        const char* name = d->d_name;
        if (name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0)))
            continue;
        struct stat st {};
        if (::fstatat(::dirfd(impl_->dir), name, &st, 0) != 0)
            continue; // vanished, or a broken link
        bool isDir = S_ISDIR(st.st_mode);
        if (!isDir && !S_ISREG(st.st_mode))
            continue;
        entry.name = name;
        entry.isDirectory = isDir;
        entry.hidden = name[0] == '.';
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
