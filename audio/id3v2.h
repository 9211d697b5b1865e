#pragma once
// The ID3v2 tag (versions 2.2, 2.3 and 2.4) at the start of an MP3 file, read frame by frame
// until the four texts the page shows are found. Frames that are not wanted are passed over
// by their size, never read: a large picture costs a seek.
#include <cstddef>
#include <string>

class Id3v2Body;
class TStream;
struct Id3v2Header;

class id3v2tag {
public:
    id3v2tag() = default;

    // Reads the tag at the start of the file; returns Present. Raises platform::InOutError
    // when the file cannot be opened or read, leaving every field as it was.
    bool LoadFromFile(const std::string& FileName);
    // The tag at the stream's position, the stream's end being the file's.
    bool LoadFromStream(TStream& Stream);
    // The same over bytes in memory.
    bool LoadFromBuffer(const unsigned char* data, std::size_t size);

    // The read-ahead a file stream for this reader needs: most tags' texts lie in their
    // first KB, before a picture or the padding.
    static constexpr std::size_t ReadAhead = 1024;

    // The four values the page shows; empty unless Present.
    std::string GetArtist() const { return FPresent ? FArtist : std::string(); }
    std::string GetTitle() const { return FPresent ? FTitle : std::string(); }
    std::string GetAlbum() const { return FPresent ? FAlbum : std::string(); }
    std::string GetYear() const { return FPresent ? FYear : std::string(); }

    // The file began with a valid tag header at the last load.
    bool Present() const { return FPresent; }

    // Each value is the first top-level frame's text up to its terminator, its bytes unchanged,
    // in the encoding named by the matching ...Encoding() (the frame's text-encoding byte; 0
    // without a frame). The year is TYER's text, or without a TYER frame the leading digits
    // of TDRC, in ISO-8859-1. The URL is WXXX's link, in ISO-8859-1; the comment is COMM's
    // text. As the reading stops once artist, title, album and TYER are found, the other
    // values hold only what frames came before them.
    const std::string& Track() const { return FTrack; }
    const std::string& EncodedBy() const { return FEncodedBy; }
    const std::string& URL() const { return FURL; }
    const std::string& Rights() const { return FRights; }
    const std::string& OrigArtist() const { return FOrigArtist; }
    const std::string& Composer() const { return FComposer; }
    const std::string& Comment() const { return FComment; }
    const std::string& Genre() const { return FGenre; }
    const std::string& Year() const { return FYear; }
    const std::string& Album() const { return FAlbum; }
    const std::string& Artist() const { return FArtist; }
    const std::string& Title() const { return FTitle; }

    int TrackEncoding() const { return FTrackEncoding; }
    int EncodedByEncoding() const { return FEncodedByEncoding; }
    int URLEncoding() const { return FURLEncoding; }
    int RightsEncoding() const { return FRightsEncoding; }
    int OrigArtistEncoding() const { return FOrigArtistEncoding; }
    int ComposerEncoding() const { return FComposerEncoding; }
    int CommentEncoding() const { return FCommentEncoding; }
    int GenreEncoding() const { return FGenreEncoding; }
    int YearEncoding() const { return FYearEncoding; }
    int AlbumEncoding() const { return FAlbumEncoding; }
    int ArtistEncoding() const { return FArtistEncoding; }
    int TitleEncoding() const { return FTitleEncoding; }

private:
    struct Wanted;
    static const Wanted kWanted[];

    void ReadFrames(Id3v2Body& Body, const Id3v2Header& Tag);

    std::string FTrack;
    std::string FEncodedBy;
    std::string FURL;
    std::string FRights;
    std::string FOrigArtist;
    std::string FComposer;
    std::string FComment;
    std::string FGenre;
    std::string FYear;
    std::string FAlbum;
    std::string FArtist;
    std::string FTitle;
    bool FPresent = false;

    int FTrackEncoding = 0;
    int FEncodedByEncoding = 0;
    int FURLEncoding = 0;
    int FRightsEncoding = 0;
    int FOrigArtistEncoding = 0;
    int FComposerEncoding = 0;
    int FCommentEncoding = 0;
    int FGenreEncoding = 0;
    int FYearEncoding = 0;
    int FAlbumEncoding = 0;
    int FArtistEncoding = 0;
    int FTitleEncoding = 0;
};
