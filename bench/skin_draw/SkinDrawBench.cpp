// Frame composition and region building, each beside the plain copy or scan of the same bytes.

#include <benchmark/benchmark.h>

#include <cstring>
#include <random>

#include "platform/gfx/Canvas.h"
#include "skin/data/bsUtilsDrawCompose.h"
#include "skin/data/bsUtilsRegion.h"

namespace {

using platform::gfx::TBitmap;
using skin::TbsFrameGeometry;

TBitmap Noise(int w, int h, uint32_t seed) {
    std::mt19937 rnd(seed);
    TBitmap b(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) b.ScanLine(y)[x] = rnd() & 0xFFFFFFu;
    return b;
}

// A 205 x 167 window frame: 28-pixel caption, 6-pixel borders, repeatable middles between the
// corner points.
const platform::core::TRect kFrameSkin{0, 0, 205, 167};
const TbsFrameGeometry kFrame{{40, 40}, {165, 40}, {40, 130}, {165, 130}, {6, 28, 199, 161}};

TbsFrameGeometry Sized(const TbsFrameGeometry& g, int dw, int dh) {
    TbsFrameGeometry n = g;
    n.RightTop.X += dw;
    n.RightBottom.X += dw;
    n.RightBottom.Y += dh;
    n.LeftBottom.Y += dh;
    n.ClientRect.Right += dw;
    n.ClientRect.Bottom += dh;
    return n;
}

void BM_ComposeFrameImage(benchmark::State& state) {
    const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
    TBitmap source = Noise(205, 167, 1);
    const TbsFrameGeometry ng = Sized(kFrame, w - 205, h - 167);
    TBitmap dest;
    for (auto _ : state) {
        skin::ComposeFrameImage(dest, source, kFrameSkin, kFrame, w, h, ng, true, {});
        benchmark::DoNotOptimize(dest.Bits());
    }
    state.SetBytesProcessed(state.iterations() * w * h * 4);
}
BENCHMARK(BM_ComposeFrameImage)->Args({760, 570})->Args({1920, 1080})->Unit(benchmark::kMicrosecond);

void BM_ComposeFrameImageStretched(benchmark::State& state) {
    const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
    TBitmap source = Noise(205, 167, 1);
    const TbsFrameGeometry ng = Sized(kFrame, w - 205, h - 167);
    TBitmap dest;
    for (auto _ : state) {
        skin::ComposeFrameImage(dest, source, kFrameSkin, kFrame, w, h, ng, true, {true, true, true, true});
        benchmark::DoNotOptimize(dest.Bits());
    }
    state.SetBytesProcessed(state.iterations() * w * h * 4);
}
BENCHMARK(BM_ComposeFrameImageStretched)->Args({760, 570})->Args({1920, 1080})->Unit(benchmark::kMicrosecond);

// Baseline: the platform's copy of a whole destination-sized picture.
void BM_CopyDestinationBytes(benchmark::State& state) {
    const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
    TBitmap source = Noise(w, h, 2);
    TBitmap dest(w, h);
    for (auto _ : state) {
        dest.Canvas().CopyRect({0, 0, w, h}, source.Canvas(), {0, 0, w, h});
        benchmark::DoNotOptimize(dest.Bits());
    }
    state.SetBytesProcessed(state.iterations() * w * h * 4);
}
BENCHMARK(BM_CopyDestinationBytes)->Args({760, 570})->Args({1920, 1080})->Unit(benchmark::kMicrosecond);

void BM_MemcpyDestinationBytes(benchmark::State& state) {
    const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
    TBitmap source = Noise(w, h, 2);
    TBitmap dest(w, h);
    const std::size_t bytes = static_cast<std::size_t>(w) * h * 4;
    for (auto _ : state) {
        std::memcpy(dest.Bits(), source.Bits(), bytes);
        benchmark::DoNotOptimize(dest.Bits());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bytes));
}
BENCHMARK(BM_MemcpyDestinationBytes)->Args({760, 570})->Args({1920, 1080})->Unit(benchmark::kMicrosecond);

// Masks: 0 = a window shape (black with rounded white corners, a few runs per row);
// 1 = scattered pixels (about one run per 4 pixels), the worst case for the rectangle list.
TBitmap Mask(int kind, int w, int h) {
    TBitmap m(w, h);
    std::mt19937 rnd(5);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            bool black;
            if (kind == 0) {
                const int dx = std::min(x, w - 1 - x), dy = std::min(y, h - 1 - y);
                black = !(dx < 8 && dy < 8 && (8 - dx) * (8 - dx) + (8 - dy) * (8 - dy) > 64);
            } else {
                black = (rnd() & 1) != 0;
            }
            m.ScanLine(y)[x] = black ? 0 : 0xFFFFFFu;
        }
    return m;
}

void BM_BuildRegionRects(benchmark::State& state) {
    const TBitmap mask = Mask(static_cast<int>(state.range(0)), 760, 570);
    std::size_t size = 0;
    for (auto _ : state) {
        auto data = skin::BuildRegionRects(mask, 0, 0);
        size = data.size();
        benchmark::DoNotOptimize(data.data());
    }
    state.counters["rects"] = static_cast<double>((size - 32) / 16);
    state.SetBytesProcessed(state.iterations() * 760 * 570 * 4);
}
BENCHMARK(BM_BuildRegionRects)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// Baseline: one pass over the mask that counts its black pixels.
void BM_ScanMask(benchmark::State& state) {
    const TBitmap mask = Mask(static_cast<int>(state.range(0)), 760, 570);
    for (auto _ : state) {
        std::size_t black = 0;
        for (int y = 0; y < mask.Height(); ++y) {
            const uint32_t* row = mask.ScanLine(y);
            for (int x = 0; x < mask.Width(); ++x) black += (row[x] & 0xFFFFFFu) == 0;
        }
        benchmark::DoNotOptimize(black);
    }
    state.SetBytesProcessed(state.iterations() * 760 * 570 * 4);
}
BENCHMARK(BM_ScanMask)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_RegionFromBitmap(benchmark::State& state) {
    const TBitmap mask = Mask(static_cast<int>(state.range(0)), 760, 570);
    for (auto _ : state) {
        auto region = skin::RegionFromBitmap(mask);
        benchmark::DoNotOptimize(region);
    }
}
BENCHMARK(BM_RegionFromBitmap)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace
