// SlidingPuzzle: the demo puzzle that the sample packages start.
//
//   SlidingPuzzle [--picture FILE.jpg] [--size 3..7] [--seed N] [--screenshot FILE.png]
//
// The picture is cut into size × size tiles (numbered tiles when there is none or it cannot be
// read); a size outside 3..7 is brought into that range. --seed repeats a shuffle. With
// VK_BACKEND=headless, --screenshot saves the screen once the window shows and ends.

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <exception>
#include <memory>
#include <string>

#include "app/puzzle-demo/PuzzleWindow.h"
#include "app/puzzle-demo/SlidingBoardView.h"
#include "platform/core/Strings.h"
#include "platform/forms/Application.h"
#include "platform/forms/FormResource.h"
#include "platform/ui/WindowSystem.h"
#include "platform/ui/backend/BackendFactory.h"
#include "skin/form/bsSkinFormRegister.h"

namespace {

int Usage(const std::string& problem) {
    std::fprintf(stderr,
                 "SlidingPuzzle: %s\nusage: SlidingPuzzle [--picture FILE.jpg] [--size 3..7] [--seed N] "
                 "[--screenshot FILE.png]\n",
                 problem.c_str());
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    app::puzzle::TPuzzleOptions options;
    options.Seed = static_cast<uint32_t>(std::time(nullptr));
    std::string screenshot;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        const bool hasValue = i + 1 < argc;
        if (a == "--picture" && hasValue) {
            options.PicturePath = argv[++i];
        } else if ((a == "--size" || a == "--seed") && hasValue) {
            const auto value = platform::core::TryStrToInt(argv[++i]);
            if (!value) return Usage(a + " wants a number, not \"" + argv[i] + "\"");
            if (a == "--size")
                options.Size = *value;
            else
                options.Seed = static_cast<uint32_t>(*value);
        } else if (a == "--screenshot" && hasValue) {
            screenshot = argv[++i];
        } else {
            return Usage("unknown argument \"" + a + "\"");
        }
    }

    std::string error;
    std::unique_ptr<platform::ui::TBackend> backend = platform::ui::CreateDefaultBackend(error);
    if (!backend) {
        std::fprintf(stderr, "SlidingPuzzle: %s\n", error.c_str());
        return 1;
    }
    platform::ui::TScreenCapture* capture = backend->ScreenCapture();
    if (!screenshot.empty() && !capture) return Usage("--screenshot needs VK_BACKEND=headless");
    platform::ui::TWindowSystem system(std::move(backend));
    try {
        platform::forms::TApplication application;
        application.SetTitle("Sliding Puzzle");
        skin::RegisterSkinFormClasses();
        app::puzzle::TSlidingBoardView::Register();
        auto* window = app::puzzle::TPuzzleWindow::Create(&application, options);
        application.SetMainForm(window);
        if (!options.PicturePath.empty() && !window->HasPicture())
            std::fprintf(stderr, "SlidingPuzzle: cannot read the picture %s; the tiles are numbered\n",
                         options.PicturePath.c_str());
        if (!screenshot.empty()) {
            window->Show();
            application.ProcessMessages();
            if (!capture->SaveScreenshot(screenshot)) {
                std::fprintf(stderr, "SlidingPuzzle: cannot write %s\n", screenshot.c_str());
                return 1;
            }
            return 0;
        }
        return application.Run();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "SlidingPuzzle: %s\n", e.what());
        return 1;
    }
}
