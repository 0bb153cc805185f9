// Face resolution: fontconfig matching with the program's aliases, FreeType faces sized by the
// platform's height rule, and a small cache of resolved faces.

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cmath>
#include <list>
#include <optional>
#include <unordered_map>

#include "platform/gfx/TextEngineInternal.h"

namespace platform::gfx {
namespace {

struct TAlias {
    const char* Name;
    const char* Target;
};
// Metric twins first; everything a skin or form may name that has no twin maps to the sans face.
constexpr TAlias kAliases[] = {
    {"Arial", "Liberation Sans"},          {"Helvetica", "Liberation Sans"},
    {"MS Sans Serif", "Liberation Sans"},  {"Microsoft Sans Serif", "Liberation Sans"},
    {"Tahoma", "Liberation Sans"},         {"Verdana", "Liberation Sans"},
    {"Segoe UI", "Liberation Sans"},       {"MS Shell Dlg", "Liberation Sans"},
    {"MS Shell Dlg 2", "Liberation Sans"}, {"Times New Roman", "Liberation Serif"},
    {"Times", "Liberation Serif"},         {"Courier New", "Liberation Mono"},
    {"Courier", "Liberation Mono"},
};
// Names whose match fontconfig may choose freely.
constexpr const char* kGenericFamilies[] = {"sans-serif", "sans", "serif", "monospace", "mono", "system-ui"};
constexpr const char* kFallbackFamilies[] = {"Liberation Sans", "DejaVu Sans"};
constexpr std::size_t kMaxCachedFaces = 64;
constexpr int kMaxPixelHeight = 1000;  // larger requests are clamped: a glyph must stay affordable

std::string Lower(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

std::string EscapeXml(std::string_view s) {
    std::string out;
    for (char c : s) {
        if (c == '&')
            out += "&amp;";
        else if (c == '<')
            out += "&lt;";
        else
            out += c;
    }
    return out;
}

std::string AliasXml() {
    std::string xml = "<?xml version=\"1.0\"?>\n<fontconfig>\n";
    for (const TAlias& a : kAliases) {
        xml += " <match target=\"pattern\"><test name=\"family\" qual=\"any\"><string>";
        xml += EscapeXml(a.Name);
        xml += "</string></test><edit name=\"family\" mode=\"assign\" binding=\"strong\"><string>";
        xml += EscapeXml(a.Target);
        xml += "</string></edit></match>\n";
    }
    xml += "</fontconfig>\n";
    return xml;
}

struct TMatch {
    std::vector<std::string> Families;  // every family name the matched font carries
    std::string File;
    int Index = 0;
    int Weight = FC_WEIGHT_REGULAR;
    int Slant = FC_SLANT_ROMAN;
    bool Antialias = true;
    bool Hinting = true;
    bool Autohint = false;
    int HintStyle = FC_HINT_SLIGHT;
    bool EmbeddedBitmap = true;
};

std::optional<TMatch> MatchFont(const std::vector<std::string>& families, TFontStyles style,
                                double pixelSize) {
    FcPattern* pattern = FcPatternCreate();
    if (!pattern) return std::nullopt;
    for (const std::string& f : families)
        FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(f.c_str()));
    FcPatternAddInteger(pattern, FC_WEIGHT, (style & fsBold) ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, (style & fsItalic) ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddDouble(pattern, FC_PIXEL_SIZE, pixelSize);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* font = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    if (!font) return std::nullopt;

    TMatch m;
    FcChar8* s = nullptr;
    for (int i = 0; FcPatternGetString(font, FC_FAMILY, i, &s) == FcResultMatch; ++i)
        m.Families.emplace_back(reinterpret_cast<const char*>(s));
    if (FcPatternGetString(font, FC_FILE, 0, &s) == FcResultMatch) m.File = reinterpret_cast<const char*>(s);
    int iv = 0;
    FcBool bv = FcFalse;
    if (FcPatternGetInteger(font, FC_INDEX, 0, &iv) == FcResultMatch) m.Index = iv;
    if (FcPatternGetInteger(font, FC_WEIGHT, 0, &iv) == FcResultMatch) m.Weight = iv;
    if (FcPatternGetInteger(font, FC_SLANT, 0, &iv) == FcResultMatch) m.Slant = iv;
    if (FcPatternGetInteger(font, FC_HINT_STYLE, 0, &iv) == FcResultMatch) m.HintStyle = iv;
    if (FcPatternGetBool(font, FC_ANTIALIAS, 0, &bv) == FcResultMatch) m.Antialias = bv;
    if (FcPatternGetBool(font, FC_HINTING, 0, &bv) == FcResultMatch) m.Hinting = bv;
    if (FcPatternGetBool(font, FC_AUTOHINT, 0, &bv) == FcResultMatch) m.Autohint = bv;
    if (FcPatternGetBool(font, FC_EMBEDDED_BITMAP, 0, &bv) == FcResultMatch) m.EmbeddedBitmap = bv;
    FcPatternDestroy(font);
    if (m.File.empty()) return std::nullopt;
    return m;
}

// True when the match is the requested family (or its alias) rather than fontconfig's last resort.
bool Honours(const TMatch& m, const std::string& requested) {
    std::string want = Lower(requested);
    for (const char* g : kGenericFamilies)
        if (want == g) return true;
    std::string alias;
    for (const TAlias& a : kAliases)
        if (Lower(a.Name) == want) alias = Lower(a.Target);
    for (const std::string& f : m.Families) {
        std::string have = Lower(f);
        if (have == want || (!alias.empty() && have == alias)) return true;
    }
    return false;
}

int32_t LoadFlagsFor(const TMatch& m) {
    int32_t flags = FT_LOAD_DEFAULT;
    if (!m.EmbeddedBitmap) flags |= FT_LOAD_NO_BITMAP;
    if (!m.Hinting || m.HintStyle == FC_HINT_NONE) {
        flags |= FT_LOAD_NO_HINTING;
    } else {
        if (m.Autohint) flags |= FT_LOAD_FORCE_AUTOHINT;
        if (!m.Antialias)
            flags |= FT_LOAD_TARGET_MONO;
        else if (m.HintStyle == FC_HINT_SLIGHT)
            flags |= FT_LOAD_TARGET_LIGHT;
        else
            flags |= FT_LOAD_TARGET_NORMAL;
    }
    return flags;
}

int CeilPx(double v) {
    return static_cast<int>(std::ceil(v - 1.0 / 64));
}

// Sizes the face by the platform's height rule and derives the metrics the canvas uses.
void SizeFace(TFontFace& face, FT_Face ft, int height) {
    double asc = 0, desc = 0;
    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(ft, FT_SFNT_OS2));
    if (os2 && os2->version != 0xFFFF && os2->usWinAscent + os2->usWinDescent > 0) {
        asc = os2->usWinAscent;
        desc = os2->usWinDescent;
    } else {
        asc = ft->ascender;
        desc = -ft->descender;
    }
    const double upem = ft->units_per_EM;
    TFontMetrics& m = face.Metrics;
    double scale = 0;
    if (!FT_IS_SCALABLE(ft) || upem <= 0 || asc + desc <= 0) {
        int px = height < 0 ? -height : height;
        if (ft->num_fixed_sizes > 0) {
            int best = 0;
            for (int i = 1; i < ft->num_fixed_sizes; ++i)
                if (std::abs(ft->available_sizes[i].height - px) <
                    std::abs(ft->available_sizes[best].height - px))
                    best = i;
            FT_Select_Size(ft, best);
        } else {
            FT_Set_Pixel_Sizes(ft, 0, static_cast<FT_UInt>(px));
        }
        m.Ascent = static_cast<int>((ft->size->metrics.ascender + 63) >> 6);
        m.Descent = static_cast<int>((-ft->size->metrics.descender + 63) >> 6);
        m.Height = m.Ascent + m.Descent;
        m.InternalLeading = std::max(0, m.Height - static_cast<int>(ft->size->metrics.y_ppem));
        m.AveCharWidth = std::max(1, static_cast<int>(ft->size->metrics.max_advance >> 6) / 2);
        face.UnderlineOffset = std::max(0, m.Descent / 2);
        face.StrikeoutOffset = -std::max(1, m.Ascent / 3);
        return;
    }
    if (height < 0) {
        const int em = -height;
        FT_Set_Pixel_Sizes(ft, 0, static_cast<FT_UInt>(em));
        scale = em / upem;
        m.Ascent = CeilPx(asc * scale);
        m.Descent = CeilPx(desc * scale);
        m.InternalLeading = m.Ascent + m.Descent - em;
    } else {
        const double ppem = height * upem / (asc + desc);
        FT_Set_Char_Size(ft, 0, std::max<FT_F26Dot6>(1, std::lround(ppem * 64)), 72, 72);
        scale = ppem / upem;
        m.Ascent = static_cast<int>(std::lround(asc * scale));
        m.Descent = height - m.Ascent;
        m.InternalLeading = height - static_cast<int>(std::lround(ppem));
    }
    m.Height = m.Ascent + m.Descent;
    m.InternalLeading = std::max(0, m.InternalLeading);
    m.AveCharWidth = (os2 && os2->version != 0xFFFF && os2->xAvgCharWidth > 0)
                         ? std::max(1, static_cast<int>(std::lround(os2->xAvgCharWidth * scale)))
                         : 0;

    face.UnderlineThickness = std::max(1, static_cast<int>(std::lround(ft->underline_thickness * scale)));
    const double underlineCentre = -ft->underline_position * scale;
    face.UnderlineOffset =
        std::max(0, static_cast<int>(std::lround(underlineCentre - face.UnderlineThickness / 2.0)));
    if (face.UnderlineOffset + face.UnderlineThickness > m.Descent)
        face.UnderlineOffset = std::max(0, m.Descent - face.UnderlineThickness);
    if (os2 && os2->version != 0xFFFF && os2->yStrikeoutSize > 0) {
        face.StrikeoutThickness = std::max(1, static_cast<int>(std::lround(os2->yStrikeoutSize * scale)));
        face.StrikeoutOffset = -static_cast<int>(std::lround(os2->yStrikeoutPosition * scale));
    } else {
        face.StrikeoutThickness = face.UnderlineThickness;
        face.StrikeoutOffset = -std::max(1, (m.Ascent - m.InternalLeading) / 3);
    }
}

struct TFaceCache {
    std::list<std::pair<std::string, std::shared_ptr<TFontFace>>> Lru;
    std::unordered_map<std::string, decltype(Lru)::iterator> Index;
    uint32_t NextId = 1;
};

TFaceCache& Faces() {
    static auto* cache = new TFaceCache;  // outlives every static TFont
    return *cache;
}

// A face built with the matched file or, failing that, the fallback; without any file the face
// has no glyphs but sane metrics, so drawing degrades to blank text rather than failing.
std::shared_ptr<TFontFace> LoadFace(const std::string& name, int height, TFontStyles style) {
    auto face = std::make_shared<TFontFace>();
    face->Id = Faces().NextId++;
    const double pixelSize = height < 0 ? -height : height * 0.87;

    std::vector<std::optional<TMatch>> candidates;
    std::optional<TMatch> match = name.empty() ? std::nullopt : MatchFont({name}, style, pixelSize);
    if (match && Honours(*match, name)) candidates.push_back(match);
    candidates.push_back(MatchFont({kFallbackFamilies[0], kFallbackFamilies[1]}, style, pixelSize));
    if (match) candidates.push_back(match);

    FT_Library lib = static_cast<FT_Library>(TextEngine::Library());
    for (const auto& c : candidates) {
        if (!c || !lib) continue;
        FT_Face ft = nullptr;
        if (FT_New_Face(lib, c->File.c_str(), c->Index, &ft) != 0 || !ft) continue;
        face->FtFace = ft;
        face->File = c->File;
        face->Family =
            c->Families.empty() ? std::string(ft->family_name ? ft->family_name : "") : c->Families.front();
        face->LoadFlags = LoadFlagsFor(*c);
        face->RenderMode = c->Antialias ? FT_RENDER_MODE_NORMAL : FT_RENDER_MODE_MONO;
        face->SynthBold = (style & fsBold) && c->Weight < FC_WEIGHT_DEMIBOLD;
        face->SynthItalic = (style & fsItalic) && c->Slant == FC_SLANT_ROMAN;
        SizeFace(*face, ft, height);
        break;
    }
    if (!face->FtFace) {
        const int px = height < 0 ? -height : height;
        face->Metrics.Ascent = px * 4 / 5;
        face->Metrics.Descent = px - face->Metrics.Ascent;
        face->Metrics.Height = px;
    }
    if (face->Metrics.AveCharWidth <= 0) {
        const TGlyph& x = TextEngine::GlyphFor(*face, U'x');
        face->Metrics.AveCharWidth = std::max(1, x.Advance);
    }
    return face;
}

}  // namespace

TFontFace::~TFontFace() {
    if (FtFace) {
        auto lock = TextEngine::Lock();
        FT_Done_Face(static_cast<FT_Face>(FtFace));
    }
}

namespace TextEngine {

void LoadAliases() {
    if (!FcInit()) return;
    const std::string xml = AliasXml();
    FcConfigParseAndLoadFromMemory(FcConfigGetCurrent(), reinterpret_cast<const FcChar8*>(xml.c_str()),
                                   FcFalse);
}

std::shared_ptr<TFontFace> ResolveFace(const std::string& name, int height, TFontStyles style) {
    Initialize();
    auto lock = Lock();
    if (height == 0) height = -11;
    height = std::clamp(height, -kMaxPixelHeight, kMaxPixelHeight);
    style &= fsBold | fsItalic;
    std::string key = Lower(name);
    key += '\n';
    key += std::to_string(height);
    key += '\n';
    key += static_cast<char>('0' + style);

    TFaceCache& cache = Faces();
    if (auto it = cache.Index.find(key); it != cache.Index.end()) {
        cache.Lru.splice(cache.Lru.begin(), cache.Lru, it->second);
        return it->second->second;
    }
    auto face = LoadFace(name, height, style);
    cache.Lru.emplace_front(key, face);
    cache.Index[key] = cache.Lru.begin();
    while (cache.Lru.size() > kMaxCachedFaces) {
        cache.Index.erase(cache.Lru.back().first);
        cache.Lru.pop_back();
    }
    return face;
}

std::string ResolvedFamily(const std::string& name, TFontStyles style) {
    return ResolveFace(name, -11, style)->Family;
}

}  // namespace TextEngine
}  // namespace platform::gfx
