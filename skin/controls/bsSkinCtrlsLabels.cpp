#include "skin/controls/bsSkinCtrlsLabels.h"

#include "skin/controls/bsSkinCtrlsBinding.h"

namespace skin {

using platform::forms::opRemove;
using platform::forms::TComponent;
using platform::forms::TMessage;
using platform::forms::TOperation;
using platform::gfx::TFont;

// ---- TbsSkinStdLabel ----

TbsSkinStdLabel::TbsSkinStdLabel(TComponent* owner)
    : TCustomLabel(owner), m_defaultFont(std::make_unique<TFont>()) {
    SetTransparent(true);
}

TbsSkinStdLabel::~TbsSkinStdLabel() {
    WatchSkinData(*this, m_skin.SkinData, nullptr);
}

void TbsSkinStdLabel::SetSkinData(TbsSkinData* value) {
    WatchSkinData(*this, m_skin.SkinData, value);
    m_skin.SkinData = value;
    if (value) RefreshSkin();
}

void TbsSkinStdLabel::SetUseSkinFont(bool value) {
    if (m_useSkinFont == value) return;
    m_useSkinFont = value;
    Invalidate();
}

void TbsSkinStdLabel::RefreshSkin() {
    m_skin.Refresh();
    Invalidate();
}

void TbsSkinStdLabel::Loaded() {
    if (m_skin.SkinData) m_skin.Refresh();
    TCustomLabel::Loaded();
}

void TbsSkinStdLabel::Notification(TComponent* component, TOperation operation) {
    TCustomLabel::Notification(component, operation);
    if (operation == opRemove && m_skin.SkinData && component == m_skin.SkinData) m_skin.Forget();
}

void TbsSkinStdLabel::SelectTextFont(TFont& out) const {
    SelectLabelFont(out, m_skin, *m_defaultFont, Font(), m_useSkinFont);
}

void TbsSkinStdLabel::DoDrawText(TRect& rect, uint32_t flags) {
    auto& canvas = Canvas();
    SelectTextFont(canvas.Font);
    std::string text = GetLabelText();
    if (flags & platform::gfx::DT_CALCRECT) {
        // An empty caption still takes a line, so an auto-sized label keeps its height.
        if (text.empty() || text == "&") text += " ";
        canvas.DrawText(text, rect, flags);
        return;
    }
    DrawLabelText(canvas, text, rect, flags, Enabled());
}

// ---- TbsSkinLinkLabel ----

TbsSkinLinkLabel::TbsSkinLinkLabel(TComponent* owner) : TbsSkinStdLabel(owner) {
    m_defaultFont->SetName("Arial");
    m_defaultFont->SetHeight(14);
    m_defaultFont->SetStyle(platform::gfx::fsUnderline);
    SetFont(*m_defaultFont);
    SetCursor(platform::forms::crHandPoint);
}

void TbsSkinLinkLabel::SetDefaultActiveFontColor(TColor value) {
    if (m_defaultActiveFontColor == value) return;
    m_defaultActiveFontColor = value;
    if (m_hovered) Invalidate();
}

void TbsSkinLinkLabel::SelectTextFont(TFont& out) const {
    if (m_skin.RecordIndex == -1) {
        out = m_useSkinFont ? *m_defaultFont : Font();
        if (m_hovered) out.SetColor(m_defaultActiveFontColor);
        out.SetStyle(out.Style() | platform::gfx::fsUnderline);
        return;
    }
    if (m_useSkinFont) {
        ApplyRecordFace(out, m_skin.Values, *m_defaultFont);
        out.SetStyle(out.Style() | platform::gfx::fsUnderline);
    } else {
        out = Font();
    }
    out.SetColor(m_hovered ? m_skin.Values.activefontcolor : m_skin.Values.fontcolor);
}

void TbsSkinLinkLabel::Click() {
    // OnClick may free the label; the URL is taken first.
    const std::string url = m_url;
    TbsSkinStdLabel::Click();
    OpenLink(url);
}

void TbsSkinLinkLabel::CMMouseEnter(TMessage& message) {
    TbsSkinStdLabel::CMMouseEnter(message);
    if (IsDesigning()) return;
    m_hovered = true;
    Invalidate();
}

void TbsSkinLinkLabel::CMMouseLeave(TMessage& message) {
    TbsSkinStdLabel::CMMouseLeave(message);
    if (IsDesigning()) return;
    m_hovered = false;
    Invalidate();
}

}  // namespace skin
