// Painting of the skinned list box: the inner list's items and background, the frame with its
// caption bar, and the caption buttons.

#include <algorithm>

#include "platform/gfx/Canvas.h"
#include "skin/boxes/bsSkinBoxCtrlsListBox.h"
#include "skin/controls/bsDefaultLook.h"
#include "skin/data/bsUtilsDraw.h"
#include "skin/data/bsUtilsDrawCompose.h"
#include "skin/data/bsUtilsGlyphs.h"

namespace skin {

using platform::forms::odFocused;
using platform::forms::odSelected;
using platform::forms::TOwnerDrawState;
using platform::gfx::TBitmap;
using platform::gfx::TBrushStyle;
using platform::gfx::TCanvas;
using platform::gfx::TFont;
namespace gfx = platform::gfx;

namespace {

void Fill(TCanvas& canvas, const TRect& r, TColor color) {
    canvas.Brush.Style = TBrushStyle::bsSolid;
    canvas.Brush.Color = color;
    canvas.FillRect(r);
}
}  // namespace

// ---- Inner list ----

void TbsSkinCustomListBox::TileClientPicture(TCanvas& canvas, int x, int y, int w, int h) {
    const TRect source = clientrect.Offset(skinrect.Left, skinrect.Top);
    const int pw = RectWidthOf(source), ph = RectHeightOf(source);
    if (!m_skinPicture || pw < 1 || ph < 1) {
        Fill(canvas, {x, y, x + w, y + h}, gfx::clWindow);
        return;
    }
    TCanvas& picture = m_skinPicture->Canvas();
    for (int left = x; left < x + w; left += pw) {
        const int cw = std::min(pw, x + w - left);
        for (int top = y; top < y + h; top += ph) {
            const int ch = std::min(ph, y + h - top);
            canvas.CopyRect({left, top, left + cw, top + ch}, picture,
                            {source.Left, source.Top, source.Left + cw, source.Top + ch});
        }
    }
}

void TbsSkinCustomListBox::FillListBackground(TCanvas& canvas, const TRect& area) {
    if (area.IsEmpty()) return;
    if (m_recordIndex == -1)
        Fill(canvas, area, gfx::clWindow);
    else
        TileClientPicture(canvas, area.Left, area.Top, area.Width(), area.Height());
}

void TbsSkinCustomListBox::PaintListItems(TCanvas& canvas, const TRect& clip) {
    if (!m_list) return;
    LookUpRecord();
    const int count = m_list->Count();
    const int top = m_list->TopIndex();
    const int itemHeight = std::max(1, m_list->ItemHeight());
    const TRect client = m_list->ClientRect();
    const int rows = client.Height() / itemHeight;
    const int columns = m_list->Columns();
    const int last = std::min(columns <= 0 ? top + rows : top + rows * columns, count - 1);
    platform::gfx::TRegion rest(client);
    for (int i = top; i <= last; ++i) {
        const TRect r = m_list->ItemRect(i);
        rest.Subtract(r);
        if (r.Intersect(clip).IsEmpty()) continue;
        DrawListItem(canvas, i, r, m_list->StateOf(i));
    }
    for (const TRect& r : rest.Rects())
        if (!r.Intersect(clip).IsEmpty()) FillListBackground(canvas, r);
}

void TbsSkinCustomListBox::DrawListItem(TCanvas& canvas, int index, const TRect& rect,
                                        TOwnerDrawState state) {
    if (!m_list || index < 0 || index >= m_list->Count() || rect.IsEmpty()) return;
    TBitmap bitmap(rect.Width(), rect.Height());
    if (m_recordIndex == -1)
        DrawItemDefault(bitmap, index, state);
    else if (m_useSkinItemHeight)
        DrawItemSkin(bitmap, index, state);
    else
        DrawItemStretched(bitmap, index, rect.Height(), state);
    canvas.Draw(rect.Left, rect.Top, bitmap);
}

void TbsSkinCustomListBox::DrawItemContent(TCanvas& canvas, int index, int width, int height,
                                           const TRect& textRect, TOwnerDrawState state) {
    if (OnDrawItem) {
        OnDrawItem(canvas, index, width, height, textRect, state);
        return;
    }
    const int offset = m_list->HorizontalOffset();
    int shift = 0;
    if (m_images) {
        const int picture = m_imageIndex >= 0 ? m_imageIndex : index;
        if (picture < m_images->Count())
            m_images->Draw(canvas, textRect.Left - offset,
                           textRect.Top + textRect.Height() / 2 - m_images->Height() / 2, picture, true);
        shift = m_images->Width() + 2;
    }
    const std::string& text = m_list->Items()[index];
    canvas.Brush.Style = TBrushStyle::bsClear;
    const int y = textRect.Top + textRect.Height() / 2 - canvas.TextHeight(text) / 2;
    canvas.TextRect(textRect, textRect.Left + 2 + shift - offset, y, text);
}

void TbsSkinCustomListBox::DrawItemDefault(TBitmap& bitmap, int index, TOwnerDrawState state) {
    TCanvas& canvas = bitmap.Canvas();
    const int w = bitmap.Width(), h = bitmap.Height();
    const bool selected = (state & odSelected) != 0;
    Fill(canvas, {0, 0, w, h}, selected ? gfx::clHighlight : gfx::clWindow);
    TFont font = Font();
    font.SetCharset(DefaultFont().Charset());
    if (selected) font.SetColor(gfx::clHighlightText);
    canvas.Font = font;
    DrawItemContent(canvas, index, w, h, {2, 0, w - 2, h}, state);
    if (state & odFocused) canvas.DrawFocusRect({0, 0, w, h});
}

void TbsSkinCustomListBox::ComposeItemBackground(TBitmap& bitmap, const TRect& source, int width) {
    if (!m_skinPicture || IsEmptyRect(source)) {
        bitmap.SetSize(width, std::max(1, RectHeightOf(itemrect)));
        TileClientPicture(bitmap.Canvas(), 0, 0, bitmap.Width(), bitmap.Height());
        return;
    }
    ComposeHorzImage(bitmap, *m_skinPicture, source, itemleftoffset, itemrightoffset, width);
}

void TbsSkinCustomListBox::DrawItemSkin(TBitmap& bitmap, int index, TOwnerDrawState state) {
    const int w = bitmap.Width();
    const bool selected = (state & odSelected) != 0;
    const bool focused = (state & odFocused) != 0;
    TRect source = itemrect;
    TColor color = fontcolor;
    if (selected && focused) {
        source = focusitemrect;
        color = focusfontcolor;
    } else if (selected) {
        source = activeitemrect;
        color = activefontcolor;
    }
    ComposeItemBackground(bitmap, source, w);
    TCanvas& canvas = bitmap.Canvas();
    TFont font = DefaultFont();
    if (UseSkinFont()) {
        font.SetName(fontname);
        font.SetStyle(fontstyle);
        font.SetHeight(fontheight);
    }
    font.SetColor(color);
    canvas.Font = font;
    TRect text = itemtextrect;
    text.Right += w - RectWidthOf(itemrect);
    DrawItemContent(canvas, index, w, bitmap.Height(), text, state);
    if (focused && !selected) canvas.DrawFocusRect({0, 0, w, bitmap.Height()});
}

void TbsSkinCustomListBox::DrawItemStretched(TBitmap& bitmap, int index, int height, TOwnerDrawState state) {
    const int w = bitmap.Width();
    const bool selected = (state & odSelected) != 0;
    const bool focused = (state & odFocused) != 0;
    const TRect source = focused ? focusitemrect : (selected ? activeitemrect : itemrect);
    const TColor color = focused ? focusfontcolor : (selected ? activefontcolor : fontcolor);
    TBitmap background;
    ComposeItemBackground(background, source, w);
    TCanvas& canvas = bitmap.Canvas();
    canvas.StretchDraw({0, 0, w, height}, background);
    TFont font = DefaultFont();
    if (UseSkinFont()) {
        font.SetName(fontname);
        font.SetStyle(fontstyle);
        font.SetHeight(fontheight);
    }
    font.SetColor(color);
    canvas.Font = font;
    TRect text = itemtextrect;
    text.Right += w - RectWidthOf(itemrect);
    text.Bottom += height - RectHeightOf(itemrect);
    DrawItemContent(canvas, index, w, height, text, state);
}

// ---- Frame ----

void TbsSkinCustomListBox::CalcCaptionButtons() {
    for (auto& b : m_buttons) b.Rect = {};
    if (!m_captionMode) return;
    const int w = Width(), h = Height();
    if (m_recordIndex == -1) {
        const int a = std::min(m_defaultCaptionHeight - 3, 17);
        m_buttons[kUpButton].Rect = {w - a - 2, 2, w - 2, a + 1};
        m_buttons[kDownButton].Rect = {w - 2 * a - 2, 2, w - a - 2, a + 1};
        m_buttons[kCheckButton].Rect = {w - 3 * a - 2, 2, w - 2 * a - 2, a + 1};
        return;
    }
    const int dw = w - RectWidthOf(skinrect), dh = h - RectHeightOf(skinrect);
    const auto place = [&](const TRect& source) {
        TRect r = source;
        if (r.Bottom > lefttoppoint.Y) {
            r = r.Offset(0, dh);
            if (r.Left > rightbottompoint.X) r = r.Offset(dw, 0);
        } else if (r.Left > righttoppoint.X) {
            r = r.Offset(dw, 0);
        }
        return r;
    };
    m_buttons[kUpButton].Rect = place(upbuttonrect);
    m_buttons[kDownButton].Rect = place(downbuttonrect);
    m_buttons[kCheckButton].Rect = place(checkbuttonrect);
    m_captionArea = captionrect;
    if (captionrect.Right >= righttoppoint.X) m_captionArea.Right += dw;
}

void TbsSkinCustomListBox::DrawCaption(TCanvas& canvas, const TRect& area, const TFont& font, bool skin) {
    canvas.Font = font;
    canvas.Brush.Style = TBrushStyle::bsClear;
    const std::string& text = Caption();
    const int cells = m_numGlyphs <= 0 ? 1 : m_numGlyphs;
    const int glyphWidth = m_glyph.Empty() ? 0 : m_glyph.Width() / cells;
    const int captionWidth = canvas.TextWidth(text) + (m_glyph.Empty() ? 0 : glyphWidth + m_spacing);
    int x = area.Left;
    if (skin) {
        switch (m_alignment) {
            case platform::forms::taRightJustify:
                x = area.Right - captionWidth - 2;
                break;
            case platform::forms::taCenter:
                x = area.Left + 2 + area.Width() / 2 - captionWidth / 2;
                break;
            default:
                x = area.Left + 2;
                break;
        }
    } else {
        switch (m_alignment) {
            case platform::forms::taRightJustify:
                x = area.Right - captionWidth;
                break;
            case platform::forms::taCenter:
                x = area.Left + area.Width() / 2 - captionWidth / 2;
                break;
            default:
                break;
        }
    }
    if (!m_glyph.Empty()) {
        const int cell = (!Enabled() && m_numGlyphs == 2) ? 2 : 1;
        const int y = area.Top + (area.Height() - 1 - m_glyph.Height()) / 2;
        DrawGlyphCell(canvas, x, y, cell, cells, m_glyph);
        x += glyphWidth + m_spacing;
    }
    const int y = skin ? area.Top + area.Height() / 2 - canvas.TextHeight(text) / 2
                       : (m_defaultCaptionHeight - 2) / 2 - canvas.TextHeight(text) / 2;
    canvas.TextRect(area, x, y, text);
}

void TbsSkinCustomListBox::DrawCaptionButton(TCanvas& canvas, int index) {
    const TCaptionButton& b = m_buttons[index];
    if (IsEmptyRect(b.Rect)) return;
    const bool pressed = b.Down && b.PointerOver;
    if (m_recordIndex == -1) {
        if (pressed || b.PointerOver) {
            Fill(canvas, b.Rect, kDefaultLookFrame);
            Fill(canvas, {b.Rect.Left + 1, b.Rect.Top + 1, b.Rect.Right - 1, b.Rect.Bottom - 1},
                 pressed ? kDefaultLookPressedFill : kDefaultLookHotFill);
        } else {
            Fill(canvas, b.Rect, gfx::clBtnFace);
        }
        if (index == kUpButton)
            DrawArrowGlyph(canvas, b.Rect, gfx::clBlack, adUp);
        else if (index == kDownButton)
            DrawArrowGlyph(canvas, b.Rect, gfx::clBlack, adDown);
        else
            DrawCheckGlyph(canvas, b.Rect.Left + 4, b.Rect.Top + 4, gfx::clBlack);
        return;
    }
    if (!m_skinPicture) return;
    static constexpr int kNormal = 0, kActive = 1, kDown = 2;
    const TRect sources[3][3] = {
        {upbuttonrect.Offset(skinrect.Left, skinrect.Top), activeupbuttonrect, downupbuttonrect},
        {downbuttonrect.Offset(skinrect.Left, skinrect.Top), activedownbuttonrect, downdownbuttonrect},
        {checkbuttonrect.Offset(skinrect.Left, skinrect.Top), activecheckbuttonrect, downcheckbuttonrect}};
    const TRect& source = sources[index][pressed ? kDown : (b.PointerOver ? kActive : kNormal)];
    if (!IsEmptyRect(source)) canvas.CopyRect(b.Rect, m_skinPicture->Canvas(), source);
}

void TbsSkinCustomListBox::DrawDefaultImage(TBitmap& bitmap) {
    TbsSkinCustomControl::DrawDefaultImage(bitmap);
    TCanvas& canvas = bitmap.Canvas();
    const int w = bitmap.Width(), h = bitmap.Height();
    CalcCaptionButtons();
    canvas.Brush.Style = TBrushStyle::bsSolid;
    canvas.Brush.Color = gfx::clBtnShadow;
    canvas.FrameRect({0, 0, w, h});
    if (!m_captionMode) return;
    const int a = std::min(m_defaultCaptionHeight - 3, 17);
    DrawCaption(canvas, {3, 2, w - 3 * a - 3, m_defaultCaptionHeight - 2}, *m_defaultCaptionFont, false);
    canvas.Pen.Color = gfx::clBtnShadow;
    canvas.MoveTo(1, m_defaultCaptionHeight - 1);
    canvas.LineTo(w - 1, m_defaultCaptionHeight - 1);
    for (int i = kUpButton; i <= kCheckButton; ++i) DrawCaptionButton(canvas, i);
}

void TbsSkinCustomListBox::DrawSkinImage(TBitmap& bitmap) {
    TbsSkinCustomControl::DrawSkinImage(bitmap);
    if (!m_captionMode) return;
    CalcCaptionButtons();
    TCanvas& canvas = bitmap.Canvas();
    if (!IsEmptyRect(captionrect)) {
        TFont font = *m_defaultCaptionFont;
        font.SetName(captionfontname);
        font.SetHeight(captionfontheight);
        font.SetColor(captionfontcolor);
        font.SetStyle(captionfontstyle);
        DrawCaption(canvas, m_captionArea, font, true);
    }
    for (int i = kUpButton; i <= kCheckButton; ++i) DrawCaptionButton(canvas, i);
}

}  // namespace skin
