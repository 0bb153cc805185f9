#include "skin/controls/bsSkinCtrlsViews.h"

#include "platform/forms/PropertyTable.h"
#include "skin/controls/bsSkinCtrlsControlBar.h"
#include "skin/controls/bsSkinCtrlsHeaderControl.h"
#include "skin/controls/bsSkinCtrlsListView.h"
#include "skin/controls/bsSkinCtrlsSplitter.h"
#include "skin/controls/bsSkinCtrlsTreeView.h"

namespace skin {

using platform::forms::TClassBuilder;
using platform::forms::TClassRegistry;
using platform::forms::TControl;

namespace {

template <class T>
void AddBinding(TClassBuilder<T>& b, const std::string& defaultName) {
    b.template Reference<TbsSkinData>("SkinData", &T::SkinData, &T::SetSkinData)
        .String("SkinDataName", &T::SkinDataName, &T::SetSkinDataName, defaultName);
}

template <class T>
void AddTextLook(TClassBuilder<T>& b) {
    b.String(
         "DefaultFont.Name", [](const T& c) { return const_cast<T&>(c).DefaultFont().Name(); },
         [](T& c, const std::string& v) { c.DefaultFont().SetName(v); }, std::string("Arial"))
        .Integer(
            "DefaultFont.Height", [](const T& c) { return const_cast<T&>(c).DefaultFont().Height(); },
            [](T& c, int v) { c.DefaultFont().SetHeight(v); }, 14)
        .Boolean("UseSkinFont", &T::UseSkinFont, &T::SetUseSkinFont, true);
}

template <class T>
void AddViewLook(TClassBuilder<T>& b) {
    AddTextLook(b);
    b.Color("DefaultColor", &T::DefaultColor, &T::SetDefaultColor, platform::gfx::clWindow)
        .template Reference<TbsSkinScrollBar>("HScrollBar", &T::HScrollBar, &T::SetHScrollBar)
        .template Reference<TbsSkinScrollBar>("VScrollBar", &T::VScrollBar, &T::SetVScrollBar);
}

template <class T>
bool Bound(TControl* control, const TbsSkinData* data, T*& out) {
    out = dynamic_cast<T*>(control);
    return out && (!data || out->SkinData() == data);
}

}  // namespace

void RegisterSkinViewClasses(TClassRegistry& r) {
    if (r.Find("TbsSkinSplitter")) return;
    auto splitter = r.Register<TbsSkinSplitter>("TbsSkinSplitter", "TSplitter");
    AddBinding(splitter, "vsplitter");
    splitter.Integer("DefaultSize", &TbsSkinSplitter::DefaultSize, &TbsSkinSplitter::SetDefaultSize, 10);

    auto bar = r.Register<TbsSkinControlBar>("TbsSkinControlBar", "TControlBar");
    AddBinding(bar, "controlbar");
    bar.Boolean("SkinBevel", &TbsSkinControlBar::SkinBevel, &TbsSkinControlBar::SetSkinBevel, false);

    auto header = r.Register<TbsSkinHeaderControl>("TbsSkinHeaderControl", "THeaderControl");
    AddBinding(header, "resizebutton");
    AddTextLook(header);
    header.Integer("DefaultHeight", &TbsSkinHeaderControl::DefaultHeight, &TbsSkinHeaderControl::SetDefaultHeight, 0)
        .Event("OnSkinSectionClick", &TbsSkinHeaderControl::OnSkinSectionClick)
        .Event("OnDrawSkinSection", &TbsSkinHeaderControl::OnDrawSkinSection);

    r.Register<TbsSkinCustomTreeView>("TbsSkinCustomTreeView", "TTreeView", false);
    auto tree = r.Register<TbsSkinTreeView>("TbsSkinTreeView", "TbsSkinCustomTreeView");
    AddBinding(tree, "treeview");
    AddViewLook(tree);

    r.Register<TbsSkinCustomListView>("TbsSkinCustomListView", "TListView", false);
    auto list = r.Register<TbsSkinListView>("TbsSkinListView", "TbsSkinCustomListView");
    AddBinding(list, "listview");
    AddViewLook(list);
    list.String("HeaderSkinDataName", &TbsSkinListView::HeaderSkinDataName, &TbsSkinListView::SetHeaderSkinDataName,
                std::string("resizebutton"));
}

bool ForgetSkinViewRecord(TControl* c, const TbsSkinData* data) {
    TbsSkinSplitter* s = nullptr;
    TbsSkinControlBar* b = nullptr;
    TbsSkinHeaderControl* h = nullptr;
    TbsSkinCustomTreeView* t = nullptr;
    TbsSkinCustomListView* l = nullptr;
    if (Bound(c, data, s)) s->ForgetRecord();
    else if (Bound(c, data, b)) b->ForgetRecord();
    else if (Bound(c, data, h)) h->ForgetRecord();
    else if (Bound(c, data, t)) t->ForgetRecord();
    else if (Bound(c, data, l)) l->ForgetRecord();
    return s || b || h || t || l;
}

bool RefreshSkinView(TControl* c, const TbsSkinData* data) {
    TbsSkinSplitter* s = nullptr;
    TbsSkinControlBar* b = nullptr;
    TbsSkinHeaderControl* h = nullptr;
    TbsSkinCustomTreeView* t = nullptr;
    TbsSkinCustomListView* l = nullptr;
    if (Bound(c, data, s)) s->RefreshSkin();
    else if (Bound(c, data, b)) b->RefreshSkin();
    else if (Bound(c, data, h)) h->RefreshSkin();
    else if (Bound(c, data, t)) t->RefreshSkin();
    else if (Bound(c, data, l)) l->RefreshSkin();
    return s || b || h || t || l;
}

}  // namespace skin
