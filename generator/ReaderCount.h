#pragma once
// How many files are read at once, and how many a reader takes at a time. While reads come
// from memory, about one reader per core, each taking many files (a hand-off per file would
// cost more than it saves). While reads wait, a few readers for every core, each opening the
// files it takes ahead of reading them, so that a disk reads many at once with few threads to
// wake; where each file waits long (opening one on a network share waits for the share), more
// readers, up to `most`, so that many requests wait at the same time.
#include <cstddef>
#include <cstdint>

class ReaderCount {
public:
    // Fixed at `readers` when it is 1 or more; when 0, adapting between `least` (enough to keep
    // every core busy while reads come from memory) and `most`.
    ReaderCount(int readers, int least, int most);

    int target() const { return target_; }
    // Whether reads wait now: a reader then opens the files it takes ahead of reading them.
    bool waiting() const { return waiting_; }
    // How many of the `unclaimed` files waiting to be read a reader takes now (at least 1).
    std::size_t chunk(std::size_t unclaimed) const;
    // A reader read `files` files in `wallNs`, during which its thread ran `cpuNs` and gave up
    // the processor to wait `waits` times (either -1 when the system cannot tell). Reads wait
    // when the thread waited at least every other file; where that is not known, when the time
    // passed is more than twice the time run and more than WaitPerFileNs a file (a warm read
    // takes microseconds, and being preempted now and then must not count). Readers are added
    // while files wait more than SlowFileNs each and `filesLeft` says that files were left for
    // another reader. Fewer waits, while reads wait, keep the count as it is.
    void chunkRead(std::size_t files, std::int64_t wallNs, std::int64_t cpuNs, std::int64_t waits,
                   bool filesLeft = true);

    // The most files a reader takes at a time, and while reads wait.
    static constexpr std::size_t MostChunk = 32;
    static constexpr std::size_t WaitingChunk = 16;
    // The fewest readers while reads wait.
    static constexpr int WaitingReaders = 8;
    static constexpr std::int64_t WaitPerFileNs = 200000;
    static constexpr std::int64_t SlowFileNs = 500000;

private:
    bool adapting_;
    int least_;
    int most_;
    int target_;
    std::size_t chunkLimit_;
    bool waiting_ = false;
};
