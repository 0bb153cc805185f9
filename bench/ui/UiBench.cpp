// The window system's message dispatch and repaint, each beside the bare work that bounds it.

#include <benchmark/benchmark.h>

#include <cstring>

#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Canvas.h"
#include "platform/ui/backend/headless/HeadlessSession.h"

using namespace platform::ui;
using platform::core::TRect;

namespace {

constexpr int kMessages = 100000;

TLResult CountingProc(TWindow& w, uint32_t msg, TWParam wp, TLParam lp) {
    if (msg == WM_USER) {
        ++*static_cast<int64_t*>(w.UserData());
        return 0;
    }
    return DefWindowProc(w, msg, wp, lp);
}

// 100,000 posted messages through the queue, the loop and a window procedure.
void BM_DispatchPosted(benchmark::State& state) {
    headless::THeadlessSession session;
    int64_t count = 0;
    TCreateParams p;
    p.Bounds = {0, 0, 100, 100};
    p.WndProc = CountingProc;
    p.UserData = &count;
    TWindow* w = session.System().CreateWindow(p);
    for (auto _ : state) {
        for (int i = 0; i < kMessages; ++i) w->Post(WM_USER);
        session.ProcessMessages();
    }
    benchmark::DoNotOptimize(count);
    state.SetItemsProcessed(state.iterations() * kMessages);
}
BENCHMARK(BM_DispatchPosted)->Unit(benchmark::kMillisecond);

// 100,000 sent messages.
void BM_DispatchSent(benchmark::State& state) {
    headless::THeadlessSession session;
    int64_t count = 0;
    TCreateParams p;
    p.Bounds = {0, 0, 100, 100};
    p.WndProc = CountingProc;
    p.UserData = &count;
    TWindow* w = session.System().CreateWindow(p);
    for (auto _ : state)
        for (int i = 0; i < kMessages; ++i) session.System().SendMessage(w, WM_USER);
    benchmark::DoNotOptimize(count);
    state.SetItemsProcessed(state.iterations() * kMessages);
}
BENCHMARK(BM_DispatchSent)->Unit(benchmark::kMillisecond);

// Baseline: 100,000 calls of the same procedure through a std::function.
void BM_DispatchBaselineDirectCall(benchmark::State& state) {
    headless::THeadlessSession session;
    int64_t count = 0;
    TCreateParams p;
    p.Bounds = {0, 0, 100, 100};
    p.UserData = &count;
    TWindow* w = session.System().CreateWindow(p);
    const TWndProc proc = CountingProc;
    for (auto _ : state)
        for (int i = 0; i < kMessages; ++i) proc(*w, WM_USER, 0, 0);
    benchmark::DoNotOptimize(count);
    state.SetItemsProcessed(state.iterations() * kMessages);
}
BENCHMARK(BM_DispatchBaselineDirectCall)->Unit(benchmark::kMillisecond);

TLResult FillingProc(TWindow& w, uint32_t msg, TWParam wp, TLParam lp) {
    if (msg == WM_PAINT) {
        TDeviceContextPtr dc = w.System().BeginPaint(&w);
        dc->Canvas().Brush.Color =
            static_cast<platform::gfx::TColor>(reinterpret_cast<uintptr_t>(w.UserData()));
        dc->Canvas().FillRect(w.ClientRect());
        return 0;
    }
    if (msg == WM_ERASEBKGND) return 1;
    return DefWindowProc(w, msg, wp, lp);
}

// A 760 x 570 form with 30 child windows: invalidate everything, repaint, present.
void BM_InvalidateRepaint760x570With30Children(benchmark::State& state) {
    headless::THeadlessSession session;
    TCreateParams p;
    p.Bounds = {10, 10, 770, 580};
    p.Style = WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN;
    p.WndProc = FillingProc;
    p.UserData = reinterpret_cast<void*>(uintptr_t{0xC0C0C0});
    TWindow* form = session.System().CreateWindow(p);
    for (int i = 0; i < 30; ++i) {
        TCreateParams c;
        c.Parent = form;
        c.Style = WS_CHILD | WS_VISIBLE;
        c.Bounds = platform::core::Bounds(10 + (i % 6) * 125, 10 + (i / 6) * 110, 110, 95);
        c.WndProc = FillingProc;
        c.UserData = reinterpret_cast<void*>(uintptr_t(0x101010u * static_cast<unsigned>(i % 15)));
        session.System().CreateWindow(c);
    }
    session.ProcessMessages();
    for (auto _ : state) {
        session.System().RedrawAll(form);
        session.ProcessMessages();
    }
    state.counters["paints/iter"] = static_cast<double>(session.System().PaintStats().PaintMessages) /
                                    static_cast<double>(state.iterations() + 1);
}
BENCHMARK(BM_InvalidateRepaint760x570With30Children)->Unit(benchmark::kMicrosecond);

// Baseline: one plain copy of a 760 x 570 back buffer.
void BM_InvalidateRepaintBaselineBufferCopy(benchmark::State& state) {
    platform::gfx::TBitmap source(760, 570), target(760, 570);
    for (auto _ : state) {
        for (int y = 0; y < 570; ++y)
            std::memcpy(target.ScanLine(y), source.ScanLine(y), 760 * sizeof(uint32_t));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_InvalidateRepaintBaselineBufferCopy)->Unit(benchmark::kMicrosecond);

// A small invalidation on the same form: one child's corner.
void BM_InvalidateSmallArea(benchmark::State& state) {
    headless::THeadlessSession session;
    TCreateParams p;
    p.Bounds = {10, 10, 770, 580};
    p.Style = WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN;
    p.WndProc = FillingProc;
    TWindow* form = session.System().CreateWindow(p);
    TWindow* last = nullptr;
    for (int i = 0; i < 30; ++i) {
        TCreateParams c;
        c.Parent = form;
        c.Style = WS_CHILD | WS_VISIBLE;
        c.Bounds = platform::core::Bounds(10 + (i % 6) * 125, 10 + (i / 6) * 110, 110, 95);
        c.WndProc = FillingProc;
        last = session.System().CreateWindow(c);
    }
    session.ProcessMessages();
    const TRect corner{0, 0, 20, 20};
    for (auto _ : state) {
        last->InvalidateRect(corner);
        session.ProcessMessages();
    }
}
BENCHMARK(BM_InvalidateSmallArea)->Unit(benchmark::kMicrosecond);

}  // namespace
