#pragma once
// The non-client protocol: DefWindowProc, the default processing of every message. It gives a
// window the built-in frame (client area, hit-testing, painting), turns clicks on the frame into
// system commands and runs them (move, size, minimise, maximise, restore, close), handles
// closing, the window text, activation and cursors, and passes the messages that climb the tree
// (context menu, wheel, mouse activation, cursor) to the parent.

#include <cstdint>
#include <optional>

#include "platform/ui/Messages.h"

namespace platform::ui {

class TWindow;

class TNonClient {
public:
    static TLResult DefWindowProc(TWindow& window, uint32_t msg, TWParam wParam, TLParam lParam);

private:
    // Each group answers its own messages and std::nullopt for the others.
    static std::optional<TLResult> FrameMessage(TWindow& window, uint32_t msg, TWParam wParam,
                                                TLParam lParam);
    static std::optional<TLResult> StateMessage(TWindow& window, uint32_t msg, TWParam wParam,
                                                TLParam lParam);
    static std::optional<TLResult> MouseMessage(TWindow& window, uint32_t msg, TWParam wParam,
                                                TLParam lParam);
    static std::optional<TLResult> KeyMessage(TWindow& window, uint32_t msg, TWParam wParam, TLParam lParam);
    static TLResult SetText(TWindow& window, TLParam lParam);
    static TLResult PositionChanged(TWindow& window, TLParam lParam);
    static TLResult SetCursor(TWindow& window, TWParam wParam, TLParam lParam);
    static void SysCommand(TWindow& window, TWParam wParam);
};

}  // namespace platform::ui
