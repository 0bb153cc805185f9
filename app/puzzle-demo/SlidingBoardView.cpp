#include "app/puzzle-demo/SlidingBoardView.h"

#include <algorithm>
#include <string>

#include "app/puzzle-demo/PictureScale.h"
#include "platform/forms/PropertyTable.h"
#include "platform/gfx/Canvas.h"
#include "platform/ui/Messages.h"

namespace app::puzzle {

namespace forms = platform::forms;
namespace gfx = platform::gfx;
using platform::core::TPoint;
using platform::core::TRect;

namespace {

constexpr gfx::TColor kBoardColor = gfx::RGB(30, 35, 44);
constexpr gfx::TColor kGapColor = gfx::RGB(18, 21, 27);
constexpr gfx::TColor kAccent = gfx::RGB(64, 156, 255);
constexpr int kLine = 2;    // the line between tiles
constexpr int kMargin = 4;  // room around the tiles for the focus frame

uint32_t ToPixel(gfx::TColor c) {
    return (static_cast<uint32_t>(gfx::GetRValue(c)) << 16) |
           (static_cast<uint32_t>(gfx::GetGValue(c)) << 8) | static_cast<uint32_t>(gfx::GetBValue(c));
}

// Mixes a pixel towards white (amount > 0) or black (amount < 0), amount in 0..256.
uint32_t Shade(uint32_t p, int amount) {
    uint32_t out = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const int v = static_cast<int>((p >> shift) & 0xFF);
        const int mixed = amount >= 0 ? v + (255 - v) * amount / 256 : v + v * amount / 256;
        out |= static_cast<uint32_t>(std::clamp(mixed, 0, 255)) << shift;
    }
    return out;
}

void FillBitmap(gfx::TBitmap& b, const TRect& r, uint32_t pixel) {
    const TRect c{std::max(r.Left, 0), std::max(r.Top, 0), std::min(r.Right, b.Width()),
                  std::min(r.Bottom, b.Height())};
    if (c.Left >= c.Right || c.Top >= c.Bottom) return;
    for (int y = c.Top; y < c.Bottom; ++y) std::fill(b.ScanLine(y) + c.Left, b.ScanLine(y) + c.Right, pixel);
}

}  // namespace

TSlidingBoardView::TSlidingBoardView(forms::TComponent* owner)
    : TCustomControl(owner), m_board(std::make_unique<TSlidingBoard>(TSlidingBoard::kMinSize)) {
    m_width = 420;
    m_height = 420;
    m_controlStyle |= forms::csOpaque;
    m_controlStyle &= ~forms::csDoubleClicks;
    SetTabStop(true);
}

void TSlidingBoardView::Register() {
    auto& registry = forms::TClassRegistry::Instance();
    if (registry.Find("TSlidingBoardView")) return;
    registry.Register<TSlidingBoardView>("TSlidingBoardView", "TCustomControl");
}

void TSlidingBoardView::NewGame(int size, uint32_t seed) {
    m_board = std::make_unique<TSlidingBoard>(size);
    RebuildFaces();
    Shuffle(seed);
}

void TSlidingBoardView::Shuffle(uint32_t seed) {
    // Enough random moves that no tile stays near home, at every size.
    m_board->Shuffle(seed, m_board->CellCount() * 25);
    m_solved = false;
    m_hotCell = -1;
    Invalidate();
    if (OnMove) OnMove();
}

void TSlidingBoardView::SetPicture(const gfx::TBitmap& picture) {
    m_picture = picture;
    RebuildFaces();
    Invalidate();
}

int TSlidingBoardView::Pitch() const {
    return std::max(1, (std::min(ClientWidth(), ClientHeight()) - 2 * kMargin) / m_board->Size());
}

TPoint TSlidingBoardView::Origin() const {
    const int side = Pitch() * m_board->Size();
    return {(ClientWidth() - side) / 2, (ClientHeight() - side) / 2};
}

