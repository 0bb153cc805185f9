#pragma once
// Records the messages that windows receive, for tests of any layer on the window system.

#include <cstdint>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/ui/WindowSystem.h"

namespace vktest {

struct LoggedMessage {
    std::string Window;
    uint32_t Msg = 0;
    platform::ui::TWParam WParam = 0;
    platform::ui::TLParam LParam = 0;
    uint64_t Time = 0;
};

class MessageLog {
public:
    // Returns a value to answer the message, or nullopt to pass it to DefWindowProc.
    using Handler = std::function<std::optional<platform::ui::TLResult>(
        platform::ui::TWindow&, uint32_t, platform::ui::TWParam, platform::ui::TLParam)>;

    // A window procedure that records each message under name (except those in Ignored) and then
    // runs handler.
    platform::ui::TWndProc Proc(std::string name, Handler handler = {}) {
        return [this, name = std::move(name), handler = std::move(handler)](
                   platform::ui::TWindow& w, uint32_t msg, platform::ui::TWParam wp,
                   platform::ui::TLParam lp) -> platform::ui::TLResult {
            if (!Ignored.count(msg)) Entries.push_back({name, msg, wp, lp, w.System().Now()});
            if (handler)
                if (auto r = handler(w, msg, wp, lp)) return *r;
            return platform::ui::DefWindowProc(w, msg, wp, lp);
        };
    }

    // "window:MESSAGE" for the recorded messages, only those listed when a list is given.
    [[nodiscard]] std::vector<std::string> Names(const std::set<uint32_t>& only = {}) const {
        std::vector<std::string> out;
        for (const auto& e : Entries)
            if (only.empty() || only.count(e.Msg))
                out.push_back(e.Window + ":" + platform::ui::MessageName(e.Msg));
        return out;
    }

    [[nodiscard]] std::vector<LoggedMessage> Of(uint32_t msg, const std::string& window = {}) const {
        std::vector<LoggedMessage> out;
        for (const auto& e : Entries)
            if (e.Msg == msg && (window.empty() || e.Window == window)) out.push_back(e);
        return out;
    }

    [[nodiscard]] std::size_t Count(uint32_t msg, const std::string& window = {}) const {
        return Of(msg, window).size();
    }

    void Clear() { Entries.clear(); }

    std::vector<LoggedMessage> Entries;
    std::set<uint32_t> Ignored{platform::ui::WM_NCHITTEST, platform::ui::WM_SETCURSOR};
};

}  // namespace vktest
