#include "skin/data/bsSkinDataLoaded.h"

#include <algorithm>

#include "skin/data/bsSkinIniIndex.h"
#include "skin/data/bsUtilsValues.h"

namespace skin {


namespace {

constexpr const char* kFormInfo = "FORMINFO";

bool IsEmptyPoint(const TPoint& p) {
    return p.X == 0 || p.Y == 0;
}
bool IsEmptyRect(const TRect& r) {
    return r.Width() < 1 || r.Height() < 1;
}

template <class TList>
int IndexOfName(const TList& records, std::string_view name) {
    for (std::size_t i = 0; i < records.size(); ++i) {
        if (records[i]->SectionName == name) return static_cast<int>(i);
    }
    return -1;
}

}  // namespace

int TbsLoadedSkin::IndexOfControl(std::string_view name) const {
    return IndexOfName(ControlRecords, name);
}

int TbsLoadedSkin::IndexOfSkinObject(std::string_view name) const {
    return IndexOfName(ObjectRecords, name);
}

platform::gfx::TBitmap* TbsLoadedSkin::ActivePicture(int index) const {
    if (index < 0 || static_cast<std::size_t>(index) >= ActivePictures.size()) return nullptr;
    return ActivePictures[static_cast<std::size_t>(index)].get();
}

void TbsLoadedSkin::ResetFormInfo() {
    lefttoppoint = righttoppoint = leftbottompoint = rightbottompoint = TPoint{};
    hittestlefttoppoint = hittestrighttoppoint = hittestleftbottompoint = hittestrightbottompoint = TPoint{};
    clientrect = maskrectarea = buttonsrect = captionrect = TRect{};
    bgpictureindex = mdibgpictureindex = -1;
    leftstretch = rightstretch = topstretch = bottomstretch = false;
    buttonsoffset = borderwidth = 0;
    buttonsinleft = mainmenupopupup = autorenderinginactiveimage = false;
    inactiveeffect = ieBrightness;
}

void TbsLoadedSkin::ClearSkin() {
    ObjectRecords.clear();
    ControlRecords.clear();
    ActivePictures.clear();
    ActivePictureNames.Clear();
    Picture.Clear();
    InactivePicture.Clear();
    FrameMask.Clear();
    PictureName.clear();
    InactivePictureName.clear();
    MaskName.clear();
    SkinName.clear();
    SkinAuthor.clear();
    AuthorEmail.clear();
    AuthorURL.clear();
    SkinComments.clear();
    PopupWindow = TbsDataSkinPopupWindow();
    HintWindow = TbsDataSkinHintWindow();
    ResetFormInfo();
    SkinIsEmpty = true;
}

void TbsLoadedSkin::LoadFormInfo(const TCustomIniFile& ini) {
    lefttoppoint = SkinReadPoint(ini, kFormInfo, "lefttoppoint");
    righttoppoint = SkinReadPoint(ini, kFormInfo, "righttoppoint");
    leftbottompoint = SkinReadPoint(ini, kFormInfo, "leftbottompoint");
    rightbottompoint = SkinReadPoint(ini, kFormInfo, "rightbottompoint");
    clientrect = SkinReadRect(ini, kFormInfo, "clientrect");
    bgpictureindex = SkinReadInteger(ini, kFormInfo, "bgpictureindex", -1);
    mdibgpictureindex = SkinReadInteger(ini, kFormInfo, "mdibgpictureindex", -1);
    leftstretch = SkinReadFlag(ini, kFormInfo, "leftstretch");
    rightstretch = SkinReadFlag(ini, kFormInfo, "rightstretch");
    topstretch = SkinReadFlag(ini, kFormInfo, "topstretch");
    bottomstretch = SkinReadFlag(ini, kFormInfo, "bottomstretch");
    maskrectarea = SkinReadRect(ini, kFormInfo, "maskrectarea");
    hittestlefttoppoint = SkinReadPoint(ini, kFormInfo, "hittestlefttoppoint");
    hittestrighttoppoint = SkinReadPoint(ini, kFormInfo, "hittestrighttoppoint");
    hittestleftbottompoint = SkinReadPoint(ini, kFormInfo, "hittestleftbottompoint");
    hittestrightbottompoint = SkinReadPoint(ini, kFormInfo, "hittestrightbottompoint");

    if (!MaskName.empty()) {
        if (IsEmptyRect(maskrectarea)) {
            maskrectarea = clientrect;
        } else {
            maskrectarea.Left = std::min(maskrectarea.Left, clientrect.Left);
            maskrectarea.Top = std::min(maskrectarea.Top, clientrect.Top);
            maskrectarea.Right = std::max(maskrectarea.Right, clientrect.Right);
            maskrectarea.Bottom = std::max(maskrectarea.Bottom, clientrect.Bottom);
        }
        if (IsEmptyPoint(hittestlefttoppoint)) hittestlefttoppoint = lefttoppoint;
        if (IsEmptyPoint(hittestrighttoppoint)) hittestrighttoppoint = righttoppoint;
        if (IsEmptyPoint(hittestleftbottompoint)) hittestleftbottompoint = leftbottompoint;
        if (IsEmptyPoint(hittestrightbottompoint)) hittestrightbottompoint = rightbottompoint;
    }

    buttonsrect = SkinReadRect(ini, kFormInfo, "buttonsrect");
    captionrect = SkinReadRect(ini, kFormInfo, "captionrect");
    buttonsoffset = SkinReadInteger(ini, kFormInfo, "buttonsoffset", 0);
    buttonsinleft = SkinReadFlag(ini, kFormInfo, "buttonsinleft");
    mainmenupopupup = SkinReadFlag(ini, kFormInfo, "mainmenupopupup");
    borderwidth = SkinReadInteger(ini, kFormInfo, "borderwidth", 0);
    autorenderinginactiveimage = SkinReadFlag(ini, kFormInfo, "autorenderinginactiveimage");
    inactiveeffect = SkinReadInactiveEffect(ini, kFormInfo, "inactiveeffect");

    if (rightbottompoint.X == lefttoppoint.X || rightbottompoint.Y == lefttoppoint.Y) return;
    lefttoppoint.X = std::max(lefttoppoint.X, clientrect.Left);
    lefttoppoint.Y = std::max(lefttoppoint.Y, clientrect.Top);
    righttoppoint.X = std::min(righttoppoint.X, clientrect.Right);
    righttoppoint.Y = std::max(righttoppoint.Y, clientrect.Top);
    leftbottompoint.X = std::max(leftbottompoint.X, clientrect.Left);
    leftbottompoint.Y = std::min(leftbottompoint.Y, clientrect.Bottom);
    rightbottompoint.X = std::min(rightbottompoint.X, clientrect.Right);
    rightbottompoint.Y = std::min(rightbottompoint.Y, clientrect.Bottom);
}

void TbsLoadedSkin::LoadSkinObjects(const TCustomIniFile& ini) {
    SkinForEachListEntry(ini, "SKINOBJECTS", "count", [&](int, const std::string& text) {
        TbsSkinEntry entry = SplitEntry(text);
        auto record = CreateSkinObjectRecord(entry.Kind, entry.Name);
        if (!record) return;
        ObjectRecords.push_back(std::move(record));
        ObjectRecords.back()->LoadFromIni(ini);
    });
}

void TbsLoadedSkin::LoadSkinControls(const TCustomIniFile& ini) {
    SkinForEachListEntry(ini, "SKINCONTROLS", "count", [&](int, const std::string& text) {
        TbsSkinEntry entry = SplitEntry(text);
        auto record = CreateSkinControlRecord(entry.Kind, entry.Name);
        if (!record) return;
        ControlRecords.push_back(std::move(record));
        ControlRecords.back()->LoadFromIni(ini);
    });
}

void TbsLoadedSkin::LoadDescription(const TCustomIniFile& ini) {
    SkinName = SkinReadText(ini, "VERSION", "skinname");
    SkinAuthor = SkinReadText(ini, "VERSION", "skinauthor");
    AuthorEmail = SkinReadText(ini, "VERSION", "authoremail");
    AuthorURL = SkinReadText(ini, "VERSION", "authorurl");
    SkinComments = SkinReadText(ini, "VERSION", "skincomments");
    PictureName = SkinReadText(ini, "PICTURES", "picture");
    InactivePictureName = SkinReadText(ini, "PICTURES", "inactivepicture");
    MaskName = SkinReadText(ini, "PICTURES", "mask");
    SkinReadList(ini, "PICTURES", "activepictures", ActivePictureNames);
}

void TbsLoadedSkin::LoadRecords(const TCustomIniFile& ini) {
    LoadFormInfo(ini);
    PopupWindow.LoadFromIni(ini);
    HintWindow.LoadFromIni(ini);
    LoadSkinObjects(ini);
    LoadSkinControls(ini);
}

bool TbsLoadedSkin::LoadStore(const TbsSkinStore* store) {
    SkinIsEmpty = true;
    ClearSkin();
    m_loadProblem.clear();

    // A store that is not a sound skin leaves the skin empty, as a description without its
    // required sections does; the controls then draw their default look.
    if (!store) {
        m_loadProblem = "no stored skin";
    } else if (!store->Problem().empty()) {
        m_loadProblem = store->Problem();
    } else if (std::string problem = SkinTextProblem(store->IniStrings()); !problem.empty()) {
        m_loadProblem = "description: " + problem;
    }
    if (!m_loadProblem.empty()) return false;
    // Indexed once over the store's own lines; the records then read their keys from it.
    const TbsSkinIniIndex ini(store->IniStrings());
    if (auto missing = MissingSkinSections(ini); !missing.empty()) {
        m_loadProblem = "description lacks the section [" + missing.front() + "]";
        return false;
    }

    LoadDescription(ini);
    Picture = store->Picture;
    InactivePicture = store->InactivePicture;
    FrameMask = store->FrameMask;
    // Copies share the store's pixels until either side writes to them (see TBitmap::Bits).
    ActivePictures = CopyBitmapList(store->ActivePictures);
    LoadRecords(ini);
    SkinIsEmpty = false;
    return true;
}

bool TbsLoadedSkin::LoadCompressedStore(const TbsCompressedSkinStore& store) {
    SkinIsEmpty = true;
    ClearSkin();
    m_loadProblem.clear();

    TbsSkinSource skin;
    const auto& data = store.CompressedData();
    if (!DecompressSkin(data.data(), data.size(), skin, &m_loadProblem)) return false;

    const TbsSkinIniIndex ini(skin.Lines);
    Picture = std::move(skin.Pictures.Picture);
    InactivePicture = std::move(skin.Pictures.InactivePicture);
    FrameMask = std::move(skin.Pictures.FrameMask);
    ActivePictures = std::move(skin.Pictures.ActivePictures);
    LoadDescription(ini);
    LoadRecords(ini);
    SkinIsEmpty = false;
    return true;
}

}  // namespace skin
