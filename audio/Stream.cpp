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
    : file_(std::make_unique<platform::ReadOnlyFile>(fileName)), readAhead_(readAhead)
{
}

TFileStream::TFileStream(std::unique_ptr<platform::ReadOnlyFile> file, std::size_t readAhead)
    : file_(std::move(file)), readAhead_(readAhead)
{
}

TFileStream::~TFileStream() = default;

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

void TFileStream::Fill()
{
    // Once the size is known, never ask past the end: a short read costs a second system call.
    std::size_t want = readAhead_;
    if (size_ >= 0)
        want = static_cast<std::size_t>(std::clamp<std::int64_t>(size_ - position_, 0, std::int64_t(readAhead_)));
    if (!buffer_)
        buffer_.reset(new unsigned char[readAhead_]);
    bufferStart_ = position_;
    bufferFill_ = 0;
    bufferFill_ = want > 0 ? file_->readAt(position_, buffer_.get(), want) : 0;
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
    auto* out = static_cast<unsigned char*>(buffer);
    const bool buffered = position_ >= bufferStart_ &&
                          static_cast<std::uint64_t>(position_ - bufferStart_) + count <= bufferFill_;
    if (!buffered) {
        if (count > readAhead_) {
            const std::size_t n = file_->readAt(position_, out, count);
            position_ += static_cast<std::int64_t>(n);
            return n;
        }
        Fill();
    }
    const std::size_t n = std::min(count, bufferFill_ - static_cast<std::size_t>(position_ - bufferStart_));
    std::memcpy(out, buffer_.get() + (position_ - bufferStart_), n);
    position_ += static_cast<std::int64_t>(n);
    return n;
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
