// The browser window on a headless screen of scale 2: the same logical layout, clicks that land
// on the preview the player sees, the window's shape from the skin's mask in 2 x 2 blocks, the
// skin's pictures enlarged by whole pixels and the texts drawn at the larger size.

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "ProgramTestSupport.h"
#include "app/Browser.h"
#include "platform/ui/WindowSystem.h"
#include "skin/boxes/bsSkinBoxCtrlsComboBox.h"
#include "skin/boxes/bsSkinBoxCtrlsUpDown.h"
#include "skin/controls/bsSkinCtrlsBevel.h"
#include "skin/controls/bsSkinCtrlsButton.h"
#include "skin/data/bsSkinData.h"

namespace {

using namespace program_test;
namespace forms = platform::forms;
using platform::core::TPoint;
using platform::core::TRect;
using platform::gfx::TBitmap;

constexpr int kScale = 2;

class BrowserScaleTest : public BrowserFixture {
protected:
    [[nodiscard]] platform::ui::headless::THeadlessScreen Screen() const override {
        platform::ui::headless::THeadlessScreen s;
        s.Width = 1280 * kScale;
        s.Height = 1024 * kScale;
        s.Scale = kScale;
        return s;
    }

    app::program::TBrowserWindow& OpenWithPackage() {
        MakePackage(Dir(), "a", "Alpha", 13);
        WriteFile(Dir() + "/PuzzleBrowser.ini", "[Browser]\r\nFirstTime=0\r\n");
        return Open();
    }

