#pragma once
// TbsSkinComboBox: a skinned drop-down chooser. The closed box shows the selected item and a drop
// button; the drop-down list is a TbsPopupListBox that never takes the focus, so the combo box
// keeps the keyboard while the list is open (arrow keys, typed searches, Enter and Escape).
//
// In the edit style a TbsCustomEdit covers the item area; its text and the list's selection
// follow each other (bsSkinBoxCtrlsComboBoxEdit.cpp).

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/forms/ControlMessages.h"
#include "skin/boxes/bsSkinBoxCtrlsEdit.h"
#include "skin/boxes/bsSkinBoxCtrlsListBox.h"
#include "skin/boxes/bsSkinBoxCtrlsPopupList.h"

namespace skin {

enum TbsSkinCustomComboBoxStyle : uint8_t { bscbEditStyle, bscbFixedStyle };

class TbsSkinCustomComboBox : public TbsSkinCustomControl {
public:
    static constexpr uint32_t kSearchWindow = 500;  // ms between typed characters of one search

    explicit TbsSkinCustomComboBox(platform::forms::TComponent* owner);
    ~TbsSkinCustomComboBox() override;

    // ---- Published ----
    [[nodiscard]] TbsSkinCustomComboBoxStyle Style() const { return m_style; }
    void SetStyle(TbsSkinCustomComboBoxStyle value);
    [[nodiscard]] platform::forms::TListBoxStrings& Items() { return m_list->Items(); }
    [[nodiscard]] const platform::forms::TListBoxStrings& Items() const { return m_list->Items(); }
    void SetItems(const std::vector<std::string>& items) { m_list->SetItems(items); }
    [[nodiscard]] int ItemIndex() const { return m_list->ItemIndex(); }
    // Selects the item, takes its text (OnChange when the text changes) and fires OnClick
    // (except while the form is being read). -1 clears the selection and keeps the text.
    void SetItemIndex(int value);
    [[nodiscard]] int DropDownCount() const { return m_dropDownCount; }
    // Values of 0 and below are ignored.
    void SetDropDownCount(int value);
    [[nodiscard]] bool AutoComplete() const { return m_autoComplete; }
    void SetAutoComplete(bool value) { m_autoComplete = value; }
    [[nodiscard]] bool AlphaBlend() const { return m_alphaBlend; }
    void SetAlphaBlend(bool value) { m_alphaBlend = value; }
    [[nodiscard]] uint8_t AlphaBlendValue() const { return m_alphaBlendValue; }
    void SetAlphaBlendValue(uint8_t value) { m_alphaBlendValue = value; }
    [[nodiscard]] bool AlphaBlendAnimation() const { return m_alphaBlendAnimation; }
    void SetAlphaBlendAnimation(bool value) { m_alphaBlendAnimation = value; }
    [[nodiscard]] platform::forms::TImageListComponent* Images() const { return m_list->Images(); }
    void SetImages(platform::forms::TImageListComponent* value);
    [[nodiscard]] int ImageIndex() const { return m_list->ImageIndex(); }
    void SetImageIndex(int value);
    // Passed through to the drop-down list.
    [[nodiscard]] bool ListBoxUseSkinFont() const { return m_list->UseSkinFont(); }
    void SetListBoxUseSkinFont(bool value) { m_list->SetUseSkinFont(value); }
    [[nodiscard]] bool ListBoxUseSkinItemHeight() const { return m_list->UseSkinItemHeight(); }
    void SetListBoxUseSkinItemHeight(bool value) { m_list->SetUseSkinItemHeight(value); }
    [[nodiscard]] platform::gfx::TFont& ListBoxDefaultFont() { return m_list->DefaultFont(); }
    void SetListBoxDefaultFont(const platform::gfx::TFont& value) { m_list->SetDefaultFont(value); }
    [[nodiscard]] platform::gfx::TFont& ListBoxDefaultCaptionFont() { return m_list->DefaultCaptionFont(); }
    void SetListBoxDefaultCaptionFont(const platform::gfx::TFont& value) {
        m_list->SetDefaultCaptionFont(value);
    }
    [[nodiscard]] int ListBoxDefaultItemHeight() const { return m_list->DefaultItemHeight(); }
    void SetListBoxDefaultItemHeight(int value) { m_list->SetDefaultItemHeight(value); }
    [[nodiscard]] bool ListBoxCaptionMode() const { return m_list->CaptionMode(); }
    void SetListBoxCaptionMode(bool value) { m_list->SetCaptionMode(value); }
    [[nodiscard]] const std::string& ListBoxCaption() const { return m_list->Caption(); }
    void SetListBoxCaption(const std::string& value) { m_list->SetCaption(value); }
    [[nodiscard]] platform::forms::TAlignment ListBoxCaptionAlignment() const { return m_list->Alignment(); }
    void SetListBoxCaptionAlignment(platform::forms::TAlignment value) { m_list->SetAlignment(value); }
    [[nodiscard]] bool HorizontalExtent() const { return m_list->HorizontalExtent(); }
    void SetHorizontalExtent(bool value) { m_list->SetHorizontalExtent(value); }
    [[nodiscard]] bool Sorted() const { return m_list->Sorted(); }
    void SetSorted(bool value) { m_list->SetSorted(value); }
    // Owner drawing of the drop-down list's items (the list's OnDrawItem).
    [[nodiscard]] const TbsDrawSkinItemEvent& OnListBoxDrawItem() const { return m_list->OnDrawItem; }
    void SetOnListBoxDrawItem(TbsDrawSkinItemEvent value) { m_list->OnDrawItem = std::move(value); }

