#pragma once
// Xlib's headers define macros (None, Expose, FocusIn, FocusOut, ...) that clash with names in
// our own headers. Every x11 source reaches Xlib through this header: it includes our headers
// that carry such names first, then Xlib's, and gives the three event numbers that share names
// with our input kinds other names.

#include "platform/core/Stream.h"
#include "platform/core/Strings.h"
#include "platform/core/Types.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Region.h"
#include "platform/ui/Messages.h"
#include "platform/ui/backend/Backend.h"

#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/cursorfont.h>
#include <X11/extensions/XShm.h>
#include <X11/extensions/Xrandr.h>
#include <X11/extensions/shape.h>
#include <X11/keysym.h>

namespace platform::ui::x11 {

constexpr int kXExpose = Expose;
constexpr int kXFocusIn = FocusIn;
constexpr int kXFocusOut = FocusOut;

}  // namespace platform::ui::x11

#undef Expose
#undef FocusIn
#undef FocusOut
