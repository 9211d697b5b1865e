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

namespace {

// How far a maximal ill-formed subsequence that starts at `pos` reaches: over the bytes that
// could still begin a well-formed sequence with its lead byte.
std::size_t illFormedEnd(std::string_view text, std::size_t pos)
{
    const auto lead = static_cast<unsigned char>(text[pos]);
    int extra = 0;
    unsigned char low = 0x80, high = 0xBF; // what the second byte may be
    if (lead >= 0xC2 && lead <= 0xDF) extra = 1;
    else if (lead == 0xE0) { extra = 2; low = 0xA0; }
    else if (lead == 0xED) { extra = 2; high = 0x9F; }
    else if (lead >= 0xE1 && lead <= 0xEF) extra = 2;
    else if (lead == 0xF0) { extra = 3; low = 0x90; }
    else if (lead == 0xF4) { extra = 3; high = 0x8F; }
    else if (lead >= 0xF1 && lead <= 0xF3) extra = 3;
    std::size_t end = pos + 1;
    for (int i = 0; i < extra && end < text.size(); ++i, ++end) {
        const auto next = static_cast<unsigned char>(text[end]);
        if (next < (i == 0 ? low : 0x80) || next > (i == 0 ? high : 0xBF))
            break;
    }
    return end;
}

} // namespace

void appendWellFormedUtf8(std::string& out, std::string_view text)
{
    char32_t cp;
    std::size_t from = 0, pos = 0;
    while (pos < text.size()) {
        if (static_cast<unsigned char>(text[pos]) < 0x80) {
            ++pos;
            continue;
        }
        if (decodeUtf8(text, pos, cp))
            continue;
        out.append(text.data() + from, pos - from);
        out += "\xEF\xBF\xBD";
        pos = from = illFormedEnd(text, pos);
    }
    out.append(text.data() + from, pos - from);
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
