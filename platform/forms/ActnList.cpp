#include "platform/forms/ActnList.h"

#include <algorithm>
#include <map>

#include "platform/forms/Control.h"
#include "platform/forms/Form.h"
#include "platform/forms/ImageListComponent.h"
#include "platform/forms/Keyboard.h"
#include "platform/forms/Screen.h"

namespace platform::forms {

using namespace platform::ui;

namespace {

// Every client's link (at most one per control or menu item).
std::map<const TComponent*, TActionLink*>& Links() {
    static std::map<const TComponent*, TActionLink*> links;
    return links;
}

std::map<int, TControlActionHook>& Hooks() {
    static std::map<int, TControlActionHook> hooks;
    return hooks;
}

class TControlActionLink : public TActionLink {
public:
    TControlActionLink(TBasicAction* action, TControl* control) : TActionLink(action, control), m_control(control) {
        if (!control->OnClick) {
            control->OnClick = [this](TComponent*) { Execute(); };
            m_ownsClick = true;
        }
        ActionChanged();
    }
    ~TControlActionLink() override {
        if (m_client && m_ownsClick) m_control->OnClick = nullptr;
    }
    void ActionChanged() override {
        TAction* a = AsAction();
        if (!a || !m_client) return;
        m_control->SetCaption(a->Caption());
        m_control->SetEnabled(a->Enabled());
        m_control->SetVisible(a->Visible());
        m_control->SetHint(a->Hint());
        const auto alive = m_control->WeakRef();
        for (const auto& [id, hook] : std::map<int, TControlActionHook>(Hooks())) {
            if (!alive) return;
            hook(*m_control, *a);
        }
    }

private:
    TControl* m_control;
    bool m_ownsClick = false;
};

class TMenuActionLink : public TActionLink {
public:
    TMenuActionLink(TBasicAction* action, TMenuItem* item) : TActionLink(action, item), m_item(item) {
        if (!item->OnClick) {
            item->OnClick = [this](TComponent*) { Execute(); };
            m_ownsClick = true;
        }
        ActionChanged();
    }
    ~TMenuActionLink() override {
        if (m_client && m_ownsClick) m_item->OnClick = nullptr;
    }
    void ActionChanged() override {
        TAction* a = AsAction();
        if (!a || !m_client) return;
        m_item->SetCaption(a->Caption());
        m_item->SetEnabled(a->Enabled());
        m_item->SetChecked(a->Checked());
        m_item->SetVisible(a->Visible());
        m_item->SetHint(a->Hint());
        m_item->SetImageIndex(a->ImageIndex());
        m_item->SetShortCut(a->ShortCut());
    }

private:
    TMenuItem* m_item;
    bool m_ownsClick = false;
};

template <class TLink, class TClient>
void Link(TClient* client, TBasicAction* action) {
    if (!client) return;
    auto& links = Links();
    if (auto it = links.find(client); it != links.end()) {
        if (it->second->Action() == action) return;
        delete it->second;  // its destructor unregisters it
    }
    if (action) links[client] = new TLink(action, client);
}

TBasicAction* LinkedAction(const TComponent* client) {
    auto it = Links().find(client);
    return it == Links().end() ? nullptr : it->second->Action();
}

}  // namespace

// ---- TBasicAction ----

TBasicAction::~TBasicAction() {
    // Links end with the action, while its list of them still exists: each link's destructor
    // takes itself out of the list and out of both ends' notifications.
    while (!m_links.empty()) delete m_links.back();
}

bool TBasicAction::Execute() {
    if (!OnExecute) return false;
    OnExecute(this);
    return true;
}

bool TBasicAction::Update() {
    if (!OnUpdate) return false;
    OnUpdate(this);
    return true;
}

void TBasicAction::Change() {
    for (TActionLink* link : std::vector<TActionLink*>(m_links)) link->ActionChanged();
}

// ---- TAction ----

TAction::~TAction() {
    SetActionList(nullptr);
}

void TAction::SetActionList(TActionList* list) {
    if (list == m_actionList) return;
    if (m_actionList) std::erase(m_actionList->m_actions, this);
    m_actionList = list;
    if (list) list->m_actions.push_back(this);
}

void TAction::SetCaption(const std::string& value) {
    Set(m_caption, value);
}
void TAction::SetEnabled(bool value) {
    Set(m_enabled, value);
}
void TAction::SetChecked(bool value) {
    Set(m_checked, value);
}
void TAction::SetVisible(bool value) {
    Set(m_visible, value);
}
void TAction::SetHint(const std::string& value) {
    Set(m_hint, value);
}
void TAction::SetImageIndex(int value) {
    Set(m_imageIndex, value);
}
void TAction::SetShortCut(TShortCut value) {
    Set(m_shortCut, value);
}

bool TAction::Execute() {
    if (!m_enabled) return false;
    const auto alive = WeakRef();
    if (m_actionList && m_actionList->OnExecute) {
        bool handled = false;
        m_actionList->OnExecute(this, handled);
        if (handled || !alive) return true;
    }
    if (AutoCheck) SetChecked(!m_checked);
    return TBasicAction::Execute();
}

bool TAction::Update() {
    if (m_actionList && m_actionList->OnUpdate) {
        bool handled = false;
        m_actionList->OnUpdate(this, handled);
        if (handled) return true;
    }
    return TBasicAction::Update();
}

// ---- TActionList ----

TActionList::TActionList(TComponent* owner) : TComponent(owner) {}

TActionList::~TActionList() {
    Destroying();
    for (TAction* action : std::vector<TAction*>(m_actions)) action->m_actionList = nullptr;
    m_actions.clear();
    if (m_images) m_images->RemoveFreeNotification(this);
}

void TActionList::SetImages(TImageListComponent* images) {
    if (images == m_images) return;
    if (m_images) m_images->RemoveFreeNotification(this);
    m_images = images;
    if (images) images->FreeNotification(this);
}

void TActionList::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == opRemove && component == m_images) m_images = nullptr;
}

