#include "skin/form/bsSkinMenus.h"

#include <algorithm>

#include "platform/forms/ActnList.h"
#include "platform/ui/WindowSystem.h"
#include "skin/data/bsUtilsWindow.h"
#include "skin/form/bsSkinMenusWindow.h"

namespace skin {

using platform::forms::opRemove;
using platform::forms::TComponent;
using platform::forms::TControl;
using platform::forms::TForm;
using platform::forms::TMenuItem;
using platform::forms::TOperation;

namespace {

// Visible sub-items of item from firstIndex on, each after its action's update (which may
// change what it shows).
void CollectItems(std::vector<TMenuItem*>& out, const TMenuItem* item, int firstIndex) {
    if (!item) return;
    for (int i = std::max(0, firstIndex); i < item->Count(); ++i) {
        if (platform::forms::TBasicAction* action = platform::forms::MenuItemAction(item->Items(i))) action->Update();
        if (i < item->Count() && item->Items(i)->Visible()) out.push_back(item->Items(i));
    }
}

}  // namespace

TbsSkinMenu::TbsSkinMenu(TComponent* owner) : TComponent(owner) {
    if (auto* form = dynamic_cast<TForm*>(owner))
        SetOwnerForm(form);
    else if (owner)
        if (auto* form2 = dynamic_cast<TForm*>(owner->Owner())) SetOwnerForm(form2);
    DefMenuItemFont.SetName("Arial");
    DefMenuItemFont.SetHeight(14);
    DefMenuItemFont.SetStyle(0);
    m_subMenuDelay = new platform::forms::TTimer(this);
    m_subMenuDelay->SetEnabled(false);
    m_subMenuDelay->SetInterval(500);
    m_subMenuDelay->SetOnTimer([this](TComponent*) { SubMenuDelayTick(); });
}

TbsSkinMenu::~TbsSkinMenu() {
    // The form is going away or the engine is replaced: windows go without notices.
    for (auto& level : m_levels) level->Hide();
    m_levels.clear();
}

void TbsSkinMenu::SetOwnerForm(TForm* form) {
    if (m_ownerForm == form) return;
    if (m_ownerForm && m_ownerForm != Owner()) m_ownerForm->RemoveFreeNotification(this);
    m_ownerForm = form;
    if (m_ownerForm && m_ownerForm != Owner()) m_ownerForm->FreeNotification(this);
}

void TbsSkinMenu::SetNotifyControl(TControl* control) {
    if (m_notifyControl == control) return;
    if (m_notifyControl) m_notifyControl->RemoveFreeNotification(this);
    m_notifyControl = control;
    if (m_notifyControl) m_notifyControl->FreeNotification(this);
}

void TbsSkinMenu::SetSkinDataRef(TbsSkinData* data) {
    if (m_skinData == data) return;
    if (m_skinData) m_skinData->RemoveFreeNotification(this);
    m_skinData = data;
    if (m_skinData) m_skinData->FreeNotification(this);
}

void TbsSkinMenu::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation != opRemove) return;
    if (component == m_notifyControl) m_notifyControl = nullptr;
    if (component == m_ownerForm) m_ownerForm = nullptr;
    if (component == m_skinData) {
        // The pictures the open levels draw go with it.
        m_skinData = nullptr;
        if (m_open) CloseAll();
    }
}

bool TbsSkinMenu::Popup(TControl* notifyControl, TbsSkinData* skinData, bool popupUp, TMenuItem* item,
                        const TRect& anchor, int firstIndex) {
    std::vector<TMenuItem*> items;
    CollectItems(items, item, firstIndex);
    return OpenTopLevel(notifyControl, skinData, popupUp, std::move(items), anchor);
}

bool TbsSkinMenu::Popup2(TControl* notifyControl, TbsSkinData* skinData, bool popupUp, TMenuItem* item,
                         TMenuItem* item2, const TRect& anchor, int firstIndex) {
    std::vector<TMenuItem*> items;
    CollectItems(items, item, firstIndex);
    CollectItems(items, item2, 0);
    return OpenTopLevel(notifyControl, skinData, popupUp, std::move(items), anchor);
}

bool TbsSkinMenu::OpenTopLevel(TControl* notifyControl, TbsSkinData* skinData, bool popupUp,
                               std::vector<TMenuItem*> items, const TRect& anchor) {
    if (m_open) CloseAll();
    const platform::ui::TWindow* formWindow = m_ownerForm ? m_ownerForm->HandleIfAllocated() : nullptr;
    m_workArea = formWindow ? MonitorWorkArea(formWindow, true) : ScreenWorkArea(true);
    SetSkinDataRef(skinData);
    SetNotifyControl(notifyControl);
    if (items.empty()) return false;
    m_open = true;
    auto level = std::make_shared<TbsSkinPopupWindow>(this);
    m_levels.push_back(level);
    level->Show(items, anchor, false, popupUp, true);
    return true;
}

