#pragma once
// Form-resource registration of the view controls: tree view, list view, header control,
// splitter and control bar.

namespace platform::forms {

class TClassRegistry;
void RegisterViewClasses(TClassRegistry& registry);

}  // namespace platform::forms
