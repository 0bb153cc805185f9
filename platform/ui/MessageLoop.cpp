// The message queue and the loops: posted messages, then input, then WM_QUIT, then WM_PAINT,
// then WM_TIMER.

#include "platform/ui/WindowSystem.h"

namespace platform::ui {

bool TWindowSystem::PostMessage(TWindow* window, uint32_t msg, TWParam wParam, TLParam lParam) {
    if (window && (!IsWindow(window) || window->m_destroying)) return false;
    if (msg == WM_QUIT) {
        PostQuitMessage(static_cast<int>(wParam));
        return true;
    }
    m_posted.push_back({window ? window->m_id : 0, msg, wParam, lParam, Now(), GetCursorPos()});
    return true;
}

void TWindowSystem::PostQuitMessage(int exitCode) {
    m_quit = exitCode;
}

bool TWindowSystem::PollBackend() {
    bool any = false;
    TInputEvent e;
    while (m_backend->PollEvent(e)) {
        m_input.push_back(e);
        any = true;
    }
    return any;
}

bool TWindowSystem::TakeMessage(TMessage& msg, bool remove) {
    while (!m_posted.empty()) {
        const TQueued q = m_posted.front();
        TWindow* w = nullptr;
        if (q.WindowId != 0) {
            w = Resolve(q.WindowId);
            if (!w || !IsWindow(w)) {  // its window is gone: the message goes with it
                m_posted.pop_front();
                continue;
            }
        }
        msg = {w, q.Msg, q.WParam, q.LParam, q.Time, q.Pt};
        if (remove) m_posted.pop_front();
        return true;
    }
    if (!m_translated.empty()) {
        msg = m_translated.front();
        if (remove) m_translated.pop_front();
        if (msg.Window && !IsWindow(msg.Window)) return TakeMessage(msg, remove);
        return true;
    }
    PollBackend();
    while (!m_input.empty()) {
        // Input after the end of a move or size loop waits until that loop has returned.
        if (InMoveSizeLoop() && m_moveSize.Ended) break;
        const TInputEvent e = m_input.front();
        m_input.pop_front();
        if (InMoveSizeLoop() && MoveSizeInput(e)) continue;
        if (TranslateInput(e, msg)) {
            if (!remove) m_translated.push_back(msg);
            return true;
        }
        // Posted messages sent while handling that input come before further input.
        if (!m_posted.empty()) return TakeMessage(msg, remove);
    }
    if (m_quit) {
        msg = {nullptr, WM_QUIT, static_cast<TWParam>(*m_quit), 0, Now(), GetCursorPos()};
        if (remove) m_quit.reset();
        return true;
    }
    // A copy: painting may create or destroy windows.
    const std::vector<TWindow*> tops = m_topLevels;
    for (TWindow* top : tops) {
        if (IsWindow(top) && PaintNext(top, msg)) return true;
    }
    Present();
    const uint64_t now = Now();
    while (m_timers.HasDue(now)) {
        std::optional<TDueTimer> due;
        if (remove) {
            due = m_timers.TakeDue(now);
        } else {
            TTimerQueue copy = m_timers;
            due = copy.TakeDue(now);
        }
        if (!due) break;
        TWindow* w = Resolve(due->WindowId);
        if (!w) {
            m_timers.KillAll(due->WindowId);
            continue;
        }
        msg = {w, WM_TIMER, due->TimerId, 0, now, GetCursorPos()};
        return true;
    }
    return false;
}

bool TWindowSystem::PeekMessage(TMessage& msg, bool remove) {
    return TakeMessage(msg, remove);
}

TWindowSystem::TWaitResult TWindowSystem::WaitMessage(TMessage& msg, const std::function<bool()>& done) {
    for (;;) {
        if (done && done()) return TWaitResult::Done;
        if (TakeMessage(msg, true)) return msg.Msg == WM_QUIT ? TWaitResult::Quit : TWaitResult::Message;
        if (OnIdle) {
            OnIdle();
            if (TakeMessage(msg, true)) return msg.Msg == WM_QUIT ? TWaitResult::Quit : TWaitResult::Message;
        }
        int64_t timeout = -1;
        if (const auto next = m_timers.NextDeadline()) {
            const uint64_t now = Now();
            timeout = *next > now ? static_cast<int64_t>(*next - now) : 0;
        }
        if (done && done()) return TWaitResult::Done;
        if (!m_backend->WaitForEvents(timeout)) return TWaitResult::Stalled;
    }
}

bool TWindowSystem::GetMessage(TMessage& msg) {
    const TWaitResult r = WaitMessage(msg, {});
    if (r == TWaitResult::Stalled) msg = {nullptr, WM_NULL, 0, 0, Now(), {}};
    return r == TWaitResult::Message;
}

TLResult TWindowSystem::DispatchMessage(const TMessage& msg) {
    if (!IsWindow(msg.Window)) return 0;
    TWindow* w = msg.Window;
    if (msg.Msg == WM_PAINT) {
        ++m_stats.PaintMessages;
        w->m_beganPaint = false;
        const TLResult r = CallProc(*w, WM_PAINT, msg.WParam, msg.LParam);
        // A procedure that did not paint would be asked again for ever; the platform would spin,
        // we validate.
        if (IsWindow(w) && !w->m_beganPaint) ValidateRect(w, nullptr);
        return r;
    }
    return CallProc(*w, msg.Msg, msg.WParam, msg.LParam);
}

bool TWindowSystem::FilterAndDispatch(TMessage& msg) {
    if (MessageFilter && MessageFilter(msg)) {
        if (msg.Msg == WM_PAINT && IsWindow(msg.Window)) ValidateRect(msg.Window, nullptr);
        return true;
    }
    DispatchMessage(msg);
    return true;
}

bool TWindowSystem::ProcessMessages() {
    TMessage msg;
    while (TakeMessage(msg, true)) {
        if (msg.Msg == WM_QUIT) {
            m_quit = static_cast<int>(msg.WParam);
            return false;
        }
        FilterAndDispatch(msg);
    }
    Present();
    return true;
}

int TWindowSystem::Run() {
    ++m_loopDepth;
    TMessage msg;
    int code = 0;
    for (;;) {
        const TWaitResult r = WaitMessage(msg, {});
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

TLoopEnd TWindowSystem::RunModalLoop(const std::function<bool()>& done) {
    ++m_loopDepth;
    TMessage msg;
    TLoopEnd end = TLoopEnd::Done;
    for (;;) {
        const TWaitResult r = WaitMessage(msg, done);
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
