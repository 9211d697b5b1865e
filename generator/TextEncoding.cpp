#include "generator/TextEncoding.h"

#include "platform/NarrowText.h"

bool isValidUtf8(const std::string& text)
{
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    const auto* end = p + text.size();
    while (p < end) {
        unsigned char c = *p;
        if (c < 0x80) {
            ++p;
            continue;
        }
        int extra;
        unsigned int cp;
        if (c >= 0xC2 && c <= 0xDF) { extra = 1; cp = c & 0x1F; }
        else if (c >= 0xE0 && c <= 0xEF) { extra = 2; cp = c & 0x0F; }
        else if (c >= 0xF0 && c <= 0xF4) { extra = 3; cp = c & 0x07; }
        else return false;
        if (end - p <= extra)
            return false;
        for (int i = 1; i <= extra; ++i) {
            if ((p[i] & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (p[i] & 0x3F);
        }
        if ((extra == 2 && (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF))) ||
            (extra == 3 && (cp < 0x10000 || cp > 0x10FFFF)))
            return false;
        p += extra + 1;
    }
    return true;
}

namespace {

// The code units up to the first zero unit; a leading byte-order mark decides the byte order.
std::u16string utf16Units(const std::string& bytes, bool bigEndian)
{
    std::size_t pos = 0;
    if (bytes.size() >= 2) {
        auto b0 = static_cast<unsigned char>(bytes[0]), b1 = static_cast<unsigned char>(bytes[1]);
        if (b0 == 0xFF && b1 == 0xFE) { bigEndian = false; pos = 2; }
        else if (b0 == 0xFE && b1 == 0xFF) { bigEndian = true; pos = 2; }
    }
    std::u16string units;
    for (; pos + 1 < bytes.size(); pos += 2) {
        auto b0 = static_cast<unsigned char>(bytes[pos]), b1 = static_cast<unsigned char>(bytes[pos + 1]);
        const auto unit = static_cast<char16_t>(bigEndian ? (b0 << 8) | b1 : (b1 << 8) | b0);
        if (unit == 0)
            break;
        units += unit;
    }
    return units;
}

std::string fromSingleByte(const std::string& bytes)
{
    std::string text = bytes.substr(0, bytes.find('\0'));
    return isValidUtf8(text) ? platform::narrowFromUtf8(text) : platform::narrowFromLatin1(text);
}

} // namespace

std::string tagTextToPage(const std::string& bytes, int encoding)
{
    switch (encoding) {
    case tagUtf16: return platform::narrowFromUtf16(utf16Units(bytes, false));
    case tagUtf16BE: return platform::narrowFromUtf16(utf16Units(bytes, true));
    case tagUtf8: return platform::narrowFromUtf8(bytes.substr(0, bytes.find('\0')));
    default: return fromSingleByte(bytes);
    }
}
