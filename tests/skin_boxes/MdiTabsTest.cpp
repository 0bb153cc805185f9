// The MDI tabs bar: tab layout (shared width, the last narrowed tab reaching the edge), the bar's
// height with and without a record, painting in both looks, tabs that follow freed children,
// bringing a child forward (and out of its minimised state) with a click, hot-tracking events,
// and dragging a tab to another place with the insertion marker.

#include <string>
#include <vector>

#include "SkinTabsFixture.h"
#include "platform/forms/Form.h"
#include "platform/forms/FormResource.h"
#include "platform/forms/MdiClient.h"
#include "skin/boxes/bsSkinBoxCtrlsRegister.h"
#include "skin/boxes/bsSkinMDITabs.h"

namespace boxes {
namespace {

using platform::forms::TForm;
using skin::TbsMDITab;
using skin::TbsSkinMDITabsBar;
namespace forms = platform::forms;

const TColor kFace = platform::gfx::ColorToRGB(platform::gfx::clBtnFace);

class MdiTabsTest : public vktest::UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        main = new TForm(&App());
        main->SetName("frmMain");
        main->SetCaption("Main");
        main->SetFormStyle(forms::fsMDIForm);
        main->SetBorderStyle(forms::bsNone);
        App().SetMainForm(main);
        main->SetBounds(0, 0, 600, 400);
        bar = new TbsSkinMDITabsBar(main);
        bar->SetName("tabs");
        bar->SetParent(main);
        main->Show();
        ProcessMessages();
        // The bar stands on top, as wide as the form; the children's area lies below it.
        main->MDIClient()->FitToParent();
    }

    // A child with a tab of its own.
    TForm* AddChild(const std::string& caption) {
        auto* child = new TForm(&App());
        child->SetCaption(caption);
        child->SetFormStyle(forms::fsMDIChild);
        child->SetBounds(10, 10, 200, 120);
        child->Show();
        bar->AddTab(child);
        bar->CheckActive();
        ProcessMessages();
        return child;
    }
    void AddChildren(int n) {
        for (int i = 0; i < n; ++i) children.push_back(AddChild("Child " + std::to_string(i)));
    }
    // The captions of the tabs from the left.
    std::vector<std::string> Order() const {
        std::vector<std::string> order;
        for (int i = 0; i < bar->TabCount(); ++i) order.push_back(bar->Tab(i)->Child->Caption());
        return order;
    }
    TColor PixelAt(int x, int y) { return Ui().Pixel(bar, x, y); }
    void SetWidth(int width) {
        bar->SetAlign(forms::alNone);
        bar->SetBounds(0, 0, width, bar->Height());
        ProcessMessages();
    }
    void Skin() {
        skinData = MakeTabsSkin(main);
        bar->SetSkinData(skinData.Data);
        ProcessMessages();
    }

    TForm* main = nullptr;
    TbsSkinMDITabsBar* bar = nullptr;
    std::vector<TForm*> children;
    TTestSkin skinData;
};

TEST_F(MdiTabsTest, TabsShareTheWidthAndNarrowedTabsReachTheRightEdge) {
    SetWidth(300);
    AddChildren(2);
    // Two children: both at the full default width, the rest of the bar empty.
    EXPECT_EQ(bar->Tab(0)->ObjectRect, (TRect{0, 0, 100, 21}));
    EXPECT_EQ(bar->Tab(1)->ObjectRect, (TRect{100, 0, 200, 21}));
    EXPECT_EQ(bar->TabAt(250, 10), -1);
    EXPECT_EQ(PixelAt(250, 10), kFace);

    AddChildren(5);
    ASSERT_EQ(bar->TabCount(), 7);
    for (int i = 0; i < 6; ++i) EXPECT_EQ(bar->Tab(i)->ObjectRect, (TRect{42 * i, 0, 42 * i + 42, 21})) << i;
    EXPECT_EQ(bar->Tab(6)->ObjectRect, (TRect{252, 0, 300, 21}));
    EXPECT_EQ(bar->TabAt(299, 5), 6);
    EXPECT_EQ(bar->TabAt(300, 5), -1);

    // A wider bar gives the tabs room again; a smaller default width caps them.
    SetWidth(800);
    EXPECT_EQ(bar->Tab(6)->ObjectRect, (TRect{600, 0, 700, 21}));
    bar->SetDefaultTabWidth(60);
    EXPECT_EQ(bar->Tab(6)->ObjectRect, (TRect{360, 0, 420, 21}));
    EXPECT_EQ(bar->TabAt(450, 5), -1);
}

