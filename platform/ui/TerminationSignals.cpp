#include "platform/ui/TerminationSignals.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <atomic>

namespace platform::ui {

namespace {

constexpr std::array<int, 3> kSignals{SIGTERM, SIGHUP, SIGINT};

// What the handler touches must be lock-free atomics and plain descriptors.
std::atomic<int> g_requested{0};  // the first signal that arrived
std::atomic<bool> g_taken{false};
std::atomic<int> g_writeFd{-1};
int g_readFd = -1;
std::array<struct sigaction, kSignals.size()> g_previous{};

void OnSignal(int signo) {
    int expected = 0;
    if (!g_requested.compare_exchange_strong(expected, signo) && g_taken.load()) _exit(128 + signo);
    const int saved = errno;
    const char byte = 1;
    const int fd = g_writeFd.load();
    // A full pipe already wakes the loop: a failed write needs nothing more.
    if (fd >= 0 && write(fd, &byte, 1) < 0) errno = saved;
    errno = saved;
}

}  // namespace

bool TTerminationSignals::Install() {
    if (g_readFd >= 0) return true;
    int fds[2];
    if (pipe2(fds, O_CLOEXEC | O_NONBLOCK) != 0) return false;
    g_readFd = fds[0];
    g_writeFd = fds[1];
    g_requested = 0;
    g_taken = false;
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (size_t i = 0; i < kSignals.size(); ++i) sigaction(kSignals[i], &action, &g_previous[i]);
    return true;
}

void TTerminationSignals::Uninstall() {
    if (g_readFd < 0) return;
    for (size_t i = 0; i < kSignals.size(); ++i) sigaction(kSignals[i], &g_previous[i], nullptr);
    close(g_writeFd.exchange(-1));
    close(g_readFd);
    g_readFd = -1;
    g_requested = 0;
    g_taken = false;
}

bool TTerminationSignals::Installed() {
    return g_readFd >= 0;
}

int TTerminationSignals::WakeFd() {
    return g_readFd;
}

int TTerminationSignals::Take() {
    if (g_readFd < 0 || g_taken.load()) return 0;
    const int signo = g_requested.load();
    if (signo == 0) return 0;
    g_taken = true;
    char buffer[16];
    while (read(g_readFd, buffer, sizeof buffer) > 0) {
    }
    return signo;
}

}  // namespace platform::ui
