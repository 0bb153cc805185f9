#include "platform/forms/StdCtrls.h"

#include "platform/forms/WinControl.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Canvas.h"

namespace platform::forms {

using namespace platform::gfx;

TCustomLabel::TCustomLabel(TComponent* owner) : TGraphicControl(owner) {
    m_controlStyle |= csOpaque | csReplicatable;
    m_width = 65;
    m_height = 17;
}

void TCustomLabel::SetAlignment(TAlignment value) {
    if (value == m_alignment) return;
    m_alignment = value;
    Invalidate();
}

void TCustomLabel::SetAutoSize(bool value) {
    if (value == m_autoSize) return;
    m_autoSize = value;
    AdjustBounds();
}

void TCustomLabel::SetLayout(TTextLayout value) {
    if (value == m_layout) return;
    m_layout = value;
    Invalidate();
}

void TCustomLabel::SetWordWrap(bool value) {
    if (value == m_wordWrap) return;
    m_wordWrap = value;
    AdjustBounds();
    Invalidate();
}

void TCustomLabel::SetShowAccelChar(bool value) {
    if (value == m_showAccelChar) return;
    m_showAccelChar = value;
    AdjustBounds();
    Invalidate();
}

void TCustomLabel::SetTransparent(bool value) {
    if (value == m_transparent) return;
    m_transparent = value;
    if (value)
        m_controlStyle &= ~csOpaque;
    else
        m_controlStyle |= csOpaque;
    Invalidate();
}

void TCustomLabel::SetFocusControl(TWinControl* control) {
    if (control == m_focusControl) return;
    if (m_focusControl) m_focusControl->RemoveFreeNotification(this);
    m_focusControl = control;
    if (control) control->FreeNotification(this);
}

void TCustomLabel::Notification(TComponent* component, TOperation operation) {
    TGraphicControl::Notification(component, operation);
    if (operation == opRemove && component == m_focusControl) m_focusControl = nullptr;
}

uint32_t TCustomLabel::DrawTextFlags() const {
    uint32_t flags = DT_EXPANDTABS;
    if (m_wordWrap) flags |= DT_WORDBREAK;
    if (m_alignment == taRightJustify)
        flags |= DT_RIGHT;
    else if (m_alignment == taCenter)
        flags |= DT_CENTER;
    return flags;
}

void TCustomLabel::DoDrawText(TRect& rect, uint32_t flags) {
    std::string text = GetLabelText();
    if ((flags & DT_CALCRECT) && (text.empty() || (m_showAccelChar && text == "&"))) text += " ";
    if (!m_showAccelChar) flags |= DT_NOPREFIX;
    TCanvas& canvas = Canvas();
    canvas.Font = Font();
    if (!Enabled()) {
        rect = rect.Offset(1, 1);
        canvas.Font.SetColor(clBtnHighlight);
        canvas.DrawText(text, rect, flags);
        rect = rect.Offset(-1, -1);
        canvas.Font.SetColor(clBtnShadow);
        canvas.DrawText(text, rect, flags);
    } else {
        canvas.DrawText(text, rect, flags);
    }
}

void TCustomLabel::Paint() {
    TCanvas& canvas = Canvas();
    if (!m_transparent) {
        canvas.Brush = TBrush{Color(), TBrushStyle::bsSolid};
        canvas.FillRect(ClientRect());
    }
    canvas.Brush.Style = TBrushStyle::bsClear;
    TRect rect = ClientRect();
    const uint32_t flags = DrawTextFlags();
    if (m_layout != tlTop) {
        TRect calc = rect;
        DoDrawText(calc, flags | DT_CALCRECT);
        const int dy = m_layout == tlBottom ? Height() - calc.Bottom : (Height() - calc.Bottom) / 2;
        rect = rect.Offset(0, dy);
    }
    DoDrawText(rect, flags);
}

void TCustomLabel::AdjustBounds() {
    if (IsLoading() || !m_autoSize) return;
    TBitmap scratch(1, 1);
    TRect rect = ClientRect();
    WithCanvas(scratch.Canvas(), [&] {
        scratch.Canvas().Brush.Style = TBrushStyle::bsClear;
        DoDrawText(rect, DT_EXPANDTABS | DT_CALCRECT | (m_wordWrap ? DT_WORDBREAK : 0));
    });
    int x = Left();
    if (m_alignment == taRightJustify) x += Width() - rect.Right;
    SetBounds(x, Top(), rect.Right, rect.Bottom);
}

void TCustomLabel::Loaded() {
    TGraphicControl::Loaded();
    AdjustBounds();
}

void TCustomLabel::CMTextChanged(TMessage& m) {
    TGraphicControl::CMTextChanged(m);
    AdjustBounds();
}

void TCustomLabel::CMFontChanged(TMessage& m) {
    TGraphicControl::CMFontChanged(m);
    AdjustBounds();
}

void TCustomLabel::CMDialogChar(TMessage& m) {
    if (m_focusControl && Enabled() && m_showAccelChar &&
        IsAccel(static_cast<char32_t>(m.WParam), Caption()) && m_focusControl->CanFocus()) {
        m_focusControl->SetFocus();
        m.Result = 1;
    }
}

}  // namespace platform::forms
