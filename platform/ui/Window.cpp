#include "platform/ui/Window.h"

#include "platform/gfx/Bitmap.h"
#include "platform/ui/WindowSystem.h"

namespace platform::ui {

TWindow::TWindow(TWindowSystem& system, uint64_t id) : m_system(&system), m_id(id) {}

TWindow::~TWindow() = default;

TWindow* TWindow::TopLevel() {
    TWindow* w = this;
    while (w->m_parent) w = w->m_parent;
    return w;
}

const TWindow* TWindow::TopLevel() const {
    const TWindow* w = this;
    while (w->m_parent) w = w->m_parent;
    return w;
}

bool TWindow::Contains(const TWindow* other) const {
    for (const TWindow* w = other; w; w = w->m_parent)
        if (w == this) return true;
    return false;
}

core::TRect TWindow::ClientRect() const {
    return {0, 0, m_client.Width(), m_client.Height()};
}

core::TPoint TWindow::OffsetInTopLevel() const {
    core::TPoint p{0, 0};
    for (const TWindow* w = this; w->m_parent; w = w->m_parent) {
        p.X += w->m_rect.Left + w->m_parent->m_client.Left;
        p.Y += w->m_rect.Top + w->m_parent->m_client.Top;
    }
    return p;
}

core::TRect TWindow::ScreenRect() const {
    const core::TPoint tl = WindowToScreen({0, 0});
    return {tl.X, tl.Y, tl.X + Width(), tl.Y + Height()};
}

core::TPoint TWindow::WindowToScreen(core::TPoint p) const {
    const core::TPoint off = OffsetInTopLevel();
    const core::TRect top = TopLevel()->m_rect;
    return {p.X + off.X + top.Left, p.Y + off.Y + top.Top};
}

core::TPoint TWindow::ScreenToWindow(core::TPoint p) const {
    const core::TPoint origin = WindowToScreen({0, 0});
    return {p.X - origin.X, p.Y - origin.Y};
}

core::TPoint TWindow::ClientToScreen(core::TPoint p) const {
    return WindowToScreen({p.X + m_client.Left, p.Y + m_client.Top});
}

core::TPoint TWindow::ScreenToClient(core::TPoint p) const {
    const core::TPoint w = ScreenToWindow(p);
    return {w.X - m_client.Left, w.Y - m_client.Top};
}

bool TWindow::IsWindowVisible() const {
    for (const TWindow* w = this; w; w = w->m_parent)
        if (!w->IsVisible()) return false;
    return true;
}

bool TWindow::IsWindowEnabled() const {
    for (const TWindow* w = this; w; w = w->m_parent)
        if (!w->IsEnabled()) return false;
    return true;
}

core::TRect TWindow::NormalRect() const {
    return m_showState == TShowState::Normal ? m_rect : m_normalRect;
}

bool TWindow::IsNoActivate() const {
    return (TopLevel()->m_exStyle & WS_EX_NOACTIVATE) != 0;
}

bool TWindow::HitsShape(core::TPoint windowPoint) const {
    if (!core::TRect{0, 0, Width(), Height()}.Contains(windowPoint)) return false;
    return !m_region || m_region->Contains(windowPoint);
}

const TWndProc& TWindow::WndProc() const {
    static const TWndProc empty;
    return m_proc ? *m_proc : empty;
}

TWndProc TWindow::SetWndProc(TWndProc proc) {
    TWndProc old = m_proc ? *m_proc : TWndProc{};
    m_proc = proc ? std::make_shared<const TWndProc>(std::move(proc)) : nullptr;
    return old;
}

TLResult TWindow::Send(uint32_t msg, TWParam wParam, TLParam lParam) {
    return m_system->SendMessage(this, msg, wParam, lParam);
}

bool TWindow::Post(uint32_t msg, TWParam wParam, TLParam lParam) {
    return m_system->PostMessage(this, msg, wParam, lParam);
}

void TWindow::Invalidate(bool erase) {
    m_system->InvalidateRect(this, nullptr, erase);
}

void TWindow::InvalidateRect(const core::TRect& clientRect, bool erase) {
    m_system->InvalidateRect(this, &clientRect, erase);
}

void TWindow::Update() {
    m_system->UpdateWindow(this);
}

void TWindow::SetText(const std::string& text) {
    m_system->SetWindowText(this, text);
}

void TWindow::SetBounds(const core::TRect& rect) {
    m_system->SetWindowPos(this, nullptr, rect, SWP_NOZORDER | SWP_NOACTIVATE);
}

void TWindow::Show(int cmd) {
    m_system->ShowWindow(this, cmd);
}

}  // namespace platform::ui
