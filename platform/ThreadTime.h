#pragma once
// What the calling thread has done so far: set against the time that passed, it tells whether
// the thread computed or waited (for a disk or a network share, say).
#include <cstdint>

namespace platform {

struct ThreadUsage {
    std::int64_t cpuNs = -1; // processor time used; -1 when the system cannot tell
    std::int64_t waits = -1; // times it gave up the processor to wait; -1 when the system cannot tell
};

ThreadUsage threadUsage();

} // namespace platform
