#include "app/program/PreviewGrid.h"

#include "platform/forms/ControlMessages.h"
#include "platform/ui/Messages.h"

namespace app::program {

namespace forms = platform::forms;
namespace ui = platform::ui;

namespace {
// Inside the bevel's lines, outside the picture (which lies five pixels in).
constexpr int kFrameInset = 2;
constexpr int kFrameWidth = 2;
}  // namespace

TPreviewFocusFrame::TPreviewFocusFrame(forms::TComponent* owner)
    : TGraphicControl(owner), m_frameColor(platform::gfx::clHighlight) {}

void TPreviewFocusFrame::SetFrameColor(platform::gfx::TColor color) {
    if (color == m_frameColor) return;
    m_frameColor = color;
    Invalidate();
}

void TPreviewFocusFrame::Paint() {
    platform::gfx::TCanvas& canvas = Canvas();
    canvas.Brush.Color = m_frameColor;
    canvas.Brush.Style = platform::gfx::TBrushStyle::bsSolid;
    for (int i = 0; i < kFrameWidth; ++i) {
        const int inset = kFrameInset + i;
        canvas.FrameRect({inset, inset, Width() - inset, Height() - inset});
    }
}

void TPreviewFocusFrame::CMHitTest(forms::TMessage& message) {
    message.Result = 0;
}

TPreviewGrid::TPreviewGrid(forms::TComponent* owner) : TWinControl(owner) {
    SetTabStop(true);
}

bool TPreviewGrid::PreviewKeyOf(uint16_t key, TPreviewKey& action) {
    switch (key) {
        case ui::VK_LEFT:
            action = TPreviewKey::Left;
            return true;
        case ui::VK_RIGHT:
            action = TPreviewKey::Right;
            return true;
        case ui::VK_UP:
            action = TPreviewKey::Up;
            return true;
        case ui::VK_DOWN:
            action = TPreviewKey::Down;
            return true;
        case ui::VK_PRIOR:
            action = TPreviewKey::PageUp;
            return true;
        case ui::VK_NEXT:
            action = TPreviewKey::PageDown;
            return true;
        case ui::VK_HOME:
            action = TPreviewKey::Home;
            return true;
        case ui::VK_END:
            action = TPreviewKey::End;
            return true;
        case ui::VK_RETURN:
            action = TPreviewKey::Start;
            return true;
        default:
            return false;
    }
}

int TPreviewGrid::SeverityOfKey(uint16_t key) {
    if (key >= '1' && key <= '5') return key - '0';
    if (key >= ui::VK_NUMPAD1 && key <= ui::VK_NUMPAD1 + 4) return key - ui::VK_NUMPAD1 + 1;
    return 0;
}

void TPreviewGrid::KeyDown(uint16_t& key, forms::TShiftState shift) {
    TWinControl::KeyDown(key, shift);
    if (key == 0 || (shift & (forms::ssAlt | forms::ssCtrl)) != 0) return;
    TPreviewKey action{};
    if (PreviewKeyOf(key, action)) {
        key = 0;
        if (OnPreviewKey) OnPreviewKey(action);
    } else if (const int severity = SeverityOfKey(key); severity != 0) {
        key = 0;
        if (OnSeverityKey) OnSeverityKey(severity);
    }
}

void TPreviewGrid::WMGetDlgCode(forms::TMessage& message) {
    // The arrows and Enter are the grid's own; Tab still moves on.
    message.Result = forms::DLGC_WANTARROWS | forms::DLGC_WANTALLKEYS;
}

void TPreviewGrid::DoEnter() {
    TWinControl::DoEnter();
    if (OnFocusChanged) OnFocusChanged(true);
}

void TPreviewGrid::DoExit() {
    TWinControl::DoExit();
    if (OnFocusChanged) OnFocusChanged(false);
}

}  // namespace app::program
