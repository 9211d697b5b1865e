#include "generator/TextEncoding.h"

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

void appendUtf8(std::string& out, char32_t cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

std::string fromUtf16(const std::string& bytes, bool bigEndian)
{
    std::size_t pos = 0;
    auto unitAt = [&](std::size_t p) {
        auto b0 = static_cast<unsigned char>(bytes[p]), b1 = static_cast<unsigned char>(bytes[p + 1]);
        return static_cast<char16_t>(bigEndian ? (b0 << 8) | b1 : (b1 << 8) | b0);
    };
    if (bytes.size() >= 2) {
        auto b0 = static_cast<unsigned char>(bytes[0]), b1 = static_cast<unsigned char>(bytes[1]);
        if (b0 == 0xFF && b1 == 0xFE) { bigEndian = false; pos = 2; }
        else if (b0 == 0xFE && b1 == 0xFF) { bigEndian = true; pos = 2; }
    }
    std::string out;
    constexpr char32_t Replacement = 0xFFFD;
    while (pos + 1 < bytes.size()) {
        char16_t unit = unitAt(pos);
        pos += 2;
        if (unit == 0)
            break;
        if (unit >= 0xD800 && unit <= 0xDBFF && pos + 1 < bytes.size()) {
            char16_t low = unitAt(pos);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                pos += 2;
                appendUtf8(out, 0x10000 + ((char32_t(unit) - 0xD800) << 10) + (low - 0xDC00));
                continue;
            }
        }
        appendUtf8(out, (unit >= 0xD800 && unit <= 0xDFFF) ? Replacement : char32_t(unit));
    }
    return out;
}

std::string fromSingleByte(const std::string& bytes)
{
    std::string text = bytes.substr(0, bytes.find('\0'));
    if (isValidUtf8(text))
        return text;
    std::string out;
    out.reserve(text.size() * 2);
    for (char c : text)
        appendUtf8(out, static_cast<unsigned char>(c));
    return out;
}

} // namespace

std::string tagTextToPage(const std::string& bytes, int encoding)
{
    switch (encoding) {
    case tagUtf16: return fromUtf16(bytes, false);
    case tagUtf16BE: return fromUtf16(bytes, true);
    case tagUtf8: return bytes.substr(0, bytes.find('\0'));
    default: return fromSingleByte(bytes);
    }
}
