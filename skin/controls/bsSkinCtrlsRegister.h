#pragma once
// Makes the skinned controls known to form resources by class name, with their published
// properties.

namespace skin {

// Registers the skin data classes too. Safe to call more than once.
void RegisterSkinControlClasses();
// The skin button's glyph from its action's image (bsSkinCtrlsButtonAction.cpp).
void RegisterSkinButtonActionHook();

}  // namespace skin
