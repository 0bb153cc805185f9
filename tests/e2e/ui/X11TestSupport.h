#pragma once
// A fixture for the x11 backend under a real X server: the backend under test, and a second
// connection (the "observer") that looks at the screen and plays the desktop's part.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/ui/backend/x11/X11Backend.h"
#include "platform/ui/backend/x11/X11BackendImpl.h"

namespace vktest {

using namespace platform::ui;
using platform::core::TRect;

class X11Fixture : public ::testing::Test {
protected:
    void SetUp() override {
        const char* display = std::getenv("DISPLAY");
        ASSERT_TRUE(display && *display) << "needs an X server: run under scripts/with-xvfb.sh";
        std::string error;
        auto backend = x11::CreateX11Backend(error);
        ASSERT_TRUE(backend) << error;
        m_backend.reset(static_cast<x11::TX11Backend*>(backend.release()));
        m_observer = XOpenDisplay(nullptr);
        ASSERT_NE(m_observer, nullptr);
        m_root = DefaultRootWindow(m_observer);
        SetRootColor(kRootColor);
    }

    void TearDown() override {
        m_backend.reset();
        if (m_observer) XCloseDisplay(m_observer);
    }

    static constexpr uint32_t kRootColor = 0x204080;  // 0xRRGGBB, also a back-buffer pixel

    x11::TX11Backend& Backend() { return *m_backend; }
    Display* Observer() { return m_observer; }
    Window Root() const { return m_root; }

    void SetRootColor(uint32_t rgb) {
        XSetWindowBackground(m_observer, m_root, rgb);
        XClearWindow(m_observer, m_root);
        XSync(m_observer, False);
    }

    // 0xRRGGBB of a screen pixel as the server shows it.
    uint32_t ScreenPixel(int x, int y) {
        XImage* image = XGetImage(m_observer, m_root, x, y, 1, 1, AllPlanes, ZPixmap);
        if (!image) return 0xFFFFFFFF;
        const uint32_t pixel = static_cast<uint32_t>(XGetPixel(image, 0, 0)) & 0xFFFFFF;
        XDestroyImage(image);
        return pixel;
    }

    // Polls the backend (collecting its events) until done() holds or the time is up.
    bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 3000) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        for (;;) {
            TInputEvent event;
            while (m_backend->PollEvent(event)) m_events.push_back(event);
            if (done()) return true;
            if (std::chrono::steady_clock::now() >= deadline) return false;
            m_backend->WaitForEvents(10);
        }
    }

    // Lets everything sent so far arrive: the observer's requests, then the backend's events.
    void Settle() {
        XSync(m_observer, False);
        XSync(m_backend->XDisplay(), False);
        PumpUntil([] { return false; }, 50);
    }

    bool WaitForPixel(int x, int y, uint32_t rgb, int timeoutMs = 3000) {
        return PumpUntil([&] { return ScreenPixel(x, y) == rgb; }, timeoutMs);
    }

    std::vector<TInputEvent> Take(TInputKind kind) {
        std::vector<TInputEvent> out;
        for (const TInputEvent& e : m_events) {
            if (e.Kind == kind) out.push_back(e);
        }
        return out;
    }

    std::vector<TInputEvent>& Events() { return m_events; }

    // A shown window filled with one colour.
    TNativeId ShowFilled(const TRect& bounds, uint32_t rgb, const platform::gfx::TRegion* shape = nullptr,
                         bool popup = false) {
        TNativeWindowParams params;
        params.Bounds = bounds;
        params.Title = "x11 backend test";
        params.Popup = popup;
        const TNativeId id = m_backend->CreateNativeWindow(params);
        if (shape) m_backend->SetShape(id, shape);
        m_backend->SetVisible(id, true);
        Fill(id, bounds.Width(), bounds.Height(), rgb);
        return id;
    }

    void Fill(TNativeId id, int width, int height, uint32_t rgb) {
        platform::gfx::TBitmap buffer(width, height);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) buffer.ScanLine(y)[x] = rgb;
        }
        m_backend->Present(id, buffer, {TRect{0, 0, width, height}});
    }

    Window FocusedWindow() {
        Window focus = None;
        int revert = 0;
        XGetInputFocus(m_observer, &focus, &revert);
        return focus;
    }

private:
    std::unique_ptr<x11::TX11Backend> m_backend;
    Display* m_observer = nullptr;
    Window m_root = None;
    std::vector<TInputEvent> m_events;
};

}  // namespace vktest
