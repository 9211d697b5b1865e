// id3v2tag over the first bytes of a file.
#include "audio/id3v2.h"
#include "check.h"

#include <cstdint>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    id3v2tag tag;
    const bool present = tag.LoadFromBuffer(data, size);
    FUZZ_CHECK(present == tag.Present());
    FUZZ_CHECK(present == (size >= 3 && std::memcmp(data, "ID3", 3) == 0));
    const std::pair<const std::string&, int> values[] = {
        {tag.Track(), tag.TrackEncoding()},       {tag.EncodedBy(), tag.EncodedByEncoding()},
        {tag.URL(), tag.URLEncoding()},           {tag.Rights(), tag.RightsEncoding()},
        {tag.OrigArtist(), tag.OrigArtistEncoding()}, {tag.Composer(), tag.ComposerEncoding()},
        {tag.Comment(), tag.CommentEncoding()},   {tag.Genre(), tag.GenreEncoding()},
        {tag.Year(), tag.YearEncoding()},         {tag.Album(), tag.AlbumEncoding()},
        {tag.Artist(), tag.ArtistEncoding()},     {tag.Title(), tag.TitleEncoding()},
    };
    for (const auto& [value, encoding] : values) {
        FUZZ_CHECK(value.size() <= 254);
        FUZZ_CHECK(encoding >= 0 && encoding <= 255);
        FUZZ_CHECK(!value.empty() || encoding == 0);
    }
    return 0;
}
