// The skinned controls in a form resource: made by class name, their published properties read
// and written, and bound to the skin data the resource carries.

#include "SkinControlsFixture.h"

#include <cstdio>

#include "platform/core/Stream.h"
#include "platform/forms/FormResource.h"
#include "skin/controls/bsSkinCtrlsBevel.h"
#include "skin/controls/bsSkinCtrlsButton.h"
#include "skin/controls/bsSkinCtrlsLabels.h"
#include "skin/controls/bsSkinCtrlsRegister.h"
#include "skin/controls/bsSkinCtrlsTextLabel.h"
#include "skin/data/bsSkinFile.h"

namespace skinctl {
namespace {

using platform::forms::TForm;

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

// A form resource carrying the test skin and one control of each kind.
std::string FormText() {
    skin::TbsSkinPictureSet pictures;
    pictures.ActivePictures.push_back(std::make_unique<TBitmap>(MainPicture()));
    platform::core::TMemoryStream stream;
    EXPECT_TRUE(skin::WriteSkinPictures(stream, pictures));
    platform::core::TStringList lines;
    lines.SetText(kSkinText);
    std::string ini;
    for (int i = 0; i < lines.Count(); ++i) ini += "      " + Quoted(lines[i]) + "\n";
    return "object Form1: TForm\n"
           "  BorderStyle = bsNone\n"
           "  object bsStoredSkin1: TbsStoredSkin\n"
           "    IniStrings = (\n" +
           ini +
           "    )\n"
           "    Pictures = {\n      " +
           Hex(stream.Bytes()) +
           "}\n"
           "  end\n"
           "  object bsSkinData1: TbsSkinData\n"
           "    StoredSkin = bsStoredSkin1\n"
           "  end\n"
           "  object btnStart: TbsSkinButton\n"
           "    Left = 10\n    Top = 10\n    Width = 120\n    Height = 30\n"
           "    SkinData = bsSkinData1\n"
           "    SkinDataName = 'btn'\n"
           "    Caption = 'Start'\n"
           "    Spacing = 4\n"
           "    Margin = 3\n"
           "    Layout = blGlyphTop\n"
           "    ModalResult = mrOk\n"
           "    Default = True\n"
           "    TabStop = False\n"
           "    DefaultFont.Name = 'Tahoma'\n"
           "    DefaultFont.Style = [fsBold]\n"
           "  end\n"
           "  object lblUpdates: TbsSkinLinkLabel\n"
           "    Left = 10\n    Top = 60\n"
           "    SkinData = bsSkinData1\n"
           "    URL = 'http://example.org'\n"
           "    Cursor = crArrow\n"
           "    Caption = 'Updates'\n"
           "  end\n"
           "  object Bevel1: TbsSkinBevel\n"
           "    Left = 10\n    Top = 90\n    Width = 50\n    Height = 50\n"
           "    SkinData = bsSkinData1\n"
           "    Shape = bsFrame\n"
           "    DividerMode = True\n"
           "  end\n"
           "  object Text1: TbsSkinTextLabel\n"
           "    Left = 100\n    Top = 90\n"
           "    Alignment = taRightJustify\n"
           "    Lines = (\n      'one'\n      'two lines')\n"
           "  end\n"
           "end\n";
}

class ResourceTest : public FormFixture {
protected:
    void SetUp() override {
        FormFixture::SetUp();
        skin::RegisterSkinControlClasses();
    }
};

TEST_F(ResourceTest, AFormResourceMakesBindsAndWritesTheControls) {
    std::unique_ptr<TForm> read(
        dynamic_cast<TForm*>(platform::forms::CreateComponentFromResource(FormText(), nullptr)));
    ASSERT_NE(read, nullptr);
    auto* data = dynamic_cast<skin::TbsSkinData*>(read->FindComponent("bsSkinData1"));
    ASSERT_NE(data, nullptr);
    ASSERT_FALSE(data->SkinIsEmpty) << data->LoadProblem();

    auto* button = dynamic_cast<skin::TbsSkinButton*>(read->FindComponent("btnStart"));
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->SkinData(), data);
    EXPECT_NE(button->RecordIndex(), -1);
    EXPECT_EQ(button->Width(), 120);
    EXPECT_EQ(button->Height(), 20);  // the record allows only its own height
    EXPECT_EQ(button->Spacing(), 4);
    EXPECT_EQ(button->Margin(), 3);
    EXPECT_EQ(button->Layout(), skin::blGlyphTop);
    EXPECT_EQ(button->ModalResult(), platform::forms::mrOk);
    EXPECT_TRUE(button->Default());
    EXPECT_FALSE(button->TabStop());
    EXPECT_EQ(button->DefaultFont().Name(), "Tahoma");
    EXPECT_EQ(button->DefaultFont().Height(), 14);
    EXPECT_EQ(button->Parent(), read.get());

    auto* link = dynamic_cast<skin::TbsSkinLinkLabel*>(read->FindComponent("lblUpdates"));
    ASSERT_NE(link, nullptr);
    EXPECT_EQ(link->URL(), "http://example.org");
    EXPECT_EQ(link->Cursor(), platform::forms::crArrow);
    EXPECT_NE(link->RecordIndex(), -1);
    auto* bevel = dynamic_cast<skin::TbsSkinBevel*>(read->FindComponent("Bevel1"));
    ASSERT_NE(bevel, nullptr);
    EXPECT_TRUE(bevel->DividerMode());
    EXPECT_EQ(bevel->BevelDark(), TColor(12632256));
    auto* text = dynamic_cast<skin::TbsSkinTextLabel*>(read->FindComponent("Text1"));
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->Lines().Count(), 2);
    EXPECT_GT(text->Width(), 20);  // sized once the resource was read

    // Written back, only what differs from a new control's values appears; read again, the
    // values come back unchanged.
    const std::string written = platform::forms::WriteComponentResource(*read);
    EXPECT_NE(written.find("Spacing = 4"), std::string::npos);
    EXPECT_EQ(written.find("RepeatInterval"), std::string::npos);
    EXPECT_NE(written.find("TabStop = False"), std::string::npos);
    button->SetSpacing(1);
    const std::string defaults = platform::forms::WriteComponentResource(*read);
    EXPECT_EQ(defaults.find("Spacing"), std::string::npos);

    std::unique_ptr<TForm> again(
        dynamic_cast<TForm*>(platform::forms::CreateComponentFromResource(written, nullptr)));
    ASSERT_NE(again, nullptr);
    auto* button2 = dynamic_cast<skin::TbsSkinButton*>(again->FindComponent("btnStart"));
    ASSERT_NE(button2, nullptr);
    EXPECT_EQ(button2->Spacing(), 4);
    EXPECT_FALSE(button2->TabStop());
    EXPECT_EQ(button2->DefaultFont().Style(), platform::gfx::fsBold);
    // The writer puts the controls before the skin components; they bind once all is read.
    EXPECT_LT(written.find("object btnStart"), written.find("object bsSkinData1"));
    EXPECT_NE(button2->RecordIndex(), -1);
    EXPECT_EQ(button2->Height(), 20);
}

TEST_F(ResourceTest, ABadGlyphIsAnErrorOfTheResourceNotACrash) {
    const std::string text =
        "object Form1: TForm\n"
        "  object b: TbsSkinButton\n"
        "    Glyph.Data = {0102030405}\n"
        "  end\n"
        "end\n";
    EXPECT_THROW((void)platform::forms::CreateComponentFromResource(text, nullptr),
                 platform::forms::EFormResourceError);
}

}  // namespace
}  // namespace skinctl
