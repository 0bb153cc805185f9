// The headless driver: input is queued on the headless backend and handled at once, time is the
// backend's virtual clock, and the screen is the backend's memory screen.

#include <algorithm>

#include "support/UiDriver.h"

namespace vktest {

namespace {

namespace ui = platform::ui;
using platform::core::TPoint;
using platform::core::TRect;
using platform::gfx::TBitmap;
using platform::gfx::TColor;

// The character a repeated key types, as the headless session's KeyPress does.
char32_t RepeatChar(uint32_t vk, bool shifted) {
    if (vk >= 'A' && vk <= 'Z') return shifted ? vk : vk - 'A' + 'a';
    if (vk >= '0' && vk <= '9') return vk;
    switch (vk) {
        case ui::VK_SPACE:
            return ' ';
        case ui::VK_RETURN:
            return '\r';
        case ui::VK_TAB:
            return '\t';
        case ui::VK_BACK:
            return 0x08;
        default:
            return 0;
    }
}

class THeadlessDriver final : public TUiDriver {
public:
    explicit THeadlessDriver(ui::headless::THeadlessScreen screen)
        : m_session(std::make_unique<ui::headless::THeadlessSession>(std::move(screen))) {}

    [[nodiscard]] TBackendKind Kind() const override { return TBackendKind::Headless; }
    [[nodiscard]] ui::TWindowSystem& System() override { return m_session->System(); }
    [[nodiscard]] ui::headless::THeadlessSession* Session() override { return m_session.get(); }

    void MouseMove(TPoint screen) override { m_session->MouseMove(screen); }
    void MouseButton(ui::TMouseButton button, bool down) override {
        if (down)
            m_session->MouseDown(button);
        else
            m_session->MouseUp(button);
    }
    void Click(TPoint screen, ui::TMouseButton button, int count) override {
        if (count == 2) return m_session->DoubleClick(screen, button);
        for (int i = 0; i < count; ++i) m_session->Click(screen, button);
    }
    void Wheel(int delta) override { m_session->Wheel(delta); }
    void KeyDown(uint32_t vk) override { m_session->KeyDown(vk); }
    void KeyUp(uint32_t vk) override { m_session->KeyUp(vk); }
    void KeyPress(uint32_t vk) override { m_session->KeyPress(vk); }
    void TypeText(const std::string& utf8) override { m_session->TypeText(utf8); }

    void HoldKey(uint32_t vk, uint64_t ms) override {
        auto& backend = m_session->Backend();
        const bool shifted = (backend.Modifiers() & ui::kModShift) != 0;
        const char32_t ch = RepeatChar(vk, shifted);
        const auto press = [&](bool repeat) {
            backend.QueueKey(vk, true, repeat);
            if (ch) backend.QueueChar(ch);
            m_session->ProcessMessages();
        };
        press(false);
        uint64_t held = 0;
        for (uint64_t repeatAt = kRepeatDelay; repeatAt < ms; repeatAt += kRepeatInterval) {
            m_session->Advance(repeatAt - held);
            held = repeatAt;
            press(true);
        }
        m_session->Advance(ms - held);
        backend.QueueKey(vk, false);
        m_session->ProcessMessages();
    }

    bool HoldKeyUntil(uint32_t vk, const std::function<bool()>& done, uint64_t timeoutMs) override {
        auto& backend = m_session->Backend();
        const char32_t ch = RepeatChar(vk, (backend.Modifiers() & ui::kModShift) != 0);
        const auto press = [&](bool repeat) {
            backend.QueueKey(vk, true, repeat);
            if (ch) backend.QueueChar(ch);
            m_session->ProcessMessages();
        };
        press(false);
        uint64_t held = 0;
        for (uint64_t repeatAt = kRepeatDelay; !done() && repeatAt <= timeoutMs; repeatAt += kRepeatInterval) {
            m_session->Advance(repeatAt - held);
            held = repeatAt;
            press(true);
        }
        backend.QueueKey(vk, false);
        m_session->ProcessMessages();
        return done();
    }

    void Advance(uint64_t ms) override { m_session->Advance(ms); }
    void Settle() override { m_session->ProcessMessages(); }

    [[nodiscard]] TColor ScreenPixel(int x, int y) override { return m_session->ScreenPixel(x, y); }
    [[nodiscard]] TBitmap Capture(const TRect& screen) override {
        const TBitmap shot = m_session->Screenshot();
        TBitmap out(std::max(0, screen.Width()), std::max(0, screen.Height()));
        for (int y = 0; y < out.Height(); ++y)
            for (int x = 0; x < out.Width(); ++x) {
                const int sx = screen.Left + x, sy = screen.Top + y;
                if (sx >= 0 && sy >= 0 && sx < shot.Width() && sy < shot.Height())
                    out.SetPixel(x, y, shot.Pixel(sx, sy));
            }
        return out;
    }
    [[nodiscard]] TBitmap CaptureWindow(const ui::TWindow* window) override {
        return m_session->CaptureWindow(window);
    }

private:
    std::unique_ptr<ui::headless::THeadlessSession> m_session;
};

}  // namespace

std::string BackendName(TBackendKind kind) {
    return kind == TBackendKind::X11 ? "X11" : "Headless";
}

std::unique_ptr<TUiDriver> MakeHeadlessDriver(ui::headless::THeadlessScreen screen) {
    return std::make_unique<THeadlessDriver>(std::move(screen));
}

}  // namespace vktest
