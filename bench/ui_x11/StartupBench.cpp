// Start-up to the first presented frame under an X server: the shaped-window example on the x11
// backend (window system, fonts, shaped window, popup created, first paint) beside a bare Xlib
// program that maps a window and puts one image. Each program runs many times, alternating;
// each run's figures come from the program itself (the monotonic time it logs right after its
// first frame went to the server) and from the kernel (CPU time and peak resident memory of the
// finished child).

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <string>
#include <vector>

extern char** environ;

namespace {

struct TRun {
    double FirstFrameMs = 0;  // from the spawn to the logged first frame
    double CpuMs = 0;         // user + system time of the whole run
    double PeakMiB = 0;       // maximum resident set
};

uint64_t MonotonicNs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<uint64_t>(ts.tv_sec) * 1000000000u + static_cast<uint64_t>(ts.tv_nsec);
}

bool RunOnce(const char* program, const std::vector<std::string>& args, const std::string& logPath,
             TRun& run) {
    std::remove(logPath.c_str());
    std::vector<std::string> envStrings;
    for (char** e = environ; *e; ++e) {
        if (std::strncmp(*e, "VK_EXAMPLE_LOG=", 15) != 0 && std::strncmp(*e, "VK_BACKEND=", 11) != 0) {
            envStrings.emplace_back(*e);
        }
    }
    envStrings.push_back("VK_EXAMPLE_LOG=" + logPath);
    std::vector<char*> env;
    for (std::string& s : envStrings) env.push_back(s.data());
    env.push_back(nullptr);
    std::vector<std::string> argStrings{program};
    argStrings.insert(argStrings.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& s : argStrings) argv.push_back(s.data());
    argv.push_back(nullptr);

    const uint64_t start = MonotonicNs();
    pid_t pid = 0;
    if (posix_spawn(&pid, program, nullptr, nullptr, argv.data(), env.data()) != 0) return false;
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "%s failed (status %d)\n", program, status);
        return false;
    }
    std::ifstream log(logPath);
    std::string word;
    unsigned long long firstFrame = 0;
    while (log >> word) {
        if (word == "first-frame" && log >> firstFrame) break;
    }
    if (firstFrame == 0) {
        std::fprintf(stderr, "%s logged no first frame\n", program);
        return false;
    }
    run.FirstFrameMs = static_cast<double>(firstFrame - start) / 1e6;
    run.CpuMs = (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
                (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
    run.PeakMiB = static_cast<double>(usage.ru_maxrss) / 1024.0;
    return true;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 30;
    if (!std::getenv("DISPLAY")) {
        std::fprintf(stderr, "ui_x11_startup: needs an X server (bash scripts/with-xvfb.sh ...)\n");
        return 1;
    }
    const std::string logPath = "/tmp/vk_ui_x11_startup." + std::to_string(getpid()) + ".log";
    std::vector<TRun> example, bare;
    for (int i = 0; i < runs; ++i) {
        TRun run;
        if (!RunOnce(VK_SHAPED_WINDOW, {"--frames", "0"}, logPath, run)) return 1;
        example.push_back(run);
        if (!RunOnce(VK_BARE_XLIB_WINDOW, {}, logPath, run)) return 1;
        bare.push_back(run);
    }
    std::remove(logPath.c_str());

    auto column = [](const std::vector<TRun>& runsOf, double TRun::*field) {
        std::vector<double> v;
        for (const TRun& r : runsOf) v.push_back(r.*field);
        return v;
    };
    std::printf("start-up to the first presented frame, %d runs each (medians; min in brackets)\n", runs);
    std::printf("%-34s %20s %20s\n", "", "shaped_window", "bare Xlib window");
    const struct {
        const char* Name;
        double TRun::*Field;
    } rows[] = {{"first frame after spawn (ms)", &TRun::FirstFrameMs},
                {"process CPU time, whole run (ms)", &TRun::CpuMs},
                {"peak memory, maxrss (MiB)", &TRun::PeakMiB}};
    for (const auto& row : rows) {
        const auto a = column(example, row.Field);
        const auto b = column(bare, row.Field);
        char left[32], right[32];
        std::snprintf(left, sizeof(left), "%.2f [%.2f]", Median(a), *std::min_element(a.begin(), a.end()));
        std::snprintf(right, sizeof(right), "%.2f [%.2f]", Median(b), *std::min_element(b.begin(), b.end()));
        std::printf("%-34s %20s %20s\n", row.Name, left, right);
    }
    return 0;
}
