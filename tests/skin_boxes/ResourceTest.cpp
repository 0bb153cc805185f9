// The box controls in a form resource: made by class name, their properties read in the order
// the resource gives them (an item index while the form is read reports no click), and written
// back with only what differs from the defaults.

#include "BoxesFixture.h"
#include "platform/forms/FormResource.h"
#include "platform/forms/PropertyTable.h"
#include "skin/boxes/bsSkinBoxCtrlsComboBox.h"
#include "skin/boxes/bsSkinBoxCtrlsRegister.h"
#include "skin/boxes/bsSkinBoxCtrlsUpDown.h"

namespace boxes {
namespace {

using platform::forms::TForm;

// A form whose handlers count the combo box's events.
class TBoxesForm : public TForm {
public:
    explicit TBoxesForm(platform::forms::TComponent* owner) : TForm(owner) {
        PublishMethod<void(platform::forms::TComponent*)>("cbxClick",
                                                          [this](platform::forms::TComponent*) { ++Clicks; });
        PublishMethod<void(platform::forms::TComponent*)>(
            "cbxChange", [this](platform::forms::TComponent*) { ++Changes; });
    }
    int Clicks = 0;
    int Changes = 0;
};

constexpr std::string_view kForm = R"(object BoxesForm: TForm
  BorderStyle = bsNone
  object cbxSeverity: TbsSkinComboBox
    Left = 20
    Top = 30
    Width = 185
    Height = 18
    DropDownCount = 5
    Items.Strings = (
      'one'
      'two'
      'three')
    ItemIndex = 1
    OnChange = cbxChange
    OnClick = cbxClick
  end
  object udPageNext: TbsSkinUpDown
    Left = 220
    Top = 20
    Width = 29
    Height = 38
    SkinDataName = 'vupdown'
    Orientation = udVertical
    Max = 500
    Position = 300
  end
  object lbList: TbsSkinListBox
    Left = 20
    Top = 80
    Width = 150
    Height = 100
    SkinDataName = 'listbox'
    RowCount = 4
    Items.Strings = (
      'a'
      'b')
  end
end
)";

TEST(BoxesResourceTest, ControlsAreReadAndWrittenBack) {
    platform::ui::headless::THeadlessSession session;
    platform::forms::TApplication app;
    skin::RegisterSkinBoxClasses();
    skin::RegisterSkinBoxClasses();  // twice is harmless
    auto* form = new TBoxesForm(&app);
    platform::forms::ReadComponentResource(*form, kForm);
    auto* combo = dynamic_cast<skin::TbsSkinComboBox*>(form->FindComponent("cbxSeverity"));
    auto* updown = dynamic_cast<skin::TbsSkinUpDown*>(form->FindComponent("udPageNext"));
    auto* list = dynamic_cast<skin::TbsSkinListBox*>(form->FindComponent("lbList"));
    ASSERT_NE(combo, nullptr);
    ASSERT_NE(updown, nullptr);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(combo->ItemIndex(), 1);
    EXPECT_EQ(combo->Text(), "two");
    EXPECT_EQ(combo->DropDownCount(), 5);
    EXPECT_TRUE(combo->TabStop());
    // Set while the form was read (before its handlers were bound): nothing reported.
    EXPECT_EQ(form->Clicks, 0);
    EXPECT_EQ(form->Changes, 0);
    combo->SetItemIndex(2);
    EXPECT_EQ(form->Clicks, 1);
    EXPECT_EQ(updown->Orientation(), skin::udVertical);
    EXPECT_EQ(updown->Position(), 300);
    EXPECT_EQ(list->Items().Count(), 2);
    EXPECT_EQ(list->Height(), 4 * 20 + 4);

    const std::string text = platform::forms::WriteComponentResource(*form);
    EXPECT_NE(text.find("DropDownCount = 5"), std::string::npos) << text;
    EXPECT_EQ(text.find("AutoComplete"), std::string::npos) << text;
    EXPECT_NE(text.find("Position = 300"), std::string::npos) << text;
    EXPECT_NE(text.find("'three'"), std::string::npos) << text;
    EXPECT_NE(text.find("Orientation = udVertical"), std::string::npos) << text;
    // Read back, the controls come out the same.
    auto* copy = new TBoxesForm(&app);
    platform::forms::ReadComponentResource(*copy, text);
    auto* combo2 = dynamic_cast<skin::TbsSkinComboBox*>(copy->FindComponent("cbxSeverity"));
    auto* updown2 = dynamic_cast<skin::TbsSkinUpDown*>(copy->FindComponent("udPageNext"));
    ASSERT_NE(combo2, nullptr);
    ASSERT_NE(updown2, nullptr);
    EXPECT_EQ(combo2->ItemIndex(), 2);
    EXPECT_EQ(combo2->Items().ToVector(), combo->Items().ToVector());
    EXPECT_EQ(updown2->Max(), 500);
    EXPECT_EQ(updown2->Position(), 300);
    EXPECT_EQ(copy->Clicks, 0);
    delete copy;
    delete form;
}

}  // namespace
}  // namespace boxes
