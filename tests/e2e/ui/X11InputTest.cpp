// Keyboard and pointer input of the x11 backend: X events sent to its window come out as
// virtual keys, typed characters (through the input method) and pointer events.

#include "X11TestSupport.h"

namespace vktest {
namespace {

class X11InputTest : public X11Fixture {
protected:
    void SetUp() override {
        X11Fixture::SetUp();
        if (HasFatalFailure()) return;
        m_window = ShowFilled({60, 60, 260, 200}, 0x707070);
        Backend().SetKeyboardFocus(m_window);
        ASSERT_TRUE(PumpUntil([&] { return FocusedWindow() == m_window; }));
        Events().clear();
    }

    void SendKey(KeySym sym, bool press, unsigned state = 0, KeyCode code = 0) {
        XEvent event{};
        event.xkey.type = press ? KeyPress : KeyRelease;
        event.xkey.window = m_window;
        event.xkey.root = Root();
        event.xkey.subwindow = None;
        event.xkey.time = ++m_time;
        event.xkey.state = state;
        event.xkey.keycode = code ? code : XKeysymToKeycode(Observer(), sym);
        event.xkey.same_screen = True;
        XSendEvent(Observer(), m_window, False, press ? KeyPressMask : KeyReleaseMask, &event);
        XFlush(Observer());
    }

    void SendButton(unsigned button, bool press, int rootX, int rootY) {
        XEvent event{};
        event.xbutton.type = press ? ButtonPress : ButtonRelease;
        event.xbutton.window = m_window;
        event.xbutton.root = Root();
        event.xbutton.time = ++m_time;
        event.xbutton.x = rootX - 60;
        event.xbutton.y = rootY - 60;
        event.xbutton.x_root = rootX;
        event.xbutton.y_root = rootY;
        event.xbutton.button = button;
        event.xbutton.same_screen = True;
        XSendEvent(Observer(), m_window, False, press ? ButtonPressMask : ButtonReleaseMask, &event);
        XFlush(Observer());
    }

    // Waits until n events of the kinds that keys make have arrived.
    std::vector<TInputEvent> KeyEvents(std::size_t n) {
        std::vector<TInputEvent> keys;
        PumpUntil([&] {
            keys.clear();
            for (const TInputEvent& e : Events()) {
                if (e.Kind == TInputKind::KeyDown || e.Kind == TInputKind::KeyUp ||
                    e.Kind == TInputKind::Char) {
                    keys.push_back(e);
                }
            }
            return keys.size() >= n;
        });
        Settle();
        keys.clear();
        for (const TInputEvent& e : Events()) {
            if (e.Kind == TInputKind::KeyDown || e.Kind == TInputKind::KeyUp || e.Kind == TInputKind::Char) {
                keys.push_back(e);
            }
        }
        Events().clear();
        return keys;
    }

