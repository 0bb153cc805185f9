// The browser's costs a player notices, each beside the bare work that bounds it:
//
//   start-up to the first presented frame (a new process on the headless backend, 20 packages)
//     beside a bare process that initialises the font engine;
//   the peak memory of those two processes (peak_MiB counters);
//   a page flip (the refresh that loads six previews, and the repaint) beside six bare decodes
//     of the same JPEGs;
//   a full repaint of the window, frame included, beside a copy of the window's pixels.
//
// Run from a Release build: build/release/bench/app_startup/bench_app_startup

#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "app/Global.h"
#include "app/program/BrowserProgram.h"
#include "app/program/BrowserWindow.h"
#include "bench/app_startup/BenchPackages.h"
#include "platform/forms/Application.h"
#include "platform/gfx/Jpeg.h"
#include "platform/ui/WindowSystem.h"
#include "platform/ui/backend/headless/HeadlessBackend.h"

extern char** environ;

namespace {

// One package folder for the whole run, removed at exit.
class TBenchFolder {
public:
    TBenchFolder() {
        char tmpl[] = "/tmp/vk-app-startup-XXXXXX";
        m_root = ::mkdtemp(tmpl);
        app_bench::WriteBenchPackages(m_root);
    }
    ~TBenchFolder() { std::filesystem::remove_all(m_root); }
    TBenchFolder(const TBenchFolder&) = delete;
    TBenchFolder& operator=(const TBenchFolder&) = delete;
    [[nodiscard]] const std::string& Root() const { return m_root; }

private:
    std::string m_root;
};

TBenchFolder& Folder() {
    static TBenchFolder folder;
    return folder;
}

uint64_t MonotonicNs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<uint64_t>(ts.tv_sec) * 1000000000u + static_cast<uint64_t>(ts.tv_nsec);
}

struct TChildRun {
    double FirstFrameSeconds = 0;
    double PeakMiB = 0;
};

// Spawns the probe and waits for it; the time runs from the spawn to the moment it logged.
bool RunProbe(std::vector<std::string> args, TChildRun& run) {
    const std::string logPath = Folder().Root() + "/probe.log";
    std::remove(logPath.c_str());
    args.insert(args.begin(), VK_STARTUP_PROBE);
    args.push_back(logPath);
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    const uint64_t start = MonotonicNs();
    pid_t pid = 0;
    if (posix_spawn(&pid, VK_STARTUP_PROBE, nullptr, nullptr, argv.data(), environ) != 0) return false;
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return false;
    std::ifstream log(logPath);
    std::string word;
    unsigned long long at = 0;
    if (!(log >> word >> at) || word != "first-frame" || at < start) return false;
    run.FirstFrameSeconds = static_cast<double>(at - start) / 1e9;
    run.PeakMiB = static_cast<double>(usage.ru_maxrss) / 1024.0;
    return true;
}

void ProcessStartup(benchmark::State& state, const std::vector<std::string>& args) {
    double peak = 0;
    for (auto _ : state) {
        TChildRun run;
        if (!RunProbe(args, run)) {
            state.SkipWithError("the probe failed");
            return;
        }
        state.SetIterationTime(run.FirstFrameSeconds);
        peak = std::max(peak, run.PeakMiB);
    }
    state.counters["peak_MiB"] = peak;
}

void BM_StartupToFirstFrame(benchmark::State& state) {
    ProcessStartup(state, {"browser", Folder().Root()});
}
BENCHMARK(BM_StartupToFirstFrame)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

void BM_Baseline_ProcessWithFontEngine(benchmark::State& state) {
    ProcessStartup(state, {"fonts"});
}
BENCHMARK(BM_Baseline_ProcessWithFontEngine)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

// The browser window in this process, on the headless backend, showing the first package.
class TBrowserSession {
public:
    TBrowserSession() {
        auto backend = std::make_unique<platform::ui::headless::THeadlessBackend>();
        m_program = std::make_unique<app::program::TBrowserProgram>(std::move(backend));
        m_program->Initialize();
        m_program->SetTitle(std::string(app::kApplicationTitle));
        m_program->CreateMainWindow({Folder().Root() + "/PuzzleBrowser.ini", Folder().Root() + "/"});
        m_program->Window()->Show();
        m_program->Application()->ProcessMessages();
    }
    [[nodiscard]] app::program::TBrowserWindow& Window() { return *m_program->Window(); }
    void ProcessMessages() { m_program->Application()->ProcessMessages(); }
    [[nodiscard]] platform::ui::TWindowSystem& System() { return *m_program->System(); }

private:
    std::unique_ptr<app::program::TBrowserProgram> m_program;
};

TBrowserSession& Session() {
    static TBrowserSession session;
    return session;
}

void BM_PageFlip(benchmark::State& state) {
    TBrowserSession& s = Session();
    app::TBrowser& browser = *s.Window().Browser();
    bool forward = true;
    for (auto _ : state) {
        // Pages 1 and 2 in turn: each flip loads and shows six previews.
        if (forward)
            browser.udPageNextDownButtonClick();
        else
            browser.udPageNextUpButtonClick();
        forward = !forward;
        s.ProcessMessages();
    }
    if (browser.PageLast - browser.PageFirst != 5) state.SkipWithError("a page did not hold six previews");
}
BENCHMARK(BM_PageFlip)->Unit(benchmark::kMicrosecond);

void BM_Baseline_SixJpegDecodes(benchmark::State& state) {
    for (auto _ : state) {
        for (int n = 1; n <= 6; ++n) {
            platform::gfx::TJPEGImage jpeg;
            benchmark::DoNotOptimize(jpeg.LoadFromFile(app_bench::BenchPreviewPath(Folder().Root(), 0, n)));
        }
    }
}
BENCHMARK(BM_Baseline_SixJpegDecodes)->Unit(benchmark::kMicrosecond);

void BM_FullRepaint(benchmark::State& state) {
    TBrowserSession& s = Session();
    platform::ui::TWindow* window = s.Window().Handle();
    for (auto _ : state) {
        s.System().RedrawAll(window);
        s.System().UpdateWindow(window);
    }
}
BENCHMARK(BM_FullRepaint)->Unit(benchmark::kMicrosecond);

void BM_Baseline_CopyWindowPixels(benchmark::State& state) {
    TBrowserSession& s = Session();
    const platform::gfx::TBitmap* pixels = s.System().BackBuffer(s.Window().Handle());
    if (!pixels) {
        state.SkipWithError("no back buffer");
        return;
    }
    for (auto _ : state) {
        platform::gfx::TBitmap copy(*pixels);
        benchmark::DoNotOptimize(copy.Bits());
    }
}
BENCHMARK(BM_Baseline_CopyWindowPixels)->Unit(benchmark::kMicrosecond);

}  // namespace
