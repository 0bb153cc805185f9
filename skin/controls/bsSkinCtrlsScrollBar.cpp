#include "skin/controls/bsSkinCtrlsScrollBar.h"

#include <algorithm>
#include <cmath>

#include "platform/gfx/Canvas.h"
#include "platform/ui/WindowSystem.h"
#include "skin/controls/bsDefaultLook.h"
#include "skin/data/bsUtilsDraw.h"
#include "skin/data/bsUtilsGlyphs.h"

namespace skin {

using platform::forms::TComponent;
using platform::forms::TMessage;
using platform::forms::TMouseButton;
using platform::forms::TShiftState;
using platform::gfx::TBitmap;
using platform::gfx::TCanvas;
namespace ui = platform::ui;

namespace {

// Nearest integer, ties to even.
int RoundEven(double v) {
    return static_cast<int>(std::nearbyint(v));
}

TRect Replaced(const TRect& r, const TRect& fallback) {
    return IsEmptyRect(r) ? fallback : r;
}

}  // namespace

TbsSkinScrollBar::TbsSkinScrollBar(TComponent* owner) : TbsSkinCustomControl(owner) {
    SetControlStyle(ControlStyle() | platform::forms::csOpaque);
    SetSkinDataName("hscrollbar");
    SetBounds(0, 0, 200, 19);
    SetDefaultHeight(19);
}

TbsSkinScrollBar::~TbsSkinScrollBar() {
    if (auto* w = HandleIfAllocated(); w && ui::TWindowSystem::Current())
        ui::TWindowSystem::Current()->KillTimer(w, kRepeatTimer);
}

// ---- Properties ----

int TbsSkinScrollBar::ClampPosition(int value) const {
    if (value < m_min) return m_min;
    const int top = m_pageSize != 0 ? m_max - m_pageSize + 1 : m_max;
    // A page wider than the range would put the end before Min; the range start wins then.
    return std::max(m_min, std::min(value, top));
}

void TbsSkinScrollBar::SetPosition(int value) {
    value = ClampPosition(value);
    if (value == m_position) return;
    m_position = value;
    Invalidate();
    if (OnChange) OnChange(this);
}

void TbsSkinScrollBar::SetRangeAndPosition(int min, int max, int pageSize, int position) {
    m_min = min;
    m_max = max;
    m_pageSize = pageSize;
    m_position = ClampPosition(position);
    Invalidate();
}

void TbsSkinScrollBar::SetPageSize(int value) {
    if (m_max - m_min + 1 >= value + m_position) m_pageSize = value;
    Invalidate();
}

void TbsSkinScrollBar::SetMax(int value) {
    m_max = value;
    if (m_pageSize != 0) {
        if (m_max - m_min < m_pageSize + m_position)
            m_position = std::max(m_min, m_max - m_min - m_pageSize + 1);
    } else if (m_position > m_max) {
        m_position = m_max;
    }
    Invalidate();
}

void TbsSkinScrollBar::SetMin(int value) {
    m_min = value;
    if (m_position < m_min) m_position = m_min;
    Invalidate();
}

void TbsSkinScrollBar::SetSmallChange(int value) {
    m_smallChange = value;
    Invalidate();
}

void TbsSkinScrollBar::SetLargeChange(int value) {
    m_largeChange = value;
    Invalidate();
}

void TbsSkinScrollBar::SetKind(TScrollBarKind value) {
    if (value == m_kind) return;
    m_kind = value;
    Invalidate();
}

void TbsSkinScrollBar::SetCanFocused(bool value) {
    m_canFocused = value;
    SetTabStop(value);
}

void TbsSkinScrollBar::SetBoth(bool value) {
    if (value == m_both) return;
    m_both = value;
    if (!IsDesigning()) {
        if (value) {
            m_savedSkinDataName = SkinDataName();
            SetSkinDataName(m_bothSkinDataName);
        } else if (!m_savedSkinDataName.empty()) {
            SetSkinDataName(m_savedSkinDataName);
        }
    }
    if (m_skinData)
        ApplySkin();
    else
        Invalidate();
}

void TbsSkinScrollBar::SetBothMarkerWidth(int value) {
    if (value < 0) return;
    m_bothMarkerWidth = value;
    if (m_recordIndex == -1) Invalidate();
}

// ---- Record ----

void TbsSkinScrollBar::LookUpRecord() {
    TbsSkinCustomControl::LookUpRecord();
    auto* r = ControlRecordAs<TbsDataSkinScrollBarControl>(m_skinData, m_recordIndex);
    if (!r) return;
    trackarea = r->trackarea;
    upbuttonrect = r->upbuttonrect;
    downbuttonrect = r->downbuttonrect;
    activeupbuttonrect = r->activeupbuttonrect;
    downupbuttonrect = Replaced(r->downupbuttonrect, activeupbuttonrect);
    activedownbuttonrect = r->activedownbuttonrect;
    downdownbuttonrect = Replaced(r->downdownbuttonrect, activedownbuttonrect);
    thumbrect = r->thumbrect;
    activethumbrect = Replaced(r->activethumbrect, thumbrect);
    downthumbrect = Replaced(r->downthumbrect, activethumbrect);
    thumboffset1 = r->thumboffset1;
    thumboffset2 = r->thumboffset2;
    glyphrect = r->glyphrect;
    activeglyphrect = Replaced(r->activeglyphrect, glyphrect);
    downglyphrect = Replaced(r->downglyphrect, activeglyphrect);
}

void TbsSkinScrollBar::FitToSkin(int& width, int& height) {
    TbsSkinCustomControl::FitToSkin(width, height);
    ComputeGeometry();
}

// ---- Geometry ----

void TbsSkinScrollBar::ComputeGeometry() {
    if (m_recordIndex == -1)
        ComputeDefaultGeometry();
    else
        ComputeSkinGeometry();
}

void TbsSkinScrollBar::ComputeDefaultGeometry() {
    const int w = Width(), h = Height();
    TRect track;
    if (Horizontal()) {
        const int u = m_both ? w - m_bothMarkerWidth : w;
        m_parts[kDownButton].Rect = {1, 1, 17, h - 1};
        m_parts[kUpButton].Rect = {u - 17, 1, u - 1, h - 1};
        track = {17, 1, u - 17, h - 1};
    } else {
        m_parts[kDownButton].Rect = {1, 1, w - 1, 17};
        m_parts[kUpButton].Rect = {1, h - 17, w - 1, h - 1};
        track = {1, 17, w - 1, h - 17};
    }
    m_trackRect = track;
    const int start = Horizontal() ? track.Left : track.Top;
    const int end = Horizontal() ? track.Right : track.Bottom;
    const int length = end - start;
    const double k0 = m_max == m_min ? 0.0 : static_cast<double>(m_position - m_min) / (m_max - m_min);
    int thumbFrom = 0, thumbLength = 0;
    if (m_pageSize == 0) {
        m_thumbStart = start + 8;
        m_thumbEnd = end - 8;
        m_thumbShift = RoundEven(k0 * (length - 16));
        thumbFrom = start + m_thumbShift;
        thumbLength = 16;
    } else {
        const int divisor = m_max - m_min + 1;
        int l = divisor != 0 ? RoundEven(static_cast<double>(length) * m_pageSize / divisor) : 0;
        l = std::max(l, 16);
        const int half = l / 2;
        const int pageDivisor = m_max - m_pageSize - m_min + 1;
        const double k = pageDivisor > 0 ? static_cast<double>(m_position - m_min) / pageDivisor
                                         : (Horizontal() ? 1.0 : 0.0);
        m_thumbStart = start + half;
        m_thumbEnd = end - half;
        m_thumbShift = RoundEven((length - 2 * half) * k);
        thumbFrom = start + m_thumbShift;
        thumbLength = 2 * half;
    }
    if (Horizontal())
        m_parts[kThumb].Rect = {thumbFrom, track.Top, thumbFrom + thumbLength, track.Bottom};
    else
        m_parts[kThumb].Rect = {track.Left, thumbFrom, track.Right, thumbFrom + thumbLength};
}

void TbsSkinScrollBar::ComputeSkinGeometry() {
    const int dw = Width() - RectWidthOf(skinrect);
    const int dh = Height() - RectHeightOf(skinrect);
    const int tw = RectWidthOf(thumbrect), th = RectHeightOf(thumbrect);
    TRect track = trackarea;
    TRect up = upbuttonrect, down = downbuttonrect;
    if (Horizontal()) {
        track.Right += dw;
        if (righttoppoint.X < up.Left) up = up.Offset(dw, 0);
        if (righttoppoint.X < down.Left) down = down.Offset(dw, 0);
    } else {
        track.Bottom += dh;
        if (leftbottompoint.Y < up.Top) up = up.Offset(0, dh);
        if (leftbottompoint.Y < down.Top) down = down.Offset(0, dh);
    }
    m_trackRect = track;
    m_parts[kUpButton].Rect = up;
    m_parts[kDownButton].Rect = down;
    const int start = Horizontal() ? track.Left : track.Top;
    const int end = Horizontal() ? track.Right : track.Bottom;
    const int length = end - start;
    const int minimum = Horizontal() ? tw : th;
    double k = m_max == m_min ? 0.0 : static_cast<double>(m_position - m_min) / (m_max - m_min);
    int half = minimum / 2;
    if (m_pageSize != 0) {
        const int divisor = m_max - m_min + 1;
        int l = divisor != 0 ? RoundEven(static_cast<double>(length) * m_pageSize / divisor) : 0;
        l = std::max(l, minimum);
        half = l / 2;
        const int pageDivisor = m_max - m_pageSize - m_min + 1;
        k = pageDivisor > 0 ? static_cast<double>(m_position - m_min) / pageDivisor
                            : (Horizontal() ? 1.0 : 0.0);
    }
    m_thumbStart = start + half;
    m_thumbEnd = end - half;
    m_thumbShift = RoundEven(k * (m_thumbEnd - m_thumbStart));
    const int centre = m_thumbStart + m_thumbShift;
    if (Horizontal()) {
        const int top = track.Top + track.Height() / 2 - th / 2;
        m_parts[kThumb].Rect = {centre - half, top, centre + half, top + th};
    } else {
        const int left = track.Left + track.Width() / 2 - tw / 2;
        m_parts[kThumb].Rect = {left, centre - half, left + tw, centre + half};
    }
}

int TbsSkinScrollBar::PositionFromShift(int d) {
    int span = m_thumbEnd - m_thumbStart;
    if (m_pageSize != 0) {
        const TRect& thumb = m_parts[kThumb].Rect;
        const int length = Horizontal() ? thumb.Width() : thumb.Height();
        const int start = (Horizontal() ? m_trackRect.Left : m_trackRect.Top) + length / 2;
        const int end = (Horizontal() ? m_trackRect.Right : m_trackRect.Bottom) - length / 2;
        span = end - start;
    }
    double f = span > 0 ? static_cast<double>(d) / span : 0.0;
    f = std::clamp(f, 0.0, 1.0);
    if (m_pageSize != 0) return m_min + RoundEven((m_max - m_min - m_pageSize + 1) * f);
    return m_min + RoundEven((m_max - m_min) * f);
}

// ---- Painting ----

bool TbsSkinScrollBar::FocusedLook() const {
    return m_canFocused && Focused();
}

void TbsSkinScrollBar::DrawDefaultPart(TCanvas& canvas, int part) {
    const TPart& p = m_parts[part];
    if (p.Rect.IsEmpty()) return;
    const bool pressed = (p.Held && p.Lit) || (part == kThumb && (p.Held || FocusedLook()));
    TColor frame = platform::gfx::clBtnShadow, fill = platform::gfx::clBtnFace;
    if (pressed) {
        frame = kDefaultLookFrame;
        fill = kDefaultLookPressedFill;
    } else if (p.Lit) {
        frame = kDefaultLookFrame;
        fill = kDefaultLookHotFill;
    }
    canvas.Brush.Style = platform::gfx::TBrushStyle::bsSolid;
    canvas.Brush.Color = frame;
    canvas.FrameRect(p.Rect);
    canvas.Brush.Color = fill;
    canvas.FillRect({p.Rect.Left + 1, p.Rect.Top + 1, p.Rect.Right - 1, p.Rect.Bottom - 1});
    if (part == kUpButton)
        DrawArrowGlyph(canvas, p.Rect, platform::gfx::clBlack, Horizontal() ? adRight : adDown);
    else if (part == kDownButton)
        DrawArrowGlyph(canvas, p.Rect, platform::gfx::clBlack, Horizontal() ? adLeft : adUp);
}

void TbsSkinScrollBar::DrawDefaultImage(TBitmap& bitmap) {
    TCanvas& canvas = bitmap.Canvas();
    canvas.Brush.Style = platform::gfx::TBrushStyle::bsSolid;
    canvas.Brush.Color = platform::gfx::clBtnFace;
    canvas.FillRect({0, 0, bitmap.Width(), bitmap.Height()});
    ComputeGeometry();
    DrawDefaultPart(canvas, kUpButton);
    DrawDefaultPart(canvas, kDownButton);
    if (Enabled()) DrawDefaultPart(canvas, kThumb);
}

void TbsSkinScrollBar::DrawSkinImage(TBitmap& bitmap) {
    TbsSkinCustomControl::DrawSkinImage(bitmap);
    ComputeGeometry();
    if (!m_skinPicture) return;
    TCanvas& canvas = bitmap.Canvas();
    TCanvas& picture = m_skinPicture->Canvas();
    const auto drawButton = [&](int part, const TRect& active, const TRect& down) {
        const TPart& p = m_parts[part];
        const TRect source = p.Held && p.Lit ? down : (p.Lit ? active : TRect{});
        if (!IsEmptyRect(source)) canvas.CopyRect(p.Rect, picture, source);
    };
    drawButton(kUpButton, activeupbuttonrect, downupbuttonrect);
    drawButton(kDownButton, activedownbuttonrect, downdownbuttonrect);
    if (!Enabled()) return;
    const TPart& thumb = m_parts[kThumb];
    const bool down = thumb.Held || FocusedLook();
    const TRect source = down ? downthumbrect : (thumb.Lit ? activethumbrect : thumbrect);
    if (!IsEmptyRect(source)) {
        if (m_pageSize != 0) {
            TBitmap piece;
            if (Horizontal())
                ComposeHorzImage(piece, *m_skinPicture, source, thumboffset1, thumboffset2,
                                 thumb.Rect.Width());
            else
                ComposeVertImage(piece, *m_skinPicture, source, thumboffset1, thumboffset2,
                                 thumb.Rect.Height());
            canvas.Draw(thumb.Rect.Left, thumb.Rect.Top, piece);
        } else {
            canvas.CopyRect(thumb.Rect, picture, source);
        }
    }
    const TRect glyph = down ? downglyphrect : (thumb.Lit ? activeglyphrect : glyphrect);
    if (!IsEmptyRect(glyph)) {
        const int x = thumb.Rect.Left + (thumb.Rect.Width() - RectWidthOf(glyph)) / 2;
        const int y = thumb.Rect.Top + (thumb.Rect.Height() - RectHeightOf(glyph)) / 2;
        canvas.CopyRect({x, y, x + RectWidthOf(glyph), y + RectHeightOf(glyph)}, picture, glyph);
    }
}

// ---- Input ----

void TbsSkinScrollBar::SetPartLit(int part, bool lit) {
    if (part < 0 || m_parts[part].Lit == lit) return;
    m_parts[part].Lit = lit;
    Invalidate();
}

void TbsSkinScrollBar::UpdateHot(int x, int y) {
    int hot = -1;
    for (int i = kThumb; i <= kDownButton; ++i)
        if (m_parts[i].Rect.Contains({x, y})) {
            hot = i;
            break;
        }
    if (m_capturedPart != -1 && hot != -1 && hot != m_capturedPart) hot = -1;
    if (hot == m_hotPart) return;
    const int old = m_hotPart;
    m_hotPart = hot;
    if (old != -1) {
        SetPartLit(old, false);
        if (old != kThumb && m_parts[old].Held) PauseTimer();
    }
    if (hot != -1) {
        SetPartLit(hot, true);
        if (hot != kThumb && m_parts[hot].Held) StartTimer(kRepeatInterval);
    }
}

void TbsSkinScrollBar::StepUp() {
    if (OnUpButtonClick)
        OnUpButtonClick(this);
    else
        SetPosition(m_position + m_smallChange);
}

void TbsSkinScrollBar::StepDown() {
    if (OnDownButtonClick)
        OnDownButtonClick(this);
    else
        SetPosition(m_position - m_smallChange);
}

void TbsSkinScrollBar::StartTimer(uint32_t interval) {
    if (auto* ws = ui::TWindowSystem::Current(); ws && HandleAllocated())
        ws->SetTimer(HandleIfAllocated(), kRepeatTimer, interval);
}

void TbsSkinScrollBar::PauseTimer() {
    if (auto* ws = ui::TWindowSystem::Current(); ws && HandleAllocated())
        ws->KillTimer(HandleIfAllocated(), kRepeatTimer);
}

void TbsSkinScrollBar::StopTimer() {
    PauseTimer();
    m_repeatKind = kRepeatNone;
}

void TbsSkinScrollBar::TimerTick() {
    if (m_firstTickPending) {
        m_firstTickPending = false;
        StartTimer(kRepeatInterval);
        return;
    }
    switch (m_repeatKind) {
        case kRepeatDown:
            StepDown();
            break;
        case kRepeatUp:
            StepUp();
            break;
        case kRepeatPageUp:
        case kRepeatPageDown: {
            ComputeGeometry();
            UpdateHot(m_lastMouse.X, m_lastMouse.Y);
            const TRect& thumb = m_parts[kThumb].Rect;
            const int at = Horizontal() ? m_lastMouse.X : m_lastMouse.Y;
            if (m_repeatKind == kRepeatPageUp) {
                if (at < (Horizontal() ? thumb.Left : thumb.Top)) {
                    SetPosition(m_position - m_largeChange);
                    if (OnPageUp) OnPageUp(this);
                } else {
                    StopTimer();
                }
            } else if (at > (Horizontal() ? thumb.Right : thumb.Bottom)) {
                SetPosition(m_position + m_largeChange);
                if (OnPageDown) OnPageDown(this);
            } else {
                StopTimer();
            }
            break;
        }
        default:
            break;
    }
}

bool TbsSkinScrollBar::FocusOnPress() {
    if (!m_canFocused || IsDesigning() || Focused()) return true;
    const auto alive = WeakRef();
    m_clicksDisabled = true;
    if (CanFocus()) SetFocus();
    if (!alive) return false;
    m_clicksDisabled = false;
    return Focused();
}

void TbsSkinScrollBar::WMLButtonDown(TMessage& message) {
    if (!FocusOnPress()) return;
    TbsSkinCustomControl::WMLButtonDown(message);
}

void TbsSkinScrollBar::WMLButtonDblClk(TMessage& message) {
    if (!FocusOnPress()) return;
    TbsSkinCustomControl::WMLButtonDblClk(message);
}

void TbsSkinScrollBar::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == platform::forms::mbLeft) {
        m_mousePressed = true;
        m_lastMouse = {x, y};
        ComputeGeometry();
        UpdateHot(x, y);
        m_repeatKind = kRepeatNone;
        m_firstTickPending = true;
        int part = -1;
        for (int i = kThumb; i <= kDownButton; ++i)
            if (m_parts[i].Rect.Contains({x, y})) {
                part = i;
                break;
            }
        if (part != -1) {
            m_capturedPart = part;
            m_parts[part].Held = true;
            Invalidate();
            if (part == kUpButton) {
                StepUp();
                m_repeatKind = kRepeatUp;
                StartTimer(kFirstDelay);
            } else if (part == kDownButton) {
                StepDown();
                m_repeatKind = kRepeatDown;
                StartTimer(kFirstDelay);
            } else {
                m_dragStartMouse = Horizontal() ? x : y;
                m_dragStartShift = m_thumbShift;
                m_thumbDragging = true;
            }
        } else if (m_trackRect.Contains({x, y})) {
            const TRect& thumb = m_parts[kThumb].Rect;
            if (Horizontal() ? x < thumb.Left : y < thumb.Top) {
                SetPosition(m_position - m_largeChange);
                m_repeatKind = kRepeatPageUp;
                StartTimer(kFirstDelay);
                if (OnPageUp) OnPageUp(this);
            } else {
                SetPosition(m_position + m_largeChange);
                m_repeatKind = kRepeatPageDown;
                StartTimer(kFirstDelay);
                if (OnPageDown) OnPageDown(this);
            }
        }
    }
    TbsSkinCustomControl::MouseDown(button, shift, x, y);
}