    platform::forms::TNotifyEvent OnChange;    // the text changed
    platform::forms::TNotifyEvent OnDropDown;  // the list is about to open
    platform::forms::TNotifyEvent OnCloseUp;   // the list closed with the choice accepted
    TbsDrawSkinItemEvent OnComboBoxDrawItem;   // owner drawing of the closed box's item

    // ---- The list ----
    // Opens the list below the box (above it where the work area ends); nothing for an empty list.
    void DropDown();
    // Closes an open list; accept takes the list's selection, otherwise the selection returns to
    // the item saved at drop-down.
    void CloseUp(bool accept);
    [[nodiscard]] bool DroppedDown() const { return m_list->Visible(); }
    [[nodiscard]] TbsPopupListBox* ListBox() const { return m_list; }
    // The edit of the edit style, or null.
    [[nodiscard]] TbsCustomEdit* Edit() const { return m_edit; }

    // ---- State (for inspection) ----
    [[nodiscard]] const TRect& DropButtonArea() const { return m_dropButtonArea; }
    [[nodiscard]] const TRect& ItemArea() const { return m_itemArea; }
    [[nodiscard]] bool ButtonActive() const { return m_buttonActive; }
    [[nodiscard]] bool ButtonPressed() const { return m_buttonPressed; }
    [[nodiscard]] int SavedItemIndex() const { return m_savedItemIndex; }
    [[nodiscard]] const std::string& SearchText() const { return m_searchText; }

    void ApplySkin() override;
    // Forgets the drop-down list's record too: the list is no child of the form.
    void ForgetRecord() override;
    void SetBounds(int left, int top, int width, int height) override;

    // Copies of the combo-box record (an empty focusitemrect already replaced by itemrect).
    TRect itemrect, focusitemrect;
    int itemleftoffset = 0, itemrightoffset = 0;
    TRect itemtextrect;
    std::string fontname = "Arial";
    platform::gfx::TFontStyles fontstyle = 0;
    int fontheight = 14;
    TColor fontcolor = 0, focusfontcolor = 0;
    TRect buttonrect, activebuttonrect, downbuttonrect, unenabledbuttonrect;
    std::string listboxname;

protected:
    void LookUpRecord() override;
    void DrawDefaultImage(platform::gfx::TBitmap& bitmap) override;
    void DrawSkinImage(platform::gfx::TBitmap& bitmap) override;
    // Places the drop button and the item area for the current size and look.
    void CalcRects();

    void WndProc(platform::forms::TMessage& message) override;
    void MouseDown(platform::forms::TMouseButton button, platform::forms::TShiftState shift, int x,
                   int y) override;
    void MouseMove(platform::forms::TShiftState shift, int x, int y) override;
    void MouseUp(platform::forms::TMouseButton button, platform::forms::TShiftState shift, int x,
                 int y) override;
    void KeyDown(uint16_t& key, platform::forms::TShiftState shift) override;
    void KeyPress(char32_t& key) override;
    void WMGetDlgCode(platform::forms::TMessage& message) override;
    void WMSetFocus(platform::forms::TMessage& message) override;
    void WMKillFocus(platform::forms::TMessage& message) override;
    void CMMouseLeave(platform::forms::TMessage& message) override;
    void CMEnabledChanged(platform::forms::TMessage& message) override;
    void CMTextChanged(platform::forms::TMessage& message) override;
    void CMWantSpecialKey(platform::forms::TMessage& message) override;

private:
    // The inner list's messages while it lives in the drop-down list.
    void ListWindowProc(platform::forms::TMessage& message);
    void CancelMode(const platform::forms::TControl* origin);
    void SearchItem(char32_t ch);
    void Wheel(int delta);
    void SetButtonActive(bool value);
    // The item the closed box shows, or -1.
    [[nodiscard]] int ShownItem() const;
    void DrawItemContent(platform::gfx::TCanvas& canvas, int index, int width, int height, TRect textRect,
                         platform::forms::TOwnerDrawState state);
    // ---- The edit style (bsSkinBoxCtrlsComboBoxEdit.cpp) ----
    void StyleChanged();
    void PlaceEdit();
    void SyncEditText();
    void RefreshEditLook();
    void EditChanged();
    void EditKeyDown(uint16_t& key, platform::forms::TShiftState shift);
    void EditKeyUp(uint16_t& key, platform::forms::TShiftState shift);
    void EditWindowProc(platform::forms::TMessage& message);
    void StepEditItem(int delta);

    TbsPopupListBox* m_list = nullptr;
    platform::forms::TWndMethod m_listProc;
    TbsCustomEdit* m_edit = nullptr;
    platform::forms::TWndMethod m_editProc;
    bool m_editSyncing = false;
    TbsSkinCustomComboBoxStyle m_style = bscbFixedStyle;
    int m_dropDownCount = 8;
    bool m_autoComplete = true;
    bool m_alphaBlend = false;
    uint8_t m_alphaBlendValue = 0;
    bool m_alphaBlendAnimation = false;

    TRect m_dropButtonArea;
    TRect m_itemArea;
    bool m_buttonActive = false;
    bool m_buttonPressed = false;
    int m_savedItemIndex = -1;
    std::string m_searchText;
    uint32_t m_lastKeyTick = 0;
};

class TbsSkinComboBox : public TbsSkinCustomComboBox {
public:
    explicit TbsSkinComboBox(platform::forms::TComponent* owner) : TbsSkinCustomComboBox(owner) {}
};

}  // namespace skin
