#include <gtest/gtest.h>

#include "BrowserDoubles.h"
#include "app/Global.h"
#include "app/Program.h"
#include "platform/core/IniFile.h"
#include "platform/core/VersionInfo.h"

using app_test::BrowserHarness;
using app_test::MakePackage;
using app_test::PackageIni;

namespace {

// The application of a one-shot run: the loop shows the window, activates it and closes it.
class FakeApplication : public app::IBrowserApplication {
public:
    explicit FakeApplication(BrowserHarness& h) : m_h(h) {}
    void Initialize() override { Calls += "init;"; }
    void SetTitle(const std::string& title) override {
        Calls += "title;";
        m_h.Window.Title = title;
    }
    void CreateMainWindow(const app::TBrowserPaths& paths) override {
        Calls += "create;";
        m_h.Browser = std::make_unique<app::TBrowser>(m_h.Controls, m_h.Services, paths);
        m_h.Window.Browser = m_h.Browser.get();
        m_h.Browser->FormCreate();
    }
    int Run() override {
        Calls += "run;";
        m_h.Browser->FormShow();
        m_h.Browser->FormActivate();
        m_h.Window.Close();
        return 0;
    }
    std::string Calls;

private:
    BrowserHarness& m_h;
};

}  // namespace

TEST(Program, EntrySequenceTitlesTheWindowWithTheVersion) {
    const std::string version = std::to_string(VK_VERSION_MAJOR) + "." + std::to_string(VK_VERSION_MINOR) +
                                "." + std::to_string(VK_VERSION_RELEASE) + "." +
                                std::to_string(VK_VERSION_BUILD);
    EXPECT_EQ(app::ProgramVersionText(), version);

    BrowserHarness h;
    h.Window.Title = "stale";
    MakePackage(h.Base(), "a", PackageIni("A"), 1);
    FakeApplication application(h);
    EXPECT_EQ(app::RunPuzzleBrowser(application, {h.SettingsFile(), h.Base()}), 0);
    EXPECT_EQ(application.Calls, "init;title;create;run;");
    EXPECT_EQ(h.Window.Title, "Vondrakel(tm) - Puzzle Browser " + version);
    EXPECT_EQ(h.Window.Caption, h.Window.Title);
    EXPECT_EQ(h.Messages.Texts.size(), 1u);  // the help, on a first run
    platform::core::TIniFile settings(h.SettingsFile());
    EXPECT_EQ(settings.ReadString("Browser", "FirstTime", ""), "0");
}
