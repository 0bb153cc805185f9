#include "platform/forms/Memo.h"

#include <algorithm>
#include <stdexcept>

#include "platform/gfx/Canvas.h"
#include "platform/ui/WindowSystem.h"

namespace platform::forms {

using namespace platform::ui;

namespace {
constexpr int kWheelRows = 3;
constexpr int kLineScrollPixels = 8;

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}
}  // namespace

// ---- TMemoStrings ----

int TMemoStrings::Count() const {
    const std::string& text = m_owner.m_core.Text();
    if (text.empty()) return 0;
    const int breaks = static_cast<int>(std::count(text.begin(), text.end(), '\n'));
    return text.back() == '\n' ? breaks : breaks + 1;
}

void TMemoStrings::Range(int index, std::size_t& start, std::size_t& end) const {
    const std::string& text = m_owner.m_core.Text();
    if (index < 0 || index > Count()) throw std::out_of_range("memo line index out of range");
    std::size_t at = 0;
    for (int i = 0; i < index; ++i) at = text.find('\n', at) + 1;
    start = std::min(at, text.size());
    const std::size_t lf = text.find('\n', start);
    end = lf == std::string::npos ? text.size() : lf;
}

std::string TMemoStrings::Strings(int index) const {
    if (index < 0 || index >= Count()) throw std::out_of_range("memo line index out of range");
    std::size_t start = 0, end = 0;
    Range(index, start, end);
    return m_owner.m_core.Text().substr(start, end - start);
}

void TMemoStrings::SetStrings(int index, std::string_view value) {
    if (index < 0 || index >= Count()) throw std::out_of_range("memo line index out of range");
    std::size_t start = 0, end = 0;
    Range(index, start, end);
    m_owner.ReplaceByProgram(start, end, value);
}

int TMemoStrings::Add(std::string_view s) {
    const int index = Count();
    Insert(index, s);
    return index;
}

void TMemoStrings::Insert(int index, std::string_view s) {
    const int count = Count();
    if (index < 0 || index > count) throw std::out_of_range("memo line index out of range");
    const std::string& text = m_owner.m_core.Text();
    std::string line(s);
    if (index < count) {
        std::size_t start = 0, end = 0;
        Range(index, start, end);
        m_owner.ReplaceByProgram(start, start, line + "\n");
    } else if (text.empty() || text.back() == '\n') {
        m_owner.ReplaceByProgram(text.size(), text.size(), line);
    } else {
        m_owner.ReplaceByProgram(text.size(), text.size(), "\n" + line);
    }
}

void TMemoStrings::Delete(int index) {
    if (index < 0 || index >= Count()) throw std::out_of_range("memo line index out of range");
    std::size_t start = 0, end = 0;
    Range(index, start, end);
    const std::string& text = m_owner.m_core.Text();
    if (end < text.size()) {
        m_owner.ReplaceByProgram(start, end + 1, {});
    } else {
        // The last line without a break: take the break before it too.
        m_owner.ReplaceByProgram(start > 0 ? start - 1 : 0, end, {});
    }
}

void TMemoStrings::Clear() {
    m_owner.SetText(std::string());
}

int TMemoStrings::IndexOf(std::string_view s) const {
    const int count = Count();
    for (int i = 0; i < count; ++i)
        if (Strings(i) == s) return i;
    return -1;
}

std::string TMemoStrings::Text() const {
    std::string text = m_owner.m_core.Text();
    if (!text.empty() && text.back() != '\n') text += '\n';
    return text;
}

void TMemoStrings::SetText(std::string_view text) {
    m_owner.SetText(std::string(text));
}

void TMemoStrings::Assign(const std::vector<std::string>& lines) {
    std::size_t size = 0;
    for (const auto& l : lines) size += l.size() + 1;
    std::string text;
    text.reserve(size);
    for (const auto& l : lines) {
        if (&l != &lines.front()) text += '\n';
        text += l;
    }
    m_owner.SetText(text);
}

std::vector<std::string> TMemoStrings::ToVector() const {
    std::vector<std::string> out;
    const std::string& text = m_owner.m_core.Text();
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t lf = text.find('\n', at);
        if (lf == std::string::npos) {
            out.emplace_back(text.substr(at));
            break;
        }
        out.emplace_back(text.substr(at, lf - at));
        at = lf + 1;
    }
    return out;
}

