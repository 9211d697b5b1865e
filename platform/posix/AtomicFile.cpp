#include "platform/AtomicFile.h"

#include "platform/Errors.h"
#include "platform/Path.h"

#include <cerrno>
#include <climits>
#include <fcntl.h>
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
    }
    if (fd_ < 0)
        throw FileCreateError(target, errno);
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
    }
}

void AtomicFile::commit()
{
    int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0 || ::rename(tempPath_.c_str(), replaced_.c_str()) != 0) {
        int err = errno;
        ::unlink(tempPath_.c_str());
        throw InOutError::fromSystem(err, target_);
    }
}

} // namespace platform
