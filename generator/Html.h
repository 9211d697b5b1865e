#pragma once
// Making outside texts safe to stand in the page.
#include <string>
#include <string_view>

// `&` `<` `>` `"` as entities; every other byte unchanged.
std::string htmlEscape(const std::string& text);
void appendHtmlEscaped(std::string& out, std::string_view text);

// What a byte grows to at most, escaped or percent-encoded and escaped: "&quot;".
constexpr std::size_t MostEscapedBytes = 6;
// The same written at `out`, which has room for MostEscapedBytes a byte of the text; returns
// the end of what it wrote. A row is made of many such texts, written into room made once.
char* putHtmlEscaped(char* out, std::string_view text);

// A file path as a link target: `%` `#` `?` percent-encoded (they would otherwise end or
// re-read the path), where "\" is no delimiter the backslash and the control bytes too, and
// every byte from 0x80 up when the path is not valid UTF-8 (so that the link leads to the
// file's own bytes); then HTML-escaped for the attribute. A space stays.
void appendLinkTarget(std::string& out, std::string_view path);
// The same written at `out`, as putHtmlEscaped writes.
char* putLinkTarget(char* out, std::string_view path);

// The same target for a script to set as a link's property, or for a file that is not HTML:
// percent-encoded only.
void appendLinkPath(std::string& out, std::string_view path);

// A text as the body of a JavaScript string literal in a script element: `"` and `\` escaped,
// and so is every character that could end the element or the literal (`<`, control characters,
// U+2028, U+2029), as \uXXXX. So is every character from U+0100 on: a page whose scripts hold
// nothing past U+00FF is held by the browser at one byte a character. With `asField`, U+0000,
// U+0001 and U+007F become U+FFFD: the text is a field of a list whose fields are separated by
// a raw U+007F, where "\u0001" alone stands for an empty field.
void appendScriptString(std::string& out, std::string_view text, bool asField = false);
