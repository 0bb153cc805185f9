#include "skin/controls/bsSkinCtrlsBase.h"

namespace skin {

using platform::forms::opRemove;
using platform::forms::TComponent;
using platform::forms::TMessage;
using platform::forms::TOperation;
using platform::gfx::TBitmap;

// ---- TbsSkinControl ----

TbsSkinControl::TbsSkinControl(TComponent* owner) : TCustomControl(owner) {}

TbsSkinControl::~TbsSkinControl() {
    WatchSkinData(*this, m_skinData, nullptr);
}

void TbsSkinControl::SetSkinData(TbsSkinData* value) {
    WatchSkinData(*this, m_skinData, value);
    m_skinData = value;
    if (m_skinData && !m_skinData->SkinIsEmpty && !IsDesigning()) ApplySkin();
}

void TbsSkinControl::SetSkinDataName(const std::string& value) {
    m_skinDataName = value;
}

void TbsSkinControl::LookUpRecord() {
    m_recordIndex = FindControlRecord(m_skinData, m_skinDataName);
}

void TbsSkinControl::ApplySkin() {
    LookUpRecord();
    Invalidate();
}

void TbsSkinControl::ForgetRecord() {
    m_recordIndex = -1;
}

void TbsSkinControl::DrawDefaultImage(TBitmap&) {}

void TbsSkinControl::DrawSkinImage(TBitmap&) {}

void TbsSkinControl::Paint() {
    if (Width() <= 0 || Height() <= 0) return;
    LookUpRecord();
    PaintThroughBitmap(Canvas(), Width(), Height(), [this](TBitmap& b) {
        if (m_recordIndex == -1)
            DrawDefaultImage(b);
        else
            DrawSkinImage(b);
    });
}

void TbsSkinControl::Loaded() {
    TCustomControl::Loaded();
    if (m_skinData && !m_skinData->SkinIsEmpty) ApplySkin();
}

void TbsSkinControl::Notification(TComponent* component, TOperation operation) {
    TCustomControl::Notification(component, operation);
    if (operation == opRemove && m_skinData && component == m_skinData) {
        m_skinData = nullptr;
        ForgetRecord();
    }
}

// The paint covers the whole control, so erasing first would only flicker.
void TbsSkinControl::WMEraseBkgnd(TMessage& message) {
    message.Result = 1;
}

// ---- TbsGraphicSkinControl ----

TbsGraphicSkinControl::TbsGraphicSkinControl(TComponent* owner) : TGraphicControl(owner) {
    SetControlStyle(ControlStyle() | platform::forms::csOpaque);
}

TbsGraphicSkinControl::~TbsGraphicSkinControl() {
    WatchSkinData(*this, m_skinData, nullptr);
}

void TbsGraphicSkinControl::SetSkinData(TbsSkinData* value) {
    WatchSkinData(*this, m_skinData, value);
    m_skinData = value;
    if (m_skinData && !m_skinData->SkinIsEmpty && !IsDesigning()) ApplySkin();
}

void TbsGraphicSkinControl::LookUpRecord() {
    m_recordIndex = FindControlRecord(m_skinData, m_skinDataName);
}

void TbsGraphicSkinControl::ApplySkin() {
    LookUpRecord();
    Invalidate();
}

void TbsGraphicSkinControl::ForgetRecord() {
    m_recordIndex = -1;
}

void TbsGraphicSkinControl::DrawDefaultImage(TBitmap&) {}

void TbsGraphicSkinControl::DrawSkinImage(TBitmap&) {}

void TbsGraphicSkinControl::Paint() {
    if (Width() <= 0 || Height() <= 0) return;
    LookUpRecord();
    PaintThroughBitmap(Canvas(), Width(), Height(), [this](TBitmap& b) {
        if (m_recordIndex == -1)
            DrawDefaultImage(b);
        else
            DrawSkinImage(b);
    });
}

void TbsGraphicSkinControl::Loaded() {
    TGraphicControl::Loaded();
    if (m_skinData && !m_skinData->SkinIsEmpty) ApplySkin();
}

void TbsGraphicSkinControl::Notification(TComponent* component, TOperation operation) {
    TGraphicControl::Notification(component, operation);
    if (operation == opRemove && m_skinData && component == m_skinData) {
        m_skinData = nullptr;
        ForgetRecord();
    }
}

}  // namespace skin
