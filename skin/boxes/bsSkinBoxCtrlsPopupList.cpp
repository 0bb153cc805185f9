#include "skin/boxes/bsSkinBoxCtrlsPopupList.h"

#include <algorithm>

#include "platform/ui/WindowSystem.h"
#include "skin/boxes/bsSkinBoxCtrlsComboBox.h"
#include "skin/data/bsUtilsWindow.h"

namespace skin {

using platform::forms::TComponent;
using platform::forms::TMessage;
namespace ui = platform::ui;

TbsPopupListBox::TbsPopupListBox(TComponent* owner) : TbsSkinListBox(owner) {
    SetVisible(false);
}

void TbsPopupListBox::CreateParams(ui::TCreateParams& params) {
    TbsSkinListBox::CreateParams(params);
    params.Style = ui::WS_POPUP | ui::WS_CLIPCHILDREN;
    params.ExStyle = ui::WS_EX_TOOLWINDOW | ui::WS_EX_NOACTIVATE;
    params.ClassStyle |= ui::CS_SAVEBITS;
    params.Parent = nullptr;
    // The owner's window may have been made again since it was given.
    ui::TWindowSystem* ws = ui::TWindowSystem::Current();
    params.Owner = ws && ws->IsWindow(m_ownerWindow) ? m_ownerWindow : nullptr;
}

void TbsPopupListBox::ShowPopup(TPoint screen) {
    ui::TWindowSystem* ws = ui::TWindowSystem::Current();
    if (!ws) return;
    ui::TWindow* window = Handle();
    auto* combo = dynamic_cast<TbsSkinCustomComboBox*>(Owner());
    const bool layered = SupportsLayeredWindows() && combo;
    if (layered) {
        const bool alphaBlend = combo->AlphaBlend();
        if (alphaBlend && !m_layeredApplied)
            ws->SetWindowExStyle(window, window->ExStyle() | ui::WS_EX_LAYERED);
        if (!alphaBlend && m_layeredApplied)
            ws->SetWindowExStyle(window, window->ExStyle() & ~ui::WS_EX_LAYERED);
        m_layeredApplied = alphaBlend;
        if (alphaBlend && combo->AlphaBlendValue() != m_appliedAlpha) {
            if (combo->AlphaBlendAnimation()) {
                SetWindowAlpha(window, 0);
                m_appliedAlpha = 0;
            } else {
                SetWindowAlpha(window, combo->AlphaBlendValue());
                m_appliedAlpha = combo->AlphaBlendValue();
            }
        }
    }
    ws->SetWindowPos(window, nullptr, platform::core::Bounds(screen.X, screen.Y, Width(), Height()),
                     ui::SWP_NOSIZE | ui::SWP_NOACTIVATE | ui::SWP_SHOWWINDOW);
    SetVisible(true);
    if (layered && combo->AlphaBlendAnimation() && combo->AlphaBlend()) {
        const auto alive = WeakRef();
        ws->ProcessMessages();
        if (!alive || !ws->IsWindow(window)) return;
        const int target = combo->AlphaBlendValue();
        for (int alpha = 2; alpha - 2 < target; alpha += 2) SetWindowAlpha(window, std::min(alpha, target));
    }
}

void TbsPopupListBox::HidePopup() {
    SetVisible(false);
}

void TbsPopupListBox::WndProc(TMessage& message) {
    if (message.Msg == ui::WM_MOUSEACTIVATE) {
        message.Result = ui::MA_NOACTIVATE;
        return;
    }
    TbsSkinListBox::WndProc(message);
}

}  // namespace skin
