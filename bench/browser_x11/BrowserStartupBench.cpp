// Start-up of the real PuzzleBrowser on the x11 backend under an X server, from exec to its first
// presented frame, and its peak resident memory up to then, over 20 packages. Beside it, measured
// the same way in the same run and alternating with it: a bare Xlib program that maps a window
// and puts one image, and a process that only brings up the font engine. Their sum is the floor.
//
// Each run's figures come from the program itself: the monotonic time it logs right after its
// first frame went to the server (the browser does so under VK_FIRST_FRAME_LOG and then ends),
// and its peak resident memory up to then (VmHWM: the kernel's maxrss of a spawned child would
// also count the memory of the parent it was spawned from). Minima stand for the machine's
// undisturbed speed on a loaded machine; medians are printed beside them.
//
//   browser_x11_startup [RUNS]     RUNS defaults to 30

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bench/app_startup/BenchPackages.h"

extern char** environ;

namespace {

struct TRun {
    double FirstFrameMs = 0;  // from the spawn to the logged first frame
    double PeakMiB = 0;       // maximum resident set
};

struct TProgram {
    const char* Label;
    std::string Path;
    const char* LogVariable;  // where the program takes its log file from
    std::vector<std::string> Args;
    std::vector<TRun> Runs;
};

// The bare window has the browser's size, 760 × 570, and puts its pixels from a buffer of its
// own: its memory holds the pixels the window must hold.
constexpr double kMemoryGoalMiB = 12.0;

uint64_t MonotonicNs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<uint64_t>(ts.tv_sec) * 1000000000u + static_cast<uint64_t>(ts.tv_nsec);
}

bool Excluded(const char* entry) {
    for (const char* name :
         {"VK_EXAMPLE_LOG=", "VK_FIRST_FRAME_LOG=", "VK_BACKEND=", "VK_SCREENSHOT_DIR=", "VK_MESSAGE_LOG="}) {
        if (std::strncmp(entry, name, std::strlen(name)) == 0) return true;
    }
    return false;
}

bool RunOnce(const TProgram& program, const std::string& logPath, TRun& run) {
    std::remove(logPath.c_str());
    std::vector<std::string> envStrings;
    for (char** e = environ; *e; ++e) {
        if (!Excluded(*e)) envStrings.emplace_back(*e);
    }
    envStrings.push_back(std::string(program.LogVariable) + "=" + logPath);
    std::vector<char*> env;
    for (std::string& s : envStrings) env.push_back(s.data());
    env.push_back(nullptr);
    std::string path = program.Path;
    std::vector<std::string> argStrings{path};
    argStrings.insert(argStrings.end(), program.Args.begin(), program.Args.end());
    std::vector<char*> argv;
    for (std::string& s : argStrings) argv.push_back(s.data());
    argv.push_back(nullptr);

    const uint64_t start = MonotonicNs();
    pid_t pid = 0;
    if (posix_spawn(&pid, path.c_str(), nullptr, nullptr, argv.data(), env.data()) != 0) {
        std::fprintf(stderr, "cannot start %s\n", path.c_str());
        return false;
    }
    int status = 0;
    if (waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "%s failed (status %d)\n", path.c_str(), status);
        return false;
    }
    std::ifstream log(logPath);
    std::string word;
    unsigned long long firstFrame = 0;
    long peakKiB = 0;
    while (log >> word) {
        if (word == "first-frame") log >> firstFrame;
        if (word == "peak-rss-kib") log >> peakKiB;
    }
    if (firstFrame <= start || peakKiB <= 0) {
        std::fprintf(stderr, "%s logged no first frame\n", path.c_str());
        return false;
    }
    run.FirstFrameMs = static_cast<double>(firstFrame - start) / 1e6;
    run.PeakMiB = static_cast<double>(peakKiB) / 1024.0;
    return true;
}

struct TFigure {
    double Min = 0;
    double Median = 0;
};

TFigure Summary(const std::vector<TRun>& runs, double TRun::*field) {
    std::vector<double> v;
    for (const TRun& r : runs) v.push_back(r.*field);
    std::sort(v.begin(), v.end());
    return {v.front(), v[v.size() / 2]};
}

