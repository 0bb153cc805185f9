#pragma once
// The browser window's pictures: its 760 x 570 background (a slate side bar with the program's
// mark, a white card behind the choosers and the six preview places), the five severity pictures
// (one to five red stars) and the two 150 x 150 pictures of the puzzles image list.

#include <string>
#include <vector>

#include "platform/gfx/Bitmap.h"

namespace skingen {

using platform::gfx::TBitmap;

struct TBrowserPictures {
    TBitmap Background;
    std::vector<TBitmap> Severity;  // picture i shows i + 1 stars
    std::vector<TBitmap> Puzzles;
};

[[nodiscard]] TBrowserPictures PaintBrowserPictures();

// Pictures side by side in one strip, as an image list takes them.
[[nodiscard]] TBitmap JoinPictures(const std::vector<TBitmap>& pictures);

// The names of the files WriteBrowserFolder writes.
inline constexpr const char* kBrowserPictureFiles[] = {"background.jpg", "severity.bmp", "puzzles.bmp"};

// Writes background.jpg and the image lists' strips severity.bmp (five 80 x 17 pictures) and
// puzzles.bmp (two 150 x 150 pictures) into folder, each file replaced on its own; other files
// of the folder stay as they are.
bool WriteBrowserFolder(const std::string& folder, std::string* error);

// Where the browser window places its previews (left, top of each 150 x 150 picture).
inline constexpr int kPreviewSlots[6][2] = {{209, 154}, {385, 154}, {561, 154},
                                            {209, 330}, {385, 330}, {561, 330}};

}  // namespace skingen
