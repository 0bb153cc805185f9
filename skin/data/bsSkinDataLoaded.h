#pragma once
// One loaded skin without any window behind it: its pictures, the window frame geometry of
// [FORMINFO], the popup- and hint-window records and the object and control records, looked up
// by name. The skin data component adds the form references and the change messages; tools and
// fuzzers load skins with this class alone.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/IniFile.h"
#include "platform/core/StringList.h"
#include "platform/gfx/Bitmap.h"
#include "skin/data/bsSkinDataRecords.h"
#include "skin/data/bsSkinDataStores.h"
#include "skin/data/bsSkinFile.h"

namespace skin {

class TbsLoadedSkin {
public:
    // True from construction, during every load and after ClearSkin; false after a good load.
    bool SkinIsEmpty = true;

    platform::gfx::TBitmap Picture;
    platform::gfx::TBitmap InactivePicture;
    platform::gfx::TBitmap FrameMask;
    TbsBitmapList ActivePictures;
    platform::core::TStringList ActivePictureNames;

    // [PICTURES] names; a non-empty MaskName marks a skin with a frame mask.
    std::string PictureName, InactivePictureName, MaskName;
    // [VERSION] texts.
    std::string SkinName, SkinAuthor, AuthorEmail, AuthorURL, SkinComments;

    std::vector<std::unique_ptr<TbsDataSkinObject>> ObjectRecords;
    std::vector<std::unique_ptr<TbsDataSkinControl>> ControlRecords;
    TbsDataSkinPopupWindow PopupWindow;
    TbsDataSkinHintWindow HintWindow;

    // [FORMINFO]
    TPoint lefttoppoint, righttoppoint, leftbottompoint, rightbottompoint;
    TRect clientrect;
    int32_t bgpictureindex = -1;
    int32_t mdibgpictureindex = -1;
    bool leftstretch = false, rightstretch = false, topstretch = false, bottomstretch = false;
    TRect maskrectarea;
    TPoint hittestlefttoppoint, hittestrighttoppoint, hittestleftbottompoint, hittestrightbottompoint;
    TRect buttonsrect, captionrect;
    int32_t buttonsoffset = 0;
    bool buttonsinleft = false;
    bool mainmenupopupup = false;
    int32_t borderwidth = 0;
    bool autorenderinginactiveimage = false;
    TbsInactiveEffect inactiveeffect = ieBrightness;

    // Index of the first record whose SectionName equals name exactly (case-sensitive); -1 if none.
    [[nodiscard]] int IndexOfControl(std::string_view name) const;
    [[nodiscard]] int IndexOfSkinObject(std::string_view name) const;
    // The numbered picture index, or nullptr when index is -1 or beyond the list.
    [[nodiscard]] platform::gfx::TBitmap* ActivePicture(int index) const;

    // Forget the last skin, then take the given one. A store that is missing, carries a problem
    // or whose description lacks a required section leaves the skin empty; so does compressed
    // data that cannot be inflated or parsed. False then, and LoadProblem says why.
    bool LoadStore(const TbsSkinStore* store);
    bool LoadCompressedStore(const TbsCompressedSkinStore& store);
    // Frees all records and pictures and forgets every value of the last skin.
    void ClearSkin();

    void LoadFormInfo(const TCustomIniFile& ini);
    void LoadSkinObjects(const TCustomIniFile& ini);
    void LoadSkinControls(const TCustomIniFile& ini);

    // Why the last load left the skin empty (empty after a good load).
    [[nodiscard]] const std::string& LoadProblem() const { return m_loadProblem; }

private:
    // Steps shared by both loaders: the version texts and picture names, then (with the pictures
    // in place) the frame geometry and all records.
    void LoadDescription(const TCustomIniFile& ini);
    void LoadRecords(const TCustomIniFile& ini);
    void ResetFormInfo();

    std::string m_loadProblem;
};

}  // namespace skin
