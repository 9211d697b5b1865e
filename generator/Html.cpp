#include "generator/Html.h"

#include "generator/Utf8.h"
#include "platform/Path.h"

#include <array>
#include <cstring>

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

// Room for the worst case first, cut to what was written.
template <class Put>
void appendPut(std::string& out, std::string_view text, Put put)
{
    const std::size_t at = out.size();
    out.resize(at + MostEscapedBytes * text.size());
    out.resize(static_cast<std::size_t>(put(out.data() + at, text) - out.data()));
}

} // namespace

char* putHtmlEscaped(char* out, std::string_view text)
{
    static const auto special = [] {
        std::array<bool, 256> table {};
        for (unsigned char c : {'&', '<', '>', '"'})
            table[c] = true;
        return table;
    }();
    for (const char c : text) {
        if (!special[static_cast<unsigned char>(c)]) {
            *out++ = c;
            continue;
        }
        const std::string_view e = entity(c);
        std::memcpy(out, e.data(), e.size());
        out += e.size();
    }
    return out;
}

void appendHtmlEscaped(std::string& out, std::string_view text)
{
    appendPut(out, text, putHtmlEscaped);
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
char* putEncodedPath(char* out, std::string_view path, bool forAttribute)
{
    static const char hex[] = "0123456789ABCDEF";
    const auto& encoded = encodedInLinks();
    const bool rawBytes = !isValidUtf8(path);
    for (char c : path) {
        const auto byte = static_cast<unsigned char>(c);
        if (encoded[byte] || (rawBytes && byte >= 0x80)) {
            *out++ = '%';
            *out++ = hex[byte >> 4];
            *out++ = hex[byte & 0x0F];
        } else if (const std::string_view e = forAttribute ? entity(c) : std::string_view(); !e.empty()) {
            std::memcpy(out, e.data(), e.size());
            out += e.size();
        } else {
            *out++ = c;
        }
    }
    return out;
}

char* putLinkPath(char* out, std::string_view path)
{
    return putEncodedPath(out, path, false);
}

} // namespace

char* putLinkTarget(char* out, std::string_view path)
{
    return putEncodedPath(out, path, true);
}

void appendLinkTarget(std::string& out, std::string_view path)
{
    appendPut(out, path, putLinkTarget);
}

void appendLinkPath(std::string& out, std::string_view path)
{
    appendPut(out, path, putLinkPath);
}

void appendScriptString(std::string& out, std::string_view text, bool asField)
{
    static const char hex[] = "0123456789abcdef";
    // Lead bytes of characters from U+0100 on: 0xC4 and up.
    static const auto special = [] {
        std::array<bool, 256> table {};
        for (int c = 0; c < 0x20; ++c)
            table[c] = true;
        for (unsigned char c : {'"', '\\', '<', '\x7F'})
            table[c] = true;
        for (int c = 0xC4; c < 0x100; ++c)
            table[c] = true;
        return table;
    }();
    auto appendUnit = [&](unsigned unit) {
        const char code[6] = {'\\', 'u', hex[unit >> 12], hex[(unit >> 8) & 0xF], hex[(unit >> 4) & 0xF], hex[unit & 0xF]};
        out.append(code, 6);
    };
    std::size_t from = 0;
    for (std::size_t i = 0; i < text.size();) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (!special[byte]) {
            ++i;
            continue;
        }
        out.append(text.data() + from, i - from);
        std::size_t next = i + 1;
        char32_t cp = 0;
        if (byte == '"' || byte == '\\') {
            out += '\\';
            out += static_cast<char>(byte);
        } else if (asField && (byte <= 1 || byte == 0x7F)) {
            out += "\\ufffd";
        } else if (byte < 0x80) {
            appendUnit(byte);
        } else if (std::size_t at = i; decodeUtf8(text, at, cp)) {
            if (cp >= 0x10000) {
                appendUnit(0xD800 + ((cp - 0x10000) >> 10));
                appendUnit(0xDC00 + ((cp - 0x10000) & 0x3FF));
            } else {
                appendUnit(cp);
            }
            next = at;
        } else {
            out += static_cast<char>(byte); // not UTF-8: the browser shows U+FFFD
        }
        i = from = next;
    }
    out.append(text.data() + from, text.size() - from);
}
