#include "audio/ID3Tags.h"

#include "audio/Stream.h"

#include <algorithm>

namespace {

const std::int32_t kBlockSize = 128;

// A fixed-width text field: up to its first zero byte, without trailing blanks and control
// characters.
std::string field(const unsigned char* block, int offset, int size)
{
    const unsigned char* begin = block + offset;
    const unsigned char* end = std::find(begin, begin + size, 0);
    while (end != begin && end[-1] <= ' ')
        --end;
    return std::string(begin, end);
}

} // namespace

void TID3v1Tag::LoadFromBuffer(const unsigned char* Buffer, std::int32_t Size)
{
    FPresent = false;
    if (Size < kBlockSize)
        return;
    if (field(Buffer, 0, 3) != "TAG")
        return;
    FPresent = true;
    FTitle = field(Buffer, 3, 30);
    FArtist = field(Buffer, 33, 30);
    FAlbum = field(Buffer, 63, 30);
    FYear = field(Buffer, 93, 4);
    // Over all 30 bytes: in the ID3v1.1 layout the zero at 125 ends the comment.
    FComment = field(Buffer, 97, 30);
    FIsVersion10 = !(Buffer[125] == 0 && Buffer[126] != 0);
    FTrack = FIsVersion10 ? 0 : Buffer[126];
    FGenreID = Buffer[127];
    const auto& genres = ID3v1Genres();
    FGenre = FGenreID < static_cast<std::int32_t>(genres.size()) ? genres[FGenreID] : std::string();
}

void TID3v1Tag::LoadFromStream(TStream& Stream, std::int64_t Count)
{
    if (Count < kBlockSize) {
        FPresent = false;
        return;
    }
    unsigned char block[kBlockSize];
    Stream.Seek(Stream.Position() + Count - kBlockSize);
    Stream.ReadBuffer(block, kBlockSize);
    LoadFromBuffer(block, kBlockSize);
}
