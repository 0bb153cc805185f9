#pragma once
// A scroll bar that the memo draws in its own client area, in the platform's look: two arrow
// buttons, the track and a thumb sized by the page. It keeps its geometry and the part held by
// the mouse; the memo feeds it the range and turns its actions into scroll requests.

#include <cstdint>

#include "platform/core/Types.h"
#include "platform/forms/ListBox.h"
#include "platform/gfx/Canvas.h"

namespace platform::forms {

class TMemoScrollBar {
public:
    enum class TPart : uint8_t { None, LineUp, PageUp, Thumb, PageDown, LineDown };

    explicit TMemoScrollBar(bool vertical) : m_vertical(vertical) {}

    [[nodiscard]] bool Vertical() const { return m_vertical; }
    // Client coordinates; an empty rectangle hides the bar.
    [[nodiscard]] const core::TRect& Bounds() const { return m_bounds; }
    void SetBounds(const core::TRect& r) { m_bounds = r; }
    // The range as ScrollRange reports it. A bar whose page covers the whole range is disabled:
    // it shows its arrows greyed and no thumb.
    [[nodiscard]] const TScrollRange& Range() const { return m_range; }
    void SetRange(const TScrollRange& range) { m_range = range; }
    [[nodiscard]] bool Enabled() const;

    // ---- Geometry ----
    [[nodiscard]] core::TRect PartRect(TPart part) const;
    [[nodiscard]] TPart HitTest(core::TPoint client) const;
    // The first value whose thumb would start at the given offset along the track.
    [[nodiscard]] int PositionForThumb(int thumbStart) const;

    // ---- The mouse ----
    [[nodiscard]] TPart Pressed() const { return m_pressed; }
    // Whether the pointer is still over the pressed part (arrows and the track repeat only then).
    [[nodiscard]] bool PressedOver() const { return m_pressedOver; }
    // Starts holding a part; for the thumb, remembers where in it the press fell.
    void Press(TPart part, core::TPoint client);
    // While holding: for the thumb, the position the pointer asks for (or -1 for other parts).
    int Track(core::TPoint client);
    void Release() { m_pressed = TPart::None; }
    // The SB_* request of a part (SB_LINEUP ...), -1 for none.
    [[nodiscard]] static int RequestOf(TPart part);

    void Paint(gfx::TCanvas& canvas) const;

private:
    // Length of the track between the arrows, and the thumb's offset and length along it.
    [[nodiscard]] int Length() const;
    [[nodiscard]] int Thickness() const;
    [[nodiscard]] int ArrowLength() const;
    [[nodiscard]] int TrackLength() const { return Length() - 2 * ArrowLength(); }
    [[nodiscard]] int ThumbLength() const;
    [[nodiscard]] int ThumbOffset() const;
    // A rectangle along the bar, from offset a to b (from the bar's start).
    [[nodiscard]] core::TRect Span(int a, int b) const;
    [[nodiscard]] int Along(core::TPoint client) const;
    void PaintButton(gfx::TCanvas& canvas, const core::TRect& r, bool pressed) const;
    void PaintArrow(gfx::TCanvas& canvas, const core::TRect& r, bool towardsStart, bool pressed) const;

    bool m_vertical;
    core::TRect m_bounds{};
    TScrollRange m_range{};
    TPart m_pressed = TPart::None;
    bool m_pressedOver = false;
    int m_grabOffset = 0;  // where in the thumb the press fell
};

}  // namespace platform::forms
