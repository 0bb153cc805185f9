// The skinned list box: heights for a number of rows, scroll bars that come and go with the
// content and follow the list (wheel, keys, dragging), horizontal scrolling, the item painters by
// state, item pictures, and the caption buttons.

#include "BoxesFixture.h"
#include "platform/forms/ImageListComponent.h"
#include "skin/boxes/bsSkinBoxCtrlsListBox.h"

namespace boxes {
namespace {

using platform::forms::TImageListComponent;
using platform::gfx::ColorToRGB;
using skin::TbsSkinListBox;
namespace ui = platform::ui;

std::vector<std::string> Numbered(int count, const std::string& prefix = "Item ") {
    std::vector<std::string> items;
    for (int i = 0; i < count; ++i) items.push_back(prefix + std::to_string(i));
    return items;
}

constexpr TColor kPicture[3] = {RGB(240, 10, 10), RGB(10, 240, 10), RGB(10, 10, 240)};

class ListBoxTest : public FormFixture {
protected:
    TbsSkinListBox* MakeList(int w = 150, int h = 124) {
        auto* list = Make<TbsSkinListBox>(10, 10);
        list->SetBounds(10, 10, w, h);
        list->OnListBoxClick = log.Note("listclick");
        ProcessMessages();
        return list;
    }
    TImageListComponent* MakeImages() {
        auto* images = new TImageListComponent(form);
        images->SetWidth(16);
        images->SetHeight(16);
        for (TColor c : kPicture) {
            TBitmap b(16, 16);
            Fill(b, {0, 0, 16, 16}, c);
            images->Add(b);
        }
        return images;
    }
    // The leftmost (or rightmost) column of a list row that shows the colour, or -1.
    int ColumnOf(TbsSkinListBox* list, int index, TColor color, bool last, int tolerance) {
        ProcessMessages();
        const TBitmap shot = Ui().Screenshot();
        const TRect r = list->ListBox()->ItemRect(index);
        int found = -1;
        for (int x = r.Left; x < r.Right; ++x)
            for (int y = r.Top; y < r.Bottom; ++y) {
                const TPoint p = list->ListBox()->ClientToScreen({x, y});
                if (Distance(shot.Pixel(p.X, p.Y), color) > tolerance) continue;
                if (!last) return x;
                found = x;
            }
        return found;
    }
    int FirstColumnOf(TbsSkinListBox* list, int index, TColor color, int tolerance = 0) {
        return ColumnOf(list, index, color, false, tolerance);
    }
    int LastColumnOf(TbsSkinListBox* list, int index, TColor color) {
        return ColumnOf(list, index, color, true, 0);
    }
    const TColor text = ColorToRGB(platform::gfx::clWindowText);
    EventLog log;
};

TEST_F(ListBoxTest, RowHeightForCountsFrameCaptionAndHorizontalBar) {
    auto* list = MakeList();
    EXPECT_EQ(list->RowHeightFor(5), 104);
    list->SetCaptionMode(true);
    EXPECT_EQ(list->RowHeightFor(5), 124);
    list->SetCaptionMode(false);
    list->SetRowCount(5);
    EXPECT_EQ(list->Height(), 104);
    EXPECT_EQ(list->ListRect(), (TRect{2, 2, 148, 102}));

    auto skin = MakeSkin(form);
    list->SetSkinData(skin.Data);
    EXPECT_EQ(list->ItemHeight(), 18);
    EXPECT_EQ(list->Height(), 5 * 18 + 4);
    EXPECT_EQ(list->ListClientRect(), (TRect{2, 2, 148, 92}));

    list->SetRowCount(0);
    list->SetItems({std::string(60, 'W')});
    list->SetHorizontalExtent(true);
    ASSERT_NE(list->HScrollBar(), nullptr);
    EXPECT_EQ(list->RowHeightFor(5), 5 * 18 + 4 + 19);
}

TEST_F(ListBoxTest, VerticalBarExistsOnlyWhileTheItemsDoNotFit) {
    auto* list = MakeList(150, 124);  // six rows of 20
    list->SetItems(Numbered(6));
    EXPECT_EQ(list->VScrollBar(), nullptr);
    list->Items().Add("one more");
    auto* bar = list->VScrollBar();
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->Kind(), skin::sbVertical);
    EXPECT_EQ(bar->PageSize(), 6);
    EXPECT_EQ(bar->Max(), 6);
    EXPECT_EQ(bar->LargeChange(), 6);
    EXPECT_EQ(bar->BoundsRect(), (TRect{130, 1, 149, 123}));
    EXPECT_EQ(list->ListRect(), (TRect{2, 2, 130, 122}));
    list->Items().Delete(0);
    EXPECT_EQ(list->VScrollBar(), nullptr);
    EXPECT_EQ(list->ListRect(), (TRect{2, 2, 148, 122}));
    // With RowCount equal to the item count the list is sized to fit and has no bar.
    list->SetItems(Numbered(9));
    ASSERT_NE(list->VScrollBar(), nullptr);
    list->SetRowCount(9);
    EXPECT_EQ(list->VScrollBar(), nullptr);
    EXPECT_EQ(list->Height(), 9 * 20 + 4);
}

TEST_F(ListBoxTest, WheelKeysAndTheBarMoveTogether) {
    auto* list = MakeList(150, 124);
    list->SetItems(Numbered(30));
    auto* inner = list->ListBox();
    inner->SetFocus();
    ProcessMessages();
    auto* bar = list->VScrollBar();
    ASSERT_NE(bar, nullptr);
    Ui().Wheel(-120);  // towards the user: one line down
    EXPECT_EQ(inner->TopIndex(), 1);
    EXPECT_EQ(bar->Position(), 1);
    Ui().Wheel(120);
    EXPECT_EQ(inner->TopIndex(), 0);
    for (int i = 0; i < 9; ++i) Ui().KeyPress(ui::VK_DOWN);
    EXPECT_EQ(inner->ItemIndex(), 8);
    ProcessMessages();
    EXPECT_EQ(inner->TopIndex(), 3);
    EXPECT_EQ(bar->Position(), 3);
    // Moving the bar scrolls the list.
    ClickAt(bar, 9, bar->Height() - 8);  // its bottom arrow steps down
    EXPECT_EQ(bar->Position(), 4);
    EXPECT_EQ(inner->TopIndex(), 4);
    bar->ComputeGeometry();
    const TRect thumb = bar->Part(skin::TbsSkinScrollBar::kThumb).Rect;
    Ui().Drag(ScreenOf(bar, 9, thumb.Top + 2), ScreenOf(bar, 9, 400), 4);
    EXPECT_EQ(bar->Position(), 24);
    EXPECT_EQ(inner->TopIndex(), 24);
    EXPECT_EQ(list->ItemIndex(), 8);  // scrolling never selects
}

TEST_F(ListBoxTest, HorizontalBarShiftsTheItemsAndGoesWithTheWideItems) {
    auto* list = MakeList(150, 124);
    list->SetItems({"", ""});
    list->SetHorizontalExtent(true);
    EXPECT_EQ(list->HScrollBar(), nullptr);  // empty texts are never too wide
    list->SetItems({"IIII" + std::string(40, 'W'), "short"});
    auto* bar = list->HScrollBar();
    ASSERT_NE(bar, nullptr);
    EXPECT_FALSE(bar->Both());
    EXPECT_EQ(bar->PageSize(), list->ListBox()->Width() - 4);
    EXPECT_EQ(list->ListRect().Bottom, 124 - 2 - 18);
    const int step = bar->SmallChange();
    EXPECT_GT(step, 0);
    list->SetImages(MakeImages());
    list->SetImageIndex(0);
    ASSERT_NE(list->HScrollBar(), nullptr);
    EXPECT_EQ(LastColumnOf(list, 0, kPicture[0]), 17);
    list->ListBox()->SetFocus();
    ProcessMessages();
    Ui().KeyPress(ui::VK_RIGHT);
    Ui().KeyPress(ui::VK_RIGHT);
    EXPECT_EQ(bar->Position(), 2 * step);
    EXPECT_EQ(list->ListBox()->HorizontalOffset(), 2 * step);
    EXPECT_EQ(list->ItemIndex(), -1);  // the arrows went to the bar, not to the selection
    // Pictures and texts move left by the offset.
    EXPECT_EQ(LastColumnOf(list, 0, kPicture[0]), 17 - 2 * step);
    // A vertical bar beside it makes it the "both" kind.
    list->Items().Assign(std::vector<std::string>(10, std::string(40, 'W')));
    ASSERT_NE(list->VScrollBar(), nullptr);
    ASSERT_NE(list->HScrollBar(), nullptr);
    EXPECT_TRUE(list->HScrollBar()->Both());
    list->SetHorizontalExtent(false);
    EXPECT_EQ(list->HScrollBar(), nullptr);
    EXPECT_EQ(list->ListBox()->HorizontalOffset(), 0);
}

TEST_F(ListBoxTest, SkinItemsArePaintedByState) {
    auto skin = MakeSkin(form);
    auto* list = MakeList(150, 130);
    list->SetSkinData(skin.Data);
    list->SetItems({"IIII", "IIII", "IIII"});
    auto* inner = list->ListBox();
    const TRect row1 = inner->ItemRect(1);
    const auto background = [&](int index) {
        return PixelAt(inner, inner->ItemRect(index).Right - 4, inner->ItemRect(index).Top + 9);
    };
    EXPECT_EQ(background(0), kItemNormal);
    EXPECT_EQ(PixelAt(inner, 5, 100), kListClient);  // below the items: the client picture
    EXPECT_EQ(PixelAt(list, 0, 0), kListFrame);
    EXPECT_TRUE(AnyPixel(inner, inner->ItemRect(0), kFontNormal, kInk));
    // Selected in an unfocused list (as the drop-down list always is).
    list->SetItemIndex(1);
    EXPECT_EQ(background(1), kItemActive);
    EXPECT_TRUE(AnyPixel(inner, row1, kFontActive, kInk));
    EXPECT_FALSE(AnyPixel(inner, row1, kFontNormal, kInk));
    inner->SetFocus();
    EXPECT_EQ(background(1), kItemFocus);
    EXPECT_TRUE(AnyPixel(inner, row1, kFontFocus, kInk));
    EXPECT_EQ(background(0), kItemNormal);
    // Without the skin item height the record's pictures are stretched to the list's rows.
    list->SetUseSkinItemHeight(false);
    list->SetSkinDataName("plainlist");
    list->ApplySkin();
    inner->SetItemHeight(30);
    EXPECT_EQ(PixelAt(inner, 100, inner->ItemRect(0).Top + 27), kItemNormal);
    Shot("listbox_skin");
}

TEST_F(ListBoxTest, DefaultItemsAndOwnerDrawing) {
    auto* list = MakeList(150, 124);
    list->SetItems({"IIII", "IIII"});
    auto* inner = list->ListBox();
    EXPECT_EQ(PixelAt(inner, 140, 5), ColorToRGB(platform::gfx::clWindow));
    list->SetItemIndex(0);
    EXPECT_EQ(PixelAt(inner, 140, 5), ColorToRGB(platform::gfx::clHighlight));
    EXPECT_TRUE(AnyPixel(inner, inner->ItemRect(0), ColorToRGB(platform::gfx::clHighlightText), kInk));
    std::vector<std::string> drawn;
    list->OnDrawItem = [&](platform::gfx::TCanvas& canvas, int index, int w, int h, const TRect& textRect,
                           platform::forms::TOwnerDrawState state) {
        drawn.push_back(std::to_string(index) + ":" + std::to_string(w) + "x" + std::to_string(h) + ":" +
                        std::to_string(textRect.Left) + ":" +
                        ((state & platform::forms::odSelected) ? "sel" : "-"));
        canvas.Brush.Color = RGB(1, 2, 3);
        canvas.FillRect(textRect);
    };
    inner->Invalidate();
    EXPECT_EQ(PixelAt(inner, 20, 25), RGB(1, 2, 3));
    EXPECT_NE(std::find(drawn.begin(), drawn.end(), "0:146x20:2:sel"), drawn.end());
    EXPECT_NE(std::find(drawn.begin(), drawn.end(), "1:146x20:2:-"), drawn.end());
}

TEST_F(ListBoxTest, ItemPicturesFollowImagesAndImageIndex) {
    auto* list = MakeList(150, 124);
    list->SetItems({"", "", "", "", "IIII"});
    EXPECT_LT(FirstColumnOf(list, 4, text, kInk), 10);
    list->SetImages(MakeImages());
    // Item i shows picture i at the text rectangle's left, centred in the row.
    EXPECT_EQ(PixelAt(list->ListBox(), 2, 20 + 2), kPicture[1]);
    EXPECT_EQ(PixelAt(list->ListBox(), 17, 40 + 17), kPicture[2]);
    EXPECT_EQ(FirstColumnOf(list, 3, kPicture[0]), -1);
    // An item without a picture still has its text moved past the picture's place.
    EXPECT_GE(FirstColumnOf(list, 4, text, kInk), 2 + 2 + 16 + 2);
    list->SetImageIndex(2);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(FirstColumnOf(list, i, kPicture[2]), 2) << i;
    // Freeing the image list clears the reference.
    delete list->Images();
    EXPECT_EQ(list->Images(), nullptr);
    EXPECT_EQ(FirstColumnOf(list, 1, kPicture[2]), -1);
}

TEST_F(ListBoxTest, CaptionButtonsStepTheSelection) {
    auto* list = MakeList(150, 124);
    list->SetItems(Numbered(5));
    list->SetCaptionMode(true);
    list->SetItemIndex(3);
    EXPECT_EQ(list->ListRect().Top, 21);
    const TRect up{150 - 19, 2, 148, 18}, down{150 - 36, 2, 131, 18}, check{150 - 53, 2, 114, 18};
    ProcessMessages();
    EXPECT_EQ(list->CaptionButton(0).Rect, up);
    EXPECT_EQ(list->CaptionButton(1).Rect, down);
    EXPECT_EQ(list->CaptionButton(2).Rect, check);
    // A release away from the pressed button still steps.
    Press(list, up.Left + 5, 8);
    EXPECT_TRUE(list->CaptionButton(0).Down);
    MoveTo(list, 20, 60);
    Release();
    EXPECT_EQ(list->ItemIndex(), 2);
    // Held: steps after 500 ms every 100 ms, and once more at the release.
    Press(list, down.Left + 5, 8);
    Advance(700);
    EXPECT_EQ(list->ItemIndex(), 4);  // 600 and 700; the last item stops it
    Release();
    EXPECT_EQ(list->ItemIndex(), 4);
    // With its event set the button fires it instead, when released over it.
    list->OnUpButtonClick = log.Note("up");
    ClickAt(list, up.Left + 5, 8);
    EXPECT_EQ(log.Count("up"), 1);
    EXPECT_EQ(list->ItemIndex(), 4);
    ClickAt(list, check.Left + 5, 8);
    EXPECT_EQ(log.Count("listclick"), 1);
    Shot("listbox_caption");
}

}  // namespace
}  // namespace boxes
