// The program the start-up figures spawn, in one of two modes:
//
//   app_startup_probe browser FOLDER LOG   the browser window on the headless backend over the
//                                          packages in FOLDER, up to its first presented frame
//   app_startup_probe fonts LOG            the baseline: a bare process that initialises the
//                                          font engine by drawing one line of text
//
// Each writes "first-frame <monotonic ns>" to LOG at the point it stands for, then ends.

#include <cstdio>
#include <ctime>
#include <memory>
#include <string>

#include "app/Global.h"
#include "app/program/BrowserProgram.h"
#include "app/program/BrowserWindow.h"
#include "platform/forms/Application.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Canvas.h"
#include "platform/ui/WindowSystem.h"
#include "platform/ui/backend/headless/HeadlessBackend.h"

namespace {

bool LogNow(const std::string& path) {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    FILE* log = std::fopen(path.c_str(), "w");
    if (!log) return false;
    std::fprintf(log, "first-frame %lld\n", static_cast<long long>(ts.tv_sec) * 1000000000LL + ts.tv_nsec);
    return std::fclose(log) == 0;
}

int Browser(const std::string& folder, const std::string& logPath) {
    auto backend = std::make_unique<platform::ui::headless::THeadlessBackend>();
    auto* headless = backend.get();
    app::program::TBrowserProgram program(std::move(backend));
    program.Initialize();
    program.SetTitle(std::string(app::kApplicationTitle));
    program.CreateMainWindow({folder + "/PuzzleBrowser.ini", folder + "/"});
    program.Window()->Show();
    while (headless->Presents().empty()) program.Application()->HandleMessage();
    return LogNow(logPath) ? 0 : 1;
}

int Fonts(const std::string& logPath) {
    platform::gfx::TBitmap bitmap(200, 20);
    platform::gfx::TCanvas canvas(bitmap);
    canvas.Font.SetName("Arial");
    canvas.Font.SetHeight(14);
    canvas.TextOut(0, 0, "Package / Paket:");
    return LogNow(logPath) ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "browser" && argc == 4) return Browser(argv[2], argv[3]);
    if (mode == "fonts" && argc == 3) return Fonts(argv[2]);
    std::fprintf(stderr, "usage: app_startup_probe browser FOLDER LOG | fonts LOG\n");
    return 2;
}
