// form_demo: a window made from a form resource on the forms layer.
//
//   form_demo [--screenshot FILE.png]
//
// The form (form_demo.vkf) and its picture (demo.bmp) are embedded in the executable at build
// time. Tab moves between the buttons, Alt+G or a click greets, Enter, Escape or Alt+C closes,
// Alt+F4 too. With VK_BACKEND=headless the program runs without a display; --screenshot saves
// the screen as a PNG once the form is shown and exits.

#include <cstdio>
#include <memory>
#include <string>

#include "DemoButton.h"
#include "platform/forms/Application.h"
#include "platform/forms/ApplicationCreateForm.h"
#include "platform/forms/ExtCtrls.h"
#include "platform/forms/Form.h"
#include "platform/forms/FormResource.h"
#include "platform/forms/StdCtrls.h"
#include "platform/ui/WindowSystem.h"
#include "platform/ui/backend/BackendFactory.h"

namespace {

using namespace platform::forms;

class TDemoForm : public TForm {
public:
    explicit TDemoForm(TComponent* owner) : TForm(owner) {
        PublishField("lblStatus", lblStatus);
        PublishField("btnGreet", btnGreet);
        PublishMethod<void(TComponent*)>("FormShow", [this](TComponent*) {
            lblStatus->SetCaption(
                "A label, a picture in a bevel frame and two buttons, all read from form_demo.vkf.");
        });
        PublishMethod<void(TComponent*)>("GreetClick", [this](TComponent*) {
            ++m_greetings;
            lblStatus->SetCaption("Hello! (" + std::to_string(m_greetings) +
                                  ")  Tab, Alt+G, Enter and Escape work too.");
        });
        PublishMethod<void(TComponent*)>("CloseClick", [this](TComponent*) { Close(); });
    }
    std::string ClassName() const override { return "TForm"; }

    TLabel* lblStatus = nullptr;
    example::TDemoButton* btnGreet = nullptr;

private:
    int m_greetings = 0;
};

}  // namespace

int main(int argc, char** argv) {
    std::string screenshot;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--screenshot" && i + 1 < argc) {
            screenshot = argv[++i];
        } else {
            std::fprintf(stderr, "usage: form_demo [--screenshot FILE.png]\n");
            return 2;
        }
    }

    std::string error;
    std::unique_ptr<platform::ui::TBackend> backend = platform::ui::CreateDefaultBackend(error);
    if (!backend) {
        std::fprintf(stderr, "form_demo: %s\n", error.c_str());
        return 1;
    }
    platform::ui::TScreenCapture* capture = backend->ScreenCapture();
    platform::ui::TWindowSystem system(std::move(backend));
    int exitCode = 0;
    {
        TApplication app;
        app.SetTitle("Form resource demo");
        example::TDemoButton::Register();
        try {
            auto* form = app.CreateForm<TDemoForm>("form_demo.vkf");
            form->Show();
        } catch (const EFormResourceError& e) {
            std::fprintf(stderr, "form_demo: %s\n", e.what());
            return 1;
        }
        if (!screenshot.empty()) {
            app.ProcessMessages();
            if (!capture) {
                std::fprintf(stderr, "form_demo: --screenshot needs VK_BACKEND=headless\n");
                return 2;
            }
            if (!capture->SaveScreenshot(screenshot)) {
                std::fprintf(stderr, "form_demo: cannot write %s\n", screenshot.c_str());
                return 1;
            }
            return 0;
        }
        exitCode = app.Run();
    }
    return exitCode;
}
