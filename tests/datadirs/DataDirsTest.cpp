// The XDG folders as the environment gives them, and where a package's values go.

#include <gtest/gtest.h>

#include <cstdlib>

#include "app/DataDirs.h"

namespace {

class Environment : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"XDG_DATA_HOME", "XDG_DATA_DIRS", "XDG_CONFIG_HOME", "HOME"}) {
            const char* v = std::getenv(name);
            m_saved.emplace_back(name, v ? std::optional<std::string>(v) : std::nullopt);
        }
    }
    void TearDown() override {
        for (const auto& [name, value] : m_saved) {
            if (value)
                setenv(name.c_str(), value->c_str(), 1);
            else
                unsetenv(name.c_str());
        }
    }

private:
    std::vector<std::pair<std::string, std::optional<std::string>>> m_saved;
};

}  // namespace

TEST_F(Environment, DefaultsFollowHomeAndTheStandardDataFolders) {
    setenv("HOME", "/home/ann", 1);
    unsetenv("XDG_DATA_HOME");
    unsetenv("XDG_DATA_DIRS");
    unsetenv("XDG_CONFIG_HOME");
    const app::TDataDirs dirs = app::TDataDirs::FromEnvironment();
    EXPECT_EQ(dirs.PackageFolders(),
              (std::vector<std::string>{"/home/ann/.local/share/vondrakel-puzzle-browser/packages",
                                        "/usr/local/share/vondrakel-puzzle-browser/packages",
                                        "/usr/share/vondrakel-puzzle-browser/packages"}));
    EXPECT_EQ(dirs.ConfigFolder(), "/home/ann/.config/vondrakel-puzzle-browser");
}

TEST_F(Environment, RelativeAndEmptyEntriesAreIgnored) {
    setenv("HOME", "relative/home", 1);
    setenv("XDG_DATA_HOME", "not/absolute", 1);
    setenv("XDG_DATA_DIRS", "::/opt/vk/share:relative:/srv", 1);
    unsetenv("XDG_CONFIG_HOME");
    const app::TDataDirs dirs = app::TDataDirs::FromEnvironment();
    EXPECT_EQ(dirs.PackageFolders(), (std::vector<std::string>{"/opt/vk/share/vondrakel-puzzle-browser/packages",
                                                               "/srv/vondrakel-puzzle-browser/packages"}));
    // No configuration folder is known: nothing can be redirected.
    EXPECT_EQ(dirs.ConfigFolder(), "");
    EXPECT_EQ(app::PackageValuesPath("/usr/share/x/packages/A", dirs), "");
}

TEST_F(Environment, EveryPackageFolderGetsItsOwnValuesFile) {
    app::TDataDirs dirs;
    dirs.ConfigHome = "/cfg";
    const std::string a = app::PackageValuesPath("/data/a/b", dirs);
    const std::string b = app::PackageValuesPath("/data/a%2Fb", dirs);
    EXPECT_EQ(a.rfind("/cfg/vondrakel-puzzle-browser/packages/", 0), 0u) << a;
    EXPECT_NE(a, b);  // a "/" and a literal "%2F" in a folder name do not meet
    EXPECT_EQ(a.find('/', std::string("/cfg/vondrakel-puzzle-browser/packages/").size()), std::string::npos) << a;
}
