// The headless backend's native window objects: each forwards to the backend's record of its id.

#include "platform/ui/backend/headless/HeadlessBackend.h"

namespace platform::ui::headless {

class THeadlessWindow final : public TNativeWindow {
public:
    THeadlessWindow(THeadlessBackend& backend, TNativeId id) : TNativeWindow(id), m_backend(backend) {
        m_backend.m_objects[id] = this;
    }
    ~THeadlessWindow() override {
        m_backend.m_objects.erase(Id());
        m_backend.DestroyNativeWindow(Id());
    }

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
    THeadlessBackend& m_backend;
};

std::unique_ptr<TNativeWindow> THeadlessBackend::OpenWindow(const TNativeWindowParams& params) {
    const TNativeId id = CreateNativeWindow(params);
    if (id == 0) return nullptr;
    return std::make_unique<THeadlessWindow>(*this, id);
}

TNativeWindow* THeadlessBackend::NativeWindowAt(core::TPoint screen) {
    const auto it = m_objects.find(WindowAt(screen));
    return it == m_objects.end() ? nullptr : it->second;
}

bool THeadlessBackend::TakePresented() {
    const bool any = !m_presents.empty();
    m_presents.clear();
    return any;
}

}  // namespace platform::ui::headless
