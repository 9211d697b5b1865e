#include "audio/Id3v2Body.h"

#include "audio/Stream.h"

#include <algorithm>

namespace {

const std::size_t ChunkSize = 4096;

} // namespace

// The stream's size bounds the body from the start: a frame that would end past the end of the
// file is known as such without a read.
Id3v2Body::Id3v2Body(TStream& stream, std::uint64_t size, bool unsynchronised)
    : stream_(stream), position_(stream.Position()),
      end_(std::min(position_ + static_cast<std::int64_t>(size), std::max(stream.Size(), position_))),
      unsynchronised_(unsynchronised)
{
}

bool Id3v2Body::nextUnsynchronised(unsigned char& byte)
{
    for (;;) {
        if (next_ == fill_) {
            const auto want = static_cast<std::size_t>(std::min<std::int64_t>(end_ - position_, ChunkSize));
            chunk_.resize(ChunkSize);
            stream_.Seek(position_);
            fill_ = want > 0 ? stream_.Read(chunk_.data(), want) : 0;
            next_ = 0;
            position_ += static_cast<std::int64_t>(fill_);
            if (fill_ < want)
                end_ = position_;
            if (fill_ == 0)
                return false;
        }
        byte = chunk_[next_++];
        const bool inserted = afterFF_ && byte == 0;
        afterFF_ = byte == 0xFF;
        if (!inserted)
            return true;
    }
}

const unsigned char* Id3v2Body::take(std::size_t count, std::vector<unsigned char>& scratch)
{
    if (unsynchronised_) {
        if (scratch.size() < count)
            scratch.resize(count);
        return read(scratch.data(), count) == count ? scratch.data() : nullptr;
    }
    static const unsigned char nothing = 0;
    const unsigned char* data = &nothing;
    if (count > 0 && peek(0, count, data) < count)
        return nullptr;
    position_ += static_cast<std::int64_t>(count);
    return data;
}

std::size_t Id3v2Body::read(unsigned char* out, std::size_t count)
{
    if (unsynchronised_) {
        std::size_t done = 0;
        while (done < count && nextUnsynchronised(out[done]))
            ++done;
        return done;
    }
    const unsigned char* data = nullptr;
    const std::size_t got = std::min(peek(0, count, data), count);
    std::copy(data, data + got, out);
    position_ += static_cast<std::int64_t>(got);
    return got;
}

bool Id3v2Body::skip(std::uint64_t count)
{
    if (unsynchronised_) {
        unsigned char byte;
        for (std::uint64_t done = 0; done < count; ++done)
            if (!nextUnsynchronised(byte))
                return false;
        return true;
    }
    if (count > left())
        return false;
    position_ += static_cast<std::int64_t>(count);
    return true;
}

std::size_t Id3v2Body::peekStream(std::int64_t at, std::size_t count, const unsigned char*& data)
{
    if (at >= end_)
        return 0;
    const auto want = static_cast<std::size_t>(std::min<std::int64_t>(std::int64_t(count), end_ - at));
    const std::size_t got = static_cast<std::size_t>(std::min<std::int64_t>(std::int64_t(stream_.View(at, want, data)), end_ - at));
    // The file got shorter while it was read: the body ends where its data did.
    if (got < want)
        end_ = at + static_cast<std::int64_t>(got);
    view_ = data;
    viewStart_ = at;
    viewEnd_ = at + static_cast<std::int64_t>(got);
    return got;
}

void resynchronise(std::vector<unsigned char>& bytes)
{
    auto out = bytes.begin();
    bool afterFF = false;
    for (unsigned char byte : bytes) {
        if (!(afterFF && byte == 0))
            *out++ = byte;
        afterFF = byte == 0xFF;
    }
    bytes.erase(out, bytes.end());
}
