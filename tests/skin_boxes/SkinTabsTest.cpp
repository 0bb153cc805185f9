// The skinned page control: the page area per tab position with and without a record, the tab
// rectangle shifts, the strip and frame painting, the four tab pictures and their font colours,
// side tabs turned, pictures and captions centred together, hot tracking, refused changes and
// keyboard page changes, the skin up-down of a single row, and the skin-change protocol.

#include "SkinTabsFixture.h"
#include "platform/forms/ListBox.h"
#include "platform/gfx/Font.h"
#include "skin/boxes/bsSkinBoxCtrlsUpDown.h"
#include "skin/controls/bsSkinCtrlsNotify.h"

namespace boxes {
namespace {

using platform::forms::TPageControl;
using platform::forms::TTabSheet;
using skin::TbsSkinPageControl;
namespace forms = platform::forms;
namespace ui = platform::ui;

class SkinTabsTest : public SkinTabsFixture {
protected:
    static TRect PlatformDisplay(const TbsSkinPageControl* pc) { return pc->TPageControl::DisplayRect(); }
    static TRect PlatformTab(const TbsSkinPageControl* pc, int i) { return pc->TPageControl::TabRect(i); }
    // Whether the tab's area shows the colour (letters count within the ink tolerance).
    bool TabShows(const TbsSkinPageControl* pc, int tab, TColor color, int tolerance = 0) {
        return AnyPixel(pc, pc->TabRect(tab), color, tolerance);
    }
};

TEST_F(SkinTabsTest, PageAreaPerPositionWithoutARecord) {
    auto* pc = MakePages(4, false, 300, 300);
    ASSERT_EQ(pc->RecordIndex(), -1);
    struct Case {
        forms::TTabPosition Position;
        TRect Expected;
    };
    // The platform's area for 20-pixel rows: top 26 | bottom 276 | left 24 | right 276.
    for (const Case& c : {Case{forms::tpTop, {1, 21, 299, 299}}, Case{forms::tpBottom, {1, 1, 299, 279}},
                          Case{forms::tpLeft, {21, 1, 299, 299}}, Case{forms::tpRight, {1, 1, 279, 299}}}) {
        pc->SetTabPosition(c.Position);
        const TRect p = PlatformDisplay(pc);
        EXPECT_EQ(pc->DisplayRect(), c.Expected) << c.Position << " from " << p.Left << "," << p.Top << ","
                                                 << p.Right << "," << p.Bottom;
        // Every sheet fills the corrected area.
        EXPECT_EQ(pc->Pages(0)->BoundsRect(), c.Expected);
    }
}

TEST_F(SkinTabsTest, PageAreaPerPositionWithARecord) {
    auto* pc = MakePages(4, true, 300, 300);
    ASSERT_NE(pc->RecordIndex(), -1);
    // clientrect 3, 4, 37, 36 of a 40 x 40 skin rectangle: b = 3, a = 4; 22-pixel rows.
    struct Case {
        forms::TTabPosition Position;
        TRect Expected;
    };
    for (const Case& c : {Case{forms::tpTop, {3, 26, 297, 296}}, Case{forms::tpBottom, {3, 4, 297, 274}},
                          Case{forms::tpLeft, {25, 4, 297, 296}}, Case{forms::tpRight, {3, 4, 275, 296}}}) {
        pc->SetTabPosition(c.Position);
        EXPECT_EQ(pc->DisplayRect(), c.Expected) << c.Position;
    }
}

TEST_F(SkinTabsTest, TabRectanglesMoveOntoTheStripEdge) {
    auto* pc = MakePages(4, true, 300, 300);
    EXPECT_EQ(PlatformTab(pc, 1), (TRect{62, 2, 122, 24}));
    EXPECT_EQ(pc->TabRect(1), (TRect{60, 0, 120, 22}));
    pc->SetMultiLine(true);
    EXPECT_EQ(pc->TabRect(1), (TRect{62, 0, 122, 22}));
    pc->SetMultiLine(false);
    pc->SetTabPosition(forms::tpBottom);
    EXPECT_EQ(pc->TabRect(1), PlatformTab(pc, 1).Offset(-2, 2));
    pc->SetTabPosition(forms::tpLeft);
    EXPECT_EQ(pc->TabRect(1), (TRect{0, 62, 22, 122}));
    pc->SetTabPosition(forms::tpRight);
    EXPECT_EQ(pc->TabRect(1), (TRect{278, 62, 300, 122}));
    // Buttons are not moved.
    pc->SetStyle(forms::tsButtons);
    EXPECT_EQ(pc->TabRect(1), PlatformTab(pc, 1));
}

TEST_F(SkinTabsTest, SkinSetsTheFontAndTheTabHeight) {
    auto* pc = MakePages(2, false);
    EXPECT_EQ(pc->ItemHeight(), 20);
    EXPECT_EQ(pc->Font().Name(), "Arial");
    pc->DefaultFont().SetName("Times New Roman");
    EXPECT_EQ(pc->Font().Name(), "Times New Roman");
    pc->SetDefaultItemHeight(24);
    EXPECT_EQ(pc->TabRect(0).Height(), 24);
    pc->SetSkinData(MakeTabsSkin(form).Data);
    EXPECT_EQ(pc->TabRect(0).Height(), 22);
    EXPECT_EQ(pc->Font().Name(), "Arial");
    EXPECT_EQ(pc->Font().Color(), kTabFontNormal);
    pc->SetUseSkinFont(false);
    EXPECT_EQ(pc->Font().Name(), "Times New Roman");
    EXPECT_EQ(pc->Font().Color(), kTabFontNormal);
    // A fixed TabHeight wins over the record.
    pc->SetTabHeight(30);
    pc->ApplySkin();
    EXPECT_EQ(pc->TabRect(0).Height(), 30);
}

TEST_F(SkinTabsTest, StripIsTiledAndThePageFramedFromTheRecord) {
    auto* pc = MakePages(3);
    // Right of the last tab: the strip; the frame's top band from y 22 for 4 pixels.
    EXPECT_EQ(PixelAt(pc, 250, 5), kTabStrip);
    EXPECT_EQ(PixelAt(pc, 299, 21), kTabStrip);
    EXPECT_EQ(PixelAt(pc, 250, 22), kTabFrame);
    EXPECT_EQ(PixelAt(pc, 150, 25), kTabFrame);
    EXPECT_EQ(PixelAt(pc, 0, 100), kTabFrame);
    EXPECT_EQ(PixelAt(pc, 299, 199), kTabFrame);
    EXPECT_EQ(PixelAt(pc, 297, 100), kTabFrame);
    EXPECT_EQ(PixelAt(pc, 150, 196), kTabFrame);
    // Without a record: button face and a shadow frame around the area grown by 1.
    pc->SetSkinData(nullptr);
    pc->ApplySkin();
    pc->Invalidate();
    const TRect d = pc->DisplayRect();
    EXPECT_EQ(PixelAt(pc, 250, 5), platform::gfx::ColorToRGB(platform::gfx::clBtnFace));
    EXPECT_EQ(PixelAt(pc, 250, d.Top - 1), platform::gfx::ColorToRGB(platform::gfx::clBtnShadow));
    EXPECT_EQ(PixelAt(pc, d.Right, 100), platform::gfx::ColorToRGB(platform::gfx::clBtnShadow));
}

TEST_F(SkinTabsTest, FourTabPicturesWithTheirFontColours) {
    auto* pc = MakePages(3);
    // Active, not focused: the active picture and colour; the others normal.
    EXPECT_EQ(PixelAt(pc, 30, 20), kTabActive);
    EXPECT_TRUE(TabShows(pc, 0, kTabFontActive, kInk));
    EXPECT_FALSE(TabShows(pc, 0, kTabFontNormal, kInk));
    EXPECT_EQ(PixelAt(pc, 90, 20), kTab);
    EXPECT_TRUE(TabShows(pc, 1, kTabFontNormal, kInk));
    // Focused: the focus picture.
    pc->SetFocus();
    pc->Invalidate();
    EXPECT_EQ(PixelAt(pc, 30, 20), kTabFocus);
    EXPECT_TRUE(TabShows(pc, 0, kTabFontFocus, kInk));
    // Hot: the pointer over tab 1.
    MoveTo(pc, 90, 10);
    EXPECT_EQ(pc->HotTab(), 1);
    EXPECT_EQ(PixelAt(pc, 90, 20), kTabHot);
    EXPECT_TRUE(TabShows(pc, 1, kTabFontHot, kInk));
    EXPECT_FALSE(TabShows(pc, 1, kTabFontNormal, kInk));
    // The selected tab is never drawn hot.
    MoveTo(pc, 30, 10);
    EXPECT_EQ(PixelAt(pc, 30, 20), kTabFocus);
    EXPECT_EQ(PixelAt(pc, 90, 20), kTab);
}

TEST_F(SkinTabsTest, DefaultTabLookWithoutARecord) {
    using platform::gfx::ColorToRGB;
    auto* pc = MakePages(3, false);
    const TRect active = pc->TabRect(0);
    EXPECT_EQ(PixelAt(pc, active.Left, active.Top + 5), skin::TbsSkinTabsCore::kNavy);
    EXPECT_EQ(PixelAt(pc, active.Left + 2, active.Top + 2), skin::TbsSkinTabsCore::kHotFill);
    EXPECT_EQ(PixelAt(pc, 90, active.Top + 2), ColorToRGB(platform::gfx::clBtnFace));
    pc->SetFocus();
    pc->Invalidate();
    EXPECT_EQ(PixelAt(pc, active.Left + 2, active.Top + 2), skin::TbsSkinTabsCore::kPressedFill);
    MoveTo(pc, 90, 10);
    EXPECT_EQ(PixelAt(pc, 90, active.Top + 2), skin::TbsSkinTabsCore::kHotFill);
    EXPECT_EQ(PixelAt(pc, 150, active.Top + 2), ColorToRGB(platform::gfx::clBtnFace));
}

TEST_F(SkinTabsTest, SideTabsAreBuiltLyingAndTurnedOutward) {
    auto* pc = MakePages(4, true, 300, 300);
    pc->SetTabPosition(forms::tpLeft);
    ProcessMessages();
    // Tab 1 (normal): the picture's top row faces the control's left edge.
    EXPECT_EQ(PixelAt(pc, 0, 70), kTabTop);
    EXPECT_EQ(PixelAt(pc, 1, 70), kTab);
    EXPECT_EQ(PixelAt(pc, 21, 70), kTab);
    pc->SetTabPosition(forms::tpRight);
    EXPECT_EQ(PixelAt(pc, 299, 70), kTabTop);
    EXPECT_EQ(PixelAt(pc, 278, 70), kTab);
    // The caption is drawn too, in the normal colour.
    EXPECT_TRUE(TabShows(pc, 1, kTabFontNormal, kInk));
}

TEST_F(SkinTabsTest, PictureAndCaptionAreCentredTogether) {
    auto* pc = MakePages(2);
    auto* images = new platform::forms::TImageListComponent(form);
    // A picture shows only on tabs whose page index is below the picture count.
    for (TColor c : {RGB(0, 128, 128), RGB(128, 0, 128)}) {
        TBitmap pic(16, 16);
        Fill(pic, {0, 0, 16, 16}, c);
        images->Add(pic);
    }
    pc->Pages(1)->SetImageIndex(0);
    pc->SetImages(images);
    pc->Invalidate();
    platform::gfx::TFont font;
    font.SetName("Arial");
    font.SetHeight(14);
    const int textWidth = platform::gfx::TextEngine::TextWidth(font, "P1");
    const TRect r = pc->TabRect(1);
    const int x = r.Width() / 2 - (16 + textWidth + 4) / 2;
    EXPECT_EQ(PixelAt(pc, r.Left + x, r.Top + r.Height() / 2), RGB(0, 128, 128));
    EXPECT_EQ(PixelAt(pc, r.Left + x + 15, r.Top + (r.Height() - 16) / 2), RGB(0, 128, 128));
    EXPECT_EQ(PixelAt(pc, r.Left + x - 1, r.Top + r.Height() / 2), kTab);
    EXPECT_EQ(PixelAt(pc, r.Left + x + 16, r.Top + r.Height() / 2), kTab);
    // The caption starts 2 pixels after the picture.
    EXPECT_TRUE(AnyPixel(pc, {r.Left + x + 18, r.Top, r.Left + x + 18 + textWidth, r.Bottom}, kTabFontNormal, kInk));
    EXPECT_FALSE(AnyPixel(pc, {r.Left, r.Top, r.Left + x, r.Bottom}, kTabFontNormal, kInk));
    // Sheet 0 has no picture: its caption alone is centred.
    EXPECT_TRUE(AnyPixel(pc, {28, 0, 32, 22}, kTabFontActive, kInk));
    // The count is checked against the page index, not the tab's place: with sheet 0's tab
    // hidden and one picture left, sheet 1 (page 1, first tab) shows none.
    images->Delete(1);
    pc->Pages(0)->SetTabVisible(false);
    pc->Invalidate();
    EXPECT_FALSE(AnyPixel(pc, pc->TabRect(0), RGB(0, 128, 128)));
    pc->Pages(0)->SetTabVisible(true);
    pc->Pages(0)->SetImageIndex(0);
    pc->Invalidate();
    EXPECT_TRUE(AnyPixel(pc, pc->TabRect(0), RGB(0, 128, 128)));
}

TEST_F(SkinTabsTest, HotTrackingExcludesTheRightAndBottomEdges) {
    auto* pc = MakePages(3);
    MoveTo(pc, 59, 10);
    EXPECT_EQ(pc->HotTab(), 0);
    MoveTo(pc, 60, 10);  // tab 0's right edge is tab 1's
    EXPECT_EQ(pc->HotTab(), 1);
    EXPECT_EQ(PixelAt(pc, 62, 20), kTabHot);
    MoveTo(pc, 90, 22);  // the bottom edge belongs to no tab
    EXPECT_EQ(pc->HotTab(), -1);
    EXPECT_EQ(PixelAt(pc, 62, 20), kTab);
    MoveTo(pc, 130, 10);
    EXPECT_EQ(pc->HotTab(), 2);
    // Leaving the control draws the hot tab normal again.
    MoveTo(form, 390, 290);
    EXPECT_EQ(pc->HotTab(), -1);
    EXPECT_EQ(PixelAt(pc, 130, 20), kTab);
}

TEST_F(SkinTabsTest, ChangesAskOnChangingAndKeysChangePages) {
    auto* pc = MakePages(3);
    EventLog log;
    bool allow = false;
    pc->OnChanging = [&](forms::TComponent*, bool& a) {
        log.Events.push_back("changing");
        a = allow;
    };
    pc->OnChange = log.Note("change");
    ClickAt(pc, 90, 10);
    EXPECT_EQ(pc->ActivePageIndex(), 0);
    EXPECT_EQ(log.Events, (std::vector<std::string>{"changing"}));
    EXPECT_EQ(PixelAt(pc, 30, 20), kTabFocus);  // still the selected tab's picture
    allow = true;
    ClickAt(pc, 90, 10);
    EXPECT_EQ(pc->ActivePageIndex(), 1);
    EXPECT_EQ(log.Count("change"), 1);
    EXPECT_EQ(PixelAt(pc, 90, 20), kTabFocus);
    EXPECT_EQ(PixelAt(pc, 30, 20), kTab);

    Ui().KeyDown(ui::VK_CONTROL);
    Ui().KeyPress(ui::VK_TAB);
    EXPECT_EQ(pc->ActivePageIndex(), 2);
    Ui().KeyPress(ui::VK_NEXT);
    EXPECT_EQ(pc->ActivePageIndex(), 0);
    Ui().KeyPress(ui::VK_PRIOR);
    Ui().KeyUp(ui::VK_CONTROL);
    EXPECT_EQ(pc->ActivePageIndex(), 2);
    Ui().KeyPress(ui::VK_LEFT);
    EXPECT_EQ(pc->ActivePageIndex(), 1);
    EXPECT_EQ(PixelAt(pc, 90, 20), kTabFocus);
}

TEST_F(SkinTabsTest, EightTabsWhereFiveFitScrollWithAnUpDown) {
    auto* pc = MakePages(8, true, 360, 200);
    skin::TbsSkinUpDown* ud = pc->ScrollUpDown();
    ASSERT_NE(ud, nullptr);
    EXPECT_EQ(ud->Max(), 3);
    EXPECT_EQ(ud->Position(), 0);
    EXPECT_EQ(ud->BoundsRect(), (TRect{320, 0, 360, 20}));
    EXPECT_EQ(ud->RecordIndex(), 1);  // "hupdown", named by the tab record
    EXPECT_EQ(pc->ScrollArrows(), nullptr);
    EXPECT_EQ(PixelAt(pc, 330, 10), kTabUdDown);

    // Two clicks on the right-hand button scroll the strip by two tabs.
    ClickAt(ud, 30, 10);
    ClickAt(ud, 30, 10);
    EXPECT_EQ(ud->Position(), 2);
    EXPECT_EQ(ud->Max(), 3);
    EXPECT_EQ(pc->FirstVisibleTab(), 2);
    EXPECT_EQ(pc->TabRect(2).Left, 0);
    EXPECT_EQ(pc->Skin().TabsScrolledOut(), 2);
    EXPECT_EQ(PixelAt(pc, 30, 20), kTab);  // tab 2 is drawn where tab 0 was
    ClickAt(ud, 5, 10);
    EXPECT_EQ(pc->FirstVisibleTab(), 1);

    // Selecting a tab out of view scrolls to it and the up-down follows.
    pc->SetActivePageIndex(7);
    EXPECT_EQ(ud->Position(), pc->Skin().TabsScrolledOut());
    EXPECT_GT(ud->Position(), 1);

    // Multi-line: no up-down; back to one row: a new one.
    pc->SetMultiLine(true);
    EXPECT_EQ(pc->ScrollUpDown(), nullptr);
    EXPECT_GT(pc->RowCount(), 1);
    pc->SetMultiLine(false);
    ASSERT_NE(pc->ScrollUpDown(), nullptr);
    // Wide enough for all: none.
    pc->SetBounds(0, 0, 600, 200);
    EXPECT_EQ(pc->ScrollUpDown(), nullptr);
}

TEST_F(SkinTabsTest, SkinChangesAndSkinDataGoingAway) {
    auto* pc = MakePages(2);
    ASSERT_NE(pc->RecordIndex(), -1);
    skin::SkinControlsBeforeChange(*form, skin.Data);
    EXPECT_EQ(pc->RecordIndex(), -1);
    skin::SkinControlsChange(*form, skin.Data);
    EXPECT_NE(pc->RecordIndex(), -1);
    // Another skin data's change leaves it bound.
    skin::SkinControlsBeforeChange(*form, MakeTabsSkin(form).Data);
    EXPECT_NE(pc->RecordIndex(), -1);

    pc->SetSkinDataName("missing");
    pc->ApplySkin();
    EXPECT_EQ(pc->RecordIndex(), -1);
    EXPECT_EQ(pc->TabRect(0).Height(), 20);
    pc->SetSkinDataName("tab");
    pc->ApplySkin();
    delete skin.Data;
    skin.Data = nullptr;
    EXPECT_EQ(pc->SkinData(), nullptr);
    EXPECT_EQ(pc->RecordIndex(), -1);
    pc->Repaint();
    EXPECT_EQ(PixelAt(pc, 250, 5), platform::gfx::ColorToRGB(platform::gfx::clBtnFace));
}

}  // namespace
}  // namespace boxes
