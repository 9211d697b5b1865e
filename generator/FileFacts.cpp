#include "generator/FileFacts.h"

#include "audio/AudioInfo.h"
#include "audio/Stream.h"
#include "audio/id3v2.h"
#include "generator/TextEncoding.h"
#include "platform/ReadOnlyFile.h"

#include <functional>

namespace {

using OpenFile = std::function<std::unique_ptr<platform::ReadOnlyFile>()>;

FileFacts readFacts(const OpenFile& open)
{
    FileFacts facts;
    {
        TAudioInfo info;
        TFileStream stream(open());
        info.LoadFromStream(stream, stream.Size());
        const TID3v1Tag& v1 = info.ID3v1();
        if (v1.Present()) {
            facts.ID3v1.Artist = tagTextToPage(v1.Artist(), tagLatin1);
            facts.ID3v1.Title = tagTextToPage(v1.Title(), tagLatin1);
            facts.ID3v1.Album = tagTextToPage(v1.Album(), tagLatin1);
            facts.ID3v1.Year = tagTextToPage(v1.Year(), tagLatin1);
        }
        facts.FrameValid = info.FrameHeader().Valid();
        facts.Duration = info.Duration();
    }
    id3v2tag v2;
    {
        TFileStream stream(open(), id3v2tag::ReadAhead);
        v2.LoadFromStream(stream);
    }
    facts.ID3v2.Artist = tagTextToPage(v2.GetArtist(), v2.ArtistEncoding());
    facts.ID3v2.Title = tagTextToPage(v2.GetTitle(), v2.TitleEncoding());
    facts.ID3v2.Album = tagTextToPage(v2.GetAlbum(), v2.AlbumEncoding());
    facts.ID3v2.Year = tagTextToPage(v2.GetYear(), v2.YearEncoding());
    return facts;
}

} // namespace

FileFacts readFileFacts(const std::string& path)
{
    return readFacts([&path] { return std::make_unique<platform::ReadOnlyFile>(path); });
}

FileFacts readFileFacts(const platform::Directory& folder, const std::string& name)
{
    return readFacts([&] { return std::make_unique<platform::ReadOnlyFile>(folder, name); });
}