// ---- TCustomMemo ----

TCustomMemo::TCustomMemo(TComponent* owner) : TCustomEdit(owner), m_lines(*this) {
    m_core.SetMultiLine(true);
    m_width = 185;
    m_height = 89;
    SetAutoSelect(false);
}

TCustomMemo::~TCustomMemo() = default;

void TCustomMemo::SetWordWrap(bool value) {
    if (value == m_wordWrap) return;
    m_wordWrap = value;
    m_scrollX = 0;
    LayoutAll();
    EnsureCaretVisible();
    Invalidate();
}

void TCustomMemo::SetScrollBars(TScrollStyle value) {
    const bool layoutChanges = DrawsScrollBars() && value != m_scrollBars;
    m_scrollBars = value;
    if (layoutChanges) {
        // The bars take room from the text.
        LayoutAll();
        EnsureCaretVisible();
        LayoutBars();
        Invalidate();
    }
    Scrolled(SB_VERT);
}

void TCustomMemo::ReplaceByProgram(std::size_t from, std::size_t to, std::string_view text) {
    m_core.ReplaceRange(from, to, text);
    AfterEdit(true, false);
}

// ---- Layout ----

void TCustomMemo::LayoutLine(std::size_t from, std::size_t to, std::vector<TRow>& out) const {
    const int width = WrapWidth(from);
    if (!m_wordWrap || width <= 0 || from == to) {
        out.push_back({from, to});
        return;
    }
    const std::string_view text = m_core.Text();
    std::size_t rowStart = from;
    std::size_t lastBreak = 0;  // after the last blank of the row, 0 for none
    int x = 0;
    for (std::size_t at = from; at < to;) {
        const std::size_t next = textseg::NextGrapheme(text, at);
        const int w = SpanWidth(at, next);
        if (x + w > width && at > rowStart && !IsBlank(text[at])) {
            const std::size_t cut = lastBreak > rowStart ? lastBreak : at;
            out.push_back({rowStart, cut});
            rowStart = cut;
            lastBreak = 0;
            x = SpanWidth(rowStart, next);
            at = next;
            continue;
        }
        x += w;
        at = next;
        if (IsBlank(text[at - 1])) lastBreak = at;
    }
    out.push_back({rowStart, to});
}

void TCustomMemo::LayoutLines(std::size_t from, std::size_t to, std::vector<TRow>& out) const {
    const std::string_view text = m_core.Text();
    std::size_t at = from;
    for (;;) {
        std::size_t lf = text.find('\n', at);
        if (lf == std::string_view::npos || lf > to) lf = to;
        LayoutLine(at, lf, out);
        if (lf >= to) break;
        at = lf + 1;
    }
}

void TCustomMemo::LayoutAll() {
    m_rows.clear();
    LayoutLines(0, m_core.Text().size(), m_rows);
    m_layoutSerial = m_core.LastChange().Serial;
    m_layoutWidth = TextArea().Width();
    m_widest = -1;
    m_dirtyAll = true;
}

bool TCustomMemo::SoftBreakAfter(int row) const {
    const auto r = static_cast<std::size_t>(row);
    return r + 1 < m_rows.size() && m_rows[r].End == m_rows[r + 1].Start;
}

