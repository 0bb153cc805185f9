#include "skin/controls/bsTrayIconRegister.h"

#include <vector>

#include "platform/forms/PropertyTable.h"
#include "skin/controls/bsSkinHint.h"
#include "skin/controls/bsTrayIcon.h"

namespace skin {

using platform::forms::TClassRegistry;
using platform::gfx::TBitmap;

void RegisterHintAndTrayClasses(TClassRegistry& r) {
    using H = TbsSkinHint;
    r.Register<H>("TbsSkinHint", "TComponent")
        .Reference<TbsSkinData>("SkinData", &H::SkinData, &H::SetSkinData)
        .Boolean("Active", &H::Active, &H::SetActive, true)
        .Boolean("AlphaBlend", &H::AlphaBlend, &H::SetAlphaBlend, false)
        .Integer("AlphaBlendValue", &H::AlphaBlendValue, &H::SetAlphaBlendValue, 200)
        .Boolean("UseSkinFont", &H::UseSkinFont, &H::SetUseSkinFont, true)
        .Event("OnShowHint", &H::OnShowHint);

    using I = TbsTrayIcon;
    r.Register<I>("TbsTrayIcon", "TComponent")
        .Binary(
            "Icon",
            [](const I& i) { return i.Icon().Empty() ? std::vector<uint8_t>{} : i.Icon().SaveToMemory(); },
            [](I& i, const std::vector<uint8_t>& bytes) {
                TBitmap icon;
                if (!bytes.empty() && !icon.LoadFromMemory(bytes.data(), bytes.size())) return false;
                i.SetIcon(icon);
                return true;
            })
        .Boolean("IconVisible", &I::IconVisible, &I::SetIconVisible, true)
        .Reference<platform::forms::TImageListComponent>("IconList", &I::IconList, &I::SetIconList)
        .Integer("IconIndex", &I::IconIndex, &I::SetIconIndex, 0)
        .Boolean("CycleIcons", &I::CycleIcons, &I::SetCycleIcons, false)
        .Integer("AnimateTimerInterval", &I::AnimateTimerInterval, &I::SetAnimateTimerInterval, 1000)
        .Boolean("Enabled", &I::Enabled, &I::SetEnabled, true)
        .String("Hint", &I::Hint, &I::SetHint)
        .Boolean("ShowHint", &I::ShowHint, &I::SetShowHint, true)
        .Reference<platform::forms::TPopupMenu>("PopupMenu", &I::PopupMenu, &I::SetPopupMenu)
        .Boolean("PopupByLeftButton", &I::PopupByLeftButton, &I::SetPopupByLeftButton, false)
        .Boolean("MinimizedOnStart", &I::MinimizedOnStart, &I::SetMinimizedOnStart, false)
        .Boolean("MinimizeToTray", &I::MinimizeToTray, &I::SetMinimizeToTray, true)
        .Boolean("DesignPreview", &I::DesignPreview, &I::SetDesignPreview, false)
        .Event("OnClick", &I::OnClick)
        .Event("OnDblClick", &I::OnDblClick)
        .Event("OnMouseDown", &I::OnMouseDown)
        .Event("OnMouseUp", &I::OnMouseUp)
        .Event("OnMouseMove", &I::OnMouseMove)
        .Event("OnCycle", &I::OnCycle);
}

}  // namespace skin
