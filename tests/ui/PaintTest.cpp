#include <gtest/gtest.h>

#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Canvas.h"
#include "support/HeadlessFixture.h"
#include "support/MessageLog.h"
#include "ui/UiTestWindows.h"

using namespace platform::ui;
using platform::core::TPoint;
using platform::core::TRect;
using platform::gfx::TColor;

namespace {

uint64_t Area(const std::vector<TRect>& rects) {
    uint64_t a = 0;
    for (const TRect& r : rects) a += static_cast<uint64_t>(r.Width()) * static_cast<uint64_t>(r.Height());
    return a;
}

class PaintTest : public vktest::HeadlessFixture {
protected:
    // A procedure that fills what it is asked to paint with one colour and records the area.
    vktest::MessageLog::Handler Filler(TColor color, std::vector<TRect>* paintRects = nullptr) {
        return [this, color, paintRects](TWindow& self, uint32_t msg, TWParam,
                                         TLParam) -> std::optional<TLResult> {
            if (msg != WM_PAINT) return std::nullopt;
            TDeviceContextPtr dc = System().BeginPaint(&self);
            if (paintRects) paintRects->push_back(dc->PaintRect());
            dc->Canvas().Brush.Color = color;
            dc->Canvas().FillRect(self.ClientRect());
            return 0;
        };
    }
    TColor Pixel(int x, int y) { return Session().ScreenPixel(x, y); }

