#include "audio/Id3v2Header.h"

#include <cstring>

std::int64_t id3v2TagLength(const unsigned char* header)
{
    // "ID3", major version, revision, flags, then the size as four 7-bit bytes.
    if (std::memcmp(header, "ID3", 3) != 0 || header[3] == 0xFF || header[4] == 0xFF)
        return 0;
    std::int64_t size = 0;
    for (int i = 6; i < 10; ++i) {
        if (header[i] >= 0x80)
            return 0;
        size = (size << 7) | header[i];
    }
    const bool hasFooter = header[3] == 4 && (header[5] & 0x10) != 0;
    return kId3v2HeaderSize + size + (hasFooter ? kId3v2HeaderSize : 0);
}
