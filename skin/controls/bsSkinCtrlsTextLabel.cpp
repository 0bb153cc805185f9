#include "skin/controls/bsSkinCtrlsTextLabel.h"

#include <algorithm>

#include "platform/gfx/Canvas.h"
#include "skin/controls/bsSkinCtrlsBinding.h"

namespace skin {

using platform::core::TStringList;
using platform::forms::opRemove;
using platform::forms::TComponent;
using platform::forms::TMessage;
using platform::forms::TMouseButton;
using platform::forms::TOperation;
using platform::forms::TShiftState;
using platform::gfx::TBitmap;
using platform::gfx::TCanvas;
using platform::gfx::TFont;

// ---- TbsSkinTextLabel ----

TbsSkinTextLabel::TbsSkinTextLabel(TComponent* owner)
    : TGraphicControl(owner), m_defaultFont(std::make_unique<TFont>()) {
    SetControlStyle(ControlStyle() & ~platform::forms::csOpaque);
    SetBounds(Left(), Top(), 65, 65);
}

TbsSkinTextLabel::~TbsSkinTextLabel() {
    WatchSkinData(*this, m_skin.SkinData, nullptr);
}

void TbsSkinTextLabel::SetSkinData(TbsSkinData* value) {
    WatchSkinData(*this, m_skin.SkinData, value);
    m_skin.SkinData = value;
    if (value) RefreshSkin();
}

void TbsSkinTextLabel::RefreshSkin() {
    m_skin.Refresh();
    AdjustBounds();
    Invalidate();
}

void TbsSkinTextLabel::Notification(TComponent* component, TOperation operation) {
    TGraphicControl::Notification(component, operation);
    if (operation == opRemove && m_skin.SkinData && component == m_skin.SkinData) m_skin.Forget();
}

void TbsSkinTextLabel::SetLines(const TStringList& value) {
    m_lines = value;
    AdjustBounds();
    Invalidate();
}

void TbsSkinTextLabel::SetAlignment(platform::forms::TAlignment value) {
    if (m_alignment == value) return;
    m_alignment = value;
    Invalidate();
}

void TbsSkinTextLabel::SetAutoSize(bool value) {
    if (m_autoSize == value) return;
    m_autoSize = value;
    AdjustBounds();
}

void TbsSkinTextLabel::SetLayout(platform::forms::TTextLayout value) {
    if (m_layout == value) return;
    m_layout = value;
    Invalidate();
}

void TbsSkinTextLabel::SetWordWrap(bool value) {
    if (m_wordWrap == value) return;
    m_wordWrap = value;
    AdjustBounds();
    Invalidate();
}

void TbsSkinTextLabel::SetUseSkinFont(bool value) {
    if (m_useSkinFont == value) return;
    m_useSkinFont = value;
    AdjustBounds();
    Invalidate();
}

void TbsSkinTextLabel::CMFontChanged(TMessage& message) {
    TGraphicControl::CMFontChanged(message);
    AdjustBounds();
    Invalidate();
}

void TbsSkinTextLabel::Loaded() {
    TGraphicControl::Loaded();
    if (m_skin.SkinData) m_skin.Refresh();
    AdjustBounds();
}

void TbsSkinTextLabel::SelectTextFont(TFont& out) const {
    SelectLabelFont(out, m_skin, *m_defaultFont, Font(), m_useSkinFont);
}

uint32_t TbsSkinTextLabel::TextFlags() const {
    uint32_t flags = platform::gfx::DT_EXPANDTABS;
    if (m_wordWrap) flags |= platform::gfx::DT_WORDBREAK;
    if (m_alignment == platform::forms::taRightJustify)
        flags |= platform::gfx::DT_RIGHT;
    else if (m_alignment == platform::forms::taCenter)
        flags |= platform::gfx::DT_CENTER;
    return flags;
}

void TbsSkinTextLabel::AdjustBounds() {
    if (IsLoading() || !m_autoSize) return;
    TBitmap scratch(1, 1);
    TCanvas& canvas = scratch.Canvas();
    SelectTextFont(canvas.Font);
    TRect r = ClientRect();
    canvas.DrawText(m_lines.Text(), r,
                    (m_wordWrap ? platform::gfx::DT_WORDBREAK : 0u) | platform::gfx::DT_EXPANDTABS |
                        platform::gfx::DT_CALCRECT);
    int left = Left();
    if (m_alignment == platform::forms::taRightJustify) left += Width() - r.Width();
    SetBounds(left, Top(), r.Width(), r.Height());
}

void TbsSkinTextLabel::Paint() {
    TCanvas& canvas = Canvas();
    canvas.Brush.Style = platform::gfx::TBrushStyle::bsClear;
    SelectTextFont(canvas.Font);
    const std::string text = m_lines.Text();
    const uint32_t flags = TextFlags();
    TRect r = ClientRect();
    if (m_layout != platform::forms::tlTop) {
        TRect measured = r;
        canvas.DrawText(text, measured, flags | platform::gfx::DT_CALCRECT);
        int shift = r.Height() - measured.Bottom;
        if (m_layout == platform::forms::tlCenter) shift /= 2;
        r = r.Offset(0, shift);
    }
    DrawLabelText(canvas, text, r, flags, Enabled());
}

// ---- TbsSkinButtonLabel ----

TbsSkinButtonLabel::TbsSkinButtonLabel(TComponent* owner)
    : TGraphicControl(owner), m_defaultFont(std::make_unique<TFont>()) {
    SetControlStyle(ControlStyle() & ~platform::forms::csOpaque);
    m_defaultFont->SetName("Arial");
    m_defaultFont->SetHeight(14);
    m_defaultFont->SetStyle(0);
    SetBounds(Left(), Top(), 100, 50);
}

TbsSkinButtonLabel::~TbsSkinButtonLabel() {
    WatchSkinData(*this, m_skin.SkinData, nullptr);
}

void TbsSkinButtonLabel::SetSkinData(TbsSkinData* value) {
    WatchSkinData(*this, m_skin.SkinData, value);
    m_skin.SkinData = value;
    if (value) RefreshSkin();
}

void TbsSkinButtonLabel::RefreshSkin() {
    m_skin.Refresh();
    Invalidate();
}

void TbsSkinButtonLabel::Loaded() {
    TGraphicControl::Loaded();
    if (m_skin.SkinData) m_skin.Refresh();
}

void TbsSkinButtonLabel::Notification(TComponent* component, TOperation operation) {
    TGraphicControl::Notification(component, operation);
    if (operation == opRemove && m_skin.SkinData && component == m_skin.SkinData) m_skin.Forget();
}

void TbsSkinButtonLabel::SetGlyph(const TBitmap& value) {
    m_glyph = value;
    Invalidate();
}

void TbsSkinButtonLabel::SetNumGlyphs(int value) {
    value = std::clamp(value, 1, kMaxNumGlyphs);
    if (value == m_numGlyphs) return;
    m_numGlyphs = value;
    Invalidate();
}

void TbsSkinButtonLabel::SetMargin(int value) {
    if (value < -1 || value == m_margin) return;
    m_margin = value;
    Invalidate();
}

void TbsSkinButtonLabel::SetSpacing(int value) {
    if (value == m_spacing) return;
    m_spacing = value;
    Invalidate();
}

void TbsSkinButtonLabel::SetLayout(TbsButtonLayout value) {
    if (value == m_layout) return;
    m_layout = value;
    Invalidate();
}

void TbsSkinButtonLabel::SetDefaultFont(const TFont& value) {
    *m_defaultFont = value;
    Invalidate();
}

void TbsSkinButtonLabel::SetUseSkinFont(bool value) {
    if (m_useSkinFont == value) return;
    m_useSkinFont = value;
    Invalidate();
}

void TbsSkinButtonLabel::SetDefaultActiveFontColor(TColor value) {
    if (m_defaultActiveFontColor == value) return;
    m_defaultActiveFontColor = value;
    if (m_hovered) Invalidate();
}

void TbsSkinButtonLabel::Paint() {
    TCanvas& canvas = Canvas();
    if (m_skin.RecordIndex == -1) {
        canvas.Font = *m_defaultFont;
        if (m_hovered) canvas.Font.SetColor(m_defaultActiveFontColor);
    } else {
        if (m_useSkinFont)
            ApplyRecordFace(canvas.Font, m_skin.Values, *m_defaultFont);
        else
            canvas.Font = *m_defaultFont;
        canvas.Font.SetColor(m_hovered ? m_skin.Values.activefontcolor : m_skin.Values.fontcolor);
    }
    const int cell = GlyphCellFor(m_pressed, m_hovered, !Enabled(), m_numGlyphs);
    DrawGlyphAndCaption(canvas, ClientRect(), m_margin, m_pressed, cell, m_numGlyphs, m_glyph, Caption(),
                        m_layout, m_spacing);
}

void TbsSkinButtonLabel::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    m_pressed = true;
    Invalidate();
    TGraphicControl::MouseDown(button, shift, x, y);
}

void TbsSkinButtonLabel::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    m_pressed = false;
    Invalidate();
    TGraphicControl::MouseUp(button, shift, x, y);
}

void TbsSkinButtonLabel::CMMouseEnter(TMessage& message) {
    TGraphicControl::CMMouseEnter(message);
    if (IsDesigning()) return;
    m_hovered = true;
    Invalidate();
}

void TbsSkinButtonLabel::CMMouseLeave(TMessage& message) {
    TGraphicControl::CMMouseLeave(message);
    if (IsDesigning()) return;
    m_hovered = false;
    Invalidate();
}

}  // namespace skin