    vktest::MessageLog log;
};

TEST_F(PaintTest, OnlyTheInvalidatedAreaIsPaintedAndPresented) {
    TWindow* top =
        vktest::MakeTopLevel(System(), {100, 100, 400, 300}, log.Proc("top", Filler(platform::gfx::clBlue)),
                             WS_POPUP | WS_CLIPCHILDREN);
    std::vector<TRect> childPaints;
    TWindow* child = vktest::MakeChild(System(), top, {50, 40, 150, 140},
                                       log.Proc("child", Filler(platform::gfx::clRed, &childPaints)));
    ProcessMessages();
    EXPECT_EQ(Pixel(100 + 60, 100 + 50), platform::gfx::clRed);
    EXPECT_EQ(Pixel(100 + 10, 100 + 10), platform::gfx::clBlue);

    System().ResetPaintStats();
    Backend().ClearPresents();
    log.Clear();
    childPaints.clear();
    child->InvalidateRect({5, 5, 15, 15});
    child->InvalidateRect({10, 10, 20, 20});  // merged with the first before painting
    ProcessMessages();
    EXPECT_EQ(log.Names({WM_PAINT, WM_ERASEBKGND, WM_NCPAINT}),
              (std::vector<std::string>{"child:WM_PAINT", "child:WM_ERASEBKGND"}));
    ASSERT_EQ(childPaints.size(), 1u);
    EXPECT_EQ(childPaints[0], (TRect{5, 5, 20, 20}));
    EXPECT_EQ(System().PaintStats().PaintedPixels, 175u);
    EXPECT_EQ(Area([&] {
                  std::vector<TRect> rects;
                  for (const auto& p : Backend().Presents()) {
                      EXPECT_EQ(p.Window, top->NativeId());
                      rects.push_back(p.Rect);
                  }
                  return rects;
              }()),
              175u);
    EXPECT_EQ(Backend().Presents().front().Rect.Left, 55);  // top-level coordinates

    // Nothing invalid: nothing painted, nothing presented.
    Backend().ClearPresents();
    log.Clear();
    ProcessMessages();
    EXPECT_TRUE(log.Entries.empty());
    EXPECT_TRUE(Backend().Presents().empty());

    // A validated area is not painted; a hidden window is not painted.
    child->Invalidate();
    System().ValidateRect(child, nullptr);
    System().ShowWindow(child, SW_HIDE);
    log.Clear();
    child->Invalidate();
    ProcessMessages();
    EXPECT_EQ(log.Count(WM_PAINT, "child"), 0u);
}

TEST_F(PaintTest, ParentWithoutClipChildrenRepaintsTheChildrenItCovers) {
    TWindow* top =
        vktest::MakeTopLevel(System(), {0, 0, 300, 200}, log.Proc("top", Filler(platform::gfx::clBlue)));
    std::vector<TRect> childPaints;
    vktest::MakeChild(System(), top, {50, 50, 150, 150},
                      log.Proc("child", Filler(platform::gfx::clRed, &childPaints)));
    ProcessMessages();
    childPaints.clear();
    log.Clear();
    top->InvalidateRect({0, 0, 60, 60});
    ProcessMessages();
    EXPECT_EQ(log.Names({WM_PAINT}), (std::vector<std::string>{"top:WM_PAINT", "child:WM_PAINT"}));
    ASSERT_EQ(childPaints.size(), 1u);
    EXPECT_EQ(childPaints[0], (TRect{0, 0, 10, 10}));
    EXPECT_EQ(Pixel(55, 55), platform::gfx::clRed);  // the child is on top again
    EXPECT_EQ(Pixel(45, 45), platform::gfx::clBlue);
}

TEST_F(PaintTest, RegionClipsPaintingAndHitTesting) {
    TWindow* top =
        vktest::MakeTopLevel(System(), {0, 0, 300, 200}, log.Proc("top", Filler(platform::gfx::clBlue)),
                             WS_POPUP | WS_CLIPCHILDREN);
    TWindow* child =
        vktest::MakeChild(System(), top, {10, 10, 110, 110}, log.Proc("child", Filler(platform::gfx::clRed)));
    System().SetWindowRgn(child, platform::gfx::TRegion(TRect{0, 0, 50, 100}));
    ProcessMessages();
    EXPECT_EQ(Pixel(10 + 25, 60), platform::gfx::clRed);
    EXPECT_EQ(Pixel(10 + 75, 60), platform::gfx::clBlue);  // outside the region the parent shows
    log.Clear();
    Session().Click({10 + 75, 60});
    Session().Click({10 + 25, 60});
    EXPECT_EQ(log.Names({WM_LBUTTONDOWN}),
              (std::vector<std::string>{"top:WM_LBUTTONDOWN", "child:WM_LBUTTONDOWN"}));
    EXPECT_EQ(System().WindowFromPoint({10 + 75, 60}), top);

    // A top-level region is the window's shape on the screen and for the pointer.
    System().SetWindowRgn(top, platform::gfx::TRegion(TRect{0, 0, 200, 200}));
    EXPECT_EQ(Pixel(250, 100), Backend().DesktopColor);
    log.Clear();
    Session().Click({250, 100});
    EXPECT_EQ(log.Count(WM_LBUTTONDOWN), 0u);
}

TEST_F(PaintTest, SiblingsAboveAreNotPaintedOver) {
    TWindow* top =
        vktest::MakeTopLevel(System(), {0, 0, 300, 200}, log.Proc("top", Filler(platform::gfx::clBlue)),
                             WS_POPUP | WS_CLIPCHILDREN);
    TWindow* lower =
        vktest::MakeChild(System(), top, {0, 0, 100, 100}, log.Proc("lower", Filler(platform::gfx::clRed)));
    vktest::MakeChild(System(), top, {50, 50, 150, 150}, log.Proc("upper", Filler(platform::gfx::clLime)));
    ProcessMessages();
    lower->Invalidate();
    ProcessMessages();
    EXPECT_EQ(Pixel(75, 75), platform::gfx::clLime);
    EXPECT_EQ(Pixel(25, 25), platform::gfx::clRed);
    // Brought to the top, the lower window covers the other.
    System().BringToTop(lower);
    ProcessMessages();
    EXPECT_EQ(Pixel(75, 75), platform::gfx::clRed);
}

TEST_F(PaintTest, FrameThenEraseInsideBeginPaintThenPaint) {
    vktest::MakeTopLevel(
        System(), {0, 0, 100, 100},
        log.Proc("w",
                 [this](TWindow& self, uint32_t msg, TWParam wp, TLParam) -> std::optional<TLResult> {
                     if (msg == WM_NCCALCSIZE) return std::nullopt;
                     if (msg == WM_ERASEBKGND) {
                         auto* dc = PtrFromParam<TDeviceContext>(wp);
                         dc->Canvas().Brush.Color = platform::gfx::clYellow;
                         dc->Canvas().FillRect(self.ClientRect());
                         return 1;
                     }
                     if (msg == WM_NCPAINT) {
                         TDeviceContextPtr dc = System().GetWindowDC(&self);
                         dc->Canvas().Brush.Color = platform::gfx::clNavy;
                         dc->Canvas().FillRect({0, 0, self.Width(), self.Height()});
                         return 0;
                     }
                     if (msg == WM_PAINT) {
                         TDeviceContextPtr dc = System().BeginPaint(&self);
                         EXPECT_FALSE(dc->Erase());
                         dc->Canvas().Brush.Color = platform::gfx::clGreen;
                         dc->Canvas().FillRect({0, 0, 10, 10});
                         return 0;
                     }
                     return std::nullopt;
                 }),
        WS_POPUP | WS_BORDER);
    ProcessMessages();
    EXPECT_EQ(log.Names({WM_NCPAINT, WM_ERASEBKGND, WM_PAINT}),
              (std::vector<std::string>{"w:WM_NCPAINT", "w:WM_PAINT", "w:WM_ERASEBKGND"}));
    EXPECT_EQ(Pixel(0, 0), platform::gfx::clNavy);
    EXPECT_EQ(Pixel(1 + 5, 1 + 5), platform::gfx::clGreen);  // painted after the erase
    EXPECT_EQ(Pixel(50, 50), platform::gfx::clYellow);
}

TEST_F(PaintTest, ScreenshotsHonourOpacityAndStacking) {
    TWindow* back =
        vktest::MakeTopLevel(System(), {0, 0, 200, 200}, log.Proc("back", Filler(platform::gfx::clWhite)));
    TWindow* front =
        vktest::MakeTopLevel(System(), {100, 100, 300, 300},
                             log.Proc("front", Filler(platform::gfx::clBlack)), WS_POPUP, WS_EX_LAYERED);
    System().SetLayeredAlpha(front, 128);
    ProcessMessages();
    EXPECT_EQ(Pixel(50, 50), platform::gfx::clWhite);
    EXPECT_EQ(Pixel(150, 150), platform::gfx::RGB(127, 127, 127));  // half black over white
    System().SetWindowExStyle(front, 0);
    EXPECT_EQ(Pixel(150, 150), platform::gfx::clBlack);
    System().SetActiveWindow(back);
    EXPECT_EQ(Pixel(150, 150), platform::gfx::clWhite);
    const platform::gfx::TBitmap shot = Session().CaptureWindow(front);
    EXPECT_EQ(shot.Width(), 200);
    EXPECT_EQ(shot.Pixel(10, 10), platform::gfx::clBlack);
}

TEST_F(PaintTest, AnUnpaintedWindowIsNotAskedForeverButARepaintRequestedWhilePaintingIsKept) {
    TWindow* lazy = vktest::MakeTopLevel(
        System(), {0, 0, 100, 100},
        log.Proc("lazy", [](TWindow&, uint32_t msg, TWParam, TLParam) -> std::optional<TLResult> {
            if (msg == WM_PAINT) return 0;  // never calls BeginPaint
            return std::nullopt;
        }));
    ProcessMessages();
    EXPECT_EQ(log.Count(WM_PAINT, "lazy"), 1u);
    System().DestroyWindow(lazy);

    int paints = 0;
    vktest::MakeTopLevel(
        System(), {0, 0, 100, 100},
        log.Proc("animated", [&](TWindow& self, uint32_t msg, TWParam, TLParam) -> std::optional<TLResult> {
            if (msg != WM_PAINT) return std::nullopt;
            TDeviceContextPtr dc = System().BeginPaint(&self);
            if (++paints == 1) self.InvalidateRect({0, 0, 10, 10});
            return 0;
        }));
    ProcessMessages();
    EXPECT_EQ(paints, 2);
}

TEST_F(PaintTest, DeviceContextOfADestroyedWindowIsHarmless) {
    TWindow* w = vktest::MakeTopLevel(System(), {0, 0, 100, 100}, log.Proc("w"));
    TDeviceContextPtr dc = System().GetDC(w);
    System().DestroyWindow(w);
    EXPECT_EQ(dc->Window(), nullptr);
    dc->Canvas().FillRect({0, 0, 10, 10});
    dc.reset();
    TDeviceContextPtr none = System().BeginPaint(nullptr);
    EXPECT_TRUE(none->DeviceClip().IsEmpty());
}

}  // namespace
