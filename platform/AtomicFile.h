#pragma once
// A file that appears at its path only when it is complete: written to a temporary file in
// the same folder and renamed over the target by commit(). Destroyed without commit(), the
// temporary file is removed and whatever stood at the target before stays as it was.
#include <cstddef>
#include <string>

namespace platform {

class AtomicFile {
public:
    // Raises FileCreateError ("Cannot create file %s" with the target's name) when the
    // temporary file cannot be made.
    explicit AtomicFile(const std::string& target);
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // Raises InOutError on a write failure (a full disk: "Disk full").
    void write(const char* data, std::size_t size);
    // Closes the file and renames it over the target; raises InOutError on failure.
    void commit();

    const std::string& temporaryPath() const { return tempPath_; }

private:
    static std::string temporaryNameFor(const std::string& target);
    void discard();
    std::string target_;
    std::string tempPath_;
    int fd_ = -1;
};

} // namespace platform
