#pragma once
// The paint scheduler: update regions and their invalidation (children included where the parent
// does not clip them), the order in which windows are asked to paint (frame, then client; parents
// and lower siblings first), visible regions, paint and window contexts on the top-level windows'
// back buffers, and presenting what was painted to the native windows.

#include <memory>

#include "platform/core/Types.h"
#include "platform/gfx/Region.h"
#include "platform/ui/DeviceContext.h"
#include "platform/ui/Messages.h"

namespace platform::ui {

class TWindow;
class TWindowSystem;
struct TPaintStats;

class TPaintScheduler {
public:
    explicit TPaintScheduler(TWindowSystem& system);
    ~TPaintScheduler();

    // See the painting members of TWindowSystem.
    void InvalidateRect(TWindow* window, const core::TRect* clientRect, bool erase);
    void InvalidateRgn(TWindow* window, const gfx::TRegion& clientRegion, bool erase);
    void ValidateRect(TWindow* window, const core::TRect* clientRect);
    void RedrawFrame(TWindow* window);
    void RedrawAll(TWindow* window);
    [[nodiscard]] bool GetUpdateRect(TWindow* window, core::TRect& clientRect) const;
    void UpdateWindow(TWindow* window);
    TDeviceContextPtr BeginPaint(TWindow* window);
    TDeviceContextPtr GetDC(TWindow* window);
    TDeviceContextPtr GetWindowDC(TWindow* window);
    [[nodiscard]] gfx::TRegion VisibleRegion(const TWindow* window, bool clientOnly) const;
    void Present();
    [[nodiscard]] const gfx::TBitmap* BackBuffer(const TWindow* topLevel) const;
    [[nodiscard]] const TPaintStats& Stats() const { return *m_stats; }
    void ResetStats();

    // An area of a top-level window (its coordinates) that must be painted again, frames included.
    void InvalidateInTopLevel(TWindow* topLevel, const gfx::TRegion& area);
    // The window's rectangle, in its top-level window, must be painted again (it moved or went).
    void InvalidateWhere(TWindow* window);
    // The next WM_PAINT under root, after painting the frames that need it; false when none.
    bool PaintNext(TWindow* root, TMessage& msg);
    // A WM_PAINT was dispatched: counted, and validated when the procedure did not paint.
    TLResult DispatchPaint(const TMessage& msg);
    // Painted area (back-buffer coordinates) to present.
    void AddDirty(TWindow* topLevel, const gfx::TRegion& bufferRegion);
    void EnsureBackBuffer(TWindow* topLevel);
    // A context ended: what it drew is presented next time.
    void EndContext(TDeviceContext& dc);

private:
    void AddUpdate(TWindow* window, const gfx::TRegion& clientRegion, bool erase, bool children);
    TWindow* FindPaintTarget(TWindow* root) const;
    void SendNcPaint(TWindow* window);
    [[nodiscard]] gfx::TRegion ShapeInTopLevel(const TWindow* window, bool clientOnly) const;
    TDeviceContextPtr NullContext(TDeviceContextKind kind);

    TWindowSystem& m_system;
    std::unique_ptr<TPaintStats> m_stats;
};

}  // namespace platform::ui
