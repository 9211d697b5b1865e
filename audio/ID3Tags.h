#pragma once
// The 128-byte ID3v1 tag that may close an MP3 file, and the genre names its genre byte indexes.
#include <cstdint>
#include <string>
#include <vector>

class TStream;

// The 148 genre names, indexed by the tag's genre byte, as Genre() gives them. Built on first
// use (thread-safe) and read-only afterwards, as is the list below.
const std::vector<std::string>& ID3v1Genres();

// The 192 genres that a genre byte or a number in an ID3v2 genre names, spelled as taggers
// spell them today ("Contemporary Christian", where Genre() says "Contemporary Ch?").
const std::vector<std::string>& StandardGenres();

class TID3v1Tag {
public:
    TID3v1Tag() = default;

    // Parses a block in memory; Present tells whether it is a tag. A block that is not a tag
    // leaves the other fields as they were.
    void LoadFromBuffer(const unsigned char* Buffer, std::int32_t Size);
    // Looks for the tag in the last 128 of the Count bytes from the stream's position.
    // Raises platform::StreamReadError when the stream cannot deliver them.
    void LoadFromStream(TStream& Stream, std::int64_t Count);

    bool Present() const { return FPresent; }
    void SetPresent(bool Value) { FPresent = Value; }
    // No track number: the ID3v1.0 layout.
    bool IsVersion10() const { return FIsVersion10; }
    const std::string& Title() const { return FTitle; }
    const std::string& Artist() const { return FArtist; }
    const std::string& Album() const { return FAlbum; }
    // 1..255, 0 when there is none.
    std::int32_t Track() const { return FTrack; }
    const std::string& Comment() const { return FComment; }
    const std::string& Year() const { return FYear; }
    std::int32_t GenreID() const { return FGenreID; }
    // Empty for a genre byte outside the table.
    const std::string& Genre() const { return FGenre; }

private:
    bool FPresent = false;
    bool FIsVersion10 = false;
    std::string FTitle;
    std::string FArtist;
    std::string FAlbum;
    std::int32_t FTrack = 0;
    std::string FComment;
    std::string FYear;
    std::int32_t FGenreID = 0;
    std::string FGenre;
};
