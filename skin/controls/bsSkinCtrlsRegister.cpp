#include "skin/controls/bsSkinCtrlsRegister.h"

#include <vector>

#include "platform/forms/PropertyTable.h"
#include "platform/forms/StandardProperties.h"
#include "skin/controls/bsSkinCtrlsBevel.h"
#include "skin/controls/bsSkinCtrlsButton.h"
#include "skin/controls/bsSkinCtrlsLabels.h"
#include "skin/controls/bsSkinCtrlsLinkImage.h"
#include "skin/controls/bsSkinCtrlsRichEdit.h"
#include "skin/controls/bsSkinCtrlsTextLabel.h"
#include "skin/controls/bsSkinCtrlsViews.h"
#include "skin/controls/bsTrayIconRegister.h"
#include "skin/data/bsSkinDataRegister.h"

namespace skin {

using platform::forms::EPropertyError;
using platform::forms::IntFromValue;
using platform::forms::TClassBuilder;
using platform::forms::TClassRegistry;
using platform::forms::TEnumInfo;
using platform::forms::TPropValue;
using platform::forms::TValueKind;
using platform::gfx::TBitmap;
using platform::gfx::TFont;

namespace {

const TEnumInfo kButtonLayout{{{"blGlyphLeft", blGlyphLeft},
                               {"blGlyphRight", blGlyphRight},
                               {"blGlyphTop", blGlyphTop},
                               {"blGlyphBottom", blGlyphBottom}}};

// A glyph is stored as BMP bytes; data that carries a 4-byte size in front of the BMP (as some
// form writers put it) is read too.
bool GlyphFromBytes(TBitmap& glyph, const std::vector<uint8_t>& bytes) {
    if (bytes.empty()) {
        glyph = TBitmap();
        return true;
    }
    TBitmap loaded;
    const bool plain = bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M';
    const std::size_t skip = plain ? 0 : 4;
    if (bytes.size() <= skip || !loaded.LoadFromMemory(bytes.data() + skip, bytes.size() - skip))
        return false;
    glyph = std::move(loaded);
    return true;
}

std::vector<uint8_t> GlyphBytes(const TBitmap& glyph) {
    return glyph.Empty() ? std::vector<uint8_t>{} : glyph.SaveToMemory();
}

// The DefaultFont sub-properties, declared with the font the class starts with.
template <class T>
void AddDefaultFont(TClassBuilder<T>& b, const TFont& start) {
    platform::forms::AddFontProperties(
        b, "DefaultFont", [](const T& c) -> const TFont& { return c.DefaultFont(); },
        platform::forms::TFontPropertyOptions<T>{start, {}, false});
    b.Boolean("UseSkinFont", &T::UseSkinFont, &T::SetUseSkinFont, true);
}

template <class T>
void AddSkinBinding(TClassBuilder<T>& b, std::optional<std::string> defaultName) {
    b.template Reference<TbsSkinData>("SkinData", &T::SkinData, &T::SetSkinData)
        .String("SkinDataName", &T::SkinDataName, &T::SetSkinDataName, std::move(defaultName));
}

TFont ArialFont(platform::gfx::TFontStyles style) {
    TFont f;
    f.SetName("Arial");
    f.SetHeight(14);
    f.SetStyle(style);
    return f;
}

void RegisterBases(TClassRegistry& r) {
    auto base = r.Register<TbsSkinControl>("TbsSkinControl", "TCustomControl", false);
    // Every descendant names its own record; the name is always written.
    AddSkinBinding(base, std::nullopt);

    auto custom = r.Register<TbsSkinCustomControl>("TbsSkinCustomControl", "TbsSkinControl", false);
    custom
        .Integer("DefaultWidth", &TbsSkinCustomControl::DefaultWidth, &TbsSkinCustomControl::SetDefaultWidth,
                 0)
        .Integer("DefaultHeight", &TbsSkinCustomControl::DefaultHeight,
                 &TbsSkinCustomControl::SetDefaultHeight, 0);
    AddDefaultFont(custom, ArialFont(0));

    auto graphic = r.Register<TbsGraphicSkinControl>("TbsGraphicSkinControl", "TGraphicControl", false);
    AddSkinBinding(graphic, std::nullopt);
}

void RegisterButton(TClassRegistry& r) {
    using B = TbsSkinButton;
    r.Register<B>("TbsSkinButton", "TbsSkinCustomControl")
        // The button starts as a tab stop, unlike other windowed controls.
        .Boolean("TabStop", &B::TabStop, &B::SetTabStop, true)
        .Boolean("RepeatMode", &B::RepeatMode, &B::SetRepeatMode, false)
        .Integer("RepeatInterval", &B::RepeatInterval, &B::SetRepeatInterval, 100)
        .Boolean("AllowAllUp", &B::AllowAllUp, &B::SetAllowAllUp, false)
        .Boolean("CanFocused", &B::CanFocused, &B::SetCanFocused, true)
        .Integer("GroupIndex", &B::GroupIndex, &B::SetGroupIndex, 0)
        .Boolean("Down", &B::Down, &B::SetDown, false)
        .Binary(
            "Glyph.Data", [](const B& b) { return GlyphBytes(b.Glyph()); },
            [](B& b, const std::vector<uint8_t>& bytes) {
                TBitmap glyph;
                if (!GlyphFromBytes(glyph, bytes)) return false;
                b.SetGlyph(glyph);
                return true;
            })
        .Integer("NumGlyphs", &B::NumGlyphs, &B::SetNumGlyphs, 1)
        .Integer("Margin", &B::Margin, &B::SetMargin, -1)
        // Declared with the value a new button starts with, so that every other value is
        // written and read back unchanged.
        .Integer("Spacing", &B::Spacing, &B::SetSpacing, 1)
        .Enum<TbsButtonLayout>("Layout", kButtonLayout, &B::Layout, &B::SetLayout, blGlyphLeft)
        .Boolean("Default", &B::Default, &B::SetDefault, false)
        .Boolean("Cancel", &B::Cancel, &B::SetCancel, false)
        .Custom(
            "ModalResult",
            [](B& b, const TPropValue& v) {
                if (v.Kind == TValueKind::Ident) {
                    auto value = platform::forms::ModalResultEnum().Find(v.Text);
                    if (!value) throw EPropertyError("'" + v.Text + "' is no modal result");
                    b.SetModalResult(static_cast<int>(*value));
                    return;
                }
                b.SetModalResult(static_cast<int>(IntFromValue(v)));
            },
            [](const B& b) {
                const std::string name = platform::forms::ModalResultEnum().NameOf(b.ModalResult());
                return name.empty() ? TPropValue::Integer(b.ModalResult()) : TPropValue::Ident(name);
            },
            TPropValue::Ident("mrNone"));
}

void RegisterLabels(TClassRegistry& r) {
    auto stdLabel = r.Register<TbsSkinStdLabel>("TbsSkinStdLabel", "TCustomLabel");
    // Skinned labels start transparent.
    stdLabel.Boolean("Transparent", &TbsSkinStdLabel::Transparent, &TbsSkinStdLabel::SetTransparent, true);
    AddSkinBinding(stdLabel, std::string("stdlabel"));
    AddDefaultFont(stdLabel, TFont());

    using L = TbsSkinLinkLabel;
    auto link = r.Register<L>("TbsSkinLinkLabel", "TbsSkinStdLabel");
    link.String("URL", &L::URL, &L::SetURL)
        .Color("DefaultActiveFontColor", &L::DefaultActiveFontColor, &L::SetDefaultActiveFontColor,
               platform::gfx::clBlue)
        .Enum<int>("Cursor", platform::forms::CursorEnum(), &L::Cursor, &L::SetCursor,
                   platform::forms::crHandPoint);
    AddDefaultFont(link, ArialFont(platform::gfx::fsUnderline));

    using T = TbsSkinTextLabel;
    auto text = r.Register<T>("TbsSkinTextLabel", "TGraphicControl");
    AddSkinBinding(text, std::string("stdlabel"));
    text.Strings(
            "Lines",
            [](const T& t) {
                std::vector<std::string> lines;
                for (int i = 0; i < t.Lines().Count(); ++i) lines.push_back(t.Lines()[i]);
                return lines;
            },
            [](T& t, const std::vector<std::string>& lines) {
                platform::core::TStringList list;
                for (const auto& line : lines) list.Add(line);
                t.SetLines(list);
            })
        .Enum<platform::forms::TAlignment>("Alignment", platform::forms::AlignmentEnum(), &T::Alignment,
                                           &T::SetAlignment, platform::forms::taLeftJustify)
        .Boolean("AutoSize", &T::AutoSize, &T::SetAutoSize, true)
        .Enum<platform::forms::TTextLayout>("Layout", platform::forms::TextLayoutEnum(), &T::Layout,
                                            &T::SetLayout, platform::forms::tlTop)
        .Boolean("WordWrap", &T::WordWrap, &T::SetWordWrap, false);
    AddDefaultFont(text, TFont());

    using BL = TbsSkinButtonLabel;
    auto button = r.Register<BL>("TbsSkinButtonLabel", "TGraphicControl");
    AddSkinBinding(button, std::string("stdlabel"));
    button
        .Binary(
            "Glyph.Data", [](const BL& b) { return GlyphBytes(b.Glyph()); },
            [](BL& b, const std::vector<uint8_t>& bytes) {
                TBitmap glyph;
                if (!GlyphFromBytes(glyph, bytes)) return false;
                b.SetGlyph(glyph);
                return true;
            })
        .Integer("NumGlyphs", &BL::NumGlyphs, &BL::SetNumGlyphs, 1)
        .Integer("Margin", &BL::Margin, &BL::SetMargin, -1)
        .Integer("Spacing", &BL::Spacing, &BL::SetSpacing, 1)
        .Enum<TbsButtonLayout>("Layout", kButtonLayout, &BL::Layout, &BL::SetLayout, blGlyphLeft)
        .Color("DefaultActiveFontColor", &BL::DefaultActiveFontColor, &BL::SetDefaultActiveFontColor,
               platform::gfx::clBlue);
    AddDefaultFont(button, ArialFont(0));
}

void RegisterOthers(TClassRegistry& r) {
    using I = TbsSkinLinkImage;
    r.Register<I>("TbsSkinLinkImage", "TImage")
        .String("URL", &I::URL, &I::SetURL)
        .Boolean("AutoSize", &I::AutoSize, &I::SetAutoSize, true)
        .Enum<int>("Cursor", platform::forms::CursorEnum(), &I::Cursor, &I::SetCursor,
                   platform::forms::crHandPoint);

    auto bevel = r.Register<TbsSkinBevel>("TbsSkinBevel", "TBevel");
    AddSkinBinding(bevel, std::string("bevel"));
    bevel.Boolean("DividerMode", &TbsSkinBevel::DividerMode, &TbsSkinBevel::SetDividerMode, false);
}

}  // namespace

void RegisterSkinControlClasses() {
    RegisterSkinDataClasses();
    RegisterSkinButtonActionHook();
    TClassRegistry& r = TClassRegistry::Instance();
    if (r.Find("TbsSkinButton")) return;
    RegisterBases(r);
    RegisterButton(r);
    RegisterLabels(r);
    RegisterOthers(r);
    RegisterSkinViewClasses(r);
    RegisterSkinRichEdit(r);
    RegisterHintAndTrayClasses(r);
}

}  // namespace skin
