#include "support/UiTestContext.h"

#include <cstdlib>
#include <filesystem>

#include "platform/forms/WinControl.h"

namespace vktest {

namespace ui = platform::ui;
namespace forms = platform::forms;
using platform::core::TPoint;
using platform::core::TRect;
using platform::gfx::TBitmap;
using platform::gfx::TColor;

TUiTestContext::TUiTestContext(TBackendKind kind, ui::headless::THeadlessScreen screen) {
    if (kind == TBackendKind::Headless) {
        m_driver = MakeHeadlessDriver(std::move(screen));
    } else {
        std::string error;
        m_driver = MakeX11Driver(error);
        if (!m_driver) throw std::runtime_error("the x11 backend does not start: " + error);
    }
    m_app = std::make_unique<forms::TApplication>();
}

// The application frees its forms while the window system still runs.
TUiTestContext::~TUiTestContext() {
    m_app.reset();
    m_driver.reset();
}

ui::headless::THeadlessSession& TUiTestContext::Session() {
    ui::headless::THeadlessSession* session = m_driver->Session();
    if (!session) throw std::logic_error("this test needs the headless backend");
    return *session;
}

// ---- Finding controls ----

forms::TComponent* TUiTestContext::FindComponent(const forms::TComponent& owner, const std::string& name) {
    if (forms::TComponent* direct = owner.FindComponent(name)) return direct;
    // Forms read from a resource own their controls; frames and panels built in code may own
    // their children themselves.
    for (int i = 0; i < owner.ComponentCount(); ++i)
        if (forms::TComponent* deeper = FindComponent(*owner.Components(i), name)) return deeper;
    return nullptr;
}

forms::TComponent* TUiTestContext::FindInForms(const std::string& name) {
    for (forms::TForm* form : m_app->Forms()) {
        if (form->Name() == name) return form;
        if (forms::TComponent* found = FindComponent(*form, name)) return found;
    }
    return FindComponent(*m_app, name);
}

std::string TUiTestContext::WrongClass(const forms::TComponent& owner, const std::string& name,
                                       const char* wanted) {
    const std::string where = owner.Name().empty() ? owner.ClassName() : "'" + owner.Name() + "'";
    forms::TComponent* found = &owner == m_app.get() ? FindInForms(name) : FindComponent(owner, name);
    if (!found) return "no component named '" + name + "' in " + where;
    return "'" + name + "' in " + where + " is a " + found->ClassName() + ", not the class wanted (" + wanted +
           ")";
}

// ---- Pointer ----

void TUiTestContext::MouseMove(TPoint screen) { m_driver->MouseMove(screen); }
void TUiTestContext::MouseDown(TMouseButton button) { m_driver->MouseButton(button, true); }
void TUiTestContext::MouseUp(TMouseButton button) { m_driver->MouseButton(button, false); }

void TUiTestContext::Click(TPoint screen, TMouseButton button) { m_driver->Click(screen, button, 1); }
void TUiTestContext::DoubleClick(TPoint screen, TMouseButton button) { m_driver->Click(screen, button, 2); }

void TUiTestContext::Drag(TPoint from, TPoint to, int steps, TMouseButton button) {
    if (Headless()) return Session().Drag(from, to, steps, button);
    steps = std::max(1, steps);
    m_driver->MouseMove(from);
    m_driver->MouseButton(button, true);
    for (int i = 1; i <= steps; ++i)
        m_driver->MouseMove({from.X + (to.X - from.X) * i / steps, from.Y + (to.Y - from.Y) * i / steps});
    m_driver->MouseButton(button, false);
}

void TUiTestContext::Wheel(int delta) { m_driver->Wheel(delta); }

TPoint TUiTestContext::ScreenOf(const forms::TControl* control, int x, int y) {
    return control->ClientToScreen({x, y});
}

TPoint TUiTestContext::CenterOf(const forms::TControl* control) {
    const TRect r = control->ClientRect();
    return ScreenOf(control, (r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
}

void TUiTestContext::MoveTo(const forms::TControl* control) { MouseMove(CenterOf(control)); }
void TUiTestContext::MoveTo(const forms::TControl* control, int x, int y) { MouseMove(ScreenOf(control, x, y)); }

void TUiTestContext::Press(const forms::TControl* control, int x, int y, TMouseButton button) {
    MoveTo(control, x, y);
    MouseDown(button);
}

void TUiTestContext::Click(const forms::TControl* control, TMouseButton button) {
    Click(CenterOf(control), button);
}
void TUiTestContext::Click(const forms::TControl* control, int x, int y, TMouseButton button) {
    Click(ScreenOf(control, x, y), button);
}
void TUiTestContext::DoubleClick(const forms::TControl* control, TMouseButton button) {
    DoubleClick(CenterOf(control), button);
}

// ---- Keyboard ----

void TUiTestContext::KeyDown(uint32_t vk) { m_driver->KeyDown(vk); }
void TUiTestContext::KeyUp(uint32_t vk) { m_driver->KeyUp(vk); }
void TUiTestContext::KeyPress(uint32_t vk) { m_driver->KeyPress(vk); }

void TUiTestContext::WithModifiers(uint32_t modifiers, bool down) {
    const uint32_t keys[] = {ui::VK_CONTROL, ui::VK_MENU, ui::VK_SHIFT};
    const uint32_t bits[] = {kControl, kAlt, kShift};
    for (int i = 0; i < 3; ++i) {
        const int k = down ? i : 2 - i;  // let go in the reverse order
        if (modifiers & bits[k]) {
            if (down)
                m_driver->KeyDown(keys[k]);
            else
                m_driver->KeyUp(keys[k]);
        }
    }
}

void TUiTestContext::KeyPress(uint32_t vk, uint32_t modifiers) {
    WithModifiers(modifiers, true);
    m_driver->KeyPress(vk);
    WithModifiers(modifiers, false);
}

void TUiTestContext::HoldKey(uint32_t vk, uint64_t ms) { m_driver->HoldKey(vk, ms); }
bool TUiTestContext::HoldKeyUntil(uint32_t vk, const std::function<bool()>& done, uint64_t timeoutMs) {
    return m_driver->HoldKeyUntil(vk, done, timeoutMs);
}
void TUiTestContext::TypeText(const std::string& utf8) { m_driver->TypeText(utf8); }

void TUiTestContext::Type(forms::TWinControl* control, const std::string& utf8) {
    control->SetFocus();
    ProcessMessages();
    if (!control->Focused()) ADD_FAILURE() << "'" << control->Name() << "' does not take the focus to be typed into";
    TypeText(utf8);
}

// ---- Time ----

void TUiTestContext::Advance(uint64_t ms) { m_driver->Advance(ms); }
void TUiTestContext::ProcessMessages() { m_driver->Settle(); }

bool TUiTestContext::WaitUntil(const std::function<bool()>& done, uint64_t timeoutMs, uint64_t stepMs) {
    m_driver->Settle();
    for (uint64_t waited = 0; !done(); waited += stepMs) {
        if (waited >= timeoutMs) return false;
        m_driver->Advance(stepMs);
    }
    return true;
}

// ---- Screen ----

TColor TUiTestContext::Pixel(int x, int y) {
    m_driver->Settle();
    return m_driver->ScreenPixel(x, y);
}

TColor TUiTestContext::Pixel(const forms::TControl* control, int x, int y) {
    m_driver->Settle();
    const TPoint p = ScreenOf(control, x, y);
    return m_driver->ScreenPixel(p.X, p.Y);
}

TBitmap TUiTestContext::Capture(const TRect& screen) {
    m_driver->Settle();
    return m_driver->Capture(screen);
}

TBitmap TUiTestContext::Capture(const forms::TControl* control) {
    const TRect client = control->ClientRect();
    const TPoint origin = ScreenOf(control, client.Left, client.Top);
    return Capture(TRect{origin.X, origin.Y, origin.X + client.Width(), origin.Y + client.Height()});
}

TBitmap TUiTestContext::CaptureWindow(const ui::TWindow* window) {
    m_driver->Settle();
    return m_driver->CaptureWindow(window);
}

TBitmap TUiTestContext::Screenshot() {
    m_driver->Settle();
    if (Headless()) return Session().Screenshot();
    const TRect screen = System().Monitors().front().Bounds;
    return m_driver->Capture(screen);
}

bool TUiTestContext::ShotsWanted() {
    const char* dir = std::getenv("VK_UI_SHOTS");
    return dir && *dir;
}

void TUiTestContext::SavePng(const std::string& name) {
    if (ShotsWanted()) SavePng(Screenshot(), name);
}

void TUiTestContext::SavePng(const TBitmap& picture, const std::string& name) {
    if (!ShotsWanted()) return;
    const std::string dir = std::getenv("VK_UI_SHOTS");
    std::error_code ignored;  // a folder that cannot be made shows as the failed save below
    std::filesystem::create_directories(dir, ignored);
    const std::string path = dir + "/" + name + ".png";
    if (!platform::gfx::SavePng(picture, path)) ADD_FAILURE() << "cannot save " << path;
}

int TUiTestContext::Distance(TColor a, TColor b) {
    using namespace platform::gfx;
    return std::abs(GetRValue(a) - GetRValue(b)) + std::abs(GetGValue(a) - GetGValue(b)) +
           std::abs(GetBValue(a) - GetBValue(b));
}

}  // namespace vktest
