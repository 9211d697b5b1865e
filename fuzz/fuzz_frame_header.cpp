// TMpegFrameHdr::FindFrame over any bytes.
#include "audio/MpegFrameHdr.h"
#include "check.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto count = static_cast<std::int32_t>(std::min<std::size_t>(size, INT32_MAX));
    TMpegFrameHdr header;
    const std::int32_t at = header.FindFrame(data, count);
    FUZZ_CHECK(at == -1 || (at >= 0 && at <= count - 4));
    FUZZ_CHECK(header.Valid() == (at >= 0));
    if (at < 0)
        return 0;
    FUZZ_CHECK(std::memcmp(header.RawHeader(), data + at, 4) == 0);
    FUZZ_CHECK(header.Version() >= 1 && header.Version() <= 3);
    FUZZ_CHECK(header.Layer() >= 1 && header.Layer() <= 3);
    FUZZ_CHECK(header.BitRate() >= 0 && header.SampleRate() > 0);
    FUZZ_CHECK(header.FrameLength() >= header.PaddingSize());
    FUZZ_CHECK(header.SamplesPerFrame() > 0);
    return 0;
}
