#include "generator/Html.h"

#include "platform/Utf8.h"

void appendHtmlEscaped(std::string& out, const std::string& text)
{
    for (char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out += c;
        }
    }
}

std::string htmlEscape(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    appendHtmlEscaped(out, text);
    return out;
}

void appendLinkTarget(std::string& out, const std::string& path)
{
    static const char hex[] = "0123456789ABCDEF";
    const bool rawBytes = !platform::isValidUtf8(path);
    std::string encoded;
    encoded.reserve(path.size());
    for (char c : path) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '%' || c == '#' || c == '?' || (rawBytes && byte >= 0x80)) {
            encoded += '%';
            encoded += hex[byte >> 4];
            encoded += hex[byte & 0x0F];
        } else {
            encoded += c;
        }
    }
    appendHtmlEscaped(out, encoded);
}
