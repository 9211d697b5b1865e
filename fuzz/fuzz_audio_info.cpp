// TAudioInfo::LoadFromStream over a memory stream: the whole input as one file, and the same
// bytes read from a later start position with a Count beyond the end.
#include "audio/AudioInfo.h"
#include "audio/Stream.h"
#include "check.h"

#include <algorithm>
#include <climits>
#include <cstdint>

namespace {

void load(TMemoryStream& stream, std::int64_t start, std::int32_t count, std::int64_t available)
{
    stream.Seek(start);
    TAudioInfo info;
    info.LoadFromStream(stream, count);
    FUZZ_CHECK(info.FirstFrameOffset() >= -1 && info.FirstFrameOffset() < std::max<std::int64_t>(available, 1));
    FUZZ_CHECK(!info.FrameHeader().Valid() || info.FirstFrameOffset() >= 0);
    FUZZ_CHECK(!info.IsVBR() || info.FrameHeader().Valid());
    FUZZ_CHECK(info.Duration() >= 0 && info.Duration() % 1000 == 0);
    FUZZ_CHECK(!info.ID3v1().Present() || available >= 128);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size > INT32_MAX)
        return 0;
    TMemoryStream stream(data, size);
    const auto count = static_cast<std::int32_t>(size);
    load(stream, 0, count, count);
    if (size > 0) {
        const std::int64_t start = data[0] % 64;
        load(stream, start, INT32_MAX, std::max<std::int64_t>(count - start, 0));
    }
    return 0;
}
