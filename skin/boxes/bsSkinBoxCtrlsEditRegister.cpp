#include "skin/boxes/bsSkinBoxCtrlsEditRegister.h"

#include "platform/forms/EditClasses.h"
#include "skin/boxes/bsSkinBoxCtrlsEdit.h"
#include "skin/boxes/bsSkinBoxCtrlsEditMemo.h"

namespace skin {

using platform::forms::TClassBuilder;
using platform::forms::TClassRegistry;
using platform::forms::TEnumInfo;
using platform::gfx::TFont;

namespace {

const TEnumInfo kFontStyles{{{"fsBold", platform::gfx::fsBold},
                             {"fsItalic", platform::gfx::fsItalic},
                             {"fsUnderline", platform::gfx::fsUnderline},
                             {"fsStrikeOut", platform::gfx::fsStrikeOut}}};

TFont StartFont() {
    TFont f;
    f.SetName("Arial");
    f.SetHeight(14);
    f.SetColor(platform::gfx::clWindowText);
    return f;
}

// The skin binding and the DefaultFont sub-properties.
template <class T>
void AddBinding(TClassBuilder<T>& b, const std::string& defaultName) {
    const TFont start = StartFont();
    b.template Reference<TbsSkinData>("SkinData", &T::SkinData, &T::SetSkinData)
        .String("SkinDataName", &T::SkinDataName, &T::SetSkinDataName, defaultName)
        .Integer(
            "DefaultFont.Charset", [](const T& c) { return c.DefaultFont().Charset(); },
            [](T& c, int v) {
                TFont f = c.DefaultFont();
                f.SetCharset(v);
                c.SetDefaultFont(f);
            },
            start.Charset())
        .Color(
            "DefaultFont.Color", [](const T& c) { return c.DefaultFont().Color(); },
            [](T& c, platform::gfx::TColor v) {
                TFont f = c.DefaultFont();
                f.SetColor(v);
                c.SetDefaultFont(f);
            },
            start.Color())
        .Integer(
            "DefaultFont.Height", [](const T& c) { return c.DefaultFont().Height(); },
            [](T& c, int v) {
                TFont f = c.DefaultFont();
                f.SetHeight(v);
                c.SetDefaultFont(f);
            },
            start.Height())
        .String(
            "DefaultFont.Name", [](const T& c) { return c.DefaultFont().Name(); },
            [](T& c, const std::string& v) {
                TFont f = c.DefaultFont();
                f.SetName(v);
                c.SetDefaultFont(f);
            },
            start.Name())
        .Set(
            "DefaultFont.Style", kFontStyles,
            [](const T& c) { return static_cast<int>(c.DefaultFont().Style()); },
            [](T& c, int v) {
                TFont f = c.DefaultFont();
                f.SetStyle(static_cast<platform::gfx::TFontStyles>(v));
                c.SetDefaultFont(f);
            },
            start.Style())
        .Boolean("UseSkinFont", &T::UseSkinFont, &T::SetUseSkinFont, true);
}

}  // namespace

void RegisterSkinEditClasses(TClassRegistry& r) {
    platform::forms::RegisterEditClasses(r);
    if (r.Find("TbsCustomEdit")) return;
    r.Register<TbsCustomEdit>("TbsCustomEdit", "TCustomMaskEdit", false)
        .Boolean("TransparentText", &TbsCustomEdit::TransparentText, &TbsCustomEdit::SetTransparentText,
                 false);

    using E = TbsSkinCustomEdit;
    auto edit = r.Register<E>("TbsSkinCustomEdit", "TbsCustomEdit", false);
    AddBinding(edit, "edit");
    edit.Integer("DefaultWidth", &E::DefaultWidth, &E::SetDefaultWidth, 0)
        .Integer("DefaultHeight", &E::DefaultHeight, &E::SetDefaultHeight, 20)
        .Boolean("HasButton", &E::HasButton, &E::SetHasButton, false)
        .Event("OnButtonClick", &E::OnButtonClick);
    r.Register<TbsSkinEdit>("TbsSkinEdit", "TbsSkinCustomEdit");

    using B = TbsSkinMemoBase;
    auto base = r.Register<B>("TbsSkinMemoBase", "TCustomMemo", false);
    AddBinding(base, "memo");
    base.Reference<TbsSkinScrollBar>("VScrollBar", &B::VScrollBar, &B::SetVScrollBar);
    r.Register<TbsSkinMemo>("TbsSkinMemo", "TbsSkinMemoBase")
        .Boolean("BitMapBG", &TbsSkinMemo::BitMapBG, &TbsSkinMemo::SetBitMapBG, true);
    r.Register<TbsSkinMemo2>("TbsSkinMemo2", "TbsSkinMemoBase")
        .Reference<TbsSkinScrollBar>("HScrollBar", &TbsSkinMemo2::HScrollBar, &TbsSkinMemo2::SetHScrollBar);
}

}  // namespace skin
