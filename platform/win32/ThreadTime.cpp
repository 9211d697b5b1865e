#include "platform/ThreadTime.h"

#include <windows.h>

namespace platform {

ThreadUsage threadUsage()
{
    ThreadUsage usage;
    FILETIME created, exited, kernel, user;
    if (::GetThreadTimes(::GetCurrentThread(), &created, &exited, &kernel, &user)) {
        auto ticks = [](const FILETIME& t) { return (std::int64_t(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
        // In units of 100 ns.
        usage.cpuNs = (ticks(kernel) + ticks(user)) * 100;
    }
    return usage;
}

} // namespace platform
