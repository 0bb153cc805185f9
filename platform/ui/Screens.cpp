// Monitors, work areas, the pointer and the system metrics.

#include "platform/ui/Screens.h"

#include <algorithm>
#include <limits>
#include <optional>

#include "platform/ui/WindowSystem.h"

namespace platform::ui {

namespace {

int64_t DistanceSquared(const core::TRect& r, core::TPoint p) {
    const int64_t dx = p.X < r.Left ? r.Left - p.X : (p.X >= r.Right ? p.X - r.Right + 1 : 0);
    const int64_t dy = p.Y < r.Top ? r.Top - p.Y : (p.Y >= r.Bottom ? p.Y - r.Bottom + 1 : 0);
    return dx * dx + dy * dy;
}

// Metrics that do not depend on the screen; nullopt for the others and for unknown indices.
std::optional<int> FixedMetric(int index) {
    switch (index) {
        case SM_CXVSCROLL:
        case SM_CYHSCROLL:
        case SM_CYVSCROLL:
        case SM_CXHSCROLL:
        case SM_CYVTHUMB:
        case SM_CXHTHUMB:
            return 16;
        case SM_CYCAPTION:
            return 19;
        case SM_CXBORDER:
        case SM_CYBORDER:
            return 1;
        case SM_CXDLGFRAME:
        case SM_CYDLGFRAME:
            return 3;
        case SM_CXFRAME:
        case SM_CYFRAME:
            return 4;
        case SM_CXEDGE:
        case SM_CYEDGE:
            return 2;
        case SM_CXICON:
        case SM_CYICON:
        case SM_CXCURSOR:
        case SM_CYCURSOR:
            return 32;
        case SM_CXSMICON:
        case SM_CYSMICON:
            return 16;
        case SM_CYMENU:
            return 19;
        case SM_CXSIZE:
        case SM_CYSIZE:
            return 18;
        case SM_CYSMCAPTION:
            return 15;
        case SM_CXSMSIZE:
        case SM_CYSMSIZE:
            return 12;
        case SM_CXMENUSIZE:
        case SM_CYMENUSIZE:
            return 18;
        case SM_CXMIN:
        case SM_CXMINTRACK:
            return 112;
        case SM_CYMIN:
        case SM_CYMINTRACK:
            return 27;
        case SM_CXDOUBLECLK:
        case SM_CYDOUBLECLK:
            return 4;
        case SM_CXDRAG:
        case SM_CYDRAG:
            return 4;
        case SM_MOUSEPRESENT:
        case SM_MOUSEWHEELPRESENT:
            return 1;
        case SM_SWAPBUTTON:
            return 0;
        default:
            return std::nullopt;
    }
}

core::TRect VirtualScreen(const std::vector<TMonitor>& monitors) {
    core::TRect all{};
    for (const TMonitor& m : monitors) all = all.Union(m.Bounds);
    return all;
}

}  // namespace

std::vector<TMonitor> TWindowSystem::Monitors() {
    std::vector<TMonitor> monitors = m_backend->Monitors();
    std::erase_if(monitors, [](const TMonitor& m) { return m.Bounds.IsEmpty(); });
    for (TMonitor& m : monitors) {
        m.WorkArea = m.WorkArea.Intersect(m.Bounds);
        if (m.WorkArea.IsEmpty()) m.WorkArea = m.Bounds;
    }
    if (monitors.empty()) monitors.push_back({{0, 0, 1024, 768}, {0, 0, 1024, 768}});
    return monitors;
}

TMonitor TWindowSystem::MonitorFromPoint(core::TPoint screen) {
    const std::vector<TMonitor> monitors = Monitors();
    const TMonitor* best = &monitors.front();
    int64_t bestDistance = std::numeric_limits<int64_t>::max();
    for (const TMonitor& m : monitors) {
        const int64_t d = DistanceSquared(m.Bounds, screen);
        if (d < bestDistance) {
            bestDistance = d;
            best = &m;
        }
    }
    return *best;
}

TMonitor TWindowSystem::MonitorFromRect(const core::TRect& screen) {
    const std::vector<TMonitor> monitors = Monitors();
    const TMonitor* best = nullptr;
    int64_t bestArea = 0;
    for (const TMonitor& m : monitors) {
        const core::TRect i = m.Bounds.Intersect(screen);
        const int64_t area = static_cast<int64_t>(i.Width()) * i.Height();
        if (area > bestArea) {
            bestArea = area;
            best = &m;
        }
    }
    if (best) return *best;
    return MonitorFromPoint({screen.Left + screen.Width() / 2, screen.Top + screen.Height() / 2});
}

TMonitor TWindowSystem::MonitorFromWindow(const TWindow* window) {
    if (!IsWindow(window)) return Monitors().front();
    return MonitorFromRect(window->TopLevel()->NormalRect());
}

core::TRect TWindowSystem::WorkArea() {
    return Monitors().front().WorkArea;
}

core::TPoint TWindowSystem::GetCursorPos() {
    // While scripted or buffered input is still to be taken, the pointer is where the input
    // taken so far left it, not where the last queued event will put it.
    if (!m_input.empty()) return m_pointer;
    m_pointer = m_backend->CursorPos();
    return m_pointer;
}

void TWindowSystem::SetCursorPos(core::TPoint screen) {
    m_pointer = screen;
    m_backend->SetCursorPos(screen);
}

void TWindowSystem::SetCursor(TCursorShape shape) {
    TWindow* over = m_capture ? m_capture : m_hover;
    if (!IsWindow(over)) return;
    const TNativeId native = over->TopLevel()->m_native;
    if (native) m_backend->SetCursorShape(native, shape);
}

int TWindowSystem::GetSystemMetrics(int index) {
    const std::vector<TMonitor> monitors = Monitors();
    const TMonitor& primary = monitors.front();
    const core::TRect virt = VirtualScreen(monitors);
    switch (index) {
        case SM_CXSCREEN:
            return primary.Bounds.Width();
        case SM_CYSCREEN:
            return primary.Bounds.Height();
        case SM_CXFULLSCREEN:
            return primary.WorkArea.Width();
        case SM_CYFULLSCREEN:
            return primary.WorkArea.Height() - *FixedMetric(SM_CYCAPTION);
        case SM_CXMAXIMIZED:
            return primary.WorkArea.Width();
        case SM_CYMAXIMIZED:
            return primary.WorkArea.Height();
        case SM_CXMAXTRACK:
            return virt.Width() + 2 * *FixedMetric(SM_CXFRAME);
        case SM_CYMAXTRACK:
            return virt.Height() + 2 * *FixedMetric(SM_CYFRAME);
        case SM_XVIRTUALSCREEN:
            return virt.Left;
        case SM_YVIRTUALSCREEN:
            return virt.Top;
        case SM_CXVIRTUALSCREEN:
            return virt.Width();
        case SM_CYVIRTUALSCREEN:
            return virt.Height();
        case SM_CMONITORS:
            return static_cast<int>(monitors.size());
        default:
            return FixedMetric(index).value_or(0);
    }
}

int GetSystemMetrics(int index) {
    if (const std::optional<int> fixed = FixedMetric(index)) return *fixed;
    TWindowSystem* ws = TWindowSystem::Current();
    return ws ? ws->GetSystemMetrics(index) : 0;
}

}  // namespace platform::ui
