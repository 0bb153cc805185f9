#include "platform/forms/Keyboard.h"

#include "platform/ui/WindowSystem.h"

namespace platform::forms {

using namespace platform::ui;

TShiftState KeyboardShiftState() {
    TWindowSystem* ws = TWindowSystem::Current();
    if (!ws) return 0;
    TShiftState s = 0;
    if (ws->GetKeyState(VK_SHIFT) < 0) s |= ssShift;
    if (ws->GetKeyState(VK_CONTROL) < 0) s |= ssCtrl;
    if (ws->GetKeyState(VK_MENU) < 0) s |= ssAlt;
    if (ws->GetKeyState(VK_LBUTTON) < 0) s |= ssLeft;
    if (ws->GetKeyState(VK_RBUTTON) < 0) s |= ssRight;
    if (ws->GetKeyState(VK_MBUTTON) < 0) s |= ssMiddle;
    return s;
}

}  // namespace platform::forms
