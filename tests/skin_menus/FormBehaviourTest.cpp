// The skin form's window behaviour on the headless backend: window states and slots, roll-up,
// caption double-clicks, the system menu, magnetic edges and the fade-in.

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "platform/forms/Application.h"
#include "platform/forms/Form.h"
#include "platform/gfx/Bitmap.h"
#include "platform/ui/WindowSystem.h"
#include "skin/data/bsSkinData.h"
#include "skin/data/bsSkinDataStored.h"
#include "skin/form/bsSkinForm.h"
#include "skin/form/bsSkinFormBehaviour.h"
#include "skin/form/bsSkinMenus.h"
#include "skin/form/bsSkinMenusWindow.h"
#include "support/UiTest.h"

namespace menustest {
namespace {

using namespace platform::ui;
using platform::core::TPoint;
using platform::core::TRect;
using platform::forms::TForm;
using platform::forms::TMenuItem;
using platform::forms::wsMaximized;
using platform::forms::wsMinimized;
using platform::forms::wsNormal;
using skin::TbsSkinForm;
using skin::TbsSkinFormBehaviour;

class FormBehaviourTest : public vktest::UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        mainForm = MakeForm(400, 300, platform::forms::bsSizeable, 50, 50);
        App().SetMainForm(mainForm);
    }

    // A shown form with a skin form in the built-in look.
    TForm* MakeForm(int width, int height, platform::forms::TFormBorderStyle border, int left = 100,
                    int top = 100, bool show = true) {
        auto* form = new TForm(&App());
        form->SetBorderStyle(border);
        form->SetBounds(left, top, width, height);
        new TbsSkinForm(form);
        if (show) {
            form->SetVisible(true);
            ProcessMessages();
        }
        return form;
    }
    static TbsSkinForm* SkinFormOf(TForm* form) { return TbsSkinFormBehaviour::FindSkinForm(form); }
    static TbsSkinFormBehaviour& Behaviour(TForm* form) {
        return *TbsSkinFormBehaviour::Of(SkinFormOf(form));
    }
    static TPoint At(TForm* form, int x, int y) { return {form->Left() + x, form->Top() + y}; }

    static std::vector<std::string> Captions(TMenuItem* root) {
        std::vector<std::string> out;
        for (int i = 0; i < root->Count(); ++i) out.push_back(root->Items(i)->Caption());
        return out;
    }
    // Runs a system-menu item the way the user does: open the menu, walk to it, press Enter.
    void RunSystemMenuItem(TForm* form, const std::string& caption) {
        skin::TbsSkinMenu& menu = Behaviour(form).SkinMenu();
        Ui().Click(At(form, 150, 10), platform::ui::TMouseButton::Right);
        ASSERT_TRUE(menu.IsOpen());
        skin::TbsSkinPopupWindow* level = menu.DeepestLevel();
        for (int guard = 0; guard < level->ItemCount(); ++guard) {
            if (level->Item(level->HotIndex()).MenuItem->Caption() == caption) break;
            Ui().KeyPress(VK_DOWN);
        }
        ASSERT_EQ(level->Item(level->HotIndex()).MenuItem->Caption(), caption);
        Ui().KeyPress(VK_RETURN);
        EXPECT_FALSE(menu.IsOpen());
    }

    TForm* mainForm = nullptr;
};

TEST_F(FormBehaviourTest, MinimisingTheMainFormMinimisesTheApplicationAndKeepsItsState) {
    TbsSkinForm* sf = SkinFormOf(mainForm);
    const TRect before = mainForm->BoundsRect();
    sf->SetWindowState(wsMinimized);
    ProcessMessages();
    EXPECT_EQ(sf->WindowState(), wsNormal);
    EXPECT_TRUE(platform::forms::Application->Minimized());
    EXPECT_TRUE(mainForm->Handle()->IsIconic());
    EXPECT_TRUE(Behaviour(mainForm).SavedBounds().IsEmpty());
    EXPECT_EQ(mainForm->BoundsRect(), before);
}

