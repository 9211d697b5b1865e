#include "platform/Directory.h"

#include "platform/Path.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

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
    dir->path_ = path();
    dir->name_ = name_;
    dir->identity_ = identity_;
    return dir;
}

std::string Directory::path() const
{
    std::string path;
    this->path(path);
    return path;
}

void Directory::path(std::string& out) const
{
    if (!parent_) {
        out.assign(path_);
        return;
    }
    std::size_t length = 0;
    const Directory* top = this;
    for (; top->parent_; top = top->parent_)
        length += top->name_.size() + 1;
    out.assign(top->path_.size() + length, PathDelimiter);
    std::size_t end = out.size();
    for (const Directory* d = this; d->parent_; d = d->parent_) {
        end -= d->name_.size() + 1;
        out.replace(end, d->name_.size(), d->name_);
    }
    out.replace(0, top->path_.size(), top->path_);
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
    // Closed to spare descriptors: open it again, and every closed one between it and its
    // nearest open ancestor, level by level down from there, one at a time (a deep tree may
    // have closed thousands), making sure each is still the directory it was, not another one
    // renamed into its place.
    std::vector<const Directory*> closed;
    const Directory* open = this;
    for (; open->fd_ < 0 && open->parent_; open = open->parent_)
        closed.push_back(open);
    if (open->fd_ < 0)
        return -1;
    for (auto level = closed.rbegin(); level != closed.rend(); ++level) {
        const Directory& d = **level;
        const int fd = ::openat(d.parent_->fd_, d.name_.c_str(), DirectoryFlags);
        DirIdentity now;
        if (fd < 0 || !identify(fd, now) || !(now == d.identity_)) {
            if (fd >= 0)
                ::close(fd);
            return -1;
        }
        d.fd_ = fd;
        d.releaseFarAncestors();
    }
    return fd_;
}

// Those above the nearest ones were closed as the walk went down past them: only the one that
// has just become far is closed here, so that an open costs the same at any depth. The top
// one, opened by its path, has no parent to be opened again from and stays open.
void Directory::releaseFarAncestors() const
{
    const Directory* far = parent_;
    for (int distance = 1; far && distance <= OpenAncestors; ++distance)
        far = far->parent_;
    if (far && far->parent_ && far->fd_ >= 0) {
        ::close(far->fd_);
        far->fd_ = -1;
    }
}

} // namespace platform
