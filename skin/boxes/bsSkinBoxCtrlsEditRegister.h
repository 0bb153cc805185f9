#pragma once
// Makes the skinned edits and memos known to form resources, with their published properties.

#include "platform/forms/PropertyTable.h"

namespace skin {

// Safe to call more than once.
void RegisterSkinEditClasses(platform::forms::TClassRegistry& registry);

}  // namespace skin
