#pragma once
// TbsSkinUpDown: a pair of arrow buttons without a text field. A click or a held press on a
// button steps Position by Increment within Min..Max and reports the click; a held button
// repeats after 500 ms every 100 ms (every 50 ms after the pointer comes back onto it).

#include <cstdint>

#include "platform/forms/ControlMessages.h"
#include "skin/controls/bsSkinCtrlsCustom.h"

namespace skin {

enum TUDOrientation : uint8_t { udHorizontal, udVertical };

class TbsSkinUpDown : public TbsSkinCustomControl {
public:
    static constexpr int kUpButton = 0, kDownButton = 1;
    static constexpr uintptr_t kRepeatTimer = 1;
    static constexpr uint32_t kFirstDelay = 500;
    static constexpr uint32_t kRepeatInterval = 100;
    static constexpr uint32_t kResumeInterval = 50;

    struct TUpDownButton {
        TRect Rect;
        bool PointerOver = false;
        bool Down = false;
    };

    explicit TbsSkinUpDown(platform::forms::TComponent* owner);
    ~TbsSkinUpDown() override;

    // ---- Published ----
    [[nodiscard]] TUDOrientation Orientation() const { return m_orientation; }
    void SetOrientation(TUDOrientation value);
    // 0 makes the control a pair of plain click buttons (no stepping, no repeat).
    [[nodiscard]] int Increment() const { return m_increment; }
    void SetIncrement(int value) { m_increment = value; }
    [[nodiscard]] int Position() const { return m_position; }
    // A value outside Min..Max is ignored; any other fires OnChange, also an unchanged one.
    void SetPosition(int value);
    [[nodiscard]] int Min() const { return m_min; }
    // Moves Position into the new range silently.
    void SetMin(int value);
    [[nodiscard]] int Max() const { return m_max; }
    void SetMax(int value);

    platform::forms::TNotifyEvent OnChange;
    platform::forms::TNotifyEvent OnUpButtonClick;
    platform::forms::TNotifyEvent OnDownButtonClick;

    // ---- State (for inspection) ----
    [[nodiscard]] const TUpDownButton& Button(int index) const { return m_buttons[index]; }
    [[nodiscard]] int HotButton() const { return m_hotButton; }
    [[nodiscard]] int PressedButton() const { return m_pressedButton; }
    // 0 none, 1 decrease, 2 increase.
    [[nodiscard]] int RepeatDirection() const { return m_repeatDirection; }
    [[nodiscard]] bool FirstDelay() const { return m_firstDelay; }

    // Copies of the up-down record (the down pictures already replaced when empty).
    TRect upbuttonrect, activeupbuttonrect, downupbuttonrect;
    TRect downbuttonrect, activedownbuttonrect, downdownbuttonrect;

protected:
    void LookUpRecord() override;
    void DrawDefaultImage(platform::gfx::TBitmap& bitmap) override;
    void DrawSkinImage(platform::gfx::TBitmap& bitmap) override;

    void WndProc(platform::forms::TMessage& message) override;
    void MouseDown(platform::forms::TMouseButton button, platform::forms::TShiftState shift, int x,
                   int y) override;
    void MouseMove(platform::forms::TShiftState shift, int x, int y) override;
    void MouseUp(platform::forms::TMouseButton button, platform::forms::TShiftState shift, int x,
                 int y) override;
    void CMMouseEnter(platform::forms::TMessage& message) override;
    void CMMouseLeave(platform::forms::TMessage& message) override;

private:
    void CalcButtonRects();
    void HitTest(int x, int y);
    void EnterButton(int index);
    void LeaveButton(int index);
    void StartTimer(uint32_t interval);
    void StopTimer();
    void TimerTick();

    TUDOrientation m_orientation = udHorizontal;
    int m_increment = 1;
    int m_position = 0;
    int m_min = 0;
    int m_max = 100;

    TUpDownButton m_buttons[2];
    int m_hotButton = -1;
    int m_previousHotButton = -1;
    int m_pressedButton = -1;
    int m_repeatDirection = 0;
    bool m_firstDelay = false;
};

}  // namespace skin
