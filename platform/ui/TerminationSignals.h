#pragma once
// SIGTERM, SIGHUP and SIGINT (a desktop logout, a closed terminal, Ctrl+C) ask the program to
// close the way its window's close does, so that nothing the player chose is lost. The handler
// only records the request and writes a byte to a pipe whose read end the backends wait on; the
// message queue turns the request into WM_QUIT from the loop. A further signal after the request
// was taken ends the process at once: a close that hangs can still be stopped.

namespace platform::ui {

class TTerminationSignals {
public:
    // Installs the handlers (again a no-op); false when the pipe cannot be made.
    static bool Install();
    // Restores the handlers found at Install and forgets any request.
    static void Uninstall();
    [[nodiscard]] static bool Installed();

    // The pipe end that becomes readable when a signal arrived; -1 when not installed.
    [[nodiscard]] static int WakeFd();
    // The signal that asked to close, once (0: none, or already taken); empties the pipe.
    static int Take();
};

}  // namespace platform::ui
