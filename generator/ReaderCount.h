#pragma once
// How many files are read at once, and how many a reader takes at a time. While reads come
// from memory, about one reader per core, each taking many files (a hand-off per file would
// cost more than it saves). While reads wait, for a disk or a network share, more readers,
// up to `most`, each taking few files, so that many requests wait at the same time.
#include <cstddef>
#include <cstdint>

class ReaderCount {
public:
    // Fixed at `readers` when it is 1 or more; when 0, adapting between `least` (enough to keep
    // every core busy while reads come from memory) and `most`.
    ReaderCount(int readers, int least, int most);

    int target() const { return target_; }
    // How many of the `unclaimed` files waiting to be read a reader takes now (at least 1).
    std::size_t chunk(std::size_t unclaimed) const;
    // A reader read `files` files in `wallNs`, during which its thread ran `cpuNs` and gave up
    // the processor to wait `waits` times (either -1 when the system cannot tell). The reads
    // waited when the thread waited as often as it read files; where that is not known, when
    // the time passed is more than twice the time run and more than WaitPerFileNs a file (a
    // warm read takes microseconds, and being preempted now and then must not count).
    void chunkRead(std::size_t files, std::int64_t wallNs, std::int64_t cpuNs, std::int64_t waits);

    // The most files a reader takes at a time.
    static constexpr std::size_t MostChunk = 32;
    static constexpr std::int64_t WaitPerFileNs = 200000;

private:
    bool adapting_;
    int least_;
    int most_;
    int target_;
    std::size_t chunkLimit_;
};
