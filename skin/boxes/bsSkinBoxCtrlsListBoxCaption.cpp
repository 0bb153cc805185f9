// The caption buttons of the skinned list box: up and down step the selection (repeating while
// held), check reports a click of the list.

#include "platform/ui/WindowSystem.h"
#include "skin/boxes/bsSkinBoxCtrlsListBox.h"
#include "skin/data/bsUtilsDraw.h"

namespace skin {

using platform::forms::TMessage;
using platform::forms::TMouseButton;
using platform::forms::TShiftState;
namespace ui = platform::ui;

namespace {
constexpr uint32_t kFirstDelay = 500;
constexpr uint32_t kRepeatInterval = 100;
constexpr uint32_t kResumeInterval = 50;
}  // namespace

bool TbsSkinCustomListBox::CaptionButtonsActive() const {
    if (!m_captionMode) return false;
    return !(m_recordIndex != -1 && IsEmptyRect(upbuttonrect) && IsEmptyRect(downbuttonrect));
}

void TbsSkinCustomListBox::RepaintCaptionButton(int index) {
    const TRect& r = m_buttons[index].Rect;
    if (!IsEmptyRect(r)) InvalidateRect(r, false);
}

void TbsSkinCustomListBox::CaptionHitTest(int x, int y) {
    CalcCaptionButtons();
    m_previousHotButton = m_hotButton;
    int hit = -1;
    for (int i = kUpButton; i <= kCheckButton; ++i)
        if (m_buttons[i].Rect.Contains({x, y})) {
            hit = i;
            break;
        }
    if (m_pressedButton != -1 && hit != -1 && hit != m_pressedButton) hit = -1;
    m_hotButton = hit;
    if (m_hotButton == m_previousHotButton) return;
    if (m_previousHotButton != -1) LeaveCaptionButton(m_previousHotButton);
    if (m_hotButton != -1) EnterCaptionButton(m_hotButton);
}

void TbsSkinCustomListBox::EnterCaptionButton(int index) {
    for (int i = kUpButton; i <= kCheckButton; ++i)
        if (i != index && m_buttons[i].PointerOver) {
            m_buttons[i].PointerOver = false;
            RepaintCaptionButton(i);
        }
    m_buttons[index].PointerOver = true;
    RepaintCaptionButton(index);
    if (m_buttons[index].Down && m_repeatMode != 0) StartTimer(kResumeInterval);
}

void TbsSkinCustomListBox::LeaveCaptionButton(int index) {
    m_buttons[index].PointerOver = false;
    RepaintCaptionButton(index);
    if (m_buttons[index].Down && m_repeatMode != 0) StopTimer();
}

void TbsSkinCustomListBox::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (CaptionButtonsActive()) {
        CaptionHitTest(x, y);
        if (m_hotButton != -1) {
            const int i = m_hotButton;
            m_pressedButton = i;
            m_buttons[i].PointerOver = true;
            m_buttons[i].Down = true;
            RepaintCaptionButton(i);
            const bool hasEvent = (i == kUpButton && OnUpButtonClick) ||
                                  (i == kDownButton && OnDownButtonClick) ||
                                  (i == kCheckButton && OnCheckButtonClick);
            if (!hasEvent && i != kCheckButton) {
                m_repeatMode = i == kUpButton ? 1 : 2;
                m_firstDelay = true;
                StartTimer(kFirstDelay);
            }
        }
    }
    TbsSkinCustomControl::MouseDown(button, shift, x, y);
}

void TbsSkinCustomListBox::MouseMove(TShiftState shift, int x, int y) {
    if (CaptionButtonsActive()) CaptionHitTest(x, y);
    TbsSkinCustomControl::MouseMove(shift, x, y);
}

void TbsSkinCustomListBox::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    const auto alive = WeakRef();
    if (m_pressedButton != -1) {
        const int i = m_pressedButton;
        TCaptionButton& b = m_buttons[i];
        b.Down = false;
        if (i != m_hotButton) b.PointerOver = false;
        RepaintCaptionButton(i);
        const bool over = b.PointerOver;
        m_pressedButton = -1;
        StopTimer();
        m_repeatMode = 0;
        const platform::forms::TNotifyEvent& event =
            i == kUpButton ? OnUpButtonClick : (i == kDownButton ? OnDownButtonClick : OnCheckButtonClick);
        if (over && event)
            event(this);
        else
            CaptionButtonAction(i);
        if (!alive) return;
    }
    TbsSkinCustomControl::MouseUp(button, shift, x, y);
}

void TbsSkinCustomListBox::CaptionButtonAction(int index) {
    if (index == kUpButton)
        StepItemIndex(-1);
    else if (index == kDownButton)
        StepItemIndex(1);
    else
        ListBoxClick();
}

void TbsSkinCustomListBox::StepItemIndex(int delta) {
    const int index = m_list->ItemIndex();
    if (delta < 0 && index > 0)
        m_list->SetItemIndex(index - 1);
    else if (delta > 0 && index < m_list->Count() - 1)
        m_list->SetItemIndex(index + 1);
}

void TbsSkinCustomListBox::CMMouseEnter(TMessage& message) {
    if (CaptionButtonsActive()) CaptionHitTest(-1, -1);
    TbsSkinCustomControl::CMMouseEnter(message);
}

void TbsSkinCustomListBox::CMMouseLeave(TMessage& message) {
    for (int i = kUpButton; i <= kCheckButton; ++i)
        if (m_buttons[i].PointerOver) LeaveCaptionButton(i);
    m_hotButton = -1;
    m_previousHotButton = -1;
    TbsSkinCustomControl::CMMouseLeave(message);
}

void TbsSkinCustomListBox::StartTimer(uint32_t interval) {
    if (auto* ws = ui::TWindowSystem::Current(); ws && HandleAllocated())
        ws->SetTimer(HandleIfAllocated(), kRepeatTimer, interval);
}

void TbsSkinCustomListBox::StopTimer() {
    if (auto* ws = ui::TWindowSystem::Current(); ws && HandleAllocated())
        ws->KillTimer(HandleIfAllocated(), kRepeatTimer);
}

void TbsSkinCustomListBox::TimerTick() {
    if (m_firstDelay) {
        m_firstDelay = false;
        StartTimer(kRepeatInterval);
        return;
    }
    if (m_repeatMode == 1)
        StepItemIndex(-1);
    else if (m_repeatMode == 2)
        StepItemIndex(1);
}

void TbsSkinCustomListBox::WndProc(TMessage& message) {
    if (message.Msg == ui::WM_TIMER && message.WParam == kRepeatTimer) {
        TimerTick();
        return;
    }
    TbsSkinCustomControl::WndProc(message);
}

}  // namespace skin
