// The generators' building blocks: crisp anti-aliased drawing, picture assembly and safe folder
// output.

#include <gtest/gtest.h>

#include <numeric>

#include "AssetTestSupport.h"
#include "tools/skingen/Atlas.h"
#include "tools/skingen/OutputFolder.h"
#include "tools/skingen/Raster.h"
#include "tools/skingen/SkinModel.h"

namespace {

using namespace assettest;
using namespace skingen;

constexpr TColor kWhite = 0xFFFFFF;
constexpr TColor kInk = 0x804020;

TBitmap WhiteBitmap(int w, int h) {
    TBitmap b(w, h);
    TRaster(b).FillRect(0, 0, w, h, kWhite);
    return b;
}

TEST(Raster, ShapesOnWholePixelsHaveCrispEdgesAndSoftCorners) {
    TBitmap b = WhiteBitmap(20, 20);
    TRaster r(b);
    r.FillRoundRect({2, 2, 18, 18}, 0, TPaint::Solid(kInk));
    for (int i = 0; i < 20; ++i) {
        const bool inside = i >= 2 && i < 18;
        EXPECT_EQ(b.Pixel(i, 10), inside ? kInk : kWhite) << i;
        EXPECT_EQ(b.Pixel(10, i), inside ? kInk : kWhite) << i;
    }
    TBitmap round = WhiteBitmap(20, 20);
    TRaster(round).FillRoundRect({0, 0, 20, 20}, 6, TPaint::Solid(kInk));
    EXPECT_EQ(round.Pixel(0, 0), kWhite);
    EXPECT_EQ(round.Pixel(6, 6), kInk);
    EXPECT_EQ(round.Pixel(10, 0), kInk);
    const TColor edge = round.Pixel(1, 2);
    EXPECT_NE(edge, kWhite);
    EXPECT_NE(edge, kInk);

    // A one-pixel line through pixel centres covers exactly one row.
    TBitmap line = WhiteBitmap(20, 5);
    TRaster(line).FillShape(
        {2, 2, 18, 3}, [](double, double) { return true; }, TPaint::Solid(kInk));
    for (int y = 0; y < 5; ++y) EXPECT_EQ(line.Pixel(10, y), y == 2 ? kInk : kWhite) << y;
}

TEST(Raster, GradientsRunFromTheirFirstToTheirLastColour) {
    TBitmap b(1, 11);
    TRaster(b).FillRect(0, 0, 1, 11, TPaint::Vertical(0x000000, 0x0000FF, 0, 11));
    int previous = -1;
    for (int y = 0; y < 11; ++y) {
        const int red = platform::gfx::GetRValue(b.Pixel(0, y));
        EXPECT_GT(red, previous) << y;
        previous = red;
    }
    EXPECT_LT(platform::gfx::GetRValue(b.Pixel(0, 0)), 20);
    EXPECT_GT(platform::gfx::GetRValue(b.Pixel(0, 10)), 235);
}

TEST(Raster, BlurSpreadsButKeepsTheAmount) {
    const int w = 41, h = 41;
    std::vector<double> alpha(w * h, 0.0);
    alpha[20 * w + 20] = 1.0;
    BlurAlpha(alpha, w, h, 3);
    EXPECT_NEAR(std::accumulate(alpha.begin(), alpha.end(), 0.0), 1.0, 1e-9);
    EXPECT_GT(alpha[20 * w + 20], alpha[20 * w + 24]);
    EXPECT_GT(alpha[20 * w + 24], 0.0);
    EXPECT_DOUBLE_EQ(alpha[20 * w + 20 - 1], alpha[20 * w + 20 + 1]);

    std::vector<double> flat(w * h, 0.5);
    BlurAlpha(flat, w, h, 5);
    for (double v : flat) EXPECT_NEAR(v, 0.5, 1e-12);
}

TEST(Atlas, FillsShelvesFirstFitAndPaintsEachImageInItsPlace) {
    TAtlas atlas(32, 2);
    auto fill = [](TColor c) {
        return [c](TRaster& r, const TRect& p) { r.FillRect(p.Left, p.Top, p.Right, p.Bottom, c); };
    };
    const TRect a = atlas.Place(10, 6, fill(0x0000FF));
    const TRect b = atlas.Place(4, 9, fill(0x00FF00));  // too high for the first shelf
    const TRect c = atlas.Place(5, 5, fill(0xFF0000));  // back on the first shelf
    atlas.NewRow();
    const TRect d = atlas.Place(7, 3, fill(0x00FFFF));
    const TRect e = atlas.Place(30, 3, fill(0xFFFF00));  // no shelf has room for it
    EXPECT_EQ(a, (TRect{0, 0, 10, 6}));
    EXPECT_EQ(b, (TRect{0, 8, 4, 17}));
    EXPECT_EQ(c, (TRect{12, 0, 17, 5}));
    EXPECT_EQ(d, (TRect{0, 19, 7, 22}));
    EXPECT_EQ(e, (TRect{0, 24, 30, 27}));
    const TBitmap bitmap = atlas.Build(0x777777, kWhite);
    EXPECT_EQ(bitmap.Width(), std::max({a.Right, b.Right, c.Right, d.Right, e.Right}));
    EXPECT_EQ(bitmap.Height(), std::max({a.Bottom, b.Bottom, c.Bottom, d.Bottom, e.Bottom}));
    for (const auto& [place, color] : {std::pair{a, 0x0000FF}, std::pair{b, 0x00FF00}, std::pair{c, 0xFF0000},
                                       std::pair{d, 0x00FFFF}, std::pair{e, 0xFFFF00}}) {
        EXPECT_EQ(bitmap.Pixel(place.Left, place.Top), color);
        EXPECT_EQ(bitmap.Pixel(place.Right - 1, place.Bottom - 1), color);
    }
    EXPECT_EQ(bitmap.Pixel(11, 0), 0x777777);  // the gap between a and c
    EXPECT_EQ(bitmap.Pixel(12, 5), 0x777777);  // below c on its shelf
}

TEST(OutputFolder, RefusesPathsOutsideTheFolderAndTargetsThatAreNotFolders) {
    TTempDir dir;
    for (const char* bad : {"../escape.txt", "/etc/absolute.txt", "a/../../b.txt"}) {
        TOutputFolder out;
        out.Add(bad, std::string("x"));
        std::string error;
        EXPECT_FALSE(out.Commit((dir / "target").string(), nullptr, &error)) << bad;
        EXPECT_FALSE(fs::exists(dir / "target")) << bad;
        EXPECT_FALSE(out.CommitFiles((dir / "shared").string(), &error)) << bad;
    }
    EXPECT_FALSE(fs::exists(dir.Path().parent_path() / "escape.txt"));
    EXPECT_EQ(EntryNames(dir.Path()), std::vector<std::string>{});

    WriteText(dir / "plain", "a file");
    TOutputFolder out;
    out.Add("x.txt", std::string("x"));
    std::string error;
    EXPECT_FALSE(out.Commit((dir / "plain").string(), nullptr, &error));
    EXPECT_EQ(ReadBytes(dir / "plain").size(), 6u);
}

TEST(OutputFolder, ReplacesItsOwnFolderWholeAndKeepsModes) {
    TTempDir dir;
    const std::string target = (dir / "out").string() + "/";
    TOutputFolder first;
    first.Add("a.txt", std::string("one"));
    first.Add("sub/run.sh", std::string("#!/bin/sh\n"), true);
    std::string error;
    ASSERT_TRUE(first.Commit(target, nullptr, &error)) << error;
    EXPECT_EQ(access((dir / "out" / "sub" / "run.sh").c_str(), X_OK), 0);
    EXPECT_NE(access((dir / "out" / "a.txt").c_str(), X_OK), 0);

    TOutputFolder second;
    second.Add("a.txt", std::string("two"));
    ASSERT_TRUE(second.Commit(
        target, [](const std::string& path) { return path.ends_with("/sub"); }, &error))
        << error;
    EXPECT_EQ(FileNames(dir / "out"), std::vector<std::string>{"a.txt"});
    EXPECT_FALSE(fs::exists(dir / "out" / "sub"));
    EXPECT_EQ(ReadBytes(dir / "out" / "a.txt"), (std::vector<char>{'t', 'w', 'o'}));
    EXPECT_EQ(EntryNames(dir.Path()), std::vector<std::string>{"out"});  // no temporary folder left beside
}

TEST(SkinModel, RefusesARecordOfAnotherClassThanItsKind) {
    TSkinModel model;
    EXPECT_THROW((void)model.AddControl<skin::TbsDataSkinComboBox>("combobox", "listbox"), std::logic_error);
    EXPECT_THROW((void)model.AddControl<skin::TbsDataSkinButtonControl>("x", "nosuchkind"), std::logic_error);
    EXPECT_TRUE(model.Controls.empty());
    auto& menu = model.AddControl<skin::TbsDataSkinButtonControl>("menubutton", "menubutton");
    EXPECT_NE(dynamic_cast<skin::TbsDataSkinMenuButtonControl*>(&menu), nullptr);
    EXPECT_EQ(model.Controls.size(), 1u);
}

}  // namespace
