#include "platform/ui/backend/x11/X11KeyMap.h"

#include "platform/ui/Messages.h"
#include "platform/ui/backend/Backend.h"

namespace platform::ui::x11 {

namespace {

// Keypad symbols, which depend on Num Lock and so are read from the effective symbol.
uint32_t KeypadKey(KeySym sym) {
    if (sym >= XK_KP_0 && sym <= XK_KP_9) return VK_NUMPAD0 + static_cast<uint32_t>(sym - XK_KP_0);
    switch (sym) {
        case XK_KP_Multiply:
            return VK_MULTIPLY;
        case XK_KP_Add:
            return VK_ADD;
        case XK_KP_Separator:
            return VK_SEPARATOR;
        case XK_KP_Subtract:
            return VK_SUBTRACT;
        case XK_KP_Decimal:
            return VK_DECIMAL;
        case XK_KP_Divide:
            return VK_DIVIDE;
        case XK_KP_Enter:
            return VK_RETURN;
        case XK_KP_Home:
            return VK_HOME;
        case XK_KP_End:
            return VK_END;
        case XK_KP_Left:
            return VK_LEFT;
        case XK_KP_Right:
            return VK_RIGHT;
        case XK_KP_Up:
            return VK_UP;
        case XK_KP_Down:
            return VK_DOWN;
        case XK_KP_Prior:
            return VK_PRIOR;
        case XK_KP_Next:
            return VK_NEXT;
        case XK_KP_Insert:
            return VK_INSERT;
        case XK_KP_Delete:
            return VK_DELETE;
        case XK_KP_Begin:
            return VK_CLEAR;
        case XK_KP_Space:
            return VK_SPACE;
        case XK_KP_Tab:
            return VK_TAB;
        case XK_KP_Equal:
            return VK_OEM_PLUS;
        default:
            return 0;
    }
}

struct TKeyPair {
    KeySym Sym;
    uint32_t Vk;
};

// Keys that type no character, and the modifiers. AltGr types the third level; it is reported
// as the right Alt key but never as Alt held (see ModifierBitOf), so that AltGr+Q typing "@" is
// no menu shortcut.
constexpr TKeyPair kFunctionKeys[] = {
    {XK_BackSpace, VK_BACK},
    {XK_Tab, VK_TAB},
    {XK_ISO_Left_Tab, VK_TAB},
    {XK_Clear, VK_CLEAR},
    {XK_Return, VK_RETURN},
    {XK_Escape, VK_ESCAPE},
    {XK_space, VK_SPACE},
    {XK_Prior, VK_PRIOR},
    {XK_Next, VK_NEXT},
    {XK_End, VK_END},
    {XK_Home, VK_HOME},
    {XK_Left, VK_LEFT},
    {XK_Up, VK_UP},
    {XK_Right, VK_RIGHT},
    {XK_Down, VK_DOWN},
    {XK_Select, VK_SELECT},
    {XK_Print, VK_SNAPSHOT},
    {XK_Insert, VK_INSERT},
    {XK_Delete, VK_DELETE},
    {XK_Help, VK_HELP},
    {XK_Pause, VK_PAUSE},
    {XK_Break, VK_CANCEL},
    {XK_Caps_Lock, VK_CAPITAL},
    {XK_Num_Lock, VK_NUMLOCK},
    {XK_Scroll_Lock, VK_SCROLL},
    {XK_Shift_L, VK_SHIFT},
    {XK_Shift_R, VK_SHIFT},
    {XK_Control_L, VK_CONTROL},
    {XK_Control_R, VK_CONTROL},
    {XK_Alt_L, VK_MENU},
    {XK_Alt_R, VK_MENU},
    {XK_Meta_L, VK_MENU},
    {XK_Meta_R, VK_MENU},
    {XK_ISO_Level3_Shift, VK_RMENU},
    {XK_Mode_switch, VK_RMENU},
    {XK_Super_L, VK_LWIN},
    {XK_Super_R, VK_RWIN},
    {XK_Menu, VK_APPS},
};

uint32_t FunctionKey(KeySym sym) {
    if (sym >= XK_F1 && sym <= XK_F24) return VK_F1 + static_cast<uint32_t>(sym - XK_F1);
    for (const TKeyPair& k : kFunctionKeys)
        if (k.Sym == sym) return k.Vk;
    return 0;
}

// Characters on the first level: letters, digits and the US punctuation keys.
uint32_t CharacterKey(KeySym sym) {
    if (sym >= XK_a && sym <= XK_z) return 'A' + static_cast<uint32_t>(sym - XK_a);
    if (sym >= XK_A && sym <= XK_Z) return static_cast<uint32_t>(sym);
    if (sym >= XK_0 && sym <= XK_9) return static_cast<uint32_t>(sym);
    switch (sym) {
        case XK_semicolon:
            return VK_OEM_1;
        case XK_equal:
        case XK_plus:
            return VK_OEM_PLUS;
        case XK_comma:
            return VK_OEM_COMMA;
        case XK_minus:
            return VK_OEM_MINUS;
        case XK_period:
            return VK_OEM_PERIOD;
        case XK_slash:
            return VK_OEM_2;
        case XK_grave:
            return VK_OEM_3;
        case XK_bracketleft:
            return VK_OEM_4;
        case XK_backslash:
            return VK_OEM_5;
        case XK_bracketright:
            return VK_OEM_6;
        case XK_apostrophe:
            return VK_OEM_7;
        case XK_less:
            return VK_OEM_102;
        default:
            return 0;
    }
}

// The key at this position of a US keyboard. X key codes are the kernel's key numbers plus 8.
uint32_t PositionalKey(unsigned keycode) {
    if (keycode < 8) return 0;
    const unsigned key = keycode - 8;
    if (key >= 2 && key <= 10) return '1' + (key - 2);
    if (key == 11) return '0';
    static constexpr char kRowQ[] = "QWERTYUIOP";  // keys 16..25
    static constexpr char kRowA[] = "ASDFGHJKL";   // keys 30..38
    static constexpr char kRowZ[] = "ZXCVBNM";     // keys 44..50
    if (key >= 16 && key <= 25) return static_cast<uint32_t>(kRowQ[key - 16]);
    if (key >= 30 && key <= 38) return static_cast<uint32_t>(kRowA[key - 30]);
    if (key >= 44 && key <= 50) return static_cast<uint32_t>(kRowZ[key - 44]);
    switch (key) {
        case 12:
            return VK_OEM_MINUS;
        case 13:
            return VK_OEM_PLUS;
        case 26:
            return VK_OEM_4;
        case 27:
            return VK_OEM_6;
        case 39:
            return VK_OEM_1;
        case 40:
            return VK_OEM_7;
        case 41:
            return VK_OEM_3;
        case 43:
            return VK_OEM_5;
        case 51:
            return VK_OEM_COMMA;
        case 52:
            return VK_OEM_PERIOD;
        case 53:
            return VK_OEM_2;
        case 86:
            return VK_OEM_102;
        default:
            return 0;
    }
}

}  // namespace

uint32_t VirtualKeyFor(KeySym level0, KeySym effective, unsigned keycode) {
    if (uint32_t vk = KeypadKey(effective)) return vk;
    if (uint32_t vk = KeypadKey(level0)) return vk;
    if (uint32_t vk = FunctionKey(level0)) return vk;
    if (uint32_t vk = CharacterKey(level0)) return vk;
    if (uint32_t vk = FunctionKey(effective)) return vk;
    return PositionalKey(keycode);
}

uint32_t ModifierBitOf(KeySym keysym) {
    switch (keysym) {
        case XK_Shift_L:
        case XK_Shift_R:
            return kModShift;
        case XK_Control_L:
        case XK_Control_R:
            return kModControl;
        case XK_Alt_L:
        case XK_Alt_R:
        case XK_Meta_L:
        case XK_Meta_R:
            return kModAlt;
        default:
            return 0;
    }
}

uint32_t ModifiersFromState(unsigned state) {
    uint32_t mods = 0;
    if (state & ShiftMask) mods |= kModShift;
    if (state & ControlMask) mods |= kModControl;
    if (state & Mod1Mask) mods |= kModAlt;
    return mods;
}

bool IsTypedCharacter(char32_t ch) {
    return ch != 0 && ch != 0x7F;
}

}  // namespace platform::ui::x11
