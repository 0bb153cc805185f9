#pragma once
// A second connection to the X server that reads the screen back as a user sees it. Xlib stays in
// X11Observer.cpp: its macros clash with names in our own headers.

#include <memory>
#include <string>

#include "platform/core/Types.h"
#include "platform/gfx/Bitmap.h"

namespace vktest {

class TX11Observer {
public:
    // Opens $DISPLAY; Connected() tells whether that worked.
    TX11Observer();
    ~TX11Observer();
    TX11Observer(const TX11Observer&) = delete;
    TX11Observer& operator=(const TX11Observer&) = delete;

    [[nodiscard]] bool Connected() const;
    // Sets the server's keyboard repeat (milliseconds before the first repeat, between repeats)
    // until the observer closes, which puts the server's own back.
    void SetKeyRepeat(unsigned delayMs, unsigned intervalMs);
    // Screen pixels as the server shows them; false when the server gives none.
    bool Pixel(int x, int y, platform::gfx::TColor& color);
    bool Capture(const platform::core::TRect& screen, platform::gfx::TBitmap& picture);

private:
    struct TImpl;
    std::unique_ptr<TImpl> m_impl;
};

}  // namespace vktest
