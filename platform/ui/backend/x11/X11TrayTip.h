#pragma once
// The tip of an icon in the XEmbed system tray: a plain tooltip window (the tooltip colours, a
// one-pixel frame, the text) shown under the pointer once it has rested on the icon for the hint
// pause, and hidden when it leaves, presses a button, or after the hide pause. The window lives
// on the tray's own X connection; times come from the caller (the tray's pump), so the tip needs
// no timer of its own.

#include <cstdint>
#include <string>

#include "platform/core/Types.h"

struct _XDisplay;

namespace platform::ui::x11 {

class TX11TrayTip {
public:
    // The application's default pauses.
    static constexpr uint64_t kShowPauseMs = 500;
    static constexpr uint64_t kHidePauseMs = 2500;

    explicit TX11TrayTip(_XDisplay* display) : m_display(display) {}
    ~TX11TrayTip();
    TX11TrayTip(const TX11TrayTip&) = delete;
    TX11TrayTip& operator=(const TX11TrayTip&) = delete;

    // The pointer entered an icon (or moved on it) at a screen point, at time now.
    void Hover(const std::string& text, core::TPoint screen, uint64_t now);
    // The pointer left the icon, or pressed a button on it.
    void Cancel();
    // Shows or hides the tip when its time has come.
    void Tick(uint64_t now);

    // The connection is gone: its window with it.
    void Abandon() {
        m_display = nullptr;
        m_window = 0;
        m_shown = false;
    }

    [[nodiscard]] bool Shown() const { return m_shown; }
    // The tip window (0 while none was made), for tests.
    [[nodiscard]] unsigned long Window() const { return m_window; }
    // Where the tip shows (screen), for tests.
    [[nodiscard]] core::TRect Bounds() const { return m_bounds; }

private:
    void Show();
    void Hide();

    _XDisplay* m_display;
    unsigned long m_window = 0;
    std::string m_text;
    core::TPoint m_at{};
    core::TRect m_bounds{};
    bool m_hovering = false;
    bool m_shown = false;
    bool m_spent = false;  // shown and hidden again: not again until the pointer leaves
    uint64_t m_since = 0;
};

}  // namespace platform::ui::x11
