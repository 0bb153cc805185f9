#include "platform/forms/HeaderControl.h"

#include <algorithm>
#include <cstdlib>
#include <stdexcept>

#include "platform/core/Strings.h"
#include "platform/gfx/Canvas.h"
#include "platform/ui/WindowSystem.h"

namespace platform::forms {

using namespace platform::ui;

namespace {
constexpr int kDividerReach = 3;
// A press must move this far before it becomes a reorder drag.
constexpr int kDragThreshold = 5;
}  // namespace

// ---- THeaderSection ----

void THeaderSection::Changed() { m_header.SectionsChanged(); }

void THeaderSection::SetText(std::string value) {
    m_text = std::move(value);
    Changed();
}

void THeaderSection::SetWidth(int value) {
    value = std::max(value, m_minWidth);
    if (m_maxWidth > 0) value = std::min(value, m_maxWidth);
    if (value == m_width) return;
    m_width = value;
    Changed();
}

void THeaderSection::SetMinWidth(int value) {
    m_minWidth = std::max(0, value);
    SetWidth(m_width);
}

void THeaderSection::SetMaxWidth(int value) {
    m_maxWidth = std::max(0, value);
    SetWidth(m_width);
}

void THeaderSection::SetAlignment(TAlignment value) {
    m_alignment = value;
    Changed();
}

void THeaderSection::SetImageIndex(int value) {
    m_imageIndex = value;
    Changed();
}

void THeaderSection::SetStyle(THeaderSectionStyle value) {
    m_style = value;
    Changed();
}

int THeaderSection::Index() const { return m_header.Sections().IndexOf(this); }

void THeaderSection::SetIndex(int value) { m_header.Sections().Move(Index(), value); }

int THeaderSection::Left() const {
    int left = m_header.Offset();
    const THeaderSections& sections = m_header.Sections();
    for (int i = 0; i < sections.Count() && sections.Items(i) != this; ++i) left += sections.Items(i)->Width();
    return left;
}

// ---- THeaderSections ----

THeaderSection* THeaderSections::Items(int index) const {
    if (index < 0 || index >= Count()) throw std::out_of_range("header section index out of range");
    return m_items[static_cast<size_t>(index)].get();
}

THeaderSection* THeaderSections::Add() { return Insert(Count()); }

THeaderSection* THeaderSections::Insert(int index) {
    index = std::clamp(index, 0, Count());
    auto section = std::make_unique<THeaderSection>(m_header);
    THeaderSection* raw = section.get();
    m_items.insert(m_items.begin() + index, std::move(section));
    m_header.SectionsChanged();
    return raw;
}

void THeaderSections::Delete(int index) {
    if (index < 0 || index >= Count()) throw std::out_of_range("header section index out of range");
    m_items.erase(m_items.begin() + index);
    m_header.SectionsChanged();
}

void THeaderSections::Clear() {
    m_items.clear();
    m_header.SectionsChanged();
}

void THeaderSections::Move(int from, int to) {
    if (from < 0 || from >= Count()) return;
    to = std::clamp(to, 0, Count() - 1);
    if (from == to) return;
    auto section = std::move(m_items[static_cast<size_t>(from)]);
    m_items.erase(m_items.begin() + from);
    m_items.insert(m_items.begin() + to, std::move(section));
    m_header.SectionsChanged();
}

int THeaderSections::IndexOf(const THeaderSection* section) const {
    for (int i = 0; i < Count(); ++i)
        if (m_items[static_cast<size_t>(i)].get() == section) return i;
    return -1;
}

std::vector<std::string> THeaderSections::SaveToLines() const {
    std::vector<std::string> lines;
    for (const auto& s : m_items)
        lines.push_back(s->Text() + "," + std::to_string(s->Width()) + "," + std::to_string(s->Alignment()) + "," +
                        std::to_string(s->MinWidth()) + "," + std::to_string(s->MaxWidth()) + "," +
                        std::to_string(s->ImageIndex()));
    return lines;
}

void THeaderSections::LoadFromLines(const std::vector<std::string>& lines) {
    m_items.clear();
    for (const std::string& line : lines) {
        // The text may hold commas; the numbers are the last fields.
        auto parts = core::SplitString(line, ',');
        std::vector<int> numbers;
        while (parts.size() > 1 && numbers.size() < 5) {
            const auto v = core::TryStrToInt(parts.back());
            if (!v) break;
            numbers.insert(numbers.begin(), *v);
            parts.pop_back();
        }
        std::string text = parts.empty() ? std::string() : parts[0];
        for (size_t i = 1; i < parts.size(); ++i) text += "," + parts[i];
        THeaderSection* s = Add();
        s->SetText(text);
        if (numbers.size() >= 4) {
            s->SetMinWidth(numbers[2]);
            s->SetMaxWidth(numbers[3]);
        }
        if (!numbers.empty()) s->SetWidth(numbers[0]);
        if (numbers.size() >= 2 && numbers[1] >= taLeftJustify && numbers[1] <= taCenter)
            s->SetAlignment(static_cast<TAlignment>(numbers[1]));
        if (numbers.size() >= 5) s->SetImageIndex(numbers[4]);
    }
    m_header.SectionsChanged();
}

// ---- THeaderControl ----

THeaderControl::THeaderControl(TComponent* owner) : TCustomControl(owner), m_sections(*this) {
    m_width = 200;
    m_height = 17;
    SetAlign(alTop);
    m_controlStyle |= csOpaque;
    m_controlStyle &= ~csCaptureMouse;  // the header captures only while it tracks
    SetParentColor(false);
    SetColor(gfx::clBtnFace);
}

THeaderControl::~THeaderControl() = default;

void THeaderControl::SectionsChanged() {
    if (m_hotSection >= m_sections.Count()) m_hotSection = -1;
    if (HandleAllocated()) Invalidate();
    if (OnSectionsChange) OnSectionsChange(this);
}

void THeaderControl::SetStyle(THeaderStyle value) {
    m_style = value;
    Invalidate();
}

void THeaderControl::SetOffset(int value) {
    if (value == m_offset) return;
    m_offset = value;
    Invalidate();
}

void THeaderControl::SetImages(TImageListComponent* value) {
    if (m_images) m_images->RemoveFreeNotification(this);
    m_images = value;
    if (value) value->FreeNotification(this);
    Invalidate();
}

void THeaderControl::Notification(TComponent* component, TOperation operation) {
    TCustomControl::Notification(component, operation);
    if (operation == opRemove && component == m_images) m_images = nullptr;
}

TRect THeaderControl::SectionRect(int index) const {
    if (index < 0 || index >= m_sections.Count()) return {};
    const THeaderSection* s = m_sections.Items(index);
    const int left = s->Left();
    return {left, 0, left + s->Width(), ClientHeight()};
}

THeaderHit THeaderControl::HitTest(int x, int y) const {
    if (y < 0 || y >= ClientHeight() || x < 0 || x >= ClientWidth()) return {};
    THeaderHit hit;
    int left = m_offset;
    for (int i = 0; i < m_sections.Count(); ++i) {
        const int right = left + m_sections.Items(i)->Width();
        if (std::abs(x - right) <= kDividerReach) hit = {THeaderHit::Divider, i};
        else if (hit.Kind != THeaderHit::Divider && x >= left && x < right) hit = {THeaderHit::Section, i};
        left = right;
    }
    return hit;
}

void THeaderControl::SetHot(int index) {
    if (index == m_hotSection) return;
    if (m_hotSection >= 0) InvalidateRect(SectionRect(m_hotSection), false);
    m_hotSection = index;
    if (index >= 0) InvalidateRect(SectionRect(index), false);
}

void THeaderControl::CMMouseLeave(TMessage& m) {
    TCustomControl::CMMouseLeave(m);
    if (!m_mouseDown) SetHot(-1);
}

void THeaderControl::DefaultHandler(TMessage& m) {
    switch (m.Msg) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            MousePress(PointFromLParam(m.LParam));
            return;
        case WM_MOUSEMOVE:
            MouseMoveTo(PointFromLParam(m.LParam));
            return;
        case WM_LBUTTONUP:
            MouseRelease(PointFromLParam(m.LParam));
            return;
        case WM_CAPTURECHANGED:
            if (m_mouseDown) {
                m_mouseDown = false;
                m_trackSection = -1;
                m_pressedSection = -1;
                m_reordering = false;
                Invalidate();
            }
            TCustomControl::DefaultHandler(m);
            return;
        default:
            TCustomControl::DefaultHandler(m);
            return;
    }
}

