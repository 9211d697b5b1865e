#include "audio/Id3v2Body.h"

#include "audio/Stream.h"

#include <algorithm>

namespace {

const std::size_t ChunkSize = 4096;

} // namespace

Id3v2Body::Id3v2Body(TStream& stream, std::uint64_t size, bool unsynchronised)
    : stream_(stream), position_(stream.Position()), end_(position_ + static_cast<std::int64_t>(size)),
      unsynchronised_(unsynchronised)
{
}

std::uint64_t Id3v2Body::left() const
{
    return static_cast<std::uint64_t>(end_ - position_) + (fill_ - next_);
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

std::size_t Id3v2Body::read(unsigned char* out, std::size_t count)
{
    if (unsynchronised_) {
        std::size_t done = 0;
        while (done < count && nextUnsynchronised(out[done]))
            ++done;
        return done;
    }
    const auto want = static_cast<std::size_t>(std::min<std::uint64_t>(count, left()));
    stream_.Seek(position_);
    const std::size_t got = stream_.Read(out, want);
    position_ += static_cast<std::int64_t>(got);
    if (got < want)
        end_ = position_;
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
    // Only the last byte passed over is read, to see that it is there; the read that follows
    // the skip finds its bytes in the same read-ahead.
    unsigned char last;
    if (count > left() || (count > 0 && peek(count - 1, &last, 1) == 0))
        return false;
    position_ += static_cast<std::int64_t>(count);
    return true;
}

std::size_t Id3v2Body::peek(std::uint64_t ahead, unsigned char* out, std::size_t count)
{
    if (ahead >= left())
        return 0;
    const auto want = static_cast<std::size_t>(std::min<std::uint64_t>(count, left() - ahead));
    stream_.Seek(position_ + static_cast<std::int64_t>(ahead));
    return stream_.Read(out, want);
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
