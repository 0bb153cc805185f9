// One browser per program folder: the entry sequence claims the folder's name and ends at once
// when another browser holds it; the name is the same for every spelling of one folder.

#include <gtest/gtest.h>

#include <filesystem>

#include "BrowserDoubles.h"
#include "app/Program.h"

using app_test::BrowserHarness;
using app_test::MakePackage;
using app_test::PackageIni;

namespace {

class ClaimingApplication : public app::IBrowserApplication {
public:
    explicit ClaimingApplication(bool granted) : m_granted(granted) {}
    void Initialize() override { Calls += "init;"; }
    bool ClaimInstance(const std::string& name) override {
        Calls += "claim;";
        Name = name;
        return m_granted;
    }
    void SetTitle(const std::string&) override { Calls += "title;"; }
    void CreateMainWindow(const app::TBrowserPaths&) override { Calls += "create;"; }
    int Run() override {
        Calls += "run;";
        return 3;
    }
    std::string Calls;
    std::string Name;

private:
    bool m_granted;
};

}  // namespace

TEST(SingleInstance, ASecondBrowserForTheFolderEndsBeforeItMakesAWindowOrReadsAFile) {
    BrowserHarness h;
    MakePackage(h.Base(), "a", PackageIni("A"), 1);
    ClaimingApplication second(false);
    EXPECT_EQ(app::RunPuzzleBrowser(second, {h.SettingsFile(), h.Base() + "/"}), 0);
    EXPECT_EQ(second.Calls, "init;claim;");
    EXPECT_FALSE(std::filesystem::exists(h.SettingsFile()));

    ClaimingApplication first(true);
    EXPECT_EQ(app::RunPuzzleBrowser(first, {h.SettingsFile(), h.Base() + "/"}), 3);
    EXPECT_EQ(first.Calls, "init;claim;title;create;run;");
    EXPECT_EQ(first.Name, second.Name);
}

TEST(SingleInstance, TheNameIsTheCanonicalProgramFolder) {
    BrowserHarness h;
    std::filesystem::create_directories(h.Base() + "/one/two");
    std::filesystem::create_directory_symlink(h.Base() + "/one", h.Base() + "/link");
    const std::string canonical = std::filesystem::canonical(h.Base() + "/one").string();
    const auto name = [](const std::string& folder) { return app::InstanceName({"x.ini", folder}); };
    EXPECT_EQ(name(h.Base() + "/one/"), name(h.Base() + "/one"));
    EXPECT_EQ(name(h.Base() + "/one/two/.."), name(h.Base() + "/one"));
    EXPECT_EQ(name(h.Base() + "/link/"), name(h.Base() + "/one"));
    EXPECT_NE(name(h.Base() + "/one/two"), name(h.Base() + "/one"));
    EXPECT_EQ(name(h.Base() + "/one"), std::string(app::kDataFolderName) + " " + canonical);
}
