// id3v2tag over any bytes: from memory, from a later stream position and from a file, which
// must all read the same tag.
#include "audio/Stream.h"
#include "audio/id3v2.h"
#include "check.h"
#include "MemoryFile.h"

#include <cstdint>
#include <cstring>
#include <vector>

namespace {

// "ID3", a version read here, a revision other than 0xFF and a size of four 7-bit bytes.
bool isTagHeader(const std::uint8_t* data, std::size_t size)
{
    return size >= 10 && std::memcmp(data, "ID3", 3) == 0 && data[3] >= 2 && data[3] <= 4 && data[4] != 0xFF &&
           (data[6] | data[7] | data[8] | data[9]) < 0x80;
}

void checkSame(const id3v2tag& a, const id3v2tag& b)
{
    FUZZ_CHECK(a.Present() == b.Present());
    FUZZ_CHECK(a.Artist() == b.Artist() && a.Title() == b.Title() && a.Album() == b.Album() && a.Year() == b.Year());
    FUZZ_CHECK(a.Genre() == b.Genre() && a.Comment() == b.Comment() && a.URL() == b.URL() && a.Track() == b.Track() &&
               a.AlbumArtist() == b.AlbumArtist());
    FUZZ_CHECK(a.ArtistEncoding() == b.ArtistEncoding() && a.TitleEncoding() == b.TitleEncoding() &&
               a.AlbumEncoding() == b.AlbumEncoding() && a.YearEncoding() == b.YearEncoding());
}

// Every value the page can show: the tag is read to its end unless each is found.
const unsigned Everything = id3v2tag::wvArtist | id3v2tag::wvTitle | id3v2tag::wvAlbum | id3v2tag::wvYear |
                            id3v2tag::wvTrack | id3v2tag::wvGenre | id3v2tag::wvAlbumArtist;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    id3v2tag tag;
    tag.SetWanted(Everything);
    const bool present = tag.LoadFromBuffer(data, size);
    FUZZ_CHECK(present == tag.Present());
    FUZZ_CHECK(present == isTagHeader(data, size));
    const std::pair<const std::string&, int> values[] = {
        {tag.Track(), tag.TrackEncoding()},       {tag.EncodedBy(), tag.EncodedByEncoding()},
        {tag.URL(), tag.URLEncoding()},           {tag.Rights(), tag.RightsEncoding()},
        {tag.OrigArtist(), tag.OrigArtistEncoding()}, {tag.Composer(), tag.ComposerEncoding()},
        {tag.Comment(), tag.CommentEncoding()},   {tag.Genre(), tag.GenreEncoding()},
        {tag.Year(), tag.YearEncoding()},         {tag.Album(), tag.AlbumEncoding()},
        {tag.Artist(), tag.ArtistEncoding()},     {tag.Title(), tag.TitleEncoding()},
        {tag.AlbumArtist(), tag.AlbumArtistEncoding()},
    };
    for (const auto& [value, encoding] : values) {
        FUZZ_CHECK(value.size() < 65536 && (value.empty() || value.size() < size));
        FUZZ_CHECK(encoding >= 0 && encoding <= 255);
    }

    // The same bytes behind others, read from the stream's position.
    std::vector<std::uint8_t> shifted(7, 0xFF);
    shifted.insert(shifted.end(), data, data + size);
    TMemoryStream stream(shifted.data(), shifted.size());
    stream.Seek(7);
    id3v2tag fromStream;
    fromStream.SetWanted(Everything);
    FUZZ_CHECK(fromStream.LoadFromStream(stream) == present);
    checkSame(tag, fromStream);

    id3v2tag fromFile;
    fromFile.SetWanted(Everything);
    FUZZ_CHECK(fromFile.LoadFromFile(memoryFile(data, size)) == present);
    checkSame(tag, fromFile);
    return 0;
}
