#pragma once
// The windows of examples/mdi_editor (also driven by the end-to-end test of MDI): a skinned MDI
// main form read from the embedded resource mdi_editor.vkf, with a skinned main menu bar (File:
// New, Close, Exit; Window: Cascade, Tile, Arrange Icons and the list of documents), a tabs bar with a tab per
// document, and documents that are skinned MDI children holding a memo.

#include <string>

#include "platform/forms/Form.h"
#include "platform/forms/Menus.h"
#include "skin/boxes/bsSkinBoxCtrlsEditMemo.h"
#include "skin/boxes/bsSkinMDITabs.h"
#include "skin/data/bsSkinData.h"
#include "skin/form/bsSkinForm.h"
#include "skin/form/bsSkinMainMenu.h"

namespace mdieditor {

// One document: an MDI child with a skin form and a memo filling its client area.
class TDocumentForm : public platform::forms::TForm {
public:
    TDocumentForm(platform::forms::TComponent* owner, skin::TbsSkinData* skinData, int number);

    skin::TbsSkinForm* SkinForm = nullptr;
    skin::TbsSkinMemo* Memo = nullptr;

protected:
    void Resize() override;
};

class TMdiEditorForm : public platform::forms::TForm {
public:
    explicit TMdiEditorForm(platform::forms::TComponent* owner);
    [[nodiscard]] std::string ClassName() const override { return "TForm"; }

    // Reads the skin description (a skin folder's ini file) into a stored skin and skin data owned
    // by the form and dresses the frame, the tabs bar and the documents with it; false (and the
    // plain look) when the skin cannot be read.
    bool LoadSkin(const std::string& skinIni, std::string* error);
    // Shows the window with its menu bar.
    void Start();

    // The commands of the menu.
    TDocumentForm* NewDocument();
    void CloseDocument();

    // One line per fact, for the end-to-end test and for --state: the title, the documents in
    // the tabs' order with their window states, the active one, the menu bar's system buttons
    // and the open menu.
    [[nodiscard]] std::string StateReport() const;
    // The document whose tab is at index, or null.
    [[nodiscard]] TDocumentForm* DocumentOfTab(int index) const;

    skin::TbsSkinMainMenu* mnuMain = nullptr;
    skin::TbsSkinMainMenuBar* menuBar = nullptr;
    platform::forms::TMenuItem* mnuWindow = nullptr;
    skin::TbsSkinMDITabsBar* tabsBar = nullptr;
    skin::TbsSkinForm* skinForm = nullptr;
    skin::TbsSkinData* SkinData = nullptr;
    // The commands run so far, each once ("New", "Cascade", ...).
    std::string Commands;

private:
    int m_nextNumber = 1;
};

// Registers the classes the resource names (skinned controls, the skin form, the tabs bar).
void RegisterEditorClasses();

}  // namespace mdieditor
