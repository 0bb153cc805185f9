#pragma once
// TbsSkinScrollBar: a scroll bar drawn from a scroll-bar record ([hscrollbar], [vscrollbar],
// [bothhscrollbar]) or in a plain look without one. Arrow buttons step by SmallChange (or fire
// OnUpButtonClick / OnDownButtonClick instead), clicks on the track step by LargeChange, the
// thumb can be dragged; held buttons and page clicks repeat after 500 ms every 50 ms.
//
// The up button increases Position and sits at the right (bottom) end; the down button
// decreases it and sits at the left (top) end.

#include <cstdint>
#include <string>

#include "platform/forms/ControlMessages.h"
#include "skin/controls/bsSkinCtrlsCustom.h"

namespace skin {

enum TScrollBarKind : uint8_t { sbHorizontal, sbVertical };

class TbsSkinScrollBar : public TbsSkinCustomControl {
public:
    // Parts of the bar.
    static constexpr int kThumb = 0, kUpButton = 1, kDownButton = 2;
    // Repetition kinds.
    static constexpr int kRepeatNone = 0, kRepeatDown = 1, kRepeatUp = 2, kRepeatPageUp = 3,
                         kRepeatPageDown = 4;
    static constexpr uintptr_t kRepeatTimer = 1;
    static constexpr uint32_t kFirstDelay = 500;
    static constexpr uint32_t kRepeatInterval = 50;

    struct TPart {
        TRect Rect;
        bool Lit = false;   // the pointer is over it
        bool Held = false;  // pressed
    };

    explicit TbsSkinScrollBar(platform::forms::TComponent* owner);
    ~TbsSkinScrollBar() override;

    // ---- Published ----
    [[nodiscard]] TScrollBarKind Kind() const { return m_kind; }
    void SetKind(TScrollBarKind value);
    [[nodiscard]] int Min() const { return m_min; }
    void SetMin(int value);
    [[nodiscard]] int Max() const { return m_max; }
    void SetMax(int value);
    [[nodiscard]] int Position() const { return m_position; }
    // Clamped to the range (less the page); OnChange only when the value really changes.
    void SetPosition(int value);
    // 0: a thumb of fixed size. A page that would not fit before Position is refused.
    [[nodiscard]] int PageSize() const { return m_pageSize; }
    void SetPageSize(int value);
    [[nodiscard]] int SmallChange() const { return m_smallChange; }
    void SetSmallChange(int value);
    [[nodiscard]] int LargeChange() const { return m_largeChange; }
    void SetLargeChange(int value);
    // The bar takes the focus and handles arrow keys and the wheel; also sets TabStop.
    [[nodiscard]] bool CanFocused() const { return m_canFocused; }
    void SetCanFocused(bool value);
    // The horizontal bar of a pair: leaves a corner marker at its right end.
    [[nodiscard]] bool Both() const { return m_both; }
    void SetBoth(bool value);
    [[nodiscard]] int BothMarkerWidth() const { return m_bothMarkerWidth; }
    // Negative values are ignored.
    void SetBothMarkerWidth(int value);
    [[nodiscard]] const std::string& BothSkinDataName() const { return m_bothSkinDataName; }
    void SetBothSkinDataName(const std::string& value) { m_bothSkinDataName = value; }

    // Sets the range, the page and the (clamped) position at once, without OnChange.
    void SetRangeAndPosition(int min, int max, int pageSize, int position);

    platform::forms::TNotifyEvent OnChange;
    platform::forms::TNotifyEvent OnLastChange;     // left button released after a thumb drag
    platform::forms::TNotifyEvent OnUpButtonClick;  // replaces the up button's step
    platform::forms::TNotifyEvent OnDownButtonClick;
    platform::forms::TNotifyEvent OnPageUp;
    platform::forms::TNotifyEvent OnPageDown;

