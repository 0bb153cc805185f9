#include "platform/forms/EditClasses.h"

#include "platform/core/Strings.h"
#include "platform/forms/MaskEdit.h"
#include "platform/forms/Memo.h"

namespace platform::forms {

namespace {

const TEnumInfo kEditAlignment{
    {{"taLeftJustify", taLeftJustify}, {"taRightJustify", taRightJustify}, {"taCenter", taCenter}}};
const TEnumInfo kCharCase{
    {{"ecNormal", ecNormal}, {"ecUpperCase", ecUpperCase}, {"ecLowerCase", ecLowerCase}}};
const TEnumInfo kEditBorderStyle{{{"bsNone", bsNone}, {"bsSingle", bsSingle}}};
const TEnumInfo kScrollStyle{
    {{"ssNone", ssNone}, {"ssHorizontal", ssHorizontal}, {"ssVertical", ssVertical}, {"ssBoth", ssBoth}}};

// The password character as text: empty for none.
std::string PasswordText(const TCustomEdit& e) {
    std::string s;
    if (e.PasswordChar() != 0) core::AppendUtf8(s, e.PasswordChar());
    return s;
}
void SetPasswordText(TCustomEdit& e, const std::string& s) {
    const std::u32string cps = core::Utf8ToCodePoints(s);
    e.SetPasswordChar(cps.empty() ? 0 : cps[0]);
}

}  // namespace

void RegisterEditClasses(TClassRegistry& r) {
    if (r.Find("TCustomEdit")) return;
    using E = TCustomEdit;
    r.Register<E>("TCustomEdit", "TCustomControl", false)
        .Enum<TAlignment>("Alignment", kEditAlignment, &E::Alignment, &E::SetAlignment, taLeftJustify)
        .Boolean("AutoSelect", &E::AutoSelect, &E::SetAutoSelect, true)
        .Enum<TBorderStyle>("BorderStyle", kEditBorderStyle, &E::BorderStyle, &E::SetBorderStyle, bsSingle)
        .Enum<TEditCharCase>("CharCase", kCharCase, &E::CharCase, &E::SetCharCase, ecNormal)
        .Boolean("HideSelection", &E::HideSelection, &E::SetHideSelection, true)
        .Integer("MaxLength", &E::MaxLength, &E::SetMaxLength, 0)
        .String("PasswordChar", &PasswordText, &SetPasswordText, std::string())
        .Boolean("ReadOnly", &E::ReadOnly, &E::SetReadOnly, false)
        .Event("OnChange", &E::OnChange);
    r.Register<TEdit>("TEdit", "TCustomEdit");

    using M = TCustomMaskEdit;
    r.Register<M>("TCustomMaskEdit", "TCustomEdit", false)
        .String("EditMask", &M::EditMask, &M::SetEditMask, std::string());
    r.Register<TMaskEdit>("TMaskEdit", "TCustomMaskEdit");

    using Memo = TCustomMemo;
    r.Register<Memo>("TCustomMemo", "TCustomEdit", false)
        .Strings(
            "Lines.Strings", [](const Memo& m) { return m.Lines().ToVector(); },
            [](Memo& m, const std::vector<std::string>& lines) { m.SetLines(lines); })
        .Enum<TScrollStyle>("ScrollBars", kScrollStyle, &Memo::ScrollBars, &Memo::SetScrollBars, ssNone)
        .Boolean("WantReturns", &Memo::WantReturns, &Memo::SetWantReturns, true)
        .Boolean("WantTabs", &Memo::WantTabs, &Memo::SetWantTabs, false)
        .Boolean("WordWrap", &Memo::WordWrap, &Memo::SetWordWrap, true);
    r.Register<TMemo>("TMemo", "TCustomMemo");
}

}  // namespace platform::forms
