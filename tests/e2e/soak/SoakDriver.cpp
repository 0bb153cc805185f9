// soak_driver: random input for the running browser on its own X connection, through the X
// server's test extension, as a player with a mouse and a keyboard would give it.
//
//   soak_driver --pid PID --client LEFT,TOP,WIDTH,HEIGHT [--events N] [--seed S] [--warmup N]
//               [--delay-us US] [--rss-limit-kb KB]
//
// --client is the main window's client area in window coordinates (the frame around it is the
// skin's). The driver prints its seed first, so a failing run can be repeated with --seed. It
// watches the program (alive, not a zombie) and its resident size (VmRSS): the size after the
// warm-up is compared with the size at the end, each read after the program had time to catch
// up with the input. A main window that was minimised (without a window manager nobody brings
// it back) is mapped again from outside. At the end any message box or list is answered with
// Escape, so the program can be closed normally.
//
// Exit status: 0 passed, 1 the program ended or cannot be found, 2 bad use, 3 the resident size
// grew by the limit or more.

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "SoakPlan.h"

namespace {

using namespace soak;

struct TOptions {
    long Pid = 0;
    long Events = 20000;
    uint64_t Seed = 0;
    bool SeedGiven = false;
    long Warmup = 5000;
    long DelayUs = 3000;
    long RssLimitKb = 1024;
    TSoakFrame Frame;
    bool FrameGiven = false;
};

bool ParseOptions(int argc, char** argv, TOptions& o) {
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string name = argv[i];
        const char* value = argv[i + 1];
        if (name == "--pid") {
            o.Pid = std::atol(value);
        } else if (name == "--events") {
            o.Events = std::atol(value);
        } else if (name == "--seed") {
            o.Seed = std::strtoull(value, nullptr, 0);
            o.SeedGiven = true;
        } else if (name == "--warmup") {
            o.Warmup = std::atol(value);
        } else if (name == "--delay-us") {
            o.DelayUs = std::atol(value);
        } else if (name == "--rss-limit-kb") {
            o.RssLimitKb = std::atol(value);
        } else if (name == "--client") {
            TSoakFrame& f = o.Frame;
            o.FrameGiven = std::sscanf(value, "%d,%d,%d,%d", &f.ClientLeft, &f.ClientTop, &f.ClientWidth,
                                       &f.ClientHeight) == 4;
        } else {
            return false;
        }
    }
    return argc % 2 == 1 && o.Pid > 0 && o.Events > 0 && o.FrameGiven && o.Warmup >= 0 && o.Warmup < o.Events;
}

void SleepMs(long ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// Alive and not a zombie waiting for its parent.
bool Alive(long pid) {
    if (kill(static_cast<pid_t>(pid), 0) != 0) return false;
    const std::string stat = ReadFile("/proc/" + std::to_string(pid) + "/stat");
    const std::size_t paren = stat.rfind(')');
    return paren != std::string::npos && paren + 2 < stat.size() && stat[paren + 2] != 'Z';
}

// The program's windows come and go while we look at them.
int IgnoreErrors(Display*, XErrorEvent*) {
    return 0;
}

long RssKb(long pid) {
    return ParseVmRssKb(ReadFile("/proc/" + std::to_string(pid) + "/status")).value_or(-1);
}

class TDriver {
public:
    TDriver(Display* display, const TOptions& options)
        : m_display(display),
          m_root(DefaultRootWindow(display)),
          m_options(options),
          m_netWmPid(XInternAtom(display, "_NET_WM_PID", False)),
          m_plan(options.Seed, options.Frame,
                 {0, 0, DisplayWidth(display, DefaultScreen(display)), DisplayHeight(display, DefaultScreen(display))}) {}

    int Run();

private:
    struct TFound {
        Window Xid = None;
        TSoakWindow Shown;
        bool Viewable = false;
    };

    std::vector<TFound> ProgramWindows();
    std::vector<TSoakWindow> Shown();
    long PidOf(Window w);
    void Perform(const TSoakAction& a);
    void Button(unsigned button, bool down);
    void MoveTo(int x, int y);
    void Key(const std::string& name, bool shift);
    // Lets the program work through the input sent so far, then reads its size a few times.
    std::vector<long> SettledRss();
    void AnswerEverything();
    int Died(long done);

    Display* m_display;
    Window m_root;
    const TOptions& m_options;
    Atom m_netWmPid;
    TSoakPlan m_plan;
    std::deque<std::string> m_recent;  // the last actions, for the report of a failure
    long m_remaps = 0;
    long m_withDialog = 0;
};

long TDriver::PidOf(Window w) {
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    long pid = 0;
    if (XGetWindowProperty(m_display, w, m_netWmPid, 0, 1, False, XA_CARDINAL, &type, &format, &count, &after,
                           &data) == Success &&
        data && format == 32 && count == 1) {
        pid = reinterpret_cast<long*>(data)[0];
    }
    if (data) XFree(data);
    return pid;
}

std::vector<TDriver::TFound> TDriver::ProgramWindows() {
    std::vector<TFound> found;
    Window rootReturn = None, parent = None, *children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(m_display, m_root, &rootReturn, &parent, &children, &count)) return found;
    TFound* main = nullptr;
    for (unsigned i = 0; i < count; ++i) {
        XWindowAttributes a{};
        if (PidOf(children[i]) != m_options.Pid || !XGetWindowAttributes(m_display, children[i], &a)) continue;
        TFound f;
        f.Xid = children[i];
        f.Viewable = a.map_state == IsViewable;
        f.Shown.Kind = a.override_redirect ? TSoakWindowKind::Popup : TSoakWindowKind::Dialog;
        f.Shown.Bounds = {a.x, a.y, a.width, a.height};
        found.push_back(f);
    }
    if (children) XFree(children);
    // The main window is the program's largest managed window.
    for (TFound& f : found) {
        if (f.Shown.Kind == TSoakWindowKind::Popup) continue;
        const long area = static_cast<long>(f.Shown.Bounds.Width) * f.Shown.Bounds.Height;
        if (!main || area > static_cast<long>(main->Shown.Bounds.Width) * main->Shown.Bounds.Height) main = &f;
    }
    if (main && main->Shown.Bounds.Width >= m_options.Frame.ClientWidth) main->Shown.Kind = TSoakWindowKind::Main;
    return found;
}

