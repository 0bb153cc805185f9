// Windows of the x11 backend as the X server shows them: presented pixels, shapes, stacking of
// popups, focus, desktop moves and close requests.

#include <cstdlib>

#include "X11TestSupport.h"

namespace vktest {
namespace {

using platform::gfx::TRegion;

// A window with its four corners cut off (10-pixel squares).
TRegion CutCorners(int width, int height) {
    TRegion region(TRect{10, 0, width - 10, height});
    region.Union(TRect{0, 10, width, height - 10});
    return region;
}

class X11PresentTest : public X11Fixture, public ::testing::WithParamInterface<bool> {
protected:
    void SetUp() override {
        if (GetParam()) {
            setenv("VK_X11_NO_SHM", "1", 1);
        } else {
            unsetenv("VK_X11_NO_SHM");
        }
        X11Fixture::SetUp();
        unsetenv("VK_X11_NO_SHM");
    }
};

TEST_P(X11PresentTest, PresentsPixelsInsideTheShapeOnly) {
    const bool plain = GetParam();
    const TRect bounds{40, 50, 160, 140};
    const TRegion shape = CutCorners(bounds.Width(), bounds.Height());
    const TNativeId id = ShowFilled(bounds, 0xC08040, &shape);
    ASSERT_NE(id, 0u);
    EXPECT_EQ(Backend().PresentsThroughSharedMemory(), !plain);

    ASSERT_TRUE(WaitForPixel(100, 95, 0xC08040)) << std::hex << ScreenPixel(100, 95);
    EXPECT_EQ(ScreenPixel(bounds.Left + 2, bounds.Top + 2), kRootColor);  // cut corner
    EXPECT_EQ(ScreenPixel(bounds.Right - 3, bounds.Bottom - 3), kRootColor);
    EXPECT_EQ(ScreenPixel(bounds.Left + 12, bounds.Top + 1), 0xC08040u);  // edge inside
    EXPECT_EQ(Backend().WindowAt({bounds.Left + 2, bounds.Top + 2}), 0u);
    EXPECT_EQ(Backend().WindowAt({bounds.Left + 12, bounds.Top + 1}), id);
    EXPECT_TRUE(PumpUntil([&] { return !Take(TInputKind::Expose).empty(); })) << "mapping exposes the window";

    // Only the given rectangle changes, at its own place in the window.
    platform::gfx::TBitmap buffer(bounds.Width(), bounds.Height());
    for (int y = 0; y < buffer.Height(); ++y) {
        for (int x = 0; x < buffer.Width(); ++x) buffer.ScanLine(y)[x] = 0x10E010;
    }
    Backend().Present(id, buffer, {TRect{30, 20, 50, 40}});
    ASSERT_TRUE(WaitForPixel(bounds.Left + 30, bounds.Top + 20, 0x10E010));
    EXPECT_EQ(ScreenPixel(bounds.Left + 49, bounds.Top + 39), 0x10E010u);
    EXPECT_EQ(ScreenPixel(bounds.Left + 50, bounds.Top + 40), 0xC08040u);
    EXPECT_EQ(ScreenPixel(bounds.Left + 29, bounds.Top + 20), 0xC08040u);

    // A larger window keeps the shape it was given.
    Backend().SetBounds(id, TRect{40, 50, 200, 180});
    Fill(id, 160, 130, 0x3060C0);
    ASSERT_TRUE(WaitForPixel(100, 95, 0x3060C0));
    EXPECT_EQ(ScreenPixel(190, 170), kRootColor);
    // And no shape makes it rectangular.
    Backend().SetShape(id, nullptr);
    Fill(id, 160, 130, 0x3060C0);
    EXPECT_TRUE(WaitForPixel(190, 170, 0x3060C0));
    EXPECT_TRUE(WaitForPixel(41, 51, 0x3060C0));
}

// A window taller than what the shared strip holds goes out band by band: every row lands at its
// own place, also for a rectangle that starts and ends inside a band.
TEST_P(X11PresentTest, TallWindowsArriveRowForRow) {
    const TRect bounds{20, 20, 320, 620};
    const TNativeId id = ShowFilled(bounds, 0x202020);
    ASSERT_NE(id, 0u);
    ASSERT_TRUE(WaitForPixel(bounds.Left + 5, bounds.Bottom - 1, 0x202020));
    auto rowColour = [](int y, uint32_t green) {
        return (static_cast<uint32_t>(y >> 8) << 16) | green | (y & 0xFF);
    };
    platform::gfx::TBitmap buffer(bounds.Width(), bounds.Height());
    for (int y = 0; y < buffer.Height(); ++y) {
        for (int x = 0; x < buffer.Width(); ++x) buffer.ScanLine(y)[x] = rowColour(y, 0x8000);
    }
    Backend().Present(id, buffer, {TRect{0, 0, bounds.Width(), bounds.Height()}});
    ASSERT_TRUE(WaitForPixel(bounds.Left + 299, bounds.Bottom - 1, rowColour(599, 0x8000)));
    for (int y : {0, 1, 200, 217, 218, 219, 300, 436, 437, 438, 500, 598}) {
        EXPECT_EQ(ScreenPixel(bounds.Left + (y * 7) % 300, bounds.Top + y), rowColour(y, 0x8000))
            << "row " << y;
    }

    for (int y = 0; y < buffer.Height(); ++y) {
        for (int x = 0; x < buffer.Width(); ++x) buffer.ScanLine(y)[x] = rowColour(y, 0x4000);
    }
    Backend().Present(id, buffer, {TRect{10, 150, 60, 470}});
    ASSERT_TRUE(WaitForPixel(bounds.Left + 59, bounds.Top + 469, rowColour(469, 0x4000)));
    for (int y : {150, 217, 218, 300, 437, 438}) {
        EXPECT_EQ(ScreenPixel(bounds.Left + 10, bounds.Top + y), rowColour(y, 0x4000)) << "row " << y;
        EXPECT_EQ(ScreenPixel(bounds.Left + 60, bounds.Top + y), rowColour(y, 0x8000)) << "row " << y;
    }
    EXPECT_EQ(ScreenPixel(bounds.Left + 10, bounds.Top + 149), rowColour(149, 0x8000));
    EXPECT_EQ(ScreenPixel(bounds.Left + 10, bounds.Top + 470), rowColour(470, 0x8000));
}

INSTANTIATE_TEST_SUITE_P(SharedAndPlain, X11PresentTest, ::testing::Values(false, true),
                         [](const auto& testInfo) { return testInfo.param ? "Plain" : "SharedMemory"; });

TEST_F(X11Fixture, PopupStaysAboveAndNeverTakesTheFocus) {
    const TNativeId main = ShowFilled({100, 100, 300, 250}, 0x808080);
    Backend().SetKeyboardFocus(main);
    ASSERT_TRUE(PumpUntil([&] { return FocusedWindow() == main; }));

    const TNativeId popup = ShowFilled({150, 150, 250, 200}, 0xE0E000, nullptr, true);
    Backend().SetKeyboardFocus(popup);
    ASSERT_TRUE(WaitForPixel(200, 175, 0xE0E000));
    Settle();
    EXPECT_EQ(FocusedWindow(), main);
    XWindowAttributes attributes{};
    ASSERT_TRUE(XGetWindowAttributes(Observer(), popup, &attributes));
    EXPECT_TRUE(attributes.override_redirect);

    // Raising the main window leaves the popup on top.
    Backend().Raise(main);
    Fill(main, 200, 150, 0x808080);
    Settle();
    EXPECT_EQ(ScreenPixel(200, 175), 0xE0E000u);
    EXPECT_EQ(Backend().WindowAt({200, 175}), popup);
    EXPECT_EQ(Backend().WindowAt({120, 120}), main);
    EXPECT_TRUE(Take(TInputKind::FocusIn).size() >= 1u);
    for (const TInputEvent& e : Take(TInputKind::FocusIn)) EXPECT_EQ(e.Window, main);
}

TEST_F(X11Fixture, ReportsOnlyTheDesktopsMovesAndItsCloseRequests) {
    const TNativeId id = ShowFilled({10, 10, 110, 90}, 0x404040);
    Backend().SetBounds(id, {20, 30, 140, 110});
    Backend().SetBounds(id, {25, 35, 145, 115});
    Settle();
    EXPECT_TRUE(Take(TInputKind::Configure).empty()) << "our own moves are not the desktop's";

    XMoveResizeWindow(Observer(), id, 300, 200, 150, 100);
    XFlush(Observer());
    ASSERT_TRUE(PumpUntil([&] { return !Take(TInputKind::Configure).empty(); }));
    const auto configures = Take(TInputKind::Configure);
    ASSERT_EQ(configures.size(), 1u);
    EXPECT_EQ(configures[0].Window, id);
    EXPECT_EQ(configures[0].Rect, (TRect{300, 200, 450, 300}));

    XEvent close{};
    close.xclient.type = ClientMessage;
    close.xclient.window = id;
    close.xclient.message_type = XInternAtom(Observer(), "WM_PROTOCOLS", False);
    close.xclient.format = 32;
    close.xclient.data.l[0] = static_cast<long>(XInternAtom(Observer(), "WM_DELETE_WINDOW", False));
    close.xclient.data.l[1] = CurrentTime;
    XSendEvent(Observer(), id, False, NoEventMask, &close);
    XFlush(Observer());
    ASSERT_TRUE(PumpUntil([&] { return !Take(TInputKind::CloseRequest).empty(); }));
    EXPECT_EQ(Take(TInputKind::CloseRequest)[0].Window, id);
    // A request is only a request: the window is still there.
    XWindowAttributes attributes{};
    EXPECT_TRUE(XGetWindowAttributes(Observer(), id, &attributes));
    EXPECT_EQ(attributes.map_state, IsViewable);
}

TEST_F(X11Fixture, EmptyAndUnknownWindowsAreHarmless) {
    TNativeWindowParams params;
    params.Bounds = {50, 50, 50, 80};  // no width
    const TNativeId id = Backend().CreateNativeWindow(params);
    ASSERT_NE(id, 0u);
    Backend().SetVisible(id, true);
    Settle();
    XWindowAttributes attributes{};
    ASSERT_TRUE(XGetWindowAttributes(Observer(), id, &attributes));
    EXPECT_EQ(attributes.map_state, IsUnmapped);
    Backend().SetBounds(id, {50, 50, 90, 80});
    Settle();
    ASSERT_TRUE(XGetWindowAttributes(Observer(), id, &attributes));
    EXPECT_EQ(attributes.map_state, IsViewable);

    const TNativeId unknown = id + 12345;
    Backend().SetBounds(unknown, {0, 0, 10, 10});
    Backend().SetVisible(unknown, true);
    Backend().SetKeyboardFocus(unknown);
    Backend().Present(unknown, platform::gfx::TBitmap(4, 4), {TRect{0, 0, 4, 4}});
    Backend().DestroyNativeWindow(unknown);
    // Rectangles outside the buffer are clipped, not read.
    Backend().Present(id, platform::gfx::TBitmap(40, 30), {TRect{-10, -10, 500, 500}});
    Backend().DestroyNativeWindow(id);
    Backend().DestroyNativeWindow(id);
    Settle();
    EXPECT_FALSE(XGetWindowAttributes(Observer(), id, &attributes) && attributes.map_state == IsViewable);
}

}  // namespace
}  // namespace vktest
