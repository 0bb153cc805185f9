#pragma once
// Actions: a command with its caption, enabled and checked state, visibility, hint, image and
// shortcut, kept in one place (TAction, collected by a TActionList) and shown by every control
// and menu item linked to it. A linked client takes the action's properties whenever they
// change, and its click runs the action's OnExecute. OnUpdate runs while the program is idle
// (UpdateActions), so an action can follow the program's state.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/forms/Component.h"
#include "platform/forms/Menus.h"

namespace platform::forms {

class TActionLink;
class TActionList;
class TClassRegistry;
class TControl;
class TImageListComponent;

class TBasicAction : public TComponent {
public:
    explicit TBasicAction(TComponent* owner) : TComponent(owner) {}
    ~TBasicAction() override;

    // Fires OnExecute; true when there was a handler.
    virtual bool Execute();
    // Fires OnUpdate; true when there was a handler.
    virtual bool Update();

    TNotifyEvent OnExecute;
    TNotifyEvent OnUpdate;

protected:
    friend class TActionLink;
    // Tells every linked client that a property changed.
    void Change();

    std::vector<TActionLink*> m_links;
};

class TAction : public TBasicAction {
public:
    explicit TAction(TComponent* owner) : TBasicAction(owner) {}
    ~TAction() override;

    [[nodiscard]] TActionList* ActionList() const { return m_actionList; }
    void SetActionList(TActionList* list);
    [[nodiscard]] const std::string& Category() const { return m_category; }
    void SetCategory(const std::string& value) { m_category = value; }

    [[nodiscard]] const std::string& Caption() const { return m_caption; }
    void SetCaption(const std::string& value);
    [[nodiscard]] bool Enabled() const { return m_enabled; }
    void SetEnabled(bool value);
    [[nodiscard]] bool Checked() const { return m_checked; }
    void SetChecked(bool value);
    [[nodiscard]] bool Visible() const { return m_visible; }
    void SetVisible(bool value);
    [[nodiscard]] const std::string& Hint() const { return m_hint; }
    void SetHint(const std::string& value);
    [[nodiscard]] int ImageIndex() const { return m_imageIndex; }
    void SetImageIndex(int value);
    [[nodiscard]] TShortCut ShortCut() const { return m_shortCut; }
    void SetShortCut(TShortCut value);
    // Execute toggles Checked first.
    bool AutoCheck = false;

    // A disabled action does not run; the list's OnExecute may take it first.
    bool Execute() override;
    // The list's OnUpdate may take it first.
    bool Update() override;

private:
    friend class TActionList;
    template <class T>
    void Set(T& field, const T& value) {
        if (field == value) return;
        field = value;
        Change();
    }

    TActionList* m_actionList = nullptr;
    std::string m_category;
    std::string m_caption;
    bool m_enabled = true;
    bool m_checked = false;
    bool m_visible = true;
    std::string m_hint;
    int m_imageIndex = -1;
    TShortCut m_shortCut = scNone;
};

// handled: set true to keep the action's own event from running.
using TActionEvent = std::function<void(TBasicAction* action, bool& handled)>;

class TActionList : public TComponent {
public:
    explicit TActionList(TComponent* owner);
    ~TActionList() override;

    [[nodiscard]] int ActionCount() const { return static_cast<int>(m_actions.size()); }
    [[nodiscard]] TAction* Actions(int index) const { return m_actions.at(static_cast<size_t>(index)); }
    [[nodiscard]] TImageListComponent* Images() const { return m_images; }
    void SetImages(TImageListComponent* images);
    // Runs every action's update (the list's OnUpdate first).
    void UpdateActions();
    // Executes the enabled action whose shortcut the key message is; true when one ran.
    bool IsShortCut(const TMessage& keyMessage);

    TActionEvent OnExecute;
    TActionEvent OnUpdate;

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    friend class TAction;
    std::vector<TAction*> m_actions;
    TImageListComponent* m_images = nullptr;
};

// The link between an action and one client: a control or a menu item. It copies the action's
// properties to the client and runs the action on the client's click.
class TActionLink : public TComponent {
public:
    TActionLink(TBasicAction* action, TComponent* client);
    ~TActionLink() override;

    [[nodiscard]] TBasicAction* Action() const { return m_action; }
    [[nodiscard]] TComponent* Client() const { return m_client; }
    // Copies the action's properties to the client.
    virtual void ActionChanged() = 0;
    bool Execute();

protected:
    void Notification(TComponent* component, TOperation operation) override;
    [[nodiscard]] TAction* AsAction() const { return dynamic_cast<TAction*>(m_action); }

    TBasicAction* m_action;
    TComponent* m_client;
};

// A control's action (caption, enabled, visible, hint; the click runs it). Null unlinks.
void SetControlAction(TControl* control, TBasicAction* action);
[[nodiscard]] TBasicAction* ControlAction(const TControl* control);
// A menu item's action (also checked, image index and shortcut).
void SetMenuItemAction(TMenuItem* item, TBasicAction* action);
[[nodiscard]] TBasicAction* MenuItemAction(const TMenuItem* item);
// Called after a linked control took the action's properties, so that a control class can take
// more of them (a button's glyph from the action's image). Returns an id for RemoveActionHook.
using TControlActionHook = std::function<void(TControl& control, TAction& action)>;
int AddControlActionHook(TControlActionHook hook);
void RemoveControlActionHook(int id);

// Registers the action classes and the Action property of controls and menu items.
void RegisterActionClasses(TClassRegistry& registry);
// The shortcuts of the action lists a form owns; true when an action ran.
bool IsActionShortCut(const TComponent& form, const TMessage& keyMessage);
// Runs OnUpdate of every action of every action list owned by the program's forms; the
// application calls it when idle.
void UpdateActions();

}  // namespace platform::forms
