#pragma once
// The skinned list box: a skinned frame (TbsSkinCustomListBox) with an optional caption bar and
// three caption buttons, around an inner list (TbsListBox) whose items it paints from its
// record, and skinned scroll bars that exist only while the items do not fit.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/forms/ImageListComponent.h"
#include "platform/forms/ListBox.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Font.h"
#include "skin/controls/bsSkinCtrlsCustom.h"
#include "skin/controls/bsSkinCtrlsScrollBar.h"

namespace skin {

class TbsSkinCustomListBox;

// Owner drawing of an item's (or of the combo box's closed item's) content: the canvas of the
// item's off-screen bitmap, the item index, the bitmap's size, the text rectangle inside it and
// the owner-draw state.
using TbsDrawSkinItemEvent =
    std::function<void(platform::gfx::TCanvas& canvas, int index, int itemWidth, int itemHeight,
                       const TRect& textRect, platform::forms::TOwnerDrawState state)>;

// The inner list: the platform list box, owner-drawn with fixed-height rows, painted item by item
// by its skin list box. Its mouse, key, click and focus notifications reach the skin list box
// before the list handles them itself.
class TbsListBox : public platform::forms::TCustomListBox {
public:
    TbsListBox(platform::forms::TComponent* owner, TbsSkinCustomListBox* skinListBox);

    [[nodiscard]] TbsSkinCustomListBox* SkinListBox() const { return m_skinListBox; }
    // Pixels by which item pictures and texts are shifted left (horizontal scrolling).
    [[nodiscard]] int HorizontalOffset() const { return m_horizontalOffset; }
    void SetHorizontalOffset(int value);
    // The owner-draw state the list paints an item with.
    [[nodiscard]] platform::forms::TOwnerDrawState StateOf(int index) const { return ItemState(index); }
    // The skin list box is going away: the list stops reporting to it.
    void DetachSkinListBox() { m_skinListBox = nullptr; }
    void Click() override;

protected:
    void Paint() override;
    void DrawItem(int index, const TRect& rect, platform::forms::TOwnerDrawState state) override;
    void ItemsChanged() override;
    void WndProc(platform::forms::TMessage& message) override;
    void WMEraseBkgnd(platform::forms::TMessage& message) override;
    void WMSize(platform::forms::TMessage& message) override;
    void MouseDown(platform::forms::TMouseButton button, platform::forms::TShiftState shift, int x,
                   int y) override;
    void MouseMove(platform::forms::TShiftState shift, int x, int y) override;
    void MouseUp(platform::forms::TMouseButton button, platform::forms::TShiftState shift, int x,
                 int y) override;
    void KeyDown(uint16_t& key, platform::forms::TShiftState shift) override;
    void KeyPress(char32_t& key) override;
    void KeyUp(uint16_t& key, platform::forms::TShiftState shift) override;
    void DblClick() override;
    void DoEnter() override;
    void DoExit() override;

private:
    TbsSkinCustomListBox* m_skinListBox;
    int m_horizontalOffset = 0;
    int m_lastWidth = 0;
};

class TbsSkinCustomListBox : public TbsSkinCustomControl {
public:
    static constexpr int kUpButton = 0, kDownButton = 1, kCheckButton = 2;
    static constexpr uintptr_t kRepeatTimer = 1;

    struct TCaptionButton {
        TRect Rect;
        bool PointerOver = false;
        bool Down = false;
    };

    explicit TbsSkinCustomListBox(platform::forms::TComponent* owner);
    ~TbsSkinCustomListBox() override;

    // ---- Items ----
    [[nodiscard]] platform::forms::TListBoxStrings& Items() { return m_list->Items(); }
    [[nodiscard]] const platform::forms::TListBoxStrings& Items() const { return m_list->Items(); }
    void SetItems(const std::vector<std::string>& items);
    [[nodiscard]] int ItemIndex() const { return m_list->ItemIndex(); }
    void SetItemIndex(int value) { m_list->SetItemIndex(value); }
    [[nodiscard]] int TopIndex() const { return m_list->TopIndex(); }
    void SetTopIndex(int value) { m_list->SetTopIndex(value); }