TEST_F(MdiTabsTest, HeightComesFromTheRecordOrDefaultHeightAndTheClientFollows) {
    EXPECT_EQ(bar->Height(), 21);
    EXPECT_EQ(bar->Width(), main->ClientWidth());
    EXPECT_EQ(main->MDIClient()->Top(), 21);
    bar->SetDefaultHeight(25);
    EXPECT_EQ(bar->Height(), 25);
    EXPECT_EQ(main->MDIClient()->Top(), 25);
    EXPECT_EQ(main->MDIClient()->Height(), main->ClientHeight() - 25);
    // The record's tab picture is 22 pixels high.
    Skin();
    EXPECT_NE(bar->RecordIndex(), -1);
    EXPECT_EQ(bar->Height(), 22);
    EXPECT_EQ(main->MDIClient()->Top(), 22);
    // Without a record again (the name matches nothing) DefaultHeight counts.
    bar->SetSkinDataName("nosuchrecord");
    bar->ApplySkin();
    EXPECT_EQ(bar->RecordIndex(), -1);
    EXPECT_EQ(bar->Height(), 25);
}

TEST_F(MdiTabsTest, DefaultLookMarksTheActiveAndTheHotTab) {
    AddChildren(3);
    // The last child opened is the active one.
    EXPECT_TRUE(bar->Tab(2)->Active);
    EXPECT_FALSE(bar->Tab(0)->Active);
    EXPECT_EQ(PixelAt(1, 1), kFace);
    EXPECT_EQ(PixelAt(99, 1), platform::gfx::ColorToRGB(platform::gfx::clBtnShadow));
    EXPECT_EQ(PixelAt(201, 1), TbsSkinMDITabsBar::kActiveFill);
    Ui().MoveTo(bar, 150, 10);
    EXPECT_EQ(bar->HotTab(), 1);
    EXPECT_TRUE(bar->Tab(1)->PointerOver);
    EXPECT_EQ(PixelAt(101, 1), TbsSkinMDITabsBar::kHotFill);
    Ui().SavePng(Ui().Capture(bar), "mditabs_default");
    // The hot look never covers the active tab's.
    Ui().MoveTo(bar, 250, 10);
    EXPECT_EQ(PixelAt(201, 1), TbsSkinMDITabsBar::kActiveFill);
    EXPECT_EQ(PixelAt(101, 1), kFace);
    // The caption is written in the tab (ink somewhere in its middle).
    EXPECT_TRUE(Ui().Distance(Ui().Pixel(bar, 50, 10), kFace) > 0 ||
                Ui().Distance(Ui().Pixel(bar, 40, 10), kFace) > 0 ||
                Ui().Distance(Ui().Pixel(bar, 60, 10), kFace) > 0);
}

TEST_F(MdiTabsTest, SkinnedLookDrawsTheRecordsPicturesAndFontColours) {
    Skin();
    AddChildren(3);
    SetWidth(400);
    // Background tiles, then the normal, hot and active pictures.
    EXPECT_EQ(PixelAt(350, 5), kTabStrip);
    EXPECT_EQ(PixelAt(1, 5), kTab);
    EXPECT_EQ(PixelAt(201, 5), kTabActive);
    Ui().MoveTo(bar, 150, 10);
    EXPECT_EQ(PixelAt(101, 5), kTabHot);
    Ui().SavePng(Ui().Capture(bar), "mditabs_skinned");
    auto hasInk = [this](int tab, TColor color) {
        const TBitmap shot = Ui().Capture(bar);
        const TRect r = bar->Tab(tab)->ObjectRect;
        for (int y = r.Top; y < r.Bottom; ++y)
            for (int x = r.Left; x < r.Right; ++x)
                if (Ui().Distance(shot.Pixel(x, y), color) <= 120) return true;
        return false;
    };
    EXPECT_TRUE(hasInk(0, kTabFontNormal));
    EXPECT_TRUE(hasInk(1, kTabFontHot));
    EXPECT_TRUE(hasInk(2, kTabFontFocus));
    EXPECT_FALSE(hasInk(0, kTabFontFocus));

    // A caption too long for its tab ends in "..." inside the offsets: the last columns stay clear.
    children[0]->SetCaption(std::string(80, 'W'));
    bar->UpdateTab(children[0]);
    ProcessMessages();
    for (int x = 97; x < 100; ++x)
        for (int y = 1; y < 22; ++y) ASSERT_EQ(PixelAt(x, y), kTab) << x << "," << y;
    EXPECT_TRUE(hasInk(0, kTabFontNormal));
}

