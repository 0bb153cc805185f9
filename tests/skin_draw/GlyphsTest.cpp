#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "skin/data/bsUtilsGlyphs.h"

namespace skin {
namespace {

using platform::core::TPoint;
using platform::gfx::clBlack;
using platform::gfx::clFuchsia;
using platform::gfx::clGreen;
using platform::gfx::clRed;
using platform::gfx::clWhite;

TBitmap White(int w, int h) {
    TBitmap b(w, h);
    b.Canvas().Brush.Color = clWhite;
    b.Canvas().FillRect({0, 0, w, h});
    return b;
}

std::vector<TPoint> BlackPixels(const TBitmap& b) {
    std::vector<TPoint> points;
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x)
            if (b.Pixel(x, y) == clBlack) points.push_back({x, y});
    return points;
}

std::vector<TPoint> Ink(const TBitmap& b) {
    std::vector<TPoint> points;
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x)
            if (b.Pixel(x, y) != clWhite) points.push_back({x, y});
    return points;
}

// Number of black pixels per column (or row) over a range.
std::vector<int> Counts(const TBitmap& b, bool columns, int from, int to) {
    std::vector<int> counts;
    for (int i = from; i < to; ++i) {
        int n = 0;
        for (int j = 0; j < (columns ? b.Height() : b.Width()); ++j)
            n += (columns ? b.Pixel(i, j) : b.Pixel(j, i)) == clBlack ? 1 : 0;
        counts.push_back(n);
    }
    return counts;
}

TEST(FitTextWithEllipsis, KeepsFittingTextAndShortensTheRest) {
    TBitmap b = White(10, 10);
    TCanvas& c = b.Canvas();
    const std::string original = "Puzzle browser settings";
    const int full = c.TextWidth(original);
    ASSERT_GT(full, 0);

    std::string text = original;
    FitTextWithEllipsis(c, text, full);
    EXPECT_EQ(text, original);

    text = original;
    FitTextWithEllipsis(c, text, full - 1);
    ASSERT_GE(text.size(), 3u);
    EXPECT_EQ(text.substr(text.size() - 3), "...");
    const std::string kept = text.substr(0, text.size() - 3);
    EXPECT_EQ(original.compare(0, kept.size(), kept), 0);
    EXPECT_LT(kept.size(), original.size());
    EXPECT_LE(c.TextWidth(text), full - 1);
    // The longest remainder that fits: one more character would not.
    EXPECT_GT(c.TextWidth(original.substr(0, kept.size() + 1) + "..."), full - 1);

    text = original;
    FitTextWithEllipsis(c, text, 0);
    EXPECT_EQ(text, "...");

    // Characters are dropped whole, never byte by byte.
    const std::string umlauts = "\xC3\x84\xC3\x96\xC3\x9C\xC3\xA4\xC3\xB6\xC3\xBC\xC3\x9F";
    text = umlauts;
    FitTextWithEllipsis(c, text, c.TextWidth(umlauts) - 1);
    const std::string rest = text.substr(0, text.size() - 3);
    EXPECT_EQ(rest.size() % 2, 0u);
    EXPECT_EQ(umlauts.compare(0, rest.size(), rest), 0);
}

TEST(DrawTextVCentered, StaysInsideItsRectangle) {
    TBitmap b = White(120, 40);
    TCanvas& c = b.Canvas();
    c.Font.SetColor(clBlack);
    c.Brush.Style = platform::gfx::TBrushStyle::bsClear;
    const TRect r{10, 8, 50, 32};
    DrawTextVCentered(c, "WWWWWWWWWWWW", r, 5);
    const auto ink = Ink(b);
    ASSERT_FALSE(ink.empty());
    int minX = 1000, minY = 1000, maxY = -1;
    for (const TPoint& p : ink) {
        EXPECT_TRUE(r.Contains(p)) << p.X << "," << p.Y;
        minX = std::min(minX, p.X);
        minY = std::min(minY, p.Y);
        maxY = std::max(maxY, p.Y);
    }
    EXPECT_GE(minX, r.Left + 2 + 5);
    // The ink sits around the middle row, not at the top or bottom edge.
    EXPECT_GT(minY, r.Top);
    EXPECT_LT(maxY, r.Bottom - 1);
}

