#include "platform/forms/Menus.h"

#include <algorithm>
#include <stdexcept>

#include "platform/core/Strings.h"
#include "platform/forms/ImageListComponent.h"
#include "platform/forms/Keyboard.h"
#include "platform/ui/WindowSystem.h"

namespace platform::forms {

using namespace platform::ui;

// ---- Shortcuts ----

TShortCut ShortCut(uint16_t key, TShiftState shift) {
    if ((key & 0xFF00) != 0) return 0;
    TShortCut sc = key;
    if (shift & ssShift) sc |= scShift;
    if (shift & ssCtrl) sc |= scCtrl;
    if (shift & ssAlt) sc |= scAlt;
    return sc;
}

void ShortCutToKey(TShortCut shortCut, uint16_t& key, TShiftState& shift) {
    key = shortCut & 0xFF;
    shift = 0;
    if (shortCut & scShift) shift |= ssShift;
    if (shortCut & scCtrl) shift |= ssCtrl;
    if (shortCut & scAlt) shift |= ssAlt;
}

namespace {
struct TKeyName {
    uint16_t Key;
    const char* Name;
};
constexpr TKeyName kKeyNames[] = {
    {VK_BACK, "BkSp"},  {VK_TAB, "Tab"},     {VK_ESCAPE, "Esc"}, {VK_RETURN, "Enter"}, {VK_SPACE, "Space"},
    {VK_PRIOR, "PgUp"}, {VK_NEXT, "PgDn"},   {VK_END, "End"},    {VK_HOME, "Home"},    {VK_LEFT, "Left"},
    {VK_UP, "Up"},      {VK_RIGHT, "Right"}, {VK_DOWN, "Down"},  {VK_INSERT, "Ins"},   {VK_DELETE, "Del"},
};

std::string KeyName(uint16_t key) {
    if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9'))
        return std::string(1, static_cast<char>(key));
    if (key >= VK_F1 && key <= VK_F12) return "F" + std::to_string(key - VK_F1 + 1);
    if (key >= VK_NUMPAD0 && key <= VK_NUMPAD9) return "Num " + std::to_string(key - VK_NUMPAD0);
    for (const auto& k : kKeyNames)
        if (k.Key == key) return k.Name;
    return {};
}
}  // namespace

std::string ShortCutToText(TShortCut shortCut) {
    const std::string name = KeyName(shortCut & 0xFF);
    if (name.empty()) return {};
    std::string text;
    if (shortCut & scShift) text += "Shift+";
    if (shortCut & scCtrl) text += "Ctrl+";
    if (shortCut & scAlt) text += "Alt+";
    return text + name;
}

TShortCut TextToShortCut(const std::string& text) {
    std::string rest = text;
    TShortCut mods = 0;
    for (;;) {
        auto take = [&](const char* prefix, TShortCut bit) {
            const size_t n = std::char_traits<char>::length(prefix);
            if (rest.size() > n && core::SameText(rest.substr(0, n), prefix)) {
                rest = rest.substr(n);
                mods |= bit;
                return true;
            }
            return false;
        };
        if (!take("Shift+", scShift) && !take("Ctrl+", scCtrl) && !take("Alt+", scAlt)) break;
    }
    for (uint16_t key = 1; key < 256; ++key) {
        const std::string name = KeyName(key);
        if (!name.empty() && core::SameText(name, rest)) return static_cast<TShortCut>(key | mods);
    }
    return 0;
}

std::string StripHotkey(const std::string& caption) {
    std::string out;
    for (size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&') {
            if (i + 1 < caption.size() && caption[i + 1] == '&') {
                out += '&';
                ++i;
            }
            continue;
        }
        out += caption[i];
    }
    return out;
}

// ---- TMenuItem ----

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner) {}

TMenuItem::~TMenuItem() {
    Destroying();
    while (!m_items.empty()) {
        TMenuItem* item = m_items.back();
        m_items.pop_back();
        item->m_parent = nullptr;
        delete item;
    }
    if (m_parent) {
        auto& list = m_parent->m_items;
        list.erase(std::remove(list.begin(), list.end(), this), list.end());
        if (!m_parent->IsDestroying()) m_parent->Changed(true);
        m_parent = nullptr;
    }
}

void TMenuItem::Changed(bool rebuild) {
    if (TMenu* menu = GetParentMenu(); menu && !menu->IsDestroying()) menu->MenuChanged(this, rebuild);
}

void TMenuItem::SetCaption(const std::string& value) {
    if (value == m_caption) return;
    m_caption = value;
    Changed(false);
}

void TMenuItem::SetShortCut(TShortCut value) {
    if (value == m_shortCut) return;
    m_shortCut = value;
    Changed(false);
}

void TMenuItem::SetEnabled(bool value) {
    if (value == m_enabled) return;
    m_enabled = value;
    Changed(false);
}

