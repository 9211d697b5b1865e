#include "platform/Directory.h"

#include "platform/Path.h"

#include <windows.h>

// A directory is known by its path here: the system's directory search takes a path.

namespace platform {

std::unique_ptr<Directory> Directory::open(const std::string& path, int& error)
{
    std::unique_ptr<Directory> dir(new Directory);
    ::SetLastError(ERROR_DIRECTORY);
    if (!directoryIdentity(path.empty() ? "." : path, dir->identity_)) {
        error = static_cast<int>(::GetLastError());
        return nullptr;
    }
    dir->path_ = path.empty() ? path : includeTrailingDelimiter(path);
    return dir;
}

std::unique_ptr<Directory> Directory::openSubdirectory(const std::string& name, int& error) const
{
    std::unique_ptr<Directory> dir = open(path_ + name, error);
    if (dir) {
        dir->name_ = name;
        dir->parent_ = this;
    }
    return dir;
}

std::unique_ptr<Directory> Directory::duplicate() const
{
    std::unique_ptr<Directory> dir(new Directory);
    dir->path_ = path_;
    dir->name_ = name_;
    dir->identity_ = identity_;
    return dir;
}

Directory::~Directory() = default;

std::string Directory::path() const
{
    return path_;
}

void Directory::path(std::string& out) const
{
    out.assign(path_);
}

int Directory::handle() const
{
    return -1;
}

void Directory::releaseFarAncestors() const {}

} // namespace platform
