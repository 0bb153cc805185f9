#include "platform/ui/backend/x11/X11Clipboard.h"

#include <poll.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <vector>

#include "platform/core/Strings.h"
#include "platform/ui/backend/x11/X11Atoms.h"

namespace platform::ui::x11 {

namespace {

using TClock = std::chrono::steady_clock;

int MsLeft(TClock::time_point deadline) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - TClock::now());
    return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

std::string Latin1ToUtf8(const unsigned char* data, std::size_t size) {
    std::string out;
    out.reserve(size);
    for (std::size_t i = 0; i < size; ++i) core::AppendUtf8(out, data[i]);
    return out;
}

std::string Utf8ToLatin1(const std::string& utf8) {
    std::string out;
    for (char32_t ch : core::Utf8ToCodePoints(utf8)) {
        out.push_back(ch <= 0xFF ? static_cast<char>(ch) : '?');
    }
    return out;
}

struct TMatch {
    Window Target;
    int Type;
};

Bool MatchEvent(Display*, XEvent* event, XPointer arg) {
    const auto* match = reinterpret_cast<const TMatch*>(arg);
    return event->type == match->Type && event->xany.window == match->Target ? True : False;
}

}  // namespace

TX11Clipboard::TX11Clipboard(Display* display, const TX11Atoms& atoms, Window helper, Atom selection)
    : m_display(display),
      m_atoms(atoms),
      m_helper(helper),
      m_selection(selection != None ? selection : atoms.CLIPBOARD) {}

bool TX11Clipboard::WaitForEvent(int type, XEvent& out, int timeoutMs) {
    const auto deadline = TClock::now() + std::chrono::milliseconds(timeoutMs);
    TMatch match{m_helper, type};
    for (;;) {
        // Only our helper's events are taken; everything else stays queued for the event loop.
        if (XCheckIfEvent(m_display, &out, MatchEvent, reinterpret_cast<XPointer>(&match))) {
            return true;
        }
        const int left = MsLeft(deadline);
        if (left <= 0) return false;
        pollfd fd{ConnectionNumber(m_display), POLLIN, 0};
        if (poll(&fd, 1, left) < 0 && errno != EINTR) return false;
        if (fd.revents & (POLLHUP | POLLERR)) return false;
    }
}

Time TX11Clipboard::ServerTime() {
    // Appending nothing to a property still makes the server send a stamped notification.
    XChangeProperty(m_display, m_helper, m_atoms.VK_TIMESTAMP, XA_INTEGER, 32, PropModeAppend, nullptr, 0);
    XEvent event;
    TMatch match{m_helper, PropertyNotify};
    const auto deadline = TClock::now() + std::chrono::milliseconds(kTimeoutMs);
    XFlush(m_display);
    while (MsLeft(deadline) > 0) {
        if (XCheckIfEvent(m_display, &event, MatchEvent, reinterpret_cast<XPointer>(&match))) {
            if (event.xproperty.atom == m_atoms.VK_TIMESTAMP) return event.xproperty.time;
            continue;
        }
        pollfd fd{ConnectionNumber(m_display), POLLIN, 0};
        poll(&fd, 1, MsLeft(deadline));
        if (fd.revents & (POLLHUP | POLLERR)) break;
    }
    return CurrentTime;
}

void TX11Clipboard::SetText(const std::string& utf8, Time time) {
    m_text = utf8;
    if (time == CurrentTime) time = ServerTime();
    XSetSelectionOwner(m_display, m_selection, m_helper, time);
    m_owner = XGetSelectionOwner(m_display, m_selection) == m_helper;
    m_ownedSince = time;
}

std::string TX11Clipboard::ReadProperty(int timeoutMs, bool& ok) {
    ok = false;
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(m_display, m_helper, m_atoms.VK_SELECTION, 0, 0x1FFFFFFF, True, AnyPropertyType,
                           &type, &format, &count, &after, &data) != Success) {
        return {};
    }
    std::string bytes;
    if (type == m_atoms.INCR) {
        // The owner sends the text in pieces, each when we delete the previous one; an empty
        // piece ends it.
        if (data) XFree(data);
        const auto deadline = TClock::now() + std::chrono::milliseconds(timeoutMs);
        for (;;) {
            XEvent event;
            if (!WaitForEvent(PropertyNotify, event, MsLeft(deadline))) return {};
            if (event.xproperty.atom != m_atoms.VK_SELECTION || event.xproperty.state != PropertyNewValue) {
                continue;
            }
            unsigned char* piece = nullptr;
            if (XGetWindowProperty(m_display, m_helper, m_atoms.VK_SELECTION, 0, 0x1FFFFFFF, True,
                                   AnyPropertyType, &type, &format, &count, &after, &piece) != Success) {
                return {};
            }
            // A notification of a value already read (the INCR marker's own) finds nothing.
            if (type == None) {
                if (piece) XFree(piece);
                continue;
            }
            const std::size_t size = format == 8 ? count : 0;
            if (piece) {
                bytes.append(reinterpret_cast<const char*>(piece), size);
                XFree(piece);
            }
            if (count == 0) break;
        }
    } else {
        if (format == 8 && data) bytes.assign(reinterpret_cast<const char*>(data), count);
        if (data) XFree(data);
        if (format != 8) return {};
    }
    ok = true;
    if (type == XA_STRING) {
        return Latin1ToUtf8(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
    }
    return bytes;
}

