#include "platform/ReadOnlyFile.h"

#include "platform/Directory.h"
#include "platform/Errors.h"
#include "platform/win32/FileTimes.h"

#include <windows.h>
#include <fcntl.h>
#include <io.h>

// The object keeps a C runtime descriptor, as on POSIX; the Win32 handle under it does the work.

namespace platform {

namespace {

HANDLE handleOf(int fd)
{
    return reinterpret_cast<HANDLE>(::_get_osfhandle(fd));
}

} // namespace

bool ReadOnlyFile::open(const std::string& path, int& errorCode)
{
    close();
    name_ = path;
    // Shared with every reader and writer, and with a program that deletes or renames the file.
    HANDLE h = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                             nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        errorCode = static_cast<int>(::GetLastError());
        return false;
    }
    fd_ = ::_open_osfhandle(reinterpret_cast<intptr_t>(h), _O_RDONLY | _O_BINARY);
    if (fd_ < 0) {
        ::CloseHandle(h);
        errorCode = ERROR_TOO_MANY_OPEN_FILES;
        return false;
    }
    return true;
}

bool ReadOnlyFile::openIn(const Directory& dir, const std::string& name, int& errorCode)
{
    return open(dir.path() + name, errorCode);
}

void ReadOnlyFile::closeDescriptor()
{
    ::_close(fd_);
}

namespace {

bool information(int fd, BY_HANDLE_FILE_INFORMATION& info)
{
    return ::GetFileInformationByHandle(handleOf(fd), &info) != 0;
}

} // namespace

void ReadOnlyFile::lookUpSize() const
{
    BY_HANDLE_FILE_INFORMATION info;
    if (information(fd_, info))
        size_ = static_cast<std::int64_t>((static_cast<std::uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow);
}

std::int32_t ReadOnlyFile::dosDate() const
{
    BY_HANDLE_FILE_INFORMATION info;
    return information(fd_, info) ? dosDateOf(info.ftLastWriteTime) : -1;
}

// Hidden is an attribute of the file here, not of its name.
std::int32_t ReadOnlyFile::attributes() const
{
    BY_HANDLE_FILE_INFORMATION info;
    return information(fd_, info) ? static_cast<std::int32_t>(info.dwFileAttributes) : -1;
}

// Windows takes the advice only when the file is opened (FILE_FLAG_RANDOM_ACCESS), before its
// size is known; its cache reads ahead less eagerly than Linux's anyway.
void ReadOnlyFile::adviseRandomAccess() {}

void ReadOnlyFile::adviseWillNeed(std::int64_t) {}

std::size_t ReadOnlyFile::readAt(std::int64_t offset, void* buffer, std::size_t count)
{
    std::size_t done = 0;
    auto* out = static_cast<char*>(buffer);
    while (done < count) {
        // The offset travels with each read, so that no shared file position is involved.
        OVERLAPPED at {};
        const auto pos = static_cast<std::uint64_t>(offset) + done;
        at.Offset = static_cast<DWORD>(pos);
        at.OffsetHigh = static_cast<DWORD>(pos >> 32);
        const std::size_t left = count - done;
        const DWORD ask = left > 0x40000000 ? 0x40000000 : static_cast<DWORD>(left);
        DWORD n = 0;
        if (!::ReadFile(handleOf(fd_), out + done, ask, &n, &at)) {
            const DWORD err = ::GetLastError();
            if (err == ERROR_HANDLE_EOF)
                break;
            throw InOutError::fromSystem(static_cast<int>(err), name_);
        }
        if (n == 0)
            break;
        done += n;
    }
    return done;
}

} // namespace platform
