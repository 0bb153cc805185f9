// The skinned message dialog: its caption, icon, sizes and buttons, and the modal answer.

#include <gtest/gtest.h>

#include <string>

#include "platform/forms/Screen.h"
#include "skin/form/bsMessages.h"
#include "skin/form/bsMessagesIcons.h"
#include "tests/skin_form/SkinFormFixture.h"

using namespace skinform;
using skin::TbsMessageForm;
using skin::TbsSkinButton;
using skin::TbsSkinMessage;

namespace {

class Messages : public SkinFormFixture {
protected:
    TbsSkinButton* Button(TbsMessageForm& form, const char* name) {
        return dynamic_cast<TbsSkinButton*>(form.FindComponent(name));
    }
    // The height of a message of one line.
    static int LineHeight() {
        return TbsSkinMessage().CreateMessageForm("M", skin::mtInformation, {skin::mbOK})->MessageLabel()->Height();
    }
    // Right edge of the message text in client coordinates.
    static int TextRight(TbsMessageForm& form) {
        return form.MessageLabel()->Left() + form.MessageLabel()->Width();
    }
};

TEST_F(Messages, InformationWithOkOnly) {
    TbsSkinMessage message;
    auto form = message.CreateMessageForm("The package has no puzzles.", skin::mtInformation, {skin::mbOK});
    EXPECT_EQ(form->Caption(), "Information");
    EXPECT_EQ(form->BorderStyle(), platform::forms::bsDialog);
    EXPECT_EQ(form->SkinForm()->BorderIcons(), 0);
    ASSERT_FALSE(form->IconImage()->Picture().Empty());
    EXPECT_EQ(form->IconImage()->Left(), 5);
    EXPECT_EQ(form->IconImage()->Width(), 32);
    EXPECT_EQ(form->MessageLabel()->Left(), 50);
    EXPECT_EQ(form->MessageLabel()->Top(), 15);
    EXPECT_EQ(form->MessageLabel()->Caption(), "The package has no puzzles.");

    TbsSkinButton* ok = Button(*form, "OK");
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->Caption(), "OK");
    EXPECT_EQ(ok->ModalResult(), platform::forms::mrOk);
    EXPECT_TRUE(ok->Default());
    EXPECT_TRUE(ok->Cancel());
    EXPECT_EQ(ok->Width(), 60);
    EXPECT_EQ(ok->Height(), 25);
    EXPECT_EQ(ok->Left(), (form->ClientWidth() - 60) / 2);
    EXPECT_EQ(ok->Top(), form->ClientHeight() - 25 - 10);
    EXPECT_EQ(form->ClientHeight(), 25 + form->MessageLabel()->Height() + 50);
    EXPECT_EQ(form->ClientWidth(), TextRight(*form) + 40);
    EXPECT_EQ(form->ComponentCount(), 4);  // the skin form, the label, the icon and OK
}

TEST_F(Messages, YesAndNoWithoutOk) {
    TbsSkinMessage message;
    auto form = message.CreateMessageForm("Start it?", skin::mtConfirmation, {skin::mbNo, skin::mbYes});
    EXPECT_EQ(form->Caption(), "Confirm");
    TbsSkinButton* yes = Button(*form, "Yes");
    TbsSkinButton* no = Button(*form, "No");
    ASSERT_TRUE(yes && no);
    EXPECT_EQ(Button(*form, "OK"), nullptr);
    EXPECT_EQ(yes->Caption(), "&Yes");
    EXPECT_EQ(no->Caption(), "&No");
    EXPECT_TRUE(yes->Default());
    EXPECT_FALSE(yes->Cancel());
    EXPECT_TRUE(no->Cancel());
    EXPECT_FALSE(no->Default());
    EXPECT_EQ(yes->Left(), (form->ClientWidth() - 130) / 2);
    EXPECT_EQ(no->Left(), yes->Left() + 70);
    EXPECT_EQ(yes->ModalResult(), platform::forms::mrYes);
    EXPECT_EQ(no->ModalResult(), platform::forms::mrNo);
}

TEST_F(Messages, NoButtonsAndTheCustomType) {
    App().SetTitle("Puzzle Browser");
    TbsSkinMessage message;
    auto form = message.CreateMessageForm("A fairly long line of text for the dialog", skin::mtCustom, {});
    EXPECT_EQ(form->Caption(), "Puzzle Browser");
    EXPECT_TRUE(form->IconImage()->Picture().Empty());
    for (const char* name : {"Yes", "No", "OK", "Cancel", "Help"})
        EXPECT_EQ(form->FindComponent(name), nullptr);
    EXPECT_EQ(form->ClientWidth(), TextRight(*form) + 40);
    EXPECT_EQ(form->ClientHeight(), 25 + form->MessageLabel()->Height() + 50);
}

TEST_F(Messages, VeryLongMessageIsCappedByTheWorkArea) {
    TbsSkinMessage message;
    auto form =
        message.CreateMessageForm(std::string(400, 'M'), skin::mtWarning, {skin::mbOK, skin::mbCancel});
    // The word is broken over lines that stay inside the dialog, which stays on the screen.
    EXPECT_LE(form->Width(), 1024);
    EXPECT_LE(TextRight(*form) + 40, form->ClientWidth());
    EXPECT_GT(form->MessageLabel()->Height(), 3 * LineHeight());
    EXPECT_EQ(form->Caption(), "Warning");
    // OK is the default, Cancel the cancel button; both centred in the capped width.
    EXPECT_TRUE(Button(*form, "OK")->Default());
    EXPECT_FALSE(Button(*form, "OK")->Cancel());
    EXPECT_TRUE(Button(*form, "Cancel")->Cancel());
    EXPECT_EQ(Button(*form, "OK")->Left(), (form->ClientWidth() - 130) / 2);
}

