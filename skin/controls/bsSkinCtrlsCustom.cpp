#include "skin/controls/bsSkinCtrlsCustom.h"

#include "platform/gfx/Canvas.h"
#include "skin/data/bsUtilsDraw.h"
#include "skin/data/bsUtilsRegion.h"

namespace skin {

using platform::forms::TComponent;
using platform::gfx::TBitmap;
using platform::gfx::TFont;

namespace {

TPoint Moved(const TPoint& p, int dx, int dy) {
    return {p.X + dx, p.Y + dy};
}

int StretchModeFor(const TRect& skinRect, const TPoint& rightTop, const TPoint& leftBottom,
                   const TPoint& rightBottom) {
    if (IsEmptyRect(skinRect)) return smNone;
    if (rightBottom.X != 0 && rightBottom.Y != 0) return smNinePiece;
    if (rightTop.X != 0 || rightTop.Y != 0) return smHorizontal;
    if (leftBottom.X != 0 || leftBottom.Y != 0) return smVertical;
    return smFixed;
}

}  // namespace

TbsSkinCustomControl::TbsSkinCustomControl(TComponent* owner)
    : TbsSkinControl(owner), m_defaultFont(std::make_unique<TFont>()) {
    m_defaultFont->SetName("Arial");
    m_defaultFont->SetHeight(14);
    m_defaultFont->SetStyle(0);
    m_defaultFont->OnChange = [this] { FontObjectChanged(); };
}

TbsSkinCustomControl::~TbsSkinCustomControl() {
    m_defaultFont->OnChange = nullptr;
}

void TbsSkinCustomControl::SetDefaultWidth(int value) {
    m_defaultWidth = value;
    if (m_recordIndex == -1 && value > 0) SetWidth(value);
}

void TbsSkinCustomControl::SetDefaultHeight(int value) {
    m_defaultHeight = value;
    if (m_recordIndex == -1 && value > 0) SetHeight(value);
}

void TbsSkinCustomControl::SetDefaultFont(const TFont& value) {
    const bool same = *m_defaultFont == value;
    *m_defaultFont = value;  // a different font announces itself through OnChange
    if (same) DefaultFontChanged();
}

void TbsSkinCustomControl::FontObjectChanged() {
    DefaultFontChanged();
    if (m_recordIndex == -1) Invalidate();
}

void TbsSkinCustomControl::SetUseSkinFont(bool value) {
    if (m_useSkinFont == value) return;
    m_useSkinFont = value;
    Invalidate();
}

void TbsSkinCustomControl::LookUpRecord() {
    TbsSkinControl::LookUpRecord();
    auto* record = ControlRecordAs<TbsDataSkinCustomControl>(m_skinData, m_recordIndex);
    if (!record) {
        // A record of another class has no picture geometry to size or draw by: the control
        // keeps its default look instead of shrinking to an empty rectangle.
        m_recordIndex = -1;
        m_skinPicture = nullptr;
        m_skinMask = nullptr;
        return;
    }
    skinrect = record->skinrect;
    lefttoppoint = record->lefttoppoint;
    righttoppoint = record->righttoppoint;
    leftbottompoint = record->leftbottompoint;
    rightbottompoint = record->rightbottompoint;
    clientrect = record->clientrect;
    m_skinPicture = m_skinData->ActivePicture(record->pictureindex);
    m_skinMask = m_skinData->ActivePicture(record->maskpictureindex);
    m_stretchMode = StretchModeFor(skinrect, righttoppoint, leftbottompoint, rightbottompoint);
}

void TbsSkinCustomControl::ForgetRecord() {
    TbsSkinControl::ForgetRecord();
    m_skinPicture = nullptr;
    m_skinMask = nullptr;
}

void TbsSkinCustomControl::FitToSkin(int& width, int& height) {
    if (m_recordIndex == -1) return;
    const int dx = width - RectWidthOf(skinrect);
    const int dy = height - RectHeightOf(skinrect);
    switch (m_stretchMode) {
        case smNinePiece:
            CurLeftTop = lefttoppoint;
            CurRightTop = Moved(righttoppoint, dx, 0);
            CurLeftBottom = Moved(leftbottompoint, 0, dy);
            CurRightBottom = Moved(rightbottompoint, dx, dy);
            CurClientRect = {clientrect.Left, clientrect.Top, clientrect.Right + dx, clientrect.Bottom + dy};
            break;
        case smHorizontal:
            height = RectHeightOf(skinrect);
            CurLeftTop = lefttoppoint;
            CurRightTop = Moved(righttoppoint, dx, 0);
            CurClientRect = {clientrect.Left, clientrect.Top, clientrect.Right + dx, clientrect.Bottom};
            break;
        case smVertical:
            width = RectWidthOf(skinrect);
            CurLeftTop = lefttoppoint;
            CurLeftBottom = Moved(leftbottompoint, 0, dy);
            CurClientRect = {clientrect.Left, clientrect.Top, clientrect.Right, clientrect.Bottom + dy};
            break;
        case smFixed:
            width = RectWidthOf(skinrect);
            height = RectHeightOf(skinrect);
            CurClientRect = clientrect;
            break;
        default:
            break;
    }
}

void TbsSkinCustomControl::ApplySkin() {
    LookUpRecord();
    const int oldWidth = Width(), oldHeight = Height();
    bool resized = false;
    if (m_recordIndex == -1) {
        if (m_defaultWidth > 0) SetWidth(m_defaultWidth);
        if (m_defaultHeight > 0) SetHeight(m_defaultHeight);
    } else {
        int w = oldWidth, h = oldHeight;
        FitToSkin(w, h);
        resized = w != oldWidth || h != oldHeight;
        if (w != oldWidth) SetWidth(w);
        if (h != oldHeight) SetHeight(h);
    }
    // A resize has reshaped and repainted already.
    if (!resized || m_recordIndex == -1) {
        UpdateRegion();
        Invalidate();
    }
}

void TbsSkinCustomControl::SetBounds(int left, int top, int width, int height) {
    LookUpRecord();
    const bool sizing = (width != Width() || height != Height()) && m_recordIndex != -1;
    if (sizing) {
        FitToSkin(width, height);
        if (m_stretchMode == smFixed) CurClientRect = clientrect;
    }
    TbsSkinControl::SetBounds(left, top, width, height);
    if (sizing) {
        UpdateRegion();
        Invalidate();
    }
}

TbsFrameGeometry TbsSkinCustomControl::RecordGeometry() const {
    return {lefttoppoint, righttoppoint, leftbottompoint, rightbottompoint, clientrect};
}

TbsFrameGeometry TbsSkinCustomControl::SizedGeometry() const {
    return {CurLeftTop, CurRightTop, CurLeftBottom, CurRightBottom, CurClientRect};
}

void TbsSkinCustomControl::UpdateRegion() {
    if (!m_skinMask || m_recordIndex == -1) {
        if (m_skinRegion) {
            SetWindowRgn(std::nullopt, true);
            m_skinRegion.reset();
        }
        return;
    }
    std::optional<platform::gfx::TRegion> region;
    const int dx = Width() - RectWidthOf(skinrect);
    const int dy = Height() - RectHeightOf(skinrect);
    switch (m_stretchMode) {
        case smFixed:
            region = RegionFromBitmap(*m_skinMask);
            break;
        case smNinePiece:
            region = BuildFrameRegion(*m_skinMask, RecordGeometry(), SizedGeometry(), Width());
            break;
        case smHorizontal: {
            const TPoint newRight = Moved(righttoppoint, dx, 0);
            region = BuildFrameRegion(
                *m_skinMask, {lefttoppoint, righttoppoint, lefttoppoint, righttoppoint, clientrect},
                {lefttoppoint, newRight, lefttoppoint, newRight, CurClientRect}, Width());
            break;
        }
        case smVertical: {
            const TPoint newBottom = Moved(leftbottompoint, 0, dy);
            region = BuildFrameRegion(
                *m_skinMask, {lefttoppoint, lefttoppoint, leftbottompoint, leftbottompoint, clientrect},
                {lefttoppoint, lefttoppoint, newBottom, newBottom, CurClientRect}, Width());
            break;
        }
        default:
            break;
    }
    SetWindowRgn(region, true);
    m_skinRegion = std::move(region);
}

void TbsSkinCustomControl::ComposeFromRecord(TBitmap& bitmap, const TRect& r) {
    switch (m_stretchMode) {
        case smFixed:
            bitmap.SetSize(RectWidthOf(r), RectHeightOf(r));
            if (m_skinPicture)
                bitmap.Canvas().CopyRect({0, 0, bitmap.Width(), bitmap.Height()}, m_skinPicture->Canvas(), r);
            break;
        case smNinePiece:
            if (m_skinPicture)
                ComposeFrameImageTiled(bitmap, *m_skinPicture, r, RecordGeometry(), Width(), Height(),
                                       SizedGeometry(), true);
            break;
        case smHorizontal:
            if (m_skinPicture)
                ComposeHorzImage(bitmap, *m_skinPicture, r, lefttoppoint.X,
                                 RectWidthOf(skinrect) - righttoppoint.X, Width());
            break;
        case smVertical:
            if (m_skinPicture)
                ComposeVertImage(bitmap, *m_skinPicture, r, lefttoppoint.Y,
                                 RectHeightOf(skinrect) - leftbottompoint.Y, Height());
            break;
        default:
            break;
    }
}

void TbsSkinCustomControl::DrawSkinImage(TBitmap& bitmap) {
    ComposeFromRecord(bitmap, skinrect);
}

void TbsSkinCustomControl::DrawDefaultImage(TBitmap& bitmap) {
    auto& canvas = bitmap.Canvas();
    canvas.Brush.Style = platform::gfx::TBrushStyle::bsSolid;
    canvas.Brush.Color = platform::gfx::clBtnFace;
    canvas.FillRect({0, 0, bitmap.Width(), bitmap.Height()});
}

}  // namespace skin
