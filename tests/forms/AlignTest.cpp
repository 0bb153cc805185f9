// Alignment in the framework: a windowed parent lays out its aligned children by itself when its
// client size changes and when a child's alignment, size or visibility changes; top, bottom,
// left, right, then client, each kind by the children's places; Constraints are kept; a layout
// can be held back; a form resource is laid out once it is read.

#include "ViewsTestSupport.h"

namespace viewstest {
namespace {

class AlignTest : public ViewsFixture {
protected:
    TTestPanel* Panel(TAlign align, int left, int top, int width, int height) {
        auto* p = Make<TTestPanel>(left, top, width, height);
        p->SetAlign(align);
        return p;
    }
};

TEST_F(AlignTest, TopLeftAndClientChildrenFollowTheFormsSize) {
    auto* top = Panel(alTop, 0, 0, 10, 40);
    auto* left = Panel(alLeft, 0, 0, 120, 10);
    auto* client = Panel(alClient, 0, 0, 10, 10);
    auto* loose = Make<TTestPanel>(300, 200, 50, 50);  // alNone keeps its place
    ShowAll();
    EXPECT_EQ(top->BoundsRect(), (TRect{0, 0, 400, 40}));
    EXPECT_EQ(left->BoundsRect(), (TRect{0, 40, 120, 300}));
    EXPECT_EQ(client->BoundsRect(), (TRect{120, 40, 400, 300}));

    form->SetBounds(50, 50, 520, 360);
    ProcessMessages();
    EXPECT_EQ(top->BoundsRect(), (TRect{0, 0, 520, 40}));
    EXPECT_EQ(left->BoundsRect(), (TRect{0, 40, 120, 360}));
    EXPECT_EQ(client->BoundsRect(), (TRect{120, 40, 520, 360}));
    EXPECT_EQ(loose->BoundsRect(), (TRect{300, 200, 350, 250}));

    // A child's own size change moves the others.
    top->SetHeight(60);
    EXPECT_EQ(left->BoundsRect(), (TRect{0, 60, 120, 360}));
    EXPECT_EQ(client->BoundsRect(), (TRect{120, 60, 520, 360}));
    left->SetWidth(200);
    EXPECT_EQ(client->Left(), 200);
    // A windowed child's children follow it in turn.
    auto* inner = new TTestPanel(form);
    inner->SetParent(client);
    inner->SetBounds(0, 0, 10, 25);
    inner->SetAlign(alBottom);
    EXPECT_EQ(inner->BoundsRect(), (TRect{0, 275, 320, 300}));
    form->SetBounds(50, 50, 600, 400);
    ProcessMessages();
    EXPECT_EQ(inner->BoundsRect(), (TRect{0, 315, 400, 340}));
}

TEST_F(AlignTest, AHiddenChildFreesItsSpaceAndTakesItBackWhenShown) {
    auto* top = Panel(alTop, 0, 0, 10, 30);
    auto* bottom = Panel(alBottom, 0, 0, 10, 20);
    auto* right = Panel(alRight, 0, 0, 70, 10);
    auto* client = Panel(alClient, 0, 0, 10, 10);
    ShowAll();
    EXPECT_EQ(client->BoundsRect(), (TRect{0, 30, 330, 280}));
    top->Hide();
    EXPECT_EQ(client->BoundsRect(), (TRect{0, 0, 330, 280}));
    EXPECT_EQ(right->BoundsRect(), (TRect{330, 0, 400, 280}));
    right->Hide();
    EXPECT_EQ(client->BoundsRect(), (TRect{0, 0, 400, 280}));
    top->Show();
    right->Show();
    EXPECT_EQ(client->BoundsRect(), (TRect{0, 30, 330, 280}));
    EXPECT_EQ(bottom->BoundsRect(), (TRect{0, 280, 400, 300}));
    // Taking the alignment away, or removing the child, gives the space back as well.
    bottom->SetAlign(alNone);
    EXPECT_EQ(client->Height(), 270);
    delete right;
    EXPECT_EQ(client->Width(), 400);
}

TEST_F(AlignTest, EachKindStacksByPlaceAndAMovedChildWinsATie) {
    auto* a = Panel(alTop, 0, 0, 10, 20);
    auto* b = Panel(alTop, 0, 100, 10, 30);
    EXPECT_EQ(a->Top(), 0);
    EXPECT_EQ(b->Top(), 20) << "below a, whose place is higher";
    b->SetTop(0);  // the same place as a: the one that moved goes first
    EXPECT_EQ(b->Top(), 0);
    EXPECT_EQ(a->Top(), 30);
    auto* r1 = Panel(alRight, 0, 0, 40, 10);
    auto* r2 = Panel(alRight, 350, 0, 50, 10);
    EXPECT_EQ(r2->Left(), 350) << "placed where r1 is: the new one goes outermost";
    EXPECT_EQ(r1->Left(), 310);
    // Between the kinds the order is fixed: top before left, whatever the places.
    auto* l = Panel(alLeft, 0, 0, 25, 10);
    EXPECT_EQ(l->BoundsRect(), (TRect{0, 50, 25, 300}));
}

TEST_F(AlignTest, ConstraintsAreKeptAndALayoutCanBeHeldBack) {
    auto* left = Panel(alLeft, 0, 0, 100, 10);
    left->SetConstraints({0, 0, 0, 150});  // at most 150 high
    auto* client = Panel(alClient, 0, 0, 10, 10);
    client->SetConstraints({0, 0, 200, 0});  // at most 200 wide
    EXPECT_EQ(left->BoundsRect(), (TRect{0, 0, 100, 150}));
    EXPECT_EQ(client->BoundsRect(), (TRect{100, 0, 300, 300}));

    form->DisableAlign();
    auto* top = Panel(alTop, 0, 0, 10, 40);
    EXPECT_EQ(top->BoundsRect(), (TRect{0, 0, 10, 40})) << "held back";
    EXPECT_EQ(client->Top(), 0);
    form->DisableAlign();
    form->EnableAlign();
    EXPECT_TRUE(form->AlignDisabled());
    form->EnableAlign();
    EXPECT_FALSE(form->AlignDisabled());
    EXPECT_EQ(top->BoundsRect(), (TRect{0, 0, 400, 40}));
    EXPECT_EQ(client->Top(), 40);
    form->EnableAlign();  // one too many does no harm
    EXPECT_FALSE(form->AlignDisabled());
}

const char* kAlignedResource = R"(object AlignForm: TForm
  BorderStyle = bsNone
  ClientWidth = 300
  ClientHeight = 200
  object Bar: TTestPanel
    Left = 0
    Top = 0
    Width = 20
    Height = 24
    Align = alTop
  end
  object Side: TTestPanel
    Left = 0
    Top = 0
    Width = 80
    Height = 20
    Align = alLeft
  end
  object Body: TTestPanel
    Left = 0
    Top = 0
    Width = 5
    Height = 5
    Align = alClient
  end
end
)";

TEST_F(AlignTest, AFormResourceIsLaidOutOnceItIsRead) {
    TForm* read = ShowForm(kAlignedResource);
    auto* bar = dynamic_cast<TControl*>(read->FindComponent("Bar"));
    auto* side = dynamic_cast<TControl*>(read->FindComponent("Side"));
    auto* body = dynamic_cast<TControl*>(read->FindComponent("Body"));
    ASSERT_TRUE(bar && side && body);
    EXPECT_EQ(bar->BoundsRect(), (TRect{0, 0, 300, 24}));
    EXPECT_EQ(side->BoundsRect(), (TRect{0, 24, 80, 200}));
    EXPECT_EQ(body->BoundsRect(), (TRect{80, 24, 300, 200}));
    delete read;
}

}  // namespace
}  // namespace viewstest
