// The tray icon over the headless notification area: the click and double-click timing, the
// popup menu and its default item, the icon animation, the tip, the area restarting, hiding the
// main form to the tray and back, and what happens without any notification area.

#include <memory>
#include <string>
#include <vector>

#include "SkinControlsFixture.h"
#include "platform/forms/ImageListComponent.h"
#include "platform/forms/Menus.h"
#include "platform/ui/Screens.h"
#include "platform/ui/backend/headless/HeadlessTray.h"
#include "skin/controls/bsTrayIcon.h"

namespace {

using namespace skinctl;
using platform::forms::TComponent;
using platform::forms::TMenuItem;
using platform::forms::TPopupMenu;
using platform::ui::TTrayAction;
using platform::ui::TTrayEvent;
using platform::ui::headless::THeadlessTray;
using skin::TbsTrayIcon;
namespace ui = platform::ui;

// A popup menu that records where it was asked to open.
class TRecordingMenu : public TPopupMenu {
public:
    using TPopupMenu::TPopupMenu;
    void Popup(int x, int y) override {
        Opened.push_back({x, y});
        TPopupMenu::Popup(x, y);
    }
    std::vector<TPoint> Opened;
};

TBitmap Solid(TColor color) {
    TBitmap b(16, 16);
    vktest::Fill(b, {0, 0, 16, 16}, color);
    return b;
}

class TrayIconTest : public FormFixture {
protected:
    void SetUp() override {
        FormFixture::SetUp();
        App().SetMainForm(form);
        auto area = std::make_unique<THeadlessTray>();
        tray = area.get();
        ui::InstallNotificationArea(std::move(area));
    }
    void TearDown() override {
        FormFixture::TearDown();
        ui::InstallNotificationArea(nullptr);
    }

    TbsTrayIcon* MakeIcon() {
        auto* icon = new TbsTrayIcon(form);
        icon->SetName("trayIcon");
        icon->SetIcon(Solid(RGB(10, 20, 30)));
        icon->OnClick = [this](TComponent*) { ++clicks; };
        icon->OnDblClick = [this](TComponent*) { ++doubleClicks; };
        // Made in code, not read from a form: nothing is added until IconVisible is set.
        EXPECT_TRUE(tray->IconIds().empty());
        icon->SetIconVisible(true);
        return icon;
    }
    int Id() const {
        const THeadlessTray::TIcon* only = tray->OnlyIcon();
        return only ? only->Id : 0;
    }
    void Send(TTrayAction action, ui::TMouseButton button = ui::TMouseButton::Left, TPoint at = {900, 750}) {
        TTrayEvent e;
        e.Action = action;
        e.Button = button;
        e.Screen = at;
        ASSERT_TRUE(tray->Send(Id(), e));
        ProcessMessages();
    }
    void DoubleClick() {
        Send(TTrayAction::MouseDown);
        Send(TTrayAction::MouseUp);
        Advance(120);
        Send(TTrayAction::DoubleClick);
        Send(TTrayAction::MouseUp);
    }

