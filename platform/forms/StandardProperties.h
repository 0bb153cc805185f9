#pragma once
// Property tables that many class registrations share: the names of the common enumerations
// and the sub-properties of a font. The framework's own classes, the skinned controls and the
// skin form all declare theirs with these, so a resource spells them the same everywhere.

#include <functional>
#include <optional>
#include <string>

#include "platform/forms/PropertyTable.h"
#include "platform/gfx/Font.h"

namespace platform::forms {

[[nodiscard]] const TEnumInfo& AlignEnum();        // alNone ... alCustom
[[nodiscard]] const TEnumInfo& AnchorsEnum();      // akLeft ... akBottom (a set)
[[nodiscard]] const TEnumInfo& AlignmentEnum();    // taLeftJustify, taRightJustify, taCenter
[[nodiscard]] const TEnumInfo& TextLayoutEnum();   // tlTop, tlCenter, tlBottom
[[nodiscard]] const TEnumInfo& CursorEnum();       // every crXxx name
[[nodiscard]] const TEnumInfo& FontStylesEnum();   // fsBold ... fsStrikeOut (a set)
[[nodiscard]] const TEnumInfo& CharsetEnum();      // ANSI_CHARSET ... MAC_CHARSET
[[nodiscard]] const TEnumInfo& ModalResultEnum();  // mrNone ... mrYesToAll

// How a font property is declared.
template <class T>
struct TFontPropertyOptions {
    // The font the class starts with: its values are the defaults. nullopt: always written.
    std::optional<gfx::TFont> Start;
    // When given and false, none of the sub-properties is written (Font while ParentFont).
    std::function<bool(const T&)> Stored;
    // Declares Name.Size too (read, never written: Height says the same).
    bool WithSize = false;
};

// Declares Name.Charset, .Color, .Height, .Name, (.Size,) .Style of the font that font(c)
// returns (a const TFont&; the setters change that same font).
template <class T, class Get>
void AddFontProperties(TClassBuilder<T>& b, const std::string& name, Get font,
                       const TFontPropertyOptions<T>& options = {}) {
    auto mut = [font](T& c) -> gfx::TFont& {
        return const_cast<gfx::TFont&>(font(static_cast<const T&>(c)));
    };
    const std::optional<gfx::TFont>& start = options.Start;
    auto stored = [&b, &options] {
        if (options.Stored) b.StoredIf(options.Stored);
    };
    b.template Enum<int>(
        name + ".Charset", CharsetEnum(), [font](const T& c) { return font(c).Charset(); },
        [mut](T& c, int v) { mut(c).SetCharset(v); },
        start ? std::optional<int>(start->Charset()) : std::nullopt);
    stored();
    b.Color(
        name + ".Color", [font](const T& c) { return font(c).Color(); },
        [mut](T& c, gfx::TColor v) { mut(c).SetColor(v); },
        start ? std::optional<gfx::TColor>(start->Color()) : std::nullopt);
    stored();
    b.Integer(
        name + ".Height", [font](const T& c) { return font(c).Height(); },
        [mut](T& c, int v) { mut(c).SetHeight(v); },
        start ? std::optional<int64_t>(start->Height()) : std::nullopt);
    stored();
    b.String(
        name + ".Name", [font](const T& c) { return font(c).Name(); },
        [mut](T& c, const std::string& v) { mut(c).SetName(v); },
        start ? std::optional<std::string>(start->Name()) : std::nullopt);
    stored();
    if (options.WithSize) {
        b.Integer(
             name + ".Size", [font](const T& c) { return font(c).Size(); },
             [mut](T& c, int v) { mut(c).SetSize(v); }, std::nullopt)
            .StoredIf([](const T&) { return false; });
    }
    b.Set(
        name + ".Style", FontStylesEnum(), [font](const T& c) { return static_cast<int>(font(c).Style()); },
        [mut](T& c, int v) { mut(c).SetStyle(static_cast<gfx::TFontStyles>(v)); },
        start ? std::optional<int64_t>(start->Style()) : std::nullopt);
    stored();
}

}  // namespace platform::forms
