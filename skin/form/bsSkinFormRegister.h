#pragma once
// Makes the skin form and the skinned message box known to form resources by class name, with
// their published properties.

namespace skin {

// Registers the skinned controls and the skin data classes too. Safe to call more than once.
void RegisterSkinFormClasses();

}  // namespace skin
