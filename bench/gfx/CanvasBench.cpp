// Canvas copies and text drawing, each beside the raw work that bounds it.

#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Canvas.h"
#include "platform/gfx/Font.h"

namespace {

using namespace platform::gfx;

constexpr int kSrcW = 760, kSrcH = 570, kBigW = 1024, kBigH = 768;
// 40 characters.
constexpr const char* kLine = "Choose a puzzle and press Start to play.";

TBitmap Pattern(int w, int h) {
    TBitmap b(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            b.ScanLine(y)[x] = static_cast<uint32_t>(x * 2654435761u ^ y * 40503u) & 0xFFFFFF;
    return b;
}

void BM_CopyRectSameSize(benchmark::State& state) {
    TBitmap src = Pattern(kSrcW, kSrcH), dst(kSrcW, kSrcH);
    TCanvas from(src), to(dst);
    for (auto _ : state) {
        to.CopyRect({0, 0, kSrcW, kSrcH}, from, {0, 0, kSrcW, kSrcH});
        benchmark::DoNotOptimize(dst.Bits());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * kSrcW * kSrcH * 4);
}
BENCHMARK(BM_CopyRectSameSize);

void BM_MemcpySameBytes(benchmark::State& state) {
    const std::size_t bytes = static_cast<std::size_t>(state.range(0)) * state.range(1) * 4;
    std::vector<uint8_t> a(bytes, 1), b(bytes);
    for (auto _ : state) {
        std::memcpy(b.data(), a.data(), bytes);
        benchmark::DoNotOptimize(b.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bytes));
}
BENCHMARK(BM_MemcpySameBytes)->Args({kSrcW, kSrcH})->Args({kBigW, kBigH});

void BM_StretchNearest(benchmark::State& state) {
    TBitmap src = Pattern(kSrcW, kSrcH), dst(kBigW, kBigH);
    TCanvas from(src), to(dst);
    for (auto _ : state) {
        to.CopyRect({0, 0, kBigW, kBigH}, from, {0, 0, kSrcW, kSrcH});
        benchmark::DoNotOptimize(dst.Bits());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * kBigW * kBigH * 4);
}
BENCHMARK(BM_StretchNearest);

void DrawLineOfText(benchmark::State& state, bool cold) {
    TBitmap dst(400, 30);
    TCanvas canvas(dst);
    canvas.Brush.Style = TBrushStyle::bsClear;
    canvas.Font.SetColor(clBlack);
    (void)canvas.TextWidth(kLine);  // resolve the face outside the loop
    for (auto _ : state) {
        if (cold) TextEngine::ClearGlyphCache();
        platform::core::TRect r{0, 0, 400, 30};
        benchmark::DoNotOptimize(canvas.DrawText(kLine, r, DT_SINGLELINE | DT_VCENTER));
    }
    state.SetItemsProcessed(state.iterations() * 40);
}

void BM_TextLineColdCache(benchmark::State& state) {
    DrawLineOfText(state, true);
}
BENCHMARK(BM_TextLineColdCache);

void BM_TextLineWarmCache(benchmark::State& state) {
    DrawLineOfText(state, false);
}
BENCHMARK(BM_TextLineWarmCache);

// A package name of 10 MB in a label: only what fits the label may cost anything.
void BM_HugeLineClipped(benchmark::State& state) {
    TBitmap dst(400, 30);
    TCanvas canvas(dst);
    canvas.Brush.Style = TBrushStyle::bsClear;
    canvas.Font.SetColor(clBlack);
    const std::string huge(static_cast<std::size_t>(state.range(0)), 'W');
    for (auto _ : state) {
        platform::core::TRect r{0, 0, 400, 30};
        benchmark::DoNotOptimize(canvas.DrawText(huge, r, DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX));
    }
}
BENCHMARK(BM_HugeLineClipped)->Arg(100)->Arg(10 << 20);

}  // namespace
