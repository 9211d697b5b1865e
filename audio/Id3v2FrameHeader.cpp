#include "audio/Id3v2FrameHeader.h"

#include "audio/Id3v2Body.h"
#include "audio/Id3v2Header.h"

#include <algorithm>
#include <iterator>

namespace {

constexpr std::size_t Version4HeaderSize = 10;

inline bool isIdentifierByte(unsigned char c)
{
    return static_cast<unsigned char>(c - 'A') < 26 || static_cast<unsigned char>(c - '0') < 10;
}

inline bool isIdentifier(const unsigned char* p, std::size_t size)
{
    for (std::size_t i = 0; i < size; ++i)
        if (!isIdentifierByte(p[i]))
            return false;
    return true;
}

// Some taggers name version 2.3 frames by their version 2.2 identifiers, three characters and a
// zero byte. Those of the texts are read as the texts; any other is passed over.
struct Renamed {
    std::uint32_t version2Id;
    std::uint32_t id;
};

constexpr Renamed TextsByVersion2Id[] = {
    {identifierKey("TT2"), identifierKey("TIT2")}, {identifierKey("TP1"), identifierKey("TPE1")},
    {identifierKey("TAL"), identifierKey("TALB")}, {identifierKey("TYE"), identifierKey("TYER")},
    {identifierKey("TRK"), identifierKey("TRCK")}, {identifierKey("TCO"), identifierKey("TCON")},
    {identifierKey("TP2"), identifierKey("TPE2")},
};

std::uint32_t version2TextId(const unsigned char* p)
{
    const char id[4] = {char(p[0]), char(p[1]), char(p[2]), 0};
    const std::uint32_t key = identifierKey(id);
    const auto text = std::find_if(std::begin(TextsByVersion2Id), std::end(TextsByVersion2Id),
                                   [&](const Renamed& r) { return r.version2Id == key; });
    return text == std::end(TextsByVersion2Id) ? UnknownFrameId : text->id;
}

bool isVersion2IdentifierWithZero(const unsigned char* p)
{
    return isIdentifier(p, 3) && p[3] == 0;
}

std::uint32_t frameId(const unsigned char* p, int version)
{
    // The key of identifierKey(): the characters from the top byte down.
    const std::size_t idSize = version == 2 ? 3 : 4;
    if (isIdentifier(p, idSize))
        return version == 2 ? bigEndian24(p) << 8 : bigEndian32(p);
    return version > 2 && isVersion2IdentifierWithZero(p) ? version2TextId(p) : UnknownFrameId;
}

// Whether the frames, sized one way, lead from the body's position to its end or to padding:
// each must end inside the body, at its end, at a zero byte or at the next frame's identifier
// (four letters or digits, or three and a zero byte). Fewer than a header's bytes left at an
// identifier end the walk too. Where the file ends inside the tag, the body ends with it.
bool framesWalkThrough(Id3v2Body& body, bool syncsafeSizes)
{
    std::uint64_t at = 0;
    for (;;) {
        const unsigned char* header = nullptr;
        const std::size_t n = body.peek(at, Version4HeaderSize, header);
        if (n == 0 || header[0] == 0)
            return true;
        if (n < 4 || !(isIdentifier(header, 4) || isVersion2IdentifierWithZero(header)))
            return false;
        if (n < Version4HeaderSize)
            return true;
        const unsigned char* sizeBytes = header + 4;
        if (syncsafeSizes && std::any_of(sizeBytes, sizeBytes + 4, [](unsigned char c) { return c >= 0x80; }))
            return false;
        const std::uint64_t size = syncsafeSizes ? syncsafe32(sizeBytes) : bigEndian32(sizeBytes);
        const std::uint64_t end = at + Version4HeaderSize + size;
        if (end > body.left())
            return false;
        at = end;
    }
}

} // namespace

bool hasPlainFrameSizes(Id3v2Body& body)
{
    return !framesWalkThrough(body, true) && framesWalkThrough(body, false);
}

std::optional<Id3v2FrameHeader> nextFrame(Id3v2Body& body, int version, std::vector<unsigned char>& scratch)
{
    // Version 2.2: a 3-character identifier and a 3-byte size. Later: a 4-character
    // identifier, a 4-byte size and two flag bytes, status and format.
    const std::size_t headerSize = version == 2 ? 6 : Version4HeaderSize;
    const unsigned char* bytes = body.take(headerSize, scratch);
    if (!bytes || bytes[0] == 0)
        return std::nullopt;
    Id3v2FrameHeader frame;
    frame.id = frameId(bytes, version);
    if (version == 2) {
        frame.size = bigEndian24(bytes + 3);
        return frame;
    }
    const bool plain = version == 3 || body.plainFrameSizes();
    frame.size = plain ? bigEndian32(bytes + 4) : syncsafe32(bytes + 4);
    frame.formatFlags = bytes[9];
    return frame;
}
