#pragma once
// The single-byte encodings older tags and file names were written in, before UTF-8: which
// ones the program knows, by which names, and what each of their 256 bytes stands for.
#include <array>
#include <cstdint>
#include <string_view>

namespace platform {

enum class LegacyEncoding : std::uint8_t {
    Iso8859_1, // the default: what such texts were read as before the choice existed
    Windows1250,
    Windows1251,
    Windows1252,
    Windows1253,
    Windows1254,
    Windows1257,
    Iso8859_2,
    Koi8R,
    Cp437,
    Cp850,
    Cp852,
    Cp866,
};
constexpr int LegacyEncodingCount = 13;

// The encodings in the order the program lists them.
const std::array<LegacyEncoding, LegacyEncodingCount>& legacyEncodings();

// The name in its usual spelling: "ISO-8859-1", "windows-1250", "KOI8-R", "CP437".
std::string_view legacyEncodingName(LegacyEncoding encoding);

// The encoding named `name`, the letters A-Z in either case ("WINDOWS-1250", "koi8-r"); no
// other spelling counts. False when no encoding has that name.
bool legacyEncodingNamed(std::string_view name, LegacyEncoding& encoding);

// The Windows code page number of the encoding (28591, 1250, 20866, 437, ...).
unsigned legacyCodePage(LegacyEncoding encoding);

// The encoding of a Windows code page number; false when it is none of them.
bool legacyEncodingOfCodePage(unsigned codePage, LegacyEncoding& encoding);

// What each byte stands for: its Unicode code point, U+FFFD for a byte the encoding leaves
// undefined. The system's own tables make it (iconv; MultiByteToWideChar), once per encoding
// and process; an encoding the system does not know leaves every byte from 0x80 up undefined.
using LegacyCodePoints = std::array<char32_t, 256>;
const LegacyCodePoints& legacyCodePoints(LegacyEncoding encoding);

// The system side of legacyCodePoints: the table as the system makes it, every time it is asked.
LegacyCodePoints systemCodePoints(LegacyEncoding encoding);

} // namespace platform
