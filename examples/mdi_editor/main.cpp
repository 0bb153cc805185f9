// mdi_editor: a skinned MDI main form with a File and a Window menu, a tabs bar with a tab per
// document, and documents holding a memo.
//
//   mdi_editor [--skin SKIN.INI] [--documents N] [--maximize] [--screenshot FILE.png] [--state]
//
// The form (mdi_editor.vkf) is embedded in the executable; the skin is read from the default skin
// folder of the source tree unless --skin names another description. --documents opens that many
// documents at start (cascaded), --maximize maximises the last one. With VK_BACKEND=headless the
// program runs without a display: --screenshot saves the screen as a PNG once the window is shown
// and exits; --state prints the window's state report and exits.

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "MdiEditorForm.h"
#include "platform/forms/Application.h"
#include "platform/forms/ApplicationCreateForm.h"
#include "platform/forms/FormResource.h"
#include "platform/ui/WindowSystem.h"
#include "platform/ui/backend/BackendFactory.h"
#include "platform/ui/backend/headless/HeadlessBackend.h"

int main(int argc, char** argv) {
    std::string screenshot;
    std::string skinPath = VK_MDI_EDITOR_SKIN;
    int documents = 0;
    bool maximize = false, state = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--screenshot" && i + 1 < argc) {
            screenshot = argv[++i];
        } else if (arg == "--skin" && i + 1 < argc) {
            skinPath = argv[++i];
        } else if (arg == "--documents" && i + 1 < argc) {
            documents = std::atoi(argv[++i]);
        } else if (arg == "--maximize") {
            maximize = true;
        } else if (arg == "--state") {
            state = true;
        } else {
            std::fprintf(
                stderr,
                "usage: mdi_editor [--skin SKIN.INI] [--documents N] [--maximize] [--screenshot FILE.png] "
                "[--state]\n");
            return 2;
        }
    }

    std::string error;
    std::unique_ptr<platform::ui::TBackend> backend = platform::ui::CreateDefaultBackend(error);
    if (!backend) {
        std::fprintf(stderr, "mdi_editor: %s\n", error.c_str());
        return 1;
    }
    auto* headless = dynamic_cast<platform::ui::headless::THeadlessBackend*>(backend.get());
    platform::ui::TWindowSystem system(std::move(backend));
    int exitCode = 0;
    {
        platform::forms::TApplication app;
        app.SetTitle("MDI Editor");
        mdieditor::RegisterEditorClasses();
        mdieditor::TMdiEditorForm* form = nullptr;
        try {
            form = app.CreateForm<mdieditor::TMdiEditorForm>("mdi_editor.vkf");
        } catch (const platform::forms::EFormResourceError& e) {
            std::fprintf(stderr, "mdi_editor: %s\n", e.what());
            return 1;
        }
        // Without the skin the windows keep their plain look; the editor still runs.
        if (!form->LoadSkin(skinPath, &error))
            std::fprintf(stderr, "mdi_editor: no skin (%s): %s\n", skinPath.c_str(), error.c_str());
        form->Start();
        for (int i = 0; i < documents; ++i) form->NewDocument();
        if (documents > 0) form->Cascade();
        if (maximize && form->ActiveMDIChild())
            form->ActiveMDIChild()->SetWindowState(platform::forms::wsMaximized);
        if (!screenshot.empty() || state) {
            app.ProcessMessages();
            if (state) std::fputs(form->StateReport().c_str(), stdout);
            if (screenshot.empty()) return 0;
            if (!headless) {
                std::fprintf(stderr, "mdi_editor: --screenshot needs VK_BACKEND=headless\n");
                return 2;
            }
            if (!headless->SaveScreenshot(screenshot)) {
                std::fprintf(stderr, "mdi_editor: cannot write %s\n", screenshot.c_str());
                return 1;
            }
            return 0;
        }
        exitCode = app.Run();
    }
    return exitCode;
}
