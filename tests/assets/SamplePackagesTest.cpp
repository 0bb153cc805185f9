// The sample packages are complete as the browser's own catalogue sees them.

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>

#include "AssetTestSupport.h"
#include "app/PackageList.h"
#include "platform/gfx/Jpeg.h"
#include "tools/packagegen/SamplePackages.h"

namespace {

using namespace assettest;

std::string RunAndRead(const std::string& path) {
    std::string out;
    if (FILE* pipe = popen(("'" + path + "'").c_str(), "r")) {
        char buffer[256];
        while (std::fgets(buffer, sizeof buffer, pipe)) out += buffer;
        pclose(pipe);
    }
    return out;
}

class SamplePackagesSet : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        s_dir = new TTempDir;
        std::string error;
        s_written = packagegen::WriteSamplePackages(s_dir->Path().string(), &error);
        s_error = error;
    }
    static void TearDownTestSuite() { delete s_dir; }
    void SetUp() override { ASSERT_TRUE(s_written) << s_error; }

    static inline TTempDir* s_dir = nullptr;
    static inline bool s_written = false;
    static inline std::string s_error;
};

TEST_F(SamplePackagesSet, TheCatalogueAcceptsThreePackagesOf3To13PuzzlesSortedByNameWithoutCase) {
    const TTempDir& dir = *s_dir;
    std::vector<std::string> messages;
    app::TPackageList list(dir.Path().string(), [&](const std::string& text) { messages.push_back(text); });
    EXPECT_TRUE(messages.empty()) << (messages.empty() ? "" : messages.front());
    ASSERT_EQ(list.Count(), 3);
    std::vector<std::string> names;
    std::vector<int> counts;
    for (int i = 0; i < list.Count(); ++i) {
        names.push_back(list.Items(i)->PackageName);
        counts.push_back(list.Items(i)->PuzzleCount);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"Abstract Shapes", "beach Holidays", "City Lights"}));
    EXPECT_EQ(counts, (std::vector<int>{13, 7, 3}));
    // Sorted by bytes the order would differ: the names test the case-insensitive sort.
    EXPECT_FALSE(std::is_sorted(names.begin(), names.end()));
}

TEST_F(SamplePackagesSet, EveryPuzzleHasAPreviewAndAnExecutableForEverySeverity) {
    const TTempDir& dir = *s_dir;
    for (const packagegen::TPackageSpec& spec : packagegen::SamplePackages()) {
        app::TPackage package((dir / spec.Folder).string());
        ASSERT_TRUE(package.IsComplete()) << spec.Name;
        EXPECT_EQ(package.CountPreviews(), spec.Puzzles) << spec.Name;
        std::size_t expectedFiles = 1;
        for (int i = 0; i < package.PuzzleCount; ++i) {
            platform::gfx::TJPEGImage preview;
            ASSERT_TRUE(preview.LoadFromFile(package.PreviewPath(i))) << package.PreviewPath(i);
            EXPECT_EQ(preview.Width(), 150);
            EXPECT_EQ(preview.Height(), 150);
            for (int severity = 1; severity <= 5; ++severity) {
                const std::string exe = package.PuzzleExecutablePath(i, severity);
                EXPECT_EQ(access(exe.c_str(), X_OK), 0) << exe;
                const std::vector<char> bytes = ReadBytes(exe);
                EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + std::min<std::size_t>(9, bytes.size())),
                          "#!/bin/sh");
            }
            expectedFiles += 6;
        }
        EXPECT_EQ(FileNames(dir / spec.Folder).size(), expectedFiles) << spec.Name;
    }
    // A stand-in says which puzzle and severity it stands for.
    app::TPackage beach((dir / "Beach").string());
    const std::string said = RunAndRead(beach.PuzzleExecutablePath(4, 3));
    EXPECT_NE(said.find("Puzzle 5"), std::string::npos) << said;
    EXPECT_NE(said.find("beach Holidays"), std::string::npos) << said;
    EXPECT_NE(said.find("Expert"), std::string::npos) << said;
}

TEST(SamplePackages, PreviewsDifferFromPuzzleToPuzzle) {
    const platform::gfx::TBitmap a = packagegen::PaintPuzzlePreview(packagegen::TSceneTheme::Shapes, 1);
    const platform::gfx::TBitmap b = packagegen::PaintPuzzlePreview(packagegen::TSceneTheme::Shapes, 2);
    const platform::gfx::TBitmap again = packagegen::PaintPuzzlePreview(packagegen::TSceneTheme::Shapes, 1);
    int differing = 0;
    for (int y = 0; y < 150; ++y)
        for (int x = 0; x < 150; ++x) {
            if (a.Pixel(x, y) != b.Pixel(x, y)) ++differing;
            ASSERT_EQ(a.Pixel(x, y), again.Pixel(x, y));
        }
    EXPECT_GT(differing, 150 * 150 / 2);
}

TEST(SamplePackages, RegeneratingReplacesTheSetButNeverForeignFiles) {
    TTempDir dir;
    std::string error;
    ASSERT_TRUE(packagegen::WriteSamplePackages(dir.Path().string(), &error)) << error;
    // A second build writes over its own earlier output, including a package it no longer makes.
    fs::create_directories(dir / "Retired");
    WriteText(dir / "Retired" / "PuzzlePackage.ini", "[Package]\r\nname=Retired\r\n");
    ASSERT_TRUE(packagegen::WriteSamplePackages(dir.Path().string(), &error)) << error;
    EXPECT_FALSE(fs::exists(dir / "Retired"));
    EXPECT_TRUE(fs::exists(dir / "City" / "city-3-Maniac.exe"));

    WriteText(dir / "readme.txt", "keep me");
    EXPECT_FALSE(packagegen::WriteSamplePackages(dir.Path().string(), &error));
    EXPECT_NE(error.find("readme.txt"), std::string::npos) << error;
    EXPECT_TRUE(fs::exists(dir / "readme.txt"));
    EXPECT_TRUE(fs::exists(dir / "Shapes" / "PuzzlePackage.ini"));
}

}  // namespace
