#pragma once
// The rich edit's classes for form resources.

namespace platform::forms {

class TClassRegistry;

// Registers TCustomRichEdit and TRichEdit (and the edit classes they build on).
void RegisterRichEditClasses(TClassRegistry& registry);

}  // namespace platform::forms