// The browser's folder: a copy of the executable (it finds its packages beside its own path)
// with 20 packages and a settings file past its first run.
std::string PrepareFolder() {
    char pattern[] = "/tmp/vk_browser_x11_startup.XXXXXX";
    if (!mkdtemp(pattern)) return {};
    const std::string folder = pattern;
    std::filesystem::copy_file(VK_PUZZLE_BROWSER, folder + "/PuzzleBrowser");
    app_bench::WriteBenchPackages(folder);
    return folder;
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 30;
    if (!std::getenv("DISPLAY")) {
        std::fprintf(stderr, "browser_x11_startup: needs an X server (bash scripts/with-xvfb.sh ...)\n");
        return 1;
    }
    const std::string folder = PrepareFolder();
    if (folder.empty()) {
        std::fprintf(stderr, "browser_x11_startup: cannot make a folder in /tmp\n");
        return 1;
    }
    const std::string logPath = folder + "/first-frame.log";
    std::vector<TProgram> programs{
        {"PuzzleBrowser", folder + "/PuzzleBrowser", "VK_FIRST_FRAME_LOG", {}, {}},
        {"bare Xlib window", VK_BARE_XLIB_WINDOW, "VK_EXAMPLE_LOG", {"760", "570"}, {}},
        {"font engine", VK_FONT_ENGINE_FLOOR, "VK_EXAMPLE_LOG", {}, {}},
    };
    bool ok = true;
    for (int i = 0; i < runs && ok; ++i) {
        for (TProgram& program : programs) {
            TRun run;
            if (!RunOnce(program, logPath, run)) {
                ok = false;
                break;
            }
            program.Runs.push_back(run);
        }
    }
    std::filesystem::remove_all(folder);
    if (!ok) return 1;

    std::printf("PuzzleBrowser on the x11 backend, 20 packages, %d runs each (min; median in brackets)\n\n",
                runs);
    std::printf("%-30s %18s %18s %18s\n", "", programs[0].Label, programs[1].Label, programs[2].Label);
    const TFigure time[] = {Summary(programs[0].Runs, &TRun::FirstFrameMs),
                            Summary(programs[1].Runs, &TRun::FirstFrameMs),
                            Summary(programs[2].Runs, &TRun::FirstFrameMs)};
    const TFigure memory[] = {Summary(programs[0].Runs, &TRun::PeakMiB),
                              Summary(programs[1].Runs, &TRun::PeakMiB),
                              Summary(programs[2].Runs, &TRun::PeakMiB)};
    auto row = [](const char* name, const TFigure* f) {
        char cells[3][32];
        for (int i = 0; i < 3; ++i)
            std::snprintf(cells[i], sizeof(cells[i]), "%.2f [%.2f]", f[i].Min, f[i].Median);
        std::printf("%-30s %18s %18s %18s\n", name, cells[0], cells[1], cells[2]);
    };
    row("exec to first frame (ms)", time);
    row("peak RSS (MiB)", memory);

    const double timeFloor = time[1].Min + time[2].Min;
    const double memoryFloor = memory[1].Min + memory[2].Min;
    std::printf("\n%-30s %10s %22s %8s %s\n", "figure", "browser", "floor", "ratio", "goal");
    std::printf("%-30s %10.2f %22.2f %8.2f %s\n", "first frame, ms (min)", time[0].Min, timeFloor,
                time[0].Min / timeFloor, "ratio <= 2 (floor: window + fonts)");
    std::printf("%-30s %10.2f %22.2f %8.2f %s\n", "peak RSS, MiB (min)", memory[0].Min, memoryFloor,
                memory[0].Min / memoryFloor, "<= 12 MiB (floor: window with its 760x570 pixels + fonts)");
    std::printf("\ngoals: time %s, memory %s\n", time[0].Min <= 2 * timeFloor ? "met" : "NOT met",
                memory[0].Min <= kMemoryGoalMiB ? "met" : "NOT met");
    return 0;
}
