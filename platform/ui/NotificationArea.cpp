#include "platform/ui/NotificationArea.h"

#include <utility>
#include <vector>

#include "platform/ui/WindowSystem.h"
#include "platform/ui/backend/headless/HeadlessTray.h"

namespace platform::ui {

int TNotificationArea::AddRestartListener(std::function<void()> listener) {
    const int token = m_nextToken++;
    m_restartListeners[token] = std::move(listener);
    return token;
}

void TNotificationArea::RemoveRestartListener(int token) {
    m_restartListeners.erase(token);
}

void TNotificationArea::NotifyRestarted() {
    // A listener may remove itself (or others) while it runs: call a snapshot of those still there.
    std::vector<int> tokens;
    for (const auto& [token, listener] : m_restartListeners) tokens.push_back(token);
    for (int token : tokens) {
        auto it = m_restartListeners.find(token);
        if (it != m_restartListeners.end() && it->second) {
            auto listener = it->second;
            listener();
        }
    }
}

namespace {

struct TAreaRegistry {
    std::map<std::string, TNotificationAreaFactory> Factories;
    std::unique_ptr<TNotificationArea> Area;
    const TWindowSystem* Owner = nullptr;
    uint64_t Generation = 0;
};

TAreaRegistry& Registry() {
    static TAreaRegistry registry;
    return registry;
}

}  // namespace

TNotificationArea* NotificationArea() {
    TWindowSystem* system = TWindowSystem::Current();
    TAreaRegistry& r = Registry();
    if (!system) return nullptr;
    if (r.Area && r.Owner == system) return r.Area.get();
    r.Area.reset();
    r.Owner = system;
    ++r.Generation;
    auto it = r.Factories.find(system->Backend().Name());
    if (it != r.Factories.end() && it->second)
        r.Area = it->second(*system);
    else if (system->Backend().Name() == "headless")
        r.Area = std::make_unique<headless::THeadlessTray>();
    if (!r.Area) r.Area = std::make_unique<TNoNotificationArea>();
    return r.Area.get();
}

uint64_t NotificationAreaGeneration() {
    return Registry().Generation;
}

void RegisterNotificationAreaFactory(const std::string& backendName, TNotificationAreaFactory factory) {
    Registry().Factories[backendName] = std::move(factory);
}

void InstallNotificationArea(std::unique_ptr<TNotificationArea> area) {
    TAreaRegistry& r = Registry();
    r.Area = std::move(area);
    ++r.Generation;
    r.Owner = r.Area ? TWindowSystem::Current() : nullptr;
}

}  // namespace platform::ui
