#pragma once
// The texts a file's tags give the page, field by field from the ID3v1 and the ID3v2 tag, in
// the page's encoding, and the pick between the two by the tag priority.
#include "platform/LegacyEncoding.h"

#include <string>
#include <string_view>

class TID3v1Tag;
class id3v2tag;

enum class TagField { Artist, Title, Album, Year, Track, Genre, AlbumArtist };
constexpr int TagFieldCount = 7;

// The values of id3v2tag (its wanted-value bits) the field is read from.
unsigned id3v2ValuesOf(TagField field);

// The field's text from one tag; empty where the tag has none. Single-byte text that is not
// UTF-8 is read in `legacy`. The text lies in the tag where it needs no conversion and in
// `scratch` otherwise, valid while both are.
std::string_view id3v1Text(const TID3v1Tag& tag, TagField field, platform::LegacyEncoding legacy,
                           std::string& scratch);
std::string_view id3v2Text(const id3v2tag& tag, TagField field, platform::LegacyEncoding legacy,
                           std::string& scratch);

// The field by the tag priority (0 ID3v2 first, 1 ID3v1 first): the first tag's text where it
// is not empty, the other's otherwise; any other priority gives an empty text. A tag that is
// not there is passed as nullptr. Where it lies as above.
std::string_view pickTagText(TagField field, int priority, const TID3v1Tag* id3v1, const id3v2tag* id3v2,
                             platform::LegacyEncoding legacy, std::string& scratch);
