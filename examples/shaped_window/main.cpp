// shaped_window: a borderless, shaped window on the platform layer's window system.
//
//   shaped_window [--frames N] [--popup] [--screenshot FILE.png]
//
// --frames N      close after N animation frames (25 ms each); 0 closes as soon as the first
//                 frame is on the screen. Without it the program runs until it is closed, except
//                 on the headless backend, where it stops after 40 frames.
// --popup         show the popup at start.
// --screenshot F  on the headless backend, save the screen as a PNG at the last frame.
//
// Drag the dark caption strip to move the window; F2 or a right click shows the popup; typed
// characters appear at the bottom; the "x" or the desktop's close request ends the program.
// Every typed character, the popup's showing and hiding, moves and the end are logged, one line
// each, to stdout or to the file named by $VK_EXAMPLE_LOG.

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <memory>
#include <string>

#include "ShapedWindow.h"
#include "platform/ui/WindowSystem.h"
#include "platform/ui/backend/BackendFactory.h"

namespace {

struct TOptions {
    int Frames = -1;
    bool Popup = false;
    std::string Screenshot;
};

bool ParseOptions(int argc, char** argv, TOptions& options) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--frames" && i + 1 < argc) {
            char* end = nullptr;
            const long n = std::strtol(argv[++i], &end, 10);
            if (!end || *end != '\0' || n < 0 || n > 1000000) return false;
            options.Frames = static_cast<int>(n);
        } else if (arg == "--popup") {
            options.Popup = true;
        } else if (arg == "--screenshot" && i + 1 < argc) {
            options.Screenshot = argv[++i];
        } else {
            return false;
        }
    }
    return true;
}

uint64_t MonotonicNs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<uint64_t>(ts.tv_sec) * 1000000000u + static_cast<uint64_t>(ts.tv_nsec);
}

}  // namespace

int main(int argc, char** argv) {
    TOptions options;
    if (!ParseOptions(argc, argv, options)) {
        std::fprintf(stderr, "usage: shaped_window [--frames N] [--popup] [--screenshot FILE.png]\n");
        return 2;
    }

    FILE* logFile = stdout;
    if (const char* path = std::getenv("VK_EXAMPLE_LOG"); path && *path) {
        logFile = std::fopen(path, "a");
        if (!logFile) {
            std::fprintf(stderr, "shaped_window: cannot write the log %s\n", path);
            return 1;
        }
    }
    auto log = [logFile](const std::string& line) {
        std::fprintf(logFile, "%s\n", line.c_str());
        std::fflush(logFile);  // read while the program runs
    };

    std::string error;
    std::unique_ptr<platform::ui::TBackend> backend = platform::ui::CreateDefaultBackend(error);
    if (!backend) {
        std::fprintf(stderr, "shaped_window: %s\n", error.c_str());
        return 1;
    }
    // A backend that captures its screen has no user to close the window: stop after a while.
    platform::ui::TScreenCapture* capture = backend->ScreenCapture();
    if (capture && options.Frames < 0) options.Frames = 40;

    platform::ui::TWindowSystem system(std::move(backend));
    example::TShapedWindow window(system, log, options.Frames > 0 ? options.Frames : -1);
    if (!window.Window()) {
        std::fprintf(stderr, "shaped_window: the window could not be created\n");
        return 1;
    }
    if (options.Popup) window.ShowPopup(window.Window()->WindowToScreen({60, 70}));
    if (capture && !options.Screenshot.empty()) {
        window.OnLastFrame = [&] {
            if (!capture->SaveScreenshot(options.Screenshot)) {
                std::fprintf(stderr, "shaped_window: cannot write %s\n", options.Screenshot.c_str());
            }
        };
    }

    bool firstFrame = true;
    system.OnIdle = [&] {
        if (!firstFrame || system.PaintStats().Presents == 0) return;
        firstFrame = false;
        log("first-frame " + std::to_string(MonotonicNs()));
        if (options.Frames == 0 && window.Window()) {
            system.PostMessage(window.Window(), platform::ui::WM_CLOSE);
        }
    };

    const int code = system.Run();
    log("exit " + std::to_string(code));
    if (logFile != stdout) std::fclose(logFile);
    return code;
}
