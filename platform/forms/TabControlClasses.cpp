// The property tables of the tab control, the page control and its sheets.

#include "platform/forms/PageControl.h"
#include "platform/forms/PropertyTable.h"
#include "platform/forms/TabControl.h"

namespace platform::forms {

namespace {

const TEnumInfo kTabPosition{{{"tpTop", tpTop}, {"tpBottom", tpBottom}, {"tpLeft", tpLeft}, {"tpRight", tpRight}}};
const TEnumInfo kTabStyle{{{"tsTabs", tsTabs}, {"tsButtons", tsButtons}, {"tsFlatButtons", tsFlatButtons}}};

}  // namespace

void RegisterTabClasses(TClassRegistry& r) {
    using C = TCustomTabControl;
    // TabPosition before MultiLine: side tabs turn MultiLine on.
    r.Register<C>("TCustomTabControl", "TCustomControl", false)
        .Enum<TTabPosition>("TabPosition", kTabPosition, &C::TabPosition, &C::SetTabPosition, tpTop)
        .Boolean("MultiLine", &C::MultiLine, &C::SetMultiLine, false)
        .Boolean("RaggedRight", &C::RaggedRight, &C::SetRaggedRight, false)
        .Boolean("ScrollOpposite", &C::ScrollOpposite, &C::SetScrollOpposite, false)
        .Integer("TabWidth", &C::TabWidth, &C::SetTabWidth, 0)
        .Integer("TabHeight", &C::TabHeight, &C::SetTabHeight, 0)
        .Boolean("HotTrack", &C::HotTrack, &C::SetHotTrack, false)
        .Boolean("OwnerDraw", &C::OwnerDraw, &C::SetOwnerDraw, false)
        .Enum<TTabStyle>("Style", kTabStyle, &C::Style, &C::SetStyle, tsTabs)
        .Reference<TImageListComponent>("Images", &C::Images, &C::SetImages)
        .Event("OnChange", &C::OnChange)
        .Event("OnChanging", &C::OnChanging)
        .Event("OnDrawTab", &C::OnDrawTab);

    r.Register<TTabControl>("TTabControl", "TCustomTabControl")
        .Strings("Tabs", &TTabControl::Tabs, &TTabControl::SetTabs)
        .Integer("TabIndex", &TTabControl::TabIndex, &TTabControl::SetTabIndex, -1);

    r.Register<TPageControl>("TPageControl", "TCustomTabControl")
        .Reference<TTabSheet>("ActivePage", &TPageControl::ActivePage, &TPageControl::SetActivePage);

    r.Register<TTabSheet>("TTabSheet", "TCustomControl")
        .Integer("ImageIndex", &TTabSheet::ImageIndex, &TTabSheet::SetImageIndex, -1)
        .Boolean("TabVisible", &TTabSheet::TabVisible, &TTabSheet::SetTabVisible, true)
        .Event("OnShow", &TTabSheet::OnShow)
        .Event("OnHide", &TTabSheet::OnHide);
}

}  // namespace platform::forms
