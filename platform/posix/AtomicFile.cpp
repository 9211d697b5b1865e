#include "platform/AtomicFile.h"

#include "platform/Errors.h"
#include "platform/Path.h"

#include <cerrno>
#include <climits>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace platform {

namespace {

// The file a path leads to once every symbolic link on its end is followed, whether that file
// exists or not (a link to a page not yet written leads to where it will be). Raises
// InOutError with the system's reason for a loop or a link that cannot be read.
std::string followLinks(const std::string& path, const std::string& target)
{
    std::string file = path;
    for (int hops = 0;; ++hops) {
        struct stat st {};
        if (::lstat(file.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
            return file;
        if (hops == 40) // the system's own limit on links in one path
            throw InOutError::fromSystem(ELOOP, target);
        std::vector<char> buffer(static_cast<std::size_t>(st.st_size > 0 ? st.st_size : PATH_MAX) + 1);
        const ssize_t n = ::readlink(file.c_str(), buffer.data(), buffer.size());
        if (n < 0)
            throw InOutError::fromSystem(errno, target);
        const std::string link(buffer.data(), static_cast<std::size_t>(n));
        file = isAbsolutePath(link) ? link : extractFilePath(file) + link;
    }
}

// The old file's owner and group where the system allows them; the writer's own otherwise.
void takeOwner(int fd, const struct stat& old)
{
    if (::fchown(fd, old.st_uid, old.st_gid) == 0)
        return;
    if (::fchown(fd, static_cast<uid_t>(-1), old.st_gid) == 0)
        return;
}

// Held for as long as it is open, so that no other run takes it for abandoned. False when
// another run's clean-up got to it between its making and this, and removed it.
bool hold(int fd)
{
    while (::flock(fd, LOCK_EX) != 0)
        if (errno != EINTR)
            return true; // a file system without locks: it cannot be held, nor taken as abandoned
    struct stat st {};
    return ::fstat(fd, &st) == 0 && st.st_nlink > 0;
}

// A temporary file that no one holds: its run was killed. It is held while it is removed, and
// removed only while its name still leads to it.
void removeIfAbandoned(int folder, const char* name)
{
    const int fd = ::openat(folder, name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return;
    struct stat held {}, named {};
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::fstat(fd, &held) == 0 && S_ISREG(held.st_mode) &&
        ::fstatat(folder, name, &named, AT_SYMLINK_NOFOLLOW) == 0 && named.st_dev == held.st_dev &&
        named.st_ino == held.st_ino)
        ::unlinkat(folder, name, 0);
    ::close(fd);
}

// The disk writes a large page while it is still being made, rather than all of it in the
// sync before the rename, which the run then waits for.
constexpr unsigned long long EarlyWriteBytes = 1 << 20;

int syncedOrError(int fd)
{
    while (::fsync(fd) != 0)
        if (errno != EINTR)
            return errno;
    return 0;
}

} // namespace

AtomicFile::AtomicFile(const std::string& target) : target_(target)
{
    if (target.empty())
        throw FileCreateError(target);
    replaced_ = followLinks(target, target);

    struct stat old {};
    const bool exists = ::stat(replaced_.c_str(), &old) == 0;
    if (exists && S_ISDIR(old.st_mode))
        throw FileCreateError(target, EISDIR);
    // Replacing a file needs no right to write it, only to write its folder: ask as writing
    // it would, so that a page the user may not change is refused as the system refuses it.
    if (exists && ::faccessat(AT_FDCWD, replaced_.c_str(), W_OK, AT_EACCESS) != 0)
        throw InOutError::fromSystem(errno, target);

    for (int attempt = 0; attempt < 16 && fd_ < 0; ++attempt) {
        tempPath_ = temporaryNameBeside(replaced_);
        fd_ = ::open(tempPath_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, exists ? 0600 : 0666);
        if (fd_ < 0 && errno != EEXIST)
            break;
        if (fd_ >= 0 && !hold(fd_)) {
            ::close(fd_);
            fd_ = -1;
        }
    }
    if (fd_ < 0)
        throw FileCreateError(target, errno);
    removeAbandonedBeside();
    if (exists) {
        // The owner first: changing it clears the set-user and set-group bits.
        takeOwner(fd_, old);
        ::fchmod(fd_, old.st_mode & 07777);
    }
}

void AtomicFile::discard()
{
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
        ::unlink(tempPath_.c_str());
    }
}

void AtomicFile::write(const char* data, std::size_t size)
{
    while (size > 0) {
        ssize_t n = ::write(fd_, data, size);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            throw InOutError::fromSystem(errno, target_);
        }
        data += n;
        size -= static_cast<std::size_t>(n);
        written_ += static_cast<unsigned long long>(n);
    }
#ifdef SYNC_FILE_RANGE_WRITE
    if (written_ - writeStarted_ >= EarlyWriteBytes) {
        ::sync_file_range(fd_, static_cast<off_t>(writeStarted_), static_cast<off_t>(written_ - writeStarted_), SYNC_FILE_RANGE_WRITE);
        writeStarted_ = written_;
    }
#endif
}

void AtomicFile::removeAbandonedBeside() const
{
    const std::string folder = extractFilePath(tempPath_);
    DIR* d = ::opendir(folder.empty() ? "." : folder.c_str());
    if (!d)
        return;
    const std::string own = extractFileName(tempPath_);
    while (const dirent* e = ::readdir(d))
        if (isTemporaryName(e->d_name) && own != e->d_name)
            removeIfAbandoned(::dirfd(d), e->d_name);
    ::closedir(d);
}

void AtomicFile::commit()
{
    const int fd = fd_;
    fd_ = -1;
    // On the disk before the target's name leads to it; renamed while still held, so that no
    // other run's clean-up takes it for abandoned in between.
    int err = syncedOrError(fd);
    if (err == 0 && ::rename(tempPath_.c_str(), replaced_.c_str()) != 0)
        err = errno;
    if (err != 0) {
        ::unlink(tempPath_.c_str());
        ::close(fd);
        throw InOutError::fromSystem(err, target_);
    }
    ::close(fd);
    // The rename itself on the disk. The new page is in place by now whatever this says.
    const std::string folder = extractFilePath(replaced_);
    const int folderFd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folderFd >= 0) {
        syncedOrError(folderFd);
        ::close(folderFd);
    }
}

} // namespace platform
