#pragma once
// The soak driver's choice of input: a seeded sequence of clicks, keys and moves aimed at the
// browser's windows as they stand, that never asks the program to end (no close button, no
// system menu, no Alt+F4) and never double-clicks the caption by accident. Free of Xlib, so the
// choices can be checked without an X server.

#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace soak {

struct TSoakRect {
    int Left = 0, Top = 0, Width = 0, Height = 0;
    [[nodiscard]] bool Contains(int x, int y) const {
        return x >= Left && y >= Top && x < Left + Width && y < Top + Height;
    }
};

enum class TSoakWindowKind { Main, Dialog, Popup };

struct TSoakWindow {
    TSoakWindowKind Kind = TSoakWindowKind::Main;
    TSoakRect Bounds;  // on the screen
};

enum class TSoakActionKind { Click, DoubleClick, RightClick, Key, Move, Drag };

struct TSoakAction {
    TSoakActionKind Kind = TSoakActionKind::Move;
    int X = 0, Y = 0;    // screen point of the press or move
    int ToX = 0, ToY = 0;  // where a drag ends
    std::string Key;       // key symbol name for Key
    bool Shift = false, Alt = false;
    [[nodiscard]] std::string Describe() const;
};

// Where the main window's frame leaves its client area: the client area's top-left in window
// coordinates and its size.
struct TSoakFrame {
    int ClientLeft = 0, ClientTop = 0, ClientWidth = 0, ClientHeight = 0;
};

class TSoakPlan {
public:
    TSoakPlan(uint64_t seed, TSoakFrame frame, TSoakRect screen);

    // The next action for the windows now shown (main window first when it is shown).
    TSoakAction Next(const std::vector<TSoakWindow>& windows);

    // The parts of the main window the driver may press in: its client area, and the middle of
    // its caption for drags. Everything else of the frame (caption buttons, system-menu button,
    // borders) is left alone.
    [[nodiscard]] TSoakRect ClientZone(const TSoakRect& main) const;
    [[nodiscard]] TSoakRect CaptionDragZone(const TSoakRect& main) const;

private:
    int Uniform(int low, int highExclusive);
    bool Chance(int percent);
    TSoakAction PointerOn(const TSoakRect& zone, TSoakActionKind kind);
    TSoakAction OnMain(const TSoakRect& main);
    TSoakAction OnDialog(const TSoakRect& dialog);
    TSoakAction OnPopup(const TSoakRect& popup);
    TSoakAction KeyAction(bool dialog);
    TSoakAction CaptionDrag(const TSoakRect& main);

    std::mt19937_64 m_random;
    TSoakFrame m_frame;
    TSoakRect m_screen;
    // The last caption press: a second press near it could make a caption double click.
    std::optional<std::pair<int, int>> m_lastCaptionPress;
};

// VmRSS of a /proc/PID/status text in kB; nothing when the line is missing or malformed.
std::optional<long> ParseVmRssKb(std::string_view status);

}  // namespace soak