void THeaderControl::MousePress(TPoint pos) {
    const THeaderHit hit = HitTest(pos.X, pos.Y);
    if (hit.Kind == THeaderHit::Nowhere) return;
    m_mouseDown = true;
    SetMouseCapture(true);
    m_pressX = pos.X;
    if (hit.Kind == THeaderHit::Divider) {
        THeaderSection* s = m_sections.Items(hit.Index);
        m_trackSection = hit.Index;
        m_trackStartX = pos.X;
        m_trackStartWidth = s->Width();
        if (OnSectionTrack) OnSectionTrack(this, s, s->Width(), tsTrackBegin);
        return;
    }
    if (m_style == hsButtons && m_sections.Items(hit.Index)->AllowClick()) {
        m_pressedSection = hit.Index;
        InvalidateRect(SectionRect(hit.Index), false);
    } else if (m_dragReorder) {
        m_pressedSection = hit.Index;
    }
}

void THeaderControl::MouseMoveTo(TPoint pos) {
    if (m_trackSection >= 0) {
        THeaderSection* s = m_sections.Items(m_trackSection);
        const int before = s->Width();
        s->SetWidth(m_trackStartWidth + pos.X - m_trackStartX);
        if (s->Width() != before && OnSectionTrack) OnSectionTrack(this, s, s->Width(), tsTrackMove);
        return;
    }
    if (m_mouseDown && m_pressedSection >= 0 && m_dragReorder && !m_reordering &&
        std::abs(pos.X - m_pressX) >= kDragThreshold) {
        m_reordering = true;
        Invalidate();
    }
    const THeaderHit hit = HitTest(pos.X, pos.Y);
    SetCursor(hit.Kind == THeaderHit::Divider && !m_mouseDown ? crHSplit : crDefault);
    if (!m_reordering) SetHot(hit.Kind == THeaderHit::Section ? hit.Index : -1);
}

