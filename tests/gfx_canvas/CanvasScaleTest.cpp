// A canvas of scale 2 (a window's back buffer on a scaled screen) and bitmaps that keep their
// drawing at the screen scale.

#include <functional>

#include "gfx_canvas/CanvasTestSupport.h"

namespace {

using namespace canvastest;
using platform::core::TPoint;

// Everything but text and photographs: drawn at scale 2 it must be exactly the scale-1 picture
// with every pixel a 2 x 2 block.
void DrawScene(TCanvas& c, const TBitmap& picture) {
    c.SetDeviceOrigin({3, 2});
    c.SetDeviceClip(TRegion(std::vector<TRect>{{0, 0, 40, 36}, {40, 4, 44, 30}}));
    c.ExcludeClipRect({30, 20, 33, 23});
    c.Brush.Color = clNavy;
    c.FillRect({1, 1, 9, 5});
    c.FrameRect({10, 1, 18, 7});
    c.Pen.Color = clRed;
    c.MoveTo(0, 8);
    c.LineTo(17, 15);
    c.Pen.Style = TPenStyle::psDot;
    c.MoveTo(0, 17);
    c.LineTo(38, 17);
    c.Pen.Style = TPenStyle::psSolid;
    c.Pen.Width = 3;
    c.Brush.Color = clYellow;
    c.Rectangle(20, 2, 30, 12);
    c.Pen.Width = 1;
    c.Pen.Mode = TPenMode::pmXor;
    c.Brush.Color = clGreen;
    c.Polygon({{2, 20}, {12, 22}, {6, 30}});
    c.Pen.Mode = TPenMode::pmCopy;
    c.Ellipse({14, 19, 26, 29});
    c.DrawFocusRect({27, 14, 39, 26});
    TRect r{1, 31, 12, 34};
    c.Frame3D(r, clWhite, clBlack, 1);
    c.SetPixel(37, 2, clFuchsia);
    c.Draw(30, 28, picture);
    c.StretchDraw({34, 28, 40, 31}, picture);
}

TEST(CanvasScale, AScaledCanvasDrawsTheScaleOnePictureInWholeBlocks) {
    const TBitmap picture = MakeBitmap(3, 2, {clRed, clLime, clBlue, clAqua, clBlack, clGray});
    TSurface single(48, 40);
    DrawScene(single.Canvas, picture);
    TSurface doubled(96, 80);
    doubled.Canvas.SetScale(2);
    DrawScene(doubled.Canvas, picture);

    const TBitmap expected = ScaledBitmap(single.Bitmap, 2);
    int differ = 0;
    for (int y = 0; y < 80; ++y)
        for (int x = 0; x < 96; ++x)
            if ((expected.ScanLine(y)[x] & 0xFFFFFF) != (doubled.Bitmap.ScanLine(y)[x] & 0xFFFFFF)) ++differ;
    EXPECT_EQ(differ, 0);
    EXPECT_NE(single.Ink(), TRect{}) << "the scene draws something";
}

TEST(CanvasScale, CoordinatesReadsAndClipsStayLogical) {
    TSurface s(40, 40);
    s.Canvas.SetScale(2);
    s.Canvas.SetDeviceOrigin({2, 3});
    s.Canvas.SetDeviceClip(TRegion(TRect{0, 0, 15, 20}));
    EXPECT_EQ(s.Canvas.ClipRect(), (TRect{-2, -3, 13, 17}));
    s.Canvas.IntersectClipRect({0, 0, 5, 5});
    EXPECT_EQ(s.Canvas.ClipRect(), (TRect{0, 0, 5, 5}));
    s.Canvas.Brush.Color = clRed;
    s.Canvas.FillRect({-10, -10, 100, 100});
    // Logical (0, 0) is device (4, 6); the fill covers logical 0..4 only.
    EXPECT_EQ(s.At(4, 6), clRed);
    EXPECT_EQ(s.At(13, 15), clRed);
    EXPECT_EQ(s.At(14, 15), clWhite);
    EXPECT_EQ(s.At(3, 6), clWhite);
    EXPECT_EQ(s.Canvas.Pixels(4, 4), clRed);
    EXPECT_EQ(s.Canvas.Pixels(5, 4), clWhite);
    EXPECT_EQ(s.Canvas.Pixels(100, 0), clNone);
    // The measured text is the logical one.
    TSurface plain(4, 4);
    EXPECT_EQ(s.Canvas.TextWidth("Severity"), plain.Canvas.TextWidth("Severity"));
    EXPECT_EQ(s.Canvas.TextHeight("S"), plain.Canvas.TextHeight("S"));
}

TEST(CanvasScale, CopyingFromAScaledCanvasReadsItsDevicePixels) {
    TSurface screen(20, 20);
    screen.Canvas.SetScale(2);
    screen.Bitmap.SetPixel(2, 2, clRed);   // the top-left of logical (1, 1)'s block
    screen.Bitmap.SetPixel(5, 5, clBlue);  // inside logical (2, 2)'s block
    TSurface out(4, 4);
    out.Canvas.CopyRect({0, 0, 4, 4}, screen.Canvas, {0, 0, 4, 4});
    // Logical 0..3 of the source is device 0..7, shrunk back to 4 x 4 by whole pixels: each
    // logical pixel takes its block's top-left.
    EXPECT_EQ(out.At(1, 1), clRed);
    EXPECT_EQ(out.At(0, 0), clWhite);
    EXPECT_EQ(out.At(2, 2), clWhite);
    // Copied at the same scale, every device pixel comes along.
    TSurface other(20, 20);
    other.Canvas.SetScale(2);
    other.Canvas.CopyRect({0, 0, 4, 4}, screen.Canvas, {0, 0, 4, 4});
    EXPECT_EQ(other.At(5, 5), clBlue);
    EXPECT_EQ(other.At(2, 2), clRed);
    EXPECT_EQ(other.At(3, 3), clWhite);
}

class ScreenScaleTest : public ::testing::Test {
protected:
    void SetUp() override { SetScreenScale(2); }
    void TearDown() override { SetScreenScale(1); }
};

TEST_F(ScreenScaleTest, ABitmapKeepsItsDrawingAtTheScreenScaleUntilWrittenDirectly) {
    TBitmap b = MakeBitmap(2, 1, {clRed, clBlue});
    EXPECT_EQ(b.HiRes(), nullptr) << "pictures that are only loaded keep no copy";
    b.Canvas().Pen.Color = clBlack;
    b.Canvas().MoveTo(0, 0);
    b.Canvas().LineTo(1, 0);
    ASSERT_NE(b.HiRes(), nullptr);
    ASSERT_EQ(b.HiRes()->Width(), 4);
    // It starts as the bitmap enlarged, then takes the drawing.
    EXPECT_EQ(b.HiRes()->Pixel(0, 1), clBlack);
    EXPECT_EQ(b.HiRes()->Pixel(3, 1), clBlue);
    EXPECT_EQ(b.Pixel(0, 0), clBlack);

    const TBitmap copy = b;
    ASSERT_NE(copy.HiRes(), nullptr);
    EXPECT_EQ(copy.HiRes()->Pixel(1, 1), clBlack);
    TBitmap moved = std::move(b);
    EXPECT_NE(moved.HiRes(), nullptr);

    std::function<void(TBitmap&)> writes[] = {
        [](TBitmap& x) { x.SetPixel(0, 0, clWhite); },
        [](TBitmap& x) { (void)x.ScanLine(0); },
        [](TBitmap& x) { (void)x.Bits(); },
        [](TBitmap& x) { x.SetSize(3, 3); },
    };
    for (auto& write : writes) {
        TBitmap t = copy;
        ASSERT_NE(t.HiRes(), nullptr);
        write(t);
        EXPECT_EQ(t.HiRes(), nullptr);
    }
    // Reading through a const bitmap keeps it.
    const TBitmap& reader = copy;
    (void)reader.ScanLine(0);
    EXPECT_NE(copy.HiRes(), nullptr);
}

TEST_F(ScreenScaleTest, AScaledCanvasTakesTheSharpPictureOfABitmapAndSmoothsPhotographs) {
    TBitmap face(2, 2);
    face.Canvas().Brush.Color = clWhite;
    face.Canvas().FillRect({0, 0, 2, 2});
    // A detail only the sharp picture has: one device pixel.
    const_cast<TBitmap*>(face.HiRes())->ScanLine(0)[1] = ColorToPixel(clRed);
    TSurface screen(8, 8);
    screen.Canvas.SetScale(2);
    screen.Canvas.Draw(1, 1, face);
    EXPECT_EQ(screen.At(3, 2), clRed);
    EXPECT_EQ(screen.At(2, 2), clWhite);
    EXPECT_EQ(screen.At(3, 3), clWhite);

    TBitmap photo = MakeBitmap(2, 1, {clBlack, clWhite});
    photo.Smooth = true;
    TSurface view(8, 2);
    view.Canvas.SetScale(2);
    view.Canvas.StretchDraw({0, 0, 4, 1}, photo);
    // Black to white through greys, not a hard step.
    EXPECT_EQ(view.At(0, 0), clBlack);
    EXPECT_EQ(view.At(7, 0), clWhite);
    int greys = 0;
    for (int x = 0; x < 8; ++x)
        if (view.At(x, 0) != clBlack && view.At(x, 0) != clWhite) ++greys;
    EXPECT_GE(greys, 2);
    // At scale 1 a photograph is copied by whole pixels as before.
    TSurface plain(4, 1);
    plain.Canvas.StretchDraw({0, 0, 4, 1}, photo);
    EXPECT_EQ(plain.At(1, 0), clBlack);
    EXPECT_EQ(plain.At(2, 0), clWhite);
}

}  // namespace