TRect TSlidingBoardView::CellRect(int cell) const {
    const int p = Pitch();
    const TPoint o = Origin();
    const int col = cell % m_board->Size();
    const int row = cell / m_board->Size();
    return {o.X + col * p + kLine / 2, o.Y + row * p + kLine / 2, o.X + (col + 1) * p - kLine / 2,
            o.Y + (row + 1) * p - kLine / 2};
}

int TSlidingBoardView::CellAt(int x, int y) const {
    for (int cell = 0; cell < m_board->CellCount(); ++cell) {
        const TRect r = CellRect(cell);
        if (x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom) return cell;
    }
    return -1;
}

void TSlidingBoardView::BoundsChanged() {
    TCustomControl::BoundsChanged();
    RebuildFaces();
}

void TSlidingBoardView::RebuildFaces() {
    const int side = Pitch() * m_board->Size();
    m_faces = ScaleToCover(m_picture, side, side);
}

void TSlidingBoardView::DrawTile(gfx::TBitmap& target, int tile, const TRect& r, bool hot) const {
    const int size = m_board->Size();
    if (!m_faces.Empty()) {
        const TRect home = CellRect(tile);
        const TPoint o = Origin();
        for (int y = r.Top; y < r.Bottom; ++y) {
            const uint32_t* src = m_faces.ScanLine(home.Top - o.Y + (y - r.Top));
            std::copy(src + (home.Left - o.X), src + (home.Left - o.X) + r.Width(),
                      target.ScanLine(y) + r.Left);
        }
    } else {
        // Without a picture: a gradient face whose shade tells the row, and the tile's number.
        const int row = tile / size;
        const uint32_t base = ToPixel(gfx::RGB(52 + row * 12, 98 + row * 8, 160 + row * 6));
        for (int y = r.Top; y < r.Bottom; ++y)
            std::fill(target.ScanLine(y) + r.Left, target.ScanLine(y) + r.Right,
                      Shade(base, 60 - 110 * (y - r.Top) / std::max(1, r.Height())));
        gfx::TCanvas c(target);
        c.Brush.Style = gfx::TBrushStyle::bsClear;
        c.Font.SetName("Arial");
        c.Font.SetHeight(-std::max(12, r.Height() * 2 / 5));
        c.Font.SetStyle(gfx::fsBold);
        c.Font.SetColor(gfx::clWhite);
        TRect text = r;
        c.DrawText(std::to_string(tile + 1), text, gfx::DT_CENTER | gfx::DT_VCENTER | gfx::DT_SINGLELINE);
    }
    // A raised edge: light on the top and left, dark on the bottom and right.
    for (int x = r.Left; x < r.Right; ++x) {
        target.ScanLine(r.Top)[x] = Shade(target.ScanLine(r.Top)[x], 110);
        target.ScanLine(r.Bottom - 1)[x] = Shade(target.ScanLine(r.Bottom - 1)[x], -120);
    }
    for (int y = r.Top + 1; y < r.Bottom - 1; ++y) {
        target.ScanLine(y)[r.Left] = Shade(target.ScanLine(y)[r.Left], 90);
        target.ScanLine(y)[r.Right - 1] = Shade(target.ScanLine(y)[r.Right - 1], -110);
    }
    if (hot) {
        const uint32_t accent = ToPixel(kAccent);
        for (int i = 0; i < 2; ++i) {
            const TRect f{r.Left + i, r.Top + i, r.Right - i, r.Bottom - i};
            FillBitmap(target, {f.Left, f.Top, f.Right, f.Top + 1}, accent);
            FillBitmap(target, {f.Left, f.Bottom - 1, f.Right, f.Bottom}, accent);
            FillBitmap(target, {f.Left, f.Top, f.Left + 1, f.Bottom}, accent);
            FillBitmap(target, {f.Right - 1, f.Top, f.Right, f.Bottom}, accent);
        }
    }
}

