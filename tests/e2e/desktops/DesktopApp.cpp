// A skinned form on the real display that says where it believes it is, for the tests under a
// window manager or a compositor: those place and move windows themselves, and the program must
// know the real place before it puts anything (a message box, a drop-down list) relative to it.
//
//   desktop_e2e_app SKIN_INI LEFT TOP
//
// Asks for a 420 x 260 form titled "Desktop e2e" at (LEFT, TOP) with the skin of SKIN_INI, and
// logs "shown" after the first frame, then "bounds L T W H" each time the form's bounds (in
// screen coordinates) change. A second form, "Desktop e2e 2", is shown then and logged as
// "bounds2 L T W H". Ends when the first form is closed. Lines go to stdout or to the file
// named by $VK_EXAMPLE_LOG.

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "platform/forms/Application.h"
#include "platform/forms/Form.h"
#include "platform/ui/WindowSystem.h"
#include "platform/ui/backend/BackendFactory.h"
#include "skin/data/bsSkinData.h"
#include "skin/data/bsSkinDataStored.h"
#include "skin/form/bsSkinForm.h"

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: desktop_e2e_app SKIN_INI LEFT TOP\n");
        return 2;
    }
    FILE* logFile = stdout;
    if (const char* path = std::getenv("VK_EXAMPLE_LOG"); path && *path) {
        logFile = std::fopen(path, "a");
        if (!logFile) return 1;
    }
    auto log = [logFile](const std::string& line) {
        std::fprintf(logFile, "%s\n", line.c_str());
        std::fflush(logFile);
    };

    std::string error;
    std::unique_ptr<platform::ui::TBackend> backend = platform::ui::CreateDefaultBackend(error);
    if (!backend) {
        std::fprintf(stderr, "desktop_e2e_app: %s\n", error.c_str());
        return 1;
    }
    platform::ui::TWindowSystem system(std::move(backend));
    int code = 0;
    {
        platform::forms::TApplication app;
        app.SetTitle("Desktop e2e");
        auto* stored = new skin::TbsStoredSkin(&app);
        if (!stored->LoadFromSkinFolder(argv[1], &error)) {
            std::fprintf(stderr, "desktop_e2e_app: %s\n", error.c_str());
            return 1;
        }
        auto* data = new skin::TbsSkinData(&app);
        data->SetStoredSkin(stored);

        auto* form = new platform::forms::TForm(&app);
        form->SetCaption("Desktop e2e");
        // Made smaller, then sized before it is shown, as the browser's window is: a desktop
        // may place a window that was reconfigured before its first showing where it likes.
        form->SetBounds(std::atoi(argv[2]), std::atoi(argv[3]), 200, 150);
        auto* skinForm = new skin::TbsSkinForm(form);
        skinForm->SetSkinData(data);
        form->HandleNeeded();
        form->SetBounds(std::atoi(argv[2]), std::atoi(argv[3]), 420, 260);
        app.SetMainForm(form);

        // A second window, shown once the first is: a desktop places it beside the first, in a
        // frame of its own.
        auto* second = new platform::forms::TForm(&app);
        second->SetCaption("Desktop e2e 2");
        second->SetBounds(std::atoi(argv[2]) + 40, std::atoi(argv[3]) + 40, 300, 180);
        auto* secondSkin = new skin::TbsSkinForm(second);
        secondSkin->SetSkinData(data);

        bool shown = false;
        std::string last, lastSecond;
        auto logBounds = [&](const char* name, platform::forms::TForm* f, std::string& previous) {
            const std::string now = std::string(name) + " " + std::to_string(f->Left()) + " " +
                                    std::to_string(f->Top()) + " " + std::to_string(f->Width()) + " " +
                                    std::to_string(f->Height());
            if (now != previous) {
                previous = now;
                log(now);
            }
        };
        system.OnIdle = [&] {
            if (system.PaintStats().Presents == 0) return;
            if (!shown) {
                shown = true;
                log("shown");
                second->Show();
            }
            logBounds("bounds", form, last);
            if (second->Visible()) logBounds("bounds2", second, lastSecond);
        };
        code = app.Run();
        system.OnIdle = nullptr;
    }
    if (logFile != stdout) std::fclose(logFile);
    return code;
}
