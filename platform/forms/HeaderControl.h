#pragma once
// The framework's header control: a row of sections (the column titles of a report list, say)
// that can be clicked, resized by dragging the divider at a section's right edge, and reordered
// by dragging a section. Sections may be drawn by the owner. Its own hit test tells a divider
// from a section, so wrappers that draw the header themselves ask it.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/forms/CustomControl.h"
#include "platform/forms/ImageListComponent.h"

namespace platform::forms {

class THeaderControl;

enum THeaderSectionStyle : uint8_t { hsText, hsOwnerDraw };
enum THeaderStyle : uint8_t { hsButtons, hsFlat };

class THeaderSection {
public:
    explicit THeaderSection(THeaderControl& header) : m_header(header) {}

    [[nodiscard]] const std::string& Text() const { return m_text; }
    void SetText(std::string value);
    [[nodiscard]] int Width() const { return m_width; }
    // Kept within MinWidth and MaxWidth (0: no upper limit).
    void SetWidth(int value);
    [[nodiscard]] int MinWidth() const { return m_minWidth; }
    void SetMinWidth(int value);
    [[nodiscard]] int MaxWidth() const { return m_maxWidth; }
    void SetMaxWidth(int value);
    [[nodiscard]] TAlignment Alignment() const { return m_alignment; }
    void SetAlignment(TAlignment value);
    [[nodiscard]] int ImageIndex() const { return m_imageIndex; }
    void SetImageIndex(int value);
    [[nodiscard]] THeaderSectionStyle Style() const { return m_style; }
    void SetStyle(THeaderSectionStyle value);
    [[nodiscard]] bool AllowClick() const { return m_allowClick; }
    void SetAllowClick(bool value) { m_allowClick = value; }
    // Position in the header (left to right).
    [[nodiscard]] int Index() const;
    void SetIndex(int value);
    [[nodiscard]] int Left() const;
    [[nodiscard]] int Right() const { return Left() + m_width; }

private:
    void Changed();
    THeaderControl& m_header;
    std::string m_text;
    int m_width = 50;
    int m_minWidth = 0;
    int m_maxWidth = 10000;
    TAlignment m_alignment = taLeftJustify;
    int m_imageIndex = -1;
    THeaderSectionStyle m_style = hsText;
    bool m_allowClick = true;
};

class THeaderSections {
public:
    explicit THeaderSections(THeaderControl& header) : m_header(header) {}
    [[nodiscard]] int Count() const { return static_cast<int>(m_items.size()); }
    [[nodiscard]] THeaderSection* Items(int index) const;
    THeaderSection* Add();
    THeaderSection* Insert(int index);
    void Delete(int index);
    void Clear();
    // Moves a section to another position.
    void Move(int from, int to);
    [[nodiscard]] int IndexOf(const THeaderSection* section) const;

    // Sections as "text,width[,alignment[,min,max[,image]]]" lines, for form resources.
    [[nodiscard]] std::vector<std::string> SaveToLines() const;
    void LoadFromLines(const std::vector<std::string>& lines);

private:
    THeaderControl& m_header;
    std::vector<std::unique_ptr<THeaderSection>> m_items;
};

// What a point in the header is on.
struct THeaderHit {
    enum TKind : uint8_t { Nowhere, Section, Divider } Kind = Nowhere;
    int Index = -1;  // the section (for a divider: the section whose right edge it is)
    friend bool operator==(const THeaderHit&, const THeaderHit&) = default;
};

enum TSectionTrackState : uint8_t { tsTrackBegin, tsTrackMove, tsTrackEnd };

using TSectionNotifyEvent = std::function<void(TComponent* header, THeaderSection* section)>;
using TSectionTrackEvent =
    std::function<void(TComponent* header, THeaderSection* section, int width, TSectionTrackState state)>;
using TSectionDragEvent =
    std::function<void(TComponent* header, THeaderSection* fromSection, THeaderSection* toSection, bool& allowDrag)>;
using TDrawSectionEvent =
    std::function<void(TComponent* header, THeaderSection* section, const TRect& rect, bool pressed)>;

class THeaderControl : public TCustomControl {
public:
    explicit THeaderControl(TComponent* owner);
    ~THeaderControl() override;

    [[nodiscard]] THeaderSections& Sections() { return m_sections; }
    [[nodiscard]] const THeaderSections& Sections() const { return m_sections; }
    [[nodiscard]] THeaderStyle Style() const { return m_style; }
    void SetStyle(THeaderStyle value);
    [[nodiscard]] bool HotTrack() const { return m_hotTrack; }
    void SetHotTrack(bool value) { m_hotTrack = value; }
    [[nodiscard]] bool DragReorder() const { return m_dragReorder; }
    void SetDragReorder(bool value) { m_dragReorder = value; }
    [[nodiscard]] TImageListComponent* Images() const { return m_images; }
    void SetImages(TImageListComponent* value);
    // Where the sections start: a list view scrolled sideways moves its header's sections.
    [[nodiscard]] int Offset() const { return m_offset; }
    void SetOffset(int value);

    // Dividers take the 3 pixels either side of a section's right edge (a zero-width section's
    // divider wins over the section after it, so it can be dragged open again).
    [[nodiscard]] THeaderHit HitTest(int x, int y) const;
    [[nodiscard]] TRect SectionRect(int index) const;

    // Mouse state, for wrappers that draw the sections themselves.
    [[nodiscard]] int HotSection() const { return m_hotSection; }
    [[nodiscard]] int PressedSection() const { return m_pressedSection; }
    [[nodiscard]] bool Tracking() const { return m_trackSection >= 0; }
    [[nodiscard]] bool DragReordering() const { return m_reordering; }

    TSectionNotifyEvent OnSectionClick;
    TSectionNotifyEvent OnSectionResize;
    TSectionTrackEvent OnSectionTrack;
    TSectionDragEvent OnSectionDrag;
    TNotifyEvent OnSectionEndDrag;
    TDrawSectionEvent OnDrawSection;
    // After any change to the sections (count, order, widths, texts).
    TNotifyEvent OnSectionsChange;

protected:
    friend class THeaderSection;
    friend class THeaderSections;
    void SectionsChanged();
    void Paint() override;
    void DefaultHandler(TMessage& message) override;
    void Notification(TComponent* component, TOperation operation) override;
    void CMMouseLeave(TMessage& message) override;
    // Draws one section (rect in client coordinates).
    virtual void DrawSection(gfx::TCanvas& canvas, int index, const TRect& rect, bool pressed, bool hot);
    // Fills the area right of the last section.
    virtual void DrawRest(gfx::TCanvas& canvas, const TRect& rect);
    // A click on a section (fires OnSectionClick).
    virtual void SectionClick(THeaderSection* section);
    // Draws a section's image and caption in a text area, aligned by its alignment.
    void DrawSectionContent(gfx::TCanvas& canvas, const THeaderSection& section, const TRect& textArea);

private:
    void MousePress(TPoint pos);
    void MouseMoveTo(TPoint pos);
    void MouseRelease(TPoint pos);
    void SetHot(int index);

    THeaderSections m_sections;
    THeaderStyle m_style = hsButtons;
    bool m_hotTrack = false;
    bool m_dragReorder = false;
    TImageListComponent* m_images = nullptr;
    int m_offset = 0;
    int m_hotSection = -1;
    int m_pressedSection = -1;
    int m_trackSection = -1;  // the section whose divider is dragged
    int m_trackStartX = 0;
    int m_trackStartWidth = 0;
    int m_pressX = 0;
    bool m_reordering = false;
    bool m_mouseDown = false;
};

}  // namespace platform::forms
