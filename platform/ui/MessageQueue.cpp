// The message queue and the loops: posted messages, then input, then WM_QUIT, then WM_PAINT,
// then WM_TIMER.

#include "platform/ui/MessageQueue.h"

#include <algorithm>
#include <vector>

#include "platform/ui/InputRouter.h"
#include "platform/ui/MoveSizeLoop.h"
#include "platform/ui/PaintScheduler.h"
#include "platform/ui/ScreenScale.h"
#include "platform/ui/TerminationSignals.h"
#include "platform/ui/WindowSystem.h"
#include "platform/ui/WindowTree.h"

namespace platform::ui {

bool TMessageQueue::Post(TWindow* window, uint32_t msg, TWParam wParam, TLParam lParam) {
    if (window && (!m_system.IsWindow(window) || window->m_destroying)) return false;
    if (msg == WM_QUIT) {
        PostQuit(static_cast<int>(wParam));
        return true;
    }
    m_posted.push_back(
        {window ? window->m_id : 0, msg, wParam, lParam, m_system.Now(), m_system.GetCursorPos()});
    return true;
}

void TMessageQueue::PollBackend() {
    TInputEvent e;
    const int scale = m_system.Scale();
    while (m_system.Backend().PollEvent(e)) {
        if (scale > 1) {
            e.ScreenPos = ToLogical(e.ScreenPos, scale);
            // A desktop move keeps the window's logical size; lost pixels cover whole blocks.
            e.Rect = e.Kind == TInputKind::Configure
                         ? core::TRect{ToLogical(e.Rect.Left, scale), ToLogical(e.Rect.Top, scale),
                                       ToLogical(e.Rect.Right, scale), ToLogical(e.Rect.Bottom, scale)}
                         : ToLogicalCovering(e.Rect, scale);
        }
        m_input.push_back(e);
    }
}

void TMessageQueue::ForgetNative(const TNativeWindow* native) {
    for (TInputEvent& e : m_input)
        if (e.Target == native) e.Target = nullptr;
}

bool TMessageQueue::TakePosted(TMessage& msg, bool remove) {
    while (!m_posted.empty()) {
        const TQueued q = m_posted.front();
        TWindow* w = nullptr;
        if (q.WindowId != 0) {
            w = m_system.Tree().Find(q.WindowId);
            if (!w || !m_system.IsWindow(w)) {  // its window is gone: the message goes with it
                m_posted.pop_front();
                continue;
            }
        }
        msg = {w, q.Msg, q.WParam, q.LParam, q.Time, q.Pt};
        if (remove) m_posted.pop_front();
        return true;
    }
    return false;
}

std::optional<bool> TMessageQueue::TakeInput(TMessage& msg, bool remove) {
    TMoveSizeLoop& moveSize = m_system.MoveSize();
    while (!m_input.empty()) {
        // Input after the end of a move or size loop waits until that loop has returned.
        if (moveSize.Ending()) break;
        const TInputEvent e = m_input.front();
        m_input.pop_front();
        if (moveSize.Running() && moveSize.Input(e)) continue;
        if (m_system.Input().Translate(e, msg)) {
            if (!remove) m_translated.push_back(msg);
            return true;
        }
        // Posted messages sent while handling that input come before further input.
        if (!m_posted.empty()) return Take(msg, remove);
    }
    return std::nullopt;
}

bool TMessageQueue::TakePaint(TMessage& msg) {
    // A copy: painting may create or destroy windows.
    const std::vector<TWindow*> tops = m_system.Tree().TopLevels();
    for (TWindow* top : tops) {
        if (m_system.IsWindow(top) && m_system.Painter().PaintNext(top, msg)) return true;
    }
    return false;
}

bool TMessageQueue::TakeTimer(TMessage& msg, bool remove) {
    const uint64_t now = m_system.Now();
    while (m_timers.HasDue(now)) {
        std::optional<TDueTimer> due;
        if (remove) {
            due = m_timers.TakeDue(now);
        } else {
            TTimerQueue copy = m_timers;
            due = copy.TakeDue(now);
        }
        if (!due) break;
        TWindow* w = m_system.Tree().Find(due->WindowId);
        if (!w) {
            m_timers.KillAll(due->WindowId);
            continue;
        }
        msg = {w, WM_TIMER, due->TimerId, 0, now, m_system.GetCursorPos()};
        return true;
    }
    return false;
}

bool TMessageQueue::Take(TMessage& msg, bool remove) {
    if (TakePosted(msg, remove)) return true;
    if (!m_translated.empty()) {
        msg = m_translated.front();
        if (remove) m_translated.pop_front();
        if (msg.Window && !m_system.IsWindow(msg.Window)) return Take(msg, remove);
        return true;
    }
    PollBackend();
    if (const std::optional<bool> input = TakeInput(msg, remove)) return *input;
    if (m_quit) {
        msg = {nullptr, WM_QUIT, static_cast<TWParam>(*m_quit), 0, m_system.Now(), m_system.GetCursorPos()};
        if (remove) m_quit.reset();
        return true;
    }
    if (TakePaint(msg)) return true;
    m_system.Painter().Present();
    return TakeTimer(msg, remove);
}

TMessageQueue::TWaitResult TMessageQueue::Wait(TMessage& msg, const std::function<bool()>& done) {
    for (;;) {
        // A termination signal ends every loop, modal ones first, as a quit does.
        if (TTerminationSignals::Take() != 0) PostQuit(0);
        if (done && done()) return TWaitResult::Done;
        if (Take(msg, true)) return msg.Msg == WM_QUIT ? TWaitResult::Quit : TWaitResult::Message;
        if (m_system.OnIdle) {
            m_system.OnIdle();
            if (Take(msg, true)) return msg.Msg == WM_QUIT ? TWaitResult::Quit : TWaitResult::Message;
        }
        int64_t timeout = -1;
        if (const auto next = m_timers.NextDeadline()) {
            const uint64_t now = m_system.Now();
            timeout = *next > now ? static_cast<int64_t>(*next - now) : 0;
        }
        if (done && done()) return TWaitResult::Done;
        if (!m_system.Backend().WaitForEvents(timeout)) return TWaitResult::Stalled;
    }
}

bool TMessageQueue::Get(TMessage& msg) {
    const TWaitResult r = Wait(msg, {});
    if (r == TWaitResult::Stalled) msg = {nullptr, WM_NULL, 0, 0, m_system.Now(), {}};
    return r == TWaitResult::Message;
}

TLResult TMessageQueue::Dispatch(const TMessage& msg) {
    if (!m_system.IsWindow(msg.Window)) return 0;
    if (msg.Msg == WM_PAINT) return m_system.Painter().DispatchPaint(msg);
    return m_system.Tree().CallProc(*msg.Window, msg.Msg, msg.WParam, msg.LParam);
}

void TMessageQueue::FilterAndDispatch(TMessage& msg) {
    if (m_system.MessageFilter && m_system.MessageFilter(msg)) {
        if (msg.Msg == WM_PAINT && m_system.IsWindow(msg.Window)) m_system.ValidateRect(msg.Window, nullptr);
        return;
    }
    Dispatch(msg);
}

bool TMessageQueue::ProcessMessages() {
    TMessage msg;
    while (Take(msg, true)) {
        if (msg.Msg == WM_QUIT) {
            m_quit = static_cast<int>(msg.WParam);
            return false;
        }
        FilterAndDispatch(msg);
    }
    m_system.Painter().Present();
    return true;
}

int TMessageQueue::Run() {
    ++m_loopDepth;
    TMessage msg;
    int code = 0;
    for (;;) {
        const TWaitResult r = Wait(msg, {});
        if (r == TWaitResult::Quit) {
            code = static_cast<int>(msg.WParam);
            break;
        }
        if (r == TWaitResult::Stalled) break;
        FilterAndDispatch(msg);
    }
    --m_loopDepth;
    return code;
}

TLoopEnd TMessageQueue::RunModal(const std::function<bool()>& done) {
    ++m_loopDepth;
    TMessage msg;
    TLoopEnd end = TLoopEnd::Done;
    for (;;) {
        const TWaitResult r = Wait(msg, done);
        if (r == TWaitResult::Done) break;
        if (r == TWaitResult::Quit) {
            m_quit = static_cast<int>(msg.WParam);  // left for the outer loops
            end = TLoopEnd::Quit;
            break;
        }
        if (r == TWaitResult::Stalled) {
            end = TLoopEnd::Stalled;
            break;
        }
        FilterAndDispatch(msg);
    }
    --m_loopDepth;
    return end;
}

}  // namespace platform::ui
