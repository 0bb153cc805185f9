// The edits and memos in a form resource: every published property is read, written back only
// when it differs from its default, and read back the same.

#include "BoxesFixture.h"
#include "platform/forms/FormResource.h"
#include "platform/forms/MaskEdit.h"
#include "platform/forms/Memo.h"
#include "skin/boxes/bsSkinBoxCtrlsEdit.h"
#include "skin/boxes/bsSkinBoxCtrlsEditMemo.h"
#include "skin/boxes/bsSkinBoxCtrlsRegister.h"

namespace boxes {
namespace {

using platform::forms::TForm;

class TEditsForm : public TForm {
public:
    explicit TEditsForm(platform::forms::TComponent* owner) : TForm(owner) {
        PublishMethod<void(platform::forms::TComponent*)>(
            "edChange", [this](platform::forms::TComponent*) { ++Changes; });
        PublishMethod<void(platform::forms::TComponent*)>(
            "edButton", [this](platform::forms::TComponent*) { ++Buttons; });
    }
    int Changes = 0;
    int Buttons = 0;
};

constexpr std::string_view kForm = R"(object EditsForm: TForm
  BorderStyle = bsNone
  object edName: TbsSkinEdit
    Left = 10
    Top = 10
    Width = 150
    Height = 20
    Text = 'hello'
    MaxLength = 20
    PasswordChar = '*'
    CharCase = ecUpperCase
    Alignment = taRightJustify
    ReadOnly = True
    AutoSelect = False
    HasButton = True
    DefaultHeight = 22
    DefaultFont.Height = 16
    DefaultFont.Style = [fsBold]
    UseSkinFont = False
    TransparentText = False
    SkinDataName = 'myedit'
    OnChange = edChange
    OnButtonClick = edButton
  end
  object edDate: TMaskEdit
    Left = 10
    Top = 40
    Width = 100
    Height = 21
    EditMask = '!99/99/0000;1;_'
    HideSelection = False
  end
  object mmNotes: TbsSkinMemo
    Left = 10
    Top = 70
    Width = 200
    Height = 100
    Lines.Strings = (
      'first'
      'second')
    WordWrap = False
    WantTabs = True
    WantReturns = False
    ScrollBars = ssVertical
    BitMapBG = False
    VScrollBar = sbNotes
  end
  object sbNotes: TbsSkinScrollBar
    Left = 212
    Top = 70
    Width = 19
    Height = 100
    Kind = sbVertical
  end
  object mmPlain: TMemo
    Left = 240
    Top = 10
    Width = 100
    Height = 60
    BorderStyle = bsNone
  end
end
)";

TEST(SkinEditResourceTest, EditsMaskedEditsAndMemosAreReadAndWrittenBack) {
    platform::ui::headless::THeadlessSession session;
    platform::forms::TApplication app;
    skin::RegisterSkinBoxClasses();
    auto* form = new TEditsForm(&app);
    platform::forms::ReadComponentResource(*form, kForm);
    auto* edit = dynamic_cast<skin::TbsSkinEdit*>(form->FindComponent("edName"));
    auto* date = dynamic_cast<platform::forms::TMaskEdit*>(form->FindComponent("edDate"));
    auto* memo = dynamic_cast<skin::TbsSkinMemo*>(form->FindComponent("mmNotes"));
    auto* bar = dynamic_cast<skin::TbsSkinScrollBar*>(form->FindComponent("sbNotes"));
    ASSERT_NE(edit, nullptr);
    ASSERT_NE(date, nullptr);
    ASSERT_NE(memo, nullptr);
    EXPECT_EQ(edit->Text(), "HELLO");
    EXPECT_EQ(edit->MaxLength(), 20);
    EXPECT_EQ(edit->PasswordChar(), U'*');
    EXPECT_EQ(edit->Alignment(), platform::forms::taRightJustify);
    EXPECT_TRUE(edit->ReadOnly());
    EXPECT_FALSE(edit->AutoSelect());
    EXPECT_TRUE(edit->HasButton());
    EXPECT_EQ(edit->DefaultFont().Height(), 16);
    EXPECT_FALSE(edit->UseSkinFont());
    EXPECT_FALSE(edit->TransparentText());
    EXPECT_EQ(edit->SkinDataName(), "myedit");
    EXPECT_EQ(date->Text(), "__/__/____");
    EXPECT_FALSE(date->HideSelection());
    EXPECT_EQ(memo->Lines().ToVector(), (std::vector<std::string>{"first", "second"}));
    EXPECT_FALSE(memo->WordWrap());
    EXPECT_TRUE(memo->WantTabs());
    EXPECT_FALSE(memo->WantReturns());
    EXPECT_EQ(memo->ScrollBars(), platform::forms::ssVertical);
    EXPECT_FALSE(memo->BitMapBG());
    EXPECT_EQ(memo->VScrollBar(), bar);  // a reference resolved after the whole form was read
    EXPECT_EQ(form->Changes, 0);
    edit->SetText("x");
    EXPECT_EQ(form->Changes, 1);

    const std::string text = platform::forms::WriteComponentResource(*form);
    for (const char* expected :
         {"MaxLength = 20", "PasswordChar = '*'", "CharCase = ecUpperCase", "HasButton = True",
          "EditMask = '!99/99/0000;1;_'", "WantTabs = True", "VScrollBar = sbNotes", "BitMapBG = False",
          "'second'", "OnButtonClick = edButton", "BorderStyle = bsNone"})
        EXPECT_NE(text.find(expected), std::string::npos) << expected << "\n" << text;
    // Defaults are not written.
    EXPECT_EQ(text.find("WantReturns = True"), std::string::npos) << text;
    EXPECT_EQ(text.find("DefaultWidth"), std::string::npos) << text;

    auto* copy = new TEditsForm(&app);
    platform::forms::ReadComponentResource(*copy, text);
    auto* edit2 = dynamic_cast<skin::TbsSkinEdit*>(copy->FindComponent("edName"));
    auto* memo2 = dynamic_cast<skin::TbsSkinMemo*>(copy->FindComponent("mmNotes"));
    ASSERT_NE(edit2, nullptr);
    ASSERT_NE(memo2, nullptr);
    EXPECT_EQ(edit2->Text(), "X");
    EXPECT_EQ(edit2->CharCase(), platform::forms::ecUpperCase);
    EXPECT_EQ(edit2->DefaultFont().Style(), platform::gfx::fsBold);
    EXPECT_EQ(memo2->Lines().ToVector(), memo->Lines().ToVector());
    EXPECT_EQ(memo2->VScrollBar()->Name(), "sbNotes");
    delete copy;
    delete form;
}

}  // namespace
}  // namespace boxes