void TSlidingBoardView::Paint() {
    const int w = ClientWidth();
    const int h = ClientHeight();
    if (w <= 0 || h <= 0) return;
    gfx::TBitmap buffer(w, h);
    FillBitmap(buffer, {0, 0, w, h}, ToPixel(kBoardColor));
    const int side = Pitch() * m_board->Size();
    const TPoint o = Origin();
    if (m_solved && !m_faces.Empty()) {
        gfx::TCanvas c(buffer);
        c.Draw(o.X, o.Y, m_faces);
    } else {
        for (int cell = 0; cell < m_board->CellCount(); ++cell) {
            const TRect r = CellRect(cell);
            const int tile = m_board->TileAt(cell);
            if (tile == TSlidingBoard::kGap) {
                // Solved without a picture: the last tile comes back to fill the gap.
                if (m_solved)
                    DrawTile(buffer, m_board->CellCount() - 1, r, false);
                else
                    FillBitmap(buffer, r, ToPixel(kGapColor));
            } else {
                DrawTile(buffer, tile, r, cell == m_hotCell && !m_solved);
            }
        }
    }
    if (Focused()) {
        const uint32_t accent = ToPixel(kAccent);
        const TRect f{o.X - 3, o.Y - 3, o.X + side + 3, o.Y + side + 3};
        FillBitmap(buffer, {f.Left, f.Top, f.Right, f.Top + 1}, accent);
        FillBitmap(buffer, {f.Left, f.Bottom - 1, f.Right, f.Bottom}, accent);
        FillBitmap(buffer, {f.Left, f.Top, f.Left + 1, f.Bottom}, accent);
        FillBitmap(buffer, {f.Right - 1, f.Top, f.Right, f.Bottom}, accent);
    }
    Canvas().Draw(0, 0, buffer);
}

void TSlidingBoardView::Moved() {
    m_hotCell = -1;
    Invalidate();
    if (OnMove) OnMove();
    if (m_board->IsSolved()) {
        m_solved = true;
        Invalidate();
        if (OnSolved) OnSolved();
    }
}

void TSlidingBoardView::MouseDown(forms::TMouseButton button, forms::TShiftState shift, int x, int y) {
    if (CanFocus() && !Focused()) SetFocus();
    if (button == forms::mbLeft && !m_solved && m_board->SlideFrom(CellAt(x, y))) Moved();
    TCustomControl::MouseDown(button, shift, x, y);
}

void TSlidingBoardView::MouseMove(forms::TShiftState shift, int x, int y) {
    const int cell = CellAt(x, y);
    const int hot = !m_solved && m_board->CanSlideFrom(cell) ? cell : -1;
    if (hot != m_hotCell) {
        m_hotCell = hot;
        Invalidate();
    }
    TCustomControl::MouseMove(shift, x, y);
}

void TSlidingBoardView::CMMouseLeave(forms::TMessage& message) {
    TCustomControl::CMMouseLeave(message);
    if (m_hotCell != -1) {
        m_hotCell = -1;
        Invalidate();
    }
}

void TSlidingBoardView::KeyDown(uint16_t& key, forms::TShiftState shift) {
    TCustomControl::KeyDown(key, shift);
    if (m_solved) return;
    // The arrow points where the tile goes: Left moves the tile right of the gap.
    int dx = 0;
    int dy = 0;
    switch (key) {
        case platform::ui::VK_LEFT:
            dx = 1;
            break;
        case platform::ui::VK_RIGHT:
            dx = -1;
            break;
        case platform::ui::VK_UP:
            dy = 1;
            break;
        case platform::ui::VK_DOWN:
            dy = -1;
            break;
        default:
            return;
    }
    key = 0;
    if (m_board->SlideTowardsGap(dx, dy)) Moved();
}

void TSlidingBoardView::WMGetDlgCode(forms::TMessage& message) {
    message.Result = forms::DLGC_WANTARROWS;
}

void TSlidingBoardView::WMSetFocus(forms::TMessage& message) {
    TCustomControl::WMSetFocus(message);
    Invalidate();
}

void TSlidingBoardView::WMKillFocus(forms::TMessage& message) {
    TCustomControl::WMKillFocus(message);
    Invalidate();
}

}  // namespace app::puzzle
