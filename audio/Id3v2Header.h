#pragma once
// The 10-byte header of an ID3v2 tag, as far as it tells where the audio begins.
#include <cstdint>

constexpr int kId3v2HeaderSize = 10;

// Bytes from the header's first byte to the end of the tag (header, frames, padding and a
// version 4 footer), or 0 when the 10 bytes are not an ID3v2 header.
std::int64_t id3v2TagLength(const unsigned char* header);
