#include "platform/forms/FormResource.h"

#include <algorithm>

#include "platform/core/Files.h"
#include "platform/core/Strings.h"
#include "platform/forms/EmbeddedResources.h"
#include "platform/forms/Form.h"
#include "platform/forms/FormParser.h"
#include "platform/forms/PropertyTable.h"
#include "platform/forms/Screen.h"

namespace platform::forms {

using detail::TObjectNode;
using detail::TPropertyNode;

EFormResourceError::EFormResourceError(const std::string& source, int line, const std::string& message)
    : std::runtime_error(source + (line > 0 ? "(" + std::to_string(line) + ")" : std::string()) + ": " +
                         message),
      m_source(source),
      m_line(line),
      m_reason(message) {}

// The reader: parses the whole text first, checks every class and property name, then makes
// the components, sets their properties, resolves references and events, and calls Loaded.
class TFormReader {
public:
    TFormReader(TComponent& root, const TFormReadOptions& options) : m_root(root), m_options(options) {}

    void Read(std::string_view text) {
        TObjectNode node = detail::ParseFormText(text, m_options.SourceName);
        TClassRegistry& registry = TClassRegistry::Instance();
        const TClassInfo* rootClass = registry.ClassOf(m_root);
        const TClassInfo* named = registry.Find(node.ClassName);
        if (named ? !named->IsInstance(&m_root) : !core::SameText(node.ClassName, m_root.ClassName()))
            Fail(node.Line, "the resource describes a " + node.ClassName + ", not a " + m_root.ClassName());
        Check(node, rootClass, true);
        Build(node, rootClass);
    }

private:
    struct TFixup {
        TComponent* Component;
        const TPropertyInfo* Property;
        std::string Target;
        int Line;
    };

    [[noreturn]] void Fail(int line, const std::string& message) const {
        throw EFormResourceError(m_options.SourceName, line, message);
    }

    // Everything that needs no component: classes exist and can be made, properties exist.
    void Check(const TObjectNode& node, const TClassInfo* cls, bool isRoot) const {
        if (!isRoot) {
            if (!cls) Fail(node.Line, "unknown class '" + node.ClassName + "'");
            if (!cls->Create)
                Fail(node.Line, "class '" + node.ClassName + "' cannot be made from a resource");
            if (!node.Name.empty() && !IsValidIdent(node.Name))
                Fail(node.Line, "'" + node.Name + "' is no valid name");
        }
        for (const TPropertyNode& p : node.Properties) {
            const TPropertyInfo* info = cls->FindProperty(p.Name);
            if (!info) Fail(p.Line, "unknown property '" + p.Name + "' of " + cls->Name);
            if (!p.FileName.empty() && info->Kind != TPropKind::Binary)
                Fail(p.Line, "'" + p.Name + "' takes no file data");
        }
        for (const TObjectNode& child : node.Children)
            Check(child, TClassRegistry::Instance().Find(child.ClassName), false);
    }

    void Build(const TObjectNode& rootNode, const TClassInfo* rootClass) {
        m_root.SetComponentState(csLoading | csReading, true);
        try {
            if (!rootNode.Name.empty() && rootNode.Name != m_root.Name()) {
                try {
                    m_root.SetName(rootNode.Name);
                } catch (const std::invalid_argument&) {
                    // Another root of the owner has the name: this one keeps its own.
                }
            }
            ApplyProperties(m_root, rootNode, rootClass);
            for (const TObjectNode& child : rootNode.Children) CreateObject(child, &m_root);
            ResolveFixups();
            ResolveEvents();
            m_root.SetComponentState(csReading, false);
            for (TComponent* c : m_created) c->SetComponentState(csReading, false);
            CallLoaded(m_root);
            for (TComponent* c : m_created) CallLoaded(*c);
        } catch (...) {
            // Free what was made, last first (children before their parents, so that no
            // component frees one that is still in the list); the root stays.
            for (auto it = m_created.rbegin(); it != m_created.rend(); ++it) delete *it;
            m_root.SetComponentState(csLoading | csReading, false);
            throw;
        }
    }

