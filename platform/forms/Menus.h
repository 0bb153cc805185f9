#pragma once
// The menu model: TMenuItem trees held by a TMainMenu or a TPopupMenu. The skinned menus
// (skin/form) draw and run them; the plain TPopupMenu::Popup only announces itself.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/forms/Component.h"
#include "platform/forms/ControlMessages.h"

namespace platform::forms {

class TMenu;
class TImageListComponent;

// A shortcut: the virtual key in the low byte plus scShift, scCtrl, scAlt.
using TShortCut = uint16_t;
constexpr TShortCut scShift = 0x2000, scCtrl = 0x4000, scAlt = 0x8000, scNone = 0;
[[nodiscard]] TShortCut ShortCut(uint16_t key, TShiftState shift);
void ShortCutToKey(TShortCut shortCut, uint16_t& key, TShiftState& shift);
// "Ctrl+S", "Alt+F4", "Shift+Ctrl+Del", "" for none.
[[nodiscard]] std::string ShortCutToText(TShortCut shortCut);
// The inverse; 0 for text that names no shortcut.
[[nodiscard]] TShortCut TextToShortCut(const std::string& text);

enum TMenuBreak : uint8_t { mbNone, mbBreak, mbBarBreak };

class TMenuItem : public TComponent {
public:
    explicit TMenuItem(TComponent* owner);
    // Frees its sub-items.
    ~TMenuItem() override;

    [[nodiscard]] const std::string& Caption() const { return m_caption; }
    void SetCaption(const std::string& value);
    [[nodiscard]] bool IsLine() const { return m_caption == "-"; }
    [[nodiscard]] TShortCut ShortCut() const { return m_shortCut; }
    void SetShortCut(TShortCut value);
    [[nodiscard]] bool Enabled() const { return m_enabled; }
    void SetEnabled(bool value);
    [[nodiscard]] bool Visible() const { return m_visible; }
    void SetVisible(bool value);
    [[nodiscard]] bool Checked() const { return m_checked; }
    // A checked radio item unchecks the other radio items of its group (same parent and
    // GroupIndex).
    void SetChecked(bool value);
    [[nodiscard]] bool RadioItem() const { return m_radioItem; }
    void SetRadioItem(bool value);
    [[nodiscard]] bool AutoCheck() const { return m_autoCheck; }
    void SetAutoCheck(bool value) { m_autoCheck = value; }
    [[nodiscard]] uint8_t GroupIndex() const { return m_groupIndex; }
    void SetGroupIndex(uint8_t value);
    [[nodiscard]] int ImageIndex() const { return m_imageIndex; }
    void SetImageIndex(int value);
    [[nodiscard]] bool Default() const { return m_default; }
    void SetDefault(bool value);
    [[nodiscard]] const std::string& Hint() const { return m_hint; }
    void SetHint(const std::string& value) { m_hint = value; }
    [[nodiscard]] TMenuBreak Break() const { return m_break; }
    void SetBreak(TMenuBreak value) { m_break = value; }
    [[nodiscard]] int HelpContext() const { return m_helpContext; }
    void SetHelpContext(int value) { m_helpContext = value; }

    // ---- Sub-items ----
    [[nodiscard]] int Count() const { return static_cast<int>(m_items.size()); }
    [[nodiscard]] TMenuItem* Items(int index) const { return m_items.at(static_cast<size_t>(index)); }
    [[nodiscard]] TMenuItem* operator[](int index) const { return Items(index); }
    [[nodiscard]] int IndexOf(const TMenuItem* item) const;
    // Takes the item from its previous parent. std::invalid_argument for an item that is
    // this one or holds this one.
    void Add(TMenuItem* item);
    void Insert(int index, TMenuItem* item);
    // Takes the item out (it is not freed).
    void Remove(TMenuItem* item);
    // Takes out and frees the item at index.
    void Delete(int index);
    // Frees every sub-item.
    void Clear();
    [[nodiscard]] TMenuItem* Parent() const { return m_parent; }
    // The menu component the tree belongs to, or null.
    [[nodiscard]] TMenu* GetParentMenu() const;
    // The first sub-item with this caption (accelerator marks ignored, case-insensitive).
    [[nodiscard]] TMenuItem* Find(const std::string& caption) const;
    // Visible sub-item index, for drawers.
    [[nodiscard]] int VisibleIndex() const;
    [[nodiscard]] int MenuIndex() const { return m_parent ? m_parent->IndexOf(this) : -1; }
    void SetMenuIndex(int index);

