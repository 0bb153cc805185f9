#pragma once
// The four standard message icons (exclamation, hand, asterisk, question), drawn by the program
// into 32 x 32 bitmaps whose bottom-left pixel is the transparent colour.

#include "platform/gfx/Bitmap.h"
#include "skin/form/bsconst.h"

namespace skin {

inline constexpr int kMessageIconSize = 32;
// The platform's numbers of the system icons.
inline constexpr int IDI_HAND = 32513, IDI_QUESTION = 32514, IDI_EXCLAMATION = 32515, IDI_ASTERISK = 32516;

// The icon number of a message type (0 for the custom type).
[[nodiscard]] int MessageIconId(TMsgDlgType type);
// The icon's picture; empty for 0 or an unknown number.
[[nodiscard]] platform::gfx::TBitmap MessageIcon(int iconId);

}  // namespace skin
