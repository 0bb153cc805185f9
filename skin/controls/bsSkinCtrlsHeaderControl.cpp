#include "skin/controls/bsSkinCtrlsHeaderControl.h"

#include <algorithm>

#include "platform/gfx/Canvas.h"
#include "skin/controls/bsSkinCtrlsBinding.h"
#include "skin/data/bsUtilsDrawCompose.h"

namespace skin {

using namespace platform::forms;
namespace gfx = platform::gfx;

namespace {
constexpr TColor kHotFill = gfx::RGB(182, 189, 210), kPressedFill = gfx::RGB(133, 147, 181), kNavy = gfx::RGB(0, 0, 128);

bool StretchesVertically(const TbsDataSkinButtonControl& r) { return r.leftbottompoint.X != 0 || r.leftbottompoint.Y != 0; }

bool Empty(const TRect& r) { return r.Width() < 1 || r.Height() < 1; }
}  // namespace

TbsSkinHeaderControl::TbsSkinHeaderControl(TComponent* owner)
    : THeaderControl(owner), m_defaultFont(std::make_unique<gfx::TFont>()) {
    m_defaultFont->SetName("Arial");
    m_defaultFont->SetHeight(14);
    SetHotTrack(true);
}

TbsSkinHeaderControl::~TbsSkinHeaderControl() { WatchSkinData(*this, m_skinData, nullptr); }

void TbsSkinHeaderControl::SetSkinData(TbsSkinData* value) {
    WatchSkinData(*this, m_skinData, value);
    m_skinData = value;
    if (!(ComponentState() & csLoading)) RefreshSkin();
}

void TbsSkinHeaderControl::SetDefaultFont(const gfx::TFont& value) {
    *m_defaultFont = value;
    Invalidate();
}

void TbsSkinHeaderControl::SetDefaultHeight(int value) {
    m_defaultHeight = std::max(0, value);
    if (!(ComponentState() & csLoading)) RefreshSkin();
}

void TbsSkinHeaderControl::SetUseSkinFont(bool value) {
    m_useSkinFont = value;
    Invalidate();
}

TbsDataSkinButtonControl* TbsSkinHeaderControl::ButtonRecord() const {
    return ControlRecordAs<TbsDataSkinButtonControl>(m_skinData, FindControlRecord(m_skinData, m_skinDataName));
}

int TbsSkinHeaderControl::FixedHeight() const {
    if (m_recordIndex != -1) {
        TbsDataSkinButtonControl* r = ButtonRecord();
        return r && !StretchesVertically(*r) ? r->skinrect.Height() : 0;
    }
    return m_defaultHeight;
}

void TbsSkinHeaderControl::RefreshSkin() {
    m_recordIndex = FindControlRecord(m_skinData, m_skinDataName);
    SetBounds(Left(), Top(), Width(), Height());
    Invalidate();
}

void TbsSkinHeaderControl::SetBounds(int left, int top, int width, int height) {
    if (const int fixed = FixedHeight(); fixed > 0) height = fixed;
    THeaderControl::SetBounds(left, top, width, height);
}

void TbsSkinHeaderControl::Loaded() {
    THeaderControl::Loaded();
    RefreshSkin();
}

void TbsSkinHeaderControl::Notification(TComponent* component, TOperation operation) {
    THeaderControl::Notification(component, operation);
    if (operation == opRemove && m_skinData && component == m_skinData) {
        m_skinData = nullptr;
        if (!IsDestroying()) RefreshSkin();
    }
}

void TbsSkinHeaderControl::WMEraseBkgnd(TMessage& message) { message.Result = 1; }

void TbsSkinHeaderControl::SectionClick(THeaderSection* section) {
    const auto alive = WeakRef();
    THeaderControl::SectionClick(section);
    if (alive && OnSkinSectionClick) OnSkinSectionClick(this, section);
}

void TbsSkinHeaderControl::DrawSection(gfx::TCanvas& canvas, int index, const TRect& rect, bool pressed, bool hot) {
    THeaderSection* section = Sections().Items(index);
    TbsDataSkinButtonControl* r = ButtonRecord();
    gfx::TBitmap* picture = r ? m_skinData->ActivePicture(r->pictureindex) : nullptr;
    const bool stretch = !r || StretchesVertically(*r);
    const int w = rect.Width();
    const int h = stretch || !r ? rect.Height() : r->skinrect.Height();
    gfx::TBitmap image(std::max(1, w), std::max(1, h));
    gfx::TCanvas c(image);
    TRect textArea{2, 2, w - 2, h - 2};
    if (!r || !picture) {
        c.Brush.Color = pressed ? kPressedFill : hot ? kHotFill : gfx::clBtnFace;
        c.FillRect({0, 0, w, h});
        c.Brush.Color = pressed || hot ? kNavy : gfx::clBtnShadow;
        c.FrameRect({0, 0, w, h});
        c.Font = *m_defaultFont;
    } else {
        const TRect active = Empty(r->activeskinrect) ? r->skinrect : r->activeskinrect;
        const TRect down = Empty(r->downskinrect) ? active : r->downskinrect;
        const TRect source = pressed ? down : hot ? active : r->skinrect;
        const int dx = w - r->skinrect.Width(), dy = h - r->skinrect.Height();
        if (stretch) {
            const TbsFrameGeometry g{r->lefttoppoint, r->righttoppoint, r->leftbottompoint, r->rightbottompoint,
                                     r->clientrect};
            const TbsFrameGeometry ng{r->lefttoppoint,
                                      {r->righttoppoint.X + dx, r->righttoppoint.Y},
                                      {r->leftbottompoint.X, r->leftbottompoint.Y + dy},
                                      {r->rightbottompoint.X + dx, r->rightbottompoint.Y + dy},
                                      {r->clientrect.Left, r->clientrect.Top, r->clientrect.Right + dx, r->clientrect.Bottom + dy}};
            ComposeFrameImageTiled(image, *picture, source, g, w, h, ng, true);
        } else {
            ComposeHorzImage(image, *picture, source, r->lefttoppoint.X, r->skinrect.Width() - r->righttoppoint.X, w);
        }
        textArea = {r->clientrect.Left, r->clientrect.Top, r->clientrect.Right + dx, r->clientrect.Bottom + dy};
        if (m_useSkinFont) {
            c.Font = *m_defaultFont;
            c.Font.SetName(r->fontname);
            c.Font.SetHeight(r->fontheight);
            c.Font.SetStyle(r->fontstyle);
        } else {
            c.Font = *m_defaultFont;
        }
        c.Font.SetColor(pressed ? r->downfontcolor : hot ? r->activefontcolor : r->fontcolor);
    }
    if (OnDrawSkinSection)
        OnDrawSkinSection(this, section, c, pressed, hot, textArea);
    else
        DrawSectionContent(c, *section, textArea);
    canvas.Draw(rect.Left, rect.Top, image);
}

void TbsSkinHeaderControl::DrawRest(gfx::TCanvas& canvas, const TRect& rect) {
    TbsDataSkinButtonControl* r = ButtonRecord();
    gfx::TBitmap* picture = r ? m_skinData->ActivePicture(r->pictureindex) : nullptr;
    if (!r || !picture) {
        canvas.Brush = gfx::TBrush{gfx::clBtnFace, gfx::TBrushStyle::bsSolid};
        canvas.FillRect(rect);
        canvas.Brush.Color = gfx::clBtnShadow;
        canvas.FrameRect(rect);
        return;
    }
    const int w = rect.Width(), h = rect.Height();
    gfx::TBitmap image(std::max(1, w), std::max(1, h));
    const int dx = w - r->skinrect.Width(), dy = h - r->skinrect.Height();
    if (StretchesVertically(*r)) {
        const TbsFrameGeometry g{r->lefttoppoint, r->righttoppoint, r->leftbottompoint, r->rightbottompoint, r->clientrect};
        const TbsFrameGeometry ng{r->lefttoppoint,
                                  {r->righttoppoint.X + dx, r->righttoppoint.Y},
                                  {r->leftbottompoint.X, r->leftbottompoint.Y + dy},
                                  {r->rightbottompoint.X + dx, r->rightbottompoint.Y + dy},
                                  {r->clientrect.Left, r->clientrect.Top, r->clientrect.Right + dx, r->clientrect.Bottom + dy}};
        ComposeFrameImageOpenRight(image, *picture, r->skinrect, g, w, h, ng, true);
    } else {
        ComposeHorzImageOpenRight(image, *picture, r->skinrect, r->lefttoppoint.X, r->skinrect.Width() - r->righttoppoint.X, w);
    }
    canvas.Draw(rect.Left, rect.Top, image);
}

}  // namespace skin