void THeaderControl::MouseRelease(TPoint pos) {
    if (!m_mouseDown) return;
    const auto alive = WeakRef();
    m_mouseDown = false;
    SetMouseCapture(false);
    if (m_trackSection >= 0) {
        THeaderSection* s = m_sections.Items(m_trackSection);
        m_trackSection = -1;
        if (OnSectionTrack) OnSectionTrack(this, s, s->Width(), tsTrackEnd);
        if (alive && s->Width() != m_trackStartWidth && OnSectionResize) OnSectionResize(this, s);
        return;
    }
    const int pressed = m_pressedSection;
    m_pressedSection = -1;
    const THeaderHit hit = HitTest(std::clamp(pos.X, 0, std::max(0, ClientWidth() - 1)), 0);
    if (m_reordering) {
        m_reordering = false;
        Invalidate();
        if (pressed >= 0 && hit.Index >= 0 && hit.Index != pressed) {
            bool allow = true;
            if (OnSectionDrag) OnSectionDrag(this, m_sections.Items(pressed), m_sections.Items(hit.Index), allow);
            if (alive && allow) m_sections.Move(pressed, hit.Index);
        }
        if (alive && OnSectionEndDrag) OnSectionEndDrag(this);
        return;
    }
    Invalidate();
    const THeaderHit under = HitTest(pos.X, pos.Y);
    if (pressed >= 0 && under.Kind == THeaderHit::Section && under.Index == pressed)
        SectionClick(m_sections.Items(pressed));
}

