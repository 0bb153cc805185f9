// richedit_demo: the skinned rich edit dressed in the default skin.
//
//   richedit_demo [--skin SKIN.ini] [--screenshot FILE.png] [FILE.rtf]
//
// A rich edit with its vertical and horizontal skin scroll bars, and buttons that switch bold,
// italic and underline on the selection, set the paragraphs' alignment and bullets, and save the
// document as FILE.rtf (or richedit_demo.rtf). Ctrl+B, Ctrl+I and Ctrl+U work in the text too.
// With VK_BACKEND=headless the program runs without a display; --screenshot saves the screen as
// a PNG once the form is shown and exits.

#include <cstdio>
#include <memory>
#include <string>

#include "platform/forms/Application.h"
#include "platform/forms/Form.h"
#include "platform/forms/RtfReader.h"
#include "platform/ui/WindowSystem.h"
#include "platform/ui/backend/BackendFactory.h"
#include "platform/ui/backend/headless/HeadlessBackend.h"
#include "skin/controls/bsSkinCtrlsButton.h"
#include "skin/controls/bsSkinCtrlsRichEdit.h"
#include "skin/controls/bsSkinCtrlsScrollBar.h"
#include "skin/data/bsSkinDataStored.h"
#include "skin/form/bsSkinForm.h"

namespace {

using namespace platform::forms;
namespace gfx = platform::gfx;

// The document shown when no file is named.
const char* const kWelcome =
    "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0 Arial;}{\\f1 Times New Roman;}{\\f2 Courier New;}}"
    "{\\colortbl;\\red0\\green0\\blue128;\\red170\\green20\\blue20;\\red0\\green110\\blue0;}"
    "\\pard\\qc\\f1\\fs36\\b\\cf1 Rich text\\par"
    "\\pard\\qc\\plain\\fs18\\i The skinned rich edit\\par"
    "\\pard\\plain\\fs20 \\par "
    "Characters keep their own \\b bold\\b0 , \\i italic\\i0 , \\ul underlined\\ul0  and "
    "\\strike struck\\strike0  look, their \\cf2 colour\\cf0  and \\fs28 size\\fs20 , and "
    "\\f2 their font\\f0 . Paragraphs keep their alignment, indents and bullets:\\par"
    "{\\pntext\\'b7\\tab}{\\*\\pn\\pnlvlblt{\\pntxtb\\'b7}}\\li360 select some text and press a button "
    "above,\\par"
    "{\\pntext\\'b7\\tab}{\\*\\pn\\pnlvlblt{\\pntxtb\\'b7}}\\li360 or use Ctrl+B, Ctrl+I and Ctrl+U,\\par"
    "{\\pntext\\'b7\\tab}{\\*\\pn\\pnlvlblt{\\pntxtb\\'b7}}\\li360 then save the document as rich text.\\par"
    "\\pard\\qr\\cf3 Unicode too: caf\\'e9, \\u8364?, \\u1046?\\u1080?\\u1079?\\u1085?\\u1100?.\\par"
    "\\pard\\cf0 \\par}";

template <class T>
T* Place(TForm* form, int left, int top, int width, int height) {
    T* c = new T(form);
    c->SetParent(form);
    c->SetBounds(left, top, width, height);
    return c;
}

skin::TbsSkinButton* Button(TForm* form, skin::TbsSkinData* data, int left, const std::string& caption,
                            std::function<void()> action) {
    auto* b = Place<skin::TbsSkinButton>(form, left, 10, caption.size() > 2 ? 64 : 30, 24);
    b->SetSkinData(data);
    b->SetCaption(caption);
    b->SetTabStop(false);
    b->OnClick = [action = std::move(action)](TComponent*) { action(); };
    return b;
}

TForm* BuildForm(TApplication& app, skin::TbsSkinData* data, const std::string& file) {
    auto* form = new TForm(&app);
    form->SetCaption("Skinned rich edit");
    form->SetBounds(80, 60, 520, 400);
    auto* frame = new skin::TbsSkinForm(form);
    frame->SetSkinData(data);

    auto* rich = Place<skin::TbsSkinRichEdit>(form, 10, 44, 470, 280);
    auto* vbar = Place<skin::TbsSkinScrollBar>(form, 480, 44, 17, 280);
    vbar->SetKind(skin::sbVertical);
    vbar->SetSkinDataName("vscrollbar");
    vbar->SetSkinData(data);
    auto* hbar = Place<skin::TbsSkinScrollBar>(form, 10, 324, 470, 17);
    hbar->SetKind(skin::sbHorizontal);
    hbar->SetSkinDataName("hscrollbar");
    hbar->SetSkinData(data);
    rich->SetSkinData(data);
    rich->SetVScrollBar(vbar);
    rich->SetHScrollBar(hbar);
    if (file.empty() || !rich->Lines().LoadFromFile(file)) {
        TRichDocument doc;
        TRtfReader::Read(kWelcome, doc);
        rich->LoadDocument(doc);
    }

    const auto toggle = [rich](gfx::TFontStyles style) {
        const gfx::TFontStyles now = rich->SelAttributes().Style();
        rich->SelAttributes().SetStyle(static_cast<gfx::TFontStyles>(now ^ style));
    };
    int x = 10;
    Button(form, data, x, "B", [=] { toggle(gfx::fsBold); });
    Button(form, data, x += 34, "I", [=] { toggle(gfx::fsItalic); });
    Button(form, data, x += 34, "U", [=] { toggle(gfx::fsUnderline); });
    Button(form, data, x += 44, "Left", [=] { rich->Paragraph().SetAlignment(taLeftJustify); });
    Button(form, data, x += 68, "Centre", [=] { rich->Paragraph().SetAlignment(taCenter); });
    Button(form, data, x += 68, "Right", [=] { rich->Paragraph().SetAlignment(taRightJustify); });
    Button(form, data, x += 68, "Bullets", [=] {
        const bool on = rich->Paragraph().Numbering() == nsBullet;
        rich->Paragraph().SetNumbering(on ? nsNone : nsBullet);
    });
    const std::string target = file.empty() ? std::string("richedit_demo.rtf") : file;
    Button(form, data, x += 78, "Save", [=] { rich->Lines().SaveToFile(target); });
    return form;
}

}  // namespace

