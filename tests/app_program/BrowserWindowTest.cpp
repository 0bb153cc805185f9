// The browser window made from its embedded form resource, with the real skinned controls on the
// headless backend: the layout, and every path from a user's action through the resource's event
// bindings to the browser's logic and back to the screen.

#include <gtest/gtest.h>

#include <unistd.h>

#include <array>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "ProgramTestSupport.h"
#include "app/Browser.h"
#include "platform/forms/FormResource.h"
#include "platform/forms/ImageListComponent.h"
#include "platform/ui/WindowSystem.h"
#include "skin/boxes/bsSkinBoxCtrlsComboBox.h"
#include "skin/boxes/bsSkinBoxCtrlsUpDown.h"
#include "skin/controls/bsSkinCtrlsBevel.h"
#include "skin/controls/bsSkinCtrlsButton.h"
#include "skin/controls/bsSkinCtrlsLabels.h"
#include "skin/controls/bsSkinCtrlsLinkImage.h"
#include "skin/data/bsSkinData.h"

namespace {

using namespace program_test;
namespace forms = platform::forms;
using platform::ui::VK_DOWN;
using platform::ui::VK_RETURN;
using platform::ui::VK_TAB;

class BrowserWindowTest : public BrowserFixture {};

struct TLayoutRow {
    const char* Name;
    const char* Class;
    int Left, Top, Width, Height;
    bool Visible;
    const char* SkinDataName;  // "" for none
    bool Bound;
    int TabOrder;  // -1 for windowless controls
};

// Sizes of auto-sized labels depend on their text and font; 0 here means "not checked".
const TLayoutRow kLayout[] = {
    {"bsSkinLinkImage1", "TbsSkinLinkImage", 0, 0, 760, 570, true, "", false, -1},
    {"lblMore", "TbsSkinLinkLabel", 140, 554, 0, 0, false, "stdlabel", false, -1},
    {"lblCal", "TbsSkinLinkLabel", 10, 48, 0, 0, false, "stdlabel", false, -1},
    {"bsSkinStdLabel1", "TbsSkinStdLabel", 204, 82, 0, 0, true, "stdlabel", true, -1},
    {"lblPuzzles", "TbsSkinStdLabel", 204, 130, 0, 0, true, "stdlabel", true, -1},
    {"Bevel1", "TbsSkinBevel", 204, 149, 160, 161, false, "bevel", true, -1},
    {"bevel2", "TbsSkinBevel", 380, 149, 160, 160, false, "bevel", true, -1},
    {"bevel3", "TbsSkinBevel", 556, 149, 160, 160, false, "bevel", true, -1},
    {"bevel4", "TbsSkinBevel", 204, 325, 160, 160, false, "bevel", true, -1},
    {"bevel5", "TbsSkinBevel", 380, 325, 160, 160, false, "bevel", true, -1},
    {"bevel6", "TbsSkinBevel", 556, 325, 160, 160, false, "bevel", true, -1},
    {"Image1", "TImage", 209, 154, 150, 150, true, "", false, -1},
    {"Image2", "TImage", 385, 154, 150, 150, true, "", false, -1},
    {"Image3", "TImage", 561, 154, 150, 150, true, "", false, -1},
    {"Image4", "TImage", 209, 330, 150, 150, true, "", false, -1},
    {"Image5", "TImage", 385, 330, 150, 150, true, "", false, -1},
    {"Image6", "TImage", 561, 330, 150, 150, true, "", false, -1},
    {"bsSkinStdLabel2", "TbsSkinStdLabel", 207, 508, 0, 0, true, "stdlabel", false, -1},
    {"lblNewsletter", "TbsSkinLinkLabel", 190, 555, 0, 0, false, "stdlabel", false, -1},
    {"cbxSeverity", "TbsSkinComboBox", 207, 526, 185, 18, true, "combobox", true, 1},
    {"cbxPackage", "TbsSkinComboBox", 204, 99, 543, 18, true, "combobox", true, 0},
    {"udPageNext", "TbsSkinUpDown", 723, 468, 0, 0, true, "vupdown", true, 6},
    {"btnStart", "TbsSkinButton", 411, 526, 336, 19, true, "resizebutton", true, 2},
    {"btnHomepage", "TbsSkinButton", 94, 526, 74, 19, true, "resizebutton", true, 5},
    {"btnHelp", "TbsSkinButton", 10, 526, 23, 19, true, "resizebutton", true, 3},
    {"bsSkinButton1", "TbsSkinButton", 94, 497, 74, 19, true, "resizebutton", true, 4},
};

template <class T>
std::string SkinNameOf(const forms::TComponent* c, skin::TbsSkinData*& data) {
    const auto* typed = dynamic_cast<const T*>(c);
    if (!typed) return "?";
    data = typed->SkinData();
    return typed->SkinDataName();
}

TEST_F(BrowserWindowTest, TheResourceMakesTheLayoutWithTheStoredSkinLoaded) {
    MakePackage(Dir(), "one", "One", 7);
    WriteFile(Dir() + "/PuzzleBrowser.ini", "[Browser]\r\nFirstTime=0\r\n");
    auto& w = Open();
    ASSERT_NE(w.bsSkinData1, nullptr);
    EXPECT_FALSE(w.bsSkinData1->SkinIsEmpty);
    EXPECT_EQ(w.ClientWidth(), 760);
    EXPECT_EQ(w.ClientHeight(), 570);
    EXPECT_EQ(w.Caption(), std::string(app::kApplicationTitle) + " " + app::ProgramVersionText());

    for (const TLayoutRow& row : kLayout) {
        SCOPED_TRACE(row.Name);
        auto* c = dynamic_cast<forms::TControl*>(w.FindComponent(row.Name));
        ASSERT_NE(c, nullptr);
        EXPECT_EQ(c->ClassName(), row.Class);
        EXPECT_EQ(c->Parent(), &w);
        EXPECT_EQ(c->Left(), row.Left);
        EXPECT_EQ(c->Top(), row.Top);
        if (row.Width) {
            EXPECT_EQ(c->Width(), row.Width);
        }
        if (row.Height) {
            EXPECT_EQ(c->Height(), row.Height);
        }
        // The frames show the selection once the view is filled.
        if (std::string(row.Class) != "TbsSkinBevel") {
            EXPECT_EQ(c->Visible(), row.Visible);
        }
        skin::TbsSkinData* data = nullptr;
        std::string skinName;
        const std::string cls = row.Class;
        if (cls == "TbsSkinStdLabel" || cls == "TbsSkinLinkLabel")
            skinName = SkinNameOf<skin::TbsSkinStdLabel>(c, data);
        else if (cls == "TbsSkinBevel")
            skinName = SkinNameOf<skin::TbsSkinBevel>(c, data);
        else if (cls == "TbsSkinComboBox" || cls == "TbsSkinUpDown" || cls == "TbsSkinButton")
            skinName = SkinNameOf<skin::TbsSkinControl>(c, data);
        EXPECT_EQ(skinName, row.SkinDataName);
        EXPECT_EQ(data, row.Bound ? w.bsSkinData1 : nullptr);
        if (row.TabOrder >= 0) {
            auto* win = dynamic_cast<forms::TWinControl*>(c);
            ASSERT_NE(win, nullptr);
            EXPECT_EQ(win->TabOrder(), row.TabOrder);
        }
    }
    // The right-justified labels keep their right edge while their text grows to the left.
    EXPECT_EQ(w.lblStatus->Left() + w.lblStatus->Width(), 745);
    EXPECT_EQ(w.lblStatus->Caption(), "1 Package / Paket, 7 Puzzles");
    EXPECT_GT(w.lblStatus->Width(), 3);

    // The hidden links carry the configured addresses.
    EXPECT_EQ(w.lblMore->URL(), VK_UPDATES_URL);
    EXPECT_EQ(w.lblNewsletter->URL(), VK_NEWSLETTER_URL);
    EXPECT_EQ(dynamic_cast<skin::TbsSkinLinkLabel*>(w.FindComponent("lblCal"))->URL(), "cal1.exe");

    auto* severities = dynamic_cast<forms::TImageListComponent*>(w.FindComponent("ilstSeverity"));
    ASSERT_NE(severities, nullptr);
    EXPECT_EQ(severities->Count(), 5);
    EXPECT_EQ(severities->Width(), 80);
    EXPECT_EQ(severities->Height(), 17);
    auto* puzzles = dynamic_cast<forms::TImageListComponent*>(w.FindComponent("ilstPuzzles"));
    ASSERT_NE(puzzles, nullptr);
    EXPECT_EQ(puzzles->Count(), 2);
    EXPECT_EQ(w.cbxSeverity->Items().Count(), 5);
    EXPECT_EQ(w.cbxSeverity->Images(), severities);
    EXPECT_NE(w.FindComponent("msgDialog"), nullptr);
}

TEST_F(BrowserWindowTest, FirstRunShowsTheSkipMessageAndTheHelpThenSettingsCarryOver) {
    MakePackage(Dir(), "b-folder", "beta", 3, 1);
    MakePackage(Dir(), "a-folder", "Alpha", 7);
    std::filesystem::create_directories(Dir() + "/unrelated");

    auto* w = &Open();
    ASSERT_EQ(Messages.size(), 2u);
    EXPECT_EQ(Messages[0],
              std::string("Configuration for puzzle package not found. Package will be skipped:\r\r"
                          "Konfiguration f\xC3\xBCr Puzzle-Paket nicht gefunden. Packet wird \xC3\xBC"
                          "bersprungen:\r\r") +
                  Dir() + "/unrelated/PuzzlePackage.ini");
    EXPECT_EQ(Messages[1].substr(0, 20), "Short introduction:\r");
    EXPECT_EQ(w->cbxPackage->ItemIndex(), 0);
    EXPECT_EQ(w->cbxPackage->Items().Count(), 2);
    EXPECT_TRUE(w->Bevel1->Visible());
    EXPECT_TRUE(w->udPageNext->Visible());  // Alpha has 7 puzzles

    // Beta's third puzzle, then close.
    w->cbxPackage->SetFocus();
    Session().KeyPress(VK_DOWN);
    EXPECT_EQ(w->Browser()->CurrentPackage, 1);
    EXPECT_FALSE(w->udPageNext->Visible());
    ClickControl(*w->Image3, 75, 75);
    EXPECT_EQ(w->Browser()->CurrentPuzzle, 2);
    CloseWindow();
    EXPECT_TRUE(Application().Terminated());
    EXPECT_FALSE(w->Visible());
    const std::string settings = ReadFile(Dir() + "/PuzzleBrowser.ini");
    EXPECT_NE(settings.find("Package=1"), std::string::npos) << settings;
    EXPECT_NE(settings.find("FirstTime=0"), std::string::npos) << settings;
    EXPECT_NE(ReadFile(Dir() + "/b-folder/PuzzlePackage.ini").find("last_puzzle=3"), std::string::npos);

    // The second run: only the skip message, the same package and puzzle.
    Restart();
    w = &Open();
    ASSERT_EQ(Messages.size(), 1u);
    EXPECT_EQ(w->cbxPackage->ItemIndex(), 1);
    EXPECT_EQ(w->Browser()->CurrentPuzzle, 2);
    EXPECT_TRUE(w->bevel3->Visible());
    EXPECT_FALSE(w->Bevel1->Visible());
}

TEST_F(BrowserWindowTest, ClicksSelectAndDoubleClicksStartThroughTheResourcesBindings) {
    MakePackage(Dir(), "a", "Alpha", 13);
    WriteFile(Dir() + "/PuzzleBrowser.ini", "[Browser]\r\nFirstTime=0\r\n");
    auto& w = Open();
    ASSERT_TRUE(Messages.empty());
    std::vector<forms::TImage*> images;
    std::vector<forms::TControl*> frames;
    app::ForEachBrowserControl(
        app::TOverloaded{[&](const char*, forms::TImage* image) { images.push_back(image); },
                         [&](const char*, skin::TbsSkinBevel* frame) { frames.push_back(frame); },
                         [](const char*, auto*) {}},
        static_cast<app::program::TBrowserWindowControls&>(w));
    ASSERT_EQ(images.size(), 6u);
    ASSERT_EQ(frames.size(), 6u);
    for (int slot = 0; slot < 6; ++slot) {
        SCOPED_TRACE(slot);
        ClickControl(*images[slot], 75, 75);
        EXPECT_EQ(w.Browser()->CurrentPuzzle, slot);
        for (int f = 0; f < 6; ++f) EXPECT_EQ(frames[f]->Visible(), f == slot);
        EXPECT_EQ(w.btnStart->Caption(), "&Start: Puzzle " + std::to_string(slot + 1));
    }
    // The frame shows on the screen: its left line in the skin's dark bevel colour.
    const platform::core::TPoint frameLeft = w.bevel6->ClientToScreen({0, 80});
    EXPECT_EQ(Session().ScreenPixel(frameLeft.X, frameLeft.Y), static_cast<platform::gfx::TColor>(12632256));
    const platform::core::TPoint otherFrame = w.bevel5->ClientToScreen({0, 80});
    EXPECT_NE(Session().ScreenPixel(otherFrame.X, otherFrame.Y),
              static_cast<platform::gfx::TColor>(12632256));

    // Severity 3 for puzzle 5, then a double click on it starts x-5-Expert.exe.
    ClickControl(*w.Image5, 75, 75);
    w.cbxSeverity->SetFocus();
    Session().KeyPress(VK_DOWN);
    Session().KeyPress(VK_DOWN);
    Session().DoubleClick(w.Image5->ClientToScreen({75, 75}));
    ASSERT_EQ(Starter.Started.size(), 1u);
    EXPECT_EQ(Starter.Started[0], Dir() + "/a/x-5-Expert.exe");
    EXPECT_TRUE(Messages.empty());
    EXPECT_TRUE(w.Visible());
}

TEST_F(BrowserWindowTest, TheUpDownPagesAndTheLabelsFollow) {
    MakePackage(Dir(), "a", "Alpha", 13);
    WriteFile(Dir() + "/PuzzleBrowser.ini", "[Browser]\r\nFirstTime=0\r\n");
    auto& w = Open();
    ClickControl(*w.Image3, 75, 75);
    EXPECT_EQ(w.lblPuzzlePage->Caption(), "1 / 3");
    EXPECT_EQ(w.lblPuzzles->Caption(), "13 Pu&zzles:");  // with the grid's mnemonic
    const int width = w.udPageNext->Width();
    const int height = w.udPageNext->Height();
    const auto upButton = [&] { ClickControl(*w.udPageNext, width / 2, height / 4); };
    const auto downButton = [&] { ClickControl(*w.udPageNext, width / 2, height * 3 / 4); };

    downButton();
    EXPECT_EQ(w.Browser()->CurrentPuzzle, 8);
    EXPECT_EQ(w.lblPuzzlePage->Caption(), "2 / 3");
    EXPECT_TRUE(w.bevel3->Visible());
    // The first preview of page 2 is puzzle 7's picture.
    const platform::core::TPoint p = w.Image1->ClientToScreen({75, 75});
    EXPECT_TRUE(Near(Session().ScreenPixel(p.X, p.Y), PreviewColor(7)));
    downButton();
    EXPECT_EQ(w.Browser()->CurrentPuzzle, 12);
    EXPECT_EQ(w.lblPuzzlePage->Caption(), "3 / 3");
    EXPECT_FALSE(w.Image2->Visible());
    downButton();
    ASSERT_EQ(Messages.size(), 1u);
    EXPECT_EQ(Messages[0], "You already see the last page.\r\rDu siehst bereits die letzte Seite.");
    upButton();
    upButton();
    EXPECT_EQ(w.Browser()->CurrentPuzzle, 0);
    upButton();
    ASSERT_EQ(Messages.size(), 2u);
    EXPECT_EQ(Messages[1], "You already see the first page.\r\rDu siehst bereits die erste Seite.");
}

TEST_F(BrowserWindowTest, TabWalksTheChoosersAndButtonsAndEnterStarts) {
    MakePackage(Dir(), "a", "Alpha", 7);
    MakePackage(Dir(), "b", "beta", 2, 1);
    WriteFile(Dir() + "/PuzzleBrowser.ini", "[Browser]\r\nFirstTime=0\r\n");
    auto& w = Open();
    EXPECT_EQ(platform::forms::Screen->ActiveControl(), w.cbxPackage);
    const std::vector<forms::TWinControl*> order{w.cbxSeverity,   w.btnStart,    w.btnHelp,
                                                 w.bsSkinButton1, w.btnHomepage, w.udPageNext};
    for (forms::TWinControl* expected : order) {
        Session().KeyPress(VK_TAB);
        if (expected == w.udPageNext && !w.udPageNext->TabStop()) continue;
        EXPECT_EQ(platform::forms::Screen->ActiveControl(), expected) << expected->Name();
    }
    // Round to the package chooser, pick beta with the arrow key, start from the start button.
    while (platform::forms::Screen->ActiveControl() != w.cbxPackage) Session().KeyPress(VK_TAB);
    Session().KeyPress(VK_DOWN);
    EXPECT_EQ(w.Browser()->CurrentPackage, 1);
    Session().KeyPress(VK_TAB);
    Session().KeyPress(VK_TAB);
    EXPECT_EQ(platform::forms::Screen->ActiveControl(), w.btnStart);
    Session().KeyPress(VK_RETURN);
    ASSERT_EQ(Starter.Started.size(), 1u);
    EXPECT_EQ(Starter.Started[0], Dir() + "/b/x-1-Beginner.exe");
}

TEST_F(BrowserWindowTest, MessagesUseTheSkinnedBoxWithTheTitleAndOneOkButton) {
    MakePackage(Dir(), "a", "Alpha", 2);
    WriteFile(Dir() + "/PuzzleBrowser.ini", "[Browser]\r\nFirstTime=0\r\n");
    auto& w = Open();
    int buttons = -1;
    std::string buttonCaption;
    bool iconShown = true;
    OnMessage = [&](skin::TbsMessageForm& form) {
        buttons = 0;
        for (int i = 0; i < form.ControlCount(); ++i) {
            if (auto* b = dynamic_cast<skin::TbsSkinButton*>(form.Controls(i))) {
                ++buttons;
                buttonCaption = b->Caption();
            }
        }
        iconShown = form.IconImage() != nullptr && form.IconImage()->Visible() &&
                    !form.IconImage()->Picture().Empty();
    };
    AnswerKey = platform::ui::VK_ESCAPE;
    ClickControl(*w.btnHelp, 10, 9);
    ASSERT_EQ(Messages.size(), 1u);
    EXPECT_EQ(MessageCaptions[0], w.Caption());
    EXPECT_EQ(buttons, 1);
    EXPECT_EQ(buttonCaption, "OK");
    EXPECT_FALSE(iconShown);
    EXPECT_EQ(Messages[0].find("Short introduction:\r"), 0u);
    EXPECT_EQ(Messages[0].substr(Messages[0].size() - 10), "speichert.");
    // Escape answered it: the window is back in charge.
    EXPECT_EQ(platform::forms::Screen->ActiveForm(), &w);
}

TEST_F(BrowserWindowTest, UpdatesAndNewsletterOpenTheConfiguredAddresses) {
    MakePackage(Dir(), "a", "Alpha", 2);
    WriteFile(Dir() + "/PuzzleBrowser.ini", "[Browser]\r\nFirstTime=0\r\n");
    // The desktop's opener, replaced by one that writes down what it was given.
    const std::string bin = Dir() + "/bin";
    const std::string opened = Dir() + "/opened.txt";
    WriteFile(bin + "/xdg-open", "#!/bin/sh\necho \"$1\" >>'" + opened + "'\n");
    std::filesystem::permissions(bin + "/xdg-open", std::filesystem::perms::owner_all);
    const char* oldPath = std::getenv("PATH");
    const std::string savedPath = oldPath ? oldPath : "";
    setenv("PATH", (bin + ":" + savedPath).c_str(), 1);

    auto& w = Open();
    ClickControl(*w.btnHomepage, 37, 9);
    ClickControl(*w.bsSkinButton1, 37, 9);
    for (int i = 0; i < 200 && ReadFile(opened).size() < std::string(VK_UPDATES_URL).size() +
                                                             std::string(VK_NEWSLETTER_URL).size() + 2;
         ++i)
        usleep(10000);
    setenv("PATH", savedPath.c_str(), 1);
    EXPECT_EQ(ReadFile(opened), std::string(VK_UPDATES_URL) + "\n" + VK_NEWSLETTER_URL + "\n");
    EXPECT_FALSE(w.lblMore->Visible());
    EXPECT_FALSE(w.lblNewsletter->Visible());
}

TEST_F(BrowserWindowTest, WithoutPackagesTheMessageEndsTheProgram) {
    auto& w = Open();
    ASSERT_EQ(Messages.size(), 1u);
    EXPECT_EQ(Messages[0],
              "No puzzle packages found. Please, check your installation.\r\r"
              "Keine Puzzle-Pakete gefunden. Bitte \xC3\xBC"
              "berpr\xC3\xBC"
              "fe Deine Installation.");
    EXPECT_TRUE(Application().Terminated());
    EXPECT_FALSE(w.Visible());
}

TEST_F(BrowserWindowTest, APreviewThatDisappearsShowsItsMessageAndEndsTheProgram) {
    const std::string dir = MakePackage(Dir(), "a", "Alpha", 9);
    WriteFile(Dir() + "/PuzzleBrowser.ini", "[Browser]\r\nFirstTime=0\r\n");
    auto& w = Open();
    std::filesystem::remove(dir + "/p-8.jpg");
    ClickControl(*w.udPageNext, w.udPageNext->Width() / 2, w.udPageNext->Height() * 3 / 4);
    ASSERT_EQ(Messages.size(), 1u);
    EXPECT_EQ(Messages[0], "Preview image not found:\r\rVorschaubild nicht gefunden:\r\r" + dir + "/p-8.jpg");
    EXPECT_TRUE(Application().Terminated());
    EXPECT_FALSE(w.Visible());
    EXPECT_NE(ReadFile(Dir() + "/PuzzleBrowser.ini").find("FirstTime=0"), std::string::npos);
}

TEST_F(BrowserWindowTest, AResourceWithoutOneOfTheBrowsersControlsIsRefusedByItsName) {
    app::program::TBrowserWindowOptions options;
    options.Starter = &Starter;
    auto w = std::make_unique<app::program::TBrowserWindow>(nullptr, Paths(), options);
    // Every event of a control has its handler under the control's name, bound before the window
    // is created; until then it reaches no browser.
    forms::ReadComponentResource(*w,
                                 "object Browser: TBrowser\n"
                                 "  OnCreate = FormCreate\n"
                                 "  object cbxPackage: TbsSkinComboBox\n"
                                 "    OnChange = cbxPackageChange\n"
                                 "    OnExit = cbxPackageExit\n"
                                 "  end\n"
                                 "  object Image4: TImage\n"
                                 "    OnDblClick = Image4DblClick\n"
                                 "  end\n"
                                 "end\n");
    ASSERT_NE(w->cbxPackage, nullptr);
    EXPECT_EQ(w->cbxPackage, w->FindComponent("cbxPackage"));
    EXPECT_EQ(w->Image4, w->FindComponent("Image4"));
    ASSERT_TRUE(w->cbxPackage->OnExit);
    w->cbxPackage->OnExit(w->cbxPackage);
    ASSERT_TRUE(w->Image4->OnDblClick);
    w->Image4->OnDblClick(w->Image4);
    EXPECT_TRUE(Starter.Started.empty());

    try {
        w->DoCreate();
        ADD_FAILURE() << "the window was created without its controls";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "the browser window has no component cbxSeverity");
    }
    EXPECT_EQ(w->Browser(), nullptr);
}

}  // namespace

