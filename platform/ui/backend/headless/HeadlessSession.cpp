#include "platform/ui/backend/headless/HeadlessSession.h"

#include <algorithm>

namespace platform::ui::headless {

namespace {

// Code points of a UTF-8 text; a malformed byte stands for itself.
std::u32string Decode(const std::string& text) {
    std::u32string out;
    for (std::size_t i = 0; i < text.size();) {
        const auto b = static_cast<unsigned char>(text[i]);
        int extra = b >= 0xF0 && b < 0xF8 ? 3 : b >= 0xE0 ? 2 : b >= 0xC0 ? 1 : 0;
        if (b >= 0x80 && b < 0xC0) extra = 0;
        char32_t cp = extra == 0 ? b : (b & (0x3F >> extra));
        bool ok = i + static_cast<std::size_t>(extra) < text.size();
        for (int k = 1; ok && k <= extra; ++k) {
            const auto c = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
            if ((c & 0xC0) != 0x80)
                ok = false;
            else
                cp = (cp << 6) | (c & 0x3F);
        }
        if (!ok) {
            out.push_back(b);
            ++i;
            continue;
        }
        out.push_back(cp);
        i += static_cast<std::size_t>(extra) + 1;
    }
    return out;
}

// The key that types a character on a plain keyboard, or 0.
uint32_t KeyFor(char32_t ch, bool& shift) {
    shift = false;
    if (ch >= 'a' && ch <= 'z') return static_cast<uint32_t>(ch - 'a' + 'A');
    if (ch >= 'A' && ch <= 'Z') {
        shift = true;
        return static_cast<uint32_t>(ch);
    }
    if (ch >= '0' && ch <= '9') return static_cast<uint32_t>(ch);
    switch (ch) {
        case ' ':
            return VK_SPACE;
        case '\r':
        case '\n':
            return VK_RETURN;
        case '\t':
            return VK_TAB;
        case 0x08:
            return VK_BACK;
        case 0x1B:
            return VK_ESCAPE;
        default:
            return 0;
    }
}

char32_t CharOf(uint32_t vk) {
    switch (vk) {
        case VK_SPACE:
            return ' ';
        case VK_RETURN:
            return '\r';
        case VK_TAB:
            return '\t';
        case VK_BACK:
            return 0x08;
        case VK_ESCAPE:
            return 0x1B;
        default:
            break;
    }
    if (vk >= '0' && vk <= '9') return vk;
    if (vk >= 'A' && vk <= 'Z') return vk - 'A' + 'a';
    return 0;
}

}  // namespace

THeadlessSession::THeadlessSession(THeadlessScreen screen) {
    auto backend = std::make_unique<THeadlessBackend>(std::move(screen));
    m_backend = backend.get();
    m_system = std::make_unique<TWindowSystem>(std::move(backend));
}

THeadlessSession::~THeadlessSession() = default;

void THeadlessSession::ProcessMessages() {
    // Inside the idle hook a loop is waiting for this input: it takes it when the hook returns.
    if (!m_inIdleHook) m_system->ProcessMessages();
}

void THeadlessSession::Advance(uint64_t ms) {
    const uint64_t end = m_backend->Now() + ms;
    if (m_inIdleHook) {
        m_backend->SetTime(end);
        return;
    }
    ProcessMessages();
    while (!m_system->QuitPending()) {
        const auto next = m_system->NextTimerDeadline();
        if (!next || *next > end) break;
        if (*next > m_backend->Now()) m_backend->SetTime(*next);
        ProcessMessages();
        // A deadline still due here was not taken (a quit is pending); go no further.
        const auto after = m_system->NextTimerDeadline();
        if (after && *after <= m_backend->Now()) break;
    }
    m_backend->SetTime(std::max(end, m_backend->Now()));
    ProcessMessages();
}

core::TPoint THeadlessSession::Device(core::TPoint logical) const {
    const int scale = m_backend->Screen().Scale;
    return {logical.X * scale, logical.Y * scale};
}

void THeadlessSession::MouseMove(core::TPoint screen) {
    m_backend->QueueMouseMove(Device(screen));
    ProcessMessages();
}

void THeadlessSession::MouseDown(TMouseButton button) {
    m_backend->QueueButton(button, true);
    ProcessMessages();
}

void THeadlessSession::MouseUp(TMouseButton button) {
    m_backend->QueueButton(button, false);
    ProcessMessages();
}

void THeadlessSession::Click(core::TPoint screen, TMouseButton button) {
    m_backend->QueueMouseMove(Device(screen));
    m_backend->QueueButton(button, true);
    m_backend->QueueButton(button, false);
    ProcessMessages();
}

void THeadlessSession::DoubleClick(core::TPoint screen, TMouseButton button) {
    m_backend->QueueMouseMove(Device(screen));
    for (int i = 0; i < 2; ++i) {
        m_backend->QueueButton(button, true);
        m_backend->QueueButton(button, false);
    }
    ProcessMessages();
}

void THeadlessSession::Drag(core::TPoint from, core::TPoint to, int steps, TMouseButton button) {
    steps = std::max(1, steps);
    m_backend->QueueMouseMove(Device(from));
    m_backend->QueueButton(button, true);
    for (int i = 1; i <= steps; ++i)
        m_backend->QueueMouseMove(
            Device({from.X + (to.X - from.X) * i / steps, from.Y + (to.Y - from.Y) * i / steps}));
    m_backend->QueueButton(button, false);
    ProcessMessages();
}

void THeadlessSession::Wheel(int delta) {
    m_backend->QueueWheel(delta);
    ProcessMessages();
}

core::TPoint THeadlessSession::ScreenPoint(const TWindow* window, core::TPoint client) {
    return window ? window->ClientToScreen(client) : client;
}

void THeadlessSession::KeyDown(uint32_t vk) {
    m_backend->QueueKey(vk, true);
    ProcessMessages();
}

void THeadlessSession::KeyUp(uint32_t vk) {
    m_backend->QueueKey(vk, false);
    ProcessMessages();
}

void THeadlessSession::KeyPress(uint32_t vk) {
    m_backend->QueueKey(vk, true);
    if (const char32_t ch = CharOf(vk)) {
        const bool shifted = (m_backend->Modifiers() & kModShift) != 0;
        m_backend->QueueChar(shifted && ch >= 'a' && ch <= 'z' ? ch - 'a' + 'A' : ch);
    }
    m_backend->QueueKey(vk, false);
    ProcessMessages();
}

void THeadlessSession::TypeText(const std::string& utf8) {
    for (const char32_t ch : Decode(utf8)) {
        bool shift = false;
        const uint32_t vk = KeyFor(ch, shift);
        if (vk == 0) {
            m_backend->QueueChar(ch);
            continue;
        }
        if (shift) m_backend->QueueKey(VK_SHIFT, true);
        m_backend->QueueKey(vk, true);
        m_backend->QueueChar(ch == '\n' ? U'\r' : ch);
        m_backend->QueueKey(vk, false);
        if (shift) m_backend->QueueKey(VK_SHIFT, false);
    }
    ProcessMessages();
}

void THeadlessSession::SetIdleHook(std::function<bool(THeadlessSession&)> hook) {
    if (!hook) {
        m_backend->OnIdle = nullptr;
        return;
    }
    m_backend->OnIdle = [this, hook = std::move(hook)] {
        m_inIdleHook = true;
        const bool acted = hook(*this);
        m_inIdleHook = false;
        return acted;
    };
}

gfx::TBitmap THeadlessSession::Screenshot() {
    m_system->Present();
    return m_backend->Screenshot();
}

gfx::TBitmap THeadlessSession::CaptureWindow(const TWindow* window) {
    m_system->Present();
    if (!window || !m_system->IsWindow(window)) return {};
    return m_backend->CaptureWindow(window->TopLevel()->NativeId());
}

gfx::TColor THeadlessSession::ScreenPixel(int x, int y) {
    const core::TPoint device = Device({x, y});
    return Screenshot().Pixel(device.X, device.Y);
}

}  // namespace platform::ui::headless
