// Where skins to choose are found: the folders an installed or portable browser looks in, the
// catalogue of one folder set, and the `skins` folder beside the program, which is no package.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "AppTestSupport.h"
#include "app/BrowserControls.h"
#include "app/DataDirs.h"
#include "app/PackageList.h"
#include "app/SkinCatalog.h"

using app_test::MakePackage;
using app_test::PackageIni;
using app_test::TempDir;
using app_test::WriteFile;

TEST(SkinFolders, BesideTheProgramFirstThenTheDataHomeThenEachDataFolder) {
    app::TDataDirs dirs;
    dirs.DataHome = "/home/p/.local/share";
    dirs.DataDirs = {"/usr/local/share", "/usr/share"};
    const app::TBrowserPaths paths = app::ResolveBrowserPaths("/opt/vk/PuzzleBrowser", dirs);
    EXPECT_EQ(paths.SkinFolders, (std::vector<std::string>{
                                     "/opt/vk/skins", "/home/p/.local/share/vondrakel-puzzle-browser/skins",
                                     "/usr/local/share/vondrakel-puzzle-browser/skins",
                                     "/usr/share/vondrakel-puzzle-browser/skins"}));
    dirs.DataHome.clear();
    EXPECT_EQ(dirs.SkinFolders(), (std::vector<std::string>{"/usr/local/share/vondrakel-puzzle-browser/skins",
                                                            "/usr/share/vondrakel-puzzle-browser/skins"}));
}

TEST(SkinCatalog, FoldersWithADescriptionAndSknFilesByNameFirstFolderWins) {
    TempDir dir;
    const std::string a = dir.Path() + "/a";
    const std::string b = dir.Path() + "/b";
    WriteFile(a + "/night/skin.ini", "[VERSION]\r\n");
    WriteFile(a + "/day.skn", "x");
    WriteFile(a + "/.hidden/skin.ini", "");
    WriteFile(a + "/readme.txt", "");
    WriteFile(a + "/.skn", "");
    WriteFile(a + "/no-skin/other.ini", "");
    WriteFile(b + "/day/skin.ini", "");  // the same name as a's compressed day
    WriteFile(b + "/apple.skn", "");
    const std::vector<app::TSkinChoice> skins = app::FindSkins({a, dir.Path() + "/missing", b});
    ASSERT_EQ(skins.size(), 3u);
    EXPECT_EQ(skins[0].Name, "day");
    EXPECT_EQ(skins[0].Path, a + "/day.skn");
    EXPECT_TRUE(skins[0].Compressed);
    EXPECT_EQ(skins[1].Name, "night");
    EXPECT_EQ(skins[1].Path, a + "/night/skin.ini");
    EXPECT_FALSE(skins[1].Compressed);
    EXPECT_EQ(skins[2].Name, "apple");
    EXPECT_EQ(skins[2].Path, b + "/apple.skn");
    EXPECT_TRUE(app::FindSkins({}).empty());
}

TEST(SkinCatalog, TheSkinsFolderBesideTheProgramIsNoPackageUnlessItIsOne) {
    TempDir dir;
    MakePackage(dir.Path(), "a", PackageIni("A"), 1);
    WriteFile(dir.Path() + "/skins/light/skin.ini", "");
    std::vector<std::string> messages;
    {
        app::TPackageList list(dir.Path() + "/", [&](const std::string& t) { messages.push_back(t); });
        EXPECT_EQ(list.Count(), 1);
        EXPECT_TRUE(messages.empty());
    }
    // In a data folder "skins" is an ordinary folder name: no package there, so the message.
    TempDir data;
    WriteFile(data.Path() + "/skins/x.txt", "");
    {
        app::TPackageList list(dir.Path() + "/", [&](const std::string& t) { messages.push_back(t); },
                               {data.Path()});
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_NE(messages[0].find(data.Path() + "/skins/PuzzlePackage.ini"), std::string::npos);
    }
    // A package that happens to be called skins stays a package.
    messages.clear();
    MakePackage(dir.Path(), "skins", PackageIni("Skins"), 1);
    app::TPackageList list(dir.Path() + "/", [&](const std::string& t) { messages.push_back(t); });
    EXPECT_EQ(list.Count(), 2);
    EXPECT_TRUE(messages.empty());
}
