#pragma once
// The narrow encoding the page is written in (UTF-8 here) and the conversions into it.
#include "platform/LegacyEncoding.h"

#include <string>
#include <string_view>

// ID3 text encodings: 0 ISO-8859-1, 1 UTF-16 with byte-order mark, 2 UTF-16BE, 3 UTF-8.
enum TagEncoding { tagLatin1 = 0, tagUtf16 = 1, tagUtf16BE = 2, tagUtf8 = 3 };

// A tag's text in the page's encoding, into `out` (replacing what it held). The text ends at its
// first zero character (in UTF-16, its first zero code unit). UTF-16 is decoded (little-endian
// without a byte-order mark, an unpaired surrogate becoming U+FFFD); UTF-8 is kept; single-byte
// text (encoding 0, or a byte that names no encoding) is kept when it is valid UTF-8 and read in
// the legacy encoding otherwise. ID3v1 text is single-byte.
void tagTextToPage(std::string_view bytes, int encoding, platform::LegacyEncoding legacy, std::string& out);
std::string tagTextToPage(const std::string& bytes, int encoding, platform::LegacyEncoding legacy);

// A file name or a text (the page caption) in the page's encoding: kept when it is valid UTF-8
// as a whole, read in the legacy encoding otherwise. Nothing is cut, not even at a zero byte.
void nameToPage(std::string_view text, platform::LegacyEncoding legacy, std::string& out);
std::string nameToPage(const std::string& text, platform::LegacyEncoding legacy);

// A path in the page's encoding, name by name: each name between delimiters is judged on its
// own as nameToPage judges a whole name, so that one name in a legacy encoding leaves the UTF-8
// names around it as they are.
void pathToPage(std::string_view path, platform::LegacyEncoding legacy, std::string& out);
std::string pathToPage(const std::string& path, platform::LegacyEncoding legacy);
