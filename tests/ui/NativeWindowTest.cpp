// The window system and its backend through the per-window native window objects and the
// screen-capture capability: what the program sees without knowing which backend runs.

#include <gtest/gtest.h>

#include "platform/gfx/Canvas.h"
#include "support/HeadlessFixture.h"
#include "support/MessageLog.h"
#include "ui/UiTestWindows.h"

using namespace platform::ui;
using platform::core::TRect;

namespace {

class NativeWindowTest : public vktest::HeadlessFixture {
protected:
    // A top-level window that paints its client area in one colour.
    TWindow* Filled(const std::string& name, TRect bounds, platform::gfx::TColor color,
                    TWindow* owner = nullptr) {
        TCreateParams p;
        p.Bounds = bounds;
        p.Style = WS_POPUP | WS_VISIBLE;
        p.Owner = owner;
        p.WndProc =
            log.Proc(name, [color](TWindow& w, uint32_t msg, TWParam, TLParam) -> std::optional<TLResult> {
                if (msg != WM_PAINT) return std::nullopt;
                TDeviceContextPtr dc = w.System().BeginPaint(&w);
                dc->Canvas().Brush.Color = color;
                dc->Canvas().FillRect(w.ClientRect());
                return 0;
            });
        return System().CreateWindow(p);
    }
    vktest::MessageLog log;
};

TEST_F(NativeWindowTest, EveryTopLevelHasItsOwnNativeWindowThatFindsItAgain) {
    TWindow* form = Filled("form", {10, 10, 210, 160}, platform::gfx::clRed);
    TWindow* child = vktest::MakeChild(System(), form, {5, 5, 50, 50}, {});
    ASSERT_NE(form->Native(), nullptr);
    EXPECT_EQ(form->Native()->Client(), form);
    EXPECT_EQ(form->Native()->Id(), form->NativeId());
    EXPECT_EQ(child->Native(), nullptr);
    EXPECT_EQ(child->NativeId(), 0u);

    // The backend answers with the object, and the window system goes from it to the window.
    EXPECT_EQ(System().Backend().NativeWindowAt({100, 100}), form->Native());
    EXPECT_EQ(System().WindowFromPoint({20, 20}), child);
    EXPECT_EQ(System().Backend().NativeWindowAt({500, 500}), nullptr);

    // Changes reach the desktop through the object.
    System().SetWindowText(form, "Renamed");
    System().SetWindowRgn(form, platform::gfx::TRegion(TRect{0, 0, 100, 100}));
    EXPECT_EQ(Backend().Native(form->NativeId())->Title, "Renamed");
    EXPECT_EQ(System().Backend().NativeWindowAt({150, 150}), nullptr) << "outside the new shape";

    // Destroying the window closes its native window.
    const TNativeId id = form->NativeId();
    System().DestroyWindow(form);
    EXPECT_EQ(Backend().Native(id), nullptr);
    EXPECT_EQ(System().Backend().NativeWindowAt({20, 20}), nullptr);
}

TEST_F(NativeWindowTest, InputTakenForANativeWindowThatWentAwayIsDropped) {
    // Both close requests are taken from the backend together; closing the owner destroys the
    // owned window, whose request is still waiting and must not reach anything.
    TWindow* owner = Filled("owner", {0, 0, 200, 150}, platform::gfx::clRed);
    TWindow* owned = Filled("owned", {50, 50, 150, 120}, platform::gfx::clBlue, owner);
    ASSERT_NE(owned->Owner(), nullptr);
    log.Clear();
    Backend().QueueCloseRequest(owner->NativeId());
    Backend().QueueCloseRequest(owned->NativeId());
    TInputEvent click;
    click.Kind = TInputKind::ButtonDown;
    click.Window = owned->NativeId();
    click.ScreenPos = {100, 100};
    Backend().QueueEvent(click);
    ProcessMessages();
    EXPECT_FALSE(System().IsWindow(owner));
    EXPECT_FALSE(System().IsWindow(owned));
    EXPECT_TRUE(log.Of(WM_SYSCOMMAND, "owned").empty());
    EXPECT_TRUE(log.Of(WM_LBUTTONDOWN, "owned").empty());
    EXPECT_EQ(log.Of(WM_DESTROY, "owned").size(), 1u);
}

TEST_F(NativeWindowTest, TheScreenCaptureCapabilitySeesWhatWasPresented) {
    TScreenCapture* capture = System().Backend().ScreenCapture();
    ASSERT_NE(capture, nullptr) << "the headless backend keeps its screen in memory";
    capture->TakePresented();
    TWindow* form = Filled("form", {20, 30, 120, 90}, platform::gfx::clRed);
    ProcessMessages();
    EXPECT_TRUE(capture->TakePresented());
    EXPECT_FALSE(capture->TakePresented()) << "each present is reported once";
    const platform::gfx::TBitmap screen = capture->CaptureScreen();
    EXPECT_EQ(screen.Width(), Backend().Screen().Width);
    EXPECT_EQ(screen.ScanLine(50)[60] & 0xFFFFFF, platform::gfx::ColorToPixel(platform::gfx::clRed));
    EXPECT_EQ(screen.ScanLine(5)[5] & 0xFFFFFF, platform::gfx::ColorToPixel(Backend().DesktopColor));

    // Nothing changed: nothing presented.
    ProcessMessages();
    EXPECT_FALSE(capture->TakePresented());
    form->Invalidate();
    ProcessMessages();
    EXPECT_TRUE(capture->TakePresented());

    // The idle hook runs when a loop has nothing to do; the input it queues is taken by that loop.
    int idle = 0;
    capture->SetIdleHook([&] {
        ++idle;
        Backend().QueueMouseMove({60, 50});
        return true;
    });
    log.Clear();
    const TLoopEnd end = System().RunModalLoop([&] { return !log.Of(WM_MOUSEMOVE, "form").empty(); });
    EXPECT_EQ(end, TLoopEnd::Done);
    EXPECT_EQ(idle, 1);
    capture->SetIdleHook({});
}

}  // namespace
