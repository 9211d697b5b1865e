#include "generator/Html.h"

#include "generator/Utf8.h"

#include <array>

namespace {

// Empty for a character that stands for itself.
std::string_view entity(char c)
{
    switch (c) {
    case '&': return "&amp;";
    case '<': return "&lt;";
    case '>': return "&gt;";
    case '"': return "&quot;";
    default: return {};
    }
}

} // namespace

void appendHtmlEscaped(std::string& out, std::string_view text)
{
    // Runs without a character to escape go over whole.
    static const auto special = [] {
        std::array<bool, 256> table {};
        for (unsigned char c : {'&', '<', '>', '"'})
            table[c] = true;
        return table;
    }();
    std::size_t from = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (special[static_cast<unsigned char>(text[i])]) {
            out.append(text.data() + from, i - from);
            out += entity(text[i]);
            from = i + 1;
        }
    }
    out.append(text.data() + from, text.size() - from);
}

std::string htmlEscape(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    appendHtmlEscaped(out, text);
    return out;
}

// Percent-encoding writes only "%" and hexadecimal digits, which HTML leaves alone: both are
// done in one pass.
void appendLinkTarget(std::string& out, std::string_view path)
{
    static const char hex[] = "0123456789ABCDEF";
    const bool rawBytes = !isValidUtf8(path);
    for (char c : path) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '%' || c == '#' || c == '?' || (rawBytes && byte >= 0x80)) {
            out += '%';
            out += hex[byte >> 4];
            out += hex[byte & 0x0F];
        } else if (const std::string_view e = entity(c); !e.empty()) {
            out += e;
        } else {
            out += c;
        }
    }
}
