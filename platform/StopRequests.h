#pragma once
// The requests to stop that the system sends a running program (its terminal or session
// closed, Ctrl+C, a shutdown), turned into something an event loop can wait for: a program
// with a window then closes as if the user had closed it, saving what it saves and leaving no
// half-written page behind.
namespace platform {

// Calls `handler` with the request's number on each such request from now on, instead of being
// ended by it; the handler may do only what is safe in a signal handler. A request the program
// was started to ignore stays ignored: a hangup under nohup, Ctrl+C in a background job of a
// shell that is not interactive.
void onStopRequests(void (*handler)(int request));

// Catches those requests from now on as onStopRequests() does. Each makes the returned
// descriptor readable until drainStopRequests() is called. -1 where the system sends none
// (Windows: a window is asked to close through its own messages).
int catchStopRequests();

void drainStopRequests(int descriptor);

} // namespace platform
