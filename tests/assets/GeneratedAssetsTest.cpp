// The committed skin and browser pictures are exactly what the generator makes, and the
// generator's folder writing never destroys what it did not make.

#include <gtest/gtest.h>

#include "AssetTestSupport.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Jpeg.h"
#include "tools/skingen/BrowserArt.h"
#include "tools/skingen/SkinDefault.h"

namespace {

using namespace assettest;
using platform::gfx::TBitmap;

constexpr const char* kRebuildHint = " differs from the generator's output; run the build target skin_assets";

TEST(GeneratedAssets, CommittedSkinFolderIsTheGeneratorsOutput) {
    TTempDir dir;
    skingen::TSkinModel model = skingen::BuildDefaultSkin();
    std::string error;
    ASSERT_TRUE(skingen::WriteSkinFolder(model, (dir / "skin").string(), &error)) << error;
    const fs::path committed = SourceDir() / "assets" / "skin";
    const std::vector<std::string> names = FileNames(dir / "skin");
    EXPECT_EQ(names, FileNames(committed));
    for (const std::string& name : names)
        EXPECT_EQ(ReadBytes(dir / "skin" / name), ReadBytes(committed / name)) << name << kRebuildHint;
}

TEST(GeneratedAssets, CommittedBrowserPicturesAreTheGeneratorsOutput) {
    TTempDir dir;
    std::string error;
    ASSERT_TRUE(skingen::WriteBrowserFolder(dir.Path().string(), &error)) << error;
    const fs::path committed = SourceDir() / "assets" / "browser";
    for (const char* name : skingen::kBrowserPictureFiles)
        EXPECT_EQ(ReadBytes(dir / name), ReadBytes(committed / name)) << name << kRebuildHint;
}

TEST(GeneratedAssets, BrowserPicturesHaveTheSizesAndStarsTheWindowUses) {
    const fs::path folder = SourceDir() / "assets" / "browser";
    platform::gfx::TJPEGImage background;
    ASSERT_TRUE(background.LoadFromFile((folder / "background.jpg").string()));
    EXPECT_EQ(background.Width(), 760);
    EXPECT_EQ(background.Height(), 570);

    TBitmap severity;
    ASSERT_TRUE(severity.LoadFromFile((folder / "severity.bmp").string()));
    ASSERT_EQ(severity.Width(), 5 * 80);
    ASSERT_EQ(severity.Height(), 17);
    // Picture i shows i + 1 red stars: the centre of each star is red up to there, grey after.
    for (int picture = 0; picture < 5; ++picture) {
        for (int star = 0; star < 5; ++star) {
            const platform::gfx::TColor c = severity.Pixel(picture * 80 + 8 + 16 * star, 9);
            const bool red = platform::gfx::GetRValue(c) > 150 && platform::gfx::GetGValue(c) < 120;
            EXPECT_EQ(red, star <= picture) << "picture " << picture << ", star " << star;
        }
    }
    TBitmap puzzles;
    ASSERT_TRUE(puzzles.LoadFromFile((folder / "puzzles.bmp").string()));
    EXPECT_EQ(puzzles.Width(), 2 * 150);
    EXPECT_EQ(puzzles.Height(), 150);
}

TEST(GeneratedAssets, MaskPicturesKeepTheirDepthAndPixels) {
    TBitmap mask(13, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 13; ++x) mask.ScanLine(y)[x] = (x + y) % 3 == 0 ? 0x000000 : 0xFFFFFF;
    for (int bits : {1, 4}) {
        const std::vector<uint8_t> bytes = skingen::EncodeMaskBmp(mask, bits);
        TBitmap read;
        ASSERT_TRUE(read.LoadFromMemory(bytes.data(), bytes.size())) << bits << "-bit";
        ASSERT_TRUE(read.SourceFormat().has_value());
        EXPECT_EQ(read.SourceFormat()->BitCount, bits);
        ASSERT_EQ(read.Width(), 13);
        ASSERT_EQ(read.Height(), 3);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 13; ++x)
                EXPECT_EQ(read.Pixel(x, y), (x + y) % 3 == 0 ? 0 : 0xFFFFFF) << x << "," << y;
    }
}

TEST(GeneratedAssets, SkinFolderWithForeignFilesIsRefusedAndKept) {
    TTempDir dir;
    WriteText(dir / "notes.txt", "mine");
    skingen::TSkinModel model = skingen::BuildDefaultSkin();
    std::string error;
    EXPECT_FALSE(skingen::WriteSkinFolder(model, dir.Path().string(), &error));
    EXPECT_NE(error.find("notes.txt"), std::string::npos) << error;
    EXPECT_EQ(FileNames(dir.Path()), std::vector<std::string>{"notes.txt"});
    // Nothing is left beside the folder either.
    for (const auto& e : fs::directory_iterator(dir.Path().parent_path()))
        EXPECT_EQ(e.path().string().find(dir.Path().string() + "."), std::string::npos) << e.path();
}

TEST(GeneratedAssets, RewritingASkinDropsOnlyWhatTheEarlierDescriptionNamed) {
    TTempDir dir;
    const fs::path folder = dir / "skin";
    fs::create_directories(folder);
    WriteText(folder / "skin.ini",
              "[PICTURES]\r\npicture=old.bmp\r\nactivepicturescount=1\r\n0=older.bmp\r\n");
    WriteText(folder / "old.bmp", "x");
    WriteText(folder / "older.bmp", "x");
    skingen::TSkinModel model = skingen::BuildDefaultSkin();
    std::string error;
    ASSERT_TRUE(skingen::WriteSkinFolder(model, folder.string(), &error)) << error;
    EXPECT_FALSE(fs::exists(folder / "old.bmp"));
    EXPECT_FALSE(fs::exists(folder / "older.bmp"));
    EXPECT_TRUE(fs::exists(folder / "frame.bmp"));

    WriteText(folder / "stray.txt", "x");
    EXPECT_FALSE(skingen::WriteSkinFolder(model, folder.string(), &error));
    EXPECT_TRUE(fs::exists(folder / "stray.txt"));
    EXPECT_TRUE(fs::exists(folder / "frame.bmp"));
}

TEST(GeneratedAssets, BrowserPicturesLeaveOtherFilesOfTheirFolderAlone) {
    TTempDir dir;
    const std::string form = "object Browser: TBrowser\nend\n";
    WriteText(dir / "browser.vkf", form);
    std::string error;
    ASSERT_TRUE(skingen::WriteBrowserFolder(dir.Path().string(), &error)) << error;
    EXPECT_EQ(ReadBytes(dir / "browser.vkf"), std::vector<char>(form.begin(), form.end()));
    EXPECT_EQ(FileNames(dir.Path()),
              (std::vector<std::string>{"background.jpg", "browser.vkf", "puzzles.bmp", "severity.bmp"}));
}

}  // namespace
