#pragma once
// Texts as the page shows them, looked at where they lie: most tag texts and file names are
// ASCII, which is the page's text as it stands, and need neither a conversion nor a copy.
#include <string>
#include <string_view>

// What tagTextToPage makes of a tag's text: `bytes` themselves (up to the text's end) where
// they are ASCII, else the conversion, made in `scratch`.
std::string_view tagTextForPage(std::string_view bytes, int encoding, std::string& scratch);

// What nameToPage makes of a name or a path: `text` itself where it is ASCII, else the
// conversion, made in `scratch`.
std::string_view nameForPage(std::string_view text, std::string& scratch);
