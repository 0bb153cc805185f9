#include "platform/forms/Timer.h"

#include "platform/ui/WindowSystem.h"

namespace platform::forms {

using namespace platform::ui;

namespace {
constexpr uintptr_t kTimerId = 1;
}

TTimer::TTimer(TComponent* owner) : TComponent(owner) {}

TTimer::~TTimer() {
    TWindowSystem* ws = TWindowSystem::Current();
    if (m_window && ws && ws->IsWindow(m_window)) {
        m_window->SetWndProc({});
        ws->DestroyWindow(m_window);
    }
    m_window = nullptr;
}

void TTimer::SetEnabled(bool value) {
    if (value == m_enabled) return;
    m_enabled = value;
    UpdateTimer();
}

void TTimer::SetInterval(uint32_t value) {
    if (value == m_interval) return;
    m_interval = value;
    UpdateTimer();
}

void TTimer::SetOnTimer(TNotifyEvent handler) {
    m_onTimer = std::move(handler);
    UpdateTimer();
}

void TTimer::Loaded() {
    TComponent::Loaded();
    UpdateTimer();
}

void TTimer::Timer() {
    if (m_onTimer) m_onTimer(this);
}

void TTimer::UpdateTimer() {
    TWindowSystem* ws = TWindowSystem::Current();
    if (!ws) return;
    if (m_running && m_window) ws->KillTimer(m_window, kTimerId);
    m_running = false;
    if (IsLoading() || IsDestroying()) return;
    if (!m_enabled || m_interval == 0 || !m_onTimer) return;
    if (!m_window || !ws->IsWindow(m_window)) {
        TCreateParams p;
        p.MessageOnly = true;
        p.WndProc = [this](TWindow& w, uint32_t msg, TWParam wp, TLParam lp) -> TLResult {
            if (msg == WM_TIMER && wp == kTimerId && m_running) {
                Timer();
                return 0;
            }
            return DefWindowProc(w, msg, wp, lp);
        };
        m_window = ws->CreateWindow(p);
        if (!m_window) return;
    }
    m_running = ws->SetTimer(m_window, kTimerId, m_interval);
}

}  // namespace platform::forms