TEST_F(FormBehaviourTest, NonMainFormsMinimiseIntoAdjacentSlotsAndRestore) {
    TForm* a = MakeForm(300, 200, platform::forms::bsSizeable, 120, 120);
    TForm* b = MakeForm(320, 220, platform::forms::bsSizeable, 160, 160);
    const TRect work = System().WorkArea();
    const TRect aBefore = a->BoundsRect();
    SkinFormOf(a)->SetWindowState(wsMinimized);
    SkinFormOf(b)->SetWindowState(wsMinimized);
    ProcessMessages();
    const int w = SkinFormOf(a)->GetMinWidth(), h = SkinFormOf(a)->GetMinHeight();
    EXPECT_EQ(SkinFormOf(a)->WindowState(), wsMinimized);
    EXPECT_EQ(a->BoundsRect(), (TRect{work.Left, work.Bottom - h, work.Left + w, work.Bottom}));
    EXPECT_EQ(b->BoundsRect(), (TRect{work.Left + w, work.Bottom - h, work.Left + 2 * w, work.Bottom}));
    // A minimised form's hit test knows only its caption.
    EXPECT_EQ(System().SendMessage(a->Handle(), WM_NCHITTEST, 0, PointToLParam(At(a, 1, 1))), skin::HTOBJECT);

    SkinFormOf(a)->SetWindowState(wsNormal);
    EXPECT_EQ(a->BoundsRect(), aBefore);
    EXPECT_TRUE(Behaviour(a).SavedBounds().IsEmpty());
    // The freed slot is taken again first.
    TForm* c = MakeForm(300, 200, platform::forms::bsSizeable, 200, 200);
    SkinFormOf(c)->SetWindowState(wsMinimized);
    EXPECT_EQ(c->BoundsRect().TopLeft(), (TPoint{work.Left, work.Bottom - h}));
}

TEST_F(FormBehaviourTest, MaximiseFillsTheWorkAreaKeepsItsBoundsWhileDraggedAndRestores) {
    TForm* form = MakeForm(300, 200, platform::forms::bsSizeable, 120, 120);
    TbsSkinForm* sf = SkinFormOf(form);
    sf->SetWindowState(wsMaximized);
    EXPECT_EQ(form->BoundsRect(), System().WorkArea());
    Ui().Drag(At(form, 150, 10), At(form, 250, 60));
    EXPECT_EQ(form->BoundsRect(), System().WorkArea());
    sf->SetWindowState(wsNormal);
    EXPECT_EQ(form->BoundsRect(), (TRect{120, 120, 420, 320}));

    // A restore that does not change the size still goes through two size changes.
    int sizes = 0;
    auto proc = form->WindowProc;
    form->WindowProc = [&sizes, proc](platform::forms::TMessage& m) {
        if (m.Msg == WM_SIZE) ++sizes;
        proc(m);
    };
    form->SetBoundsRect(System().WorkArea());
    sf->SetWindowState(wsMaximized);
    sizes = 0;
    sf->SetWindowState(wsNormal);
    EXPECT_EQ(sizes, 2);
    EXPECT_EQ(form->BoundsRect(), System().WorkArea());
    form->WindowProc = proc;
}

TEST_F(FormBehaviourTest, CaptionDoubleClickMaximisesSizeableFormsAndRollsUpOthers) {
    TForm* fixed = MakeForm(300, 200, platform::forms::bsSingle, 120, 120);
    TbsSkinForm* sf = SkinFormOf(fixed);
    Ui().DoubleClick(At(fixed, 150, 10));
    EXPECT_TRUE(sf->RollUpState());
    EXPECT_EQ(fixed->Height(), sf->GetMinHeight());
    EXPECT_EQ(sf->WindowState(), wsNormal);
    Advance(600);
    Ui().DoubleClick(At(fixed, 150, 10));
    EXPECT_FALSE(sf->RollUpState());
    EXPECT_EQ(fixed->Height(), 200);

    TForm* sizeable = MakeForm(300, 200, platform::forms::bsSizeable, 200, 200);
    Advance(600);
    Ui().DoubleClick(At(sizeable, 150, 10));
    EXPECT_EQ(SkinFormOf(sizeable)->WindowState(), wsMaximized);
    Advance(600);
    Ui().DoubleClick(At(sizeable, 150, 10));
    EXPECT_EQ(SkinFormOf(sizeable)->WindowState(), wsNormal);
    EXPECT_EQ(sizeable->BoundsRect(), (TRect{200, 200, 500, 400}));
}

