#pragma once
// Makes the edit, the masked edit and the memo known to form resources by class name, with
// their published properties.

#include "platform/forms/PropertyTable.h"

namespace platform::forms {

// Safe to call more than once.
void RegisterEditClasses(TClassRegistry& registry);

}  // namespace platform::forms