void THeaderControl::SectionClick(THeaderSection* section) {
    if (OnSectionClick) OnSectionClick(this, section);
}

// ---- Painting ----

void THeaderControl::DrawSectionContent(gfx::TCanvas& canvas, const THeaderSection& section, const TRect& area) {
    canvas.Brush.Style = gfx::TBrushStyle::bsClear;
    int imageWidth = 0;
    const bool hasImage = m_images && section.ImageIndex() >= 0 && section.ImageIndex() < m_images->Count();
    if (hasImage) imageWidth = m_images->Width() + 4;
    std::string text = section.Text();
    const int room = std::max(0, area.Width() - imageWidth - 4);
    // Shorten with an ellipsis when the caption does not fit.
    if (canvas.TextWidth(text) > room) {
        while (!text.empty() && canvas.TextWidth(text + "...") > room) core::Utf8PopBack(text);
        text += "...";
    }
    const int textWidth = canvas.TextWidth(text);
    const int contentWidth = imageWidth + textWidth;
    int x = area.Left + 4;
    if (section.Alignment() == taRightJustify) x = area.Right - 4 - contentWidth;
    else if (section.Alignment() == taCenter) x = area.Left + (area.Width() - contentWidth) / 2;
    x = std::max(x, area.Left + 2);
    if (hasImage) {
        m_images->Draw(canvas, x, area.Top + (area.Height() - m_images->Height()) / 2, section.ImageIndex());
        x += imageWidth;
    }
    const int textHeight = canvas.TextHeight("Ag");
    canvas.TextRect(area, x, area.Top + (area.Height() - textHeight) / 2, text);
}

void THeaderControl::DrawSection(gfx::TCanvas& canvas, int index, const TRect& rect, bool pressed, bool hot) {
    const THeaderSection& section = *m_sections.Items(index);
    canvas.Brush = gfx::TBrush{Color(), gfx::TBrushStyle::bsSolid};
    canvas.FillRect(rect);
    TRect frame = rect;
    if (pressed)
        canvas.Frame3D(frame, gfx::clBtnShadow, gfx::clBtnShadow);
    else if (m_style == hsButtons || hot)
        canvas.Frame3D(frame, gfx::clBtnHighlight, gfx::clBtnShadow);
    if (section.Style() == hsOwnerDraw && OnDrawSection) {
        OnDrawSection(this, m_sections.Items(index), rect, pressed);
        return;
    }
    canvas.Font = Font();
    TRect area{rect.Left + 2, rect.Top + 2, rect.Right - 2, rect.Bottom - 2};
    if (pressed) area = {area.Left + 1, area.Top + 1, area.Right + 1, area.Bottom + 1};
    DrawSectionContent(canvas, section, area);
}

void THeaderControl::DrawRest(gfx::TCanvas& canvas, const TRect& rect) {
    canvas.Brush = gfx::TBrush{Color(), gfx::TBrushStyle::bsSolid};
    canvas.FillRect(rect);
    if (m_style == hsButtons) {
        TRect frame = rect;
        canvas.Frame3D(frame, gfx::clBtnHighlight, gfx::clBtnShadow);
    }
}

void THeaderControl::Paint() {
    gfx::TCanvas& canvas = Canvas();
    const TRect client = ClientRect();
    int right = m_offset;
    for (int i = 0; i < m_sections.Count(); ++i) {
        const TRect r = SectionRect(i);
        right = r.Right;
        if (r.Right <= 0 || r.Left >= client.Right || r.IsEmpty()) continue;
        const bool pressed = i == m_pressedSection && m_mouseDown && !m_reordering && m_style == hsButtons;
        DrawSection(canvas, i, r, pressed, m_hotTrack && i == m_hotSection && !m_mouseDown);
    }
    if (right < client.Right) DrawRest(canvas, {std::max(0, right), 0, client.Right, client.Bottom});
}

}  // namespace platform::forms
