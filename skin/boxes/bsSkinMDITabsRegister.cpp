// The published properties of the MDI tabs bar.

#include "platform/forms/PropertyTable.h"
#include "platform/forms/StandardProperties.h"
#include "skin/boxes/bsSkinMDITabs.h"

namespace skin {

using platform::forms::TClassRegistry;
using platform::gfx::TFont;

void RegisterSkinMDITabsBarClass() {
    auto& r = TClassRegistry::Instance();
    if (r.Find("TbsSkinMDITabsBar")) return;
    using B = TbsSkinMDITabsBar;
    auto b = r.Register<B>("TbsSkinMDITabsBar", "TbsSkinControl");
    b.String("SkinDataName", &B::SkinDataName, &B::SetSkinDataName, std::string("tab"))
        .Integer("DefaultHeight", &B::DefaultHeight, &B::SetDefaultHeight, 21)
        .Integer("DefaultTabWidth", &B::DefaultTabWidth, &B::SetDefaultTabWidth, 100)
        .Event("OnTabMouseEnter", &B::OnTabMouseEnter)
        .Event("OnTabMouseLeave", &B::OnTabMouseLeave)
        .Event("OnTabMouseDown", &B::OnTabMouseDown)
        .Event("OnTabMouseUp", &B::OnTabMouseUp);
    TFont start;
    start.SetName("Arial");
    start.SetHeight(14);
    start.SetColor(platform::gfx::clBtnText);
    platform::forms::AddFontProperties(
        b, "DefaultFont", [](const B& c) -> const TFont& { return c.DefaultFont(); },
        platform::forms::TFontPropertyOptions<B>{start, {}, false});
}

}  // namespace skin
