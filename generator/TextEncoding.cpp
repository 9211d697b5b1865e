#include "generator/TextEncoding.h"

#include "platform/NarrowText.h"

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

} // namespace

std::string nameToPage(const std::string& text)
{
    return isValidUtf8(text) ? platform::narrowFromUtf8(text) : platform::narrowFromLatin1(text);
}

std::string tagTextToPage(const std::string& bytes, int encoding)
{
    switch (encoding) {
    case tagUtf16: return platform::narrowFromUtf16(utf16Units(bytes, false));
    case tagUtf16BE: return platform::narrowFromUtf16(utf16Units(bytes, true));
    case tagUtf8: return platform::narrowFromUtf8(bytes.substr(0, bytes.find('\0')));
    default: return nameToPage(bytes.substr(0, bytes.find('\0')));
    }
}
