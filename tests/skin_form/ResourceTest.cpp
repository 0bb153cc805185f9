// The skin form and the message box in a form resource: made by class name, their published
// properties read and written back, and the skin applied once the resource has been read.

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

#include "platform/core/Stream.h"
#include "platform/forms/FormResource.h"
#include "skin/data/bsSkinFile.h"
#include "skin/form/bsMessages.h"
#include "skin/form/bsSkinFormRegister.h"
#include "tests/skin_form/SkinFormFixture.h"

using namespace skinform;
using platform::forms::TForm;

namespace {

std::string Quoted(const std::string& s) {
    std::string out = "'";
    for (char c : s) out += c == '\'' ? std::string("''") : std::string(1, c);
    return out + "'";
}

std::string Hex(const std::vector<uint8_t>& bytes) {
    std::string out;
    char buf[3];
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        std::snprintf(buf, sizeof buf, "%02X", bytes[i]);
        out += buf;
        if (i % 64 == 63) out += "\n      ";
    }
    return out;
}

std::string FormText() {
    const skin::TbsSkinSource source = SkinSource(SkinText());
    platform::core::TMemoryStream stream;
    EXPECT_TRUE(skin::WriteSkinPictures(stream, source.Pictures));
    std::string ini;
    for (int i = 0; i < source.Lines.Count(); ++i) ini += "      " + Quoted(source.Lines[i]) + "\n";
    return "object Form1: TForm\n"
           "  Left = 50\n  Top = 60\n  Width = 300\n  Height = 150\n"
           "  object bsSkinForm1: TbsSkinForm\n"
           "    SkinData = bsSkinData1\n"
           "    BorderIcons = [biSystemMenu, biMinimize]\n"
           "    MinWidth = 250\n"
           "    DefCaptionFont.Height = 16\n"
           "    OnMouseDownEvent = FrameMouseDown\n"
           "  end\n"
           "  object bsSkinData1: TbsSkinData\n"
           "    StoredSkin = bsStoredSkin1\n"
           "  end\n"
           "  object bsStoredSkin1: TbsStoredSkin\n"
           "    IniStrings = (\n" +
           ini +
           "    )\n"
           "    Pictures = {\n      " +
           Hex(stream.Bytes()) +
           "}\n"
           "  end\n"
           "  object dlgMessage: TbsSkinMessage\n"
           "    SkinData = bsSkinData1\n"
           "    CtrlSkinData = bsSkinData1\n"
           "    ButtonSkinDataName = 'resizebutton'\n"
           "    DefaultFont.Name = 'Tahoma'\n"
           "  end\n"
           "end\n";
}

class Resource : public SkinFormFixture {
protected:
    void SetUp() override {
        SkinFormFixture::SetUp();
        skin::RegisterSkinFormClasses();
        skin::RegisterSkinFormClasses();  // twice is harmless
    }
};

TEST_F(Resource, ReadsTheComponentsAppliesTheSkinAndWritesBackOnlyWhatDiffers) {
    auto form = std::make_unique<TForm>(&App());
    int pressed = 0;
    form->PublishMethod<void(const std::string&, int, int, const TRect&, platform::forms::TMouseButton)>(
        "FrameMouseDown",
        [&](const std::string&, int, int, const TRect&, platform::forms::TMouseButton) { ++pressed; });
    platform::forms::ReadComponentResource(*form, FormText());

    auto* skinForm = dynamic_cast<skin::TbsSkinForm*>(form->FindComponent("bsSkinForm1"));
    auto* data = dynamic_cast<skin::TbsSkinData*>(form->FindComponent("bsSkinData1"));
    auto* message = dynamic_cast<skin::TbsSkinMessage*>(form->FindComponent("dlgMessage"));
    ASSERT_TRUE(skinForm && data && message);
    EXPECT_EQ(skinForm->SkinData(), data);
    EXPECT_TRUE(skinForm->Skinned());
    EXPECT_EQ(skinForm->BorderIcons(), skin::biSystemMenu | skin::biMinimize);
    EXPECT_EQ(skinForm->MinWidth(), 250);
    EXPECT_EQ(skinForm->DefCaptionFont().Height(), 16);
    EXPECT_TRUE(static_cast<bool>(skinForm->OnMouseDownEvent));
    // The skin's maximise button needs an icon the resource left out.
    EXPECT_FALSE(skinForm->FindObject("maxbutton")->Enabled);
    EXPECT_EQ(message->CtrlSkinData(), data);
    EXPECT_EQ(message->ButtonSkinDataName(), "resizebutton");
    EXPECT_EQ(message->DefaultFont().Name(), "Tahoma");

    // Shown, the window has the skin's frame and the skin's minimum width.
    form->SetVisible(true);
    ProcessMessages();
    EXPECT_EQ(form->Handle()->ClientArea(), (TRect{5, 30, 295, 145}));
    platform::ui::TMinMaxInfo mmi;
    System().SendMessage(form->Handle(), platform::ui::WM_GETMINMAXINFO, 0, platform::ui::PtrToLParam(&mmi));
    EXPECT_EQ(mmi.MinTrackSize.X, 250);

    const std::string written = platform::forms::WriteComponentResource(*form);
    EXPECT_NE(written.find("BorderIcons = [biSystemMenu, biMinimize]"), std::string::npos);
    EXPECT_NE(written.find("MinWidth = 250"), std::string::npos);
    EXPECT_NE(written.find("DefCaptionFont.Height = 16"), std::string::npos);
    EXPECT_NE(written.find("ButtonSkinDataName = 'resizebutton'"), std::string::npos);
    EXPECT_EQ(written.find("HideCaptionButtons"), std::string::npos);
    EXPECT_EQ(written.find("MagneticSize"), std::string::npos);
    EXPECT_EQ(written.find("MessageLabelSkinDataName"), std::string::npos);
}

}  // namespace
