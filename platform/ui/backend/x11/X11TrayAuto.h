#pragma once
// The notification area of an X desktop, following the desktop while the program runs: the
// StatusNotifierItem protocol while a watcher is on the session bus, the XEmbed system tray
// while a tray manager owns the selection and no watcher is there. When the watcher goes away
// and a tray manager is there, the icons move to the XEmbed tray; when a watcher appears, they
// move back. Each move counts as the area restarting, so the program adds its icons again.
// While neither is there, the protocol last used stays in charge and waits for its own area.

#include <map>
#include <memory>
#include <string>

#include "platform/ui/NotificationArea.h"

namespace platform::ui {
class TWindow;
class TWindowSystem;
}  // namespace platform::ui

namespace platform::ui::x11 {

class TX11TraySni;
class TX11TrayXEmbed;

class TX11TrayAuto : public TNotificationArea {
public:
    explicit TX11TrayAuto(TWindowSystem& system);
    ~TX11TrayAuto() override;
    TX11TrayAuto(const TX11TrayAuto&) = delete;
    TX11TrayAuto& operator=(const TX11TrayAuto&) = delete;

    // Either protocol can be spoken (a session bus or a display could be opened).
    [[nodiscard]] bool Usable() const;
    // The protocol in charge now ("sni", "xembed"), "none" without either.
    [[nodiscard]] std::string Protocol() const override;
    [[nodiscard]] bool Present() override;
    int AddIcon(const TTrayIconImage& image, TTrayEventHandler handler) override;
    bool ModifyIcon(int id, const TTrayIconImage& image) override;
    void RemoveIcon(int id) override;

    // Looks at which area the desktop offers now and moves the icons when that changed. The
    // protocols' own notices run it (after their pump); tests may call it.
    void Reconsider();
    // The protocols, for tests (null when the bus or display could not be opened).
    [[nodiscard]] TX11TraySni* Sni() const { return m_sni.get(); }
    [[nodiscard]] TX11TrayXEmbed* XEmbed() const { return m_xembed.get(); }
    // The icon's id in the protocol in charge (0 when none).
    [[nodiscard]] int InnerId(int id) const;

private:
    [[nodiscard]] TNotificationArea* Choose();
    void SwitchTo(TNotificationArea* area);
    void XEmbedRestarted();

    std::unique_ptr<TX11TraySni> m_sni;
    std::unique_ptr<TX11TrayXEmbed> m_xembed;
    TNotificationArea* m_current = nullptr;
    // Our ids over the ids of the protocol in charge.
    std::map<int, int> m_inner;
    int m_nextId = 1;
    TWindowSystem& m_system;
    TWindow* m_poster = nullptr;  // a message-only window: moves run after the protocols' pumps
};

}  // namespace platform::ui::x11
