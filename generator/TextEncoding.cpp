#include "generator/TextEncoding.h"

#include "generator/Utf8.h"
#include "platform/NarrowText.h"
#include "platform/Path.h"

namespace {

// Where the code units start: after a leading byte-order mark, which then decides the byte order.
std::size_t unitsStart(std::string_view bytes, bool& bigEndian)
{
    if (bytes.size() >= 2) {
        auto b0 = static_cast<unsigned char>(bytes[0]), b1 = static_cast<unsigned char>(bytes[1]);
        if (b0 == 0xFF && b1 == 0xFE) { bigEndian = false; return 2; }
        if (b0 == 0xFE && b1 == 0xFF) { bigEndian = true; return 2; }
    }
    return 0;
}

// The code units up to the first zero unit. One buffer per thread, kept from text to text.
std::u16string_view utf16Units(std::string_view bytes, bool bigEndian)
{
    thread_local std::u16string units;
    std::size_t pos = unitsStart(bytes, bigEndian);
    units.resize((bytes.size() - pos) / 2);
    std::size_t count = 0;
    for (; pos + 1 < bytes.size(); pos += 2) {
        auto b0 = static_cast<unsigned char>(bytes[pos]), b1 = static_cast<unsigned char>(bytes[pos + 1]);
        const auto unit = static_cast<char16_t>(bigEndian ? (b0 << 8) | b1 : (b1 << 8) | b0);
        if (unit == 0)
            break;
        units[count++] = unit;
    }
    return std::u16string_view(units.data(), count);
}

// Most UTF-16 tag texts are ASCII, which every narrow encoding writes as it stands: their
// units' low bytes, in one pass. False, with `out` undefined, for any other text.
bool asciiFromUtf16(std::string_view bytes, bool bigEndian, std::string& out)
{
    std::size_t pos = unitsStart(bytes, bigEndian);
    out.resize((bytes.size() - pos) / 2);
    std::size_t count = 0;
    for (; pos + 1 < bytes.size(); pos += 2) {
        const auto high = static_cast<unsigned char>(bytes[pos + (bigEndian ? 0 : 1)]);
        const auto low = static_cast<unsigned char>(bytes[pos + (bigEndian ? 1 : 0)]);
        if (high != 0 || low >= 0x80)
            return false;
        if (low == 0)
            break;
        out[count++] = static_cast<char>(low);
    }
    out.resize(count);
    return true;
}

void utf16ToPage(std::string_view bytes, bool bigEndian, std::string& out)
{
    if (!asciiFromUtf16(bytes, bigEndian, out))
        platform::narrowFromUtf16(utf16Units(bytes, bigEndian), out);
}

std::string_view upToZero(std::string_view bytes)
{
    return bytes.substr(0, bytes.find('\0'));
}

} // namespace

void nameToPage(std::string_view text, platform::LegacyEncoding legacy, std::string& out)
{
    if (isValidUtf8(text))
        platform::narrowFromUtf8(text, out);
    else
        platform::narrowFromLegacy(legacy, text, out);
}

std::string nameToPage(const std::string& text, platform::LegacyEncoding legacy)
{
    std::string out;
    nameToPage(text, legacy, out);
    return out;
}

void pathToPage(std::string_view path, platform::LegacyEncoding legacy, std::string& out)
{
    // A path that is UTF-8 as a whole is UTF-8 name by name: no delimiter lies inside a
    // UTF-8 sequence.
    if (isValidUtf8(path)) {
        platform::narrowFromUtf8(path, out);
        return;
    }
    out.clear();
    thread_local std::string name;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = start;
        while (end < path.size() && !platform::isPathDelimiter(path[end]))
            ++end;
        nameToPage(path.substr(start, end - start), legacy, name);
        out += name;
        if (end < path.size())
            out += path[end];
        start = end + 1;
    }
}

std::string pathToPage(const std::string& path, platform::LegacyEncoding legacy)
{
    std::string out;
    pathToPage(path, legacy, out);
    return out;
}

void tagTextToPage(std::string_view bytes, int encoding, platform::LegacyEncoding legacy, std::string& out)
{
    switch (encoding) {
    case tagUtf16: utf16ToPage(bytes, false, out); return;
    case tagUtf16BE: utf16ToPage(bytes, true, out); return;
    case tagUtf8: platform::narrowFromUtf8(upToZero(bytes), out); return;
    default: nameToPage(upToZero(bytes), legacy, out); return;
    }
}

std::string tagTextToPage(const std::string& bytes, int encoding, platform::LegacyEncoding legacy)
{
    std::string out;
    tagTextToPage(bytes, encoding, legacy, out);
    return out;
}