void TMenuItem::SetVisible(bool value) {
    if (value == m_visible) return;
    m_visible = value;
    Changed(true);
}

void TMenuItem::TurnSiblingsOff() {
    if (!m_parent) return;
    for (TMenuItem* item : m_parent->m_items)
        if (item != this && item->m_radioItem && item->m_groupIndex == m_groupIndex && item->m_checked) {
            item->m_checked = false;
            item->Changed(false);
        }
}

void TMenuItem::SetChecked(bool value) {
    if (value == m_checked) return;
    m_checked = value;
    if (value && m_radioItem) TurnSiblingsOff();
    Changed(false);
}

void TMenuItem::SetRadioItem(bool value) {
    if (value == m_radioItem) return;
    m_radioItem = value;
    if (m_checked && value) TurnSiblingsOff();
    Changed(false);
}

void TMenuItem::SetGroupIndex(uint8_t value) {
    if (value == m_groupIndex) return;
    m_groupIndex = value;
    if (m_checked && m_radioItem) TurnSiblingsOff();
}

void TMenuItem::SetImageIndex(int value) {
    if (value == m_imageIndex) return;
    m_imageIndex = value;
    Changed(false);
}

void TMenuItem::SetDefault(bool value) {
    if (value == m_default) return;
    if (value && m_parent)
        for (TMenuItem* item : m_parent->m_items) item->m_default = false;
    m_default = value;
    Changed(false);
}

int TMenuItem::IndexOf(const TMenuItem* item) const {
    auto it = std::find(m_items.begin(), m_items.end(), item);
    return it == m_items.end() ? -1 : static_cast<int>(it - m_items.begin());
}

void TMenuItem::Add(TMenuItem* item) {
    Insert(Count(), item);
}

void TMenuItem::Insert(int index, TMenuItem* item) {
    if (!item) return;
    for (const TMenuItem* p = this; p; p = p->m_parent)
        if (p == item) throw std::invalid_argument("a menu item cannot hold itself");
    if (item->m_parent) item->m_parent->Remove(item);
    index = std::clamp(index, 0, Count());
    m_items.insert(m_items.begin() + index, item);
    item->m_parent = this;
    if (item->m_checked && item->m_radioItem) item->TurnSiblingsOff();
    Changed(true);
}

void TMenuItem::Remove(TMenuItem* item) {
    auto it = std::find(m_items.begin(), m_items.end(), item);
    if (it == m_items.end()) return;
    m_items.erase(it);
    item->m_parent = nullptr;
    Changed(true);
}

void TMenuItem::Delete(int index) {
    if (index < 0 || index >= Count()) throw std::out_of_range("menu item index out of range");
    TMenuItem* item = m_items[static_cast<size_t>(index)];
    Remove(item);
    delete item;
}

void TMenuItem::Clear() {
    while (!m_items.empty()) Delete(Count() - 1);
}

TMenu* TMenuItem::GetParentMenu() const {
    const TMenuItem* item = this;
    while (item->m_parent) item = item->m_parent;
    return item->m_menu;
}

TMenuItem* TMenuItem::Find(const std::string& caption) const {
    const std::string wanted = StripHotkey(caption);
    for (TMenuItem* item : m_items)
        if (core::SameText(StripHotkey(item->m_caption), wanted)) return item;
    return nullptr;
}

int TMenuItem::VisibleIndex() const {
    if (!m_parent) return -1;
    int index = 0;
    for (TMenuItem* item : m_parent->m_items) {
        if (item == this) return m_visible ? index : -1;
        if (item->m_visible) ++index;
    }
    return -1;
}

void TMenuItem::SetMenuIndex(int index) {
    TMenuItem* parent = m_parent;
    if (!parent) return;
    parent->Remove(this);
    parent->Insert(index, this);
}

void TMenuItem::Click() {
    if (!m_enabled) return;
    if (m_autoCheck) SetChecked(!m_checked);
    if (OnClick) OnClick(this);
}

TComponent* TMenuItem::GetParentComponent() const {
    if (m_parent && m_parent->m_menu) return m_parent->m_menu;
    return m_parent;
}

void TMenuItem::SetParentComponent(TComponent* parent) {
    if (auto* menu = dynamic_cast<TMenu*>(parent))
        menu->Items()->Add(this);
    else if (auto* item = dynamic_cast<TMenuItem*>(parent))
        item->Add(this);
}

void TMenuItem::GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) const {
    for (TMenuItem* item : m_items)
        if (item->Owner() == root) proc(item);
}

// ---- TMenu ----

TMenu::TMenu(TComponent* owner) : TComponent(owner), m_items(new TMenuItem(this)) {
    m_items->m_menu = this;
}

TMenu::~TMenu() {
    Destroying();
    if (m_images) m_images->RemoveFreeNotification(this);
}

