// skinned_form: a form resource, a skin and the event loop.
//
//   skinned_form SKINFOLDER [--check SCREENSHOT.png]
//
// --check (with VK_BACKEND=headless) clicks the button, saves the screen and exits with 0 only
// when the skin was loaded and the click reached the button's handler.

#include <cstdio>
#include <string>

#include "platform/forms/Application.h"
#include "platform/forms/Form.h"
#include "platform/forms/FormResource.h"
#include "platform/ui/WindowSystem.h"
#include "platform/ui/backend/BackendFactory.h"
#include "platform/ui/backend/headless/HeadlessBackend.h"
#include "skin/controls/bsSkinCtrlsButton.h"
#include "skin/controls/bsSkinCtrlsLabels.h"
#include "skin/data/bsSkinData.h"
#include "skin/form/bsSkinFormRegister.h"

using namespace platform::forms;

class THelloForm : public TForm {
public:
    explicit THelloForm(TComponent* owner) : TForm(owner) {
        PublishField("lblHello", lblHello);
        PublishField("btnHello", btnHello);
        PublishField("bsSkinData1", bsSkinData1);
        PublishField("bsStoredSkin1", bsStoredSkin1);
        PublishMethod<void(TComponent*)>("btnHelloClick", [this](TComponent*) {
            lblHello->SetCaption("Hello from the skinned button!");
        });
    }
    std::string ClassName() const override { return "THelloForm"; }

    skin::TbsSkinStdLabel* lblHello = nullptr;
    skin::TbsSkinButton* btnHello = nullptr;
    skin::TbsSkinData* bsSkinData1 = nullptr;
    skin::TbsStoredSkin* bsStoredSkin1 = nullptr;
};

// A click at the middle of a control, on the headless backend's scripted mouse.
static void Click(platform::ui::headless::THeadlessBackend& screen, TControl& control) {
    screen.QueueMouseMove(control.ClientToScreen({control.Width() / 2, control.Height() / 2}));
    screen.QueueButton(platform::ui::TMouseButton::Left, true);
    screen.QueueButton(platform::ui::TMouseButton::Left, false);
}

int main(int argc, char** argv) {
    if (argc != 2 && !(argc == 4 && std::string(argv[2]) == "--check")) {
        std::fprintf(stderr, "usage: skinned_form SKINFOLDER [--check SCREENSHOT.png]\n");
        return 2;
    }
    std::string error;
    auto backend = platform::ui::CreateDefaultBackend(error);
    if (!backend) return std::fprintf(stderr, "skinned_form: %s\n", error.c_str()), 1;
    auto* headless = dynamic_cast<platform::ui::headless::THeadlessBackend*>(backend.get());
    platform::ui::TWindowSystem system(std::move(backend));
    TApplication application;
    skin::RegisterSkinFormClasses();
    auto* form = new THelloForm(&application);
    ReadComponentResourceNamed(*form, "hello.vkf");
    // The skin comes from a folder; loading it tells every form to take its new look.
    if (!form->bsStoredSkin1->LoadFromSkinFolder(std::string(argv[1]) + "/skin.ini", &error))
        return std::fprintf(stderr, "skinned_form: %s\n", error.c_str()), 1;
    form->bsSkinData1->LoadFromStoredSkin(form->bsStoredSkin1);
    application.SetMainForm(form);
    if (argc == 2) return application.Run();

    if (!headless) return std::fprintf(stderr, "skinned_form: --check needs VK_BACKEND=headless\n"), 2;
    form->Show();
    application.ProcessMessages();
    Click(*headless, *form->btnHello);
    application.ProcessMessages();
    const bool skinned = !form->bsSkinData1->SkinIsEmpty;
    const bool clicked = form->lblHello->Caption() == "Hello from the skinned button!";
    if (!headless->SaveScreenshot(argv[3])) return std::fprintf(stderr, "cannot write %s\n", argv[3]), 1;
    std::printf("skin loaded: %s, click handled: %s\n", skinned ? "yes" : "no", clicked ? "yes" : "no");
    return skinned && clicked ? 0 : 1;
}
