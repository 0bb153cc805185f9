#include <gtest/gtest.h>

#include <stdexcept>

#include "BrowserDoubles.h"
#include "platform/core/IniFile.h"

using app_test::BrowserHarness;
using app_test::MakePackage;
using app_test::PackageIni;
using app_test::ReadFile;
using app_test::StampOf;
using app_test::WriteFile;

namespace {

const std::string kHelp =
    "Short introduction:\r"
    "For starting a puzzle, first, select the puzzle package.\r"
    "Next, click on a puzzle preview and select the severity.\r"
    "In the end click on the start button to play the puzzle.\r"
    "Alternatively, you can double click on a preview.\r"
    "Hint: Your selection is saved for the next session.\r"
    "\r"
    "Kurzanleitung:\r"
    "Um ein Puzzle zu starten, mu\u00dft Du zuerst das Puzzle-Paket ausw\u00e4hlen.\r"
    "Danach klickst Du auf eine Puzzle-Vorschau und w\u00e4hlst den Schwierigkeitsgrad.\r"
    "Zum Schlu\u00df klickst Du auf den Start-Knopf, um das Puzzle zu spielen.\r"
    "Alternativ kannst Du auch einen Doppelklick auf eine Vorschau ausf\u00fchren.\r"
    "Hinweis: Deine Auswahl wird f\u00fcr die n\u00e4chste Sitzung gespeichert.";

std::string WithLastPuzzle(const std::string& name, int lastPuzzle) {
    return PackageIni(name, "[User]\r\nlast_puzzle=" + std::to_string(lastPuzzle) + "\r\n");
}

}  // namespace

TEST(BrowserStartUp, FirstRunSelectsFirstPackageShowsHelpOnceAndWritesSettings) {
    BrowserHarness h;
    MakePackage(h.Base(), "z", WithLastPuzzle("Zeta", 2), 3);
    const std::string untouched = MakePackage(h.Base(), "y", WithLastPuzzle("yellow", 1), 2);
    MakePackage(h.Base(), "a", WithLastPuzzle("alpha", 3), 4);
    const auto stamp = StampOf(untouched + "/PuzzlePackage.ini");

    // Closing the modal box activates the window again.
    h.Messages.OnShow = [&h] { h.Browser->FormActivate(); };
    app::TBrowser& b = h.Open();
    b.FormActivate();
    EXPECT_EQ(h.Window.Caption, h.Window.Title);
    EXPECT_EQ(h.Window.Title.rfind("Vondrakel(tm) - Puzzle Browser ", 0), 0u);
    EXPECT_EQ(b.CurrentPackage, 0);
    EXPECT_EQ(b.CurrentPuzzle, 2);
    EXPECT_EQ(h.cbxPackage.Items.CommaText(), "alpha,yellow,Zeta");
    EXPECT_EQ(h.cbxPackage.ItemIndex(), 0);
    EXPECT_EQ(h.Messages.Texts, std::vector<std::string>{kHelp});
    EXPECT_EQ(h.lblStatus.Caption, "3 Packages / Pakete, 9 Puzzles");
    EXPECT_EQ(h.lblPuzzles.Caption, "4 Puzzles:");
    EXPECT_EQ(h.btnStart.Caption, "&Start: Puzzle 3");
    h.Image(1).OnClick();
    EXPECT_EQ(h.btnStart.Caption, "&Start: Puzzle 2");

    h.Window.Close();
    platform::core::TIniFile settings(h.SettingsFile());
    EXPECT_EQ(settings.ReadString("Browser", "Package", ""), "0");
    EXPECT_EQ(settings.ReadString("Browser", "FirstTime", ""), "0");
    EXPECT_EQ(StampOf(untouched + "/PuzzlePackage.ini"), stamp);
    EXPECT_NE(ReadFile(h.Base() + "/a/PuzzlePackage.ini").find("last_puzzle=2"), std::string::npos);

    BrowserHarness again;
    WriteFile(again.SettingsFile(), ReadFile(h.SettingsFile()));
    MakePackage(again.Base(), "a", PackageIni("alpha"), 1);
    again.Open();
    EXPECT_TRUE(again.Messages.Texts.empty());
}

