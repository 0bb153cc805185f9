// The skinned views: the splitter's thickness from its record and its drag limit, the tree and
// list views' external scroll bars by their rules (per style for the list), their colours from
// the record and the defaults, the header drawn from a button record, the control bar's
// background and bands, and the skin-change protocol reaching them all.

#include "SkinControlsFixture.h"
#include "platform/forms/FormResource.h"
#include "platform/forms/Splitter.h"
#include "skin/controls/bsSkinCtrlsControlBar.h"
#include "skin/controls/bsSkinCtrlsHeaderControl.h"
#include "skin/controls/bsSkinCtrlsListView.h"
#include "skin/controls/bsSkinCtrlsNotify.h"
#include "skin/controls/bsSkinCtrlsRegister.h"
#include "skin/controls/bsSkinCtrlsScrollBar.h"
#include "skin/controls/bsSkinCtrlsSplitter.h"
#include "skin/controls/bsSkinCtrlsTreeView.h"

namespace skinctl {
namespace {

using namespace platform::forms;
using skin::TbsSkinScrollBar;
using skin::TScrollBarKind;
using skin::sbHorizontal;
using skin::sbVertical;
namespace ui = platform::ui;

// A plain container for the neighbours and bands.
class TTestPanelLike : public TCustomControl {
public:
    explicit TTestPanelLike(TComponent* owner) : TCustomControl(owner) { m_controlStyle |= csAcceptsControls; }

protected:
    void Paint() override {
        Canvas().Brush.Color = platform::gfx::clWhite;
        Canvas().FillRect(ClientRect());
    }
};

constexpr TColor kTreeBack = RGB(255, 255, 0), kTreeText = RGB(255, 0, 0);

constexpr std::string_view kViewsSkin = R"([VERSION]
skinname=views test
[PICTURES]
picture=
activepicturescount=1
0=main.bmp
[FORMINFO]
[SKINOBJECTS]
count=0
[SKINCONTROLS]
count=6
0=vsplitter:splitter
1=hsplitter:splitter
2=treeview:treeview
3=listview:listview
4=resizebutton:button
5=controlbar:controlbar
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
[treeview]
fontname=Arial
fontheight=14
fontcolor=255
bgcolor=65535
[listview]
fontname=Arial
fontheight=14
fontcolor=0
bgcolor=65535
[resizebutton]
pictureindex=0
skinrect=0,0,40,20
lefttoppoint=10,0
righttoppoint=30,0
clientrect=2,2,38,18
fontcolor=255
activefontcolor=65280
downfontcolor=16711680
activeskinrect=0,20,40,40
downskinrect=0,40,40,60
[controlbar]
pictureindex=0
skinrect=40,0,70,30
lefttoppoint=10,10
righttoppoint=20,10
leftbottompoint=10,20
rightbottompoint=20,20
clientrect=10,10,20,20
itemrect=40,0,70,30
)";

class SkinViewsTest : public FormFixture {
protected:
    void SetUp() override {
        FormFixture::SetUp();
        skin = MakeSkin(form, kViewsSkin);
    }
    TbsSkinScrollBar* MakeBar(TScrollBarKind kind, const TRect& r) {
        auto* bar = new TbsSkinScrollBar(form);
        bar->SetParent(form);
        bar->SetKind(kind);
        bar->SetBounds(r.Left, r.Top, r.Width(), r.Height());
        return bar;
    }
    TTestSkin skin;
};

TEST_F(SkinViewsTest, ALeftSplitterIsAsWideAsItsRecordAndCannotBeDraggedNarrower) {
    auto* tree = Make<TTestPanelLike>(0, 0);
    tree->SetBounds(0, 0, 100, 300);
    tree->SetAlign(alLeft);
    auto* splitter = new skin::TbsSkinSplitter(form);
    splitter->SetParent(form);
    splitter->SetBounds(100, 0, 4, 300);
    splitter->SetResizeStyle(rsUpdate);
    EXPECT_EQ(splitter->Width(), 10) << "DefaultSize without a record";
    splitter->SetSkinData(skin.Data);
    EXPECT_EQ(splitter->RecordIndex(), 0);
    EXPECT_EQ(splitter->Width(), 20) << "the width of the record's skinrect";
    splitter->SetBounds(100, 0, 3, 300);
    EXPECT_EQ(splitter->Width(), 20) << "and it keeps it";
    EXPECT_EQ(splitter->MinSize(), 20);
    ArrangeAlignedControls(*form);
    // The three vertical pieces: top and bottom kept, the middle tiled.
    EXPECT_EQ(PixelAt(splitter, 5, 3), kVertTop);
    EXPECT_EQ(PixelAt(splitter, 5, 150), kVertMiddle);
    EXPECT_EQ(PixelAt(splitter, 5, 295), kVertBottom);
    // Dragging far to the left stops with the neighbour as wide as the bar.
    const TPoint from = ScreenOf(splitter, 10, 100);
    Ui().Drag(from, {from.X - 200, from.Y}, 1);
    ProcessMessages();
    EXPECT_EQ(tree->Width(), 20);
    EXPECT_EQ(splitter->Left(), 20);
    EXPECT_EQ(splitter->Width(), 20);

    // Aligned top, the hsplitter record gives the height; without skin data the default.
    splitter->SetAlign(alTop);
    splitter->SetSkinDataName("hsplitter");
    splitter->RefreshSkin();
    EXPECT_EQ(splitter->Height(), 20);
    delete skin.Data;
    skin.Data = nullptr;
    EXPECT_EQ(splitter->SkinData(), nullptr);
    EXPECT_EQ(splitter->Height(), 10);
}

TEST_F(SkinViewsTest, ATreeWhoseItemsAllFitHidesItsVerticalBarAndTheHorizontalBarDropsBoth) {
    auto* tree = Make<skin::TbsSkinTreeView>(0, 0);
    tree->SetBounds(10, 10, 150, 170);
    auto* vbar = MakeBar(sbVertical, {160, 10, 179, 180});
    auto* hbar = MakeBar(sbHorizontal, {10, 180, 160, 199});
    for (int i = 0; i < 30; ++i) tree->Items().Add(nullptr, i == 5 ? std::string(40, 'W') : "Node " + std::to_string(i));
    tree->SetVScrollBar(vbar);
    tree->SetHScrollBar(hbar);
    tree->SetSkinData(skin.Data);
    ProcessMessages();
    const int page = tree->VisibleCount();
    EXPECT_TRUE(vbar->Visible());
    EXPECT_EQ(vbar->Max(), 29);
    EXPECT_EQ(vbar->PageSize(), page);
    EXPECT_TRUE(hbar->Visible());
    EXPECT_TRUE(hbar->Both());
    EXPECT_EQ(hbar->PageSize(), 150);
    // The record's colours.
    EXPECT_EQ(tree->Color(), kTreeBack);
    EXPECT_EQ(tree->Font().Color(), kTreeText);

    // The bars follow the keyboard, and moving a bar scrolls the tree.
    tree->SetFocus();
    Ui().KeyPress(ui::VK_END);
    ProcessMessages();
    EXPECT_EQ(vbar->Position(), 30 - page);
    vbar->SetPosition(3);
    EXPECT_EQ(tree->TopItem()->Text(), "Node 3");
    hbar->SetPosition(40);
    EXPECT_EQ(tree->ScrollRange(SB_HORZ).Pos, 40);

    // Few short items: both bars go, and Both with them.
    tree->Items().BeginUpdate();
    while (tree->Items().Count() > 3) tree->Items().Delete(tree->Items().GetFirstNode());
    tree->Items().EndUpdate();
    ProcessMessages();
    EXPECT_FALSE(vbar->Visible());
    EXPECT_FALSE(hbar->Visible());
    EXPECT_FALSE(hbar->Both());
    // Only the long row: the horizontal bar alone, without the corner.
    tree->Items().Item(0)->SetText(std::string(40, 'W'));
    ProcessMessages();
    EXPECT_TRUE(hbar->Visible());
    EXPECT_FALSE(hbar->Both());
    // A hidden tree hides its bars.
    tree->Hide();
    EXPECT_FALSE(hbar->Visible());
}

TEST_F(SkinViewsTest, WithoutARecordTheViewsTakeTheirDefaults) {
    auto* tree = Make<skin::TbsSkinTreeView>(0, 0);
    tree->SetSkinDataName("missing");
    tree->SetDefaultColor(RGB(1, 2, 3));
    tree->SetSkinData(skin.Data);
    EXPECT_EQ(tree->RecordIndex(), -1);
    EXPECT_EQ(tree->Color(), RGB(1, 2, 3));
    EXPECT_EQ(tree->Font().Name(), "Arial");
    EXPECT_EQ(tree->Font().Height(), 14);
    // Without UseSkinFont the record gives colours only.
    tree->SetSkinDataName("treeview");
    tree->SetUseSkinFont(false);
    tree->DefaultFont().SetHeight(20);
    tree->RefreshSkin();
    EXPECT_EQ(tree->Color(), kTreeBack);
    EXPECT_EQ(tree->Font().Height(), 20);
    EXPECT_EQ(tree->Font().Color(), kTreeText);
}

class SkinListViewBars : public SkinViewsTest {
protected:
    void MakeList(int count, TViewStyle style) {
        list = Make<skin::TbsSkinListView>(0, 0);
        list->SetBounds(10, 10, 200, 150);
        vbar = MakeBar(sbVertical, {210, 10, 229, 160});
        hbar = MakeBar(sbHorizontal, {10, 160, 210, 179});
        list->SetViewStyle(style);
        list->Columns().Add("Name", 120);
        list->Columns().Add("Size", 60);
        list->Items().BeginUpdate();
        for (int i = 0; i < count; ++i) list->Items().Add()->SetCaption("File " + std::to_string(i));
        list->Items().EndUpdate();
        list->SetVScrollBar(vbar);
        list->SetHScrollBar(hbar);
        list->SetSkinData(skin.Data);
        ProcessMessages();
    }
    skin::TbsSkinListView* list = nullptr;
    TbsSkinScrollBar* vbar = nullptr;
    TbsSkinScrollBar* hbar = nullptr;
};

TEST_F(SkinListViewBars, ReportShowsTheVerticalBarByRowsAndTheHorizontalBarByColumns) {
    MakeList(40, vsReport);
    const int perPage = list->VisibleRowCount();
    EXPECT_TRUE(vbar->Visible());
    EXPECT_EQ(vbar->Max(), 39);
    EXPECT_EQ(vbar->PageSize(), perPage);
    EXPECT_EQ(vbar->LargeChange(), perPage);
    EXPECT_EQ(vbar->SmallChange(), 1);
    EXPECT_FALSE(hbar->Visible()) << "180 pixels of columns fit in 200";
    list->Columns().Set(1, {"Size", 160, taLeftJustify, -1});
    list->Repaint();
    ProcessMessages();
    EXPECT_TRUE(hbar->Visible());
    EXPECT_TRUE(hbar->Both());
    EXPECT_EQ(hbar->Max(), 280);
    EXPECT_EQ(hbar->PageSize(), 200);
    vbar->SetPosition(10);
    EXPECT_EQ(list->TopIndex(), 10);
    // All rows fit: the vertical bar goes and the horizontal one leaves the corner.
    list->Items().BeginUpdate();
    while (list->Items().Count() > 2) list->Items().Delete(0);
    list->Items().EndUpdate();
    ProcessMessages();
    EXPECT_FALSE(vbar->Visible());
    EXPECT_FALSE(hbar->Both());
}

TEST_F(SkinListViewBars, ListStyleScrollsSidewaysOnlyOneColumnAStep) {
    MakeList(40, vsList);
    EXPECT_FALSE(vbar->Visible());
    EXPECT_TRUE(hbar->Visible());
    const int itemWidth = list->ItemRect(0).Width();
    EXPECT_EQ(hbar->PageSize(), 200 / itemWidth);
    EXPECT_EQ(hbar->SmallChange(), 1);
    EXPECT_EQ(hbar->LargeChange(), 1);
    hbar->SetPosition(1);
    EXPECT_EQ(list->TopIndex(), list->VisibleRowCount() / (200 / itemWidth)) << "one column of rows on";
    // Few items all fit.
    list->Items().BeginUpdate();
    while (list->Items().Count() > 3) list->Items().Delete(0);
    list->Items().EndUpdate();
    ProcessMessages();
    EXPECT_FALSE(hbar->Visible());
}

TEST_F(SkinListViewBars, IconStylesStepByHalfAnItem) {
    MakeList(40, vsIcon);
    const int half = list->ItemRect(0).Height() / 2;
    EXPECT_TRUE(vbar->Visible());
    EXPECT_EQ(vbar->PageSize(), 150);
    EXPECT_EQ(vbar->SmallChange(), half);
    EXPECT_EQ(vbar->LargeChange(), half);
    EXPECT_FALSE(hbar->Visible());
    list->SetViewStyle(vsSmallIcon);
    list->Repaint();
    ProcessMessages();
    EXPECT_EQ(vbar->SmallChange(), std::max(1, list->ItemRect(0).Height() / 2));
    // A list too small to show anything keeps its bars as they were.
    list->SetBounds(10, 10, 4, 4);
    ProcessMessages();
    EXPECT_TRUE(vbar->Visible());
}

TEST_F(SkinViewsTest, TheListHeaderAndAHeaderControlAreDrawnFromTheButtonRecord) {
    auto* header = Make<skin::TbsSkinHeaderControl>(0, 0);
    header->SetBounds(10, 10, 200, 30);
    for (int i = 0; i < 2; ++i) header->Sections().Add()->SetWidth(60);
    std::vector<std::string> clicks;
    header->OnSkinSectionClick = [&](TComponent*, THeaderSection* s) { clicks.push_back(std::to_string(s->Index())); };
    header->SetDefaultHeight(24);
    EXPECT_EQ(header->Height(), 24) << "DefaultHeight without a record";
    header->SetSkinData(skin.Data);
    EXPECT_EQ(header->Height(), 20) << "the record does not stretch vertically";
    EXPECT_EQ(PixelAt(header, 2, 5), StateColor(stNormal, ptLeft));
    EXPECT_EQ(PixelAt(header, 30, 5), StateColor(stNormal, ptMiddle));
    EXPECT_EQ(PixelAt(header, 58, 5), StateColor(stNormal, ptRight));
    EXPECT_EQ(PixelAt(header, 190, 5), StateColor(stNormal, ptMiddle)) << "the rest, open at the right";
    Ui().MouseMove(ScreenOf(header, 70, 5));
    ProcessMessages();
    EXPECT_EQ(PixelAt(header, 62, 5), StateColor(stActive, ptLeft)) << "hot";
    Ui().MouseDown();
    ProcessMessages();
    EXPECT_EQ(PixelAt(header, 62, 5), StateColor(stDown, ptLeft)) << "pressed";
    Ui().MouseUp();
    ProcessMessages();
    EXPECT_EQ(clicks, (std::vector<std::string>{"1"}));

    // The list view's own header is such a header, bound with the list.
    auto* list = Make<skin::TbsSkinListView>(0, 0);
    list->SetBounds(10, 60, 200, 100);
    list->SetViewStyle(vsReport);
    list->Columns().Add("Name", 100);
    list->SetSkinData(skin.Data);
    ProcessMessages();
    ASSERT_NE(list->SkinHeader(), nullptr);
    EXPECT_EQ(list->Header(), list->SkinHeader());
    EXPECT_EQ(list->HeaderHeight(), 20);
    EXPECT_EQ(PixelAt(list->Header(), 2, 5), StateColor(stNormal, ptLeft));
    EXPECT_EQ(list->Color(), kTreeBack);
}

TEST_F(SkinViewsTest, TheControlBarTilesItsRecordAndFramesItsBands) {
    auto* bar = Make<skin::TbsSkinControlBar>(0, 0);
    bar->SetBounds(0, 0, 300, 60);
    auto* band = new TTestPanelLike(form);
    band->SetBounds(20, 4, 80, 20);
    band->SetParent(bar);
    bar->SetSkinData(skin.Data);
    ProcessMessages();
    EXPECT_EQ(PixelAt(bar, 250, 40), NineColor(1, 1)) << "the client part tiled";
    const TRect frame = bar->BandRect(band);
    EXPECT_EQ(PixelAt(bar, frame.Left + 1, frame.Top + 1), NineColor(0, 0)) << "the band's frame corner";
    EXPECT_EQ(PixelAt(bar, frame.Right - 1, frame.Bottom - 1), NineColor(2, 2));
}

TEST_F(SkinViewsTest, TheSkinChangeProtocolReachesTheViews) {
    auto* tree = Make<skin::TbsSkinTreeView>(0, 0);
    auto* list = Make<skin::TbsSkinListView>(0, 0);
    auto* splitter = new skin::TbsSkinSplitter(form);
    splitter->SetParent(form);
    tree->SetSkinData(skin.Data);
    list->SetSkinData(skin.Data);
    splitter->SetSkinData(skin.Data);
    skin::SkinControlsBeforeChange(*form, skin.Data);
    EXPECT_EQ(tree->RecordIndex(), -1);
    EXPECT_EQ(list->RecordIndex(), -1);
    EXPECT_EQ(splitter->RecordIndex(), -1);
    skin::SkinControlsChange(*form, skin.Data);
    EXPECT_EQ(tree->RecordIndex(), 2);
    EXPECT_EQ(list->RecordIndex(), 3);
    EXPECT_EQ(splitter->RecordIndex(), 0);
}

TEST_F(SkinViewsTest, FormResourcesCarryTheViewsPublishedPropertiesAndReferences) {
    skin::RegisterSkinControlClasses();
    auto* f = new TForm(form);
    ReadComponentResource(*f,
                          "object F: TForm\n"
                          "  object Data: TbsSkinData\n"
                          "  end\n"
                          "  object Tree: TbsSkinTreeView\n"
                          "    SkinData = Data\n"
                          "    DefaultColor = clBtnFace\n"
                          "    UseSkinFont = False\n"
                          "    Items.Nodes = (\n"
                          "      'Root'\n"
                          "      #9'Child')\n"
                          "  end\n"
                          "  object Files: TbsSkinListView\n"
                          "    HeaderSkinDataName = 'button'\n"
                          "    ViewStyle = vsReport\n"
                          "    Columns.Items = (\n"
                          "      'Name|100|0')\n"
                          "  end\n"
                          "  object Split: TbsSkinSplitter\n"
                          "    DefaultSize = 7\n"
                          "    SkinDataName = 'hsplitter'\n"
                          "  end\n"
                          "  object Bar: TbsSkinControlBar\n"
                          "    SkinBevel = True\n"
                          "  end\n"
                          "  object Head: TbsSkinHeaderControl\n"
                          "    DefaultHeight = 22\n"
                          "  end\n"
                          "end\n");
    auto* tree = dynamic_cast<skin::TbsSkinTreeView*>(f->FindComponent("Tree"));
    ASSERT_NE(tree, nullptr);
    EXPECT_EQ(tree->SkinData(), f->FindComponent("Data"));
    EXPECT_FALSE(tree->UseSkinFont());
    EXPECT_EQ(tree->Items().Count(), 2);
    EXPECT_EQ(tree->Color(), platform::gfx::clBtnFace) << "no record: the default colour";
    auto* files = dynamic_cast<skin::TbsSkinListView*>(f->FindComponent("Files"));
    ASSERT_NE(files, nullptr);
    EXPECT_EQ(files->HeaderSkinDataName(), "button");
    EXPECT_EQ(files->Columns().Count(), 1);
    auto* split = dynamic_cast<skin::TbsSkinSplitter*>(f->FindComponent("Split"));
    ASSERT_NE(split, nullptr);
    EXPECT_EQ(split->Width(), 7);
    EXPECT_TRUE(dynamic_cast<skin::TbsSkinControlBar*>(f->FindComponent("Bar"))->SkinBevel());
    EXPECT_EQ(dynamic_cast<skin::TbsSkinHeaderControl*>(f->FindComponent("Head"))->Height(), 22);
    const std::string text = WriteComponentResource(*f);
    for (const char* expected : {"SkinData = Data", "DefaultColor = clBtnFace", "HeaderSkinDataName = 'button'",
                                 "DefaultSize = 7", "SkinBevel = True", "DefaultHeight = 22", "#9'Child'"})
        EXPECT_NE(text.find(expected), std::string::npos) << expected;
    EXPECT_EQ(text.find("SkinDataName = 'treeview'"), std::string::npos) << "defaults are not written";
}

}  // namespace
}  // namespace skinctl