void TbsSkinScrollBar::MouseMove(TShiftState shift, int x, int y) {
    m_lastMouse = {x, y};
    UpdateHot(x, y);
    if (m_thumbDragging)
        SetPosition(PositionFromShift((Horizontal() ? x : y) - m_dragStartMouse + m_dragStartShift));
    TbsSkinCustomControl::MouseMove(shift, x, y);
}

void TbsSkinScrollBar::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == platform::forms::mbLeft) {
        const auto alive = WeakRef();
        m_mousePressed = false;
        if (m_repeatKind >= kRepeatPageUp) StopTimer();
        const int part = m_capturedPart;
        if (part != -1) {
            m_parts[part].Held = false;
            if (part != m_hotPart) m_parts[part].Lit = false;
            Invalidate();
            if (part == kThumb)
                m_thumbDragging = false;
            else
                StopTimer();
        }
        m_capturedPart = -1;
        if (part == kThumb && OnLastChange) {
            OnLastChange(this);
            if (!alive) return;
        }
    }
    TbsSkinCustomControl::MouseUp(button, shift, x, y);
}

void TbsSkinScrollBar::CMMouseLeave(TMessage& message) {
    if (!IsDesigning()) {
        if (m_hotPart != -1 && m_capturedPart == -1 && !m_thumbDragging) {
            SetPartLit(m_hotPart, false);
            m_hotPart = -1;
        }
        if (m_mousePressed && m_repeatKind == kRepeatPageDown) StopTimer();
    }
    TbsSkinCustomControl::CMMouseLeave(message);
}

