#include <algorithm>
#include <string>

#include "platform/forms/ImageListComponent.h"
#include "platform/gfx/Color.h"
#include "skin/controls/bsDefaultLook.h"
#include "skin/controls/bsEffects.h"
#include "skin/data/bsUtilsDraw.h"
#include "skin/data/bsUtilsDrawCompose.h"
#include "skin/data/bsUtilsDrawPieces.h"
#include "skin/data/bsUtilsGlyphs.h"
#include "skin/form/bsSkinMenus.h"
#include "skin/form/bsSkinMenusWindow.h"

namespace skin {

using namespace platform::gfx;

namespace {

// An image of width x height from source: the left and right ends kept, the middle stretched.
void ComposeStretchedStrip(TBitmap& dest, TBitmap& picture, const TRect& source, int leftOffset,
                           int rightOffset, int width, int height) {
    dest.SetSize(width, height);
    if (width <= 0 || height <= 0 || IsEmptyRect(source) || !detail::SaneRect(source)) return;
    const int sw = RectWidthOf(source);
    int lo = std::clamp(leftOffset, 0, sw);
    int ro = std::clamp(rightOffset, 0, sw - lo);
    if (lo + ro > width) {
        lo = std::min(lo, width / 2);
        ro = std::min(ro, width - lo);
    }
    detail::CopyPiece(dest, {0, 0, lo, height}, picture,
                      {source.Left, source.Top, source.Left + lo, source.Bottom});
    detail::CopyPiece(dest, {width - ro, 0, width, height}, picture,
                      {source.Right - ro, source.Top, source.Right, source.Bottom});
    detail::CopyPiece(dest, {lo, 0, width - ro, height}, picture,
                      {source.Left + lo, source.Top, source.Right - ro, source.Bottom});
}

void DrawNamedGlyph(TCanvas& canvas, const std::string& name, int x, int y, TColor color, bool& drawn) {
    drawn = true;
    if (name == "SF_CLOSE" || name == "TRAY_SF_CLOSE")
        DrawCloseGlyph(canvas, x, y, color);
    else if (name == "SF_MINITEM")
        DrawMinimizeGlyph(canvas, x, y, color);
    else if (name == "SF_MAXITEM")
        DrawMaximizeGlyph(canvas, x, y, color);
    else if (name == "SF_RESTORE" || name == "TRAY_SF_RESTORE")
        DrawRestoreGlyph(canvas, x, y, color);
    else if (name == "SF_ROLLUP")
        DrawRollUpGlyph(canvas, x, y, color);
    else if (name == "SF_MINTOTRAY")
        DrawTrayGlyph(canvas, x, y, color);
    else
        drawn = false;
}

}  // namespace

void TbsSkinPopupWindow::PaintWindow(TCanvas& canvas) {
    PaintBackground(canvas);
    for (auto& item : m_items)
        if (item->Shown) PaintItem(canvas, *item);
    if (m_scrolling) PaintScrollMarkers(canvas);
}

void TbsSkinPopupWindow::PaintBackground(TCanvas& canvas) {
    const int w = m_bounds.Width(), h = m_bounds.Height();
    if (m_windowPicture) {
        const TbsDataSkinPopupWindow& r = *m_windowRecord;
        const TbsFrameGeometry geometry{r.lefttoppoint, r.righttoppoint, r.leftbottompoint,
                                        r.rightbottompoint, r.itemsrect};
        const TbsFrameGeometry newGeometry{m_newLT, m_newRT, m_newLB, m_newRB, m_itemsArea};
        const TbsStretchEdges stretch{r.leftstretch, r.topstretch, r.rightstretch, r.bottomstretch};
        TBitmap image;
        ComposeFrameImage(image, *m_windowPicture,
                          {0, 0, m_windowPicture->Width(), m_windowPicture->Height()}, geometry, w, h,
                          newGeometry, true, stretch);
        canvas.Draw(0, 0, image);
        return;
    }
    canvas.Brush = TBrush{clWindow, TBrushStyle::bsSolid};
    canvas.FillRect({0, 0, w, h});
    const int column = m_images ? m_images->Width() + 7 : 21;
    canvas.Brush.Color = clBtnFace;
    canvas.FillRect({0, 0, std::min(column, w), h});
    canvas.Brush.Color = clWindow;
    canvas.FrameRect({0, 0, w, h});
    canvas.Brush.Color = clBtnShadow;
    canvas.FrameRect({1, 1, w - 1, h - 1});
}

void TbsSkinPopupWindow::PaintScrollMarkers(TCanvas& canvas) {
    const int w = m_bounds.Width(), h = m_bounds.Height();
    TRect top, bottom;
    TColor normal, active;
    if (m_windowPicture) {
        top = {m_itemsArea.Left, m_itemsArea.Top, m_itemsArea.Right, m_itemsArea.Top + kScrollMarkerSize};
        bottom = {m_itemsArea.Left, m_itemsArea.Bottom - kScrollMarkerSize, m_itemsArea.Right,
                  m_itemsArea.Bottom};
        normal = m_windowRecord->scrollmarkercolor;
        active = m_windowRecord->scrollmarkeractivecolor;
    } else {
        top = {3, 3, w - 3, 13};
        bottom = {3, h - 10, w - 3, h - 3};
        normal = clBtnShadow;
        active = clBtnText;
    }
    DrawArrowGlyph(canvas, top, m_scrollDirection < 0 ? active : normal, adUp);
    DrawArrowGlyph(canvas, bottom, m_scrollDirection > 0 ? active : normal, adDown);
}

void TbsSkinPopupWindow::PaintItem(TCanvas& canvas, TbsSkinMenuItem& item) {
    if (m_itemRecord)
        PaintSkinnedItem(canvas, item);
    else
        PaintDefaultItem(canvas, item);
}

void TbsSkinPopupWindow::BuildItemImage(TBitmap& image, const TRect& source, int width, int height) const {
    ComposeStretchedStrip(image, *m_itemPicture, source, m_itemRecord->itemleftoffset,
                          m_itemRecord->itemrightoffset, width, height);
}

void TbsSkinPopupWindow::PaintSkinnedItem(TCanvas& canvas, TbsSkinMenuItem& item) {
    const TbsDataSkinMenuItem& r = *m_itemRecord;
    const TRect rect = item.ItemRect;
    const int w = rect.Width(), h = rect.Height();
    if (w <= 0 || h <= 0) return;
    TBitmap image;
    if (item.IsSeparator()) {
        ComposeStretchedStrip(image, *m_itemPicture, r.dividerrect, r.dividerleftoffset, r.dividerrightoffset,
                              w, h);
        canvas.Draw(rect.Left, rect.Top, image);
        return;
    }
    const bool highlighted = item.Highlighted();
    const bool hasActive = !IsEmptyRect(r.activeskinrect);
    if (r.morphing && hasActive && item.NeedsMorph()) {
        TBitmap normal, active;
        BuildItemImage(normal, r.skinrect, w, h);
        BuildItemImage(active, r.activeskinrect, w, h);
        TbsEffectBmp a(normal), b(active);
        ApplyMorphKind(a, b, r.morphkind, item.MorphFactor);
        a.AssignTo(image);
    } else {
        BuildItemImage(image, highlighted && hasActive ? r.activeskinrect : r.skinrect, w, h);
    }
    canvas.Draw(rect.Left, rect.Top, image);
    TRect text = r.textrect.Offset(rect.Left, rect.Top);
    text.Right += w - RectWidthOf(r.skinrect);
    const TColor color = highlighted      ? r.activefontcolor
                         : item.Enabled() ? r.fontcolor
                                          : r.unenabledfontcolor;
    PaintItemContent(canvas, item, text, color, m_images ? m_images->Width() + 5 : 16, 16);
}

void TbsSkinPopupWindow::PaintDefaultItem(TCanvas& canvas, TbsSkinMenuItem& item) {
    const TRect r = item.ItemRect;
    const int column = IconColumn();
    const bool highlighted = item.Highlighted() && !item.IsSeparator();
    if (highlighted) {
        canvas.Brush = TBrush{kDefaultLookHotFill, TBrushStyle::bsSolid};
        canvas.FillRect(r);
        canvas.Brush.Color = kDefaultLookFrame;
        canvas.FrameRect(r);
    } else {
        canvas.Brush = TBrush{clBtnFace, TBrushStyle::bsSolid};
        canvas.FillRect({r.Left, r.Top, std::min(r.Left + column, r.Right), r.Bottom});
        canvas.Brush.Color = clWindow;
        canvas.FillRect({std::min(r.Left + column, r.Right), r.Top, r.Right, r.Bottom});
    }
    if (item.IsSeparator()) {
        canvas.Pen = TPen{clBtnShadow, 1};
        const int y = r.Top + r.Height() / 2;
        canvas.MoveTo(r.Left + column, y);
        canvas.LineTo(r.Right, y);
        return;
    }
    const TColor color = highlighted || item.Enabled() ? clWindowText : clBtnShadow;
    PaintItemContent(canvas, item, r, color, column, 19);
}

void TbsSkinPopupWindow::PaintItemContent(TCanvas& canvas, TbsSkinMenuItem& item, const TRect& t,
                                          TColor color, int iconColumn, int shortcutGap) {
    platform::forms::TMenuItem* menuItem = item.MenuItem;
    canvas.Font = m_font;
    canvas.Font.SetColor(color);
    canvas.Brush.Style = TBrushStyle::bsClear;
    TRect caption{t.Left + iconColumn, t.Top, t.Right - shortcutGap, t.Bottom};
    canvas.DrawText(menuItem->Caption(), caption, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    const std::string shortcut = platform::forms::ShortCutToText(menuItem->ShortCut());
    if (!shortcut.empty()) {
        TRect r{t.Left + iconColumn, t.Top, t.Right - shortcutGap, t.Bottom};
        canvas.DrawText(shortcut, r, DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
    if (item.HasSubItems())
        DrawArrowGlyph(canvas, {t.Right - 11, t.Top, t.Right - 3, t.Bottom}, color, adRight);

    const int index = menuItem->ImageIndex();
    if (m_images && index >= 0 && index < m_images->Count()) {
        const int x = t.Left + 2, y = t.Top + (t.Height() - m_images->Height()) / 2;
        m_images->Draw(canvas, x, y, index, item.Enabled());
        if (menuItem->Checked()) {
            canvas.Brush = TBrush{color, TBrushStyle::bsSolid};
            canvas.FrameRect({x - 1, y - 1, x + m_images->Width() + 1, y + m_images->Height() + 1});
        }
        return;
    }
    const int gx = t.Left + 2, gy = t.Top + (t.Height() - 10) / 2;
    bool drawn = false;
    DrawNamedGlyph(canvas, menuItem->Name(), gx, gy, color, drawn);
    if (drawn || !menuItem->Checked()) return;
    if (menuItem->RadioItem()) {
        canvas.Pen = TPen{color, 1};
        canvas.Brush = TBrush{color, TBrushStyle::bsSolid};
        canvas.Ellipse({gx + 3, gy + 2, gx + 9, gy + 8});
    } else {
        DrawCheckGlyph(canvas, gx + 1, gy + 1, color);
    }
}

}  // namespace skin
