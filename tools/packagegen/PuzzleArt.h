#pragma once
// Preview pictures of the sample puzzles: a scene of the package's theme, cut into jigsaw pieces.

#include <cstdint>

#include "platform/gfx/Bitmap.h"

namespace packagegen {

enum class TSceneTheme { Shapes, Beach, City };

// The preview of puzzle number `index` (1-based) of a theme, size x size pixels. The same
// arguments always give the same picture.
[[nodiscard]] platform::gfx::TBitmap PaintPuzzlePreview(TSceneTheme theme, int index, int size = 150);

// Small, fast, repeatable random numbers for the scenes.
class TRandom {
public:
    explicit TRandom(uint32_t seed) : m_state(seed ? seed : 0x9E3779B9u) {}
    uint32_t Next();
    // Uniform in [lo, hi).
    double Range(double lo, double hi) { return lo + (hi - lo) * (Next() / 4294967296.0); }
    int Int(int lo, int hi) { return lo + static_cast<int>(Next() % static_cast<uint32_t>(hi - lo + 1)); }

private:
    uint32_t m_state;
};

}  // namespace packagegen
