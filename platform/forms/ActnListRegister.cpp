// Form-resource classes and properties of actions: TActionList, TAction, and the Action
// reference of controls and menu items; the MDI properties of forms.

#include "platform/forms/ActnList.h"
#include "platform/forms/Control.h"
#include "platform/forms/Form.h"
#include "platform/forms/ImageListComponent.h"
#include "platform/forms/PropertyTable.h"

namespace platform::forms {

namespace {

const TEnumInfo kTileMode{{{"tbHorizontal", tbHorizontal}, {"tbVertical", tbVertical}}};

void SetShortCutValue(TAction& a, const TPropValue& v) {
    if (v.Kind == TValueKind::Integer) {
        if (v.Int < 0 || v.Int > 0xFFFF) throw EPropertyError("shortcut out of range");
        a.SetShortCut(static_cast<TShortCut>(v.Int));
        return;
    }
    if (v.Kind != TValueKind::String) throw EPropertyError("a shortcut is a text such as 'Ctrl+S'");
    if (v.Text.empty()) {
        a.SetShortCut(scNone);
        return;
    }
    const TShortCut sc = TextToShortCut(v.Text);
    if (sc == scNone) throw EPropertyError("'" + v.Text + "' is no shortcut");
    a.SetShortCut(sc);
}

}  // namespace

void RegisterActionClasses(TClassRegistry& r) {
    r.Register<TActionList>("TActionList", "TComponent")
        .Reference<TImageListComponent>("Images", &TActionList::Images, &TActionList::SetImages);
    r.Register<TBasicAction>("TBasicAction", "TComponent", false)
        .Event("OnExecute", &TBasicAction::OnExecute)
        .Event("OnUpdate", &TBasicAction::OnUpdate);
    r.Register<TAction>("TAction", "TBasicAction")
        .Reference<TActionList>("ActionList", &TAction::ActionList, &TAction::SetActionList)
        .String("Caption", &TAction::Caption, &TAction::SetCaption)
        .String("Category", &TAction::Category, &TAction::SetCategory)
        .Boolean("Checked", &TAction::Checked, &TAction::SetChecked, false)
        .Boolean("Enabled", &TAction::Enabled, &TAction::SetEnabled, true)
        .Boolean("Visible", &TAction::Visible, &TAction::SetVisible, true)
        .Boolean(
            "AutoCheck", [](const TAction& a) { return a.AutoCheck; }, [](TAction& a, bool v) { a.AutoCheck = v; },
            false)
        .String("Hint", &TAction::Hint, &TAction::SetHint)
        .Integer("ImageIndex", &TAction::ImageIndex, &TAction::SetImageIndex, -1)
        .Custom("ShortCut", &SetShortCutValue,
                [](const TAction& a) { return TPropValue::String(ShortCutToText(a.ShortCut())); },
                TPropValue::String(""));
    // Registering a class again adds properties to it.
    r.Register<TControl>("TControl", "TComponent", false)
        .Reference<TBasicAction>(
            "Action", [](const TControl& c) { return ControlAction(&c); },
            [](TControl& c, TBasicAction* a) { SetControlAction(&c, a); });
    // The MDI main form's window menu, which lists its children.
    r.Register<TForm>("TForm", "TCustomControl")
        .Reference<TMenuItem>("WindowMenu", &TForm::WindowMenu, &TForm::SetWindowMenu)
        .Enum<TTileMode>("TileMode", kTileMode, &TForm::TileMode, &TForm::SetTileMode, tbHorizontal);
    r.Register<TMenuItem>("TMenuItem", "TComponent")
        .Reference<TBasicAction>(
            "Action", [](const TMenuItem& m) { return MenuItemAction(&m); },
            [](TMenuItem& m, TBasicAction* a) { SetMenuItemAction(&m, a); });
}

}  // namespace platform::forms