void TbsSkinMenu::OpenSubMenu(TbsSkinPopupWindow* parent, TMenuItem* item, const TRect& anchor) {
    const int index = IndexOfLevel(parent);
    if (index < 0) return;
    CloseLevels(index + 1);
    std::vector<TMenuItem*> items;
    CollectItems(items, item, 0);
    if (items.empty()) return;
    auto level = std::make_shared<TbsSkinPopupWindow>(this);
    m_levels.push_back(level);
    level->Show(items, anchor, true, false, false);
}

void TbsSkinMenu::CloseLevels(int index) {
    if (index <= 0) {
        CloseAll();
        return;
    }
    while (static_cast<int>(m_levels.size()) > index) {
        std::shared_ptr<TbsSkinPopupWindow> level = m_levels.back();
        m_levels.pop_back();
        if (m_pendingItem && m_pendingItem->Window == level.get()) {
            m_pendingItem = nullptr;
            m_subMenuDelay->SetEnabled(false);
        }
        level->Hide();
    }
}

void TbsSkinMenu::CloseDeepest() {
    if (m_levels.empty()) return;
    if (m_levels.size() == 1) {
        CloseAll();
        return;
    }
    CloseLevels(static_cast<int>(m_levels.size()) - 1);
    m_levels.back()->ClearSubOpen();
}

void TbsSkinMenu::CloseAll() {
    m_subMenuDelay->SetEnabled(false);
    m_pendingItem = nullptr;
    std::vector<std::shared_ptr<TbsSkinPopupWindow>> levels;
    levels.swap(m_levels);
    while (!levels.empty()) {
        levels.back()->Hide();
        levels.pop_back();
    }
    if (!m_open) return;
    m_open = false;
    // The receivers may run code that frees this engine.
    const auto alive = WeakRef();
    TControl* notify = m_notifyControl;
    if (m_ownerForm) m_ownerForm->Perform(SkinMenuClosedMessage, 0, 0);
    if (!alive) return;
    if (notify && notify == m_notifyControl) notify->Perform(SkinMenuClosedMessage, 0, 0);
}

TbsSkinPopupWindow* TbsSkinMenu::Level(int index) const {
    if (index < 0 || index >= static_cast<int>(m_levels.size())) return nullptr;
    return m_levels[static_cast<size_t>(index)].get();
}

TbsSkinPopupWindow* TbsSkinMenu::DeepestLevel() const {
    return m_levels.empty() ? nullptr : m_levels.back().get();
}

int TbsSkinMenu::IndexOfLevel(const TbsSkinPopupWindow* window) const {
    for (size_t i = 0; i < m_levels.size(); ++i)
        if (m_levels[i].get() == window) return static_cast<int>(i);
    return -1;
}

bool TbsSkinMenu::KeyDown(uint32_t key) {
    if (m_levels.empty()) return false;
    // The level may be closed by its own key; keep it while it handles the key.
    std::shared_ptr<TbsSkinPopupWindow> level = m_levels.back();
    level->KeyDown(key);
    return true;
}

void TbsSkinMenu::StartSubMenuDelay(TbsSkinMenuItem* item) {
    m_pendingItem = item;
    m_subMenuDelay->SetEnabled(false);
    m_subMenuDelay->SetEnabled(true);
}

void TbsSkinMenu::CancelPending(const TbsSkinMenuItem* item) {
    if (m_pendingItem != item) return;
    m_pendingItem = nullptr;
    m_subMenuDelay->SetEnabled(false);
}

void TbsSkinMenu::SubMenuDelayTick() {
    m_subMenuDelay->SetEnabled(false);
    TbsSkinMenuItem* item = m_pendingItem;
    m_pendingItem = nullptr;
    if (!item) return;
    TbsSkinPopupWindow* window = item->Window;
    if (IndexOfLevel(window) < 0) return;
    for (int i = 0; i < window->ItemCount(); ++i)
        if (&window->Item(i) == item) {
            std::shared_ptr<TbsSkinPopupWindow> keep = window->shared_from_this();
            window->ClickItem(i);
            return;
        }
}

void TbsSkinMenu::RunCommand(TMenuItem* item) {
    m_subMenuDelay->SetEnabled(false);
    TControl* notify = m_notifyControl;
    const auto notifyAlive = TComponent::WeakRefOf(notify);
    CloseAll();
    // The command may free the menu item's tree, the form, or this engine.
    item->Click();
    if (notifyAlive) notify->Perform(MenuDoneMessage, 0, 0);
}

}  // namespace skin
