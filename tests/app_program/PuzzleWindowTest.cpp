// The sliding puzzle's window on the headless backend: the form with the default skin, moves by
// mouse and keyboard, the solved message, and numbered tiles when the picture cannot be read.

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "TestFiles.h"
#include "app/puzzle-demo/PuzzleWindow.h"
#include "app/puzzle-demo/SlidingBoardView.h"
#include "platform/forms/Application.h"
#include "platform/forms/Screen.h"
#include "platform/gfx/Jpeg.h"
#include "platform/ui/Messages.h"
#include "skin/controls/bsSkinCtrlsLabels.h"
#include "skin/form/bsMessages.h"
#include "skin/form/bsSkinFormRegister.h"
#include "support/HeadlessFixture.h"

namespace {

using namespace program_test;
using app::puzzle::TPuzzleWindow;
using app::puzzle::TSlidingBoard;
using app::puzzle::TSlidingBoardView;

class PuzzleWindowTest : public vktest::HeadlessFixture {
protected:
    void SetUp() override {
        HeadlessFixture::SetUp();
        m_application = std::make_unique<platform::forms::TApplication>();
        skin::RegisterSkinFormClasses();
        TSlidingBoardView::Register();
        Session().SetIdleHook([this](platform::ui::headless::THeadlessSession& s) {
            auto* form = dynamic_cast<skin::TbsMessageForm*>(platform::forms::Screen->ActiveForm());
            if (!form) return false;
            Messages.push_back(form->MessageLabel() ? form->MessageLabel()->Caption() : "");
            s.KeyPress(platform::ui::VK_RETURN);
            return true;
        });
    }
    void TearDown() override {
        m_application.reset();
        HeadlessFixture::TearDown();
    }

    TPuzzleWindow& Open(const std::string& picture, int size, uint32_t seed) {
        m_window = TPuzzleWindow::Create(m_application.get(), {picture, size, seed});
        m_application->SetMainForm(m_window);
        m_window->Show();
        ProcessMessages();
        return *m_window;
    }

    // A picture whose every pixel differs from its neighbours' colours in a known way.
    std::string WritePicture() {
        platform::gfx::TBitmap b(150, 150);
        for (int y = 0; y < 150; ++y)
            for (int x = 0; x < 150; ++x)
                b.SetPixel(x, y, platform::gfx::RGB(x * 255 / 149, y * 255 / 149, 128));
        const std::string path = m_dir.Path() + "/preview.jpg";
        platform::gfx::SaveJpeg(b, path, 95);
        return path;
    }

