#include "skin/controls/bsEffects.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <vector>

namespace skin {

namespace {

// Nearest integer, ties to even, for |v| < 2^51: adding 1.5 * 2^52 leaves no fraction bits, so the
// sum is rounded by the hardware's default mode. Plain arithmetic keeps it fast and exact.
inline int RoundEven(double v) {
    constexpr double kShift = 6755399441055744.0;
    const double t = (v + kShift) - kShift;
    return static_cast<int>(t);
}

inline uint8_t Clamp8(int v) {
    return static_cast<uint8_t>(std::clamp(v, 0, 255));
}

inline double Factor(double x) {
    return std::isnan(x) ? 0.0 : std::clamp(x, 0.0, 1.0);
}

// A blend with weight m: a * m + b * (1 - m) for the three channels of one pixel.
inline void BlendPixel(uint8_t* a, const uint8_t* b, double m) {
    const double rest = 1.0 - m;
    for (int c = 0; c < 3; ++c) a[c] = Clamp8(RoundEven(a[c] * m + b[c] * rest));
}

inline void CopyPixel(uint8_t* a, const uint8_t* b) {
    std::memcpy(a, b, 3);
}

std::mt19937& SharedRandom() {
    static std::mt19937 random;
    return random;
}

}  // namespace

TbsEffectBmp::TbsEffectBmp(int width, int height) : m_pixels(width, height) {}

TbsEffectBmp::TbsEffectBmp(const TBitmap& bitmap) : m_pixels(bitmap) {}

void TbsEffectBmp::SetSize(int width, int height) {
    m_pixels = TbsFBitmap(width, height);
}

TColor TbsEffectBmp::PixelAt(int x, int y) const {
    if (x < 0 || y < 0 || x >= Width() || y >= Height()) return platform::gfx::clBlack;
    const uint8_t* p = ScanLine(y) + 3 * x;
    return platform::gfx::RGB(p[2], p[1], p[0]);
}

void TbsEffectBmp::PutPixel(int x, int y, TColor color) {
    if (x < 0 || y < 0 || x >= Width() || y >= Height()) return;
    uint8_t* p = ScanLine(y) + 3 * x;
    p[0] = static_cast<uint8_t>(platform::gfx::GetBValue(color));
    p[1] = static_cast<uint8_t>(platform::gfx::GetGValue(color));
    p[2] = static_cast<uint8_t>(platform::gfx::GetRValue(color));
}

void TbsEffectBmp::GetLine(int y, std::span<uint8_t> buffer) const {
    if (y < 0 || y >= Height()) return;
    std::memcpy(buffer.data(), ScanLine(y), std::min(buffer.size(), static_cast<std::size_t>(3 * Width())));
}

void TbsEffectBmp::SetLine(int y, std::span<const uint8_t> buffer) {
    if (y < 0 || y >= Height()) return;
    std::memcpy(ScanLine(y), buffer.data(), std::min(buffer.size(), static_cast<std::size_t>(3 * Width())));
}

void TbsEffectBmp::AssignTo(TBitmap& bitmap) const {
    m_pixels.AssignTo(bitmap);
}

void TbsEffectBmp::DrawTo(TCanvas& canvas, int x, int y) const {
    TBitmap picture;
    AssignTo(picture);
    canvas.Draw(x, y, picture);
}

bool TbsEffectBmp::SameSize(const TbsEffectBmp& b) const {
    return Width() == b.Width() && Height() == b.Height() && Width() > 0 && Height() > 0;
}

void TbsEffectBmp::Morph(const TbsEffectBmp& b, double x) {
    if (!SameSize(b)) return;
    x = Factor(x);
    const double wa = 1.0 - x;
    const int n = 3 * Width();
    for (int y = 0; y < Height(); ++y) {
        uint8_t* pa = ScanLine(y);
        const uint8_t* pb = b.ScanLine(y);
        for (int i = 0; i < n; ++i) pa[i] = Clamp8(RoundEven(wa * pa[i] + x * pb[i]));
    }
}

void TbsEffectBmp::MorphGradient(const TbsEffectBmp& b, double x) {
    if (!SameSize(b)) return;
    x = Factor(x);
    const int w = Width();
    const int h = Height();
    if (w < h) {
        const int band = RoundEven(h * x);
        const int fade = (h - 1 - band) / 2;
        const double step = fade == 0 ? 0.0 : 1.0 / fade;
        const int first = std::max(0, h / 2 - band / 2);
        const int last = std::min(h - 1, h / 2 + band / 2);
        for (int y = first; y <= last; ++y)
            std::memcpy(ScanLine(y), b.ScanLine(y), 3 * static_cast<std::size_t>(w));
        auto blendRow = [&](int y, double m) {
            uint8_t* pa = ScanLine(y);
            const uint8_t* pb = b.ScanLine(y);
            for (int j = 0; j < w; ++j) BlendPixel(pa + 3 * j, pb + 3 * j, m);
        };
        double m = 0;
        for (int y = first; y >= 0; --y) {
            blendRow(y, m);
            m = std::min(1.0, m + step);
        }
        m = 0;
        for (int y = last; y < h; ++y) {
            blendRow(y, m);
            m = std::min(1.0, m + step);
        }
        return;
    }
    const int band = RoundEven(w * x);
    const int fade = (w - band) / 2;
    const double step = fade == 0 ? 1.0 : 1.0 / fade;
    const int first = std::max(0, w / 2 - band / 2);
    const int last = std::min(w - 1, w / 2 + band / 2);
    std::vector<double> weights(static_cast<std::size_t>(w), 0.0);
    double m = 0;
    for (int j = first; j >= 0; --j) {
        weights[static_cast<std::size_t>(j)] = m;
        m = std::min(1.0, m + step);
    }
    m = 0;
    for (int j = last; j < w; ++j) {
        weights[static_cast<std::size_t>(j)] = m;
        m = std::min(1.0, m + step);
    }
    for (int y = 0; y < h; ++y) {
        uint8_t* pa = ScanLine(y);
        const uint8_t* pb = b.ScanLine(y);
        std::memcpy(pa + 3 * first, pb + 3 * first, 3 * static_cast<std::size_t>(last - first + 1));
        for (int j = first; j >= 0; --j)
            BlendPixel(pa + 3 * j, pb + 3 * j, weights[static_cast<std::size_t>(j)]);
        for (int j = last; j < w; ++j)
            BlendPixel(pa + 3 * j, pb + 3 * j, weights[static_cast<std::size_t>(j)]);
    }
}

void TbsEffectBmp::MorphLeftGradient(const TbsEffectBmp& b, double x) {
    if (!SameSize(b)) return;
    const int w = Width();
    const int a = std::min(std::max(RoundEven(w * Factor(x)), 1), w - 1);
    const double step = a > 0 ? 1.0 / a : 1.0;
    for (int y = 0; y < Height(); ++y) {
        uint8_t* pa = ScanLine(y);
        const uint8_t* pb = b.ScanLine(y);
        double m = 0;
        for (int j = 0; j <= a; ++j) {
            BlendPixel(pa + 3 * j, pb + 3 * j, m);
            m = std::min(1.0, m + step);
        }
    }
}

void TbsEffectBmp::MorphRightGradient(const TbsEffectBmp& b, double x) {
    if (!SameSize(b)) return;
    const int w = Width();
    const int a = std::clamp(w - RoundEven(w * Factor(x)), 0, w - 1);
    const double step = w - a <= 0 ? 1.0 : 1.0 / (w - a);
    for (int y = 0; y < Height(); ++y) {
        uint8_t* pa = ScanLine(y);
        const uint8_t* pb = b.ScanLine(y);
        double m = 0;
        for (int j = w - 1; j >= a; --j) {
            BlendPixel(pa + 3 * j, pb + 3 * j, m);
            m = std::min(1.0, m + step);
        }
    }
}

void TbsEffectBmp::MorphLeftSlide(const TbsEffectBmp& b, double x) {
    if (!SameSize(b)) return;
    const int w = Width();
    const int n = std::min(std::max(RoundEven(w * Factor(x)), 1), w - 1);
    if (n <= 0) return;
    for (int y = 0; y < Height(); ++y)
        std::memcpy(ScanLine(y), b.ScanLine(y) + 3 * (w - n), 3 * static_cast<std::size_t>(n));
}

void TbsEffectBmp::MorphRightSlide(const TbsEffectBmp& b, double x) {
    if (!SameSize(b)) return;
    const int w = Width();
    const int n = std::min(std::max(RoundEven(w * Factor(x)), 1), w - 1);
    if (n <= 0) return;
    for (int y = 0; y < Height(); ++y)
        std::memcpy(ScanLine(y) + 3 * (w - n), b.ScanLine(y), 3 * static_cast<std::size_t>(n));
}

void TbsEffectBmp::MorphPush(const TbsEffectBmp& b, double x) {
    if (!SameSize(b)) return;
    const int w = Width();
    const int a = std::clamp(RoundEven(w * Factor(x)), 0, w - 1);
    std::vector<uint8_t> row(3 * static_cast<std::size_t>(w));
    for (int y = 0; y < Height(); ++y) {
        uint8_t* pa = ScanLine(y);
        const uint8_t* pb = b.ScanLine(y);
        std::memcpy(row.data(), pa, row.size());
        // Columns a + 1 .. w - 1 take A's columns 0 .. w - a - 2; column a and the ones before it
        // take the last a + 1 columns of B.
        if (a + 1 < w) std::memcpy(pa + 3 * (a + 1), row.data(), 3 * static_cast<std::size_t>(w - a - 1));
        CopyPixel(pa + 3 * a, row.data());
        for (int k = 0; k <= a; ++k) CopyPixel(pa + 3 * k, pb + 3 * std::min(w - 1, w - a - 1 + k));
    }
}

namespace {

void ApplyTable(TbsFBitmap& pixels, const std::array<uint8_t, 256>& table) {
    const int n = 3 * pixels.Width();
    for (int y = 0; y < pixels.Height(); ++y) {
        uint8_t* p = pixels.ScanLine(y);
        for (int i = 0; i < n; ++i) p[i] = table[p[i]];
    }
}

}  // namespace

void TbsEffectBmp::Brightness(double x) {
    x = Factor(x);
    std::array<uint8_t, 256> table{};
    for (int v = 0; v < 256; ++v)
        table[static_cast<std::size_t>(v)] = Clamp8(RoundEven((1.0 - x) * v + 255.0 * x));
    ApplyTable(m_pixels, table);
}

void TbsEffectBmp::Darkness(double x) {
    x = Factor(x);
    std::array<uint8_t, 256> table{};
    for (int v = 0; v < 256; ++v) table[static_cast<std::size_t>(v)] = Clamp8(RoundEven((1.0 - x) * v));
    ApplyTable(m_pixels, table);
}

void TbsEffectBmp::Grayscale() {
    for (int y = 0; y < Height(); ++y) {
        uint8_t* p = ScanLine(y);
        for (int j = 0; j < Width(); ++j, p += 3) {
            const uint8_t v = Clamp8(RoundEven(0.3 * p[2] + 0.59 * p[1] + 0.11 * p[0]));
            p[0] = p[1] = p[2] = v;
        }
    }
}

void TbsEffectBmp::Invert() {
    const int n = 3 * Width();
    for (int y = 0; y < Height(); ++y) {
        uint8_t* p = ScanLine(y);
        for (int i = 0; i < n; ++i) p[i] = static_cast<uint8_t>(255 - p[i]);
    }
}

void TbsEffectBmp::SplitBlur(int amount) {
    if (amount <= 0) return;
    const int w = Width();
    const int h = Height();
    // Any larger amount samples the same pixels; capping it keeps the index sums in range.
    amount = std::min(amount, std::max(w, h));
    for (int i = 0; i < h; ++i) {
        const int up = i - amount < 0 ? i : i - amount;
        const int down = i + amount >= h ? i : i + amount;
        uint8_t* row = ScanLine(i);
        const uint8_t* rowUp = ScanLine(up);
        const uint8_t* rowDown = ScanLine(down);
        for (int j = 0; j < w; ++j) {
            const int left = 3 * (j - amount < 0 ? j : j - amount);
            const int right = 3 * (j + amount >= w ? j : j + amount);
            for (int c = 0; c < 3; ++c) {
                const int sum = rowUp[left + c] + rowUp[right + c] + rowDown[left + c] + rowDown[right + c];
                row[3 * j + c] = static_cast<uint8_t>(sum / 4);
            }
        }
    }
}

void TbsEffectBmp::Noise(int amount) {
    Noise(amount, SharedRandom());
}

void TbsEffectBmp::Noise(int amount, std::mt19937& random) {
    if (amount <= 0) return;
    std::uniform_int_distribution<int> draw(0, amount - 1);
    for (int y = 0; y < Height(); ++y) {
        uint8_t* p = ScanLine(y);
        for (int j = 0; j < Width(); ++j, p += 3) {
            const int d = draw(random) - amount / 2;
            for (int c = 0; c < 3; ++c) p[c] = Clamp8(p[c] + d);
        }
    }
}

void TbsEffectBmp::SeedNoise(uint32_t seed) {
    SharedRandom().seed(seed);
}

void TbsEffectBmp::RotateLeft(TbsEffectBmp& target) const {
    if (&target == this) {
        const TbsEffectBmp copy = *this;
        copy.RotateLeft(target);
        return;
    }
    const int w = Width();
    const int h = Height();
    target.SetSize(h, w);
    for (int i = 0; i < h; ++i) {
        const uint8_t* src = ScanLine(i);
        for (int j = 0; j < w; ++j) CopyPixel(target.ScanLine(w - 1 - j) + 3 * i, src + 3 * j);
    }
}

void TbsEffectBmp::RotateRight(TbsEffectBmp& target) const {
    if (&target == this) {
        const TbsEffectBmp copy = *this;
        copy.RotateRight(target);
        return;
    }
    const int w = Width();
    const int h = Height();
    target.SetSize(h, w);
    for (int i = 0; i < h; ++i) {
        const uint8_t* src = ScanLine(i);
        for (int j = 0; j < w; ++j) CopyPixel(target.ScanLine(j) + 3 * (h - 1 - i), src + 3 * j);
    }
}

void ApplyMorphKind(TbsEffectBmp& a, const TbsEffectBmp& b, int morphKind, double x) {
    switch (morphKind) {
        case 1:
            a.MorphGradient(b, x);
            break;
        case 2:
            a.MorphLeftGradient(b, x);
            break;
        case 3:
            a.MorphRightGradient(b, x);
            break;
        case 4:
            a.MorphLeftSlide(b, x);
            break;
        case 5:
            a.MorphRightSlide(b, x);
            break;
        case 6:
            a.MorphPush(b, x);
            break;
        default:
            a.Morph(b, x);
            break;
    }
}

void ApplyInactiveEffect(TbsEffectBmp& bitmap, int effect) {
    switch (effect) {
        case 0:
            bitmap.Brightness(0.5);
            break;
        case 1:
            bitmap.Darkness(0.3);
            break;
        case 3:
            bitmap.Noise(50);
            break;
        case 4:
            bitmap.SplitBlur(1);
            break;
        case 5:
            bitmap.Invert();
            break;
        default:
            bitmap.Grayscale();
            break;
    }
}

}  // namespace skin
