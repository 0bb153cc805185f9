#include "platform/forms/Component.h"

#include <algorithm>
#include <stdexcept>

#include "platform/core/Strings.h"
#include "platform/forms/PropertyTable.h"

namespace platform::forms {

bool IsValidIdent(std::string_view name) {
    if (name.empty()) return false;
    auto alpha = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'; };
    if (!alpha(name[0])) return false;
    return std::all_of(name.begin() + 1, name.end(),
                       [&](char c) { return alpha(c) || (c >= '0' && c <= '9'); });
}

std::string TComponent::Key(std::string_view name) {
    return core::LowerCase(name);
}

TComponent::TComponent(TComponent* owner) {
    if (owner) owner->InsertComponent(this);
}

TComponent::~TComponent() {
    EndWeakRefs();
    Destroying();
    // Tell everyone who asked; each forgets this component.
    while (!m_freeNotifies.empty()) {
        TComponent* other = m_freeNotifies.back();
        m_freeNotifies.pop_back();
        auto& theirs = other->m_freeNotifies;
        theirs.erase(std::remove(theirs.begin(), theirs.end(), this), theirs.end());
        other->Notification(this, opRemove);
    }
    DestroyComponents();
    if (m_owner) m_owner->RemoveComponent(this);
}

std::string TComponent::ClassName() const {
    const TClassInfo* info = TClassRegistry::Instance().ClassOf(*this);
    return info ? info->Name : "TComponent";
}

void TComponent::SetName(const std::string& name) {
    if (name == m_name) return;
    if (!name.empty()) {
        if (!IsValidIdent(name)) throw std::invalid_argument("'" + name + "' is not a valid component name");
        if (m_owner) {
            TComponent* other = m_owner->FindComponent(name);
            if (other && other != this)
                throw std::invalid_argument("a component named '" + name + "' already exists");
        }
    }
    if (m_owner) m_owner->ClearPublishedFieldFor(this);
    m_name = name;
    if (m_owner && !m_name.empty()) m_owner->SetPublishedField(m_name, this);
}

int TComponent::ComponentIndex() const {
    if (!m_owner) return -1;
    const auto& list = m_owner->m_components;
    auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

TComponent* TComponent::FindComponent(std::string_view name) const {
    if (name.empty()) return nullptr;
    for (TComponent* c : m_components)
        if (core::SameText(c->m_name, name)) return c;
    return nullptr;
}

void TComponent::InsertComponent(TComponent* component) {
    if (!component || component->m_owner == this) return;
    if (!component->m_name.empty()) {
        TComponent* other = FindComponent(component->m_name);
        if (other)
            throw std::invalid_argument("a component named '" + component->m_name + "' already exists");
    }
    if (component->m_owner) component->m_owner->RemoveComponent(component);
    Insert(component);
    if (!component->m_name.empty()) SetPublishedField(component->m_name, component);
    Notification(component, opInsert);
}

void TComponent::RemoveComponent(TComponent* component) {
    if (!component || component->m_owner != this) return;
    ClearPublishedFieldFor(component);
    Remove(component);
    Notification(component, opRemove);
}

void TComponent::Insert(TComponent* component) {
    m_components.push_back(component);
    component->m_owner = this;
}

void TComponent::Remove(TComponent* component) {
    m_components.erase(std::remove(m_components.begin(), m_components.end(), component), m_components.end());
    component->m_owner = nullptr;
}

void TComponent::DestroyComponents() {
    while (!m_components.empty()) {
        TComponent* instance = m_components.back();
        ClearPublishedFieldFor(instance);
        Remove(instance);
        // The siblings are told while the instance is still whole.
        NotifyOwnedOf(instance, opRemove);
        delete instance;
    }
}

void TComponent::NotifyOwnedOf(TComponent* component, TOperation operation) {
    // A copy: handlers may free components.
    std::vector<TComponent*> owned = m_components;
    for (TComponent* c : owned) {
        if (c == component) continue;
        if (std::find(m_components.begin(), m_components.end(), c) == m_components.end()) continue;
        c->Notification(component, operation);
    }
}

void TComponent::Destroying() {
    if (m_state & csDestroying) return;
    m_state |= csDestroying;
    for (TComponent* c : m_components) c->Destroying();
}

void TComponent::FreeNotification(TComponent* component) {
    if (!component || component == this) return;
    if (std::find(m_freeNotifies.begin(), m_freeNotifies.end(), component) == m_freeNotifies.end())
        m_freeNotifies.push_back(component);
    auto& theirs = component->m_freeNotifies;
    if (std::find(theirs.begin(), theirs.end(), this) == theirs.end()) theirs.push_back(this);
    m_state |= csFreeNotification;
}

void TComponent::RemoveFreeNotification(TComponent* component) {
    if (!component) return;
    m_freeNotifies.erase(std::remove(m_freeNotifies.begin(), m_freeNotifies.end(), component),
                         m_freeNotifies.end());
    auto& theirs = component->m_freeNotifies;
    theirs.erase(std::remove(theirs.begin(), theirs.end(), this), theirs.end());
}

void TComponent::Notification(TComponent* component, TOperation operation) {
    if (operation == opRemove && component) RemoveFreeNotification(component);
    NotifyOwnedOf(component, operation);
}

void TComponent::Loaded() {
    m_state &= ~csLoading;
}

void TComponent::ReadState() {
    m_state |= csReading;
}

void TComponent::SetParentComponent(TComponent* /*parent*/) {}

void TComponent::GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) const {
    // A root writes the components it owns that have no parent object of their own.
    if (root != this) return;
    for (TComponent* c : m_components)
        if (!c->HasParent() || !c->GetParentComponent()) proc(c);
}

bool TComponent::SetPublishedField(const std::string& name, TComponent* component) {
    auto it = m_fields.find(Key(name));
    if (it == m_fields.end()) return true;
    return it->second.Set(component);
}

bool TComponent::HasPublishedField(const std::string& name) const {
    return m_fields.count(Key(name)) != 0;
}

void TComponent::ClearPublishedFieldFor(TComponent* component) {
    for (auto& [key, field] : m_fields)
        if (field.Get() == component) field.Set(nullptr);
}

const std::any* TComponent::FindMethod(const std::string& name) const {
    auto it = m_methods.find(Key(name));
    return it == m_methods.end() ? nullptr : &it->second.Value;
}

std::string TComponent::MethodName(const std::string& name) const {
    auto it = m_methods.find(Key(name));
    return it == m_methods.end() ? std::string() : it->second.Name;
}

void TComponent::SetBoundEvent(const std::string& property, const std::string& method) {
    if (method.empty())
        m_boundEvents.erase(property);
    else
        m_boundEvents[property] = method;
}

void CallLoaded(TComponent& component) {
    component.Loaded();
}
void CallNotification(TComponent& target, TComponent* component, TOperation operation) {
    target.Notification(component, operation);
}

}  // namespace platform::forms
