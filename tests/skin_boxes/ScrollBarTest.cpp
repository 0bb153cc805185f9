// The skin scroll bar: thumb geometry with and without a page, the position's clamping, arrow and
// page repetition on the virtual clock, pausing off a held arrow, dragging, replaced steps, the
// keyboard, and both looks.

#include "BoxesFixture.h"
#include "skin/controls/bsSkinCtrlsScrollBar.h"

namespace boxes {
namespace {

using platform::gfx::ColorToRGB;
using skin::TbsSkinScrollBar;
using MB = platform::ui::TMouseButton;

class ScrollBarTest : public FormFixture {
protected:
    TbsSkinScrollBar* MakeBar() {
        auto* bar = Make<TbsSkinScrollBar>(10, 10);
        bar->OnChange = log.Note("change");
        bar->OnPageUp = log.Note("pageup");
        bar->OnPageDown = log.Note("pagedown");
        bar->OnLastChange = log.Note("last");
        ProcessMessages();
        return bar;
    }
    static TRect Thumb(TbsSkinScrollBar* bar) {
        bar->ComputeGeometry();
        return bar->Part(TbsSkinScrollBar::kThumb).Rect;
    }
    EventLog log;
};

TEST_F(ScrollBarTest, DefaultGeometryPlacesTrackAndThumb) {
    auto* bar = MakeBar();
    EXPECT_EQ(bar->Width(), 200);
    EXPECT_EQ(bar->Height(), 19);
    bar->SetPosition(50);
    bar->ComputeGeometry();
    EXPECT_EQ(bar->TrackRect(), (TRect{17, 1, 183, 18}));
    EXPECT_EQ(bar->Part(TbsSkinScrollBar::kThumb).Rect, (TRect{92, 1, 108, 18}));
    EXPECT_EQ(bar->Part(TbsSkinScrollBar::kDownButton).Rect, (TRect{1, 1, 17, 18}));
    EXPECT_EQ(bar->Part(TbsSkinScrollBar::kUpButton).Rect, (TRect{183, 1, 199, 18}));

    // A page of 10 in 0..99 on the 166-pixel track: [16.6] = 17, half 8, a 16-pixel thumb; the
    // last position is 90, which puts the thumb at the end of the track.
    bar->SetRangeAndPosition(0, 99, 10, 0);
    EXPECT_EQ(Thumb(bar), (TRect{17, 1, 33, 18}));
    bar->SetPosition(1000);
    EXPECT_EQ(bar->Position(), 90);
    EXPECT_EQ(Thumb(bar), (TRect{167, 1, 183, 18}));
    bar->SetPosition(45);
    EXPECT_EQ(Thumb(bar), (TRect{92, 1, 108, 18}));

    // A vertical bar places the same along y.
    bar->SetKind(skin::sbVertical);
    bar->SetBounds(10, 10, 19, 200);
    bar->SetRangeAndPosition(0, 100, 0, 50);
    EXPECT_EQ(Thumb(bar), (TRect{1, 92, 18, 108}));
    EXPECT_EQ(bar->Part(TbsSkinScrollBar::kUpButton).Rect, (TRect{1, 183, 18, 199}));
}

TEST_F(ScrollBarTest, PositionIsClampedAndOnlyChangesReport) {
    auto* bar = MakeBar();
    bar->SetRangeAndPosition(0, 100, 10, 0);
    EXPECT_TRUE(log.Events.empty());
    bar->SetPosition(105);
    EXPECT_EQ(bar->Position(), 91);
    bar->SetPosition(105);
    bar->SetPosition(-3);
    bar->SetPosition(-3);
    EXPECT_EQ(bar->Position(), 0);
    EXPECT_EQ(log.Count("change"), 2);

    // A page that would not fit before the position is refused.
    bar->SetPosition(80);
    bar->SetPageSize(30);
    EXPECT_EQ(bar->PageSize(), 10);
    // Lowering Max drags the position along without a report.
    log.Clear();
    bar->SetMax(50);
    EXPECT_EQ(bar->Position(), 41);
    bar->SetPageSize(0);
    bar->SetMax(30);
    EXPECT_EQ(bar->Position(), 30);
    EXPECT_TRUE(log.Events.empty());
}

TEST_F(ScrollBarTest, HeldArrowStepsAtThePressThenFrom550EveryFiftyMs) {
    auto* bar = MakeBar();
    Press(bar, 190, 9);
    EXPECT_EQ(bar->Position(), 1);
    Advance(500);
    EXPECT_EQ(bar->Position(), 1);
    Advance(50);
    EXPECT_EQ(bar->Position(), 2);
    Advance(50);
    EXPECT_EQ(bar->Position(), 3);
    Advance(100);  // 650, 700
    EXPECT_EQ(bar->Position(), 5);
    Release();
    Advance(500);
    EXPECT_EQ(bar->Position(), 5);
    EXPECT_EQ(bar->RepeatKind(), TbsSkinScrollBar::kRepeatNone);
}

TEST_F(ScrollBarTest, LeavingAHeldArrowPausesAndReturningResumesAtFiftyMs) {
    auto* bar = MakeBar();
    bar->SetPosition(50);
    Press(bar, 8, 9);  // down button
    EXPECT_EQ(bar->Position(), 49);
    Advance(600);
    EXPECT_EQ(bar->Position(), 47);
    MoveTo(bar, 100, 9);
    EXPECT_EQ(bar->HotPart(), -1);
    Advance(400);
    EXPECT_EQ(bar->Position(), 47);
    MoveTo(bar, 8, 9);
    Advance(50);
    EXPECT_EQ(bar->Position(), 46);
    Release();
}

TEST_F(ScrollBarTest, PageRepetitionStopsOnceTheThumbPassesThePointer) {
    auto* bar = MakeBar();
    bar->SetLargeChange(10);
    Press(bar, 150, 9);
    EXPECT_EQ(bar->Position(), 10);
    EXPECT_EQ(log.Events, (std::vector<std::string>{"change", "pagedown"}));
    Advance(500);
    EXPECT_EQ(bar->Position(), 10);
    Advance(2000);
    // Position 80 puts the thumb at 137..153, over the pointer.
    EXPECT_EQ(bar->Position(), 80);
    EXPECT_EQ(bar->RepeatKind(), TbsSkinScrollBar::kRepeatNone);
    EXPECT_EQ(log.Count("pagedown"), 8);
    Release();

    // Before the thumb: page up until the thumb reaches the pointer.
    log.Clear();
    Press(bar, 40, 9);
    Advance(2000);
    EXPECT_EQ(bar->Position(), 10);
    EXPECT_EQ(log.Count("pageup"), 7);
    Release();
}

TEST_F(ScrollBarTest, ArrowEventsReplaceTheStep) {
    auto* bar = MakeBar();
    bar->SetPosition(10);
    log.Clear();
    bar->OnUpButtonClick = log.Note("upclick");
    Press(bar, 190, 9);
    Advance(600);
    Release();
    EXPECT_EQ(bar->Position(), 10);
    EXPECT_EQ(log.Count("upclick"), 3);  // press, 550, 600
    EXPECT_EQ(log.Count("change"), 0);
    // The other arrow still steps.
    ClickAt(bar, 8, 9);
    EXPECT_EQ(bar->Position(), 9);
}

TEST_F(ScrollBarTest, DraggingTheThumbFollowsThePointerAndReportsTheEnd) {
    auto* bar = MakeBar();
    Ui().Drag(ScreenOf(bar, 25, 9), ScreenOf(bar, 100, 9), 5);
    // 75 of 150 pixels: half the range.
    EXPECT_EQ(bar->Position(), 50);
    EXPECT_EQ(log.Count("last"), 1);
    EXPECT_GE(log.Count("change"), 1);
    EXPECT_FALSE(bar->ThumbDragging());
    // Beyond the end the position stays at the end.
    Ui().Drag(ScreenOf(bar, 100, 9), ScreenOf(bar, 400, 9), 3);
    EXPECT_EQ(bar->Position(), 100);
}

TEST_F(ScrollBarTest, FocusableBarTakesArrowKeysAndTheWheel) {
    auto* bar = MakeBar();
    bar->SetPosition(20);
    Ui().KeyPress(platform::ui::VK_RIGHT);
    EXPECT_EQ(bar->Position(), 20);  // not focusable: no keys
    bar->SetCanFocused(true);
    EXPECT_TRUE(bar->TabStop());
    bar->SetFocus();
    ProcessMessages();
    Ui().KeyPress(platform::ui::VK_RIGHT);
    Ui().KeyPress(platform::ui::VK_DOWN);
    EXPECT_EQ(bar->Position(), 22);
    Ui().KeyPress(platform::ui::VK_LEFT);
    EXPECT_EQ(bar->Position(), 21);
    Ui().Wheel(120);
    EXPECT_EQ(bar->Position(), 20);
    Ui().Wheel(-120);
    EXPECT_EQ(bar->Position(), 21);
}

TEST_F(ScrollBarTest, DefaultLookLightsPartsAndLeavesTheCornerMarker) {
    auto* bar = MakeBar();
    const TColor face = ColorToRGB(platform::gfx::clBtnFace);
    EXPECT_EQ(PixelAt(bar, 192, 3), face);
    MoveTo(bar, 190, 9);
    EXPECT_EQ(PixelAt(bar, 192, 3), RGB(182, 189, 210));
    Ui().MouseDown(MB::Left);
    EXPECT_EQ(PixelAt(bar, 192, 3), RGB(133, 147, 181));
    Release();
    // Both: the right BothMarkerWidth pixels stay button face, the up button moves left.
    bar->SetBoth(true);
    EXPECT_EQ(bar->SkinDataName(), "bothhscrollbar");
    bar->ComputeGeometry();
    EXPECT_EQ(bar->Part(TbsSkinScrollBar::kUpButton).Rect, (TRect{164, 1, 180, 18}));
    for (int x = 181; x < 200; ++x) EXPECT_EQ(PixelAt(bar, x, 9), face) << x;
    bar->SetBoth(false);
    EXPECT_EQ(bar->SkinDataName(), "hscrollbar");
    // Disabled: no thumb.
    bar->SetEnabled(false);
    EXPECT_EQ(PixelAt(bar, 20, 1), face);
    Shot("scrollbar_default");
}

TEST_F(ScrollBarTest, SkinLookStretchesTheTrackAndPaintsThumbStates) {
    auto skin = MakeSkin(form);
    auto* bar = MakeBar();
    bar->SetSkinData(skin.Data);
    EXPECT_EQ(bar->Height(), 19);
    EXPECT_EQ(bar->Width(), 200);
    bar->SetPosition(50);
    bar->ComputeGeometry();
    // The up button follows the right edge; the track grows with the width.
    EXPECT_EQ(bar->Part(TbsSkinScrollBar::kUpButton).Rect, (TRect{181, 0, 200, 19}));
    EXPECT_EQ(bar->TrackRect(), (TRect{19, 0, 181, 19}));
    // Thumb 16 wide, its centre in the middle of 27..173.
    EXPECT_EQ(bar->Part(TbsSkinScrollBar::kThumb).Rect, (TRect{92, 0, 108, 19}));
    EXPECT_EQ(PixelAt(bar, 100, 9), kThumbNormal);
    EXPECT_EQ(PixelAt(bar, 50, 9), kHTrack);
    EXPECT_EQ(PixelAt(bar, 190, 9), kHUp);
    MoveTo(bar, 100, 9);
    EXPECT_EQ(PixelAt(bar, 100, 9), kThumbActive);
    Ui().MouseDown(MB::Left);
    EXPECT_EQ(PixelAt(bar, 100, 9), kThumbDown);
    Release();
    MoveTo(bar, 190, 9);
    EXPECT_EQ(PixelAt(bar, 190, 9), kUpActive);
    Ui().MouseDown(MB::Left);
    EXPECT_EQ(PixelAt(bar, 190, 9), kUpDown);
    Release();
    // With a page the thumb is composed to the page's length.
    bar->SetRangeAndPosition(0, 99, 50, 0);
    const TRect thumb = Thumb(bar);
    EXPECT_EQ(thumb, (TRect{19, 0, 99, 19}));  // [162 * 50 / 100] = 81, half 40
    EXPECT_EQ(PixelAt(bar, thumb.Left + 40, 9), kThumbNormal);
    Shot("scrollbar_skin");
}

}  // namespace
}  // namespace boxes
