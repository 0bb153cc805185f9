// The value parsers, and every record reader over a description made of the input.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz/skin_data/FuzzSkin.h"
#include "platform/core/IniFile.h"
#include "skin/data/bsSkinDataLoaded.h"
#include "skin/data/bsUtilsValues.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    // Parsers: whatever they read, writing it and reading again gives the same value.
    skin::TRect r = skin::ParseRectText(text);
    if (r.Left < 0 || r.Top < 0 || r.Right < 0 || r.Bottom < 0) __builtin_trap();
    if (skin::ParseRectText(skin::RectToText(r)) != r) __builtin_trap();
    skin::TPoint p = skin::ParsePointText(text);
    if (skin::ParsePointText(skin::PointToText(p)) != p) __builtin_trap();
    auto styles = skin::ParseFontStylesText(text);
    if (skin::ParseFontStylesText(skin::FontStylesToText(styles)) != styles) __builtin_trap();
    (void)skin::ParseAlignmentText(text);
    (void)skin::ParseMorphKindText(text);
    (void)skin::ParseInactiveEffectText(text);
    (void)skin::ParseCommandText(text);
    (void)skin::SplitEntry(text);

    // The input as a whole description: the required sections first, then the input's lines, so
    // that records, lists and [FORMINFO] are read from it.
    platform::core::TStringList lines;
    lines.SetText("[VERSION]\n[PICTURES]\n[FORMINFO]\n[SKINOBJECTS]\n[SKINCONTROLS]\n" +
                  platform::core::DecodeExternalText(text));
    skin::TbsSkinStore stored;
    stored.SetIniStrings(lines);
    skin::TbsLoadedSkin skinData;
    skinData.LoadStore(&stored);
    return 0;
}
