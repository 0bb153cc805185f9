// Randomised checks of every composer against a list of the pieces it must draw: each destination
// pixel must come from the last piece that covers it, tiles must repeat without scaling, and
// nothing may be read from outside the piece (and so from outside the skin rectangle).

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "DrawTestSupport.h"
#include "skin/data/bsUtilsDrawCompose.h"

namespace skin {
namespace {

using test::DecodePosition;
using test::PositionPicture;

enum class TKind { Tiled, Scaled };
struct TPiece {
    TRect Dest;
    TRect Source;
    TKind Kind = TKind::Tiled;
};

int Mod(int a, int m) {
    return ((a % m) + m) % m;
}

class TPieces {
public:
    void Add(const TRect& d, const TRect& s, TKind kind = TKind::Tiled) {
        if (d.IsEmpty() || s.IsEmpty()) return;
        m_pieces.push_back({d, s, kind});
    }

    // Checks every pixel of dest; returns a description of the first mismatch, or "".
    [[nodiscard]] std::string Check(const TBitmap& dest, const TRect& skin) const {
        for (int y = 0; y < dest.Height(); ++y)
            for (int x = 0; x < dest.Width(); ++x) {
                const TPiece* owner = nullptr;
                for (const TPiece& p : m_pieces)
                    if (p.Dest.Contains({x, y})) owner = &p;
                const auto got = DecodePosition(dest.ScanLine(y)[x]);
                const std::string at = " at " + std::to_string(x) + "," + std::to_string(y);
                if (!owner) {
                    if (got) return "written outside every piece" + at;
                    continue;
                }
                if (!got) return "not written" + at;
                if (!got->Inside || !skin.Contains(got->Pos)) return "read outside the skin rectangle" + at;
                if (!owner->Source.Contains(got->Pos)) return "read outside its piece" + at;
                if (owner->Kind == TKind::Tiled) {
                    const TPoint want{owner->Source.Left + Mod(x - owner->Dest.Left, owner->Source.Width()),
                                      owner->Source.Top + Mod(y - owner->Dest.Top, owner->Source.Height())};
                    if (!(got->Pos == want))
                        return "tile offset wrong" + at + ": got " + std::to_string(got->Pos.X) + "," +
                               std::to_string(got->Pos.Y) + " want " + std::to_string(want.X) + "," +
                               std::to_string(want.Y);
                }
            }
        return {};
    }

private:
    std::vector<TPiece> m_pieces;
};

struct TCase {
    TRect Skin;
    int PictureW = 0, PictureH = 0;
    TbsFrameGeometry G, Ng;
    int W = 0, H = 0;
};

int Pick(std::mt19937& rnd, int lo, int hi) {
    return std::uniform_int_distribution<int>(lo, hi)(rnd);
}

// A skin rectangle somewhere in a larger picture with any consistent points, and a new size whose
// points follow the right and bottom edges, as controls and frames use them.
TCase MakeFrameCase(std::mt19937& rnd) {
    TCase c;
    const int rw = Pick(rnd, 4, 48), rh = Pick(rnd, 4, 48);
    const int ml = Pick(rnd, 0, 8), mt = Pick(rnd, 0, 8);
    c.Skin = {ml, mt, ml + rw, mt + rh};
    c.PictureW = ml + rw + Pick(rnd, 0, 8);
    c.PictureH = mt + rh + Pick(rnd, 0, 8);
    TbsFrameGeometry& g = c.G;
    const int cl = Pick(rnd, 0, rw / 2 - 1), cr = Pick(rnd, cl + 1, rw);
    const int ct = Pick(rnd, 0, rh / 2 - 1), cb = Pick(rnd, ct + 1, rh);
    g.ClientRect = {cl, ct, cr, cb};
    auto span = [&](int size, int& a, int& b) {
        a = Pick(rnd, 0, size - 1);
        b = Pick(rnd, a + 1, size);
    };
    span(rw, g.LeftTop.X, g.RightTop.X);
    span(rw, g.LeftBottom.X, g.RightBottom.X);
    span(rh, g.LeftTop.Y, g.LeftBottom.Y);
    span(rh, g.RightTop.Y, g.RightBottom.Y);
    const int minX = std::min({g.RightTop.X - g.LeftTop.X, g.RightBottom.X - g.LeftBottom.X, cr - cl});
    const int minY = std::min({g.LeftBottom.Y - g.LeftTop.Y, g.RightBottom.Y - g.RightTop.Y, cb - ct});
    const int dw = Pick(rnd, -minX, 70), dh = Pick(rnd, -minY, 70);
    c.W = rw + dw;
    c.H = rh + dh;
    c.Ng = g;
    c.Ng.RightTop.X += dw;
    c.Ng.RightBottom.X += dw;
    c.Ng.RightBottom.Y += dh;
    c.Ng.LeftBottom.Y += dh;
    c.Ng.ClientRect.Right += dw;
    c.Ng.ClientRect.Bottom += dh;
    return c;
}

TPieces FramePieces(const TCase& c, bool drawClient, const TbsStretchEdges& st, bool openRight) {
    const TRect& r = c.Skin;
    const TbsFrameGeometry &g = c.G, &n = c.Ng;
    const TRect &cl = g.ClientRect, &ncl = n.ClientRect;
    const int w = c.W, h = c.H;
    TPieces p;
    if (g.RightBottom.X == g.LeftTop.X || g.RightBottom.Y == g.LeftTop.Y) return p;  // nothing drawn
    auto edge = [&](bool stretched, const TRect& d, const TRect& s) {
        p.Add(d, s, stretched ? TKind::Scaled : TKind::Tiled);
    };
    const int topEnd = openRight ? w : n.RightTop.X;
    const int bottomEnd = openRight ? w : n.RightBottom.X;
    edge(st.Top && !openRight, {n.LeftTop.X, 0, topEnd, ncl.Top},
         {r.Left + g.LeftTop.X, r.Top, r.Left + g.RightTop.X, r.Top + cl.Top});
    edge(st.Bottom && !openRight, {n.LeftBottom.X, ncl.Bottom, bottomEnd, h},
         {r.Left + g.LeftBottom.X, r.Top + cl.Bottom, r.Left + g.RightBottom.X, r.Bottom});
    edge(st.Left && !openRight, {0, n.LeftTop.Y, ncl.Left, n.LeftBottom.Y},
         {r.Left, r.Top + g.LeftTop.Y, r.Left + cl.Left, r.Top + g.LeftBottom.Y});
    if (!openRight)
        edge(st.Right, {ncl.Right, n.RightTop.Y, w, n.RightBottom.Y},
             {r.Left + cl.Right, r.Top + g.RightTop.Y, r.Right, r.Top + g.RightBottom.Y});
    p.Add({0, 0, n.LeftTop.X, ncl.Top}, {r.Left, r.Top, r.Left + g.LeftTop.X, r.Top + cl.Top});
    p.Add({0, ncl.Top, ncl.Left, n.LeftTop.Y},
          {r.Left, r.Top + cl.Top, r.Left + cl.Left, r.Top + g.LeftTop.Y});
    if (!openRight) {
        p.Add({n.RightTop.X, 0, w, ncl.Top}, {r.Left + g.RightTop.X, r.Top, r.Right, r.Top + cl.Top});
        p.Add({ncl.Right, ncl.Top, w, n.RightTop.Y},
              {r.Left + cl.Right, r.Top + cl.Top, r.Right, r.Top + g.RightTop.Y});
    }
    p.Add({0, n.LeftBottom.Y, ncl.Left, h}, {r.Left, r.Top + g.LeftBottom.Y, r.Left + cl.Left, r.Bottom});
    p.Add({ncl.Left, ncl.Bottom, n.LeftBottom.X, h},
          {r.Left + cl.Left, r.Top + cl.Bottom, r.Left + g.LeftBottom.X, r.Bottom});
    if (!openRight) {
        p.Add({n.RightBottom.X, ncl.Bottom, w, h},
              {r.Left + g.RightBottom.X, r.Top + cl.Bottom, r.Right, r.Bottom});
        p.Add({ncl.Right, n.RightBottom.Y, w, ncl.Bottom},
              {r.Left + cl.Right, r.Top + g.RightBottom.Y, r.Right, r.Top + cl.Bottom});
    }
    if (drawClient)
        p.Add({ncl.Left, ncl.Top, openRight ? w : ncl.Right, ncl.Bottom}, cl.Offset(r.Left, r.Top));
    return p;
}

constexpr int kCases = 250;

TEST(ComposeModel, FrameImageEveryPixelFromItsPiece) {
    std::mt19937 rnd(20240611);
    for (int i = 0; i < kCases; ++i) {
        const TCase c = MakeFrameCase(rnd);
        const bool drawClient = Pick(rnd, 0, 3) != 0;
        const int flags = Pick(rnd, 0, 15);
        const TbsStretchEdges st{(flags & 1) != 0, (flags & 2) != 0, (flags & 4) != 0, (flags & 8) != 0};
        TBitmap source = PositionPicture(c.PictureW, c.PictureH, c.Skin);
        TBitmap dest;
        ComposeFrameImage(dest, source, c.Skin, c.G, c.W, c.H, c.Ng, drawClient, st);
        ASSERT_EQ(dest.Width(), c.W);
        ASSERT_EQ(dest.Height(), c.H);
        ASSERT_EQ(FramePieces(c, drawClient, st, false).Check(dest, c.Skin), "") << "case " << i;
    }
}

TEST(ComposeModel, TiledAndOpenRightFramesEveryPixelFromItsPiece) {
    std::mt19937 rnd(7);
    for (int i = 0; i < kCases; ++i) {
        const TCase c = MakeFrameCase(rnd);
        TBitmap source = PositionPicture(c.PictureW, c.PictureH, c.Skin);
        TBitmap dest;
        ComposeFrameImageTiled(dest, source, c.Skin, c.G, c.W, c.H, c.Ng, true);
        ASSERT_EQ(FramePieces(c, true, {}, false).Check(dest, c.Skin), "") << "tiled case " << i;
        TBitmap open;
        ComposeFrameImageOpenRight(open, source, c.Skin, c.G, c.W, c.H, c.Ng, true);
        ASSERT_EQ(FramePieces(c, true, {}, true).Check(open, c.Skin), "") << "open case " << i;
    }
}

TEST(ComposeModel, FrameWithEveryPixelCoveredLeavesNoGap) {
    // With the client drawn and no middle shrunk below zero, the pieces cover the whole image.
    std::mt19937 rnd(99);
    for (int i = 0; i < 100; ++i) {
        const TCase c = MakeFrameCase(rnd);
        if (c.G.RightBottom.X == c.G.LeftTop.X || c.G.RightBottom.Y == c.G.LeftTop.Y) continue;
        TBitmap source = PositionPicture(c.PictureW, c.PictureH, c.Skin);
        TBitmap dest;
        ComposeFrameImageTiled(dest, source, c.Skin, c.G, c.W, c.H, c.Ng, true);
        for (int y = 0; y < dest.Height(); ++y)
            for (int x = 0; x < dest.Width(); ++x)
                ASSERT_TRUE(DecodePosition(dest.ScanLine(y)[x])) << "case " << i << " at " << x << "," << y;
    }
}

TEST(ComposeModel, ThreePartImagesEveryPixelFromItsPiece) {
    std::mt19937 rnd(31337);
    for (int i = 0; i < kCases; ++i) {
        const int rw = Pick(rnd, 1, 40), rh = Pick(rnd, 1, 40);
        const TRect r{Pick(rnd, 0, 6), Pick(rnd, 0, 6), 0, 0};
        const TRect skin{r.Left, r.Top, r.Left + rw, r.Top + rh};
        TBitmap source = PositionPicture(skin.Right + Pick(rnd, 0, 6), skin.Bottom + Pick(rnd, 0, 6), skin);

        const int a = Pick(rnd, 0, rw), b = Pick(rnd, 0, rw - a), w = Pick(rnd, 0, 3 * rw + 5);
        TBitmap dest;
        ComposeHorzImage(dest, source, skin, a, b, w);
        ASSERT_EQ(dest.Width(), w);
        ASSERT_EQ(dest.Height(), rh);
        TPieces horz;
        horz.Add({0, 0, a, rh}, {skin.Left, skin.Top, skin.Left + a, skin.Bottom});
        horz.Add({w - b, 0, w, rh}, {skin.Right - b, skin.Top, skin.Right, skin.Bottom});
        horz.Add({a, 0, w - b, rh}, {skin.Left + a, skin.Top, skin.Right - b, skin.Bottom});
        ASSERT_EQ(horz.Check(dest, skin), "") << "horz case " << i;

        dest = TBitmap();
        ComposeHorzImageOpenRight(dest, source, skin, a, b, w);
        TPieces open;
        open.Add({0, 0, a, rh}, {skin.Left, skin.Top, skin.Left + a, skin.Bottom});
        open.Add({a, 0, w, rh}, {skin.Left + a, skin.Top, skin.Right - b, skin.Bottom});
        ASSERT_EQ(open.Check(dest, skin), "") << "open case " << i;

        const int t = Pick(rnd, 0, rh), bt = Pick(rnd, 0, rh - t), h = Pick(rnd, 0, 3 * rh + 5);
        dest = TBitmap();
        ComposeVertImage(dest, source, skin, t, bt, h);
        ASSERT_EQ(dest.Width(), rw);
        ASSERT_EQ(dest.Height(), h);
        TPieces vert;
        vert.Add({0, 0, rw, t}, {skin.Left, skin.Top, skin.Right, skin.Top + t});
        vert.Add({0, h - bt, rw, h}, {skin.Left, skin.Bottom - bt, skin.Right, skin.Bottom});
        vert.Add({0, t, rw, h - bt}, {skin.Left, skin.Top + t, skin.Right, skin.Bottom - bt});
        ASSERT_EQ(vert.Check(dest, skin), "") << "vert case " << i;
    }
}

}  // namespace
}  // namespace skin
