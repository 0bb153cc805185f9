#pragma once
// TSplitter: a bar between an aligned control and the rest of its parent; dragging it resizes
// that neighbour (the control aligned the same way whose edge touches the splitter). While the
// mouse is held it shows the new edge as an inverted line (rsLine, rsPattern), resizes at once
// (rsUpdate) or shows nothing (rsNone); the neighbour never gets smaller than MinSize, and the
// rest of the parent keeps at least MinSize too.
//
// Its parent lays out the aligned children by itself (TWinControl::AlignControl), each kind in
// the order of their current places, so a splitter stays beside the neighbour it was placed
// next to. ArrangeAlignedControls asks for that layout at once.

#include <functional>

#include "platform/forms/GraphicControl.h"

namespace platform::forms {

class TWinControl;

enum TResizeStyle : uint8_t { rsNone, rsLine, rsUpdate, rsPattern };

using TCanResizeEvent = std::function<void(TComponent* sender, int& newSize, bool& accept)>;

void ArrangeAlignedControls(TWinControl& parent);

class TSplitter : public TGraphicControl {
public:
    explicit TSplitter(TComponent* owner);
    ~TSplitter() override;

    [[nodiscard]] int MinSize() const { return m_minSize; }
    // Values below 1 are taken as 1.
    void SetMinSize(int value);
    [[nodiscard]] TResizeStyle ResizeStyle() const { return m_resizeStyle; }
    void SetResizeStyle(TResizeStyle value) { m_resizeStyle = value; }
    [[nodiscard]] bool Beveled() const { return m_beveled; }
    void SetBeveled(bool value);
    // The control the splitter resizes now, or null.
    [[nodiscard]] TControl* FindNeighbour() const;
    // While dragging: the neighbour's size the release would give.
    [[nodiscard]] bool Dragging() const { return m_dragging; }
    [[nodiscard]] int NewSize() const { return m_newSize; }
    // Where the inverted line is drawn now (parent client coordinate across the splitter),
    // or -1 when none is shown.
    [[nodiscard]] int LinePosition() const { return m_lineShown ? m_linePos : -1; }

    TNotifyEvent OnMoved;
    TCanResizeEvent OnCanResize;

protected:
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void WMCancelMode(TMessage& message) override;
    [[nodiscard]] bool Horizontal() const { return Align() == alTop || Align() == alBottom; }

private:
    void ToggleLine();
    void ApplySize(int size);
    void EndDrag(bool apply);
    [[nodiscard]] int NeighbourSize(const TControl& c) const;
    [[nodiscard]] int MaxNeighbourSize(const TControl& c) const;

    int m_minSize = 30;
    TResizeStyle m_resizeStyle = rsPattern;
    bool m_beveled = false;
    bool m_dragging = false;
    TControl* m_neighbour = nullptr;
    int m_downPos = 0;  // parent client coordinate of the press across the splitter
    int m_startSize = 0;
    int m_maxSize = 0;
    int m_newSize = 0;
    int m_linePos = 0;
    bool m_lineShown = false;
};

}  // namespace platform::forms