    void CreateObject(const TObjectNode& node, TComponent* parent) {
        const TClassInfo* cls = TClassRegistry::Instance().Find(node.ClassName);
        TComponent* c = nullptr;
        try {
            c = cls->Create(&m_root);
        } catch (const std::exception& e) {
            Fail(node.Line, "cannot make a " + node.ClassName + ": " + e.what());
        }
        m_created.push_back(c);
        c->SetComponentState(csLoading | csReading, true);
        if (!node.Name.empty()) {
            if (m_root.FindComponent(node.Name) || core::SameText(node.Name, m_root.Name()))
                Fail(node.Line, "a component named '" + node.Name + "' already exists");
            try {
                c->SetName(node.Name);
            } catch (const std::exception& e) {
                Fail(node.Line, e.what());
            }
            if (!m_root.SetPublishedField(node.Name, c))
                Fail(node.Line, "the field '" + node.Name + "' of " + m_root.ClassName() +
                                    " does not take a " + node.ClassName);
        }
        try {
            c->SetParentComponent(parent);
        } catch (const std::exception& e) {
            Fail(node.Line, e.what());
        }
        ApplyProperties(*c, node, cls);
        for (const TObjectNode& child : node.Children) CreateObject(child, c);
    }

    void ApplyProperties(TComponent& c, const TObjectNode& node, const TClassInfo* cls) {
        for (const TPropertyNode& p : node.Properties) {
            const TPropertyInfo* info = cls->FindProperty(p.Name);
            if (info->Kind == TPropKind::Reference) {
                if (p.Value.Kind != TValueKind::Ident) Fail(p.Line, "'" + p.Name + "' names a component");
                m_fixups.push_back({&c, info, p.Value.Text, p.Line});
                continue;
            }
            if (info->Kind == TPropKind::Event) {
                if (p.Value.Kind != TValueKind::Ident) Fail(p.Line, "'" + p.Name + "' names a method");
                m_events.push_back({&c, info, p.Value.Text, p.Line});
                continue;
            }
            TPropValue value = p.Value;
            if (!p.FileName.empty()) value.Bytes = ResolveFile(p.FileName, p.Line);
            try {
                info->Set(c, value);
            } catch (const EPropertyError& e) {
                Fail(p.Line, "bad value for '" + p.Name + "': " + e.what());
            } catch (const std::exception& e) {
                Fail(p.Line, "bad value for '" + p.Name + "': " + e.what());
            }
        }
    }

    std::vector<uint8_t> ResolveFile(const std::string& name, int line) const {
        if (m_options.ResolveFile)
            if (auto bytes = m_options.ResolveFile(name)) return *bytes;
        if (auto data = FindEmbeddedResource(name)) return {data->begin(), data->end()};
        std::string path = name;
        if (!name.empty() && name[0] != '/' && !m_options.BaseDir.empty())
            path = core::IncludeTrailingPathDelimiter(m_options.BaseDir) + name;
        if (name[0] == '/' || !m_options.BaseDir.empty())
            if (auto bytes = core::ReadFileBytes(path)) return *bytes;
        Fail(line, "file '" + name + "' not found");
    }

    TComponent* FindTarget(const std::string& name) const {
        if (core::SameText(name, m_root.Name())) return &m_root;
        if (TComponent* c = m_root.FindComponent(name)) return c;
        // Another form's component: "Form2.Button1".
        const auto dot = name.find('.');
        if (dot != std::string::npos && Screen) {
            if (TForm* form = Screen->FindForm(name.substr(0, dot)))
                return form->FindComponent(name.substr(dot + 1));
        }
        return nullptr;
    }

    void ResolveFixups() {
        for (const TFixup& f : m_fixups) {
            TComponent* target = nullptr;
            if (!core::SameText(f.Target, "nil")) {
                target = FindTarget(f.Target);
                if (!target)
                    Fail(f.Line, "'" + f.Property->Name + "' names '" + f.Target + "', which does not exist");
            }
            bool ok = false;
            try {
                ok = f.Property->SetReference(*f.Component, target);
            } catch (const std::exception& e) {
                Fail(f.Line, "bad value for '" + f.Property->Name + "': " + e.what());
            }
            if (!ok) Fail(f.Line, "'" + f.Target + "' is of the wrong class for '" + f.Property->Name + "'");
        }
    }

