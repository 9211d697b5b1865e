#include "audio/Id3v2Header.h"

#include <cstring>

std::uint32_t syncsafe32(const unsigned char* p)
{
    return (std::uint32_t(p[0] & 0x7F) << 21) | (std::uint32_t(p[1] & 0x7F) << 14) |
           (std::uint32_t(p[2] & 0x7F) << 7) | (p[3] & 0x7F);
}

std::uint32_t bigEndian32(const unsigned char* p)
{
    return (std::uint32_t(p[0]) << 24) | (std::uint32_t(p[1]) << 16) | (std::uint32_t(p[2]) << 8) | p[3];
}

std::uint32_t bigEndian24(const unsigned char* p)
{
    return (std::uint32_t(p[0]) << 16) | (std::uint32_t(p[1]) << 8) | p[2];
}

std::optional<Id3v2Header> parseId3v2Header(const unsigned char* bytes)
{
    if (std::memcmp(bytes, "ID3", 3) != 0 || bytes[3] == 0xFF || bytes[4] == 0xFF)
        return std::nullopt;
    for (int i = 6; i < 10; ++i)
        if (bytes[i] >= 0x80)
            return std::nullopt;
    return Id3v2Header{bytes[3], bytes[5], syncsafe32(bytes + 6)};
}

std::int64_t id3v2TagLength(const unsigned char* header)
{
    const auto tag = parseId3v2Header(header);
    if (!tag)
        return 0;
    const bool hasFooter = tag->version == 4 && (tag->flags & 0x10) != 0;
    return Id3v2HeaderSize + std::int64_t(tag->size) + (hasFooter ? Id3v2HeaderSize : 0);
}
