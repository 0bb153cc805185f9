// The skin form with a skin hint and a tray icon on the headless backend: object hints over the
// caption buttons, minimising to the tray and back (by the tray icon's double click and by the
// tray menu), and minimising without any notification area.

#include <cstdlib>
#include <memory>
#include <string>

#include "platform/forms/FormResource.h"
#include "platform/ui/NotificationArea.h"
#include "platform/ui/Screens.h"
#include "platform/ui/backend/headless/HeadlessTray.h"
#include "skin/controls/bsSkinHint.h"
#include "skin/controls/bsTrayIcon.h"
#include "skin/data/bsSkinData.h"
#include "skin/data/bsSkinDataStored.h"
#include "skin/form/bsSkinForm.h"
#include "skin/form/bsSkinFormBehaviour.h"
#include "skin/form/bsSkinFormRegister.h"
#include "skin/form/bsSkinMenus.h"
#include "skin/form/bsSkinMenusWindow.h"
#include "support/UiTest.h"

namespace {

using platform::core::TPoint;
using platform::core::TRect;
using platform::forms::TComponent;
using platform::forms::TForm;
using platform::ui::TTrayAction;
using platform::ui::TTrayEvent;
using platform::ui::headless::THeadlessTray;
using skin::TbsSkinForm;
using skin::TbsSkinFormBehaviour;
namespace ui = platform::ui;

class FormTrayTest : public vktest::UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        auto area = std::make_unique<THeadlessTray>();
        tray = area.get();
        ui::InstallNotificationArea(std::move(area));
        form = new TForm(&App());
        form->SetName("frmMain");
        form->SetBorderStyle(platform::forms::bsSizeable);
        form->SetBounds(120, 100, 400, 300);
        App().SetMainForm(form);
        skinForm = new TbsSkinForm(form);
        const char* source = std::getenv("VK_SOURCE_DIR");
        ASSERT_TRUE(source && *source);
        auto* stored = new skin::TbsStoredSkin(form);
        ASSERT_TRUE(stored->LoadFromSkinFolder(std::string(source) + "/assets/skin/skin.ini"));
        data = new skin::TbsSkinData(form);
        data->SetStoredSkin(stored);
        ASSERT_FALSE(data->SkinIsEmpty);
        skinForm->SetSkinData(data);
        form->SetVisible(true);
        ProcessMessages();
    }
    void TearDown() override {
        UiTest::TearDown();
        ui::InstallNotificationArea(nullptr);
    }

    TPoint ObjectCenter(const std::string& idName) {
        skin::TbsActiveSkinObject* object = skinForm->FindObject(idName);
        EXPECT_NE(object, nullptr) << idName;
        if (!object) return {};
        const TRect r = object->ObjectRect;
        return {form->Left() + (r.Left + r.Right) / 2, form->Top() + (r.Top + r.Bottom) / 2};
    }
    skin::TbsTrayIcon* AddTrayIcon() {
        auto* icon = new skin::TbsTrayIcon(form);
        icon->SetName("trayIcon");
        icon->SetHint("Puzzles");
        skinForm->SetTrayIcon(icon);
        return icon;
    }
    void DoubleClickIcon() {
        const THeadlessTray::TIcon* only = tray->OnlyIcon();
        ASSERT_NE(only, nullptr);
        const int id = only->Id;
        TTrayEvent e;
        e.Screen = {1000, 750};
        for (TTrayAction a :
             {TTrayAction::MouseDown, TTrayAction::MouseUp, TTrayAction::DoubleClick, TTrayAction::MouseUp}) {
            e.Action = a;
            tray->Send(id, e);
        }
        ProcessMessages();
    }

    THeadlessTray* tray = nullptr;
    TForm* form = nullptr;
    TbsSkinForm* skinForm = nullptr;
    skin::TbsSkinData* data = nullptr;
};

