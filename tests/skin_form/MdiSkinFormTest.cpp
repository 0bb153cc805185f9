// The skin form on MDI forms: the MDI client's background from the skin (mdibgpictureindex, the
// form's background, or the workspace colour), skinned child frames inside the client with their
// objects at the right places, one active child while the main form keeps its active frame,
// maximised children without a frame and the main title's " - [child]", minimised children in the
// client's bottom slots at the skin's minimum size, the window menu's "_SFCHILDITEM" items, the
// children's system menu.

#include <string>
#include <vector>

#include "SkinFormFixture.h"
#include "platform/forms/MdiClient.h"
#include "platform/forms/Menus.h"
#include "platform/ui/WindowSystem.h"
#include "skin/form/bsSkinFormBehaviour.h"
#include "skin/form/bsSkinFormCaption.h"
#include "skin/form/bsSkinMenus.h"
#include "skin/form/bsSkinMenusWindow.h"

namespace skinform {
namespace {

using platform::forms::TForm;
using platform::forms::TMdiClient;
using skin::TbsSkinForm;
namespace forms = platform::forms;
namespace ui = platform::ui;

class MdiSkinFormTest : public SkinFormFixture {
protected:
    // An MDI main form at (0, 0), 600 x 400, skinned with the frame test skin plus extra form info.
    void MakeMain(std::string_view formInfo = {}, bool skinned = true) {
        data = skinned ? MakeSkin(SkinText(true, formInfo)) : nullptr;
        main = new TForm(&App());
        main->SetName("frmMain");
        main->SetCaption("Main");
        main->SetFormStyle(forms::fsMDIForm);
        App().SetMainForm(main);
        main->SetBounds(0, 0, 600, 400);
        mainSkin = new TbsSkinForm(main);
        mainSkin->SetSkinData(data);
        main->Show();
        ProcessMessages();
    }
    TForm* AddChild(const std::string& name, TRect bounds = {10, 10, 310, 160}) {
        auto* child = new TForm(&App());
        child->SetName(name);
        child->SetCaption(name);
        child->SetFormStyle(forms::fsMDIChild);
        child->SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
        auto* skinForm = new TbsSkinForm(child);
        skinForm->SetName("SkinForm");
        skinForm->SetSkinData(data);
        child->OnClose = [](forms::TComponent*, forms::TCloseAction& action) { action = forms::caFree; };
        child->Show();
        ProcessMessages();
        return child;
    }
    static TbsSkinForm* SkinOf(TForm* form) { return skin::TbsSkinFormBehaviour::FindSkinForm(form); }
    TMdiClient* Client() const { return main->MDIClient(); }
    // A window point of a child (frame included) on the screen.
    static TPoint ScreenAt(TForm* child, int x, int y) {
        const TRect r = child->HandleIfAllocated()->ScreenRect();
        return {r.Left + x, r.Top + y};
    }
    TColor ChildPixel(TForm* child, int x, int y) {
        const TPoint p = ScreenAt(child, x, y);
        return Ui().Pixel(p.X, p.Y);
    }
    bool Highlighted(TForm* child) {
        auto* caption = SkinOf(child)->CaptionObject();
        return caption && caption->Highlighted;
    }

