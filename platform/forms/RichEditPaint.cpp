// The rich edit's layout hooks and painting: widths run by run in each run's font, indents,
// alignment and bullets per paragraph, and rows drawn chunk by chunk on one baseline.

#include <algorithm>

#include "platform/forms/RichEdit.h"
#include "platform/gfx/Canvas.h"

namespace platform::forms {

namespace {
// Room for a bullet before a bulleted paragraph's text.
constexpr int kBulletWidth = 16;
const std::string kBullet = "\xE2\x80\xA2";
}  // namespace

int TCustomRichEdit::AsciiWidth(int format, unsigned char c) const {
    auto& table = m_asciiWidths[static_cast<std::size_t>(format)];
    if (table[c] < 0)
        table[c] = gfx::TextEngine::TextWidth(FontOf(format), std::string(1, static_cast<char>(c)));
    return table[c];
}

int TCustomRichEdit::ChunkWidth(int format, std::string_view chunk) const {
    // Advances add up, so printable ASCII comes from a table per format; the rest is measured.
    if (PasswordChar() != 0) return gfx::TextEngine::TextWidth(FontOf(format), DisplayText(chunk));
    int width = 0;
    std::size_t other = 0;  // start of the bytes not yet measured
    std::size_t at = 0;
    const auto flush = [&](std::size_t end) {
        if (end > other)
            width +=
                gfx::TextEngine::TextWidth(FontOf(format), DisplayText(chunk.substr(other, end - other)));
    };
    for (; at < chunk.size(); ++at) {
        const auto c = static_cast<unsigned char>(chunk[at]);
        if (c < 0x20 || c >= 0x7F) continue;
        flush(at);
        width += AsciiWidth(format, c);
        other = at + 1;
    }
    flush(at);
    return width;
}

int TCustomRichEdit::SpanWidth(std::size_t from, std::size_t to) const {
    if (from >= to) return 0;
    const std::string_view text = m_core.Text();
    int width = 0;
    for (auto run = static_cast<std::size_t>(RunIndexAt(from)); run < m_runs.size() && m_runs[run].Start < to;
         ++run) {
        const std::size_t a = std::max(from, m_runs[run].Start);
        const std::size_t b = run + 1 < m_runs.size() ? std::min(to, m_runs[run + 1].Start) : to;
        if (b > a) width += ChunkWidth(m_runs[run].Format, text.substr(a, b - a));
    }
    return width;
}

std::size_t TCustomRichEdit::SpanPosition(std::size_t from, std::size_t to, int x) const {
    if (x <= 0) return 0;
    const std::string_view text = m_core.Text();
    int left = 0;
    for (std::size_t at = from; at < to;) {
        const std::size_t next = std::min(to, textseg::NextGrapheme(text, at));
        const int right = left + SpanWidth(at, next);
        if (x < (left + right + 1) / 2) return at - from;
        if (x < right) return next - from;
        left = right;
        at = next;
    }
    return to - from;
}

int TCustomRichEdit::IndentOf(int paragraph, bool firstRow) const {
    const TRichParaFormat& p = m_paras[static_cast<std::size_t>(paragraph)];
    int indent = PointsToPixels(p.LeftIndent) + (firstRow ? PointsToPixels(p.FirstIndent) : 0);
    if (p.Numbering == nsBullet) indent += kBulletWidth;
    return std::max(0, indent);
}

int TCustomRichEdit::RoomOf(int paragraph) const {
    const TRichParaFormat& p = m_paras[static_cast<std::size_t>(paragraph)];
    const int widest = std::max(IndentOf(paragraph, true), IndentOf(paragraph, false));
    return std::max(1, TextArea().Width() - widest - std::max(0, PointsToPixels(p.RightIndent)));
}

int TCustomRichEdit::WrapWidth(std::size_t lineStart) const {
    return RoomOf(ParagraphIndexAt(lineStart));
}

int TCustomRichEdit::RowOffset(int row, int rowWidth) const {
    const std::size_t start = RowRange(row).first;
    const int paragraph = ParagraphIndexAt(start);
    const bool firstRow = m_paraStarts[static_cast<std::size_t>(paragraph)] == start;
    const int indent = IndentOf(paragraph, firstRow);
    const TRichParaFormat& p = m_paras[static_cast<std::size_t>(paragraph)];
    const int room = TextArea().Width() - indent - std::max(0, PointsToPixels(p.RightIndent));
    if (rowWidth >= room) return indent;
    if (p.Alignment == raRight) return indent + room - rowWidth - 1;
    if (p.Alignment == raCenter) return indent + (room - rowWidth) / 2;
    return indent;
}

void TCustomRichEdit::PaintRow(gfx::TCanvas& canvas, int row, int top) {
    const std::string_view text = m_core.Text();
    const auto [s, e] = RowRange(row);
    int x = RowStartX(row);
    const int paragraph = ParagraphIndexAt(s);
    const bool firstRow = m_paraStarts[static_cast<std::size_t>(paragraph)] == s;
    const bool enabled = Enabled();
    const auto colorOf = [&](int format) {
        const gfx::TColor c = m_formats[static_cast<std::size_t>(format)].Color;
        if (!enabled) return gfx::clGrayText;
        return (static_cast<uint32_t>(c) & 0x80000000u) != 0 ? Font().Color() : c;
    };
    const auto drawText = [&](int format, int left, std::string_view part, gfx::TColor color) {
        canvas.Font = FontOf(format);
        canvas.Font.SetColor(color);
        const int y = top + m_ascent - gfx::TextEngine::Metrics(canvas.Font).Ascent;
        canvas.Brush.Style = gfx::TBrushStyle::bsClear;
        canvas.TextOut(left, y, DisplayText(part));
    };
    if (firstRow && m_paras[static_cast<std::size_t>(paragraph)].Numbering == nsBullet) {
        const int format = FormatIndexAt(s);
        drawText(format, x - kBulletWidth + 2, kBullet, colorOf(format));
    }
    const bool showSelection = m_core.HasSelection() && (Focused() || !HideSelection());
    const std::size_t selStart = showSelection ? m_core.SelStart() : 0;
    const std::size_t selEnd = showSelection ? m_core.SelEnd() : 0;
    for (auto run = static_cast<std::size_t>(RunIndexAt(s)); run < m_runs.size() && m_runs[run].Start < e;
         ++run) {
        const std::size_t runEnd = run + 1 < m_runs.size() ? std::min(e, m_runs[run + 1].Start) : e;
        std::size_t a = std::max(s, m_runs[run].Start);
        while (a < runEnd) {
            // Cut the chunk where the selection starts or ends.
            std::size_t b = runEnd;
            if (selStart > a && selStart < b) b = selStart;
            if (selEnd > a && selEnd < b) b = selEnd;
            const bool selected = a >= selStart && b <= selEnd && selStart < selEnd;
            const int w = SpanWidth(a, b);
            if (selected) {
                canvas.Brush = gfx::TBrush{gfx::clHighlight, gfx::TBrushStyle::bsSolid};
                canvas.FillRect({x, top, x + w, top + RowHeight()});
            }
            drawText(m_runs[run].Format, x, text.substr(a, b - a),
                     selected ? gfx::clHighlightText : colorOf(m_runs[run].Format));
            x += w;
            a = b;
        }
    }
    // A selected paragraph break shows as a blank's width of highlight.
    if (showSelection && selStart <= e && selEnd > e && e < text.size() && !SoftBreakAfter(row)) {
        canvas.Brush = gfx::TBrush{gfx::clHighlight, gfx::TBrushStyle::bsSolid};
        canvas.FillRect({x, top, x + 4, top + RowHeight()});
    }
}

void TCustomRichEdit::PaintText(gfx::TCanvas& canvas) {
    const TRect area = TextArea();
    const TRect clip = canvas.ClipRect();
    const int h = RowHeight();
    canvas.IntersectClipRect({ClientRect().Left, area.Top, ClientRect().Right, area.Bottom});
    for (int row = FirstVisibleLine(); row < RowCount(); ++row) {
        const int top = area.Top + (row - FirstVisibleLine()) * h;
        if (top >= area.Bottom || top >= clip.Bottom) break;
        if (top + h <= clip.Top) continue;
        PaintRow(canvas, row, top);
    }
}

}  // namespace platform::forms
