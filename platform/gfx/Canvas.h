#pragma once
// A drawing surface bound to a TBitmap. Drawing follows the platform's pixel rules: a line does
// not draw its end point; rectangles, fills and frames exclude their right and bottom edge; scaled
// copies pick the nearest source pixel. Coordinates are logical: the device origin maps logical
// (0, 0) onto the target, and everything is clipped to the target, the device clip (set by the
// window system) and the canvas's own clip.

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/core/Types.h"
#include "platform/gfx/Color.h"
#include "platform/gfx/Font.h"
#include "platform/gfx/Region.h"

namespace platform::gfx {

class TBitmap;

enum class TPenStyle { psSolid, psDash, psDot, psClear };
enum class TPenMode { pmCopy, pmNot, pmXor };
struct TPen {
    TColor Color = clBlack;
    int Width = 1;
    TPenStyle Style = TPenStyle::psSolid;
    TPenMode Mode = TPenMode::pmCopy;
};

enum class TBrushStyle { bsSolid, bsClear };
struct TBrush {
    TColor Color = clWhite;
    TBrushStyle Style = TBrushStyle::bsSolid;
};

// DrawText flags, with the platform's values.
constexpr uint32_t DT_TOP = 0x0, DT_LEFT = 0x0, DT_CENTER = 0x1, DT_RIGHT = 0x2, DT_VCENTER = 0x4,
                   DT_BOTTOM = 0x8, DT_WORDBREAK = 0x10, DT_SINGLELINE = 0x20, DT_EXPANDTABS = 0x40,
                   DT_NOCLIP = 0x100, DT_CALCRECT = 0x400, DT_NOPREFIX = 0x800, DT_END_ELLIPSIS = 0x8000,
                   DT_HIDEPREFIX = 0x100000;

class TCanvas {
public:
    explicit TCanvas(TBitmap& target);
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    TPen Pen;
    TBrush Brush;
    TFont Font;

    [[nodiscard]] TBitmap& Target() { return *m_target; }

    // Device mapping, set by whoever hands out the canvas (the window system for window canvases).
    // Clamped, like every coordinate, to +-2^28 so that offset arithmetic cannot overflow.
    void SetDeviceOrigin(core::TPoint origin) {
        m_origin = {std::clamp(origin.X, -(1 << 28), 1 << 28), std::clamp(origin.Y, -(1 << 28), 1 << 28)};
        m_clipValid = false;
        m_hiClipValid = false;
    }
    [[nodiscard]] core::TPoint DeviceOrigin() const { return m_origin; }
    // The target's pixels per logical pixel along each axis: a window's back buffer on a scaled
    // screen. Origin, device clip and every coordinate stay logical (target pixels / scale);
    // lines and fills cover whole scale x scale blocks, pictures are enlarged by whole pixels
    // (photographs smoothly) and text is drawn by the font engine at its height x scale.
    void SetScale(int scale) {
        m_scale = std::clamp(scale, 1, 8);
        m_clipValid = false;
    }
    [[nodiscard]] int Scale() const { return m_scale; }
    // Device clip in target coordinates (divided by the scale); nullopt = whole target.
    void SetDeviceClip(std::optional<TRegion> clip) {
        m_deviceClip = std::move(clip);
        m_clipValid = false;
        m_hiClipValid = false;
    }

    // The canvas's own clip in logical coordinates; nullopt = none.
    void SetClipRegion(std::optional<TRegion> clip) {
        m_clip = std::move(clip);
        m_clipValid = false;
        m_hiClipValid = false;
    }
    void IntersectClipRect(const core::TRect& rect);
    void ExcludeClipRect(const core::TRect& rect);
    [[nodiscard]] core::TRect ClipRect() const;  // logical bounds of what can be drawn

    [[nodiscard]] TColor Pixels(int x, int y) const;
    void SetPixel(int x, int y, TColor color);

