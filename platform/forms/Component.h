#pragma once
// TComponent: the root of every component. A component has one owner, which frees it; it owns
// the components created with it as owner and frees them, last created first. A component that
// keeps a plain pointer to another calls FreeNotification on it and clears the pointer in its
// Notification override when told opRemove; components of the same owner are told about each
// other's removal without asking (the owner passes every insertion and removal on to all the
// components it owns).
//
// Components are created with new and an owner (or held by a unique_ptr when they have none) and
// freed with delete (or Free()), which takes them out of their owner first.
//
// Destruction order: C++ runs a derived class's destructor before its bases', so while
// ~TComponent runs the derived parts are gone. Notifications therefore only ever tell the
// receiver WHICH component goes away (compare pointers; don't call into it). TWinControl and
// TControl destroy their owned components early, while they are still whole (see Control.h).

#include <any>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace platform::forms {

class TComponent;

// Most events in the framework: the sender is the component that fires.
using TNotifyEvent = std::function<void(TComponent* sender)>;

enum TOperation : uint8_t { opInsert, opRemove };

// ComponentState bits.
enum TComponentStateBit : uint32_t {
    csLoading = 0x01,  // being read from a form resource (until Loaded)
    csReading = 0x02,  // its properties are being read right now
    csWriting = 0x04,
    csDestroying = 0x08,  // its destruction has begun
    csDesigning = 0x10,   // in a form designer: never set at run time in this program
    csFreeNotification = 0x20,
    csUpdating = 0x40,
};
using TComponentState = uint32_t;

// Shift-key and mouse-button state of input events.
enum TShiftStateBit : uint16_t {
    ssShift = 0x01,
    ssAlt = 0x02,
    ssCtrl = 0x04,
    ssLeft = 0x08,
    ssRight = 0x10,
    ssMiddle = 0x20,
    ssDouble = 0x40,
};
using TShiftState = uint16_t;

// A weak handle on a component: it answers whether the component still lives and gives the
// pointer only while it does. Code that fires events or runs nested loops keeps one across the
// call, because a handler may free the component (and the object running the code with it).
// The handle turns false when the component's destruction begins and stays valid to ask after
// the memory is gone.
template <class T>
class TWeakRef {
public:
    TWeakRef() = default;
    TWeakRef(T* object, std::weak_ptr<const bool> life) : m_object(object), m_life(std::move(life)) {}
    // A handle of a base class on the same component.
    template <class U>
    requires std::is_convertible_v<U*, T*> TWeakRef(const TWeakRef<U>& other)
        : m_object(other.m_object), m_life(other.m_life) {}

    [[nodiscard]] bool Alive() const {
        const auto life = m_life.lock();
        return life && *life;
    }
    explicit operator bool() const { return Alive(); }
    // The component, or null once it is being destroyed.
    [[nodiscard]] T* Get() const { return Alive() ? m_object : nullptr; }

private:
    template <class U>
    friend class TWeakRef;
    T* m_object = nullptr;
    std::weak_ptr<const bool> m_life;
};

class TComponent {
public:
    explicit TComponent(TComponent* owner);
    virtual ~TComponent();
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    // delete this; safe on null through the free function below.
    void Free() { delete this; }

    // The class name used by form resources ("TLabel"). Classes registered with the class
    // registry need not override it: the default is the most derived registered class this
    // object is an instance of. Classes that stand for a resource root (a form class) may
    // override it.
    [[nodiscard]] virtual std::string ClassName() const;

    // ---- Name and owner ----
    [[nodiscard]] const std::string& Name() const { return m_name; }
    // Throws std::invalid_argument when another component of the same owner has the name
    // (names compare without regard to case), or it is not an identifier.
    virtual void SetName(const std::string& name);
    [[nodiscard]] TComponent* Owner() const { return m_owner; }
    [[nodiscard]] int ComponentCount() const { return static_cast<int>(m_components.size()); }
    [[nodiscard]] TComponent* Components(int index) const {
        return m_components.at(static_cast<size_t>(index));
    }
    [[nodiscard]] const std::vector<TComponent*>& ComponentList() const { return m_components; }
    [[nodiscard]] int ComponentIndex() const;
    // An owned component by name (case-insensitive), or null.
    [[nodiscard]] TComponent* FindComponent(std::string_view name) const;
    // Moves a component into this one's list (taking it from its previous owner).
    void InsertComponent(TComponent* component);
    void RemoveComponent(TComponent* component);
    // Frees every owned component, last created first.
    void DestroyComponents();

    [[nodiscard]] TComponentState ComponentState() const { return m_state; }
    [[nodiscard]] bool IsLoading() const { return (m_state & csLoading) != 0; }
    [[nodiscard]] bool IsDestroying() const { return (m_state & csDestroying) != 0; }
    [[nodiscard]] bool IsDesigning() const { return (m_state & csDesigning) != 0; }

    [[nodiscard]] intptr_t Tag() const { return m_tag; }
    void SetTag(intptr_t tag) { m_tag = tag; }

    // ---- Free notification ----
    // Asks this component to call component->Notification(this, opRemove) when it is freed.
    // Mutual: this component is told too when the other one goes first (and forgets it).
    void FreeNotification(TComponent* component);
    void RemoveFreeNotification(TComponent* component);

