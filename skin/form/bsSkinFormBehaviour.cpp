#include "skin/form/bsSkinFormBehaviour.h"

#include "platform/forms/Application.h"
#include "platform/ui/WindowSystem.h"
#include "skin/form/bsSkinForm.h"
#include "skin/form/bsSkinFormObjects.h"
#include "skin/form/bsSkinMenusWindow.h"

namespace skin {

using namespace platform::ui;
using platform::forms::Application;
using platform::forms::opRemove;
using platform::forms::TComponent;
using platform::forms::TForm;
using platform::forms::TOperation;

TbsSkinFormBehaviour::TbsSkinFormBehaviour(TbsSkinForm* skinForm)
    : TComponent(skinForm), m_skinForm(skinForm) {
    m_skinMenu = new TbsSkinMenu(this);
    m_skinMenu->SetOwnerForm(skinForm->Form());
    m_defaultSystemMenu = new platform::forms::TPopupMenu(this);
    BuildTrayMenu();
}

TbsSkinFormBehaviour::~TbsSkinFormBehaviour() {
    // The skin form is being destroyed: only the application's handler is put back.
    RemoveKeyHandler();
}

TbsSkinFormBehaviour* TbsSkinFormBehaviour::Find(const TbsSkinForm* skinForm) {
    if (!skinForm) return nullptr;
    for (TComponent* c : skinForm->ComponentList())
        if (auto* behaviour = dynamic_cast<TbsSkinFormBehaviour*>(c)) return behaviour;
    return nullptr;
}

TbsSkinFormBehaviour* TbsSkinFormBehaviour::Of(TbsSkinForm* skinForm) {
    if (!skinForm) return nullptr;
    if (TbsSkinFormBehaviour* behaviour = Find(skinForm)) return behaviour;
    if (skinForm->IsDestroying()) return nullptr;
    return new TbsSkinFormBehaviour(skinForm);
}

TbsSkinForm* TbsSkinFormBehaviour::FindSkinForm(const TComponent* owner) {
    if (!owner) return nullptr;
    for (TComponent* c : owner->ComponentList())
        if (auto* skinForm = dynamic_cast<TbsSkinForm*>(c)) return skinForm;
    return nullptr;
}

TForm* TbsSkinFormBehaviour::Form() const {
    return m_skinForm->Form();
}

TbsSkinData* TbsSkinFormBehaviour::MenusData() const {
    return m_skinForm->MenusSkinData() ? m_skinForm->MenusSkinData() : m_skinForm->SkinData();
}

void TbsSkinFormBehaviour::SyncMenuSettings() {
    if (!m_skinMenu) return;
    TbsSkinForm& sf = *m_skinForm;
    m_skinMenu->UseSkinFont = sf.UseSkinFontInMenu();
    m_skinMenu->AlphaBlend = sf.MenusAlphaBlend();
    m_skinMenu->AlphaBlendAnimation = sf.MenusAlphaBlendAnimation();
    m_skinMenu->AlphaBlendValue = sf.MenusAlphaBlendValue();
    m_skinMenu->SetDefMenuItemHeight(sf.DefMenuItemHeight());
    m_skinMenu->DefMenuItemFont = sf.DefMenuItemFont();
}

void TbsSkinFormBehaviour::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation != opRemove) return;
    if (component == m_skinMenu) m_skinMenu = nullptr;
    if (component == m_defaultSystemMenu) m_defaultSystemMenu = nullptr;
    if (component == m_trayMenu) m_trayMenu = nullptr;
}

// ---- Skin menus and the keyboard --------------------------------------------------------------

void TbsSkinFormBehaviour::MarkSkinMenuOpen() {
    if (!m_mainMenuActive) InstallKeyHandler();
    m_menuOpen = true;
    if (m_menuOpenFired) return;
    m_menuOpenFired = true;
    if (OnSkinMenuOpen) OnSkinMenuOpen(m_skinForm);
}

void TbsSkinFormBehaviour::SkinMenuClosed() {
    m_menuOpen = false;
    m_menuOpenFired = false;
    for (const auto& object : m_skinForm->ObjectList())
        if (auto* button = dynamic_cast<TbsSkinButtonObject*>(object.get());
            button && button->Pressed && button->PopupItem) {
            button->SetDown(false);
            break;
        }
    if (!m_mainMenuActive) RemoveKeyHandler();
    const auto alive = WeakRef();
    if (OnSkinMenuClose) OnSkinMenuClose(m_skinForm);
    if (!alive) return;
    if (m_mainMenuActive && !SwitchingMenus) LeaveMenuMode();
}

void TbsSkinFormBehaviour::CloseSkinMenus() {
    if (m_mainMenuActive) LeaveMenuMode();
    if (m_skinMenu && m_skinMenu->IsOpen()) m_skinMenu->CloseAll();
}

void TbsSkinFormBehaviour::EnterMenuMode() {
    if (m_mainMenuActive) return;
    m_mainMenuActive = true;
    InstallKeyHandler();
    const auto alive = WeakRef();
    if (OnMainMenuEnter) OnMainMenuEnter(m_skinForm);
    if (alive && m_skinForm->OnMainMenuEnter) m_skinForm->OnMainMenuEnter(m_skinForm);
}

void TbsSkinFormBehaviour::LeaveMenuMode() {
    if (!m_mainMenuActive) return;
    m_mainMenuActive = false;
    const auto alive = WeakRef();
    if (MainMenuBar.LeaveMenuMode) MainMenuBar.LeaveMenuMode();
    if (!alive) return;
    if (!m_menuOpen) RemoveKeyHandler();
    if (OnMainMenuExit) OnMainMenuExit(m_skinForm);
    if (alive && m_skinForm->OnMainMenuExit) m_skinForm->OnMainMenuExit(m_skinForm);
}

