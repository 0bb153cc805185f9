#pragma once
// X protocol errors arrive asynchronously and Xlib's default handlers end the process. We install
// handlers that only record what happened, so a bad request (a focus change on a window that is
// not viewable yet, a shared-memory segment the server may not attach) costs nothing but the
// request, and a lost connection becomes a state the backend can report.

#include <cstdint>

#include "platform/ui/backend/x11/X11Xlib.h"

namespace platform::ui::x11 {

// Installs the recording handlers (process-wide, once) and keeps the process alive when this
// connection breaks.
void WatchConnection(Display* display);
// Forgets a connection before it is closed.
void ForgetConnection(Display* display);

// Whether the connection broke (the server went away).
[[nodiscard]] bool ConnectionLost(Display* display);

// Catches the errors of a few requests: construct it, issue them, then ask Failed() (which waits
// for the server to answer everything sent so far).
class TX11ErrorTrap {
public:
    explicit TX11ErrorTrap(Display* display);
    TX11ErrorTrap(const TX11ErrorTrap&) = delete;
    TX11ErrorTrap& operator=(const TX11ErrorTrap&) = delete;

    [[nodiscard]] bool Failed();

private:
    Display* m_display;
    uint64_t m_start;
};

}  // namespace platform::ui::x11
