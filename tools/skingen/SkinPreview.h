#pragma once
// Previews of a loaded skin, composed the way the skinned controls and the window frame compose
// their faces: every control record in each of its states, the frame objects, the popup menu and
// hint windows, and the window frame at any size with its outline cut by the mask.

#include <optional>
#include <set>
#include <string>

#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Region.h"
#include "skin/data/bsSkinData.h"

namespace skingen {

using platform::gfx::TBitmap;

struct TFramePreviewOptions {
    int Width = 0;
    int Height = 0;
    bool Active = true;
    std::string Title;
    // Commands of the caption buttons the window shows (the others are hidden).
    std::set<skin::TbsStdCommand> Buttons;
    // A caption button drawn hot (-1: none) or pressed.
    int HotCommand = -1;
    bool HotPressed = false;
};

// The window with its frame; pixels that the mask cuts away are drawn as a checkerboard.
[[nodiscard]] TBitmap RenderFramePreview(skin::TbsSkinData& skin, const TFramePreviewOptions& options);

// The window region of a frame of that size, built from the mask as the frame builds it; nothing
// for a skin without a mask.
[[nodiscard]] std::optional<platform::gfx::TRegion> FrameRegion(skin::TbsSkinData& skin, int width,
                                                                int height);

// The browser window as the skin and the pictures of browserFolder dress it, controls in place.
[[nodiscard]] TBitmap RenderBrowserMock(skin::TbsSkinData& skin, const std::string& browserFolder);

// One sheet per group of records: controls.png, boxes.png, panels.png, objects.png, the frame at
// two sizes, and browser-mock.png when the browser's pictures lie beside the skin folder.
bool RenderSkinPreview(const std::string& skinFolder, const std::string& outFolder, std::string* error);

}  // namespace skingen
