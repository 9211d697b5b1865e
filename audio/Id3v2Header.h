#pragma once
// The 10-byte header of an ID3v2 tag and the numbers its frames are sized in.
#include <cstdint>
#include <optional>

constexpr int Id3v2HeaderSize = 10;

struct Id3v2Header {
    int version = 0;        // the major version: 2, 3 or 4 in the tags we read
    int flags = 0;
    std::uint32_t size = 0; // bytes after the header: frames and padding (a footer not counted)
};

// The 10 bytes as a tag header: "ID3", a major version and revision other than 0xFF, the flags
// and the size as four bytes of 7 bits each; nothing when they are not one.
std::optional<Id3v2Header> parseId3v2Header(const unsigned char* bytes);

// Bytes from the header's first byte to the end of the tag (header, frames, padding and a
// version 4 footer), or 0 when the 10 bytes are not an ID3v2 header.
std::int64_t id3v2TagLength(const unsigned char* header);

// A 28-bit "syncsafe" number: the low 7 bits of each of four bytes.
std::uint32_t syncsafe32(const unsigned char* p);
std::uint32_t bigEndian32(const unsigned char* p);
std::uint32_t bigEndian24(const unsigned char* p);