    // ---- Geometry and state (for the owner and for inspection) ----
    // Places the buttons, the track and the thumb for the current size, range and position.
    void ComputeGeometry();
    [[nodiscard]] const TPart& Part(int index) const { return m_parts[index]; }
    [[nodiscard]] const TRect& TrackRect() const { return m_trackRect; }
    [[nodiscard]] int ThumbStart() const { return m_thumbStart; }
    [[nodiscard]] int ThumbEnd() const { return m_thumbEnd; }
    [[nodiscard]] int ThumbShift() const { return m_thumbShift; }
    [[nodiscard]] int HotPart() const { return m_hotPart; }
    [[nodiscard]] int CapturedPart() const { return m_capturedPart; }
    [[nodiscard]] int RepeatKind() const { return m_repeatKind; }
    [[nodiscard]] bool ThumbDragging() const { return m_thumbDragging; }
    // The position a thumb moved by d pixels from ThumbStart stands for.
    [[nodiscard]] int PositionFromShift(int d);

    // Copies of the scroll-bar record (the active and down rectangles already replaced when
    // empty); trackarea and the button rectangles are relative to skinrect.
    TRect trackarea, upbuttonrect, downbuttonrect;
    TRect activeupbuttonrect, downupbuttonrect, activedownbuttonrect, downdownbuttonrect;
    TRect thumbrect, activethumbrect, downthumbrect;
    int thumboffset1 = 0, thumboffset2 = 0;
    TRect glyphrect, activeglyphrect, downglyphrect;

protected:
    void LookUpRecord() override;
    void DrawDefaultImage(platform::gfx::TBitmap& bitmap) override;
    void DrawSkinImage(platform::gfx::TBitmap& bitmap) override;
    void FitToSkin(int& width, int& height) override;

    void WndProc(platform::forms::TMessage& message) override;
    void MouseDown(platform::forms::TMouseButton button, platform::forms::TShiftState shift, int x,
                   int y) override;
    void MouseMove(platform::forms::TShiftState shift, int x, int y) override;
    void MouseUp(platform::forms::TMouseButton button, platform::forms::TShiftState shift, int x,
                 int y) override;
    void KeyDown(uint16_t& key, platform::forms::TShiftState shift) override;
    void WMLButtonDown(platform::forms::TMessage& message) override;
    void WMLButtonDblClk(platform::forms::TMessage& message) override;
    void WMGetDlgCode(platform::forms::TMessage& message) override;
    void WMSetFocus(platform::forms::TMessage& message) override;
    void WMKillFocus(platform::forms::TMessage& message) override;
    void CMMouseLeave(platform::forms::TMessage& message) override;
    void CMEnabledChanged(platform::forms::TMessage& message) override;

private:
    [[nodiscard]] bool Horizontal() const { return m_kind == sbHorizontal; }
    [[nodiscard]] bool FocusedLook() const;
    [[nodiscard]] int ClampPosition(int value) const;
    void ComputeDefaultGeometry();
    void ComputeSkinGeometry();
    void UpdateHot(int x, int y);
    void SetPartLit(int part, bool lit);
    void StepUp();
    void StepDown();
    void StartTimer(uint32_t interval);
    void PauseTimer();
    void StopTimer();
    void TimerTick();
    bool FocusOnPress();
    void DrawDefaultPart(platform::gfx::TCanvas& canvas, int part);

    TScrollBarKind m_kind = sbHorizontal;
    int m_min = 0;
    int m_max = 100;
    int m_position = 0;
    int m_pageSize = 0;
    int m_smallChange = 1;
    int m_largeChange = 1;
    bool m_canFocused = false;
    bool m_both = false;
    int m_bothMarkerWidth = 19;
    std::string m_bothSkinDataName = "bothhscrollbar";
    std::string m_savedSkinDataName;

    TPart m_parts[3];
    TRect m_trackRect;
    int m_thumbStart = 0;
    int m_thumbEnd = 0;
    int m_thumbShift = 0;
    int m_hotPart = -1;
    int m_capturedPart = -1;
    bool m_thumbDragging = false;
    int m_dragStartMouse = 0;
    int m_dragStartShift = 0;
    bool m_mousePressed = false;
    TPoint m_lastMouse;
    int m_repeatKind = kRepeatNone;
    bool m_firstTickPending = false;
    bool m_clicksDisabled = false;
};

}  // namespace skin
