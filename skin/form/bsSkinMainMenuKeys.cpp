// TbsSkinMainMenuBar: menu mode and the keyboard, the item menus, the system buttons of a maximised
// MDI child, and the skin form's side of the bar (its MainMenuBar reference).

#include "platform/forms/Form.h"
#include "platform/forms/MdiClient.h"
#include "platform/ui/WindowSystem.h"
#include "skin/form/bsSkinForm.h"
#include "skin/form/bsSkinFormBehaviour.h"
#include "skin/form/bsSkinMainMenu.h"
#include "skin/form/bsSkinMenus.h"

namespace skin {

using platform::forms::mbLeft;
using platform::forms::TForm;
using platform::forms::TMessage;
using platform::forms::wsMinimized;
using platform::forms::wsNormal;

namespace {

TRect ScreenRect(const TbsSkinMainMenuBar& bar, const TRect& r) {
    const TPoint topLeft = bar.ClientToScreen(r.TopLeft());
    return {topLeft.X, topLeft.Y, topLeft.X + r.Width(), topLeft.Y + r.Height()};
}

TForm* MaximizedChildOf(const TbsSkinForm* skinForm) {
    TForm* form = skinForm ? skinForm->Form() : nullptr;
    platform::forms::TMdiClient* client = form ? form->MDIClient() : nullptr;
    return client ? client->MaximizedChild() : nullptr;
}

}  // namespace

// ---- The skin form's menu state ---------------------------------------------------------------

bool TbsSkinMainMenuBar::FormMenuMode() const {
    const TbsSkinFormBehaviour* behaviour = TbsSkinFormBehaviour::Find(m_skinForm);
    return behaviour && behaviour->MainMenuActive();
}

bool TbsSkinMainMenuBar::FormMenuOpen() const {
    const TbsSkinFormBehaviour* behaviour = TbsSkinFormBehaviour::Find(m_skinForm);
    return behaviour && behaviour->MenuOpen();
}

void TbsSkinMainMenuBar::FireMainMenuEnter() {
    if (TbsSkinFormBehaviour* behaviour = TbsSkinFormBehaviour::Of(m_skinForm)) behaviour->EnterMenuMode();
}

void TbsSkinMainMenuBar::LeaveFormMenuMode() {
    const auto alive = WeakRef();
    if (TbsSkinFormBehaviour* behaviour = TbsSkinFormBehaviour::Find(m_skinForm);
        behaviour && behaviour->MainMenuActive())
        behaviour->LeaveMenuMode();
    if (!alive) return;
    // A bar that is not the skin form's MainMenuBar is not told by the form.
    if (m_menuMode) LeaveMenuMode();
}

void TbsSkinMainMenuBar::CloseFormMenus() {
    const auto alive = WeakRef();
    if (TbsSkinFormBehaviour* behaviour = TbsSkinFormBehaviour::Find(m_skinForm)) behaviour->CloseSkinMenus();
    if (!alive) return;
    if (m_menuMode) LeaveMenuMode();
}

void TbsSkinMainMenuBar::OpenItemMenu(TbsSkinMainMenuBarItem& item) {
    TbsSkinFormBehaviour* behaviour = TbsSkinFormBehaviour::Of(m_skinForm);
    if (!behaviour) {
        item.Pressed = false;
        item.DrawOnBar();
        return;
    }
    TbsSkinMenu& engine = behaviour->SkinMenu();
    if (engine.IsOpen()) {
        // The previous item's menu goes; menu mode stays for the next one.
        m_switchingMenus = behaviour->SwitchingMenus = true;
        engine.CloseAll();
        m_switchingMenus = behaviour->SwitchingMenus = false;
    }
    behaviour->SyncMenuSettings();
    behaviour->MarkSkinMenuOpen();
    behaviour->EnterMenuMode();
    TbsSkinData* data = m_skinData;
    if (!data)
        if (auto* skinMenu = dynamic_cast<TbsSkinMainMenu*>(m_mainMenu)) data = skinMenu->SkinData();
    if (!data) data = behaviour->MenusData();
    if (engine.Popup(this, data, m_popupToUp, item.MenuItem, ScreenRect(*this, item.ObjectRect))) return;
    item.Pressed = false;
    item.Highlighted = true;
    item.DrawOnBar();
    behaviour->SkinMenuClosed();
}

void TbsSkinMainMenuBar::WndProc(TMessage& message) {
    if (message.Msg == SkinMenuClosedMessage && !m_switchingMenus) {
        for (int i = 0; i < m_systemButtonCount; ++i)
            if (auto* b = static_cast<TbsSkinMainMenuBarButton*>(Object(i));
                b->Command == cmSysMenu && b->Pressed) {
                b->Pressed = false;
                b->DrawOnBar();
            }
        ItemMenuClosed();
    }
    TbsSkinControl::WndProc(message);
}

// ---- Keyboard ---------------------------------------------------------------------------------

void TbsSkinMainMenuBar::EnterMenuMode() {
    m_menuMode = true;
    TbsMenuBarObject* target = nullptr;
    for (int i = FirstItemIndex(); i < ObjectCount() && !target; ++i)
        if (Object(i)->Highlighted) target = Object(i);
    if (!target) target = Object(FirstItemIndex());
    const auto alive = WeakRef();
    if (target) target->MouseEnter();
    if (!alive) return;
    FireMainMenuEnter();
}

void TbsSkinMainMenuBar::NextItem() {
    const int first = FirstItemIndex(), n = ObjectCount();
    if (first >= n) return;
    int current = -1;
    for (int i = first; i < n && current < 0; ++i) {
        const TbsMenuBarObject& o = *Object(i);
        if (Usable(o) && (o.Highlighted || o.Pressed)) current = i;
    }
    const auto alive = WeakRef();
    int next = -1;
    if (current >= 0) {
        Object(current)->MouseLeave();
        if (!alive) return;
        for (int i = current + 1; i < n && next < 0; ++i)
            if (Usable(*Object(i))) next = i;
    }
    for (int i = first; i < n && next < 0; ++i)
        if (Usable(*Object(i))) next = i;
    if (next >= 0) Object(next)->MouseEnter();
}

void TbsSkinMainMenuBar::PreviousItem() {
    const int first = FirstItemIndex(), n = ObjectCount();
    if (first >= n) return;
    int current = -1;
    for (int i = first; i < n && current < 0; ++i) {
        const TbsMenuBarObject& o = *Object(i);
        if (Usable(o) && (o.Highlighted || o.Pressed)) current = i;
    }
    const auto alive = WeakRef();
    int previous = -1;
    if (current >= 0) {
        Object(current)->MouseLeave();
        if (!alive) return;
        for (int i = current - 1; i >= first && previous < 0; --i)
            if (Usable(*Object(i))) previous = i;
    }
    for (int i = n - 1; i >= first && previous < 0; --i)
        if (Usable(*Object(i))) previous = i;
    if (previous >= 0) Object(previous)->MouseEnter();
}

bool TbsSkinMainMenuBar::TakeAccelerator(uint32_t key) {
    for (int i = FirstItemIndex(); i < ObjectCount(); ++i) {
        auto* item = static_cast<TbsSkinMainMenuBarItem*>(Object(i));
        if (!Usable(*item) ||
            !platform::forms::IsAccel(static_cast<char32_t>(key), item->MenuItem->Caption()))
            continue;
        const auto alive = WeakRef();
        item->MouseEnter();
        if (!alive) return true;
        if (!(FormMenuOpen() && item->HasSubItems())) item->MouseDown(mbLeft);
        return true;
    }
    return false;
}

bool TbsSkinMainMenuBar::TakeEnter() {
    const bool menuOpen = FormMenuOpen();
    for (int i = FirstItemIndex(); i < ObjectCount(); ++i) {
        auto* item = static_cast<TbsSkinMainMenuBarItem*>(Object(i));
        if ((item->Pressed && !item->HasSubItems()) || (item->Highlighted && !menuOpen)) {
            item->Highlighted = false;
            item->MouseDown(mbLeft);
            return true;
        }
    }
    return false;
}

void TbsSkinMainMenuBar::LeaveMenuMode() {
    m_menuMode = false;
    for (int i = FirstItemIndex(); i < ObjectCount(); ++i) {
        TbsMenuBarObject& o = *Object(i);
        if (!o.Pressed && !o.Highlighted) continue;
        o.Highlighted = o.MouseOver = o.Pressed = false;
        o.MorphFactor = 0;
        o.DrawOnBar();
        break;
    }
    ResetHot();
}

void TbsSkinMainMenuBar::ItemMenuClosed() {
    for (int i = FirstItemIndex(); i < ObjectCount(); ++i)
        if (TbsMenuBarObject& o = *Object(i); o.Pressed) {
            o.Pressed = false;
            o.Highlighted = true;
            o.DrawOnBar();
        }
}

// ---- System buttons ---------------------------------------------------------------------------

TbsSkinForm* TbsSkinMainMenuBar::MaximizedChildSkinForm() const {
    return TbsSkinFormBehaviour::FindSkinForm(MaximizedChildOf(m_skinForm));
}

void TbsSkinMainMenuBar::AddSystemButtons() {
    struct TDefault {
        const char* Name;
        TbsStdCommand Command;
    };
    static constexpr TDefault kDefaults[] = {{"SysMenuButton", cmSysMenu},
                                             {"CloseButton", cmClose},
                                             {"MaxButton", cmMaximize},
                                             {"MinButton", cmMinimize}};
    const TbsDataSkinMainMenuBar* record = BarRecord();
    const std::string* names[] = {nullptr, nullptr, nullptr, nullptr};
    if (record) {
        names[0] = &record->sysmenubutton;
        names[1] = &record->closebutton;
        names[2] = &record->maxbutton;
        names[3] = &record->minbutton;
    }
    std::vector<std::unique_ptr<TbsMenuBarObject>> buttons;
    for (int i = 0; i < 4; ++i) {
        const TbsDataSkinStdButton* data = nullptr;
        if (names[i])
            if (const int index = m_skinData->IndexOfSkinObject(*names[i]); index >= 0)
                data = dynamic_cast<const TbsDataSkinStdButton*>(
                    m_skinData->ObjectRecords[static_cast<size_t>(index)].get());
        buttons.push_back(
            std::make_unique<TbsSkinMainMenuBarButton>(this, data, kDefaults[i].Command, kDefaults[i].Name));
    }
    m_objects.insert(m_objects.begin(), std::make_move_iterator(buttons.begin()),
                     std::make_move_iterator(buttons.end()));
    m_systemButtonCount = 4;
}

void TbsSkinMainMenuBar::ApplyButtonStates() {
    if (m_systemButtonCount != 4) return;
    uint8_t icons = biSystemMenu | biMinimize;
    if (const TbsSkinForm* child = MaximizedChildSkinForm())
        icons = child->BorderIcons();
    else if (const TForm* form = MaximizedChildOf(m_skinForm))
        icons = form->BorderIcons();
    for (int i = 0; i < 4; ++i) Object(i)->Enabled = true;
    if (!(icons & biMinimize)) Object(3)->Enabled = false;
    if (!(icons & biSystemMenu)) Object(0)->Enabled = false;
}

void TbsSkinMainMenuBar::ChildMaximizedChanged() {
    if (m_childMaximized) {
        ApplyButtonStates();
        Invalidate();
        return;
    }
    m_childMaximized = true;
    ResetHot();
    AddSystemButtons();
    ApplyButtonStates();
    LayOut();
    Invalidate();
}

void TbsSkinMainMenuBar::ChildRestored() {
    if (MaximizedChildOf(m_skinForm)) {
        ApplyButtonStates();
        Invalidate();
        return;
    }
    if (!m_childMaximized) return;
    m_childMaximized = false;
    m_objects.erase(m_objects.begin(), m_objects.begin() + m_systemButtonCount);
    m_systemButtonCount = 0;
    m_hotObject = m_previousHotObject = m_capturedObject = -1;
    LayOut();
    Invalidate();
}

void TbsSkinMainMenuBar::RunChildCommand(TbsSkinMainMenuBarButton& button) {
    TForm* child = MaximizedChildOf(m_skinForm);
    if (!child) return;
    TbsSkinForm* childSkin = TbsSkinFormBehaviour::FindSkinForm(child);
    platform::forms::TMdiClient* client = m_skinForm->Form()->MDIClient();
    switch (button.Command) {
        case cmClose:
            if (childSkin)
                childSkin->CloseForm();
            else
                child->Close();
            return;
        case cmMaximize:
            if (childSkin)
                childSkin->SetWindowState(wsNormal);
            else
                client->SetChildState(child, wsNormal);
            return;
        case cmMinimize:
            if (childSkin)
                childSkin->SetWindowState(wsMinimized);
            else
                client->SetChildState(child, wsMinimized);
            return;
        case cmSysMenu:
            break;
        default:
            return;
    }
    Invalidate();
    TbsSkinFormBehaviour* behaviour = TbsSkinFormBehaviour::Of(childSkin);
    TMenuItem* items = childSkin ? childSkin->SystemMenuItems() : nullptr;
    bool opened = false;
    if (behaviour && items) {
        TbsSkinMenu& engine = behaviour->SkinMenu();
        if (engine.IsOpen()) engine.CloseAll();
        behaviour->SyncMenuSettings();
        behaviour->MarkSkinMenuOpen();
        TbsSkinData* data = childSkin->MenusSkinData() ? childSkin->MenusSkinData() : childSkin->SkinData();
        opened = engine.Popup(this, data, false, items, ScreenRect(*this, button.ObjectRect));
        if (!opened) behaviour->SkinMenuClosed();
    }
    if (opened) return;
    button.Pressed = false;
    button.DrawOnBar();
}

void TbsSkinMainMenuBar::CloseMenusAndChild() {
    const auto alive = WeakRef();
    TForm* child = MaximizedChildOf(m_skinForm);
    TbsSkinForm* childSkin = TbsSkinFormBehaviour::FindSkinForm(child);
    if (TbsSkinFormBehaviour* behaviour = TbsSkinFormBehaviour::Find(childSkin)) behaviour->CloseSkinMenus();
    if (!alive) return;
    if (TbsSkinFormBehaviour* behaviour = TbsSkinFormBehaviour::Find(m_skinForm)) behaviour->CloseSkinMenus();
    if (!alive || !child) return;
    if (childSkin)
        childSkin->CloseForm();
    else
        child->Close();
}

// ---- The skin form's side ---------------------------------------------------------------------

void TbsSkinForm::SetMainMenuBar(TbsSkinMainMenuBar* value) {
    if (m_mainMenuBar == value) return;
    if (m_mainMenuBar) m_mainMenuBar->RemoveFreeNotification(this);
    m_mainMenuBar = value;
    if (m_mainMenuBar) m_mainMenuBar->FreeNotification(this);
    BindMainMenuBar();
}

void TbsSkinForm::BindMainMenuBar() {
    TbsSkinFormBehaviour* behaviour =
        IsDestroying() ? TbsSkinFormBehaviour::Find(this) : TbsSkinFormBehaviour::Of(this);
    if (!behaviour) return;
    behaviour->MainMenuBar = {};
    TbsSkinMainMenuBar* bar = m_mainMenuBar;
    if (!bar) return;
    behaviour->MainMenuBar.MenuMode = [bar] { return bar->MenuMode(); };
    behaviour->MainMenuBar.EnterMenuMode = [bar] { bar->EnterMenuMode(); };
    behaviour->MainMenuBar.LeaveMenuMode = [bar] { bar->LeaveMenuMode(); };
    behaviour->MainMenuBar.NextItem = [bar] { bar->NextItem(); };
    behaviour->MainMenuBar.PreviousItem = [bar] { bar->PreviousItem(); };
    behaviour->MainMenuBar.TakeAccelerator = [bar](uint32_t key) { return bar->TakeAccelerator(key); };
    behaviour->MainMenuBar.TakeEnter = [bar] { return bar->TakeEnter(); };
    if (!m_form || m_shortCutTaken) return;
    // The bar's menu is not the form's Menu: its shortcuts come through here.
    m_shortCutTaken = true;
    platform::forms::TShortCutEvent previous = m_form->OnShortCut;
    const auto alive = WeakRef();
    m_form->OnShortCut = [this, alive, previous](TMessage& key, bool& handled) {
        if (previous) previous(key, handled);
        if (handled || !alive || !m_mainMenuBar || !m_mainMenuBar->MainMenu()) return;
        handled = m_mainMenuBar->MainMenu()->IsShortCut(key);
    };
}

void TbsSkinForm::MainMenuBarMessage(TMessage& m) {
    if (!m_mainMenuBar) return;
    switch (m.Msg) {
        case platform::forms::WM_MDICHILDMAXIMIZED:
            m_mainMenuBar->UpdateItems();
            m_mainMenuBar->ChildMaximizedChanged();
            break;
        case platform::forms::WM_MDICHILDRESTORED:
            m_mainMenuBar->ChildRestored();
            m_mainMenuBar->UpdateItems();
            break;
        default:
            break;
    }
}

}  // namespace skin
