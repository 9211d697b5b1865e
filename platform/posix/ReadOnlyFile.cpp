#include "platform/ReadOnlyFile.h"

#include "platform/Directory.h"
#include "platform/Errors.h"
#include "platform/Path.h"
#include "platform/posix/StatConversions.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

// O_NONBLOCK keeps a pipe or device that slipped in under an .mp3 name from hanging the open.
constexpr int ReadFlags = O_RDONLY | O_CLOEXEC | O_NONBLOCK;

int openRetrying(int dirFd, const char* name)
{
    int fd;
    do
        fd = ::openat(dirFd, name, ReadFlags);
    while (fd < 0 && errno == EINTR);
    return fd;
}

} // namespace

bool ReadOnlyFile::open(const std::string& path, int& errorCode)
{
    close();
    name_ = path;
    fd_ = openRetrying(AT_FDCWD, path.c_str());
    if (fd_ < 0)
        errorCode = errno;
    return fd_ >= 0;
}

bool ReadOnlyFile::openIn(const Directory& dir, const std::string& name, int& errorCode)
{
    close();
    dir.path(name_);
    name_.append(name);
    const int dirFd = dir.handle();
    fd_ = dirFd < 0 ? -1 : openRetrying(dirFd, name.c_str());
    if (fd_ < 0)
        errorCode = dirFd < 0 ? EBADF : errno;
    return fd_ >= 0;
}

void ReadOnlyFile::closeDescriptor()
{
    ::close(fd_);
}

void ReadOnlyFile::lookUpSize() const
{
    struct stat st {};
    // Only regular files have a size worth reading; anything else reads as empty.
    if (::fstat(fd_, &st) == 0 && S_ISREG(st.st_mode))
        size_ = static_cast<std::int64_t>(st.st_size);
}

std::int32_t ReadOnlyFile::dosDate() const
{
    struct stat st {};
    return ::fstat(fd_, &st) == 0 ? dosDateOf(st) : -1;
}

std::int32_t ReadOnlyFile::attributes() const
{
    struct stat st {};
    if (::fstat(fd_, &st) != 0)
        return -1;
    const std::string fileName = extractFileName(name_);
    return attributesOf(!fileName.empty() && fileName[0] == '.', st);
}

void ReadOnlyFile::adviseRandomAccess()
{
    // Only advice: a system that does not take it reads as before.
    ::posix_fadvise(fd_, 0, 0, POSIX_FADV_RANDOM);
}

void ReadOnlyFile::adviseWillNeed(std::int64_t length)
{
    // A length of 0 would ask for all of it: for a device under an .mp3 name, which reads as
    // empty, all of the device.
    if (length > 0)
        ::posix_fadvise(fd_, 0, length, POSIX_FADV_WILLNEED);
}

std::size_t ReadOnlyFile::readAt(std::int64_t offset, void* buffer, std::size_t count)
{
    std::size_t done = 0;
    auto* out = static_cast<char*>(buffer);
    while (done < count) {
        ssize_t n = ::pread(fd_, out + done, count - done, static_cast<off_t>(offset + done));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            throw InOutError::fromSystem(errno, name_);
        }
        if (n == 0)
            break;
        done += static_cast<std::size_t>(n);
    }
    return done;
}

} // namespace platform