void TCustomMemo::TextLayoutChanged() {
    const TEditChange& change = m_core.LastChange();
    if (change.Whole || change.Serial != m_layoutSerial + 1 || m_rows.empty() ||
        m_layoutWidth != TextArea().Width()) {
        LayoutAll();
        return;
    }
    m_layoutSerial = change.Serial;
    // Old coordinates: the rows of the logical lines the change touched.
    int first = RowOf(change.Pos);
    while (first > 0 && SoftBreakAfter(first - 1)) --first;
    int last = RowOf(change.Pos + change.Removed);
    while (SoftBreakAfter(last)) ++last;
    const std::ptrdiff_t delta =
        static_cast<std::ptrdiff_t>(change.Inserted) - static_cast<std::ptrdiff_t>(change.Removed);
    const std::size_t from = m_rows[static_cast<std::size_t>(first)].Start;
    const std::size_t to = static_cast<std::size_t>(
        static_cast<std::ptrdiff_t>(m_rows[static_cast<std::size_t>(last)].End) + delta);
    std::vector<TRow> fresh;
    LayoutLines(from, to, fresh);
    for (auto it = m_rows.begin() + last + 1; it != m_rows.end(); ++it) {
        it->Start = static_cast<std::size_t>(static_cast<std::ptrdiff_t>(it->Start) + delta);
        it->End = static_cast<std::size_t>(static_cast<std::ptrdiff_t>(it->End) + delta);
    }
    const int oldCount = last - first + 1;
    const int newCount = static_cast<int>(fresh.size());
    m_rows.erase(m_rows.begin() + first, m_rows.begin() + last + 1);
    m_rows.insert(m_rows.begin() + first, fresh.begin(), fresh.end());
    if (m_widest >= 0) {
        if (change.Removed > 0) {
            m_widest = -1;
        } else {
            for (const TRow& r : fresh) m_widest = std::max(m_widest, SpanWidth(r.Start, r.End));
        }
    }
    // Rows below move only when the number of rows changed.
    m_dirtyFrom = std::min(m_dirtyTo >= 0 ? m_dirtyFrom : first, first);
    m_dirtyTo = oldCount == newCount ? std::max(m_dirtyTo, first + newCount - 1) : RowCount() + oldCount;
}

int TCustomMemo::RowOf(std::size_t pos) const {
    auto it = std::upper_bound(m_rows.begin(), m_rows.end(), pos,
                               [](std::size_t p, const TRow& r) { return p < r.Start; });
    if (it == m_rows.begin()) return 0;
    return static_cast<int>(it - m_rows.begin()) - 1;
}

std::pair<std::size_t, std::size_t> TCustomMemo::RowRange(int row) const {
    if (row < 0 || row >= RowCount()) return {0, 0};
    const TRow& r = m_rows[static_cast<std::size_t>(row)];
    return {r.Start, r.End};
}

int TCustomMemo::VisibleRows() const {
    return std::max(1, TextArea().Height() / RowHeight());
}

int TCustomMemo::SpanWidth(std::size_t from, std::size_t to) const {
    return ShownWidth(std::string_view(m_core.Text()).substr(from, to - from));
}

std::size_t TCustomMemo::SpanPosition(std::size_t from, std::size_t to, int x) const {
    return PositionInLine(std::string_view(m_core.Text()).substr(from, to - from), x);
}

int TCustomMemo::RowOffset(int row, int rowWidth) const {
    (void)row;
    const int areaWidth = TextArea().Width();
    if (rowWidth >= areaWidth) return 0;
    if (Alignment() == taRightJustify) return areaWidth - rowWidth - 1;
    if (Alignment() == taCenter) return (areaWidth - rowWidth) / 2;
    return 0;
}

int TCustomMemo::WrapWidth(std::size_t lineStart) const {
    (void)lineStart;
    return TextArea().Width();
}

void TCustomMemo::RelayoutAll() {
    LayoutAll();
    EnsureCaretVisible();
    Invalidate();
}

int TCustomMemo::RowStartX(int row) const {
    const auto [s, e] = RowRange(row);
    return TextArea().Left + RowOffset(row, SpanWidth(s, e)) - m_scrollX;
}

std::size_t TCustomMemo::PositionInRow(int row, int x) const {
    const auto [s, e] = RowRange(row);
    const std::string_view text = m_core.Text();
    std::size_t pos = s + SpanPosition(s, e, x - RowStartX(row));
    // The end of a wrapped row is the start of the next one; stay on this row.
    if (pos == e && SoftBreakAfter(row) && pos > s) pos = textseg::PrevGrapheme(text, pos);
    return pos;
}

