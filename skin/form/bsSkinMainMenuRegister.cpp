// Form resources: the skinned main menu and main menu bar with their published properties.

#include "skin/form/bsSkinMainMenuRegister.h"
#include "platform/forms/PropertyTable.h"
#include "platform/forms/StandardProperties.h"
#include "skin/form/bsSkinForm.h"
#include "skin/form/bsSkinMainMenu.h"

namespace skin {

using platform::forms::TClassRegistry;
using platform::gfx::TFont;

void RegisterSkinMainMenuClasses() {
    TClassRegistry& r = TClassRegistry::Instance();
    if (!r.Find("TbsSkinMainMenu"))
        r.Register<TbsSkinMainMenu>("TbsSkinMainMenu", "TMainMenu")
            .Reference<TbsSkinData>("SkinData", &TbsSkinMainMenu::SkinData, &TbsSkinMainMenu::SetSkinData);
    if (!r.Find("TbsSkinMainMenuBar")) {
        using B = TbsSkinMainMenuBar;
        auto b = r.Register<B>("TbsSkinMainMenuBar", "TbsSkinControl");
        b.Reference<platform::forms::TMainMenu>("MainMenu", &B::MainMenu, &B::SetMainMenu)
            .Reference<TbsSkinForm>("SkinForm", &B::SkinForm, &B::SetSkinForm)
            .Boolean("ScrollMenu", &B::ScrollMenu, &B::SetScrollMenu, true)
            .Boolean("PopupToUp", &B::PopupToUp, &B::SetPopupToUp, false)
            .Boolean("UseSkinFont", &B::UseSkinFont, &B::SetUseSkinFont, true)
            .Integer("DefaultWidth", &B::DefaultWidth, &B::SetDefaultWidth, 0)
            .Integer("DefaultHeight", &B::DefaultHeight, &B::SetDefaultHeight, 22)
            .Event("OnItemMouseEnter", &B::OnItemMouseEnter)
            .Event("OnItemMouseLeave", &B::OnItemMouseLeave);
        TFont start;
        start.SetName("Arial");
        start.SetHeight(14);
        start.SetStyle(0);
        start.SetColor(platform::gfx::clBtnText);
        platform::forms::AddFontProperties(
            b, "DefItemFont", [](const B& bar) -> const TFont& { return bar.DefItemFont(); },
            platform::forms::TFontPropertyOptions<B>{start, {}, false});
    }
    // The skin form is registered by then; registering it again adds the property.
    if (const auto* form = r.Find("TbsSkinForm"); form && !form->FindProperty("MainMenuBar"))
        r.Register<TbsSkinForm>("TbsSkinForm", "TComponent")
            .Reference<TbsSkinMainMenuBar>("MainMenuBar", &TbsSkinForm::MainMenuBar,
                                           &TbsSkinForm::SetMainMenuBar)
            .Event("OnMainMenuEnter", &TbsSkinForm::OnMainMenuEnter)
            .Event("OnMainMenuExit", &TbsSkinForm::OnMainMenuExit);
}

}  // namespace skin
