#include <gtest/gtest.h>

#include "support/HeadlessFixture.h"
#include "support/MessageLog.h"
#include "ui/UiTestWindows.h"

using namespace platform::ui;
using platform::core::TPoint;
using platform::core::TRect;

namespace {

// A frameless window whose procedure draws its own frame, as the skin form does: a 20-pixel
// caption strip, 4-pixel borders, a 10-pixel bottom-right grip, and track sizes of its own.
class NonClientTest : public vktest::HeadlessFixture {
protected:
    void SetUp() override {
        HeadlessFixture::SetUp();
        w = vktest::MakeTopLevel(
            System(), start,
            log.Proc("w",
                     [this](TWindow& self, uint32_t msg, TWParam wp, TLParam lp) -> std::optional<TLResult> {
                         switch (msg) {
                             case WM_NCCALCSIZE: {
                                 auto* r = PtrFromParam<TRect>(lp);
                                 *r = {r->Left + 4, r->Top + 20, r->Right - 4, r->Bottom - 4};
                                 return 0;
                             }
                             case WM_NCHITTEST: {
                                 const TPoint p = self.ScreenToWindow(PointFromLParam(lp));
                                 if (p.X >= self.Width() - 10 && p.Y >= self.Height() - 10)
                                     return HTBOTTOMRIGHT;
                                 if (p.X < 4) return HTLEFT;
                                 if (p.Y < 20) return HTCAPTION;
                                 return self.ClientArea().Contains(p) ? HTCLIENT : HTBORDER;
                             }
                             case WM_GETMINMAXINFO: {
                                 auto* mmi = PtrFromParam<TMinMaxInfo>(lp);
                                 mmi->MinTrackSize = {150, 100};
                                 mmi->MaxTrackSize = {400, 300};
                                 return std::nullopt;
                             }
                             case WM_MOVING: {
                                 auto* r = PtrFromParam<TRect>(lp);
                                 if (r->Left < 10) *r = r->Offset(-r->Left, 0);  // snaps to the screen's edge
                                 return std::nullopt;
                             }
                             case WM_SIZING:
                                 lastSizingEdge = static_cast<int>(wp);
                                 return std::nullopt;
                             default:
                                 return std::nullopt;
                         }
                     }));
    }
    TWindow* w = nullptr;
    const TRect start{100, 100, 300, 250};
    int lastSizingEdge = 0;
    vktest::MessageLog log;
};

TEST_F(NonClientTest, ClientAreaComesFromNcCalcSize) {
    EXPECT_EQ(w->ClientArea(), (TRect{4, 20, 196, 146}));
    EXPECT_EQ(w->ClientRect(), (TRect{0, 0, 192, 126}));
    EXPECT_EQ(w->ClientToScreen({0, 0}), (TPoint{104, 120}));
}

TEST_F(NonClientTest, CaptionPressStartsAMoveLoopThatWmMovingCanSteer) {
    log.Clear();
    Session().Drag({150, 110}, {200, 140});
    EXPECT_EQ(w->WindowRect(), start.Offset(50, 30));
    EXPECT_EQ(log.Names({WM_NCLBUTTONDOWN, WM_SYSCOMMAND, WM_ENTERSIZEMOVE, WM_EXITSIZEMOVE, WM_LBUTTONUP}),
              (std::vector<std::string>{"w:WM_NCLBUTTONDOWN", "w:WM_SYSCOMMAND", "w:WM_ENTERSIZEMOVE",
                                        "w:WM_EXITSIZEMOVE"}));
    EXPECT_EQ(log.Of(WM_NCLBUTTONDOWN)[0].WParam, static_cast<TWParam>(HTCAPTION));
    EXPECT_GE(log.Count(WM_MOVING), 4u);
    EXPECT_EQ(PointFromLParam(log.Of(WM_MOVE).back().LParam), (TPoint{154, 150}));  // client origin
    EXPECT_EQ(Backend().Native(w->NativeId())->Bounds, w->WindowRect());
    // Dragged to 5 pixels from the left edge, the handler's snap wins.
    Session().Drag({200, 140}, {55, 140});
    EXPECT_EQ(w->WindowRect().Left, 0);
}

TEST_F(NonClientTest, SizeLoopRespectsTheTrackSizesAndKeepsTheOppositeEdge) {
    Session().Drag({295, 245}, {900, 900});
    EXPECT_EQ(w->WindowRect(), (TRect{100, 100, 500, 400}));
    EXPECT_EQ(lastSizingEdge, WMSZ_BOTTOMRIGHT);
    Session().Drag({495, 395}, {0, 0});
    EXPECT_EQ(w->WindowRect(), (TRect{100, 100, 250, 200}));
    Session().Drag({101, 150}, {-300, 150});  // the left edge: the right edge stays
    EXPECT_EQ(w->WindowRect(), (TRect{-150, 100, 250, 200}));
    EXPECT_EQ(lastSizingEdge, WMSZ_LEFT);
    EXPECT_EQ(w->ClientRect(), (TRect{0, 0, 392, 76}));
}

TEST_F(NonClientTest, EscapePutsTheWindowBack) {
    Backend().QueueMouseMove({150, 110});
    Backend().QueueButton(TMouseButton::Left, true);
    Backend().QueueMouseMove({250, 210});
    Backend().QueueKey(VK_ESCAPE, true);
    Backend().QueueMouseMove({260, 220});
    Backend().QueueButton(TMouseButton::Left, false);
    ProcessMessages();
    EXPECT_EQ(w->WindowRect(), start);
    EXPECT_EQ(log.Count(WM_EXITSIZEMOVE), 1u);
    EXPECT_FALSE(System().InMoveSizeLoop());
}

TEST_F(NonClientTest, TimersKeepRunningDuringTheLoop) {
    System().SetTimer(w, 1, 100);
    int ticksInLoop = 0;
    Session().SetIdleHook([&](auto& session) {
        if (!System().InMoveSizeLoop()) return false;
        if (log.Count(WM_TIMER) > 0) {
            ++ticksInLoop;
            session.Backend().QueueButton(TMouseButton::Left, false);
        } else {
            session.Advance(100);
        }
        return true;
    });
    Backend().QueueMouseMove({150, 110});
    Backend().QueueButton(TMouseButton::Left, true);
    ProcessMessages();
    EXPECT_EQ(ticksInLoop, 1);
    EXPECT_FALSE(System().InMoveSizeLoop());
}

TEST_F(NonClientTest, DefaultFrameHitTestingAndCaptionDoubleClick) {
    TCreateParams p;
    p.Bounds = {400, 100, 600, 300};
    p.Style = WS_OVERLAPPEDWINDOW | WS_VISIBLE;
    p.WndProc = log.Proc("framed");
    TWindow* f = System().CreateWindow(p);
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->ClientArea(), (TRect{4, 23, 196, 196}));
    auto hit = [&](TPoint screen) {
        return static_cast<int>(f->Send(WM_NCHITTEST, 0, PointToLParam(screen)));
    };
    EXPECT_EQ(hit({500, 110}), HTCAPTION);
    EXPECT_EQ(hit({500, 200}), HTCLIENT);
    EXPECT_EQ(hit({401, 200}), HTLEFT);
    EXPECT_EQ(hit({599, 299}), HTBOTTOMRIGHT);
    EXPECT_EQ(hit({500, 101}), HTTOP);
    Session().DoubleClick({500, 110});
    EXPECT_TRUE(f->IsZoomed());
}

}  // namespace
