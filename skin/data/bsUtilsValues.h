#pragma once
// The value syntaxes of a skin description: their readers (from an ini object, a section and a
// key) and writers. Skin words are compared exactly and case-sensitively; section and key names
// go through the ini object, which matches them without regard to case.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/IniFile.h"
#include "platform/core/StringList.h"
#include "platform/core/Types.h"
#include "platform/gfx/Color.h"
#include "platform/gfx/Font.h"

namespace skin {

using platform::core::TCustomIniFile;
using platform::core::TPoint;
using platform::core::TRect;
using platform::core::TStringList;
using platform::gfx::TColor;
using platform::gfx::TFontStyles;

enum TAlignment { taLeftJustify = 0, taRightJustify = 1, taCenter = 2 };

enum TbsMorphKind {
    mkDefault = 0,
    mkGradient = 1,
    mkLeftGradient = 2,
    mkRightGradient = 3,
    mkLeftSlide = 4,
    mkRightSlide = 5,
    mkPush = 6
};

enum TbsInactiveEffect {
    ieBrightness = 0,
    ieDarkness = 1,
    ieGrayScale = 2,
    ieNoise = 3,
    ieSplitBlur = 4,
    ieInvert = 5
};

// Caption-button commands of the frame's objects.
enum TbsStdCommand {
    cmClose = 0,
    cmMaximize = 1,
    cmMinimize = 2,
    cmSysMenu = 3,
    cmDefault = 4,
    cmRollUp = 5,
    cmMinimizeToTray = 6
};

// Counted lists longer than this are cut: no real skin comes near it, and a forged count must not
// make a reader allocate or loop without bound.
inline constexpr int kMaxSkinListCount = 65536;

// Text parsers. A "," closes a part; of all other characters only the digits count, so blanks are
// dropped and a minus sign is lost. A part without digits reads 0, missing parts read 0, parts
// beyond the expected count are ignored, and a part too large for 32 bits saturates.
[[nodiscard]] TRect ParseRectText(std::string_view text);
[[nodiscard]] TPoint ParsePointText(std::string_view text);
[[nodiscard]] std::string RectToText(const TRect& r);
[[nodiscard]] std::string PointToText(const TPoint& p);

// Word parsers (exact, case-sensitive) and their words.
[[nodiscard]] TFontStyles ParseFontStylesText(std::string_view text);
[[nodiscard]] std::string FontStylesToText(TFontStyles styles);
[[nodiscard]] TAlignment ParseAlignmentText(std::string_view text);
[[nodiscard]] const char* AlignmentToText(TAlignment alignment);
[[nodiscard]] TbsMorphKind ParseMorphKindText(std::string_view text);
[[nodiscard]] const char* MorphKindToText(TbsMorphKind kind);
[[nodiscard]] TbsInactiveEffect ParseInactiveEffectText(std::string_view text);
[[nodiscard]] const char* InactiveEffectToText(TbsInactiveEffect effect);
[[nodiscard]] TbsStdCommand ParseCommandText(std::string_view text);
[[nodiscard]] const char* CommandToText(TbsStdCommand command);

// A [SKINOBJECTS] or [SKINCONTROLS] entry "name:kind", split at the first ":". Without a ":" both
// parts are empty.
struct TbsSkinEntry {
    std::string Name;
    std::string Kind;
};
[[nodiscard]] TbsSkinEntry SplitEntry(std::string_view text);

// Readers.
[[nodiscard]] int32_t SkinReadInteger(const TCustomIniFile& ini, std::string_view section,
                                      std::string_view key, int32_t def);
[[nodiscard]] TColor SkinReadColor(const TCustomIniFile& ini, std::string_view section, std::string_view key,
                                   TColor def = 0);
[[nodiscard]] bool SkinReadFlag(const TCustomIniFile& ini, std::string_view section, std::string_view key);
[[nodiscard]] TRect SkinReadRect(const TCustomIniFile& ini, std::string_view section, std::string_view key);
[[nodiscard]] TPoint SkinReadPoint(const TCustomIniFile& ini, std::string_view section, std::string_view key);
[[nodiscard]] TFontStyles SkinReadFontStyles(const TCustomIniFile& ini, std::string_view section,
                                             std::string_view key);
[[nodiscard]] TAlignment SkinReadAlignment(const TCustomIniFile& ini, std::string_view section,
                                           std::string_view key);
[[nodiscard]] TbsMorphKind SkinReadMorphKind(const TCustomIniFile& ini, std::string_view section,
                                             std::string_view key);
[[nodiscard]] TbsInactiveEffect SkinReadInactiveEffect(const TCustomIniFile& ini, std::string_view section,
                                                       std::string_view key);
[[nodiscard]] TbsStdCommand SkinReadCommand(const TCustomIniFile& ini, std::string_view section,
                                            std::string_view key);
[[nodiscard]] std::string SkinReadText(const TCustomIniFile& ini, std::string_view section,
                                       std::string_view key, std::string_view def = {});

// The counted list: integer key baseKey + "count", then the entries under the keys "0", "1", ...
// up to count - 1 of the same section; a missing entry reads as an empty text. Only the keys that
// the section holds are looked up, so a forged count costs nothing; the list is cut at
// kMaxSkinListCount entries.
void SkinReadList(const TCustomIniFile& ini, std::string_view section, std::string_view baseKey,
                  TStringList& list);
// The same walk for callers that act on each present entry: fn(index, text) in ascending index
// order for every key "i" with 0 <= i < count that the section holds. Returns count (clamped to
// 0..kMaxSkinListCount).
template <class Fn>
int SkinForEachListEntry(const TCustomIniFile& ini, std::string_view section, std::string_view countKey,
                         Fn&& fn);

// Writers.
void SkinWriteInteger(TCustomIniFile& ini, std::string_view section, std::string_view key, int32_t value);
void SkinWriteColor(TCustomIniFile& ini, std::string_view section, std::string_view key, TColor value);
void SkinWriteFlag(TCustomIniFile& ini, std::string_view section, std::string_view key, bool value);
void SkinWriteRect(TCustomIniFile& ini, std::string_view section, std::string_view key, const TRect& value);
void SkinWritePoint(TCustomIniFile& ini, std::string_view section, std::string_view key, const TPoint& value);
void SkinWriteFontStyles(TCustomIniFile& ini, std::string_view section, std::string_view key,
                         TFontStyles value);
void SkinWriteAlignment(TCustomIniFile& ini, std::string_view section, std::string_view key,
                        TAlignment value);
void SkinWriteMorphKind(TCustomIniFile& ini, std::string_view section, std::string_view key,
                        TbsMorphKind value);
void SkinWriteCommand(TCustomIniFile& ini, std::string_view section, std::string_view key,
                      TbsStdCommand value);
void SkinWriteText(TCustomIniFile& ini, std::string_view section, std::string_view key,
                   std::string_view value);

// Indices 0 .. count - 1 (count clamped to kMaxSkinListCount) of the keys that a section holds,
// ascending; keys are taken in their canonical decimal form only ("7", not "07").
[[nodiscard]] std::vector<int> SkinListIndices(const TCustomIniFile& ini, std::string_view section,
                                               int count);

template <class Fn>
int SkinForEachListEntry(const TCustomIniFile& ini, std::string_view section, std::string_view countKey,
                         Fn&& fn) {
    int count = SkinReadInteger(ini, section, countKey, 0);
    if (count < 0) count = 0;
    if (count > kMaxSkinListCount) count = kMaxSkinListCount;
    for (int index : SkinListIndices(ini, section, count)) {
        fn(index, ini.ReadString(section, std::to_string(index), ""));
    }
    return count;
}

}  // namespace skin
