// PuzzleBrowser: the puzzle browser program. It takes no arguments; the packages are the folders
// beside the executable, the settings file is the executable's path with ".ini".
//
// VK_BACKEND=headless runs it without a display; VK_SCREENSHOT_DIR=FOLDER then saves what the
// screen shows each time the program waits for input. VK_MESSAGE_LOG=FILE appends every message
// the program shows to FILE.

#include <cstdio>
#include <cstdlib>
#include <exception>

#include "app/Program.h"
#include "app/program/BrowserProgram.h"

int main() {
    try {
        app::program::TBrowserProgram program;
        if (const char* folder = std::getenv("VK_SCREENSHOT_DIR")) program.ScreenshotFolder = folder;
        if (const char* log = std::getenv("VK_MESSAGE_LOG")) program.WindowOptions.MessageLog = log;
        return app::RunPuzzleBrowser(program, app::DefaultBrowserPaths());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "PuzzleBrowser: %s\n", e.what());
        return 1;
    }
}
