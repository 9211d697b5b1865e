#include "platform/Directory.h"

#include "platform/Path.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

// How many directories above the deepest one keep their descriptors. Those further up are
// closed and opened again, from their own parents, when the walk comes back to them, so that
// a tree deeper than the process may hold descriptors still works.
constexpr int OpenAncestors = 32;

constexpr int DirectoryFlags = O_RDONLY | O_DIRECTORY | O_CLOEXEC;

bool identify(int fd, DirIdentity& identity)
{
    struct stat st {};
    if (::fstat(fd, &st) != 0)
        return false;
    identity = {static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino)};
    return true;
}

} // namespace

std::unique_ptr<Directory> Directory::open(const std::string& path, int& error)
{
    std::unique_ptr<Directory> dir(new Directory);
    dir->fd_ = ::open(path.empty() ? "." : path.c_str(), DirectoryFlags);
    if (dir->fd_ < 0 || !identify(dir->fd_, dir->identity_)) {
        error = errno;
        return nullptr;
    }
    dir->path_ = path.empty() ? path : includeTrailingDelimiter(path);
    return dir;
}

std::unique_ptr<Directory> Directory::openSubdirectory(const std::string& name, int& error) const
{
    const int parentFd = handle();
    if (parentFd < 0) {
        error = EBADF;
        return nullptr;
    }
    std::unique_ptr<Directory> dir(new Directory);
    dir->fd_ = ::openat(parentFd, name.c_str(), DirectoryFlags);
    if (dir->fd_ < 0 || !identify(dir->fd_, dir->identity_)) {
        error = errno;
        return nullptr;
    }
    dir->path_ = path_ + name + PathDelimiter;
    dir->name_ = name;
    dir->parent_ = this;
    dir->releaseFarAncestors();
    return dir;
}

std::unique_ptr<Directory> Directory::duplicate() const
{
    std::unique_ptr<Directory> dir(new Directory);
    const int fd = handle();
    dir->fd_ = fd < 0 ? -1 : ::fcntl(fd, F_DUPFD_CLOEXEC, 0);
    dir->path_ = path_;
    dir->name_ = name_;
    dir->identity_ = identity_;
    return dir;
}

Directory::~Directory()
{
    if (fd_ >= 0)
        ::close(fd_);
}

int Directory::handle() const
{
    if (fd_ >= 0 || !parent_)
        return fd_;
    // Closed to spare descriptors: open it again from its parent, and make sure it is still
    // the directory it was, not another one renamed into its place.
    const int parentFd = parent_->handle();
    if (parentFd < 0)
        return -1;
    const int fd = ::openat(parentFd, name_.c_str(), DirectoryFlags);
    DirIdentity now;
    if (fd >= 0 && identify(fd, now) && now == identity_) {
        fd_ = fd;
        releaseFarAncestors();
    } else if (fd >= 0) {
        ::close(fd);
    }
    return fd_;
}

void Directory::releaseFarAncestors() const
{
    int distance = 0;
    for (const Directory* d = parent_; d && d->parent_; d = d->parent_) {
        if (++distance > OpenAncestors && d->fd_ >= 0) {
            ::close(d->fd_);
            d->fd_ = -1;
        }
    }
}

} // namespace platform
