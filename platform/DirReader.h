#pragma once
// One pass over the entries of a directory. On POSIX the entries come in the order of their
// names compared byte by byte with a-z taken as A-Z, names equal so by their bytes as they are
// (the order NTFS keeps, and so the order the directory search gives on Windows, where the
// system's own order is kept).
#include <cstdint>
#include <memory>
#include <string>

namespace platform {

// Identifies a directory, so that a walk can tell when a link leads back to a folder it is in.
struct DirIdentity {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    bool operator==(const DirIdentity& o) const { return device == o.device && inode == o.inode; }
};

struct DirEntry {
    std::string name;
    bool isDirectory = false;
    bool hidden = false;   // POSIX: the name starts with "."
    bool system = false;   // never set on POSIX
    std::uint64_t size = 0;
    DirIdentity identity;  // directories only
};

// What a listing must tell of each entry: everything above, or only its name, kind and
// attributes (size 0, no identity), which on POSIX spares a look at every entry whose kind
// the listing itself gives.
enum class EntryDetail { All, KindOnly };

// Lists regular files and directories (links followed). Entries of other kinds (devices, pipes,
// sockets, broken links) and entries that vanish while being listed are left out: reading them
// could block or fail for reasons that have nothing to do with the page. "." and ".." are never listed.
class Directory;

class DirReader {
public:
    explicit DirReader(const std::string& dir);
    // Lists an open directory, which must outlive the reader.
    explicit DirReader(const Directory& dir, EntryDetail detail = EntryDetail::All);
    ~DirReader();
    DirReader(const DirReader&) = delete;
    DirReader& operator=(const DirReader&) = delete;

    // False when the directory could not be opened (missing, no access, not a directory).
    bool isOpen() const;
    // The next entry, or false at the end.
    bool next(DirEntry& entry);

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// The identity of an existing directory; false when `dir` is not one.
bool directoryIdentity(const std::string& dir, DirIdentity& identity);

bool directoryExists(const std::string& dir);
bool fileExists(const std::string& path);

} // namespace platform
