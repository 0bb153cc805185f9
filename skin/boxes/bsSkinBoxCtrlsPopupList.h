#pragma once
// TbsPopupListBox: the skinned list box in a top-level popup window that never takes activation
// or the keyboard focus; the combo box uses it as its drop-down list. Where the display can show
// window opacity and the owner combo box asks for it, the popup is translucent and can fade in.

#include <cstdint>

#include "skin/boxes/bsSkinBoxCtrlsListBox.h"

namespace skin {

class TbsPopupListBox : public TbsSkinListBox {
public:
    explicit TbsPopupListBox(platform::forms::TComponent* owner);

    // Shows the popup with its top-left at a screen point, on top, without activating it and
    // without changing its size.
    void ShowPopup(TPoint screen);
    // Hides it without moving, sizing, reordering or activating anything.
    void HidePopup();
    [[nodiscard]] bool LayeredApplied() const { return m_layeredApplied; }
    [[nodiscard]] uint8_t AppliedAlpha() const { return m_appliedAlpha; }
    // The window that owns the popup's window (the owner combo box's top-level window).
    void SetOwnerWindow(platform::ui::TWindow* window) { m_ownerWindow = window; }

protected:
    void CreateParams(platform::ui::TCreateParams& params) override;
    void WndProc(platform::forms::TMessage& message) override;

private:
    platform::ui::TWindow* m_ownerWindow = nullptr;
    bool m_layeredApplied = false;
    uint8_t m_appliedAlpha = 0;
};

}  // namespace skin