    void ClickCell(TSlidingBoardView& board, int cell) {
        const platform::core::TRect r = board.CellRect(cell);
        Session().Click(board.ClientToScreen({(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2}));
    }

    std::vector<std::string> Messages;

private:
    TempDir m_dir;
    std::unique_ptr<platform::forms::TApplication> m_application;
    TPuzzleWindow* m_window = nullptr;
};

// The cells to click, one tile each, that solve a 3 × 3 board (breadth-first over all orders).
std::vector<int> SolveClicks(const TSlidingBoard& board) {
    std::vector<int> start;
    for (int i = 0; i < 9; ++i) start.push_back(board.TileAt(i));
    std::vector<int> goal{0, 1, 2, 3, 4, 5, 6, 7, TSlidingBoard::kGap};
    std::map<std::vector<int>, std::pair<std::vector<int>, int>> from{{start, {{}, -1}}};
    std::deque<std::vector<int>> queue{start};
    while (!queue.empty() && !from.count(goal)) {
        const std::vector<int> s = queue.front();
        queue.pop_front();
        const int gap = static_cast<int>(std::find(s.begin(), s.end(), TSlidingBoard::kGap) - s.begin());
        for (int cell : {gap - 3, gap + 3, gap % 3 > 0 ? gap - 1 : -1, gap % 3 < 2 ? gap + 1 : -1}) {
            if (cell < 0 || cell > 8) continue;
            std::vector<int> n = s;
            std::swap(n[gap], n[cell]);
            if (from.emplace(n, std::make_pair(s, cell)).second) queue.push_back(n);
        }
    }
    std::vector<int> clicks;
    for (std::vector<int> s = goal; s != start; s = from[s].first)
        clicks.insert(clicks.begin(), from[s].second);
    return clicks;
}

TEST_F(PuzzleWindowTest, MovesByMouseAndKeysUntilSolvedThenThePictureShowsWhole) {
    auto& w = Open(WritePicture(), 3, 7);
    ASSERT_TRUE(w.HasPicture());
    EXPECT_NE(w.Caption().find("Beginner"), std::string::npos);
    TSlidingBoardView& board = *w.board;
    EXPECT_EQ(board.Board().Size(), 3);
    EXPECT_FALSE(board.Board().IsSolved());
    EXPECT_EQ(w.lblMoves->Caption(), "Moves / Z\xC3\xBCge: 0");

    // A click off the gap's row and column does nothing; one in it slides.
    const int gap = board.Board().GapCell();
    const int corner = (gap % 3 == 0 ? 2 : 0) + (gap / 3 == 0 ? 6 : 0);
    ClickCell(board, corner);
    EXPECT_EQ(board.Board().Moves(), 0);
    const int neighbour = gap % 3 > 0 ? gap - 1 : gap + 1;
    const int tile = board.Board().TileAt(neighbour);
    ClickCell(board, neighbour);
    EXPECT_EQ(board.Board().TileAt(gap), tile);
    EXPECT_EQ(w.lblMoves->Caption(), "Moves / Z\xC3\xBCge: 1");
    // The board has the focus; an arrow key slides the tile back.
    EXPECT_TRUE(board.Focused());
    Session().KeyPress(gap % 3 > 0 ? platform::ui::VK_LEFT : platform::ui::VK_RIGHT);
    EXPECT_EQ(board.Board().TileAt(neighbour), tile);
    EXPECT_EQ(board.Board().Moves(), 2);

    for (int cell : SolveClicks(board.Board())) ClickCell(board, cell);
    EXPECT_TRUE(board.Solved());
    ASSERT_EQ(Messages.size(), 1u);
    const std::string moves = std::to_string(board.Board().Moves());
    EXPECT_EQ(Messages[0], "Solved in " + moves + " moves!\r\rGel\xC3\xB6st in " + moves + " Z\xC3\xBCgen!");
    // Where the gap was, the picture's own corner shows (its bottom right is yellow-ish white).
    const platform::core::TRect last = board.CellRect(8);
    const platform::core::TPoint p = board.ClientToScreen({last.Right - 4, last.Bottom - 4});
    EXPECT_TRUE(Near(Session().ScreenPixel(p.X, p.Y), platform::gfx::RGB(250, 250, 128), 24));
    // No more moves once solved.
    ClickCell(board, 7);
    EXPECT_TRUE(board.Board().IsSolved());
}

TEST_F(PuzzleWindowTest, SizeFollowsTheSeverityAndShuffleStartsAgain) {
    for (int size : {5, 7, 12}) {
        auto& w = Open(WritePicture(), size, 3);
        const int expected = std::min(size, 7);
        EXPECT_EQ(w.board->Board().Size(), expected);
        EXPECT_NE(w.Caption().find(app::puzzle::SeverityOfSize(expected)), std::string::npos);
        EXPECT_NE(
            w.lblLevel->Caption().find(std::to_string(expected) + " \xC3\x97 " + std::to_string(expected)),
            std::string::npos);
        w.Close();
        ProcessMessages();
    }
    auto& w = Open(WritePicture(), 4, 3);
    ClickCell(*w.board, w.board->Board().GapCell() - 1);
    EXPECT_EQ(w.board->Board().Moves(), 1);
    Session().Click(w.btnShuffle->ClientToScreen({20, 10}));
    EXPECT_EQ(w.board->Board().Moves(), 0);
    EXPECT_FALSE(w.board->Board().IsSolved());
}

TEST_F(PuzzleWindowTest, WithoutAReadablePictureTheTilesAreNumbered) {
    auto& w = Open("/nonexistent/preview.jpg", 4, 1);
    EXPECT_FALSE(w.HasPicture());
    EXPECT_NE(w.lblHint->Caption().find("cannot be read"), std::string::npos);
    // A tile face is drawn (not the board's or the gap's dark colour) and the game works.
    const int cell = w.board->Board().GapCell() == 0 ? 1 : 0;
    const platform::core::TRect r = w.board->CellRect(cell);
    const platform::core::TPoint p = w.board->ClientToScreen({r.Left + 3, r.Top + r.Height() / 2});
    const platform::gfx::TColor face = Session().ScreenPixel(p.X, p.Y);
    EXPECT_GT(platform::gfx::GetBValue(face), 120);
    EXPECT_TRUE(Messages.empty());
}

}  // namespace
