// The skinned splitter in a laid-out form, with no layout call of the test's own: aligned left
// with a [vsplitter] record it is exactly as wide as the record's skinrect, its neighbours move
// aside for it, and it cannot be dragged narrower than that; the form's resize keeps the layout.

#include "platform/forms/Splitter.h"
#include "skin/controls/bsSkinCtrlsSplitter.h"
#include "skin_controls/SkinControlsFixture.h"

namespace skinctl {
namespace {

using namespace platform::forms;

constexpr std::string_view kSplitterSkin = R"([VERSION]
skinname=splitter test
[PICTURES]
picture=
activepicturescount=1
0=main.bmp
[FORMINFO]
[SKINOBJECTS]
count=0
[SKINCONTROLS]
count=2
0=vsplitter:splitter
1=hsplitter:splitter
[vsplitter]
pictureindex=0
skinrect=90,0,110,30
lefttoppoint=0,10
leftbottompoint=0,20
[hsplitter]
pictureindex=0
skinrect=0,0,40,20
lefttoppoint=10,0
righttoppoint=30,0
)";

// A container painted white, as a tree or list pane would be.
class TPane : public TCustomControl {
public:
    explicit TPane(TComponent* owner) : TCustomControl(owner) { m_controlStyle |= csAcceptsControls; }

protected:
    void Paint() override {
        Canvas().Brush.Color = platform::gfx::clWhite;
        Canvas().FillRect(ClientRect());
    }
};

class AlignSkinSplitterTest : public FormFixture {
protected:
    TPane* Pane(TAlign align, int left, int width) {
        auto* p = new TPane(form);
        p->SetBounds(left, 0, width, 300);
        p->SetAlign(align);
        p->SetParent(form);
        return p;
    }
};

TEST_F(AlignSkinSplitterTest, ALeftSplitterIsAsWideAsItsRecordAndCannotBeDraggedNarrower) {
    const TTestSkin skin = MakeSkin(form, kSplitterSkin);
    auto* tree = Pane(alLeft, 0, 100);
    auto* splitter = new skin::TbsSkinSplitter(form);
    splitter->SetBounds(100, 0, 4, 300);
    splitter->SetResizeStyle(rsUpdate);
    splitter->SetParent(form);
    auto* rest = Pane(alClient, 200, 10);
    EXPECT_EQ(splitter->Width(), 10) << "DefaultSize without a record";
    EXPECT_EQ(rest->Left(), 110);
    splitter->SetSkinData(skin.Data);
    ProcessMessages();
    EXPECT_EQ(splitter->BoundsRect(), (TRect{100, 0, 120, 300})) << "the record's skinrect is 20 wide";
    EXPECT_EQ(rest->BoundsRect(), (TRect{120, 0, 400, 300})) << "the rest moved aside by itself";
    EXPECT_EQ(splitter->MinSize(), 20);
    EXPECT_EQ(PixelAt(splitter, 5, 3), kVertTop);
    EXPECT_EQ(PixelAt(splitter, 5, 150), kVertMiddle);
    EXPECT_EQ(PixelAt(splitter, 5, 295), kVertBottom);

    const TPoint from = ScreenOf(splitter, 10, 100);
    Ui().Drag(from, {from.X - 200, from.Y}, 1);
    ProcessMessages();
    EXPECT_EQ(tree->Width(), 20) << "no narrower than the bar";
    EXPECT_EQ(splitter->BoundsRect(), (TRect{20, 0, 40, 300}));
    EXPECT_EQ(rest->Left(), 40);
    const TPoint back = ScreenOf(splitter, 10, 100);
    Ui().Drag(back, {back.X + 60, back.Y}, 1);
    ProcessMessages();
    EXPECT_EQ(tree->Width(), 80);
    EXPECT_EQ(rest->BoundsRect(), (TRect{100, 0, 400, 300}));

    // The form grows: the splitter keeps its width and place, the rest takes the room.
    form->SetBounds(0, 0, 500, 320);
    ProcessMessages();
    EXPECT_EQ(splitter->BoundsRect(), (TRect{80, 0, 100, 320}));
    EXPECT_EQ(rest->BoundsRect(), (TRect{100, 0, 500, 320}));
    EXPECT_EQ(PixelAt(splitter, 5, 315), kVertBottom);
}

TEST_F(AlignSkinSplitterTest, ATopSplitterTakesTheHeightOfItsRecord) {
    const TTestSkin skin = MakeSkin(form, kSplitterSkin);
    auto* top = new TPane(form);
    top->SetBounds(0, 0, 400, 80);
    top->SetAlign(alTop);
    top->SetParent(form);
    auto* splitter = new skin::TbsSkinSplitter(form);
    splitter->SetSkinDataName("hsplitter");
    splitter->SetBounds(0, 80, 400, 4);
    splitter->SetAlign(alTop);
    splitter->SetParent(form);
    auto* rest = Pane(alClient, 0, 10);
    splitter->SetSkinData(skin.Data);
    ProcessMessages();
    EXPECT_EQ(splitter->BoundsRect(), (TRect{0, 80, 400, 100}));
    EXPECT_EQ(rest->Top(), 100);
    const TPoint from = ScreenOf(splitter, 200, 10);
    Ui().Drag(from, {from.X, from.Y - 300}, 1);
    ProcessMessages();
    EXPECT_EQ(top->Height(), 20);
    EXPECT_EQ(rest->Top(), 40);
}

}  // namespace
}  // namespace skinctl
