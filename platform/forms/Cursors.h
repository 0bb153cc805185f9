#pragma once
// Cursor numbers of controls and the screen, and the window system's pointer shape for each.

#include "platform/ui/backend/Backend.h"

namespace platform::forms {

// The numbers that form resources store.
using TCursor = int;
constexpr TCursor crDefault = 0, crNone = -1, crArrow = -2, crCross = -3, crIBeam = -4, crSize = -22,
                  crSizeNESW = -6, crSizeNS = -7, crSizeNWSE = -8, crSizeWE = -9, crUpArrow = -10,
                  crHourGlass = -11, crDrag = -12, crNoDrop = -13, crHSplit = -14, crVSplit = -15,
                  crMultiDrag = -16, crSQLWait = -17, crNo = -18, crAppStart = -19, crHelp = -20,
                  crHandPoint = -21, crSizeAll = -22;

// The window system's pointer shape for a cursor number.
[[nodiscard]] ui::TCursorShape CursorShape(TCursor cursor);

}  // namespace platform::forms
