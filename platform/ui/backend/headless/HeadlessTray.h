#pragma once
// A simulated notification area for the headless backend: it keeps the icons a program adds
// (pixmap and tip), lets a test press buttons on them, take the area away, and restart it as a
// panel restart would (every icon gone, listeners told).

#include <map>
#include <vector>

#include "platform/ui/NotificationArea.h"

namespace platform::ui::headless {

class THeadlessTray : public TNotificationArea {
public:
    struct TIcon {
        int Id = 0;
        TTrayIconImage Image;
        TTrayEventHandler Handler;
        int Adds = 0;  // how often this id's image was sent (add + modify)
    };

    [[nodiscard]] std::string Protocol() const override { return "headless"; }
    [[nodiscard]] bool Present() override { return m_present; }
    int AddIcon(const TTrayIconImage& image, TTrayEventHandler handler) override;
    bool ModifyIcon(int id, const TTrayIconImage& image) override;
    void RemoveIcon(int id) override;

    // ---- Simulation ----
    // Without an area every add fails and the icons are gone.
    void SetPresent(bool present);
    // The panel restarts: its icons are gone, then the listeners hear of it.
    void Restart();
    [[nodiscard]] std::vector<int> IconIds() const;
    // The icon, or null.
    [[nodiscard]] const TIcon* Icon(int id) const;
    // The only icon (null unless there is exactly one).
    [[nodiscard]] const TIcon* OnlyIcon() const;
    // Delivers an event to the icon's handler as the area would; false when there is no such icon.
    bool Send(int id, const TTrayEvent& event);
    // A press and release of the button at the point.
    bool Click(int id, core::TPoint screen, TMouseButton button = TMouseButton::Left);

private:
    std::map<int, TIcon> m_icons;
    int m_nextId = 1;
    bool m_present = true;
};

}  // namespace platform::ui::headless
