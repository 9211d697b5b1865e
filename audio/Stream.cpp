#include "audio/Stream.h"

#include "platform/Errors.h"
#include "platform/ReadOnlyFile.h"

#include <algorithm>
#include <cstring>

void TStream::ReadBuffer(void* buffer, std::size_t count)
{
    if (Read(buffer, count) < count)
        ReadError();
}

void TStream::ReadError() const
{
    throw platform::StreamReadError();
}

const unsigned char* TStream::ViewBuffer(std::int64_t position, std::size_t count)
{
    const unsigned char* data = nullptr;
    if (View(position, count, data) < count)
        ReadError();
    return data;
}

std::size_t TStream::View(std::int64_t position, std::size_t count, const unsigned char*& data)
{
    const std::int64_t at = Position();
    Seek(position);
    viewed_.resize(count);
    const std::size_t n = Read(viewed_.data(), count);
    Seek(at);
    data = viewed_.data();
    return n;
}

TFileStream::TFileStream(const std::string& fileName, std::size_t firstRead)
    : TFileStream(std::make_unique<platform::ReadOnlyFile>(fileName), firstRead)
{
}

TFileStream::TFileStream(std::unique_ptr<platform::ReadOnlyFile> file, std::size_t firstRead)
    : owned_(std::move(file)), file_(owned_.get()), firstRead_(firstRead)
{
}

TFileStream::TFileStream(std::size_t firstRead) : firstRead_(firstRead) {}

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

std::size_t TFileStream::FirstReadLength(std::int64_t size) const
{
    return size >= 0 && size <= WholeUpTo ? static_cast<std::size_t>(size) : firstRead_;
}

const TFileStream::Buffer* TFileStream::FillFor(std::int64_t position, std::size_t count, bool mayFill)
{
    if (!headRead_ && position < static_cast<std::int64_t>(firstRead_)) {
        if (size_ >= RandomAccessFrom)
            file_->adviseRandomAccess();
        Fill(head_, 0, FirstReadLength(size_));
        headRead_ = true;
        if (head_.holds(position, count))
            return &head_;
    }
    // The head ends where the file does when it is shorter or was read whole: nothing lies
    // beyond it.
    if (headRead_ && (head_.fill < firstRead_ || static_cast<std::int64_t>(head_.fill) == size_))
        return &head_;
    if (!mayFill)
        return nullptr;
    Fill(window_, position, count);
    return &window_;
}

void TFileStream::Fill(Buffer& buffer, std::int64_t position, std::size_t count)
{
    const std::size_t room = std::max(firstRead_, count);
    if (buffer.capacity < room) {
        buffer.bytes.reset(new unsigned char[room]);
        buffer.capacity = room;
    }
    // Once the size is known, never ask past the end: a short read costs a second system call.
    std::size_t want = room;
    if (size_ >= 0)
        want = static_cast<std::size_t>(std::clamp<std::int64_t>(size_ - position, 0, std::int64_t(room)));
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
        // Bytes a buffer kept from before the file got shorter are no longer the file's.
        for (Buffer* b : {&head_, &window_})
            b->fill = static_cast<std::size_t>(std::clamp<std::int64_t>(size_ - b->start, 0, std::int64_t(b->fill)));
    }
    return got;
}

void TFileStream::ReadError() const
{
    throw platform::StreamReadError(file_->name());
}

std::size_t TFileStream::Read(void* buffer, std::size_t count)
{
    if (count == 0 || position_ < 0)
        return 0;
    const Buffer* held = BufferFor(position_, count, count <= firstRead_);
    const std::size_t n = held ? std::min(count, Available(*held, position_)) : ReadFile(position_, buffer, count);
    if (held && n > 0)
        std::memcpy(buffer, held->bytes.get() + (position_ - held->start), n);
    position_ += static_cast<std::int64_t>(n);
    return n;
}

std::size_t TFileStream::View(std::int64_t position, std::size_t count, const unsigned char*& data)
{
    if (position < 0)
        return 0;
    const Buffer* held = BufferFor(position, std::max<std::size_t>(count, 1), true);
    const std::size_t n = Available(*held, position);
    if (n > 0)
        data = held->bytes.get() + (position - held->start);
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

std::size_t TMemoryStream::View(std::int64_t position, std::size_t, const unsigned char*& data)
{
    const auto size = static_cast<std::int64_t>(bytes_.size());
    if (position < 0 || position >= size)
        return 0;
    data = bytes_.data() + position;
    return static_cast<std::size_t>(size - position);
}
