#pragma once
// The body of an ID3v2 tag, the bytes behind its header, as the frames see them.
#include <cstddef>
#include <cstdint>
#include <vector>

class TStream;

// The `size` bytes from the stream's position, as far as the stream holds them: the end of the
// stream is found by reading, so a file's size is never asked. An unsynchronised body (a whole
// version 2 or 3 tag whose header says so) is read with every FF 00 turned back into FF; any
// other body passes bytes over by seeking, never reading them.
class Id3v2Body {
public:
    Id3v2Body(TStream& stream, std::uint64_t size, bool unsynchronised);

    // Copies up to `count` bytes; fewer only at the body's end.
    std::size_t read(unsigned char* out, std::size_t count);
    // Passes over `count` bytes; false when the body ends before them.
    bool skip(std::uint64_t count);
    // At most this many bytes are left: the tag's size less what was passed, or less when the
    // stream was found to end inside the tag.
    std::uint64_t left() const;

    // For bodies read as they lie: up to `count` bytes from `ahead` bytes on, without moving.
    std::size_t peek(std::uint64_t ahead, unsigned char* out, std::size_t count);

    // Whether the frames give their sizes as plain 32-bit numbers where version 2.4 says
    // syncsafe ones, as decided once for the whole tag.
    bool plainFrameSizes() const { return plainFrameSizes_; }
    void setPlainFrameSizes(bool plain) { plainFrameSizes_ = plain; }

private:
    bool nextUnsynchronised(unsigned char& byte);

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
};

// Undoes unsynchronisation: every FF 00 becomes FF.
void resynchronise(std::vector<unsigned char>& bytes);
