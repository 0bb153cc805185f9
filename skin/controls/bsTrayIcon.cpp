#include "skin/controls/bsTrayIcon.h"

#include "platform/forms/Application.h"
#include "platform/forms/Form.h"
#include "platform/forms/WinControl.h"
#include "platform/ui/Screens.h"

namespace skin {

using namespace platform::forms;
using platform::gfx::TBitmap;
using platform::ui::NotificationArea;
using platform::ui::TTrayIconImage;

TbsTrayIcon::TbsTrayIcon(TComponent* owner) : TComponent(owner) {
    m_cycleTimer = new TTimer(this);
    m_cycleTimer->SetEnabled(false);
    m_cycleTimer->SetInterval(m_animateInterval);
    m_cycleTimer->SetOnTimer([this](TComponent*) { CycleTick(); });
    m_singleClickTimer = new TTimer(this);
    m_singleClickTimer->SetEnabled(false);
    m_singleClickTimer->SetInterval(platform::ui::kDoubleClickTime);
    m_singleClickTimer->SetOnTimer([this](TComponent*) { SingleClickTick(); });
    if (IsDesigning()) return;
    Area();
    HookApplicationMinimize();
    HookOwner();
}

// The application minimised (by any means) goes to the tray while MinimizeToTray is on.
void TbsTrayIcon::HookApplicationMinimize() {
    if (!Application) return;
    TNotifyEvent previous = Application->OnMinimize;
    Application->OnMinimize = [this, alive = WeakRef(), previous](TComponent* sender) {
        if (previous) previous(sender);
        if (alive && m_minimizeToTray) HideMainFormToTray();
    };
}

platform::ui::TNotificationArea* TbsTrayIcon::Area() {
    platform::ui::TNotificationArea* current = NotificationArea();
    const uint64_t generation = platform::ui::NotificationAreaGeneration();
    if (current != m_area || generation != m_areaGeneration) {
        m_areaGeneration = generation;
        // Another area took over (a new window system, or a program's own choice): the old one
        // and its icons are gone.
        m_area = current;
        m_areaId = 0;
        m_restartToken = m_area ? m_area->AddRestartListener([this] { AreaRestarted(); }) : 0;
    }
    return m_area;
}

TbsTrayIcon::~TbsTrayIcon() {
    UnhookOwner();
    // The area outlives the component unless the window system went first.
    if (m_area && NotificationArea() == m_area &&
        platform::ui::NotificationAreaGeneration() == m_areaGeneration) {
        if (m_areaId) m_area->RemoveIcon(m_areaId);
        m_area->RemoveRestartListener(m_restartToken);
    }
    m_areaId = 0;
    m_designPreview = false;
    SetPopupMenu(nullptr);
    SetIconList(nullptr);
}

void TbsTrayIcon::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation != opRemove) return;
    if (component == m_iconList) m_iconList = nullptr;
    if (component == m_popupMenu) m_popupMenu = nullptr;
    if (component == m_cycleTimer) m_cycleTimer = nullptr;
    if (component == m_singleClickTimer) m_singleClickTimer = nullptr;
}

void TbsTrayIcon::Loaded() {
    TComponent::Loaded();
    auto* ownerControl = dynamic_cast<TWinControl*>(Owner());
    if (ownerControl && m_minimizedOnStart && !IsDesigning()) {
        m_iconVisible = true;
        m_minimizeToTray = true;
        if (Application) Application->ShowMainForm = false;
    }
    UpdateIcon();
    SetIconVisible(m_iconVisible);
}

// ---- The icon in the area ----

bool TbsTrayIcon::MaySend(bool fromPreview) const {
    if (!IsDesigning()) return true;
    return fromPreview && m_designPreview;
}

std::string TbsTrayIcon::TipText() const {
    if (m_hint.empty() || !m_showHint) return {};
    return m_hint.substr(0, kTrayTipLength);
}

TTrayIconImage TbsTrayIcon::Image() const {
    TTrayIconImage image;
    image.Pixmap = m_icon.Empty() && Application ? Application->Icon() : m_icon;
    image.Tip = TipText();
    return image;
}

void TbsTrayIcon::Send(bool add, bool fromPreview) {
    if (!MaySend(fromPreview) || !Area()) return;
    if (add) {
        if (m_areaId) m_area->RemoveIcon(m_areaId);
        m_areaId =
            m_area->AddIcon(Image(), [this](const platform::ui::TTrayEvent& e) { HandleAreaEvent(e); });
    } else if (m_areaId) {
        m_area->ModifyIcon(m_areaId, Image());
    }
}

