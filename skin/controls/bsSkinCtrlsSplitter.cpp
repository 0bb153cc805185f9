#include "skin/controls/bsSkinCtrlsSplitter.h"

#include "platform/gfx/Canvas.h"
#include "skin/controls/bsSkinCtrlsBinding.h"
#include "skin/data/bsUtilsDrawCompose.h"

namespace skin {

using namespace platform::forms;

TbsSkinSplitter::TbsSkinSplitter(TComponent* owner) : TSplitter(owner) {
    // Without a record from the start: DefaultSize thick.
    m_thickness = m_defaultSize;
    m_width = m_defaultSize;
    SetMinSize(m_thickness);
}

TbsSkinSplitter::~TbsSkinSplitter() { WatchSkinData(*this, m_skinData, nullptr); }

void TbsSkinSplitter::SetSkinData(TbsSkinData* value) {
    WatchSkinData(*this, m_skinData, value);
    m_skinData = value;
    if (!(ComponentState() & csLoading)) RefreshSkin();
}

void TbsSkinSplitter::SetDefaultSize(int value) {
    m_defaultSize = value;
    if (m_recordIndex == -1 && !(ComponentState() & csLoading)) RefreshSkin();
}

bool TbsSkinSplitter::Sided() const {
    return Align() == alLeft || Align() == alRight || Align() == alTop || Align() == alBottom;
}

void TbsSkinSplitter::RefreshSkin() {
    m_recordIndex = FindControlRecord(m_skinData, m_skinDataName);
    m_picture = nullptr;
    auto* record = ControlRecordAs<TbsDataSkinSplitterControl>(m_skinData, m_recordIndex);
    if (m_recordIndex != -1 && !record) m_recordIndex = -1;  // a record of another class
    if (record) {
        m_skinRect = record->skinrect;
        m_leftTop = record->lefttoppoint;
        m_rightTop = record->righttoppoint;
        m_leftBottom = record->leftbottompoint;
        m_picture = m_skinData->ActivePicture(record->pictureindex);
        m_thickness = Horizontal() ? m_skinRect.Height() : m_skinRect.Width();
    } else {
        m_thickness = m_defaultSize;
    }
    if (m_thickness > 0) SetMinSize(m_thickness);
    SetBounds(Left(), Top(), Width(), Height());
    Invalidate();
}

void TbsSkinSplitter::ForgetRecord() {
    m_recordIndex = -1;
    m_picture = nullptr;
}

void TbsSkinSplitter::SetBounds(int left, int top, int width, int height) {
    if (m_thickness > 0) {
        if (Horizontal()) height = m_thickness;
        else width = m_thickness;
    }
    TSplitter::SetBounds(left, top, width, height);
}

void TbsSkinSplitter::Loaded() {
    TSplitter::Loaded();
    RefreshSkin();
}

void TbsSkinSplitter::Notification(TComponent* component, TOperation operation) {
    TSplitter::Notification(component, operation);
    if (operation == opRemove && m_skinData && component == m_skinData) {
        m_skinData = nullptr;
        RefreshSkin();
    }
}

void TbsSkinSplitter::Paint() {
    // The record is looked up by name at every paint: a reloaded skin leaves no stale picture.
    const int index = FindControlRecord(m_skinData, m_skinDataName);
    auto* record = ControlRecordAs<TbsDataSkinSplitterControl>(m_skinData, index);
    platform::gfx::TBitmap* picture = record ? m_skinData->ActivePicture(record->pictureindex) : nullptr;
    if (!record || !picture || !Sided() || m_recordIndex == -1 || Width() <= 0 || Height() <= 0) {
        TSplitter::Paint();
        return;
    }
    platform::gfx::TBitmap image;
    if (Horizontal())
        ComposeHorzImage(image, *picture, m_skinRect, m_leftTop.X, m_skinRect.Width() - m_rightTop.X, Width());
    else
        ComposeVertImage(image, *picture, m_skinRect, m_leftTop.Y, m_skinRect.Height() - m_leftBottom.Y, Height());
    Canvas().Draw(0, 0, image);
}

}  // namespace skin