    // ---- Streaming hooks ----
    // A component whose place in a form resource is inside another object (controls inside
    // their parent, menu items inside their item or menu) returns true.
    [[nodiscard]] virtual bool HasParent() const { return false; }
    [[nodiscard]] virtual TComponent* GetParentComponent() const { return nullptr; }
    // Called by the reader before the properties are read, with the enclosing object.
    virtual void SetParentComponent(TComponent* parent);
    // The objects written inside this one (in order). root: the component being written.
    virtual void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) const;

    // Marks the component (and the components it owns) as being destroyed.
    virtual void Destroying();

    // ---- Weak handles ----
    // A handle that turns false when this component's destruction begins.
    [[nodiscard]] TWeakRef<TComponent> WeakRef() { return {this, m_life}; }
    // The same, typed (TComponent::WeakRefOf(menu) is a TWeakRef<TMenu>).
    template <class T>
    [[nodiscard]] static TWeakRef<T> WeakRefOf(T* component) {
        if (!component) return {};
        return {component, static_cast<TComponent*>(component)->m_life};
    }

    // ---- Published fields and methods of a root (form) class ----
    // A resource root names components and event handlers that its class publishes: a field is
    // set when the component of that name is created (and cleared when it goes), a method is
    // bound to the event properties that name it (OnClick = btnStartClick).
    template <class T>
    void PublishField(const std::string& name, T*& field) {
        m_fields[Key(name)] = TFieldBinding{[&field](TComponent* c) {
                                                auto* typed = dynamic_cast<T*>(c);
                                                if (c && !typed) return false;
                                                field = typed;
                                                return true;
                                            },
                                            [&field]() { return static_cast<TComponent*>(field); }};
    }
    // handler: a std::function of the event's type (TNotifyEvent, TMouseEvent, ...).
    template <class F>
    void PublishMethod(const std::string& name, std::function<F> handler) {
        m_methods[Key(name)] = TPublishedMethod{name, std::any(std::move(handler))};
    }
    // Binds a component to a published field; false when the field's type does not fit.
    bool SetPublishedField(const std::string& name, TComponent* component);
    [[nodiscard]] bool HasPublishedField(const std::string& name) const;
    // The published method's value (a std::function held in std::any), or null.
    [[nodiscard]] const std::any* FindMethod(const std::string& name) const;
    // The name under which a method was published, as written ("btnStartClick"), or "".
    [[nodiscard]] std::string MethodName(const std::string& name) const;

    // Names of the handlers bound to this component's event properties by a reader (property
    // name -> method name), kept so that a writer can name them again.
    [[nodiscard]] const std::map<std::string, std::string>& BoundEvents() const { return m_boundEvents; }
    void SetBoundEvent(const std::string& property, const std::string& method);

protected:
    // Told about insertions into and removals from the owner's list (this component's own and
    // its siblings'), and about components this one asked FreeNotification of. Overrides call
    // the base: it passes the notice on to the components this one owns.
    virtual void Notification(TComponent* component, TOperation operation);
    // After a form resource has been read and every reference in it resolved. Overrides call
    // the base, which clears csLoading.
    virtual void Loaded();
    virtual void ReadState();  // hook: before properties are read (sets csReading)

    // Turns every weak handle on this component false. The destructor does it; a class whose
    // destructor fires events or runs messages calls it first so that handles already read
    // false while its own parts are taken down.
    void EndWeakRefs() { *m_life = false; }

    void SetComponentState(TComponentState bits, bool on) {
        if (on)
            m_state |= bits;
        else
            m_state &= ~bits;
    }

private:
    friend class TFormReader;
    friend void CallLoaded(TComponent& component);
    friend void CallNotification(TComponent& target, TComponent* component, TOperation operation);

    struct TFieldBinding {
        std::function<bool(TComponent*)> Set;
        std::function<TComponent*()> Get;
    };
    struct TPublishedMethod {
        std::string Name;
        std::any Value;
    };
    static std::string Key(std::string_view name);
    void Insert(TComponent* component);
    void Remove(TComponent* component);
    void NotifyOwnedOf(TComponent* component, TOperation operation);
    void ClearPublishedFieldFor(TComponent* component);

    std::shared_ptr<bool> m_life = std::make_shared<bool>(true);
    TComponent* m_owner = nullptr;
    std::vector<TComponent*> m_components;
    std::vector<TComponent*> m_freeNotifies;
    std::string m_name;
    TComponentState m_state = 0;
    intptr_t m_tag = 0;
    std::map<std::string, TFieldBinding> m_fields;
    std::map<std::string, TPublishedMethod> m_methods;
    std::map<std::string, std::string> m_boundEvents;
};

// Calls the protected Loaded / Notification (for the reader and tests of the protocol).
void CallLoaded(TComponent& component);
void CallNotification(TComponent& target, TComponent* component, TOperation operation);

// Frees a component held in a pointer variable and clears the variable.
template <class T>
void FreeAndNil(T*& component) {
    T* c = component;
    component = nullptr;
    delete c;
}

// True for a name that identifiers allow: a letter or "_" first, then letters,
// digits or "_".
[[nodiscard]] bool IsValidIdent(std::string_view name);

}  // namespace platform::forms
