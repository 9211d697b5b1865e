#pragma once
// The byte streams the readers read from: a file on disk, or bytes in memory.
#include "platform/Errors.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace platform { class ReadOnlyFile; }

// A seekable stream of bytes.
class TStream {
public:
    virtual ~TStream() = default;
    virtual std::int64_t Size() const = 0;
    virtual std::int64_t Position() const = 0;
    virtual void Seek(std::int64_t position) = 0;
    // Reads up to `count` bytes at the current position and moves past them; fewer only at
    // the end of the stream.
    virtual std::size_t Read(void* buffer, std::size_t count) = 0;
    // Reads exactly `count` bytes; raises platform::StreamReadError ("Stream read error")
    // when fewer are available.
    virtual void ReadBuffer(void* buffer, std::size_t count);
};

// A file opened for reading only, sharing it with others. Reads go through two buffers so that
// many small reads cost few system calls: one holds the first `readAhead` bytes of the file,
// read once on first use, which serve its ID3v2 tag and usually its first frame; the other is
// filled, on a read that neither holds, with the `readAhead` bytes from there (fewer at the
// end of the file). Its read errors name the file.
//
// A read that comes short of the size the file had ends the file's data there: the file has
// become shorter since, and from then on Size() is where its data ended, as for a file that
// had been that short from the start.
class TFileStream : public TStream {
public:
    // Serves the ID3v2 tag and the first frame of most files in one read.
    static constexpr std::size_t DefaultReadAhead = 16 * 1024;
    // Raises platform::FileOpenError ("Cannot open file %s") when the file cannot be opened.
    explicit TFileStream(const std::string& fileName, std::size_t readAhead = DefaultReadAhead);
    // Reads a file opened already.
    explicit TFileStream(std::unique_ptr<platform::ReadOnlyFile> file, std::size_t readAhead = DefaultReadAhead);
    // Reads nothing until Attach().
    explicit TFileStream(std::size_t readAhead = DefaultReadAhead);
    ~TFileStream() override;
    TFileStream(const TFileStream&) = delete;
    TFileStream& operator=(const TFileStream&) = delete;

    // Reads `file`, from its start, from now on; the buffers stay, so that a stream serving file
    // after file allocates nothing per file. The file must outlive its use here.
    void Attach(platform::ReadOnlyFile& file);

    // Runs `read`, which reads the file from its start and no further than Size() says, and
    // runs it again, over the shorter file, as long as the file turns out to get shorter while
    // it is read: a read past the end that it then meets (platform::StreamReadError) is no
    // error. Whatever `read` raises otherwise leaves.
    template <class Readers>
    void ReadUntilSizeHolds(Readers read);

    // Asked of the file system on first use only: a reader that never asks saves a system call.
    // Asked before the first read, it keeps every read inside the file.
    std::int64_t Size() const override;
    std::int64_t Position() const override;
    void Seek(std::int64_t position) override;
    std::size_t Read(void* buffer, std::size_t count) override;
    void ReadBuffer(void* buffer, std::size_t count) override;
    // The open file, for what the file system says of it (date, attributes).
    const platform::ReadOnlyFile& File() const { return *file_; }

private:
    struct Buffer {
        std::unique_ptr<unsigned char[]> bytes; // left uninitialised: always filled before use
        std::int64_t start = 0;
        std::size_t fill = 0;
        bool holds(std::int64_t position, std::size_t count) const;
    };
    void Fill(Buffer& buffer, std::int64_t position);
    std::size_t ReadFile(std::int64_t position, void* out, std::size_t count);
    std::size_t Copy(const Buffer& buffer, void* out, std::size_t count);

    std::unique_ptr<platform::ReadOnlyFile> owned_;
    platform::ReadOnlyFile* file_ = nullptr;
    std::size_t readAhead_;
    mutable std::int64_t size_ = -1; // -1 until asked
    std::int64_t position_ = 0;
    Buffer head_;      // the first bytes of the file, once read
    bool headRead_ = false;
    Buffer window_;    // anywhere else
};

template <class Readers>
void TFileStream::ReadUntilSizeHolds(Readers read)
{
    for (;;) {
        const std::int64_t size = Size();
        Seek(0);
        try {
            read();
        } catch (const platform::StreamReadError&) {
            if (Size() == size)
                throw;
        }
        if (Size() == size)
            return;
    }
}

// Bytes held in memory (tests and fuzzing).
class TMemoryStream : public TStream {
public:
    TMemoryStream() = default;
    explicit TMemoryStream(std::vector<unsigned char> bytes) : bytes_(std::move(bytes)) {}
    TMemoryStream(const void* data, std::size_t size);
    std::int64_t Size() const override { return static_cast<std::int64_t>(bytes_.size()); }
    std::int64_t Position() const override { return position_; }
    void Seek(std::int64_t position) override;
    std::size_t Read(void* buffer, std::size_t count) override;

private:
    std::vector<unsigned char> bytes_;
    std::int64_t position_ = 0;
};
