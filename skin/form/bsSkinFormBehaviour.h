#pragma once
// The window behaviour of a skin form: once the skin form owns the frame, it minimises, maximises,
// restores and rolls the window up itself, keeps the saved normal bounds, places minimised forms
// in slots along the bottom of the work area, runs the system menu and the tray operations,
// limits the track size, snaps the window to the work area's edges, fades the window in, and
// routes the keyboard to the open skin menu. One object per skin form, owned by it and made on
// first use; the skin form's window commands and window procedure call into it.

#include <cstdint>
#include <functional>

#include "platform/core/Types.h"
#include "platform/forms/Component.h"
#include "platform/forms/Form.h"
#include "platform/forms/Menus.h"
#include "platform/ui/Messages.h"
#include "skin/form/bsSkinMenus.h"

namespace skin {

class TbsSkinForm;

// The fade-in timer of the window (a timer of the form's window).
inline constexpr uintptr_t kAlphaTimerId = 1;

// What the main menu bar offers the skin form's keyboard handling. Empty members: no bar.
struct TbsMainMenuBarLink {
    std::function<bool()> MenuMode;
    std::function<void()> EnterMenuMode;  // from the keyboard
    std::function<void()> LeaveMenuMode;
    std::function<void()> NextItem;
    std::function<void()> PreviousItem;
    std::function<bool(uint32_t key)> TakeAccelerator;
    std::function<bool()> TakeEnter;
};

class TbsSkinFormBehaviour : public platform::forms::TComponent {
public:
    explicit TbsSkinFormBehaviour(TbsSkinForm* skinForm);
    ~TbsSkinFormBehaviour() override;

    // The behaviour of a skin form, made when it has none.
    [[nodiscard]] static TbsSkinFormBehaviour* Of(TbsSkinForm* skinForm);
    // The behaviour of a skin form when it has one.
    [[nodiscard]] static TbsSkinFormBehaviour* Find(const TbsSkinForm* skinForm);
    // The skin form among a component's own components, or null.
    [[nodiscard]] static TbsSkinForm* FindSkinForm(const platform::forms::TComponent* owner);

    [[nodiscard]] TbsSkinForm& SkinForm() const { return *m_skinForm; }
    [[nodiscard]] platform::forms::TForm* Form() const;
    [[nodiscard]] TbsSkinMenu& SkinMenu() const { return *m_skinMenu; }
    [[nodiscard]] TbsSkinPopupMenu& TrayMenu() const { return *m_trayMenu; }
    // MenusSkinData, or SkinData when that is not set.
    [[nodiscard]] TbsSkinData* MenusData() const;
    // Hands the skin form's menu settings (fonts, item height, menu transparency) to the engine.
    void SyncMenuSettings();

    // ---- Window state (bsSkinFormBehaviourStates.cpp) ----
    [[nodiscard]] platform::forms::TWindowState WindowState() const { return m_windowState; }
    void SetWindowState(platform::forms::TWindowState value);
    // An MDI child's state is kept by its MDI client; this copy follows it.
    void SyncWindowState(platform::forms::TWindowState value) { m_windowState = value; }
    [[nodiscard]] const TRect& SavedBounds() const { return m_savedBounds; }
    [[nodiscard]] bool RolledFromMax() const { return m_rolledFromMax; }
    void SetRollUpState(bool value);
    void CaptionDblClick();
    // The proposed window rectangle of a move (screen coordinates), snapped when magnetic.
    void Moving(TRect& rect);

    // ---- System menu and tray (bsSkinFormBehaviourMenus.cpp) ----
    // The items of the system menu, built again on every call.
    [[nodiscard]] platform::forms::TMenuItem* SystemMenuItems();
    // Pops a caption button's item up at the anchor; false when nothing opened.
    bool PopupObjectMenu(platform::forms::TMenuItem* item, const TRect& anchor, bool popupUp);
    // The system menu at a screen point (a right press on the caption).
    void PopupSystemMenu(TPoint screen);
    void MinimizeToTray();
    void RestoreFromTray();

