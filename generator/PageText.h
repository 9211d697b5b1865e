#pragma once
// Texts as the page shows them, looked at where they lie: most tag texts, names and paths are
// ASCII, which is the page's text as it stands in every encoding, and need neither a
// conversion nor a copy.
#include "platform/LegacyEncoding.h"

#include <string>
#include <string_view>

// What tagTextToPage makes of a tag's text: `bytes` themselves (up to the text's end) where
// they are ASCII, else the conversion, made in `scratch`.
std::string_view tagTextForPage(std::string_view bytes, int encoding, platform::LegacyEncoding legacy,
                                std::string& scratch);

// What nameToPage and pathToPage make of a name or a path: `text` itself where it is ASCII,
// else the conversion, made in `scratch`.
std::string_view nameForPage(std::string_view text, platform::LegacyEncoding legacy, std::string& scratch);
std::string_view pathForPage(std::string_view path, platform::LegacyEncoding legacy, std::string& scratch);
