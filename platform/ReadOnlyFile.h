#pragma once
// A file opened for reading only, sharing it with every other reader and writer.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace platform {

class ReadOnlyFile {
public:
    // Opens `path`; raises FileOpenError ("Cannot open file %s") when it cannot.
    explicit ReadOnlyFile(const std::string& path);
    ~ReadOnlyFile();
    ReadOnlyFile(const ReadOnlyFile&) = delete;
    ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

    // Opens `path`; returns null and sets `errorCode` (an errno value) when it cannot.
    static std::unique_ptr<ReadOnlyFile> tryOpen(const std::string& path, int& errorCode);

    // Size at the time of opening.
    std::int64_t size() const { return size_; }

    // Reads up to `count` bytes at `offset`; returns how many were read (fewer only at the
    // end of the file). Raises InOutError on a read failure.
    std::size_t readAt(std::int64_t offset, void* buffer, std::size_t count);

private:
    ReadOnlyFile(int fd, std::int64_t size) : fd_(fd), size_(size) {}
    int fd_ = -1;
    std::int64_t size_ = 0;
};

} // namespace platform
