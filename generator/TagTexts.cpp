#include "generator/TagTexts.h"

#include "audio/ID3Tags.h"
#include "audio/id3v2.h"
#include "generator/CellFormat.h"
#include "generator/GeneratorSettings.h"
#include "generator/GenreText.h"
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

void id3v1Text(const TID3v1Tag& tag, TagField field, platform::LegacyEncoding legacy, std::string& out)
{
    out.clear();
    switch (field) {
    case TagField::Artist: tagTextToPage(tag.Artist(), tagLatin1, legacy, out); return;
    case TagField::Title: tagTextToPage(tag.Title(), tagLatin1, legacy, out); return;
    case TagField::Album: tagTextToPage(tag.Album(), tagLatin1, legacy, out); return;
    case TagField::Year: tagTextToPage(tag.Year(), tagLatin1, legacy, out); return;
    case TagField::Track:
        if (!tag.IsVersion10())
            appendNumber(out, tag.Track());
        return;
    // The byte names a genre of the standard list, not of the older one behind Genre().
    case TagField::Genre: appendStandardGenre(out, tag.GenreID()); return;
    case TagField::AlbumArtist: return; // the tag has no such field
    }
}

void id3v2Text(const id3v2tag& tag, TagField field, platform::LegacyEncoding legacy, std::string& out)
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
        out.clear();
    else if (field == TagField::Genre)
        genreValuesToPage(value.first, value.second, legacy, out);
    else
        tagTextToPage(value.first, value.second, legacy, out);
}

void pickTagText(TagField field, int priority, const TID3v1Tag* id3v1, const id3v2tag* id3v2,
                 platform::LegacyEncoding legacy, std::string& out)
{
    out.clear();
    if (priority != tpID3v2First && priority != tpID3v1First)
        return;
    const auto take = [&](bool fromId3v2) {
        if (fromId3v2 && id3v2)
            id3v2Text(*id3v2, field, legacy, out);
        else if (!fromId3v2 && id3v1)
            id3v1Text(*id3v1, field, legacy, out);
    };
    const bool id3v2First = priority == tpID3v2First;
    take(id3v2First);
    if (out.empty())
        take(!id3v2First);
}
