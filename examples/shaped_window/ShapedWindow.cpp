#include "ShapedWindow.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "platform/core/Strings.h"
#include "platform/gfx/Canvas.h"
#include "platform/gfx/Color.h"

namespace example {

using namespace platform::ui;
using platform::core::TPoint;
using platform::core::TRect;
using platform::gfx::RGB;
using platform::gfx::TRegion;

namespace {

constexpr platform::gfx::TColor kCaptionColor = RGB(40, 56, 96);
constexpr platform::gfx::TColor kBodyColor = RGB(240, 228, 196);
constexpr platform::gfx::TColor kBallColor = RGB(200, 60, 40);
constexpr platform::gfx::TColor kPopupColor = RGB(255, 240, 150);
constexpr int kBall = 24;
constexpr int kPopupWidth = 180, kPopupHeight = 64;
constexpr std::size_t kTypedLimit = 40;

}  // namespace

TRegion RoundRectRegion(int width, int height, int radius) {
    radius = std::clamp(radius, 0, std::min(width, height) / 2);
    std::vector<TRect> rows;
    for (int y = 0; y < radius; ++y) {
        // Inset of this row from the quarter circle through the row's middle.
        const double dy = radius - (y + 0.5);
        const int inset = radius - static_cast<int>(std::lround(std::sqrt(radius * radius - dy * dy)));
        rows.push_back({inset, y, width - inset, y + 1});
        rows.push_back({inset, height - 1 - y, width - inset, height - y});
    }
    rows.push_back({0, radius, width, height - radius});
    return TRegion(rows);
}

TShapedWindow::TShapedWindow(TWindowSystem& system, TLog log, int frameLimit)
    : m_system(system), m_log(std::move(log)), m_frameLimit(frameLimit) {
    const TRect work = system.WorkArea();
    TCreateParams main;
    main.Text = "Shaped window";
    main.Style = WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX;
    main.Bounds = platform::core::Bounds(work.Left + (work.Width() - kWidth) / 2,
                                         work.Top + (work.Height() - kHeight) / 2, kWidth, kHeight);
    main.WndProc = [this](TWindow& w, uint32_t msg, TWParam wp, TLParam lp) {
        return MainProc(w, msg, wp, lp);
    };
    m_window = system.CreateWindow(main);
    if (!m_window) return;

    TCreateParams popup;
    popup.Text = "Shaped window popup";
    popup.Style = WS_POPUP;
    popup.ExStyle = WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
    popup.Owner = m_window;
    popup.Bounds = platform::core::Bounds(0, 0, kPopupWidth, kPopupHeight);
    popup.WndProc = [this](TWindow& w, uint32_t msg, TWParam wp, TLParam lp) {
        return PopupProc(w, msg, wp, lp);
    };
    m_popup = system.CreateWindow(popup);

    system.SetWindowRgn(m_window, RoundRectRegion(kWidth, kHeight, kRadius));
    system.ShowWindow(m_window, SW_SHOW);
    system.SetTimer(m_window, 1, kFrameMs);
}

bool TShapedWindow::PopupVisible() const {
    return m_popup && m_popup->IsVisible();
}

void TShapedWindow::ShowPopup(TPoint screen) {
    if (!m_popup) return;
    m_system.MoveWindow(m_popup, platform::core::Bounds(screen.X, screen.Y, kPopupWidth, kPopupHeight));
    m_system.ShowWindow(m_popup, SW_SHOWNOACTIVATE);
    m_log("popup shown");
}

void TShapedWindow::HidePopup() {
    if (!PopupVisible()) return;
    m_system.ShowWindow(m_popup, SW_HIDE);
    m_log("popup hidden");
}

TRect TShapedWindow::BallRect() const {
    return platform::core::Bounds(m_ballX, m_ballY, kBall, kBall);
}

TRect TShapedWindow::CloseBox() const {
    return {kWidth - kRadius - 22, 6, kWidth - kRadius + 2, 26};
}

void TShapedWindow::Step() {
    const TRect before = BallRect();
    const TRect field{16, kCaptionHeight + 8, kWidth - 16, kHeight - 44};
    m_ballX += m_ballDx;
    m_ballY += m_ballDy;
    if (m_ballX < field.Left || m_ballX + kBall > field.Right) {
        m_ballDx = -m_ballDx;
        m_ballX = std::clamp(m_ballX, field.Left, field.Right - kBall);
    }
    if (m_ballY < field.Top || m_ballY + kBall > field.Bottom) {
        m_ballDy = -m_ballDy;
        m_ballY = std::clamp(m_ballY, field.Top, field.Bottom - kBall);
    }
    const TRect dirty = before.Union(BallRect());
    m_system.InvalidateRect(m_window, &dirty, false);
    ++m_frames;
    if (m_frameLimit > 0 && m_frames == m_frameLimit) {
        m_log("frames " + std::to_string(m_frames));
        if (OnLastFrame) OnLastFrame();
        m_system.PostMessage(m_window, WM_CLOSE);
    }
}

void TShapedWindow::PaintMain(TWindow& w) {
    TDeviceContextPtr dc = m_system.BeginPaint(&w);
    platform::gfx::TCanvas& c = dc->Canvas();
    c.Pen.Style = platform::gfx::TPenStyle::psClear;
    c.Brush.Color = kCaptionColor;
    c.FillRect({0, 0, kWidth, kCaptionHeight});
    c.Brush.Color = kBodyColor;
    c.FillRect({0, kCaptionHeight, kWidth, kHeight});

    c.Brush.Style = platform::gfx::TBrushStyle::bsClear;
    c.Font.SetName("Arial");
    c.Font.SetHeight(-14);
    c.Font.SetStyle(platform::gfx::fsBold);
    c.Font.SetColor(platform::gfx::clWhite);
    c.TextOut(kRadius, 8, w.Text());
    c.Font.SetStyle(0);
    c.TextOut(CloseBox().Left + 7, 7, "x");

    c.Brush.Style = platform::gfx::TBrushStyle::bsSolid;
    c.Brush.Color = kBallColor;
    c.Pen.Style = platform::gfx::TPenStyle::psSolid;
    c.Pen.Color = kBallColor;
    c.Ellipse(BallRect());

    c.Brush.Style = platform::gfx::TBrushStyle::bsClear;
    c.Font.SetColor(platform::gfx::clBlack);
    c.TextOut(20, kHeight - 36, m_typed.empty() ? "Type something; F2 or a right click: popup" : m_typed);
}

void TShapedWindow::PaintPopup(TWindow& w) {
    TDeviceContextPtr dc = m_system.BeginPaint(&w);
    platform::gfx::TCanvas& c = dc->Canvas();
    c.Brush.Color = kPopupColor;
    c.Pen.Color = platform::gfx::clBlack;
    c.Rectangle(0, 0, kPopupWidth, kPopupHeight);
    c.Brush.Style = platform::gfx::TBrushStyle::bsClear;
    c.Font.SetName("Arial");
    c.Font.SetHeight(-12);
    c.Font.SetColor(platform::gfx::clBlack);
    c.TextOut(10, 12, "A popup: no focus taken.");
    c.TextOut(10, 34, "Click it or press Esc.");
}

TLResult TShapedWindow::MainProc(TWindow& w, uint32_t msg, TWParam wParam, TLParam lParam) {
    switch (msg) {
        case WM_NCHITTEST: {
            const TPoint p = w.ScreenToWindow(PointFromLParam(lParam));
            if (CloseBox().Contains(p)) return HTCLIENT;
            return p.Y < kCaptionHeight ? HTCAPTION : HTCLIENT;
        }
        case WM_ERASEBKGND:
            return 1;  // the paint covers everything
        case WM_PAINT:
            PaintMain(w);
            return 0;
        case WM_TIMER:
            Step();
            return 0;
        case WM_CHAR: {
            const auto ch = static_cast<char32_t>(wParam);
            std::string utf8;
            if (ch >= 0x20) platform::core::AppendUtf8(utf8, ch);
            char line[64];
            std::snprintf(line, sizeof(line), "char U+%04X %s", static_cast<unsigned>(ch), utf8.c_str());
            m_log(line);
            if (ch == 0x08) {
                if (!m_typed.empty()) platform::core::Utf8PopBack(m_typed);
            } else if (ch >= 0x20) {
                m_typed += utf8;
                while (platform::core::Utf8ToCodePoints(m_typed).size() > kTypedLimit) {
                    m_typed.erase(0, platform::core::Utf8CharLength(m_typed, 0));
                }
            }
            const TRect line2{0, kHeight - 44, kWidth, kHeight};
            m_system.InvalidateRect(&w, &line2, false);
            return 0;
        }
        case WM_KEYDOWN:
            if (wParam == VK_F2) ShowPopup(w.WindowToScreen({60, 70}));
            if (wParam == VK_ESCAPE) HidePopup();
            return 0;
        case WM_RBUTTONUP:
            ShowPopup(w.ClientToScreen(PointFromLParam(lParam)));
            return 0;
        case WM_LBUTTONUP:
            if (CloseBox().Contains(PointFromLParam(lParam))) m_system.PostMessage(&w, WM_CLOSE);
            return 0;
        case WM_EXITSIZEMOVE: {
            const TRect r = w.WindowRect();
            m_log("moved to " + std::to_string(r.Left) + "," + std::to_string(r.Top));
            return 0;
        }
        case WM_CLOSE:
            m_log("WM_CLOSE");
            m_system.DestroyWindow(&w);
            return 0;
        case WM_DESTROY:
            m_log("WM_DESTROY");
            m_system.KillTimer(&w, 1);
            m_system.PostQuitMessage(0);
            return 0;
        case WM_NCDESTROY:
            m_window = nullptr;
            m_popup = nullptr;  // owned windows go first
            break;
        default:
            break;
    }
    return DefWindowProc(w, msg, wParam, lParam);
}

TLResult TShapedWindow::PopupProc(TWindow& w, uint32_t msg, TWParam wParam, TLParam lParam) {
    switch (msg) {
        case WM_MOUSEACTIVATE:
            return MA_NOACTIVATE;
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT:
            PaintPopup(w);
            return 0;
        case WM_LBUTTONUP:
            HidePopup();
            return 0;
        case WM_NCDESTROY:
            m_popup = nullptr;
            break;
        default:
            break;
    }
    return DefWindowProc(w, msg, wParam, lParam);
}

}  // namespace example
