// Enabling, styles and the attributes a native window shows: icon, shape, opacity, topmost.

#include <optional>

#include "platform/gfx/Bitmap.h"
#include "platform/ui/FocusManager.h"
#include "platform/ui/InputRouter.h"
#include "platform/ui/PaintScheduler.h"
#include "platform/ui/WindowPlacement.h"
#include "platform/ui/WindowSystem.h"
#include "platform/ui/WindowTree.h"

namespace platform::ui {

bool TWindowPlacement::EnableWindow(TWindow* window, bool enable) {
    if (!m_system.IsWindow(window)) return false;
    const bool was = window->IsEnabled();
    if (was == enable) return was;
    if (!enable) {
        m_system.SendMessage(window, WM_CANCELMODE, 0, 0);
        if (!m_system.IsWindow(window)) return was;
        if (window->Contains(m_system.Focus().Focus())) m_system.Focus().FocusLost(window);
        if (window->Contains(m_system.Input().Capture())) m_system.Input().ReleaseCapture();
        window->m_style |= WS_DISABLED;
    } else {
        window->m_style &= ~WS_DISABLED;
    }
    m_system.SendMessage(window, WM_ENABLE, enable ? 1 : 0, 0);
    return was;
}

void TWindowPlacement::SetWindowIcon(TWindow* window, const gfx::TBitmap* icon) {
    if (!m_system.IsWindow(window)) return;
    window->m_icon = icon && !icon->Empty() ? std::make_unique<gfx::TBitmap>(*icon) : nullptr;
    if (window->m_native) window->m_native->SetIcon(window->m_icon.get());
    m_system.Painter().RedrawFrame(window);
}

void TWindowPlacement::SetWindowStyle(TWindow* window, uint32_t style) {
    if (!m_system.IsWindow(window)) return;
    constexpr uint32_t kKept = WS_VISIBLE | WS_DISABLED | WS_CHILD;
    window->m_style = (style & ~kKept) | (window->m_style & kKept);
}

void TWindowPlacement::SetWindowExStyle(TWindow* window, uint32_t exStyle) {
    if (!m_system.IsWindow(window)) return;
    const uint32_t old = window->m_exStyle;
    window->m_exStyle = exStyle;
    if (window->m_parent || !window->m_native) return;
    if ((old ^ exStyle) & WS_EX_TOPMOST) {
        window->m_native->SetTopmost((exStyle & WS_EX_TOPMOST) != 0);
        m_system.Tree().RaiseTopLevel(window);
    }
    if ((old ^ exStyle) & WS_EX_LAYERED) UpdateNativeAlpha(window);
}

void TWindowPlacement::SetWindowRgn(TWindow* window, std::optional<gfx::TRegion> region, bool redraw) {
    if (!m_system.IsWindow(window)) return;
    window->m_region = std::move(region);
    if (!window->m_parent) {
        if (window->m_native) {
            // The shape is the logical region with every pixel a scale x scale block.
            const std::optional<gfx::TRegion> shape =
                window->m_region ? std::optional<gfx::TRegion>(window->m_region->Scaled(m_system.Scale()))
                                 : std::nullopt;
            window->m_native->SetShape(shape ? &*shape : nullptr);
        }
        return;
    }
    if (redraw && window->IsWindowVisible()) m_system.Painter().InvalidateWhere(window);
}

void TWindowPlacement::SetLayeredAlpha(TWindow* window, uint8_t alpha) {
    if (!m_system.IsWindow(window)) return;
    window->m_alpha = alpha;
    UpdateNativeAlpha(window);
}

void TWindowPlacement::UpdateNativeAlpha(TWindow* window) {
    if (window->m_parent || !window->m_native) return;
    const uint8_t alpha = (window->m_exStyle & WS_EX_LAYERED) ? window->m_alpha : 255;
    if (alpha == window->m_lastPresentedAlpha) return;
    window->m_lastPresentedAlpha = alpha;
    window->m_native->SetOpacity(alpha);
}

}  // namespace platform::ui