    TNativeId m_window = 0;
    Time m_time = 1000;
};

TEST_F(X11InputTest, KeysBecomeVirtualKeysAndTypedCharacters) {
    ASSERT_TRUE(Backend().HasInputMethod());
    SendKey(XK_a, true, ShiftMask);
    SendKey(XK_a, true, ShiftMask);  // held: the server repeats the press alone
    SendKey(XK_a, false, ShiftMask);
    auto keys = KeyEvents(5);
    ASSERT_EQ(keys.size(), 5u);
    EXPECT_EQ(keys[0].Kind, TInputKind::KeyDown);
    EXPECT_EQ(keys[0].VirtualKey, static_cast<uint32_t>('A'));
    EXPECT_EQ(keys[0].Modifiers, kModShift);
    EXPECT_FALSE(keys[0].AutoRepeat);
    EXPECT_EQ(keys[1].Kind, TInputKind::Char);
    EXPECT_EQ(keys[1].Char, U'A');
    EXPECT_TRUE(keys[2].AutoRepeat);
    EXPECT_EQ(keys[3].Char, U'A');
    EXPECT_EQ(keys[4].Kind, TInputKind::KeyUp);
    EXPECT_EQ(keys[4].VirtualKey, static_cast<uint32_t>('A'));
    EXPECT_EQ(keys[4].Window, m_window);

    // Enter types a carriage return; Delete types nothing; Ctrl+C types its control code.
    SendKey(XK_Return, true);
    SendKey(XK_Delete, true);
    SendKey(XK_c, true, ControlMask);
    keys = KeyEvents(5);
    ASSERT_EQ(keys.size(), 5u);
    EXPECT_EQ(keys[0].VirtualKey, VK_RETURN);
    EXPECT_EQ(keys[1].Char, U'\r');
    EXPECT_EQ(keys[2].VirtualKey, VK_DELETE);
    EXPECT_EQ(keys[3].VirtualKey, static_cast<uint32_t>('C'));
    EXPECT_EQ(keys[3].Modifiers, kModControl);
    EXPECT_EQ(keys[4].Char, char32_t{3});

    // The keypad gives digits with Num Lock (Mod2 on this server) and cursor keys without.
    SendKey(XK_KP_End, true, Mod2Mask);
    SendKey(XK_KP_End, false, Mod2Mask);
    SendKey(XK_KP_End, true, 0);
    keys = KeyEvents(4);
    ASSERT_EQ(keys.size(), 4u);
    EXPECT_EQ(keys[0].VirtualKey, VK_NUMPAD1);
    EXPECT_EQ(keys[1].Char, U'1');
    EXPECT_EQ(keys[2].VirtualKey, VK_NUMPAD1) << "a release names the key its press named";
    EXPECT_EQ(keys[3].VirtualKey, VK_END);

    // Modifier keys report themselves as held when pressed, released when released.
    SendKey(XK_Shift_L, true, 0);
    SendKey(XK_Shift_L, false, ShiftMask);
    keys = KeyEvents(2);
    ASSERT_EQ(keys.size(), 2u);
    EXPECT_EQ(keys[0].VirtualKey, VK_SHIFT);
    EXPECT_EQ(keys[0].Modifiers, kModShift);
    EXPECT_EQ(keys[1].Modifiers, 0u);
}

TEST_F(X11InputTest, DeadKeyComposesAnUmlaut) {
    ASSERT_TRUE(Backend().HasInputMethod());
    // Give an unused key code the dead diaeresis, as a German keyboard has one.
    int minCode = 0, maxCode = 0;
    XDisplayKeycodes(Observer(), &minCode, &maxCode);
    KeyCode spare = 0;
    for (int code = maxCode; code >= minCode && spare == 0; --code) {
        int perCode = 0;
        KeySym* syms = XGetKeyboardMapping(Observer(), static_cast<KeyCode>(code), 1, &perCode);
        bool unused = true;
        for (int i = 0; i < perCode; ++i) unused = unused && syms[i] == NoSymbol;
        XFree(syms);
        if (unused) spare = static_cast<KeyCode>(code);
    }
    ASSERT_NE(spare, 0);
    KeySym dead[2] = {XK_dead_diaeresis, XK_dead_diaeresis};
    XChangeKeyboardMapping(Observer(), spare, 2, dead, 1);
    Settle();

    SendKey(XK_dead_diaeresis, true, 0, spare);
    SendKey(XK_dead_diaeresis, false, 0, spare);
    SendKey(XK_a, true);
    SendKey(XK_a, false);
    auto keys = KeyEvents(2);

    KeySym none[2] = {NoSymbol, NoSymbol};
    XChangeKeyboardMapping(Observer(), spare, 2, none, 1);
    XSync(Observer(), False);

    std::u32string typed;
    for (const TInputEvent& e : keys) {
        if (e.Kind == TInputKind::Char) typed.push_back(e.Char);
    }
    EXPECT_EQ(typed, U"\u00e4");
}

TEST_F(X11InputTest, PointerEventsNameOurWindowUnderThePointer) {
    SendButton(Button1, true, 100, 120);
    SendButton(Button1, false, 100, 120);
    SendButton(Button3, true, 150, 130);
    SendButton(Button4, true, 150, 130);
    SendButton(Button4, false, 150, 130);
    SendButton(Button5, true, 150, 130);
    ASSERT_TRUE(PumpUntil([&] { return Take(TInputKind::Wheel).size() == 2; }));
    const auto downs = Take(TInputKind::ButtonDown);
    ASSERT_EQ(downs.size(), 2u);
    EXPECT_EQ(downs[0].Button, TMouseButton::Left);
    EXPECT_EQ(downs[0].ScreenPos, (platform::core::TPoint{100, 120}));
    EXPECT_EQ(downs[0].Window, m_window);
    EXPECT_EQ(downs[1].Button, TMouseButton::Right);
    ASSERT_EQ(Take(TInputKind::ButtonUp).size(), 1u);
    const auto wheels = Take(TInputKind::Wheel);
    EXPECT_EQ(wheels[0].WheelDelta, 120);
    EXPECT_EQ(wheels[1].WheelDelta, -120);

    // The pointer moved by someone else: the backend sees it where it is.
    XWarpPointer(Observer(), None, Root(), 0, 0, 0, 0, 200, 150);
    XFlush(Observer());
    ASSERT_TRUE(PumpUntil([&] {
        for (const TInputEvent& e : Take(TInputKind::MouseMove)) {
            if (e.ScreenPos == platform::core::TPoint{200, 150} && e.Window == m_window) return true;
        }
        return false;
    }));
    EXPECT_EQ(Backend().CursorPos(), (platform::core::TPoint{200, 150}));
    Backend().SetCursorPos({5, 6});
    EXPECT_EQ(Backend().CursorPos(), (platform::core::TPoint{5, 6}));
    // Leaving our window for the bare desktop is a move over none of ours.
    ASSERT_TRUE(PumpUntil([&] {
        const auto moves = Take(TInputKind::MouseMove);
        return !moves.empty() && moves.back().Window == 0;
    }));
}

}  // namespace
}  // namespace vktest
