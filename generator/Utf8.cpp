#include "generator/Utf8.h"

#include <cstdint>
#include <cstring>

bool decodeUtf8(std::string_view text, std::size_t& pos, char32_t& cp)
{
    const auto lead = static_cast<unsigned char>(text[pos]);
    if (lead < 0x80) {
        cp = lead;
        ++pos;
        return true;
    }
    int extra;
    char32_t value;
    if (lead >= 0xC2 && lead <= 0xDF) { extra = 1; value = lead & 0x1F; }
    else if (lead >= 0xE0 && lead <= 0xEF) { extra = 2; value = lead & 0x0F; }
    else if (lead >= 0xF0 && lead <= 0xF4) { extra = 3; value = lead & 0x07; }
    else return false;
    if (text.size() - pos <= static_cast<std::size_t>(extra))
        return false;
    for (int i = 1; i <= extra; ++i) {
        const char next = text[pos + i];
        if (!isUtf8Continuation(next))
            return false;
        value = (value << 6) | (static_cast<unsigned char>(next) & 0x3F);
    }
    if ((extra == 2 && (value < 0x800 || (value >= 0xD800 && value <= 0xDFFF))) ||
        (extra == 3 && (value < 0x10000 || value > 0x10FFFF)))
        return false;
    cp = value;
    pos += extra + 1;
    return true;
}

bool isValidUtf8(std::string_view text)
{
    char32_t cp;
    for (std::size_t pos = 0; pos < text.size();) {
        if (static_cast<unsigned char>(text[pos]) < 0x80)
            ++pos; // most names are ASCII: skip the call
        else if (!decodeUtf8(text, pos, cp))
            return false;
    }
    return true;
}

std::size_t plainAsciiLength(std::string_view text)
{
    constexpr std::uint64_t ones = 0x0101010101010101, highBits = 0x8080808080808080;
    std::size_t at = 0;
    for (; at + 8 <= text.size(); at += 8) {
        std::uint64_t word;
        std::memcpy(&word, text.data() + at, 8);
        // A byte from 0x80 up, or (among bytes below it) a zero byte.
        if ((word & highBits) != 0 || ((word - ones) & ~word & highBits) != 0)
            break;
    }
    while (at < text.size() && static_cast<unsigned char>(text[at] - 1) < 0x7F)
        ++at;
    return at;
}

std::size_t cutPosition(std::string_view text, std::size_t limit)
{
    if (text.size() <= limit)
        return text.size();
    if (!isValidUtf8(text))
        return limit;
    std::size_t cut = limit;
    while (cut > 0 && isUtf8Continuation(text[cut]))
        --cut;
    return cut;
}
