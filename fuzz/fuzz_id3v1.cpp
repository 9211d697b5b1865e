// TID3v1Tag::LoadFromBuffer over any bytes, and LoadFromStream over the same bytes.
#include "audio/ID3Tags.h"
#include "audio/Stream.h"
#include "check.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto count = static_cast<std::int32_t>(std::min<std::size_t>(size, INT32_MAX));
    TID3v1Tag tag;
    tag.LoadFromBuffer(data, count);
    FUZZ_CHECK(tag.Present() == (size >= 128 && std::memcmp(data, "TAG", 3) == 0));
    if (tag.Present()) {
        FUZZ_CHECK(tag.Title().size() <= 30 && tag.Artist().size() <= 30 && tag.Album().size() <= 30);
        FUZZ_CHECK(tag.Year().size() <= 4 && tag.Comment().size() <= 30);
        FUZZ_CHECK(tag.Track() >= 0 && tag.Track() <= 255);
        FUZZ_CHECK(tag.Genre().empty() == (tag.GenreID() >= 148));
    }

    TMemoryStream stream(data, size);
    TID3v1Tag fromStream;
    fromStream.LoadFromStream(stream, count);
    FUZZ_CHECK(fromStream.Present() == (size >= 128 && std::memcmp(data + size - 128, "TAG", 3) == 0));
    return 0;
}
