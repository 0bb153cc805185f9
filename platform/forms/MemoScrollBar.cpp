#include "platform/forms/MemoScrollBar.h"

#include <algorithm>

namespace platform::forms {

using core::TPoint;
using core::TRect;

namespace {
constexpr int kMinThumb = 8;
}  // namespace

bool TMemoScrollBar::Enabled() const {
    return !m_bounds.IsEmpty() && m_range.Page < m_range.Max - m_range.Min;
}

int TMemoScrollBar::Length() const {
    return m_vertical ? m_bounds.Height() : m_bounds.Width();
}

int TMemoScrollBar::Thickness() const {
    return m_vertical ? m_bounds.Width() : m_bounds.Height();
}

int TMemoScrollBar::ArrowLength() const {
    // Short bars squeeze their arrows and lose the track.
    return std::min(Thickness(), Length() / 2);
}

int TMemoScrollBar::ThumbLength() const {
    const int track = TrackLength();
    const int span = m_range.Max - m_range.Min;
    if (span <= 0 || track <= 0) return 0;
    const int length = static_cast<int>(static_cast<int64_t>(track) * m_range.Page / span);
    return std::min(track, std::max(length, std::min(kMinThumb, track)));
}

int TMemoScrollBar::ThumbOffset() const {
    const int travel = TrackLength() - ThumbLength();
    const int steps = m_range.Max - m_range.Min - m_range.Page;
    if (travel <= 0 || steps <= 0) return ArrowLength();
    const int pos = std::clamp(m_range.Pos - m_range.Min, 0, steps);
    return ArrowLength() + static_cast<int>(static_cast<int64_t>(travel) * pos / steps);
}

int TMemoScrollBar::PositionForThumb(int thumbStart) const {
    const int travel = TrackLength() - ThumbLength();
    const int steps = m_range.Max - m_range.Min - m_range.Page;
    if (travel <= 0 || steps <= 0) return m_range.Min;
    const int offset = std::clamp(thumbStart - ArrowLength(), 0, travel);
    // Rounded, so that the thumb lands where the pointer put it.
    return m_range.Min + static_cast<int>((static_cast<int64_t>(offset) * steps + travel / 2) / travel);
}

TRect TMemoScrollBar::Span(int a, int b) const {
    if (m_vertical) return {m_bounds.Left, m_bounds.Top + a, m_bounds.Right, m_bounds.Top + b};
    return {m_bounds.Left + a, m_bounds.Top, m_bounds.Left + b, m_bounds.Bottom};
}

int TMemoScrollBar::Along(TPoint client) const {
    return m_vertical ? client.Y - m_bounds.Top : client.X - m_bounds.Left;
}

TRect TMemoScrollBar::PartRect(TPart part) const {
    const int arrow = ArrowLength();
    const int length = Length();
    switch (part) {
        case TPart::LineUp:
            return Span(0, arrow);
        case TPart::LineDown:
            return Span(length - arrow, length);
        case TPart::Thumb:
            if (!Enabled()) return {};
            return Span(ThumbOffset(), ThumbOffset() + ThumbLength());
        case TPart::PageUp:
            if (!Enabled()) return Span(arrow, length - arrow);
            return Span(arrow, ThumbOffset());
        case TPart::PageDown:
            if (!Enabled()) return {};
            return Span(ThumbOffset() + ThumbLength(), length - arrow);
        case TPart::None:
            break;
    }
    return {};
}

TMemoScrollBar::TPart TMemoScrollBar::HitTest(TPoint client) const {
    if (!m_bounds.Contains(client)) return TPart::None;
    for (const TPart part : {TPart::LineUp, TPart::LineDown, TPart::Thumb, TPart::PageUp, TPart::PageDown}) {
        if (PartRect(part).Contains(client)) return part;
    }
    return TPart::None;
}

void TMemoScrollBar::Press(TPart part, TPoint client) {
    m_pressed = part;
    m_pressedOver = true;
    m_grabOffset = part == TPart::Thumb ? Along(client) - ThumbOffset() : 0;
}

int TMemoScrollBar::Track(TPoint client) {
    if (m_pressed == TPart::Thumb) return PositionForThumb(Along(client) - m_grabOffset);
    // The track's halves move with the thumb, so ask again which part is under the pointer.
    m_pressedOver = m_pressed != TPart::None && HitTest(client) == m_pressed;
    return -1;
}

int TMemoScrollBar::RequestOf(TPart part) {
    switch (part) {
        case TPart::LineUp:
            return SB_LINEUP;
        case TPart::LineDown:
            return SB_LINEDOWN;
        case TPart::PageUp:
            return SB_PAGEUP;
        case TPart::PageDown:
            return SB_PAGEDOWN;
        case TPart::Thumb:
        case TPart::None:
            break;
    }
    return -1;
}

// ---- Painting ----

void TMemoScrollBar::PaintButton(gfx::TCanvas& canvas, const TRect& r, bool pressed) const {
    if (r.IsEmpty()) return;
    canvas.Brush = gfx::TBrush{gfx::clBtnFace, gfx::TBrushStyle::bsSolid};
    canvas.FillRect(r);
    if (pressed) {
        canvas.Brush.Color = gfx::clBtnShadow;
        canvas.FrameRect(r);
        return;
    }
    // A raised edge: light top and left, dark bottom and right, two pixels deep.
    auto edge = [&](const TRect& e, gfx::TColor topLeft, gfx::TColor bottomRight) {
        canvas.Brush.Color = topLeft;
        canvas.FillRect({e.Left, e.Top, e.Right - 1, e.Top + 1});
        canvas.FillRect({e.Left, e.Top, e.Left + 1, e.Bottom - 1});
        canvas.Brush.Color = bottomRight;
        canvas.FillRect({e.Left, e.Bottom - 1, e.Right, e.Bottom});
        canvas.FillRect({e.Right - 1, e.Top, e.Right, e.Bottom});
    };
    edge(r, gfx::clBtnFace, gfx::cl3DDkShadow);
    if (r.Width() > 2 && r.Height() > 2)
        edge({r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1}, gfx::clBtnHighlight, gfx::clBtnShadow);
}

void TMemoScrollBar::PaintArrow(gfx::TCanvas& canvas, const TRect& r, bool towardsStart, bool pressed) const {
    if (r.IsEmpty()) return;
    PaintButton(canvas, r, pressed);
    // A solid triangle: its base is (size * 2 - 1) pixels, its height size.
    const int size = std::max(1, std::min(r.Width(), r.Height()) / 4);
    const int shift = pressed ? 1 : 0;
    const int cx = (r.Left + r.Right) / 2 + shift;
    const int cy = (r.Top + r.Bottom) / 2 + shift;
    auto draw = [&](int ox, int oy, gfx::TColor colour) {
        canvas.Brush = gfx::TBrush{colour, gfx::TBrushStyle::bsSolid};
        for (int i = 0; i < size; ++i) {
            const int half = towardsStart ? i : size - 1 - i;
            const int offset = i - size / 2;
            if (m_vertical)
                canvas.FillRect({cx - half + ox, cy + offset + oy, cx + half + 1 + ox, cy + offset + 1 + oy});
            else
                canvas.FillRect({cx + offset + ox, cy - half + oy, cx + offset + 1 + ox, cy + half + 1 + oy});
        }
    };
    if (Enabled()) {
        draw(0, 0, gfx::clBtnText);
    } else {
        draw(1, 1, gfx::clBtnHighlight);
        draw(0, 0, gfx::clBtnShadow);
    }
}

void TMemoScrollBar::Paint(gfx::TCanvas& canvas) const {
    if (m_bounds.IsEmpty()) return;
    const bool enabled = Enabled();
    const TRect up = PartRect(TPart::LineUp);
    const TRect down = PartRect(TPart::LineDown);
    // The track: a light fill, darker where the mouse holds a page part.
    const TRect track = Span(ArrowLength(), Length() - ArrowLength());
    canvas.Brush = gfx::TBrush{gfx::cl3DLight, gfx::TBrushStyle::bsSolid};
    canvas.FillRect(track);
    if (enabled && (m_pressed == TPart::PageUp || m_pressed == TPart::PageDown) && m_pressedOver) {
        canvas.Brush.Color = gfx::clBtnShadow;
        canvas.FillRect(PartRect(m_pressed));
    }
    PaintArrow(canvas, up, true, enabled && m_pressed == TPart::LineUp && m_pressedOver);
    PaintArrow(canvas, down, false, enabled && m_pressed == TPart::LineDown && m_pressedOver);
    if (enabled) PaintButton(canvas, PartRect(TPart::Thumb), false);
}

}  // namespace platform::forms
