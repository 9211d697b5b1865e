#include "generator/FileFacts.h"

#include "audio/AudioInfo.h"
#include "audio/id3v2.h"
#include "generator/TextEncoding.h"

FileFacts readFileFacts(const std::string& path)
{
    FileFacts facts;
    {
        TAudioInfo info;
        info.LoadFromFile(path);
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
    v2.LoadFromFile(path);
    facts.ID3v2.Artist = tagTextToPage(v2.GetArtist(), v2.ArtistEncoding());
    facts.ID3v2.Title = tagTextToPage(v2.GetTitle(), v2.TitleEncoding());
    facts.ID3v2.Album = tagTextToPage(v2.GetAlbum(), v2.AlbumEncoding());
    facts.ID3v2.Year = tagTextToPage(v2.GetYear(), v2.YearEncoding());
    return facts;
}