int main(int argc, char** argv) {
    std::string screenshot;
    std::string skinPath = VK_DEFAULT_SKIN;
    std::string file;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--screenshot" && i + 1 < argc) {
            screenshot = argv[++i];
        } else if (arg == "--skin" && i + 1 < argc) {
            skinPath = argv[++i];
        } else if (!arg.empty() && arg[0] != '-' && file.empty()) {
            file = arg;
        } else {
            std::fprintf(stderr,
                         "usage: richedit_demo [--skin SKIN.ini] [--screenshot FILE.png] [FILE.rtf]\n");
            return 2;
        }
    }
    std::string error;
    std::unique_ptr<platform::ui::TBackend> backend = platform::ui::CreateDefaultBackend(error);
    if (!backend) {
        std::fprintf(stderr, "richedit_demo: %s\n", error.c_str());
        return 1;
    }
    auto* headless = dynamic_cast<platform::ui::headless::THeadlessBackend*>(backend.get());
    platform::ui::TWindowSystem system(std::move(backend));
    int exitCode = 0;
    {
        TApplication app;
        app.SetTitle("Rich edit demo");
        auto* stored = new skin::TbsStoredSkin(&app);
        if (!stored->LoadFromSkinFolder(skinPath, &error)) {
            std::fprintf(stderr, "richedit_demo: %s\n", error.c_str());
            return 1;
        }
        auto* data = new skin::TbsSkinData(&app);
        data->SetStoredSkin(stored);
        TForm* form = BuildForm(app, data, file);
        form->Show();
        if (!screenshot.empty()) {
            app.ProcessMessages();
            if (!headless) {
                std::fprintf(stderr, "richedit_demo: --screenshot needs VK_BACKEND=headless\n");
                return 2;
            }
            if (!headless->SaveScreenshot(screenshot)) {
                std::fprintf(stderr, "richedit_demo: cannot write %s\n", screenshot.c_str());
                return 1;
            }
            return 0;
        }
        exitCode = app.Run();
    }
    return exitCode;
}
