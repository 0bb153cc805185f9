// The light skin that ships with the samples: the committed folder is the generator's output, it
// is a sound skin, and it differs from the default one where it should (frame, caption buttons,
// caption text) and nowhere else.

#include <gtest/gtest.h>

#include <algorithm>

#include "AssetTestSupport.h"
#include "skin/data/bsSkinFile.h"
#include "tools/skingen/SkinDefault.h"
#include "tools/skingen/SkinLight.h"
#include "tools/skintool/SkinCheck.h"

namespace {

using namespace assettest;

TEST(LightSkin, CommittedFolderIsTheGeneratorsOutputAndChecksClean) {
    TTempDir dir;
    skingen::TSkinModel model = skingen::BuildLightSkin();
    std::string error;
    ASSERT_TRUE(skingen::WriteSkinFolder(model, (dir / "light").string(), &error)) << error;
    const fs::path committed = SourceDir() / "assets" / "skins" / "light";
    const std::vector<std::string> names = FileNames(dir / "light");
    EXPECT_EQ(names, FileNames(committed));
    for (const std::string& name : names)
        EXPECT_EQ(ReadBytes(dir / "light" / name), ReadBytes(committed / name))
            << name << " differs from the generator's output; run the build target skin_assets";

    skin::TbsSkinSource source;
    ASSERT_TRUE(skin::LoadSkinFolder((committed / "skin.ini").string(), source, &error)) << error;
    for (const auto& p : skintool::CheckSkin(source)) ADD_FAILURE() << skintool::FormatProblem(p);
}

TEST(LightSkin, OnlyTheFrameTheCaptionButtonsAndTheCaptionTextChange) {
    skingen::TSkinModel dark = skingen::BuildDefaultSkin();
    skingen::TSkinModel light = skingen::BuildLightSkin();
    // The frame border turns light, the client area (dialog backgrounds) stays as it is.
    const auto luma = [](platform::gfx::TColor c) {
        return (299 * (c & 0xFF) + 587 * ((c >> 8) & 0xFF) + 114 * ((c >> 16) & 0xFF)) / 1000;
    };
    const skingen::TRect client = dark.FormInfo.clientrect;
    const int captionY = client.Top / 2;
    const int midX = dark.Main.Bitmap.Width() / 2;
    EXPECT_LT(luma(dark.Main.Bitmap.Pixel(midX, captionY)), 100u);
    EXPECT_GT(luma(light.Main.Bitmap.Pixel(midX, captionY)), 150u);
    EXPECT_EQ(light.Main.Bitmap.Pixel(client.Left + 3, client.Top + 3),
              dark.Main.Bitmap.Pixel(client.Left + 3, client.Top + 3));
    // Every control picture is the default one.
    ASSERT_EQ(light.Pictures.size(), dark.Pictures.size());
    for (std::size_t i = 0; i < dark.Pictures.size(); ++i) {
        if (i == static_cast<std::size_t>(skingen::kObjectsPicture)) continue;
        const auto& a = dark.Pictures[i].Bitmap;
        const auto& b = light.Pictures[i].Bitmap;
        ASSERT_EQ(a.Width(), b.Width());
        EXPECT_TRUE(std::equal(a.Bits(), a.Bits() + a.Width() * a.Height(), b.Bits()))
            << dark.Pictures[i].FileName;
    }
    // The caption draws dark text on the light strip.
    EXPECT_NE(skingen::SkinDescriptionText(light).find("skinname=Daylight"), std::string::npos);
}

TEST(LightSkin, MirroringTheLightnessKeepsHueAndSkipsTheGivenRectangle) {
    platform::gfx::TBitmap b(4, 1);
    b.SetPixel(0, 0, platform::gfx::RGB(0x3B, 0x46, 0x54));  // slate
    b.SetPixel(1, 0, platform::gfx::RGB(0, 0, 0));
    b.SetPixel(2, 0, platform::gfx::RGB(255, 255, 255));
    b.SetPixel(3, 0, platform::gfx::RGB(10, 20, 30));
    skingen::MirrorLightness(b, {0, 0, 4, 1}, {3, 0, 4, 1});
    // Its max + min is 0x54 + 0x3B = 143: every channel moves by 255 - 143 = 112.
    EXPECT_EQ(b.Pixel(0, 0), platform::gfx::RGB(0x3B + 112, 0x46 + 112, 0x54 + 112));
    EXPECT_EQ(b.Pixel(1, 0), platform::gfx::RGB(255, 255, 255));
    EXPECT_EQ(b.Pixel(2, 0), platform::gfx::RGB(0, 0, 0));
    EXPECT_EQ(b.Pixel(3, 0), platform::gfx::RGB(10, 20, 30));  // skipped
}

}  // namespace
