// The splitter and the alignment of a parent's children: placing aligned controls, dragging the
// splitter live or with an inverted line, the MinSize limits on both sides, splitters on the
// other edges, refusals through OnCanResize, and a splitter with no neighbour.

#include "ViewsTestSupport.h"
#include "platform/forms/Splitter.h"

namespace viewstest {
namespace {

class SplitterTest : public ViewsFixture {
protected:
    // tree (left, 100 wide) | splitter | rest (client), in a 400 x 300 form.
    void MakeLayout(TAlign side = alLeft) {
        // Built with the layout held back, as a form resource is read: the places set below
        // decide the order, not the moves in between.
        form->DisableAlign();
        left = Make<TTestPanel>(0, 0, 100, 100);
        left->SetAlign(side);
        splitter = new TSplitter(form);
        splitter->SetParent(form);
        splitter->SetAlign(side);
        if (side == alLeft) splitter->SetBounds(100, 0, 4, 100);
        if (side == alRight) splitter->SetBounds(-100, 0, 4, 100);
        if (side == alTop || side == alBottom) splitter->SetBounds(0, side == alTop ? 100 : -100, 100, 4);
        if (side == alRight) left->SetBounds(0, 0, 100, 100);
        if (side == alTop || side == alBottom) left->SetBounds(0, 0, 100, 100);
        rest = Make<TTestPanel>(0, 0, 10, 10);
        rest->SetAlign(alClient);
        form->EnableAlign();
        splitter->OnMoved = [this](TComponent*) { events.push_back("moved"); };
        ShowAll();
    }
    void DragSplitter(int dx, int dy) {
        const TPoint from = splitter->ClientToScreen({splitter->Width() / 2, splitter->Height() / 2});
        Session().Drag(from, {from.X + dx, from.Y + dy}, 1);
        ProcessMessages();
    }
    TTestPanel* left = nullptr;
    TTestPanel* rest = nullptr;
    TSplitter* splitter = nullptr;
};

TEST_F(SplitterTest, AlignedControlsFillTheParentInTheOrderOfTheirPlaces) {
    auto* top = Make<TTestPanel>(0, 0, 50, 30);
    top->SetAlign(alTop);
    auto* bottom = Make<TTestPanel>(0, 0, 50, 20);
    bottom->SetAlign(alBottom);
    auto* right = Make<TTestPanel>(0, 0, 60, 20);
    right->SetAlign(alRight);
    MakeLayout();
    EXPECT_EQ(top->BoundsRect(), (TRect{0, 0, 400, 30}));
    EXPECT_EQ(bottom->BoundsRect(), (TRect{0, 280, 400, 300}));
    EXPECT_EQ(left->BoundsRect(), (TRect{0, 30, 100, 280}));
    EXPECT_EQ(splitter->BoundsRect(), (TRect{100, 30, 104, 280}));
    EXPECT_EQ(right->BoundsRect(), (TRect{340, 30, 400, 280}));
    EXPECT_EQ(rest->BoundsRect(), (TRect{104, 30, 340, 280}));
    EXPECT_EQ(splitter->FindNeighbour(), left);
    // A hidden control gives its room to the others.
    top->Hide();
    EXPECT_EQ(left->Top(), 0);
}

TEST_F(SplitterTest, ALiveDragResizesTheNeighbourWithinMinSizeOnBothSides) {
    MakeLayout();
    splitter->SetResizeStyle(rsUpdate);
    DragSplitter(50, 0);
    EXPECT_EQ(left->Width(), 150);
    EXPECT_EQ(splitter->Left(), 150);
    EXPECT_EQ(rest->Left(), 154);
    EXPECT_EQ(events, (std::vector<std::string>{"moved"}));
    DragSplitter(-400, 0);
    EXPECT_EQ(left->Width(), 30) << "MinSize";
    DragSplitter(600, 0);
    EXPECT_EQ(rest->Width(), 30) << "the rest keeps MinSize as well";
    EXPECT_EQ(left->Width(), 400 - 4 - 30);
    // A drag back to where it started moves nothing.
    events.clear();
    DragSplitter(0, 0);
    EXPECT_TRUE(events.empty());
    splitter->SetMinSize(0);
    EXPECT_EQ(splitter->MinSize(), 1);
}

TEST_F(SplitterTest, ALineDragShowsAnInvertedLineAndResizesOnRelease) {
    MakeLayout();
    splitter->SetResizeStyle(rsLine);
    const TPoint from = splitter->ClientToScreen({2, 50});
    const TColor before = Session().ScreenPixel(from.X + 40, from.Y);
    Session().MouseMove(from);
    Session().MouseDown();
    Session().MouseMove({from.X + 40, from.Y});
    ProcessMessages();
    EXPECT_TRUE(splitter->Dragging());
    EXPECT_EQ(splitter->NewSize(), 140);
    EXPECT_EQ(splitter->LinePosition(), 140);
    EXPECT_EQ(left->Width(), 100) << "nothing moves before the release";
    EXPECT_EQ(Session().ScreenPixel(from.X + 40, from.Y), before ^ 0xFFFFFF);
    Session().MouseUp();
    ProcessMessages();
    EXPECT_FALSE(splitter->Dragging());
    EXPECT_EQ(splitter->LinePosition(), -1);
    EXPECT_EQ(left->Width(), 140);
    EXPECT_EQ(events, (std::vector<std::string>{"moved"}));
}

TEST_F(SplitterTest, SplittersOnTheOtherEdgesDragTheOtherWay) {
    MakeLayout(alRight);
    splitter->SetResizeStyle(rsUpdate);
    EXPECT_EQ(left->BoundsRect(), (TRect{300, 0, 400, 300}));
    EXPECT_EQ(splitter->BoundsRect(), (TRect{296, 0, 300, 300}));
    DragSplitter(-50, 0);
    EXPECT_EQ(left->BoundsRect(), (TRect{250, 0, 400, 300}));
    EXPECT_EQ(splitter->Left(), 246);
}

TEST_F(SplitterTest, TopSplittersResizeHeightsAndOnCanResizeMayChangeOrRefuse) {
    MakeLayout(alTop);
    splitter->SetResizeStyle(rsUpdate);
    splitter->OnCanResize = [](TComponent*, int& size, bool& accept) {
        accept = size < 200;
        size = size / 10 * 10;  // snap to tens
    };
    DragSplitter(0, 37);
    EXPECT_EQ(left->Height(), 130);
    EXPECT_EQ(splitter->Top(), 130);
    DragSplitter(0, 100);
    EXPECT_EQ(left->Height(), 130) << "refused beyond 200";
}

TEST_F(SplitterTest, ASplitterWithoutANeighbourDoesNothing) {
    splitter = new TSplitter(form);
    splitter->SetParent(form);
    splitter->SetBounds(200, 0, 4, 300);
    ShowAll();
    EXPECT_EQ(splitter->FindNeighbour(), nullptr);
    EXPECT_EQ(splitter->Left(), 0) << "aligned left, on the edge with nothing beside it";
    DragSplitter(50, 0);
    EXPECT_FALSE(splitter->Dragging());
    EXPECT_EQ(splitter->Left(), 0);
    EXPECT_TRUE(events.empty());
}

}  // namespace
}  // namespace viewstest
