#include "platform/forms/ViewClasses.h"

#include "platform/forms/ControlBar.h"
#include "platform/forms/HeaderControl.h"
#include "platform/forms/ListView.h"
#include "platform/forms/PropertyTable.h"
#include "platform/forms/Splitter.h"
#include "platform/forms/TreeView.h"

namespace platform::forms {

namespace {
const TEnumInfo kViewStyle{{{"vsIcon", vsIcon}, {"vsSmallIcon", vsSmallIcon}, {"vsList", vsList}, {"vsReport", vsReport}}};
const TEnumInfo kSortType{{{"stNone", stNone}, {"stText", stText}}};
const TEnumInfo kHeaderStyle{{{"hsButtons", hsButtons}, {"hsFlat", hsFlat}}};
const TEnumInfo kResizeStyle{{{"rsNone", rsNone}, {"rsLine", rsLine}, {"rsUpdate", rsUpdate}, {"rsPattern", rsPattern}}};

void RegisterTreeView(TClassRegistry& r) {
    r.Register<TTreeView>("TTreeView", "TCustomControl")
        .Boolean("AutoExpand", &TTreeView::AutoExpand, &TTreeView::SetAutoExpand, false)
        .Boolean("HideSelection", &TTreeView::HideSelection, &TTreeView::SetHideSelection, true)
        .Reference<TImageListComponent>("Images", &TTreeView::Images, &TTreeView::SetImages)
        .Integer("Indent", &TTreeView::Indent, &TTreeView::SetIndent, 19)
        .Strings(
            "Items.Nodes", [](const TTreeView& t) { return t.Items().SaveToLines(); },
            [](TTreeView& t, const std::vector<std::string>& lines) { t.Items().LoadFromLines(lines); })
        .Boolean("ReadOnly", &TTreeView::ReadOnly, &TTreeView::SetReadOnly, false)
        .Boolean("RowSelect", &TTreeView::RowSelect, &TTreeView::SetRowSelect, false)
        .Boolean("ShowButtons", &TTreeView::ShowButtons, &TTreeView::SetShowButtons, true)
        .Boolean("ShowLines", &TTreeView::ShowLines, &TTreeView::SetShowLines, true)
        .Boolean("ShowRoot", &TTreeView::ShowRoot, &TTreeView::SetShowRoot, true)
        .Reference<TImageListComponent>("StateImages", &TTreeView::StateImages, &TTreeView::SetStateImages)
        .Event("OnChange", &TTreeView::OnChange)
        .Event("OnChanging", &TTreeView::OnChanging)
        .Event("OnCollapsed", &TTreeView::OnCollapsed)
        .Event("OnCollapsing", &TTreeView::OnCollapsing)
        .Event("OnCustomDrawItem", &TTreeView::OnCustomDrawItem)
        .Event("OnDeletion", &TTreeView::OnDeletion)
        .Event("OnExpanded", &TTreeView::OnExpanded)
        .Event("OnExpanding", &TTreeView::OnExpanding);
}

void RegisterListView(TClassRegistry& r) {
    r.Register<TListView>("TListView", "TCustomControl")
        .Strings(
            "Columns.Items", [](const TListView& l) { return l.Columns().SaveToLines(); },
            [](TListView& l, const std::vector<std::string>& lines) { l.Columns().LoadFromLines(lines); })
        .Boolean("HideSelection", &TListView::HideSelection, &TListView::SetHideSelection, true)
        .Strings(
            "Items.Items", [](const TListView& l) { return l.Items().SaveToLines(); },
            [](TListView& l, const std::vector<std::string>& lines) { l.Items().LoadFromLines(lines); })
        .Reference<TImageListComponent>("LargeImages", &TListView::LargeImages, &TListView::SetLargeImages)
        .Boolean("MultiSelect", &TListView::MultiSelect, &TListView::SetMultiSelect, false)
        .Boolean("OwnerData", &TListView::OwnerData, &TListView::SetOwnerData, false)
        .Boolean("ReadOnly", &TListView::ReadOnly, &TListView::SetReadOnly, false)
        .Boolean("RowSelect", &TListView::RowSelect, &TListView::SetRowSelect, false)
        .Boolean("ShowColumnHeaders", &TListView::ShowColumnHeaders, &TListView::SetShowColumnHeaders, true)
        .Reference<TImageListComponent>("SmallImages", &TListView::SmallImages, &TListView::SetSmallImages)
        .Enum<TSortType>("SortType", kSortType, &TListView::SortType, &TListView::SetSortType, stNone)
        .Reference<TImageListComponent>("StateImages", &TListView::StateImages, &TListView::SetStateImages)
        .Enum<TViewStyle>("ViewStyle", kViewStyle, &TListView::ViewStyle, &TListView::SetViewStyle, vsIcon)
        .Event("OnChange", &TListView::OnChange)
        .Event("OnColumnClick", &TListView::OnColumnClick)
        .Event("OnCompare", &TListView::OnCompare)
        .Event("OnCustomDrawItem", &TListView::OnCustomDrawItem)
        .Event("OnData", &TListView::OnData)
        .Event("OnDeletion", &TListView::OnDeletion)
        .Event("OnSelectItem", &TListView::OnSelectItem);
}

void RegisterHeaderControl(TClassRegistry& r) {
    r.Register<THeaderControl>("THeaderControl", "TCustomControl")
        .Boolean("DragReorder", &THeaderControl::DragReorder, &THeaderControl::SetDragReorder, false)
        .Boolean("HotTrack", &THeaderControl::HotTrack, &THeaderControl::SetHotTrack, false)
        .Reference<TImageListComponent>("Images", &THeaderControl::Images, &THeaderControl::SetImages)
        .Strings(
            "Sections.Items", [](const THeaderControl& h) { return h.Sections().SaveToLines(); },
            [](THeaderControl& h, const std::vector<std::string>& lines) { h.Sections().LoadFromLines(lines); })
        .Enum<THeaderStyle>("Style", kHeaderStyle, &THeaderControl::Style, &THeaderControl::SetStyle, hsButtons)
        .Event("OnDrawSection", &THeaderControl::OnDrawSection)
        .Event("OnSectionClick", &THeaderControl::OnSectionClick)
        .Event("OnSectionDrag", &THeaderControl::OnSectionDrag)
        .Event("OnSectionEndDrag", &THeaderControl::OnSectionEndDrag)
        .Event("OnSectionResize", &THeaderControl::OnSectionResize)
        .Event("OnSectionTrack", &THeaderControl::OnSectionTrack);
}

void RegisterSplitterAndBar(TClassRegistry& r) {
    r.Register<TSplitter>("TSplitter", "TGraphicControl")
        .Boolean("Beveled", &TSplitter::Beveled, &TSplitter::SetBeveled, false)
        .Integer("MinSize", &TSplitter::MinSize, &TSplitter::SetMinSize, 30)
        .Enum<TResizeStyle>("ResizeStyle", kResizeStyle, &TSplitter::ResizeStyle, &TSplitter::SetResizeStyle, rsPattern)
        .Event("OnCanResize", &TSplitter::OnCanResize)
        .Event("OnMoved", &TSplitter::OnMoved);
    r.Register<TControlBar>("TControlBar", "TCustomControl")
        .Boolean("AutoDrag", &TControlBar::AutoDrag, &TControlBar::SetAutoDrag, true)
        .Boolean("AutoSize", &TControlBar::AutoSize, &TControlBar::SetAutoSize, false)
        .Integer("RowSize", &TControlBar::RowSize, &TControlBar::SetRowSize, 26)
        .Boolean("RowSnap", &TControlBar::RowSnap, &TControlBar::SetRowSnap, true)
        .Event("OnBandMove", &TControlBar::OnBandMove);
}
}  // namespace

void RegisterViewClasses(TClassRegistry& r) {
    if (r.Find("TTreeView")) return;
    RegisterTreeView(r);
    RegisterListView(r);
    RegisterHeaderControl(r);
    RegisterSplitterAndBar(r);
}

}  // namespace platform::forms
