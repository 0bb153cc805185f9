#pragma once
// The keyboard state as controls and menus read it.

#include "platform/forms/Component.h"

namespace platform::forms {

// The shift state of the keyboard now (from the window system).
[[nodiscard]] TShiftState KeyboardShiftState();

}  // namespace platform::forms
