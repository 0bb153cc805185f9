#pragma once
// TControlBar: a container whose child controls are bands placed in rows. Each band has a
// grabber left of its control; dragging the grabber moves the band within its row, to another
// row or to a new row (rows snap to whole rows with RowSnap). Bands in a row never overlap;
// empty rows close up. With AutoSize the bar's height follows its rows.

#include <functional>
#include <map>

#include "platform/forms/CustomControl.h"

namespace platform::forms {

using TBandMoveEvent = std::function<void(TComponent* sender, TControl* control, TRect& rect)>;

class TControlBar : public TCustomControl {
public:
    // A band's frame reaches this far left of its control (the grabber) and kBandEdge on the
    // other sides.
    static constexpr int kGrabberWidth = 11;
    static constexpr int kBandEdge = 2;

    explicit TControlBar(TComponent* owner);
    ~TControlBar() override;

    [[nodiscard]] int RowSize() const { return m_rowSize; }
    void SetRowSize(int value);
    [[nodiscard]] bool RowSnap() const { return m_rowSnap; }
    void SetRowSnap(bool value) { m_rowSnap = value; }
    [[nodiscard]] bool AutoSize() const { return m_autoSize; }
    void SetAutoSize(bool value);
    [[nodiscard]] bool AutoDrag() const { return m_autoDrag; }
    void SetAutoDrag(bool value) { m_autoDrag = value; }

    // Lays the bands out again (after controls were added, moved or resized in code).
    void ArrangeBands();
    // A band's frame (its control grown by the grabber and the edges); empty for other controls.
    [[nodiscard]] TRect BandRect(const TControl* control) const;
    [[nodiscard]] int BandRow(const TControl* control) const;
    [[nodiscard]] int RowCount() const { return m_rowCount; }
    // The band whose grabber is at a client point, or null.
    [[nodiscard]] TControl* GrabberAt(TPoint p) const;

    TBandMoveEvent OnBandMove;

protected:
    void WndProc(TMessage& message) override;
    void Paint() override;
    void Loaded() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    // Draws a band's frame and grabber.
    virtual void DrawBand(gfx::TCanvas& canvas, const TRect& rect);
    [[nodiscard]] int RowTop(int row) const;
    [[nodiscard]] int RowHeight(int row) const;

private:
    struct TBand {
        int Row = 0;
        int X = 0;  // wanted left of the band frame
    };
    void SyncBands();

    std::map<TControl*, TBand> m_bands;
    std::vector<int> m_rowHeights;
    int m_rowCount = 0;
    int m_rowSize = 26;
    bool m_rowSnap = true;
    bool m_autoSize = false;
    bool m_autoDrag = true;
    bool m_arranging = false;
    TControl* m_dragBand = nullptr;
    TPoint m_dragStart;
    TBand m_dragStartBand;
};

}  // namespace platform::forms
