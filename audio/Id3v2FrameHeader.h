#pragma once
// The headers of the frames in an ID3v2 tag's body: their identifiers and sizes, and which way a
// version 2.4 tag writes its sizes.
#include <cstdint>
#include <optional>
#include <vector>

class Id3v2Body;

struct Id3v2FrameHeader {
    std::uint32_t id = 0; // the identifier's 3 or 4 characters in one number
    std::uint64_t size = 0;
    int formatFlags = 0;
};

// An identifier of up to 4 characters (fewer end with a zero) as one number, to compare them at once.
constexpr std::uint32_t identifierKey(const char* id)
{
    std::uint32_t key = 0;
    bool ended = false;
    for (int i = 0; i < 4; ++i) {
        ended = ended || id[i] == 0;
        key = key << 8 | (ended ? 0u : static_cast<unsigned char>(id[i]));
    }
    return key;
}

// The id of a frame whose identifier is none (it holds bytes other than A-Z and 0-9): it matches
// no frame, and the frame is passed over.
constexpr std::uint32_t UnknownFrameId = 0xFFFFFFFF;

// Version 2.4 frame sizes are syncsafe, but iTunes once wrote plain 32-bit ones; which of the
// two a tag uses is decided once, from the whole body: plain only when its frames lead from the
// body's position to its end or to padding with plain sizes and not with syncsafe ones. Reads
// nothing of the body it does not need and leaves its position where it was.
bool hasPlainFrameSizes(Id3v2Body& body);

// The next frame's header in a tag of `version`; nothing where the frames end: fewer bytes left
// than a header, or padding. A version 2.3 or 2.4 frame named by a version 2.2 identifier of a
// text and a zero byte ("TT2\0") has the id of that text's later identifier. `scratch` serves an
// unsynchronised body.
std::optional<Id3v2FrameHeader> nextFrame(Id3v2Body& body, int version, std::vector<unsigned char>& scratch);