TEST_F(MdiTabsTest, TabsFollowChildrenAndTheActiveChild) {
    AddChildren(3);
    EXPECT_EQ(bar->AddTab(children[1]), bar->Tab(1));
    EXPECT_EQ(bar->TabCount(), 3);
    main->MDIClient()->Activate(children[0]);
    bar->CheckActive();
    EXPECT_TRUE(bar->Tab(0)->Active);
    EXPECT_FALSE(bar->Tab(2)->Active);
    // A freed child takes its tab along; the others close the gap.
    delete children[1];
    ProcessMessages();
    EXPECT_EQ(Order(), (std::vector<std::string>{"Child 0", "Child 2"}));
    EXPECT_EQ(bar->Tab(1)->ObjectRect.Left, 100);
    bar->DeleteTab(children[0]);
    EXPECT_EQ(Order(), (std::vector<std::string>{"Child 2"}));
    EXPECT_EQ(bar->Tab(0)->ObjectRect.Left, 0);
    bar->ClearTabs();
    EXPECT_EQ(bar->TabCount(), 0);
    EXPECT_EQ(bar->FindTab(children[2]), nullptr);
}

TEST_F(MdiTabsTest, ClickingATabBringsItsChildForwardAndRestoresAMinimisedOne) {
    AddChildren(3);
    std::vector<std::string> log;
    bar->OnTabMouseDown = [&](forms::TMouseButton button, forms::TShiftState, TbsMDITab* tab) {
        log.push_back("down " + std::to_string(button) + " " + tab->Child->Caption());
    };
    bar->OnTabMouseUp = [&](forms::TMouseButton button, forms::TShiftState, TbsMDITab* tab) {
        log.push_back("up " + std::to_string(button) + " " + tab->Child->Caption());
    };
    Ui().Click(bar, 50, 10);
    EXPECT_EQ(main->ActiveMDIChild(), children[0]);
    EXPECT_EQ(main->MDIChildren(0), children[0]);
    EXPECT_EQ(log, (std::vector<std::string>{"down 0 Child 0", "up 0 Child 0"}));
    // A click is no drag: the order stays.
    EXPECT_EQ(Order(), (std::vector<std::string>{"Child 0", "Child 1", "Child 2"}));

    children[1]->SetWindowState(forms::wsMinimized);
    ProcessMessages();
    ASSERT_EQ(children[1]->WindowState(), forms::wsMinimized);
    const TRect before = children[1]->BoundsRect();
    Ui().Click(bar, 150, 10);
    EXPECT_EQ(children[1]->WindowState(), forms::wsNormal);
    EXPECT_NE(children[1]->BoundsRect(), before);
    EXPECT_EQ(main->ActiveMDIChild(), children[1]);

    // A hidden child is shown again; the right button only reports.
    children[2]->Hide();
    ProcessMessages();
    Ui().Click(bar, 250, 10);
    EXPECT_TRUE(children[2]->Visible());
    EXPECT_EQ(main->ActiveMDIChild(), children[2]);
    log.clear();
    Ui().Click(bar, 50, 10, vktest::TMouseButton::Right);
    EXPECT_EQ(main->ActiveMDIChild(), children[2]);
    EXPECT_EQ(log, (std::vector<std::string>{"down 1 Child 0", "up 1 Child 0"}));
}

TEST_F(MdiTabsTest, HotTrackingFiresEnterAndLeaveOncePerTab) {
    AddChildren(3);
    std::vector<std::string> log;
    bar->OnTabMouseEnter = [&](TbsMDITab* tab) { log.push_back("enter " + tab->Child->Caption()); };
    bar->OnTabMouseLeave = [&](TbsMDITab* tab) { log.push_back("leave " + tab->Child->Caption()); };
    Ui().MoveTo(bar, 20, 10);
    Ui().MoveTo(bar, 80, 10);
    Ui().MoveTo(bar, 120, 10);
    Ui().MoveTo(bar, 350, 10);  // beyond the last tab, still on the bar
    Ui().MoveTo(bar, 250, 10);
    Ui().MoveTo(bar, 250, 200);  // off the bar, into the children's area
    EXPECT_EQ(log, (std::vector<std::string>{"enter Child 0", "leave Child 0", "enter Child 1",
                                             "leave Child 1", "enter Child 2", "leave Child 2"}));
    EXPECT_EQ(bar->HotTab(), -1);
    EXPECT_FALSE(bar->Tab(2)->PointerOver);
}