TEST_F(FormTrayTest, ACaptionButtonShowsItsHintBelowThePointerAfterThePauseAndHidesItOnLeaving) {
    auto* hint = new skin::TbsSkinHint(form);
    hint->SetSkinData(data);
    skinForm->SetSkinHint(hint);
    skinForm->SetShowObjectHint(true);
    skin::TbsActiveSkinObject* close = skinForm->FindObject("closebutton");
    ASSERT_NE(close, nullptr);
    ASSERT_FALSE(close->Hint.empty());

    const TPoint p = ObjectCenter("closebutton");
    Ui().MouseMove(p);
    Advance(App().HintPause - 60);
    EXPECT_FALSE(hint->HintWindow()->IsHintVisible());
    Advance(120);
    ASSERT_TRUE(hint->HintWindow()->IsHintVisible());
    EXPECT_EQ(hint->HintWindow()->Caption(), close->Hint);
    EXPECT_TRUE(hint->HintWindow()->Skinned());
    EXPECT_EQ(hint->HintWindow()->BoundsRect().TopLeft(),
              TPoint(p.X, p.Y + skin::TbsSkinHint::VisibleCursorHeight()));
    Ui().SavePng("skin_hint_caption_button");

    // Onto the caption: the hint goes.
    Ui().MouseMove(ObjectCenter("caption"));
    Advance(60);
    EXPECT_FALSE(hint->HintWindow()->IsHintVisible());
    EXPECT_FALSE(hint->TimerRunning());

    // Without ShowObjectHint nothing is shown.
    skinForm->SetShowObjectHint(false);
    Ui().MouseMove(ObjectCenter("minbutton"));
    Advance(App().HintPause + 100);
    EXPECT_FALSE(hint->HintWindow()->IsHintVisible());

    // A freed hint is forgotten.
    delete hint;
    EXPECT_EQ(skinForm->SkinHint(), nullptr);
    skinForm->SetShowObjectHint(true);
    Ui().MouseMove(ObjectCenter("closebutton"));
    Advance(App().HintPause + 100);
}

TEST_F(FormTrayTest, MinimisingToTheTrayHidesTheFormAndTheIconsDoubleClickBringsItBack) {
    skin::TbsTrayIcon* icon = AddTrayIcon();
    // Assigning hides the icon and gives it the tray menu.
    EXPECT_FALSE(icon->IconVisible());
    EXPECT_TRUE(tray->IconIds().empty());
    TbsSkinFormBehaviour& behaviour = *TbsSkinFormBehaviour::Of(skinForm);
    EXPECT_EQ(icon->PopupMenu(), &behaviour.TrayMenu());
    int minimised = 0, restored = 0;
    behaviour.OnMinimizeToTray = [&](TComponent*) { ++minimised; };
    behaviour.OnRestoreFromTray = [&](TComponent*) { ++restored; };

    skinForm->MinimizeToTray();
    ProcessMessages();
    EXPECT_EQ(minimised, 1);
    EXPECT_FALSE(form->Visible());
    EXPECT_FALSE(form->Handle()->IsVisible());
    ASSERT_NE(tray->OnlyIcon(), nullptr);
    EXPECT_EQ(tray->OnlyIcon()->Image.Tip, "Puzzles");

    DoubleClickIcon();
    EXPECT_EQ(restored, 1);
    EXPECT_TRUE(form->Visible());
    EXPECT_TRUE(form->Handle()->IsVisible());
    EXPECT_FALSE(App().Minimized());
    EXPECT_TRUE(tray->IconIds().empty());
    Advance(1000);
    EXPECT_EQ(restored, 1);

    // With AlwaysShowInTray the icon stays after restoring.
    skinForm->SetAlwaysShowInTray(true);
    skinForm->MinimizeToTray();
    DoubleClickIcon();
    EXPECT_TRUE(form->Visible());
    EXPECT_EQ(tray->IconIds().size(), 1U);
}