TEST(BrowserStartUp, StoredPackageIndexOutsideTheListFallsBackToTheFirst) {
    for (const char* stored : {"5", "-1", "1"}) {
        BrowserHarness h;
        WriteFile(h.SettingsFile(), std::string("[Browser]\nPackage=") + stored + "\nFirstTime=0\n");
        MakePackage(h.Base(), "a", PackageIni("A"), 1);
        MakePackage(h.Base(), "b", WithLastPuzzle("B", 2), 2);
        MakePackage(h.Base(), "c", PackageIni("C"), 1);
        app::TBrowser& b = h.Open();
        const int expected = std::string(stored) == "1" ? 1 : 0;
        EXPECT_EQ(b.CurrentPackage, expected) << stored;
        EXPECT_EQ(b.CurrentPuzzle, expected == 1 ? 1 : 0) << stored;
        EXPECT_EQ(h.cbxPackage.ItemIndex(), expected) << stored;
    }
}

TEST(BrowserStartUp, NoPackagesShowsTheMessageAndCloses) {
    BrowserHarness h;
    std::filesystem::create_directories(h.Base() + "/.git");
    app::TBrowser& b = h.Open();
    EXPECT_EQ(h.Messages.Texts,
              std::vector<std::string>{
                  "No puzzle packages found. Please, check your installation.\r\r"
                  "Keine Puzzle-Pakete gefunden. Bitte \u00fcberpr\u00fcfe Deine Installation."});
    EXPECT_EQ(h.Window.Closes, 1);
    EXPECT_EQ(h.lblStatus.Caption, "<unset>");
    EXPECT_EQ(b.Packages, nullptr);
    b.btnStartClick();
    b.Image1Click();
    EXPECT_EQ(h.Messages.Texts.size(), 1u);
    EXPECT_TRUE(h.Starter.Started.empty());
    platform::core::TIniFile settings(h.SettingsFile());
    EXPECT_EQ(settings.ReadString("Browser", "FirstTime", ""), "0");
}

TEST(BrowserView, PagingFollowsThePageRules) {
    BrowserHarness h;
    WriteFile(h.SettingsFile(), "[Browser]\nFirstTime=0\n");
    MakePackage(h.Base(), "a6", PackageIni("a6"), 6);
    MakePackage(h.Base(), "b7", PackageIni("b7"), 7);
    MakePackage(h.Base(), "c13", WithLastPuzzle("c13", 3), 13);
    app::TBrowser& b = h.Open();
    EXPECT_FALSE(h.udPageNext.Visible);
    EXPECT_FALSE(h.lblPuzzlePage.Visible);

    h.cbxPackage.Choose(1);
    EXPECT_TRUE(h.udPageNext.Visible);
    EXPECT_TRUE(h.lblPuzzlePage.Visible);
    EXPECT_EQ(h.lblPuzzlePage.Caption, "1 / 2");

    h.cbxPackage.Choose(2);
    EXPECT_EQ(b.CurrentPuzzle, 2);
    EXPECT_EQ(h.udPageNext.Max, 12);
    EXPECT_EQ(h.udPageNext.Increment, 6);
    h.udPageNext.OnDownButtonClick();
    EXPECT_EQ(b.CurrentPuzzle, 8);
    EXPECT_EQ(h.udPageNext.Position, 8);
    EXPECT_EQ(h.VisibleFrames(), (std::vector<bool>{false, false, true, false, false, false}));
    h.udPageNext.OnDownButtonClick();
    EXPECT_EQ(b.CurrentPuzzle, 12);
    EXPECT_EQ(h.lblPuzzlePage.Caption, "3 / 3");
    EXPECT_EQ(h.VisibleImages(), (std::vector<bool>{true, false, false, false, false, false}));
    EXPECT_EQ(h.VisibleFrames(), (std::vector<bool>{true, false, false, false, false, false}));
    EXPECT_EQ(h.Image(0).Loaded, h.Base() + "/c13/p-13.jpg");
    ASSERT_TRUE(h.Messages.Texts.empty());
    h.udPageNext.OnDownButtonClick();
    EXPECT_EQ(b.CurrentPuzzle, 12);
    EXPECT_EQ(h.Messages.Texts, std::vector<std::string>{
                                    "You already see the last page.\r\rDu siehst bereits die letzte Seite."});

    h.udPageNext.OnUpButtonClick();
    EXPECT_EQ(b.CurrentPuzzle, 6);
    EXPECT_EQ(h.lblPuzzlePage.Caption, "2 / 3");
    h.Image(4).OnClick();  // puzzle index 10
    EXPECT_EQ(b.CurrentPuzzle, 10);
    h.udPageNext.OnUpButtonClick();
    EXPECT_EQ(b.CurrentPuzzle, 4);
    h.udPageNext.OnUpButtonClick();
    EXPECT_EQ(b.CurrentPuzzle, 4);
    EXPECT_EQ(h.Messages.Texts.back(),
              "You already see the first page.\r\rDu siehst bereits die erste Seite.");
}

