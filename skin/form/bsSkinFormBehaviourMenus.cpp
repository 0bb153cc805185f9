// The system menu, the caption buttons' menus and the tray operations of the skin form.

#include <string>

#include "platform/forms/Application.h"
#include "skin/form/bsSkinForm.h"
#include "skin/form/bsSkinFormBehaviour.h"
#include "skin/form/bsconst.h"

namespace skin {

using platform::forms::Application;
using platform::forms::TMenu;
using platform::forms::TMenuItem;
using platform::forms::wsMaximized;
using platform::forms::wsMinimized;
using platform::forms::wsNormal;

namespace {

// An MDI child closes with Ctrl+F4, any other form with Alt+F4.
const char* CloseShortCut(const TbsSkinForm& skinForm) {
    return skinForm.IsMDIChild() ? "Ctrl+F4" : "Alt+F4";
}

TMenuItem* MakeItem(platform::forms::TComponent* owner, const std::string& name, const std::string& caption,
                    platform::forms::TNotifyEvent onClick) {
    auto* item = new TMenuItem(owner);
    if (!name.empty()) item->SetName(name);
    item->SetCaption(caption);
    item->OnClick = std::move(onClick);
    return item;
}

bool IsDefaultItemName(const std::string& name) {
    return name == "SF_MINITEM" || name == "SF_MAXITEM" || name == "SF_CLOSE" || name == "SF_MINTOTRAY" ||
           name == "SF_ROLLUP" || name == "SF_RESTORE";
}

}  // namespace

void TbsSkinFormBehaviour::BuildTrayMenu() {
    m_trayMenu = new TbsSkinPopupMenu(this);
    m_trayMenu->SetPopupForm(Form());
    TMenuItem* root = m_trayMenu->Items();
    root->Add(
        MakeItem(m_trayMenu, "TRAY_SF_RESTORE", BS_MI_RESTORECAPTION, [this](auto*) { RestoreFromTray(); }));
    root->Add(MakeItem(m_trayMenu, "", "-", nullptr));
    TMenuItem* close =
        MakeItem(m_trayMenu, "TRAY_SF_CLOSE", BS_MI_CLOSECAPTION, [this](auto*) { m_skinForm->CloseForm(); });
    close->SetShortCut(platform::forms::TextToShortCut(CloseShortCut(*m_skinForm)));
    root->Add(close);
}

void TbsSkinFormBehaviour::RunMinimizeItem() {
    if (m_skinForm->AlwaysMinimizeToTray())
        MinimizeToTray();
    else
        SetWindowState(wsMinimized);
}

void TbsSkinFormBehaviour::RunRestoreItem() {
    const bool rolledUp = m_skinForm->RollUpState();
    if (m_rolledFromMax || (rolledUp && m_windowState == wsNormal))
        SetRollUpState(false);
    else
        SetWindowState(wsNormal);
}

void TbsSkinFormBehaviour::FillDefaultSystemMenu(TMenuItem* root) {
    root->Clear();
    const TbsBorderIcons icons = m_skinForm->BorderIcons();
    const bool rolledUp = m_skinForm->RollUpState();
    TComponent* owner = m_defaultSystemMenu;
    if (m_windowState != wsMinimized && (icons & biMinimize))
        root->Add(MakeItem(owner, "SF_MINITEM", BS_MI_MINCAPTION, [this](auto*) { RunMinimizeItem(); }));
    if (m_windowState != wsMaximized && (icons & biMaximize))
        root->Add(
            MakeItem(owner, "SF_MAXITEM", BS_MI_MAXCAPTION, [this](auto*) { SetWindowState(wsMaximized); }));
    if (m_windowState != wsNormal || rolledUp)
        root->Add(MakeItem(owner, "SF_RESTORE", BS_MI_RESTORECAPTION, [this](auto*) { RunRestoreItem(); }));
    if ((icons & biRollUp) && !rolledUp && m_windowState != wsMinimized && !m_skinForm->MaximizedMDIChild())
        root->Add(MakeItem(owner, "SF_ROLLUP", BS_MI_ROLLUPCAPTION, [this](auto*) { SetRollUpState(true); }));
    if (icons & biMinimizeToTray)
        root->Add(
            MakeItem(owner, "SF_MINTOTRAY", BS_MI_MINTOTRAYCAPTION, [this](auto*) { MinimizeToTray(); }));
    if (root->Count() > 0) root->Add(MakeItem(owner, "", "-", nullptr));
    TMenuItem* close =
        MakeItem(owner, "SF_CLOSE", BS_MI_CLOSECAPTION, [this](auto*) { m_skinForm->CloseForm(); });
    close->SetShortCut(platform::forms::TextToShortCut(CloseShortCut(*m_skinForm)));
    root->Add(close);
}

void TbsSkinFormBehaviour::MergeSystemMenu(TMenu* menu) {
    TMenuItem* root = menu->Items();
    for (int i = root->Count() - 1; i >= 0; --i)
        if (IsDefaultItemName(root->Items(i)->Name())) root->Delete(i);
    const TbsBorderIcons icons = m_skinForm->BorderIcons();
    const bool rolledUp = m_skinForm->RollUpState();
    int at = 0;
    auto insert = [&](TMenuItem* item) { root->Insert(at++, item); };
    if (m_windowState != wsMinimized && (icons & biMinimize))
        insert(MakeItem(menu, "SF_MINITEM", BS_MI_MINCAPTION, [this](auto*) { RunMinimizeItem(); }));
    if (m_windowState != wsNormal || rolledUp)
        insert(MakeItem(menu, "SF_RESTORE", BS_MI_RESTORECAPTION, [this](auto*) { RunRestoreItem(); }));
    if (m_windowState != wsMaximized && (icons & biMaximize))
        insert(
            MakeItem(menu, "SF_MAXITEM", BS_MI_MAXCAPTION, [this](auto*) { SetWindowState(wsMaximized); }));
    if ((icons & biRollUp) && !rolledUp && m_windowState != wsMinimized && !m_skinForm->MaximizedMDIChild())
        insert(MakeItem(menu, "SF_ROLLUP", BS_MI_ROLLUPCAPTION, [this](auto*) { SetRollUpState(true); }));
    if (icons & biMinimizeToTray)
        insert(MakeItem(menu, "SF_MINTOTRAY", BS_MI_MINTOTRAYCAPTION, [this](auto*) { MinimizeToTray(); }));
    TMenuItem* close =
        MakeItem(menu, "SF_CLOSE", BS_MI_CLOSECAPTION, [this](auto*) { m_skinForm->CloseForm(); });
    close->SetShortCut(platform::forms::TextToShortCut(CloseShortCut(*m_skinForm)));
    root->Add(close);
}

TMenuItem* TbsSkinFormBehaviour::SystemMenuItems() {
    if (platform::forms::TPopupMenu* menu = m_skinForm->SystemMenu()) {
        if (m_skinForm->UseDefaultSysMenu()) MergeSystemMenu(menu);
        return menu->Items();
    }
    if (!m_defaultSystemMenu) return nullptr;
    FillDefaultSystemMenu(m_defaultSystemMenu->Items());
    return m_defaultSystemMenu->Items();
}

bool TbsSkinFormBehaviour::PopupObjectMenu(TMenuItem* item, const TRect& anchor, bool popupUp) {
    if (!item || !m_skinMenu) return false;
    if (auto* skinPopup = dynamic_cast<TbsSkinPopupMenu*>(item->GetParentMenu());
        skinPopup && item == skinPopup->Items()) {
        return skinPopup->PopupAtRect(anchor, popupUp);
    }
    // Menus close first: the closing notice must not undo the opening below.
    if (m_skinMenu->IsOpen()) m_skinMenu->CloseAll();
    SyncMenuSettings();
    MarkSkinMenuOpen();
    if (m_skinMenu->Popup(nullptr, MenusData(), popupUp, item, anchor)) return true;
    SkinMenuClosed();
    return false;
}

void TbsSkinFormBehaviour::PopupSystemMenu(TPoint screen) {
    TMenuItem* items = SystemMenuItems();
    if (!items) return;
    PopupObjectMenu(items, {screen.X, screen.Y, screen.X, screen.Y}, false);
}

void TbsSkinFormBehaviour::MinimizeToTray() {
    // Without a tray icon the window would be left with no way back.
    if (!m_skinForm->MinimizeFormToTray()) return;
    if (OnMinimizeToTray) OnMinimizeToTray(m_skinForm);
}

void TbsSkinFormBehaviour::RestoreFromTray() {
    m_skinForm->RestoreFormFromTray();
    if (Application) Application->Restore();
    if (OnRestoreFromTray) OnRestoreFromTray(m_skinForm);
}

}  // namespace skin
