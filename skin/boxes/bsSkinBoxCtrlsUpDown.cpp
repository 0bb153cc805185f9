#include "skin/boxes/bsSkinBoxCtrlsUpDown.h"

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

TbsSkinUpDown::TbsSkinUpDown(TComponent* owner) : TbsSkinCustomControl(owner) {
    SetControlStyle(ControlStyle() | platform::forms::csOpaque);
    SetSkinDataName("hupdown");
    SetBounds(0, 0, 50, 25);
    CalcButtonRects();
}

TbsSkinUpDown::~TbsSkinUpDown() {
    StopTimer();
}

// ---- Properties ----

void TbsSkinUpDown::SetOrientation(TUDOrientation value) {
    m_orientation = value;
    CalcButtonRects();
    Invalidate();
}

void TbsSkinUpDown::SetPosition(int value) {
    if (value > m_max || value < m_min) return;
    m_position = value;
    if (OnChange) OnChange(this);
}

void TbsSkinUpDown::SetMin(int value) {
    m_min = value;
    if (m_position < m_min) m_position = m_min;
}

void TbsSkinUpDown::SetMax(int value) {
    m_max = value;
    if (m_position > m_max) m_position = m_max;
}

// ---- Record and geometry ----

void TbsSkinUpDown::LookUpRecord() {
    TbsSkinCustomControl::LookUpRecord();
    if (auto* r = ControlRecordAs<TbsDataSkinUpDownControl>(m_skinData, m_recordIndex)) {
        upbuttonrect = r->upbuttonrect;
        activeupbuttonrect = r->activeupbuttonrect;
        downupbuttonrect = IsEmptyRect(r->downupbuttonrect) ? activeupbuttonrect : r->downupbuttonrect;
        downbuttonrect = r->downbuttonrect;
        activedownbuttonrect = r->activedownbuttonrect;
        downdownbuttonrect =
            IsEmptyRect(r->downdownbuttonrect) ? activedownbuttonrect : r->downdownbuttonrect;
        // The up-down never stretches its picture by corner points.
        lefttoppoint = righttoppoint = leftbottompoint = rightbottompoint = TPoint{};
        clientrect = TRect{};
    }
    CalcButtonRects();
}

void TbsSkinUpDown::CalcButtonRects() {
    if (m_recordIndex != -1) {
        m_buttons[kUpButton].Rect = upbuttonrect;
        m_buttons[kDownButton].Rect = downbuttonrect;
        return;
    }
    const int w = Width(), h = Height();
    if (m_orientation == udVertical) {
        m_buttons[kUpButton].Rect = {0, 0, w, h / 2};
        m_buttons[kDownButton].Rect = {0, h / 2, w, h};
    } else {
        m_buttons[kUpButton].Rect = {w / 2, 0, w, h};
        m_buttons[kDownButton].Rect = {0, 0, w / 2, h};
    }
}

// ---- Painting ----

void TbsSkinUpDown::DrawSkinImage(TBitmap& bitmap) {
    TbsSkinCustomControl::DrawSkinImage(bitmap);
    if (!m_skinPicture) return;
    const auto draw = [&](int index, const TRect& active, const TRect& down) {
        const TUpDownButton& b = m_buttons[index];
        TRect source;
        if (b.Down && b.PointerOver)
            source = down;
        else if (b.PointerOver)
            source = active;
        if (!IsEmptyRect(source)) bitmap.Canvas().CopyRect(b.Rect, m_skinPicture->Canvas(), source);
    };
    draw(kUpButton, activeupbuttonrect, downupbuttonrect);
    draw(kDownButton, activedownbuttonrect, downdownbuttonrect);
}

void TbsSkinUpDown::DrawDefaultImage(TBitmap& bitmap) {
    CalcButtonRects();
    TCanvas& canvas = bitmap.Canvas();
    canvas.Brush.Style = platform::gfx::TBrushStyle::bsSolid;
    for (int i = kUpButton; i <= kDownButton; ++i) {
        const TUpDownButton& b = m_buttons[i];
        TColor frame = platform::gfx::clBtnShadow, fill = platform::gfx::clBtnFace;
        if (b.Down && b.PointerOver) {
            frame = kDefaultLookFrame;
            fill = kDefaultLookPressedFill;
        } else if (b.PointerOver) {
            frame = kDefaultLookFrame;
            fill = kDefaultLookHotFill;
        }
        canvas.Brush.Color = frame;
        canvas.FrameRect(b.Rect);
        canvas.Brush.Color = fill;
        canvas.FillRect({b.Rect.Left + 1, b.Rect.Top + 1, b.Rect.Right - 1, b.Rect.Bottom - 1});
        const bool vertical = m_orientation == udVertical;
        const int direction = i == kUpButton ? (vertical ? adUp : adRight) : (vertical ? adDown : adLeft);
        DrawArrowGlyph(canvas, b.Rect, platform::gfx::clBlack, direction);
    }
}