    void ResolveEvents() {
        for (const TFixup& e : m_events) {
            const std::any* method = m_root.FindMethod(e.Target);
            if (!method) {
                if (m_options.IgnoreMissingHandlers) {
                    e.Component->SetBoundEvent(e.Property->Name, e.Target);
                    continue;
                }
                Fail(e.Line, "no published method '" + e.Target + "' for '" + e.Property->Name + "'");
            }
            if (!e.Property->SetEvent(*e.Component, *method))
                Fail(e.Line, "method '" + e.Target + "' does not fit the event '" + e.Property->Name + "'");
            e.Component->SetBoundEvent(e.Property->Name, e.Target);
        }
    }

    TComponent& m_root;
    const TFormReadOptions& m_options;
    std::vector<TComponent*> m_created;
    std::vector<TFixup> m_fixups;
    std::vector<TFixup> m_events;
};

void ReadComponentResource(TComponent& root, std::string_view text, const TFormReadOptions& options) {
    TFormReader reader(root, options);
    reader.Read(text);
}

TComponent* CreateComponentFromResource(std::string_view text, TComponent* owner,
                                        const TFormReadOptions& options) {
    detail::TObjectNode node = detail::ParseFormText(text, options.SourceName);
    const TClassInfo* cls = TClassRegistry::Instance().Find(node.ClassName);
    if (!cls)
        throw EFormResourceError(options.SourceName, node.Line, "unknown class '" + node.ClassName + "'");
    if (!cls->Create)
        throw EFormResourceError(options.SourceName, node.Line,
                                 "class '" + node.ClassName + "' cannot be made from a resource");
    TComponent* root = cls->Create(owner);
    try {
        ReadComponentResource(*root, text, options);
    } catch (...) {
        delete root;
        throw;
    }
    return root;
}

std::string LoadResourceText(const std::string& name, TFormReadOptions& options) {
    options.SourceName = name;
    if (auto data = FindEmbeddedResource(name)) return std::string(data->begin(), data->end());
    if (auto bytes = core::ReadFileBytes(name)) {
        if (options.BaseDir.empty()) options.BaseDir = core::ExtractFileDir(name);
        if (options.BaseDir.empty()) options.BaseDir = ".";
        return std::string(bytes->begin(), bytes->end());
    }
    throw EFormResourceError(name, 0, "no embedded resource or file of that name");
}

void ReadComponentResourceNamed(TComponent& root, const std::string& name) {
    TFormReadOptions options;
    const std::string text = LoadResourceText(name, options);
    ReadComponentResource(root, text, options);
}

// ---- Writing ----

namespace {

void WriteObject(const TComponent& c, const TComponent& root, const std::string& indent, std::string& out) {
    const TClassInfo* cls = TClassRegistry::Instance().ClassOf(c);
    out += indent + "object " + (c.Name().empty() ? std::string() : c.Name() + ": ") + c.ClassName() + "\n";
    const std::string inner = indent + "  ";
    if (cls) {
        cls->ForEachProperty([&](const TPropertyInfo& p) {
            if (p.Stored && !p.Stored(c)) return;
            switch (p.Kind) {
                case TPropKind::Reference: {
                    TComponent* target = p.GetReference ? p.GetReference(c) : nullptr;
                    if (!target || target->Name().empty()) return;
                    std::string name = target->Name();
                    if (target != &root && target->Owner() != &root) {
                        if (!target->Owner() || target->Owner()->Name().empty()) return;
                        name = target->Owner()->Name() + "." + name;
                    }
                    out += inner + p.Name + " = " + name + "\n";
                    return;
                }
                case TPropKind::Event: {
                    auto it = c.BoundEvents().find(p.Name);
                    if (it != c.BoundEvents().end()) out += inner + p.Name + " = " + it->second + "\n";
                    return;
                }
                default:
                    break;
            }
            if (!p.Get) return;
            const TPropValue v = p.Get(c);
            if (p.Default && v == *p.Default) return;
            out += inner + p.Name + " = " + detail::FormatValue(v, inner) + "\n";
        });
    }
    c.GetChildren([&](TComponent* child) { WriteObject(*child, root, inner, out); },
                  const_cast<TComponent*>(&root));
    out += indent + "end\n";
}

}  // namespace

std::string WriteComponentResource(const TComponent& root) {
    std::string out;
    WriteObject(root, root, "", out);
    return out;
}

}  // namespace platform::forms
