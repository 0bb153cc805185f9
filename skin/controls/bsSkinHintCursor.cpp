#include "skin/controls/bsSkinHintCursor.h"

#include <utility>

namespace skin {

namespace {
TbsCursorImageSource& Source() {
    static TbsCursorImageSource source;
    return source;
}
}  // namespace

void SetCursorImageSource(TbsCursorImageSource source) {
    Source() = std::move(source);
}

std::optional<TbsCursorImage> CurrentCursorImage() {
    if (Source()) return Source()();
    return platform::ui::DisplayCursorImage();
}

int VisibleHeightBelowHotSpot(const TbsCursorImage& image, int fallback) {
    if (image.Width <= 0 || image.Height <= 0 ||
        image.Alpha.size() < static_cast<size_t>(image.Width) * static_cast<size_t>(image.Height))
        return fallback;
    for (int y = image.Height - 1; y >= 0; --y)
        for (int x = 0; x < image.Width; ++x)
            if (image.Alpha[static_cast<size_t>(y * image.Width + x)] != 0) return y + 1 - image.HotSpot.Y;
    return fallback;
}

}  // namespace skin
