#pragma once
// The UI test context: a window system on the headless backend (or on the x11 backend under an X
// server) with an application, and what a test does with it as a user would: find a control by
// name, move over it, click it, type into it, let time pass, and read the screen back.
//
// Every action returns once the program has handled what it caused. Points given with a control
// are in its client coordinates; bare points are screen coordinates.

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <typeinfo>

#include "platform/core/Types.h"
#include "platform/forms/Application.h"
#include "platform/forms/Control.h"
#include "platform/forms/Form.h"
#include "platform/gfx/Bitmap.h"
#include "platform/ui/WindowSystem.h"
#include "support/UiDriver.h"

namespace vktest {

using TMouseButton = platform::ui::TMouseButton;

// Modifier keys held around a key press (KeyPress(vk, kShift | kControl)).
constexpr uint32_t kShift = 0x1, kControl = 0x2, kAlt = 0x4;

class TUiTestContext {
public:
    // std::runtime_error when the backend cannot start (no X server).
    explicit TUiTestContext(TBackendKind kind = TBackendKind::Headless,
                            platform::ui::headless::THeadlessScreen screen = {});
    ~TUiTestContext();
    TUiTestContext(const TUiTestContext&) = delete;
    TUiTestContext& operator=(const TUiTestContext&) = delete;

    [[nodiscard]] TBackendKind Kind() const { return m_driver->Kind(); }
    [[nodiscard]] bool Headless() const { return Kind() == TBackendKind::Headless; }
    [[nodiscard]] platform::ui::TWindowSystem& System() { return m_driver->System(); }
    [[nodiscard]] platform::forms::TApplication& App() { return *m_app; }
    // The headless session for what only it can do (scripted dialogs, desktop events, the
    // presented-frame log); std::logic_error on a display.
    [[nodiscard]] platform::ui::headless::THeadlessSession& Session();

    // ---- Finding controls ----
    // The component named name owned by form (a form's controls are owned by it), as a T.
    // Throws, which fails the test with the message, when there is none or it is no T.
    template <class T>
    T* Find(const platform::forms::TComponent& form, const std::string& name) {
        platform::forms::TComponent* found = FindComponent(form, name);
        if (auto* typed = dynamic_cast<T*>(found)) return typed;
        throw std::runtime_error(WrongClass(form, name, typeid(T).name()));
    }
    // The same in every form of the application (the first form that has one).
    template <class T>
    T* Find(const std::string& name) {
        platform::forms::TComponent* found = FindInForms(name);
        if (auto* typed = dynamic_cast<T*>(found)) return typed;
        throw std::runtime_error(WrongClass(App(), name, typeid(T).name()));
    }

    // ---- Pointer ----
    void MouseMove(platform::core::TPoint screen);
    void MouseDown(TMouseButton button = TMouseButton::Left);
    void MouseUp(TMouseButton button = TMouseButton::Left);
    void Click(platform::core::TPoint screen, TMouseButton button = TMouseButton::Left);
    void DoubleClick(platform::core::TPoint screen, TMouseButton button = TMouseButton::Left);
    // Press at from, move in steps to to, release there.
    void Drag(platform::core::TPoint from, platform::core::TPoint to, int steps = 4,
              TMouseButton button = TMouseButton::Left);
    void Wheel(int delta);

    // A control's client point on the screen; the middle of the control when none is given.
    [[nodiscard]] static platform::core::TPoint ScreenOf(const platform::forms::TControl* control, int x, int y);
    [[nodiscard]] static platform::core::TPoint CenterOf(const platform::forms::TControl* control);
    void MoveTo(const platform::forms::TControl* control);
    void MoveTo(const platform::forms::TControl* control, int x, int y);
    // Moves there and presses the button (Release lets it go).
    void Press(const platform::forms::TControl* control, int x, int y, TMouseButton button = TMouseButton::Left);
    void Release(TMouseButton button = TMouseButton::Left) { MouseUp(button); }
    void Click(const platform::forms::TControl* control, TMouseButton button = TMouseButton::Left);
    void Click(const platform::forms::TControl* control, int x, int y, TMouseButton button = TMouseButton::Left);
    void RightClick(const platform::forms::TControl* control) { Click(control, TMouseButton::Right); }
    void DoubleClick(const platform::forms::TControl* control, TMouseButton button = TMouseButton::Left);

