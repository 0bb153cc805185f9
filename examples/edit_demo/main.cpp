// edit_demo: the skinned text controls dressed in the default skin.
//
//   edit_demo [--skin SKIN.ini] [--screenshot FILE.png]
//
// A skinned edit with a button (the button adds the edit's text to the memo), a masked date
// field that refuses an incomplete date on leaving, a memo with its skin scroll bar and a combo
// box in edit style that completes from its list. The right button opens the skinned standard
// menu of the edits and the memo. With VK_BACKEND=headless the program runs without a display;
// --screenshot saves the screen as a PNG once the form is shown and exits.

#include <cstdio>
#include <memory>
#include <string>

#include "platform/forms/Application.h"
#include "platform/forms/Form.h"
#include "platform/forms/StdCtrls.h"
#include "platform/ui/WindowSystem.h"
#include "platform/ui/backend/BackendFactory.h"
#include "platform/ui/backend/headless/HeadlessBackend.h"
#include "skin/boxes/bsSkinBoxCtrlsComboBox.h"
#include "skin/boxes/bsSkinBoxCtrlsEdit.h"
#include "skin/boxes/bsSkinBoxCtrlsEditMemo.h"
#include "skin/controls/bsSkinCtrlsLabels.h"
#include "skin/controls/bsSkinCtrlsScrollBar.h"
#include "skin/data/bsSkinDataStored.h"
#include "skin/form/bsSkinForm.h"

namespace {

using namespace platform::forms;

template <class T>
T* Place(TForm* form, int left, int top, int width, int height) {
    T* c = new T(form);
    c->SetParent(form);
    c->SetBounds(left, top, width, height);
    return c;
}

void Label(TForm* form, skin::TbsSkinData* data, int left, int top, const std::string& caption) {
    auto* l = Place<skin::TbsSkinStdLabel>(form, left, top, 120, 16);
    l->SetSkinData(data);
    l->SetCaption(caption);
}

// Builds the demo window on a new form owned by the application.
TForm* BuildForm(TApplication& app, skin::TbsSkinData* data) {
    auto* form = new TForm(&app);
    form->SetCaption("Skinned edits and memo");
    form->SetBounds(80, 60, 440, 340);
    auto* frame = new skin::TbsSkinForm(form);
    frame->SetSkinData(data);

    Label(form, data, 16, 14, "Name (with a button):");
    auto* name = Place<skin::TbsSkinEdit>(form, 16, 32, 200, 22);
    name->SetSkinDataName("buttonedit");
    name->SetHasButton(true);
    name->SetSkinData(data);
    name->SetText("Slate skin");

    Label(form, data, 232, 14, "Date (masked):");
    auto* date = Place<skin::TbsSkinEdit>(form, 232, 32, 180, 22);
    date->SetSkinData(data);
    date->SetEditMask("!99/99/0000;1;_");
    date->SetText("24122026");

    Label(form, data, 16, 66, "Notes:");
    auto* memo = Place<skin::TbsSkinMemo>(form, 16, 84, 379, 150);
    auto* bar = Place<skin::TbsSkinScrollBar>(form, 395, 84, 17, 150);
    bar->SetKind(skin::sbVertical);
    bar->SetSkinDataName("vscrollbar");
    bar->SetSkinData(data);
    memo->SetSkinData(data);
    memo->SetVScrollBar(bar);
    std::vector<std::string> lines{"Type here: the caret blinks, Shift+arrows select,",
                                   "Ctrl+Z undoes, Ctrl+C and Ctrl+V use the clipboard.",
                                   "A middle click pastes the selected text (PRIMARY).", ""};
    for (int i = 1; i <= 24; ++i) lines.push_back("Line " + std::to_string(i) + " of the notes.");
    memo->SetLines(lines);

    Label(form, data, 16, 246, "Fruit (combo box in edit style):");
    auto* combo = Place<skin::TbsSkinComboBox>(form, 16, 264, 200, 20);
    combo->SetItems({"Apple", "Apricot", "Banana", "Blueberry", "Cherry", "Grape", "Lemon", "Mango"});
    combo->SetStyle(skin::bscbEditStyle);
    combo->SetSkinData(data);
    combo->SetItemIndex(3);

    name->OnButtonClick = [memo, name](TComponent*) { memo->Lines().Add(name->Text()); };
    return form;
}

}  // namespace

int main(int argc, char** argv) {
    std::string screenshot;
    std::string skinPath = VK_DEFAULT_SKIN;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--screenshot" && i + 1 < argc) {
            screenshot = argv[++i];
        } else if (arg == "--skin" && i + 1 < argc) {
            skinPath = argv[++i];
        } else {
            std::fprintf(stderr, "usage: edit_demo [--skin SKIN.ini] [--screenshot FILE.png]\n");
            return 2;
        }
    }
    std::string error;
    std::unique_ptr<platform::ui::TBackend> backend = platform::ui::CreateDefaultBackend(error);
    if (!backend) {
        std::fprintf(stderr, "edit_demo: %s\n", error.c_str());
        return 1;
    }
    auto* headless = dynamic_cast<platform::ui::headless::THeadlessBackend*>(backend.get());
    platform::ui::TWindowSystem system(std::move(backend));
    int exitCode = 0;
    {
        TApplication app;
        app.SetTitle("Edit demo");
        auto* stored = new skin::TbsStoredSkin(&app);
        if (!stored->LoadFromSkinFolder(skinPath, &error)) {
            std::fprintf(stderr, "edit_demo: %s\n", error.c_str());
            return 1;
        }
        auto* data = new skin::TbsSkinData(&app);
        data->SetStoredSkin(stored);
        TForm* form = BuildForm(app, data);
        form->Show();
        if (!screenshot.empty()) {
            app.ProcessMessages();
            if (!headless) {
                std::fprintf(stderr, "edit_demo: --screenshot needs VK_BACKEND=headless\n");
                return 2;
            }
            if (!headless->SaveScreenshot(screenshot)) {
                std::fprintf(stderr, "edit_demo: cannot write %s\n", screenshot.c_str());
                return 1;
            }
            return 0;
        }
        exitCode = app.Run();
    }
    return exitCode;
}
