#pragma once
// The framework's memo: the edit for several lines. Lines is a string list that reads and
// changes the memo's text; the text is laid out in rows (a logical line wraps into several rows
// with WordWrap). Up and Down keep the column the caret started from; Page Up and Page Down move
// by a page. The memo keeps a vertical range (rows) and a horizontal one (pixels) with their
// positions and answers WM_VSCROLL / WM_HSCROLL requests. It draws the bars ScrollBars asks for
// in its client area (arrows, track and thumb, with click, drag and repeat), and the text area
// shrinks by them; a wrapper that shows bars of its own turns that off (DrawsScrollBars) and
// learns of every scroll through Scrolled. Only the rows a change touches are repainted.

#include <string>
#include <string_view>
#include <vector>

#include "platform/forms/Edit.h"
#include "platform/forms/ListBox.h"
#include "platform/forms/MemoScrollBar.h"

namespace platform::forms {

enum TScrollStyle : uint8_t { ssNone, ssHorizontal, ssVertical, ssBoth };

class TCustomMemo;

// The memo's lines. A text that ends with a line break has no empty last line; lines added by
// the program are separated by breaks, with none after the last.
class TMemoStrings {
public:
    explicit TMemoStrings(TCustomMemo& owner) : m_owner(owner) {}
    TMemoStrings(const TMemoStrings&) = delete;
    TMemoStrings& operator=(const TMemoStrings&) = delete;

    [[nodiscard]] int Count() const;
    // An index out of range throws std::out_of_range.
    [[nodiscard]] std::string Strings(int index) const;
    [[nodiscard]] std::string operator[](int index) const { return Strings(index); }
    void SetStrings(int index, std::string_view value);
    int Add(std::string_view s);
    void Insert(int index, std::string_view s);
    void Delete(int index);
    void Clear();
    [[nodiscard]] int IndexOf(std::string_view s) const;
    // Every line followed by a line break.
    [[nodiscard]] std::string Text() const;
    void SetText(std::string_view text);
    void Assign(const std::vector<std::string>& lines);
    [[nodiscard]] std::vector<std::string> ToVector() const;

private:
    // Byte range of a line without its break; index == Count() gives the end of the text.
    void Range(int index, std::size_t& start, std::size_t& end) const;
    TCustomMemo& m_owner;
};

class TCustomMemo : public TCustomEdit {
public:
    explicit TCustomMemo(TComponent* owner);
    ~TCustomMemo() override;

    [[nodiscard]] TMemoStrings& Lines() { return m_lines; }
    [[nodiscard]] const TMemoStrings& Lines() const { return m_lines; }
    void SetLines(const std::vector<std::string>& lines) { m_lines.Assign(lines); }

    [[nodiscard]] bool WordWrap() const { return m_wordWrap; }
    void SetWordWrap(bool value);
    // Enter inserts a line break (else it goes to the form, e.g. its default button).
    [[nodiscard]] bool WantReturns() const { return m_wantReturns; }
    void SetWantReturns(bool value) { m_wantReturns = value; }
    // Tab inserts a tab (else it moves the focus).
    [[nodiscard]] bool WantTabs() const { return m_wantTabs; }
    void SetWantTabs(bool value) { m_wantTabs = value; }
    // Which bars the memo keeps ranges for; a direction without a bar reports an empty range.
    [[nodiscard]] TScrollStyle ScrollBars() const { return m_scrollBars; }
    void SetScrollBars(TScrollStyle value);

    // ---- Rows and scrolling ----
    [[nodiscard]] int RowCount() const { return static_cast<int>(m_rows.size()); }
    // The row that holds a text position, and the row's text range (without its line break).
    [[nodiscard]] int RowOf(std::size_t pos) const;
    [[nodiscard]] std::pair<std::size_t, std::size_t> RowRange(int row) const;
    // Rows that fit the text area (at least 1).
    [[nodiscard]] int VisibleRows() const;
    [[nodiscard]] int FirstVisibleLine() const { return m_topRow; }
    void SetFirstVisibleLine(int row);
    // SB_VERT: Min 0, Max = rows, Page = visible rows, Pos = first visible row. SB_HORZ: Max =
    // width of the widest row (pixels), Page = text area width, Pos = horizontal offset. A
    // direction that ScrollBars leaves out (or, with WordWrap, the horizontal one) is all 0.
    [[nodiscard]] TScrollRange ScrollRange(int bar) const;
    // A scroll request as WM_VSCROLL / WM_HSCROLL carry it (SB_* codes).
    void Scroll(int bar, int code, int pos = 0);
    // The caret's row and column (column in bytes from the row start).
    [[nodiscard]] TPoint CaretPosition() const;

    [[nodiscard]] TRect CaretRect() const override;
    [[nodiscard]] std::size_t PositionAt(TPoint client) const override;

