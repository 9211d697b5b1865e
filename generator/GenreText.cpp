#include "generator/GenreText.h"

#include "audio/ID3Tags.h"
#include "generator/TextEncoding.h"

#include <algorithm>

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Genre `digits` (leading zeros allowed), when the standard list has it.
void appendNumberedGenre(std::string& out, std::string_view digits)
{
    const std::size_t first = std::min(digits.find_first_not_of('0'), digits.size());
    const std::string_view significant = digits.substr(first);
    int n = 0;
    if (significant.size() > 3)
        return;
    for (char c : significant)
        n = n * 10 + (c - '0');
    appendStandardGenre(out, n);
}

void appendJoined(std::string& out, std::string_view name)
{
    if (name.empty())
        return;
    if (!out.empty())
        out += "; ";
    out += name;
}

// The length of the value that starts at `p`: up to its zero character, which in UTF-16 is a
// zero unit at an even offset.
std::size_t valueLength(std::string_view values, std::size_t from, bool utf16)
{
    if (!utf16)
        return std::min(values.find('\0', from), values.size()) - from;
    std::size_t at = from;
    while (at + 1 < values.size() && !(values[at] == '\0' && values[at + 1] == '\0'))
        at += 2;
    return std::min(at, values.size()) - from;
}

} // namespace

void appendStandardGenre(std::string& out, int n)
{
    const auto& genres = StandardGenres();
    if (n >= 0 && static_cast<std::size_t>(n) < genres.size())
        out += genres[static_cast<std::size_t>(n)];
}

void appendGenreValue(std::string& out, std::string_view value)
{
    if (value.empty())
        return;
    if (std::all_of(value.begin(), value.end(), isDigit)) {
        appendNumberedGenre(out, value);
        return;
    }
    std::string references;
    std::size_t at = 0;
    while (at < value.size() && value[at] == '(' && value.compare(at, 2, "((") != 0) {
        const std::size_t close = value.find(')', at);
        if (close == std::string_view::npos)
            break;
        const std::string_view inside = value.substr(at + 1, close - at - 1);
        std::string name;
        if (inside == "RX")
            name = "Remix";
        else if (inside == "CR")
            name = "Cover";
        else if (!inside.empty() && std::all_of(inside.begin(), inside.end(), isDigit))
            appendNumberedGenre(name, inside);
        else
            break;
        appendJoined(references, name);
        at = close + 1;
    }
    std::string_view text = value.substr(at);
    if (text.compare(0, 2, "((") == 0)
        text.remove_prefix(1);
    out += text.empty() ? std::string_view(references) : text;
}

void genreValuesToPage(std::string_view values, int encoding, platform::LegacyEncoding legacy, std::string& out)
{
    out.clear();
    const bool utf16 = encoding == tagUtf16 || encoding == tagUtf16BE;
    const std::size_t terminator = utf16 ? 2 : 1;
    std::string decoded, genre;
    for (std::size_t at = 0; at < values.size();) {
        const std::size_t length = valueLength(values, at, utf16);
        tagTextToPage(values.substr(at, length), encoding, legacy, decoded);
        genre.clear();
        appendGenreValue(genre, decoded);
        appendJoined(out, genre);
        at += length + terminator;
    }
}
