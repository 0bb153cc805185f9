#pragma once
// Published properties and the class registry of form resources. Each class registers its
// published properties (name, kind, setter, getter, declared default) once; a registered class
// also has a factory, so a form resource can make its components by class name. Properties are
// looked up without regard to case, along the class's ancestors.
//
// Registration is explicit: the framework's classes are registered when the registry is first
// used; other layers register theirs with TClassRegistry::Instance().Register<T>(...) before
// they read a form (skin/... has a RegisterSkinClasses() for that).

#include <any>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

#include "platform/forms/Component.h"
#include "platform/gfx/Color.h"

namespace platform::forms {

// A value as a form resource writes it.
enum class TValueKind : uint8_t {
    Integer,  // 12, -3, $FF
    String,   // 'text' (#13 and similar code points may join quoted parts)
    Ident,    // True, taCenter, clBtnFace, bsSkinData1, btnStartClick
    Set,      // [fsBold, fsUnderline]
    List,     // ( 'one' 'two' )
    Binary,   // { 0A1B... } or file('name.jpg')
};

struct TPropValue {
    TValueKind Kind = TValueKind::Integer;
    int64_t Int = 0;
    std::string Text;                // String, Ident
    std::vector<std::string> Names;  // Set (identifiers), List (strings)
    std::vector<uint8_t> Bytes;      // Binary
    friend bool operator==(const TPropValue&, const TPropValue&) = default;

    static TPropValue Integer(int64_t v) {
        TPropValue p;
        p.Kind = TValueKind::Integer;
        p.Int = v;
        return p;
    }
    static TPropValue String(std::string s) {
        TPropValue p;
        p.Kind = TValueKind::String;
        p.Text = std::move(s);
        return p;
    }
    static TPropValue Ident(std::string s) {
        TPropValue p;
        p.Kind = TValueKind::Ident;
        p.Text = std::move(s);
        return p;
    }
    static TPropValue Set(std::vector<std::string> n) {
        TPropValue p;
        p.Kind = TValueKind::Set;
        p.Names = std::move(n);
        return p;
    }
    static TPropValue List(std::vector<std::string> n) {
        TPropValue p;
        p.Kind = TValueKind::List;
        p.Names = std::move(n);
        return p;
    }
    static TPropValue Binary(std::vector<uint8_t> b) {
        TPropValue p;
        p.Kind = TValueKind::Binary;
        p.Bytes = std::move(b);
        return p;
    }
    static TPropValue Bool(bool v) { return Ident(v ? "True" : "False"); }
};

// A bad value for a property; the reader adds the line.
class EPropertyError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The names of an enumeration (or of the bits of a set).
struct TEnumInfo {
    std::vector<std::pair<std::string, int64_t>> Values;
    [[nodiscard]] std::optional<int64_t> Find(std::string_view name) const;  // case-insensitive
    [[nodiscard]] std::string NameOf(int64_t value) const;                   // "" when none
};

enum class TPropKind : uint8_t {
    Integer,
    Boolean,
    String,
    Enum,
    Set,
    Color,
    Reference,
    Event,
    Binary,
    Strings,
    Custom
};

struct TPropertyInfo {
    std::string Name;
    TPropKind Kind = TPropKind::Integer;
    const TEnumInfo* Enum = nullptr;
    // Plain values: converts and sets; throws EPropertyError for a value of the wrong kind.
    std::function<void(TComponent&, const TPropValue&)> Set;
    std::function<TPropValue(const TComponent&)> Get;
    // Not written when Get gives this value. nullopt: always written (when stored).
    std::optional<TPropValue> Default;
    // When given and false, the property is not written (Font while ParentFont, ...).
    std::function<bool(const TComponent&)> Stored;
    // References: set after the whole resource is read; false when the target's class does
    // not fit.
    std::function<bool(TComponent&, TComponent*)> SetReference;
    std::function<TComponent*(const TComponent&)> GetReference;
    // Events: the published method's value (std::function in std::any); false when its type
    // does not fit the event.
    std::function<bool(TComponent&, const std::any&)> SetEvent;
};

struct TClassInfo {
    std::string Name;
    const TClassInfo* Parent = nullptr;
    // Null for classes that a resource cannot make (abstract bases).
    std::function<TComponent*(TComponent* owner)> Create;
    std::function<bool(const TComponent*)> IsInstance;
    std::vector<TPropertyInfo> Properties;
    int Depth = 0;

