#pragma once
// What differs between running a UI test on the headless backend and on the x11 backend: how
// input reaches the program, how time passes and how the screen is read back. The test context
// (UiTestContext.h) holds one driver and builds everything else on top of it.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/core/Types.h"
#include "platform/gfx/Bitmap.h"
#include "platform/ui/WindowSystem.h"
#include "platform/ui/backend/headless/HeadlessSession.h"

namespace vktest {

enum class TBackendKind : uint8_t { Headless, X11 };

// The keyboard repeat of the headless driver; the x11 driver sets the X server's to the same.
constexpr uint64_t kRepeatDelay = 500, kRepeatInterval = 50;

// "Headless" or "X11": the names of parameterised test instances.
[[nodiscard]] std::string BackendName(TBackendKind kind);

class TUiDriver {
public:
    virtual ~TUiDriver() = default;

    [[nodiscard]] virtual TBackendKind Kind() const = 0;
    [[nodiscard]] virtual platform::ui::TWindowSystem& System() = 0;

    // Every input call returns once the program has taken the input and handled what it caused.
    virtual void MouseMove(platform::core::TPoint screen) = 0;
    virtual void MouseButton(platform::ui::TMouseButton button, bool down) = 0;
    // Moves there and clicks count times in quick succession (2: a double click).
    virtual void Click(platform::core::TPoint screen, platform::ui::TMouseButton button, int count) = 0;
    virtual void Wheel(int delta) = 0;
    // A key going down or up alone. On a display the server's keyboard map also types the key's
    // character on the way down; on the headless backend only KeyPress does.
    virtual void KeyDown(uint32_t vk) = 0;
    virtual void KeyUp(uint32_t vk) = 0;
    // Down, the character the key types (letters, digits, space, Enter, Escape, Tab, Backspace;
    // capitals while Shift is down), up.
    virtual void KeyPress(uint32_t vk) = 0;
    // A key held down for ms and then released, repeating as a keyboard does: the first repeat
    // after kRepeatDelay, then one every kRepeatInterval.
    virtual void HoldKey(uint32_t vk, uint64_t ms) = 0;
    // Holds the key, repeating, until done() holds or timeoutMs passed; then lets it go. Returns
    // whether done() held.
    virtual bool HoldKeyUntil(uint32_t vk, const std::function<bool()>& done, uint64_t timeoutMs) = 0;
    // Each character as the keyboard types it.
    virtual void TypeText(const std::string& utf8) = 0;

    // Lets ms pass: the virtual clock on the headless backend, real time on a display.
    virtual void Advance(uint64_t ms) = 0;
    // Dispatches what is pending and makes sure the screen shows what was presented.
    virtual void Settle() = 0;

    // Pixels as the screen shows them (after Settle).
    [[nodiscard]] virtual platform::gfx::TColor ScreenPixel(int x, int y) = 0;
    [[nodiscard]] virtual platform::gfx::TBitmap Capture(const platform::core::TRect& screen) = 0;
    // A top-level window's presented pixels, also where other windows cover it.
    [[nodiscard]] virtual platform::gfx::TBitmap CaptureWindow(const platform::ui::TWindow* window) = 0;

    // The headless session behind a headless driver, null on a display.
    [[nodiscard]] virtual platform::ui::headless::THeadlessSession* Session() { return nullptr; }
};

[[nodiscard]] std::unique_ptr<TUiDriver> MakeHeadlessDriver(platform::ui::headless::THeadlessScreen screen);
// Null with a message in error when no X server can be reached.
[[nodiscard]] std::unique_ptr<TUiDriver> MakeX11Driver(std::string& error);

}  // namespace vktest
