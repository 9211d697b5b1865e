#include "audio/id3v2.h"

#include "platform/Errors.h"
#include "platform/ReadOnlyFile.h"

#include <algorithm>
#include <array>
#include <cstring>

// A wanted frame: its identifier, how many bytes after the encoding byte come before the
// value, and where the value and its encoding byte go.
struct id3v2tag::Wanted {
    const char* id;
    int skip;
    std::string id3v2tag::*value;
    int id3v2tag::*encoding;
};

const id3v2tag::Wanted id3v2tag::kWanted[] = {
    {"TPE1", 0, &id3v2tag::FArtist, &id3v2tag::FArtistEncoding},
    {"TIT2", 0, &id3v2tag::FTitle, &id3v2tag::FTitleEncoding},
    {"TALB", 0, &id3v2tag::FAlbum, &id3v2tag::FAlbumEncoding},
    {"TYER", 0, &id3v2tag::FYear, &id3v2tag::FYearEncoding},
    {"TCON", 0, &id3v2tag::FGenre, &id3v2tag::FGenreEncoding},
    {"TCOM", 0, &id3v2tag::FComposer, &id3v2tag::FComposerEncoding},
    {"TOPE", 0, &id3v2tag::FOrigArtist, &id3v2tag::FOrigArtistEncoding},
    {"TCOP", 0, &id3v2tag::FRights, &id3v2tag::FRightsEncoding},
    // The terminator of an empty description.
    {"WXXX", 1, &id3v2tag::FURL, &id3v2tag::FURLEncoding},
    {"TENC", 0, &id3v2tag::FEncodedBy, &id3v2tag::FEncodedByEncoding},
    // The language code and the terminator of an empty short description.
    {"COMM", 4, &id3v2tag::FComment, &id3v2tag::FCommentEncoding},
    {"TRCK", 0, &id3v2tag::FTrack, &id3v2tag::FTrackEncoding},
};

namespace {

using Buffer = std::array<unsigned char, id3v2tag::BufferSize>;

// Identifier at p+0, size at p+4 (only frames below 256 bytes: the high bytes must be zero),
// flags at p+8, encoding at p+10, content from p+11. Past 488 the content would begin
// outside the buffer.
const std::size_t kLastFramePos = 488;

struct FrameValue {
    std::string text;
    int encoding = 0;
};

constexpr std::size_t kWantedCount = 12;
constexpr std::size_t kNotFound = id3v2tag::BufferSize;
using Identifiers = std::array<const char*, kWantedCount>;

// The first position of every wanted identifier, found in one pass over the buffer rather
// than one search per identifier: this runs for every file of the library.
std::array<std::size_t, kWantedCount> firstOccurrences(const Buffer& buf, const Identifiers& ids)
{
    std::array<std::size_t, kWantedCount> first;
    first.fill(kNotFound);
    std::size_t missing = kWantedCount;
    for (std::size_t i = 0; i + 4 <= buf.size() && missing > 0; ++i) {
        const unsigned char c = buf[i];
        if (c != 'T' && c != 'W' && c != 'C')
            continue;
        for (std::size_t k = 0; k < kWantedCount; ++k) {
            if (first[k] == kNotFound && std::memcmp(&buf[i], ids[k], 4) == 0) {
                first[k] = i;
                --missing;
                break;
            }
        }
    }
    return first;
}

FrameValue frameValue(const Buffer& buf, std::size_t p, int skip)
{
    if (p == kNotFound || p > kLastFramePos || buf[p + 4] != 0 || buf[p + 5] != 0 || buf[p + 6] != 0)
        return {};
    const int length = buf[p + 7] - 1 - skip;
    const std::size_t begin = p + 11 + skip;
    if (length <= 0 || begin >= buf.size())
        return {};
    const std::size_t end = std::min(begin + static_cast<std::size_t>(length), buf.size());
    return {std::string(buf.begin() + begin, buf.begin() + end), buf[p + 10]};
}

} // namespace

bool id3v2tag::LoadFromBuffer(const unsigned char* data, std::size_t size)
{
    Buffer buf {};
    if (size > 0)
        std::memcpy(buf.data(), data, std::min(size, buf.size()));
    if (std::memcmp(buf.data(), "ID3", 3) != 0) {
        FPresent = false;
        return false;
    }
    FPresent = true;
    static_assert(sizeof kWanted / sizeof kWanted[0] == kWantedCount);
    Identifiers ids;
    for (std::size_t k = 0; k < kWantedCount; ++k)
        ids[k] = kWanted[k].id;
    const auto positions = firstOccurrences(buf, ids);
    for (std::size_t k = 0; k < kWantedCount; ++k) {
        const Wanted& wanted = kWanted[k];
        FrameValue value = frameValue(buf, positions[k], wanted.skip);
        this->*wanted.value = std::move(value.text);
        this->*wanted.encoding = value.encoding;
    }
    return true;
}

bool id3v2tag::LoadFromFile(const std::string& FileName)
{
    int err = 0;
    auto file = platform::ReadOnlyFile::tryOpen(FileName, err);
    if (!file)
        throw platform::InOutError(platform::InOutError::fromErrno(err));
    Buffer buf {};
    const std::size_t got = file->readAt(0, buf.data(), buf.size());
    return LoadFromBuffer(buf.data(), got);
}
