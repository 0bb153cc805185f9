// The memo's own scroll bars on the headless backend: they take room from the text, follow the
// ranges, scroll by line and page with press-and-hold repeat, drag with the thumb, and look like
// the platform's bars (arrows, track, thumb; greyed when there is nothing to scroll).

#include "support/UiTest.h"

#include "platform/forms/Form.h"
#include "platform/forms/Memo.h"
#include "platform/ui/WindowSystem.h"

namespace {

using namespace platform::forms;
using namespace platform::ui;
using platform::core::TPoint;
using platform::core::TRect;
using TPart = TMemoScrollBar::TPart;

class MemoScrollBarTest : public vktest::UiTest {
protected:
    void SetUp() override {
        vktest::UiTest::SetUp();
        m_form = new TForm(&App());
        m_form->SetBounds(40, 30, 360, 300);
        m_memo = new TMemo(m_form);
        m_memo->SetName("memLog");
        m_memo->SetParent(m_form);
        m_memo->SetBounds(10, 10, 220, 160);
        m_memo->SetWordWrap(false);
        m_memo->SetScrollBars(ssBoth);
        std::vector<std::string> lines;
        for (int i = 0; i < 60; ++i) lines.push_back("line " + std::to_string(i));
        lines[3] = "a long line that runs well past the right edge of the memo's text area";
        m_memo->SetLines(lines);
        m_form->Show();
        ProcessMessages();
    }

    TPoint Middle(const TRect& r) const { return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2}; }
    TRect Part(const TMemoScrollBar& bar, TPart part) const { return bar.PartRect(part); }
    void PressAt(TPoint client) { Ui().Press(m_memo, client.X, client.Y); }
    int Top() const { return m_memo->FirstVisibleLine(); }

    TForm* m_form = nullptr;
    TMemo* m_memo = nullptr;
};

TEST_F(MemoScrollBarTest, TheBarsTakeRoomFromTheTextAndFollowTheRanges) {
    auto* memo = Ui().Find<TMemo>(*m_form, "memLog");
    const TRect client = memo->ClientRect();
    const int thick = System().GetSystemMetrics(SM_CXVSCROLL);
    EXPECT_EQ(memo->VertScrollBar().Bounds(),
              (TRect{client.Right - thick, 0, client.Right, client.Bottom - thick}));
    EXPECT_EQ(memo->HorzScrollBar().Bounds(),
              (TRect{0, client.Bottom - thick, client.Right - thick, client.Bottom}));
    // The text area (the horizontal page) ends where the vertical bar starts.
    const TScrollRange h = memo->ScrollRange(SB_HORZ);
    EXPECT_EQ(h.Page, client.Width() - thick - memo->LeftMargin() - memo->RightMargin());
    const int rowsWithBar = memo->VisibleRows();
    memo->SetScrollBars(ssVertical);
    ProcessMessages();
    EXPECT_TRUE(memo->HorzScrollBar().Bounds().IsEmpty());
    EXPECT_EQ(memo->VisibleRows(), client.Height() / (memo->CaretRect().Height()));
    EXPECT_LT(rowsWithBar, memo->VisibleRows());
    memo->SetScrollBars(ssNone);
    ProcessMessages();
    EXPECT_TRUE(memo->VertScrollBar().Bounds().IsEmpty());
    EXPECT_EQ(memo->ScrollRange(SB_VERT), TScrollRange{});
    // A click where the bar was is text again: it places the caret in the first row.
    Ui().Click(memo, client.Right - 3, 5);
    EXPECT_EQ(memo->CaretPosition().Y, 0);
    EXPECT_GT(memo->CaretPosition().X, 0);
}

TEST_F(MemoScrollBarTest, ArrowsScrollALineAndRepeatWhileHeld) {
    const TRect down = Part(m_memo->VertScrollBar(), TPart::LineDown);
    const int caret = m_memo->CaretPos();
    PressAt(Middle(down));
    EXPECT_EQ(Top(), 1);
    EXPECT_EQ(m_memo->CaretPos(), caret);  // the caret stays where it was
    Advance(TMemo::kBarRepeatDelayMs - 1);
    EXPECT_EQ(Top(), 1);
    Advance(1);  // 500 ms: the first repeat
    EXPECT_EQ(Top(), 2);
    Advance(200);  // then every 50 ms
    EXPECT_EQ(Top(), 6);
    // Moving off the arrow pauses the repeat; coming back resumes it.
    Ui().MoveTo(m_memo, 5, 5);
    Advance(200);
    EXPECT_EQ(Top(), 6);
    Ui().MoveTo(m_memo, Middle(down).X, Middle(down).Y);
    Advance(50);
    EXPECT_EQ(Top(), 7);
    Ui().Release();
    Advance(500);
    EXPECT_EQ(Top(), 7);
    // The up arrow goes back; the horizontal arrows move by the memo's line step.
    Ui().Click(m_memo, Middle(Part(m_memo->VertScrollBar(), TPart::LineUp)).X,
               Middle(Part(m_memo->VertScrollBar(), TPart::LineUp)).Y);
    EXPECT_EQ(Top(), 6);
    const TRect right = Part(m_memo->HorzScrollBar(), TPart::LineDown);
    Ui().Click(m_memo, Middle(right).X, Middle(right).Y);
    EXPECT_EQ(m_memo->ScrollX(), 8);
}

