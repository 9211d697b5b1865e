#pragma once
// A file that appears at its path only when it is complete: written to a temporary file in
// the same folder and renamed over the target by commit(). Destroyed without commit(), the
// temporary file is removed and whatever stood at the target before stays as it was.
//
// An existing target keeps what protects it: one the user may not write is refused before
// anything is written; on POSIX a symbolic link stays a link and the file it leads to is the
// one replaced (the temporary file is made beside that file), and the new file takes the old
// one's permission bits (and its owner, where the system allows).
//
// The new file is on the disk before it takes the target's name (and on POSIX the folder is
// synced after the rename), so that after a power cut the target is the old file or the new
// one, never an empty one. The temporary file is held while it is written; temporary files of
// its naming that no one holds any more (those of a killed run) are removed from the folder
// when the next one is made there.
#include <cstddef>
#include <string>

namespace platform {

class AtomicFile {
public:
    // Raises FileCreateError ("Cannot create file %s" with the target's name) when the
    // temporary file cannot be made, and InOutError with the system's reason when the target
    // may not be written.
    explicit AtomicFile(const std::string& target);
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // Raises InOutError, naming the target, on a write failure.
    void write(const char* data, std::size_t size);
    // Closes the file and renames it over the target; raises InOutError on failure.
    void commit();

private:
    // A name of a fixed short length in the folder of `file`, so that any name the folder
    // allows for the target leaves room for it.
    static std::string temporaryNameBeside(const std::string& file);
    static bool isTemporaryName(const std::string& name);
    // Removes the temporary files beside this one that no one holds.
    void removeAbandonedBeside() const;
    void discard();
    std::string target_;      // as given, for messages
    std::string replaced_;    // the file the rename replaces: the target, its links followed
    std::string tempPath_;
    int fd_ = -1;
    // Bytes written, and how many of them the system was told to start writing to the disk.
    unsigned long long written_ = 0;
    unsigned long long writeStarted_ = 0;
};

} // namespace platform
