// TListView: painting of the four styles.

#include <algorithm>

#include "platform/core/Strings.h"
#include "platform/forms/ListView.h"
#include "platform/gfx/Canvas.h"

namespace platform::forms {

namespace {
// The text shortened with an ellipsis to fit a width.
std::string Fit(const gfx::TCanvas& canvas, std::string text, int width) {
    if (canvas.TextWidth(text) <= width) return text;
    while (!text.empty() && canvas.TextWidth(text + "...") > width) core::Utf8PopBack(text);
    return text + "...";
}
}  // namespace

TOwnerDrawState TListView::ItemState(int index) const {
    TOwnerDrawState state = 0;
    if (IsSelected(index)) state |= odSelected;
    if (index == m_focused && Focused()) state |= odFocused;
    if (!Enabled()) state |= odDisabled;
    return state;
}

void TListView::DrawItem(gfx::TCanvas& canvas, int index, const TRect& rect) {
    TListItem& item = *m_items.Item(index);
    const TOwnerDrawState state = ItemState(index);
    canvas.Font = Font();
    canvas.Brush = gfx::TBrush{Color(), gfx::TBrushStyle::bsSolid};
    bool defaultDraw = true;
    if (OnCustomDrawItem) OnCustomDrawItem(this, &item, rect, state, defaultDraw);
    if (!defaultDraw) return;
    switch (m_viewStyle) {
        case vsReport: DrawReportItem(canvas, index, item, rect, state); break;
        case vsIcon: DrawIconItem(canvas, item, rect, state); break;
        default: DrawSmallItem(canvas, item, rect, state); break;
    }
}

// Fills a selected label and sets the text colour.
static void PaintSelection(gfx::TCanvas& canvas, const TRect& r, TOwnerDrawState state, bool focused, bool hide,
                           TColor textColor) {
    const bool selected = (state & odSelected) != 0 && (focused || !hide);
    canvas.Font.SetColor(textColor);
    if (!selected) return;
    canvas.Brush = gfx::TBrush{focused ? gfx::clHighlight : gfx::clBtnFace, gfx::TBrushStyle::bsSolid};
    canvas.FillRect(r);
    if (focused) canvas.Font.SetColor(gfx::clHighlightText);
}

void TListView::DrawReportItem(gfx::TCanvas& canvas, int, TListItem& item, const TRect& rect,
                               TOwnerDrawState state) {
    const bool focused = Focused();
    int x = rect.Left;
    const int textHeight = canvas.TextHeight("Ag");
    const int columns = std::max(1, m_columns.Count());
    const int firstWidth = m_columns.Count() > 0 ? m_columns.Items(0).Width : rect.Width();
    // The label of the first column (or the whole row) carries the selection.
    int labelLeft = x + (m_smallImages ? m_smallImages->Width() + 4 : 0) + (m_stateImages && item.StateIndex() >= 0 ? m_stateImages->Width() : 0);
    const int labelRight =
        m_rowSelect ? rect.Right : std::min(x + firstWidth, labelLeft + canvas.TextWidth(item.Caption()) + 6);
    if (m_rowSelect) labelLeft = rect.Left;
    const TRect label{labelLeft, rect.Top, labelRight, rect.Bottom};
    for (int c = 0; c < columns; ++c) {
        const int width = m_columns.Count() > 0 ? m_columns.Items(c).Width : rect.Width();
        const TAlignment alignment = m_columns.Count() > 0 ? m_columns.Items(c).Alignment : taLeftJustify;
        TRect cell{x, rect.Top, x + width, rect.Bottom};
        x += width;
        if (cell.Right <= 0 || cell.IsEmpty()) continue;
        canvas.Font.SetColor(Font().Color());
        if (m_rowSelect || c == 0) {
            if (m_rowSelect || c == 0) PaintSelection(canvas, label.Intersect(cell), state, focused, m_hideSelection, Font().Color());
        }
        int textLeft = cell.Left + 2;
        if (c == 0) {
            if (m_stateImages && item.StateIndex() >= 0) {
                m_stateImages->Draw(canvas, textLeft, rect.Top + (rect.Height() - m_stateImages->Height()) / 2, item.StateIndex());
                textLeft += m_stateImages->Width();
            }
            if (m_smallImages) {
                if (item.ImageIndex() >= 0 && item.ImageIndex() < m_smallImages->Count())
                    m_smallImages->Draw(canvas, textLeft, rect.Top + (rect.Height() - m_smallImages->Height()) / 2,
                                        item.ImageIndex(), Enabled());
                textLeft += m_smallImages->Width() + 4;
            }
        }
        if (!m_rowSelect && c > 0) canvas.Font.SetColor(Font().Color());
        const TRect textArea{textLeft, rect.Top, cell.Right - 4, rect.Bottom};
        const std::string text = Fit(canvas, item.ColumnText(c), std::max(0, textArea.Width()));
        int tx = textArea.Left;
        if (alignment == taRightJustify) tx = textArea.Right - canvas.TextWidth(text);
        else if (alignment == taCenter) tx = textArea.Left + (textArea.Width() - canvas.TextWidth(text)) / 2;
        canvas.Brush.Style = gfx::TBrushStyle::bsClear;
        canvas.TextRect(textArea, std::max(textArea.Left, tx), rect.Top + (rect.Height() - textHeight) / 2, text);
        canvas.Brush.Style = gfx::TBrushStyle::bsSolid;
    }
    if ((state & odFocused) != 0) canvas.DrawFocusRect(label);
}

void TListView::DrawIconItem(gfx::TCanvas& canvas, TListItem& item, const TRect& rect, TOwnerDrawState state) {
    const int imageW = m_largeImages ? m_largeImages->Width() : 32;
    const int imageH = m_largeImages ? m_largeImages->Height() : 32;
    const int imageX = rect.Left + (rect.Width() - imageW) / 2;
    if (m_largeImages && item.ImageIndex() >= 0 && item.ImageIndex() < m_largeImages->Count())
        m_largeImages->Draw(canvas, imageX, rect.Top + 2, item.ImageIndex(), Enabled());
    const std::string text = Fit(canvas, item.Caption(), rect.Width() - 4);
    const int textW = canvas.TextWidth(text);
    const int textH = canvas.TextHeight("Ag");
    const TRect label{rect.Left + (rect.Width() - textW) / 2 - 2, rect.Top + imageH + 4,
                      rect.Left + (rect.Width() + textW) / 2 + 2, rect.Top + imageH + 6 + textH};
    PaintSelection(canvas, label, state, Focused(), m_hideSelection, Font().Color());
    canvas.Brush.Style = gfx::TBrushStyle::bsClear;
    canvas.TextOut(label.Left + 2, label.Top + 1, text);
    if ((state & odFocused) != 0) canvas.DrawFocusRect(label);
}

void TListView::DrawSmallItem(gfx::TCanvas& canvas, TListItem& item, const TRect& rect, TOwnerDrawState state) {
    int x = rect.Left + 2;
    if (m_smallImages) {
        if (item.ImageIndex() >= 0 && item.ImageIndex() < m_smallImages->Count())
            m_smallImages->Draw(canvas, x, rect.Top + (rect.Height() - m_smallImages->Height()) / 2, item.ImageIndex(),
                                Enabled());
        x += m_smallImages->Width() + 4;
    }
    const std::string text = Fit(canvas, item.Caption(), rect.Right - x - 6);
    const TRect label{x - 2, rect.Top, x + canvas.TextWidth(text) + 4, rect.Bottom};
    PaintSelection(canvas, label, state, Focused(), m_hideSelection, Font().Color());
    canvas.Brush.Style = gfx::TBrushStyle::bsClear;
    canvas.TextOut(x, rect.Top + (rect.Height() - canvas.TextHeight("Ag")) / 2, text);
    if ((state & odFocused) != 0) canvas.DrawFocusRect(label);
}

void TListView::Paint() {
    gfx::TCanvas& canvas = Canvas();
    const TRect client = ClientRect();
    const TRect clip = canvas.ClipRect();
    canvas.Brush = gfx::TBrush{Color(), gfx::TBrushStyle::bsSolid};
    canvas.FillRect(clip);
    const int count = m_items.Count();
    const int first = TopIndex();
    // Only the items that can be on screen: one page plus a partial row or column.
    int last = first;
    switch (m_viewStyle) {
        case vsReport: last = first + (client.Height() - HeaderHeight()) / std::max(1, m_rowHeight) + 1; break;
        case vsList: last = first + RowsPerColumn() * (client.Width() / ListColumnWidth() + 2); break;
        default: last = first + (client.Height() / std::max(1, CellSize().cy) + 2) * Cols(); break;
    }
    for (int i = first; i < count && i <= last; ++i) {
        const TRect r = ItemRect(i);
        if (r.Intersect(clip).IsEmpty()) continue;
        DrawItem(canvas, i, r);
    }
}

}  // namespace platform::forms
