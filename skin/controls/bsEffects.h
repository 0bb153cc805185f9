#pragma once
// A 24-bit pixel buffer with whole-image effects: cross-fades between two pictures ("morphs") for
// hover animations, one-picture effects for the inactive window look, and quarter turns.

#include <cstdint>
#include <random>
#include <span>

#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Canvas.h"
#include "platform/gfx/Color.h"
#include "skin/data/bsUtilsDraw.h"

namespace skin {

using platform::gfx::TBitmap;
using platform::gfx::TCanvas;
using platform::gfx::TColor;

// Rows top-down, 3 bytes per pixel (blue, green, red), stride 3 * width + width mod 4.
// Effects round to the nearest integer with ties to even and clamp every channel to 0..255;
// factors are clamped to 0..1.
class TbsEffectBmp {
public:
    TbsEffectBmp() = default;
    TbsEffectBmp(int width, int height);  // black
    explicit TbsEffectBmp(const TBitmap& bitmap);
    [[nodiscard]] static TbsEffectBmp CreateFromBitmap(const TBitmap& bitmap) { return TbsEffectBmp(bitmap); }

    [[nodiscard]] int Width() const { return m_pixels.Width(); }
    [[nodiscard]] int Height() const { return m_pixels.Height(); }
    [[nodiscard]] int Stride() const { return m_pixels.Stride(); }
    [[nodiscard]] std::size_t SizeInBytes() const { return m_pixels.SizeInBytes(); }
    void SetSize(int width, int height);  // contents become black

    [[nodiscard]] uint8_t* ScanLine(int y) { return m_pixels.ScanLine(y); }
    [[nodiscard]] const uint8_t* ScanLine(int y) const { return m_pixels.ScanLine(y); }
    // Out-of-range reads give black; out-of-range writes are ignored.
    [[nodiscard]] TColor PixelAt(int x, int y) const;
    void PutPixel(int x, int y, TColor color);
    // Copy 3 * Width bytes (or as many as the buffer holds) out of or into row y.
    void GetLine(int y, std::span<uint8_t> buffer) const;
    void SetLine(int y, std::span<const uint8_t> buffer);

    void AssignTo(TBitmap& bitmap) const;
    void DrawTo(TCanvas& canvas, int x, int y) const;  // unscaled

    // Two-picture effects: change this picture towards b by factor x (0 = this, 1 = b). Nothing
    // happens when the two sizes differ.
    void Morph(const TbsEffectBmp& b, double x);
    void MorphGradient(const TbsEffectBmp& b, double x);  // b grows from the middle, soft edges
    void MorphLeftGradient(const TbsEffectBmp& b, double x);
    void MorphRightGradient(const TbsEffectBmp& b, double x);
    void MorphLeftSlide(const TbsEffectBmp& b, double x);   // b slides in from the left
    void MorphRightSlide(const TbsEffectBmp& b, double x);  // b slides in from the right
    void MorphPush(const TbsEffectBmp& b, double x);        // b pushes this picture out to the right

    void Brightness(double x);  // towards white
    void Darkness(double x);    // towards black
    void Grayscale();
    void Invert();
    // Each pixel becomes the average of the four pixels amount away diagonally, in place from the
    // top-left, so changed pixels feed later ones; a sample beyond an edge is taken from the
    // pixel's own row or column instead.
    void SplitBlur(int amount);
    // Adds one random offset in -amount/2 .. amount-1-amount/2 to all channels of each pixel.
    void Noise(int amount);
    void Noise(int amount, std::mt19937& random);
    // Seeds the generator that Noise(amount) draws from.
    static void SeedNoise(uint32_t seed);

    // Quarter turns into target, which becomes Height x Width.
    void RotateLeft(TbsEffectBmp& target) const;   // the top-left pixel ends at the bottom-left
    void RotateRight(TbsEffectBmp& target) const;  // the top-left pixel ends at the top-right

private:
    [[nodiscard]] bool SameSize(const TbsEffectBmp& b) const;
    TbsFBitmap m_pixels;
};

// The morph of a skin's morph kind: 0 Morph, 1 MorphGradient, 2 MorphLeftGradient,
// 3 MorphRightGradient, 4 MorphLeftSlide, 5 MorphRightSlide, 6 MorphPush; others Morph.
void ApplyMorphKind(TbsEffectBmp& a, const TbsEffectBmp& b, int morphKind, double x);
// The inactive look of a skin's inactive effect: 0 Brightness(0.5), 1 Darkness(0.3),
// 2 Grayscale, 3 Noise(50), 4 SplitBlur(1), 5 Invert; others Grayscale.
void ApplyInactiveEffect(TbsEffectBmp& bitmap, int effect);

}  // namespace skin
