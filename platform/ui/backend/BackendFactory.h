#pragma once
// Picks the display backend: VK_BACKEND=headless selects the headless backend, empty or "x11"
// the x11 backend. Implemented in backend/factory (target platform_ui_backends), which links
// every backend, so that the window system itself builds without a display library.

#include <memory>
#include <string>

#include "platform/ui/backend/Backend.h"

namespace platform::ui {

// Null with a message in error when the chosen backend cannot start (no display, unknown name).
[[nodiscard]] std::unique_ptr<TBackend> CreateDefaultBackend(std::string& error);

}  // namespace platform::ui
