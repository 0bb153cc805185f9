// The window system on a screen of scale 2: geometry, input, monitors and shapes stay logical
// above the backend and are doubled below it; what is drawn is drawn at the device resolution
// (lines and pictures by whole pixels, photographs smoothly, text by the font engine).

#include <gtest/gtest.h>

#include <cstdlib>
#include <limits>
#include <optional>

#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Canvas.h"
#include "platform/ui/backend/BackendFactory.h"
#include "platform/ui/backend/headless/HeadlessBackend.h"
#include "platform/ui/backend/x11/X11Scale.h"
#include "support/HeadlessFixture.h"
#include "support/MessageLog.h"
#include "ui/UiTestWindows.h"

using namespace platform::ui;
using platform::core::TPoint;
using platform::core::TRect;
using platform::gfx::TBitmap;
using platform::gfx::TCanvas;
using platform::gfx::TColor;

namespace {

constexpr int kScale = 2;

class ScaleTest : public vktest::HeadlessFixture {
protected:
    [[nodiscard]] headless::THeadlessScreen Screen() const override {
        headless::THeadlessScreen s;
        s.Width = 1024 * kScale;
        s.Height = 768 * kScale;
        s.Scale = kScale;
        return s;
    }

    // A top-level window whose client area is painted white, then by paint (logical client
    // coordinates).
    TWindow* Painted(TRect bounds, std::function<void(TCanvas&)> paint) {
        TCreateParams p;
        p.Bounds = bounds;
        p.Style = WS_POPUP | WS_VISIBLE;
        p.WndProc =
            log.Proc("w", [paint](TWindow& w, uint32_t msg, TWParam, TLParam) -> std::optional<TLResult> {
                if (msg != WM_PAINT) return std::nullopt;
                TDeviceContextPtr dc = w.System().BeginPaint(&w);
                dc->Canvas().Brush.Color = platform::gfx::clWhite;
                dc->Canvas().FillRect(w.ClientRect());
                if (paint) paint(dc->Canvas());
                return 0;
            });
        TWindow* window = System().CreateWindow(p);
        ProcessMessages();
        return window;
    }

    // Device pixels of the screen.
    TColor Device(const TBitmap& shot, int x, int y) { return shot.Pixel(x, y) & 0xFFFFFF; }

