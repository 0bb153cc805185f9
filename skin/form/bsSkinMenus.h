#pragma once
// The skinned popup-menu engine. A menu's content stays in the platform's menu item tree; the
// engine draws and runs it: one borderless popup window per open menu level (a stack, the first
// being the top level), a sub-menu delay, keyboard navigation given by the skin form to the
// deepest level, and the messages that tell the form and a notify control when a menu closed or
// a command ran. TbsSkinPopupMenu is a popup-menu component that shows itself through the engine
// of the skin form of its form.

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/core/Types.h"
#include "platform/forms/Component.h"
#include "platform/forms/Control.h"
#include "platform/forms/Form.h"
#include "platform/forms/Menus.h"
#include "platform/forms/Timer.h"
#include "platform/gfx/Font.h"
#include "platform/ui/Messages.h"
#include "skin/data/bsSkinData.h"

namespace skin {

using platform::core::TRect;

// Sent to the owner form and the notify control when the last menu level closed.
inline constexpr uint32_t SkinMenuClosedMessage = platform::ui::WM_USER + 204;  // 1228
// Sent to the notify control after a menu command ran.
inline constexpr uint32_t MenuDoneMessage = platform::ui::WM_USER + 205;  // 1229

class TbsSkinPopupWindow;
class TbsSkinMenuItem;

class TbsSkinMenu : public platform::forms::TComponent {
public:
    // The owner form is the owner when that is a form, else the owner's owner when that is one.
    explicit TbsSkinMenu(platform::forms::TComponent* owner);
    ~TbsSkinMenu() override;

    bool UseSkinFont = true;
    bool AlphaBlend = false;
    bool AlphaBlendAnimation = false;
    int AlphaBlendValue = 150;
    [[nodiscard]] int DefMenuItemHeight() const { return m_defMenuItemHeight; }
    void SetDefMenuItemHeight(int value) {
        if (value > 0) m_defMenuItemHeight = value;
    }
    platform::gfx::TFont DefMenuItemFont;

    [[nodiscard]] platform::forms::TForm* OwnerForm() const { return m_ownerForm; }
    void SetOwnerForm(platform::forms::TForm* form);

    // Opens the sub-items of item from firstIndex on under (or, with popupUp, above) the anchor
    // (screen coordinates), closing any menu that is open. Nothing opens when no visible item
    // is left from firstIndex on; false then.
    bool Popup(platform::forms::TControl* notifyControl, TbsSkinData* skinData, bool popupUp,
               platform::forms::TMenuItem* item, const TRect& anchor, int firstIndex = 0);
    // A merged menu: the sub-items of item from firstIndex on, then those of item2.
    bool Popup2(platform::forms::TControl* notifyControl, TbsSkinData* skinData, bool popupUp,
                platform::forms::TMenuItem* item, platform::forms::TMenuItem* item2, const TRect& anchor,
                int firstIndex);
    // Frees every level, stops the sub-menu delay and tells the owner form and the notify
    // control (once per opened menu).
    void CloseAll();
    // Closes the levels from index on (the top level is index 0; closing it closes the menu).
    void CloseLevels(int index);
    // Closes the deepest level and leaves the level above without an open sub-menu.
    void CloseDeepest();

    [[nodiscard]] bool IsOpen() const { return m_open; }
    [[nodiscard]] int LevelCount() const { return static_cast<int>(m_levels.size()); }
    [[nodiscard]] TbsSkinPopupWindow* Level(int index) const;
    [[nodiscard]] TbsSkinPopupWindow* DeepestLevel() const;
    // A key (VK_*) for the deepest level; false when no menu is open.
    bool KeyDown(uint32_t key);

    [[nodiscard]] TbsSkinData* SkinData() const { return m_skinData; }
    [[nodiscard]] platform::forms::TControl* NotifyControl() const { return m_notifyControl; }
    // The work area of the owner form's monitor, taken at each popup.
    [[nodiscard]] const TRect& WorkArea() const { return m_workArea; }
    [[nodiscard]] platform::forms::TTimer& SubMenuDelay() { return *m_subMenuDelay; }
    [[nodiscard]] TbsSkinMenuItem* PendingItem() const { return m_pendingItem; }

    // For the popup windows.
    void StartSubMenuDelay(TbsSkinMenuItem* item);
    void CancelPending(const TbsSkinMenuItem* item);
    // Opens a sub-menu of the item's menu item at the item's screen rectangle.
    void OpenSubMenu(TbsSkinPopupWindow* parent, platform::forms::TMenuItem* item, const TRect& anchor);
    // Closes the menu, runs the item's command and tells the notify control.
    void RunCommand(platform::forms::TMenuItem* item);
    [[nodiscard]] int IndexOfLevel(const TbsSkinPopupWindow* window) const;

protected:
    void Notification(platform::forms::TComponent* component, platform::forms::TOperation operation) override;

private:
    bool OpenTopLevel(platform::forms::TControl* notifyControl, TbsSkinData* skinData, bool popupUp,
                      std::vector<platform::forms::TMenuItem*> items, const TRect& anchor);
    void SetNotifyControl(platform::forms::TControl* control);
    void SetSkinDataRef(TbsSkinData* data);
    void SubMenuDelayTick();

    platform::forms::TForm* m_ownerForm = nullptr;
    platform::forms::TControl* m_notifyControl = nullptr;
    TbsSkinData* m_skinData = nullptr;
    std::vector<std::shared_ptr<TbsSkinPopupWindow>> m_levels;
    platform::forms::TTimer* m_subMenuDelay = nullptr;
    TbsSkinMenuItem* m_pendingItem = nullptr;
    TRect m_workArea{};
    int m_defMenuItemHeight = 20;
    bool m_open = false;
};

// A popup menu drawn by the skin. It shows itself through the menu engine of the skin form found
// on its form; without a skin form nothing is shown.
class TbsSkinPopupMenu : public platform::forms::TPopupMenu {
public:
    explicit TbsSkinPopupMenu(platform::forms::TComponent* owner);
    [[nodiscard]] std::string ClassName() const override { return "TbsSkinPopupMenu"; }

    [[nodiscard]] TbsSkinData* SkinData() const { return m_skinData; }
    void SetSkinData(TbsSkinData* value);
    // The form whose skin form shows the menu (the skin form sets it for its tray menu).
    [[nodiscard]] platform::forms::TForm* PopupForm() const { return m_form; }
    void SetPopupForm(platform::forms::TForm* form);

    void Popup(int x, int y) override;
    // Under (or, with popupUp, above) a rectangle in screen coordinates.
    // False when nothing was shown.
    bool PopupAtRect(const TRect& rect, bool popupUp);
    // For an edit control: the control is told when the menu closes and after a command. Needs
    // skin data (its own or the skin form's).
    void PopupForControl(platform::forms::TControl* control, int x, int y);

protected:
    void Notification(platform::forms::TComponent* component, platform::forms::TOperation operation) override;

private:
    bool Show(platform::forms::TControl* notify, const TRect& anchor, bool popupUp, bool needSkinData);

    TbsSkinData* m_skinData = nullptr;
    platform::forms::TForm* m_form = nullptr;
};

}  // namespace skin
