// Monitors, work areas, the pointer and the system metrics.

#include "platform/ui/Screens.h"

#include <algorithm>
#include <limits>
#include <optional>

#include "platform/ui/InputRouter.h"
#include "platform/ui/MessageQueue.h"
#include "platform/ui/ScreenScale.h"
#include "platform/ui/WindowSystem.h"

namespace platform::ui {

namespace {

int64_t DistanceSquared(const core::TRect& r, core::TPoint p) {
    const int64_t dx = p.X < r.Left ? r.Left - p.X : (p.X >= r.Right ? p.X - r.Right + 1 : 0);
    const int64_t dy = p.Y < r.Top ? r.Top - p.Y : (p.Y >= r.Bottom ? p.Y - r.Bottom + 1 : 0);
    return dx * dx + dy * dy;
}

// Metrics that do not depend on the screen.
struct TFixedMetric {
    int Index;
    int Value;
};
constexpr TFixedMetric kFixedMetrics[] = {
    {SM_CXVSCROLL, 16},   {SM_CYHSCROLL, 16},   {SM_CYVSCROLL, 16},
    {SM_CXHSCROLL, 16},   {SM_CYVTHUMB, 16},    {SM_CXHTHUMB, 16},
    {SM_CYCAPTION, 19},   {SM_CXBORDER, 1},     {SM_CYBORDER, 1},
    {SM_CXDLGFRAME, 3},   {SM_CYDLGFRAME, 3},   {SM_CXFRAME, 4},
    {SM_CYFRAME, 4},      {SM_CXEDGE, 2},       {SM_CYEDGE, 2},
    {SM_CXICON, 32},      {SM_CYICON, 32},      {SM_CXCURSOR, 32},
    {SM_CYCURSOR, 32},    {SM_CXSMICON, 16},    {SM_CYSMICON, 16},
    {SM_CYMENU, 19},      {SM_CXSIZE, 18},      {SM_CYSIZE, 18},
    {SM_CYSMCAPTION, 15}, {SM_CXSMSIZE, 12},    {SM_CYSMSIZE, 12},
    {SM_CXMENUSIZE, 18},  {SM_CYMENUSIZE, 18},  {SM_CXMIN, 112},
    {SM_CXMINTRACK, 112}, {SM_CYMIN, 27},       {SM_CYMINTRACK, 27},
    {SM_CXDOUBLECLK, 4},  {SM_CYDOUBLECLK, 4},  {SM_CXDRAG, 4},
    {SM_CYDRAG, 4},       {SM_MOUSEPRESENT, 1}, {SM_MOUSEWHEELPRESENT, 1},
    {SM_SWAPBUTTON, 0},
};

// nullopt for metrics that depend on the screen and for unknown indices.
std::optional<int> FixedMetric(int index) {
    for (const TFixedMetric& m : kFixedMetrics)
        if (m.Index == index) return m.Value;
    return std::nullopt;
}

core::TRect VirtualScreen(const std::vector<TMonitor>& monitors) {
    core::TRect all{};
    for (const TMonitor& m : monitors) all = all.Union(m.Bounds);
    return all;
}

}  // namespace

std::vector<TMonitor> TWindowSystem::Monitors() {
    std::vector<TMonitor> monitors = m_backend->Monitors();
    for (TMonitor& m : monitors) {
        m.Bounds = ToLogicalInside(m.Bounds, m_scale);
        m.WorkArea = ToLogicalInside(m.WorkArea, m_scale);
    }
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
    if (m_queue->HasPendingInput()) return m_input->Pointer();
    m_input->SetPointer(ToLogical(m_backend->CursorPos(), m_scale));
    return m_input->Pointer();
}

void TWindowSystem::SetCursorPos(core::TPoint screen) {
    m_input->SetPointer(screen);
    m_backend->SetCursorPos(ToDevice(screen, m_scale));
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