TEST(DrawArrowGlyph, FourLinesFromTheTip) {
    struct TCaseDef {
        int Direction;
        bool Columns;
        std::vector<int> Lengths;  // from left to right or top to bottom, around the centre (10, 10)
    };
    const TCaseDef cases[] = {
        {adLeft, true, {1, 3, 5, 7}},
        {adRight, true, {7, 5, 3, 1}},
        {adUp, false, {1, 3, 5, 7}},
        {adDown, false, {7, 5, 3, 1}},
    };
    for (const auto& k : cases) {
        TBitmap b = White(20, 20);
        DrawArrowGlyph(b.Canvas(), {0, 0, 20, 20}, clBlack, k.Direction);
        const int from = k.Direction == adLeft || k.Direction == adUp ? 8 : 9;
        EXPECT_EQ(Counts(b, k.Columns, from, from + 4), k.Lengths) << k.Direction;
        EXPECT_EQ(BlackPixels(b).size(), 16u) << k.Direction;
        // The lines are centred on the middle row (or column).
        EXPECT_EQ(k.Columns ? b.Pixel(from + (k.Direction == adLeft ? 0 : 3), 10)
                            : b.Pixel(10, from + (k.Direction == adUp ? 0 : 3)),
                  clBlack);
    }
    TBitmap none = White(20, 20);
    DrawArrowGlyph(none.Canvas(), {0, 0, 20, 20}, clBlack, 0);
    DrawArrowGlyph(none.Canvas(), {0, 0, 20, 20}, clBlack, 5);
    EXPECT_TRUE(BlackPixels(none).empty());
}

TEST(CaptionGlyphs, PixelCountsAndExcludedEnds) {
    struct TGlyph {
        std::function<void(TCanvas&, int, int, platform::gfx::TColor)> Draw;
        std::size_t Pixels;
        TPoint On;   // relative to (x, y)
        TPoint Off;  // relative to (x, y)
    };
    const TGlyph glyphs[] = {
        {DrawCheckGlyph, 21, {2, 7}, {7, 2}},
        {DrawCloseGlyph, 30, {1, 1}, {9, 9}},
        {DrawSysMenuGlyph, 18, {1, 3}, {9, 6}},
        {DrawMinimizeGlyph, 16, {1, 9}, {9, 9}},
        {DrawMaximizeGlyph, 2 * 11 + 2 * 8 + 9, {5, 1}, {5, 5}},
        {DrawRollDownGlyph, 20, {1, 2}, {5, 6}},
        {DrawRollUpGlyph, 20, {1, 6}, {5, 2}},
        {DrawTrayGlyph, 25, {6, 6}, {7, 7}},
    };
    for (std::size_t i = 0; i < std::size(glyphs); ++i) {
        TBitmap b = White(30, 30);
        glyphs[i].Draw(b.Canvas(), 10, 10, clBlack);
        EXPECT_EQ(BlackPixels(b).size(), glyphs[i].Pixels) << "glyph " << i;
        EXPECT_EQ(b.Pixel(10 + glyphs[i].On.X, 10 + glyphs[i].On.Y), clBlack) << "glyph " << i;
        EXPECT_EQ(b.Pixel(10 + glyphs[i].Off.X, 10 + glyphs[i].Off.Y), clWhite) << "glyph " << i;
    }
    // The unfilled rectangles leave the brush as it was.
    TBitmap b = White(30, 30);
    b.Canvas().Brush.Color = clRed;
    DrawRestoreGlyph(b.Canvas(), 10, 10, clBlack);
    EXPECT_EQ(b.Canvas().Brush.Color, clRed);
    EXPECT_EQ(b.Pixel(12, 10), clBlack);
    EXPECT_EQ(b.Pixel(15, 13), clWhite);
    EXPECT_EQ(b.Pixel(10, 19), clBlack);
}

TEST(DrawGlyphCell, DrawsOneCellTransparently) {
    TBitmap cells(9, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 9; ++x) cells.SetPixel(x, y, x < 3 ? clRed : x < 6 ? clGreen : clBlack);
    cells.SetPixel(4, 1, clFuchsia);
    cells.TransparentColor = clFuchsia;

    TBitmap b = White(20, 20);
    DrawGlyphCell(b.Canvas(), 5, 5, 2, 3, cells);
    EXPECT_EQ(b.Pixel(5, 5), clGreen);
    EXPECT_EQ(b.Pixel(7, 7), clGreen);
    EXPECT_EQ(b.Pixel(6, 6), clWhite);  // the transparent pixel
    EXPECT_EQ(b.Pixel(8, 5), clWhite);
    EXPECT_EQ(b.Pixel(4, 5), clWhite);

    TBitmap untouched = White(20, 20);
    DrawGlyphCell(untouched.Canvas(), 0, 0, 0, 3, cells);
    DrawGlyphCell(untouched.Canvas(), 0, 0, 4, 3, cells);
    DrawGlyphCell(untouched.Canvas(), 0, 0, 1, 10, cells);  // cells narrower than a pixel
    DrawGlyphCell(untouched.Canvas(), 0, 0, 1, 1, TBitmap());
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x) ASSERT_EQ(untouched.Pixel(x, y), clWhite);
}

}  // namespace
}  // namespace skin