    // ---- Skin menus and the keyboard (bsSkinFormBehaviour.cpp) ----
    // A skin menu of this form opens: the keyboard goes to it until it closes.
    void MarkSkinMenuOpen();
    // The menu engine closed its last level (message 1228).
    void SkinMenuClosed();
    // Ends menu mode or closes the open skin menu (the messages that end menu interaction).
    void CloseSkinMenus();
    [[nodiscard]] bool MenuOpen() const { return m_menuOpen; }
    [[nodiscard]] bool MainMenuActive() const { return m_mainMenuActive; }
    // The main menu bar's menu mode: the keyboard goes to the bar and the skin menus.
    void EnterMenuMode();
    void LeaveMenuMode();
    TbsMainMenuBarLink MainMenuBar;
    // Set while the main menu bar swaps one item's menu for another's: that close keeps menu mode.
    bool SwitchingMenus = false;

    // ---- Window procedure (bsSkinFormBehaviour.cpp) ----
    // Handles the messages of the window behaviour before the skin form's own handling; true
    // when the message was handled (the skin form then does nothing more with it).
    bool HandleMessage(platform::forms::TMessage& m);

    // ---- Transparency (bsSkinFormBehaviourAlpha.cpp) ----
    // Applies AlphaBlend and AlphaBlendValue to the window now.
    void ApplyAlphaBlend();
    [[nodiscard]] bool Fading() const { return m_fading; }

    platform::forms::TNotifyEvent OnSkinMenuOpen;
    platform::forms::TNotifyEvent OnSkinMenuClose;
    platform::forms::TNotifyEvent OnMainMenuEnter;
    platform::forms::TNotifyEvent OnMainMenuExit;
    platform::forms::TNotifyEvent OnMinimizeToTray;
    platform::forms::TNotifyEvent OnRestoreFromTray;

protected:
    void Notification(platform::forms::TComponent* component, platform::forms::TOperation operation) override;

private:
    // bsSkinFormBehaviourStates.cpp
    void Minimize();
    void Maximize();
    void Restore();
    void Nudge();
    [[nodiscard]] bool IsMainForm() const;
    [[nodiscard]] TPoint FindMinimizedSlot(const TRect& workArea, int width, int height) const;
    void SetFormBounds(const TRect& r);
    [[nodiscard]] TRect FormBounds() const;

    // bsSkinFormBehaviourMenus.cpp
    void BuildTrayMenu();
    void FillDefaultSystemMenu(platform::forms::TMenuItem* root);
    void MergeSystemMenu(platform::forms::TMenu* menu);
    void RunRestoreItem();
    void RunMinimizeItem();

    // bsSkinFormBehaviour.cpp
    void InstallKeyHandler();
    void RemoveKeyHandler();
    void HandleAppMessage(platform::ui::TMessage& msg, bool& handled);
    void MenuKey(uint32_t key);

    // bsSkinFormBehaviourAlpha.cpp
    void StartFadeIn();
    void FadeTimer();
    void WindowShown(bool shown);

    TbsSkinForm* m_skinForm;
    TbsSkinMenu* m_skinMenu = nullptr;
    platform::forms::TPopupMenu* m_defaultSystemMenu = nullptr;
    TbsSkinPopupMenu* m_trayMenu = nullptr;

    platform::forms::TWindowState m_windowState = platform::forms::wsNormal;
    TRect m_savedBounds{};
    bool m_rolledFromMax = false;

    bool m_menuOpen = false;
    bool m_mainMenuActive = false;
    bool m_keyHandlerInstalled = false;
    bool m_menuOpenFired = false;
    std::function<void(platform::ui::TMessage&, bool&)> m_savedHandler;
    bool m_fading = false;
};

}  // namespace skin
