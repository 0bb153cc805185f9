#pragma once
// Makes the skinned box controls (up-down, scroll bar, list box, combo box) known to form
// resources by class name, with their published properties.

namespace skin {

// Registers the skinned controls and the skin data classes too. Safe to call more than once.
void RegisterSkinBoxClasses();

}  // namespace skin
