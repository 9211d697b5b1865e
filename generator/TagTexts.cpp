#include "generator/TagTexts.h"

#include "audio/ID3Tags.h"
#include "audio/id3v2.h"
#include "generator/CellFormat.h"
#include "generator/GeneratorSettings.h"
#include "generator/GenreText.h"
#include "generator/PageText.h"
#include "generator/TextEncoding.h"

#include <utility>

unsigned id3v2ValuesOf(TagField field)
{
    switch (field) {
    case TagField::Artist: return id3v2tag::wvArtist;
    case TagField::Title: return id3v2tag::wvTitle;
    case TagField::Album: return id3v2tag::wvAlbum;
    case TagField::Year: return id3v2tag::wvYear;
    case TagField::Track: return id3v2tag::wvTrack;
    case TagField::Genre: return id3v2tag::wvGenre;
    case TagField::AlbumArtist: return id3v2tag::wvAlbumArtist;
    }
    return 0;
}

std::string_view id3v1Text(const TID3v1Tag& tag, TagField field, platform::LegacyEncoding legacy,
                           std::string& scratch)
{
    switch (field) {
    case TagField::Artist: return tagTextForPage(tag.Artist(), tagLatin1, legacy, scratch);
    case TagField::Title: return tagTextForPage(tag.Title(), tagLatin1, legacy, scratch);
    case TagField::Album: return tagTextForPage(tag.Album(), tagLatin1, legacy, scratch);
    case TagField::Year: return tagTextForPage(tag.Year(), tagLatin1, legacy, scratch);
    case TagField::Track:
        scratch.clear();
        if (!tag.IsVersion10())
            appendNumber(scratch, tag.Track());
        return scratch;
    // The byte names a genre of the standard list, not of the older one behind Genre().
    case TagField::Genre:
        scratch.clear();
        appendStandardGenre(scratch, tag.GenreID());
        return scratch;
    case TagField::AlbumArtist: return {}; // the tag has no such field
    }
    return {};
}

std::string_view id3v2Text(const id3v2tag& tag, TagField field, platform::LegacyEncoding legacy,
                           std::string& scratch)
{
    const auto value = [&tag, field]() -> std::pair<const std::string&, int> {
        switch (field) {
        case TagField::Artist: return {tag.Artist(), tag.ArtistEncoding()};
        case TagField::Title: return {tag.Title(), tag.TitleEncoding()};
        case TagField::Album: return {tag.Album(), tag.AlbumEncoding()};
        case TagField::Year: return {tag.Year(), tag.YearEncoding()};
        case TagField::Track: return {tag.Track(), tag.TrackEncoding()};
        case TagField::Genre: return {tag.Genre(), tag.GenreEncoding()};
        case TagField::AlbumArtist: break;
        }
        return {tag.AlbumArtist(), tag.AlbumArtistEncoding()};
    }();
    // Most tags lack some of the frames: nothing to decode.
    if (value.first.empty())
        return {};
    if (field == TagField::Genre) {
        genreValuesToPage(value.first, value.second, legacy, scratch);
        return scratch;
    }
    return tagTextForPage(value.first, value.second, legacy, scratch);
}

std::string_view pickTagText(TagField field, int priority, const TID3v1Tag* id3v1, const id3v2tag* id3v2,
                             platform::LegacyEncoding legacy, std::string& scratch)
{
    if (priority != tpID3v2First && priority != tpID3v1First)
        return {};
    const auto take = [&](bool fromId3v2) -> std::string_view {
        if (fromId3v2 && id3v2)
            return id3v2Text(*id3v2, field, legacy, scratch);
        if (!fromId3v2 && id3v1)
            return id3v1Text(*id3v1, field, legacy, scratch);
        return {};
    };
    const bool id3v2First = priority == tpID3v2First;
    const std::string_view first = take(id3v2First);
    return first.empty() ? take(!id3v2First) : first;
}