void TbsSkinFormBehaviour::InstallKeyHandler() {
    if (m_keyHandlerInstalled || !Application) return;
    m_keyHandlerInstalled = true;
    m_savedHandler = Application->OnMessage;
    const auto alive = WeakRef();
    TbsSkinFormBehaviour* self = this;
    Application->OnMessage = [self, alive](platform::ui::TMessage& msg, bool& handled) {
        // The handler may be replaced while it runs: nothing of the closure is used afterwards.
        if (!alive) return;
        self->HandleAppMessage(msg, handled);
    };
}

void TbsSkinFormBehaviour::RemoveKeyHandler() {
    if (!m_keyHandlerInstalled) return;
    m_keyHandlerInstalled = false;
    if (Application) Application->OnMessage = std::move(m_savedHandler);
    m_savedHandler = nullptr;
}

void TbsSkinFormBehaviour::HandleAppMessage(platform::ui::TMessage& msg, bool& handled) {
    switch (msg.Msg) {
        case WM_KEYDOWN:
            handled = true;
            MenuKey(static_cast<uint32_t>(msg.WParam));
            return;
        case WM_MOUSEWHEEL:
            handled = true;
            return;
        case WM_CHAR:
            // The key that typed it went to the menu.
            handled = true;
            return;
        default:
            break;
    }
    if (m_savedHandler) {
        auto saved = m_savedHandler;
        saved(msg, handled);
    }
}

void TbsSkinFormBehaviour::MenuKey(uint32_t key) {
    const bool menuMode = m_mainMenuActive && (!MainMenuBar.MenuMode || MainMenuBar.MenuMode());
    if (menuMode && MainMenuBar.TakeAccelerator && MainMenuBar.TakeAccelerator(key)) return;
    if (!m_skinMenu) return;
    const bool skinMenuOpen = m_skinMenu->IsOpen();
    if (key == VK_ESCAPE && menuMode && !skinMenuOpen) {
        LeaveMenuMode();
        return;
    }
    if (key == VK_LEFT && menuMode && m_skinMenu->LevelCount() <= 1) {
        if (MainMenuBar.PreviousItem) MainMenuBar.PreviousItem();
        return;
    }
    if (key == VK_RIGHT && menuMode) {
        TbsSkinPopupWindow* level = m_skinMenu->DeepestLevel();
        const int hot = level ? level->HotIndex() : -1;
        if (hot < 0 || !level->Item(hot).HasSubItems()) {
            if (MainMenuBar.NextItem) MainMenuBar.NextItem();
            return;
        }
    }
    if (key == VK_RETURN && MainMenuBar.TakeEnter && MainMenuBar.TakeEnter()) return;
    // Escape on the last level closes the menu; the engine's closing notice ends the rest.
    m_skinMenu->KeyDown(key);
}

// ---- Window procedure -------------------------------------------------------------------------

bool TbsSkinFormBehaviour::HandleMessage(platform::forms::TMessage& m) {
    TForm* form = Form();
    TWindow* window = form ? form->HandleIfAllocated() : nullptr;
    switch (m.Msg) {
        case SkinMenuClosedMessage:
            SkinMenuClosed();
            return true;
        case SkinBeforeChange:
            // The open levels draw from the pictures and records that the reload frees.
            if (m_skinMenu && m_skinMenu->IsOpen() &&
                m_skinMenu->SkinData() == PtrFromParam<TbsSkinData>(m.WParam))
                m_skinMenu->CloseAll();
            return false;
        case WM_MOVING:
            if (auto* r = PtrFromParam<TRect>(m.LParam)) Moving(*r);
            return false;
        case WM_SHOWWINDOW:
            WindowShown(m.WParam != 0);
            return false;
        case WM_TIMER:
            if (m.WParam != kAlphaTimerId || !m_fading) return false;
            FadeTimer();
            return true;
        case WM_SYSCOMMAND:
            if ((m.WParam & 0xFFF0) != SC_KEYMENU) return false;
            if (m.LParam != 0 && MainMenuBar.TakeAccelerator) {
                // Alt with a letter: the bar's item with that accelerator.
                uint32_t letter = static_cast<uint32_t>(m.LParam);
                if (letter >= 'a' && letter <= 'z') letter = letter - 'a' + 'A';
                MainMenuBar.TakeAccelerator(letter);
                m.Result = 0;
                return true;
            }
            if (m_mainMenuActive)
                LeaveMenuMode();
            else if (m_skinMenu && m_skinMenu->IsOpen())
                m_skinMenu->CloseAll();
            if (MainMenuBar.EnterMenuMode) MainMenuBar.EnterMenuMode();
            m.Result = 0;
            return true;
        case WM_SYNCPAINT:
            if (!m_skinForm->RollUpState()) return false;
            m_skinForm->UpdateFormNC();
            return true;
        case WM_SIZE:
            // A translucent window shows what lies behind the changed parts: paint all of it.
            if (window && m_skinForm->AlphaBlend() && m_skinForm->AlphaBlendValue() != 255) {
                window->System().RedrawFrame(window);
                window->Invalidate(true);
            }
            return false;
        case WM_DESTROY:
            if (window && m_fading) window->System().KillTimer(window, kAlphaTimerId);
            m_fading = false;
            return false;
        default:
            return false;
    }
}

}  // namespace skin
