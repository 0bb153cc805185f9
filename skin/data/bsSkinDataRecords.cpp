#include "skin/data/bsSkinDataRecords.h"

namespace skin {

namespace {

template <class TBase, class TRecord>
std::unique_ptr<TBase> Make(std::string sectionName) {
    return std::make_unique<TRecord>(std::move(sectionName));
}

#define VK_OBJECT_KIND(kind, cls)                 \
    TbsRecordKind<TbsDataSkinObject> {            \
        kind, #cls, &Make<TbsDataSkinObject, cls> \
    }
#define VK_CONTROL_KIND(kind, cls)                 \
    TbsRecordKind<TbsDataSkinControl> {            \
        kind, #cls, &Make<TbsDataSkinControl, cls> \
    }

const TbsRecordKind<TbsDataSkinObject> kObjectKinds[] = {
    VK_OBJECT_KIND("menuitem", TbsDataSkinMenuItem),
    VK_OBJECT_KIND("mainmenubaritem", TbsDataSkinMainMenuBarItem),
    VK_OBJECT_KIND("stdbutton", TbsDataSkinStdButton),
    VK_OBJECT_KIND("mainmenubarbutton", TbsDataSkinMainMenuBarButton),
    VK_OBJECT_KIND("button", TbsDataSkinButton),
    VK_OBJECT_KIND("caption", TbsDataSkinCaption),
    VK_OBJECT_KIND("animate", TbsDataSkinAnimate),
    VK_OBJECT_KIND("userobject", TbsDataUserObject),
};

const TbsRecordKind<TbsDataSkinControl> kControlKinds[] = {
    VK_CONTROL_KIND("panel", TbsDataSkinPanelControl),
    VK_CONTROL_KIND("expanel", TbsDataSkinExPanelControl),
    VK_CONTROL_KIND("menubutton", TbsDataSkinMenuButtonControl),
    VK_CONTROL_KIND("button", TbsDataSkinButtonControl),
    VK_CONTROL_KIND("checkradio", TbsDataSkinCheckRadioControl),
    VK_CONTROL_KIND("gauge", TbsDataSkinGaugeControl),
    VK_CONTROL_KIND("splitter", TbsDataSkinSplitterControl),
    VK_CONTROL_KIND("trackbar", TbsDataSkinTrackBarControl),
    VK_CONTROL_KIND("label", TbsDataSkinLabelControl),
    VK_CONTROL_KIND("stdlabel", TbsDataSkinStdLabelControl),
    VK_CONTROL_KIND("updown", TbsDataSkinUpDownControl),
    VK_CONTROL_KIND("grid", TbsDataSkinGridControl),
    VK_CONTROL_KIND("tab", TbsDataSkinTabControl),
    VK_CONTROL_KIND("mainmenubar", TbsDataSkinMainMenuBar),
    VK_CONTROL_KIND("controlbar", TbsDataSkinControlBar),
    VK_CONTROL_KIND("memo", TbsDataSkinMemoControl),
    VK_CONTROL_KIND("edit", TbsDataSkinEditControl),
    VK_CONTROL_KIND("checklistbox", TbsDataSkinCheckListBox),
    VK_CONTROL_KIND("listbox", TbsDataSkinListBox),
    VK_CONTROL_KIND("combobox", TbsDataSkinComboBox),
    VK_CONTROL_KIND("scrollbar", TbsDataSkinScrollBarControl),
    VK_CONTROL_KIND("spinedit", TbsDataSkinSpinEditControl),
    VK_CONTROL_KIND("scrollbox", TbsDataSkinScrollBoxControl),
    VK_CONTROL_KIND("treeview", TbsDataSkinTreeView),
    VK_CONTROL_KIND("bevel", TbsDataSkinBevel),
    VK_CONTROL_KIND("slider", TbsDataSkinSlider),
    VK_CONTROL_KIND("listview", TbsDataSkinListView),
    VK_CONTROL_KIND("richedit", TbsDataSkinRichEdit),
};

#undef VK_OBJECT_KIND
#undef VK_CONTROL_KIND

template <class TRecord, std::size_t N>
std::unique_ptr<TRecord> Create(const TbsRecordKind<TRecord> (&kinds)[N], std::string_view kind,
                                std::string sectionName) {
    for (const auto& k : kinds) {
        if (kind == k.Kind) return k.Create(std::move(sectionName));
    }
    return nullptr;
}

}  // namespace

std::span<const TbsRecordKind<TbsDataSkinObject>> SkinObjectKinds() {
    return kObjectKinds;
}
std::span<const TbsRecordKind<TbsDataSkinControl>> SkinControlKinds() {
    return kControlKinds;
}

std::unique_ptr<TbsDataSkinObject> CreateSkinObjectRecord(std::string_view kind, std::string sectionName) {
    return Create(kObjectKinds, kind, std::move(sectionName));
}

std::unique_ptr<TbsDataSkinControl> CreateSkinControlRecord(std::string_view kind, std::string sectionName) {
    return Create(kControlKinds, kind, std::move(sectionName));
}

}  // namespace skin
