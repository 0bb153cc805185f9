// The tray icon's watch on its owner window: activation gives the focus back to the screen's
// active control, a show request brings the application back from the tray with the owner on
// top, and the first position change with a main form ends FirstPosChange (hiding an MDI main
// form that starts minimised).

#include <memory>

#include "SkinControlsFixture.h"
#include "platform/forms/Application.h"
#include "platform/forms/Edit.h"
#include "platform/ui/WindowSystem.h"
#include "platform/ui/backend/headless/HeadlessTray.h"
#include "skin/controls/bsTrayIcon.h"

namespace {

using namespace skinctl;
using platform::forms::TEdit;
using platform::forms::TForm;
using platform::forms::TMessage;
using platform::ui::headless::THeadlessTray;
using skin::TbsTrayIcon;
namespace ui = platform::ui;
namespace forms = platform::forms;

// A form that leaves the focus alone when it is activated, as a window without the framework's
// focus bookkeeping would: only the tray icon's hook gives the focus back then.
class TPassiveForm : public TForm {
public:
    using TForm::TForm;

protected:
    void WndProc(TMessage& m) override {
        if (m.Msg == ui::WM_ACTIVATE) return;
        TForm::WndProc(m);
    }
};

class TrayIconHooksTest : public FormFixture {
protected:
    void SetUp() override {
        FormFixture::SetUp();
        auto area = std::make_unique<THeadlessTray>();
        tray = area.get();
        ui::InstallNotificationArea(std::move(area));
    }
    void TearDown() override {
        FormFixture::TearDown();
        ui::InstallNotificationArea(nullptr);
    }
    TForm* OtherForm(int left) {
        auto* f = new TForm(&App());
        f->SetBounds(left, 100, 200, 150);
        f->Show();
        ProcessMessages();
        return f;
    }

    THeadlessTray* tray = nullptr;
};

TEST_F(TrayIconHooksTest, ActivationGivesTheFocusBackToTheScreensActiveControl) {
    auto* owner = new TPassiveForm(&App());
    owner->SetBounds(20, 20, 300, 200);
    auto* edit = new TEdit(owner);
    edit->SetName("edtFind");
    edit->SetParent(owner);
    edit->SetBounds(10, 10, 120, 22);
    new TbsTrayIcon(owner);
    owner->Show();
    ProcessMessages();
    Ui().Click(edit);
    ASSERT_TRUE(edit->Focused());

    // Another form takes the activation; a click on the owner's empty area brings it back
    // from that form, which is not the control's parent: the control has the focus again.
    TForm* other = OtherForm(500);
    Ui().Click(other);
    ASSERT_FALSE(edit->Focused());
    Ui().Click(owner, 250, 150);
    EXPECT_EQ(System().GetActiveWindow(), owner->Handle());
    EXPECT_TRUE(edit->Focused());
}

TEST_F(TrayIconHooksTest, AShowRequestBringsTheApplicationBackWithTheOwnerOnTop) {
    // A form of its own (made before there is a main form, so not owned by it) is in front.
    TForm* other = OtherForm(100);
    App().SetMainForm(form);
    auto* icon = new TbsTrayIcon(form);
    icon->SetIconVisible(false);
    App().Minimize();
    ProcessMessages();
    ASSERT_TRUE(App().Minimized());
    ASSERT_FALSE(form->Visible());
    ASSERT_FALSE(tray->IconIds().empty());

    // The program shows its main form itself (not through the tray).
    form->Show();
    ProcessMessages();
    EXPECT_FALSE(App().Minimized());
    EXPECT_TRUE(form->Handle()->IsVisible());
    EXPECT_FALSE(form->Handle()->IsIconic());
    // The owner is the topmost window on the screen, above the form that was in front.
    const ui::TWindow* top = nullptr;
    for (const ui::TWindow* w : System().TopLevelWindows())
        if (!top && w->IsVisible()) top = w;
    EXPECT_EQ(top, form->Handle());
    EXPECT_EQ(System().GetActiveWindow(), form->Handle());
    EXPECT_TRUE(other->Handle()->IsVisible());
}

TEST_F(TrayIconHooksTest, TheFirstPositionChangeWithAMainFormEndsFirstPosChange) {
    auto* icon = new TbsTrayIcon(form);
    icon->SetMinimizedOnStart(true);
    EXPECT_TRUE(icon->FirstPosChange());
    // No main form yet: a move does not count.
    form->SetBounds(10, 10, 400, 300);
    ProcessMessages();
    EXPECT_TRUE(icon->FirstPosChange());
    App().SetMainForm(form);
    form->SetBounds(20, 20, 400, 300);
    ProcessMessages();
    EXPECT_FALSE(icon->FirstPosChange());
    // A plain main form is left as it is.
    EXPECT_TRUE(form->Visible());
}

TEST_F(TrayIconHooksTest, AnMdiMainFormThatStartsMinimisedGoesToTheTrayOnItsFirstMove) {
    for (const bool minimizedOnStart : {false, true}) {
        SCOPED_TRACE(minimizedOnStart ? "minimised on start" : "shown on start");
        auto* main = new TForm(&App());
        main->SetFormStyle(forms::fsMDIForm);
        main->SetBounds(0, 0, 500, 400);
        auto* icon = new TbsTrayIcon(main);
        icon->SetMinimizedOnStart(minimizedOnStart);
        App().SetMainForm(main);
        main->Show();
        ProcessMessages();
        EXPECT_FALSE(icon->FirstPosChange());
        EXPECT_EQ(main->Visible(), !minimizedOnStart);
        EXPECT_EQ(main->Handle()->IsVisible(), !minimizedOnStart);
        App().SetMainForm(form);
        delete main;
    }
}

}  // namespace