TEST(BrowserView, SlotClicksSelectOnlyShownPuzzles) {
    BrowserHarness h;
    WriteFile(h.SettingsFile(), "[Browser]\nFirstTime=0\n");
    MakePackage(h.Base(), "p", WithLastPuzzle("P", 8), 8);
    app::TBrowser& b = h.Open();
    EXPECT_EQ(b.PageFirst, 6);
    EXPECT_EQ(b.PageLast, 7);
    EXPECT_EQ(h.VisibleImages(), (std::vector<bool>{true, true, false, false, false, false}));
    h.Image(0).OnClick();
    EXPECT_EQ(b.CurrentPuzzle, 6);
    EXPECT_EQ(b.Packages->Items(0)->LastPuzzle, 6);
    EXPECT_EQ(h.btnStart.Caption, "&Start: Puzzle 7");
    h.Image(4).OnClick();  // hidden slot: no puzzle 11
    h.Image(4).OnDblClick();
    EXPECT_EQ(b.CurrentPuzzle, 6);
    EXPECT_TRUE(h.Starter.Started.empty());
}

TEST(BrowserView, StatusAndPuzzleTextsUseSingularForOne) {
    BrowserHarness h;
    WriteFile(h.SettingsFile(), "[Browser]\nFirstTime=0\n");
    MakePackage(h.Base(), "one", PackageIni("One"), 1);
    h.Open();
    EXPECT_EQ(h.lblStatus.Caption, "1 Package / Paket, 1 Puzzle");
    EXPECT_EQ(h.lblPuzzles.Caption, "1 Puzzle:");
    EXPECT_EQ(h.btnStart.Caption, "&Start: Puzzle 1");
    EXPECT_EQ(h.lblPuzzlePage.Caption, "1 / 1");
    EXPECT_EQ(h.VisibleFrames(), (std::vector<bool>{true, false, false, false, false, false}));
}

TEST(BrowserView, OutOfRangeChoicesAreClamped) {
    BrowserHarness h;
    WriteFile(h.SettingsFile(), "[Browser]\nFirstTime=0\n");
    MakePackage(h.Base(), "a", WithLastPuzzle("A", 7), 3);
    MakePackage(h.Base(), "b", WithLastPuzzle("B", 0), 2);
    app::TBrowser& b = h.Open();
    EXPECT_EQ(b.CurrentPuzzle, 0);  // last_puzzle 7 of 3
    EXPECT_EQ(h.VisibleFrames(), (std::vector<bool>{true, false, false, false, false, false}));
    EXPECT_TRUE(h.Messages.Texts.empty());

    h.cbxPackage.Choose(-1);  // no choice keeps the package and shows it again
    EXPECT_EQ(b.CurrentPackage, 0);
    EXPECT_EQ(h.cbxPackage.ItemIndex(), 0);

    h.cbxPackage.Choose(1);  // last_puzzle 0
    EXPECT_EQ(b.CurrentPuzzle, 0);

    h.cbxSeverity.Choose(-1);
    EXPECT_FALSE(b.Packages->Items(1)->SeverityDirty);
    EXPECT_EQ(b.Packages->Items(1)->Puzzles[0].Severity, 1);

    h.Window.Close();
    EXPECT_NE(ReadFile(h.Base() + "/a/PuzzlePackage.ini").find("last_puzzle=1"), std::string::npos);
    EXPECT_NE(ReadFile(h.Base() + "/b/PuzzlePackage.ini").find("last_puzzle=1"), std::string::npos);
    platform::core::TIniFile settings(h.SettingsFile());
    EXPECT_EQ(settings.ReadInteger("Browser", "Package", -1), 1);
}

