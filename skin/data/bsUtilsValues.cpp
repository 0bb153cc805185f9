#include "skin/data/bsUtilsValues.h"

#include <algorithm>
#include <array>
#include <climits>

#include "platform/core/Strings.h"

namespace skin {

namespace {

// Parses up to n comma-separated parts; digits count, everything else except "," is dropped.
template <std::size_t N>
std::array<int32_t, N> ParseParts(std::string_view text) {
    std::array<int32_t, N> parts{};
    std::size_t part = 0;
    int64_t value = 0;
    for (char c : text) {
        if (part >= N) break;
        if (c == ',') {
            parts[part++] = static_cast<int32_t>(value);
            value = 0;
        } else if (c >= '0' && c <= '9') {
            value = value * 10 + (c - '0');
            if (value > INT32_MAX) value = INT32_MAX;
        }
    }
    if (part < N) parts[part] = static_cast<int32_t>(value);
    return parts;
}

struct TWord {
    const char* Text;
    int Value;
};

constexpr TWord kMorphWords[] = {{"mkdefault", mkDefault},
                                 {"mkgradient", mkGradient},
                                 {"mkleftgradient", mkLeftGradient},
                                 {"mkrightgradient", mkRightGradient},
                                 {"mkleftslide", mkLeftSlide},
                                 {"mkrightslide", mkRightSlide},
                                 {"mkpush", mkPush}};
constexpr TWord kEffectWords[] = {{"iebrightness", ieBrightness}, {"iedarkness", ieDarkness},
                                  {"iegrayscale", ieGrayScale},   {"ienoise", ieNoise},
                                  {"iesplitblur", ieSplitBlur},   {"ieinvert", ieInvert}};
constexpr TWord kCommandWords[] = {{"cmclose", cmClose},       {"cmmaximize", cmMaximize},
                                   {"cmminimize", cmMinimize}, {"cmsysmenu", cmSysMenu},
                                   {"cmdefault", cmDefault},   {"cmrollup", cmRollUp}};

template <std::size_t N>
int FindWord(const TWord (&words)[N], std::string_view text, int fallback) {
    for (const TWord& w : words) {
        if (text == w.Text) return w.Value;
    }
    return fallback;
}

template <std::size_t N>
const char* WordOf(const TWord (&words)[N], int value) {
    for (const TWord& w : words) {
        if (w.Value == value) return w.Text;
    }
    return words[0].Text;
}

constexpr struct {
    const char* Word;
    TFontStyles Style;
} kStyleWords[] = {{"fsbold", platform::gfx::fsBold},
                   {"fsitalic", platform::gfx::fsItalic},
                   {"fsunderline", platform::gfx::fsUnderline},
                   {"fsstrikeout", platform::gfx::fsStrikeOut}};

// Canonical decimal 0 .. INT32_MAX without sign or leading zeros.
bool CanonicalIndex(std::string_view s, int& out) {
    if (s.empty() || s.size() > 10) return false;
    if (s.size() > 1 && s[0] == '0') return false;
    int64_t v = 0;
    for (char c : s) {
        if (c < '0' || c > '9') return false;
        v = v * 10 + (c - '0');
    }
    if (v > INT32_MAX) return false;
    out = static_cast<int>(v);
    return true;
}

}  // namespace

TRect ParseRectText(std::string_view text) {
    auto p = ParseParts<4>(text);
    return {p[0], p[1], p[2], p[3]};
}

TPoint ParsePointText(std::string_view text) {
    auto p = ParseParts<2>(text);
    return {p[0], p[1]};
}

std::string RectToText(const TRect& r) {
    return std::to_string(r.Left) + "," + std::to_string(r.Top) + "," + std::to_string(r.Right) + "," +
           std::to_string(r.Bottom);
}

std::string PointToText(const TPoint& p) {
    return std::to_string(p.X) + "," + std::to_string(p.Y);
}

TFontStyles ParseFontStylesText(std::string_view text) {
    TFontStyles styles = 0;
    for (const auto& w : kStyleWords) {
        if (text.find(w.Word) != std::string_view::npos) styles |= w.Style;
    }
    return styles;
}

std::string FontStylesToText(TFontStyles styles) {
    std::string out;
    for (const auto& w : kStyleWords) {
        if ((styles & w.Style) == 0) continue;
        if (!out.empty()) out += ',';
        out += w.Word;
    }
    return out;
}

TAlignment ParseAlignmentText(std::string_view text) {
    if (text == "tacenter") return taCenter;
    if (text == "taleftjustify") return taLeftJustify;
    return taRightJustify;
}

const char* AlignmentToText(TAlignment alignment) {
    switch (alignment) {
        case taCenter:
            return "tacenter";
        case taLeftJustify:
            return "taleftjustify";
        default:
            return "tarightjustify";
    }
}

TbsMorphKind ParseMorphKindText(std::string_view text) {
    return static_cast<TbsMorphKind>(FindWord(kMorphWords, text, mkDefault));
}
const char* MorphKindToText(TbsMorphKind kind) {
    return WordOf(kMorphWords, kind);
}

TbsInactiveEffect ParseInactiveEffectText(std::string_view text) {
    return static_cast<TbsInactiveEffect>(FindWord(kEffectWords, text, ieGrayScale));
}
const char* InactiveEffectToText(TbsInactiveEffect effect) {
    return WordOf(kEffectWords, effect);
}

TbsStdCommand ParseCommandText(std::string_view text) {
    return static_cast<TbsStdCommand>(FindWord(kCommandWords, text, cmMinimizeToTray));
}
const char* CommandToText(TbsStdCommand command) {
    if (command == cmMinimizeToTray) return "cmminimizetotray";
    return WordOf(kCommandWords, command);
}

TbsSkinEntry SplitEntry(std::string_view text) {
    auto colon = text.find(':');
    if (colon == std::string_view::npos) return {};
    return {std::string(text.substr(0, colon)), std::string(text.substr(colon + 1))};
}

int32_t SkinReadInteger(const TCustomIniFile& ini, std::string_view section, std::string_view key,
                        int32_t def) {
    return ini.ReadInteger(section, key, def);
}

TColor SkinReadColor(const TCustomIniFile& ini, std::string_view section, std::string_view key, TColor def) {
    return ini.ReadInteger(section, key, def);
}

bool SkinReadFlag(const TCustomIniFile& ini, std::string_view section, std::string_view key) {
    return ini.ReadInteger(section, key, 0) == 1;
}

TRect SkinReadRect(const TCustomIniFile& ini, std::string_view section, std::string_view key) {
    return ParseRectText(ini.ReadString(section, key, "0,0,0,0"));
}

TPoint SkinReadPoint(const TCustomIniFile& ini, std::string_view section, std::string_view key) {
    return ParsePointText(ini.ReadString(section, key, "0,0"));
}

TFontStyles SkinReadFontStyles(const TCustomIniFile& ini, std::string_view section, std::string_view key) {
    return ParseFontStylesText(ini.ReadString(section, key, ""));
}

TAlignment SkinReadAlignment(const TCustomIniFile& ini, std::string_view section, std::string_view key) {
    return ParseAlignmentText(ini.ReadString(section, key, "tacenter"));
}

TbsMorphKind SkinReadMorphKind(const TCustomIniFile& ini, std::string_view section, std::string_view key) {
    return ParseMorphKindText(ini.ReadString(section, key, "mkdefault"));
}

TbsInactiveEffect SkinReadInactiveEffect(const TCustomIniFile& ini, std::string_view section,
                                         std::string_view key) {
    return ParseInactiveEffectText(ini.ReadString(section, key, "iebrightness"));
}

TbsStdCommand SkinReadCommand(const TCustomIniFile& ini, std::string_view section, std::string_view key) {
    return ParseCommandText(ini.ReadString(section, key, "cmdefault"));
}

std::string SkinReadText(const TCustomIniFile& ini, std::string_view section, std::string_view key,
                         std::string_view def) {
    return ini.ReadString(section, key, def);
}

std::vector<int> SkinListIndices(const TCustomIniFile& ini, std::string_view section, int count) {
    if (count > kMaxSkinListCount) count = kMaxSkinListCount;
    std::vector<int> indices;
    if (count <= 0) return indices;
    TStringList keys;
    ini.ReadSection(section, keys);
    for (int i = 0; i < keys.Count(); ++i) {
        int index = 0;
        if (CanonicalIndex(platform::core::Trim(keys[i]), index) && index < count) indices.push_back(index);
    }
    std::sort(indices.begin(), indices.end());
    indices.erase(std::unique(indices.begin(), indices.end()), indices.end());
    return indices;
}

void SkinReadList(const TCustomIniFile& ini, std::string_view section, std::string_view baseKey,
                  TStringList& list) {
    list.Clear();
    std::string countKey = std::string(baseKey) + "count";
    std::vector<std::string> entries;
    int count = SkinForEachListEntry(ini, section, countKey, [&](int index, std::string text) {
        if (entries.size() <= static_cast<std::size_t>(index))
            entries.resize(static_cast<std::size_t>(index) + 1);
        entries[static_cast<std::size_t>(index)] = std::move(text);
    });
    entries.resize(static_cast<std::size_t>(count));
    for (auto& e : entries) list.Add(std::move(e));
}

void SkinWriteInteger(TCustomIniFile& ini, std::string_view section, std::string_view key, int32_t value) {
    ini.WriteString(section, key, std::to_string(value));
}

void SkinWriteColor(TCustomIniFile& ini, std::string_view section, std::string_view key, TColor value) {
    ini.WriteString(section, key, std::to_string(value));
}

void SkinWriteFlag(TCustomIniFile& ini, std::string_view section, std::string_view key, bool value) {
    ini.WriteString(section, key, value ? "1" : "0");
}

void SkinWriteRect(TCustomIniFile& ini, std::string_view section, std::string_view key, const TRect& value) {
    ini.WriteString(section, key, RectToText(value));
}

void SkinWritePoint(TCustomIniFile& ini, std::string_view section, std::string_view key,
                    const TPoint& value) {
    ini.WriteString(section, key, PointToText(value));
}

void SkinWriteFontStyles(TCustomIniFile& ini, std::string_view section, std::string_view key,
                         TFontStyles value) {
    ini.WriteString(section, key, FontStylesToText(value));
}

void SkinWriteAlignment(TCustomIniFile& ini, std::string_view section, std::string_view key,
                        TAlignment value) {
    ini.WriteString(section, key, AlignmentToText(value));
}

void SkinWriteMorphKind(TCustomIniFile& ini, std::string_view section, std::string_view key,
                        TbsMorphKind value) {
    ini.WriteString(section, key, MorphKindToText(value));
}

void SkinWriteCommand(TCustomIniFile& ini, std::string_view section, std::string_view key,
                      TbsStdCommand value) {
    ini.WriteString(section, key, CommandToText(value));
}

void SkinWriteText(TCustomIniFile& ini, std::string_view section, std::string_view key,
                   std::string_view value) {
    ini.WriteString(section, key, value);
}

}  // namespace skin
