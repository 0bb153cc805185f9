#include "SoakPlan.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdlib>

namespace soak {

namespace {

// Keys that move the focus, choose items, page, press buttons and answer message boxes. No Alt
// (Alt+F4 closes, Alt+Space opens the system menu whose Close ends the program) and no function
// keys.
constexpr std::array<const char*, 22> kKeys = {
    "Tab",  "Tab",   "Up",    "Down", "Left",      "Right",  "Return", "space", "Escape", "Home", "End",
    "Prior", "Next", "a",     "b",    "s",         "x",      "1",      "5",     "BackSpace", "Delete", "Down"};
constexpr std::array<const char*, 4> kDialogKeys = {"Return", "Escape", "space", "Tab"};

// Presses this close together (screen pixels) on the caption would count as a double click.
constexpr int kDoubleClickSlop = 4;

}  // namespace

std::string TSoakAction::Describe() const {
    auto point = [](int x, int y) { return std::to_string(x) + "," + std::to_string(y); };
    switch (Kind) {
        case TSoakActionKind::Click:
            return "click " + point(X, Y);
        case TSoakActionKind::DoubleClick:
            return "double-click " + point(X, Y);
        case TSoakActionKind::RightClick:
            return "right-click " + point(X, Y);
        case TSoakActionKind::Key:
            return std::string("key ") + (Shift ? "shift+" : "") + (Alt ? "alt+" : "") + Key;
        case TSoakActionKind::Move:
            return "move " + point(X, Y);
        case TSoakActionKind::Drag:
            return "drag " + point(X, Y) + " -> " + point(ToX, ToY);
    }
    return "?";
}

TSoakPlan::TSoakPlan(uint64_t seed, TSoakFrame frame, TSoakRect screen)
    : m_random(seed), m_frame(frame), m_screen(screen) {}

int TSoakPlan::Uniform(int low, int highExclusive) {
    if (highExclusive <= low) return low;
    return std::uniform_int_distribution<int>(low, highExclusive - 1)(m_random);
}

bool TSoakPlan::Chance(int percent) {
    return Uniform(0, 100) < percent;
}

TSoakRect TSoakPlan::ClientZone(const TSoakRect& main) const {
    return {main.Left + m_frame.ClientLeft, main.Top + m_frame.ClientTop, m_frame.ClientWidth,
            m_frame.ClientHeight};
}

TSoakRect TSoakPlan::CaptionDragZone(const TSoakRect& main) const {
    // The caption's middle: well clear of the system-menu button on the left and of the caption
    // buttons on the right, and of the top border's sizing band.
    const int top = m_frame.ClientTop / 4;
    const int bottom = m_frame.ClientTop * 3 / 4;
    const int left = m_frame.ClientLeft + 40;
    const int right = m_frame.ClientLeft + m_frame.ClientWidth - 140;
    return {main.Left + left, main.Top + top, std::max(1, right - left), std::max(1, bottom - top)};
}

TSoakAction TSoakPlan::PointerOn(const TSoakRect& target, TSoakActionKind kind) {
    TSoakAction a;
    a.Kind = kind;
    // Only the part on the screen: a window dragged half off it is pressed where it shows.
    const int left = std::max(target.Left, m_screen.Left), top = std::max(target.Top, m_screen.Top);
    const int right = std::min(target.Left + target.Width, m_screen.Left + m_screen.Width);
    const int bottom = std::min(target.Top + target.Height, m_screen.Top + m_screen.Height);
    TSoakRect zone = m_screen;
    if (right > left && bottom > top) {
        zone = {left, top, right - left, bottom - top};
    } else {
        a.Kind = TSoakActionKind::Move;
    }
    a.X = Uniform(zone.Left, zone.Left + zone.Width);
    a.Y = Uniform(zone.Top, zone.Top + zone.Height);
    return a;
}

TSoakAction TSoakPlan::CaptionDrag(const TSoakRect& main) {
    TSoakAction a = PointerOn(CaptionDragZone(main), TSoakActionKind::Drag);
    if (a.Kind != TSoakActionKind::Drag) return a;
    if (m_lastCaptionPress && std::abs(a.X - m_lastCaptionPress->first) <= kDoubleClickSlop &&
        std::abs(a.Y - m_lastCaptionPress->second) <= kDoubleClickSlop) {
        // Shift along the caption, away from the last press (the zone is far wider than this).
        const TSoakRect zone = CaptionDragZone(main);
        a.X = a.X - 2 * kDoubleClickSlop - 1 >= zone.Left ? a.X - 2 * kDoubleClickSlop - 1
                                                           : a.X + 2 * kDoubleClickSlop + 1;
    }
    m_lastCaptionPress = std::make_pair(a.X, a.Y);
    // Keep the caption on the screen so the window stays reachable.
    a.ToX = std::clamp(a.X + Uniform(-120, 121), m_screen.Left + 40, m_screen.Left + m_screen.Width - 140);
    a.ToY = std::clamp(a.Y + Uniform(-90, 91), m_screen.Top + 10, m_screen.Top + m_screen.Height - 200);
    return a;
}

TSoakAction TSoakPlan::KeyAction(bool dialog) {
    TSoakAction a;
    a.Kind = TSoakActionKind::Key;
    if (dialog) {
        a.Key = kDialogKeys[static_cast<std::size_t>(Uniform(0, kDialogKeys.size()))];
    } else {
        a.Key = kKeys[static_cast<std::size_t>(Uniform(0, kKeys.size()))];
        a.Shift = a.Key == "Tab" && Chance(40);
    }
    return a;
}

TSoakAction TSoakPlan::OnMain(const TSoakRect& main) {
    const int roll = Uniform(0, 100);
    const TSoakRect client = ClientZone(main);
    if (roll < 40) return PointerOn(client, TSoakActionKind::Click);
    if (roll < 45) return PointerOn(client, TSoakActionKind::DoubleClick);
    if (roll < 48) return PointerOn(client, TSoakActionKind::RightClick);
    if (roll < 72) return KeyAction(false);
    if (roll < 90) return PointerOn(Chance(70) ? client : m_screen, TSoakActionKind::Move);
    if (roll < 95) {
        TSoakAction a = PointerOn(client, TSoakActionKind::Drag);
        a.ToX = Uniform(client.Left, client.Left + client.Width);
        a.ToY = Uniform(client.Top, client.Top + client.Height);
        return a;
    }
    return CaptionDrag(main);
}

TSoakAction TSoakPlan::OnDialog(const TSoakRect& dialog) {
    // The message box's buttons sit in its lower part; its caption has no buttons, but a double
    // click there is left out all the same.
    const int roll = Uniform(0, 100);
    const int top = std::min(dialog.Height - 1, m_frame.ClientTop);
    const TSoakRect body{dialog.Left + 4, dialog.Top + top, std::max(1, dialog.Width - 8),
                         std::max(1, dialog.Height - top - 4)};
    if (roll < 45) return PointerOn(body, TSoakActionKind::Click);
    if (roll < 75) return KeyAction(true);
    return PointerOn(Chance(50) ? body : m_screen, TSoakActionKind::Move);
}

TSoakAction TSoakPlan::OnPopup(const TSoakRect& popup) {
    const int roll = Uniform(0, 100);
    if (roll < 50) return PointerOn(popup, TSoakActionKind::Click);
    if (roll < 70) return PointerOn(popup, TSoakActionKind::Move);
    if (roll < 85) {
        TSoakAction a = KeyAction(false);
        if (a.Key == "Tab") a.Key = "Down";
        return a;
    }
    // A click beside the list closes it, as a player does.
    return PointerOn(m_screen, TSoakActionKind::Move);
}

TSoakAction TSoakPlan::Next(const std::vector<TSoakWindow>& windows) {
    const TSoakWindow* main = nullptr;
    std::vector<const TSoakWindow*> others;
    for (const TSoakWindow& w : windows) {
        if (w.Kind == TSoakWindowKind::Main) {
            main = &w;
        } else {
            others.push_back(&w);
        }
    }
    // A message box or list that is up gets most of the input, as it would from a player; the
    // rest goes to the main window (which a modal box keeps from reacting).
    TSoakAction a;
    if (!others.empty() && (main == nullptr || Chance(70))) {
        const TSoakWindow& w = *others[static_cast<std::size_t>(Uniform(0, static_cast<int>(others.size())))];
        a = w.Kind == TSoakWindowKind::Dialog ? OnDialog(w.Bounds) : OnPopup(w.Bounds);
    } else if (main) {
        a = OnMain(main->Bounds);
    } else {
        a = PointerOn(m_screen, TSoakActionKind::Move);
    }
    // A box or list may be gone by the time the press arrives (the program closes it on input
    // still queued); the press must then not fall on the main window's frame below it.
    if (main && a.Kind != TSoakActionKind::Key && a.Kind != TSoakActionKind::Move &&
        main->Bounds.Contains(a.X, a.Y) && !ClientZone(main->Bounds).Contains(a.X, a.Y) &&
        !CaptionDragZone(main->Bounds).Contains(a.X, a.Y)) {
        a.Kind = TSoakActionKind::Move;
    }
    return a;
}

std::optional<long> ParseVmRssKb(std::string_view status) {
    constexpr std::string_view kLabel = "VmRSS:";
    std::size_t at = 0;
    while (at < status.size()) {
        const std::size_t end = std::min(status.find('\n', at), status.size());
        std::string_view line = status.substr(at, end - at);
        at = end + 1;
        if (line.substr(0, kLabel.size()) != kLabel) continue;
        line.remove_prefix(kLabel.size());
        while (!line.empty() && (line.front() == ' ' || line.front() == '\t')) line.remove_prefix(1);
        long value = 0;
        const auto [rest, error] = std::from_chars(line.data(), line.data() + line.size(), value);
        if (error != std::errc() || rest == line.data()) return std::nullopt;
        std::string_view unit(rest, static_cast<std::size_t>(line.data() + line.size() - rest));
        while (!unit.empty() && unit.front() == ' ') unit.remove_prefix(1);
        if (unit != "kB") return std::nullopt;
        return value;
    }
    return std::nullopt;
}

}  // namespace soak
