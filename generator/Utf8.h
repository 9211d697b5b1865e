#pragma once
// UTF-8 in one place: telling it from other bytes, decoding it and finding where its characters
// start, for names, paths, tag texts and the short strings of the settings record.
#include <cstddef>
#include <string>
#include <string_view>

// True for a byte that continues a multi-byte sequence (10xxxxxx).
inline bool isUtf8Continuation(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// Decodes the character that starts at `pos` into `cp` and moves `pos` past it. False, with `pos`
// left as it was, when no well-formed character starts there: a stray or cut-short byte, an
// overlong form, a surrogate or anything above U+10FFFF.
bool decodeUtf8(std::string_view text, std::size_t& pos, char32_t& cp);

// True when `text` is well-formed UTF-8 as a whole.
bool isValidUtf8(std::string_view text);

// How many bytes at the start of `text` are ASCII characters other than NUL (0x01 to 0x7F): text
// that every encoding reads alike, eight bytes at a time.
std::size_t plainAsciiLength(std::string_view text);
// Appends `text` as well-formed UTF-8: each maximal ill-formed subsequence (the longest start of
// a well-formed sequence that is cut short, or else one byte) becomes one U+FFFD.
void appendWellFormedUtf8(std::string& out, std::string_view text);

// Where `text` would be cut to at most `limit` bytes without splitting a UTF-8 sequence; a text
// that is not UTF-8 is cut at `limit` itself.
std::size_t cutPosition(std::string_view text, std::size_t limit);
