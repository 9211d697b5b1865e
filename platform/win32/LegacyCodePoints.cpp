#include "platform/LegacyEncoding.h"

#include <windows.h>

namespace platform {

namespace {

constexpr char32_t Replacement = 0xFFFD;

// Windows gives a byte its code page leaves undefined a character all the same: a C1 control
// in the windows-125x pages, a private-use character in some others. Neither is text any of
// these pages defines, so both count as undefined, as iconv's tables have them.
bool isStandIn(LegacyEncoding encoding, wchar_t c)
{
    const unsigned page = legacyCodePage(encoding);
    const bool windowsPage = page >= 1250 && page <= 1258;
    return (windowsPage && c >= 0x80 && c <= 0x9F) || (c >= 0xE000 && c <= 0xF8FF);
}

} // namespace

LegacyCodePoints systemCodePoints(LegacyEncoding encoding)
{
    LegacyCodePoints table {};
    const UINT page = legacyCodePage(encoding);
    const bool known = ::IsValidCodePage(page) != 0;
    for (int b = 0; b < 256; ++b) {
        table[b] = b < 0x80 ? char32_t(b) : Replacement;
        if (!known)
            continue;
        const char in = static_cast<char>(b);
        wchar_t out[2] = {};
        if (::MultiByteToWideChar(page, MB_ERR_INVALID_CHARS, &in, 1, out, 2) == 1 && !isStandIn(encoding, out[0]))
            table[b] = char32_t(out[0]);
    }
    return table;
}

} // namespace platform
