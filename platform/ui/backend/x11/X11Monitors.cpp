#include "platform/ui/backend/x11/X11Monitors.h"

#include <algorithm>

#include "platform/ui/backend/x11/X11Atoms.h"

namespace platform::ui::x11 {

namespace {

void QueryRandr(Display* display, Window root, std::vector<core::TRect>& bounds, int& primary) {
    int major = 0, minor = 0;
    if (!XRRQueryVersion(display, &major, &minor)) return;
    if (major > 1 || (major == 1 && minor >= 5)) {
        int count = 0;
        if (XRRMonitorInfo* monitors = XRRGetMonitors(display, root, True, &count)) {
            for (int i = 0; i < count; ++i) {
                const XRRMonitorInfo& m = monitors[i];
                if (m.width <= 0 || m.height <= 0) continue;
                if (m.primary) primary = static_cast<int>(bounds.size());
                bounds.push_back(core::Bounds(m.x, m.y, m.width, m.height));
            }
            XRRFreeMonitors(monitors);
        }
        if (!bounds.empty()) return;
    }
    if (major == 1 && minor < 2) return;
    XRRScreenResources* resources = XRRGetScreenResourcesCurrent(display, root);
    if (!resources) return;
    const RROutput primaryOutput = XRRGetOutputPrimary(display, root);
    RRCrtc primaryCrtc = None;
    if (primaryOutput != None) {
        if (XRROutputInfo* info = XRRGetOutputInfo(display, resources, primaryOutput)) {
            primaryCrtc = info->crtc;
            XRRFreeOutputInfo(info);
        }
    }
    for (int i = 0; i < resources->ncrtc; ++i) {
        XRRCrtcInfo* crtc = XRRGetCrtcInfo(display, resources, resources->crtcs[i]);
        if (!crtc) continue;
        const core::TRect r =
            core::Bounds(crtc->x, crtc->y, static_cast<int>(crtc->width), static_cast<int>(crtc->height));
        // Mirrored outputs share a CRTC or show the same rectangle: one monitor.
        if (crtc->mode != None && !r.IsEmpty() &&
            std::find(bounds.begin(), bounds.end(), r) == bounds.end()) {
            if (resources->crtcs[i] == primaryCrtc) primary = static_cast<int>(bounds.size());
            bounds.push_back(r);
        }
        XRRFreeCrtcInfo(crtc);
    }
    XRRFreeScreenResources(resources);
}

std::optional<long> ReadCardinal(Display* display, Window window, Atom property) {
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    std::optional<long> value;
    if (XGetWindowProperty(display, window, property, 0, 1, False, XA_CARDINAL, &type, &format, &count,
                           &after, &data) == Success &&
        type == XA_CARDINAL && format == 32 && count == 1) {
        value = reinterpret_cast<long*>(data)[0];
    }
    if (data) XFree(data);
    return value;
}

// The current desktop's work area, when the desktop publishes one.
std::optional<core::TRect> QueryWorkArea(Display* display, Window root, const TX11Atoms& atoms) {
    const long desktop = ReadCardinal(display, root, atoms.NET_CURRENT_DESKTOP).value_or(0);
    if (desktop < 0 || desktop > 1024) return std::nullopt;
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    std::optional<core::TRect> area;
    if (XGetWindowProperty(display, root, atoms.NET_WORKAREA, desktop * 4, 4, False, XA_CARDINAL, &type,
                           &format, &count, &after, &data) == Success &&
        type == XA_CARDINAL && format == 32 && count == 4) {
        // Format-32 properties arrive as longs whatever their size on the wire.
        const long* v = reinterpret_cast<const long*>(data);
        if (v[2] > 0 && v[3] > 0) {
            area = core::Bounds(static_cast<int>(v[0]), static_cast<int>(v[1]), static_cast<int>(v[2]),
                                static_cast<int>(v[3]));
        }
    }
    if (data) XFree(data);
    return area;
}

}  // namespace

std::vector<TMonitor> BuildMonitors(const std::vector<core::TRect>& bounds, int primary,
                                    const std::optional<core::TRect>& workArea) {
    std::vector<TMonitor> monitors;
    monitors.reserve(bounds.size());
    for (const core::TRect& b : bounds) {
        TMonitor m{b, b};
        if (workArea) {
            const core::TRect clipped = b.Intersect(*workArea);
            if (!clipped.IsEmpty()) m.WorkArea = clipped;
        }
        monitors.push_back(m);
    }
    if (primary > 0 && primary < static_cast<int>(monitors.size())) {
        std::rotate(monitors.begin(), monitors.begin() + primary, monitors.begin() + primary + 1);
    }
    return monitors;
}

std::vector<TMonitor> QueryMonitors(Display* display, int screen, const TX11Atoms& atoms, bool haveRandr) {
    const Window root = RootWindow(display, screen);
    std::vector<core::TRect> bounds;
    int primary = 0;
    if (haveRandr) QueryRandr(display, root, bounds, primary);
    if (bounds.empty()) {
        bounds.push_back(core::Bounds(0, 0, DisplayWidth(display, screen), DisplayHeight(display, screen)));
        primary = 0;
    }
    return BuildMonitors(bounds, primary, QueryWorkArea(display, root, atoms));
}

}  // namespace platform::ui::x11