    // ---- Published ----
    [[nodiscard]] bool UseSkinItemHeight() const { return m_useSkinItemHeight; }
    void SetUseSkinItemHeight(bool value);
    [[nodiscard]] int DefaultItemHeight() const { return m_defaultItemHeight; }
    void SetDefaultItemHeight(int value);
    // When not 0, the height shows exactly this many rows.
    [[nodiscard]] int RowCount() const { return m_rowCount; }
    void SetRowCount(int value);
    [[nodiscard]] bool HorizontalExtent() const { return m_horizontalExtent; }
    void SetHorizontalExtent(bool value);
    [[nodiscard]] int Columns() const { return m_list->Columns(); }
    void SetColumns(int value);
    [[nodiscard]] platform::forms::TImageListComponent* Images() const { return m_images; }
    void SetImages(platform::forms::TImageListComponent* value);
    // -1: item i shows picture i; otherwise every item shows this picture.
    [[nodiscard]] int ImageIndex() const { return m_imageIndex; }
    void SetImageIndex(int value);
    [[nodiscard]] bool CaptionMode() const { return m_captionMode; }
    void SetCaptionMode(bool value);
    [[nodiscard]] platform::forms::TAlignment Alignment() const { return m_alignment; }
    void SetAlignment(platform::forms::TAlignment value);
    [[nodiscard]] int DefaultCaptionHeight() const { return m_defaultCaptionHeight; }
    void SetDefaultCaptionHeight(int value);
    [[nodiscard]] platform::gfx::TFont& DefaultCaptionFont() { return *m_defaultCaptionFont; }
    void SetDefaultCaptionFont(const platform::gfx::TFont& value);
    [[nodiscard]] const platform::gfx::TBitmap& Glyph() const { return m_glyph; }
    void SetGlyph(const platform::gfx::TBitmap& value);
    [[nodiscard]] int NumGlyphs() const { return m_numGlyphs; }
    void SetNumGlyphs(int value);
    [[nodiscard]] int Spacing() const { return m_spacing; }
    void SetSpacing(int value);
    // Passed through to the inner list.
    [[nodiscard]] bool MultiSelect() const { return m_list->MultiSelect(); }
    void SetMultiSelect(bool value) { m_list->SetMultiSelect(value); }
    [[nodiscard]] bool ExtandedSelect() const { return m_list->ExtendedSelect(); }
    void SetExtandedSelect(bool value) { m_list->SetExtendedSelect(value); }
    [[nodiscard]] bool Sorted() const { return m_list->Sorted(); }
    void SetSorted(bool value);
    [[nodiscard]] platform::gfx::TFont& ListBoxFont() { return m_list->Font(); }
    void SetListBoxFont(const platform::gfx::TFont& value) { m_list->SetFont(value); }
    [[nodiscard]] int ListBoxTabOrder() const { return m_list->TabOrder(); }
    void SetListBoxTabOrder(int value) { m_list->SetTabOrder(value); }
    [[nodiscard]] bool ListBoxTabStop() const { return m_list->TabStop(); }
    void SetListBoxTabStop(bool value) { m_list->SetTabStop(value); }
    [[nodiscard]] platform::forms::TPopupMenu* ListBoxPopupMenu() const { return m_list->PopupMenu(); }
    void SetListBoxPopupMenu(platform::forms::TPopupMenu* value) { m_list->SetPopupMenu(value); }
    [[nodiscard]] platform::forms::TDragMode ListBoxDragMode() const { return m_list->DragMode(); }
    void SetListBoxDragMode(platform::forms::TDragMode value) { m_list->SetDragMode(value); }
    [[nodiscard]] platform::forms::TDragKind ListBoxDragKind() const { return m_list->DragKind(); }
    void SetListBoxDragKind(platform::forms::TDragKind value) { m_list->SetDragKind(value); }
    [[nodiscard]] platform::forms::TCursor ListBoxDragCursor() const { return m_list->DragCursor(); }
    void SetListBoxDragCursor(platform::forms::TCursor value) { m_list->SetDragCursor(value); }
    // The inner list's own drag events, held there (sender and source are inner lists; a
    // handler finds the skin list box through TbsListBox::SkinListBox).
    [[nodiscard]] platform::forms::TDragDropEvent& OnListBoxDragDrop() { return m_list->OnDragDrop; }
    [[nodiscard]] platform::forms::TDragOverEvent& OnListBoxDragOver() { return m_list->OnDragOver; }
    [[nodiscard]] platform::forms::TStartDragEvent& OnListBoxStartDrag() { return m_list->OnStartDrag; }
    [[nodiscard]] platform::forms::TEndDragEvent& OnListBoxEndDrag() { return m_list->OnEndDrag; }

