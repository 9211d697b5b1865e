#include "platform/StopRequests.h"

#include <csignal>
#include <initializer_list>

namespace platform {

// Ctrl+C and a termination request reach a console program as these signals of the C runtime.
void onStopRequests(void (*handler)(int request))
{
    for (int signal : {SIGINT, SIGTERM})
        if (std::signal(signal, handler) == SIG_IGN)
            std::signal(signal, SIG_IGN);
}

int catchStopRequests()
{
    return -1;
}

void drainStopRequests(int) {}

} // namespace platform
