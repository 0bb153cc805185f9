// Browsing with the keyboard alone, on the real window made from its resource: the preview grid
// in the Tab order with its focus frame, the arrows across pages and at both ends, Page Up/Down,
// Home/End, Enter, the severity digits, and the mnemonics of every labelled control.

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "ProgramTestSupport.h"
#include "app/Browser.h"
#include "app/program/PreviewGrid.h"
#include "platform/forms/Screen.h"
#include "skin/boxes/bsSkinBoxCtrlsComboBox.h"
#include "skin/controls/bsSkinCtrlsBevel.h"
#include "skin/controls/bsSkinCtrlsButton.h"
#include "skin/controls/bsSkinCtrlsLabels.h"

namespace {

using namespace program_test;
namespace forms = platform::forms;
namespace ui = platform::ui;

const std::string kLastPage = "You already see the last page.\r\rDu siehst bereits die letzte Seite.";
const std::string kFirstPage = "You already see the first page.\r\rDu siehst bereits die erste Seite.";

class BrowserKeysTest : public BrowserFixture {
protected:
    app::program::TBrowserWindow& OpenWith(int puzzles) {
        MakePackage(Dir(), "a", "Alpha", puzzles);
        WriteFile(Dir() + "/PuzzleBrowser.ini", "[Browser]\r\nFirstTime=0\r\n");
        return Open();
    }
    void Alt(uint32_t letter) {
        Session().KeyDown(ui::VK_MENU);
        Session().KeyPress(letter);
        Session().KeyUp(ui::VK_MENU);
    }
    [[nodiscard]] forms::TControl* Focused() const { return forms::Screen->ActiveControl(); }
    [[nodiscard]] int32_t Current() { return Window().Browser()->CurrentPuzzle; }
    // The frames in slot order.
    std::vector<forms::TControl*> Frames() {
        std::vector<forms::TControl*> frames;
        app::ForEachBrowserControl(
            app::TOverloaded{[&](const char*, skin::TbsSkinBevel* f) { frames.push_back(f); },
                             [](const char*, auto*) {}},
            static_cast<app::program::TBrowserWindowControls&>(Window()));
        return frames;
    }
};

TEST_F(BrowserKeysTest, TheGridIsLastInTheTabOrderAndShowsItsFocusOnTheSelectedPreview) {
    auto& w = OpenWith(13);
    ASSERT_NE(w.grdPreviews, nullptr);
    ASSERT_EQ(Focused(), w.cbxPackage);
    // Shift+Tab from the package chooser goes round to the grid.
    Session().KeyDown(ui::VK_SHIFT);
    Session().KeyPress(ui::VK_TAB);
    Session().KeyUp(ui::VK_SHIFT);
    EXPECT_EQ(Focused(), w.grdPreviews);
    ASSERT_TRUE(w.shpPreviewFocus->Visible());
    EXPECT_EQ(w.shpPreviewFocus->BoundsRect(), w.Bevel1->BoundsRect());

    // On the screen: the ring two pixels inside the frame has the focus colour; the picture and
    // the bevel's own line keep theirs.
    const platform::gfx::TColor focus = platform::gfx::ColorToRGB(w.shpPreviewFocus->FrameColor());
    const auto pixelIn = [&](const forms::TControl& c, int x, int y) {
        const platform::core::TPoint p = c.ClientToScreen({x, y});
        return Session().ScreenPixel(p.X, p.Y);
    };
    Session().KeyPress(ui::VK_RIGHT);
    ASSERT_EQ(Current(), 1);
    EXPECT_EQ(w.shpPreviewFocus->BoundsRect(), w.bevel2->BoundsRect());
    EXPECT_EQ(pixelIn(*w.bevel2, 2, 80), focus);
    EXPECT_EQ(pixelIn(*w.bevel2, 80, 3), focus);
    EXPECT_NE(pixelIn(*w.Bevel1, 2, 80), focus);  // the old place is clear again
    EXPECT_TRUE(Near(pixelIn(*w.Image2, 75, 75), PreviewColor(2)));
    EXPECT_EQ(pixelIn(*w.bevel2, 0, 80), static_cast<platform::gfx::TColor>(12632256));

    // A click on a preview still reaches the picture under the frame's control.
    ClickControl(*w.Image2, 75, 75);
    EXPECT_EQ(Current(), 1);
    ClickControl(*w.Image3, 75, 75);
    EXPECT_EQ(Current(), 2);

    // Tab leaves the grid: the frame goes.
    Session().KeyPress(ui::VK_TAB);
    EXPECT_EQ(Focused(), w.cbxPackage);
    EXPECT_FALSE(w.shpPreviewFocus->Visible());
    EXPECT_NE(pixelIn(*w.bevel3, 2, 80), focus);
}

TEST_F(BrowserKeysTest, ArrowsPagesHomeAndEndMoveAcrossPagesWithTheMessagesAtBothEnds) {
    auto& w = OpenWith(13);
    Alt('Z');
    ASSERT_EQ(Focused(), w.grdPreviews);
    const auto key = [&](uint32_t vk) {
        Session().KeyPress(vk);
        return Current();
    };
    EXPECT_EQ(key(ui::VK_LEFT), 0);
    ASSERT_EQ(Messages, std::vector<std::string>{kFirstPage});
    EXPECT_EQ(key(ui::VK_UP), 0);
    EXPECT_EQ(Messages.size(), 2u);
    // Right along the page and over its end to the next page's first puzzle.
    for (int i = 1; i <= 5; ++i) EXPECT_EQ(key(ui::VK_RIGHT), i);
    EXPECT_EQ(key(ui::VK_RIGHT), 6);
    EXPECT_EQ(w.lblPuzzlePage->Caption(), "2 / 3");
    EXPECT_TRUE(Near(
        Session().ScreenPixel(w.Image1->ClientToScreen({75, 75}).X, w.Image1->ClientToScreen({75, 75}).Y),
        PreviewColor(7)));
    EXPECT_EQ(Frames()[0]->Visible(), true);
    EXPECT_EQ(key(ui::VK_LEFT), 5);
    EXPECT_EQ(w.lblPuzzlePage->Caption(), "1 / 3");
    EXPECT_TRUE(Frames()[5]->Visible());
    // Down a row, and from the lower row onto the next page.
    EXPECT_EQ(key(ui::VK_DOWN), 8);
    EXPECT_EQ(key(ui::VK_DOWN), 11);
    EXPECT_EQ(key(ui::VK_DOWN), 12);  // nothing below on page 3: the last puzzle
    EXPECT_EQ(w.lblPuzzlePage->Caption(), "3 / 3");
    EXPECT_EQ(Messages.size(), 2u);
    EXPECT_EQ(key(ui::VK_DOWN), 12);
    EXPECT_EQ(key(ui::VK_RIGHT), 12);
    ASSERT_EQ(Messages.size(), 4u);
    EXPECT_EQ(Messages[2], kLastPage);
    EXPECT_EQ(Messages[3], kLastPage);
    EXPECT_EQ(key(ui::VK_UP), 9);
    // Page Up and Page Down are the up-down's buttons: same place on the page, messages at the ends.
    EXPECT_EQ(key(ui::VK_PRIOR), 3);
    EXPECT_EQ(key(ui::VK_PRIOR), 3);
    EXPECT_EQ(Messages.back(), kFirstPage);
    EXPECT_EQ(key(ui::VK_NEXT), 9);
    EXPECT_EQ(key(ui::VK_NEXT), 12);
    EXPECT_EQ(key(ui::VK_NEXT), 12);
    EXPECT_EQ(Messages.back(), kLastPage);
    EXPECT_EQ(Messages.size(), 6u);
    EXPECT_EQ(key(ui::VK_HOME), 0);
    EXPECT_EQ(key(ui::VK_END), 12);
    EXPECT_EQ(Messages.size(), 6u);
    // The grid kept the focus through every refresh and message.
    EXPECT_EQ(Focused(), w.grdPreviews);
    EXPECT_TRUE(w.shpPreviewFocus->Visible());
    EXPECT_EQ(w.shpPreviewFocus->BoundsRect(), w.Bevel1->BoundsRect());
}

TEST_F(BrowserKeysTest, DigitsSetTheSeverityEnterStartsItAndTheChoiceIsWritten) {
    auto& w = OpenWith(7);
    Alt('Z');
    ASSERT_EQ(Focused(), w.grdPreviews);
    Session().KeyPress(ui::VK_END);
    Session().KeyPress(ui::VK_LEFT);
    Session().KeyPress(ui::VK_LEFT);
    ASSERT_EQ(Current(), 4);
    Session().KeyPress('3');
    EXPECT_EQ(w.cbxSeverity->ItemIndex(), 2);
    Session().KeyPress(ui::VK_RETURN);
    Session().KeyPress(ui::VK_RIGHT);
    Session().KeyPress(ui::VK_NUMPAD5);
    Session().KeyPress('9');  // no severity
    Session().KeyPress('0');
    EXPECT_EQ(w.cbxSeverity->ItemIndex(), 4);
    Session().KeyPress(ui::VK_RETURN);
    ASSERT_EQ(Starter.Started.size(), 2u);
    EXPECT_EQ(Starter.Started[0], Dir() + "/a/x-5-Expert.exe");
    EXPECT_EQ(Starter.Started[1], Dir() + "/a/x-6-Maniac.exe");
    // Back on puzzle 5 its severity shows again.
    Session().KeyPress(ui::VK_LEFT);
    EXPECT_EQ(w.cbxSeverity->ItemIndex(), 2);
    EXPECT_TRUE(Messages.empty());
    CloseWindow();
    const std::string ini = ReadFile(Dir() + "/a/PuzzlePackage.ini");
    EXPECT_NE(ini.find("puzzle_5=3"), std::string::npos) << ini;
    EXPECT_NE(ini.find("puzzle_6=5"), std::string::npos) << ini;
    EXPECT_NE(ini.find("puzzle_4=1"), std::string::npos) << ini;
    EXPECT_NE(ini.find("last_puzzle=5"), std::string::npos) << ini;
}

TEST_F(BrowserKeysTest, EveryLabelledControlHasAWorkingMnemonic) {
    MakePackage(Dir(), "b", "beta", 2, 1);
    // The desktop's opener, replaced by one that writes down what it was given.
    const std::string opened = Dir() + "/opened.txt";
    WriteFile(Dir() + "/.bin/xdg-open", "#!/bin/sh\necho \"$1\" >>'" + opened + "'\n");
    std::filesystem::permissions(Dir() + "/.bin/xdg-open", std::filesystem::perms::owner_all);
    const char* oldPath = std::getenv("PATH");
    const std::string savedPath = oldPath ? oldPath : "";
    setenv("PATH", (Dir() + "/.bin:" + savedPath).c_str(), 1);
    auto& w = OpenWith(3);
    // The labels show their letter and name their control.
    auto* packageLabel = dynamic_cast<skin::TbsSkinStdLabel*>(w.FindComponent("bsSkinStdLabel1"));
    auto* severityLabel = dynamic_cast<skin::TbsSkinStdLabel*>(w.FindComponent("bsSkinStdLabel2"));
    ASSERT_NE(packageLabel, nullptr);
    ASSERT_NE(severityLabel, nullptr);
    EXPECT_EQ(packageLabel->Caption(), "&Package / Paket:");
    EXPECT_EQ(severityLabel->Caption(), "Se&verity / Schwierigkeitsgrad:");
    EXPECT_EQ(w.lblPuzzles->Caption(), "3 Pu&zzles:");

    Alt('V');
    EXPECT_EQ(Focused(), w.cbxSeverity);
    Alt('Z');
    EXPECT_EQ(Focused(), w.grdPreviews);
    Alt('P');
    EXPECT_EQ(Focused(), w.cbxPackage);
    // The package chooser then takes the arrows: beta.
    Session().KeyPress(ui::VK_DOWN);
    EXPECT_EQ(w.Browser()->CurrentPackage, 1);
    EXPECT_EQ(w.lblPuzzles->Caption(), "2 Pu&zzles:");
    Alt('S');
    EXPECT_EQ(Focused(), w.btnStart);
    ASSERT_EQ(Starter.Started.size(), 1u);
    EXPECT_EQ(Starter.Started[0], Dir() + "/b/x-1-Beginner.exe");
    // "?" has no letter; Alt+U and Alt+N are Updates and Newsletter.
    Alt('U');
    EXPECT_EQ(Focused(), w.btnHomepage);
    Alt('N');
    EXPECT_EQ(Focused(), w.bsSkinButton1);
    const std::string expected = w.lblMore->URL() + "\n" + w.lblNewsletter->URL() + "\n";
    for (int i = 0; i < 300 && ReadFile(opened).size() < expected.size(); ++i) usleep(10000);
    setenv("PATH", savedPath.c_str(), 1);
    // The two openers run side by side: either may write first.
    const std::string got = ReadFile(opened);
    EXPECT_EQ(got.size(), expected.size()) << got;
    EXPECT_NE(got.find(w.lblMore->URL() + "\n"), std::string::npos) << got;
    EXPECT_NE(got.find(w.lblNewsletter->URL() + "\n"), std::string::npos) << got;
    EXPECT_TRUE(Messages.empty());
}

TEST(PreviewGridKeys, EachKeyHasOneActionAndOnlyDigitsOneToFiveAreSeverities) {
    using app::TPreviewKey;
    using app::program::TPreviewGrid;
    const std::vector<std::pair<uint16_t, TPreviewKey>> keys = {
        {ui::VK_LEFT, TPreviewKey::Left},    {ui::VK_RIGHT, TPreviewKey::Right},
        {ui::VK_UP, TPreviewKey::Up},        {ui::VK_DOWN, TPreviewKey::Down},
        {ui::VK_PRIOR, TPreviewKey::PageUp}, {ui::VK_NEXT, TPreviewKey::PageDown},
        {ui::VK_HOME, TPreviewKey::Home},    {ui::VK_END, TPreviewKey::End},
        {ui::VK_RETURN, TPreviewKey::Start}};
    for (const auto& [vk, expected] : keys) {
        TPreviewKey action{};
        ASSERT_TRUE(TPreviewGrid::PreviewKeyOf(vk, action)) << vk;
        EXPECT_EQ(action, expected) << vk;
    }
    TPreviewKey action{};
    EXPECT_FALSE(TPreviewGrid::PreviewKeyOf(ui::VK_TAB, action));
    EXPECT_FALSE(TPreviewGrid::PreviewKeyOf('1', action));
    for (int d = 0; d <= 9; ++d) {
        EXPECT_EQ(TPreviewGrid::SeverityOfKey(static_cast<uint16_t>('0' + d)), d >= 1 && d <= 5 ? d : 0);
        EXPECT_EQ(TPreviewGrid::SeverityOfKey(static_cast<uint16_t>(ui::VK_NUMPAD0 + d)),
                  d >= 1 && d <= 5 ? d : 0);
    }
    EXPECT_EQ(TPreviewGrid::SeverityOfKey('A'), 0);
}

}  // namespace