TEST_F(FormBehaviourTest, RollingUpAMaximisedWindowAndChoosingRestoreUnrollsItStillMaximised) {
    TForm* form = MakeForm(300, 200, platform::forms::bsSizeable, 120, 120);
    TbsSkinForm* sf = SkinFormOf(form);
    sf->SetWindowState(wsMaximized);
    sf->SetRollUpState(true);
    EXPECT_TRUE(Behaviour(form).RolledFromMax());
    EXPECT_EQ(form->Height(), sf->GetMinHeight());
    EXPECT_EQ(Captions(sf->SystemMenuItems()),
              (std::vector<std::string>{"Mi&nimize", "&Restore", "-", "&Close"}));
    RunSystemMenuItem(form, "&Restore");
    EXPECT_FALSE(sf->RollUpState());
    EXPECT_EQ(sf->WindowState(), wsMaximized);
    EXPECT_EQ(form->BoundsRect(), System().WorkArea());

    // Rolled up while normal, then maximised: toggling does not unroll, restoring does.
    sf->SetWindowState(wsNormal);
    sf->SetRollUpState(true);
    sf->SetWindowState(wsMaximized);
    sf->SetRollUpState(false);
    EXPECT_TRUE(sf->RollUpState());
    // Nothing rolls up without the roll-up icon.
    sf->SetWindowState(wsNormal);
    RunSystemMenuItem(form, "&Restore");
    EXPECT_FALSE(sf->RollUpState());
    sf->SetBorderIcons(skin::biSystemMenu | skin::biMinimize | skin::biMaximize);
    sf->SetRollUpState(true);
    EXPECT_FALSE(sf->RollUpState());
}

TEST_F(FormBehaviourTest, SystemMenuItemsFollowTheWindowState) {
    TForm* form = MakeForm(300, 200, platform::forms::bsSizeable, 120, 120);
    TbsSkinForm* sf = SkinFormOf(form);
    TMenuItem* items = sf->SystemMenuItems();
    EXPECT_EQ(Captions(items),
              (std::vector<std::string>{"Mi&nimize", "Ma&ximize", "Ro&llUp", "-", "&Close"}));
    TMenuItem* close = items->Items(items->Count() - 1);
    EXPECT_EQ(close->Name(), "SF_CLOSE");
    EXPECT_EQ(platform::forms::ShortCutToText(close->ShortCut()), "Alt+F4");
    sf->SetWindowState(wsMaximized);
    EXPECT_EQ(Captions(sf->SystemMenuItems()),
              (std::vector<std::string>{"Mi&nimize", "&Restore", "Ro&llUp", "-", "&Close"}));
    sf->SetWindowState(wsMinimized);
    EXPECT_EQ(Captions(sf->SystemMenuItems()),
              (std::vector<std::string>{"Ma&ximize", "&Restore", "-", "&Close"}));
    sf->SetWindowState(wsNormal);
    sf->SetBorderIcons(skin::biSystemMenu | skin::biMinimizeToTray);
    EXPECT_EQ(Captions(sf->SystemMenuItems()),
              (std::vector<std::string>{"Minimize to &Tray", "-", "&Close"}));
    sf->SetBorderIcons(skin::biSystemMenu);
    EXPECT_EQ(Captions(sf->SystemMenuItems()), (std::vector<std::string>{"&Close"}));
}

TEST_F(FormBehaviourTest, ASystemMenuComponentWithAndWithoutTheDefaultItems) {
    TForm* form = MakeForm(300, 200, platform::forms::bsSizeable, 120, 120);
    TbsSkinForm* sf = SkinFormOf(form);
    auto* own = new platform::forms::TPopupMenu(form);
    for (const char* caption : {"&About", "&Help"}) {
        auto* item = new TMenuItem(own);
        item->SetCaption(caption);
        own->Items()->Add(item);
    }
    sf->SetSystemMenu(own);
    const std::vector<std::string> merged{"Mi&nimize", "Ma&ximize", "Ro&llUp", "&About", "&Help", "&Close"};
    EXPECT_EQ(Captions(sf->SystemMenuItems()), merged);
    // Asking again rebuilds, never doubles.
    EXPECT_EQ(Captions(sf->SystemMenuItems()), merged);
    sf->SetWindowState(wsMaximized);
    EXPECT_EQ(Captions(sf->SystemMenuItems()),
              (std::vector<std::string>{"Mi&nimize", "&Restore", "Ro&llUp", "&About", "&Help", "&Close"}));
    sf->SetWindowState(wsNormal);
    sf->SetUseDefaultSysMenu(false);
    own->Items()->Clear();
    auto* only = new TMenuItem(own);
    only->SetCaption("&Only");
    own->Items()->Add(only);
    EXPECT_EQ(Captions(sf->SystemMenuItems()), (std::vector<std::string>{"&Only"}));
}

