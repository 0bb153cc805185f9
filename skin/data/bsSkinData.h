#pragma once
// The skin data component: one loaded skin with its pictures, the window frame geometry of
// [FORMINFO], the popup- and hint-window records and the object and control records, looked up
// by name. It loads from a stored or a compressed stored skin and tells every form before and
// after it changes.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/IniFile.h"
#include "platform/core/StringList.h"
#include "platform/forms/Component.h"
#include "platform/gfx/Bitmap.h"
#include "skin/data/bsSkinDataRecords.h"
#include "skin/data/bsSkinDataStored.h"
#include "skin/data/bsSkinFile.h"

namespace skin {

// Skin-change messages, sent with the skin data as first parameter.
inline constexpr uint32_t SkinBeforeChange = 1225;
inline constexpr uint32_t SkinChange = 1226;
inline constexpr uint32_t SkinAfterChange = 1227;
// Second parameter of the skin-change messages.
inline constexpr intptr_t kSkinMessageTag = 1000;

class TbsSkinData : public platform::forms::TComponent {
public:
    explicit TbsSkinData(platform::forms::TComponent* owner = nullptr) : TComponent(owner) {}

    // Published. Setting a stored skin (not nil) loads it, except while the form is designed;
    // setting nil keeps the loaded skin. When the referenced component is freed the reference
    // is cleared and the loaded skin stays.
    [[nodiscard]] TbsStoredSkin* StoredSkin() const { return m_storedSkin; }
    void SetStoredSkin(TbsStoredSkin* value);
    [[nodiscard]] TbsCompressedStoredSkin* CompressedStoredSkin() const { return m_compressedStoredSkin; }
    void SetCompressedStoredSkin(TbsCompressedStoredSkin* value);

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

    void LoadFromStoredSkin(TbsStoredSkin* storedSkin);
    void LoadFromCompressedStoredSkin(TbsCompressedStoredSkin* compressedSkin);
    // Frees all records and pictures and forgets every value of the last skin.
    void ClearSkin();

    void LoadFormInfo(const TCustomIniFile& ini);
    void LoadSkinObjects(const TCustomIniFile& ini);
    void LoadSkinControls(const TCustomIniFile& ini);

    // Sends msg synchronously, with this skin data as first parameter and kSkinMessageTag as
    // second, to the owner's window when the owner is a form, then to every other form of the
    // application in the platform's form order.
    void BroadcastSkinMessage(uint32_t msg);

    // Why the last load left the skin empty (empty after a good load).
    [[nodiscard]] const std::string& LoadProblem() const { return m_loadProblem; }

protected:
    void Notification(platform::forms::TComponent* component, platform::forms::TOperation operation) override;

private:
    // Steps shared by both loaders: the version texts and picture names, then (with the pictures
    // in place) the frame geometry and all records.
    void LoadDescription(const TCustomIniFile& ini);
    void LoadRecords(const TCustomIniFile& ini);
    void ResetFormInfo();

    TbsStoredSkin* m_storedSkin = nullptr;
    TbsCompressedStoredSkin* m_compressedStoredSkin = nullptr;
    std::string m_loadProblem;
};

}  // namespace skin
