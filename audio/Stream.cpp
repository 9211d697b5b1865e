#include "audio/Stream.h"

#include "platform/Errors.h"
#include "platform/ReadOnlyFile.h"

#include <algorithm>
#include <cstring>

namespace {

// One read of this size serves the whole first-frame search and the checks after it.
const std::size_t kReadAhead = 16 * 1024;

} // namespace

TFileStream::TFileStream(const std::string& fileName)
    : file_(std::make_unique<platform::ReadOnlyFile>(fileName))
{
}

TFileStream::TFileStream(std::unique_ptr<platform::ReadOnlyFile> file) : file_(std::move(file)) {}

TFileStream::~TFileStream() = default;

std::int64_t TFileStream::Size() const
{
    return file_->size();
}

std::int64_t TFileStream::Position() const
{
    return position_;
}

void TFileStream::Seek(std::int64_t position)
{
    position_ = position;
}

void TFileStream::ReadBuffer(void* buffer, std::size_t count)
{
    if (count == 0)
        return;
    if (position_ < 0)
        throw platform::StreamReadError(file_->name());
    auto* out = static_cast<unsigned char*>(buffer);
    const bool buffered = position_ >= bufferStart_ &&
                          static_cast<std::uint64_t>(position_ - bufferStart_) + count <= bufferFill_;
    if (!buffered) {
        if (count > kReadAhead) {
            if (file_->readAt(position_, out, count) < count)
                throw platform::StreamReadError(file_->name());
            position_ += static_cast<std::int64_t>(count);
            return;
        }
        // Never ask past the end: a short read would cost a second system call.
        const std::int64_t left = std::max<std::int64_t>(Size() - position_, 0);
        const std::size_t want = std::max(count, static_cast<std::size_t>(std::min<std::int64_t>(left, kReadAhead)));
        if (!buffer_)
            buffer_.reset(new unsigned char[kReadAhead]);
        bufferFill_ = 0;
        bufferStart_ = position_;
        bufferFill_ = file_->readAt(position_, buffer_.get(), want);
        if (bufferFill_ < count)
            throw platform::StreamReadError(file_->name());
    }
    std::memcpy(out, buffer_.get() + (position_ - bufferStart_), count);
    position_ += static_cast<std::int64_t>(count);
}

TMemoryStream::TMemoryStream(const void* data, std::size_t size)
    : bytes_(static_cast<const unsigned char*>(data), static_cast<const unsigned char*>(data) + size)
{
}

void TMemoryStream::Seek(std::int64_t position)
{
    position_ = position;
}

void TMemoryStream::ReadBuffer(void* buffer, std::size_t count)
{
    if (count == 0)
        return;
    const auto size = static_cast<std::int64_t>(bytes_.size());
    if (position_ < 0 || position_ > size || count > static_cast<std::uint64_t>(size - position_))
        throw platform::StreamReadError();
    std::memcpy(buffer, bytes_.data() + position_, count);
    position_ += static_cast<std::int64_t>(count);
}