TEST_F(MemoScrollBarTest, TheTrackPagesUntilTheThumbReachesThePointer) {
    const int page = m_memo->VisibleRows() - 1;
    const TRect track = Part(m_memo->VertScrollBar(), TPart::PageDown);
    // Press near the bottom of the track: a page at once, then pages until the thumb is there.
    const TPoint at{Middle(track).X, track.Bottom - 3};
    PressAt(at);
    EXPECT_EQ(Top(), page);
    Advance(2000);
    const TRect thumb = Part(m_memo->VertScrollBar(), TPart::Thumb);
    EXPECT_TRUE(thumb.Contains(at) || Top() == m_memo->RowCount() - m_memo->VisibleRows())
        << "thumb " << thumb.Top << ".." << thumb.Bottom << " pointer " << at.Y;
    const int stopped = Top();
    Advance(1000);
    EXPECT_EQ(Top(), stopped);
    Ui().Release();
    // The track above the thumb pages back.
    const TRect above = Part(m_memo->VertScrollBar(), TPart::PageUp);
    Ui().Click(m_memo, Middle(above).X, Middle(above).Y);
    EXPECT_EQ(Top(), std::max(0, stopped - page));
}

TEST_F(MemoScrollBarTest, DraggingTheThumbScrollsInProportion) {
    const TMemoScrollBar& bar = m_memo->VertScrollBar();
    const TRect thumb = Part(bar, TPart::Thumb);
    const int last = m_memo->RowCount() - m_memo->VisibleRows();
    const TPoint grab = Middle(thumb);
    PressAt(grab);
    EXPECT_EQ(Top(), 0);
    // To the bottom of the bar and beyond: the last page.
    Ui().MoveTo(m_memo, grab.X, bar.Bounds().Bottom + 40);
    EXPECT_EQ(Top(), last);
    // Half way along the thumb's travel: about half way through the text.
    const int travel = bar.Bounds().Height() - 2 * bar.Bounds().Width() - thumb.Height();
    Ui().MoveTo(m_memo, grab.X, grab.Y + travel / 2);
    EXPECT_NEAR(Top(), last / 2, 1);
    Ui().Release();
    EXPECT_NEAR(Top(), last / 2, 1);
    // The thumb sits where the pointer left it.
    EXPECT_NEAR(Middle(Part(bar, TPart::Thumb)).Y, grab.Y + travel / 2, 2);
}

TEST_F(MemoScrollBarTest, BarsLookLikeThePlatformsAndGreyOutWithNothingToScroll) {
    const TMemoScrollBar& bar = m_memo->VertScrollBar();
    const TRect up = Part(bar, TPart::LineUp);
    const TRect thumb = Part(bar, TPart::Thumb);
    const TRect track = Part(bar, TPart::PageDown);
    Ui().SavePng(Ui().Capture(m_memo), "memo_scrollbars");
    // The arrow's glyph in the button-text colour on a button face, the thumb a raised button,
    // the track lighter than both.
    EXPECT_EQ(Ui().Pixel(m_memo, Middle(up).X, Middle(up).Y),
              platform::gfx::ColorToRGB(platform::gfx::clBtnText));
    EXPECT_EQ(Ui().Pixel(m_memo, up.Left + 3, up.Top + 3),
              platform::gfx::ColorToRGB(platform::gfx::clBtnFace));
    EXPECT_EQ(Ui().Pixel(m_memo, Middle(thumb).X, Middle(thumb).Y),
              platform::gfx::ColorToRGB(platform::gfx::clBtnFace));
    EXPECT_EQ(Ui().Pixel(m_memo, thumb.Right - 1, thumb.Bottom - 1),
              platform::gfx::ColorToRGB(platform::gfx::cl3DDkShadow));
    EXPECT_EQ(Ui().Pixel(m_memo, Middle(track).X, Middle(track).Y),
              platform::gfx::ColorToRGB(platform::gfx::cl3DLight));
    // Over the bars the pointer is an arrow; over the text, the text cursor.
    Ui().MoveTo(m_memo, Middle(track).X, Middle(track).Y);
    EXPECT_EQ(Backend().Cursor(), TCursorShape::Arrow);
    Ui().MoveTo(m_memo, 20, 20);
    EXPECT_EQ(Backend().Cursor(), TCursorShape::IBeam);
    // No text is drawn over the bar.
    EXPECT_NE(Ui().Pixel(m_memo, Middle(track).X, 3), platform::gfx::ColorToRGB(m_memo->Font().Color()));

    // Three short lines fit: the vertical bar has no thumb and grey arrows, and ignores clicks.
    m_memo->SetLines({"a", "b", "c"});
    ProcessMessages();
    EXPECT_FALSE(bar.Enabled());
    EXPECT_TRUE(Part(bar, TPart::Thumb).IsEmpty());
    EXPECT_EQ(Ui().Pixel(m_memo, Middle(up).X, Middle(up).Y),
              platform::gfx::ColorToRGB(platform::gfx::clBtnShadow));
    EXPECT_EQ(Ui().Pixel(m_memo, Middle(thumb).X, Middle(thumb).Y),
              platform::gfx::ColorToRGB(platform::gfx::cl3DLight));
    Ui().Click(m_memo, Middle(Part(bar, TPart::LineDown)).X, Middle(Part(bar, TPart::LineDown)).Y);
    EXPECT_EQ(Top(), 0);
}

}  // namespace