// ---- Pointer ----

void TbsSkinUpDown::HitTest(int x, int y) {
    m_previousHotButton = m_hotButton;
    int hit = -1;
    for (int i = kUpButton; i <= kDownButton; ++i)
        if (PointInsideRect(m_buttons[i].Rect, {x, y})) {
            hit = i;
            break;
        }
    // While one button is held, the other never lights up.
    if (m_pressedButton != -1 && hit != -1 && hit != m_pressedButton) hit = -1;
    m_hotButton = hit;
    if (m_hotButton != m_previousHotButton) {
        if (m_previousHotButton != -1) LeaveButton(m_previousHotButton);
        if (m_hotButton != -1) EnterButton(m_hotButton);
    }
}

void TbsSkinUpDown::EnterButton(int index) {
    m_buttons[1 - index].PointerOver = false;
    m_buttons[index].PointerOver = true;
    Invalidate();
    if (m_increment != 0 && m_buttons[index].Down) StartTimer(kResumeInterval);
}

void TbsSkinUpDown::LeaveButton(int index) {
    m_buttons[index].PointerOver = false;
    Invalidate();
    if (m_increment != 0 && m_buttons[index].Down) StopTimer();
}

void TbsSkinUpDown::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    HitTest(x, y);
    m_buttons[m_hotButton == -1 ? kUpButton : 1 - m_hotButton].PointerOver = false;
    if (m_hotButton != -1) {
        m_pressedButton = m_hotButton;
        TUpDownButton& b = m_buttons[m_pressedButton];
        b.PointerOver = true;
        b.Down = true;
        Invalidate();
        if (m_increment != 0) {
            m_repeatDirection = m_pressedButton == kUpButton ? 2 : 1;
            m_firstDelay = true;
            StartTimer(kFirstDelay);
        }
    }
    TbsSkinCustomControl::MouseDown(button, shift, x, y);
}

void TbsSkinUpDown::MouseMove(TShiftState shift, int x, int y) {
    HitTest(x, y);
    TbsSkinCustomControl::MouseMove(shift, x, y);
}

void TbsSkinUpDown::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    const auto alive = WeakRef();
    if (m_pressedButton != -1) {
        const int i = m_pressedButton;
        TUpDownButton& b = m_buttons[i];
        b.Down = false;
        if (i != m_hotButton) b.PointerOver = false;
        Invalidate();
        if (m_increment != 0) {
            StopTimer();
            m_repeatDirection = 0;
        }
        m_pressedButton = -1;
        if (b.PointerOver) {
            if (i == kUpButton) {
                if (m_increment != 0) SetPosition(m_position + m_increment);
                if (!alive) return;
                if (OnUpButtonClick) OnUpButtonClick(this);
            } else {
                if (m_increment != 0) SetPosition(m_position - m_increment);
                if (!alive) return;
                if (OnDownButtonClick) OnDownButtonClick(this);
            }
            if (!alive) return;
        }
    }
    m_pressedButton = -1;
    TbsSkinCustomControl::MouseUp(button, shift, x, y);
}

void TbsSkinUpDown::CMMouseEnter(TMessage& message) {
    m_hotButton = -1;
    m_previousHotButton = -1;
    TbsSkinCustomControl::CMMouseEnter(message);
}

void TbsSkinUpDown::CMMouseLeave(TMessage& message) {
    // Leaving the control leaves the lit button too; a held button stops repeating until the
    // pointer comes back onto it.
    for (int i = kUpButton; i <= kDownButton; ++i)
        if (m_buttons[i].PointerOver) LeaveButton(i);
    m_hotButton = -1;
    m_previousHotButton = -1;
    TbsSkinCustomControl::CMMouseLeave(message);
}

// ---- Repeat ----

void TbsSkinUpDown::StartTimer(uint32_t interval) {
    if (auto* ws = ui::TWindowSystem::Current(); ws && HandleAllocated())
        ws->SetTimer(HandleIfAllocated(), kRepeatTimer, interval);
}

void TbsSkinUpDown::StopTimer() {
    if (auto* ws = ui::TWindowSystem::Current(); ws && HandleAllocated())
        ws->KillTimer(HandleIfAllocated(), kRepeatTimer);
}

void TbsSkinUpDown::TimerTick() {
    if (m_firstDelay) {
        m_firstDelay = false;
        StopTimer();
        StartTimer(kRepeatInterval);
        return;
    }
    if (m_repeatDirection == 1)
        SetPosition(m_position - m_increment);
    else if (m_repeatDirection == 2)
        SetPosition(m_position + m_increment);
}

void TbsSkinUpDown::WndProc(TMessage& message) {
    TbsSkinCustomControl::WndProc(message);
    switch (message.Msg) {
        case ui::WM_TIMER:
            TimerTick();
            break;
        case ui::WM_SIZE:
            CalcButtonRects();
            break;
        default:
            break;
    }
}

}  // namespace skin
