#include "MdiEditorForm.h"

#include <algorithm>

#include "platform/forms/MdiClient.h"
#include "skin/boxes/bsSkinBoxCtrlsRegister.h"
#include "skin/data/bsSkinDataStored.h"
#include "skin/form/bsSkinFormBehaviour.h"
#include "skin/form/bsSkinFormRegister.h"
#include "skin/form/bsSkinMenusWindow.h"

namespace mdieditor {

using namespace platform::forms;

namespace {

const char* StateName(TWindowState state) {
    switch (state) {
        case wsMinimized:
            return "minimized";
        case wsMaximized:
            return "maximized";
        default:
            return "normal";
    }
}

}  // namespace

void RegisterEditorClasses() {
    skin::RegisterSkinBoxClasses();
    skin::RegisterSkinFormClasses();
}

// ---- A document ----

TDocumentForm::TDocumentForm(TComponent* owner, skin::TbsSkinData* skinData, int number) : TForm(owner) {
    SetName("Document" + std::to_string(number));
    SetCaption("Document " + std::to_string(number));
    SetFormStyle(fsMDIChild);
    SetBounds(0, 0, 360, 240);
    SkinForm = new skin::TbsSkinForm(this);
    SkinForm->SetSkinData(skinData);
    Memo = new skin::TbsSkinMemo(this);
    Memo->SetName("Memo");
    Memo->SetParent(this);
    Memo->SetSkinData(skinData);
    Memo->SetText("Document " + std::to_string(number) + "\r");
    Resize();
    OnClose = [](TComponent*, TCloseAction& action) { action = caFree; };
}

void TDocumentForm::Resize() {
    TForm::Resize();
    // The memo fills the client area.
    if (Memo) Memo->SetBounds(0, 0, std::max(0, ClientWidth()), std::max(0, ClientHeight()));
}

// ---- The main window ----

TMdiEditorForm::TMdiEditorForm(TComponent* owner) : TForm(owner) {
    PublishField("mnuMain", mnuMain);
    PublishField("mnuWindow", mnuWindow);
    PublishField("menuBar", menuBar);
    PublishField("tabsBar", tabsBar);
    PublishField("skinForm", skinForm);
    auto command = [this](const char* name, std::function<void()> run) {
        PublishMethod<void(TComponent*)>(std::string(name) + "Click", [this, name, run](TComponent*) {
            Commands += std::string(Commands.empty() ? "" : " ") + name;
            run();
        });
    };
    command("New", [this] { NewDocument(); });
    command("Close", [this] { CloseDocument(); });
    command("Exit", [this] { Close(); });
    command("Cascade", [this] { Cascade(); });
    command("Tile", [this] { Tile(); });
    command("Arrange", [this] { ArrangeIcons(); });
}

bool TMdiEditorForm::LoadSkin(const std::string& skinIni, std::string* error) {
    auto* stored = new skin::TbsStoredSkin(this);
    SkinData = new skin::TbsSkinData(this);
    const bool loaded = stored->LoadFromSkinFolder(skinIni, error);
    SkinData->SetStoredSkin(stored);
    skinForm->SetSkinData(SkinData);
    tabsBar->SetSkinData(SkinData);
    mnuMain->SetSkinData(SkinData);
    menuBar->SetSkinData(SkinData);
    for (int i = 0; i < MDIChildCount(); ++i)
        if (auto* document = dynamic_cast<TDocumentForm*>(MDIChildren(i))) {
            document->SkinForm->SetSkinData(SkinData);
            document->Memo->SetSkinData(SkinData);
        }
    return loaded;
}

void TMdiEditorForm::Start() {
    Show();
    MDIClient()->FitToParent();
}

TDocumentForm* TMdiEditorForm::NewDocument() {
    const int number = m_nextNumber++;
    auto* document = new TDocumentForm(this, SkinData, number);
    // Each new document a step down and right of the one before, so that every caption shows.
    const int step = 26 * ((number - 1) % 8);
    document->SetBounds(step, step, document->Width(), document->Height());
    document->Show();
    return document;
}

void TMdiEditorForm::CloseDocument() {
    if (TForm* active = ActiveMDIChild()) active->Close();
}

TDocumentForm* TMdiEditorForm::DocumentOfTab(int index) const {
    const skin::TbsMDITab* tab = tabsBar ? tabsBar->Tab(index) : nullptr;
    return tab ? dynamic_cast<TDocumentForm*>(tab->Child) : nullptr;
}

std::string TMdiEditorForm::StateReport() const {
    std::string report = "title: " + Caption() + "\n";
    for (int i = 0; tabsBar && i < tabsBar->TabCount(); ++i) {
        const TForm* child = tabsBar->Tab(i)->Child;
        report += "tab " + std::to_string(i) + ": " + child->Caption() + " " +
                  StateName(child->WindowState()) + (tabsBar->Tab(i)->Active ? " active" : "") + "\n";
    }
    report += "active: " + std::string(ActiveMDIChild() ? ActiveMDIChild()->Caption() : "none") + "\n";
    report += "system buttons: " + std::to_string(menuBar ? menuBar->SystemButtonCount() : 0) + "\n";
    // The open menu: the bar's pressed item and the hot item of the skin form's first menu level.
    std::string menu = "none";
    const skin::TbsSkinFormBehaviour* behaviour = skin::TbsSkinFormBehaviour::Find(skinForm);
    for (int i = 0; menuBar && behaviour && behaviour->MenuOpen() && i < menuBar->ObjectCount(); ++i) {
        const auto* item = dynamic_cast<const skin::TbsSkinMainMenuBarItem*>(menuBar->Object(i));
        if (!item || !item->Pressed) continue;
        menu = item->MenuItem->Caption();
        skin::TbsSkinPopupWindow* level = behaviour->SkinMenu().LevelCount() > 0 ? behaviour->SkinMenu().Level(0) : nullptr;
        if (level && level->HotIndex() >= 0) menu += " > " + level->Item(level->HotIndex()).MenuItem->Caption();
        std::erase(menu, '&');
    }
    report += "menu: " + menu + "\n";
    report += "commands: " + Commands + "\n";
    return report;
}

}  // namespace mdieditor
