#include "skin/controls/bsSkinCtrlsBevel.h"

#include "platform/gfx/Canvas.h"
#include "skin/controls/bsSkinCtrlsBinding.h"

namespace skin {

using platform::forms::opRemove;
using platform::forms::TComponent;
using platform::forms::TOperation;
using platform::gfx::TCanvas;

namespace {

// Color1 runs up the left side and along the top, Color2 down the right side and back along
// the bottom; lines leave out their end point, so the four sides meet without overlap.
void BevelRect(TCanvas& canvas, const TRect& r, TColor color1, TColor color2) {
    canvas.Pen.Color = color1;
    canvas.MoveTo(r.Left, r.Bottom);
    canvas.LineTo(r.Left, r.Top);
    canvas.LineTo(r.Right, r.Top);
    canvas.Pen.Color = color2;
    canvas.LineTo(r.Right, r.Bottom);
    canvas.LineTo(r.Left, r.Bottom);
}

void Line(TCanvas& canvas, int x1, int y1, int x2, int y2, TColor color) {
    canvas.Pen.Color = color;
    canvas.MoveTo(x1, y1);
    canvas.LineTo(x2, y2);
}

}  // namespace

TbsSkinBevel::TbsSkinBevel(TComponent* owner) : TBevel(owner) {}

TbsSkinBevel::~TbsSkinBevel() {
    WatchSkinData(*this, m_skinData, nullptr);
}

void TbsSkinBevel::SetSkinData(TbsSkinData* value) {
    WatchSkinData(*this, m_skinData, value);
    m_skinData = value;
    RefreshSkin();
}

void TbsSkinBevel::SetDividerMode(bool value) {
    m_dividerMode = value;
    Invalidate();
}

void TbsSkinBevel::RefreshSkin() {
    m_recordIndex = FindControlRecord(m_skinData, m_skinDataName);
    if (m_recordIndex == -1) {
        m_bevelLight = platform::gfx::clBtnHighlight;
        m_bevelDark = platform::gfx::clBtnShadow;
    } else if (auto* record = ControlRecordAs<TbsDataSkinBevel>(m_skinData, m_recordIndex)) {
        m_bevelLight = record->lightcolor;
        m_bevelDark = record->darkcolor;
    }
    Invalidate();
}

void TbsSkinBevel::Loaded() {
    TBevel::Loaded();
    RefreshSkin();
}

void TbsSkinBevel::Notification(TComponent* component, TOperation operation) {
    TBevel::Notification(component, operation);
    if (operation == opRemove && m_skinData && component == m_skinData) {
        m_skinData = nullptr;
        RefreshSkin();
    }
}

void TbsSkinBevel::Paint() {
    using namespace platform::forms;
    TCanvas& canvas = Canvas();
    canvas.Pen.Width = 1;
    canvas.Pen.Style = platform::gfx::TPenStyle::psSolid;
    const TColor color1 = Style() == bsLowered ? m_bevelDark : m_bevelLight;
    const TColor color2 = Style() == bsLowered ? m_bevelLight : m_bevelDark;
    const int w = Width(), h = Height();
    if (m_dividerMode) {
        switch (Shape()) {
            case bsTopLine:
            case bsBottomLine:
                BevelRect(canvas, {2, h / 2 - 1, w - 2, h / 2}, color1, color2);
                break;
            case bsBox:
            case bsFrame:
            case bsLeftLine:
            case bsRightLine:
                BevelRect(canvas, {w / 2 - 1, 2, w / 2, h - 2}, color1, color2);
                break;
            case bsSpacer:
                break;
        }
        return;
    }
    switch (Shape()) {
        case bsBox:
            BevelRect(canvas, {0, 0, w - 1, h - 1}, color1, color2);
            break;
        case bsFrame:
            // A groove (or ridge) as the platform bevel draws it: the inner outline wholly in the
            // second colour under the outer one wholly in the first.
            BevelRect(canvas, {1, 1, w - 1, h - 1}, color2, color2);
            BevelRect(canvas, {0, 0, w - 2, h - 2}, color1, color1);
            break;
        case bsTopLine:
            Line(canvas, 0, 0, w, 0, color1);
            Line(canvas, 0, 1, w, 1, color2);
            break;
        case bsBottomLine:
            Line(canvas, 0, h - 2, w, h - 2, color1);
            Line(canvas, 0, h - 1, w, h - 1, color2);
            break;
        case bsLeftLine:
            Line(canvas, 0, 0, 0, h, color1);
            Line(canvas, 1, 0, 1, h, color2);
            break;
        case bsRightLine:
            Line(canvas, w - 2, 0, w - 2, h, color1);
            Line(canvas, w - 1, 0, w - 1, h, color2);
            break;
        case bsSpacer:
            break;
    }
}

}  // namespace skin
