#include "platform/ui/CursorImage.h"

#include <map>
#include <utility>

#include "platform/ui/WindowSystem.h"

namespace platform::ui {

namespace {
std::map<std::string, TCursorImageSource>& Sources() {
    static std::map<std::string, TCursorImageSource> sources;
    return sources;
}
}  // namespace

TCursorImage FixedArrowCursor() {
    TCursorImage image;
    image.Width = 32;
    image.Height = 32;
    image.Alpha.assign(32 * 32, 0);
    // A left-aligned triangle of 16 rows, then the 3-row tail.
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x <= y * 11 / 15; ++x) image.Alpha[static_cast<size_t>(y * 32 + x)] = 255;
    for (int y = 16; y < 19; ++y)
        for (int x = 6; x < 9; ++x) image.Alpha[static_cast<size_t>(y * 32 + x)] = 255;
    return image;
}

void SetDisplayCursorImageSource(const std::string& backendName, TCursorImageSource source) {
    if (source)
        Sources()[backendName] = std::move(source);
    else
        Sources().erase(backendName);
}

std::optional<TCursorImage> DisplayCursorImage() {
    if (TWindowSystem* system = TWindowSystem::Current()) {
        auto it = Sources().find(system->Backend().Name());
        if (it != Sources().end()) return it->second();
    }
    return FixedArrowCursor();
}

}  // namespace platform::ui