TEST_F(FormBehaviourTest, SystemMenuOpensFromItsButtonAndFromTheCaptionAndTakesTheKeyboard) {
    TForm* form = MakeForm(300, 200, platform::forms::bsSizeable, 120, 120);
    TbsSkinFormBehaviour& behaviour = Behaviour(form);
    skin::TbsSkinMenu& menu = behaviour.SkinMenu();
    int opened = 0, closed = 0;
    behaviour.OnSkinMenuOpen = [&opened](platform::forms::TComponent*) { ++opened; };
    behaviour.OnSkinMenuClose = [&closed](platform::forms::TComponent*) { ++closed; };

    // The system-menu button of the built-in frame sits at (3, 4).
    const TPoint button = At(form, 8, 10);
    Ui().MouseMove(button);
    Ui().MouseDown();
    ASSERT_TRUE(menu.IsOpen());
    EXPECT_TRUE(behaviour.MenuOpen());
    EXPECT_EQ(opened, 1);
    const TRect popup = menu.Level(0)->BoundsRect();
    EXPECT_EQ(popup.Left, form->Left() + 3);
    EXPECT_GT(popup.Top, form->Top() + 4);
    Ui().MouseUp();
    EXPECT_TRUE(menu.IsOpen());
    EXPECT_EQ(menu.Level(0)->HotIndex(), 0);
    Ui().KeyPress(VK_DOWN);
    EXPECT_EQ(menu.Level(0)->HotIndex(), 1);
    Ui().KeyPress(VK_ESCAPE);
    EXPECT_FALSE(menu.IsOpen());
    EXPECT_FALSE(behaviour.MenuOpen());
    EXPECT_EQ(closed, 1);
    for (const auto& object : SkinFormOf(form)->ObjectList()) {
        if (auto* b = dynamic_cast<skin::TbsSkinButtonObject*>(object.get())) {
            EXPECT_FALSE(b->Pressed) << b->IDName;
        }
    }

    // A right press on the caption opens it at the pointer; a press on the form closes it.
    const TPoint caption = At(form, 150, 10);
    // The frame's hover poll notices that the pointer left the button.
    Ui().MouseMove(caption);
    Advance(100);
    Ui().Click(caption, platform::ui::TMouseButton::Right);
    ASSERT_TRUE(menu.IsOpen());
    EXPECT_EQ(menu.Level(0)->BoundsRect().TopLeft(), caption);
    Ui().Click(At(form, 150, 100));
    EXPECT_FALSE(menu.IsOpen());
    EXPECT_EQ(closed, 2);
    // The application's handler is back: keys reach the form again.
    EXPECT_FALSE(static_cast<bool>(platform::forms::Application->OnMessage));
}

TEST_F(FormBehaviourTest, KeyMenuCommandClosesAnOpenSkinMenu) {
    TForm* form = MakeForm(300, 200, platform::forms::bsSizeable, 120, 120);
    skin::TbsSkinMenu& menu = Behaviour(form).SkinMenu();
    Ui().Click(At(form, 150, 10), platform::ui::TMouseButton::Right);
    ASSERT_TRUE(menu.IsOpen());
    System().SendMessage(form->Handle(), WM_SYSCOMMAND, SC_KEYMENU, 0);
    EXPECT_FALSE(menu.IsOpen());
}

