#pragma once
// Private side of the text engine, shared by Font.cpp, TextEngine*.cpp and CanvasText.cpp.

#include <array>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "platform/gfx/Font.h"

namespace platform::gfx {

// A rendered glyph: coverage 0..255, Width x Height, placed at (penX + Left, baseline - Top).
struct TGlyph {
    int Advance = 0;
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    std::vector<uint8_t> Coverage;
};

// A face resolved for one name, height and bold/italic choice, at one pixel size.
class TFontFace {
public:
    TFontFace() = default;
    TFontFace(const TFontFace&) = delete;
    TFontFace& operator=(const TFontFace&) = delete;
    ~TFontFace();

    uint32_t Id = 0;  // never reused; part of the glyph cache key
    std::string Family;
    std::string File;
    TFontMetrics Metrics;
    // Decoration lines: top row relative to the baseline row (positive = below) and thickness.
    int UnderlineOffset = 1;
    int UnderlineThickness = 1;
    int StrikeoutOffset = -3;
    int StrikeoutThickness = 1;

    // FreeType state, used only under the engine lock.
    void* FtFace = nullptr;  // FT_Face; opaque here to keep FreeType out of this header
    int32_t LoadFlags = 0;
    int RenderMode = 0;
    bool SynthBold = false;
    bool SynthItalic = false;
    std::array<uint32_t, 256> Latin1Glyphs{};  // 0 = not looked up yet; glyph index + 1 otherwise
};

namespace TextEngine {
[[nodiscard]] void* Library();  // the FT_Library, or nullptr when FreeType failed to start
void LoadAliases();
// Every call below needs the lock held (recursive: a face released under it closes its file).
[[nodiscard]] std::unique_lock<std::recursive_mutex> Lock();
// The cached glyph of a character; control characters give an empty, zero-width glyph. The
// reference stays valid until the next GlyphFor call.
[[nodiscard]] const TGlyph& GlyphFor(TFontFace& face, char32_t ch);
[[nodiscard]] std::shared_ptr<TFontFace> ResolveFace(const std::string& name, int height, TFontStyles style);
}  // namespace TextEngine

// UTF-8 to code points; invalid bytes become U+FFFD, never a read past the end.
[[nodiscard]] std::u32string DecodeUtf8(std::string_view text);

}  // namespace platform::gfx