void TbsSkinScrollBar::KeyDown(uint16_t& key, TShiftState shift) {
    TbsSkinCustomControl::KeyDown(key, shift);
    if (!m_canFocused) return;
    switch (key) {
        case ui::VK_LEFT:
        case ui::VK_UP:
            SetPosition(m_position - m_smallChange);
            break;
        case ui::VK_RIGHT:
        case ui::VK_DOWN:
            SetPosition(m_position + m_smallChange);
            break;
        default:
            break;
    }
}

void TbsSkinScrollBar::WMGetDlgCode(TMessage& message) {
    message.Result = m_canFocused ? platform::forms::DLGC_WANTARROWS : 0;
}

void TbsSkinScrollBar::WMSetFocus(TMessage& message) {
    TbsSkinCustomControl::WMSetFocus(message);
    if (m_canFocused) Invalidate();
}

void TbsSkinScrollBar::WMKillFocus(TMessage& message) {
    TbsSkinCustomControl::WMKillFocus(message);
    if (m_canFocused) Invalidate();
}

void TbsSkinScrollBar::CMEnabledChanged(TMessage& message) {
    TbsSkinCustomControl::CMEnabledChanged(message);
    Invalidate();
}

void TbsSkinScrollBar::WndProc(TMessage& message) {
    switch (message.Msg) {
        case ui::WM_TIMER:
            if (message.WParam == kRepeatTimer) {
                TimerTick();
                return;
            }
            break;
        case ui::WM_MOUSEWHEEL:
            if (m_canFocused && Focused()) {
                const int delta = ui::WheelDeltaFromWParam(message.WParam);
                SetPosition(delta > 0 ? m_position - m_smallChange : m_position + m_smallChange);
                message.Result = 1;
                return;
            }
            break;
        default:
            break;
    }
    TbsSkinCustomControl::WndProc(message);
}

}  // namespace skin
