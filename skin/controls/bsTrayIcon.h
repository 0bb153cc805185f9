#pragma once
// TbsTrayIcon: an icon in the desktop's notification area with a tip, the mouse actions on it as
// events (a single click reported one double-click time after the press, a double click without
// a click), a popup menu, an animation over an image list, and hiding the main form to the tray
// and bringing it back. Without a notification area there is no icon, and hiding to the tray
// minimises instead: a hidden window without an icon could never be brought back.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/forms/Control.h"
#include "platform/forms/ImageListComponent.h"
#include "platform/forms/Menus.h"
#include "platform/forms/Timer.h"
#include "platform/gfx/Bitmap.h"
#include "platform/ui/NotificationArea.h"

namespace skin {

// The longest tip the notification area is given.
inline constexpr size_t kTrayTipLength = 127;

using TbsCycleEvent = std::function<void(platform::forms::TComponent* sender, int nextIndex)>;

class TbsTrayIcon : public platform::forms::TComponent {
public:
    explicit TbsTrayIcon(platform::forms::TComponent* owner);
    ~TbsTrayIcon() override;
    [[nodiscard]] std::string ClassName() const override { return "TbsTrayIcon"; }

    // ---- Properties ----
    [[nodiscard]] const platform::gfx::TBitmap& Icon() const { return m_icon; }
    void SetIcon(const platform::gfx::TBitmap& icon);
    [[nodiscard]] bool IconVisible() const { return m_iconVisible; }
    void SetIconVisible(bool value);
    [[nodiscard]] platform::forms::TImageListComponent* IconList() const { return m_iconList; }
    void SetIconList(platform::forms::TImageListComponent* list);
    [[nodiscard]] int IconIndex() const { return m_iconIndex; }
    void SetIconIndex(int value);
    [[nodiscard]] bool CycleIcons() const { return m_cycleIcons; }
    void SetCycleIcons(bool value);
    [[nodiscard]] uint32_t AnimateTimerInterval() const { return m_animateInterval; }
    void SetAnimateTimerInterval(uint32_t value);
    [[nodiscard]] bool Enabled() const { return m_enabled; }
    void SetEnabled(bool value) { m_enabled = value; }
    [[nodiscard]] const std::string& Hint() const { return m_hint; }
    void SetHint(const std::string& value);
    [[nodiscard]] bool ShowHint() const { return m_showHint; }
    void SetShowHint(bool value);
    [[nodiscard]] platform::forms::TPopupMenu* PopupMenu() const { return m_popupMenu; }
    void SetPopupMenu(platform::forms::TPopupMenu* menu);
    [[nodiscard]] bool PopupByLeftButton() const { return m_popupByLeftButton; }
    void SetPopupByLeftButton(bool value) { m_popupByLeftButton = value; }
    [[nodiscard]] bool MinimizedOnStart() const { return m_minimizedOnStart; }
    void SetMinimizedOnStart(bool value) { m_minimizedOnStart = value; }
    [[nodiscard]] bool MinimizeToTray() const { return m_minimizeToTray; }
    void SetMinimizeToTray(bool value) { m_minimizeToTray = value; }
    [[nodiscard]] bool DesignPreview() const { return m_designPreview; }
    void SetDesignPreview(bool value);

    platform::forms::TNotifyEvent OnClick;
    platform::forms::TNotifyEvent OnDblClick;
    platform::forms::TMouseEvent OnMouseDown;
    platform::forms::TMouseEvent OnMouseUp;
    platform::forms::TMouseMoveEvent OnMouseMove;
    // The wheel over the icon (a host's scroll request): 120 per notch, positive away from the
    // user; a horizontal scroll comes with Shift, as a tilted wheel reads in most programs.
    platform::forms::TMouseWheelEvent OnMouseWheel;
    TbsCycleEvent OnCycle;

    // ---- Operations ----
    void AddIcon();
    void RemoveIcon();
    void UpdateIcon();
    // Hides the main form and adds the icon; without a notification area the main form is
    // minimised instead (false then).
    bool HideMainFormToTray();
    void ShowMainFormAgain();
    // The icon is in a notification area now.
    [[nodiscard]] bool InArea() const { return m_areaId != 0; }
    // The tip the area is given.
    [[nodiscard]] std::string TipText() const;
    // What the area reports, as the area's callback message.
    void HandleAreaEvent(const platform::ui::TTrayEvent& event);
    // True until the first change of the main form's position after there is a main form.
    [[nodiscard]] bool FirstPosChange() const { return m_firstPosChange; }

protected:
    void Notification(platform::forms::TComponent* component, platform::forms::TOperation operation) override;
    void Loaded() override;

private:
    [[nodiscard]] bool MaySend(bool fromPreview) const;
    // The current notification area (following a change of area).
    platform::ui::TNotificationArea* Area();
    [[nodiscard]] platform::ui::TTrayIconImage Image() const;
    void Send(bool add, bool fromPreview);
    void SendRemove(bool fromPreview);
    void AreaRestarted();
    void HookApplicationMinimize();
    void CycleTick();
    void SingleClickTick();
    void LeftDown(const platform::ui::TTrayEvent& event);
    void LeftUp(const platform::ui::TTrayEvent& event);
    void DoubleClick(const platform::ui::TTrayEvent& event);
    void Activate(const platform::ui::TTrayEvent& event);
    void MouseButton(const platform::ui::TTrayEvent& event, bool down);
    void Wheel(const platform::ui::TTrayEvent& event);
    void PopupAt(platform::core::TPoint screen);
    void ClickDefaultItem();
    void CopyListImage(int index);
    // bsTrayIconHooks.cpp: the owner window's messages, seen before its own procedure.
    struct TOwnerHook;
    void HookOwner();
    void UnhookOwner();
    void OwnerMessage(platform::forms::TMessage& message);
    void OwnerActivated(const platform::ui::TWindow* from);
    void OwnerShowRequested();
    void FirstPositionChanged();

    platform::gfx::TBitmap m_icon;
    bool m_iconVisible = true;
    platform::forms::TImageListComponent* m_iconList = nullptr;
    int m_iconIndex = 0;
    bool m_cycleIcons = false;
    uint32_t m_animateInterval = 1000;
    bool m_enabled = true;
    std::string m_hint;
    bool m_showHint = true;
    platform::forms::TPopupMenu* m_popupMenu = nullptr;
    bool m_popupByLeftButton = false;
    bool m_minimizedOnStart = false;
    bool m_minimizeToTray = true;
    bool m_designPreview = false;

    platform::forms::TTimer* m_cycleTimer = nullptr;
    platform::forms::TTimer* m_singleClickTimer = nullptr;
    bool m_singleClickExpired = true;
    bool m_leftDownSeen = false;
    bool m_clickPending = false;
    bool m_doubleClickSeen = false;
    bool m_previewSwitching = false;
    bool m_firstPosChange = true;
    bool m_inShowRequest = false;
    platform::forms::TWinControl* m_hookedOwner = nullptr;

    platform::ui::TNotificationArea* m_area = nullptr;
    uint64_t m_areaGeneration = 0;
    int m_areaId = 0;
    int m_restartToken = 0;
    // Cleared when the component goes: the application's minimise handler outlives it.
};

}  // namespace skin
