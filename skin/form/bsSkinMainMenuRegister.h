#pragma once
// Makes the skinned main menu and main menu bar known to form resources, and adds the skin
// form's MainMenuBar reference. Called by RegisterSkinFormClasses; safe to call more than once.

namespace skin {

void RegisterSkinMainMenuClasses();

}  // namespace skin
