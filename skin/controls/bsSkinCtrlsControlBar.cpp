#include "skin/controls/bsSkinCtrlsControlBar.h"

#include <algorithm>

#include "platform/gfx/Canvas.h"
#include "skin/controls/bsSkinCtrlsBinding.h"
#include "skin/data/bsUtilsDrawStrips.h"

namespace skin {

using namespace platform::forms;
namespace gfx = platform::gfx;

namespace {
// Tiles the area r of source over the whole of dest, from dest's top-left.
void Tile(gfx::TCanvas& dest, int width, int height, gfx::TBitmap& source, const TRect& r) {
    if (r.Width() < 1 || r.Height() < 1) return;
    for (int y = 0; y < height; y += r.Height())
        for (int x = 0; x < width; x += r.Width())
            dest.DrawBitmapRect({x, y, x + r.Width(), y + r.Height()}, source, r);
}

TbsFrameGeometry Geometry(int width, int height) {
    return {{12, 3}, {width - 3, 3}, {12, height - 3}, {width - 3, height - 3}, {12, 3, width - 3, height - 3}};
}

void DrawStrips(gfx::TCanvas& canvas, const TbsBorderStrips& s, const TRect& rect) {
    canvas.Draw(rect.Left, rect.Top, s.Top);
    canvas.Draw(rect.Left, rect.Bottom - s.Bottom.Height(), s.Bottom);
    canvas.Draw(rect.Left, rect.Top + s.Top.Height(), s.Left);
    canvas.Draw(rect.Right - s.Right.Width(), rect.Top + s.Top.Height(), s.Right);
}
}  // namespace

TbsSkinControlBar::TbsSkinControlBar(TComponent* owner) : TControlBar(owner) {}

TbsSkinControlBar::~TbsSkinControlBar() { WatchSkinData(*this, m_skinData, nullptr); }

void TbsSkinControlBar::SetSkinData(TbsSkinData* value) {
    WatchSkinData(*this, m_skinData, value);
    m_skinData = value;
    if (!(ComponentState() & csLoading)) RefreshSkin();
}

void TbsSkinControlBar::SetSkinBevel(bool value) {
    m_skinBevel = value;
    Invalidate();
}

void TbsSkinControlBar::RefreshSkin() {
    m_recordIndex = FindControlRecord(m_skinData, m_skinDataName);
    Invalidate();
}

void TbsSkinControlBar::Loaded() {
    TControlBar::Loaded();
    RefreshSkin();
}

void TbsSkinControlBar::Notification(TComponent* component, TOperation operation) {
    TControlBar::Notification(component, operation);
    if (operation == opRemove && m_skinData && component == m_skinData) {
        m_skinData = nullptr;
        if (!IsDestroying()) RefreshSkin();
    }
}

void TbsSkinControlBar::WMEraseBkgnd(TMessage& message) { message.Result = 1; }

void TbsSkinControlBar::DrawSkinBand(gfx::TCanvas& canvas, TbsDataSkinControlBar& record, gfx::TBitmap& picture,
                                     const TRect& rect) {
    const TRect item = record.itemrect;
    if (item.Width() < 1 || item.Height() < 1) return;
    TbsBorderStrips strips;
    ComposeBorderStrips(strips, picture, item, Geometry(item.Width(), item.Height()), rect.Width(),
                        rect.Height(), Geometry(rect.Width(), rect.Height()), {});
    DrawStrips(canvas, strips, rect);
}

void TbsSkinControlBar::Paint() {
    const int index = FindControlRecord(m_skinData, m_skinDataName);
    auto* record = ControlRecordAs<TbsDataSkinControlBar>(m_skinData, index);
    gfx::TBitmap* picture = record ? m_skinData->ActivePicture(record->pictureindex) : nullptr;
    if (!record || !picture) {
        TControlBar::Paint();
        return;
    }
    const int w = Width(), h = Height();
    if (w <= 0 || h <= 0) return;
    gfx::TBitmap buffer(w, h);
    gfx::TCanvas c(buffer);
    if (gfx::TBitmap* background = m_skinData->ActivePicture(record->bgpictureindex)) {
        Tile(c, w, h, *background, {0, 0, background->Width(), background->Height()});
    } else {
        const TRect& s = record->skinrect;
        const TRect& cr = record->clientrect;
        Tile(c, w, h, *picture, {s.Left + cr.Left, s.Top + cr.Top, s.Left + cr.Right, s.Top + cr.Bottom});
    }
    for (TControl* control : ControlList()) {
        const TRect band = BandRect(control);
        if (!band.IsEmpty()) DrawSkinBand(c, *record, *picture, band);
    }
    if (m_skinBevel) {
        const TRect& s = record->skinrect;
        const TbsFrameGeometry g{record->lefttoppoint, record->righttoppoint, record->leftbottompoint,
                                 record->rightbottompoint, record->clientrect};
        const int dx = w - s.Width(), dy = h - s.Height();
        const TbsFrameGeometry ng{record->lefttoppoint,
                                  {record->righttoppoint.X + dx, record->righttoppoint.Y},
                                  {record->leftbottompoint.X, record->leftbottompoint.Y + dy},
                                  {record->rightbottompoint.X + dx, record->rightbottompoint.Y + dy},
                                  {record->clientrect.Left, record->clientrect.Top, record->clientrect.Right + dx,
                                   record->clientrect.Bottom + dy}};
        TbsBorderStrips strips;
        ComposeBorderStrips(strips, *picture, s, g, w, h, ng, {});
        DrawStrips(c, strips, {0, 0, w, h});
    }
    Canvas().Draw(0, 0, buffer);
}

}  // namespace skin