    void MoveTo(int x, int y) { m_penPos = {x, y}; }
    void LineTo(int x, int y);  // end point excluded
    [[nodiscard]] core::TPoint PenPos() const { return m_penPos; }
    void Polyline(const std::vector<core::TPoint>& points);
    // Filled with Brush by the even-odd rule (the platform's default fill mode), outlined with Pen
    // through every vertex. Pen.Mode applies to outlines and to the insides of shapes.
    void Polygon(const std::vector<core::TPoint>& points);
    // Outline with Pen, inside with Brush; covers left..right-1, top..bottom-1 (also without a
    // pen). A pen wider than 1 is centred on that outline.
    void Rectangle(int left, int top, int right, int bottom);
    void Rectangle(const core::TRect& r) { Rectangle(r.Left, r.Top, r.Right, r.Bottom); }
    void Ellipse(const core::TRect& r);
    void FillRect(const core::TRect& r);       // with Brush (nothing for bsClear)
    void FrameRect(const core::TRect& r);      // one-pixel frame in the Brush colour
    void DrawFocusRect(const core::TRect& r);  // dotted XOR frame
    // Top-left lines in one colour and bottom-right lines in the other, width pixels deep; the
    // rectangle shrinks by width.
    void Frame3D(core::TRect& r, TColor topLeft, TColor bottomRight, int width = 1);

    // Copies source rectangle of another canvas into dest, scaling nearest-neighbour when sizes
    // differ. A source rectangle partly outside the source reads nothing there.
    void CopyRect(const core::TRect& dest, TCanvas& source, const core::TRect& sourceRect);
    // Whole bitmap at x, y; honours bitmap.Transparent.
    void Draw(int x, int y, const TBitmap& bitmap);
    void StretchDraw(const core::TRect& dest, const TBitmap& bitmap);
    // Part of a bitmap, scaled into dest; pixels of transparentColor are skipped unless clNone.
    void DrawBitmapRect(const core::TRect& dest, const TBitmap& bitmap, const core::TRect& sourceRect,
                        TColor transparentColor = clNone);

    // Text in Font with its cell's top-left at x, y; the cell background is filled with Brush
    // unless Brush.Style is bsClear. Moves the pen position to the end of the text.
    void TextOut(int x, int y, const std::string& text);
    // Text clipped to rect, drawn at x, y; with a solid Brush the whole rect is filled first.
    void TextRect(const core::TRect& rect, int x, int y, const std::string& text);
    [[nodiscard]] int TextWidth(const std::string& text) const;
    [[nodiscard]] int TextHeight(const std::string& text) const;
    [[nodiscard]] core::TSize TextExtent(const std::string& text) const;
    // The platform's DrawText: "&" marks the accelerator (underlined, "&&" draws "&") unless
    // DT_NOPREFIX; a CR, LF or CR LF breaks the line unless DT_SINGLELINE; DT_CALCRECT only
    // measures and sets rect's right and bottom. DT_VCENTER and DT_BOTTOM need DT_SINGLELINE. With
    // a solid Brush each line's cell is filled first. Returns the height of the text drawn.
    int DrawText(const std::string& text, core::TRect& rect, uint32_t flags);

private:
    friend class TCanvasAccess;
    TBitmap* m_target;
    core::TPoint m_origin{};
    core::TPoint m_penPos{};
    std::optional<TRegion> m_deviceClip;
    std::optional<TRegion> m_clip;
    // The effective clip in target coordinates, rebuilt when a clip, the origin or the target's
    // size changes.
    mutable std::vector<core::TRect> m_clipRects;
    mutable bool m_clipValid = false;
    mutable int m_clipWidth = -1;
    mutable int m_clipHeight = -1;
    int m_scale = 1;
    // The same for the target's picture at the screen scale (TBitmap::HiRes).
    mutable std::vector<core::TRect> m_hiClipRects;
    mutable bool m_hiClipValid = false;
    mutable int m_hiClipScale = 0;
    mutable int m_hiClipWidth = -1;
    mutable int m_hiClipHeight = -1;
};

// Text with "&" accelerator marks: the shown text and the index (in code points) of the underlined
// character, or -1.
struct TPrefixedText {
    std::string Text;
    int AccelIndex = -1;
};
[[nodiscard]] TPrefixedText StripAccelerator(const std::string& text);
// The accelerator character of a caption, lower-cased, or 0.
[[nodiscard]] char32_t AcceleratorChar(const std::string& caption);

}  // namespace platform::gfx
