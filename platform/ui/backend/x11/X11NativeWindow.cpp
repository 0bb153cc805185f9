// The x11 backend's native window objects: each forwards to the backend's record of its X window.

#include "platform/ui/backend/x11/X11BackendImpl.h"

namespace platform::ui::x11 {

class TX11NativeWindow final : public TNativeWindow {
public:
    TX11NativeWindow(TX11Backend& backend, TNativeId id) : TNativeWindow(id), m_backend(backend) {
        if (TX11Window* w = m_backend.Find(id)) w->Object = this;
    }
    ~TX11NativeWindow() override { m_backend.DestroyNativeWindow(Id()); }

    void SetBounds(const core::TRect& screen) override { m_backend.SetBounds(Id(), screen); }
    void SetVisible(bool visible) override { m_backend.SetVisible(Id(), visible); }
    void SetMinimized(bool minimized) override { m_backend.SetMinimized(Id(), minimized); }
    void Raise() override { m_backend.Raise(Id()); }
    void SetTopmost(bool topmost) override { m_backend.SetTopmost(Id(), topmost); }
    void SetTitle(const std::string& title) override { m_backend.SetTitle(Id(), title); }
    void SetIcon(const gfx::TBitmap* icon) override { m_backend.SetIcon(Id(), icon); }
    void SetShape(const gfx::TRegion* shape) override { m_backend.SetShape(Id(), shape); }
    void SetOpacity(uint8_t alpha) override { m_backend.SetOpacity(Id(), alpha); }
    void Present(const gfx::TBitmap& backBuffer, const std::vector<core::TRect>& rects) override {
        m_backend.Present(Id(), backBuffer, rects);
    }
    void SetKeyboardFocus() override { m_backend.SetKeyboardFocus(Id()); }
    void SetCursorShape(TCursorShape shape) override { m_backend.SetCursorShape(Id(), shape); }

private:
    TX11Backend& m_backend;
};

std::unique_ptr<TNativeWindow> TX11Backend::OpenWindow(const TNativeWindowParams& params) {
    const TNativeId id = CreateNativeWindow(params);
    if (id == 0) return nullptr;
    return std::make_unique<TX11NativeWindow>(*this, id);
}

TNativeWindow* TX11Backend::NativeWindowAt(core::TPoint screen) {
    const TX11Window* w = FindX(static_cast<Window>(WindowAt(screen)));
    return w ? w->Object : nullptr;
}

void TX11Backend::Sync() {
    if (!Dead()) XSync(m_display, False);
}

}  // namespace platform::ui::x11
