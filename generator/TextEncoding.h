#pragma once
// The narrow encoding the page is written in (UTF-8 here) and the conversions into it.
#include <string>

inline bool isUtf8Continuation(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// True when `text` is well-formed UTF-8 (no overlong forms, no surrogates, nothing above U+10FFFF).
bool isValidUtf8(const std::string& text);

// ID3 text encodings: 0 ISO-8859-1, 1 UTF-16 with byte-order mark, 2 UTF-16BE, 3 UTF-8.
enum TagEncoding { tagLatin1 = 0, tagUtf16 = 1, tagUtf16BE = 2, tagUtf8 = 3 };

// A tag's text in the page's encoding. The text ends at its first zero character (in UTF-16,
// its first zero code unit). UTF-16 is decoded (little-endian without a byte-order mark, an
// unpaired surrogate becoming U+FFFD); UTF-8 is kept; single-byte text is kept when it is
// valid UTF-8 and read as ISO-8859-1 otherwise. ID3v1 text is single-byte.
std::string tagTextToPage(const std::string& bytes, int encoding);
