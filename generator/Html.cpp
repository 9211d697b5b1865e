#include "generator/Html.h"

#include "generator/Utf8.h"
#include "platform/Path.h"

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

// Bytes a link target percent-encodes. `%` `#` `?` would end or re-read the path. Where the
// backslash is no delimiter, browsers still read it as one, and they drop TAB, CR and LF from a
// URL: there the backslash and every control byte are encoded too.
const std::array<bool, 256>& encodedInLinks()
{
    static const auto table = [] {
        std::array<bool, 256> encoded {};
        for (unsigned char c : {'%', '#', '?'})
            encoded[c] = true;
        if (platform::PathDelimiter != '\\') {
            for (int c = 0x01; c < 0x20; ++c)
                encoded[c] = true;
            encoded[0x7F] = true;
            encoded['\\'] = true;
        }
        return encoded;
    }();
    return table;
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

namespace {

// Percent-encoding writes only "%" and hexadecimal digits, which HTML leaves alone: both are
// done in one pass.
void appendEncodedPath(std::string& out, std::string_view path, bool forAttribute)
{
    static const char hex[] = "0123456789ABCDEF";
    const auto& encoded = encodedInLinks();
    const bool rawBytes = !isValidUtf8(path);
    for (char c : path) {
        const auto byte = static_cast<unsigned char>(c);
        if (encoded[byte] || (rawBytes && byte >= 0x80)) {
            out += '%';
            out += hex[byte >> 4];
            out += hex[byte & 0x0F];
        } else if (const std::string_view e = forAttribute ? entity(c) : std::string_view(); !e.empty()) {
            out += e;
        } else {
            out += c;
        }
    }
}

} // namespace

void appendLinkTarget(std::string& out, std::string_view path)
{
    appendEncodedPath(out, path, true);
}

void appendLinkPath(std::string& out, std::string_view path)
{
    appendEncodedPath(out, path, false);
}

void appendScriptString(std::string& out, std::string_view text, bool asField)
{
    static const char hex[] = "0123456789abcdef";
    static const auto special = [] {
        std::array<bool, 256> table {};
        for (int c = 0; c < 0x20; ++c)
            table[c] = true;
        for (unsigned char c : {'"', '\\', '<', '\x7F', '\xE2'})
            table[c] = true;
        return table;
    }();
    std::size_t from = 0;
    auto escape = [&](std::size_t at, std::size_t length, std::string_view with) {
        out.append(text.data() + from, at - from);
        out += with;
        from = at + length;
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (!special[byte])
            continue;
        if (byte == '"' || byte == '\\') {
            const char pair[2] = {'\\', static_cast<char>(byte)};
            escape(i, 1, std::string_view(pair, 2));
        } else if (byte <= 1 && asField) {
            escape(i, 1, "\\ufffd");
        } else if (byte < 0x20 || byte == 0x7F || byte == '<') {
            const char code[6] = {'\\', 'u', '0', '0', hex[byte >> 4], hex[byte & 0x0F]};
            escape(i, 1, std::string_view(code, 6));
        } else if (byte == 0xE2 && i + 2 < text.size() && static_cast<unsigned char>(text[i + 1]) == 0x80 &&
                   (static_cast<unsigned char>(text[i + 2]) == 0xA8 || static_cast<unsigned char>(text[i + 2]) == 0xA9)) {
            escape(i, 3, static_cast<unsigned char>(text[i + 2]) == 0xA8 ? "\\u2028" : "\\u2029");
            i += 2;
        }
    }
    out.append(text.data() + from, text.size() - from);
}
