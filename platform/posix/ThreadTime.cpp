#include "platform/ThreadTime.h"

#include <ctime>
#include <sys/resource.h>

namespace platform {

ThreadUsage threadUsage()
{
    ThreadUsage usage;
#ifdef RUSAGE_THREAD
    // One call tells both; a wait is a switch the thread made itself (being preempted is not one).
    rusage r {};
    if (::getrusage(RUSAGE_THREAD, &r) == 0) {
        auto ns = [](const timeval& t) { return std::int64_t(t.tv_sec) * 1000000000 + std::int64_t(t.tv_usec) * 1000; };
        usage.cpuNs = ns(r.ru_utime) + ns(r.ru_stime);
        usage.waits = r.ru_nvcsw;
        return usage;
    }
#endif
    timespec t {};
    if (::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t) == 0)
        usage.cpuNs = std::int64_t(t.tv_sec) * 1000000000 + t.tv_nsec;
    return usage;
}

} // namespace platform
