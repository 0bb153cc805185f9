#pragma once
// Form resources: the text that lists a form's components and their published property values
// (the format is described in README.md beside this file). Reading makes every component
// through the class registry, sets its properties through its class's property table, resolves
// the references between components once the whole text is read (so they may name components
// further down), binds event properties to the methods the root publishes, and only then calls
// Loaded on every component in creation order (the root first). Writing produces the same text
// from live components, leaving out every property that equals its declared default.
//
// Errors (syntax, unknown class, unknown property, bad value, unresolved reference, unknown
// handler) throw EFormResourceError with the line; the reader then frees every component it
// made, so nothing half-made stays behind.

#include <cstdint>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "platform/forms/Component.h"

namespace platform::forms {

class EFormResourceError : public std::runtime_error {
public:
    EFormResourceError(const std::string& source, int line, const std::string& message);
    // 1-based line of the text; 0 when the error concerns no line (a missing resource).
    [[nodiscard]] int Line() const { return m_line; }
    [[nodiscard]] const std::string& Source() const { return m_source; }
    // The message without source and line.
    [[nodiscard]] const std::string& Reason() const { return m_reason; }

private:
    std::string m_source;
    int m_line;
    std::string m_reason;
};

struct TFormReadOptions {
    // Named in errors ("browser.vkf").
    std::string SourceName = "<form>";
    // Binary values written as file('name') are looked up in the embedded resources first,
    // then as files relative to this folder (when not empty).
    std::string BaseDir;
    // Optional: resolves file('name') before the default look-up; nullopt = not found.
    std::function<std::optional<std::vector<uint8_t>>(const std::string& name)> ResolveFile;
    // Event properties naming methods the root does not publish are skipped instead of refused.
    bool IgnoreMissingHandlers = false;
};

// Reads a resource into an existing root: the text's top object must be of the root's class
// (or a registered ancestor of it); its name becomes the root's name.
void ReadComponentResource(TComponent& root, std::string_view text, const TFormReadOptions& options = {});
// Makes the root from the text's class (through the registry) with the given owner.
[[nodiscard]] TComponent* CreateComponentFromResource(std::string_view text, TComponent* owner,
                                                      const TFormReadOptions& options = {});
// The text of a named resource: the embedded resource of that name, else the file (then
// BaseDir is the file's folder). EFormResourceError (line 0) when neither exists.
[[nodiscard]] std::string LoadResourceText(const std::string& name, TFormReadOptions& options);
// ReadComponentResource with the text of LoadResourceText.
void ReadComponentResourceNamed(TComponent& root, const std::string& name);

// The resource text of root and everything it writes inside (its GetChildren).
[[nodiscard]] std::string WriteComponentResource(const TComponent& root);

// Makes a form of class T (or any component class with a T(TComponent*) constructor and a
// DoCreate) from a named resource; see Form.h.
template <class T>
T* CreateFormFromResource(TComponent* owner, const std::string& resourceName) {
    T* form = new T(owner);
    try {
        if (!resourceName.empty()) ReadComponentResourceNamed(*form, resourceName);
    } catch (...) {
        delete form;
        throw;
    }
    form->DoCreate();
    return form;
}

}  // namespace platform::forms