TEST_F(FormBehaviourTest, MenuModeRoutesKeysToTheMainMenuBar) {
    TForm* form = MakeForm(300, 200, platform::forms::bsSizeable, 120, 120);
    TbsSkinFormBehaviour& behaviour = Behaviour(form);
    std::vector<std::string> calls;
    skin::TbsMainMenuBarLink& bar = behaviour.MainMenuBar;
    bar.EnterMenuMode = [&] {
        calls.push_back("enter");
        behaviour.EnterMenuMode();
    };
    bar.LeaveMenuMode = [&] { calls.push_back("leave"); };
    bar.NextItem = [&] { calls.push_back("next"); };
    bar.PreviousItem = [&] { calls.push_back("previous"); };
    bar.TakeAccelerator = [&](uint32_t key) {
        calls.push_back(std::string("accel ") + static_cast<char>(key));
        return key == 'F';
    };
    int exits = 0;
    behaviour.OnMainMenuExit = [&exits](platform::forms::TComponent*) { ++exits; };

    // Alt or F10 arrives as the key-menu command.
    System().SendMessage(form->Handle(), WM_SYSCOMMAND, SC_KEYMENU, 0);
    EXPECT_TRUE(behaviour.MainMenuActive());
    Ui().KeyPress(VK_LEFT);
    Ui().KeyPress(VK_RIGHT);
    Ui().KeyPress('F');
    Ui().KeyPress(VK_ESCAPE);
    EXPECT_FALSE(behaviour.MainMenuActive());
    EXPECT_EQ(calls, (std::vector<std::string>{"enter", "accel %", "previous", "accel '", "next", "accel F",
                                               "accel \x1B", "leave"}));
    EXPECT_EQ(exits, 1);
    EXPECT_FALSE(static_cast<bool>(platform::forms::Application->OnMessage));

    // A skin menu that closes while in menu mode ends the menu mode.
    System().SendMessage(form->Handle(), WM_SYSCOMMAND, SC_KEYMENU, 0);
    Ui().Click(At(form, 150, 10), platform::ui::TMouseButton::Right);
    EXPECT_FALSE(behaviour.MainMenuActive());
    EXPECT_TRUE(behaviour.SkinMenu().IsOpen());
    behaviour.EnterMenuMode();
    Ui().KeyPress(VK_ESCAPE);
    EXPECT_FALSE(behaviour.SkinMenu().IsOpen());
    EXPECT_FALSE(behaviour.MainMenuActive());
    EXPECT_EQ(exits, 3);
}

TEST_F(FormBehaviourTest, MagneticEdgesSnapWithinTheMagneticSize) {
    TForm* form = MakeForm(300, 200, platform::forms::bsSizeable, 120, 120);
    TbsSkinForm* sf = SkinFormOf(form);
    sf->SetMagnetic(true);
    sf->SetMagneticSize(5);
    const TRect work = System().WorkArea();
    auto dragTo = [&](int left, int top) {
        const TPoint from = At(form, 150, 10);
        Ui().Drag(from, {from.X + left - form->Left(), from.Y + top - form->Top()});
        ProcessMessages();
    };
    dragTo(work.Left + 4, 200);
    EXPECT_EQ(form->Left(), work.Left);
    dragTo(work.Left + 5, 200);
    EXPECT_EQ(form->Left(), work.Left + 5);
    dragTo(400, work.Bottom - 200 + 3);
    EXPECT_EQ(form->Top(), work.Bottom - 200);
    dragTo(work.Right - 300 - 4, work.Top + 4);
    EXPECT_EQ(form->BoundsRect().TopLeft(), (TPoint{work.Right - 300, work.Top}));
    sf->SetMagnetic(false);
    dragTo(work.Left + 2, 200);
    EXPECT_EQ(form->Left(), work.Left + 2);
}