void TActionList::UpdateActions() {
    const auto alive = WeakRef();
    for (TAction* action : std::vector<TAction*>(m_actions)) {
        if (!alive) return;
        if (std::find(m_actions.begin(), m_actions.end(), action) != m_actions.end()) action->Update();
    }
}

bool TActionList::IsShortCut(const TMessage& keyMessage) {
    if (keyMessage.Msg != WM_KEYDOWN && keyMessage.Msg != WM_SYSKEYDOWN) return false;
    const TShortCut sc = ShortCut(static_cast<uint16_t>(keyMessage.WParam), KeyboardShiftState());
    for (TAction* action : m_actions)
        if (action->ShortCut() == sc && sc != scNone && action->Enabled() && action->Visible()) {
            action->Execute();
            return true;
        }
    return false;
}

// ---- TActionLink ----

TActionLink::TActionLink(TBasicAction* action, TComponent* client)
    : TComponent(nullptr), m_action(action), m_client(client) {
    action->m_links.push_back(this);
    action->FreeNotification(this);
    client->FreeNotification(this);
}

TActionLink::~TActionLink() {
    Destroying();
    if (auto it = Links().find(m_client); it != Links().end() && it->second == this) Links().erase(it);
    if (m_action) {
        std::erase(m_action->m_links, this);
        m_action->RemoveFreeNotification(this);
    }
    if (m_client) m_client->RemoveFreeNotification(this);
}

bool TActionLink::Execute() {
    return m_action && m_action->Execute();
}

void TActionLink::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation != opRemove || (component != m_action && component != m_client)) return;
    // Either end going ends the link; a dying client is not touched any more.
    if (component == m_client) {
        Links().erase(m_client);
        m_client = nullptr;
    } else {
        std::erase(m_action->m_links, this);
        m_action = nullptr;
    }
    delete this;
}

// ---- Clients ----

int AddControlActionHook(TControlActionHook hook) {
    static int next = 0;
    Hooks()[++next] = std::move(hook);
    return next;
}

void RemoveControlActionHook(int id) {
    Hooks().erase(id);
}

void SetControlAction(TControl* control, TBasicAction* action) {
    Link<TControlActionLink>(control, action);
}

TBasicAction* ControlAction(const TControl* control) {
    return LinkedAction(control);
}

void SetMenuItemAction(TMenuItem* item, TBasicAction* action) {
    Link<TMenuActionLink>(item, action);
}

TBasicAction* MenuItemAction(const TMenuItem* item) {
    return LinkedAction(item);
}

bool IsActionShortCut(const TComponent& form, const TMessage& keyMessage) {
    for (int k = 0; k < form.ComponentCount(); ++k)
        if (auto* list = dynamic_cast<TActionList*>(form.Components(k)); list && list->IsShortCut(keyMessage))
            return true;
    return false;
}

void UpdateActions() {
    if (!Screen) return;
    for (int i = 0; i < Screen->FormCount(); ++i) {
        TForm* form = Screen->Forms(i);
        if (!form->Visible()) continue;
        for (int k = 0; k < form->ComponentCount(); ++k)
            if (auto* list = dynamic_cast<TActionList*>(form->Components(k))) list->UpdateActions();
    }
}

}  // namespace platform::forms
