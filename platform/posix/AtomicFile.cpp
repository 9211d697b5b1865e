#include "platform/AtomicFile.h"

#include "platform/Errors.h"
#include "platform/Path.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

AtomicFile::AtomicFile(const std::string& target) : target_(target)
{
    struct stat st {};
    if (target.empty() || (::stat(target.c_str(), &st) == 0 && S_ISDIR(st.st_mode)))
        throw FileCreateError(target);
    for (int attempt = 0; attempt < 16 && fd_ < 0; ++attempt) {
        tempPath_ = temporaryNameFor(target);
        fd_ = ::open(tempPath_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd_ < 0 && errno != EEXIST)
            break;
    }
    if (fd_ < 0)
        throw FileCreateError(target);
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
    if (::close(fd) != 0 || ::rename(tempPath_.c_str(), target_.c_str()) != 0) {
        int err = errno;
        ::unlink(tempPath_.c_str());
        throw InOutError::fromSystem(err, target_);
    }
}

} // namespace platform