    TbsDrawSkinItemEvent OnDrawItem;
    platform::forms::TNotifyEvent OnUpButtonClick;
    platform::forms::TNotifyEvent OnDownButtonClick;
    platform::forms::TNotifyEvent OnCheckButtonClick;
    platform::forms::TNotifyEvent OnListBoxClick;
    platform::forms::TNotifyEvent OnListBoxDblClick;
    platform::forms::TMouseEvent OnListBoxMouseDown;
    platform::forms::TMouseMoveEvent OnListBoxMouseMove;
    platform::forms::TMouseEvent OnListBoxMouseUp;
    platform::forms::TKeyEvent OnListBoxKeyDown;
    platform::forms::TKeyPressEvent OnListBoxKeyPress;
    platform::forms::TKeyEvent OnListBoxKeyUp;

    // ---- Parts ----
    [[nodiscard]] TbsListBox* ListBox() const { return m_list; }
    [[nodiscard]] TbsSkinScrollBar* VScrollBar() const { return m_vScrollBar; }
    [[nodiscard]] TbsSkinScrollBar* HScrollBar() const { return m_hScrollBar; }
    [[nodiscard]] const TRect& ListClientRect() const { return m_listClientRect; }
    [[nodiscard]] const TRect& ListRect() const { return m_listRect; }
    [[nodiscard]] const TCaptionButton& CaptionButton(int index) const { return m_buttons[index]; }
    [[nodiscard]] int PressedButton() const { return m_pressedButton; }
    [[nodiscard]] int ItemHeight() const { return m_list->ItemHeight(); }

    // The height that shows n rows (frame, caption and horizontal bar included).
    [[nodiscard]] int RowHeightFor(int n) const;
    // Places the scroll bars and the inner list in the frame.
    void LayoutList();
    // Makes the scroll bars follow the items and the inner list's scroll position.
    void UpdateScrollBars();

    void ApplySkin() override;
    // Forgets the scroll bars' records too.
    void ForgetRecord() override;
    void SetBounds(int left, int top, int width, int height) override;

    // ---- Painting of the inner list (also used by the combo box's drop-down list) ----
    // Fills part of the inner list like its background.
    void FillListBackground(platform::gfx::TCanvas& canvas, const TRect& area);
    // Paints every visible item and the background under the last one.
    void PaintListItems(platform::gfx::TCanvas& canvas, const TRect& clip);
    // Paints one item with the painter the record and UseSkinItemHeight call for.
    void DrawListItem(platform::gfx::TCanvas& canvas, int index, const TRect& rect,
                      platform::forms::TOwnerDrawState state);

    // Copies of the list-box record (fallbacks applied).
    std::string fontname = "Arial";
    platform::gfx::TFontStyles fontstyle = 0;
    int fontheight = 14;
    TRect itemrect, activeitemrect, focusitemrect;
    int itemleftoffset = 0, itemrightoffset = 0;
    TRect itemtextrect;
    TColor fontcolor = 0, activefontcolor = 0, focusfontcolor = 0;
    TRect captionrect;
    std::string captionfontname = "Arial";
    platform::gfx::TFontStyles captionfontstyle = 0;
    int captionfontheight = 14;
    TColor captionfontcolor = 0;
    TRect upbuttonrect, activeupbuttonrect, downupbuttonrect;
    TRect downbuttonrect, activedownbuttonrect, downdownbuttonrect;
    TRect checkbuttonrect, activecheckbuttonrect, downcheckbuttonrect;
    std::string vscrollbarname = "vscrollbar";
    std::string hscrollbarname = "hscrollbar";
    std::string bothhscrollbarname = "bothhscrollbar";

protected:
    friend class TbsListBox;

    void LookUpRecord() override;
    void DrawDefaultImage(platform::gfx::TBitmap& bitmap) override;
    void DrawSkinImage(platform::gfx::TBitmap& bitmap) override;
    void Notification(platform::forms::TComponent* component, platform::forms::TOperation operation) override;
    void WndProc(platform::forms::TMessage& message) override;
    void MouseDown(platform::forms::TMouseButton button, platform::forms::TShiftState shift, int x,
                   int y) override;
    void MouseMove(platform::forms::TShiftState shift, int x, int y) override;
    void MouseUp(platform::forms::TMouseButton button, platform::forms::TShiftState shift, int x,
                 int y) override;
    void CMMouseEnter(platform::forms::TMessage& message) override;
    void CMMouseLeave(platform::forms::TMessage& message) override;
    void CMTextChanged(platform::forms::TMessage& message) override;

