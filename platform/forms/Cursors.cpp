#include "platform/forms/Cursors.h"

namespace platform::forms {

using ui::TCursorShape;

TCursorShape CursorShape(TCursor cursor) {
    switch (cursor) {
        case crCross:
            return TCursorShape::Cross;
        case crIBeam:
            return TCursorShape::IBeam;
        case crSizeNESW:
            return TCursorShape::SizeNESW;
        case crSizeNS:
        case crVSplit:
            return TCursorShape::SizeNS;
        case crSizeNWSE:
            return TCursorShape::SizeNWSE;
        case crSizeWE:
        case crHSplit:
            return TCursorShape::SizeWE;
        case crHourGlass:
        case crSQLWait:
        case crAppStart:
            return TCursorShape::Wait;
        case crNo:
        case crNoDrop:
            return TCursorShape::No;
        case crHandPoint:
            return TCursorShape::Hand;
        case crSizeAll:
            return TCursorShape::SizeAll;
        default:
            return TCursorShape::Arrow;
    }
}

}  // namespace platform::forms
