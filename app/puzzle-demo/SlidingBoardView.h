#pragma once
// The board on the screen: tiles cut from the puzzle picture (or numbered tiles when there is
// no picture), a click on a tile in the gap's row or column slides it, the arrow keys slide the
// tile on that side of the gap into it. The tile under the pointer that can move is outlined.
// Once solved the whole picture shows and the board takes no more moves until shuffled again.

#include <functional>
#include <memory>

#include "app/puzzle-demo/SlidingBoard.h"
#include "platform/forms/CustomControl.h"
#include "platform/gfx/Bitmap.h"

namespace app::puzzle {

class TSlidingBoardView : public platform::forms::TCustomControl {
public:
    explicit TSlidingBoardView(platform::forms::TComponent* owner);

    // Makes the class known to form resources (safe to call more than once).
    static void Register();

    // A new board of that size, shuffled (the seed makes the order repeatable).
    void NewGame(int size, uint32_t seed);
    void Shuffle(uint32_t seed);
    // The picture the tiles are cut from; an empty one gives numbered tiles.
    void SetPicture(const platform::gfx::TBitmap& picture);
    [[nodiscard]] const TSlidingBoard& Board() const { return *m_board; }
    [[nodiscard]] bool Solved() const { return m_solved; }
    // The cell at a client point, or -1 (outside the board or in the line between tiles).
    [[nodiscard]] int CellAt(int x, int y) const;
    [[nodiscard]] platform::core::TRect CellRect(int cell) const;

    // After every move.
    std::function<void()> OnMove;
    // Once, on the move that solves the board.
    std::function<void()> OnSolved;

protected:
    void Paint() override;
    void MouseDown(platform::forms::TMouseButton button, platform::forms::TShiftState shift, int x,
                   int y) override;
    void MouseMove(platform::forms::TShiftState shift, int x, int y) override;
    void KeyDown(uint16_t& key, platform::forms::TShiftState shift) override;
    void CMMouseLeave(platform::forms::TMessage& message) override;
    void WMGetDlgCode(platform::forms::TMessage& message) override;
    void WMSetFocus(platform::forms::TMessage& message) override;
    void WMKillFocus(platform::forms::TMessage& message) override;
    void BoundsChanged() override;

private:
    [[nodiscard]] int Pitch() const;
    [[nodiscard]] platform::core::TPoint Origin() const;
    void Moved();
    void RebuildFaces();
    void DrawTile(platform::gfx::TBitmap& target, int tile, const platform::core::TRect& r, bool hot) const;

    std::unique_ptr<TSlidingBoard> m_board;
    platform::gfx::TBitmap m_picture;
    platform::gfx::TBitmap m_faces;  // the picture scaled to the board
    int m_hotCell = -1;
    bool m_solved = false;
};

}  // namespace app::puzzle