TRect TCustomMemo::CaretRect() const {
    const TRect area = TextArea();
    const int h = RowHeight();
    const std::size_t caret = m_core.Caret();
    const int row = RowOf(caret);
    const auto [s, e] = RowRange(row);
    const std::string_view text = m_core.Text();
    const int x = RowStartX(row) + SpanWidth(s, caret);
    const int top = area.Top + (row - m_topRow) * h;
    int width = 1;
    if (Overwrite() && caret < e) width = std::max(1, SpanWidth(caret, textseg::NextGrapheme(text, caret)));
    return {x, top, x + width, top + h};
}

std::size_t TCustomMemo::PositionAt(TPoint client) const {
    const TRect area = TextArea();
    const int offset = client.Y - area.Top;
    const int row = std::clamp(m_topRow + (offset < 0 ? -1 : offset / RowHeight()), 0, RowCount() - 1);
    return PositionInRow(row, client.X);
}

TPoint TCustomMemo::CaretPosition() const {
    const int row = RowOf(m_core.Caret());
    return {static_cast<int>(m_core.Caret() - RowRange(row).first), row};
}

// ---- Scrolling ----

void TCustomMemo::ScrollTo(int top, int scrollX) {
    top = std::clamp(top, 0, std::max(0, RowCount() - VisibleRows()));
    scrollX = std::max(0, scrollX);
    const bool vertical = top != m_topRow;
    const bool horizontal = scrollX != m_scrollX;
    m_topRow = top;
    m_scrollX = scrollX;
    if (vertical || horizontal) {
        m_dirtyAll = true;
        Invalidate();
        ReportImeCaret();
    }
    if (vertical) Scrolled(SB_VERT);
    if (horizontal) Scrolled(SB_HORZ);
}

void TCustomMemo::SetFirstVisibleLine(int row) {
    ScrollTo(row, m_scrollX);
}

int TCustomMemo::WidestRow() const {
    if (m_widest < 0) {
        m_widest = 0;
        for (const TRow& r : m_rows) m_widest = std::max(m_widest, SpanWidth(r.Start, r.End));
    }
    return m_widest;
}

TScrollRange TCustomMemo::ScrollRange(int bar) const {
    if (bar == SB_VERT) {
        if (m_scrollBars != ssVertical && m_scrollBars != ssBoth) return {};
        return {0, RowCount(), VisibleRows(), m_topRow};
    }
    if (m_wordWrap || (m_scrollBars != ssHorizontal && m_scrollBars != ssBoth)) return {};
    return {0, WidestRow(), TextArea().Width(), m_scrollX};
}

void TCustomMemo::Scroll(int bar, int code, int pos) {
    const bool vert = bar == SB_VERT;
    const int line = vert ? 1 : kLineScrollPixels;
    const int page = vert ? std::max(1, VisibleRows() - 1) : std::max(1, TextArea().Width());
    int value = vert ? m_topRow : m_scrollX;
    switch (code) {
        case SB_LINEUP:
            value -= line;
            break;
        case SB_LINEDOWN:
            value += line;
            break;
        case SB_PAGEUP:
            value -= page;
            break;
        case SB_PAGEDOWN:
            value += page;
            break;
        case SB_THUMBPOSITION:
        case SB_THUMBTRACK:
            value = pos;
            break;
        case SB_TOP:
            value = 0;
            break;
        case SB_BOTTOM:
            value = vert ? RowCount() : WidestRow();
            break;
        default:
            return;
    }
    if (!vert) value = std::min(value, std::max(0, WidestRow() - TextArea().Width() + 1));
    if (vert)
        ScrollTo(value, m_scrollX);
    else
        ScrollTo(m_topRow, value);
}

void TCustomMemo::EnsureCaretVisible() {
    if (!m_keepColumn) m_desiredX = -1;
    m_keepColumn = false;
    if (m_layoutWidth != TextArea().Width()) LayoutAll();
    const int row = RowOf(m_core.Caret());
    const int visible = VisibleRows();
    int top = m_topRow;
    if (row < top) top = row;
    if (row >= top + visible) top = row - visible + 1;
    int scrollX = m_scrollX;
    if (m_wordWrap) {
        scrollX = 0;
    } else {
        const int width = TextArea().Width();
        const auto [s, e] = RowRange(row);
        const int caretX = SpanWidth(s, m_core.Caret());
        const int step = std::max(1, width / 3);
        if (caretX < scrollX) scrollX = std::max(0, caretX - step);
        if (width > 0 && caretX >= scrollX + width) scrollX = caretX - width + step;
    }
    ScrollTo(top, scrollX);
}

