// TWinControl: laying out the aligned children.
#include <algorithm>
#include <vector>

#include "platform/forms/WinControl.h"

namespace platform::forms {

namespace {
// Whether a goes nearer to the edge of its kind than b.
bool InsertBefore(const TControl& a, const TControl& b, TAlign align) {
    switch (align) {
        case alTop:
            return a.Top() < b.Top();
        case alBottom:
            return a.Top() + a.Height() > b.Top() + b.Height();
        case alLeft:
            return a.Left() < b.Left();
        case alRight:
            return a.Left() + a.Width() > b.Left() + b.Width();
        default:
            return false;
    }
}
}  // namespace

void TWinControl::EnableAlign() {
    if (m_alignLevel == 0) return;
    if (--m_alignLevel == 0 && m_alignPending) Realign();
}

void TWinControl::AlignControl(TControl* control) {
    // The children's own moves while this layout places them ask for nothing more.
    if (m_aligning) return;
    if (m_alignLevel > 0 || IsLoading()) {
        m_alignPending = true;
        return;
    }
    if (IsDestroying()) return;
    m_alignPending = false;
    const auto alive = WeakRef();
    TRect rect = ClientRect();
    AdjustClientRect(rect);
    m_aligning = true;
    try {
        AlignControls(control, rect);
    } catch (...) {
        if (alive) m_aligning = false;
        throw;
    }
    // A child's handler may have freed this control.
    if (alive) m_aligning = false;
}

void TWinControl::AlignControls(TControl* control, TRect& rect) {
    if (control && control->Parent() != this) control = nullptr;
    for (TAlign align : {alTop, alBottom, alLeft, alRight, alClient}) {
        std::vector<TControl*> list;
        if (control && control->Align() == align && control->Visible()) list.push_back(control);
        for (TControl* c : m_controls) {
            if (c == control || c->Align() != align || !c->Visible()) continue;
            size_t at = 0;
            while (at < list.size() && !InsertBefore(*c, *list[at], align)) ++at;
            list.insert(list.begin() + static_cast<std::ptrdiff_t>(at), c);
        }
        for (TControl* c : list) {
            // A handler of an earlier child may have removed this one.
            if (std::find(m_controls.begin(), m_controls.end(), c) == m_controls.end()) continue;
            const int w = std::max(0, rect.Width());
            const int h = std::max(0, rect.Height());
            switch (align) {
                case alTop:
                    c->SetBounds(rect.Left, rect.Top, w, c->Height());
                    rect.Top += c->Height();
                    break;
                case alBottom:
                    c->SetBounds(rect.Left, rect.Bottom - c->Height(), w, c->Height());
                    rect.Bottom -= c->Height();
                    break;
                case alLeft:
                    c->SetBounds(rect.Left, rect.Top, c->Width(), h);
                    rect.Left += c->Width();
                    break;
                case alRight:
                    c->SetBounds(rect.Right - c->Width(), rect.Top, c->Width(), h);
                    rect.Right -= c->Width();
                    break;
                default:
                    c->SetBounds(rect.Left, rect.Top, w, h);
                    break;
            }
        }
    }
}

}  // namespace platform::forms