TEST(BrowserView, EventsFiredWhileRefreshingDoNotUndoTheSelection) {
    BrowserHarness h;
    h.cbxPackage.FireOnProgramChange = true;
    WriteFile(h.SettingsFile(), "[Browser]\nFirstTime=0\n");
    MakePackage(h.Base(), "a", WithLastPuzzle("A", 2), 13);
    app::TBrowser& b = h.Open();
    h.udPageNext.OnDownButtonClick();
    EXPECT_EQ(b.CurrentPuzzle, 7);
    EXPECT_EQ(h.udPageNext.Position, 7);
}

TEST(BrowserView, MissingPreviewShowsItsMessageAndClosesTheWindow) {
    BrowserHarness h;
    WriteFile(h.SettingsFile(), "[Browser]\nFirstTime=0\nPackage=0\n");
    MakePackage(h.Base(), "a", PackageIni("A"), 2);
    MakePackage(h.Base(), "b", WithLastPuzzle("B", 2), 3);
    app::TBrowser& b = h.Create();
    std::filesystem::remove(h.Base() + "/b/p-2.jpg");
    b.FormShow();
    ASSERT_EQ(h.Window.Closes, 0);
    h.cbxPackage.Choose(1);
    EXPECT_EQ(h.Window.Closes, 1);
    EXPECT_EQ(h.Messages.Texts,
              std::vector<std::string>{"Preview image not found:\r\rVorschaubild nicht gefunden:\r\r" +
                                       h.Base() + "/b/p-2.jpg"});
    EXPECT_EQ(b.Packages, nullptr);
    platform::core::TIniFile settings(h.SettingsFile());
    EXPECT_EQ(settings.ReadInteger("Browser", "Package", -1), 1);
    b.FormActivate();
    h.udPageNext.OnDownButtonClick();
    EXPECT_EQ(h.Messages.Texts.size(), 1u);
}

TEST(BrowserView, LinkButtonsClickTheirLinksAndEventsAreUnboundWithTheBrowser) {
    BrowserHarness h;
    MakePackage(h.Base(), "a", PackageIni("A"), 1);
    h.Open();
    h.btnHomepage.OnClick();
    h.bsSkinButton1.OnClick();
    h.bsSkinButton1.OnClick();
    EXPECT_EQ(h.lblMore.Clicks, 1);
    EXPECT_EQ(h.lblNewsletter.Clicks, 2);
    h.btnHelp.OnClick();
    EXPECT_EQ(h.Messages.Texts, (std::vector<std::string>{kHelp, kHelp}));
    h.Browser.reset();
    EXPECT_FALSE(h.btnStart.OnClick);
    EXPECT_FALSE(h.Image(5).OnDblClick);
    EXPECT_FALSE(h.cbxSeverity.OnExit);
}

TEST(BrowserStartUp, EveryControlIsRequiredAndTheMissingOneIsNamed) {
    BrowserHarness h;
    int controls = 0;
    app::ForEachBrowserControl(
        [&](const char* name, auto*& control) {
            ++controls;
            auto* kept = control;
            control = nullptr;
            try {
                app::TBrowser browser(h.Controls, h.Services, {h.SettingsFile(), h.Base()});
                ADD_FAILURE() << "a browser without " << name << " was made";
            } catch (const std::invalid_argument& e) {
                EXPECT_EQ(std::string(e.what()), std::string("TBrowser: missing ") + name);
            }
            control = kept;
        },
        h.Controls);
    EXPECT_EQ(controls, 24);
    // With every control back, the browser is made and binds the events of the slots in order.
    app::TBrowser& b = h.Create();
    EXPECT_EQ(b.Controls().Image6, &h.Image(5));
    EXPECT_EQ(b.Controls().Bevel1, &h.Frame(0));
    EXPECT_TRUE(h.Image(5).OnDblClick);
}
