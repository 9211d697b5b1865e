#include "generator/ReaderCount.h"

#include <algorithm>

namespace {
// Before the first measurement a reader takes few files, so that slow reads show soon.
constexpr std::size_t FirstChunk = 4;
constexpr std::size_t WaitingChunk = 2;
} // namespace

ReaderCount::ReaderCount(int readers, int least, int most)
    : adapting_(readers <= 0), least_(std::max(1, std::min(least, most))), most_(std::max(most, 1)),
      target_(readers > 0 ? readers : least_), chunkLimit_(readers > 0 ? MostChunk : FirstChunk)
{
}

std::size_t ReaderCount::chunk(std::size_t unclaimed) const
{
    // Near the end of the work, smaller pieces keep every reader busy to the last file.
    const std::size_t share = unclaimed / (2 * static_cast<std::size_t>(target_));
    return std::clamp<std::size_t>(share, 1, chunkLimit_);
}

void ReaderCount::chunkRead(std::size_t files, std::int64_t wallNs, std::int64_t cpuNs, std::int64_t waits)
{
    if (!adapting_ || files == 0 || (waits < 0 && cpuNs < 0))
        return;
    const std::int64_t waited = wallNs - cpuNs;
    const bool waiting = waits >= 0 ? waits >= std::int64_t(files)
                                    : waited > cpuNs && waited > std::int64_t(files) * WaitPerFileNs;
    if (waiting) {
        target_ = std::min(most_, target_ * 2);
        chunkLimit_ = WaitingChunk;
    } else {
        target_ = std::max(least_, target_ - 1);
        chunkLimit_ = MostChunk;
    }
}
