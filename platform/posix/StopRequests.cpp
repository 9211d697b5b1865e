#include "platform/StopRequests.h"

#include <cerrno>
#include <csignal>
#include <initializer_list>
#include <fcntl.h>
#include <unistd.h>

namespace platform {

namespace {

int writeEnd = -1;

// Only what is safe inside a signal handler: one write, and errno left as it was.
void onStopRequest(int signal)
{
    const int saved = errno;
    const char byte = static_cast<char>(signal);
    [[maybe_unused]] const ssize_t written = ::write(writeEnd, &byte, 1);
    errno = saved;
}

} // namespace

void onStopRequests(void (*handler)(int request))
{
    struct sigaction action = {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : {SIGHUP, SIGINT, SIGTERM}) {
        struct sigaction before = {};
        if (::sigaction(signal, nullptr, &before) == 0 && before.sa_handler == SIG_IGN)
            continue;
        ::sigaction(signal, &action, nullptr);
    }
}

int catchStopRequests()
{
    static int readEnd = -1;
    if (readEnd >= 0)
        return readEnd;
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0)
        return -1;
    readEnd = ends[0];
    writeEnd = ends[1];
    onStopRequests(onStopRequest);
    return readEnd;
}

void drainStopRequests(int descriptor)
{
    char bytes[64];
    while (::read(descriptor, bytes, sizeof bytes) > 0) {
    }
}

} // namespace platform
