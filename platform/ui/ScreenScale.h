#pragma once
// The boundary between the window system's logical pixels and a scaled backend's device pixels:
// geometry going to the backend is multiplied by the screen scale, input and screen facts coming
// from it are divided (a device pixel belongs to the logical pixel that covers it).

#include <algorithm>
#include <climits>

#include "platform/core/Types.h"
#include "platform/gfx/Region.h"

namespace platform::ui {

[[nodiscard]] inline int ToDevice(int logical, int scale) {
    return static_cast<int>(std::clamp<long long>(static_cast<long long>(logical) * scale, INT_MIN, INT_MAX));
}

// Rounds towards minus infinity, so that -1 device pixel is logical -1, not 0.
[[nodiscard]] inline int ToLogical(int device, int scale) {
    return device >= 0 ? device / scale : -((-static_cast<long long>(device) + scale - 1) / scale);
}

[[nodiscard]] inline core::TPoint ToDevice(core::TPoint p, int scale) {
    return {ToDevice(p.X, scale), ToDevice(p.Y, scale)};
}

[[nodiscard]] inline core::TPoint ToLogical(core::TPoint p, int scale) {
    return {ToLogical(p.X, scale), ToLogical(p.Y, scale)};
}

[[nodiscard]] inline core::TRect ToDevice(const core::TRect& r, int scale) {
    return {ToDevice(r.Left, scale), ToDevice(r.Top, scale), ToDevice(r.Right, scale),
            ToDevice(r.Bottom, scale)};
}

// The logical rectangle that covers every device pixel of r.
[[nodiscard]] inline core::TRect ToLogicalCovering(const core::TRect& r, int scale) {
    return {ToLogical(r.Left, scale), ToLogical(r.Top, scale), -ToLogical(-r.Right, scale),
            -ToLogical(-r.Bottom, scale)};
}

// The logical rectangle of the device pixels r holds in whole blocks (a monitor, a work area).
[[nodiscard]] inline core::TRect ToLogicalInside(const core::TRect& r, int scale) {
    return {-ToLogical(-r.Left, scale), -ToLogical(-r.Top, scale), ToLogical(r.Right, scale),
            ToLogical(r.Bottom, scale)};
}

}  // namespace platform::ui
