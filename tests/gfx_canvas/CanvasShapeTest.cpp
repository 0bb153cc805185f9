// Pixel rules of lines, rectangles, frames, ellipses, polygons and clipping.

#include "CanvasTestSupport.h"

namespace canvastest {
namespace {

TEST(CanvasLine, EndPointIsNotDrawnInAnyDirection) {
    TSurface s(12, 12);
    s.Canvas.Pen.Color = clBlack;
    s.Canvas.MoveTo(1, 1);
    s.Canvas.LineTo(6, 1);
    for (int x = 1; x <= 5; ++x) EXPECT_EQ(s.At(x, 1), clBlack) << x;
    EXPECT_EQ(s.At(6, 1), clWhite);
    EXPECT_EQ(s.Canvas.PenPos(), platform::core::Point(6, 1));

    s.Canvas.MoveTo(9, 8);
    s.Canvas.LineTo(9, 3);  // upwards
    for (int y = 4; y <= 8; ++y) EXPECT_EQ(s.At(9, y), clBlack) << y;
    EXPECT_EQ(s.At(9, 3), clWhite);

    s.Canvas.MoveTo(0, 4);
    s.Canvas.LineTo(4, 8);  // diagonal
    for (int i = 0; i < 4; ++i) EXPECT_EQ(s.At(i, 4 + i), clBlack) << i;
    EXPECT_EQ(s.At(4, 8), clWhite);
}

TEST(CanvasLine, ShallowLineStepsOncePerHalfAndZeroLengthDrawsNothing) {
    TSurface s(10, 4);
    s.Canvas.Pen.Color = clBlack;
    s.Canvas.MoveTo(0, 0);
    s.Canvas.LineTo(8, 2);
    // Every column 0..7 gets exactly one pixel, rising by one row over four columns.
    for (int x = 0; x < 8; ++x) {
        int count = 0;
        for (int y = 0; y < 4; ++y) count += s.At(x, y) == clBlack;
        EXPECT_EQ(count, 1) << x;
    }
    // At an exact half-way point the pixel nearer the start wins.
    EXPECT_EQ(s.At(0, 0), clBlack);
    EXPECT_EQ(s.At(2, 0), clBlack);
    EXPECT_EQ(s.At(3, 1), clBlack);
    EXPECT_EQ(s.At(6, 1), clBlack);
    EXPECT_EQ(s.At(7, 2), clBlack);
    EXPECT_EQ(s.At(8, 2), clWhite);

    TSurface z(4, 4);
    z.Canvas.MoveTo(2, 2);
    z.Canvas.LineTo(2, 2);
    EXPECT_TRUE(z.Ink().IsEmpty());
}

TEST(CanvasLine, FarAwayStartIsClippedWithoutWalkingTheWholeLine) {
    TSurface s(8, 8);
    s.Canvas.Pen.Color = clBlack;
    s.Canvas.MoveTo(-2000000000, 5);
    s.Canvas.LineTo(5, 5);
    for (int x = 0; x < 5; ++x) EXPECT_EQ(s.At(x, 5), clBlack) << x;
    EXPECT_EQ(s.At(5, 5), clWhite);
    EXPECT_EQ(s.Ink(), platform::core::Rect(0, 5, 5, 6));
}

TEST(CanvasLine, XorPolylineTouchesSharedVerticesOnceAndUndoesItself) {
    TSurface s(8, 8);
    s.Canvas.Pen.Color = clWhite;
    s.Canvas.Pen.Mode = TPenMode::pmXor;
    const std::vector<platform::core::TPoint> pts{{1, 1}, {5, 1}, {5, 5}};
    s.Canvas.Polyline(pts);
    EXPECT_EQ(s.At(5, 1), clBlack);  // the corner is inverted once, not twice
    EXPECT_EQ(s.At(1, 1), clBlack);
    EXPECT_EQ(s.At(5, 5), clWhite);  // the last point is an end point
    s.Canvas.Polyline(pts);
    EXPECT_TRUE(s.Ink().IsEmpty());

    s.Canvas.Pen.Mode = TPenMode::pmNot;
    s.Canvas.MoveTo(0, 7);
    s.Canvas.LineTo(3, 7);
    EXPECT_EQ(s.At(0, 7), clBlack);
    EXPECT_EQ(s.At(3, 7), clWhite);
}

TEST(CanvasLine, WidePenCoversTheEndPointAndItsWidth) {
    TSurface s(20, 10);
    s.Canvas.Pen.Color = clBlack;
    s.Canvas.Pen.Width = 3;
    s.Canvas.MoveTo(5, 5);
    s.Canvas.LineTo(12, 5);
    for (int y = 4; y <= 6; ++y) EXPECT_EQ(s.At(8, y), clBlack) << y;
    EXPECT_EQ(s.At(8, 3), clWhite);
    EXPECT_EQ(s.At(8, 7), clWhite);
    EXPECT_EQ(s.At(12, 5), clBlack);
}

TEST(CanvasRectangle, TenByTenCoversZeroToNineWithOutlineAndFill) {
    TSurface s(14, 14);
    s.Canvas.Pen.Color = clBlack;
    s.Canvas.Brush.Color = clRed;
    s.Canvas.Rectangle(0, 0, 10, 10);
    EXPECT_EQ(s.At(0, 0), clBlack);
    EXPECT_EQ(s.At(9, 0), clBlack);
    EXPECT_EQ(s.At(0, 9), clBlack);
    EXPECT_EQ(s.At(9, 9), clBlack);
    EXPECT_EQ(s.At(1, 1), clRed);
    EXPECT_EQ(s.At(8, 8), clRed);
    EXPECT_EQ(s.At(10, 5), clWhite);
    EXPECT_EQ(s.At(5, 10), clWhite);
    EXPECT_EQ(s.Ink(), platform::core::Rect(0, 0, 10, 10));

    TSurface clear(14, 14);
    clear.Canvas.Pen.Color = clBlack;
    clear.Canvas.Brush.Style = TBrushStyle::bsClear;
    clear.Canvas.Rectangle(platform::core::Rect(2, 2, 6, 6));
    EXPECT_EQ(clear.At(3, 3), clWhite);
    EXPECT_EQ(clear.At(5, 2), clBlack);
    EXPECT_EQ(clear.At(6, 2), clWhite);

    TSurface noPen(14, 14);
    noPen.Canvas.Pen.Style = TPenStyle::psClear;
    noPen.Canvas.Brush.Color = clBlue;
    noPen.Canvas.Rectangle(0, 0, 10, 10);
    EXPECT_EQ(noPen.Ink(), platform::core::Rect(0, 0, 10, 10));
}

TEST(CanvasRectangle, FillAndFrameExcludeRightAndBottomEdge) {
    TSurface s(12, 12);
    s.Canvas.Brush.Color = clGreen;
    s.Canvas.FillRect({2, 2, 5, 5});
    EXPECT_EQ(s.Ink(), platform::core::Rect(2, 2, 5, 5));
    s.Canvas.FillRect({8, 8, 6, 10});  // inverted: nothing
    EXPECT_EQ(s.Ink(), platform::core::Rect(2, 2, 5, 5));

    TSurface f(12, 12);
    f.Canvas.Brush.Color = clNavy;
    f.Canvas.FrameRect({1, 1, 6, 5});
    EXPECT_EQ(f.At(1, 1), clNavy);
    EXPECT_EQ(f.At(5, 1), clNavy);
    EXPECT_EQ(f.At(1, 4), clNavy);
    EXPECT_EQ(f.At(5, 4), clNavy);
    EXPECT_EQ(f.At(3, 2), clWhite);
    EXPECT_EQ(f.Ink(), platform::core::Rect(1, 1, 6, 5));

    f.Canvas.Brush.Style = TBrushStyle::bsClear;
    f.Canvas.FillRect({7, 7, 10, 10});
    f.Canvas.FrameRect({7, 7, 10, 10});
    EXPECT_EQ(f.Ink(), platform::core::Rect(1, 1, 6, 5));
}

TEST(CanvasRectangle, FocusRectIsDottedAndUndoneByASecondCall) {
    TSurface s(10, 10);
    s.Canvas.DrawFocusRect({1, 1, 9, 7});
    EXPECT_NE(s.At(1, 1), s.At(2, 1));  // dotted
    EXPECT_EQ(s.At(1, 1), s.At(3, 1));
    EXPECT_EQ(s.At(4, 4), clWhite);  // inside untouched
    EXPECT_EQ(s.At(9, 1), clWhite);  // right edge excluded
    EXPECT_FALSE(s.Ink().IsEmpty());
    EXPECT_EQ(s.Ink().Right, 9);
    EXPECT_EQ(s.Ink().Bottom, 7);
    s.Canvas.DrawFocusRect({1, 1, 9, 7});
    EXPECT_TRUE(s.Ink().IsEmpty());
}

TEST(CanvasRectangle, Frame3DPutsCornersInTheRightColourAndShrinksTheRect) {
    TSurface s(8, 8);
    TRect r{0, 0, 5, 5};
    s.Canvas.Frame3D(r, clRed, clBlue, 2);
    EXPECT_EQ(r, platform::core::Rect(2, 2, 3, 3));
    EXPECT_EQ(s.At(0, 0), clRed);
    EXPECT_EQ(s.At(3, 0), clRed);
    EXPECT_EQ(s.At(4, 0), clBlue);  // top-right corner belongs to the bottom-right colour
    EXPECT_EQ(s.At(0, 4), clBlue);  // and so does the bottom-left one
    EXPECT_EQ(s.At(0, 3), clRed);
    EXPECT_EQ(s.At(1, 1), clRed);  // second ring
    EXPECT_EQ(s.At(3, 3), clBlue);
    EXPECT_EQ(s.At(2, 2), clWhite);
    EXPECT_EQ(s.At(5, 5), clWhite);
}

TEST(CanvasShapes, EllipseStaysInsideItsBoxAndTouchesEverySide) {
    TSurface s(16, 12);
    s.Canvas.Pen.Color = clBlack;
    s.Canvas.Brush.Color = clYellow;
    s.Canvas.Ellipse({1, 1, 12, 8});
    EXPECT_EQ(s.Ink(), platform::core::Rect(1, 1, 12, 8));
    EXPECT_EQ(s.At(1, 1), clWhite);  // corners stay outside
    EXPECT_EQ(s.At(11, 7), clWhite);
    EXPECT_EQ(s.At(1, 4), clBlack);
    EXPECT_EQ(s.At(11, 4), clBlack);
    EXPECT_EQ(s.At(6, 1), clBlack);
    EXPECT_EQ(s.At(6, 7), clBlack);
    EXPECT_EQ(s.At(6, 4), clYellow);
}

TEST(CanvasShapes, PolygonFillsEvenOddAndExcludesRightAndBottom) {
    TSurface s(24, 24);
    s.Canvas.Pen.Style = TPenStyle::psClear;
    s.Canvas.Brush.Color = clBlack;
    s.Canvas.Polygon({{0, 0}, {10, 0}, {10, 10}, {0, 10}});
    EXPECT_EQ(s.Ink(), platform::core::Rect(0, 0, 10, 10));

    TSurface ring(24, 24);
    ring.Canvas.Pen.Style = TPenStyle::psClear;
    ring.Canvas.Brush.Color = clBlack;
    // Outer and inner square in the same direction: the inner one has winding 2 but an even
    // crossing count, so it stays empty.
    ring.Canvas.Polygon(
        {{0, 0}, {20, 0}, {20, 20}, {0, 20}, {0, 0}, {5, 5}, {15, 5}, {15, 15}, {5, 15}, {5, 5}});
    EXPECT_EQ(ring.At(2, 10), clBlack);
    EXPECT_EQ(ring.At(10, 10), clWhite);
    EXPECT_EQ(ring.At(17, 17), clBlack);

    TSurface outlined(12, 12);
    outlined.Canvas.Pen.Color = clRed;
    outlined.Canvas.Brush.Style = TBrushStyle::bsClear;
    outlined.Canvas.Polygon({{1, 1}, {8, 1}, {8, 8}});
    EXPECT_EQ(outlined.At(8, 8), clRed);  // the closing edge draws every vertex
    EXPECT_EQ(outlined.At(1, 1), clRed);
    EXPECT_EQ(outlined.At(7, 3), clWhite);
}

TEST(CanvasClip, DeviceRegionOwnClipAndOriginCombine) {
    TSurface s(30, 30);
    s.Canvas.SetDeviceClip(TRegion(std::vector<TRect>{{0, 0, 12, 30}, {20, 0, 30, 30}}));
    s.Canvas.SetDeviceOrigin({5, 5});
    s.Canvas.IntersectClipRect({0, 0, 20, 10});  // logical: target 5..25 x 5..15
    s.Canvas.Brush.Color = clBlack;
    s.Canvas.FillRect({-100, -100, 100, 100});
    EXPECT_EQ(s.At(5, 5), clBlack);
    EXPECT_EQ(s.At(11, 14), clBlack);
    EXPECT_EQ(s.At(12, 10), clWhite);  // outside the device clip
    EXPECT_EQ(s.At(19, 10), clWhite);
    EXPECT_EQ(s.At(20, 10), clBlack);
    EXPECT_EQ(s.At(24, 14), clBlack);
    EXPECT_EQ(s.At(25, 10), clWhite);  // outside the own clip
    EXPECT_EQ(s.At(6, 15), clWhite);
    EXPECT_EQ(s.At(4, 6), clWhite);
    EXPECT_EQ(s.Canvas.ClipRect(), platform::core::Rect(0, 0, 20, 10));
}

TEST(CanvasClip, ExcludedRectAndClippedPixelsAndLinesStayUntouched) {
    TSurface s(10, 10);
    s.Canvas.ExcludeClipRect({2, 2, 5, 5});
    s.Canvas.Brush.Color = clBlack;
    s.Canvas.FillRect({0, 0, 10, 10});
    EXPECT_EQ(s.At(1, 1), clBlack);
    EXPECT_EQ(s.At(2, 2), clWhite);
    EXPECT_EQ(s.At(4, 4), clWhite);
    EXPECT_EQ(s.At(5, 4), clBlack);

    TSurface p(10, 10);
    p.Canvas.SetDeviceOrigin({3, 0});
    p.Canvas.IntersectClipRect({0, 0, 4, 10});
    p.Canvas.SetPixel(-1, 0, clRed);
    p.Canvas.SetPixel(1, 0, clRed);
    EXPECT_EQ(p.At(2, 0), clWhite);
    EXPECT_EQ(p.At(4, 0), clRed);
    EXPECT_EQ(p.Canvas.Pixels(1, 0), clRed);
    p.Canvas.Pen.Color = clBlack;
    p.Canvas.MoveTo(-3, 5);
    p.Canvas.LineTo(7, 5);
    EXPECT_EQ(p.Ink(), platform::core::Rect(3, 0, 7, 6));
    EXPECT_EQ(p.At(2, 5), clWhite);
    EXPECT_EQ(p.At(7, 5), clWhite);

    p.Canvas.SetClipRegion(std::nullopt);
    p.Canvas.SetPixel(5, 9, clRed);
    EXPECT_EQ(p.At(8, 9), clRed);
}

}  // namespace
}  // namespace canvastest
