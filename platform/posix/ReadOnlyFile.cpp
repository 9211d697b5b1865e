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

} // namespace

std::unique_ptr<ReadOnlyFile> ReadOnlyFile::tryOpen(const std::string& path, int& errorCode)
{
    const int fd = ::open(path.c_str(), ReadFlags);
    if (fd < 0) {
        errorCode = errno;
        return nullptr;
    }
    return std::unique_ptr<ReadOnlyFile>(new ReadOnlyFile(fd, path));
}

std::unique_ptr<ReadOnlyFile> ReadOnlyFile::tryOpenIn(const Directory& dir, const std::string& name, int& errorCode)
{
    const int dirFd = dir.handle();
    const int fd = dirFd < 0 ? -1 : ::openat(dirFd, name.c_str(), ReadFlags);
    if (fd < 0) {
        errorCode = dirFd < 0 ? EBADF : errno;
        return nullptr;
    }
    return std::unique_ptr<ReadOnlyFile>(new ReadOnlyFile(fd, dir.path() + name));
}

void ReadOnlyFile::lookUp() const
{
    if (lookedUp_)
        return;
    lookedUp_ = true;
    struct stat st {};
    if (::fstat(fd_, &st) != 0)
        return;
    // Only regular files have a size worth reading; anything else reads as empty.
    size_ = S_ISREG(st.st_mode) ? static_cast<std::int64_t>(st.st_size) : 0;
    dosDate_ = dosDateOf(st);
    const std::string fileName = extractFileName(name_);
    attributes_ = attributesOf(!fileName.empty() && fileName[0] == '.', st);
}

ReadOnlyFile::~ReadOnlyFile()
{
    if (fd_ >= 0)
        ::close(fd_);
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
