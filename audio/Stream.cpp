#include "audio/Stream.h"

#include "platform/Errors.h"
#include "platform/ReadOnlyFile.h"

#include <algorithm>
#include <cstring>

void TStream::ReadBuffer(void* buffer, std::size_t count)
{
    if (Read(buffer, count) < count)
        throw platform::StreamReadError();
}

TFileStream::TFileStream(const std::string& fileName, std::size_t readAhead)
    : TFileStream(std::make_unique<platform::ReadOnlyFile>(fileName), readAhead)
{
}

TFileStream::TFileStream(std::unique_ptr<platform::ReadOnlyFile> file, std::size_t readAhead)
    : owned_(std::move(file)), file_(owned_.get()), readAhead_(readAhead)
{
}

TFileStream::TFileStream(std::size_t readAhead) : readAhead_(readAhead) {}

TFileStream::~TFileStream() = default;

void TFileStream::Attach(platform::ReadOnlyFile& file)
{
    owned_.reset();
    file_ = &file;
    size_ = -1;
    position_ = 0;
    headRead_ = false;
    head_.fill = 0;
    window_.fill = 0;
}

std::int64_t TFileStream::Size() const
{
    if (size_ < 0)
        size_ = file_->size();
    return size_;
}

std::int64_t TFileStream::Position() const
{
    return position_;
}

void TFileStream::Seek(std::int64_t position)
{
    position_ = position;
}

bool TFileStream::Buffer::holds(std::int64_t position, std::size_t count) const
{
    return position >= start && static_cast<std::uint64_t>(position - start) + count <= fill;
}

void TFileStream::Fill(Buffer& buffer, std::int64_t position)
{
    // Once the size is known, never ask past the end: a short read costs a second system call.
    std::size_t want = readAhead_;
    if (size_ >= 0)
        want = static_cast<std::size_t>(std::clamp<std::int64_t>(size_ - position, 0, std::int64_t(readAhead_)));
    if (!buffer.bytes)
        buffer.bytes.reset(new unsigned char[readAhead_]);
    buffer.start = position;
    buffer.fill = 0;
    buffer.fill = want > 0 ? ReadFile(position, buffer.bytes.get(), want) : 0;
}

std::size_t TFileStream::ReadFile(std::int64_t position, void* out, std::size_t count)
{
    const std::size_t got = file_->readAt(position, out, count);
    if (got < count) {
        // Where the file ends now, if the file system knows it already: else a reader that
        // asks further on, as one reading the tags at the end does, would come short again.
        const std::int64_t end = std::min(file_->sizeNow(), position + static_cast<std::int64_t>(got));
        size_ = size_ < 0 ? end : std::min(size_, end);
    }
    return got;
}

// Up to `count` bytes from the position, as far as the buffer holds them.
std::size_t TFileStream::Copy(const Buffer& buffer, void* out, std::size_t count)
{
    const auto offset = static_cast<std::uint64_t>(position_ - buffer.start);
    if (offset >= buffer.fill)
        return 0;
    const std::size_t n = std::min<std::size_t>(count, buffer.fill - static_cast<std::size_t>(offset));
    std::memcpy(out, buffer.bytes.get() + offset, n);
    position_ += static_cast<std::int64_t>(n);
    return n;
}

void TFileStream::ReadBuffer(void* buffer, std::size_t count)
{
    if (Read(buffer, count) < count)
        throw platform::StreamReadError(file_->name());
}

std::size_t TFileStream::Read(void* buffer, std::size_t count)
{
    if (count == 0 || position_ < 0)
        return 0;
    if (!headRead_ && position_ < static_cast<std::int64_t>(readAhead_)) {
        Fill(head_, 0);
        headRead_ = true;
    }
    // The head ends where the file does when it is shorter: nothing lies beyond it.
    const bool wholeFileInHead = headRead_ && head_.fill < readAhead_;
    if (head_.holds(position_, count) || wholeFileInHead)
        return Copy(head_, buffer, count);
    if (window_.holds(position_, count))
        return Copy(window_, buffer, count);
    if (count > readAhead_) {
        const std::size_t n = ReadFile(position_, buffer, count);
        position_ += static_cast<std::int64_t>(n);
        return n;
    }
    Fill(window_, position_);
    return Copy(window_, buffer, count);
}

TMemoryStream::TMemoryStream(const void* data, std::size_t size)
    : bytes_(static_cast<const unsigned char*>(data), static_cast<const unsigned char*>(data) + size)
{
}

void TMemoryStream::Seek(std::int64_t position)
{
    position_ = position;
}

std::size_t TMemoryStream::Read(void* buffer, std::size_t count)
{
    const auto size = static_cast<std::int64_t>(bytes_.size());
    if (position_ < 0 || position_ >= size)
        return 0;
    const auto n = static_cast<std::size_t>(std::min<std::int64_t>(std::int64_t(count), size - position_));
    std::memcpy(buffer, bytes_.data() + position_, n);
    position_ += static_cast<std::int64_t>(n);
    return n;
}
