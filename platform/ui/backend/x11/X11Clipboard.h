#pragma once
// The clipboard through the CLIPBOARD selection: owning it and answering other programs'
// requests for our text (UTF8_STRING, TEXT, STRING, TARGETS), and asking its owner for text
// (UTF8_STRING, else STRING; incremental transfers too) with a bounded wait.

#include <string>

#include "platform/ui/backend/x11/X11Xlib.h"

namespace platform::ui::x11 {

struct TX11Atoms;

class TX11Clipboard {
public:
    // helper: an unmapped window of ours that receives the selection traffic; it must select
    // PropertyChangeMask.
    TX11Clipboard(Display* display, const TX11Atoms& atoms, Window helper);

    // Takes the selection (time: the last user event's time, or 0 for a fresh server time).
    void SetText(const std::string& utf8, Time time);
    // Our own text while we own the selection; otherwise the owner's, or "" when there is none
    // or it does not answer within the timeout.
    [[nodiscard]] std::string Text();
    // Serves SelectionRequest and notes SelectionClear for our helper; true when it was one.
    bool HandleEvent(const XEvent& event);

    static constexpr int kTimeoutMs = 1000;

private:
    void Answer(const XSelectionRequestEvent& request);
    bool WaitForEvent(int type, XEvent& out, int timeoutMs);
    std::string ReadProperty(int timeoutMs, bool& ok);
    Time ServerTime();

    Display* m_display;
    const TX11Atoms& m_atoms;
    Window m_helper;
    std::string m_text;
    bool m_owner = false;
    Time m_ownedSince = CurrentTime;
};

}  // namespace platform::ui::x11
