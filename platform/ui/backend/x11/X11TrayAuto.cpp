#include "platform/ui/backend/x11/X11TrayAuto.h"

#include <vector>

#include "platform/ui/WindowSystem.h"
#include "platform/ui/backend/x11/X11TraySni.h"
#include "platform/ui/backend/x11/X11TrayXEmbed.h"

namespace platform::ui::x11 {

namespace {
constexpr uint32_t kReconsider = WM_USER + 0x5452;  // "TR"
}  // namespace

TX11TrayAuto::TX11TrayAuto(TWindowSystem& system) : m_system(system) {
    auto sni = std::make_unique<TX11TraySni>(system);
    if (sni->Usable()) m_sni = std::move(sni);
    auto xembed = std::make_unique<TX11TrayXEmbed>(system);
    if (xembed->Usable()) m_xembed = std::move(xembed);

    TCreateParams p;
    p.MessageOnly = true;
    p.WndProc = [this](TWindow& w, uint32_t msg, TWParam wp, TLParam lp) -> TLResult {
        if (msg == kReconsider) {
            Reconsider();
            return 0;
        }
        return DefWindowProc(w, msg, wp, lp);
    };
    m_poster = system.CreateWindow(p);
    auto later = [this] {
        if (m_poster) m_system.PostMessage(m_poster, kReconsider);
    };
    if (m_sni) m_sni->SetWatcherListener([later](bool) { later(); });
    if (m_xembed) m_xembed->AddRestartListener([this] { XEmbedRestarted(); });

    // At start: the watcher when there is one, else the XEmbed tray (there or awaited).
    if (m_sni && m_sni->Present())
        m_current = m_sni.get();
    else if (m_xembed)
        m_current = m_xembed.get();
    else
        m_current = m_sni.get();
}

TX11TrayAuto::~TX11TrayAuto() {
    if (m_poster && TWindowSystem::Current() == &m_system) m_system.DestroyWindow(m_poster);
    if (m_sni) m_sni->SetWatcherListener(nullptr);
}

bool TX11TrayAuto::Usable() const {
    return m_sni || m_xembed;
}

std::string TX11TrayAuto::Protocol() const {
    return m_current ? m_current->Protocol() : "none";
}

bool TX11TrayAuto::Present() {
    return m_current && m_current->Present();
}

int TX11TrayAuto::AddIcon(const TTrayIconImage& image, TTrayEventHandler handler) {
    if (!m_current) return 0;
    const int inner = m_current->AddIcon(image, std::move(handler));
    if (inner == 0) return 0;
    const int id = m_nextId++;
    m_inner[id] = inner;
    return id;
}

bool TX11TrayAuto::ModifyIcon(int id, const TTrayIconImage& image) {
    const int inner = InnerId(id);
    return inner != 0 && m_current->ModifyIcon(inner, image);
}

void TX11TrayAuto::RemoveIcon(int id) {
    const int inner = InnerId(id);
    if (inner != 0) m_current->RemoveIcon(inner);
    m_inner.erase(id);
}

int TX11TrayAuto::InnerId(int id) const {
    const auto it = m_inner.find(id);
    return it == m_inner.end() || !m_current ? 0 : it->second;
}

TNotificationArea* TX11TrayAuto::Choose() {
    if (m_sni && m_sni->Present()) return m_sni.get();
    if (m_xembed && m_xembed->Present()) return m_xembed.get();
    // Neither: the one in charge waits for its area to come back.
    return m_current;
}

void TX11TrayAuto::Reconsider() {
    TNotificationArea* chosen = Choose();
    if (chosen != m_current) SwitchTo(chosen);
}

void TX11TrayAuto::SwitchTo(TNotificationArea* area) {
    // The icons leave the old area (the items leave the bus, the tray windows go).
    std::vector<int> inner;
    for (const auto& [id, innerId] : m_inner) inner.push_back(innerId);
    m_inner.clear();
    if (m_current)
        for (const int i : inner) m_current->RemoveIcon(i);
    m_current = area;
    NotifyRestarted();
}

void TX11TrayAuto::XEmbedRestarted() {
    if (m_current == m_xembed.get()) {
        // A new tray manager: the docked icons are gone, the program docks them again.
        m_inner.clear();
        NotifyRestarted();
        return;
    }
    // A tray manager appeared while the other protocol is in charge: move if its watcher is gone.
    if (m_poster) m_system.PostMessage(m_poster, kReconsider);
}

}  // namespace platform::ui::x11