    // Along the ancestors, case-insensitive; null when none.
    [[nodiscard]] const TPropertyInfo* FindProperty(std::string_view name) const;
    // Every property, the ancestors' first, each in registration order.
    void ForEachProperty(const std::function<void(const TPropertyInfo&)>& proc) const;
    [[nodiscard]] bool InheritsFrom(std::string_view className) const;
};

// Color values: clXxx names for the known colours, otherwise numbers.
[[nodiscard]] std::optional<gfx::TColor> ColorFromIdent(std::string_view name);
[[nodiscard]] std::string ColorToIdent(gfx::TColor color);          // "" when the colour has no name
[[nodiscard]] gfx::TColor ColorFromValue(const TPropValue& value);  // throws EPropertyError
[[nodiscard]] TPropValue ColorToValue(gfx::TColor color);
[[nodiscard]] bool BoolFromValue(const TPropValue& value);           // throws EPropertyError
[[nodiscard]] int64_t IntFromValue(const TPropValue& value);         // throws EPropertyError
[[nodiscard]] std::string StringFromValue(const TPropValue& value);  // throws EPropertyError

// Adds the properties of one class, typed.
template <class T>
class TClassBuilder {
public:
    explicit TClassBuilder(TClassInfo& info) : m_info(&info) {}

    // Integer properties: getter(const T&) -> integer; setter(T&, integer).
    template <class G, class S>
    TClassBuilder& Integer(std::string name, G get, S set, std::optional<int64_t> def = 0) {
        TPropertyInfo p = Base(std::move(name), TPropKind::Integer);
        p.Set = [set](TComponent& c, const TPropValue& v) {
            using Arg = std::remove_cvref_t<std::invoke_result_t<G, const T&>>;
            std::invoke(set, Self(c), static_cast<Arg>(IntFromValue(v)));
        };
        p.Get = [get](const TComponent& c) {
            return TPropValue::Integer(static_cast<int64_t>(std::invoke(get, Self(c))));
        };
        if (def) p.Default = TPropValue::Integer(*def);
        return Add(std::move(p));
    }
    template <class G, class S>
    TClassBuilder& Boolean(std::string name, G get, S set, std::optional<bool> def = false) {
        TPropertyInfo p = Base(std::move(name), TPropKind::Boolean);
        p.Set = [set](TComponent& c, const TPropValue& v) { std::invoke(set, Self(c), BoolFromValue(v)); };
        p.Get = [get](const TComponent& c) {
            return TPropValue::Bool(static_cast<bool>(std::invoke(get, Self(c))));
        };
        if (def) p.Default = TPropValue::Bool(*def);
        return Add(std::move(p));
    }
    template <class G, class S>
    TClassBuilder& String(std::string name, G get, S set, std::optional<std::string> def = std::string()) {
        TPropertyInfo p = Base(std::move(name), TPropKind::String);
        p.Set = [set](TComponent& c, const TPropValue& v) { std::invoke(set, Self(c), StringFromValue(v)); };
        p.Get = [get](const TComponent& c) {
            return TPropValue::String(std::string(std::invoke(get, Self(c))));
        };
        if (def) p.Default = TPropValue::String(*def);
        return Add(std::move(p));
    }
    // E: the enumeration type; info names its values.
    template <class E, class G, class S>
    TClassBuilder& Enum(std::string name, const TEnumInfo& info, G get, S set, std::optional<E> def) {
        TPropertyInfo p = Base(std::move(name), TPropKind::Enum);
        p.Enum = &info;
        p.Set = [set, &info, n = p.Name](TComponent& c, const TPropValue& v) {
            if (v.Kind != TValueKind::Ident) throw EPropertyError("'" + n + "' expects a name");
            auto value = info.Find(v.Text);
            if (!value) throw EPropertyError("'" + v.Text + "' is no value of '" + n + "'");
            std::invoke(set, Self(c), static_cast<E>(*value));
        };
        p.Get = [get, &info](const TComponent& c) {
            return TPropValue::Ident(info.NameOf(static_cast<int64_t>(std::invoke(get, Self(c)))));
        };
        if (def) p.Default = TPropValue::Ident(info.NameOf(static_cast<int64_t>(*def)));
        return Add(std::move(p));
    }
    // A set of bits: info names each bit's mask; getter/setter use the integer of all bits.
    template <class G, class S>
    TClassBuilder& Set(std::string name, const TEnumInfo& info, G get, S set,
                       std::optional<int64_t> def = 0) {
        TPropertyInfo p = Base(std::move(name), TPropKind::Set);
        p.Enum = &info;
        p.Set = [set, &info, n = p.Name](TComponent& c, const TPropValue& v) {
            if (v.Kind != TValueKind::Set) throw EPropertyError("'" + n + "' expects a set [...]");
            int64_t bits = 0;
            for (const auto& item : v.Names) {
                auto value = info.Find(item);
                if (!value) throw EPropertyError("'" + item + "' is no element of '" + n + "'");
                bits |= *value;
            }
            using Arg = std::remove_cvref_t<std::invoke_result_t<G, const T&>>;
            std::invoke(set, Self(c), static_cast<Arg>(bits));
        };
        p.Get = [get, &info](const TComponent& c) {
            return SetToValue(info, static_cast<int64_t>(std::invoke(get, Self(c))));
        };
        if (def) p.Default = SetToValue(info, *def);
        return Add(std::move(p));
    }
    template <class G, class S>
    TClassBuilder& Color(std::string name, G get, S set, std::optional<gfx::TColor> def) {
        TPropertyInfo p = Base(std::move(name), TPropKind::Color);
        p.Set = [set](TComponent& c, const TPropValue& v) { std::invoke(set, Self(c), ColorFromValue(v)); };
        p.Get = [get](const TComponent& c) { return ColorToValue(std::invoke(get, Self(c))); };
        if (def) p.Default = ColorToValue(*def);
        return Add(std::move(p));
    }
    // A reference to another component of class R (resolved after the whole resource is read).
    template <class R, class G, class S>
    TClassBuilder& Reference(std::string name, G get, S set) {
        TPropertyInfo p = Base(std::move(name), TPropKind::Reference);
        p.SetReference = [set](TComponent& c, TComponent* target) {
            R* typed = dynamic_cast<R*>(target);
            if (target && !typed) return false;
            std::invoke(set, Self(c), typed);
            return true;
        };
        p.GetReference = [get](const TComponent& c) -> TComponent* { return std::invoke(get, Self(c)); };
        return Add(std::move(p));
    }
    // An event held in a public std::function<F> member.
    template <class F>
    TClassBuilder& Event(std::string name, std::function<F> T::*member) {
        TPropertyInfo p = Base(std::move(name), TPropKind::Event);
        p.SetEvent = [member](TComponent& c, const std::any& handler) {
            const auto* fn = std::any_cast<std::function<F>>(&handler);
            if (!fn) return false;
            Self(c).*member = *fn;
            return true;
        };
        return Add(std::move(p));
    }
    // An event with a setter taking std::function<F>.
    template <class F, class S>
    TClassBuilder& EventSetter(std::string name, S set) {
        TPropertyInfo p = Base(std::move(name), TPropKind::Event);
        p.SetEvent = [set](TComponent& c, const std::any& handler) {
            const auto* fn = std::any_cast<std::function<F>>(&handler);
            if (!fn) return false;
            std::invoke(set, Self(c), *fn);
            return true;
        };
        return Add(std::move(p));
    }
    // Binary data: getter -> std::vector<uint8_t> (empty: not written); setter(T&, const
    // std::vector<uint8_t>&) -> bool (false: the bytes are refused).
    template <class G, class S>
    TClassBuilder& Binary(std::string name, G get, S set) {
        TPropertyInfo p = Base(std::move(name), TPropKind::Binary);
        p.Set = [set, n = p.Name](TComponent& c, const TPropValue& v) {
            if (v.Kind != TValueKind::Binary) throw EPropertyError("'" + n + "' expects binary data {...}");
            if (!std::invoke(set, Self(c), v.Bytes))
                throw EPropertyError("the data of '" + n + "' is not valid");
        };
        p.Get = [get](const TComponent& c) { return TPropValue::Binary(std::invoke(get, Self(c))); };
        p.Default = TPropValue::Binary({});
        return Add(std::move(p));
    }
    // A list of strings: getter -> std::vector<std::string>; setter(T&, std::vector<std::string>).
    template <class G, class S>
    TClassBuilder& Strings(std::string name, G get, S set) {
        TPropertyInfo p = Base(std::move(name), TPropKind::Strings);
        p.Set = [set, n = p.Name](TComponent& c, const TPropValue& v) {
            if (v.Kind != TValueKind::List) throw EPropertyError("'" + n + "' expects a list ( ... )");
            std::invoke(set, Self(c), v.Names);
        };
        p.Get = [get](const TComponent& c) { return TPropValue::List(std::invoke(get, Self(c))); };
        p.Default = TPropValue::List({});
        return Add(std::move(p));
    }
    // Anything else, written and read as TPropValue.
    TClassBuilder& Custom(std::string name, std::function<void(T&, const TPropValue&)> set,
                          std::function<TPropValue(const T&)> get,
                          std::optional<TPropValue> def = std::nullopt) {
        TPropertyInfo p = Base(std::move(name), TPropKind::Custom);
        p.Set = [set](TComponent& c, const TPropValue& v) { set(Self(c), v); };
        p.Get = [get](const TComponent& c) { return get(Self(c)); };
        p.Default = std::move(def);
        return Add(std::move(p));
    }
    // Makes the last property written only when stored(component) is true.
    TClassBuilder& StoredIf(std::function<bool(const T&)> stored) {
        m_info->Properties.back().Stored = [stored](const TComponent& c) { return stored(Self(c)); };
        return *this;
    }

private:
    static T& Self(TComponent& c) { return static_cast<T&>(c); }
    static const T& Self(const TComponent& c) { return static_cast<const T&>(c); }
    static TPropValue SetToValue(const TEnumInfo& info, int64_t bits) {
        std::vector<std::string> names;
        for (const auto& [n, v] : info.Values)
            if (v != 0 && (bits & v) == v) names.push_back(n);
        return TPropValue::Set(std::move(names));
    }
    TPropertyInfo Base(std::string name, TPropKind kind) {
        TPropertyInfo p;
        p.Name = std::move(name);
        p.Kind = kind;
        return p;
    }
    TClassBuilder& Add(TPropertyInfo p) {
        m_info->Properties.push_back(std::move(p));
        return *this;
    }
    TClassInfo* m_info;
};

class TClassRegistry {
public:
    // The registry, with the framework's classes registered.
    static TClassRegistry& Instance();

