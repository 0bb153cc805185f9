// Effects on a button-sized and a window-sized picture, beside a copy of the same bytes.

#include <benchmark/benchmark.h>

#include <cstring>
#include <random>
#include <vector>

#include "skin/controls/bsEffects.h"

namespace {

using platform::gfx::TBitmap;
using skin::TbsEffectBmp;

TbsEffectBmp Noisy(int w, int h, uint32_t seed) {
    std::mt19937 rnd(seed);
    TbsEffectBmp b(w, h);
    for (int y = 0; y < h; ++y) {
        uint8_t* row = b.ScanLine(y);
        for (int i = 0; i < 3 * w; ++i) row[i] = static_cast<uint8_t>(rnd());
    }
    return b;
}

// range(0) = morph kind, range(1) x range(2) = size.
void BM_MorphKind(benchmark::State& state) {
    const int kind = static_cast<int>(state.range(0));
    const int w = static_cast<int>(state.range(1)), h = static_cast<int>(state.range(2));
    const TbsEffectBmp a0 = Noisy(w, h, 1);
    const TbsEffectBmp b = Noisy(w, h, 2);
    TbsEffectBmp a = a0;
    for (auto _ : state) {
        skin::ApplyMorphKind(a, b, kind, 0.5);
        benchmark::DoNotOptimize(a.ScanLine(0));
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(a.SizeInBytes()));
}
BENCHMARK(BM_MorphKind)
    ->ArgsProduct({{0, 1, 2, 3, 4, 5, 6}, {336}, {19}})
    ->ArgsProduct({{0, 1, 2, 3, 4, 5, 6}, {760}, {570}})
    ->Unit(benchmark::kMicrosecond);

// Baseline: copying the picture's bytes once.
void BM_CopyEffectBytes(benchmark::State& state) {
    const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
    const TbsEffectBmp b = Noisy(w, h, 2);
    std::vector<uint8_t> out(b.SizeInBytes());
    for (auto _ : state) {
        std::memcpy(out.data(), b.ScanLine(0), out.size());
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(out.size()));
}
BENCHMARK(BM_CopyEffectBytes)->Args({336, 19})->Args({760, 570})->Unit(benchmark::kMicrosecond);

// A whole morph step of a button: both state pictures into effect buffers, the morph, and the
// result back into a bitmap for the screen.
void BM_ButtonMorphStep(benchmark::State& state) {
    const int kind = static_cast<int>(state.range(0));
    TBitmap normal(336, 19), active(336, 19), out;
    std::mt19937 rnd(3);
    for (int y = 0; y < 19; ++y)
        for (int x = 0; x < 336; ++x) {
            normal.ScanLine(y)[x] = rnd() & 0xFFFFFFu;
            active.ScanLine(y)[x] = rnd() & 0xFFFFFFu;
        }
    for (auto _ : state) {
        TbsEffectBmp a(normal);
        const TbsEffectBmp b(active);
        skin::ApplyMorphKind(a, b, kind, 0.5);
        a.AssignTo(out);
        benchmark::DoNotOptimize(out.Bits());
    }
}
BENCHMARK(BM_ButtonMorphStep)->DenseRange(0, 6)->Unit(benchmark::kMicrosecond);

// range(0): 0 Brightness, 1 Darkness, 2 Grayscale, 3 Noise, 4 SplitBlur, 5 Invert.
void BM_InactiveEffect(benchmark::State& state) {
    const TbsEffectBmp original = Noisy(760, 570, 4);
    TbsEffectBmp a = original;
    for (auto _ : state) {
        skin::ApplyInactiveEffect(a, static_cast<int>(state.range(0)));
        benchmark::DoNotOptimize(a.ScanLine(0));
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(a.SizeInBytes()));
}
BENCHMARK(BM_InactiveEffect)->DenseRange(0, 5)->Unit(benchmark::kMicrosecond);

}  // namespace
