#include "platform/StopRequests.h"

namespace platform {

int catchStopRequests()
{
    return -1;
}

void drainStopRequests(int) {}

} // namespace platform
