// The window commands behind the caption buttons, the caption double-click and the system menu.
// The window behaviour (bsSkinFormBehaviour) carries them out.

#include "skin/form/bsSkinForm.h"
#include "skin/form/bsSkinFormBehaviour.h"

namespace skin {

using platform::forms::wsNormal;

void TbsSkinForm::CloseForm() {
    if (m_form) m_form->Close();
}

TWindowState TbsSkinForm::WindowState() const {
    const TbsSkinFormBehaviour* behaviour = TbsSkinFormBehaviour::Find(this);
    return behaviour ? behaviour->WindowState() : wsNormal;
}

void TbsSkinForm::SetWindowState(TWindowState value) {
    if (TbsSkinFormBehaviour* behaviour = TbsSkinFormBehaviour::Of(this)) behaviour->SetWindowState(value);
}

void TbsSkinForm::SetRollUpState(bool value) {
    if (TbsSkinFormBehaviour* behaviour = TbsSkinFormBehaviour::Of(this)) behaviour->SetRollUpState(value);
}

void TbsSkinForm::MinimizeToTray() {
    if (TbsSkinFormBehaviour* behaviour = TbsSkinFormBehaviour::Of(this)) behaviour->MinimizeToTray();
}

platform::forms::TMenuItem* TbsSkinForm::SystemMenuItems() {
    TbsSkinFormBehaviour* behaviour = TbsSkinFormBehaviour::Of(this);
    return behaviour ? behaviour->SystemMenuItems() : nullptr;
}

bool TbsSkinForm::PopupObjectMenu(platform::forms::TMenuItem* item, const TRect& anchor, bool popupUp) {
    TbsSkinFormBehaviour* behaviour = TbsSkinFormBehaviour::Of(this);
    return behaviour && behaviour->PopupObjectMenu(item, anchor, popupUp);
}

void TbsSkinForm::PopupSystemMenu(TPoint screen) {
    if (TbsSkinFormBehaviour* behaviour = TbsSkinFormBehaviour::Of(this)) behaviour->PopupSystemMenu(screen);
}

void TbsSkinForm::CaptionDblClick() {
    if (TbsSkinFormBehaviour* behaviour = TbsSkinFormBehaviour::Of(this)) behaviour->CaptionDblClick();
}

void TbsSkinForm::CloseSkinMenus() {
    if (TbsSkinFormBehaviour* behaviour = TbsSkinFormBehaviour::Find(this)) behaviour->CloseSkinMenus();
}

void TbsSkinForm::SetAlphaBlend(bool value) {
    m_alphaBlend = value;
    if (TbsSkinFormBehaviour* behaviour = TbsSkinFormBehaviour::Find(this)) behaviour->ApplyAlphaBlend();
}

void TbsSkinForm::SetAlphaBlendValue(uint8_t value) {
    m_alphaBlendValue = value;
    if (!m_alphaBlend) return;
    if (TbsSkinFormBehaviour* behaviour = TbsSkinFormBehaviour::Find(this)) behaviour->ApplyAlphaBlend();
}

}  // namespace skin
