#include "platform/ReadOnlyFile.h"

#include "platform/Errors.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

std::unique_ptr<ReadOnlyFile> ReadOnlyFile::tryOpen(const std::string& path, int& errorCode)
{
    // O_NONBLOCK keeps a pipe or device that slipped in under an .mp3 name from hanging the open.
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        errorCode = errno;
        return nullptr;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        errorCode = errno;
        ::close(fd);
        return nullptr;
    }
    if (S_ISDIR(st.st_mode)) {
        errorCode = EISDIR;
        ::close(fd);
        return nullptr;
    }
    std::int64_t size = S_ISREG(st.st_mode) ? static_cast<std::int64_t>(st.st_size) : 0;
    return std::unique_ptr<ReadOnlyFile>(new ReadOnlyFile(fd, size));
}

ReadOnlyFile::ReadOnlyFile(const std::string& path)
{
    int err = 0;
    auto opened = tryOpen(path, err);
    if (!opened)
        throw FileOpenError(path);
    fd_ = opened->fd_;
    size_ = opened->size_;
    opened->fd_ = -1;
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
            throw InOutError(InOutError::fromErrno(errno));
        }
        if (n == 0)
            break;
        done += static_cast<std::size_t>(n);
    }
    return done;
}

} // namespace platform
