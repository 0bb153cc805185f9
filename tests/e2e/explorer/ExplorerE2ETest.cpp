// The explorer example on the x11 backend under a real X server, driven with xdotool as a user
// would: the keyboard opens a folder in the tree, a click on a column title sorts the files, a
// drag moves the splitter, F2 and typing rename a folder in the tree; the results are read from the
// window's state, the disk and the screen.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>

#include "ExplorerWindow.h"
#include "XObserver.h"
#include "platform/forms/Application.h"
#include "platform/forms/Edit.h"
#include "platform/gfx/Color.h"
#include "platform/ui/WindowSystem.h"
#include "platform/ui/backend/x11/X11Backend.h"
#include "skin/controls/bsSkinCtrlsRegister.h"
#include "skin/data/bsSkinData.h"
#include "skin/data/bsSkinDataStored.h"

namespace {

using namespace platform;
using platform::core::TPoint;
namespace fs = std::filesystem;

constexpr uint32_t kRootColor = 0x204080;  // 0xRRGGBB

void WriteFile(const fs::path& p, size_t size) {
    std::ofstream out(p, std::ios::binary);
    out << std::string(size, 'x');
}

class ExplorerE2E : public ::testing::Test {
protected:
    void SetUp() override {
        const char* display = std::getenv("DISPLAY");
        ASSERT_TRUE(display && *display) << "needs an X server: run under scripts/with-xvfb.sh";
        ASSERT_TRUE(m_observer.Connected());
        m_observer.SetRootColor(kRootColor);
        // root: alpha (one, two), beta; files of three sizes.
        m_root = fs::temp_directory_path() / ("explorer-e2e-" + std::to_string(::getpid()));
        fs::create_directories(m_root / "alpha" / "one");
        fs::create_directories(m_root / "alpha" / "two");
        fs::create_directories(m_root / "beta");
        WriteFile(m_root / "a.txt", 300);
        WriteFile(m_root / "b.txt", 10);
        WriteFile(m_root / "c.txt", 2000);

        std::string error;
        auto backend = ui::x11::CreateX11Backend(error);
        ASSERT_TRUE(backend) << error;
        m_system = std::make_unique<ui::TWindowSystem>(std::move(backend));
        m_app = std::make_unique<forms::TApplication>();
        skin::RegisterSkinControlClasses();
        auto* stored = new skin::TbsStoredSkin(m_app.get());
        auto* data = new skin::TbsSkinData(m_app.get());
        ASSERT_TRUE(stored->LoadFromSkinFolder(VK_DEFAULT_SKIN, &error)) << error;
        data->SetStoredSkin(stored);
        window = new example::TExplorerWindow(m_app.get(), data, m_root);
        window->SetBounds(60, 60, 700, 460);
        window->Show();
        window->Tree->SetFocus();
        ASSERT_TRUE(Pump([&] { return Pixel(Screen(window->Files, 5, window->Files->Height() - 5)) != kRootColor; }))
            << "the window never showed: " << std::hex << Pixel(Screen(window->Files, 5, window->Files->Height() - 5))
            << std::dec << " at " << Screen(window->Files, 5, window->Files->Height() - 5).X << ","
            << Screen(window->Files, 5, window->Files->Height() - 5).Y << " files " << window->Files->Width() << "x"
            << window->Files->Height();
    }

    void TearDown() override {
        delete window;
        m_app.reset();
        m_system.reset();
        std::error_code ec;
        fs::remove_all(m_root, ec);
    }

    bool Pump(const std::function<bool()>& done, int timeoutMs = 5000) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        for (;;) {
            m_system->ProcessMessages();
            if (done()) return true;
            if (std::chrono::steady_clock::now() >= deadline) return false;
            m_system->Backend().WaitForEvents(10);
        }
    }
    static void Xdo(const std::string& args) {
        const std::string command = "timeout 10 xdotool " + args + " >/dev/null 2>&1";
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
    }
    static std::string At(TPoint p) { return std::to_string(p.X) + " " + std::to_string(p.Y); }
    static TPoint Screen(const forms::TControl* c, int x, int y) { return c->ClientToScreen({x, y}); }
    uint32_t Pixel(TPoint p) { return m_observer.Pixel(p.X, p.Y); }
    static uint32_t Rgb(gfx::TColor color) { return gfx::ColorToPixel(gfx::ColorToRGB(color)); }
    std::string FileOrder() {
        std::string out;
        for (int i = 0; i < window->Files->Items().Count(); ++i) out += window->Files->Items().Item(i)->Caption() + " ";
        return out;
    }

    boxes_e2e::TXObserver m_observer;
    std::unique_ptr<ui::TWindowSystem> m_system;
    std::unique_ptr<forms::TApplication> m_app;
    fs::path m_root;
    example::TExplorerWindow* window = nullptr;
};

