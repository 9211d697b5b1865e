#include "generator/ReaderCount.h"

#include <algorithm>

namespace {
// Before the first measurement a reader takes few files, so that slow reads show soon.
constexpr std::size_t FirstChunk = 4;
} // namespace

ReaderCount::ReaderCount(int readers, int least, int most)
    : adapting_(readers <= 0), least_(std::max(1, std::min(least, most))), most_(std::max(most, 1)),
      target_(readers > 0 ? readers : least_), chunkLimit_(readers > 0 ? MostChunk : FirstChunk)
{
}

std::size_t ReaderCount::chunk(std::size_t unclaimed) const
{
    // Near the end of the work, smaller pieces keep every reader busy to the last file. While
    // reads wait, a reader opens its files ahead: the more it takes, the more requests it has
    // going while it waits for the first.
    const std::size_t share = unclaimed / (waiting_ ? 2 : 2 * static_cast<std::size_t>(target_));
    return std::clamp<std::size_t>(share, 1, chunkLimit_);
}

void ReaderCount::chunkRead(std::size_t files, std::int64_t wallNs, std::int64_t cpuNs, std::int64_t waits,
                            bool filesLeft)
{
    if (!adapting_ || files == 0 || (waits < 0 && cpuNs < 0))
        return;
    const std::int64_t waited = wallNs - cpuNs;
    // Where the waits are not counted, a chunk that took milliseconds a file with little
    // processor time waited for every file.
    const std::int64_t waitCount =
        waits >= 0 ? waits : waited > cpuNs && waited > std::int64_t(files) * WaitPerFileNs ? std::int64_t(files) : 0;
    if (waitCount > 0 && waitCount * 2 >= std::int64_t(files)) {
        waiting_ = true;
        chunkLimit_ = WaitingChunk;
        target_ = std::max(target_, std::min(most_, std::max(least_, WaitingReaders)));
        // More readers where each file waits long, as on a network share; and only while
        // files wait to be taken: where the walk is what readers wait for, more would wait too.
        if (filesLeft && waited > std::int64_t(files) * SlowFileNs)
            target_ = std::min(most_, target_ * 2);
    } else if (waiting_ && waitCount > 0) {
        // The files opened ahead came while the first was read: as many readers keep the disk
        // as busy, with fewer threads to wake.
    } else {
        target_ = std::max(least_, target_ - 1);
        chunkLimit_ = MostChunk;
        waiting_ = false;
    }
}
