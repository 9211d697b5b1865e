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

    // The bytes from `position` on where they lie, not copied: at least `count` of them, fewer
    // only where the stream ends, and as many more as the stream holds at hand, so that a reader
    // walks through many small records with one call. Sets `data` and returns how many bytes
    // lie there; they stay valid until the next call on the stream. The position stays.
    virtual std::size_t View(std::int64_t position, std::size_t count, const unsigned char*& data);
    // Exactly `count` bytes from `position` on, as View shows them; raises the read error that
    // ReadBuffer raises when fewer are there.
    const unsigned char* ViewBuffer(std::int64_t position, std::size_t count);

protected:
    // Raises platform::StreamReadError.
    [[noreturn]] virtual void ReadError() const;

private:
    std::vector<unsigned char> viewed_; // what View copied, for a stream that holds nothing at hand
};

// A file opened for reading only, sharing it with others. Reads go through two buffers so that
// many small reads cost few system calls: one holds the first `firstRead` bytes of the file,
// read once on first use, which serve its ID3v2 tag and its first frame unless a picture or
// padding pushes them further; the other is filled, on a read that neither holds, with the
// `firstRead` bytes from there (fewer at the end of the file, more for a larger read). Its read
// errors name the file.
//
// A read that comes short of the size the file had ends the file's data there: the file has
// become shorter since, and from then on Size() is where its data ended, as for a file that
// had been that short from the start.
class TFileStream : public TStream {
public:
    // Holds most tags and the first frame behind them: larger reads cost more than the rare
    // second one they would spare, both from memory and from a disk.
    static constexpr std::size_t DefaultFirstRead = 4 * 1024;
    // A file at least this large, whose size is asked before it is read, is read with the
    // system told that it is read here and there: a file this size is a song, of which only
    // the start and the end are read, and whatever the system would read ahead of them would
    // cost a disk's time for nothing. A smaller one is better read whole at the first read.
    static constexpr std::int64_t RandomAccessFrom = 128 * 1024;
    // A file no larger than this, whose size is asked before it is read, is read whole at the
    // first read: one system call then serves its tags at both ends and its first frame, where
    // a first read of its start would need a second one for its end.
    static constexpr std::int64_t WholeUpTo = 16 * 1024;

    // Raises platform::FileOpenError ("Cannot open file %s") when the file cannot be opened.
    explicit TFileStream(const std::string& fileName, std::size_t firstRead = DefaultFirstRead);
    // Reads a file opened already.
    explicit TFileStream(std::unique_ptr<platform::ReadOnlyFile> file, std::size_t firstRead = DefaultFirstRead);
    // Reads nothing until Attach().
    explicit TFileStream(std::size_t firstRead = DefaultFirstRead);
    ~TFileStream() override;
    TFileStream(const TFileStream&) = delete;
    TFileStream& operator=(const TFileStream&) = delete;

    // How much of a file of `size` bytes (-1: not known) the first read takes.
    std::size_t FirstReadLength(std::int64_t size) const;

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
    std::size_t View(std::int64_t position, std::size_t count, const unsigned char*& data) override;
    // The open file, for what the file system says of it (date, attributes).
    const platform::ReadOnlyFile& File() const { return *file_; }

protected:
    // Names the file.
    [[noreturn]] void ReadError() const override;

private:
    struct Buffer {
        std::unique_ptr<unsigned char[]> bytes; // left uninitialised: always filled before use
        std::size_t capacity = 0;
        std::int64_t start = 0;
        std::size_t fill = 0; // never past the end of the file as far as it is known
        bool holds(std::int64_t position, std::size_t count) const
        {
            return position >= start && static_cast<std::uint64_t>(position - start) + count <= fill;
        }
    };
    // The buffer that holds `count` bytes from `position` (fewer where the file ends), filled
    // for them if need be; nullptr for a read that no buffer need serve.
    const Buffer* BufferFor(std::int64_t position, std::size_t count, bool mayFill)
    {
        if (head_.holds(position, count))
            return &head_;
        if (window_.holds(position, count))
            return &window_;
        return FillFor(position, count, mayFill);
    }
    const Buffer* FillFor(std::int64_t position, std::size_t count, bool mayFill);
    void Fill(Buffer& buffer, std::int64_t position, std::size_t count);
    std::size_t ReadFile(std::int64_t position, void* out, std::size_t count);
    // How many bytes of `buffer` lie from `position` on.
    static std::size_t Available(const Buffer& buffer, std::int64_t position)
    {
        const auto offset = static_cast<std::uint64_t>(position - buffer.start);
        return position < buffer.start || offset >= buffer.fill ? 0 : buffer.fill - static_cast<std::size_t>(offset);
    }

    std::unique_ptr<platform::ReadOnlyFile> owned_;
    platform::ReadOnlyFile* file_ = nullptr;
    std::size_t firstRead_;
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
    std::size_t View(std::int64_t position, std::size_t count, const unsigned char*& data) override;

private:
    std::vector<unsigned char> bytes_;
    std::int64_t position_ = 0;
};
