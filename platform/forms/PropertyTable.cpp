#include "platform/forms/PropertyTable.h"

#include <algorithm>

#include "platform/core/Strings.h"

namespace platform::forms {

// ---- Values ----

std::optional<int64_t> TEnumInfo::Find(std::string_view name) const {
    for (const auto& [n, v] : Values)
        if (core::SameText(n, name)) return v;
    return std::nullopt;
}

std::string TEnumInfo::NameOf(int64_t value) const {
    for (const auto& [n, v] : Values)
        if (v == value) return n;
    return {};
}

namespace {
struct TColorName {
    const char* Name;
    gfx::TColor Value;
};
const TColorName kColorNames[] = {
    {"clBlack", gfx::clBlack},
    {"clMaroon", gfx::clMaroon},
    {"clGreen", gfx::clGreen},
    {"clOlive", gfx::clOlive},
    {"clNavy", gfx::clNavy},
    {"clPurple", gfx::clPurple},
    {"clTeal", gfx::clTeal},
    {"clGray", gfx::clGray},
    {"clSilver", gfx::clSilver},
    {"clRed", gfx::clRed},
    {"clLime", gfx::clLime},
    {"clYellow", gfx::clYellow},
    {"clBlue", gfx::clBlue},
    {"clFuchsia", gfx::clFuchsia},
    {"clAqua", gfx::clAqua},
    {"clWhite", gfx::clWhite},
    {"clNone", gfx::clNone},
    {"clDefault", gfx::clDefault},
    {"clScrollBar", gfx::clScrollBar},
    {"clBackground", gfx::clBackground},
    {"clActiveCaption", gfx::clActiveCaption},
    {"clInactiveCaption", gfx::clInactiveCaption},
    {"clMenu", gfx::clMenu},
    {"clWindow", gfx::clWindow},
    {"clWindowFrame", gfx::clWindowFrame},
    {"clMenuText", gfx::clMenuText},
    {"clWindowText", gfx::clWindowText},
    {"clCaptionText", gfx::clCaptionText},
    {"clActiveBorder", gfx::clActiveBorder},
    {"clInactiveBorder", gfx::clInactiveBorder},
    {"clAppWorkSpace", gfx::clAppWorkSpace},
    {"clHighlight", gfx::clHighlight},
    {"clHighlightText", gfx::clHighlightText},
    {"clBtnFace", gfx::clBtnFace},
    {"clBtnShadow", gfx::clBtnShadow},
    {"clGrayText", gfx::clGrayText},
    {"clBtnText", gfx::clBtnText},
    {"clInactiveCaptionText", gfx::clInactiveCaptionText},
    {"clBtnHighlight", gfx::clBtnHighlight},
    {"clInfoText", gfx::clInfoText},
    {"clInfoBk", gfx::clInfoBk},
    {"clHotLight", gfx::clHotLight},
    {"clMenuHighlight", gfx::clMenuHighlight},
    {"clMenuBar", gfx::clMenuBar},
};
}  // namespace

std::optional<gfx::TColor> ColorFromIdent(std::string_view name) {
    for (const auto& c : kColorNames)
        if (core::SameText(c.Name, name)) return c.Value;
    return std::nullopt;
}

std::string ColorToIdent(gfx::TColor color) {
    for (const auto& c : kColorNames)
        if (c.Value == color) return c.Name;
    return {};
}

gfx::TColor ColorFromValue(const TPropValue& v) {
    if (v.Kind == TValueKind::Ident) {
        if (auto c = ColorFromIdent(v.Text)) return *c;
        throw EPropertyError("'" + v.Text + "' is no colour");
    }
    if (v.Kind == TValueKind::Integer) {
        if (v.Int < INT32_MIN || v.Int > 0xFFFFFFFFLL) throw EPropertyError("colour value out of range");
        return static_cast<gfx::TColor>(static_cast<uint32_t>(v.Int));
    }
    throw EPropertyError("a colour is a name (clBtnFace) or a number");
}

TPropValue ColorToValue(gfx::TColor color) {
    std::string name = ColorToIdent(color);
    if (!name.empty()) return TPropValue::Ident(name);
    return TPropValue::Integer(static_cast<int64_t>(static_cast<uint32_t>(color)));
}

bool BoolFromValue(const TPropValue& v) {
    if (v.Kind == TValueKind::Ident) {
        if (core::SameText(v.Text, "True")) return true;
        if (core::SameText(v.Text, "False")) return false;
    }
    throw EPropertyError("expected True or False");
}

int64_t IntFromValue(const TPropValue& v) {
    if (v.Kind != TValueKind::Integer) throw EPropertyError("expected a number");
    return v.Int;
}

std::string StringFromValue(const TPropValue& v) {
    if (v.Kind != TValueKind::String) throw EPropertyError("expected a quoted string");
    return v.Text;
}

// ---- Classes ----

const TPropertyInfo* TClassInfo::FindProperty(std::string_view name) const {
    for (const TClassInfo* c = this; c; c = c->Parent)
        for (const auto& p : c->Properties)
            if (core::SameText(p.Name, name)) return &p;
    return nullptr;
}

void TClassInfo::ForEachProperty(const std::function<void(const TPropertyInfo&)>& proc) const {
    std::vector<const TClassInfo*> chain;
    for (const TClassInfo* c = this; c; c = c->Parent) chain.push_back(c);
    for (auto it = chain.rbegin(); it != chain.rend(); ++it)
        for (const auto& p : (*it)->Properties) proc(p);
}

bool TClassInfo::InheritsFrom(std::string_view className) const {
    for (const TClassInfo* c = this; c; c = c->Parent)
        if (core::SameText(c->Name, className)) return true;
    return false;
}

TClassRegistry& TClassRegistry::Instance() {
    static TClassRegistry* registry = [] {
        auto* r = new TClassRegistry();
        RegisterFormsClasses(*r);
        return r;
    }();
    return *registry;
}

TClassInfo& TClassRegistry::Entry(const std::string& name, const std::string& parentName) {
    const std::string key = core::LowerCase(name);
    if (auto it = m_byName.find(key); it != m_byName.end()) return *it->second;
    const TClassInfo* parent = nullptr;
    if (!parentName.empty()) {
        parent = Find(parentName);
        if (!parent) throw std::logic_error("class '" + parentName + "' is not registered");
    }
    auto info = std::make_unique<TClassInfo>();
    info->Name = name;
    info->Parent = parent;
    info->Depth = parent ? parent->Depth + 1 : 0;
    TClassInfo* raw = info.get();
    m_classes.push_back(std::move(info));
    m_byName[key] = raw;
    return *raw;
}

void TClassRegistry::RegisterAlias(const std::string& alias, const std::string& name) {
    const std::string key = core::LowerCase(name);
    auto it = m_byName.find(key);
    if (it == m_byName.end()) throw std::logic_error("class '" + name + "' is not registered");
    m_byName[core::LowerCase(alias)] = it->second;
}

const TClassInfo* TClassRegistry::Find(std::string_view name) const {
    auto it = m_byName.find(core::LowerCase(name));
    return it == m_byName.end() ? nullptr : it->second;
}

const TClassInfo* TClassRegistry::ClassOf(const TComponent& component) const {
    const TClassInfo* best = nullptr;
    for (const auto& c : m_classes)
        if (c->IsInstance && c->IsInstance(&component) && (!best || c->Depth > best->Depth)) best = c.get();
    return best;
}

std::vector<std::string> TClassRegistry::ClassNames() const {
    std::vector<std::string> names;
    for (const auto& c : m_classes) names.push_back(c->Name);
    return names;
}

}  // namespace platform::forms
