#include "platform/forms/ControlBar.h"

#include <algorithm>
#include <set>
#include <vector>

#include "platform/gfx/Canvas.h"

namespace platform::forms {

TControlBar::TControlBar(TComponent* owner) : TCustomControl(owner) {
    m_width = 200;
    m_height = 75;
    m_controlStyle |= csAcceptsControls | csOpaque;
    SetParentColor(false);
    SetColor(gfx::clBtnFace);
}

TControlBar::~TControlBar() = default;

void TControlBar::SetRowSize(int value) {
    if (value < 1 || value == m_rowSize) return;
    m_rowSize = value;
    ArrangeBands();
}

void TControlBar::SetAutoSize(bool value) {
    m_autoSize = value;
    ArrangeBands();
}

void TControlBar::WndProc(TMessage& message) {
    TCustomControl::WndProc(message);
    if (message.Msg == CM_CONTROLLISTCHANGE && !(ComponentState() & csLoading)) ArrangeBands();
}

void TControlBar::Loaded() {
    TCustomControl::Loaded();
    ArrangeBands();
}

void TControlBar::SyncBands() {
    for (auto it = m_bands.begin(); it != m_bands.end();)
        it = std::find(ControlList().begin(), ControlList().end(), it->first) == ControlList().end()
                 ? m_bands.erase(it)
                 : std::next(it);
    for (TControl* c : ControlList()) {
        if (m_bands.count(c)) continue;
        // A new band takes the row its top falls in and the place its left asks for.
        m_bands[c] = TBand{std::max(0, (c->Top() - kBandEdge) / m_rowSize), std::max(0, c->Left() - kGrabberWidth)};
    }
}

void TControlBar::ArrangeBands() {
    if (m_arranging) return;
    m_arranging = true;
    SyncBands();
    std::set<int> used;
    for (auto& [c, band] : m_bands)
        if (c->Visible()) used.insert(band.Row);
    // Empty rows close up: renumber the used rows 0, 1, 2, ...
    std::map<int, int> renumber;
    for (int r : used) renumber[r] = static_cast<int>(renumber.size());
    for (auto& [c, band] : m_bands)
        if (c->Visible()) band.Row = renumber[band.Row];
    m_rowCount = static_cast<int>(used.size());
    m_rowHeights.assign(static_cast<size_t>(m_rowCount), m_rowSize);
    std::vector<std::vector<TControl*>> rows(static_cast<size_t>(m_rowCount));
    for (auto& [c, band] : m_bands) {
        if (!c->Visible()) continue;
        rows[static_cast<size_t>(band.Row)].push_back(c);
        auto& h = m_rowHeights[static_cast<size_t>(band.Row)];
        h = std::max(h, c->Height() + 2 * kBandEdge);
    }
    int top = 0;
    for (int r = 0; r < m_rowCount; ++r) {
        auto& row = rows[static_cast<size_t>(r)];
        std::stable_sort(row.begin(), row.end(), [&](TControl* a, TControl* b) { return m_bands[a].X < m_bands[b].X; });
        int right = 0;
        for (TControl* c : row) {
            TBand& band = m_bands[c];
            band.X = std::max(band.X, right);
            c->SetBounds(band.X + kGrabberWidth, top + kBandEdge, c->Width(), c->Height());
            right = band.X + kGrabberWidth + c->Width() + kBandEdge;
        }
        top += m_rowHeights[static_cast<size_t>(r)];
    }
    if (m_autoSize) SetHeight(std::max(top, m_rowCount == 0 ? m_rowSize : 0) + (Height() - ClientHeight()));
    m_arranging = false;
    Invalidate();
}

int TControlBar::RowTop(int row) const {
    int top = 0;
    for (int r = 0; r < row && r < m_rowCount; ++r) top += m_rowHeights[static_cast<size_t>(r)];
    return top;
}

int TControlBar::RowHeight(int row) const {
    return row >= 0 && row < m_rowCount ? m_rowHeights[static_cast<size_t>(row)] : m_rowSize;
}

TRect TControlBar::BandRect(const TControl* control) const {
    auto it = m_bands.find(const_cast<TControl*>(control));
    if (it == m_bands.end() || !control->Visible()) return {};
    return {control->Left() - kGrabberWidth, control->Top() - kBandEdge, control->Left() + control->Width() + kBandEdge,
            control->Top() + control->Height() + kBandEdge};
}

int TControlBar::BandRow(const TControl* control) const {
    auto it = m_bands.find(const_cast<TControl*>(control));
    return it == m_bands.end() ? -1 : it->second.Row;
}

TControl* TControlBar::GrabberAt(TPoint p) const {
    for (TControl* c : ControlList()) {
        const TRect band = BandRect(c);
        if (band.IsEmpty()) continue;
        const TRect grabber{band.Left, band.Top, band.Left + kGrabberWidth, band.Bottom};
        if (grabber.Contains(p)) return c;
    }
    return nullptr;
}

void TControlBar::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomControl::MouseDown(button, shift, x, y);
    if (button != mbLeft || !m_autoDrag) return;
    m_dragBand = GrabberAt({x, y});
    if (!m_dragBand) return;
    m_dragStart = {x, y};
    m_dragStartBand = m_bands[m_dragBand];
}