    // Every message of the inner list passes here first; false vetoes it.
    virtual bool ListBoxMessage(platform::forms::TMessage& message);
    // Forwarded notifications of the inner list (each fires the matching OnListBox... event).
    virtual void ListBoxMouseDown(platform::forms::TMouseButton button, platform::forms::TShiftState shift,
                                  int x, int y);
    virtual void ListBoxMouseMove(platform::forms::TShiftState shift, int x, int y);
    virtual void ListBoxMouseUp(platform::forms::TMouseButton button, platform::forms::TShiftState shift,
                                int x, int y);
    virtual void ListBoxKeyDown(uint16_t& key, platform::forms::TShiftState shift);
    virtual void ListBoxKeyPress(char32_t& key);
    virtual void ListBoxKeyUp(uint16_t& key, platform::forms::TShiftState shift);
    virtual void ListBoxClick();
    virtual void ListBoxDblClick();
    virtual void ListBoxEnter() {}
    virtual void ListBoxExit() {}
    // The wheel over the inner list; true when it was used.
    bool ListBoxWheel(int delta);

    // The caption buttons' rectangles for the current size and look.
    void CalcCaptionButtons();
    [[nodiscard]] bool CaptionButtonsActive() const;
    [[nodiscard]] int CaptionHeightCap() const { return m_captionMode ? m_defaultCaptionHeight : 1; }

    TbsListBox* m_list = nullptr;
    TbsSkinScrollBar* m_vScrollBar = nullptr;
    TbsSkinScrollBar* m_hScrollBar = nullptr;

private:
    void RebindScrollBars();
    void CreateVScrollBar();
    void CreateHScrollBar();
    void RemoveVScrollBar();
    void RemoveHScrollBar();
    void VScrollBarChanged();
    void HScrollBarChanged();
    [[nodiscard]] platform::gfx::TFont ItemFont() const;
    [[nodiscard]] int WidestItemText() const;

    // Item painters.
    void DrawItemDefault(platform::gfx::TBitmap& bitmap, int index, platform::forms::TOwnerDrawState state);
    void DrawItemSkin(platform::gfx::TBitmap& bitmap, int index, platform::forms::TOwnerDrawState state);
    void DrawItemStretched(platform::gfx::TBitmap& bitmap, int index, int height,
                           platform::forms::TOwnerDrawState state);
    void DrawItemContent(platform::gfx::TCanvas& canvas, int index, int width, int height,
                         const TRect& textRect, platform::forms::TOwnerDrawState state);
    void ComposeItemBackground(platform::gfx::TBitmap& bitmap, const TRect& source, int width);
    void TileClientPicture(platform::gfx::TCanvas& canvas, int x, int y, int w, int h);

    // Caption.
    void DrawCaption(platform::gfx::TCanvas& canvas, const TRect& area, const platform::gfx::TFont& font,
                     bool skin);
    void DrawCaptionButton(platform::gfx::TCanvas& canvas, int index);
    void RepaintCaptionButton(int index);
    void CaptionHitTest(int x, int y);
    void EnterCaptionButton(int index);
    void LeaveCaptionButton(int index);
    void CaptionButtonAction(int index);
    void StepItemIndex(int delta);
    void StartTimer(uint32_t interval);
    void StopTimer();
    void TimerTick();

    bool m_useSkinItemHeight = true;
    int m_defaultItemHeight = 20;
    int m_rowCount = 0;
    bool m_horizontalExtent = false;
    platform::forms::TImageListComponent* m_images = nullptr;
    int m_imageIndex = -1;
    bool m_captionMode = false;
    platform::forms::TAlignment m_alignment = platform::forms::taLeftJustify;
    int m_defaultCaptionHeight = 20;
    std::unique_ptr<platform::gfx::TFont> m_defaultCaptionFont;
    platform::gfx::TBitmap m_glyph;
    int m_numGlyphs = 1;
    int m_spacing = 2;

    TRect m_listClientRect;
    TRect m_listRect;
    TRect m_captionArea;
    TCaptionButton m_buttons[3];
    int m_hotButton = -1;
    int m_previousHotButton = -1;
    int m_pressedButton = -1;
    int m_repeatMode = 0;
    bool m_firstDelay = false;
    bool m_applying = false;
};

class TbsSkinListBox : public TbsSkinCustomListBox {
public:
    explicit TbsSkinListBox(platform::forms::TComponent* owner) : TbsSkinCustomListBox(owner) {}
};

}  // namespace skin
