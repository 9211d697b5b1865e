#pragma once
// The narrow encoding: what the bytes of a std::string text mean once it leaves the readers for
// a page, a file name or the window. UTF-8 on POSIX; the ANSI code page on Windows, where the
// system's "A" functions and the page's readers expect it.
#include "platform/LegacyEncoding.h"

#include <string>
#include <string_view>

namespace platform {

// Each conversion writes into `out`, replacing what it held, so that a caller converting text
// after text keeps one string's storage; each also comes as a function returning its result.

// UTF-16 code units (no byte order mark, no terminating zero) in the narrow encoding. An
// unpaired surrogate becomes a replacement; a character a single-byte code page lacks becomes
// the system's nearest one ("C" for "Č" in 1252) or its default character.
void narrowFromUtf16(std::u16string_view text, std::string& out);

// UTF-8 text in the narrow encoding.
void narrowFromUtf8(std::string_view text, std::string& out);

// Text in a legacy encoding in the narrow encoding; a byte the encoding leaves undefined becomes
// a replacement character. Windows keeps the bytes as they are where its ANSI code page is that
// encoding, and ISO-8859-1 text in any single-byte ANSI code page: that code page is where such
// tags come from.
void narrowFromLegacy(LegacyEncoding encoding, std::string_view text, std::string& out);

inline std::string narrowFromUtf16(const std::u16string& text)
{
    std::string out;
    narrowFromUtf16(text, out);
    return out;
}

inline std::string narrowFromUtf8(const std::string& text)
{
    std::string out;
    narrowFromUtf8(text, out);
    return out;
}

inline std::string narrowFromLegacy(LegacyEncoding encoding, const std::string& text)
{
    std::string out;
    narrowFromLegacy(encoding, text, out);
    return out;
}

} // namespace platform