std::string TX11Clipboard::Text() {
    // Asked rather than remembered: another program may have taken the selection while its
    // notification still waits in the queue.
    const Window owner = XGetSelectionOwner(m_display, m_selection);
    m_owner = m_owner && owner == m_helper;
    if (m_owner) return m_text;
    if (owner == None) return {};
    const auto deadline = TClock::now() + std::chrono::milliseconds(kTimeoutMs);
    for (Atom target : {m_atoms.UTF8_STRING, static_cast<Atom>(XA_STRING)}) {
        XDeleteProperty(m_display, m_helper, m_atoms.VK_SELECTION);
        XConvertSelection(m_display, m_selection, target, m_atoms.VK_SELECTION, m_helper, CurrentTime);
        XFlush(m_display);
        XEvent event;
        for (;;) {
            if (!WaitForEvent(SelectionNotify, event, MsLeft(deadline))) return {};
            if (event.xselection.selection == m_selection) break;
        }
        if (event.xselection.property == None) continue;  // the owner cannot give this target
        bool ok = false;
        std::string text = ReadProperty(MsLeft(deadline), ok);
        if (ok) return text;
    }
    return {};
}

void TX11Clipboard::Answer(const XSelectionRequestEvent& request) {
    XEvent reply{};
    reply.xselection.type = SelectionNotify;
    reply.xselection.display = m_display;
    reply.xselection.requestor = request.requestor;
    reply.xselection.selection = request.selection;
    reply.xselection.target = request.target;
    reply.xselection.time = request.time;
    // Obsolete clients name no property: the target serves as one.
    Atom property = request.property != None ? request.property : request.target;
    const bool ours =
        m_owner && request.selection == m_selection &&
        (request.time == CurrentTime || m_ownedSince == CurrentTime || request.time >= m_ownedSince);
    const long maxBytes = XExtendedMaxRequestSize(m_display) > 0
                              ? XExtendedMaxRequestSize(m_display) * 4 - 1024
                              : XMaxRequestSize(m_display) * 4 - 1024;
    if (!ours) {
        property = None;
    } else if (request.target == m_atoms.TARGETS) {
        const Atom targets[] = {m_atoms.TARGETS, m_atoms.UTF8_STRING, XA_STRING, m_atoms.TEXT};
        XChangeProperty(m_display, request.requestor, property, XA_ATOM, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(targets), 4);
    } else if (request.target == m_atoms.UTF8_STRING || request.target == m_atoms.TEXT ||
               request.target == XA_STRING) {
        const bool latin1 = request.target == XA_STRING;
        const Atom type = latin1 ? static_cast<Atom>(XA_STRING) : m_atoms.UTF8_STRING;
        std::string data = latin1 ? Utf8ToLatin1(m_text) : m_text;
        if (static_cast<long>(data.size()) < std::min<long>(maxBytes, kIncrThreshold)) {
            XChangeProperty(m_display, request.requestor, property, type, 8, PropModeReplace,
                            reinterpret_cast<const unsigned char*>(data.data()),
                            static_cast<int>(data.size()));
        } else {
            // Too large for one request: announce the size and send pieces as the requestor
            // deletes each one.
            XSelectInput(m_display, request.requestor, PropertyChangeMask);
            const long size = static_cast<long>(data.size());
            XChangeProperty(m_display, request.requestor, property, m_atoms.INCR, 32, PropModeReplace,
                            reinterpret_cast<const unsigned char*>(&size), 1);
            m_outgoing.push_back({request.requestor, property, type, std::move(data), 0});
        }
    } else {
        property = None;  // a target we do not offer
    }
    reply.xselection.property = property;
    XSendEvent(m_display, request.requestor, False, NoEventMask, &reply);
    XFlush(m_display);
}

bool TX11Clipboard::SendNextPiece(const XPropertyEvent& event) {
    for (auto it = m_outgoing.begin(); it != m_outgoing.end(); ++it) {
        if (it->Requestor != event.window || it->Property != event.atom) continue;
        if (event.state != PropertyDelete) return true;
        // An empty piece after the last one ends the transfer.
        const std::size_t size = std::min(kIncrChunk, it->Data.size() - it->Sent);
        XChangeProperty(m_display, it->Requestor, it->Property, it->Type, 8, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(it->Data.data() + it->Sent),
                        static_cast<int>(size));
        it->Sent += size;
        if (size == 0) {
            XSelectInput(m_display, it->Requestor, NoEventMask);
            m_outgoing.erase(it);
        }
        XFlush(m_display);
        return true;
    }
    return false;
}

bool TX11Clipboard::HandleEvent(const XEvent& event) {
    if (event.type == SelectionRequest && event.xselectionrequest.owner == m_helper &&
        event.xselectionrequest.selection == m_selection) {
        Answer(event.xselectionrequest);
        return true;
    }
    if (event.type == SelectionClear && event.xselectionclear.window == m_helper &&
        event.xselectionclear.selection == m_selection) {
        m_owner = false;
        m_text.clear();
        return true;
    }
    if (event.type == PropertyNotify && !m_outgoing.empty()) return SendNextPiece(event.xproperty);
    return false;
}

}  // namespace platform::ui::x11