std::vector<TSoakWindow> TDriver::Shown() {
    std::vector<TSoakWindow> shown;
    for (const TFound& f : ProgramWindows()) {
        if (f.Shown.Kind == TSoakWindowKind::Main && !f.Viewable) {
            // Minimised without a window manager: nobody else would bring it back.
            XMapWindow(m_display, f.Xid);
            XSync(m_display, False);
            ++m_remaps;
            SleepMs(50);
            continue;
        }
        if (f.Viewable) shown.push_back(f.Shown);
    }
    return shown;
}

void TDriver::MoveTo(int x, int y) {
    XTestFakeMotionEvent(m_display, -1, x, y, CurrentTime);
}

void TDriver::Button(unsigned button, bool down) {
    XTestFakeButtonEvent(m_display, button, down ? True : False, CurrentTime);
}

void TDriver::Key(const std::string& name, bool shift) {
    const KeyCode code = XKeysymToKeycode(m_display, XStringToKeysym(name.c_str()));
    const KeyCode shiftCode = XKeysymToKeycode(m_display, XK_Shift_L);
    if (code == 0) return;
    if (shift) XTestFakeKeyEvent(m_display, shiftCode, True, CurrentTime);
    XTestFakeKeyEvent(m_display, code, True, CurrentTime);
    XTestFakeKeyEvent(m_display, code, False, CurrentTime);
    if (shift) XTestFakeKeyEvent(m_display, shiftCode, False, CurrentTime);
}

void TDriver::Perform(const TSoakAction& a) {
    switch (a.Kind) {
        case TSoakActionKind::Move:
            MoveTo(a.X, a.Y);
            break;
        case TSoakActionKind::Click:
        case TSoakActionKind::RightClick: {
            const unsigned button = a.Kind == TSoakActionKind::Click ? 1 : 3;
            MoveTo(a.X, a.Y);
            Button(button, true);
            Button(button, false);
            break;
        }
        case TSoakActionKind::DoubleClick:
            MoveTo(a.X, a.Y);
            Button(1, true);
            Button(1, false);
            XSync(m_display, False);
            SleepMs(30);
            Button(1, true);
            Button(1, false);
            break;
        case TSoakActionKind::Drag:
            // In steps, with pauses: a move loop follows the pointer by asking where it is.
            MoveTo(a.X, a.Y);
            Button(1, true);
            for (int step = 1; step <= 4; ++step) {
                XSync(m_display, False);
                SleepMs(15);
                MoveTo(a.X + (a.ToX - a.X) * step / 4, a.Y + (a.ToY - a.Y) * step / 4);
            }
            XSync(m_display, False);
            SleepMs(15);
            Button(1, false);
            XSync(m_display, False);
            SleepMs(60);  // the moved window's new place is read before the next action
            break;
        case TSoakActionKind::Key:
            Key(a.Key, a.Shift);
            break;
    }
    XSync(m_display, False);
}

std::vector<long> TDriver::SettledRss() {
    SleepMs(1500);
    std::vector<long> readings;
    for (int i = 0; i < 5; ++i) {
        if (i > 0) SleepMs(300);
        readings.push_back(RssKb(m_options.Pid));
    }
    return readings;
}