TEST_F(MdiTabsTest, DraggingATabMovesItPastTheCentresItCrossed) {
    SetWidth(400);
    AddChildren(4);
    // Right: the dragged tab's right edge passes the centres at 150 and 250, not 350.
    Ui().Press(bar, 50, 10);
    Ui().MoveTo(bar, 150, 10);
    Ui().MoveTo(bar, 260, 10);
    EXPECT_TRUE(bar->Dragging());
    EXPECT_EQ(bar->DragOffset(), 210);
    EXPECT_EQ(bar->DraggedRect(), (TRect{210, 0, 310, 21}));
    EXPECT_EQ(bar->DropIndex(), 2);
    // The dragged tab is drawn where the mouse took it (the press made its child the active one).
    EXPECT_EQ(PixelAt(212, 1), TbsSkinMDITabsBar::kActiveFill);
    // The marker's inverted lines stand at the right edge of the target tab, over the dragged one.
    EXPECT_EQ(PixelAt(296, 1), TbsSkinMDITabsBar::kActiveFill);
    EXPECT_NE(PixelAt(298, 1), TbsSkinMDITabsBar::kActiveFill);
    Ui().SavePng(Ui().Capture(bar), "mditabs_drag");
    Ui().Release();
    EXPECT_FALSE(bar->Dragging());
    EXPECT_EQ(Order(), (std::vector<std::string>{"Child 1", "Child 2", "Child 0", "Child 3"}));
    EXPECT_EQ(bar->Tab(2)->ObjectRect, (TRect{200, 0, 300, 21}));

    // Left: from the last tab its left edge passes the centres at 250 and 150, not 50.
    Ui().Press(bar, 350, 10);
    Ui().MoveTo(bar, 250, 10);
    Ui().MoveTo(bar, 140, 10);
    EXPECT_EQ(bar->DropIndex(), 1);
    Ui().Release();
    EXPECT_EQ(Order(), (std::vector<std::string>{"Child 1", "Child 3", "Child 2", "Child 0"}));

    // Dragged far beyond the bar, the tab stays inside it and lands last.
    Ui().Press(bar, 50, 10);
    Ui().MoveTo(bar, 900, 10);
    EXPECT_EQ(bar->DraggedRect(), (TRect{300, 0, 400, 21}));
    Ui().Release();
    EXPECT_EQ(Order(), (std::vector<std::string>{"Child 3", "Child 2", "Child 0", "Child 1"}));

    // A short drag that passes no centre leaves the order alone.
    Ui().Press(bar, 150, 10);
    Ui().MoveTo(bar, 170, 10);
    EXPECT_TRUE(bar->Dragging());
    Ui().Release();
    EXPECT_EQ(Order(), (std::vector<std::string>{"Child 3", "Child 2", "Child 0", "Child 1"}));
}

TEST_F(MdiTabsTest, AFormResourceReadsTheBarAndBindsItsEvents) {
    skin::RegisterSkinBoxClasses();
    constexpr std::string_view kForm = R"(object TabsForm: TForm
  BorderStyle = bsNone
  object tabsBar: TbsSkinMDITabsBar
    Width = 320
    DefaultTabWidth = 80
    DefaultHeight = 24
    OnTabMouseDown = tabDown
  end
end
)";
    auto* form = new TForm(&App());
    int downs = 0;
    form->PublishMethod<void(forms::TMouseButton, forms::TShiftState, TbsMDITab*)>(
        "tabDown", [&](forms::TMouseButton, forms::TShiftState, TbsMDITab*) { ++downs; });
    platform::forms::ReadComponentResource(*form, kForm);
    auto* read = dynamic_cast<TbsSkinMDITabsBar*>(form->FindComponent("tabsBar"));
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->DefaultTabWidth(), 80);
    EXPECT_EQ(read->Height(), 24);
    EXPECT_EQ(read->SkinDataName(), "tab");
    EXPECT_EQ(read->Align(), forms::alTop);
    ASSERT_TRUE(read->OnTabMouseDown);
    read->OnTabMouseDown(forms::mbLeft, 0, nullptr);
    EXPECT_EQ(downs, 1);
    // Written back, only what differs from the defaults appears.
    const std::string text = platform::forms::WriteComponentResource(*form);
    EXPECT_NE(text.find("DefaultTabWidth = 80"), std::string::npos) << text;
    EXPECT_EQ(text.find("DefaultFont"), std::string::npos) << text;
    auto* copy = new TForm(&App());
    copy->PublishMethod<void(forms::TMouseButton, forms::TShiftState, TbsMDITab*)>(
        "tabDown", [&](forms::TMouseButton, forms::TShiftState, TbsMDITab*) { ++downs; });
    platform::forms::ReadComponentResource(*copy, text);
    auto* again = dynamic_cast<TbsSkinMDITabsBar*>(copy->FindComponent("tabsBar"));
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->DefaultTabWidth(), 80);
    EXPECT_EQ(again->Align(), forms::alTop);
    delete copy;
    delete form;
}

}  // namespace
}  // namespace boxes
