// Window states, roll-up, the caption double-click and magnetic edges of the skin form's window.

#include <cstdlib>

#include "platform/forms/Application.h"
#include "platform/ui/WindowSystem.h"
#include "skin/data/bsUtilsWindow.h"
#include "skin/form/bsSkinForm.h"
#include "skin/form/bsSkinFormBehaviour.h"

namespace skin {

using platform::forms::Application;
using platform::forms::TForm;
using platform::forms::TWindowState;
using platform::forms::wsMaximized;
using platform::forms::wsMinimized;
using platform::forms::wsNormal;

bool TbsSkinFormBehaviour::IsMainForm() const {
    return Application && Form() && Application->MainForm() == Form();
}

TRect TbsSkinFormBehaviour::FormBounds() const {
    TForm* form = Form();
    return form ? form->BoundsRect() : TRect{};
}

void TbsSkinFormBehaviour::SetFormBounds(const TRect& r) {
    if (TForm* form = Form()) form->SetBounds(r.Left, r.Top, r.Width(), r.Height());
}

void TbsSkinFormBehaviour::SetWindowState(TWindowState value) {
    if (value == m_windowState || !Form()) return;
    if (m_skinForm->MdiSetWindowState(value)) return;
    // The application goes to the task bar; the form itself keeps its state.
    if (!(value == wsMinimized && IsMainForm())) m_windowState = value;
    switch (value) {
        case wsNormal:
            Restore();
            break;
        case wsMinimized:
            Minimize();
            break;
        case wsMaximized:
            Maximize();
            break;
    }
}

TPoint TbsSkinFormBehaviour::FindMinimizedSlot(const TRect& area, int width, int height) const {
    std::vector<TRect> taken;
    if (Application)
        for (TForm* other : Application->Forms()) {
            if (other == Form() || other == Application->MainForm() || !other->Visible()) continue;
            TbsSkinFormBehaviour* behaviour = Find(FindSkinForm(other));
            if (behaviour && behaviour->WindowState() == wsMinimized) taken.push_back(other->BoundsRect());
        }
    auto isTaken = [&](int x, int y) {
        for (const TRect& r : taken)
            if (r.Left == x && r.Top == y) return true;
        return false;
    };
    int x = area.Left;
    int y = area.Bottom - height;
    // Bounded by the number of slots the area holds, and by the forms that can take one.
    for (size_t guard = 0; guard <= taken.size() && isTaken(x, y); ++guard) {
        x += width;
        if (x + width > area.Right) {
            x = area.Left;
            y -= height;
            if (y < area.Top) return {area.Left, area.Bottom - height};
        }
    }
    return {x, y};
}

void TbsSkinFormBehaviour::Minimize() {
    if (IsMainForm()) {
        Application->Minimize();
        return;
    }
    if (m_savedBounds.IsEmpty()) m_savedBounds = FormBounds();
    TForm* form = Form();
    const TRect area = MonitorWorkArea(form->HandleIfAllocated(), true);
    const int width = m_skinForm->GetMinWidth(), height = m_skinForm->GetMinHeight();
    const TPoint slot = FindMinimizedSlot(area, width, height);
    SetFormBounds({slot.X, slot.Y, slot.X + width, slot.Y + height});
}

void TbsSkinFormBehaviour::Maximize() {
    if (m_savedBounds.IsEmpty()) m_savedBounds = FormBounds();
    TForm* form = Form();
    const platform::ui::TWindow* window = form->HandleIfAllocated();
    const TRect work = MonitorWorkArea(window, true);
    const TRect full = MonitorWorkArea(window, false);
    TRect target = m_skinForm->MaximizeOnFullScreen() ? full : work;
    // A work area that is the whole monitor leaves a pixel free on every side, so that an edge
    // still reaches whatever the desktop keeps there.
    if (!m_skinForm->MaximizeOnFullScreen() && work == full)
        target = {work.Left + 1, work.Top + 1, work.Right - 1, work.Bottom - 1};
    SetFormBounds(target);
}

void TbsSkinFormBehaviour::Restore() {
    m_rolledFromMax = false;
    const TRect before = FormBounds();
    if (!m_savedBounds.IsEmpty()) SetFormBounds(m_savedBounds);
    m_skinForm->HoverTimer().SetEnabled(true);
    const TRect after = FormBounds();
    if (before.Width() == after.Width() && before.Height() == after.Height()) Nudge();
    if (TForm* form = Form()) form->Invalidate();
    m_savedBounds = {};
}

void TbsSkinFormBehaviour::Nudge() {
    TForm* form = Form();
    if (!form) return;
    const TRect r = FormBounds();
    const int step = r.Width() <= m_skinForm->GetMinWidth() ? 1 : -1;
    form->SetBounds(r.Left, r.Top, r.Width() + step, r.Height());
    form->SetBounds(r.Left, r.Top, r.Width(), r.Height());
}

void TbsSkinFormBehaviour::SetRollUpState(bool value) {
    TbsSkinForm& sf = *m_skinForm;
    TForm* form = Form();
    if (!form || value == sf.m_rollUpState) return;
    if (!(sf.BorderIcons() & biRollUp) || m_windowState == wsMinimized) return;
    // Rolled up first and maximised afterwards: only restoring the window unrolls it.
    if (sf.m_rollUpState && m_windowState == wsMaximized && !m_rolledFromMax) return;
    if (m_windowState == wsMaximized) m_rolledFromMax = value;
    const auto alive = WeakRef();
    if (value) {
        sf.m_rollUpHeight = form->Height();
        sf.m_rollUpState = true;
        form->SetBounds(form->Left(), form->Top(), form->Width(), sf.GetMinHeight());
    } else {
        sf.m_rollUpState = false;
        form->SetBounds(form->Left(), form->Top(), form->Width(), sf.m_rollUpHeight);
    }
    if (alive && sf.OnChangeRollUpState) sf.OnChangeRollUpState(&sf);
}

void TbsSkinFormBehaviour::CaptionDblClick() {
    TbsSkinForm& sf = *m_skinForm;
    const bool sizeable = sf.IsSizeAble();
    const bool rolledUp = sf.RollUpState();
    if (sizeable && m_windowState == wsMinimized)
        SetWindowState(wsNormal);
    else if (sizeable && m_windowState != wsMaximized && !rolledUp && (sf.BorderIcons() & biMaximize))
        SetWindowState(wsMaximized);
    else if (sizeable && m_windowState == wsMaximized && !m_rolledFromMax)
        SetWindowState(wsNormal);
    else
        SetRollUpState(!rolledUp);
}

void TbsSkinFormBehaviour::Moving(TRect& rect) {
    TForm* form = Form();
    if (!form) return;
    if (m_windowState == wsMaximized) {
        rect = FormBounds();
        return;
    }
    if (!m_skinForm->Magnetic()) return;
    const TRect area = MonitorWorkArea(form->HandleIfAllocated(), true);
    const int m = m_skinForm->MagneticSize();
    const int w = rect.Width(), h = rect.Height();
    int left = rect.Left, top = rect.Top;
    if (std::abs(left - area.Left) < m) left = area.Left;
    if (std::abs(top - area.Top) < m) top = area.Top;
    if (std::abs(left + w - area.Right) < m) left = area.Right - w;
    if (std::abs(top + h - area.Bottom) < m) top = area.Bottom - h;
    rect = {left, top, left + w, top + h};
}

}  // namespace skin
