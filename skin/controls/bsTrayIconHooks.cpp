// The tray icon's watch on its owner window: activation gives the focus back to the screen's
// active control, a show request brings the application back from the tray and the owner to
// the front, and the first position change with a main form settles MinimizedOnStart for an
// MDI main form. The program has no separate application window: what the application window
// did is done on the application object (Restore) and on the main form (hidden on start).

#include "platform/forms/Application.h"
#include "platform/forms/Form.h"
#include "platform/forms/Screen.h"
#include "platform/forms/WinControl.h"
#include "platform/ui/WindowSystem.h"
#include "skin/controls/bsTrayIcon.h"

namespace skin {

using namespace platform::forms;
namespace ui = platform::ui;

namespace {
// Posted to the owner window so that the work runs once the show or move has finished.
constexpr uint32_t kShowRequestDone = ui::WM_USER + 0x7452;  // "tR"
constexpr uint32_t kHideOnStart = ui::WM_USER + 0x7453;
}  // namespace

// The owner's procedure while hooked: a type of its own, so that unhooking can tell whether it is
// still the one in place (another component may have hooked the owner after us).
struct TbsTrayIcon::TOwnerHook {
    TbsTrayIcon* Icon;
    platform::forms::TWeakRef<TComponent> Alive;
    TWndMethod Previous;
    void operator()(TMessage& m) const {
        if (Alive) Icon->OwnerMessage(m);
        if (m.Msg == kShowRequestDone || m.Msg == kHideOnStart) return;
        if (Previous) Previous(m);
    }
};

void TbsTrayIcon::HookOwner() {
    auto* owner = dynamic_cast<TWinControl*>(Owner());
    if (!owner) return;
    m_hookedOwner = owner;
    owner->WindowProc = TOwnerHook{this, WeakRef(), owner->WindowProc};
}

void TbsTrayIcon::UnhookOwner() {
    TWinControl* owner = m_hookedOwner;
    m_hookedOwner = nullptr;
    // An owner on its way out takes its procedure with it; a hook installed after ours stays,
    // and ours, left inside it, passes everything on once this component is gone.
    if (!owner || owner->IsDestroying()) return;
    if (const auto* hook = owner->WindowProc.target<TOwnerHook>(); hook && hook->Icon == this)
        owner->WindowProc = hook->Previous;
}

void TbsTrayIcon::OwnerMessage(TMessage& m) {
    switch (m.Msg) {
        case ui::WM_ACTIVATE: {
            const int state = static_cast<int>(m.WParam & 0xFFFF);
            if (state == ui::WA_ACTIVE || state == ui::WA_CLICKACTIVE)
                OwnerActivated(reinterpret_cast<const ui::TWindow*>(m.LParam));
            break;
        }
        case ui::WM_SHOWWINDOW:
            // Shown by a show request (not by its owner being restored or the like).
            if (m.WParam != 0 && m.LParam == 0 && !m_inShowRequest && m_hookedOwner->HandleAllocated())
                ui::TWindowSystem::Instance().PostMessage(m_hookedOwner->HandleIfAllocated(),
                                                          kShowRequestDone);
            // Showing places the window too: it counts as a position change.
            if (m.WParam != 0) FirstPositionChanged();
            break;
        case kShowRequestDone:
            OwnerShowRequested();
            break;
        case ui::WM_WINDOWPOSCHANGED:
            FirstPositionChanged();
            break;
        case kHideOnStart:
            if (TForm* main = Application ? Application->MainForm() : nullptr) main->Hide();
            break;
        default:
            break;
    }
}

void TbsTrayIcon::OwnerActivated(const ui::TWindow* from) {
    TWinControl* control = Screen ? Screen->ActiveControl() : nullptr;
    if (!control || !control->HandleAllocated()) return;
    const TWinControl* home = control->Parent() ? control->Parent() : control;
    if (home->HandleAllocated() && from == home->HandleIfAllocated()) return;
    ui::TWindowSystem::Instance().SetFocus(control->HandleIfAllocated());
}

void TbsTrayIcon::OwnerShowRequested() {
    if (!m_hookedOwner || !m_hookedOwner->HandleAllocated()) return;
    m_inShowRequest = true;
    const auto alive = WeakRef();
    if (Application) Application->Restore();
    if (!alive) return;
    m_inShowRequest = false;
    ui::TWindowSystem& ws = ui::TWindowSystem::Instance();
    // The application first, then the owner: the owner ends on top and active.
    if (TForm* main = Application ? Application->MainForm() : nullptr; main && main->HandleAllocated())
        ws.BringToTop(main->HandleIfAllocated());
    ui::TWindow* owner = m_hookedOwner->HandleIfAllocated();
    ws.BringToTop(owner);
    if (owner->IsVisible()) ws.SetActiveWindow(owner);
}

void TbsTrayIcon::FirstPositionChanged() {
    if (!m_firstPosChange) return;
    TForm* main = Application ? Application->MainForm() : nullptr;
    if (!main) return;
    m_firstPosChange = false;
    // An MDI main form shows itself whatever the application says; on start it goes to the tray.
    if (main->FormStyle() == fsMDIForm && m_minimizedOnStart && m_hookedOwner->HandleAllocated())
        ui::TWindowSystem::Instance().PostMessage(m_hookedOwner->HandleIfAllocated(), kHideOnStart);
}

}  // namespace skin