TEST_F(ExplorerE2E, KeyboardOpensAFolderAHeaderClickSortsAndTheSplitterDrags) {
    forms::TTreeView* tree = window->Tree;
    ASSERT_EQ(tree->Selected(), tree->Items().GetFirstNode());
    EXPECT_EQ(FileOrder(), "alpha beta a.txt b.txt c.txt ");

    // A click on "Size" sorts by size, a second one reverses.
    forms::THeaderControl* header = window->Files->Header();
    const forms::TRect size = header->SectionRect(1);
    Xdo("mousemove " + At(Screen(header, size.Left + size.Width() / 2, header->Height() / 2)) + " click 1");
    ASSERT_TRUE(Pump([&] { return window->SortColumn == 1; })) << "the click did not arrive";
    EXPECT_EQ(FileOrder(), "alpha beta b.txt a.txt c.txt ");
    Xdo("sleep 0.6 click 1");
    ASSERT_TRUE(Pump([&] { return window->SortDescending; }));
    EXPECT_EQ(FileOrder(), "alpha beta c.txt a.txt b.txt ") << "folders stay first";

    // The keyboard: Down to alpha, Right opens it; the files list shows its folders.
    window->Tree->SetFocus();
    Xdo("key Down");
    ASSERT_TRUE(Pump([&] { return tree->Selected() && tree->Selected()->Text() == "alpha"; })) << "Down did not arrive";
    forms::TTreeNode* alpha = tree->Selected();
    Xdo("key Right");
    ASSERT_TRUE(Pump([&] { return alpha->Expanded(); })) << "Right did not open the folder";
    EXPECT_EQ(alpha->Count(), 2);
    Xdo("key Right");
    ASSERT_TRUE(Pump([&] { return tree->Selected() && tree->Selected()->Text() == "one"; }));
    // The screen shows the selected label in the highlight colour.
    const forms::TRect label = tree->Selected()->DisplayRect(true);
    const TPoint inLabel = Screen(tree, label.Right - 3, label.Top + 2);
    EXPECT_TRUE(Pump([&] { return Pixel(inLabel) == Rgb(gfx::clHighlight); })) << std::hex << Pixel(inLabel);

    // The splitter: dragged 60 pixels to the right, the tree's pane follows.
    const int before = tree->Parent()->Width();
    const TPoint grip = Screen(window->Splitter, window->Splitter->Width() / 2, window->Splitter->Height() / 2);
    Xdo("mousemove " + At(grip) + " mousedown 1");
    ASSERT_TRUE(Pump([&] { return window->Splitter->Dragging(); })) << "the press did not arrive";
    Xdo("mousemove " + At({grip.X + 30, grip.Y}) + " mousemove " + At({grip.X + 60, grip.Y}) + " mouseup 1");
    ASSERT_TRUE(Pump([&] { return !window->Splitter->Dragging(); }));
    EXPECT_EQ(tree->Parent()->Width(), before + 60);
    EXPECT_EQ(window->Splitter->Left(), before + 60);
    const TPoint movedGrip = Screen(window->Splitter, window->Splitter->Width() / 2, window->Splitter->Height() / 2);
    EXPECT_TRUE(Pump([&] { return Pixel({movedGrip.X - 70, movedGrip.Y}) != Pixel(movedGrip); }));
}

TEST_F(ExplorerE2E, F2RenamesAFolderInTheTree) {
    forms::TTreeView* tree = window->Tree;
    window->Tree->SetFocus();
    Xdo("key Down Down");
    ASSERT_TRUE(Pump([&] { return tree->Selected() && tree->Selected()->Text() == "beta"; })) << "Down did not arrive";
    forms::TTreeNode* beta = tree->Selected();
    Xdo("key F2");
    ASSERT_TRUE(Pump([&] { return tree->IsEditing(); })) << "F2 did not start the edit";
    EXPECT_EQ(tree->EditingNode(), beta);
    Xdo("type --delay 30 gamma");
    ASSERT_TRUE(Pump([&] { return tree->EditControl() && tree->EditControl()->Text() == "gamma"; }))
        << "the typing did not reach the edit";
    // The edit is on the screen over the label: its white field covers the selection colour.
    const forms::TRect label = beta->DisplayRect(true);
    EXPECT_TRUE(Pump([&] { return Pixel(Screen(tree, label.Right - 3, label.Top + 2)) != Rgb(gfx::clHighlight); }));
    Xdo("key Return");
    ASSERT_TRUE(Pump([&] { return !tree->IsEditing(); })) << "Enter did not end the edit";
    EXPECT_EQ(beta->Text(), "gamma");
    EXPECT_TRUE(fs::is_directory(m_root / "gamma"));
    EXPECT_FALSE(fs::exists(m_root / "beta"));
    EXPECT_EQ(window->NodePath(beta), m_root / "gamma");
    EXPECT_EQ(window->PathLabel->Caption(), (m_root / "gamma").string());
    EXPECT_TRUE(tree->Focused());
    // The label is drawn selected again, with the new name.
    EXPECT_TRUE(Pump([&] { return Pixel(Screen(tree, label.Left + 3, label.Top + 2)) == Rgb(gfx::clHighlight); }));
}

}  // namespace
