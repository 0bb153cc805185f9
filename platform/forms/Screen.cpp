#include "platform/forms/Screen.h"

#include <algorithm>

#include "platform/core/Strings.h"
#include "platform/forms/FormHost.h"
#include "platform/forms/WinControl.h"
#include "platform/ui/WindowSystem.h"

namespace platform::forms {

using namespace platform::ui;

TScreen* Screen = nullptr;

TScreen::TScreen() = default;
TScreen::~TScreen() = default;

TForm* TScreen::ActiveForm() const {
    TWindowSystem* ws = TWindowSystem::Current();
    if (!ws) return nullptr;
    TWindow* active = ws->GetActiveWindow();
    const auto i = IndexOf([active](TWinControl* form) {
        return form->HandleIfAllocated() && form->HandleIfAllocated() == active;
    });
    return i < 0 ? nullptr : m_forms[static_cast<size_t>(i)];
}

TWinControl* TScreen::ActiveControl() const {
    TWindowSystem* ws = TWindowSystem::Current();
    if (!ws) return nullptr;
    TWindow* active = ws->GetActiveWindow();
    const auto i = IndexOf([active](TWinControl* form) {
        return form->HandleIfAllocated() && form->HandleIfAllocated() == active;
    });
    return i < 0 ? nullptr : m_hosts[static_cast<size_t>(i)]->HostActiveControl();
}

TForm* TScreen::FindForm(std::string_view name) const {
    const auto i = IndexOf([name](TWinControl* form) { return core::SameText(form->Name(), name); });
    return i < 0 ? nullptr : m_forms[static_cast<size_t>(i)];
}

int TScreen::IndexOf(const std::function<bool(TWinControl* form)>& match) const {
    for (size_t i = 0; i < m_hosts.size(); ++i)
        if (match(m_hosts[i]->HostControl())) return static_cast<int>(i);
    return -1;
}

std::vector<TMonitor> TScreen::Monitors() const {
    TWindowSystem* ws = TWindowSystem::Current();
    return ws ? ws->Monitors() : std::vector<TMonitor>{};
}

int TScreen::Width() const {
    auto m = Monitors();
    return m.empty() ? 0 : m.front().Bounds.Width();
}

int TScreen::Height() const {
    auto m = Monitors();
    return m.empty() ? 0 : m.front().Bounds.Height();
}

TRect TScreen::WorkAreaRect() const {
    TWindowSystem* ws = TWindowSystem::Current();
    return ws ? ws->WorkArea() : TRect{};
}

void TScreen::SetCursor(TCursor cursor) {
    m_cursor = cursor;
    if (TWindowSystem* ws = TWindowSystem::Current())
        ws->SetCursor(CursorShape(cursor == crDefault ? crArrow : cursor));
}

TPoint TScreen::CursorPos() const {
    TWindowSystem* ws = TWindowSystem::Current();
    return ws ? ws->GetCursorPos() : TPoint{};
}

void TScreen::AddForm(TForm* form, TFormHost* host) {
    if (std::find(m_forms.begin(), m_forms.end(), form) != m_forms.end()) return;
    m_forms.push_back(form);
    m_hosts.push_back(host);
}

void TScreen::RemoveForm(TForm* form) {
    const auto it = std::find(m_forms.begin(), m_forms.end(), form);
    if (it == m_forms.end()) return;
    m_hosts.erase(m_hosts.begin() + (it - m_forms.begin()));
    m_forms.erase(it);
    if (m_lastActive == form) m_lastActive = nullptr;
}

void TScreen::ActiveFormChanged() {
    TForm* now = ActiveForm();
    if (now == m_lastActive) return;
    m_lastActive = now;
    if (OnActiveFormChange) OnActiveFormChange(nullptr);
}

}  // namespace platform::forms
