// The skin form's object hints (a caption button's hint shown by the form's skin hint while the
// pointer is over it) and its tray icon (minimising to the tray and back).

#include "platform/forms/Application.h"
#include "skin/controls/bsSkinHint.h"
#include "skin/controls/bsTrayIcon.h"
#include "skin/form/bsSkinForm.h"
#include "skin/form/bsSkinFormBehaviour.h"
#include "skin/form/bsSkinFormObjects.h"

namespace skin {

void TbsSkinForm::SetSkinHint(TbsSkinHint* value) {
    if (m_skinHint == value) return;
    if (m_skinHint) m_skinHint->RemoveFreeNotification(this);
    m_skinHint = value;
    if (m_skinHint) m_skinHint->FreeNotification(this);
}

void TbsSkinForm::HideObjectHint() {
    if (m_showObjectHint && m_skinHint) m_skinHint->HideSkinHint();
}

void TbsSkinForm::ShowObjectHintOf(const TbsActiveSkinObject& object) {
    if (m_showObjectHint && m_skinHint && !object.Hint.empty()) m_skinHint->ShowSkinHint(object.Hint);
}

void TbsSkinForm::SetTrayIcon(TbsTrayIcon* value) {
    if (m_trayIcon == value) return;
    if (m_trayIcon) m_trayIcon->RemoveFreeNotification(this);
    m_trayIcon = value;
    if (!m_trayIcon) {
        if (IsDesigning()) SetBorderIcons(static_cast<TbsBorderIcons>(BorderIcons() & ~biMinimizeToTray));
        return;
    }
    m_trayIcon->FreeNotification(this);
    if (IsDesigning()) SetBorderIcons(static_cast<TbsBorderIcons>(BorderIcons() | biMinimizeToTray));
    if (!m_alwaysShowInTray) m_trayIcon->SetIconVisible(false);
    m_trayIcon->SetMinimizeToTray(false);
    if (!m_trayIcon->PopupMenu()) {
        if (TbsSkinFormBehaviour* behaviour = TbsSkinFormBehaviour::Of(this)) {
            m_trayIcon->SetPopupMenu(&behaviour->TrayMenu());
            m_trayIcon->OnDblClick = [this, alive = WeakRef()](platform::forms::TComponent*) {
                if (!alive) return;
                if (TbsSkinFormBehaviour* b = TbsSkinFormBehaviour::Of(this)) b->RestoreFromTray();
            };
        }
    }
}

bool TbsSkinForm::MinimizeFormToTray() {
    if (!m_trayIcon) return false;
    m_trayIcon->SetMinimizeToTray(true);
    // Without a notification area the tray icon minimises the application instead.
    m_trayIcon->HideMainFormToTray();
    return true;
}

void TbsSkinForm::RestoreFormFromTray() {
    if (!m_trayIcon) return;
    m_trayIcon->SetMinimizeToTray(false);
    m_trayIcon->ShowMainFormAgain();
    if (!m_alwaysShowInTray) m_trayIcon->SetIconVisible(false);
}

}  // namespace skin
