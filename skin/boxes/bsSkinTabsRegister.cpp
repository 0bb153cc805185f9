// The published properties of the skinned page control and tab control.

#include <string>

#include "platform/forms/PropertyTable.h"
#include "skin/boxes/bsSkinTabs.h"

namespace skin {

using platform::forms::TClassBuilder;
using platform::forms::TClassRegistry;
using platform::forms::TEnumInfo;
using platform::gfx::TFont;

namespace {

const TEnumInfo kStyles{{{"fsBold", platform::gfx::fsBold},
                         {"fsItalic", platform::gfx::fsItalic},
                         {"fsUnderline", platform::gfx::fsUnderline},
                         {"fsStrikeOut", platform::gfx::fsStrikeOut}}};

// The font both controls start with as DefaultFont.
TFont StartFont() {
    TFont f;
    f.SetName("Arial");
    f.SetHeight(14);
    f.SetColor(platform::gfx::clBtnText);
    return f;
}

template <class T>
void AddSkinProperties(TClassBuilder<T> b) {
    const TFont start = StartFont();
    b.template Reference<TbsSkinData>("SkinData", &T::SkinData, &T::SetSkinData)
        .String("SkinDataName", &T::SkinDataName, &T::SetSkinDataName, std::string("tab"))
        .Integer(
            "DefaultFont.Charset", [](const T& c) { return c.DefaultFont().Charset(); },
            [](T& c, int v) { c.DefaultFont().SetCharset(v); }, start.Charset())
        .Color(
            "DefaultFont.Color", [](const T& c) { return c.DefaultFont().Color(); },
            [](T& c, TColor v) { c.DefaultFont().SetColor(v); }, start.Color())
        .Integer(
            "DefaultFont.Height", [](const T& c) { return c.DefaultFont().Height(); },
            [](T& c, int v) { c.DefaultFont().SetHeight(v); }, start.Height())
        .String(
            "DefaultFont.Name", [](const T& c) { return c.DefaultFont().Name(); },
            [](T& c, const std::string& v) { c.DefaultFont().SetName(v); }, start.Name())
        .Set(
            "DefaultFont.Style", kStyles, [](const T& c) { return static_cast<int>(c.DefaultFont().Style()); },
            [](T& c, int v) { c.DefaultFont().SetStyle(static_cast<platform::gfx::TFontStyles>(v)); },
            start.Style())
        .Boolean("UseSkinFont", &T::UseSkinFont, &T::SetUseSkinFont, true)
        .Integer("DefaultItemHeight", &T::DefaultItemHeight, &T::SetDefaultItemHeight, 20);
}

}  // namespace

void RegisterSkinTabClasses() {
    auto& r = TClassRegistry::Instance();
    if (r.Find("TbsSkinPageControl")) return;
    AddSkinProperties(r.Register<TbsSkinPageControl>("TbsSkinPageControl", "TPageControl"));
    AddSkinProperties(r.Register<TbsSkinTabControl>("TbsSkinTabControl", "TTabControl"));
}

}  // namespace skin
