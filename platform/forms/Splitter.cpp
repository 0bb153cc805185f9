#include "platform/forms/Splitter.h"

#include <algorithm>
#include <vector>

#include "platform/forms/CustomControl.h"
#include "platform/forms/WinControl.h"
#include "platform/gfx/Canvas.h"

namespace platform::forms {

namespace {
bool IsSide(TAlign a) { return a == alTop || a == alBottom || a == alLeft || a == alRight; }
}  // namespace

void ArrangeAlignedControls(TWinControl& parent) { parent.Realign(); }

TSplitter::TSplitter(TComponent* owner) : TGraphicControl(owner) {
    SetAlign(alLeft);
    m_width = 3;
    m_height = 100;
    SetCursor(crHSplit);
}

TSplitter::~TSplitter() = default;

void TSplitter::SetMinSize(int value) { m_minSize = std::max(1, value); }

void TSplitter::SetBeveled(bool value) {
    m_beveled = value;
    Invalidate();
}

TControl* TSplitter::FindNeighbour() const {
    TWinControl* parent = Parent();
    if (!parent || !IsSide(Align())) return nullptr;
    for (TControl* c : parent->ControlList()) {
        if (c == this || !c->Visible() || c->Align() != Align()) continue;
        bool touches = false;
        switch (Align()) {
            case alLeft: touches = c->Left() + c->Width() == Left(); break;
            case alRight: touches = c->Left() == Left() + Width(); break;
            case alTop: touches = c->Top() + c->Height() == Top(); break;
            case alBottom: touches = c->Top() == Top() + Height(); break;
            default: break;
        }
        if (touches) return c;
    }
    return nullptr;
}

int TSplitter::NeighbourSize(const TControl& c) const { return Horizontal() ? c.Height() : c.Width(); }

int TSplitter::MaxNeighbourSize(const TControl& c) const {
    // Everything aligned to either side along this axis stays; the client part keeps MinSize.
    TWinControl* parent = Parent();
    const int total = Horizontal() ? parent->ClientHeight() : parent->ClientWidth();
    int taken = 0;
    for (TControl* other : parent->ControlList()) {
        if (other == &c || !other->Visible()) continue;
        const TAlign a = other->Align();
        if (Horizontal() && (a == alTop || a == alBottom)) taken += other->Height();
        if (!Horizontal() && (a == alLeft || a == alRight)) taken += other->Width();
    }
    return std::max(m_minSize, total - taken - m_minSize);
}

void TSplitter::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TGraphicControl::MouseDown(button, shift, x, y);
    if (button != mbLeft || m_dragging) return;
    m_neighbour = FindNeighbour();
    if (!m_neighbour) return;
    m_dragging = true;
    m_downPos = Horizontal() ? y + Top() : x + Left();
    m_startSize = NeighbourSize(*m_neighbour);
    m_maxSize = MaxNeighbourSize(*m_neighbour);
    m_newSize = m_startSize;
    if (m_resizeStyle == rsLine || m_resizeStyle == rsPattern) {
        m_linePos = Horizontal() ? Top() : Left();
        ToggleLine();
    }
}

void TSplitter::MouseMove(TShiftState shift, int x, int y) {
    TGraphicControl::MouseMove(shift, x, y);
    if (!m_dragging) {
        SetCursor(Horizontal() ? crVSplit : crHSplit);
        return;
    }
    const int pos = Horizontal() ? y + Top() : x + Left();
    int delta = pos - m_downPos;
    if (Align() == alRight || Align() == alBottom) delta = -delta;
    int size = std::clamp(m_startSize + delta, m_minSize, std::max(m_minSize, m_maxSize));
    bool accept = true;
    if (OnCanResize) OnCanResize(this, size, accept);
    if (!accept || size == m_newSize) return;
    m_newSize = size;
    if (m_resizeStyle == rsUpdate) {
        ApplySize(size);
        return;
    }
    if (m_resizeStyle == rsLine || m_resizeStyle == rsPattern) {
        ToggleLine();
        const int shiftBy = size - m_startSize;
        const int start = Horizontal() ? Top() : Left();
        m_linePos = (Align() == alRight || Align() == alBottom) ? start - shiftBy : start + shiftBy;
        ToggleLine();
    }
}

void TSplitter::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == mbLeft && m_dragging) EndDrag(true);
    TGraphicControl::MouseUp(button, shift, x, y);
}

void TSplitter::WMCancelMode(TMessage& message) {
    if (m_dragging) EndDrag(false);
    TGraphicControl::WMCancelMode(message);
}

void TSplitter::EndDrag(bool apply) {
    if (m_lineShown) ToggleLine();
    m_dragging = false;
    if (!apply || !m_neighbour) return;
    const bool moved = m_newSize != m_startSize;
    ApplySize(m_newSize);
    if (moved && OnMoved) OnMoved(this);
}

void TSplitter::ApplySize(int size) {
    TWinControl* parent = Parent();
    if (!m_neighbour || !parent) return;
    // One layout after the new bounds: halfway through, a neighbour on the far edge could pass the
    // splitter and swap places with it.
    parent->DisableAlign();
    TControl& n = *m_neighbour;
    if (Horizontal()) {
        const int top = Align() == alBottom ? n.Top() + n.Height() - size : n.Top();
        n.SetBounds(n.Left(), top, n.Width(), size);
    } else {
        const int left = Align() == alRight ? n.Left() + n.Width() - size : n.Left();
        n.SetBounds(left, n.Top(), size, n.Height());
    }
    parent->EnableAlign();
}

void TSplitter::ToggleLine() {
    auto* parent = dynamic_cast<TCustomControl*>(Parent());
    m_lineShown = !m_lineShown;
    if (!parent || !parent->HandleAllocated()) return;
    gfx::TCanvas& canvas = parent->Canvas();
    canvas.Pen = gfx::TPen{gfx::clWhite, 1, gfx::TPenStyle::psSolid, gfx::TPenMode::pmXor};
    const int thickness = Horizontal() ? Height() : Width();
    for (int i = 0; i < thickness; ++i) {
        if (Horizontal()) {
            canvas.MoveTo(Left(), m_linePos + i);
            canvas.LineTo(Left() + Width(), m_linePos + i);
        } else {
            canvas.MoveTo(m_linePos + i, Top());
            canvas.LineTo(m_linePos + i, Top() + Height());
        }
    }
    canvas.Pen.Mode = gfx::TPenMode::pmCopy;
    parent->ReleaseCanvas();
}

void TSplitter::Paint() {
    gfx::TCanvas& canvas = Canvas();
    TRect r = ClientRect();
    canvas.Brush = gfx::TBrush{Color(), gfx::TBrushStyle::bsSolid};
    canvas.FillRect(r);
    if (m_beveled) canvas.Frame3D(r, gfx::clBtnHighlight, gfx::clBtnShadow);
}

}  // namespace platform::forms
