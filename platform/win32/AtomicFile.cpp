#include "platform/AtomicFile.h"

#include "platform/Errors.h"
#include "platform/Path.h"

#include <windows.h>
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <random>

namespace platform {

namespace {

HANDLE handleOf(int fd)
{
    return reinterpret_cast<HANDLE>(::_get_osfhandle(fd));
}

} // namespace

AtomicFile::AtomicFile(const std::string& target) : target_(target), replaced_(target)
{
    const DWORD attr = target.empty() ? INVALID_FILE_ATTRIBUTES : ::GetFileAttributesA(target.c_str());
    if (target.empty() || (attr != INVALID_FILE_ATTRIBUTES && (attr & FILE_ATTRIBUTE_DIRECTORY)))
        throw FileCreateError(target);
    // The rename would refuse a read-only file only once the whole page is written.
    if (attr != INVALID_FILE_ATTRIBUTES && (attr & FILE_ATTRIBUTE_READONLY))
        throw InOutError::fromSystem(ERROR_ACCESS_DENIED, target);
    for (int attempt = 0; attempt < 16 && fd_ < 0; ++attempt) {
        tempPath_ = temporaryNameBeside(target);
        HANDLE h = ::CreateFileA(tempPath_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h == INVALID_HANDLE_VALUE) {
            if (::GetLastError() != ERROR_FILE_EXISTS)
                break;
            continue;
        }
        fd_ = ::_open_osfhandle(reinterpret_cast<intptr_t>(h), _O_WRONLY | _O_BINARY);
        if (fd_ < 0) {
            ::CloseHandle(h);
            ::DeleteFileA(tempPath_.c_str());
            break;
        }
    }
    if (fd_ < 0)
        throw FileCreateError(target);
}

void AtomicFile::discard()
{
    if (fd_ >= 0) {
        ::_close(fd_);
        fd_ = -1;
        ::DeleteFileA(tempPath_.c_str());
    }
}

void AtomicFile::write(const char* data, std::size_t size)
{
    while (size > 0) {
        const DWORD ask = size > 0x40000000 ? 0x40000000 : static_cast<DWORD>(size);
        DWORD n = 0;
        if (!::WriteFile(handleOf(fd_), data, ask, &n, nullptr))
            throw InOutError::fromSystem(static_cast<int>(::GetLastError()), target_);
        if (n == 0)
            throw InOutError(InOutError::DiskFull, target_);
        data += n;
        size -= n;
    }
}

void AtomicFile::commit()
{
    const int fd = fd_;
    fd_ = -1;
    // Flushed and closed before the rename, so that the target is never a half-written page.
    const bool closed = ::_close(fd) == 0;
    DWORD err = closed ? 0 : ERROR_WRITE_FAULT;
    if (closed && !::MoveFileExA(tempPath_.c_str(), replaced_.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        err = ::GetLastError();
    if (err != 0) {
        ::DeleteFileA(tempPath_.c_str());
        throw InOutError::fromSystem(static_cast<int>(err), target_);
    }
}

} // namespace platform