    // ---- Keyboard ----
    void KeyDown(uint32_t vk);
    void KeyUp(uint32_t vk);
    void KeyPress(uint32_t vk);
    // The key pressed while the modifiers (kShift, kControl, kAlt) are held.
    void KeyPress(uint32_t vk, uint32_t modifiers);
    // Held for ms with the keyboard's repeat (kRepeatDelay, then every kRepeatInterval).
    void HoldKey(uint32_t vk, uint64_t ms);
    // Held, repeating as above, until done() holds (at most timeoutMs), then let go; returns
    // whether done() held. For bodies that also run on a display, whose repeat keeps its own pace.
    bool HoldKeyUntil(uint32_t vk, const std::function<bool()>& done, uint64_t timeoutMs = 3000);
    void TypeText(const std::string& utf8);
    // Gives the control the focus and types the text into it.
    void Type(platform::forms::TWinControl* control, const std::string& utf8);

    // ---- Time ----
    // The virtual clock moves by ms on the headless backend (timers due on the way run in
    // order); on a display the program runs for ms of real time.
    void Advance(uint64_t ms);
    // Handles what is pending; on a display also waits until presented pixels are on the screen.
    void ProcessMessages();
    // Lets time pass in steps of stepMs until done() holds, for at most timeoutMs. Meant for
    // tests that also run on a display, where timers and the server keep their own pace.
    bool WaitUntil(const std::function<bool()>& done, uint64_t timeoutMs = 3000, uint64_t stepMs = 10);

    // ---- Screen ----
    [[nodiscard]] platform::gfx::TColor Pixel(int x, int y);
    [[nodiscard]] platform::gfx::TColor Pixel(const platform::forms::TControl* control, int x, int y);
    // A rectangle of the screen, or a control's client area as the screen shows it.
    [[nodiscard]] platform::gfx::TBitmap Capture(const platform::core::TRect& screen);
    [[nodiscard]] platform::gfx::TBitmap Capture(const platform::forms::TControl* control);
    // A top-level window's presented pixels (window coordinates), also where others cover it.
    [[nodiscard]] platform::gfx::TBitmap CaptureWindow(const platform::ui::TWindow* window);
    [[nodiscard]] platform::gfx::TBitmap Screenshot();
    // Saves the screen (or the given picture) as <VK_UI_SHOTS>/<name>.png for a human to look at;
    // does nothing unless the environment variable VK_UI_SHOTS names a folder.
    void SavePng(const std::string& name);
    void SavePng(const platform::gfx::TBitmap& picture, const std::string& name);
    // Whether VK_UI_SHOTS names a folder (to skip making a picture nobody keeps).
    [[nodiscard]] static bool ShotsWanted();

    // Sum of the channel differences of two colours.
    [[nodiscard]] static int Distance(platform::gfx::TColor a, platform::gfx::TColor b);

private:
    [[nodiscard]] static platform::forms::TComponent* FindComponent(const platform::forms::TComponent& owner,
                                                                    const std::string& name);
    [[nodiscard]] platform::forms::TComponent* FindInForms(const std::string& name);
    [[nodiscard]] std::string WrongClass(const platform::forms::TComponent& owner, const std::string& name,
                                         const char* wanted);
    void WithModifiers(uint32_t modifiers, bool down);

    std::unique_ptr<TUiDriver> m_driver;
    std::unique_ptr<platform::forms::TApplication> m_app;
};

}  // namespace vktest
