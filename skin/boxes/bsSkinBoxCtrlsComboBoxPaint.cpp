// Painting of the skinned combo box's closed box: frame, drop button and the chosen item.

#include "platform/gfx/Canvas.h"
#include "skin/boxes/bsSkinBoxCtrlsComboBox.h"
#include "skin/controls/bsDefaultLook.h"
#include "skin/data/bsUtilsDraw.h"
#include "skin/data/bsUtilsDrawCompose.h"
#include "skin/data/bsUtilsGlyphs.h"

namespace skin {

using platform::forms::odFocused;
using platform::forms::TOwnerDrawState;
using platform::gfx::TBitmap;
using platform::gfx::TBrushStyle;
using platform::gfx::TCanvas;
using platform::gfx::TFont;
namespace gfx = platform::gfx;

void TbsSkinCustomComboBox::CalcRects() {
    const int w = Width(), h = Height();
    if (m_recordIndex == -1) {
        m_dropButtonArea = {w - 19, 2, w - 2, h - 2};
        m_itemArea = {2, 2, m_dropButtonArea.Left - 1, h - 2};
        PlaceEdit();
        return;
    }
    const int skinWidth = RectWidthOf(skinrect);
    const int dw = w - skinWidth;
    m_dropButtonArea = buttonrect;
    if (buttonrect.Left >= skinWidth - righttoppoint.X) m_dropButtonArea = m_dropButtonArea.Offset(dw, 0);
    m_itemArea = clientrect;
    m_itemArea.Right += dw;
    PlaceEdit();
}

int TbsSkinCustomComboBox::ShownItem() const {
    const int index = DroppedDown() ? m_savedItemIndex : m_list->ItemIndex();
    return index >= 0 && index < Items().Count() ? index : -1;
}

void TbsSkinCustomComboBox::DrawItemContent(TCanvas& canvas, int index, int width, int height, TRect textRect,
                                            TOwnerDrawState state) {
    if (OnComboBoxDrawItem) {
        OnComboBoxDrawItem(canvas, index, width, height, textRect, state);
        return;
    }
    if (auto* images = Images()) {
        const int picture = ImageIndex() >= 0 ? ImageIndex() : index;
        if (picture < images->Count())
            images->Draw(canvas, textRect.Left, textRect.Top + textRect.Height() / 2 - images->Height() / 2,
                         picture, true);
        textRect.Left += images->Width() + 2;
    }
    canvas.Brush.Style = TBrushStyle::bsClear;
    DrawTextVCentered(canvas, Items()[index], textRect);
}

void TbsSkinCustomComboBox::DrawDefaultImage(TBitmap& bitmap) {
    CalcRects();
    TCanvas& canvas = bitmap.Canvas();
    const int w = bitmap.Width(), h = bitmap.Height();
    canvas.Brush.Style = TBrushStyle::bsSolid;
    canvas.Brush.Color = gfx::clBtnFace;
    canvas.FillRect({0, 0, w, h});
    canvas.Brush.Color = gfx::clBtnShadow;
    canvas.FrameRect({0, 0, w, h});

    const TRect& button = m_dropButtonArea;
    TColor frame = gfx::clBtnShadow, fill = gfx::clBtnFace;
    if (m_buttonPressed && m_buttonActive) {
        frame = kDefaultLookFrame;
        fill = kDefaultLookPressedFill;
    } else if (m_buttonActive) {
        frame = kDefaultLookFrame;
        fill = kDefaultLookHotFill;
    }
    canvas.Brush.Color = frame;
    canvas.FrameRect(button);
    canvas.Brush.Color = fill;
    canvas.FillRect({button.Left + 1, button.Top + 1, button.Right - 1, button.Bottom - 1});
    DrawArrowGlyph(canvas, button, Enabled() ? gfx::clBlack : gfx::clBtnShadow, adDown);
    if (m_style == bscbEditStyle) return;  // the edit covers the item area

    const int iw = m_itemArea.Width(), ih = m_itemArea.Height();
    if (iw <= 0 || ih <= 0) return;
    TBitmap item(iw, ih);
    TCanvas& ic = item.Canvas();
    const bool focused = Focused();
    ic.Brush.Style = TBrushStyle::bsSolid;
    ic.Brush.Color = focused ? gfx::clHighlight : gfx::clWindow;
    ic.FillRect({0, 0, iw, ih});
    TFont font = Font();
    font.SetColor(focused ? gfx::clHighlightText : gfx::clWindowText);
    ic.Font = font;
    const int index = ShownItem();
    if (index >= 0) DrawItemContent(ic, index, iw, ih, {2, 0, iw - 2, ih}, focused ? odFocused : 0);
    if (focused) ic.DrawFocusRect({0, 0, iw, ih});
    canvas.Draw(m_itemArea.Left, m_itemArea.Top, item);
}

void TbsSkinCustomComboBox::DrawSkinImage(TBitmap& bitmap) {
    CalcRects();
    TbsSkinCustomControl::DrawSkinImage(bitmap);
    TCanvas& canvas = bitmap.Canvas();
    if (m_skinPicture) {
        TRect source;
        if (!Enabled() && !IsEmptyRect(unenabledbuttonrect))
            source = unenabledbuttonrect;
        else if (m_buttonPressed && m_buttonActive)
            source = downbuttonrect;
        else if (m_buttonActive)
            source = activebuttonrect;
        if (!IsEmptyRect(source)) canvas.CopyRect(m_dropButtonArea, m_skinPicture->Canvas(), source);
    }

    const int w = m_itemArea.Width();
    if (w <= 0 || m_style == bscbEditStyle) return;
    const int h = !IsEmptyRect(itemrect)        ? RectHeightOf(itemrect)
                  : !IsEmptyRect(focusitemrect) ? RectHeightOf(focusitemrect)
                                                : m_itemArea.Height();
    if (h <= 0) return;
    const bool focused = Focused();
    const TRect source = focused ? focusitemrect : itemrect;
    TBitmap item(w, h);
    if (m_skinPicture && !IsEmptyRect(source))
        ComposeHorzImage(item, *m_skinPicture, source, itemleftoffset, itemrightoffset, w);
    else
        item.Canvas().CopyRect({0, 0, w, h}, canvas,
                               {m_itemArea.Left, m_itemArea.Top, m_itemArea.Left + w, m_itemArea.Top + h});
    TRect textRect = itemtextrect;
    textRect.Right += w - (IsEmptyRect(itemrect) ? RectWidthOf(clientrect) : RectWidthOf(itemrect));
    TFont font = DefaultFont();
    if (UseSkinFont()) {
        font.SetName(fontname);
        font.SetStyle(fontstyle);
        font.SetHeight(fontheight);
    }
    font.SetColor(focused ? focusfontcolor : fontcolor);
    item.Canvas().Font = font;
    const int index = ShownItem();
    if (index >= 0)
        DrawItemContent(item.Canvas(), index, item.Width(), item.Height(), textRect, focused ? odFocused : 0);
    canvas.Draw(m_itemArea.Left, m_itemArea.Top, item);
}

}  // namespace skin
