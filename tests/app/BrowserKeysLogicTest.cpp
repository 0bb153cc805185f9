// The browser's keyboard browsing over test doubles: the rules at page boundaries for every
// step size, the severity keys, and keys that arrive when the browser takes none.

#include <gtest/gtest.h>

#include "BrowserDoubles.h"

using app::TPreviewKey;
using app_test::BrowserHarness;
using app_test::MakePackage;
using app_test::PackageIni;
using app_test::ReadFile;

namespace {

const std::string kLastPage = "You already see the last page.\r\rDu siehst bereits die letzte Seite.";
const std::string kFirstPage = "You already see the first page.\r\rDu siehst bereits die erste Seite.";

app::TBrowser& OpenWith(BrowserHarness& h, int puzzles, int lastPuzzle = 1) {
    MakePackage(h.Base(), "a",
                PackageIni("Alpha", "[User]\r\nlast_puzzle=" + std::to_string(lastPuzzle) + "\r\n"), puzzles);
    app_test::WriteFile(h.SettingsFile(), "[Browser]\r\nFirstTime=0\r\n");
    return h.Open();
}

}  // namespace

TEST(BrowserKeys, AStepPastTheEndOfANotLastPageLandsOnTheLastPuzzle) {
    // 8 puzzles: page 1 holds 0..5, page 2 holds 6 and 7.
    BrowserHarness h;
    app::TBrowser& b = OpenWith(h, 8, 6);
    ASSERT_EQ(b.CurrentPuzzle, 5);
    b.PreviewKey(TPreviewKey::Down);  // 8 does not exist, page 2 is not shown yet
    EXPECT_EQ(b.CurrentPuzzle, 7);
    EXPECT_EQ(b.PageFirst, 6);
    EXPECT_EQ(h.lblPuzzlePage.Caption, "2 / 2");
    EXPECT_EQ(h.VisibleFrames(), (std::vector<bool>{false, true, false, false, false, false}));
    EXPECT_TRUE(h.Messages.Texts.empty());
    b.PreviewKey(TPreviewKey::Up);
    EXPECT_EQ(b.CurrentPuzzle, 4);
    b.PreviewKey(TPreviewKey::Down);
    b.PreviewKey(TPreviewKey::Left);  // 6, the first slot of page 2
    EXPECT_EQ(b.CurrentPuzzle, 6);
    b.PreviewKey(TPreviewKey::Down);  // on the last page, nothing below
    EXPECT_EQ(b.CurrentPuzzle, 6);
    EXPECT_EQ(h.Messages.Texts, std::vector<std::string>{kLastPage});
    // Up from the upper row of page 2 goes to the lower row of page 1.
    b.PreviewKey(TPreviewKey::Up);
    EXPECT_EQ(b.CurrentPuzzle, 3);
    EXPECT_EQ(b.PageFirst, 0);
    b.PreviewKey(TPreviewKey::Up);
    EXPECT_EQ(b.CurrentPuzzle, 0);
    b.PreviewKey(TPreviewKey::Up);
    EXPECT_EQ(b.CurrentPuzzle, 0);
    EXPECT_EQ(h.Messages.Texts.back(), kFirstPage);
    EXPECT_EQ(h.Messages.Texts.size(), 2u);
}

TEST(BrowserKeys, ASinglePuzzleAnswersEveryMoveWithAPageMessageAndHomeEndDoNothing) {
    BrowserHarness h;
    app::TBrowser& b = OpenWith(h, 1);
    b.PreviewKey(TPreviewKey::Home);
    b.PreviewKey(TPreviewKey::End);
    EXPECT_TRUE(h.Messages.Texts.empty());
    b.PreviewKey(TPreviewKey::Right);
    b.PreviewKey(TPreviewKey::Left);
    b.PreviewKey(TPreviewKey::PageDown);
    b.PreviewKey(TPreviewKey::PageUp);
    EXPECT_EQ(h.Messages.Texts, (std::vector<std::string>{kLastPage, kFirstPage, kLastPage, kFirstPage}));
    EXPECT_EQ(b.CurrentPuzzle, 0);
}

TEST(BrowserKeys, SeverityKeysChangeOnlyValidSeveritiesAndStartUsesThem) {
    BrowserHarness h;
    app::TBrowser& b = OpenWith(h, 3, 2);
    b.ChooseSeverity(0);
    b.ChooseSeverity(6);
    EXPECT_EQ(h.cbxSeverity.ItemIndex(), 0);
    EXPECT_FALSE(b.Packages->Items(0)->SeverityDirty);
    b.ChooseSeverity(4);
    EXPECT_EQ(h.cbxSeverity.ItemIndex(), 3);
    EXPECT_EQ(b.Packages->Items(0)->PuzzleAt(1)->Severity, 4);
    EXPECT_TRUE(b.Packages->Items(0)->SeverityDirty);
    b.PreviewKey(TPreviewKey::Start);
    ASSERT_EQ(h.Starter.Started.size(), 0u);  // the doubles' package has no executables
    ASSERT_EQ(h.Messages.Texts.size(), 1u);
    EXPECT_NE(h.Messages.Texts[0].find(h.Base() + "/a/x-2-Guru.exe"), std::string::npos)
        << h.Messages.Texts[0];
    b.FormClose();
    EXPECT_NE(ReadFile(h.Base() + "/a/PuzzlePackage.ini").find("puzzle_2=4"), std::string::npos);
}

TEST(BrowserKeys, KeysAfterTheCloseChangeNothing) {
    BrowserHarness h;
    app::TBrowser& b = OpenWith(h, 9);
    b.PreviewKey(TPreviewKey::Right);
    ASSERT_EQ(b.CurrentPuzzle, 1);
    b.FormClose();
    b.PreviewKey(TPreviewKey::End);
    b.PreviewKey(TPreviewKey::Left);
    b.ChooseSeverity(5);
    b.PreviewKey(TPreviewKey::Start);
    EXPECT_EQ(b.CurrentPuzzle, 1);
    EXPECT_TRUE(h.Starter.Started.empty());
    EXPECT_TRUE(h.Messages.Texts.empty());
    EXPECT_EQ(ReadFile(h.Base() + "/a/PuzzlePackage.ini").find("puzzle_"), std::string::npos);
}
