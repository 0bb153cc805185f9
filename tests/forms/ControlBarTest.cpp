// The control bar: bands placed in rows without overlapping, dragging a band by its grabber
// within its row, to a new row and back, rows closing up, auto-size, and the band frames drawn.

#include "ViewsTestSupport.h"
#include "platform/forms/ControlBar.h"

namespace viewstest {
namespace {

class ControlBarTest : public ViewsFixture {
protected:
    void MakeBar() {
        bar = Make<TControlBar>(0, 0, 400, 80);
        bar->SetAutoSize(true);
        first = new TTestPanel(form);
        first->SetBounds(20, 2, 100, 22);
        first->SetParent(bar);
        second = new TTestPanel(form);
        second->SetBounds(60, 2, 80, 22);  // overlaps the first: pushed right
        second->SetParent(bar);
        bar->OnBandMove = [this](TComponent*, TControl* c, TRect& r) {
            events.push_back((c == first ? "first " : "second ") + std::to_string(r.Left) + "," + std::to_string(r.Top));
        };
        ShowAll();
    }
    void DragGrabber(TControl* band, int dx, int dy) {
        const TRect r = bar->BandRect(band);
        const TPoint from = bar->ClientToScreen({r.Left + 4, r.Top + 8});
        Session().Drag(from, {from.X + dx, from.Y + dy});
        ProcessMessages();
    }
    TControlBar* bar = nullptr;
    TTestPanel* first = nullptr;
    TTestPanel* second = nullptr;
};

TEST_F(ControlBarTest, BandsSitInRowsBehindTheirGrabbersWithoutOverlapping) {
    MakeBar();
    EXPECT_EQ(bar->RowCount(), 1);
    EXPECT_EQ(bar->BandRect(first), (TRect{9, 0, 122, 26}));
    EXPECT_EQ(first->Left(), 9 + TControlBar::kGrabberWidth);
    EXPECT_EQ(bar->BandRect(second).Left, 122) << "pushed right of the first band";
    EXPECT_EQ(bar->Height(), 26) << "auto-size: one row";
    EXPECT_EQ(bar->GrabberAt({12, 10}), first);
    EXPECT_EQ(bar->GrabberAt({40, 10}), nullptr) << "that is the control itself";
    EXPECT_EQ(bar->BandRow(second), 0);
    // The frame of a band is drawn: its top-left corner is light, its bottom edge dark.
    bar->Repaint();
    EXPECT_EQ(Pixel(bar, 9, 0), gfx::ColorToRGB(gfx::clBtnHighlight));
    EXPECT_EQ(Pixel(bar, 60, 25), gfx::ColorToRGB(gfx::clBtnShadow));
}

TEST_F(ControlBarTest, DraggingAGrabberMovesABandAlongItsRowOrIntoANewRow) {
    MakeBar();
    DragGrabber(second, 60, 0);
    EXPECT_EQ(bar->BandRect(second).Left, 182);
    EXPECT_EQ(events, (std::vector<std::string>{"second 182,0"}));
    // Below the last row: a new row, and the bar grows.
    DragGrabber(second, -150, 30);
    EXPECT_EQ(bar->RowCount(), 2);
    EXPECT_EQ(bar->BandRow(second), 1);
    EXPECT_EQ(bar->BandRect(second).Top, 26);
    EXPECT_EQ(bar->BandRect(second).Left, 32);
    EXPECT_EQ(bar->Height(), 52);
    // Back up into the first row: it is pushed behind the band there and the empty row closes.
    DragGrabber(second, 0, -26);
    EXPECT_EQ(bar->RowCount(), 1);
    EXPECT_EQ(bar->BandRect(second).Left, 122);
    EXPECT_EQ(bar->Height(), 26);
    // Above the first row: a new first row.
    DragGrabber(first, 0, -20);
    EXPECT_EQ(bar->RowCount(), 2);
    EXPECT_EQ(bar->BandRow(first), 0);
    EXPECT_EQ(bar->BandRow(second), 1);
    // Without auto-drag the grabbers do nothing.
    bar->SetAutoDrag(false);
    events.clear();
    DragGrabber(first, 50, 0);
    EXPECT_TRUE(events.empty());
}

TEST_F(ControlBarTest, HiddenAndRemovedBandsGiveUpTheirRoom) {
    MakeBar();
    DragGrabber(second, -100, 30);
    ASSERT_EQ(bar->RowCount(), 2);
    second->Hide();
    bar->ArrangeBands();
    EXPECT_EQ(bar->RowCount(), 1);
    EXPECT_TRUE(bar->BandRect(second).IsEmpty());
    second->Show();
    bar->ArrangeBands();
    EXPECT_EQ(bar->RowCount(), 2);
    delete second;
    second = nullptr;
    EXPECT_EQ(bar->RowCount(), 1) << "removing a control re-arranges";
    EXPECT_EQ(bar->Height(), 26);
}

}  // namespace
}  // namespace viewstest
