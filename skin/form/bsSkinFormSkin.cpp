// Applying a skin to the frame, the activation look of the caption, and the skin data's change
// notifications with the walk over the form's skinned controls.

#include "platform/ui/WindowSystem.h"
#include "skin/controls/bsSkinCtrlsNotify.h"
#include "skin/form/bsSkinForm.h"
#include "skin/form/bsSkinFormCaption.h"

namespace skin {

using platform::forms::wsMinimized;
using platform::ui::TWindow;

void TbsSkinForm::ApplySkin() {
    if (!m_form) return;
    const auto alive = WeakRef();
    m_skinned = m_skinData && !m_skinData->SkinIsEmpty;
    ClearObjects();
    if (m_skinned)
        CreateSkinObjects();
    else
        CreateDefaultObjects();
    CheckObjects();
    if (!m_skinned) SetFormRegion();

    TWindow* w = m_form->HandleIfAllocated();
    if (w) {
        // The new frame's insets reach the client area through the size changes made here.
        EnforceMinimumSize();
        if (!alive) return;
        const bool minimized = WindowState() == wsMinimized && !w->IsIconic();
        if (m_rollUpState || minimized) {
            const int width = minimized ? GetMinWidth() : m_form->Width();
            m_form->SetBounds(m_form->Left(), m_form->Top(), width, GetMinHeight());
            if (!alive) return;
        }
    }
    m_formWidth = m_form->Width();
    m_formHeight = m_form->Height();
    if (m_skinned) {
        CalcRects();
        CalcObjects();
        SetFormRegion();
    } else {
        CalcObjects();
    }
    UpdateFormNC();
    if (w) m_form->Invalidate();
    FormChangeActive(true);
    if (!alive) return;
    m_hoverTimer->SetEnabled(true);
    UpdateMdiHooks();
    if (OnChangeSkinData) OnChangeSkinData(this);
}

void TbsSkinForm::EnforceMinimumSize() {
    const int minWidth = GetMinWidth(), minHeight = GetMinHeight();
    const int width = m_form->Width(), height = m_form->Height();
    const int left = m_form->Left(), top = m_form->Top();
    if (width < minWidth && height < minHeight)
        m_form->SetBounds(left, top, minWidth, minHeight);
    else if (height < minHeight)
        m_form->SetBounds(left, top, width, minHeight);
    else if (width < minWidth)
        m_form->SetBounds(left, top, minWidth, height);
    else
        Nudge();
}

void TbsSkinForm::Nudge() {
    const auto alive = WeakRef();
    const int width = m_form->Width(), height = m_form->Height();
    const int left = m_form->Left(), top = m_form->Top();
    const int step = width > GetMinWidth() ? -1 : 1;
    m_form->SetBounds(left, top, width + step, height);
    if (!alive) return;
    m_form->SetBounds(left, top, width, height);
}

void TbsSkinForm::FormChangeActive(bool repaint) {
    const bool active = GetActive();
    if (TbsSkinCaptionObject* caption = CaptionObject(); caption && caption->Highlighted != active) {
        caption->Highlighted = active;
        if (repaint) {
            UpdateFormNC();
            if (caption->Morphing) EnableFadeTimer();
        } else if (caption->Morphing) {
            caption->MorphFactor = active ? 1 : 0;
        }
    }
    if (active) {
        if (OnActivate) OnActivate(this);
    } else if (OnDeActivate) {
        OnDeActivate(this);
    }
}

void TbsSkinForm::SkinBeforeChangeReceived(TbsSkinData* data) {
    if (data && data == m_skinData) {
        m_skinned = false;
        StopTimers();
        ClearObjects();
    }
    if (m_form) SkinControlsBeforeChange(*m_form, data);
}

void TbsSkinForm::SkinChangeReceived(TbsSkinData* data) {
    const auto alive = WeakRef();
    if (data && data == m_skinData) ApplySkin();
    if (!alive) return;
    if (m_form) SkinControlsChange(*m_form, data);
}

}  // namespace skin
