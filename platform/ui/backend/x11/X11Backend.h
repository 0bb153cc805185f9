#pragma once
// The x11 backend's entry point, used by the backend factory.

#include <memory>
#include <string>

#include "platform/ui/backend/Backend.h"

namespace platform::ui::x11 {

// Opens the display named by $DISPLAY. Returns nullptr and sets error when it cannot.
[[nodiscard]] std::unique_ptr<TBackend> CreateX11Backend(std::string& error);

}  // namespace platform::ui::x11
