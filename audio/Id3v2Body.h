#pragma once
// The body of an ID3v2 tag, the bytes behind its header, as the frames see them.
#include <cstddef>
#include <cstdint>
#include <vector>

class TStream;

// The `size` bytes from the stream's position, as far as the stream holds them. A body read as it
// lies hands out its bytes where the stream holds them, so that a walk over the frames' headers
// copies nothing and passes over a frame it does not want without reading it. An unsynchronised
// body (a whole version 2 or 3 tag whose header says so) is read with every FF 00 turned back
// into FF.
class Id3v2Body {
public:
    Id3v2Body(TStream& stream, std::uint64_t size, bool unsynchronised);

    // The next `count` bytes, passed over: where the stream holds them, or, for an unsynchronised
    // body, in `scratch`; valid until the next call on the body. nullptr when the body ends
    // before them.
    const unsigned char* take(std::size_t count, std::vector<unsigned char>& scratch);
    // Copies up to `count` bytes; fewer only at the body's end.
    std::size_t read(unsigned char* out, std::size_t count);
    // Passes over `count` bytes; false when the body ends before them.
    bool skip(std::uint64_t count);
    // At most this many bytes are left: the tag's size less what was passed, or less where the
    // stream ends inside the tag (exactly so for a body read as it lies).
    std::uint64_t left() const { return static_cast<std::uint64_t>(end_ - position_) + (fill_ - next_); }

    // For bodies read as they lie: the bytes from `ahead` bytes on, without moving: at least
    // `count` of them unless the body ends first. Sets `data` and returns how many lie there.
    // Served from what the stream showed last where it can, which most frame headers are.
    std::size_t peek(std::uint64_t ahead, std::size_t count, const unsigned char*& data)
    {
        const std::int64_t at = position_ + static_cast<std::int64_t>(ahead);
        if (at >= viewStart_ && at + static_cast<std::int64_t>(count) <= viewEnd_) {
            data = view_ + (at - viewStart_);
            return static_cast<std::size_t>(viewEnd_ - at);
        }
        return peekStream(at, count, data);
    }

    // Whether the frames give their sizes as plain 32-bit numbers where version 2.4 says
    // syncsafe ones, as decided once for the whole tag.
    bool plainFrameSizes() const { return plainFrameSizes_; }
    void setPlainFrameSizes(bool plain) { plainFrameSizes_ = plain; }

private:
    bool nextUnsynchronised(unsigned char& byte);
    std::size_t peekStream(std::int64_t at, std::size_t count, const unsigned char*& data);

    TStream& stream_;
    std::int64_t position_;
    std::int64_t end_;
    bool unsynchronised_;
    // The unsynchronised body is read in chunks.
    std::vector<unsigned char> chunk_;
    std::size_t next_ = 0;
    std::size_t fill_ = 0;
    bool afterFF_ = false;
    bool plainFrameSizes_ = false;
    // What the stream showed last, as far as it lies inside the body: bytes viewStart_ to
    // viewEnd_ of the stream at view_.
    const unsigned char* view_ = nullptr;
    std::int64_t viewStart_ = 0;
    std::int64_t viewEnd_ = 0;
};

// Undoes unsynchronisation: every FF 00 becomes FF.
void resynchronise(std::vector<unsigned char>& bytes);
