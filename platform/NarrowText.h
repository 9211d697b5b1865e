#pragma once
// The narrow encoding: what the bytes of a std::string text mean once it leaves the readers for
// a page, a file name or the window. UTF-8 on POSIX; the ANSI code page on Windows, where the
// system's "A" functions and the page's readers expect it.
#include <string>

namespace platform {

// UTF-16 code units (no byte order mark, no terminating zero) in the narrow encoding. An
// unpaired surrogate becomes a replacement; a character a single-byte code page lacks becomes
// the system's nearest one ("C" for "Č" in 1252) or its default character.
std::string narrowFromUtf16(const std::u16string& text);

// UTF-8 text in the narrow encoding.
std::string narrowFromUtf8(const std::string& text);

// ISO-8859-1 text in the narrow encoding. Windows keeps the bytes as they are: its ANSI code
// page is where such tags come from.
std::string narrowFromLatin1(const std::string& text);

} // namespace platform
