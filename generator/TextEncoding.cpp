#include "generator/TextEncoding.h"

#include "generator/Utf8.h"
#include "platform/NarrowText.h"
#include "platform/Path.h"

namespace {

// The code units up to the first zero unit; a leading byte-order mark decides the byte order.
// One buffer per thread, kept from text to text.
std::u16string_view utf16Units(std::string_view bytes, bool bigEndian)
{
    thread_local std::u16string units;
    std::size_t pos = 0;
    if (bytes.size() >= 2) {
        auto b0 = static_cast<unsigned char>(bytes[0]), b1 = static_cast<unsigned char>(bytes[1]);
        if (b0 == 0xFF && b1 == 0xFE) { bigEndian = false; pos = 2; }
        else if (b0 == 0xFE && b1 == 0xFF) { bigEndian = true; pos = 2; }
    }
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
    case tagUtf16: platform::narrowFromUtf16(utf16Units(bytes, false), out); return;
    case tagUtf16BE: platform::narrowFromUtf16(utf16Units(bytes, true), out); return;
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
