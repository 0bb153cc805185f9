// The skinned tab control: tabs named by Tabs on the left, picture i on tab i, its painting with
// and without child controls, and the form-resource round trip of both skinned controls.

#include "SkinTabsFixture.h"
#include "platform/forms/FormResource.h"
#include "skin/boxes/bsSkinBoxCtrlsRegister.h"

namespace boxes {
namespace {

using skin::TbsSkinTabControl;
namespace forms = platform::forms;

class SkinTabControlTest : public SkinTabsFixture {};

TEST_F(SkinTabControlTest, LeftTabsWithPicturesAndChildren) {
    auto* tc = Make<TbsSkinTabControl>(10, 10);
    tc->SetBounds(10, 10, 300, 280);
    tc->SetTabPosition(forms::tpLeft);
    tc->SetTabWidth(80);
    tc->SetTabs({"One", "Two", "Three"});
    skin = MakeTabsSkin(form);
    tc->SetSkinData(skin.Data);
    auto* images = new forms::TImageListComponent(form);
    for (TColor c : {RGB(0, 128, 128), RGB(128, 0, 128)}) {
        TBitmap pic(16, 16);
        Fill(pic, {0, 0, 16, 16}, c);
        images->Add(pic);
    }
    tc->SetImages(images);
    ProcessMessages();
    EXPECT_EQ(tc->TabCount(), 3);
    EXPECT_EQ(tc->TabRect(1), (TRect{0, 82, 22, 162}));
    EXPECT_EQ(tc->DisplayRect(), (TRect{25, 4, 297, 276}));
    // Picture i on tab i, always enabled; the third tab has none.
    tc->SetEnabled(false);
    EXPECT_TRUE(AnyPixel(tc, tc->TabRect(0), RGB(0, 128, 128)));
    EXPECT_TRUE(AnyPixel(tc, tc->TabRect(1), RGB(128, 0, 128)));
    EXPECT_FALSE(AnyPixel(tc, tc->TabRect(2), RGB(0, 128, 128)));
    EXPECT_FALSE(AnyPixel(tc, tc->TabRect(2), RGB(128, 0, 128)));
    tc->SetEnabled(true);

    // With a child control the tab control paints on its canvas; the look is the same.
    auto* child = new forms::TTabSheet(form);  // any control will do
    child->SetParent(tc);
    child->SetBounds(40, 40, 50, 50);
    child->SetVisible(true);
    tc->Invalidate();
    EXPECT_EQ(PixelAt(tc, 0, 90), kTabTop);
    EXPECT_EQ(PixelAt(tc, 250, 2), kTabFrame);

    // Clicking a tab selects it; the skinned geometry is what is hit.
    ClickAt(tc, 10, 83);
    EXPECT_EQ(tc->TabIndex(), 1);
    ClickAt(tc, 23, 30);
    EXPECT_EQ(tc->TabIndex(), 1);
}

TEST_F(SkinTabControlTest, PublishedPropertiesSurviveAResource) {
    skin::RegisterSkinBoxClasses();
    skin = MakeTabsSkin(form);
    skin.Data->SetName("SkinData1");
    skin.Stored->SetName("Stored1");
    auto* tc = Make<TbsSkinTabControl>(10, 10);
    tc->SetName("Tabs1");
    tc->SetTabs({"&One", "Two"});
    tc->SetTabIndex(1);
    tc->SetSkinData(skin.Data);
    tc->SetSkinDataName("flattab");
    tc->SetUseSkinFont(false);
    tc->SetDefaultItemHeight(24);
    tc->DefaultFont().SetName("Courier New");
    tc->SetTabPosition(forms::tpRight);
    tc->SetHotTrack(true);
    auto* pc = MakePages(2);
    pc->SetName("Pages1");
    pc->Pages(0)->SetName("Sheet1");
    pc->Pages(1)->SetName("Sheet2");
    pc->SetActivePageIndex(1);
    pc->SetTabPosition(forms::tpBottom);

    const std::string text = forms::WriteComponentResource(*form);
    for (const char* line : {"SkinDataName = 'flattab'", "UseSkinFont = False", "DefaultItemHeight = 24",
                             "DefaultFont.Name = 'Courier New'", "SkinData = SkinData1", "ActivePage = Sheet2",
                             "TabPosition = tpBottom", "TabIndex = 1"})
        EXPECT_NE(text.find(line), std::string::npos) << line;

    auto copy = std::make_unique<forms::TForm>(nullptr);
    forms::TFormReadOptions options;
    options.IgnoreMissingHandlers = true;
    forms::ReadComponentResource(*copy, text, options);
    auto* t = dynamic_cast<TbsSkinTabControl*>(copy->FindComponent("Tabs1"));
    auto* p = dynamic_cast<skin::TbsSkinPageControl*>(copy->FindComponent("Pages1"));
    ASSERT_NE(t, nullptr);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(t->SkinDataName(), "flattab");
    EXPECT_FALSE(t->UseSkinFont());
    EXPECT_EQ(t->DefaultItemHeight(), 24);
    EXPECT_EQ(t->DefaultFont().Name(), "Courier New");
    // Without its record the control writes in DefaultFont.
    EXPECT_EQ(t->Font().Name(), "Courier New");
    EXPECT_EQ(t->SkinData(), copy->FindComponent("SkinData1"));
    EXPECT_EQ(t->TabPosition(), forms::tpRight);
    EXPECT_EQ(t->TabIndex(), 1);
    EXPECT_EQ(p->ActivePageIndex(), 1);
    EXPECT_EQ(p->TabPosition(), forms::tpBottom);
    EXPECT_NE(p->RecordIndex(), -1);
}

}  // namespace
}  // namespace boxes
