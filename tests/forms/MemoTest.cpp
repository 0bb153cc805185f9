// The framework's memo on the headless backend: Lines in sync with the text, word wrap, the
// remembered column, paging, scroll ranges and requests, Enter and Tab, selection and clipboard
// across lines, and repainting only the rows a change touches.

#include "FormsTestSupport.h"
#include "platform/forms/Memo.h"
#include "platform/ui/WindowSystem.h"

namespace formstest {
namespace {

using namespace platform::ui;
using platform::core::TPoint;

// Counts the memo's scroll notices.
class TCountingMemo : public TMemo {
public:
    explicit TCountingMemo(TComponent* owner) : TMemo(owner) {}
    int VerticalScrolls = 0;

protected:
    void Scrolled(int bar) override {
        if (bar == platform::forms::SB_VERT) ++VerticalScrolls;
    }
};

std::vector<std::string> Numbered(int count) {
    std::vector<std::string> lines;
    for (int i = 0; i < count; ++i) lines.push_back("line " + std::to_string(i));
    return lines;
}

class MemoTest : public FormsFixture {
protected:
    void SetUp() override {
        FormsFixture::SetUp();
        m_form = new TForm(&App());
        m_form->SetBounds(40, 40, 400, 300);
        m_button = new TTestButton(m_form);
        m_button->SetParent(m_form);
        m_button->SetBounds(300, 250, 75, 25);
        m_button->Default = true;
        m_memo = new TCountingMemo(m_form);
        m_memo->SetParent(m_form);
        m_memo->SetBounds(8, 8, 200, 150);
        m_memo->SetScrollBars(ssBoth);
        m_form->Show();
        ProcessMessages();
        m_memo->SetFocus();
        ProcessMessages();
    }
    TPoint ScreenOfRow(int row, int x) {
        const int h = m_memo->CaretRect().Height();
        return m_memo->ClientToScreen({x, 1 + (row - m_memo->FirstVisibleLine()) * h + h / 2});
    }
    void Shift(uint32_t vk) { PressWith(VK_SHIFT, vk); }
    void Ctrl(uint32_t vk) { PressWith(VK_CONTROL, vk); }

