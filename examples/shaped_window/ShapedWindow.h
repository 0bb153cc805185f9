#pragma once
// The example's two windows: a borderless top-level window shaped as a rounded rectangle, whose
// caption strip moves it (it answers WM_NCHITTEST with HTCAPTION there and the window system's
// move loop does the rest), with a ball that a 25 ms timer moves and a line of typed text; and a
// small popup that never takes the focus, shown with a right click or F2.

#include <cstdint>
#include <functional>
#include <string>

#include "platform/gfx/Region.h"
#include "platform/ui/WindowSystem.h"

namespace example {

// A rounded rectangle as a region: full rows in the middle, rows inset along quarter circles
// at the corners.
[[nodiscard]] platform::gfx::TRegion RoundRectRegion(int width, int height, int radius);

class TShapedWindow {
public:
    using TLog = std::function<void(const std::string&)>;

    // frameLimit < 0: run until closed; otherwise close after that many animation frames.
    TShapedWindow(platform::ui::TWindowSystem& system, TLog log, int frameLimit);
    TShapedWindow(const TShapedWindow&) = delete;
    TShapedWindow& operator=(const TShapedWindow&) = delete;

    [[nodiscard]] platform::ui::TWindow* Window() const { return m_window; }
    [[nodiscard]] bool PopupVisible() const;
    // Shows the popup at a screen point (its top-left), without taking the focus.
    void ShowPopup(platform::core::TPoint screen);
    void HidePopup();

    // Called once when the frame limit is reached, before the window closes.
    std::function<void()> OnLastFrame;

    static constexpr int kWidth = 360;
    static constexpr int kHeight = 240;
    static constexpr int kCaptionHeight = 32;
    static constexpr int kRadius = 28;
    static constexpr uint32_t kFrameMs = 25;

private:
    platform::ui::TLResult MainProc(platform::ui::TWindow& w, uint32_t msg, platform::ui::TWParam wParam,
                                    platform::ui::TLParam lParam);
    platform::ui::TLResult PopupProc(platform::ui::TWindow& w, uint32_t msg, platform::ui::TWParam wParam,
                                     platform::ui::TLParam lParam);
    void PaintMain(platform::ui::TWindow& w);
    void PaintPopup(platform::ui::TWindow& w);
    void Step();
    [[nodiscard]] platform::core::TRect BallRect() const;
    [[nodiscard]] platform::core::TRect CloseBox() const;

    platform::ui::TWindowSystem& m_system;
    TLog m_log;
    int m_frameLimit;
    int m_frames = 0;
    platform::ui::TWindow* m_window = nullptr;
    platform::ui::TWindow* m_popup = nullptr;
    int m_ballX = 40, m_ballY = 80, m_ballDx = 3, m_ballDy = 2;
    std::string m_typed;
};

}  // namespace example
