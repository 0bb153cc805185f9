#include "DemoButton.h"

#include "platform/forms/Form.h"
#include "platform/forms/PropertyTable.h"
#include "platform/gfx/Canvas.h"

namespace example {

using namespace platform::forms;
namespace gfx = platform::gfx;
namespace ui = platform::ui;

TDemoButton::TDemoButton(TComponent* owner) : TCustomControl(owner) {
    SetTabStop(true);
    m_width = 90;
    m_height = 28;
    m_controlStyle |= csOpaque;
    m_controlStyle &= ~csDoubleClicks;
}

void TDemoButton::Register() {
    auto& registry = TClassRegistry::Instance();
    if (registry.Find("TDemoButton")) return;
    registry.Register<TDemoButton>("TDemoButton", "TCustomControl")
        .Boolean(
            "Default", [](const TDemoButton& b) { return b.Default; },
            [](TDemoButton& b, bool v) { b.Default = v; }, false)
        .Boolean(
            "Cancel", [](const TDemoButton& b) { return b.Cancel; },
            [](TDemoButton& b, bool v) { b.Cancel = v; }, false)
        .Integer(
            "ModalResult", [](const TDemoButton& b) { return b.ModalResult; },
            [](TDemoButton& b, int v) { b.ModalResult = v; }, 0);
}

void TDemoButton::Click() {
    if (ModalResult != mrNone)
        if (TForm* form = GetParentForm(this)) form->SetModalResult(ModalResult);
    TCustomControl::Click();
}

void TDemoButton::Paint() {
    gfx::TCanvas& c = Canvas();
    TRect r = ClientRect();
    const bool hot = MouseInControl() && Enabled();
    const bool focused = Focused();
    // The default look of pressable parts: frame and fill by state.
    const gfx::TColor frame = (hot || m_pressed || focused) ? gfx::RGB(0, 0, 128) : gfx::clBtnShadow;
    const gfx::TColor fill = m_pressed          ? gfx::RGB(133, 147, 181)
                             : (hot || focused) ? gfx::RGB(182, 189, 210)
                                                : gfx::clBtnFace;
    c.Brush = gfx::TBrush{fill, gfx::TBrushStyle::bsSolid};
    c.FillRect(r);
    c.Brush.Color = frame;
    c.FrameRect(r);
    if (Default) {
        TRect inner{r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1};
        c.FrameRect(inner);
    }
    c.Brush.Style = gfx::TBrushStyle::bsClear;
    c.Font = Font();
    if (!Enabled()) c.Font.SetColor(gfx::clBtnShadow);
    TRect text = r;
    if (m_pressed) text = text.Offset(1, 1);
    c.DrawText(Caption(), text, gfx::DT_CENTER | gfx::DT_VCENTER | gfx::DT_SINGLELINE);
    if (focused) {
        TRect f{r.Left + 3, r.Top + 3, r.Right - 3, r.Bottom - 3};
        c.DrawFocusRect(f);
    }
}

void TDemoButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == mbLeft) {
        if (CanFocus() && !Focused()) SetFocus();
        m_pressed = true;
        Invalidate();
    }
    TCustomControl::MouseDown(button, shift, x, y);
}

void TDemoButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == mbLeft && m_pressed) {
        m_pressed = false;
        Invalidate();
    }
    TCustomControl::MouseUp(button, shift, x, y);
}

void TDemoButton::KeyDown(uint16_t& key, TShiftState shift) {
    TCustomControl::KeyDown(key, shift);
    if (key == ui::VK_SPACE) Click();
}

void TDemoButton::CMMouseEnter(TMessage& m) {
    TCustomControl::CMMouseEnter(m);
    Invalidate();
}

void TDemoButton::CMMouseLeave(TMessage& m) {
    TCustomControl::CMMouseLeave(m);
    Invalidate();
}

void TDemoButton::CMDialogKey(TMessage& m) {
    const bool take = (m.WParam == ui::VK_RETURN && Default) || (m.WParam == ui::VK_ESCAPE && Cancel);
    if (take && Enabled() && Visible()) {
        Click();
        m.Result = 1;
        return;
    }
    TCustomControl::CMDialogKey(m);
}

void TDemoButton::CMDialogChar(TMessage& m) {
    if (IsAccel(static_cast<char32_t>(m.WParam), Caption()) && CanFocus()) {
        SetFocus();
        Click();
        m.Result = 1;
    }
}

void TDemoButton::CMFocusChanged(TMessage& m) {
    TCustomControl::CMFocusChanged(m);
    Invalidate();
}

void TDemoButton::WMSetFocus(TMessage& m) {
    TCustomControl::WMSetFocus(m);
    Invalidate();
}

void TDemoButton::WMKillFocus(TMessage& m) {
    TCustomControl::WMKillFocus(m);
    m_pressed = false;
    Invalidate();
}

}  // namespace example
