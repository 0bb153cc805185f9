#include "platform/ui/backend/headless/HeadlessTray.h"

namespace platform::ui::headless {

int THeadlessTray::AddIcon(const TTrayIconImage& image, TTrayEventHandler handler) {
    if (!m_present) return 0;
    const int id = m_nextId++;
    m_icons[id] = TIcon{id, image, std::move(handler), 1};
    return id;
}

bool THeadlessTray::ModifyIcon(int id, const TTrayIconImage& image) {
    auto it = m_icons.find(id);
    if (!m_present || it == m_icons.end()) return false;
    it->second.Image = image;
    ++it->second.Adds;
    return true;
}

void THeadlessTray::RemoveIcon(int id) {
    m_icons.erase(id);
}

void THeadlessTray::SetPresent(bool present) {
    m_present = present;
    if (!present) m_icons.clear();
}

void THeadlessTray::Restart() {
    m_icons.clear();
    m_present = true;
    NotifyRestarted();
}

std::vector<int> THeadlessTray::IconIds() const {
    std::vector<int> ids;
    for (const auto& [id, icon] : m_icons) ids.push_back(id);
    return ids;
}

const THeadlessTray::TIcon* THeadlessTray::Icon(int id) const {
    auto it = m_icons.find(id);
    return it == m_icons.end() ? nullptr : &it->second;
}

const THeadlessTray::TIcon* THeadlessTray::OnlyIcon() const {
    return m_icons.size() == 1 ? &m_icons.begin()->second : nullptr;
}

bool THeadlessTray::Send(int id, const TTrayEvent& event) {
    auto it = m_icons.find(id);
    if (it == m_icons.end() || !it->second.Handler) return false;
    // The handler may remove the icon: call a copy.
    TTrayEventHandler handler = it->second.Handler;
    handler(event);
    return true;
}

bool THeadlessTray::Click(int id, core::TPoint screen, TMouseButton button) {
    TTrayEvent e;
    e.Button = button;
    e.Screen = screen;
    e.Action = TTrayAction::MouseDown;
    if (!Send(id, e)) return false;
    e.Action = TTrayAction::MouseUp;
    Send(id, e);
    return true;
}

}  // namespace platform::ui::headless