long Median(std::vector<long> values) {
    if (values.empty()) return -1;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void TDriver::AnswerEverything() {
    for (int round = 0; round < 40; ++round) {
        bool others = false;
        for (const TSoakWindow& w : Shown()) others = others || w.Kind != TSoakWindowKind::Main;
        if (!others) return;
        Key("Escape", false);
        XSync(m_display, False);
        SleepMs(150);
    }
}

int TDriver::Died(long done) {
    std::printf("soak: FAIL: the program ended after %ld actions; the last ones were:\n", done);
    for (const std::string& line : m_recent) std::printf("  %s\n", line.c_str());
    return 1;
}

int TDriver::Run() {
    std::printf("soak: seed %llu, %ld actions, warm-up %ld\n", static_cast<unsigned long long>(m_options.Seed),
                m_options.Events, m_options.Warmup);
    std::fflush(stdout);
    // The allocator hands memory back to the system in steps, so single readings swing: the
    // size after the warm-up and at the end are each the median of the readings over a window
    // of actions (every 50th) and of a few readings once the program has caught up.
    const long window = std::min<long>(1000, (m_options.Events - m_options.Warmup) / 4);
    std::vector<long> warm, end;
    long highest = 0;
    std::vector<TSoakWindow> shown;
    for (long i = 0; i < m_options.Events; ++i) {
        if (i % 25 == 0 && !Alive(m_options.Pid)) return Died(i);
        // Read before every action: boxes and lists come and go with the input.
        shown = Shown();
        if (i == m_options.Warmup) {
            warm = SettledRss();
            std::printf("soak: RSS after the warm-up (%ld actions): %ld kB\n", i, Median(warm));
            std::fflush(stdout);
        }
        if (i % 50 == 0 && i > m_options.Warmup) {
            const long rss = RssKb(m_options.Pid);
            highest = std::max(highest, rss);
            if (i <= m_options.Warmup + window) warm.push_back(rss);
            if (i >= m_options.Events - window) end.push_back(rss);
        }
        if (i % 2000 == 0 && i > 0) {
            std::printf("soak: %ld actions, RSS %ld kB\n", i, RssKb(m_options.Pid));
            std::fflush(stdout);
        }
        const TSoakAction action = m_plan.Next(shown);
        for (const TSoakWindow& w : shown) {
            if (w.Kind != TSoakWindowKind::Main) {
                ++m_withDialog;
                break;
            }
        }
        m_recent.push_back(std::to_string(i) + ": " + action.Describe());
        if (m_recent.size() > 80) m_recent.pop_front();
        Perform(action);
        if (m_options.DelayUs > 0) std::this_thread::sleep_for(std::chrono::microseconds(m_options.DelayUs));
    }
    AnswerEverything();
    if (!Alive(m_options.Pid)) return Died(m_options.Events);
    for (long rss : SettledRss()) {
        end.push_back(rss);
        highest = std::max(highest, rss);
    }
    const long warmRss = Median(warm), endRss = Median(end);
    const long growth = endRss - warmRss;
    std::printf("soak: %ld actions (%ld with a message box or list up), main window mapped again %ld times\n",
                m_options.Events, m_withDialog, m_remaps);
    std::printf("soak: RSS after warm-up %ld kB (median of %zu readings), at the end %ld kB (median of %zu), "
                "growth %ld kB (limit %ld kB), highest %ld kB\n",
                warmRss, warm.size(), endRss, end.size(), growth, m_options.RssLimitKb, highest);
    if (warmRss < 0 || endRss < 0) {
        std::printf("soak: FAIL: the resident size could not be read\n");
        return 1;
    }
    if (growth >= m_options.RssLimitKb) {
        std::printf("soak: FAIL: the resident size grew by %ld kB\n", growth);
        return 3;
    }
    std::printf("soak: PASS\n");
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    TOptions options;
    if (!ParseOptions(argc, argv, options)) {
        std::fprintf(stderr,
                     "usage: soak_driver --pid PID --client L,T,W,H [--events N] [--seed S] [--warmup N] "
                     "[--delay-us US] [--rss-limit-kb KB]\n");
        return 2;
    }
    if (!options.SeedGiven) {
        options.Seed = static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()) ^
                       static_cast<uint64_t>(getpid());
    }
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "soak_driver: no display\n");
        return 2;
    }
    XSetErrorHandler(IgnoreErrors);
    int eventBase = 0, errorBase = 0, major = 0, minor = 0;
    if (!XTestQueryExtension(display, &eventBase, &errorBase, &major, &minor)) {
        std::fprintf(stderr, "soak_driver: the X server has no test extension\n");
        XCloseDisplay(display);
        return 2;
    }
    TDriver driver(display, options);
    const int status = driver.Run();
    XCloseDisplay(display);
    return status;
}