// ---- Keys and characters ----

void TCustomMemo::MoveToRow(int row, bool extend) {
    if (m_desiredX < 0) m_desiredX = CaretRect().Left + m_scrollX;
    row = std::clamp(row, 0, RowCount() - 1);
    std::size_t to = PositionInRow(row, m_desiredX - m_scrollX);
    m_core.MoveCaret(to, extend);
    m_keepColumn = true;
}

bool TCustomMemo::NavigateKey(uint16_t key, TShiftState shift) {
    const bool extend = (shift & ssShift) != 0;
    const bool ctrl = (shift & ssCtrl) != 0;
    const int row = RowOf(m_core.Caret());
    switch (key) {
        case VK_UP:
            MoveToRow(row - 1, extend);
            return true;
        case VK_DOWN:
            if (row + 1 >= RowCount()) {
                m_core.MoveCaret(m_core.Text().size(), extend);
                return true;
            }
            MoveToRow(row + 1, extend);
            return true;
        case VK_PRIOR:
        case VK_NEXT: {
            const int step = std::max(1, VisibleRows() - 1) * (key == VK_PRIOR ? -1 : 1);
            MoveToRow(row + step, extend);
            ScrollTo(m_topRow + step, m_scrollX);
            return true;
        }
        case VK_HOME:
            m_core.MoveCaret(ctrl ? 0 : RowRange(row).first, extend);
            return true;
        case VK_END: {
            std::size_t end = ctrl ? m_core.Text().size() : RowRange(row).second;
            if (!ctrl && SoftBreakAfter(row) && end > RowRange(row).first)
                end = textseg::PrevGrapheme(m_core.Text(), end);
            m_core.MoveCaret(end, extend);
            return true;
        }
        default:
            return false;
    }
}

void TCustomMemo::TypeCharacter(char32_t ch) {
    if (ch == U'\r' || ch == U'\n') {
        if (m_wantReturns) AfterEdit(m_core.TypeChar(U'\n', false));
        return;
    }
    if (ch == U'\t') {
        if (m_wantTabs) AfterEdit(m_core.TypeChar(U'\t', Overwrite()));
        return;
    }
    TCustomEdit::TypeCharacter(ch);
}

void TCustomMemo::SelectUnitAt(std::size_t pos) {
    // A triple click takes the logical line with its break.
    const std::string& text = m_core.Text();
    const std::size_t start = pos == 0 ? 0 : text.rfind('\n', pos - 1);
    const std::size_t first = start == std::string::npos || pos == 0 ? 0 : start + 1;
    const std::size_t lf = text.find('\n', pos);
    m_core.SetSelection(first, lf == std::string::npos ? text.size() : lf + 1);
}

void TCustomMemo::WMGetDlgCode(TMessage& m) {
    TCustomEdit::WMGetDlgCode(m);
    if (m_wantTabs) m.Result |= DLGC_WANTTAB;
}

void TCustomMemo::CMWantSpecialKey(TMessage& m) {
    if (m.WParam == VK_RETURN && m_wantReturns) {
        m.Result = 1;
        return;
    }
    TCustomEdit::CMWantSpecialKey(m);
}

void TCustomMemo::WMSize(TMessage& m) {
    TCustomEdit::WMSize(m);
    if (m_layoutWidth != TextArea().Width()) LayoutAll();
    ScrollTo(m_topRow, m_scrollX);
    m_dirtyAll = true;
    Scrolled(SB_VERT);
}

void TCustomMemo::DefaultHandler(TMessage& m) {
    if (BarMouse(m)) {
        m.Result = 0;
        return;
    }
    switch (m.Msg) {
        case WM_VSCROLL:
        case WM_HSCROLL:
            Scroll(m.Msg == WM_VSCROLL ? SB_VERT : SB_HORZ, LoWord(m.WParam),
                   static_cast<int16_t>(HiWord(m.WParam)));
            m.Result = 0;
            return;
        case WM_MOUSEWHEEL: {
            const int delta = WheelDeltaFromWParam(m.WParam);
            if (DoMouseWheel(ShiftFromKeys(LoWord(m.WParam)), delta, PointFromLParam(m.LParam))) {
                m.Result = 1;
                return;
            }
            const int notches = delta / WHEEL_DELTA;
            ScrollTo(m_topRow - notches * kWheelRows, m_scrollX);
            m.Result = 1;
            return;
        }
        default:
            TCustomEdit::DefaultHandler(m);
            return;
    }
}

