#pragma once
// A skin being built: its pictures, the [FORMINFO] values, the popup- and hint-window records and
// the object and control records (the skin data layer's own record classes, so that every key is
// written with its exact name and syntax).

#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "platform/gfx/Bitmap.h"
#include "skin/data/bsSkinDataRecords.h"

namespace skingen {

using platform::core::TPoint;
using platform::core::TRect;
using platform::gfx::TBitmap;

struct TSkinPicture {
    std::string FileName;
    TBitmap Bitmap;
    // 24 for pictures; 1 or 4 for masks, which hold only black (inside) and white.
    int BitCount = 24;
};

// The [FORMINFO] keys, in the order a skin lists them.
struct TFormInfo {
    TPoint lefttoppoint, righttoppoint, leftbottompoint, rightbottompoint;
    TRect clientrect;
    int bgpictureindex = -1;
    int mdibgpictureindex = -1;
    bool leftstretch = false, rightstretch = false, topstretch = false, bottomstretch = false;
    TRect maskrectarea;
    TPoint hittestlefttoppoint, hittestrighttoppoint, hittestleftbottompoint, hittestrightbottompoint;
    TRect buttonsrect, captionrect;
    int buttonsoffset = 0;
    bool buttonsinleft = false;
    bool mainmenupopupup = false;
    int borderwidth = 0;
    bool autorenderinginactiveimage = false;
    skin::TbsInactiveEffect inactiveeffect = skin::ieBrightness;
};

struct TSkinEntry {
    std::string Kind;
    std::unique_ptr<skin::TbsDataSkinRecord> Record;
};

class TSkinModel {
public:
    // [VERSION]
    std::string Version = "1";
    std::string SkinName, SkinAuthor, AuthorEmail, AuthorUrl, SkinComments;

    TSkinPicture Main;
    TSkinPicture Mask;
    std::vector<TSkinPicture> Pictures;  // the numbered pictures

    TFormInfo FormInfo;
    skin::TbsDataSkinPopupWindow PopupWindow;
    skin::TbsDataSkinHintWindow HintWindow;
    std::vector<TSkinEntry> Objects;
    std::vector<TSkinEntry> Controls;

    // Index of the numbered picture added.
    int AddPicture(std::string fileName, TBitmap bitmap, int bitCount = 24);

    template <class TRecord>
    TRecord& AddObject(std::string name, std::string_view kind) {
        return Add<TRecord>(Objects, skin::CreateSkinObjectRecord(kind, std::move(name)), kind);
    }
    template <class TRecord>
    TRecord& AddControl(std::string name, std::string_view kind) {
        return Add<TRecord>(Controls, skin::CreateSkinControlRecord(kind, std::move(name)), kind);
    }

private:
    template <class TRecord, class TBase>
    TRecord& Add(std::vector<TSkinEntry>& list, std::unique_ptr<TBase> created, std::string_view kind) {
        auto* typed = dynamic_cast<TRecord*>(created.get());
        if (!typed) throw std::logic_error("record kind \"" + std::string(kind) + "\" has another class");
        list.push_back({std::string(kind), std::move(created)});
        return *typed;
    }
};

// The description text (skin.ini) of a model: every section and key, lines ending in CR LF.
[[nodiscard]] std::string SkinDescriptionText(TSkinModel& model);

// Writes a skin folder: skin.ini and every picture. The folder is replaced as a whole (built
// beside it, then renamed), so it is never left half-written. A folder that exists and holds
// anything but a skin (no skin.ini) is refused rather than replaced.
bool WriteSkinFolder(TSkinModel& model, const std::string& folder, std::string* error);

// A BMP of a mask picture: 1 or 4 bits per pixel, black for the inside, white elsewhere.
[[nodiscard]] std::vector<uint8_t> EncodeMaskBmp(const TBitmap& bitmap, int bitCount);

}  // namespace skingen
