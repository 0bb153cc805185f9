#include "skin/boxes/bsSkinTabs.h"

#include <type_traits>

#include "platform/forms/ListBox.h"
#include "platform/gfx/Canvas.h"
#include "platform/ui/Messages.h"
#include "skin/boxes/bsSkinBoxCtrlsUpDown.h"
#include "skin/controls/bsSkinCtrlsBase.h"

namespace skin {

using platform::forms::TComponent;
using platform::forms::TMessage;
using platform::forms::TPageControl;

template <class Base>
TbsSkinTabsControl<Base>::TbsSkinTabsControl(TComponent* owner) : Base(owner) {
    m_core = std::make_unique<TbsSkinTabsCore>(*this);
    this->SetControlStyle(this->ControlStyle() | platform::forms::csOpaque);
}

template <class Base>
TbsSkinTabsControl<Base>::~TbsSkinTabsControl() {
    // The up-down is one of the children; it goes with them, after the core.
    if (m_core) m_core->SetSkinData(nullptr);
}

template <class Base>
TRect TbsSkinTabsControl<Base>::DisplayRect() const {
    const TRect platformRect = Base::DisplayRect();
    return m_core ? m_core->CorrectDisplayRect(platformRect) : platformRect;
}

template <class Base>
TRect TbsSkinTabsControl<Base>::TabRect(int index) const {
    const TRect platformRect = Base::TabRect(index);
    return m_core ? m_core->ShiftTabRect(platformRect) : platformRect;
}

template <class Base>
int TbsSkinTabsControl<Base>::StripEndReserve() const {
    // The up-down, and the 3 pixels before it that a tab must leave free to count as fitting.
    return m_core && ScrollUpDown() ? ScrollUpDown()->Width() + 3 : 0;
}

template <class Base>
void TbsSkinTabsControl<Base>::Paint() {
    if (!m_core) return;
    auto& canvas = this->Canvas();
    // A tab control holding controls paints straight on its canvas (the children clip it);
    // otherwise, as the page control always does, through one off-screen bitmap.
    if constexpr (!std::is_base_of_v<TPageControl, Base>) {
        if (this->ControlCount() > (ScrollUpDown() ? 1 : 0)) {
            m_core->PaintControl(canvas);
            return;
        }
    }
    PaintThroughBitmap(canvas, this->ClientWidth(), this->ClientHeight(),
                       [this](platform::gfx::TBitmap& b) { m_core->PaintControl(b.Canvas()); });
}

template <class Base>
void TbsSkinTabsControl<Base>::Loaded() {
    Base::Loaded();
    if (!m_core) return;
    const TbsSkinData* data = m_core->SkinData();
    if (data && !data->SkinIsEmpty && !this->IsDesigning())
        m_core->ApplySkin();
    else
        m_core->SetItemSizeFromSkin();
}

template <class Base>
void TbsSkinTabsControl<Base>::LayoutChanged() {
    Base::LayoutChanged();
    if (m_core) m_core->LayoutChanged();
}

template <class Base>
void TbsSkinTabsControl<Base>::Notification(TComponent* component, platform::forms::TOperation operation) {
    Base::Notification(component, operation);
    if (m_core) m_core->Notification(component, operation);
}

template <class Base>
void TbsSkinTabsControl<Base>::WndProc(TMessage& m) {
    Base::WndProc(m);
    // The strip repaints after every horizontal scroll.
    if (m.Msg == platform::ui::WM_HSCROLL) this->Invalidate();
}

template <class Base>
void TbsSkinTabsControl<Base>::WMSize(TMessage& m) {
    Base::WMSize(m);
    if (m_core) m_core->Resized();
}

template <class Base>
void TbsSkinTabsControl<Base>::WMEraseBkgnd(TMessage& m) {
    bool hasPages = false;
    if constexpr (std::is_base_of_v<TPageControl, Base>)
        hasPages = this->PageCount() > 0;
    else
        hasPages = this->TabCount() > 0;
    if (hasPages) {
        m.Result = 1;
        return;
    }
    Base::WMEraseBkgnd(m);
}

template <class Base>
void TbsSkinTabsControl<Base>::CMMouseLeave(TMessage& m) {
    if (m_core) m_core->MouseLeft();
    Base::CMMouseLeave(m);
}

template <class Base>
void TbsSkinTabsControl<Base>::MouseMove(platform::forms::TShiftState shift, int x, int y) {
    if (m_core) m_core->MouseAt(x, y);
    Base::MouseMove(shift, x, y);
}

template <class Base>
void TbsSkinTabsControl<Base>::MouseDown(platform::forms::TMouseButton button, platform::forms::TShiftState shift,
                                         int x, int y) {
    if (m_core && button == platform::forms::mbLeft) m_core->MouseAt(x, y);
    Base::MouseDown(button, shift, x, y);
}

template class TbsSkinTabsControl<platform::forms::TPageControl>;
template class TbsSkinTabsControl<platform::forms::TTabControl>;

}  // namespace skin