    skin::TbsSkinData* data = nullptr;
    TForm* main = nullptr;
    TbsSkinForm* mainSkin = nullptr;
};

TEST_F(MdiSkinFormTest, TheClientBackgroundComesFromTheSkin) {
    MakeMain("mdibgpictureindex=1\n");
    ASSERT_TRUE(mainSkin->IsMDIForm());
    // The client lies inside the main form's skinned client area (5, 30 from the window's corner).
    EXPECT_EQ(Ui().Pixel(Client(), 0, 0), kActiveCaption);
    EXPECT_EQ(Ui().Pixel(Client(), 300, 200), kActiveCaption);
    EXPECT_EQ(Client()->ClientToScreen({0, 0}), (TPoint{5, 30}));
}

TEST_F(MdiSkinFormTest, WithoutAnMdiPictureTheClientLooksLikeTheFormsBackground) {
    MakeMain();
    // The client rectangle's piece of the main picture, tiled from the client's corner.
    EXPECT_EQ(Ui().Pixel(Client(), 0, 0), Pix(5, 30));
    EXPECT_EQ(Ui().Pixel(Client(), 191, 1), Pix(6, 31));
    mainSkin->SetSkinData(nullptr);
    ProcessMessages();
    EXPECT_EQ(Ui().Pixel(Client(), 10, 10), platform::gfx::ColorToRGB(platform::gfx::clAppWorkSpace));
}

TEST_F(MdiSkinFormTest, ChildFramesAreSkinnedInsideTheClientAndOneChildIsActive) {
    MakeMain();
    TForm* a = AddChild("Alpha", {10, 10, 310, 160});
    TForm* b = AddChild("Beta", {320, 10, 570, 160});
    // The child's client lies inside the skin frame's insets.
    EXPECT_EQ(a->ClientRect(), (TRect{0, 0, 300 - 10, 150 - 35}));
    EXPECT_EQ(ChildPixel(a, 3, 28), Pix(3, 28));
    EXPECT_EQ(ChildPixel(a, 300 - 3, 28), Pix(197, 28));
    // The last child opened is the active one; the main form keeps its own active frame.
    EXPECT_EQ(main->ActiveMDIChild(), b);
    EXPECT_TRUE(SkinOf(b)->GetActive());
    EXPECT_FALSE(SkinOf(a)->GetActive());
    EXPECT_TRUE(Highlighted(b));
    EXPECT_FALSE(Highlighted(a));
    EXPECT_TRUE(mainSkin->GetActive());
    EXPECT_TRUE(Highlighted(main));

    // A press on the other child's frame moves the activation there.
    const TPoint p = ScreenAt(a, 3, 50);
    Ui().Click(p);
    EXPECT_EQ(main->ActiveMDIChild(), a);
    EXPECT_TRUE(Highlighted(a));
    EXPECT_FALSE(Highlighted(b));
    EXPECT_TRUE(Highlighted(main));
    EXPECT_EQ(System().GetActiveWindow(), main->HandleIfAllocated());
}

TEST_F(MdiSkinFormTest, AChildsFrameButtonsWorkInsideTheClient) {
    MakeMain();
    TForm* a = AddChild("Alpha", {30, 40, 330, 190});
    // The close button's picture rectangle (178, 7) moves right with the width (+100).
    const TPoint close = ScreenAt(a, 285, 14);
    Ui().MouseMove(close);
    Advance(60);
    EXPECT_EQ(ChildPixel(a, 280, 10), kHotClose);
    const auto alive = a->WeakRef();
    Ui().Click(close);
    ProcessMessages();
    EXPECT_FALSE(alive);
    EXPECT_EQ(main->MDIChildCount(), 0);
}

TEST_F(MdiSkinFormTest, AMaximisedChildShowsNoFrameAndJoinsTheMainTitle) {
    MakeMain();
    TForm* a = AddChild("Alpha");
    TForm* b = AddChild("Beta", {40, 40, 340, 190});
    const TRect client = Client()->ClientRect();
    SkinOf(b)->SetWindowState(forms::wsMaximized);
    ProcessMessages();
    EXPECT_EQ(b->WindowState(), forms::wsMaximized);
    EXPECT_EQ(SkinOf(b)->WindowState(), forms::wsMaximized);
    EXPECT_TRUE(SkinOf(b)->MaximizedMDIChild());
    EXPECT_EQ(b->BoundsRect(), client);
    EXPECT_EQ(b->ClientRect(), (TRect{0, 0, client.Width(), client.Height()}));
    EXPECT_FALSE(b->WindowRgn().has_value());
    EXPECT_EQ(HitAt(b, 2, 2), ui::HTCLIENT);
    EXPECT_EQ(main->Caption(), "Main - [Beta]");
    // The roll-up item is gone from a maximised child's system menu; close reads Ctrl+F4.
    forms::TMenuItem* items = SkinOf(b)->SystemMenuItems();
    ASSERT_NE(items, nullptr);
    bool rollUp = false;
    for (int i = 0; i < items->Count(); ++i) {
        if (items->Items(i)->Name() == "SF_ROLLUP") rollUp = true;
        if (items->Items(i)->Name() == "SF_CLOSE") {
            EXPECT_EQ(items->Items(i)->ShortCut(), forms::TextToShortCut("Ctrl+F4"));
        }
    }
    EXPECT_FALSE(rollUp);

    // Switching hands the maximised state on; the skin forms follow.
    Client()->Activate(a);
    ProcessMessages();
    EXPECT_EQ(SkinOf(a)->WindowState(), forms::wsMaximized);
    EXPECT_EQ(SkinOf(b)->WindowState(), forms::wsNormal);
    EXPECT_EQ(main->Caption(), "Main - [Alpha]");
    EXPECT_EQ(b->BoundsRect(), (TRect{40, 40, 340, 190}));
    EXPECT_EQ(b->ClientRect(), (TRect{0, 0, 290, 115}));

    // A caption double-click on the restored frame maximises through the client.
    SkinOf(a)->SetWindowState(forms::wsNormal);
    ProcessMessages();
    EXPECT_EQ(main->Caption(), "Main");
    EXPECT_TRUE(a->WindowRgn().has_value());
    SkinOf(b)->CaptionDblClick();
    ProcessMessages();
    EXPECT_EQ(b->WindowState(), forms::wsMaximized);
    EXPECT_EQ(main->Caption(), "Main - [Beta]");
}

TEST_F(MdiSkinFormTest, MinimisedChildrenTakeTheSkinsSizeInTheClientsBottomSlots) {
    MakeMain();
    TForm* a = AddChild("Alpha");
    TForm* b = AddChild("Beta");
    const int height = Client()->ClientRect().Height();
    // The frame alone: the picture's width and its height less the client rectangle's.
    EXPECT_EQ(SkinOf(a)->MinimizedSize(), (platform::core::TSize{200, 35}));
    SkinOf(a)->SetWindowState(forms::wsMinimized);
    SkinOf(b)->SetWindowState(forms::wsMinimized);
    ProcessMessages();
    EXPECT_EQ(a->BoundsRect(), (TRect{0, height - 35, 200, height}));
    EXPECT_EQ(b->BoundsRect(), (TRect{200, height - 35, 400, height}));
    EXPECT_EQ(SkinOf(b)->WindowState(), forms::wsMinimized);
    SkinOf(a)->SetWindowState(forms::wsNormal);
    ProcessMessages();
    EXPECT_EQ(a->BoundsRect(), (TRect{10, 10, 310, 160}));
}

TEST_F(MdiSkinFormTest, TheWindowMenuNamesItsChildItemsAndChecksTheActiveOne) {
    MakeMain();
    auto* menu = new forms::TMainMenu(main);
    auto* window = new forms::TMenuItem(menu);
    window->SetCaption("&Window");
    menu->Items()->Add(window);
    main->SetMenu(menu);
    main->SetWindowMenu(window);
    TForm* a = AddChild("Alpha");
    AddChild("Beta");
    ASSERT_EQ(window->Count(), 2);
    EXPECT_EQ(window->Items(0)->Name(), "Alpha_SFCHILDITEM");
    EXPECT_EQ(window->Items(0)->Caption(), "Alpha");
    EXPECT_EQ(window->Items(1)->Name(), "Beta_SFCHILDITEM");
    EXPECT_TRUE(window->Items(1)->Checked());
    EXPECT_FALSE(window->Items(0)->Checked());
    a->SetCaption("Alpha 2");
    EXPECT_EQ(window->Items(0)->Caption(), "Alpha 2");

    // Choosing a minimised child's item restores it and makes it the active one.
    SkinOf(a)->SetWindowState(forms::wsMinimized);
    window->Items(0)->Click();
    ProcessMessages();
    EXPECT_EQ(SkinOf(a)->WindowState(), forms::wsNormal);
    EXPECT_EQ(main->ActiveMDIChild(), a);
    EXPECT_TRUE(window->Items(0)->Checked());
}

TEST_F(MdiSkinFormTest, AChildsSystemMenuOpensUnderItsButtonOnTheScreen) {
    MakeMain({}, false);
    TForm* a = AddChild("Alpha", {30, 40, 330, 190});
    skin::TbsActiveSkinObject* button = SkinOf(a)->FindObject("sysmenubutton");
    ASSERT_NE(button, nullptr);
    const TRect r = button->ObjectRect;
    const TPoint origin = ScreenAt(a, 0, 0);
    // The child lies inside the client, which lies inside the main form: not at (30, 40).
    ASSERT_NE(origin, (TPoint{30, 40}));
    Ui().Click(ScreenAt(a, (r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2));
    skin::TbsSkinFormBehaviour* behaviour = skin::TbsSkinFormBehaviour::Find(SkinOf(a));
    ASSERT_NE(behaviour, nullptr);
    ASSERT_EQ(behaviour->SkinMenu().LevelCount(), 1);
    const TRect menu = behaviour->SkinMenu().Level(0)->BoundsRect();
    EXPECT_EQ(menu.Left, origin.X + r.Left);
    EXPECT_EQ(menu.Top, origin.Y + r.Bottom);
}

}  // namespace
}  // namespace skinform
