#pragma once
// An open directory, through which its files and subdirectories are opened by their names
// alone: a deep tree opens at any depth, and each open resolves one name.
#include "platform/DirReader.h"

#include <memory>
#include <string>

namespace platform {

class Directory {
public:
    // Opens `path` (the current directory when empty); null, with the system's error code in
    // `error`, when it is no directory that can be read.
    static std::unique_ptr<Directory> open(const std::string& path, int& error);
    ~Directory();
    Directory(const Directory&) = delete;
    Directory& operator=(const Directory&) = delete;

    // Opens the subdirectory `name` of this one. The child refers to this object, which must
    // outlive it.
    std::unique_ptr<Directory> openSubdirectory(const std::string& name, int& error) const;

    // Another handle to this directory, tied neither to this object nor to its parents: it
    // stays open as long as it lives, and any number of threads may open files through it at
    // once (this object may open its ancestors again, which no other thread must see happen).
    std::unique_ptr<Directory> duplicate() const;

    // The path it was opened by, with a trailing delimiter; a subdirectory's is its parent's
    // path, its name and a delimiter. For messages and for showing; never opened again on POSIX,
    // where a subdirectory keeps only its name and the path is put together when asked for, so
    // that a deep tree costs memory in proportion to its depth, not to its depth squared.
    std::string path() const;
    // The same into `out`, whose storage is kept: a reader naming file after file allocates nothing.
    void path(std::string& out) const;
    const DirIdentity& identity() const { return identity_; }

    // The system's handle of the directory (POSIX: a descriptor; -1 when it cannot be had).
    int handle() const;

private:
    Directory() = default;
    void releaseFarAncestors() const;

    std::string path_;                // POSIX: only where there is no parent
    std::string name_;                // within the parent
    const Directory* parent_ = nullptr;
    DirIdentity identity_;
    mutable int fd_ = -1;
};

} // namespace platform