    THeadlessTray* tray = nullptr;
    int clicks = 0;
    int doubleClicks = 0;
};

TEST_F(TrayIconTest, AClickIsReportedOneDoubleClickTimeAfterThePressAndADoubleClickGivesNoClick) {
    MakeIcon();
    ASSERT_NE(Id(), 0);
    Send(TTrayAction::MouseDown);
    Send(TTrayAction::MouseUp);
    EXPECT_EQ(clicks, 0);
    Advance(ui::kDoubleClickTime - 10);
    EXPECT_EQ(clicks, 0);
    Advance(20);
    EXPECT_EQ(clicks, 1);
    Advance(2000);
    EXPECT_EQ(clicks, 1);

    DoubleClick();
    EXPECT_EQ(doubleClicks, 1);
    Advance(2000);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(doubleClicks, 1);

    // A press held beyond the double-click time clicks at the release.
    Send(TTrayAction::MouseDown);
    Advance(ui::kDoubleClickTime + 100);
    EXPECT_EQ(clicks, 1);
    Send(TTrayAction::MouseUp);
    EXPECT_EQ(clicks, 2);
    Advance(2000);
    EXPECT_EQ(clicks, 2);
}

TEST_F(TrayIconTest, WholeClicksOfAProtocolMapOntoTheSameTiming) {
    MakeIcon();
    Send(TTrayAction::Activate);
    EXPECT_EQ(clicks, 0);
    Advance(ui::kDoubleClickTime + 10);
    EXPECT_EQ(clicks, 1);
    // Two activations within the double-click time are a double click only.
    Send(TTrayAction::Activate);
    Advance(100);
    Send(TTrayAction::Activate);
    Advance(2000);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(doubleClicks, 1);
    // Two further apart are two clicks.
    Send(TTrayAction::Activate);
    Advance(ui::kDoubleClickTime + 10);
    Send(TTrayAction::Activate);
    Advance(ui::kDoubleClickTime + 10);
    EXPECT_EQ(clicks, 3);
    EXPECT_EQ(doubleClicks, 1);
}

TEST_F(TrayIconTest, MouseEventsCarryTheButtonAndPositionAndNothingArrivesWhileDisabled) {
    TbsTrayIcon* icon = MakeIcon();
    std::vector<std::string> log;
    icon->OnMouseDown = [&](TComponent*, platform::forms::TMouseButton b, platform::forms::TShiftState, int x,
                            int y) {
        log.push_back("down" + std::to_string(b) + "@" + std::to_string(x) + "," + std::to_string(y));
    };
    icon->OnMouseUp = [&](TComponent*, platform::forms::TMouseButton b, platform::forms::TShiftState, int,
                          int) { log.push_back("up" + std::to_string(b)); };
    icon->OnMouseMove = [&](TComponent*, platform::forms::TShiftState, int x, int) {
        log.push_back("move" + std::to_string(x));
    };
    Send(TTrayAction::MouseMove, ui::TMouseButton::Left, {901, 700});
    Send(TTrayAction::MouseDown, ui::TMouseButton::Middle, {902, 701});
    Send(TTrayAction::MouseUp, ui::TMouseButton::Middle);
    Send(TTrayAction::ContextMenu, ui::TMouseButton::Left, {903, 702});
    const std::vector<std::string> want{"move901", "down2@902,701", "up2", "down1@903,702", "up1"};
    EXPECT_EQ(log, want);

    icon->SetEnabled(false);
    Send(TTrayAction::MouseDown);
    Send(TTrayAction::MouseUp);
    Advance(2000);
    EXPECT_EQ(log.size(), want.size());
    EXPECT_EQ(clicks, 0);
}

TEST_F(TrayIconTest, TheRightButtonOrOptionallyTheLeftOpensTheMenuAndADoubleClickRunsTheDefaultItem) {
    TbsTrayIcon* icon = MakeIcon();
    auto* menu = new TRecordingMenu(form);
    std::vector<std::string> ran;
    for (const char* caption : {"Open", "Restore", "Exit"}) {
        auto* item = new TMenuItem(menu);
        item->SetCaption(caption);
        item->OnClick = [&ran, caption](TComponent*) { ran.push_back(caption); };
        menu->Items()->Add(item);
    }
    menu->Items()->Items(1)->SetDefault(true);
    icon->SetPopupMenu(menu);

    Send(TTrayAction::MouseDown, ui::TMouseButton::Right, {880, 740});
    ASSERT_EQ(menu->Opened.size(), 1U);
    EXPECT_EQ(menu->Opened[0], TPoint(880, 740));
    EXPECT_EQ(menu->PopupComponent(), icon);
    Send(TTrayAction::MouseDown, ui::TMouseButton::Left);
    EXPECT_EQ(menu->Opened.size(), 1U);

    DoubleClick();
    EXPECT_EQ(ran, std::vector<std::string>{"Restore"});

    // Opening by the left button takes the double click's default item away; so does a menu
    // that does not pop up by itself.
    icon->SetPopupByLeftButton(true);
    Send(TTrayAction::MouseDown, ui::TMouseButton::Left, {870, 745});
    EXPECT_EQ(menu->Opened.size(), 2U);
    Advance(1000);
    DoubleClick();
    EXPECT_EQ(ran.size(), 1U);
    icon->SetPopupByLeftButton(false);
    menu->SetAutoPopup(false);
    Advance(1000);
    DoubleClick();
    Send(TTrayAction::MouseDown, ui::TMouseButton::Right);
    EXPECT_EQ(ran.size(), 1U);
    EXPECT_EQ(menu->Opened.size(), 3U);  // the presses while PopupByLeftButton was on

    // A freed menu is forgotten.
    delete menu;
    EXPECT_EQ(icon->PopupMenu(), nullptr);
    Send(TTrayAction::MouseDown, ui::TMouseButton::Right);
}

TEST_F(TrayIconTest, CyclingThreeImagesShowsThemInTurnAndReportsTheNextIndex) {
    TbsTrayIcon* icon = MakeIcon();
    auto* list = new platform::forms::TImageListComponent(form);
    list->SetWidth(16);
    list->SetHeight(16);
    const TColor colors[3] = {RGB(200, 0, 0), RGB(0, 200, 0), RGB(0, 0, 200)};
    for (TColor c : colors) list->Add(Solid(c));
    icon->SetIconList(list);
    icon->SetAnimateTimerInterval(250);
    std::vector<int> next;
    icon->OnCycle = [&](TComponent*, int n) { next.push_back(n); };
    icon->SetIconIndex(2);
    EXPECT_EQ(tray->OnlyIcon()->Image.Pixmap.Pixel(3, 3), colors[2]);
    icon->SetCycleIcons(true);
    EXPECT_EQ(icon->IconIndex(), 0);

    std::vector<TColor> shown;
    for (int tick = 0; tick < 5; ++tick) {
        Advance(250);
        shown.push_back(tray->OnlyIcon()->Image.Pixmap.Pixel(3, 3));
    }
    EXPECT_EQ(next, (std::vector<int>{1, 2, 0, 1, 2}));
    EXPECT_EQ(shown, (std::vector<TColor>{colors[0], colors[1], colors[2], colors[0], colors[1]}));

    icon->SetCycleIcons(false);
    Advance(1000);
    EXPECT_EQ(next.size(), 5U);

    // The index is clamped to the list; without a list it is 0 and cycling does nothing.
    icon->SetIconIndex(7);
    EXPECT_EQ(icon->IconIndex(), 2);
    icon->SetIconIndex(-3);
    EXPECT_EQ(icon->IconIndex(), 0);
    delete list;
    EXPECT_EQ(icon->IconList(), nullptr);
    icon->SetIconIndex(2);
    EXPECT_EQ(icon->IconIndex(), 0);
    icon->SetCycleIcons(true);
    Advance(1000);
    EXPECT_EQ(next.size(), 5U);
}

TEST_F(TrayIconTest, TheTipIsTheHintCutTo127CharactersUnlessHintsAreOff) {
    TbsTrayIcon* icon = MakeIcon();
    const std::string longHint(140, 'x');
    icon->SetHint(longHint + "end");
    EXPECT_EQ(tray->OnlyIcon()->Image.Tip, longHint.substr(0, 127));
    icon->SetHint("Puzzles");
    EXPECT_EQ(tray->OnlyIcon()->Image.Tip, "Puzzles");
    icon->SetShowHint(false);
    EXPECT_EQ(tray->OnlyIcon()->Image.Tip, "");
    icon->SetShowHint(true);
    EXPECT_EQ(tray->OnlyIcon()->Image.Tip, "Puzzles");
    // An empty icon shows the application's.
    App().SetIcon(Solid(RGB(1, 2, 3)));
    icon->SetIcon(TBitmap());
    EXPECT_EQ(tray->OnlyIcon()->Image.Pixmap.Pixel(0, 0), RGB(1, 2, 3));
}

TEST_F(TrayIconTest, AVisibleIconIsAddedAgainWhenTheAreaRestartsAndAHiddenOneIsNot) {
    TbsTrayIcon* icon = MakeIcon();
    icon->SetHint("Again");
    ASSERT_NE(Id(), 0);
    const int before = Id();
    tray->Restart();
    ASSERT_NE(Id(), 0);
    EXPECT_NE(Id(), before);
    EXPECT_EQ(tray->OnlyIcon()->Image.Tip, "Again");
    EXPECT_TRUE(icon->InArea());
    // Events reach the component through the new icon.
    Send(TTrayAction::MouseDown);
    Send(TTrayAction::MouseUp);
    Advance(ui::kDoubleClickTime + 10);
    EXPECT_EQ(clicks, 1);

    icon->SetIconVisible(false);
    EXPECT_TRUE(tray->IconIds().empty());
    tray->Restart();
    EXPECT_TRUE(tray->IconIds().empty());
    EXPECT_FALSE(icon->IconVisible());

    icon->SetIconVisible(true);
    delete icon;
    EXPECT_TRUE(tray->IconIds().empty());
    tray->Restart();
    EXPECT_TRUE(tray->IconIds().empty());
}

TEST_F(TrayIconTest, HidingToTheTrayAndBack) {
    TbsTrayIcon* icon = MakeIcon();
    icon->SetIconVisible(false);
    ASSERT_TRUE(form->Visible());
    EXPECT_TRUE(icon->HideMainFormToTray());
    EXPECT_FALSE(form->Visible());
    EXPECT_FALSE(form->Handle()->IsVisible());
    EXPECT_TRUE(icon->IconVisible());
    ASSERT_NE(Id(), 0);

    icon->ShowMainFormAgain();
    ProcessMessages();
    EXPECT_TRUE(form->Visible());
    EXPECT_TRUE(form->Handle()->IsVisible());
    EXPECT_FALSE(App().Minimized());
}

TEST_F(TrayIconTest, MinimisingTheApplicationGoesToTheTrayWhileMinimizeToTrayIsOn) {
    int minimised = 0;
    App().OnMinimize = [&](TComponent*) { ++minimised; };
    // Both hook in after the program's handler, which still runs.
    TbsTrayIcon* icon = MakeIcon();
    icon->SetIconVisible(false);
    auto* other = new TbsTrayIcon(form);
    other->SetMinimizeToTray(false);
    ASSERT_TRUE(icon->MinimizeToTray());
    App().Minimize();
    ProcessMessages();
    EXPECT_EQ(minimised, 1);
    EXPECT_FALSE(form->Visible());
    EXPECT_EQ(tray->IconIds().size(), 1U);
    icon->ShowMainFormAgain();
    ProcessMessages();
    EXPECT_TRUE(form->Visible());
    EXPECT_FALSE(App().Minimized());

    // Off: a plain minimise; a freed icon no longer acts.
    icon->SetMinimizeToTray(false);
    icon->SetIconVisible(false);
    App().Minimize();
    EXPECT_TRUE(form->Visible());
    EXPECT_TRUE(tray->IconIds().empty());
    App().Restore();
    icon->SetMinimizeToTray(true);
    delete icon;
    App().Minimize();
    EXPECT_EQ(minimised, 3);
    EXPECT_TRUE(form->Visible());
}

TEST_F(TrayIconTest, WithoutANotificationAreaThereIsNoIconAndHidingMinimisesInstead) {
    tray->SetPresent(false);
    TbsTrayIcon* icon = MakeIcon();
    EXPECT_TRUE(icon->IconVisible());
    EXPECT_FALSE(icon->InArea());
    EXPECT_TRUE(tray->IconIds().empty());
    EXPECT_FALSE(icon->HideMainFormToTray());
    ProcessMessages();
    EXPECT_TRUE(form->Visible());
    EXPECT_TRUE(App().Minimized());
    icon->ShowMainFormAgain();
    EXPECT_FALSE(App().Minimized());

    // No area at all (a desktop without one): the same.
    ui::InstallNotificationArea(std::make_unique<ui::TNoNotificationArea>());
    tray = nullptr;
    auto* lone = new TbsTrayIcon(form);
    EXPECT_FALSE(lone->InArea());
    EXPECT_FALSE(lone->HideMainFormToTray());
    EXPECT_TRUE(form->Visible());
    EXPECT_TRUE(App().Minimized());
}

}  // namespace