TEST_F(BrowserWindowTest, ALargePreviewIsDecodedScaledDownToCoverItsSlot) {
    const std::string dir = MakePackage(Dir(), "a", "Alpha", 2);
    // Preview 1: 1600 x 1280, green with a blue middle half.
    platform::gfx::TBitmap big(1600, 1280);
    for (int y = 0; y < big.Height(); ++y)
        for (int x = 0; x < big.Width(); ++x) {
            const bool middle = x >= 400 && x < 1200 && y >= 320 && y < 960;
            big.SetPixel(x, y, middle ? platform::gfx::clBlue : platform::gfx::clLime);
        }
    ASSERT_TRUE(platform::gfx::SaveJpeg(big, dir + "/p-1.jpg", 90));
    WriteFile(Dir() + "/PuzzleBrowser.ini", "[Browser]\r\nFirstTime=0\r\n");
    auto& w = Open();
    // 1/8 (200 x 160) is the smallest that covers the 150 x 150 slot; the small one stays whole.
    EXPECT_EQ(w.Image1->Picture().Width(), 200);
    EXPECT_EQ(w.Image1->Picture().Height(), 160);
    EXPECT_EQ(w.Image2->Picture().Width(), 150);
    // The slot shows the whole preview made smaller (green edge, blue middle), not the middle of
    // the picture at full size.
    const platform::gfx::TBitmap screen = Session().Screenshot();
    const platform::core::TPoint corner = w.Image1->ClientToScreen({5, 5});
    const platform::core::TPoint middle = w.Image1->ClientToScreen({75, 75});
    EXPECT_TRUE(program_test::Near(screen.Pixel(corner.X, corner.Y), platform::gfx::clLime));
    EXPECT_TRUE(program_test::Near(screen.Pixel(middle.X, middle.Y), platform::gfx::clBlue));
}