    // Registers class T under name, below the registered class parentName ("" for TComponent's
    // own entry). makeable: whether a resource may create it (T(TComponent* owner) must exist).
    // Registering a name again replaces the entry's factory and adds properties to it.
    template <class T>
    TClassBuilder<T> Register(const std::string& name, const std::string& parentName, bool makeable = true) {
        TClassInfo& info = Entry(name, parentName);
        if constexpr (std::is_constructible_v<T, TComponent*>) {
            if (makeable) info.Create = [](TComponent* owner) -> TComponent* { return new T(owner); };
        }
        info.IsInstance = [](const TComponent* c) { return dynamic_cast<const T*>(c) != nullptr; };
        return TClassBuilder<T>(info);
    }
    // Another resource name for a registered class (read only; written under the main name).
    void RegisterAlias(const std::string& alias, const std::string& name);

    [[nodiscard]] const TClassInfo* Find(std::string_view name) const;
    // The most derived registered class the component is an instance of (never null for a
    // TComponent).
    [[nodiscard]] const TClassInfo* ClassOf(const TComponent& component) const;
    [[nodiscard]] std::vector<std::string> ClassNames() const;

private:
    TClassRegistry() = default;
    TClassInfo& Entry(const std::string& name, const std::string& parentName);
    std::vector<std::unique_ptr<TClassInfo>> m_classes;
    std::map<std::string, TClassInfo*> m_byName;  // lower-case names and aliases
};

// Registers the framework's own classes (done by Instance(); safe to call again).
void RegisterFormsClasses(TClassRegistry& registry);

}  // namespace platform::forms
