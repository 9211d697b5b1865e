#pragma once
// The ID3v2 tag (versions 2.2, 2.3 and 2.4) at the start of an MP3 file, read frame by frame
// until the values the page shows are found, from the stream's buffer where it holds them.
// Frames that are not wanted are passed over by their size, never read: a large picture costs
// at most a read of what follows it.
#include <cstddef>
#include <string>
#include <vector>

class Id3v2Body;
class TStream;
struct Id3v2Header;

class id3v2tag {
public:
    id3v2tag() = default;

    // The values a load looks for, as bits: it reads frame after frame until each of them has
    // been found (the year: in a TYER frame, as a TDRC frame may come first; in version 2.4,
    // which has no TYER, in either) or the tag ends.
    enum TWantedValue : unsigned {
        wvArtist = 1, wvTitle = 2, wvAlbum = 4, wvYear = 8, wvTrack = 16, wvGenre = 32, wvAlbumArtist = 64
    };
    // By default the artist, the title, the album and the year.
    void SetWanted(unsigned Values) { FWanted = Values; }

    // Reads the tag at the start of the file; returns Present. Raises platform::InOutError
    // when the file cannot be opened or read, leaving every field as it was.
    bool LoadFromFile(const std::string& FileName);
    // The tag at the stream's position, the stream's end being the file's.
    bool LoadFromStream(TStream& Stream);
    // The same over bytes in memory.
    bool LoadFromBuffer(const unsigned char* data, std::size_t size);

    // The first read of a file stream for this reader alone: most tags' texts lie in their
    // first KB, before a picture or the padding.
    static constexpr std::size_t FirstRead = 1024;

    // The four values the page shows; empty unless Present.
    std::string GetArtist() const { return Current().Present ? Current().Artist : std::string(); }
    std::string GetTitle() const { return Current().Present ? Current().Title : std::string(); }
    std::string GetAlbum() const { return Current().Present ? Current().Album : std::string(); }
    std::string GetYear() const { return Current().Present ? Current().Year : std::string(); }

    // The file began with a valid tag header at the last load.
    bool Present() const { return Current().Present; }

    // Each value is the first top-level frame's text up to its terminator, its bytes unchanged,
    // in the encoding named by the matching ...Encoding() (the frame's text-encoding byte; 0
    // without a frame). The year is TYER's text, or without a TYER frame the leading digits
    // of TDRC, in ISO-8859-1; in version 2.4 whichever of the two comes first. The URL is WXXX's link, in ISO-8859-1; the comment is COMM's
    // text. The genre holds every value of TCON, each ended by a zero character (the last one
    // may run to the frame's end). As the reading stops once the wanted values are found, the
    // others hold only what frames came before them.
    const std::string& Track() const { return Current().Track; }
    const std::string& EncodedBy() const { return Current().EncodedBy; }
    const std::string& URL() const { return Current().URL; }
    const std::string& Rights() const { return Current().Rights; }
    const std::string& OrigArtist() const { return Current().OrigArtist; }
    const std::string& Composer() const { return Current().Composer; }
    const std::string& Comment() const { return Current().Comment; }
    const std::string& Genre() const { return Current().Genre; }
    const std::string& Year() const { return Current().Year; }
    const std::string& Album() const { return Current().Album; }
    const std::string& Artist() const { return Current().Artist; }
    const std::string& Title() const { return Current().Title; }
    const std::string& AlbumArtist() const { return Current().AlbumArtist; }

    int TrackEncoding() const { return Current().TrackEncoding; }
    int EncodedByEncoding() const { return Current().EncodedByEncoding; }
    int URLEncoding() const { return Current().URLEncoding; }
    int RightsEncoding() const { return Current().RightsEncoding; }
    int OrigArtistEncoding() const { return Current().OrigArtistEncoding; }
    int ComposerEncoding() const { return Current().ComposerEncoding; }
    int CommentEncoding() const { return Current().CommentEncoding; }
    int GenreEncoding() const { return Current().GenreEncoding; }
    int YearEncoding() const { return Current().YearEncoding; }
    int AlbumEncoding() const { return Current().AlbumEncoding; }
    int ArtistEncoding() const { return Current().ArtistEncoding; }
    int TitleEncoding() const { return Current().TitleEncoding; }
    int AlbumArtistEncoding() const { return Current().AlbumArtistEncoding; }

private:
    struct Wanted;
    static const Wanted WantedFrames[];

    // What a load finds.
    struct Values {
        std::string Track, EncodedBy, URL, Rights, OrigArtist, Composer, Comment, Genre, Year, Album, Artist, Title,
            AlbumArtist;
        int TrackEncoding = 0, EncodedByEncoding = 0, URLEncoding = 0, RightsEncoding = 0, OrigArtistEncoding = 0,
            ComposerEncoding = 0, CommentEncoding = 0, GenreEncoding = 0, YearEncoding = 0, AlbumEncoding = 0,
            ArtistEncoding = 0, TitleEncoding = 0, AlbumArtistEncoding = 0;
        bool Present = false;
        // Empty texts, keeping their storage.
        void Clear();
    };

    void ReadFrames(Id3v2Body& Body, const Id3v2Header& Tag);
    const Values& Current() const { return FValues[FCurrent]; }
    Values& Loading() { return FValues[1 - FCurrent]; }

    // A load fills the set that is not current, which becomes current once the load has
    // succeeded: a read error leaves the object as it was, and an object loaded again and
    // again keeps reusing the storage of both.
    Values FValues[2];
    int FCurrent = 0;
    unsigned FWanted = wvArtist | wvTitle | wvAlbum | wvYear;
    // Frames' bytes where they cannot be read where the stream holds them.
    std::vector<unsigned char> FFrameData;
    std::vector<unsigned char> FResynchronised;
};
