#include "platform/DirReader.h"

#include "platform/Directory.h"
#include "platform/Path.h"

#include <windows.h>

namespace platform {

namespace {

bool identityOf(const std::string& dir, DirIdentity& identity)
{
    // A directory opens only with backup semantics; no access rights are needed to ask who it is.
    HANDLE h = ::CreateFileA(dir.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                             OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    BY_HANDLE_FILE_INFORMATION info;
    const bool ok = ::GetFileInformationByHandle(h, &info) &&
                    (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    ::CloseHandle(h);
    if (ok)
        identity = {info.dwVolumeSerialNumber,
                    (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow};
    return ok;
}

} // namespace

struct DirReader::Impl {
    std::string dir; // with its trailing delimiter, or empty for the current folder
    HANDLE find = INVALID_HANDLE_VALUE;
    WIN32_FIND_DATAA data {};
    bool pending = false; // data holds an entry not yet returned
    EntryDetail detail = EntryDetail::All;
};

DirReader::DirReader(const Directory& dir, EntryDetail detail) : DirReader(dir.path())
{
    impl_->detail = detail;
}

DirReader::DirReader(const std::string& dir) : impl_(new Impl)
{
    // One search over Dir followed by "*" lists files of every attribute and the directories.
    impl_->dir = dir.empty() ? std::string() : includeTrailingDelimiter(dir);
    const std::string pattern = impl_->dir + "*";
    impl_->find = ::FindFirstFileA(pattern.c_str(), &impl_->data);
    impl_->pending = impl_->find != INVALID_HANDLE_VALUE;
    // An empty folder answers "no more files"; it is still a folder that was opened.
    if (!impl_->pending && ::GetLastError() == ERROR_FILE_NOT_FOUND && directoryExists(dir.empty() ? "." : dir))
        impl_->find = nullptr;
}

DirReader::~DirReader()
{
    if (impl_->find && impl_->find != INVALID_HANDLE_VALUE)
        ::FindClose(impl_->find);
}

bool DirReader::isOpen() const
{
    return impl_->find != INVALID_HANDLE_VALUE;
}

bool DirReader::next(DirEntry& entry)
{
    if (!impl_->find || impl_->find == INVALID_HANDLE_VALUE)
        return false;
    for (;;) {
        if (!impl_->pending && !::FindNextFileA(impl_->find, &impl_->data))
            return false;
        impl_->pending = false;
        const WIN32_FIND_DATAA& d = impl_->data;
        const char* name = d.cFileName;
        if (name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0)))
            continue;
        // Devices are not files the page can read.
        if (d.dwFileAttributes & FILE_ATTRIBUTE_DEVICE)
            continue;
        const bool isDir = (d.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        entry.name = name;
        entry.isDirectory = isDir;
        entry.hidden = (d.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN) != 0;
        entry.system = (d.dwFileAttributes & FILE_ATTRIBUTE_SYSTEM) != 0;
        entry.size = isDir ? 0 : (static_cast<std::uint64_t>(d.nFileSizeHigh) << 32) | d.nFileSizeLow;
        entry.identity = {};
        // A directory the walk cannot identify (a dangling junction) is one it cannot enter.
        if (isDir && impl_->detail == EntryDetail::All && !identityOf(impl_->dir + name, entry.identity))
            continue;
        return true;
    }
}

bool directoryIdentity(const std::string& dir, DirIdentity& identity)
{
    return !dir.empty() && identityOf(dir, identity);
}

bool directoryExists(const std::string& dir)
{
    if (dir.empty())
        return false;
    const DWORD attr = ::GetFileAttributesA(dir.c_str());
    return attr != INVALID_FILE_ATTRIBUTES && (attr & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool fileExists(const std::string& path)
{
    if (path.empty())
        return false;
    const DWORD attr = ::GetFileAttributesA(path.c_str());
    return attr != INVALID_FILE_ATTRIBUTES && (attr & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

} // namespace platform
