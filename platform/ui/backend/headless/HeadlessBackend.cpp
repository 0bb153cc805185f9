#include "platform/ui/backend/headless/HeadlessBackend.h"

#include <algorithm>
#include <cstdlib>

#include "platform/ui/Messages.h"

namespace platform::ui::headless {

namespace {

constexpr int kPanelHeight = 40;

uint32_t Blend(uint32_t over, uint32_t under, uint8_t alpha) {
    auto channel = [&](int shift) {
        const uint32_t a = (over >> shift) & 0xFF, b = (under >> shift) & 0xFF;
        return ((a * alpha + b * (255u - alpha) + 127u) / 255u) << shift;
    };
    return channel(0) | channel(8) | channel(16);
}

}  // namespace

int HeadlessScaleFromEnvironment() {
    const char* value = std::getenv("VK_SCALE");
    if (!value || value[0] < '1' || value[0] > '8' || value[1] != '\0') return 1;
    return value[0] - '0';
}

THeadlessBackend::THeadlessBackend(THeadlessScreen screen) {
    SetScreen(std::move(screen));
}

THeadlessBackend::~THeadlessBackend() = default;

void THeadlessBackend::SetScreen(THeadlessScreen screen) {
    screen.Width = std::max(1, screen.Width);
    screen.Height = std::max(1, screen.Height);
    screen.Scale = std::clamp(screen.Scale, 1, 8);
    if (screen.Monitors.empty()) {
        const core::TRect all{0, 0, screen.Width, screen.Height};
        core::TRect work = all;
        work.Bottom = std::max(work.Top + 1, work.Bottom - kPanelHeight * screen.Scale);
        screen.Monitors.push_back({all, work});
    }
    m_screen = std::move(screen);
}

std::vector<TMonitor> THeadlessBackend::Monitors() {
    return m_screen.Monitors;
}

void THeadlessBackend::SetCursorPos(core::TPoint screen) {
    QueueMouseMove(screen);
}

void THeadlessBackend::SetCursorShape(TNativeId, TCursorShape shape) {
    m_cursor = shape;
}

TNativeWindowState* THeadlessBackend::Find(TNativeId window) {
    auto it = m_windows.find(window);
    return it == m_windows.end() ? nullptr : &it->second;
}

const TNativeWindowState* THeadlessBackend::Native(TNativeId window) const {
    auto it = m_windows.find(window);
    return it == m_windows.end() ? nullptr : &it->second;
}

TNativeId THeadlessBackend::CreateNativeWindow(const TNativeWindowParams& params) {
    const TNativeId id = m_nextId++;
    TNativeWindowState& s = m_windows[id];
    s.Bounds = params.Bounds;
    s.Title = params.Title;
    s.Popup = params.Popup;
    s.ToolWindow = params.ToolWindow;
    s.Topmost = params.Topmost;
    s.Owner = params.Owner;
    s.Content.SetSize(std::max(0, s.Bounds.Width()), std::max(0, s.Bounds.Height()));
    m_stack.push_back(id);
    Restack(id);
    return id;
}

void THeadlessBackend::DestroyNativeWindow(TNativeId window) {
    m_windows.erase(window);
    std::erase(m_stack, window);
    if (m_focus == window) m_focus = 0;
    if (m_grab == window) m_grab = 0;
}

void THeadlessBackend::SetBounds(TNativeId window, const core::TRect& screen) {
    TNativeWindowState* s = Find(window);
    if (!s) return;
    s->Bounds = screen;
    s->Content.SetSize(std::max(0, screen.Width()), std::max(0, screen.Height()));
}

void THeadlessBackend::SetVisible(TNativeId window, bool visible) {
    TNativeWindowState* s = Find(window);
    if (!s) return;
    s->Visible = visible;
    if (visible)
        Restack(window);
    else if (m_focus == window)
        m_focus = 0;
}

void THeadlessBackend::SetMinimized(TNativeId window, bool minimized) {
    if (TNativeWindowState* s = Find(window)) s->Minimized = minimized;
}

void THeadlessBackend::Raise(TNativeId window) {
    if (Find(window)) Restack(window);
}

// Moves the window to the top of its layer: popups above topmost windows above ordinary ones.
void THeadlessBackend::Restack(TNativeId window) {
    auto layer = [this](TNativeId id) {
        const TNativeWindowState& s = m_windows.at(id);
        return s.Popup ? 2 : (s.Topmost ? 1 : 0);
    };
    std::erase(m_stack, window);
    const int mine = layer(window);
    auto at = m_stack.begin();
    while (at != m_stack.end() && layer(*at) <= mine) ++at;
    m_stack.insert(at, window);
}

void THeadlessBackend::SetTopmost(TNativeId window, bool topmost) {
    TNativeWindowState* s = Find(window);
    if (!s) return;
    s->Topmost = topmost;
    Restack(window);
}

void THeadlessBackend::SetTitle(TNativeId window, const std::string& title) {
    if (TNativeWindowState* s = Find(window)) s->Title = title;
}

void THeadlessBackend::SetIcon(TNativeId window, const gfx::TBitmap* icon) {
    if (TNativeWindowState* s = Find(window)) s->HasIcon = icon && !icon->Empty();
}

void THeadlessBackend::SetShape(TNativeId window, const gfx::TRegion* shape) {
    TNativeWindowState* s = Find(window);
    if (!s) return;
    if (shape)
        s->Shape = *shape;
    else
        s->Shape.reset();
}

void THeadlessBackend::SetOpacity(TNativeId window, uint8_t alpha) {
    if (TNativeWindowState* s = Find(window)) s->Alpha = alpha;
}

void THeadlessBackend::Present(TNativeId window, const gfx::TBitmap& backBuffer,
                               const std::vector<core::TRect>& rects) {
    TNativeWindowState* s = Find(window);
    if (!s) return;
    const core::TRect bounds{0, 0, std::min(s->Content.Width(), backBuffer.Width()),
                             std::min(s->Content.Height(), backBuffer.Height())};
    for (const core::TRect& r : rects) {
        const core::TRect c = r.Intersect(bounds);
        m_presents.push_back({window, r});
        for (int y = c.Top; y < c.Bottom; ++y)
            std::copy(backBuffer.ScanLine(y) + c.Left, backBuffer.ScanLine(y) + c.Right,
                      s->Content.ScanLine(y) + c.Left);
    }
}

void THeadlessBackend::SetKeyboardFocus(TNativeId window) {
    const TNativeWindowState* s = Native(window);
    if (s && !s->Popup) m_focus = window;
}

TNativeId THeadlessBackend::WindowAt(core::TPoint screen) {
    for (auto it = m_stack.rbegin(); it != m_stack.rend(); ++it) {
        const TNativeWindowState& s = m_windows.at(*it);
        if (!s.Visible || s.Minimized || !s.Bounds.Contains(screen)) continue;
        const core::TPoint p{screen.X - s.Bounds.Left, screen.Y - s.Bounds.Top};
        if (s.Shape && !s.Shape->Contains(p)) continue;
        return *it;
    }
    return 0;
}

bool THeadlessBackend::PollEvent(TInputEvent& event) {
    if (m_queueHead >= m_queue.size()) {
        m_queue.clear();
        m_queueHead = 0;
        return false;
    }
    event = m_queue[m_queueHead++];
    const auto it = m_objects.find(event.Window);
    event.Target = it == m_objects.end() ? nullptr : it->second;
    return true;
}

bool THeadlessBackend::WaitForEvents(int64_t timeoutMs) {
    if (HasQueuedInput()) return true;
    if (OnIdle) {
        const uint64_t before = m_now;
        if (OnIdle() && (HasQueuedInput() || m_now != before)) {
            m_idleSince = m_now;
            return true;
        }
    }
    if (timeoutMs < 0) return false;
    // Nobody acts: time passes up to the next deadline, within the idle limit.
    if (m_now + static_cast<uint64_t>(timeoutMs) - m_idleSince > IdleLimitMs) return false;
    m_now += static_cast<uint64_t>(timeoutMs);
    return true;
}

void THeadlessBackend::Push(TInputEvent event) {
    event.Time = m_now;
    m_idleSince = m_now;
    m_queue.push_back(event);
}

uint32_t THeadlessBackend::Modifiers() const {
    uint32_t m = 0;
    if (m_keys[VK_SHIFT]) m |= kModShift;
    if (m_keys[VK_CONTROL]) m |= kModControl;
    if (m_keys[VK_MENU]) m |= kModAlt;
    return m;
}

void THeadlessBackend::QueueMouseMove(core::TPoint screen) {
    TInputEvent e;
    e.Kind = TInputKind::MouseMove;
    e.ScreenPos = screen;
    e.Window = WindowAt(screen);
    e.Modifiers = Modifiers();
    m_pointer = screen;
    Push(e);
}

void THeadlessBackend::QueueButton(TMouseButton button, bool down) {
    TInputEvent e;
    e.Kind = down ? TInputKind::ButtonDown : TInputKind::ButtonUp;
    e.Button = button;
    e.ScreenPos = m_pointer;
    e.Window = WindowAt(m_pointer);
    e.Modifiers = Modifiers();
    m_buttons[static_cast<std::size_t>(button)] = down;
    Push(e);
}

void THeadlessBackend::QueueWheel(int delta) {
    TInputEvent e;
    e.Kind = TInputKind::Wheel;
    e.WheelDelta = delta;
    e.ScreenPos = m_pointer;
    e.Window = WindowAt(m_pointer);
    e.Modifiers = Modifiers();
    Push(e);
}

void THeadlessBackend::QueueKey(uint32_t vk, bool down, bool autoRepeat) {
    TInputEvent e;
    e.Kind = down ? TInputKind::KeyDown : TInputKind::KeyUp;
    e.VirtualKey = vk & 0xFF;
    e.ScanCode = vk & 0xFF;
    e.AutoRepeat = autoRepeat;
    e.ScreenPos = m_pointer;
    e.Window = m_focus;
    e.Modifiers = Modifiers();
    m_keys[vk & 0xFF] = down;
    Push(e);
}

void THeadlessBackend::QueueChar(char32_t ch) {
    TInputEvent e;
    e.Kind = TInputKind::Char;
    e.Char = ch;
    e.ScreenPos = m_pointer;
    e.Window = m_focus;
    e.Modifiers = Modifiers();
    Push(e);
}

void THeadlessBackend::QueueCloseRequest(TNativeId window) {
    TInputEvent e;
    e.Kind = TInputKind::CloseRequest;
    e.Window = window;
    Push(e);
}

void THeadlessBackend::QueueEvent(TInputEvent event) {
    Push(event);
}

bool THeadlessBackend::IsButtonDown(TMouseButton button) const {
    return m_buttons[static_cast<std::size_t>(button)];
}

std::vector<TNativeId> THeadlessBackend::Stacking() const {
    return m_stack;
}

gfx::TBitmap THeadlessBackend::Screenshot() const {
    gfx::TBitmap shot(m_screen.Width, m_screen.Height);
    const uint32_t desktop = gfx::ColorToPixel(gfx::ColorToRGB(DesktopColor));
    for (int y = 0; y < shot.Height(); ++y)
        std::fill(shot.ScanLine(y), shot.ScanLine(y) + shot.Width(), desktop);
    const core::TRect screenRect{0, 0, shot.Width(), shot.Height()};
    for (TNativeId id : m_stack) {
        const TNativeWindowState& s = m_windows.at(id);
        if (!s.Visible || s.Minimized) continue;
        const uint8_t alpha = SupportsOpacityValue ? s.Alpha : 255;
        const core::TRect area = s.Bounds.Intersect(screenRect);
        for (int y = area.Top; y < area.Bottom; ++y) {
            const int wy = y - s.Bounds.Top;
            if (wy >= s.Content.Height()) break;
            const uint32_t* src = s.Content.ScanLine(wy);
            uint32_t* dst = shot.ScanLine(y);
            for (int x = area.Left; x < area.Right; ++x) {
                const int wx = x - s.Bounds.Left;
                if (wx >= s.Content.Width()) break;
                if (s.Shape && !s.Shape->Contains({wx, wy})) continue;
                dst[x] = alpha == 255 ? (src[wx] & 0x00FFFFFFu) : Blend(src[wx], dst[x], alpha);
            }
        }
    }
    return shot;
}

gfx::TBitmap THeadlessBackend::CaptureWindow(TNativeId window) const {
    const TNativeWindowState* s = Native(window);
    if (!s) return {};
    gfx::TBitmap shot = s->Content;
    if (s->Shape) {
        const uint32_t desktop = gfx::ColorToPixel(gfx::ColorToRGB(DesktopColor));
        for (int y = 0; y < shot.Height(); ++y)
            for (int x = 0; x < shot.Width(); ++x)
                if (!s->Shape->Contains({x, y})) shot.ScanLine(y)[x] = desktop;
    }
    return shot;
}

bool THeadlessBackend::SaveScreenshot(const std::string& pngPath) const {
    return gfx::SavePng(Screenshot(), pngPath);
}

}  // namespace platform::ui::headless
