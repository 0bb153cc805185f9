#pragma once
// Makes the skin data components known to form resources by class name, with their published
// properties.

namespace skin {

// Safe to call more than once.
void RegisterSkinDataClasses();

}  // namespace skin
