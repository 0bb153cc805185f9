#pragma once
// Fonts as the program and its skins describe them: name, height, style, colour, character set;
// a negative Height is the character (em) height in pixels, a positive one the cell height (ascent
// + descent). Size is in points at 96 DPI (Height = -Size * 96 / 72).

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/gfx/Color.h"

namespace platform::gfx {

enum TFontStyle : uint8_t { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = uint8_t;

constexpr int DEFAULT_CHARSET = 1;
constexpr int ANSI_CHARSET = 0;

class TFontFace;  // resolved face in the text engine

class TFont {
public:
    TFont();
    TFont(const TFont& other);
    TFont& operator=(const TFont& other);
    ~TFont();

    [[nodiscard]] const std::string& Name() const { return m_name; }
    void SetName(std::string name);
    [[nodiscard]] int Height() const { return m_height; }
    void SetHeight(int height);
    [[nodiscard]] int Size() const;
    void SetSize(int points);
    [[nodiscard]] TFontStyles Style() const { return m_style; }
    void SetStyle(TFontStyles style);
    [[nodiscard]] TColor Color() const { return m_color; }
    void SetColor(TColor color);
    [[nodiscard]] int Charset() const { return m_charset; }
    void SetCharset(int charset);
    void Assign(const TFont& other) { *this = other; }

    // Fired after any property changes (controls repaint on it).
    std::function<void()> OnChange;

    // The face the text engine resolved for the current name, height and style (cached).
    [[nodiscard]] std::shared_ptr<TFontFace> Face() const;

    friend bool operator==(const TFont& a, const TFont& b);

private:
    void Changed();
    std::string m_name = "Arial";
    int m_height = -11;  // 8 points
    TFontStyles m_style = 0;
    TColor m_color = clWindowText;
    int m_charset = DEFAULT_CHARSET;
    mutable std::shared_ptr<TFontFace> m_face;
};

// Text engine facts about a resolved face.
struct TFontMetrics {
    int Ascent = 0;
    int Descent = 0;
    int Height = 0;  // Ascent + Descent (cell height)
    int InternalLeading = 0;
    int AveCharWidth = 0;
};

// The text engine: fontconfig matching with the program's aliases, FreeType rendering, glyph cache.
namespace TextEngine {
// Loads the aliases (Arial, Helvetica, MS Sans Serif, Microsoft Sans Serif, Tahoma, Verdana,
// Segoe UI -> Liberation Sans; Times New Roman -> Liberation Serif; Courier New -> Liberation Mono).
// A name that matches no installed family falls back to Liberation Sans (then DejaVu Sans).
// Called on first use; safe to call again.
void Initialize();
// The family name that a font name resolves to (for tests and diagnostics).
[[nodiscard]] std::string ResolvedFamily(const std::string& name, TFontStyles style);
[[nodiscard]] TFontMetrics Metrics(const TFont& font);
// Width of a single line of UTF-8 text in pixels (no prefix processing, no kerning: glyph
// advances add up, as the platform's text output does).
[[nodiscard]] int TextWidth(const TFont& font, const std::string& utf8);
// The glyph cache is keyed by (face, size, glyph) and bounded (least recently used go first).
void ClearGlyphCache();
[[nodiscard]] std::size_t GlyphCacheSize();  // glyphs held
}  // namespace TextEngine

}  // namespace platform::gfx
