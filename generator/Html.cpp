#include "generator/Html.h"

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
    std::string encoded;
    encoded.reserve(path.size());
    for (char c : path) {
        switch (c) {
        case '%': encoded += "%25"; break;
        case '#': encoded += "%23"; break;
        case '?': encoded += "%3F"; break;
        default: encoded += c;
        }
    }
    appendHtmlEscaped(out, encoded);
}
