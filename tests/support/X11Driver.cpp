// The x11 driver: the program runs on the x11 backend against a real X server (Xvfb in the
// tests), input is sent through the server with xdotool as a user's would be, time is real, and
// the screen is read back from the server over a second connection.
//
// Every read of the screen first makes the backend's connection do a round trip, so that what it
// presented has reached the server before the second connection looks (a change made on one
// connection and checked on another is synchronised on the changing connection first).

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

#include "platform/ui/backend/x11/X11Backend.h"
#include "support/UiDriver.h"
#include "support/X11Observer.h"

namespace vktest {

namespace {

namespace ui = platform::ui;
using platform::core::TPoint;
using platform::core::TRect;
using platform::gfx::TBitmap;
using platform::gfx::TColor;

// The X key name of a virtual key, or empty when the driver does not know it.
std::string KeyName(uint32_t vk) {
    if (vk >= 'A' && vk <= 'Z') return std::string(1, static_cast<char>(vk - 'A' + 'a'));
    if (vk >= '0' && vk <= '9') return std::string(1, static_cast<char>(vk));
    if (vk >= ui::VK_F1 && vk <= ui::VK_F12) return "F" + std::to_string(vk - ui::VK_F1 + 1);
    switch (vk) {
        case ui::VK_BACK: return "BackSpace";
        case ui::VK_TAB: return "Tab";
        case ui::VK_RETURN: return "Return";
        case ui::VK_SHIFT: return "Shift_L";
        case ui::VK_CONTROL: return "Control_L";
        case ui::VK_MENU: return "Alt_L";
        case ui::VK_ESCAPE: return "Escape";
        case ui::VK_SPACE: return "space";
        case ui::VK_PRIOR: return "Prior";
        case ui::VK_NEXT: return "Next";
        case ui::VK_END: return "End";
        case ui::VK_HOME: return "Home";
        case ui::VK_LEFT: return "Left";
        case ui::VK_UP: return "Up";
        case ui::VK_RIGHT: return "Right";
        case ui::VK_DOWN: return "Down";
        case ui::VK_INSERT: return "Insert";
        case ui::VK_DELETE: return "Delete";
        default: return {};
    }
}

// A word for the shell, quoted so that it stays one word whatever it holds.
std::string Quote(const std::string& word) {
    std::string out = "'";
    for (char c : word) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

class TX11Driver final : public TUiDriver {
public:
    TX11Driver(std::unique_ptr<ui::TBackend> backend, std::unique_ptr<TX11Observer> observer)
        : m_system(std::make_unique<ui::TWindowSystem>(std::move(backend))), m_observer(std::move(observer)) {
        m_observer->SetKeyRepeat(static_cast<unsigned>(kRepeatDelay), static_cast<unsigned>(kRepeatInterval));
    }

    [[nodiscard]] TBackendKind Kind() const override { return TBackendKind::X11; }
    [[nodiscard]] ui::TWindowSystem& System() override { return *m_system; }

    void MouseMove(TPoint screen) override {
        Xdo("mousemove " + std::to_string(screen.X) + " " + std::to_string(screen.Y));
    }
    void MouseButton(ui::TMouseButton button, bool down) override {
        Xdo(std::string(down ? "mousedown " : "mouseup ") + std::to_string(ButtonNumber(button)));
    }
    // One xdotool run, so that the clicks of a double click are not spread by process starts.
    void Click(TPoint screen, ui::TMouseButton button, int count) override {
        Xdo("mousemove " + std::to_string(screen.X) + " " + std::to_string(screen.Y) + " click --repeat " +
            std::to_string(count) + " --delay 40 " + std::to_string(ButtonNumber(button)));
    }
    void Wheel(int delta) override {
        // One click of button 4 (away from the user) or 5 per notch.
        const int notches = std::abs(delta) / 120 > 0 ? std::abs(delta) / 120 : 1;
        Xdo("click --repeat " + std::to_string(notches) + " --delay 20 " + (delta > 0 ? "4" : "5"));
    }
    void KeyDown(uint32_t vk) override { XdoKey("keydown", vk); }
    void KeyUp(uint32_t vk) override { XdoKey("keyup", vk); }
    void KeyPress(uint32_t vk) override { XdoKey("key", vk); }
    void HoldKey(uint32_t vk, uint64_t ms) override {
        XdoKey("keydown", vk);
        Advance(ms);
        XdoKey("keyup", vk);
    }
    // The X server repeats the held key at the rate set in the constructor.
    bool HoldKeyUntil(uint32_t vk, const std::function<bool()>& done, uint64_t timeoutMs) override {
        XdoKey("keydown", vk);
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        while (!done() && std::chrono::steady_clock::now() < end) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
            Settle();
        }
        XdoKey("keyup", vk);
        return done();
    }
    void TypeText(const std::string& utf8) override { Xdo("type --delay 15 -- " + Quote(utf8)); }

    void Advance(uint64_t ms) override {
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
        for (;;) {
            m_system->ProcessMessages();
            const auto now = std::chrono::steady_clock::now();
            if (now >= end) break;
            std::this_thread::sleep_for(std::min<std::chrono::steady_clock::duration>(end - now,
                                                                                       std::chrono::milliseconds(5)));
        }
        Settle();
    }

    void Settle() override {
        // Each round: what the server sent so far is in the backend's queue after a round trip on
        // its connection; handling it may present, which the next round trip puts on the screen.
        for (int round = 0; round < 3; ++round) {
            (void)m_system->Backend().CursorPos();
            m_system->ProcessMessages();
        }
        (void)m_system->Backend().CursorPos();
    }

    [[nodiscard]] TColor ScreenPixel(int x, int y) override {
        Settle();
        TColor color = 0;
        if (!m_observer->Pixel(x, y, color)) ADD_FAILURE() << "the X server gave no pixel at " << x << ", " << y;
        return color;
    }
    [[nodiscard]] TBitmap Capture(const TRect& screen) override {
        Settle();
        TBitmap picture(std::max(0, screen.Width()), std::max(0, screen.Height()));
        if (!picture.Empty() && !m_observer->Capture(screen, picture))
            ADD_FAILURE() << "the X server gave no image of the rectangle";
        return picture;
    }
    [[nodiscard]] TBitmap CaptureWindow(const ui::TWindow* window) override {
        Settle();
        const TBitmap* buffer = m_system->BackBuffer(window);
        if (!buffer) {
            ADD_FAILURE() << "CaptureWindow needs a top-level window";
            return {};
        }
        return *buffer;
    }

private:
    static int ButtonNumber(ui::TMouseButton button) {
        return button == ui::TMouseButton::Right ? 3 : button == ui::TMouseButton::Middle ? 2 : 1;
    }
    void XdoKey(const std::string& action, uint32_t vk) {
        const std::string name = KeyName(vk);
        if (name.empty()) {
            ADD_FAILURE() << "the x11 driver cannot press virtual key " << vk;
            return;
        }
        Xdo(action + " " + name);
    }
    // xdotool's connection closes with a round trip, so the server has made the events when it
    // returns; Settle brings them to the program.
    void Xdo(const std::string& args) {
        const std::string command = "timeout 10 xdotool " + args;
        EXPECT_EQ(std::system(command.c_str()), 0) << command;
        Settle();
    }

    std::unique_ptr<ui::TWindowSystem> m_system;
    std::unique_ptr<TX11Observer> m_observer;
};

}  // namespace

std::unique_ptr<TUiDriver> MakeX11Driver(std::string& error) {
    const char* display = std::getenv("DISPLAY");
    if (!display || !*display) {
        error = "needs an X server: run under scripts/with-xvfb.sh";
        return nullptr;
    }
    auto observer = std::make_unique<TX11Observer>();
    if (!observer->Connected()) {
        error = std::string("cannot open display ") + display;
        return nullptr;
    }
    auto backend = ui::x11::CreateX11Backend(error);
    if (!backend) return nullptr;
    return std::make_unique<TX11Driver>(std::move(backend), std::move(observer));
}

}  // namespace vktest
