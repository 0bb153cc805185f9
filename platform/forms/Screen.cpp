#include "platform/forms/Screen.h"

#include <algorithm>

#include "platform/core/Strings.h"
#include "platform/forms/Form.h"
#include "platform/ui/WindowSystem.h"

namespace platform::forms {

using namespace platform::ui;

TScreen* Screen = nullptr;

TCursorShape CursorShape(TCursor cursor) {
    switch (cursor) {
        case crCross:
            return TCursorShape::Cross;
        case crIBeam:
            return TCursorShape::IBeam;
        case crSizeNESW:
            return TCursorShape::SizeNESW;
        case crSizeNS:
        case crVSplit:
            return TCursorShape::SizeNS;
        case crSizeNWSE:
            return TCursorShape::SizeNWSE;
        case crSizeWE:
        case crHSplit:
            return TCursorShape::SizeWE;
        case crHourGlass:
        case crSQLWait:
        case crAppStart:
            return TCursorShape::Wait;
        case crNo:
        case crNoDrop:
            return TCursorShape::No;
        case crHandPoint:
            return TCursorShape::Hand;
        case crSizeAll:
            return TCursorShape::SizeAll;
        default:
            return TCursorShape::Arrow;
    }
}

TScreen::TScreen() = default;
TScreen::~TScreen() = default;

TForm* TScreen::ActiveForm() const {
    TWindowSystem* ws = TWindowSystem::Current();
    if (!ws) return nullptr;
    TWindow* active = ws->GetActiveWindow();
    for (TForm* f : m_forms)
        if (f->HandleIfAllocated() && f->HandleIfAllocated() == active) return f;
    return nullptr;
}

TWinControl* TScreen::ActiveControl() const {
    TForm* f = ActiveForm();
    return f ? f->ActiveControl() : nullptr;
}

TForm* TScreen::FindForm(std::string_view name) const {
    for (TForm* f : m_forms)
        if (core::SameText(f->Name(), name)) return f;
    return nullptr;
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

void TScreen::AddForm(TForm* form) {
    if (std::find(m_forms.begin(), m_forms.end(), form) == m_forms.end()) m_forms.push_back(form);
}

void TScreen::RemoveForm(TForm* form) {
    m_forms.erase(std::remove(m_forms.begin(), m_forms.end(), form), m_forms.end());
    if (m_lastActive == form) m_lastActive = nullptr;
}

void TScreen::ActiveFormChanged() {
    TForm* now = ActiveForm();
    if (now == m_lastActive) return;
    m_lastActive = now;
    if (OnActiveFormChange) OnActiveFormChange(nullptr);
}

}  // namespace platform::forms
