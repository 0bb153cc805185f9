// Painting of the frame (skinned: four strips composed off-screen with the objects drawn in;
// built-in: a caption bar and three rings) and of the client background.

#include <algorithm>

#include "platform/forms/Application.h"
#include "platform/gfx/Canvas.h"
#include "platform/ui/WindowSystem.h"
#include "skin/controls/bsEffects.h"
#include "skin/data/bsUtilsDraw.h"
#include "skin/data/bsUtilsGlyphs.h"
#include "skin/form/bsSkinForm.h"
#include "skin/form/bsSkinFormStrips.h"

namespace skin {

using platform::gfx::TBrushStyle;
using platform::ui::TDeviceContextPtr;
using platform::ui::TWindow;

namespace {

constexpr int kDefBorder = 3;

// Tiles rect of picture over dest from its top-left, cutting the last column and row.
void TileOver(TCanvas& canvas, const TRect& dest, const TBitmap& picture, const TRect& rect) {
    const int pw = RectWidthOf(rect), ph = RectHeightOf(rect);
    if (pw <= 0 || ph <= 0) return;
    for (int y = dest.Top; y < dest.Bottom; y += ph) {
        const int h = std::min(ph, dest.Bottom - y);
        for (int x = dest.Left; x < dest.Right; x += pw) {
            const int w = std::min(pw, dest.Right - x);
            canvas.DrawBitmapRect({x, y, x + w, y + h}, picture,
                                  {rect.Left, rect.Top, rect.Left + w, rect.Top + h});
        }
    }
}

void ApplyEffect(TBitmap& bitmap, TbsInactiveEffect effect) {
    if (bitmap.Empty()) return;
    TbsEffectBmp e(bitmap);
    ApplyInactiveEffect(e, effect);
    e.AssignTo(bitmap);
}

}  // namespace

bool TbsSkinForm::NoFrame() const {
    return !m_form || m_form->BorderStyle() == platform::forms::bsNone || MaximizedMDIChild();
}

std::string TbsSkinForm::FormCaption() const {
    return m_form ? m_form->Caption() : std::string();
}

void TbsSkinForm::DrawFormIcon(TCanvas& canvas, const TRect& rect) const {
    const TBitmap* icon = nullptr;
    if (m_form && !m_form->Icon().Empty())
        icon = &m_form->Icon();
    else if (platform::forms::Application && !platform::forms::Application->Icon().Empty())
        icon = &platform::forms::Application->Icon();
    if (!icon || IsEmptyRect(rect)) return;
    TBitmap copy = *icon;
    copy.Transparent = true;
    canvas.StretchDraw(rect, copy);
}

void TbsSkinForm::PaintObject(TbsActiveSkinObject* object) {
    if (!object || NoFrame()) return;
    TWindow* w = m_form->HandleIfAllocated();
    if (!w || !w->IsWindowVisible()) return;
    TDeviceContextPtr dc = w->System().GetWindowDC(w);
    object->Draw(dc->Canvas(), true);
}

void TbsSkinForm::UpdateFormNC() {
    if (NoFrame()) return;
    TWindow* w = m_form->HandleIfAllocated();
    if (!w || !w->IsWindowVisible()) return;
    if (m_skinned)
        PaintSkinFrame();
    else
        PaintDefaultFrame();
}

void TbsSkinForm::BuildFrameStrips(TbsBorderStrips& strips) {
    CalcRects();
    CalcObjects();
    const TbsSkinData& sd = *m_skinData;
    const bool active = GetActive();
    TBitmap& picture =
        !active && !sd.InactivePicture.Empty() ? m_skinData->InactivePicture : m_skinData->Picture;
    const TbsFrameGeometry geometry{sd.lefttoppoint, sd.righttoppoint, sd.leftbottompoint,
                                    sd.rightbottompoint, sd.clientrect};
    const TbsFormGeometry& g = m_geometry;
    const TbsFrameGeometry newGeometry{g.NewLTPoint, g.NewRTPoint, g.NewLBPoint, g.NewRBPoint, g.NewClRect};
    const TbsStretchEdges stretch{sd.leftstretch, sd.topstretch, sd.rightstretch, sd.bottomstretch};
    strips = {};
    ComposeFormStrips(strips, picture, {0, 0, picture.Width(), picture.Height()}, geometry, m_formWidth,
                      m_formHeight, newGeometry, stretch);
    if (!active && sd.autorenderinginactiveimage) {
        ApplyEffect(strips.Top, sd.inactiveeffect);
        ApplyEffect(strips.Bottom, sd.inactiveeffect);
        ApplyEffect(strips.Left, sd.inactiveeffect);
        ApplyEffect(strips.Right, sd.inactiveeffect);
    }
    for (auto& object : m_objects) {
        if (!object->Visible) continue;
        if (object->ObjectRect.Bottom > g.NewClRect.Top) {
            if (strips.Bottom.Empty()) continue;
            const TRect saved = object->ObjectRect;
            object->ObjectRect = saved.Offset(0, -g.NewClRect.Bottom);
            object->Draw(strips.Bottom.Canvas(), false);
            object->ObjectRect = saved;
        } else if (!strips.Top.Empty()) {
            object->Draw(strips.Top.Canvas(), false);
        }
    }
}

void TbsSkinForm::PaintSkinFrame() {
    if (m_formWidth < GetMinWidth() || m_formHeight < GetMinHeight()) return;
    TbsBorderStrips strips;
    BuildFrameStrips(strips);
    TWindow* w = m_form->HandleIfAllocated();
    TDeviceContextPtr dc = w->System().GetWindowDC(w);
    TCanvas& canvas = dc->Canvas();
    const TRect& cl = m_geometry.NewClRect;
    canvas.ExcludeClipRect(cl);
    canvas.Draw(0, 0, strips.Top);
    canvas.Draw(0, cl.Top, strips.Left);
    canvas.Draw(m_formWidth - strips.Right.Width(), cl.Top, strips.Right);
    canvas.Draw(0, m_formHeight - strips.Bottom.Height(), strips.Bottom);
}

void TbsSkinForm::PaintDefaultFrame() {
    using namespace platform::gfx;
    if (m_objects.empty()) {
        CreateDefaultObjects();
        CheckObjects();
    }
    LayoutDefaultObjects();
    const int w = m_formWidth, h = m_formHeight;
    const int captionHeight = DefCaptionHeight();
    if (w <= 2 * kDefBorder || h <= 0) return;
    const bool active = GetActive();

    TBitmap caption(w - 2 * kDefBorder, captionHeight);
    TCanvas& c = caption.Canvas();
    c.Brush.Style = TBrushStyle::bsSolid;
    c.Brush.Color = clBtnFace;
    c.FillRect({0, 0, caption.Width(), captionHeight});
    const TRect area = m_defCaptionRect.Offset(-kDefBorder, -kDefBorder);
    if (captionHeight - 4 > 1) {
        for (int i = 0; i < captionHeight - 5; ++i) {
            c.Pen.Color = i % 2 == 0 ? clBtnHighlight : clBtnShadow;
            c.MoveTo(area.Left, 2 + i);
            c.LineTo(area.Right, 2 + i);
        }
    }
    std::string title = FormCaption();
    if (!title.empty() && area.Width() > 0) {
        c.Font = active ? m_defCaptionFont : m_defInActiveCaptionFont;
        FitTextWithEllipsis(c, title, area.Width());
        const int tw = c.TextWidth(title), th = c.TextHeight(title);
        const int x = area.Left + area.Width() / 2 - tw / 2;
        const int y = captionHeight / 2 - th / 2;
        c.Brush.Color = clBtnFace;
        c.FillRect(TRect{x - 2, 0, x + tw + 3, captionHeight}.Intersect(area));
        c.Brush.Style = TBrushStyle::bsClear;
        c.TextOut(x, y, title);
        c.Brush.Style = TBrushStyle::bsSolid;
    }
    for (auto& object : m_objects) {
        if (!object->Visible) continue;
        const TRect saved = object->ObjectRect;
        object->ObjectRect = saved.Offset(-kDefBorder, -kDefBorder);
        object->Draw(c, true);
        object->ObjectRect = saved;
    }

    TWindow* window = m_form->HandleIfAllocated();
    TDeviceContextPtr dc = window->System().GetWindowDC(window);
    TCanvas& canvas = dc->Canvas();
    canvas.ExcludeClipRect(window->ClientArea());
    canvas.Draw(kDefBorder, kDefBorder, caption);
    canvas.Brush.Style = TBrushStyle::bsSolid;
    canvas.Brush.Color = clBtnFace;
    canvas.FillRect({kDefBorder, kDefBorder + captionHeight, w - kDefBorder, h - kDefBorder});
    TRect ring{0, 0, w, h};
    canvas.Frame3D(ring, cl3DLight, cl3DDkShadow, 1);
    canvas.Frame3D(ring, clBtnHighlight, clBtnShadow, 1);
    canvas.Frame3D(ring, clBtnFace, clBtnFace, 1);
}

void TbsSkinForm::PaintBackground(TCanvas& canvas) {
    if (!m_form) return;
    const TRect client = m_form->ClientRect();
    canvas.Brush.Style = TBrushStyle::bsSolid;
    canvas.Brush.Color = platform::gfx::clBtnFace;
    if (!m_skinned) {
        canvas.FillRect(client);
    } else {
        const TbsSkinData& sd = *m_skinData;
        const TBitmap* bg = sd.bgpictureindex == -1 ? nullptr : sd.ActivePicture(sd.bgpictureindex);
        if (bg)
            TileOver(canvas, client, *bg, {0, 0, bg->Width(), bg->Height()});
        else if (IsEmptyRect(sd.clientrect))
            canvas.FillRect(client);
        else
            TileOver(canvas, client, sd.Picture, sd.clientrect);
    }
    if (!m_logoBitMap.Empty()) {
        TBitmap logo = m_logoBitMap;
        logo.Transparent = m_logoBitMapTransparent;
        canvas.Draw(client.Width() / 2 - logo.Width() / 2, client.Height() / 2 - logo.Height() / 2, logo);
    }
}

}  // namespace skin
