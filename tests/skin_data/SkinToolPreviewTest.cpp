// skintool preview: the default skin's sheet shows its frames in their states (a dark caption,
// the hot close button red only where it is hot), the packed forms of a skin give the same sheet
// as its folder, and bad input leaves an earlier sheet untouched.

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>

#include "platform/gfx/Bitmap.h"
#include "tests/skin_data/SkinDataFixture.h"
#include "tools/skintool/SkinTool.h"

using skintest::TTempDir;

namespace {

int Tool(std::vector<std::string> args, std::string* err = nullptr) {
    std::ostringstream out, errors;
    const int code = skintool::RunSkinTool(args, out, errors);
    if (err) *err = errors.str();
    return code;
}

std::string DefaultSkin() {
    const char* source = std::getenv("VK_SOURCE_DIR");
    return source ? std::string(source) + "/assets/skin" : std::string();
}

// Sheet layout: 16 pixels margin, 28 pixels heading, then each frame preview (420 x 160) and a
// 16-pixel gap: the three frames start at y 44, 248 and 452.
constexpr int kFrameTop[3] = {44, 248, 452};
constexpr int kFrameLeft = 16, kFrameWidth = 420, kFrameHeight = 160;

int Red(uint32_t p) { return static_cast<int>(p >> 16 & 0xFF); }
int Green(uint32_t p) { return static_cast<int>(p >> 8 & 0xFF); }
int Blue(uint32_t p) { return static_cast<int>(p & 0xFF); }

// Pixels of a frame's caption row that are clearly red (the hot close button's face).
int RedPixelsInCaption(const platform::gfx::TBitmap& sheet, int frame) {
    int count = 0;
    for (int y = kFrameTop[frame]; y < kFrameTop[frame] + 28; ++y)
        for (int x = kFrameLeft; x < kFrameLeft + kFrameWidth; ++x) {
            const uint32_t p = sheet.ScanLine(y)[x];
            if (Red(p) > 170 && Green(p) < 110 && Blue(p) < 110) ++count;
        }
    return count;
}

}  // namespace

TEST(SkinToolPreview, DefaultSkinSheetShowsFramesInTheirStates) {
    if (DefaultSkin().empty()) GTEST_SKIP() << "VK_SOURCE_DIR is not set";
    TTempDir dir;
    const std::string out = dir.Path("sheet.png");
    std::string err;
    ASSERT_EQ(Tool({"preview", DefaultSkin(), out}, &err), 0) << err;
    platform::gfx::TBitmap sheet;
    ASSERT_TRUE(platform::gfx::LoadPng(sheet, out));
    // Frames, objects and three sheets of records: far taller than the frames alone.
    EXPECT_GT(sheet.Height(), kFrameTop[2] + kFrameHeight + 1000);
    EXPECT_GE(sheet.Width(), kFrameLeft + kFrameWidth);
    // The caption of the active frame is drawn from the skin (dark), not left as paper (white).
    const uint32_t caption = sheet.ScanLine(kFrameTop[0] + 12)[kFrameLeft + 200];
    EXPECT_LT(Red(caption) + Green(caption) + Blue(caption), 3 * 120);
    // Only the third frame has its close button hot.
    EXPECT_EQ(RedPixelsInCaption(sheet, 0), 0);
    EXPECT_EQ(RedPixelsInCaption(sheet, 1), 0);
    EXPECT_GT(RedPixelsInCaption(sheet, 2), 50);
    // The caption buttons (the right 100 pixels) of the second frame differ from the first's:
    // its minimise button is pressed.
    int differing = 0;
    for (int y = 0; y < 28; ++y)
        for (int x = kFrameLeft + kFrameWidth - 100; x < kFrameLeft + kFrameWidth; ++x)
            if (sheet.ScanLine(kFrameTop[0] + y)[x] != sheet.ScanLine(kFrameTop[1] + y)[x]) ++differing;
    EXPECT_GT(differing, 20);
}

TEST(SkinToolPreview, PackedSkinGivesTheSameSheetAsItsFolder) {
    if (DefaultSkin().empty()) GTEST_SKIP() << "VK_SOURCE_DIR is not set";
    TTempDir dir;
    ASSERT_EQ(Tool({"pack", DefaultSkin(), "--compressed", dir.Path("skin.skn")}), 0);
    ASSERT_EQ(Tool({"preview", DefaultSkin(), dir.Path("a.png")}), 0);
    ASSERT_EQ(Tool({"preview", dir.Path("skin.skn"), dir.Path("b.png")}), 0);
    EXPECT_EQ(skintest::ReadAll(dir.Path("a.png")), skintest::ReadAll(dir.Path("b.png")));
}

TEST(SkinToolPreview, BadInputFailsAndLeavesTheEarlierSheet) {
    TTempDir dir;
    dir.Write("sheet.png", std::string_view("earlier"));
    std::string err;
    EXPECT_EQ(Tool({"preview", dir.Path("missing"), dir.Path("sheet.png")}, &err), 1);
    EXPECT_NE(err.find("skintool preview:"), std::string::npos) << err;
    // A description without records loads nothing to show.
    dir.Write("skin.ini", std::string_view("[VERSION]\nskinname=x\n"));
    EXPECT_EQ(Tool({"preview", dir.Path("skin.ini"), dir.Path("sheet.png")}), 1);
    const auto bytes = skintest::ReadAll(dir.Path("sheet.png"));
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "earlier");
    // Usage errors.
    EXPECT_EQ(Tool({"preview", dir.Path("skin.ini")}), 2);
    EXPECT_EQ(Tool({"preview", "--stored", dir.Path("x.png")}), 2);
}