TEST_F(FormTrayTest, TheTrayMenuOpensSkinnedAtTheIconAndItsRestoreItemBringsTheFormBack) {
    AddTrayIcon();
    skinForm->MinimizeToTray();
    ProcessMessages();
    ASSERT_FALSE(form->Visible());
    const int id = tray->OnlyIcon()->Id;
    TTrayEvent e;
    e.Action = TTrayAction::ContextMenu;
    e.Screen = {700, 500};
    tray->Send(id, e);
    ProcessMessages();
    skin::TbsSkinMenu& engine = TbsSkinFormBehaviour::Of(skinForm)->SkinMenu();
    ASSERT_TRUE(engine.IsOpen());
    skin::TbsSkinPopupWindow* level = engine.Level(0);
    ASSERT_NE(level, nullptr);
    EXPECT_TRUE(level->Skinned());
    const TRect r = level->BoundsRect();
    EXPECT_EQ(r.TopLeft(), TPoint(700, 500));
    Ui().SavePng(Ui().CaptureWindow(level->Handle()), "tray_menu");
    ASSERT_EQ(level->Item(0).MenuItem->Name(), "TRAY_SF_RESTORE");
    const TRect item = level->Item(0).ItemRect;
    Ui().Click({r.Left + (item.Left + item.Right) / 2, r.Top + (item.Top + item.Bottom) / 2});
    ProcessMessages();
    EXPECT_FALSE(engine.IsOpen());
    EXPECT_TRUE(form->Visible());
    EXPECT_TRUE(tray->IconIds().empty());
}

TEST_F(FormTrayTest, WithoutANotificationAreaMinimisingToTheTrayMinimisesAndWithoutAnIconNothingHappens) {
    int minimised = 0;
    TbsSkinFormBehaviour::Of(skinForm)->OnMinimizeToTray = [&](TComponent*) { ++minimised; };
    skinForm->MinimizeToTray();
    EXPECT_EQ(minimised, 0);
    EXPECT_TRUE(form->Visible());
    EXPECT_FALSE(App().Minimized());

    tray->SetPresent(false);
    AddTrayIcon();
    skinForm->MinimizeToTray();
    ProcessMessages();
    EXPECT_EQ(minimised, 1);
    EXPECT_TRUE(form->Visible());
    EXPECT_TRUE(App().Minimized());
    EXPECT_TRUE(tray->IconIds().empty());
}

TEST(FormTrayResourceTest, AFormResourceWiresTheHintAndTheTrayIconAndCanStartInTheTray) {
    vktest::TUiTestContext ui;
    auto area = std::make_unique<THeadlessTray>();
    THeadlessTray* tray = area.get();
    ui::InstallNotificationArea(std::move(area));
    skin::RegisterSkinFormClasses();
    auto* form = new TForm(&ui.App());
    ui.App().SetMainForm(form);
    platform::forms::ReadComponentResource(*form,
                                           "object frmTray: TForm\n"
                                           "  object bsSkinHint1: TbsSkinHint\n"
                                           "    AlphaBlendValue = 180\n"
                                           "  end\n"
                                           "  object bsTrayIcon1: TbsTrayIcon\n"
                                           "    Hint = 'In the tray'\n"
                                           "    MinimizedOnStart = True\n"
                                           "    AnimateTimerInterval = 300\n"
                                           "  end\n"
                                           "  object bsSkinForm1: TbsSkinForm\n"
                                           "    SkinHint = bsSkinHint1\n"
                                           "    ShowObjectHint = True\n"
                                           "    TrayIcon = bsTrayIcon1\n"
                                           "  end\n"
                                           "end\n");
    auto* hint = ui.Find<skin::TbsSkinHint>(*form, "bsSkinHint1");
    auto* icon = ui.Find<skin::TbsTrayIcon>(*form, "bsTrayIcon1");
    auto* skinForm = ui.Find<TbsSkinForm>(*form, "bsSkinForm1");
    EXPECT_EQ(hint->AlphaBlendValue(), 180);
    EXPECT_EQ(icon->AnimateTimerInterval(), 300U);
    EXPECT_EQ(skinForm->SkinHint(), hint);
    EXPECT_TRUE(skinForm->ShowObjectHint());
    EXPECT_EQ(skinForm->TrayIcon(), icon);
    // Started minimised to the tray: the main form is not shown and the icon is there.
    EXPECT_FALSE(ui.App().ShowMainForm);
    EXPECT_TRUE(icon->IconVisible());
    EXPECT_TRUE(icon->MinimizeToTray());
    ASSERT_NE(tray->OnlyIcon(), nullptr);
    EXPECT_EQ(tray->OnlyIcon()->Image.Tip, "In the tray");
    ui::InstallNotificationArea(nullptr);
}

}  // namespace