    // Fires OnClick (after AutoCheck toggles Checked). Disabled items do nothing.
    virtual void Click();
    TNotifyEvent OnClick;

    [[nodiscard]] bool HasParent() const override { return true; }
    [[nodiscard]] TComponent* GetParentComponent() const override;
    void SetParentComponent(TComponent* parent) override;
    void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) const override;

protected:
    void Changed(bool rebuild);

private:
    friend class TMenu;
    void TurnSiblingsOff();

    std::string m_caption;
    TShortCut m_shortCut = 0;
    bool m_enabled = true;
    bool m_visible = true;
    bool m_checked = false;
    bool m_radioItem = false;
    bool m_autoCheck = false;
    uint8_t m_groupIndex = 0;
    int m_imageIndex = -1;
    bool m_default = false;
    std::string m_hint;
    TMenuBreak m_break = mbNone;
    int m_helpContext = 0;
    std::vector<TMenuItem*> m_items;
    TMenuItem* m_parent = nullptr;
    TMenu* m_menu = nullptr;  // set on the root item of a menu
};

class TMenu : public TComponent {
public:
    explicit TMenu(TComponent* owner);
    ~TMenu() override;

    // The invisible root item whose sub-items are the menu's items.
    [[nodiscard]] TMenuItem* Items() const { return m_items; }
    [[nodiscard]] TImageListComponent* Images() const { return m_images; }
    void SetImages(TImageListComponent* images);
    // The item (at any depth) with this shortcut, or null.
    [[nodiscard]] TMenuItem* FindItem(TShortCut shortCut) const;
    // Clicks the enabled, visible item whose shortcut is the key of a key message
    // (WM_KEYDOWN / WM_SYSKEYDOWN); true when one was found.
    bool IsShortCut(const TMessage& keyMessage);
    // An item of the tree by component name, or null.
    [[nodiscard]] TMenuItem* FindItemByName(std::string_view name) const;

    // Told when an item changes (caption, visibility, sub-items); rebuild: the structure changed.
    std::function<void(TMenu* sender, TMenuItem* source, bool rebuild)> OnChange;

    void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) const override;

protected:
    void Notification(TComponent* component, TOperation operation) override;
    void MenuChanged(TMenuItem* source, bool rebuild);

private:
    friend class TMenuItem;
    TMenuItem* m_items;
    TImageListComponent* m_images = nullptr;
};

class TMainMenu : public TMenu {
public:
    explicit TMainMenu(TComponent* owner) : TMenu(owner) {}
    ~TMainMenu() override;
    bool AutoMerge = false;

    // Merging another main menu (an MDI child's) into this one: the other menu's top-level items
    // replace this menu's items of the same GroupIndex and go between the others in GroupIndex
    // order. The items stay in their menus; MergedItems is what a menu bar shows.
    void Merge(TMainMenu* menu);
    void Unmerge(TMainMenu* menu);
    [[nodiscard]] TMainMenu* MergedMenu() const { return m_merged; }
    [[nodiscard]] std::vector<TMenuItem*> MergedItems() const;

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    TMainMenu* m_merged = nullptr;
};

enum TPopupAlignment : uint8_t { paLeft, paRight, paCenter };

class TPopupMenu : public TMenu {
public:
    explicit TPopupMenu(TComponent* owner) : TMenu(owner) {}

    [[nodiscard]] bool AutoPopup() const { return m_autoPopup; }
    void SetAutoPopup(bool value) { m_autoPopup = value; }
    [[nodiscard]] TPopupAlignment Alignment() const { return m_alignment; }
    void SetAlignment(TPopupAlignment value) { m_alignment = value; }
    // The control whose right click popped the menu up.
    [[nodiscard]] TComponent* PopupComponent() const { return m_popupComponent; }
    void SetPopupComponent(TComponent* component);
    // Shows the menu at a screen point. The plain menu fires OnPopup and shows nothing; the
    // skinned popup menu overrides this.
    virtual void Popup(int x, int y);
    TNotifyEvent OnPopup;

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    bool m_autoPopup = true;
    TPopupAlignment m_alignment = paLeft;
    TComponent* m_popupComponent = nullptr;
};

// The caption without accelerator marks ("&Open" -> "Open", "&&" -> "&").
[[nodiscard]] std::string StripHotkey(const std::string& caption);

}  // namespace platform::forms
