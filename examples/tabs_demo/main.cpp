// tabs_demo: a skinned page control with tabs on top (more tabs than fit, so the skin up-down
// scrolls them) and a skinned tab control with tabs on the left, with pictures on the tabs, in
// the default skin.
//
//   tabs_demo [--skin SKIN.INI] [--page N] [--tab N] [--screenshot FILE.png]
//
// The form (tabs_demo.vkf) is embedded in the executable; the skin is read from the default skin
// folder of the source tree unless --skin names another description. --page and --tab select a
// page and a colour tab at start. With VK_BACKEND=headless the program runs without a display;
// --screenshot saves the screen as a PNG once the form is shown and exits.

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "TabsDemoForm.h"
#include "platform/forms/Application.h"
#include "platform/forms/ApplicationCreateForm.h"
#include "platform/forms/FormResource.h"
#include "platform/ui/WindowSystem.h"
#include "platform/ui/backend/BackendFactory.h"
#include "platform/ui/backend/headless/HeadlessBackend.h"

int main(int argc, char** argv) {
    std::string screenshot;
    std::string skinPath = VK_TABS_DEMO_SKIN;
    int page = -1, tab = -1;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--screenshot" && i + 1 < argc) {
            screenshot = argv[++i];
        } else if (arg == "--skin" && i + 1 < argc) {
            skinPath = argv[++i];
        } else if (arg == "--page" && i + 1 < argc) {
            page = std::atoi(argv[++i]);
        } else if (arg == "--tab" && i + 1 < argc) {
            tab = std::atoi(argv[++i]);
        } else {
            std::fprintf(stderr, "usage: tabs_demo [--skin SKIN.INI] [--page N] [--tab N] [--screenshot FILE.png]\n");
            return 2;
        }
    }

    std::string error;
    std::unique_ptr<platform::ui::TBackend> backend = platform::ui::CreateDefaultBackend(error);
    if (!backend) {
        std::fprintf(stderr, "tabs_demo: %s\n", error.c_str());
        return 1;
    }
    auto* headless = dynamic_cast<platform::ui::headless::THeadlessBackend*>(backend.get());
    platform::ui::TWindowSystem system(std::move(backend));
    int exitCode = 0;
    {
        platform::forms::TApplication app;
        app.SetTitle("Tabs demo");
        tabsdemo::RegisterDemoClasses();
        tabsdemo::TTabsDemoForm* form = nullptr;
        try {
            form = app.CreateForm<tabsdemo::TTabsDemoForm>("tabs_demo.vkf");
        } catch (const platform::forms::EFormResourceError& e) {
            std::fprintf(stderr, "tabs_demo: %s\n", e.what());
            return 1;
        }
        // Without the skin the controls keep their plain look; the demo still runs.
        if (!form->LoadSkin(skinPath, &error))
            std::fprintf(stderr, "tabs_demo: no skin (%s): %s\n", skinPath.c_str(), error.c_str());
        if (page >= 0) form->pcPages->SetActivePageIndex(page);
        if (tab >= 0) form->tcColours->SetTabIndex(tab);
        form->ShowState();
        form->Show();
        if (!screenshot.empty()) {
            app.ProcessMessages();
            if (!headless) {
                std::fprintf(stderr, "tabs_demo: --screenshot needs VK_BACKEND=headless\n");
                return 2;
            }
            if (!headless->SaveScreenshot(screenshot)) {
                std::fprintf(stderr, "tabs_demo: cannot write %s\n", screenshot.c_str());
                return 1;
            }
            return 0;
        }
        exitCode = app.Run();
    }
    return exitCode;
}
