#include "platform/ui/backend/x11/X11Errors.h"

#include <cstdio>
#include <mutex>
#include <set>

namespace platform::ui::x11 {

namespace {

// Xlib's handlers are process-wide; so is what they record.
struct TErrorState {
    uint64_t Count = 0;
    std::set<Display*> Lost;
};

TErrorState& State() {
    static TErrorState state;
    return state;
}

int RecordError(Display*, XErrorEvent*) {
    ++State().Count;
    return 0;
}

int RecordIoError(Display* display) {
    if (State().Lost.insert(display).second) {
        std::fprintf(stderr, "x11: lost the connection to the X server\n");
    }
    return 0;
}

// Runs after the I/O error handler. Returning, instead of exiting as Xlib's default does, leaves
// the display marked broken: later calls on it return at once and the backend reports that no
// more input will come.
void KeepRunning(Display* display, void*) {
    State().Lost.insert(display);
}

}  // namespace

void WatchConnection(Display* display) {
    static std::once_flag once;
    std::call_once(once, [] {
        XSetErrorHandler(RecordError);
        XSetIOErrorHandler(RecordIoError);
    });
    XSetIOErrorExitHandler(display, KeepRunning, nullptr);
}

void ForgetConnection(Display* display) {
    State().Lost.erase(display);
}

bool ConnectionLost(Display* display) {
    return State().Lost.count(display) != 0;
}

TX11ErrorTrap::TX11ErrorTrap(Display* display) : m_display(display) {
    XSync(m_display, False);
    m_start = State().Count;
}

bool TX11ErrorTrap::Failed() {
    XSync(m_display, False);
    return State().Count != m_start;
}

}  // namespace platform::ui::x11
