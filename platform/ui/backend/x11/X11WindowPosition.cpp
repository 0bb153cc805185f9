// Where a top-level window really is. A window manager puts its own frame around the window
// (reparenting), places it where its policy says rather than where we asked, and moves the frame
// without telling the window in a way the window can see; positions inside the frame are
// relative to it. Everything the program places relative to a window (message boxes, drop-down
// lists, menus) needs the real screen position, so it is read back through the frame.

#include "platform/ui/backend/x11/X11BackendImpl.h"

namespace platform::ui::x11 {

std::optional<core::TPoint> TX11Backend::RealPosition(const TX11Window& w) {
    int x = 0, y = 0;
    Window child = None;
    // False when the window is gone (the error is recorded, not fatal).
    if (!XTranslateCoordinates(m_display, w.Xid, m_root, 0, 0, &x, &y, &child)) return std::nullopt;
    return core::TPoint{x, y};
}

void TX11Backend::ApplyReportedBounds(TX11Window& w, const core::TRect& rect) {
    // The confirmation of a move or size of our own is no news.
    for (auto it = w.Pending.begin(); it != w.Pending.end(); ++it) {
        if (*it == rect) {
            w.Pending.erase(w.Pending.begin(), it + 1);
            return;
        }
    }
    if (rect == w.Bounds || w.Bounds.IsEmpty()) return;
    // The desktop decided otherwise: what we asked for before is superseded, and a later report
    // that happens to equal one of those requests is news again (a compositor that first answers
    // with a place of its own, then puts the window where we asked).
    w.Pending.clear();
    const bool resized = rect.Width() != w.Bounds.Width() || rect.Height() != w.Bounds.Height();
    w.Bounds = rect;
    if (resized) ApplyShape(w);
    TInputEvent e;
    e.Kind = TInputKind::Configure;
    e.Window = w.Xid;
    e.Rect = rect;
    Push(e);
}

void TX11Backend::FollowFrame(TX11Window& w) {
    if (w.Params.Popup) return;  // never managed, never framed
    if (const auto real = RealPosition(w)) {
        ApplyReportedBounds(w, core::Bounds(real->X, real->Y, w.Bounds.Width(), w.Bounds.Height()));
    }
}

void TX11Backend::TranslateReparent(TX11Window& w, const XReparentEvent& r) {
    w.Parent = r.parent;
    if (r.parent != m_root && r.parent != None) {
        // The frame's own moves reach us only through its notifications.
        XSelectInput(m_display, r.parent, StructureNotifyMask);
    }
    FollowFrame(w);
}

bool TX11Backend::TranslateFrameEvent(const XEvent& x) {
    if (x.type != ConfigureNotify || x.xconfigure.window == m_root) return false;
    bool ours = false;
    for (auto& [xid, w] : m_windows) {
        if (w.Parent != x.xconfigure.window || xid == x.xconfigure.window) continue;
        ours = true;
        FollowFrame(w);
    }
    return ours;
}

}  // namespace platform::ui::x11