void TbsTrayIcon::SendRemove(bool fromPreview) {
    if (!MaySend(fromPreview) || !Area() || !m_areaId) return;
    m_area->RemoveIcon(m_areaId);
    m_areaId = 0;
}

void TbsTrayIcon::AddIcon() {
    Send(true, m_previewSwitching);
    if (!m_previewSwitching) m_iconVisible = true;
}

void TbsTrayIcon::RemoveIcon() {
    SendRemove(m_previewSwitching);
    if (!m_previewSwitching) m_iconVisible = false;
}

void TbsTrayIcon::UpdateIcon() {
    Send(false, m_previewSwitching);
}

void TbsTrayIcon::AreaRestarted() {
    // The restarted area holds none of the old icons.
    m_areaId = 0;
    if (m_iconVisible) AddIcon();
}

void TbsTrayIcon::SetDesignPreview(bool value) {
    if (m_designPreview == value) return;
    m_designPreview = value;
    m_previewSwitching = true;
    if (value && m_iconVisible)
        AddIcon();
    else
        RemoveIcon();
    m_previewSwitching = false;
}

// ---- Properties ----

void TbsTrayIcon::SetIcon(const TBitmap& icon) {
    m_icon = icon;
    UpdateIcon();
}

void TbsTrayIcon::SetIconVisible(bool value) {
    if (value)
        AddIcon();
    else
        RemoveIcon();
}

void TbsTrayIcon::SetHint(const std::string& value) {
    m_hint = value;
    UpdateIcon();
}

void TbsTrayIcon::SetShowHint(bool value) {
    m_showHint = value;
    UpdateIcon();
}

void TbsTrayIcon::CopyListImage(int index) {
    TBitmap image;
    if (m_iconList && m_iconList->GetBitmap(index, image)) m_icon = image;
}

void TbsTrayIcon::SetIconIndex(int value) {
    if (m_iconList && m_iconList->Count() > 0) {
        m_iconIndex = std::max(0, std::min(value, m_iconList->Count() - 1));
        CopyListImage(m_iconIndex);
    } else {
        m_iconIndex = 0;
    }
    UpdateIcon();
}

void TbsTrayIcon::SetIconList(TImageListComponent* list) {
    if (m_iconList == list) return;
    if (m_iconList) m_iconList->RemoveFreeNotification(this);
    m_iconList = list;
    if (m_iconList) m_iconList->FreeNotification(this);
    if (!IsDestroying()) SetIconIndex(0);
}

void TbsTrayIcon::SetPopupMenu(TPopupMenu* menu) {
    if (m_popupMenu == menu) return;
    if (m_popupMenu) m_popupMenu->RemoveFreeNotification(this);
    m_popupMenu = menu;
    if (m_popupMenu) m_popupMenu->FreeNotification(this);
}

void TbsTrayIcon::SetCycleIcons(bool value) {
    m_cycleIcons = value;
    if (value) SetIconIndex(0);
    if (m_cycleTimer) m_cycleTimer->SetEnabled(value);
}

void TbsTrayIcon::SetAnimateTimerInterval(uint32_t value) {
    m_animateInterval = value;
    if (m_cycleTimer) m_cycleTimer->SetInterval(value);
}

void TbsTrayIcon::CycleTick() {
    if (!m_iconList || m_iconList->Count() == 0) return;
    const int count = m_iconList->Count();
    CopyListImage(m_iconIndex);
    const int next = m_iconIndex < count - 1 ? m_iconIndex + 1 : 0;
    if (OnCycle) OnCycle(this, next);
    UpdateIcon();
    m_iconIndex = m_iconIndex + 1 >= count ? 0 : m_iconIndex + 1;
}

// ---- The main form ----

bool TbsTrayIcon::HideMainFormToTray() {
    TForm* main = Application ? Application->MainForm() : nullptr;
    if (!dynamic_cast<TWinControl*>(Owner()) || !main) return false;
    if (!Area() || !m_area->Present()) {
        Application->Minimize();
        return false;
    }
    main->Hide();
    AddIcon();
    if (!InArea()) {
        // The area refused the icon: keep a way back.
        main->Show();
        Application->Minimize();
        return false;
    }
    return true;
}

void TbsTrayIcon::ShowMainFormAgain() {
    TForm* main = Application ? Application->MainForm() : nullptr;
    if (!dynamic_cast<TWinControl*>(Owner()) || !main) return;
    Application->Restore();
    main->SetVisible(true);
    if (main->WindowState() == wsMinimized) main->SetWindowState(wsNormal);
    main->BringToFront();
}

}  // namespace skin
