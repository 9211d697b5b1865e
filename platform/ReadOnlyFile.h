#pragma once
// A file opened for reading only, sharing it with every other reader and writer.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace platform {

class Directory;

class ReadOnlyFile {
public:
    // Holds no file until open() or openIn() succeeds.
    ReadOnlyFile() = default;
    // Opens `path`; raises FileOpenError ("Cannot open file %s") when it cannot.
    explicit ReadOnlyFile(const std::string& path);
    // Opens the file `name` of an open directory; FileOpenError names the directory's path and `name`.
    ReadOnlyFile(const Directory& dir, const std::string& name);
    ~ReadOnlyFile();
    ReadOnlyFile(const ReadOnlyFile&) = delete;
    ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

    // Opens `path`; returns null and sets `errorCode` (the system's code: errno on POSIX,
    // GetLastError() on Windows) when it cannot.
    static std::unique_ptr<ReadOnlyFile> tryOpen(const std::string& path, int& errorCode);

    // Open in place of the file held now (which is closed first), so that one object serves
    // file after file; false, holding no file, with the system's code in `errorCode`, when
    // the file cannot be opened. The name for messages is still set: it names the file that failed.
    bool open(const std::string& path, int& errorCode);
    bool openIn(const Directory& dir, const std::string& name, int& errorCode);
    void close();

    // The path the file was opened by, as its messages name it.
    const std::string& name() const { return name_; }

    // Size of the file, asked of the file system once, on first use (a reader that only
    // reads from the start never pays for it).
    std::int64_t size() const;
    // The size the file system tells now, which size() tells from then on too.
    std::int64_t sizeNow() const;
    // The file's last-modification time (MS-DOS packed, local time; -1 when unknown) and
    // attribute bits (-1 when unknown), asked of the file system at each call.
    std::int32_t dosDate() const;
    std::int32_t attributes() const;

    // Tells the system that the file is read here and there, not from start to end: what it
    // reads ahead of a read is then not read from the disk for nothing. Where the system takes
    // no such advice for an open file, nothing.
    void adviseRandomAccess();
    // Tells the system that the first `length` bytes are read soon: it starts reading them from
    // the disk now, while other files are read. Nothing for a length of 0, or where the system
    // takes no such advice.
    void adviseWillNeed(std::int64_t length);

    // Reads up to `count` bytes at `offset`; returns how many were read (fewer only at the
    // end of the file). Raises InOutError, naming the file, on a read failure.
    std::size_t readAt(std::int64_t offset, void* buffer, std::size_t count);

private:
    void closeDescriptor();
    void lookUpSize() const;
    int fd_ = -1;
    std::string name_;
    mutable bool lookedUp_ = false;
    mutable std::int64_t size_ = 0;
};

} // namespace platform
