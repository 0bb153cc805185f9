// The default window procedure: the built-in frame (client area, hit-testing, painting), system
// commands, closing, text, activation and the default answers of the other messages.

#include "platform/ui/NonClient.h"

#include <algorithm>

#include "platform/gfx/Canvas.h"
#include "platform/gfx/Color.h"
#include "platform/ui/FocusManager.h"
#include "platform/ui/InputRouter.h"
#include "platform/ui/MoveSizeLoop.h"
#include "platform/ui/Screens.h"
#include "platform/ui/WindowSystem.h"

namespace platform::ui {

namespace {

bool HasCaption(const TWindow& w) {
    return (w.Style() & WS_CAPTION) == WS_CAPTION;
}

int FrameThickness(const TWindow& w) {
    int f = 0;
    if (w.Style() & WS_THICKFRAME) {
        f = GetSystemMetrics(SM_CXFRAME);
    } else if (w.Style() & WS_DLGFRAME) {
        f = GetSystemMetrics(SM_CXDLGFRAME);
    } else if (w.Style() & WS_BORDER) {
        f = GetSystemMetrics(SM_CXBORDER);
    }
    if (w.ExStyle() & WS_EX_CLIENTEDGE) f += GetSystemMetrics(SM_CXEDGE);
    return f;
}

int CaptionHeight(const TWindow& w) {
    if (!HasCaption(w)) return 0;
    return GetSystemMetrics((w.ExStyle() & WS_EX_TOOLWINDOW) ? SM_CYSMCAPTION : SM_CYCAPTION);
}

core::TRect DefaultClient(const TWindow& w, const core::TRect& rect) {
    const int f = FrameThickness(w);
    core::TRect c{rect.Left + f, rect.Top + f + CaptionHeight(w), rect.Right - f, rect.Bottom - f};
    c.Right = std::max(c.Right, c.Left);
    c.Bottom = std::max(c.Bottom, c.Top);
    return c;
}

int DefaultHitTest(const TWindow& w, core::TPoint screen) {
    const core::TPoint p = w.ScreenToWindow(screen);
    if (!w.HitsShape(p)) return HTNOWHERE;
    if (w.ClientArea().Contains(p)) return HTCLIENT;
    const int W = w.Width(), H = w.Height();
    const int f = FrameThickness(w);
    if ((w.Style() & WS_THICKFRAME) && !w.IsZoomed() && !w.IsIconic()) {
        // Corners reach a caption's height along each edge, as the platform's grips do.
        const int corner = f + GetSystemMetrics(SM_CYCAPTION);
        const bool left = p.X < f, right = p.X >= W - f, top = p.Y < f, bottom = p.Y >= H - f;
        if (left || right || top || bottom) {
            const bool nearTop = p.Y < corner, nearBottom = p.Y >= H - corner;
            const bool nearLeft = p.X < corner, nearRight = p.X >= W - corner;
            if ((left && nearTop) || (top && nearLeft)) return HTTOPLEFT;
            if ((right && nearTop) || (top && nearRight)) return HTTOPRIGHT;
            if ((left && nearBottom) || (bottom && nearLeft)) return HTBOTTOMLEFT;
            if ((right && nearBottom) || (bottom && nearRight)) return HTBOTTOMRIGHT;
            if (left) return HTLEFT;
            if (right) return HTRIGHT;
            if (top) return HTTOP;
            return HTBOTTOM;
        }
    }
    const int caption = CaptionHeight(w);
    if (caption > 0 && p.Y >= f && p.Y < f + caption && p.X >= f && p.X < W - f) return HTCAPTION;
    return HTBORDER;
}

void DefaultPaintFrame(TWindow& w) {
    const int W = w.Width(), H = w.Height();
    const int f = FrameThickness(w);
    const int caption = CaptionHeight(w);
    if (f == 0 && caption == 0) return;
    TDeviceContextPtr dc = w.System().GetWindowDC(&w);
    gfx::TCanvas& c = dc->Canvas();
    c.ExcludeClipRect(w.ClientArea());
    c.Brush.Color = gfx::clBtnFace;
    c.Brush.Style = gfx::TBrushStyle::bsSolid;
    c.FillRect({0, 0, W, H});
    if (f > 0) {
        c.Brush.Color = gfx::clBtnShadow;
        c.FrameRect({0, 0, W, H});
    }
    if (caption > 0) {
        const bool active = w.System().GetActiveWindow() == &w;
        const core::TRect bar{f, f, W - f, f + caption};
        c.Brush.Color = active ? gfx::clActiveCaption : gfx::clInactiveCaption;
        c.FillRect(bar);
        c.Brush.Style = gfx::TBrushStyle::bsClear;
        c.Font.SetColor(active ? gfx::clCaptionText : gfx::clInactiveCaptionText);
        core::TRect textRect{bar.Left + 4, bar.Top, bar.Right - 4, bar.Bottom};
        c.DrawText(w.Text(), textRect,
                   gfx::DT_LEFT | gfx::DT_VCENTER | gfx::DT_SINGLELINE | gfx::DT_NOPREFIX);
    }
}

// The pointer shape over a frame part.
TCursorShape EdgeCursor(int hit) {
    switch (hit) {
        case HTLEFT:
        case HTRIGHT:
            return TCursorShape::SizeWE;
        case HTTOP:
        case HTBOTTOM:
            return TCursorShape::SizeNS;
        case HTTOPLEFT:
        case HTBOTTOMRIGHT:
            return TCursorShape::SizeNWSE;
        case HTTOPRIGHT:
        case HTBOTTOMLEFT:
            return TCursorShape::SizeNESW;
        default:
            return TCursorShape::Arrow;
    }
}

}  // namespace

TLResult TNonClient::DefWindowProc(TWindow& w, uint32_t msg, TWParam wParam, TLParam lParam) {
    if (auto r = FrameMessage(w, msg, wParam, lParam)) return *r;
    if (auto r = StateMessage(w, msg, wParam, lParam)) return *r;
    if (auto r = MouseMessage(w, msg, wParam, lParam)) return *r;
    if (auto r = KeyMessage(w, msg, wParam, lParam)) return *r;
    return 0;
}

std::optional<TLResult> TNonClient::FrameMessage(TWindow& w, uint32_t msg, TWParam, TLParam lParam) {
    TWindowSystem& ws = w.System();
    switch (msg) {
        case WM_NCCREATE:
            return 1;
        case WM_NCCALCSIZE:
            if (auto* r = PtrFromParam<core::TRect>(lParam)) *r = DefaultClient(w, *r);
            return 0;
        case WM_NCHITTEST:
            return DefaultHitTest(w, PointFromLParam(lParam));
        case WM_NCPAINT:
            DefaultPaintFrame(w);
            return 0;
        case WM_NCACTIVATE:
            if (HasCaption(w)) ws.RedrawFrame(&w);
            return 1;
        case WM_PAINT: {
            TDeviceContextPtr dc = ws.BeginPaint(&w);
            return 0;
        }
        case WM_SETTEXT:
            return SetText(w, lParam);
        case WM_GETTEXTLENGTH:
            return static_cast<TLResult>(w.m_text.size());
        default:
            return std::nullopt;
    }
}

std::optional<TLResult> TNonClient::StateMessage(TWindow& w, uint32_t msg, TWParam wParam, TLParam lParam) {
    TWindowSystem& ws = w.System();
    switch (msg) {
        case WM_CLOSE:
            ws.DestroyWindow(&w);
            return 0;
        case WM_WINDOWPOSCHANGED:
            return PositionChanged(w, lParam);
        case WM_ACTIVATE:
            if (LoWord(wParam) != WA_INACTIVE && !w.IsIconic() && !w.Contains(ws.GetFocus())) ws.SetFocus(&w);
            return 0;
        case WM_MOUSEACTIVATE:
            if (w.m_parent) {
                const TLResult r = ws.SendMessage(w.m_parent, WM_MOUSEACTIVATE, wParam, lParam);
                if (r) return r;
            }
            return w.IsNoActivate() ? MA_NOACTIVATE : MA_ACTIVATE;
        case WM_SETCURSOR:
            return SetCursor(w, wParam, lParam);
        case WM_SYSCOMMAND:
            SysCommand(w, wParam);
            return 0;
        case WM_CANCELMODE:
            if (ws.GetCapture() == &w) ws.ReleaseCapture();
            if (ws.MoveSize().WindowId() == w.m_id) ws.MoveSize().End(true);
            return 0;
        case WM_QUERYENDSESSION:
            return 1;
        default:
            return std::nullopt;
    }
}

std::optional<TLResult> TNonClient::MouseMessage(TWindow& w, uint32_t msg, TWParam wParam, TLParam lParam) {
    TWindowSystem& ws = w.System();
    switch (msg) {
        case WM_NCLBUTTONDOWN: {
            const int hit = static_cast<int>(static_cast<intptr_t>(wParam));
            if (w.m_parent) return 0;
            if (hit == HTCAPTION) {
                ws.SendMessage(&w, WM_SYSCOMMAND, SC_MOVE | HTCAPTION, lParam);
            } else if (hit >= HTLEFT && hit <= HTBOTTOMRIGHT) {
                ws.SendMessage(&w, WM_SYSCOMMAND, SC_SIZE + static_cast<uint32_t>(hit - HTLEFT + WMSZ_LEFT),
                               lParam);
            }
            return 0;
        }
        case WM_NCLBUTTONDBLCLK:
            if (!w.m_parent && static_cast<intptr_t>(wParam) == HTCAPTION && (w.m_style & WS_MAXIMIZEBOX))
                ws.SendMessage(&w, WM_SYSCOMMAND, w.IsZoomed() ? SC_RESTORE : SC_MAXIMIZE, lParam);
            return 0;
        case WM_RBUTTONUP:
            ws.SendMessage(&w, WM_CONTEXTMENU, PtrToWParam(&w),
                           PointToLParam(w.ClientToScreen(PointFromLParam(lParam))));
            return 0;
        case WM_NCRBUTTONUP:
            ws.SendMessage(&w, WM_CONTEXTMENU, PtrToWParam(&w), lParam);
            return 0;
        case WM_CONTEXTMENU:
        case WM_MOUSEWHEEL:
            return w.m_parent ? ws.SendMessage(w.m_parent, msg, wParam, lParam) : 0;
        default:
            return std::nullopt;
    }
}

std::optional<TLResult> TNonClient::KeyMessage(TWindow& w, uint32_t msg, TWParam wParam, TLParam lParam) {
    TWindowSystem& ws = w.System();
    switch (msg) {
        case WM_SYSKEYDOWN:
            if (wParam == VK_F4 && (static_cast<uint32_t>(lParam) & KF_ALTDOWN))
                ws.PostMessage(w.TopLevel(), WM_SYSCOMMAND, SC_CLOSE, 0);
            return 0;
        case WM_SYSKEYUP: {
            const bool altKey = wParam == VK_MENU || wParam == VK_LMENU || wParam == VK_RMENU;
            // Alt pressed and released alone, or F10, opens the window menu.
            if ((altKey && ws.Input().TakeAltAlone()) || wParam == VK_F10) {
                ws.Input().TakeAltAlone();
                ws.SendMessage(w.TopLevel(), WM_SYSCOMMAND, SC_KEYMENU, 0);
            }
            return 0;
        }
        case WM_SYSCHAR:
            if (wParam != VK_ESCAPE && wParam != VK_TAB)
                ws.SendMessage(w.TopLevel(), WM_SYSCOMMAND, SC_KEYMENU, static_cast<TLParam>(wParam));
            return 0;
        default:
            return std::nullopt;
    }
}

TLResult TNonClient::SetText(TWindow& w, TLParam lParam) {
    const char* text = PtrFromParam<const char>(lParam);
    w.m_text = text ? text : "";
    if (w.m_native) w.m_native->SetTitle(w.m_text);
    if (HasCaption(w)) w.System().RedrawFrame(&w);
    return 1;
}

TLResult TNonClient::PositionChanged(TWindow& w, TLParam lParam) {
    TWindowSystem& ws = w.System();
    const auto* pos = PtrFromParam<const TWindowPos>(lParam);
    if (!pos) return 0;
    const core::TRect client = w.ClientArea();
    if (!(pos->Flags & SWP_NOMOVE)) {
        const int x = w.m_rect.Left + (w.m_parent ? 0 : client.Left);
        const int y = w.m_rect.Top + (w.m_parent ? 0 : client.Top);
        ws.SendMessage(&w, WM_MOVE, 0, MakeLParam(x, y));
    }
    if (!(pos->Flags & SWP_NOSIZE) && ws.IsWindow(&w)) {
        const int type = w.IsIconic() ? SIZE_MINIMIZED : w.IsZoomed() ? SIZE_MAXIMIZED : SIZE_RESTORED;
        ws.SendMessage(&w, WM_SIZE, static_cast<TWParam>(type), MakeLParam(client.Width(), client.Height()));
    }
    return 0;
}

TLResult TNonClient::SetCursor(TWindow& w, TWParam wParam, TLParam lParam) {
    TWindowSystem& ws = w.System();
    if (w.m_parent && ws.SendMessage(w.m_parent, WM_SETCURSOR, wParam, lParam)) return 1;
    ws.SetCursor(EdgeCursor(static_cast<int16_t>(LoWord(static_cast<uintptr_t>(lParam)))));
    return 0;
}

void TNonClient::SysCommand(TWindow& w, TWParam wParam) {
    TWindowSystem& ws = w.System();
    TWindow* top = w.TopLevel();
    switch (wParam & 0xFFF0) {
        case SC_MOVE:
        case SC_SIZE:
            ws.RunMoveSizeLoop(top, static_cast<uint32_t>(wParam));
            break;
        case SC_CLOSE:
            ws.SendMessage(top, WM_CLOSE, 0, 0);
            break;
        case SC_MINIMIZE:
            ws.ShowWindow(top, SW_MINIMIZE);
            break;
        case SC_MAXIMIZE:
            ws.ShowWindow(top, SW_SHOWMAXIMIZED);
            break;
        case SC_RESTORE:
            ws.ShowWindow(top, SW_RESTORE);
            break;
        default:
            break;
    }
}

}  // namespace platform::ui
