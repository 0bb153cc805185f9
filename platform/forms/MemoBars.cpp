// The memo's own scroll bars: where they sit, how they paint, and the mouse on them (a click on
// an arrow scrolls a line, on the track a page, both repeating while held; the thumb drags).

#include <algorithm>

#include "platform/forms/Memo.h"
#include "platform/gfx/Canvas.h"
#include "platform/ui/WindowSystem.h"

namespace platform::forms {

using namespace platform::ui;

namespace {
constexpr uintptr_t kBarTimer = 0x4D53;  // "MS"

int BarThickness() {
    TWindowSystem* ws = TWindowSystem::Current();
    return ws ? ws->GetSystemMetrics(SM_CXVSCROLL) : 16;
}
}  // namespace

bool TCustomMemo::ShowsVertBar() const {
    return DrawsScrollBars() && (m_scrollBars == ssVertical || m_scrollBars == ssBoth);
}

bool TCustomMemo::ShowsHorzBar() const {
    return DrawsScrollBars() && (m_scrollBars == ssHorizontal || m_scrollBars == ssBoth);
}

TRect TCustomMemo::TextArea() const {
    TRect area = TCustomEdit::TextArea();
    const int thickness = BarThickness();
    if (ShowsVertBar()) area.Right = std::max(area.Left, area.Right - thickness);
    if (ShowsHorzBar()) area.Bottom = std::max(area.Top, ClientRect().Bottom - thickness);
    return area;
}

bool TCustomMemo::LayoutBars() {
    const TRect client = ClientRect();
    const int thickness = BarThickness();
    const bool vert = ShowsVertBar(), horz = ShowsHorzBar();
    const TRect vBounds = vert ? TRect{client.Right - thickness, client.Top, client.Right,
                                       client.Bottom - (horz ? thickness : 0)}
                               : TRect{};
    const TRect hBounds = horz ? TRect{client.Left, client.Bottom - thickness,
                                       client.Right - (vert ? thickness : 0), client.Bottom}
                               : TRect{};
    const TScrollRange vRange = vert ? ScrollRange(SB_VERT) : TScrollRange{};
    const TScrollRange hRange = horz ? ScrollRange(SB_HORZ) : TScrollRange{};
    const bool changed = vBounds != m_vBar.Bounds() || hBounds != m_hBar.Bounds() ||
                         !(vRange == m_vBar.Range()) || !(hRange == m_hBar.Range());
    m_vBar.SetBounds(vBounds);
    m_hBar.SetBounds(hBounds);
    m_vBar.SetRange(vRange);
    m_hBar.SetRange(hRange);
    return changed;
}

void TCustomMemo::InvalidateBars() {
    if (!HandleAllocated() || !LayoutBars()) return;
    TRect both = m_vBar.Bounds();
    if (!m_hBar.Bounds().IsEmpty()) {
        const TRect h = m_hBar.Bounds();
        both = both.IsEmpty() ? h
                              : TRect{std::min(both.Left, h.Left), std::min(both.Top, h.Top),
                                      std::max(both.Right, h.Right), std::max(both.Bottom, h.Bottom)};
    }
    if (!both.IsEmpty()) InvalidateRect(both, false);
}

bool TCustomMemo::OnBars(TPoint client) const {
    if (m_vBar.Bounds().Contains(client) || m_hBar.Bounds().Contains(client)) return true;
    // The corner between the two bars.
    return !m_vBar.Bounds().IsEmpty() && !m_hBar.Bounds().IsEmpty() && ClientRect().Contains(client) &&
           client.X >= m_vBar.Bounds().Left && client.Y >= m_hBar.Bounds().Top;
}

void TCustomMemo::WMSetCursor(TMessage& m) {
    const int hit = static_cast<int16_t>(LoWord(static_cast<uintptr_t>(m.LParam)));
    TWindowSystem* ws = TWindowSystem::Current();
    if (hit == HTCLIENT && ws && HandleAllocated() &&
        OnBars(HandleIfAllocated()->ScreenToClient(ws->GetCursorPos()))) {
        ws->SetCursor(TCursorShape::Arrow);
        m.Result = 1;
        return;
    }
    TCustomEdit::WMSetCursor(m);
}

void TCustomMemo::Paint() {
    TCustomEdit::Paint();
    if (!ShowsVertBar() && !ShowsHorzBar()) {
        LayoutBars();
        return;
    }
    gfx::TCanvas& canvas = Canvas();
    canvas.SetClipRegion(std::nullopt);
    PaintBars(canvas);
}

void TCustomMemo::PaintBars(gfx::TCanvas& canvas) {
    LayoutBars();
    m_vBar.Paint(canvas);
    m_hBar.Paint(canvas);
    if (!m_vBar.Bounds().IsEmpty() && !m_hBar.Bounds().IsEmpty()) {
        // The corner between the two bars.
        canvas.Brush = gfx::TBrush{gfx::clBtnFace, gfx::TBrushStyle::bsSolid};
        canvas.FillRect(
            {m_vBar.Bounds().Left, m_hBar.Bounds().Top, m_vBar.Bounds().Right, m_hBar.Bounds().Bottom});
    }
}

bool TCustomMemo::BarMouse(TMessage& m) {
    switch (m.Msg) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK: {
            if (!ShowsVertBar() && !ShowsHorzBar()) return false;
            const TPoint pt = PointFromLParam(m.LParam);
            LayoutBars();
            TMemoScrollBar* bar = m_vBar.Bounds().Contains(pt)   ? &m_vBar
                                  : m_hBar.Bounds().Contains(pt) ? &m_hBar
                                                                 : nullptr;
            // The corner between the bars takes the press and does nothing.
            if (!bar) return OnBars(pt);
            const auto alive = WeakRef();
            if (!Focused() && CanFocus()) {
                SetFocus();
                if (!alive) return true;
            }
            const TMemoScrollBar::TPart part = bar->HitTest(pt);
            if (part == TMemoScrollBar::TPart::None || !bar->Enabled()) return true;
            m_heldBar = bar;
            m_barPointer = pt;
            bar->Press(part, pt);
            if (part != TMemoScrollBar::TPart::Thumb) {
                BarStep();
                if (TWindowSystem* ws = TWindowSystem::Current())
                    ws->SetTimer(HandleIfAllocated(), kBarTimer, kBarRepeatDelayMs);
            }
            InvalidateBars();
            InvalidateRect(bar->Bounds(), false);
            return true;
        }
        case WM_MOUSEMOVE: {
            if (!m_heldBar) return false;
            m_barPointer = PointFromLParam(m.LParam);
            const bool wasOver = m_heldBar->PressedOver();
            const int pos = m_heldBar->Track(m_barPointer);
            if (pos >= 0) Scroll(m_heldBar == &m_vBar ? SB_VERT : SB_HORZ, SB_THUMBTRACK, pos);
            if (wasOver != m_heldBar->PressedOver()) InvalidateRect(m_heldBar->Bounds(), false);
            return true;
        }
        case WM_LBUTTONUP:
            if (!m_heldBar) return false;
            EndBarPress();
            return true;
        case WM_TIMER:
            if (m.WParam != kBarTimer) return false;
            if (!m_heldBar) {
                EndBarPress();
                return true;
            }
            if (TWindowSystem* ws = TWindowSystem::Current())
                ws->SetTimer(HandleIfAllocated(), kBarTimer, kBarRepeatMs);
            m_heldBar->Track(m_barPointer);
            if (m_heldBar->PressedOver()) BarStep();
            return true;
        case WM_CAPTURECHANGED:
            if (m_heldBar) EndBarPress();
            return false;
        default:
            return false;
    }
}

void TCustomMemo::BarStep() {
    if (!m_heldBar) return;
    const int request = TMemoScrollBar::RequestOf(m_heldBar->Pressed());
    if (request < 0) return;
    TMemoScrollBar* bar = m_heldBar;
    Scroll(bar == &m_vBar ? SB_VERT : SB_HORZ, request);
    LayoutBars();
    // Paging stops once the thumb has reached the pointer.
    bar->Track(m_barPointer);
    InvalidateRect(bar->Bounds(), false);
}

void TCustomMemo::EndBarPress() {
    if (TWindowSystem* ws = TWindowSystem::Current(); ws && HandleAllocated())
        ws->KillTimer(HandleIfAllocated(), kBarTimer);
    if (!m_heldBar) return;
    TMemoScrollBar* bar = m_heldBar;
    m_heldBar = nullptr;
    bar->Release();
    if (HandleAllocated()) InvalidateRect(bar->Bounds(), false);
}

}  // namespace platform::forms