void TControlBar::MouseMove(TShiftState shift, int x, int y) {
    TCustomControl::MouseMove(shift, x, y);
    SetCursor(m_dragBand || GrabberAt({x, y}) ? crSizeAll : crDefault);
    if (!m_dragBand) return;
    TBand& band = m_bands[m_dragBand];
    band.X = std::max(0, m_dragStartBand.X + x - m_dragStart.X);
    // The row under the pointer; above the first or below the last row opens a new row there.
    int row = m_rowCount;
    if (y < 0) {
        row = -1;
    } else {
        for (int r = 0; r < m_rowCount; ++r)
            if (y < RowTop(r) + RowHeight(r)) {
                row = r;
                break;
            }
    }
    if (!m_rowSnap && row >= 0 && row < m_rowCount) row = m_dragStartBand.Row;
    // A band alone in its row that is dragged just below it stays where it is.
    const bool alone = std::none_of(m_bands.begin(), m_bands.end(), [&](const auto& e) {
        return e.first != m_dragBand && e.first->Visible() && e.second.Row == band.Row;
    });
    if (alone && row == m_rowCount && band.Row == m_rowCount - 1) row = band.Row;
    if (row == -1)
        for (auto& [c, b] : m_bands) ++b.Row, row = 0;
    band.Row = row < 0 ? 0 : row;
    ArrangeBands();
}

void TControlBar::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == mbLeft && m_dragBand) {
        TControl* moved = m_dragBand;
        m_dragBand = nullptr;
        TRect rect = BandRect(moved);
        if (OnBandMove) OnBandMove(this, moved, rect);
    }
    TCustomControl::MouseUp(button, shift, x, y);
}

void TControlBar::DrawBand(gfx::TCanvas& canvas, const TRect& rect) {
    TRect frame = rect;
    canvas.Frame3D(frame, gfx::clBtnHighlight, gfx::clBtnShadow);
    // The grabber: two raised ridges.
    for (int i = 0; i < 2; ++i) {
        TRect ridge{rect.Left + 3 + i * 3, rect.Top + 3, rect.Left + 5 + i * 3, rect.Bottom - 3};
        canvas.Frame3D(ridge, gfx::clBtnHighlight, gfx::clBtnShadow);
    }
}

void TControlBar::Paint() {
    gfx::TCanvas& canvas = Canvas();
    canvas.Brush = gfx::TBrush{Color(), gfx::TBrushStyle::bsSolid};
    canvas.FillRect(ClientRect());
    for (TControl* c : ControlList()) {
        const TRect band = BandRect(c);
        if (!band.IsEmpty()) DrawBand(canvas, band);
    }
}

}  // namespace platform::forms
