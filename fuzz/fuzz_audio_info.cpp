// TAudioInfo over any bytes: the whole input as one file, from memory and from a file, which must
// agree, and the same bytes read from a later start position with a Count beyond the end.
#include "audio/AudioInfo.h"
#include "audio/Stream.h"
#include "check.h"
#include "MemoryFile.h"

#include <algorithm>
#include <cstdint>

namespace {

void checkResults(const TAudioInfo& info, std::int64_t available)
{
    FUZZ_CHECK(info.FirstFrameOffset() >= -1 && info.FirstFrameOffset() < std::max<std::int64_t>(available, 1));
    FUZZ_CHECK(info.FrameHeader().Valid() == (info.FirstFrameOffset() >= 0));
    // A free-format header is never the first frame.
    FUZZ_CHECK(!info.FrameHeader().Valid() || info.FrameHeader().BitRate() > 0);
    FUZZ_CHECK(!info.IsVBR() || info.FrameHeader().Valid());
    FUZZ_CHECK(info.Duration() >= 0 && info.Duration() % 1000 == 0);
    FUZZ_CHECK(!info.ID3v1().Present() || available >= 128);
}

TAudioInfo load(TMemoryStream& stream, std::int64_t start, std::int64_t count, std::int64_t available)
{
    stream.Seek(start);
    TAudioInfo info;
    info.LoadFromStream(stream, count);
    checkResults(info, available);
    return info;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    TMemoryStream stream(data, size);
    const auto count = static_cast<std::int64_t>(size);
    const TAudioInfo info = load(stream, 0, count, count);

    TAudioInfo fromFile;
    fromFile.LoadFromFile(memoryFile(data, size));
    FUZZ_CHECK(fromFile.FileSize() == count);
    FUZZ_CHECK(fromFile.FrameHeader().Valid() == info.FrameHeader().Valid());
    FUZZ_CHECK(fromFile.FirstFrameOffset() == info.FirstFrameOffset());
    FUZZ_CHECK(fromFile.IsVBR() == info.IsVBR());
    FUZZ_CHECK(!info.FrameHeader().Valid() || fromFile.Duration() == info.Duration());
    FUZZ_CHECK(fromFile.ID3v1().Present() == info.ID3v1().Present());

    if (size > 0) {
        const std::int64_t start = data[0] % 64;
        load(stream, start, INT64_MAX, std::max<std::int64_t>(count - start, 0));
    }
    return 0;
}