    TForm* m_form = nullptr;
    TTestButton* m_button = nullptr;
    TCountingMemo* m_memo = nullptr;
};

TEST_F(MemoTest, LinesStayInSyncWithTheText) {
    TMemoStrings& lines = m_memo->Lines();
    EXPECT_EQ(lines.Count(), 0);
    lines.Add("one");
    lines.Add("three");
    lines.Insert(1, "two");
    EXPECT_EQ(m_memo->Text(), "one\ntwo\nthree");
    EXPECT_EQ(lines.Count(), 3);
    EXPECT_EQ(lines.Text(), "one\ntwo\nthree\n");
    lines.SetStrings(2, "3");
    lines.Delete(0);
    EXPECT_EQ(lines.ToVector(), (std::vector<std::string>{"two", "3"}));
    EXPECT_THROW((void)lines.Strings(2), std::out_of_range);

    m_memo->SetText("a\r\nb\n");
    EXPECT_EQ(lines.Count(), 2);  // the break after the last line adds no line
    EXPECT_EQ(lines.Strings(1), "b");
    EXPECT_EQ(lines.Text(), "a\nb\n");
    lines.Delete(1);
    EXPECT_EQ(m_memo->Text(), "a\n");
    m_memo->SetText("a\nb");
    lines.Delete(1);
    EXPECT_EQ(m_memo->Text(), "a");
    // Typing a line break makes a new line.
    Press(VK_END);
    Session().TypeText("\nnew");
    EXPECT_EQ(lines.ToVector(), (std::vector<std::string>{"a", "new"}));
    EXPECT_EQ(m_memo->CaretPosition(), (TPoint{3, 1}));
}

TEST_F(MemoTest, WordWrapBreaksAfterBlanksWithinTheWidthAndFollowsResizes) {
    const std::string text = "The quick brown fox jumps over the lazy dog and runs far away";
    m_memo->SetText(text);
    const int rows = m_memo->RowCount();
    EXPECT_GT(rows, 1);
    const int width = m_memo->ClientWidth();
    for (int r = 0; r < rows; ++r) {
        const auto [s, e] = m_memo->RowRange(r);
        if (r + 1 < rows) {
            EXPECT_EQ(text[e - 1], ' ') << "row " << r << " ends after a blank";
        }
        EXPECT_LE(platform::gfx::TextEngine::TextWidth(m_memo->Font(), text.substr(s, e - s)), width + 8)
            << r;
    }
    m_memo->SetBounds(8, 8, 100, 150);
    ProcessMessages();
    EXPECT_GT(m_memo->RowCount(), rows);
    EXPECT_EQ(m_memo->Lines().Count(), 1);  // Lines are logical lines

    // A word longer than the row is cut between characters.
    m_memo->SetText(std::string(80, 'm'));
    EXPECT_GT(m_memo->RowCount(), 1);
    // Without wrap each line is one row with a horizontal range of its width.
    m_memo->SetWordWrap(false);
    EXPECT_EQ(m_memo->RowCount(), 1);
    const TScrollRange h = m_memo->ScrollRange(platform::forms::SB_HORZ);
    EXPECT_EQ(h.Max, platform::gfx::TextEngine::TextWidth(m_memo->Font(), std::string(80, 'm')));
    Press(VK_END);
    EXPECT_GT(m_memo->ScrollRange(platform::forms::SB_HORZ).Pos, 0);
}

TEST_F(MemoTest, UpAndDownRememberTheColumnAcrossShortLines) {
    m_memo->SetWordWrap(false);
    m_memo->SetText("0123456789\nab\n0123456789\n");
    m_memo->SetSelStart(8);
    Press(VK_DOWN);
    EXPECT_EQ(m_memo->CaretPosition(), (TPoint{2, 1}));  // the short line's end
    Press(VK_DOWN);
    EXPECT_EQ(m_memo->CaretPosition(), (TPoint{8, 2}));  // back at the remembered column
    Press(VK_UP);
    Press(VK_UP);
    EXPECT_EQ(m_memo->CaretPosition(), (TPoint{8, 0}));
    // A horizontal move forgets the column.
    Press(VK_DOWN);
    Press(VK_LEFT);
    Press(VK_DOWN);
    EXPECT_EQ(m_memo->CaretPosition(), (TPoint{1, 2}));
    // Shift+Down selects whole rows from the anchor; Down on the last row goes to the end.
    m_memo->SetSelStart(0);
    Shift(VK_DOWN);
    EXPECT_EQ(m_memo->SelText(), "0123456789\n");
    Press(VK_DOWN);
    Press(VK_DOWN);
    Press(VK_DOWN);
    EXPECT_EQ(m_memo->CaretPos(), static_cast<int>(m_memo->Text().size()));
}

TEST_F(MemoTest, PagingScrollRangesAndScrollRequests) {
    m_memo->SetWordWrap(false);
    m_memo->SetLines(Numbered(30));
    const int visible = m_memo->VisibleRows();
    ASSERT_LT(visible, 30);
    EXPECT_EQ(m_memo->ScrollRange(platform::forms::SB_VERT), (TScrollRange{0, 30, visible, 0}));

    const int before = m_memo->VerticalScrolls;
    Press(VK_NEXT);
    EXPECT_EQ(m_memo->CaretPosition().Y, visible - 1);
    EXPECT_EQ(m_memo->FirstVisibleLine(), visible - 1);
    EXPECT_GT(m_memo->VerticalScrolls, before);
    Press(VK_PRIOR);
    EXPECT_EQ(m_memo->CaretPosition().Y, 0);
    EXPECT_EQ(m_memo->FirstVisibleLine(), 0);

    m_memo->Perform(WM_VSCROLL, MakeWParam(platform::forms::SB_LINEDOWN, 0));
    EXPECT_EQ(m_memo->FirstVisibleLine(), 1);
    m_memo->Perform(WM_VSCROLL, MakeWParam(platform::forms::SB_THUMBPOSITION, 12));
    EXPECT_EQ(m_memo->FirstVisibleLine(), 12);
    m_memo->Perform(WM_VSCROLL, MakeWParam(platform::forms::SB_BOTTOM, 0));
    EXPECT_EQ(m_memo->FirstVisibleLine(), 30 - visible);  // the last row ends the view
    EXPECT_EQ(m_memo->CaretPosition().Y, 0);              // scrolling leaves the caret
    Session().MouseMove(m_memo->ClientToScreen({20, 20}));
    Session().Wheel(WHEEL_DELTA);
    EXPECT_EQ(m_memo->FirstVisibleLine(), 30 - visible - 3);
    // A key brings the caret back into view.
    Press(VK_RIGHT);
    EXPECT_EQ(m_memo->FirstVisibleLine(), 0);
    // A memo without bars reports empty ranges.
    m_memo->SetScrollBars(ssNone);
    EXPECT_EQ(m_memo->ScrollRange(platform::forms::SB_VERT), TScrollRange{});
}

TEST_F(MemoTest, EnterAndTabFollowWantReturnsAndWantTabs) {
    Session().TypeText("a");
    Press(VK_RETURN);
    Press(VK_TAB);
    EXPECT_EQ(m_memo->Text(), "a\n");
    EXPECT_EQ(m_button->Clicks, 0);
    EXPECT_FALSE(m_memo->Focused());  // Tab moved on
    m_memo->SetFocus();
    m_memo->SetWantTabs(true);
    m_memo->SetWantReturns(false);
    Press(VK_TAB);
    Press(VK_RETURN);
    EXPECT_EQ(m_memo->Text(), "a\n\t");
    EXPECT_EQ(m_button->Clicks, 1);  // Enter went to the default button
    EXPECT_TRUE(m_memo->Focused());
}

TEST_F(MemoTest, SelectionClipboardAndUndoAcrossLines) {
    m_memo->SetText("first line\nsecond line\nthird");
    // Triple click takes the logical line with its break.
    Session().DoubleClick(ScreenOfRow(1, 12));
    Advance(50);
    Session().Click(ScreenOfRow(1, 12));
    EXPECT_EQ(m_memo->SelText(), "second line\n");
    Ctrl('X');
    EXPECT_EQ(m_memo->Text(), "first line\nthird");
    EXPECT_EQ(System().ClipboardText(), "second line\n");
    Ctrl(VK_END);
    Ctrl('V');
    EXPECT_EQ(m_memo->Text(), "first line\nthirdsecond line\n");
    EXPECT_EQ(m_memo->Lines().Count(), 2);
    Ctrl('Z');
    Ctrl('Z');
    EXPECT_EQ(m_memo->Text(), "first line\nsecond line\nthird");
    // Drag across rows selects from the press to the release.
    Advance(1000);
    Session().Drag(ScreenOfRow(0, 0), ScreenOfRow(2, 2));
    EXPECT_EQ(m_memo->SelStart(), 0);
    EXPECT_EQ(m_memo->CaretPosition().Y, 2);
}

TEST_F(MemoTest, TypingRepaintsOnlyTheChangedRow) {
    m_memo->SetWordWrap(false);
    m_memo->SetLines(Numbered(200));
    m_memo->SetSelStart(0);
    Press(VK_DOWN);
    Press(VK_DOWN);
    ProcessMessages();
    System().ResetPaintStats();
    Session().TypeText("x");
    EXPECT_EQ(m_memo->Lines().Strings(2), "xline 2");
    const auto& stats = System().PaintStats();
    const uint64_t rowArea = static_cast<uint64_t>(m_memo->ClientWidth()) * m_memo->CaretRect().Height();
    EXPECT_GT(stats.PaintedPixels, 0u);
    EXPECT_LE(stats.PaintedPixels, rowArea * 2);
    // A new line moves the rows below: they repaint too.
    System().ResetPaintStats();
    Press(VK_RETURN);
    EXPECT_GT(System().PaintStats().PaintedPixels, rowArea * 3);
}

}  // namespace
}  // namespace formstest
