#pragma once
// The requests to stop that the system sends a running program (its terminal or session
// closed, Ctrl+C, a shutdown), turned into something an event loop can wait for: a program
// with a window then closes as if the user had closed it, saving what it saves and leaving no
// half-written page behind.
namespace platform {

// Catches those requests from now on, instead of being ended by them. Each makes the returned
// descriptor readable until drainStopRequests() is called. -1 where the system sends none
// (Windows: a window is asked to close through its own messages).
int catchStopRequests();

void drainStopRequests(int descriptor);

} // namespace platform
