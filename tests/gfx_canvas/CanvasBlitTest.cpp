// Copies, stretches and transparent drawing.

#include "CanvasTestSupport.h"

namespace canvastest {
namespace {

std::vector<TColor> Row(const TSurface& s, int y, int from, int to) {
    std::vector<TColor> out;
    for (int x = from; x < to; ++x) out.push_back(s.At(x, y));
    return out;
}

TEST(CanvasStretch, NearestNeighbourFollowsTheFloorMapping) {
    const TBitmap two = MakeBitmap(2, 1, {clRed, clBlue});
    TSurface up(6, 2);
    up.Canvas.StretchDraw({1, 0, 5, 1}, two);
    EXPECT_EQ(Row(up, 0, 0, 6), (std::vector<TColor>{clWhite, clRed, clRed, clBlue, clBlue, clWhite}));
    EXPECT_EQ(up.At(1, 1), clWhite);

    const TBitmap three = MakeBitmap(3, 1, {clRed, clGreen, clBlue});
    TSurface down(2, 1);
    down.Canvas.StretchDraw({0, 0, 2, 1}, three);
    EXPECT_EQ(Row(down, 0, 0, 2), (std::vector<TColor>{clRed, clGreen}));

    const TBitmap five = MakeBitmap(1, 5, {clRed, clGreen, clBlue, clYellow, clBlack});
    TSurface col(1, 3);
    col.Canvas.StretchDraw({0, 0, 1, 3}, five);  // rows 0, 1 (5/3) and 3 (10/3)
    EXPECT_EQ(col.At(0, 0), clRed);
    EXPECT_EQ(col.At(0, 1), clGreen);
    EXPECT_EQ(col.At(0, 2), clYellow);
}

TEST(CanvasStretch, ScaledCopyRespectsRegionClipRowByRow) {
    const TBitmap two = MakeBitmap(2, 2, {clRed, clBlue, clGreen, clBlack});
    TSurface s(8, 8);
    s.Canvas.SetDeviceClip(TRegion(std::vector<TRect>{{0, 0, 3, 8}, {5, 0, 8, 2}}));
    s.Canvas.StretchDraw({0, 0, 8, 8}, two);
    EXPECT_EQ(s.At(2, 0), clRed);
    EXPECT_EQ(s.At(3, 0), clWhite);
    EXPECT_EQ(s.At(5, 1), clBlue);
    EXPECT_EQ(s.At(5, 2), clWhite);
    EXPECT_EQ(s.At(2, 7), clGreen);
    EXPECT_EQ(s.At(6, 6), clWhite);
}

TEST(CanvasStretch, SourceOutsideThePictureLeavesEachDestinationRowAsItWas) {
    const TBitmap two = MakeBitmap(2, 2, {clRed, clBlue, clGreen, clBlack});
    TSurface s(4, 4);
    for (int y = 0; y < 4; ++y)
        s.Bitmap.ScanLine(y)[0] = s.Bitmap.ScanLine(y)[1] = ColorToPixel(RGB(y, 0, 0));
    s.Canvas.DrawBitmapRect({0, 0, 4, 4}, two, {-1, 0, 1, 2});
    for (int y = 0; y < 4; ++y) {
        EXPECT_EQ(s.At(0, y), RGB(y, 0, 0)) << y;
        EXPECT_EQ(s.At(1, y), RGB(y, 0, 0)) << y;
    }
    EXPECT_EQ(s.At(2, 1), clRed);
    EXPECT_EQ(s.At(3, 3), clGreen);
}

TEST(CanvasCopy, SameSizeCopyUsesSourceOriginAndLeavesOutsidePixels) {
    TSurface src(4, 1);
    for (int x = 0; x < 4; ++x) src.Bitmap.ScanLine(0)[x] = ColorToPixel(RGB(x * 10, 0, 0));
    src.Canvas.SetDeviceOrigin({1, 0});  // logical 0 is target 1
    TSurface dst(5, 1);
    dst.Canvas.CopyRect({0, 0, 5, 1}, src.Canvas, {-2, 0, 3, 1});
    EXPECT_EQ(dst.At(0, 0), clWhite);  // source column -1 does not exist
    EXPECT_EQ(dst.At(1, 0), RGB(0, 0, 0));
    EXPECT_EQ(dst.At(3, 0), RGB(20, 0, 0));
    EXPECT_EQ(dst.At(4, 0), RGB(30, 0, 0));
}

TEST(CanvasCopy, OverlappingCopyOnOneCanvasReadsTheOriginalPixels) {
    TSurface s(5, 2);
    const TColor cols[] = {clRed, clGreen, clBlue, clYellow, clBlack};
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 5; ++x) s.Bitmap.ScanLine(y)[x] = ColorToPixel(cols[x]);
    s.Canvas.CopyRect({1, 0, 5, 2}, s.Canvas, {0, 0, 4, 2});
    EXPECT_EQ(Row(s, 1, 0, 5), (std::vector<TColor>{clRed, clRed, clGreen, clBlue, clYellow}));
    s.Canvas.CopyRect({0, 0, 2, 1}, s.Canvas, {0, 0, 4, 1});  // scaled, same target
    EXPECT_EQ(Row(s, 0, 0, 2), (std::vector<TColor>{clRed, clGreen}));
}

TEST(CanvasCopy, OppositeWidthSignsMirror) {
    const TBitmap src = MakeBitmap(3, 1, {clRed, clGreen, clBlue});
    TSurface s(3, 1);
    s.Canvas.DrawBitmapRect({3, 0, 0, 1}, src, {0, 0, 3, 1});
    EXPECT_EQ(Row(s, 0, 0, 3), (std::vector<TColor>{clBlue, clGreen, clRed}));
}

TEST(CanvasDraw, TransparentColourIsSkippedOnlyWhenAsked) {
    TBitmap pic = MakeBitmap(2, 2, {clFuchsia, clRed, clBlue, clFuchsia});
    TSurface s(4, 4, clGray);
    s.Canvas.Draw(1, 1, pic);
    EXPECT_EQ(s.At(1, 1), clFuchsia);

    s.Fill(clGray);
    pic.Transparent = true;
    pic.TransparentColor = clFuchsia;
    s.Canvas.Draw(1, 1, pic);
    EXPECT_EQ(s.At(1, 1), clGray);
    EXPECT_EQ(s.At(2, 1), clRed);
    EXPECT_EQ(s.At(1, 2), clBlue);
    EXPECT_EQ(s.At(2, 2), clGray);

    s.Fill(clGray);
    s.Canvas.StretchDraw({0, 0, 4, 4}, pic);  // stretching keeps the key
    EXPECT_EQ(s.At(0, 0), clGray);
    EXPECT_EQ(s.At(3, 0), clRed);
    EXPECT_EQ(s.At(3, 3), clGray);

    s.Fill(clGray);
    s.Canvas.DrawBitmapRect({0, 0, 1, 1}, pic, {1, 0, 2, 1}, clRed);
    s.Canvas.DrawBitmapRect({1, 0, 2, 1}, pic, {0, 1, 1, 2}, clRed);
    EXPECT_EQ(s.At(0, 0), clGray);
    EXPECT_EQ(s.At(1, 0), clBlue);
}

}  // namespace
}  // namespace canvastest
