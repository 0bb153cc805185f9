// The edit's side of input methods: it reports its caret so that the input method's pre-edit
// text and candidate list appear there, and shows the pre-edit text the input method asks it to
// draw, underlined at the caret over the text, without making it part of the text.

#include <algorithm>

#include "platform/core/Strings.h"
#include "platform/forms/Edit.h"
#include "platform/gfx/Canvas.h"
#include "platform/ui/WindowSystem.h"

namespace platform::forms {

using namespace platform::ui;

void TCustomEdit::ReportImeCaret() {
    if (!HandleAllocated() || !Focused()) return;
    if (TWindowSystem* ws = TWindowSystem::Current())
        ws->SetImeCaretPos(HandleIfAllocated(), m_composition.empty() ? CaretRect() : CompositionCaretRect());
}

void TCustomEdit::ImeCompositionChanged(std::size_t caretCodePoints) {
    TWindowSystem* ws = TWindowSystem::Current();
    const TRect before = CompositionRect();
    m_composition = ws ? ws->ImeComposition() : std::string();
    // The input method counts in characters; the edit keeps bytes.
    std::size_t at = 0;
    for (std::size_t i = 0; i < caretCodePoints && at < m_composition.size(); ++i)
        at += std::max<std::size_t>(1, core::Utf8CharLength(m_composition, at));
    m_compositionCaret = std::min(at, m_composition.size());
    if (HandleAllocated()) {
        if (!before.IsEmpty()) InvalidateRect(before, false);
        const TRect after = CompositionRect();
        if (!after.IsEmpty()) InvalidateRect(after, false);
        InvalidateCaret();
    }
    ReportImeCaret();
}

void TCustomEdit::EndComposition() {
    if (m_composition.empty()) return;
    const TRect before = CompositionRect();
    m_composition.clear();
    m_compositionCaret = 0;
    if (HandleAllocated()) InvalidateRect(before, false);
}

TRect TCustomEdit::CompositionRect() const {
    if (m_composition.empty()) return {};
    const TRect caret = CaretRect();
    const int width = gfx::TextEngine::TextWidth(Font(), m_composition);
    return {caret.Left, caret.Top, caret.Left + width + 1, caret.Bottom};
}

TRect TCustomEdit::CompositionCaretRect() const {
    const TRect caret = CaretRect();
    const int x =
        caret.Left + gfx::TextEngine::TextWidth(Font(), m_composition.substr(0, m_compositionCaret));
    return {x, caret.Top, x + 1, caret.Bottom};
}

void TCustomEdit::PaintComposition(gfx::TCanvas& canvas) {
    if (m_composition.empty() || !Focused()) return;
    const TRect r = CompositionRect();
    canvas.SetClipRegion(std::nullopt);
    canvas.IntersectClipRect(ClientRect());
    canvas.Brush = gfx::TBrush{Color(), gfx::TBrushStyle::bsSolid};
    canvas.FillRect(r);
    canvas.Brush.Style = gfx::TBrushStyle::bsClear;
    canvas.Font = Font();
    canvas.TextOut(r.Left, r.Top, m_composition);
    // The underline marks the text as not yet typed.
    canvas.Brush = gfx::TBrush{Font().Color(), gfx::TBrushStyle::bsSolid};
    canvas.FillRect({r.Left, r.Bottom - 1, r.Right - 1, r.Bottom});
}

}  // namespace platform::forms
