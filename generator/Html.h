#pragma once
// Making outside texts safe to stand in the page.
#include <string>
#include <string_view>

// `&` `<` `>` `"` as entities; every other byte unchanged.
std::string htmlEscape(const std::string& text);
void appendHtmlEscaped(std::string& out, std::string_view text);

// A file path as a link target: `%` `#` `?` percent-encoded (they would otherwise end or
// re-read the path), where "\" is no delimiter the backslash and the control bytes too, and
// every byte from 0x80 up when the path is not valid UTF-8 (so that the link leads to the
// file's own bytes); then HTML-escaped for the attribute. A space stays.
void appendLinkTarget(std::string& out, std::string_view path);

// The same target percent-encoded only, for a file that is not HTML.
void appendLinkPath(std::string& out, std::string_view path);
