// The text engine's shared state, the glyph cache and the measuring entry points.

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SYNTHESIS_H

#include <cstring>
#include <list>
#include <unordered_map>

#include "platform/gfx/TextEngineInternal.h"

namespace platform::gfx {
namespace {

// Bounded by count and by coverage bytes; least recently used glyphs go first.
constexpr std::size_t kMaxGlyphs = 4096;
constexpr std::size_t kMaxGlyphBytes = 8u << 20;

struct TGlyphEntry {
    uint64_t Key;
    TGlyph Glyph;
};

struct TEngine {
    std::recursive_mutex Mutex;
    FT_Library Library = nullptr;
    std::list<TGlyphEntry> Lru;
    std::unordered_map<uint64_t, std::list<TGlyphEntry>::iterator> Index;
    std::size_t Bytes = 0;
    TGlyph Empty;
};

// Never destroyed: faces held by static fonts are released after every other static is gone.
TEngine& Engine() {
    static auto* engine = new TEngine;
    return *engine;
}

uint32_t GlyphIndex(TFontFace& face, char32_t ch) {
    auto ft = static_cast<FT_Face>(face.FtFace);
    if (ch < 256) {
        uint32_t& slot = face.Latin1Glyphs[ch];
        if (slot == 0) slot = FT_Get_Char_Index(ft, ch) + 1;
        return slot - 1;
    }
    return FT_Get_Char_Index(ft, ch);
}

void CopyBitmap(const FT_Bitmap& bm, TGlyph& g) {
    g.Width = static_cast<int>(bm.width);
    g.Height = static_cast<int>(bm.rows);
    if (bm.pixel_mode == FT_PIXEL_MODE_LCD) g.Width /= 3;
    if (bm.pixel_mode == FT_PIXEL_MODE_LCD_V) g.Height /= 3;
    g.Coverage.assign(static_cast<std::size_t>(g.Width) * g.Height, 0);
    for (int y = 0; y < g.Height; ++y) {
        const int srcRow = bm.pixel_mode == FT_PIXEL_MODE_LCD_V ? y * 3 : y;
        const unsigned char* src = bm.buffer + static_cast<std::ptrdiff_t>(srcRow) * bm.pitch;
        uint8_t* dst = g.Coverage.data() + static_cast<std::size_t>(y) * g.Width;
        switch (bm.pixel_mode) {
            case FT_PIXEL_MODE_MONO:
                for (int x = 0; x < g.Width; ++x) dst[x] = (src[x >> 3] & (0x80 >> (x & 7))) ? 255 : 0;
                break;
            case FT_PIXEL_MODE_GRAY:
                if (bm.num_grays == 256) {
                    std::memcpy(dst, src, static_cast<std::size_t>(g.Width));
                } else {
                    const int top = bm.num_grays > 1 ? bm.num_grays - 1 : 1;
                    for (int x = 0; x < g.Width; ++x) dst[x] = static_cast<uint8_t>(src[x] * 255 / top);
                }
                break;
            case FT_PIXEL_MODE_BGRA:
                for (int x = 0; x < g.Width; ++x) dst[x] = src[x * 4 + 3];
                break;
            case FT_PIXEL_MODE_LCD:
                for (int x = 0; x < g.Width; ++x)
                    dst[x] = static_cast<uint8_t>((src[x * 3] + src[x * 3 + 1] + src[x * 3 + 2]) / 3);
                break;
            case FT_PIXEL_MODE_LCD_V:
                for (int x = 0; x < g.Width; ++x)
                    dst[x] = static_cast<uint8_t>((src[x] + src[x + bm.pitch] + src[x + 2 * bm.pitch]) / 3);
                break;
            default:
                break;
        }
    }
}

TGlyph Render(TFontFace& face, uint32_t glyphIndex) {
    TGlyph g;
    auto ft = static_cast<FT_Face>(face.FtFace);
    if (FT_Load_Glyph(ft, glyphIndex, face.LoadFlags) != 0 &&
        (glyphIndex == 0 || FT_Load_Glyph(ft, 0, face.LoadFlags) != 0))
        return g;
    FT_GlyphSlot slot = ft->glyph;
    if (face.SynthItalic) FT_GlyphSlot_Oblique(slot);
    if (face.SynthBold) FT_GlyphSlot_Embolden(slot);
    g.Advance = static_cast<int>((slot->advance.x + 32) >> 6);
    if (slot->format != FT_GLYPH_FORMAT_BITMAP &&
        FT_Render_Glyph(slot, static_cast<FT_Render_Mode>(face.RenderMode)) != 0)
        return g;
    g.Left = slot->bitmap_left;
    g.Top = slot->bitmap_top;
    if (slot->bitmap.buffer && slot->bitmap.width > 0 && slot->bitmap.rows > 0) CopyBitmap(slot->bitmap, g);
    return g;
}

}  // namespace

namespace TextEngine {

void Initialize() {
    static std::once_flag once;
    std::call_once(once, [] {
        LoadAliases();
        FT_Library lib = nullptr;
        if (FT_Init_FreeType(&lib) == 0) Engine().Library = lib;
    });
}

void* Library() {
    return Engine().Library;
}

std::unique_lock<std::recursive_mutex> Lock() {
    return std::unique_lock<std::recursive_mutex>(Engine().Mutex);
}

const TGlyph& GlyphFor(TFontFace& face, char32_t ch) {
    TEngine& e = Engine();
    if (ch < 0x20 || ch == 0x7F || !face.FtFace) return e.Empty;
    const uint32_t glyphIndex = GlyphIndex(face, ch);
    const uint64_t key = (static_cast<uint64_t>(face.Id) << 32) | glyphIndex;
    if (auto it = e.Index.find(key); it != e.Index.end()) {
        if (it->second != e.Lru.begin()) e.Lru.splice(e.Lru.begin(), e.Lru, it->second);
        return it->second->Glyph;
    }
    e.Lru.push_front({key, Render(face, glyphIndex)});
    e.Index[key] = e.Lru.begin();
    e.Bytes += e.Lru.front().Glyph.Coverage.size();
    while (e.Lru.size() > 1 && (e.Lru.size() > kMaxGlyphs || e.Bytes > kMaxGlyphBytes)) {
        e.Bytes -= e.Lru.back().Glyph.Coverage.size();
        e.Index.erase(e.Lru.back().Key);
        e.Lru.pop_back();
    }
    return e.Lru.front().Glyph;
}

TFontMetrics Metrics(const TFont& font) {
    return font.Face()->Metrics;
}

int TextWidth(const TFont& font, const std::string& utf8) {
    auto face = font.Face();
    const std::u32string text = DecodeUtf8(utf8);
    auto lock = Lock();
    int width = 0;
    for (char32_t ch : text) width += GlyphFor(*face, ch == U'\t' ? U' ' : ch).Advance;
    return width;
}

void ClearGlyphCache() {
    auto lock = Lock();
    TEngine& e = Engine();
    e.Index.clear();
    e.Lru.clear();
    e.Bytes = 0;
}

std::size_t GlyphCacheSize() {
    auto lock = Lock();
    return Engine().Lru.size();
}

}  // namespace TextEngine

std::u32string DecodeUtf8(std::string_view text) {
    std::u32string out;
    out.reserve(text.size());
    const auto* s = reinterpret_cast<const unsigned char*>(text.data());
    const std::size_t n = text.size();
    std::size_t i = 0;
    while (i < n) {
        const unsigned char c = s[i];
        if (c < 0x80) {
            out.push_back(c);
            ++i;
            continue;
        }
        int len = 0;
        char32_t cp = 0;
        char32_t min = 0;
        if ((c & 0xE0) == 0xC0)
            len = 2, cp = c & 0x1F, min = 0x80;
        else if ((c & 0xF0) == 0xE0)
            len = 3, cp = c & 0x0F, min = 0x800;
        else if ((c & 0xF8) == 0xF0)
            len = 4, cp = c & 0x07, min = 0x10000;
        bool ok = len > 0 && i + static_cast<std::size_t>(len) <= n;
        for (int k = 1; ok && k < len; ++k) {
            if ((s[i + k] & 0xC0) != 0x80)
                ok = false;
            else
                cp = (cp << 6) | (s[i + k] & 0x3F);
        }
        if (ok && (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))) ok = false;
        if (ok) {
            out.push_back(cp);
            i += static_cast<std::size_t>(len);
        } else {
            out.push_back(0xFFFD);
            ++i;
        }
    }
    return out;
}

}  // namespace platform::gfx

// fontconfig's FcInit leaks a few hundred bytes while parsing the system configuration; every
// program that draws text inherits that, so sanitizer builds ignore leaks from inside fontconfig.
#if defined(__SANITIZE_ADDRESS__)
#define VK_LSAN_HOOK 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VK_LSAN_HOOK 1
#endif
#endif
#ifdef VK_LSAN_HOOK
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}
#endif
