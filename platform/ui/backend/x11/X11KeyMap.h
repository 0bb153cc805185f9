#pragma once
// From X key symbols to the virtual-key codes of platform/ui/Messages.h. Pure functions, so that
// the mapping is testable without a display.

#include <cstdint>

#include "platform/ui/backend/x11/X11Xlib.h"

namespace platform::ui::x11 {

// The virtual key of a key press or release, 0 when the key has none.
//  level0:    the key's symbol on its first level in the active group (what the key is labelled);
//  effective: the symbol it produced with the current modifiers (decides keypad keys, which give
//             digits with Num Lock and cursor keys without);
//  keycode:   the X key code, for keys whose symbols name no virtual key (dead keys, letters of
//             other scripts): they get the code of the key at that position on a US keyboard.
[[nodiscard]] uint32_t VirtualKeyFor(KeySym level0, KeySym effective, unsigned keycode);

// kModShift, kModControl or kModAlt for the modifier keys' symbols, else 0.
[[nodiscard]] uint32_t ModifierBitOf(KeySym keysym);

// kMod* bits of an X modifier state (ShiftMask, ControlMask, Mod1Mask).
[[nodiscard]] uint32_t ModifiersFromState(unsigned state);

// Whether a character produced by a key is reported as typed. Delete (0x7F) is not, as on the
// platform the program was designed on; other control characters (Enter, Tab, Backspace,
// Escape, Ctrl+letter) are.
[[nodiscard]] bool IsTypedCharacter(char32_t ch);

}  // namespace platform::ui::x11
