#pragma once
// A small reader of the ID3v2 tag at the start of an MP3 file: it looks only at the first
// 500 bytes and finds each wanted frame by searching for its identifier.
#include <cstddef>
#include <string>

class id3v2tag {
public:
    id3v2tag() = default;

    // Reads the first 500 bytes of the file; returns Present. Raises platform::InOutError
    // when the file cannot be opened or read, leaving every field as it was.
    bool LoadFromFile(const std::string& FileName);
    // The same over bytes in memory; only the first 500 of them are looked at.
    bool LoadFromBuffer(const unsigned char* data, std::size_t size);

    // The four values the page shows; empty unless Present.
    std::string GetArtist() const { return FPresent ? FArtist : std::string(); }
    std::string GetTitle() const { return FPresent ? FTitle : std::string(); }
    std::string GetAlbum() const { return FPresent ? FAlbum : std::string(); }
    std::string GetYear() const { return FPresent ? FYear : std::string(); }

    // The file began with "ID3" at the last load.
    bool Present() const { return FPresent; }

    // Each value is the frame's bytes unchanged, in the encoding named by the matching
    // ...Encoding() (the frame's text-encoding byte; 0 when the value is empty).
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

    // How many bytes of the file are looked at.
    static constexpr std::size_t BufferSize = 500;

private:
    struct Wanted;
    static const Wanted kWanted[];

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
