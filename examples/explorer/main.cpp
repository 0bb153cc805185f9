// explorer: a skinned window with a folder tree, a splitter and a sortable report list.
//
//   explorer [--root FOLDER] [--select NAME] [--screenshot FILE.png]
//
// The tree starts at FOLDER (the current folder by default); --select chooses the file NAME in it,
// which the preview under the list then shows. With VK_BACKEND=headless the
// program runs without a display; --screenshot saves the screen once the window is shown and
// exits. Without the default skin the window keeps the plain look.

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "ExplorerWindow.h"
#include "platform/forms/Application.h"
#include "platform/ui/WindowSystem.h"
#include "platform/ui/backend/BackendFactory.h"
#include "platform/ui/backend/headless/HeadlessBackend.h"
#include "skin/controls/bsSkinCtrlsRegister.h"
#include "skin/data/bsSkinData.h"
#include "skin/data/bsSkinDataStored.h"

int main(int argc, char** argv) {
    std::string screenshot, select;
    std::filesystem::path root = std::filesystem::current_path();
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--screenshot" && i + 1 < argc) {
            screenshot = argv[++i];
        } else if (arg == "--select" && i + 1 < argc) {
            select = argv[++i];
        } else if (arg == "--root" && i + 1 < argc) {
            root = std::filesystem::absolute(argv[++i]);
        } else {
            std::fprintf(stderr, "usage: explorer [--root FOLDER] [--select NAME] [--screenshot FILE.png]\n");
            return 2;
        }
    }
    std::error_code ec;
    if (!std::filesystem::is_directory(root, ec)) {
        std::fprintf(stderr, "explorer: %s is no folder\n", root.string().c_str());
        return 2;
    }

    std::string error;
    std::unique_ptr<platform::ui::TBackend> backend = platform::ui::CreateDefaultBackend(error);
    if (!backend) {
        std::fprintf(stderr, "explorer: %s\n", error.c_str());
        return 1;
    }
    auto* headless = dynamic_cast<platform::ui::headless::THeadlessBackend*>(backend.get());
    platform::ui::TWindowSystem system(std::move(backend));
    int exitCode = 0;
    {
        platform::forms::TApplication app;
        app.SetTitle("Explorer");
        skin::RegisterSkinControlClasses();
        auto* stored = new skin::TbsStoredSkin(&app);
        auto* data = new skin::TbsSkinData(&app);
        if (stored->LoadFromSkinFolder(VK_DEFAULT_SKIN, &error))
            data->SetStoredSkin(stored);
        else
            std::fprintf(stderr, "explorer: %s (plain look)\n", error.c_str());
        auto* window = new example::TExplorerWindow(&app, data, root);
        window->Show();
        window->Tree->SetFocus();
        // --select NAME: the file of that name in the root folder is chosen (and previewed).
        for (int i = 0; !select.empty() && i < window->Files->Items().Count(); ++i)
            if (window->Files->Items().Item(i)->Caption() == select) window->Files->Items().Item(i)->SetSelected(true);
        if (!screenshot.empty()) {
            app.ProcessMessages();
            if (!headless) {
                std::fprintf(stderr, "explorer: --screenshot needs VK_BACKEND=headless\n");
                return 2;
            }
            if (!headless->SaveScreenshot(screenshot)) {
                std::fprintf(stderr, "explorer: cannot write %s\n", screenshot.c_str());
                return 1;
            }
            return 0;
        }
        exitCode = app.Run();
    }
    return exitCode;
}