TEST_F(Messages, ALongFolderNameIsWrappedWithinTheScreenAndKeptWhole) {
    const std::string folder = "/home/player/" + std::string(120, 'p') + "/" + std::string(110, 'q') + "/Puzzles";
    TbsSkinMessage message;
    auto form = message.CreateMessageForm("The folder\r\n" + folder + "\r\ncannot be read.", skin::mtError,
                                          {skin::mbOK});
    const platform::core::TRect work = platform::forms::Screen->WorkAreaRect();
    EXPECT_LE(form->Width(), work.Width());
    EXPECT_LE(TextRight(*form), form->ClientWidth());
    // Every character is kept: the caption is the whole text, laid out on more than three lines.
    EXPECT_NE(form->MessageLabel()->Caption().find(folder), std::string::npos);
    EXPECT_GT(form->MessageLabel()->Height(), 3 * LineHeight());
}

TEST_F(Messages, SkinPictureWiderThanTheDialogSetsItsWidth) {
    skin::TbsSkinData* data = MakeSkin(SkinText());
    TbsSkinMessage message;
    message.SetSkinData(data);
    auto form = message.CreateMessageForm("Hi", skin::mtError, {skin::mbOK});
    EXPECT_TRUE(form->SkinForm()->Skinned());
    EXPECT_EQ(form->Width(), kPicW);
    // The skin's frame insets decide the client area.
    EXPECT_EQ(form->ClientWidth(), kPicW - 10);
    EXPECT_EQ(form->ClientHeight(), 25 + form->MessageLabel()->Height() + 50);
    EXPECT_EQ(Button(*form, "OK")->Left(), (kPicW - 10 - 60) / 2);
}

TEST_F(Messages, ButtonHeightComesFromTheButtonRecord) {
    std::string text = SkinText();
    text.replace(text.find("[SKINCONTROLS]\ncount=0\n"), 23,
                 "[SKINCONTROLS]\ncount=1\n0=button:button\n\n[button]\npictureindex=0\nskinrect=0,0,40,21\n"
                 "lefttoppoint=5,0\nrighttoppoint=35,0\nclientrect=5,3,35,18\n");
    skin::TbsSkinData* data = MakeSkin(text);
    TbsSkinMessage message;
    message.SetCtrlSkinData(data);
    auto form = message.CreateMessageForm("Hi", skin::mtInformation, {skin::mbOK, skin::mbHelp});
    EXPECT_EQ(Button(*form, "OK")->Height(), 21);
    EXPECT_EQ(Button(*form, "Help")->Height(), 21);
    EXPECT_EQ(Button(*form, "OK")->Top(), form->ClientHeight() - 21 - 10);
    EXPECT_EQ(form->ClientHeight(), 21 + form->MessageLabel()->Height() + 50);

    // A record of another kind under that name gives the plain height.
    message.SetButtonSkinDataName("nosuchrecord");
    auto plain = message.CreateMessageForm("Hi", skin::mtInformation, {skin::mbOK});
    EXPECT_EQ(Button(*plain, "OK")->Height(), 25);
    delete data;
    EXPECT_EQ(message.CtrlSkinData(), nullptr);
}

TEST_F(Messages, ShownCentredAnsweringEnterAndEscape) {
    TbsSkinMessage message;
    platform::core::TRect seen;
    std::string key = "enter";
    Session().SetIdleHook([&](platform::ui::headless::THeadlessSession& s) {
        platform::ui::TWindow* active = s.System().GetActiveWindow();
        if (!active) return false;
        seen = active->WindowRect();
        s.Backend().QueueKey(key == "enter" ? platform::ui::VK_RETURN : platform::ui::VK_ESCAPE, true);
        s.Backend().QueueKey(key == "enter" ? platform::ui::VK_RETURN : platform::ui::VK_ESCAPE, false);
        return true;
    });
    EXPECT_EQ(message.ShowMessageBox("Go on?", skin::mtConfirmation, {skin::mbYes, skin::mbNo}, 0),
              platform::forms::mrYes);
    EXPECT_EQ(seen.Left, (1024 - seen.Width()) / 2);
    EXPECT_EQ(seen.Top, (768 - seen.Height()) / 2);
    key = "escape";
    EXPECT_EQ(message.ShowMessageBox("Go on?", skin::mtConfirmation, {skin::mbYes, skin::mbNo}, 0),
              platform::forms::mrNo);
    EXPECT_EQ(message.ShowMessageBox("Done.", skin::mtInformation, {skin::mbOK}, 0), platform::forms::mrOk);
    // Every dialog was freed.
    EXPECT_EQ(platform::forms::Screen->FormCount(), 0);
}

TEST(MessageIcons, EachTypeHasItsOwnPictureWithATransparentCorner) {
    EXPECT_EQ(skin::MessageIconId(skin::mtCustom), 0);
    EXPECT_TRUE(skin::MessageIcon(0).Empty());
    TColor centres[4];
    int i = 0;
    for (auto type : {skin::mtWarning, skin::mtError, skin::mtInformation, skin::mtConfirmation}) {
        const TBitmap icon = skin::MessageIcon(skin::MessageIconId(type));
        ASSERT_EQ(icon.Width(), 32);
        EXPECT_TRUE(icon.Transparent);
        EXPECT_EQ(icon.Pixel(0, 31), icon.EffectiveTransparentColor());
        centres[i++] = icon.Pixel(9, 20);
    }
    EXPECT_NE(centres[0], centres[1]);
    EXPECT_NE(centres[1], centres[2]);
    EXPECT_NE(centres[0], centres[2]);
}

}  // namespace
