#pragma once
// A file that appears at its path only when it is complete: written to a temporary file in
// the same folder and renamed over the target by commit(). Destroyed without commit(), the
// temporary file is removed and whatever stood at the target before stays as it was.
//
// An existing target keeps what protects it: one the user may not write is refused before
// anything is written; on POSIX a symbolic link stays a link and the file it leads to is the
// one replaced (the temporary file is made beside that file), and the new file takes the old
// one's permission bits (and its owner, where the system allows).
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
    void discard();
    std::string target_;      // as given, for messages
    std::string replaced_;    // the file the rename replaces: the target, its links followed
    std::string tempPath_;
    int fd_ = -1;
};

} // namespace platform
