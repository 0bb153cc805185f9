#include "platform/forms/Form.h"
#include "skin/form/bsSkinForm.h"
#include "skin/form/bsSkinFormBehaviour.h"
#include "skin/form/bsSkinMenus.h"

namespace skin {

using platform::forms::opRemove;
using platform::forms::TComponent;
using platform::forms::TControl;
using platform::forms::TForm;
using platform::forms::TOperation;

namespace {

// The skin form of the menu's form, else of its owner when that is a form, else of the owner's
// owner when that is a form.
TbsSkinForm* FindMenuSkinForm(const TbsSkinPopupMenu& menu) {
    if (TForm* form = menu.PopupForm())
        if (TbsSkinForm* skinForm = TbsSkinFormBehaviour::FindSkinForm(form)) return skinForm;
    TComponent* owner = menu.Owner();
    if (auto* form = dynamic_cast<TForm*>(owner))
        if (TbsSkinForm* skinForm = TbsSkinFormBehaviour::FindSkinForm(form)) return skinForm;
    if (owner)
        if (auto* form = dynamic_cast<TForm*>(owner->Owner()))
            if (TbsSkinForm* skinForm = TbsSkinFormBehaviour::FindSkinForm(form)) return skinForm;
    return nullptr;
}

}  // namespace

TbsSkinPopupMenu::TbsSkinPopupMenu(TComponent* owner) : TPopupMenu(owner) {}

void TbsSkinPopupMenu::SetSkinData(TbsSkinData* value) {
    if (m_skinData == value) return;
    if (m_skinData) m_skinData->RemoveFreeNotification(this);
    m_skinData = value;
    if (m_skinData) m_skinData->FreeNotification(this);
}

void TbsSkinPopupMenu::SetPopupForm(TForm* form) {
    if (m_form == form) return;
    if (m_form) m_form->RemoveFreeNotification(this);
    m_form = form;
    if (m_form) m_form->FreeNotification(this);
}

void TbsSkinPopupMenu::Notification(TComponent* component, TOperation operation) {
    TPopupMenu::Notification(component, operation);
    if (operation != opRemove) return;
    if (component == m_skinData) m_skinData = nullptr;
    if (component == m_form) m_form = nullptr;
}

bool TbsSkinPopupMenu::Show(TControl* notify, const TRect& anchor, bool popupUp, bool needSkinData) {
    if (OnPopup) OnPopup(this);
    TbsSkinForm* skinForm = FindMenuSkinForm(*this);
    if (!skinForm) return false;
    TbsSkinData* data = m_skinData;
    if (!data) data = skinForm->MenusSkinData() ? skinForm->MenusSkinData() : skinForm->SkinData();
    if (needSkinData && !data) return false;
    TbsSkinFormBehaviour* behaviour = TbsSkinFormBehaviour::Of(skinForm);
    if (!behaviour) return false;
    TbsSkinMenu& engine = behaviour->SkinMenu();
    if (engine.IsOpen()) engine.CloseAll();
    behaviour->SyncMenuSettings();
    behaviour->MarkSkinMenuOpen();
    if (engine.Popup(notify, data, popupUp, Items(), anchor)) return true;
    behaviour->SkinMenuClosed();
    return false;
}

void TbsSkinPopupMenu::Popup(int x, int y) {
    Show(nullptr, {x, y, x, y}, false, false);
}

bool TbsSkinPopupMenu::PopupAtRect(const TRect& rect, bool popupUp) {
    return Show(nullptr, rect, popupUp, false);
}

void TbsSkinPopupMenu::PopupForControl(TControl* control, int x, int y) {
    Show(control, {x, y, x, y}, false, true);
}

}  // namespace skin