TEST_F(FormBehaviourTest, FadeInWithAnimationOnlyEndsOpaqueWithoutTheLayeredStyle) {
    TForm* form = MakeForm(300, 200, platform::forms::bsSizeable, 120, 120, false);
    TbsSkinForm* sf = SkinFormOf(form);
    sf->SetAlphaBlendAnimation(true);
    form->SetVisible(true);
    TWindow* w = form->Handle();
    EXPECT_TRUE(w->HasExStyle(WS_EX_LAYERED));
    EXPECT_EQ(w->Alpha(), 0);
    Advance(1);
    EXPECT_FALSE(w->HasExStyle(WS_EX_LAYERED));
    EXPECT_EQ(w->Alpha(), 255);
    EXPECT_EQ(Backend().Native(w->NativeId())->Alpha, 255);

    // With AlphaBlend the window ends at its value and stays layered.
    TForm* other = MakeForm(300, 200, platform::forms::bsSizeable, 150, 150, false);
    SkinFormOf(other)->SetAlphaBlend(true);
    SkinFormOf(other)->SetAlphaBlendAnimation(true);
    SkinFormOf(other)->SetAlphaBlendValue(120);
    other->SetVisible(true);
    Advance(1);
    EXPECT_TRUE(other->Handle()->HasExStyle(WS_EX_LAYERED));
    EXPECT_EQ(other->Handle()->Alpha(), 120);
    other->SetVisible(false);
    ProcessMessages();
    EXPECT_FALSE(other->Handle()->HasExStyle(WS_EX_LAYERED));

    // Setting the properties on a shown window applies them at once.
    SkinFormOf(form)->SetAlphaBlend(true);
    EXPECT_TRUE(w->HasExStyle(WS_EX_LAYERED));
    EXPECT_EQ(w->Alpha(), 200);
    SkinFormOf(form)->SetAlphaBlendValue(90);
    EXPECT_EQ(w->Alpha(), 90);
    SkinFormOf(form)->SetAlphaBlend(false);
    EXPECT_FALSE(w->HasExStyle(WS_EX_LAYERED));

    // Where the display shows no opacity nothing changes.
    Backend().SupportsOpacityValue = false;
    TForm* plain = MakeForm(300, 200, platform::forms::bsSizeable, 180, 180, false);
    SkinFormOf(plain)->SetAlphaBlendAnimation(true);
    plain->SetVisible(true);
    EXPECT_FALSE(plain->Handle()->HasExStyle(WS_EX_LAYERED));
}

TEST_F(FormBehaviourTest, TheDefaultSkinDrawsTheSystemMenuFromItsPictures) {
    const char* source = std::getenv("VK_SOURCE_DIR");
    ASSERT_TRUE(source && *source);
    auto* stored = new skin::TbsStoredSkin(mainForm);
    ASSERT_TRUE(stored->LoadFromSkinFolder(std::string(source) + "/assets/skin/skin.ini"));
    auto* data = new skin::TbsSkinData(mainForm);
    data->SetStoredSkin(stored);
    ASSERT_FALSE(data->SkinIsEmpty);
    TForm* form = MakeForm(400, 300, platform::forms::bsSizeable, 120, 120);
    TbsSkinForm* sf = SkinFormOf(form);
    sf->SetSkinData(data);
    ProcessMessages();
    skin::TbsActiveSkinObject* caption = sf->FindObject("caption");
    ASSERT_NE(caption, nullptr);
    const TPoint p = At(form, (caption->ObjectRect.Left + caption->ObjectRect.Right) / 2,
                        (caption->ObjectRect.Top + caption->ObjectRect.Bottom) / 2);
    Ui().MouseMove(p);
    Advance(100);
    Ui().Click(p, platform::ui::TMouseButton::Right);
    skin::TbsSkinMenu& menu = Behaviour(form).SkinMenu();
    ASSERT_TRUE(menu.IsOpen());
    skin::TbsSkinPopupWindow* level = menu.Level(0);
    EXPECT_TRUE(level->Skinned());
    EXPECT_TRUE(level->SkinnedItems());
    const TRect close = level->Item(level->ItemCount() - 1).ItemRect;
    EXPECT_EQ(close.Height(), level->Item(0).ItemRect.Height());
    Ui().SavePng("default_skin_system_menu");

    // Loading the skin again frees the pictures the menu draws from: the menu closes first.
    data->LoadFromStoredSkin(stored);
    EXPECT_FALSE(menu.IsOpen());
    // Later than a double click.
    Advance(600);
    Ui().Click(p, platform::ui::TMouseButton::Right);
    ASSERT_TRUE(menu.IsOpen());
    EXPECT_TRUE(menu.Level(0)->Skinned());
    Ui().KeyPress(VK_ESCAPE);
}

}  // namespace
}  // namespace menustest
