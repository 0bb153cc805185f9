// The menu engine on the headless backend: levels, placement, scrolling, the sub-menu delay, the
// keyboard, commands and the closing notices.

#include "MenusFixture.h"

namespace menustest {
namespace {

using namespace platform::ui;
using platform::gfx::clBtnShadow;
using platform::gfx::clBtnText;
using platform::gfx::ColorToRGB;

class MenuEngineTest : public MenusFixture {};

TEST_F(MenuEngineTest, TallMenuOpensAtTheWorkAreaTopAndScrollsOneItemPer100msOverTheBottomMarker) {
    for (int i = 0; i < 60; ++i) Add(Root(), "Item " + std::to_string(i));
    ASSERT_TRUE(Open({300, 400}));
    skin::TbsSkinPopupWindow& level = Level(0);
    const TRect work = System().WorkArea();
    EXPECT_TRUE(level.Scrolling());
    EXPECT_EQ(level.BoundsRect().Top, work.Top);
    EXPECT_EQ(level.BoundsRect().Height(), work.Height());
    // Items start below the top marker and stop above the bottom one.
    EXPECT_EQ(level.Item(0).ItemRect.Top, level.ItemsArea().Top + skin::kScrollMarkerSize);
    const int shown = level.ShownCount();
    EXPECT_EQ(shown, (work.Height() - 4 - 2 * skin::kScrollMarkerSize) / 20);
    EXPECT_FALSE(level.Item(shown).Shown);

    // Both markers are drawn, neither active yet.
    const TBitmap before = CaptureLevel(0);
    const int w = level.BoundsRect().Width(), h = level.BoundsRect().Height();
    EXPECT_EQ(before.Pixel(w / 2, 7), ColorToRGB(clBtnShadow));
    EXPECT_EQ(before.Pixel(w / 2, h - 7), ColorToRGB(clBtnShadow));

    const TPoint bottomMarker{level.BoundsRect().Left + w / 2, level.BoundsRect().Bottom - 5};
    Hover(bottomMarker);
    EXPECT_EQ(level.ScrollDirection(), 1);
    EXPECT_EQ(level.FirstShown(), 0);
    Advance(99);
    EXPECT_EQ(level.FirstShown(), 0);
    Advance(1);
    EXPECT_EQ(level.FirstShown(), 1);
    EXPECT_TRUE(level.Item(shown).Shown);
    EXPECT_FALSE(level.Item(0).Shown);
    Advance(100);
    EXPECT_EQ(level.FirstShown(), 2);
    EXPECT_EQ(CaptureLevel(0).Pixel(w / 2, h - 7), ColorToRGB(clBtnText));
    Shot("tall_menu_scrolling");

    // Leaving the marker stops the scrolling.
    Hover(ItemCenter(0, 10));
    Advance(500);
    EXPECT_EQ(level.FirstShown(), 2);
    EXPECT_EQ(level.ScrollDirection(), 0);

    // Scrolling stops at the last item.
    Hover(bottomMarker);
    Advance(100 * 60);
    EXPECT_EQ(level.FirstShown() + level.ShownCount(), 60);
    EXPECT_TRUE(level.Item(59).Shown);
}

TEST_F(MenuEngineTest, SubMenuOpens500msAfterHoveringAndNotWhenThePointerLeavesEarlier) {
    Add(Root(), "&First");
    TMenuItem* parent = Add(Root(), "&More");
    Add(parent, "Inner one");
    Add(parent, "Inner two");
    Add(Root(), "&Last");
    ASSERT_TRUE(Open({200, 150}));
    ASSERT_EQ(menu->LevelCount(), 1);

    Hover(ItemCenter(0, 1));
    EXPECT_TRUE(Level(0).Item(1).Hot);
    EXPECT_EQ(menu->PendingItem(), &Level(0).Item(1));
    Advance(499);
    EXPECT_EQ(menu->LevelCount(), 1);
    Advance(1);
    ASSERT_EQ(menu->LevelCount(), 2);
    EXPECT_TRUE(Level(0).Item(1).SubOpen);
    // The sub-menu lies beside its item, its first item level with it.
    const TRect item = Level(0).ItemScreenRect(1);
    EXPECT_EQ(Level(1).BoundsRect().Left, item.Right + 1);
    EXPECT_EQ(Level(1).ItemScreenRect(0).Top, item.Top);
    Shot("submenu_open");

    // Another item of the top level closes it again; a quick pass over the parent opens nothing.
    Hover(ItemCenter(0, 2));
    EXPECT_EQ(menu->LevelCount(), 1);
    EXPECT_FALSE(Level(0).Item(1).SubOpen);
    Hover(ItemCenter(0, 1));
    Advance(200);
    Hover(ItemCenter(0, 0));
    EXPECT_EQ(menu->PendingItem(), nullptr);
    Advance(1000);
    EXPECT_EQ(menu->LevelCount(), 1);
    // Opening a sub-menu runs its item's own command, once.
    EXPECT_EQ(clicked, std::vector<std::string>{"&More"});
}

TEST_F(MenuEngineTest, KeyboardWrapsSkipsSeparatorsAndDisabledItemsAndWalksSubMenus) {
    Add(Root(), "&Alpha");
    Add(Root(), "-");
    Add(Root(), "&Beta")->SetEnabled(false);
    TMenuItem* sub = Add(Root(), "&Gamma");
    Add(sub, "&Inner");
    Add(Root(), "&Delta");
    ASSERT_TRUE(Open({200, 150}));
    skin::TbsSkinPopupWindow& level = Level(0);
    // The first usable item is highlighted for the keyboard without opening anything.
    EXPECT_EQ(level.HotIndex(), 0);
    EXPECT_TRUE(level.Item(0).Preselected);

    menu->KeyDown(VK_DOWN);
    EXPECT_EQ(level.HotIndex(), 3);
    EXPECT_EQ(menu->LevelCount(), 1);  // no delay-opened sub-menu from the keyboard
    menu->KeyDown(VK_DOWN);
    EXPECT_EQ(level.HotIndex(), 4);
    menu->KeyDown(VK_DOWN);
    EXPECT_EQ(level.HotIndex(), 0);
    EXPECT_FALSE(level.Item(4).Hot);
    menu->KeyDown(VK_UP);
    EXPECT_EQ(level.HotIndex(), 4);
    menu->KeyDown(VK_UP);
    EXPECT_EQ(level.HotIndex(), 3);

    // Right opens the sub-menu, Left and Escape close levels one at a time.
    menu->KeyDown(VK_RIGHT);
    ASSERT_EQ(menu->LevelCount(), 2);
    EXPECT_EQ(Level(1).HotIndex(), 0);
    menu->KeyDown(VK_LEFT);
    EXPECT_EQ(menu->LevelCount(), 1);
    EXPECT_FALSE(level.Item(3).SubOpen);
    menu->KeyDown(VK_LEFT);
    EXPECT_EQ(menu->LevelCount(), 1);
    menu->KeyDown(VK_RETURN);
    ASSERT_EQ(menu->LevelCount(), 2);
    menu->KeyDown(VK_ESCAPE);
    EXPECT_EQ(menu->LevelCount(), 1);
    EXPECT_TRUE(menu->IsOpen());

    // An accelerator enters and runs its item.
    menu->KeyDown('D');
    EXPECT_FALSE(menu->IsOpen());
    EXPECT_EQ(clicked, (std::vector<std::string>{"&Gamma", "&Gamma", "&Delta"}));
}

TEST_F(MenuEngineTest, KeyboardScrollsATallMenuAndWrapsToTheOtherEnd) {
    for (int i = 0; i < 60; ++i) Add(Root(), "Item " + std::to_string(i));
    ASSERT_TRUE(Open({300, 400}));
    skin::TbsSkinPopupWindow& level = Level(0);
    const int shown = level.ShownCount();
    for (int i = 0; i < shown; ++i) menu->KeyDown(VK_DOWN);
    EXPECT_EQ(level.HotIndex(), shown);
    EXPECT_EQ(level.FirstShown(), 1);
    EXPECT_TRUE(level.Item(shown).Shown);
    menu->KeyDown(VK_HOME);  // not a menu key
    EXPECT_EQ(level.HotIndex(), shown);
    for (int i = 0; i <= shown; ++i) menu->KeyDown(VK_UP);
    EXPECT_EQ(level.HotIndex(), 59);
    EXPECT_TRUE(level.Item(59).Shown);
    EXPECT_EQ(level.FirstShown(), 60 - level.ShownCount());
    menu->KeyDown(VK_DOWN);
    EXPECT_EQ(level.HotIndex(), 0);
    EXPECT_EQ(level.FirstShown(), 0);
}

TEST_F(MenuEngineTest, PlacementAgainstTheWorkArea) {
    for (int i = 0; i < 5; ++i) Add(Root(), "Item " + std::to_string(i));
    const TRect work = System().WorkArea();
    const int height = 5 * 20 + 4;

    // Below a point with room there.
    ASSERT_TRUE(Open({200, 150}));
    EXPECT_EQ(Level(0).BoundsRect().TopLeft(), (TPoint{200, 150}));
    EXPECT_EQ(Level(0).BoundsRect().Height(), height);

    // Near the bottom: above the anchor.
    ASSERT_TRUE(Open({200, work.Bottom - 10}));
    EXPECT_EQ(Level(0).BoundsRect().Bottom, work.Bottom - 10);
    EXPECT_EQ(Level(0).BoundsRect().Left, 200);

    // Near the right edge: moved left to stay inside.
    ASSERT_TRUE(Open({work.Right - 5, 150}));
    EXPECT_EQ(Level(0).BoundsRect().Right, work.Right);

    // Above a button rectangle, and below it when there is no room above.
    menu->Popup(nullptr, nullptr, true, Root(), {400, 300, 450, 320});
    EXPECT_EQ(Level(0).BoundsRect().Bottom, 300);
    menu->Popup(nullptr, nullptr, true, Root(), {400, 5, 450, 30});
    EXPECT_EQ(Level(0).BoundsRect().TopLeft(), (TPoint{400, 30}));
    // No room above and the rectangle not at the very top: at the top, beside the rectangle.
    menu->Popup(nullptr, nullptr, true, Root(), {400, 40, 450, 60});
    EXPECT_EQ(Level(0).BoundsRect().TopLeft(), (TPoint{451, work.Top}));
    menu->CloseAll();
}

TEST_F(MenuEngineTest, CommandsRunOnceAndTellTheFormAndTheNotifyControl) {
    auto* recorder = new TRecorder(form);
    std::vector<uint32_t> formMessages;
    auto formProc = form->WindowProc;
    form->WindowProc = [&formMessages, formProc](platform::forms::TMessage& m) {
        formMessages.push_back(m.Msg);
        formProc(m);
    };
    Add(Root(), "&Open");
    Add(Root(), "&Save")->SetEnabled(false);
    Add(Root(), "-");
    ASSERT_TRUE(Open({200, 150}, nullptr, recorder));

    // Releases over a disabled item and a separator run nothing and keep the menu.
    Ui().Click(ItemCenter(0, 1));
    Ui().Click(ItemCenter(0, 2));
    EXPECT_TRUE(menu->IsOpen());
    EXPECT_TRUE(clicked.empty());

    Ui().Click(ItemCenter(0, 0));
    EXPECT_FALSE(menu->IsOpen());
    EXPECT_EQ(menu->LevelCount(), 0);
    EXPECT_EQ(clicked, std::vector<std::string>{"&Open"});
    EXPECT_EQ(recorder->Count(skin::SkinMenuClosedMessage), 1);
    EXPECT_EQ(recorder->Count(skin::MenuDoneMessage), 1);
    // The closing notice comes before the command's notice.
    EXPECT_LT(std::find(recorder->Messages.begin(), recorder->Messages.end(), skin::SkinMenuClosedMessage),
              std::find(recorder->Messages.begin(), recorder->Messages.end(), skin::MenuDoneMessage));
    EXPECT_EQ(std::count(formMessages.begin(), formMessages.end(), skin::SkinMenuClosedMessage), 1);

    // Escape on the only level closes the menu with one notice.
    ASSERT_TRUE(Open({200, 150}, nullptr, recorder));
    menu->KeyDown(VK_ESCAPE);
    EXPECT_FALSE(menu->IsOpen());
    EXPECT_EQ(recorder->Count(skin::SkinMenuClosedMessage), 2);
    EXPECT_EQ(recorder->Count(skin::MenuDoneMessage), 1);
    form->WindowProc = formProc;
}

TEST_F(MenuEngineTest, NothingOpensWithoutVisibleItemsAndAFreedNotifyControlIsForgotten) {
    TMenuItem* hidden = Add(Root(), "Hidden");
    hidden->SetVisible(false);
    EXPECT_FALSE(Open({200, 150}));
    EXPECT_FALSE(menu->IsOpen());
    EXPECT_EQ(menu->LevelCount(), 0);
    // From a first index past the end, too.
    Add(Root(), "Shown");
    EXPECT_FALSE(menu->Popup(nullptr, nullptr, false, Root(), {1, 1, 1, 1}, 5));

    auto* recorder = new TRecorder(form);
    ASSERT_TRUE(Open({200, 150}, nullptr, recorder));
    delete recorder;
    EXPECT_EQ(menu->NotifyControl(), nullptr);
    menu->CloseAll();
    EXPECT_FALSE(menu->IsOpen());
}

TEST_F(MenuEngineTest, PopupWindowsNeverTakeActivationOrFocus) {
    Add(Root(), "&Open");
    Add(Root(), "&Close");
    ASSERT_TRUE(Open({200, 150}));
    TWindow* formWindow = form->Handle();
    ASSERT_EQ(System().GetActiveWindow(), formWindow);
    TWindow* popup = Level(0).Handle();
    EXPECT_TRUE(popup->HasExStyle(WS_EX_NOACTIVATE));
    EXPECT_TRUE(popup->HasExStyle(WS_EX_TOOLWINDOW));
    EXPECT_TRUE(popup->ClassStyle() & CS_SAVEBITS);
    Ui().MouseMove(ItemCenter(0, 1));
    Ui().MouseDown();
    EXPECT_EQ(System().GetActiveWindow(), formWindow);
    EXPECT_NE(Backend().KeyboardFocus(), popup->NativeId());
    Ui().MouseUp();
    EXPECT_EQ(System().GetActiveWindow(), formWindow);
    EXPECT_EQ(clicked, std::vector<std::string>{"&Close"});
}

TEST_F(MenuEngineTest, FreeingTheEngineWithAnOpenMenuRemovesItsWindows) {
    Add(Root(), "&Open");
    ASSERT_TRUE(Open({200, 150}));
    TWindow* popup = Level(0).Handle();
    delete menu;
    menu = nullptr;
    EXPECT_FALSE(System().IsWindow(popup));
    ProcessMessages();
}

}  // namespace
}  // namespace menustest
