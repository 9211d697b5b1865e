#include "audio/ID3Tags.h"

#include "audio/Stream.h"

#include <algorithm>
#include <cstring>

namespace {

const std::int32_t BlockSize = 128;

// A fixed-width text field: up to its first zero byte, without trailing blanks and control
// characters. Assigned, so that a tag loaded again keeps the storage of its texts.
void assignField(std::string& text, const unsigned char* block, int offset, int size)
{
    const unsigned char* begin = block + offset;
    const void* zero = std::memchr(begin, 0, static_cast<std::size_t>(size));
    const unsigned char* end = zero ? static_cast<const unsigned char*>(zero) : begin + size;
    while (end != begin && end[-1] <= ' ')
        --end;
    text.assign(reinterpret_cast<const char*>(begin), static_cast<std::size_t>(end - begin));
}

} // namespace

void TID3v1Tag::LoadFromBuffer(const unsigned char* Buffer, std::int32_t Size)
{
    FPresent = false;
    if (Size < BlockSize)
        return;
    if (std::memcmp(Buffer, "TAG", 3) != 0)
        return;
    FPresent = true;
    assignField(FTitle, Buffer, 3, 30);
    assignField(FArtist, Buffer, 33, 30);
    assignField(FAlbum, Buffer, 63, 30);
    assignField(FYear, Buffer, 93, 4);
    // Over all 30 bytes: in the ID3v1.1 layout the zero at 125 ends the comment.
    assignField(FComment, Buffer, 97, 30);
    FIsVersion10 = !(Buffer[125] == 0 && Buffer[126] != 0);
    FTrack = FIsVersion10 ? 0 : Buffer[126];
    FGenreID = Buffer[127];
    const auto& genres = ID3v1Genres();
    if (FGenreID < static_cast<std::int32_t>(genres.size()))
        FGenre.assign(genres[FGenreID]);
    else
        FGenre.clear();
}

void TID3v1Tag::LoadFromStream(TStream& Stream, std::int64_t Count)
{
    if (Count < BlockSize) {
        FPresent = false;
        return;
    }
    unsigned char block[BlockSize];
    Stream.Seek(Stream.Position() + Count - BlockSize);
    Stream.ReadBuffer(block, BlockSize);
    LoadFromBuffer(block, BlockSize);
}
