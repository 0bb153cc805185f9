// Virtual keys from X key symbols: by symbol where the symbol names a key, by position where it
// does not (other scripts, dead keys), and by the effective symbol on the keypad.

#include <gtest/gtest.h>

#include "platform/ui/backend/x11/X11KeyMap.h"

namespace {

using namespace platform::ui;
using namespace platform::ui::x11;

// X key codes are the kernel's key numbers plus 8.
constexpr unsigned Key(unsigned kernelKey) {
    return kernelKey + 8;
}

TEST(X11KeyMap, CharacterKeysFollowTheLayoutsSymbols) {
    EXPECT_EQ(VirtualKeyFor(XK_a, XK_A, Key(30)), static_cast<uint32_t>('A'));
    EXPECT_EQ(VirtualKeyFor(XK_Z, XK_Z, Key(44)), static_cast<uint32_t>('Z'));
    // A German keyboard has Z where a US one has Y: the symbol decides.
    EXPECT_EQ(VirtualKeyFor(XK_z, XK_z, Key(21)), static_cast<uint32_t>('Z'));
    EXPECT_EQ(VirtualKeyFor(XK_7, XK_slash, Key(8)), static_cast<uint32_t>('7'));
    EXPECT_EQ(VirtualKeyFor(XK_minus, XK_underscore, Key(12)), VK_OEM_MINUS);
    EXPECT_EQ(VirtualKeyFor(XK_apostrophe, XK_quotedbl, Key(40)), VK_OEM_7);
}

TEST(X11KeyMap, SymbolsThatNameNoKeyUseTheKeysPosition) {
    // Cyrillic ef sits where A is; a French keyboard's digit row types symbols on its first level.
    EXPECT_EQ(VirtualKeyFor(XK_Cyrillic_ef, XK_Cyrillic_ef, Key(30)), static_cast<uint32_t>('A'));
    EXPECT_EQ(VirtualKeyFor(XK_eacute, XK_eacute, Key(3)), static_cast<uint32_t>('2'));
    EXPECT_EQ(VirtualKeyFor(XK_dead_circumflex, XK_dead_circumflex, Key(26)), VK_OEM_4);
    EXPECT_EQ(VirtualKeyFor(XK_odiaeresis, XK_odiaeresis, Key(39)), VK_OEM_1);
    EXPECT_EQ(VirtualKeyFor(NoSymbol, NoSymbol, 0), 0u);
}

TEST(X11KeyMap, KeypadFollowsNumLockAndFunctionKeysMapByName) {
    EXPECT_EQ(VirtualKeyFor(XK_KP_End, XK_KP_1, Key(79)), VK_NUMPAD1);
    EXPECT_EQ(VirtualKeyFor(XK_KP_End, XK_KP_End, Key(79)), VK_END);
    EXPECT_EQ(VirtualKeyFor(XK_KP_Enter, XK_KP_Enter, Key(96)), VK_RETURN);
    EXPECT_EQ(VirtualKeyFor(XK_KP_Divide, XK_KP_Divide, Key(98)), VK_DIVIDE);
    EXPECT_EQ(VirtualKeyFor(XK_F1, XK_F1, Key(59)), VK_F1);
    EXPECT_EQ(VirtualKeyFor(XK_F12, XK_F12, Key(88)), VK_F12);
    EXPECT_EQ(VirtualKeyFor(XK_ISO_Left_Tab, XK_ISO_Left_Tab, Key(15)), VK_TAB);
    EXPECT_EQ(VirtualKeyFor(XK_Escape, XK_Escape, Key(1)), VK_ESCAPE);
    EXPECT_EQ(VirtualKeyFor(XK_Next, XK_Next, Key(109)), VK_NEXT);
}

TEST(X11KeyMap, ModifiersAndAltGr) {
    EXPECT_EQ(VirtualKeyFor(XK_Shift_R, XK_Shift_R, Key(54)), VK_SHIFT);
    EXPECT_EQ(VirtualKeyFor(XK_Control_L, XK_Control_L, Key(29)), VK_CONTROL);
    EXPECT_EQ(VirtualKeyFor(XK_Alt_L, XK_Alt_L, Key(56)), VK_MENU);
    EXPECT_EQ(ModifierBitOf(XK_Shift_R), kModShift);
    EXPECT_EQ(ModifierBitOf(XK_Meta_L), kModAlt);
    // AltGr types characters; it must not look like Alt held (a menu shortcut).
    EXPECT_EQ(VirtualKeyFor(XK_ISO_Level3_Shift, XK_ISO_Level3_Shift, Key(100)), VK_RMENU);
    EXPECT_EQ(ModifierBitOf(XK_ISO_Level3_Shift), 0u);
    EXPECT_EQ(ModifiersFromState(ShiftMask | Mod1Mask | Mod5Mask | LockMask), kModShift | kModAlt);
    EXPECT_FALSE(IsTypedCharacter(0x7F));
    EXPECT_TRUE(IsTypedCharacter(U'\r'));
    EXPECT_TRUE(IsTypedCharacter(U'\u00e4'));
}

}  // namespace
