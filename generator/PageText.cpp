#include "generator/PageText.h"

#include "generator/TextEncoding.h"
#include "generator/Utf8.h"

std::string_view tagTextForPage(std::string_view bytes, int encoding, platform::LegacyEncoding legacy,
                                std::string& scratch)
{
    // A single-byte or UTF-8 text ends at its first zero byte.
    if (encoding != tagUtf16 && encoding != tagUtf16BE) {
        const std::size_t ascii = plainAsciiLength(bytes);
        if (ascii == bytes.size() || bytes[ascii] == '\0')
            return bytes.substr(0, ascii);
    }
    tagTextToPage(bytes, encoding, legacy, scratch);
    return scratch;
}

std::string_view nameForPage(std::string_view text, platform::LegacyEncoding legacy, std::string& scratch)
{
    if (plainAsciiLength(text) == text.size())
        return text;
    nameToPage(text, legacy, scratch);
    return scratch;
}

std::string_view pathForPage(std::string_view path, platform::LegacyEncoding legacy, std::string& scratch)
{
    if (plainAsciiLength(path) == path.size())
        return path;
    pathToPage(path, legacy, scratch);
    return scratch;
}
