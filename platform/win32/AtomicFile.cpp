#include "platform/AtomicFile.h"

#include "platform/Errors.h"
#include "platform/Path.h"

#include <windows.h>
#include <fcntl.h>
#include <io.h>

namespace platform {

namespace {

HANDLE handleOf(int fd)
{
    return reinterpret_cast<HANDLE>(::_get_osfhandle(fd));
}

// A temporary file is held by a lock on one byte far beyond anything written, for as long as
// its writer has it open; another run's clean-up tries that lock before it removes the file.
bool lockHold(HANDLE h, DWORD flags)
{
    OVERLAPPED at {};
    at.Offset = 0xFFFFFFFE;
    at.OffsetHigh = 0x7FFFFFFF;
    return ::LockFileEx(h, flags, 0, 1, 0, &at) != 0;
}

// Held; false when another run's clean-up got to it between its making and this, and marked it
// for removal.
bool hold(HANDLE h)
{
    if (!lockHold(h, LOCKFILE_EXCLUSIVE_LOCK))
        return true; // a file system without locks: it cannot be held, nor taken as abandoned
    FILE_STANDARD_INFO info {};
    return !::GetFileInformationByHandleEx(h, FileStandardInfo, &info, sizeof info) || !info.DeletePending;
}

// A temporary file that no one holds: its run was killed. It is held while it is removed.
void removeIfAbandoned(const std::string& path)
{
    HANDLE h = ::CreateFileA(path.c_str(), GENERIC_READ | DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                             nullptr, OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return;
    FILE_DISPOSITION_INFO remove {TRUE};
    if (lockHold(h, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY))
        ::SetFileInformationByHandle(h, FileDispositionInfo, &remove, sizeof remove);
    ::CloseHandle(h);
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
        // Shared for reading and deleting only: another run's clean-up may look at its lock, and
        // the file can be renamed while it is still held.
        HANDLE h = ::CreateFileA(tempPath_.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                                 CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h == INVALID_HANDLE_VALUE) {
            if (::GetLastError() != ERROR_FILE_EXISTS)
                break;
            continue;
        }
        if (!hold(h)) {
            ::CloseHandle(h);
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
    removeAbandonedBeside();
}

void AtomicFile::removeAbandonedBeside() const
{
    const std::string folder = extractFilePath(tempPath_);
    const std::string own = extractFileName(tempPath_);
    WIN32_FIND_DATAA found;
    HANDLE search = ::FindFirstFileA((folder + ".tunesheet-*.tmp").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        if (isTemporaryName(found.cFileName) && own != found.cFileName &&
            !(found.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)))
            removeIfAbandoned(folder + found.cFileName);
    } while (::FindNextFileA(search, &found));
    ::FindClose(search);
}

void AtomicFile::discard()
{
    if (fd_ >= 0) {
        ::DeleteFileA(tempPath_.c_str());
        ::_close(fd_);
        fd_ = -1;
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
    // On the disk before the target's name leads to it; renamed while still held, so that no
    // other run's clean-up takes it for abandoned in between.
    DWORD err = 0;
    if (!::FlushFileBuffers(handleOf(fd)) ||
        !::MoveFileExA(tempPath_.c_str(), replaced_.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        err = ::GetLastError();
    if (err != 0)
        ::DeleteFileA(tempPath_.c_str());
    ::_close(fd);
    if (err != 0)
        throw InOutError::fromSystem(static_cast<int>(err), target_);
}

} // namespace platform