void TMenu::SetImages(TImageListComponent* images) {
    if (images == m_images) return;
    if (m_images) m_images->RemoveFreeNotification(this);
    m_images = images;
    if (images) images->FreeNotification(this);
    MenuChanged(nullptr, false);
}

void TMenu::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == opRemove && component == m_images) {
        m_images = nullptr;
        MenuChanged(nullptr, false);
    }
}

void TMenu::MenuChanged(TMenuItem* source, bool rebuild) {
    if (OnChange && !IsLoading()) OnChange(this, source, rebuild);
}

namespace {
TMenuItem* FindByShortCut(TMenuItem* parent, TShortCut sc) {
    for (int i = 0; i < parent->Count(); ++i) {
        TMenuItem* item = parent->Items(i);
        if (!item->Visible()) continue;
        if (item->ShortCut() == sc && item->Enabled()) return item;
        if (TMenuItem* sub = FindByShortCut(item, sc)) return sub;
    }
    return nullptr;
}

TMenuItem* FindByName(TMenuItem* parent, std::string_view name) {
    for (int i = 0; i < parent->Count(); ++i) {
        TMenuItem* item = parent->Items(i);
        if (core::SameText(item->Name(), name)) return item;
        if (TMenuItem* sub = FindByName(item, name)) return sub;
    }
    return nullptr;
}
}  // namespace

TMenuItem* TMenu::FindItem(TShortCut shortCut) const {
    if (shortCut == 0) return nullptr;
    return FindByShortCut(m_items, shortCut);
}

TMenuItem* TMenu::FindItemByName(std::string_view name) const {
    return FindByName(m_items, name);
}

bool TMenu::IsShortCut(const TMessage& keyMessage) {
    TShiftState shift = KeyboardShiftState() & (ssShift | ssCtrl | ssAlt);
    if (keyMessage.Msg == WM_SYSKEYDOWN || (static_cast<uint32_t>(keyMessage.LParam) & KF_ALTDOWN))
        shift |= ssAlt;
    const TShortCut sc = ShortCut(static_cast<uint16_t>(keyMessage.WParam), shift);
    TMenuItem* item = FindItem(sc);
    if (!item) return false;
    item->Click();
    return true;
}

void TMenu::GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) const {
    m_items->GetChildren(proc, root);
}

// ---- TPopupMenu ----

void TPopupMenu::SetPopupComponent(TComponent* component) {
    if (component == m_popupComponent) return;
    if (m_popupComponent) m_popupComponent->RemoveFreeNotification(this);
    m_popupComponent = component;
    if (component) component->FreeNotification(this);
}

void TPopupMenu::Notification(TComponent* component, TOperation operation) {
    TMenu::Notification(component, operation);
    if (operation == opRemove && component == m_popupComponent) m_popupComponent = nullptr;
}

void TPopupMenu::Popup(int /*x*/, int /*y*/) {
    if (OnPopup) OnPopup(this);
}

// ---- Merging main menus ----

TMainMenu::~TMainMenu() {
    if (m_merged) m_merged->RemoveFreeNotification(this);
}

void TMainMenu::Merge(TMainMenu* menu) {
    if (menu == this || menu == m_merged) return;
    if (m_merged) m_merged->RemoveFreeNotification(this);
    m_merged = menu;
    if (menu) menu->FreeNotification(this);
    MenuChanged(nullptr, true);
}

void TMainMenu::Unmerge(TMainMenu* menu) {
    if (!menu || menu != m_merged) return;
    m_merged->RemoveFreeNotification(this);
    m_merged = nullptr;
    MenuChanged(nullptr, true);
}

std::vector<TMenuItem*> TMainMenu::MergedItems() const {
    std::vector<TMenuItem*> items;
    std::vector<uint8_t> replaced;
    if (m_merged)
        for (int i = 0; i < m_merged->Items()->Count(); ++i) replaced.push_back(m_merged->Items()->Items(i)->GroupIndex());
    auto isReplaced = [&](uint8_t group) { return std::find(replaced.begin(), replaced.end(), group) != replaced.end(); };
    for (int i = 0; i < Items()->Count(); ++i)
        if (TMenuItem* item = Items()->Items(i); !isReplaced(item->GroupIndex())) items.push_back(item);
    if (!m_merged) return items;
    // Each merged item goes after the last item whose GroupIndex is not above its own.
    for (int i = 0; i < m_merged->Items()->Count(); ++i) {
        TMenuItem* item = m_merged->Items()->Items(i);
        auto at = std::find_if(items.begin(), items.end(),
                               [&](const TMenuItem* other) { return other->GroupIndex() > item->GroupIndex(); });
        items.insert(at, item);
    }
    return items;
}

void TMainMenu::Notification(TComponent* component, TOperation operation) {
    TMenu::Notification(component, operation);
    if (operation == opRemove && component == m_merged) {
        m_merged = nullptr;
        MenuChanged(nullptr, true);
    }
}

}  // namespace platform::forms
