// What the popup windows show: the built-in look, the skin's window and item pictures, item
// fades, glyphs and shortcut texts.

#include <cstdlib>

#include "MenusFixture.h"

namespace menustest {
namespace {

using namespace platform::ui;
using platform::gfx::clBtnFace;
using platform::gfx::clBtnShadow;
using platform::gfx::clWindow;
using platform::gfx::ColorToRGB;
using platform::gfx::GetBValue;
using platform::gfx::GetGValue;
using platform::gfx::GetRValue;

constexpr TColor kHotFrame = 8388608;
constexpr TColor kHotFill = 13811126;

int Brightness(TColor c) {
    return GetRValue(c) + GetGValue(c) + GetBValue(c);
}

// Pixels of a rectangle of a picture darker than a threshold (text and glyph ink).
int DarkPixels(const TBitmap& b, const TRect& r, int threshold = 200) {
    int n = 0;
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x) n += Brightness(b.Pixel(x, y)) < threshold ? 1 : 0;
    return n;
}

class MenuPaintTest : public MenusFixture {};

TEST_F(MenuPaintTest, BuiltInLookDrawsColumnRingsHighlightAndSeparator) {
    Add(Root(), "&Open");
    Add(Root(), "-");
    Add(Root(), "&Quit");
    ASSERT_TRUE(Open({200, 150}));
    skin::TbsSkinPopupWindow& level = Level(0);
    EXPECT_FALSE(level.Skinned());
    EXPECT_EQ(level.BoundsRect().Height(), 20 + 4 + 20 + 4);
    const TBitmap shot = CaptureLevel(0);
    EXPECT_EQ(shot.Pixel(0, 10), ColorToRGB(clWindow));
    EXPECT_EQ(shot.Pixel(1, 10), ColorToRGB(clBtnShadow));
    // The preselected first item: navy frame and the highlight fill.
    const TRect open = level.Item(0).ItemRect;
    EXPECT_EQ(shot.Pixel(open.Left, open.Top + 5), kHotFrame);
    EXPECT_EQ(shot.Pixel(open.Left + 3, open.Top + 3), kHotFill);
    // The plain item: icon column in button face, the rest in window colour.
    const TRect quit = level.Item(2).ItemRect;
    EXPECT_EQ(shot.Pixel(quit.Left + 5, quit.Top + 2), ColorToRGB(clBtnFace));
    EXPECT_EQ(shot.Pixel(quit.Right - 3, quit.Top + 2), ColorToRGB(clWindow));
    EXPECT_GT(DarkPixels(shot, {quit.Left + 19, quit.Top, quit.Right, quit.Bottom}), 10);
    // The separator's line across the text part, at mid-height.
    const TRect line = level.Item(1).ItemRect;
    EXPECT_EQ(shot.Pixel(line.Left + 30, line.Top + 2), ColorToRGB(clBtnShadow));
    EXPECT_EQ(shot.Pixel(line.Left + 30, line.Top + 1), ColorToRGB(clWindow));
    Shot("default_look");
}

TEST_F(MenuPaintTest, SkinnedWindowAndItemsComeFromTheirPictures) {
    skin::TbsSkinData* data = MakeMenuSkin(form);
    ASSERT_FALSE(data->SkinIsEmpty);
    Add(Root(), "&Open");
    Add(Root(), "-");
    Add(Root(), "&Quit");
    Add(Root(), "&Gone")->SetEnabled(false);
    ASSERT_TRUE(Open({200, 150}, data));
    skin::TbsSkinPopupWindow& level = Level(0);
    ASSERT_TRUE(level.Skinned());
    ASSERT_TRUE(level.SkinnedItems());
    // Item heights from the record, the frame from the picture around them.
    EXPECT_EQ(level.BoundsRect().Height(), 20 + 4 + 20 + 20 + 8);
    EXPECT_EQ(level.ItemsArea().Top, 4);
    const TBitmap shot = CaptureLevel(0);
    EXPECT_EQ(shot.Pixel(1, 1), kBorder);
    EXPECT_EQ(shot.Pixel(level.BoundsRect().Width() - 2, level.BoundsRect().Height() - 2), kBorder);
    const TRect open = level.Item(0).ItemRect, divider = level.Item(1).ItemRect,
                quit = level.Item(2).ItemRect;
    EXPECT_EQ(shot.Pixel(open.Left + 1, open.Top + 1), kItemActive);  // preselected
    EXPECT_EQ(shot.Pixel(quit.Left + 1, quit.Top + 1), kItemNormal);
    EXPECT_EQ(shot.Pixel(quit.Right - 2, quit.Bottom - 2), kItemNormal);
    EXPECT_EQ(shot.Pixel(divider.Left + 10, divider.Top + 1), kDivider);
    // Text colours by state: white on the active item, black on the normal one, grey disabled.
    auto has = [&](const TRect& r, TColor c) {
        for (int y = r.Top; y < r.Bottom; ++y)
            for (int x = r.Left; x < r.Right; ++x)
                if (shot.Pixel(x, y) == c) return true;
        return false;
    };
    EXPECT_TRUE(has(open, RGB(255, 255, 255)));
    EXPECT_TRUE(has(quit, RGB(0, 0, 0)));
    EXPECT_FALSE(has(quit, RGB(255, 255, 255)));
    EXPECT_TRUE(has(level.Item(3).ItemRect, RGB(128, 128, 128)));

    // The pointer moves the highlight.
    Hover(ItemCenter(0, 2));
    const TBitmap after = CaptureLevel(0);
    EXPECT_EQ(after.Pixel(quit.Left + 1, quit.Top + 1), kItemActive);
    EXPECT_EQ(after.Pixel(open.Left + 1, open.Top + 1), kItemNormal);
    Shot("skinned_look");
}

TEST_F(MenuPaintTest, MorphingItemsFadeInTenthsEvery20ms) {
    skin::TbsSkinData* data = MakeMenuSkin(form, true);
    Add(Root(), "&Open");
    Add(Root(), "&Quit");
    ASSERT_TRUE(Open({200, 150}, data));
    const TRect quit = Level(0).Item(1).ItemRect;
    Hover(ItemCenter(0, 1));
    EXPECT_DOUBLE_EQ(Level(0).Item(1).MorphFactor, 0.0);
    EXPECT_EQ(CaptureLevel(0).Pixel(quit.Left + 1, quit.Top + 1), kItemNormal);
    Advance(100);
    EXPECT_NEAR(Level(0).Item(1).MorphFactor, 0.5, 1e-9);
    const TColor half = CaptureLevel(0).Pixel(quit.Left + 1, quit.Top + 1);
    EXPECT_NEAR(GetGValue(half), 70, 1);
    EXPECT_NEAR(GetBValue(half), 90, 1);
    // The item left behind fades out meanwhile.
    EXPECT_NEAR(Level(0).Item(0).MorphFactor, 0.5, 1e-9);
    Advance(100);
    EXPECT_DOUBLE_EQ(Level(0).Item(1).MorphFactor, 1.0);
    EXPECT_DOUBLE_EQ(Level(0).Item(0).MorphFactor, 0.0);
    EXPECT_EQ(CaptureLevel(0).Pixel(quit.Left + 1, quit.Top + 1), kItemActive);
}

TEST_F(MenuPaintTest, NamedItemsGetCaptionGlyphsAndShortcutsEndBeforeTheRightEdge) {
    Add(Root(), "&Plain");
    TMenuItem* close = Add(Root(), "&Close", "SF_CLOSE");
    close->SetShortCut(platform::forms::TextToShortCut("Alt+F4"));
    Add(Root(), "Tick")->SetChecked(true);
    ASSERT_TRUE(Open({200, 150}));
    const TBitmap shot = CaptureLevel(0);
    const TRect c = Level(0).Item(1).ItemRect, p = Level(0).Item(0).ItemRect, t = Level(0).Item(2).ItemRect;
    const TRect glyph{c.Left + 2, c.Top + 2, c.Left + 17, c.Bottom - 2};
    EXPECT_GT(DarkPixels(shot, glyph), 8);
    EXPECT_GT(DarkPixels(shot, {t.Left + 2, t.Top + 2, t.Left + 17, t.Bottom - 2}), 4);
    // The first item is highlighted (its fill is lighter than the threshold): no glyph there.
    EXPECT_EQ(DarkPixels(shot, {p.Left + 2, p.Top + 2, p.Left + 17, p.Bottom - 2}), 0);
    // "Alt+F4" ends 19 pixels before the item's right edge.
    const TRect shortcutZone{c.Right - 19 - 40, c.Top, c.Right - 19, c.Bottom};
    EXPECT_GT(DarkPixels(shot, shortcutZone), 10);
    EXPECT_EQ(DarkPixels(shot, {c.Right - 19, c.Top, c.Right, c.Bottom}), 0);
    EXPECT_EQ(DarkPixels(shot, {t.Right - 60, t.Top, t.Right, t.Bottom}), 0);
    Shot("glyphs_and_shortcuts");
}

}  // namespace
}  // namespace menustest
