// Installed read-only: the program and its packages lie in folders the user cannot write. What
// the user chooses (package, current puzzle, severity) must still be there at the next start, read
// back from the configuration folder, and no file of the read-only folders may change.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <map>

#include "BrowserDoubles.h"
#include "app/DataDirs.h"

namespace fs = std::filesystem;
using app_test::MakePackage;
using app_test::PackageIni;
using app_test::ReadFile;
using app_test::WriteFile;

namespace {

// Every file under a folder with its bytes and stamp, to prove nothing was rewritten.
struct TSnapshot {
    std::map<std::string, std::pair<std::string, app_test::FileStamp>> Files;
    bool operator==(const TSnapshot&) const = default;
};

TSnapshot Snapshot(const std::string& folder) {
    TSnapshot s;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        if (entry.is_regular_file())
            s.Files[entry.path().string()] = {ReadFile(entry.path().string()), app_test::StampOf(entry.path().string())};
    return s;
}

std::vector<std::string> Names(const platform::core::TStringList& items) {
    std::vector<std::string> names;
    for (int i = 0; i < items.Count(); ++i) names.push_back(items[i]);
    return names;
}

void SetReadOnly(const std::string& folder, bool readOnly) {
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        fs::permissions(entry.path(), fs::perms::owner_write,
                        readOnly ? fs::perm_options::remove : fs::perm_options::add);
    fs::permissions(folder, fs::perms::owner_write, readOnly ? fs::perm_options::remove : fs::perm_options::add);
}

class ReadOnlyFolders : public ::testing::Test {
protected:
    void SetUp() override {
        if (geteuid() == 0) GTEST_SKIP() << "root may write anywhere; run as another user (run_as_user.sh)";
        m_program = m_root.Path() + "/lib/vk";
        m_share = m_root.Path() + "/share";
        const std::string packages = m_share + "/" + app::kDataFolderName + "/packages";
        WriteFile(m_program + "/PuzzleBrowser.ini", "[Browser]\r\nFirstTime=0\r\n");
        MakePackage(m_program, "Beside", PackageIni("Beside"), 6);
        MakePackage(packages, "Alpha", PackageIni("Alpha"), 8);
        MakePackage(packages, "Zeta", PackageIni("Zeta", "[Severity]\r\npuzzle_2=4\r\n"), 9);
        setenv("XDG_CONFIG_HOME", (m_root.Path() + "/config").c_str(), 1);
        setenv("XDG_DATA_HOME", (m_root.Path() + "/home-data").c_str(), 1);
        // The data folder named twice: its packages are still listed once.
        setenv("XDG_DATA_DIRS", (m_share + ":" + m_share + "/").c_str(), 1);
    }
    void TearDown() override {
        if (fs::exists(m_program)) SetReadOnly(m_root.Path(), false);
    }

    // One run of the browser as the program at <lib/vk>/PuzzleBrowser sees its paths.
    struct TRun {
        explicit TRun(const std::string& program)
            : Paths(app::ResolveBrowserPaths(program + "/PuzzleBrowser", app::TDataDirs::FromEnvironment())) {
            H.Browser = std::make_unique<app::TBrowser>(H.Controls, H.Services, Paths);
            H.Window.Browser = H.Browser.get();
            H.Browser->FormCreate();
            H.Browser->FormShow();
            H.Browser->FormActivate();
        }
        app::TBrowserPaths Paths;
        app_test::BrowserHarness H;
    };

    app_test::TempDir m_root;
    std::string m_program, m_share;
};

}  // namespace

TEST_F(ReadOnlyFolders, ChoicesSurviveARestartAndNothingReadOnlyChanges) {
    SetReadOnly(m_program, true);
    SetReadOnly(m_share, true);
    const TSnapshot program = Snapshot(m_program), share = Snapshot(m_share);
    {
        TRun run(m_program);
        // Packages beside the program and from the data folder, sorted by name, each once.
        EXPECT_EQ(Names(run.H.cbxPackage.Items), (std::vector<std::string>{"Alpha", "Beside", "Zeta"}));
        EXPECT_TRUE(run.H.Messages.Texts.empty());
        run.H.cbxPackage.Choose(2);           // Zeta
        EXPECT_EQ(run.H.cbxSeverity.ItemIndex(), 0);
        run.H.Image(1).OnClick();             // its puzzle 2, stored severity 4 (index 3)
        EXPECT_EQ(run.H.cbxSeverity.ItemIndex(), 3);
        run.H.udPageNext.OnDownButtonClick();  // next page
        run.H.Image(2).OnClick();             // puzzle 9
        run.H.cbxSeverity.Choose(4);          // Maniac
        run.H.Window.Close();
    }
    EXPECT_EQ(Snapshot(m_program), program);
    EXPECT_EQ(Snapshot(m_share), share);
    {
        TRun again(m_program);
        EXPECT_EQ(again.H.cbxPackage.ItemIndex(), 2);
        EXPECT_EQ(again.H.Browser->CurrentPuzzle, 8);
        EXPECT_EQ(again.H.cbxSeverity.ItemIndex(), 4);
        // Puzzle 2 keeps the severity its package file gives it.
        again.H.udPageNext.OnUpButtonClick();
        again.H.Image(1).OnClick();
        EXPECT_EQ(again.H.cbxSeverity.ItemIndex(), 3);
        again.H.Window.Close();
    }
    EXPECT_EQ(Snapshot(m_program), program);
    EXPECT_EQ(Snapshot(m_share), share);
    // What was written went to the configuration folder.
    const std::string config = m_root.Path() + "/config/" + app::kDataFolderName;
    EXPECT_NE(ReadFile(config + "/PuzzleBrowser.ini").find("Package=2"), std::string::npos);
    EXPECT_FALSE(fs::is_empty(config + "/packages"));
}

TEST_F(ReadOnlyFolders, WritableProgramFolderKeepsItsSettingsBesideItAsBefore) {
    {
        TRun run(m_program);
        EXPECT_EQ(run.Paths.SettingsFileName, m_program + "/PuzzleBrowser.ini");
        run.H.cbxPackage.Choose(1);  // Beside
        run.H.Image(3).OnClick();
        run.H.cbxSeverity.Choose(2);
        run.H.Window.Close();
    }
    // The portable way: the browser's and the package's own files, nothing in the configuration.
    EXPECT_NE(ReadFile(m_program + "/PuzzleBrowser.ini").find("Package=1"), std::string::npos);
    const std::string ini = ReadFile(m_program + "/Beside/PuzzlePackage.ini");
    EXPECT_NE(ini.find("last_puzzle=4"), std::string::npos) << ini;
    EXPECT_NE(ini.find("puzzle_4=3"), std::string::npos) << ini;
    EXPECT_FALSE(fs::exists(m_root.Path() + "/config"));
}

TEST_F(ReadOnlyFolders, ReadOnlyProgramFolderStartsFromItsOwnSettings) {
    // The settings beside the program say which package was chosen before it became read-only.
    WriteFile(m_program + "/PuzzleBrowser.ini", "[Browser]\r\nFirstTime=0\r\nPackage=1\r\n");
    SetReadOnly(m_program, true);
    TRun run(m_program);
    EXPECT_EQ(run.Paths.SettingsFileName,
              m_root.Path() + "/config/" + app::kDataFolderName + "/PuzzleBrowser.ini");
    EXPECT_EQ(run.H.cbxPackage.ItemIndex(), 1);
    EXPECT_TRUE(run.H.Messages.Texts.empty());  // FirstTime=0 came along: no help text
}
