#include "skin/form/bsSkinFormRegister.h"

#include <vector>

#include "platform/forms/PropertyTable.h"
#include "platform/forms/StandardProperties.h"
#include "skin/controls/bsSkinCtrlsRegister.h"
#include "skin/controls/bsSkinHint.h"
#include "skin/controls/bsTrayIcon.h"
#include "skin/form/bsMessages.h"
#include "skin/form/bsSkinForm.h"
#include "skin/form/bsSkinMainMenuRegister.h"

namespace skin {

using platform::forms::TClassBuilder;
using platform::forms::TClassRegistry;
using platform::forms::TEnumInfo;
using platform::gfx::TFont;

namespace {

const TEnumInfo kBorderIcons{{{"biSystemMenu", biSystemMenu},
                              {"biMinimize", biMinimize},
                              {"biMaximize", biMaximize},
                              {"biRollUp", biRollUp},
                              {"biMinimizeToTray", biMinimizeToTray}}};

// The sub-properties of a font property, declared with the font the class starts with.
template <class T, class Get>
void AddFont(TClassBuilder<T>& b, const std::string& name, Get font, const TFont& start) {
    platform::forms::AddFontProperties(b, name, font,
                                       platform::forms::TFontPropertyOptions<T>{start, {}, false});
}

// The fonts the components start with.
TFont StartFont(platform::gfx::TFontStyles style, platform::gfx::TColor color) {
    TFont f;
    f.SetName("Arial");
    f.SetHeight(14);
    f.SetStyle(style);
    f.SetColor(color);
    return f;
}

std::vector<uint8_t> BitmapBytes(const TBitmap& b) {
    return b.Empty() ? std::vector<uint8_t>{} : b.SaveToMemory();
}

void RegisterSkinForm(TClassRegistry& r) {
    using F = TbsSkinForm;
    auto b = r.Register<F>("TbsSkinForm", "TComponent");
    b.Boolean("HideCaptionButtons", &F::HideCaptionButtons, &F::SetHideCaptionButtons, false)
        .Boolean("AlwaysShowInTray", &F::AlwaysShowInTray, &F::SetAlwaysShowInTray, false)
        .Binary(
            "LogoBitMap", [](const F& f) { return BitmapBytes(f.LogoBitMap()); },
            [](F& f, const std::vector<uint8_t>& bytes) {
                TBitmap logo;
                if (!bytes.empty() && !logo.LoadFromMemory(bytes.data(), bytes.size())) return false;
                f.SetLogoBitMap(logo);
                return true;
            })
        .Boolean("LogoBitMapTransparent", &F::LogoBitMapTransparent, &F::SetLogoBitMapTransparent, false)
        .Boolean("AlwaysMinimizeToTray", &F::AlwaysMinimizeToTray, &F::SetAlwaysMinimizeToTray, false)
        .Boolean("UseSkinFontInMenu", &F::UseSkinFontInMenu, &F::SetUseSkinFontInMenu, true)
        .Boolean("ShowIcon", &F::ShowIcon, &F::SetShowIcon, false)
        .Boolean("MaximizeOnFullScreen", &F::MaximizeOnFullScreen, &F::SetMaximizeOnFullScreen, false)
        .Boolean("AlphaBlend", &F::AlphaBlend, &F::SetAlphaBlend, false)
        .Boolean("AlphaBlendAnimation", &F::AlphaBlendAnimation, &F::SetAlphaBlendAnimation, false)
        .Integer("AlphaBlendValue", &F::AlphaBlendValue, &F::SetAlphaBlendValue, 200)
        .Boolean("MenusAlphaBlend", &F::MenusAlphaBlend, &F::SetMenusAlphaBlend, false)
        .Boolean("MenusAlphaBlendAnimation", &F::MenusAlphaBlendAnimation, &F::SetMenusAlphaBlendAnimation,
                 false)
        .Integer("MenusAlphaBlendValue", &F::MenusAlphaBlendValue, &F::SetMenusAlphaBlendValue, 200)
        .Integer("DefMenuItemHeight", &F::DefMenuItemHeight, &F::SetDefMenuItemHeight, 20)
        .Boolean("UseDefaultSysMenu", &F::UseDefaultSysMenu, &F::SetUseDefaultSysMenu, true)
        .Reference<platform::forms::TPopupMenu>("SystemMenu", &F::SystemMenu, &F::SetSystemMenu)
        .Reference<TbsSkinData>("SkinData", &F::SkinData, &F::SetSkinData)
        .Reference<TbsSkinData>("MenusSkinData", &F::MenusSkinData, &F::SetMenusSkinData)
        .Reference<TbsSkinHint>("SkinHint", &F::SkinHint, &F::SetSkinHint)
        .Boolean("ShowObjectHint", &F::ShowObjectHint, &F::SetShowObjectHint, false)
        .Reference<TbsTrayIcon>("TrayIcon", &F::TrayIcon, &F::SetTrayIcon)
        .Integer("MinHeight", &F::MinHeight, &F::SetMinHeight, 0)
        .Integer("MinWidth", &F::MinWidth, &F::SetMinWidth, 0)
        .Boolean("Magnetic", &F::Magnetic, &F::SetMagnetic, false)
        .Integer("MagneticSize", &F::MagneticSize, &F::SetMagneticSize, 5)
        .Set("BorderIcons", kBorderIcons, &F::BorderIcons, &F::SetBorderIcons,
             biSystemMenu | biMinimize | biMaximize | biRollUp)
        .Event("OnChangeSkinData", &F::OnChangeSkinData)
        .Event("OnActivate", &F::OnActivate)
        .Event("OnDeActivate", &F::OnDeActivate)
        .Event("OnChangeRollUpState", &F::OnChangeRollUpState)
        .Event("OnMouseDownEvent", &F::OnMouseDownEvent)
        .Event("OnMouseUpEvent", &F::OnMouseUpEvent)
        .Event("OnMouseMoveEvent", &F::OnMouseMoveEvent)
        .Event("OnMouseEnterEvent", &F::OnMouseEnterEvent)
        .Event("OnMouseLeaveEvent", &F::OnMouseLeaveEvent)
        .Event("OnPaintEvent", &F::OnPaintEvent);
    b.Reference<platform::forms::TComponent>("MDITabsBar", &F::MDITabsBar, &F::SetMDITabsBar);
    AddFont(
        b, "DefCaptionFont", [](const F& f) -> const TFont& { return f.DefCaptionFont(); },
        StartFont(platform::gfx::fsBold, platform::gfx::clBtnText));
    AddFont(
        b, "DefInActiveCaptionFont", [](const F& f) -> const TFont& { return f.DefInActiveCaptionFont(); },
        StartFont(platform::gfx::fsBold, platform::gfx::clBtnShadow));
    AddFont(
        b, "DefMenuItemFont", [](const F& f) -> const TFont& { return f.DefMenuItemFont(); },
        StartFont(0, TFont().Color()));
}

void RegisterSkinMessage(TClassRegistry& r) {
    using M = TbsSkinMessage;
    const TFont plain = StartFont(0, TFont().Color());
    auto b = r.Register<M>("TbsSkinMessage", "TComponent");
    b.Boolean("AlphaBlend", &M::AlphaBlend, &M::SetAlphaBlend, false)
        .Boolean("AlphaBlendAnimation", &M::AlphaBlendAnimation, &M::SetAlphaBlendAnimation, false)
        .Integer("AlphaBlendValue", &M::AlphaBlendValue, &M::SetAlphaBlendValue, 200)
        .Reference<TbsSkinData>("SkinData", &M::SkinData, &M::SetSkinData)
        .Reference<TbsSkinData>("CtrlSkinData", &M::CtrlSkinData, &M::SetCtrlSkinData)
        .String("ButtonSkinDataName", &M::ButtonSkinDataName, &M::SetButtonSkinDataName,
                std::string("button"))
        .String("MessageLabelSkinDataName", &M::MessageLabelSkinDataName, &M::SetMessageLabelSkinDataName,
                std::string("stdlabel"))
        .Boolean("UseSkinFont", &M::UseSkinFont, &M::SetUseSkinFont, true);
    AddFont(
        b, "DefaultFont", [](const M& m) -> const TFont& { return m.DefaultFont(); }, plain);
    AddFont(
        b, "DefaultButtonFont", [](const M& m) -> const TFont& { return m.DefaultButtonFont(); }, plain);
}

}  // namespace

void RegisterSkinFormClasses() {
    RegisterSkinControlClasses();
    TClassRegistry& r = TClassRegistry::Instance();
    if (!r.Find("TbsSkinForm")) RegisterSkinForm(r);
    if (!r.Find("TbsSkinMessage")) RegisterSkinMessage(r);
    RegisterSkinMainMenuClasses();
}

}  // namespace skin