    // The device pixels of the screen that show a control.
    TRect DeviceRectOf(const forms::TControl& control) {
        const TPoint topLeft = control.ClientToScreen({0, 0});
        return {topLeft.X * kScale, topLeft.Y * kScale, (topLeft.X + control.Width()) * kScale,
                (topLeft.Y + control.Height()) * kScale};
    }
};

// Aligned 2 x 2 blocks of a device area whose pixels are not all alike.
int MixedBlocks(const TBitmap& shot, const TRect& area) {
    int mixed = 0;
    for (int y = area.Top; y + 1 < area.Bottom; y += 2)
        for (int x = area.Left; x + 1 < area.Right; x += 2) {
            const auto c = shot.Pixel(x, y);
            if (shot.Pixel(x + 1, y) != c || shot.Pixel(x, y + 1) != c || shot.Pixel(x + 1, y + 1) != c)
                ++mixed;
        }
    return mixed;
}

TEST_F(BrowserScaleTest, TheLayoutStaysLogicalAndTheWindowIsTwiceTheSizeOnTheScreen) {
    auto& w = OpenWithPackage();
    EXPECT_EQ(System().Scale(), kScale);
    EXPECT_EQ(w.ClientWidth(), 760);
    EXPECT_EQ(w.ClientHeight(), 570);
    EXPECT_EQ(w.Image3->Left(), 561);
    EXPECT_EQ(w.Image3->Top(), 154);
    EXPECT_EQ(w.btnStart->BoundsRect(), (TRect{411, 526, 747, 545}));
    EXPECT_EQ(w.cbxPackage->Height(), 18);

    // Centred on the logical screen of 1280 x 1024 (less its panel).
    platform::ui::TWindow* handle = w.Handle();
    const TRect logical = handle->WindowRect();
    const auto* native = Backend().Native(handle->NativeId());
    ASSERT_NE(native, nullptr);
    EXPECT_EQ(native->Bounds, (TRect{logical.Left * kScale, logical.Top * kScale, logical.Right * kScale,
                                     logical.Bottom * kScale}));
    EXPECT_EQ((logical.Left + logical.Right) / 2, 640);
    EXPECT_EQ(System().BackBuffer(handle)->Width(), logical.Width() * kScale);
    EXPECT_TRUE(Messages.empty());
}

TEST_F(BrowserScaleTest, AClickOnAScaledPreviewSelectsIt) {
    auto& w = OpenWithPackage();
    // Device pixels, as the display reports them: the far corner of Image3's block at its
    // logical (149, 149), then the one just past Image5's right edge (no preview there).
    const TPoint image3 = w.Image3->ClientToScreen({149, 149});
    Backend().QueueMouseMove({image3.X * kScale + 1, image3.Y * kScale + 1});
    Backend().QueueButton(platform::ui::TMouseButton::Left, true);
    Backend().QueueButton(platform::ui::TMouseButton::Left, false);
    ProcessMessages();
    EXPECT_EQ(w.Browser()->CurrentPuzzle, 2);
    EXPECT_TRUE(w.bevel3->Visible());
    EXPECT_FALSE(w.Bevel1->Visible());

    const TPoint past5 = w.Image5->ClientToScreen({150, 75});
    Session().Click(past5);
    EXPECT_EQ(w.Browser()->CurrentPuzzle, 2) << "the gap between previews selects nothing";
    // Through the session's logical points, as every other test clicks.
    ClickControl(*w.Image5, 75, 75);
    EXPECT_EQ(w.Browser()->CurrentPuzzle, 4);
    // The frame is shown where the player sees it: its left line at device pixels.
    const TRect frame = DeviceRectOf(*w.bevel5);
    const TBitmap shot = Session().Screenshot();
    const auto frameColour = static_cast<platform::gfx::TColor>(12632256);
    EXPECT_EQ(shot.Pixel(frame.Left, frame.Top + 160), frameColour);
    EXPECT_EQ(shot.Pixel(frame.Left + 1, frame.Top + 161), frameColour);
    EXPECT_NE(shot.Pixel(frame.Left - 1, frame.Top + 160), frameColour);
}

TEST_F(BrowserScaleTest, TheWindowShapeIsTheMasksRegionInTwoByTwoBlocks) {
    auto& w = OpenWithPackage();
    platform::ui::TWindow* handle = w.Handle();
    ASSERT_TRUE(handle->Region().has_value());
    const platform::gfx::TRegion& logical = *handle->Region();
    const auto& shape = Backend().Native(handle->NativeId())->Shape;
    ASSERT_TRUE(shape.has_value());
    EXPECT_EQ(*shape, logical.Scaled(kScale));

    // The top-left corner piece of the frame is the mask's own corner: a logical pixel belongs to
    // the window where the mask is black (or inside its mask rectangle), and its device block
    // with it.
    const skin::TbsSkinData& data = *w.bsSkinData1;
    const TBitmap& mask = data.FrameMask;
    ASSERT_FALSE(mask.Empty());
    int outside = 0;
    for (int y = 0; y < data.clientrect.Top; ++y)
        for (int x = 0; x < data.lefttoppoint.X; ++x) {
            const bool in = (mask.Pixel(x, y) & 0xFFFFFF) == 0 || data.maskrectarea.Contains({x, y});
            SCOPED_TRACE(std::to_string(x) + "," + std::to_string(y));
            EXPECT_EQ(logical.Contains({x, y}), in);
            EXPECT_EQ(shape->Contains({x * kScale, y * kScale}), in);
            EXPECT_EQ(shape->Contains({x * kScale + 1, y * kScale + 1}), in);
            if (!in) ++outside;
        }
    EXPECT_GT(outside, 0) << "the skin cuts the corner";
    // The screen shows the desktop there.
    const TRect window = Backend().Native(handle->NativeId())->Bounds;
    const TBitmap shot = Session().Screenshot();
    EXPECT_EQ(shot.Pixel(window.Left, window.Top), Backend().DesktopColor);
}

TEST_F(BrowserScaleTest, SkinPicturesAreEnlargedByWholePixelsAndTextIsDrawnAtTheLargerSize) {
    auto& w = OpenWithPackage();
    const TBitmap shot = Session().Screenshot();
    // The line of the selected preview's frame and the up-down are skin pictures only: every
    // logical pixel is one colour across its block, and the pictures have edges to show.
    const TRect bevel = DeviceRectOf(*w.Bevel1);
    EXPECT_EQ(MixedBlocks(shot, {bevel.Left, bevel.Top, bevel.Left + kScale, bevel.Bottom}), 0);
    EXPECT_EQ(MixedBlocks(shot, {bevel.Left, bevel.Top, bevel.Right, bevel.Top + kScale}), 0);
    const TRect upDown = DeviceRectOf(*w.udPageNext);
    EXPECT_EQ(MixedBlocks(shot, upDown), 0);
    int edges = 0;
    for (int x = upDown.Left + 2; x < upDown.Right; x += 2)
        if (shot.Pixel(x, upDown.Top + upDown.Height() / 4) !=
            shot.Pixel(x - 2, upDown.Top + upDown.Height() / 4))
            ++edges;
    EXPECT_GT(edges, 1);
    // The start button's caption is drawn off-screen and still reaches the screen as text of
    // the larger size: its glyph edges fall inside the blocks.
    EXPECT_GT(MixedBlocks(shot, DeviceRectOf(*w.btnStart)), 20);

    if (const char* folder = std::getenv("VK_UI_SHOTS")) {
        EXPECT_TRUE(platform::gfx::SavePng(shot, std::string(folder) + "/browser_scale2.png"));
    }
}

}  // namespace
