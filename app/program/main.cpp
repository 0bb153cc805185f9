// PuzzleBrowser: the puzzle browser program. It takes no arguments; the packages are the folders
// beside the executable, the settings file is the executable's path with ".ini".
//
// VK_SCALE=N (1 to 8) draws at N device pixels per pixel instead of the scale the display's
// resolution asks for (see platform/ui/backend/README.md).
// VK_BACKEND=headless runs it without a display; VK_SCREENSHOT_DIR=FOLDER then saves what the
// screen shows each time the program waits for input. VK_MESSAGE_LOG=FILE appends every message
// the program shows to FILE. VK_FIRST_FRAME_LOG=FILE is for the start-up benchmark: the program
// writes "first-frame <monotonic ns> peak-rss-kib <peak resident KiB>" to FILE as soon as its
// first frame went to the display and ends there, as if closed.

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <exception>
#include <string>

#include "app/Program.h"
#include "app/program/BrowserProgram.h"
#include "platform/forms/Application.h"
#include "platform/ui/WindowSystem.h"

namespace {

// The peak resident memory of this process so far, in KiB (0 when unknown).
long PeakRssKiB() {
    FILE* status = std::fopen("/proc/self/status", "r");
    if (!status) return 0;
    char line[256];
    long kib = 0;
    while (std::fgets(line, sizeof line, status)) {
        if (std::sscanf(line, "VmHWM: %ld kB", &kib) == 1) break;
    }
    std::fclose(status);
    return kib;
}

// Runs the program's message loop only up to its first presented frame.
class TFirstFrameProgram : public app::IBrowserApplication {
public:
    TFirstFrameProgram(app::program::TBrowserProgram& program, std::string logPath)
        : m_program(program), m_logPath(std::move(logPath)) {}

    void Initialize() override { m_program.Initialize(); }
    bool ClaimInstance(const std::string& name) override { return m_program.ClaimInstance(name); }
    void SetTitle(const std::string& title) override { m_program.SetTitle(title); }
    void CreateMainWindow(const app::TBrowserPaths& paths) override { m_program.CreateMainWindow(paths); }
    int Run() override {
        m_program.Window()->Show();
        while (m_program.System()->PaintStats().Presents == 0 && m_program.Window()) {
            m_program.Application()->HandleMessage();
        }
        timespec ts{};
        clock_gettime(CLOCK_MONOTONIC, &ts);
        FILE* log = std::fopen(m_logPath.c_str(), "w");
        if (!log) return 1;
        std::fprintf(log, "first-frame %lld peak-rss-kib %ld\n",
                     static_cast<long long>(ts.tv_sec) * 1000000000LL + ts.tv_nsec, PeakRssKiB());
        return std::fclose(log) == 0 ? 0 : 1;
    }

private:
    app::program::TBrowserProgram& m_program;
    std::string m_logPath;
};

}  // namespace

int main() {
    try {
        app::program::TBrowserProgram program;
        if (const char* folder = std::getenv("VK_SCREENSHOT_DIR")) program.ScreenshotFolder = folder;
        if (const char* log = std::getenv("VK_MESSAGE_LOG")) program.WindowOptions.MessageLog = log;
        if (const char* log = std::getenv("VK_FIRST_FRAME_LOG"); log && *log) {
            TFirstFrameProgram firstFrame(program, log);
            return app::RunPuzzleBrowser(firstFrame, app::DefaultBrowserPaths());
        }
        return app::RunPuzzleBrowser(program, app::DefaultBrowserPaths());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "PuzzleBrowser: %s\n", e.what());
        return 1;
    }
}
