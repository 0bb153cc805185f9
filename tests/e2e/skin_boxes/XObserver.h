#pragma once
// A second connection to the X server that looks at the screen as a user would. Xlib stays in
// XObserver.cpp: its macros clash with names in the test framework's and our own headers.

#include <cstdint>
#include <memory>

namespace boxes_e2e {

class TXObserver {
public:
    TXObserver();
    ~TXObserver();
    TXObserver(const TXObserver&) = delete;
    TXObserver& operator=(const TXObserver&) = delete;

    [[nodiscard]] bool Connected() const;
    // Paints the desktop in one colour (0xRRGGBB).
    void SetRootColor(uint32_t rgb);
    // 0xRRGGBB of a screen pixel as the server shows it; 0xFFFFFFFF when it cannot be read.
    [[nodiscard]] uint32_t Pixel(int x, int y);
    // Screen position of the window with the keyboard focus; false when no window has it.
    bool FocusPosition(int& x, int& y);

private:
    struct TImpl;
    std::unique_ptr<TImpl> m_impl;
};

}  // namespace boxes_e2e
