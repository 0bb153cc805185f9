// The box controls dressed in the program's default skin (assets/skin): the sizes and offsets that
// the browser window relies on.

#include <cstdlib>

#include "BoxesFixture.h"
#include "platform/forms/ImageListComponent.h"
#include "skin/boxes/bsSkinBoxCtrlsComboBox.h"
#include "skin/boxes/bsSkinBoxCtrlsUpDown.h"

namespace boxes {
namespace {

using platform::forms::TImageListComponent;
using skin::TbsSkinComboBox;
using skin::TbsSkinUpDown;

constexpr TColor kStar[5] = {RGB(250, 0, 0), RGB(0, 250, 0), RGB(0, 0, 250), RGB(250, 250, 0),
                             RGB(0, 250, 250)};

class StoredSkinTest : public FormFixture {
protected:
    void SetUp() override {
        FormFixture::SetUp();
        const char* root = std::getenv("VK_SOURCE_DIR");
        const std::string dir = std::string(root ? root : ".") + "/assets";
        stored = new skin::TbsStoredSkin(form);
        std::string error;
        if (!stored->LoadFromSkinFolder(dir + "/skin/skin.ini", &error))
            GTEST_SKIP() << "no default skin: " << error;
        data = new skin::TbsSkinData(form);
        data->SetStoredSkin(stored);
        ASSERT_FALSE(data->SkinIsEmpty) << data->LoadProblem();
        // Pictures of the severity chooser's size, in one colour each.
        severity = new TImageListComponent(form);
        severity->SetWidth(80);
        severity->SetHeight(17);
        for (int i = 0; i < 5; ++i) {
            TBitmap picture(80, 17);
            Fill(picture, {0, 0, 80, 17}, kStar[i]);
            severity->Add(picture);
        }
    }

    skin::TbsStoredSkin* stored = nullptr;
    skin::TbsSkinData* data = nullptr;
    TImageListComponent* severity = nullptr;
};

TEST_F(StoredSkinTest, UpDownTakesTheSizeOfItsPicture) {
    auto* ud = Make<TbsSkinUpDown>(20, 20);
    ud->SetBounds(20, 20, 29, 38);
    ud->SetSkinDataName("vupdown");
    ud->SetSkinData(data);
    EXPECT_EQ(ud->Width(), 18);
    EXPECT_EQ(ud->Height(), 36);
    Shot("stored_updown");
}

TEST_F(StoredSkinTest, ComboBoxAndItsListKeepTheSkinsHeights) {
    auto* combo = Make<TbsSkinComboBox>(20, 20);
    combo->SetBounds(20, 20, 160, 25);
    combo->SetSkinData(data);
    EXPECT_EQ(combo->Height(), 18);
    EXPECT_EQ(combo->DropButtonArea(), (TRect{145, 2, 158, 16}));
    EXPECT_EQ(combo->ItemArea(), (TRect{1, 1, 143, 17}));
    combo->SetListBoxDefaultItemHeight(30);  // the skin's row height wins
    combo->SetItems({"one", "two", "three", "four", "five"});
    combo->SetItemIndex(1);
    combo->DropDown();
    auto* popup = combo->ListBox();
    EXPECT_EQ(popup->ListBox()->ItemHeight(), 18);
    EXPECT_EQ(popup->Height(), 5 * 18 + 4);
    EXPECT_EQ(popup->VScrollBar(), nullptr);
    Shot("stored_combo_open");
    combo->SetItems(std::vector<std::string>(20, "item"));
    combo->CloseUp(false);
    combo->DropDown();
    EXPECT_EQ(popup->Height(), 8 * 18 + 4);
    ASSERT_NE(popup->VScrollBar(), nullptr);
    EXPECT_EQ(popup->VScrollBar()->PageSize(), 8);
    Shot("stored_combo_scroll");
    combo->CloseUp(false);
}

TEST_F(StoredSkinTest, SeverityPicturesSitWhereTheBrowserExpectsThem) {
    auto* combo = Make<TbsSkinComboBox>(20, 20);
    combo->SetBounds(20, 20, 120, 18);
    combo->SetSkinData(data);
    combo->SetItems({"", "", "", "", ""});
    combo->SetImages(severity);
    combo->SetItemIndex(2);
    // Closed: the picture starts at (5, 0) of the 16-pixel item, so its last row is cut off.
    const TRect item = combo->ItemArea();
    EXPECT_NE(PixelAt(combo, item.Left + 4, item.Top), kStar[2]);
    EXPECT_EQ(PixelAt(combo, item.Left + 5, item.Top), kStar[2]);
    EXPECT_EQ(PixelAt(combo, item.Left + 84, item.Top + 15), kStar[2]);
    EXPECT_NE(PixelAt(combo, item.Left + 84, item.Top + 16), kStar[2]);
    // In an 18-pixel drop-down row it starts at (4, 1) and fits.
    combo->DropDown();
    auto* inner = combo->ListBox()->ListBox();
    const TRect row = inner->ItemRect(2);
    EXPECT_NE(PixelAt(inner, row.Left + 4, row.Top), kStar[2]);
    EXPECT_NE(PixelAt(inner, row.Left + 3, row.Top + 1), kStar[2]);
    EXPECT_EQ(PixelAt(inner, row.Left + 4, row.Top + 1), kStar[2]);
    EXPECT_EQ(PixelAt(inner, row.Left + 83, row.Top + 17), kStar[2]);
    Shot("stored_severity");
    combo->CloseUp(false);
}

}  // namespace
}  // namespace boxes
