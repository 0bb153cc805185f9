// Window transparency and the fade-in of the skin form's window, where the display can show
// window opacity.

#include <algorithm>

#include "platform/ui/WindowSystem.h"
#include "skin/data/bsUtilsWindow.h"
#include "skin/form/bsSkinForm.h"
#include "skin/form/bsSkinFormBehaviour.h"

namespace skin {

using namespace platform::ui;

namespace {

constexpr int kFadeStep = 5;

void SetLayered(TWindow* window, bool on) {
    const uint32_t ex = window->ExStyle();
    const uint32_t wanted = on ? ex | WS_EX_LAYERED : ex & ~WS_EX_LAYERED;
    if (wanted != ex) window->System().SetWindowExStyle(window, wanted);
}

}  // namespace

void TbsSkinFormBehaviour::ApplyAlphaBlend() {
    platform::forms::TForm* form = Form();
    TWindow* window = form ? form->HandleIfAllocated() : nullptr;
    if (!window || m_skinForm->IsLoading() || m_skinForm->IsDesigning() || !SupportsLayeredWindows()) return;
    if (m_skinForm->AlphaBlend()) {
        SetLayered(window, true);
        SetWindowAlpha(window, m_skinForm->AlphaBlendValue());
    } else if (!m_fading) {
        SetLayered(window, false);
    }
}

void TbsSkinFormBehaviour::WindowShown(bool shown) {
    platform::forms::TForm* form = Form();
    TWindow* window = form ? form->HandleIfAllocated() : nullptr;
    if (!window) return;
    // The skin draws the menus: a main menu stays off the platform's frame.
    if (shown && form->Menu()) form->SetMenu(nullptr);
    if (!SupportsLayeredWindows()) return;
    if (!shown) {
        if (m_skinForm->AlphaBlend()) SetLayered(window, false);
        return;
    }
    if (!m_skinForm->AlphaBlend() && !m_skinForm->AlphaBlendAnimation()) return;
    SetLayered(window, true);
    SetWindowAlpha(window, 0);
    m_fading = true;
    window->System().SetTimer(window, kAlphaTimerId, 1);
}

void TbsSkinFormBehaviour::FadeTimer() {
    platform::forms::TForm* form = Form();
    TWindow* window = form ? form->HandleIfAllocated() : nullptr;
    if (!window) return;
    TWindowSystem& ws = window->System();
    ws.KillTimer(window, kAlphaTimerId);
    const bool animate = m_skinForm->AlphaBlendAnimation();
    const int target = m_skinForm->AlphaBlend() || !animate ? m_skinForm->AlphaBlendValue() : 255;
    const auto alive = WeakRef();
    const uint64_t windowId = window->Id();
    if (animate) {
        // The window's first paint comes before it becomes visible.
        ws.ProcessMessages();
        if (!alive || ws.FindWindow(windowId) != window) return;
        for (int alpha = 0; alpha < target;) {
            alpha = std::min(alpha + kFadeStep, target);
            SetWindowAlpha(window, alpha);
            ws.UpdateWindow(window);
        }
    } else if (target != 255) {
        SetWindowAlpha(window, target);
    }
    m_fading = false;
    if (target == 255) {
        SetWindowAlpha(window, 255);
        SetLayered(window, false);
    }
}

}  // namespace skin
