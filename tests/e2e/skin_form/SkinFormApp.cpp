// A form with a skin form on the real display, for the end-to-end test of the skinned frame.
//
//   skin_form_e2e_app SKIN_INI [--message]
//
// Shows a 420 x 260 form titled "Skin form e2e" at (100, 100) with the skin of SKIN_INI. With
// --message it then shows two message boxes one after the other (Yes, No and Cancel; then OK
// and Cancel) and logs each result. The program ends when the form is closed. Lines go to stdout
// or to the file named by $VK_EXAMPLE_LOG.

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
#include "skin/form/bsMessages.h"
#include "skin/form/bsSkinForm.h"

int main(int argc, char** argv) {
    if (argc < 2 || (argc == 3 && std::string(argv[2]) != "--message") || argc > 3) {
        std::fprintf(stderr, "usage: skin_form_e2e_app SKIN_INI [--message]\n");
        return 2;
    }
    const bool message = argc == 3;
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
        std::fprintf(stderr, "skin_form_e2e_app: %s\n", error.c_str());
        return 1;
    }
    platform::ui::TWindowSystem system(std::move(backend));
    int code = 0;
    {
        platform::forms::TApplication app;
        app.SetTitle("Skin form e2e");
        auto* stored = new skin::TbsStoredSkin(&app);
        if (!stored->LoadFromSkinFolder(argv[1], &error)) {
            std::fprintf(stderr, "skin_form_e2e_app: %s\n", error.c_str());
            return 1;
        }
        auto* data = new skin::TbsSkinData(&app);
        data->SetStoredSkin(stored);

        auto* form = new platform::forms::TForm(&app);
        form->SetCaption("Skin form e2e");
        form->SetBounds(100, 100, 420, 260);
        auto* skinForm = new skin::TbsSkinForm(form);
        skinForm->SetSkinData(data);
        form->OnClose = [&](platform::forms::TComponent*, platform::forms::TCloseAction&) { log("closed"); };
        app.SetMainForm(form);

        auto* box = new skin::TbsSkinMessage(&app);
        box->SetSkinData(data);
        box->SetCtrlSkinData(data);
        bool asked = !message;
        system.OnIdle = [&] {
            if (system.PaintStats().Presents == 0) return;
            static bool first = true;
            if (first) {
                first = false;
                log("shown");
            }
            if (asked) return;
            asked = true;
            const int a = box->ShowMessageBox("Start the puzzle?", skin::mtConfirmation,
                                              {skin::mbYes, skin::mbNo, skin::mbCancel}, 0);
            log("result " + std::to_string(a));
            const int b = box->ShowMessageBox("Done.", skin::mtInformation, {skin::mbOK, skin::mbCancel}, 0);
            log("result " + std::to_string(b));
        };
        code = app.Run();
        system.OnIdle = nullptr;
    }
    log("exit " + std::to_string(code));
    if (logFile != stdout) std::fclose(logFile);
    return code;
}