    vktest::MessageLog log;
};

// Aligned 2 x 2 blocks of a device area whose four pixels are not all the same: a picture that
// is a scale-1 picture doubled has none.
int MixedBlocks(const TBitmap& shot, TRect area) {
    int mixed = 0;
    for (int y = area.Top; y + 1 < area.Bottom; y += 2)
        for (int x = area.Left; x + 1 < area.Right; x += 2) {
            const TColor c = shot.Pixel(x, y);
            if (shot.Pixel(x + 1, y) != c || shot.Pixel(x, y + 1) != c || shot.Pixel(x + 1, y + 1) != c)
                ++mixed;
        }
    return mixed;
}

// The bounding box of the dark pixels (text ink) of an area.
TRect InkBox(const TBitmap& b, TRect area) {
    TRect box{area.Right, area.Bottom, area.Left, area.Top};
    for (int y = area.Top; y < area.Bottom; ++y)
        for (int x = area.Left; x < area.Right; ++x)
            if (((b.Pixel(x, y) >> 8) & 0xFF) < 128) {
                box.Left = std::min(box.Left, x);
                box.Top = std::min(box.Top, y);
                box.Right = std::max(box.Right, x + 1);
                box.Bottom = std::max(box.Bottom, y + 1);
            }
    return box;
}

TEST_F(ScaleTest, GeometryStaysLogicalAboveTheBackendAndDoublesBelowIt) {
    EXPECT_EQ(System().Scale(), kScale);
    // Monitors and work areas are reported in logical pixels (the panel is 40 logical high).
    const TMonitor monitor = System().Monitors().front();
    EXPECT_EQ(monitor.Bounds, (TRect{0, 0, 1024, 768}));
    EXPECT_EQ(monitor.WorkArea, (TRect{0, 0, 1024, 728}));
    EXPECT_EQ(System().GetSystemMetrics(SM_CXSCREEN), 1024);

    TWindow* w = Painted({10, 20, 210, 170}, {});
    EXPECT_EQ(w->WindowRect(), (TRect{10, 20, 210, 170}));
    EXPECT_EQ(Backend().Native(w->NativeId())->Bounds, (TRect{20, 40, 420, 340}));
    const TBitmap* buffer = System().BackBuffer(w);
    ASSERT_NE(buffer, nullptr);
    EXPECT_EQ(buffer->Width(), 400);
    EXPECT_EQ(buffer->Height(), 300);

    System().SetWindowPos(w, nullptr, {30, 40, 130, 90}, SWP_NOZORDER);
    EXPECT_EQ(Backend().Native(w->NativeId())->Bounds, (TRect{60, 80, 260, 180}));
    EXPECT_EQ(System().BackBuffer(w)->Width(), 200);

    // The desktop moving the window reports device pixels; the window learns logical ones.
    TInputEvent moved;
    moved.Kind = TInputKind::Configure;
    moved.Window = w->NativeId();
    moved.Rect = {300, 200, 500, 300};
    Backend().QueueEvent(moved);
    ProcessMessages();
    EXPECT_EQ(w->WindowRect(), (TRect{150, 100, 250, 150}));

    // The pointer position the program sets and reads is logical.
    System().SetCursorPos({77, 55});
    ProcessMessages();
    EXPECT_EQ(Backend().CursorPos(), (TPoint{154, 110}));
    EXPECT_EQ(System().GetCursorPos(), (TPoint{77, 55}));
}

TEST_F(ScaleTest, PointerInputIsDividedByTheScaleBeforeHitTesting) {
    TWindow* w = Painted({10, 10, 210, 160}, {});
    TWindow* child = vktest::MakeChild(System(), w, {100, 50, 140, 90}, log.Proc("child"));
    ProcessMessages();

    // Device pixels 220..221 all belong to logical pixel 110 inside the child.
    for (const int dx : {0, 1}) {
        log.Entries.clear();
        Backend().QueueMouseMove({(10 + 110) * kScale + dx, (10 + 60) * kScale + dx});
        Backend().QueueButton(TMouseButton::Left, true);
        Backend().QueueButton(TMouseButton::Left, false);
        ProcessMessages();
        const auto downs = log.Of(WM_LBUTTONDOWN, "child");
        ASSERT_EQ(downs.size(), 1u) << "device offset " << dx;
        EXPECT_EQ(PointFromLParam(downs[0].LParam), (TPoint{10, 10}));
    }
    // One device pixel left of the child's block is the parent's.
    log.Entries.clear();
    Backend().QueueMouseMove({(10 + 100) * kScale - 1, (10 + 60) * kScale});
    Backend().QueueButton(TMouseButton::Left, true);
    Backend().QueueButton(TMouseButton::Left, false);
    ProcessMessages();
    EXPECT_EQ(log.Count(WM_LBUTTONDOWN, "child"), 0u);
    ASSERT_EQ(log.Count(WM_LBUTTONDOWN, "w"), 1u);
    EXPECT_EQ(PointFromLParam(log.Of(WM_LBUTTONDOWN, "w")[0].LParam), (TPoint{99, 60}));
    EXPECT_EQ(System().WindowFromPoint({120, 70}), child);
}

TEST_F(ScaleTest, TheShapeIsTheLogicalRegionScaledAndDecidesWhatIsHit) {
    TWindow* w = Painted({0, 0, 100, 100}, {});
    platform::gfx::TRegion region(TRect{0, 0, 50, 50});
    region.Union(TRect{60, 60, 61, 61});
    System().SetWindowRgn(w, region);
    const auto& shape = Backend().Native(w->NativeId())->Shape;
    ASSERT_TRUE(shape.has_value());
    EXPECT_EQ(*shape, region.Scaled(kScale));
    EXPECT_EQ(shape->Box(), (TRect{0, 0, 122, 122}));
    EXPECT_TRUE(shape->Contains({121, 121}));
    EXPECT_FALSE(shape->Contains({122, 121}));
    // The screen shows the window only inside the scaled shape.
    const TBitmap shot = Session().Screenshot();
    EXPECT_EQ(Device(shot, 99, 99), platform::gfx::clWhite);
    EXPECT_EQ(Device(shot, 100, 99), Backend().DesktopColor);
    EXPECT_EQ(System().WindowFromPoint({60, 60}), w);
    EXPECT_EQ(System().WindowFromPoint({55, 55}), nullptr);
}

TEST_F(ScaleTest, LinesFillsAndPicturesCoverWholeBlocks) {
    TBitmap checker(2, 2);
    checker.SetPixel(0, 0, platform::gfx::clRed);
    checker.SetPixel(1, 1, platform::gfx::clRed);
    checker.SetPixel(1, 0, platform::gfx::clBlue);
    checker.SetPixel(0, 1, platform::gfx::clBlue);
    TBitmap photo = checker;
    photo.Smooth = true;
    TWindow* w = Painted({0, 0, 100, 100}, [&](TCanvas& c) {
        c.Brush.Color = platform::gfx::clBlack;
        c.FillRect({10, 10, 13, 11});
        c.Pen.Color = platform::gfx::clGreen;
        c.MoveTo(20, 20);
        c.LineTo(24, 24);
        c.Draw(40, 40, checker);
        c.StretchDraw({60, 60, 64, 64}, photo);
        EXPECT_EQ(c.Pixels(11, 10), platform::gfx::clBlack);
        EXPECT_EQ(c.ClipRect(), (TRect{0, 0, 100, 100}));
    });
    ASSERT_NE(w, nullptr);
    const TBitmap shot = Session().Screenshot();
    // A one-pixel fill is two device pixels deep and ends at its right edge times two.
    EXPECT_EQ(Device(shot, 20, 20), platform::gfx::clBlack);
    EXPECT_EQ(Device(shot, 25, 21), platform::gfx::clBlack);
    EXPECT_EQ(Device(shot, 26, 21), platform::gfx::clWhite);
    EXPECT_EQ(Device(shot, 20, 22), platform::gfx::clWhite);
    // A diagonal line is a staircase of 2 x 2 blocks, its end point excluded.
    for (int i = 0; i < 4; ++i) {
        const int d = (20 + i) * kScale;
        EXPECT_EQ(Device(shot, d, d), platform::gfx::clGreen) << i;
        EXPECT_EQ(Device(shot, d + 1, d + 1), platform::gfx::clGreen) << i;
        EXPECT_EQ(Device(shot, d + 2, d), platform::gfx::clWhite) << i;
    }
    EXPECT_EQ(Device(shot, 48, 48), platform::gfx::clWhite);
    // A skin picture keeps its exact colours in whole blocks: sharp edges, no blending.
    EXPECT_EQ(Device(shot, 80, 80), platform::gfx::clRed);
    EXPECT_EQ(Device(shot, 81, 81), platform::gfx::clRed);
    EXPECT_EQ(Device(shot, 82, 80), platform::gfx::clBlue);
    EXPECT_EQ(Device(shot, 83, 81), platform::gfx::clBlue);
    EXPECT_EQ(MixedBlocks(shot, {80, 80, 84, 84}), 0);
    // A photograph is filtered: the middle of its enlargement holds blends of red and blue.
    int blends = 0;
    for (int y = 120; y < 128; ++y)
        for (int x = 120; x < 128; ++x) {
            const TColor c = Device(shot, x, y);
            if (c != platform::gfx::clRed && c != platform::gfx::clBlue) ++blends;
        }
    EXPECT_GT(blends, 16);
}

TEST_F(ScaleTest, TextIsRenderedAtTheLargerSizeNotDoubled) {
    const std::string text = "Hill 42";
    auto font = [](TCanvas& c) {
        c.Font.SetName("Arial");
        c.Font.SetHeight(-20);
        c.Font.SetColor(platform::gfx::clBlack);
        c.Brush.Style = platform::gfx::TBrushStyle::bsClear;
    };
    TWindow* w = Painted({0, 0, 200, 60}, [&](TCanvas& c) {
        font(c);
        c.TextOut(4, 4, text);
    });
    ASSERT_NE(w, nullptr);
    const TBitmap shot = Session().CaptureWindow(w);
    ASSERT_EQ(shot.Width(), 400);

    // The same text at scale 1.
    TBitmap single(200, 60);
    single.Canvas().Brush.Color = platform::gfx::clWhite;
    single.Canvas().FillRect({0, 0, 200, 60});
    font(single.Canvas());
    single.Canvas().TextOut(4, 4, text);
    const TRect ink1 = InkBox(single, {0, 0, 200, 60});
    const TRect ink2 = InkBox(shot, {0, 0, 400, 120});
    ASSERT_FALSE(ink1.IsEmpty());
    // Twice the size, give or take the hinting of each size...
    EXPECT_NEAR(ink2.Width(), 2 * ink1.Width(), 4);
    EXPECT_NEAR(ink2.Height(), 2 * ink1.Height(), 3);
    // ...but not the scale-1 bitmap doubled: edges fall inside the 2 x 2 blocks.
    const TBitmap doubled = platform::gfx::ScaledBitmap(single, kScale);
    EXPECT_EQ(MixedBlocks(doubled, {0, 0, 400, 120}), 0);
    EXPECT_GT(MixedBlocks(shot, {0, 0, 400, 120}), 20);
    // The measured width stays the logical one, so layout does not change with the scale.
    TBitmap scratch(4, 4);
    TCanvas scaled(scratch);
    scaled.SetScale(kScale);
    font(scaled);
    EXPECT_EQ(scaled.TextWidth(text), single.Canvas().TextWidth(text));
}

TEST_F(ScaleTest, OffScreenBitmapsKeepTheirDrawingAtTheScreenScale) {
    // A control paints its face into a bitmap of its logical size, then copies it to the window.
    auto face = [](TBitmap& b) {
        TCanvas& c = b.Canvas();
        c.Brush.Color = platform::gfx::clWhite;
        c.FillRect({0, 0, b.Width(), b.Height()});
        c.Font.SetName("Arial");
        c.Font.SetHeight(-20);
        c.Font.SetColor(platform::gfx::clBlack);
        c.Brush.Style = platform::gfx::TBrushStyle::bsClear;
        c.TextOut(2, 2, "Start");
    };
    TBitmap kept(80, 30);
    face(kept);
    ASSERT_NE(kept.HiRes(), nullptr);
    EXPECT_EQ(kept.HiRes()->Width(), 160);
    TBitmap touched(80, 30);
    face(touched);
    touched.ScanLine(0)[0] = 0;  // written directly: the sharp picture no longer matches
    EXPECT_EQ(touched.HiRes(), nullptr);

    TWindow* w = Painted({0, 0, 200, 40}, [&](TCanvas& c) {
        c.Draw(0, 0, kept);
        c.Draw(100, 0, touched);
    });
    ASSERT_NE(w, nullptr);
    const TBitmap shot = Session().CaptureWindow(w);
    EXPECT_GT(MixedBlocks(shot, {0, 0, 160, 60}), 10) << "drawn at the screen scale";
    EXPECT_EQ(MixedBlocks(shot, {200, 0, 360, 60}), 0) << "the scale-1 pixels enlarged";
    EXPECT_LT(InkBox(shot, {200, 0, 360, 60}).Left, 360) << "still shows the text";
}

TEST_F(ScaleTest, ExposedDeviceAreasArePresentedAgainWhole) {
    TWindow* w = Painted({0, 0, 50, 50}, [](TCanvas& c) {
        c.Brush.Color = platform::gfx::clRed;
        c.FillRect({0, 0, 50, 50});
    });
    Backend().ClearPresents();
    TInputEvent exposed;
    exposed.Kind = TInputKind::Expose;
    exposed.Window = w->NativeId();
    exposed.Rect = {3, 3, 5, 4};  // device pixels: logical 1..2 x 1..1
    Backend().QueueEvent(exposed);
    ProcessMessages();
    ASSERT_FALSE(Backend().Presents().empty());
    TRect presented;
    for (const headless::TPresentRecord& p : Backend().Presents()) presented = presented.Union(p.Rect);
    EXPECT_TRUE(presented.Contains({2, 2}) && presented.Contains({5, 3}));
    EXPECT_EQ(presented.Left % kScale, 0);
    EXPECT_EQ(presented.Right % kScale, 0);
}

TEST(ScaleEnvironment, TheHeadlessBackendTakesItsScaleFromVkScale) {
    const char* saved = std::getenv("VK_SCALE");
    const std::string keep = saved ? saved : "";
    const char* savedBackend = std::getenv("VK_BACKEND");
    const std::string keepBackend = savedBackend ? savedBackend : "";
    struct TCase {
        const char* Value;
        int Scale;
    };
    for (const TCase& c : {TCase{"2", 2}, TCase{"3", 3}, TCase{"1", 1}, TCase{"0", 1}, TCase{"12", 1},
                           TCase{"x", 1}, TCase{"", 1}}) {
        setenv("VK_SCALE", c.Value, 1);
        EXPECT_EQ(headless::HeadlessScaleFromEnvironment(), c.Scale) << "VK_SCALE=" << c.Value;
    }
    setenv("VK_SCALE", "2", 1);
    setenv("VK_BACKEND", "headless", 1);
    std::string error;
    std::unique_ptr<TBackend> backend = CreateDefaultBackend(error);
    ASSERT_NE(backend, nullptr) << error;
    EXPECT_EQ(backend->Scale(), 2);
    EXPECT_EQ(backend->Monitors().front().Bounds, (TRect{0, 0, 2048, 1536}));
    if (savedBackend)
        setenv("VK_BACKEND", keepBackend.c_str(), 1);
    else
        unsetenv("VK_BACKEND");
    if (saved)
        setenv("VK_SCALE", keep.c_str(), 1);
    else
        unsetenv("VK_SCALE");
}

TEST(ScaleDetection, TheScaleFollowsTheResolutionFrom144DpiOn) {
    using platform::ui::x11::ScaleForDpi;
    EXPECT_EQ(ScaleForDpi(96), 1);
    EXPECT_EQ(ScaleForDpi(120), 1);
    EXPECT_EQ(ScaleForDpi(143.9), 1);
    EXPECT_EQ(ScaleForDpi(144), 2);
    EXPECT_EQ(ScaleForDpi(191.8), 2);
    EXPECT_EQ(ScaleForDpi(192), 2);
    EXPECT_EQ(ScaleForDpi(239), 2);
    EXPECT_EQ(ScaleForDpi(240), 3);
    EXPECT_EQ(ScaleForDpi(288), 3);
    EXPECT_EQ(ScaleForDpi(600), 3) << "at most 3";
    EXPECT_EQ(ScaleForDpi(-192), 1);
    EXPECT_EQ(ScaleForDpi(std::numeric_limits<double>::quiet_NaN()), 1);
    EXPECT_EQ(ScaleForDpi(std::numeric_limits<double>::infinity()), 1);
}

TEST(ScaleDetection, XftDpiIsReadFromTheResourceDatabase) {
    using platform::ui::x11::XftDpiFromResources;
    EXPECT_EQ(XftDpiFromResources("Xft.dpi:\t192\n"), 192.0);
    EXPECT_EQ(XftDpiFromResources("Xft.antialias:\t1\nXft.dpi: 144.5\nXft.hinting:\t1\n"), 144.5);
    EXPECT_EQ(XftDpiFromResources("Xft.dpi:\t120"), 120.0) << "the last line needs no newline";
    EXPECT_EQ(XftDpiFromResources(""), std::nullopt);
    EXPECT_EQ(XftDpiFromResources("Xft.hinting:\t1\n"), std::nullopt);
    EXPECT_EQ(XftDpiFromResources("Xft.dpi:\n"), std::nullopt);
    EXPECT_EQ(XftDpiFromResources("Xft.dpi: lots\n"), std::nullopt);
    EXPECT_EQ(XftDpiFromResources("Xft.dpi: 192dpi\n"), std::nullopt);
    EXPECT_EQ(XftDpiFromResources("Xft.dpi: 0\n"), std::nullopt);
    EXPECT_EQ(XftDpiFromResources("Xft.dpi: -96\n"), std::nullopt);
    EXPECT_EQ(XftDpiFromResources("Xft.dpiX: 192\n*dpi: 192\n"), std::nullopt);

    using platform::ui::x11::ScaleOverride;
    EXPECT_EQ(ScaleOverride("2"), 2);
    EXPECT_EQ(ScaleOverride("1"), 1);
    EXPECT_EQ(ScaleOverride(nullptr), std::nullopt);
    EXPECT_EQ(ScaleOverride(""), std::nullopt);
    EXPECT_EQ(ScaleOverride("0"), std::nullopt);
    EXPECT_EQ(ScaleOverride("2.5"), std::nullopt);
    EXPECT_EQ(ScaleOverride("9"), std::nullopt);
}

}  // namespace