// ---- Painting ----

void TCustomMemo::InvalidateRows(int from, int to) {
    if (!HandleAllocated()) return;
    const TRect area = TextArea();
    const TRect client = ClientRect();
    const int h = RowHeight();
    from = std::max(from, m_topRow);
    to = std::min(to, m_topRow + VisibleRows());
    if (from > to) return;
    const int top = area.Top + (from - m_topRow) * h;
    const int bottom = std::min(client.Bottom, area.Top + (to - m_topRow + 1) * h);
    InvalidateRect({client.Left, top, client.Right, bottom}, false);
}

void TCustomMemo::InvalidateText() {
    const int selFrom = RowOf(m_core.SelStart());
    const int selTo = RowOf(m_core.SelEnd());
    if (m_dirtyAll) {
        Invalidate();
    } else {
        if (m_dirtyTo >= m_dirtyFrom) InvalidateRows(m_dirtyFrom, m_dirtyTo);
        InvalidateRows(std::min(selFrom, m_paintedSelFrom), std::max(selTo, m_paintedSelTo));
        if (m_dirtyTo > RowCount()) {
            // Fewer rows than before: clear what lay below the text.
            InvalidateRows(RowCount(), m_topRow + VisibleRows());
        }
    }
    m_dirtyAll = false;
    m_dirtyFrom = 0;
    m_dirtyTo = -1;
    m_paintedSelFrom = selFrom;
    m_paintedSelTo = selTo;
    InvalidateBars();
}

void TCustomMemo::PaintText(gfx::TCanvas& canvas) {
    const TRect area = TextArea();
    const TRect clip = canvas.ClipRect();
    const std::string_view text = m_core.Text();
    const int h = LineHeight();
    canvas.IntersectClipRect({ClientRect().Left, area.Top, ClientRect().Right, area.Bottom});
    canvas.Font = Font();
    if (!Enabled()) canvas.Font.SetColor(gfx::clGrayText);
    const TColor textColor = canvas.Font.Color();
    const bool showSelection = m_core.HasSelection() && (Focused() || !HideSelection());
    const std::size_t selStart = m_core.SelStart(), selEnd = m_core.SelEnd();
    const int blank = std::max(2, ShownWidth(" "));
    for (int row = m_topRow; row < RowCount(); ++row) {
        const int top = area.Top + (row - m_topRow) * h;
        if (top >= area.Bottom || top >= clip.Bottom) break;
        if (top + h <= clip.Top) continue;
        const auto [s, e] = RowRange(row);
        const int x = RowStartX(row);
        canvas.Brush.Style = gfx::TBrushStyle::bsClear;
        canvas.Font.SetColor(textColor);
        canvas.TextOut(x, top, DisplayText(text.substr(s, e - s)));
        if (!showSelection || selEnd < s || selStart > e) continue;
        const std::size_t a = std::max(selStart, s), b = std::min(selEnd, e);
        const int sx = x + ShownWidth(text.substr(s, a - s));
        int ex = sx + ShownWidth(text.substr(a, b - a));
        // A selected line break shows as a blank's width of highlight.
        if (selEnd > e && e < text.size() && !SoftBreakAfter(row)) ex += blank;
        if (ex <= sx) continue;
        canvas.Brush = gfx::TBrush{gfx::clHighlight, gfx::TBrushStyle::bsSolid};
        canvas.FillRect({sx, top, ex, top + h});
        canvas.Brush.Style = gfx::TBrushStyle::bsClear;
        canvas.Font.SetColor(gfx::clHighlightText);
        canvas.TextOut(sx, top, DisplayText(text.substr(a, b - a)));
    }
}

}  // namespace platform::forms
