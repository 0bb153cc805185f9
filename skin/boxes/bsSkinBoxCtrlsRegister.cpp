#include "skin/boxes/bsSkinBoxCtrlsRegister.h"

#include <algorithm>
#include <vector>

#include "platform/forms/PropertyTable.h"
#include "platform/forms/StandardProperties.h"
#include "skin/boxes/bsSkinBoxCtrlsComboBox.h"
#include "skin/boxes/bsSkinBoxCtrlsEditRegister.h"
#include "skin/boxes/bsSkinBoxCtrlsListBox.h"
#include "skin/boxes/bsSkinBoxCtrlsListBoxDrag.h"
#include "skin/boxes/bsSkinBoxCtrlsUpDown.h"
#include "skin/boxes/bsSkinMDITabs.h"
#include "skin/boxes/bsSkinTabs.h"
#include "skin/controls/bsSkinCtrlsRegister.h"
#include "skin/controls/bsSkinCtrlsScrollBar.h"

namespace skin {

using platform::forms::TClassRegistry;
using platform::forms::TEnumInfo;
using platform::forms::TImageListComponent;
using platform::forms::TKeyEvent;
using platform::forms::TKeyPressEvent;
using platform::forms::TMouseEvent;
using platform::forms::TMouseMoveEvent;
using platform::forms::TNotifyEvent;
using platform::gfx::TBitmap;

namespace {

const TEnumInfo kOrientation{{{"udHorizontal", udHorizontal}, {"udVertical", udVertical}}};
const TEnumInfo kScrollBarKind{{{"sbHorizontal", sbHorizontal}, {"sbVertical", sbVertical}}};
const TEnumInfo kComboStyle{{{"bscbEditStyle", bscbEditStyle}, {"bscbFixedStyle", bscbFixedStyle}}};

std::vector<std::string> ItemsOf(const platform::forms::TListBoxStrings& items) {
    return items.ToVector();
}

void RegisterUpDown(TClassRegistry& r) {
    using U = TbsSkinUpDown;
    r.Register<U>("TbsSkinUpDown", "TbsSkinCustomControl")
        .Enum<TUDOrientation>("Orientation", kOrientation, &U::Orientation, &U::SetOrientation, udHorizontal)
        .Integer("Increment", &U::Increment, &U::SetIncrement, 1)
        // The range before the position, so that a position outside the default range is kept.
        .Integer("Min", &U::Min, &U::SetMin, 0)
        .Integer("Max", &U::Max, &U::SetMax, 100)
        .Integer("Position", &U::Position, &U::SetPosition, 0)
        .Event("OnChange", &U::OnChange)
        .Event("OnUpButtonClick", &U::OnUpButtonClick)
        .Event("OnDownButtonClick", &U::OnDownButtonClick);
}

void RegisterScrollBar(TClassRegistry& r) {
    using S = TbsSkinScrollBar;
    r.Register<S>("TbsSkinScrollBar", "TbsSkinCustomControl")
        .Enum<TScrollBarKind>("Kind", kScrollBarKind, &S::Kind, &S::SetKind, sbHorizontal)
        .Integer("Min", &S::Min, &S::SetMin, 0)
        .Integer("Max", &S::Max, &S::SetMax, 100)
        .Integer("PageSize", &S::PageSize, &S::SetPageSize, 0)
        .Integer("Position", &S::Position, &S::SetPosition, 0)
        .Integer("SmallChange", &S::SmallChange, &S::SetSmallChange, 1)
        .Integer("LargeChange", &S::LargeChange, &S::SetLargeChange, 1)
        .Boolean("CanFocused", &S::CanFocused, &S::SetCanFocused, false)
        .String("BothSkinDataName", &S::BothSkinDataName, &S::SetBothSkinDataName,
                std::string("bothhscrollbar"))
        .Integer("BothMarkerWidth", &S::BothMarkerWidth, &S::SetBothMarkerWidth, 19)
        .Boolean("Both", &S::Both, &S::SetBoth, false)
        .Event("OnChange", &S::OnChange)
        .Event("OnLastChange", &S::OnLastChange)
        .Event("OnUpButtonClick", &S::OnUpButtonClick)
        .Event("OnDownButtonClick", &S::OnDownButtonClick)
        .Event("OnPageUp", &S::OnPageUp)
        .Event("OnPageDown", &S::OnPageDown);
}

void RegisterListBox(TClassRegistry& r) {
    using L = TbsSkinCustomListBox;
    r.Register<L>("TbsSkinCustomListBox", "TbsSkinCustomControl", false)
        .Boolean("UseSkinItemHeight", &L::UseSkinItemHeight, &L::SetUseSkinItemHeight, true)
        .Integer("DefaultItemHeight", &L::DefaultItemHeight, &L::SetDefaultItemHeight, 20)
        .Integer("RowCount", &L::RowCount, &L::SetRowCount, 0)
        .Boolean("HorizontalExtent", &L::HorizontalExtent, &L::SetHorizontalExtent, false)
        .Integer("Columns", &L::Columns, &L::SetColumns, 0)
        .Reference<TImageListComponent>("Images", &L::Images, &L::SetImages)
        .Integer("ImageIndex", &L::ImageIndex, &L::SetImageIndex, -1)
        .Boolean("CaptionMode", &L::CaptionMode, &L::SetCaptionMode, false)
        .Enum<platform::forms::TAlignment>("Alignment", platform::forms::AlignmentEnum(), &L::Alignment,
                                           &L::SetAlignment, platform::forms::taLeftJustify)
        .Integer("DefaultCaptionHeight", &L::DefaultCaptionHeight, &L::SetDefaultCaptionHeight, 20)
        .Binary(
            "Glyph.Data",
            [](const L& l) { return l.Glyph().Empty() ? std::vector<uint8_t>{} : l.Glyph().SaveToMemory(); },
            [](L& l, const std::vector<uint8_t>& bytes) {
                TBitmap glyph;
                if (!bytes.empty() && !glyph.LoadFromMemory(bytes.data(), bytes.size())) return false;
                l.SetGlyph(glyph);
                return true;
            })
        .Integer("NumGlyphs", &L::NumGlyphs, &L::SetNumGlyphs, 1)
        .Integer("Spacing", &L::Spacing, &L::SetSpacing, 2)
        .Boolean("MultiSelect", &L::MultiSelect, &L::SetMultiSelect, false)
        .Boolean("ExtandedSelect", &L::ExtandedSelect, &L::SetExtandedSelect, true)
        .Boolean("Sorted", &L::Sorted, &L::SetSorted, false)
        .Boolean("ListBoxTabStop", &L::ListBoxTabStop, &L::SetListBoxTabStop, true)
        .Strings(
            "Items.Strings", [](const L& l) { return ItemsOf(l.Items()); }, &L::SetItems)
        .Integer("ItemIndex", &L::ItemIndex, &L::SetItemIndex, -1)
        .Event("OnDrawItem", &L::OnDrawItem)
        .Event("OnUpButtonClick", &L::OnUpButtonClick)
        .Event("OnDownButtonClick", &L::OnDownButtonClick)
        .Event("OnCheckButtonClick", &L::OnCheckButtonClick)
        .Event("OnListBoxClick", &L::OnListBoxClick)
        .Event("OnListBoxDblClick", &L::OnListBoxDblClick)
        .Event("OnListBoxMouseDown", &L::OnListBoxMouseDown)
        .Event("OnListBoxMouseMove", &L::OnListBoxMouseMove)
        .Event("OnListBoxMouseUp", &L::OnListBoxMouseUp)
        .Event("OnListBoxKeyDown", &L::OnListBoxKeyDown)
        .Event("OnListBoxKeyPress", &L::OnListBoxKeyPress)
        .Event("OnListBoxKeyUp", &L::OnListBoxKeyUp);
    r.Register<TbsSkinListBox>("TbsSkinListBox", "TbsSkinCustomListBox");
}

void RegisterComboBox(TClassRegistry& r) {
    using C = TbsSkinCustomComboBox;
    r.Register<C>("TbsSkinCustomComboBox", "TbsSkinCustomControl", false)
        // The combo box starts as a tab stop, unlike other windowed controls.
        .Boolean("TabStop", &C::TabStop, &C::SetTabStop, true)
        .Enum<TbsSkinCustomComboBoxStyle>("Style", kComboStyle, &C::Style, &C::SetStyle, bscbFixedStyle)
        .Integer("DropDownCount", &C::DropDownCount, &C::SetDropDownCount, 8)
        .Boolean("AutoComplete", &C::AutoComplete, &C::SetAutoComplete, true)
        .Boolean("AlphaBlend", &C::AlphaBlend, &C::SetAlphaBlend, false)
        .Integer(
            "AlphaBlendValue", [](const C& c) { return static_cast<int>(c.AlphaBlendValue()); },
            [](C& c, int v) { c.SetAlphaBlendValue(static_cast<uint8_t>(std::clamp(v, 0, 255))); }, 0)
        .Boolean("AlphaBlendAnimation", &C::AlphaBlendAnimation, &C::SetAlphaBlendAnimation, false)
        .Reference<TImageListComponent>("Images", &C::Images, &C::SetImages)
        .Integer("ImageIndex", &C::ImageIndex, &C::SetImageIndex, -1)
        .Boolean("ListBoxUseSkinFont", &C::ListBoxUseSkinFont, &C::SetListBoxUseSkinFont, true)
        .Boolean("ListBoxUseSkinItemHeight", &C::ListBoxUseSkinItemHeight, &C::SetListBoxUseSkinItemHeight,
                 true)
        .Integer("ListBoxDefaultItemHeight", &C::ListBoxDefaultItemHeight, &C::SetListBoxDefaultItemHeight,
                 20)
        .Boolean("ListBoxCaptionMode", &C::ListBoxCaptionMode, &C::SetListBoxCaptionMode, false)
        .String("ListBoxCaption", &C::ListBoxCaption, &C::SetListBoxCaption)
        .Enum<platform::forms::TAlignment>("ListBoxCaptionAlignment", platform::forms::AlignmentEnum(),
                                           &C::ListBoxCaptionAlignment, &C::SetListBoxCaptionAlignment,
                                           platform::forms::taLeftJustify)
        .Boolean("HorizontalExtent", &C::HorizontalExtent, &C::SetHorizontalExtent, false)
        .Boolean("Sorted", &C::Sorted, &C::SetSorted, false)
        // Items before the index that chooses one of them.
        .Strings(
            "Items.Strings", [](const C& c) { return ItemsOf(c.Items()); }, &C::SetItems)
        .Integer("ItemIndex", &C::ItemIndex, &C::SetItemIndex, -1)
        .Event("OnChange", &C::OnChange)
        .Event("OnDropDown", &C::OnDropDown)
        .Event("OnCloseUp", &C::OnCloseUp)
        .Event("OnComboBoxDrawItem", &C::OnComboBoxDrawItem)
        .EventSetter<void(platform::gfx::TCanvas&, int, int, int, const TRect&,
                          platform::forms::TOwnerDrawState)>("OnListBoxDrawItem", &C::SetOnListBoxDrawItem);
    r.Register<TbsSkinComboBox>("TbsSkinComboBox", "TbsSkinCustomComboBox");
}

}  // namespace

void RegisterSkinBoxClasses() {
    RegisterSkinControlClasses();
    TClassRegistry& r = TClassRegistry::Instance();
    if (r.Find("TbsSkinComboBox")) return;
    RegisterUpDown(r);
    RegisterScrollBar(r);
    RegisterListBox(r);
    RegisterListBoxDrag(r);
    RegisterComboBox(r);
    RegisterSkinEditClasses(r);
    RegisterSkinTabClasses();
    RegisterSkinMDITabsBarClass();
}

}  // namespace skin
