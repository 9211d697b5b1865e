#include "platform/LegacyEncoding.h"

#include <iconv.h>

#include <string>

namespace platform {

namespace {

constexpr char32_t Replacement = 0xFFFD;

// iconv's name of the encoding: our usual spelling is one of glibc's names for each.
std::string iconvName(LegacyEncoding encoding)
{
    return std::string(legacyEncodingName(encoding));
}

} // namespace

// Each byte on its own: every one of these encodings gives one character for one byte, and a
// byte iconv refuses is one the encoding leaves undefined.
LegacyCodePoints systemCodePoints(LegacyEncoding encoding)
{
    LegacyCodePoints table {};
    for (int b = 0; b < 256; ++b)
        table[b] = b < 0x80 ? char32_t(b) : Replacement;
    const iconv_t cd = ::iconv_open("UTF-32LE", iconvName(encoding).c_str());
    if (cd == reinterpret_cast<iconv_t>(-1))
        return table;
    for (int b = 0; b < 256; ++b) {
        char in = static_cast<char>(b);
        unsigned char out[8] = {};
        char* inPtr = &in;
        char* outPtr = reinterpret_cast<char*>(out);
        std::size_t inLeft = 1, outLeft = sizeof out;
        ::iconv(cd, nullptr, nullptr, nullptr, nullptr);
        if (::iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1) || inLeft != 0 ||
            sizeof out - outLeft != 4) {
            table[b] = Replacement;
            continue;
        }
        table[b] = char32_t(out[0]) | char32_t(out[1]) << 8 | char32_t(out[2]) << 16 | char32_t(out[3]) << 24;
    }
    ::iconv_close(cd);
    return table;
}

} // namespace platform
