#include "platform/NarrowText.h"

namespace platform {

namespace {

// Writes the code point at `out` and returns the end of what it wrote (at most 4 bytes).
char* putUtf8(char* out, char32_t cp)
{
    if (cp < 0x80) {
        *out++ = static_cast<char>(cp);
    } else if (cp < 0x800) {
        *out++ = static_cast<char>(0xC0 | (cp >> 6));
        *out++ = static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        *out++ = static_cast<char>(0xE0 | (cp >> 12));
        *out++ = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        *out++ = static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        *out++ = static_cast<char>(0xF0 | (cp >> 18));
        *out++ = static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        *out++ = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        *out++ = static_cast<char>(0x80 | (cp & 0x3F));
    }
    return out;
}

} // namespace

// Each UTF-16 unit gives at most 3 bytes (a pair of them 4): room for that is made first, and
// what was not used is cut off at the end.
void narrowFromUtf16(std::u16string_view text, std::string& out)
{
    constexpr char32_t Replacement = 0xFFFD;
    out.resize(text.size() * 3);
    char* const begin = out.data();
    char* end = begin;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
            end = putUtf8(end, 0x10000 + ((char32_t(unit) - 0xD800) << 10) + (text[i + 1] - 0xDC00));
            ++i;
            continue;
        }
        end = putUtf8(end, (unit >= 0xD800 && unit <= 0xDFFF) ? Replacement : char32_t(unit));
    }
    out.resize(static_cast<std::size_t>(end - begin));
}

void narrowFromUtf8(std::string_view text, std::string& out)
{
    out.assign(text.data(), text.size());
}

// Every code point of these encodings lies below U+10000: at most 3 bytes a byte.
void narrowFromLegacy(LegacyEncoding encoding, std::string_view text, std::string& out)
{
    const LegacyCodePoints& codePoints = legacyCodePoints(encoding);
    out.resize(text.size() * 3);
    char* const begin = out.data();
    char* end = begin;
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80)
            *end++ = c;
        else
            end = putUtf8(end, codePoints[byte]);
    }
    out.resize(static_cast<std::size_t>(end - begin));
}

} // namespace platform
