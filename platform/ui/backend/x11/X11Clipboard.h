#pragma once
// One X selection (CLIPBOARD for cut/copy/paste, PRIMARY for the selected text): owning it and
// answering other programs' requests for our text (UTF8_STRING, TEXT, STRING, TARGETS; text too
// large for one request goes in pieces, INCR), and asking its owner for text (UTF8_STRING, else
// STRING; incremental transfers too) with a bounded wait.

#include <string>
#include <vector>

#include "platform/ui/backend/x11/X11Xlib.h"

namespace platform::ui::x11 {

struct TX11Atoms;

class TX11Clipboard {
public:
    // helper: an unmapped window of ours that receives the selection traffic; it must select
    // PropertyChangeMask.
    // selection: the selection's atom; None means CLIPBOARD.
    TX11Clipboard(Display* display, const TX11Atoms& atoms, Window helper, Atom selection = None);

    // Takes the selection (time: the last user event's time, or 0 for a fresh server time).
    void SetText(const std::string& utf8, Time time);
    // Our own text while we own the selection; otherwise the owner's, or "" when there is none
    // or it does not answer within the timeout.
    [[nodiscard]] std::string Text();
    // Serves SelectionRequest and notes SelectionClear for our helper; true when it was one.
    bool HandleEvent(const XEvent& event);

    static constexpr int kTimeoutMs = 1000;
    // Larger texts go in pieces (INCR), so that no requestor has to take one huge property.
    static constexpr long kIncrThreshold = 256 * 1024;
    // Pieces of an incremental transfer that we send.
    static constexpr std::size_t kIncrChunk = 64 * 1024;

private:
    // A transfer in pieces to a requestor: the next piece goes when it deletes the property.
    struct TOutgoing {
        Window Requestor = None;
        Atom Property = None;
        Atom Type = None;
        std::string Data;
        std::size_t Sent = 0;
    };
    void Answer(const XSelectionRequestEvent& request);
    bool SendNextPiece(const XPropertyEvent& event);
    bool WaitForEvent(int type, XEvent& out, int timeoutMs);
    std::string ReadProperty(int timeoutMs, bool& ok);
    Time ServerTime();

    Display* m_display;
    const TX11Atoms& m_atoms;
    Window m_helper;
    Atom m_selection;
    std::string m_text;
    std::vector<TOutgoing> m_outgoing;
    bool m_owner = false;
    Time m_ownedSince = CurrentTime;
};

}  // namespace platform::ui::x11