    // The bars the memo draws (empty bounds when not shown), laid out for the current size.
    [[nodiscard]] const TMemoScrollBar& VertScrollBar() const { return m_vBar; }
    [[nodiscard]] const TMemoScrollBar& HorzScrollBar() const { return m_hBar; }
    // Press-and-hold repeat of the bars' arrows and track: the first step after this delay ...
    static constexpr uint32_t kBarRepeatDelayMs = 500;
    // ... then one step per interval.
    static constexpr uint32_t kBarRepeatMs = 50;

protected:
    // Whether the memo draws the bars ScrollBars names; wrappers with their own bars say no.
    [[nodiscard]] virtual bool DrawsScrollBars() const { return true; }
    [[nodiscard]] TRect TextArea() const override;
    void Paint() override;
    // After the first visible row or the horizontal offset changed (bar: SB_VERT or SB_HORZ).
    virtual void Scrolled(int bar) { (void)bar; }

    void PaintText(gfx::TCanvas& canvas) override;
    void EnsureCaretVisible() override;
    bool NavigateKey(uint16_t key, TShiftState shift) override;
    void TypeCharacter(char32_t ch) override;
    void SelectUnitAt(std::size_t pos) override;
    void TextLayoutChanged() override;
    void InvalidateText() override;
    void DefaultHandler(TMessage& message) override;
    void WMGetDlgCode(TMessage& message) override;
    void CMWantSpecialKey(TMessage& message) override;
    void WMSize(TMessage& message) override;
    // Over the bars the pointer is an arrow, not the text cursor.
    void WMSetCursor(TMessage& message) override;

    // ---- Layout hooks for a memo whose text is not all in one font (the rich edit) ----
    // Width of the text's bytes [from, to) as shown.
    [[nodiscard]] virtual int SpanWidth(std::size_t from, std::size_t to) const;
    // The position in the text's bytes [from, to) nearest to x pixels from from's left.
    [[nodiscard]] virtual std::size_t SpanPosition(std::size_t from, std::size_t to, int x) const;
    // Height of every row.
    [[nodiscard]] virtual int RowHeight() const { return LineHeight(); }
    // Where a row of the given width starts within the text area (alignment, indents).
    [[nodiscard]] virtual int RowOffset(int row, int rowWidth) const;
    // Width that the logical line starting at lineStart wraps at.
    [[nodiscard]] virtual int WrapWidth(std::size_t lineStart) const;
    // Lays all rows out again (after something other than the text changed their widths).
    void RelayoutAll();
    [[nodiscard]] bool SoftBreakAfter(int row) const;
    [[nodiscard]] int RowStartX(int row) const;

private:
    friend class TMemoStrings;
    struct TRow {
        std::size_t Start = 0;
        std::size_t End = 0;  // without the line break
    };
    // Replaces a byte range as the program does (Lines).
    void ReplaceByProgram(std::size_t from, std::size_t to, std::string_view text);
    void LayoutAll();
    // Rows of the logical lines in text[from, to] (to is a line end).
    void LayoutLines(std::size_t from, std::size_t to, std::vector<TRow>& out) const;
    void LayoutLine(std::size_t from, std::size_t to, std::vector<TRow>& out) const;
    [[nodiscard]] std::size_t PositionInRow(int row, int x) const;
    void MoveToRow(int row, bool extend);
    void ScrollTo(int top, int scrollX);
    void InvalidateRows(int from, int to);
    [[nodiscard]] int WidestRow() const;
    // MemoBars.cpp
    [[nodiscard]] bool ShowsVertBar() const;
    [[nodiscard]] bool ShowsHorzBar() const;
    // Sets the bars' bounds and ranges; true when anything changed.
    bool LayoutBars();
    [[nodiscard]] bool OnBars(TPoint client) const;
    void InvalidateBars();
    void PaintBars(gfx::TCanvas& canvas);
    // Mouse messages over or held by a bar; true when the bars took the message.
    bool BarMouse(TMessage& message);
    void BarStep();
    void EndBarPress();

    TMemoScrollBar m_vBar{true};
    TMemoScrollBar m_hBar{false};
    TMemoScrollBar* m_heldBar = nullptr;
    TPoint m_barPointer{};

    TMemoStrings m_lines;
    std::vector<TRow> m_rows{TRow{}};
    std::size_t m_layoutSerial = 0;
    int m_layoutWidth = -1;
    int m_topRow = 0;
    bool m_wordWrap = true;
    bool m_wantReturns = true;
    bool m_wantTabs = false;
    TScrollStyle m_scrollBars = ssNone;
    // Up/Down keep this x (pixels from the row start); -1 when the next vertical move takes it anew.
    int m_desiredX = -1;
    bool m_keepColumn = false;
    // What the last paint showed, to repaint only what changed.
    int m_dirtyFrom = 0;
    int m_dirtyTo = -1;
    bool m_dirtyAll = true;
    int m_paintedSelFrom = 0;
    int m_paintedSelTo = 0;
    mutable int m_widest = -1;
};

class TMemo : public TCustomMemo {
public:
    explicit TMemo(TComponent* owner) : TCustomMemo(owner) {}
};

}  // namespace platform::forms
