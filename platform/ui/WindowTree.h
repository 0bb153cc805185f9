#pragma once
// The window tree: creates and destroys windows, finds them by id, keeps the z-order of the
// top-level windows and the zombies (windows destroyed while one of their procedures still runs,
// freed when the last one returns). Windows refer to each other by pointer; queued messages and
// timers refer to them by id, which this class resolves.

#include <cstdint>
#include <memory>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "platform/ui/Messages.h"
#include "platform/ui/Window.h"

namespace platform::ui {

class TWindowSystem;

class TWindowTree {
public:
    explicit TWindowTree(TWindowSystem& system) : m_system(system) {}
    ~TWindowTree();
    TWindowTree(const TWindowTree&) = delete;
    TWindowTree& operator=(const TWindowTree&) = delete;

    // See TWindowSystem::CreateWindow and DestroyWindow.
    TWindow* Create(const TCreateParams& params);
    bool Destroy(TWindow* window);
    // Destroys every window, owners first.
    void DestroyAll();

    [[nodiscard]] bool IsWindow(const TWindow* window) const { return window && m_alive.count(window) != 0; }
    [[nodiscard]] TWindow* Find(uint64_t id) const;
    [[nodiscard]] std::size_t Count() const { return m_windows.size(); }

    // Top of the z-order first.
    [[nodiscard]] const std::vector<TWindow*>& TopLevels() const { return m_topLevels; }
    // Puts a top-level window on top of its layer (topmost windows stay above the others), then
    // its owned windows above it.
    void RaiseTopLevel(TWindow* window);
    void LowerTopLevel(TWindow* window);

    // Runs the window's procedure (DefWindowProc when it has none); a window destroyed meanwhile
    // is freed when its last procedure returns.
    TLResult CallProc(TWindow& window, uint32_t msg, TWParam wParam, TLParam lParam);

private:
    TWindow* NewWindow(const TCreateParams& params);
    void OpenNative(TWindow* window);
    // WM_NCCREATE to WM_MOVE; false when the window refused or went away.
    bool SendCreateMessages(TWindow* window, const TCreateParams& params);
    void DestroyOwned(TWindow* window);
    // Hides the window and takes activation, focus, capture and hover away from it.
    void Withdraw(TWindow* window);
    void SendDestroyMessages(TWindow* window, bool nc);
    void DestroyTree(TWindow* window);
    void Unlink(TWindow* window);
    void Forget(TWindow* window);

    TWindowSystem& m_system;
    std::unordered_map<uint64_t, std::unique_ptr<TWindow>> m_windows;
    std::unordered_set<const TWindow*> m_alive;
    std::vector<std::unique_ptr<TWindow>> m_zombies;
    std::vector<TWindow*> m_topLevels;
    uint64_t m_nextId = 1;
};

}  // namespace platform::ui
