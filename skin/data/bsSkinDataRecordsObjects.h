#pragma once
// Records of the window frame's objects ([SKINOBJECTS]): buttons, caption, animation, menu items
// and user objects.

#include "skin/data/bsSkinDataRecordBase.h"

namespace skin {

class TbsDataSkinButton : public TbsDataSkinObject {
public:
    using TbsDataSkinObject::TbsDataSkinObject;
    TRect downrect;
    TRect disableskinrsect;  // the key is spelt so in every skin
    void VisitKeys(TbsSkinKeyVisitor& v) override;
};

class TbsDataSkinStdButton : public TbsDataSkinButton {
public:
    using TbsDataSkinButton::TbsDataSkinButton;
    TbsStdCommand command = cmDefault;
    TRect restorerect, restoreactiverect, restoredownrect, restoreinactiverect;
    void VisitKeys(TbsSkinKeyVisitor& v) override;
};

class TbsDataSkinMainMenuBarButton : public TbsDataSkinStdButton {
public:
    using TbsDataSkinStdButton::TbsDataSkinStdButton;
};

class TbsDataSkinCaption : public TbsDataSkinObject {
public:
    using TbsDataSkinObject::TbsDataSkinObject;
    TRect textrect;
    std::string fontname = "Arial";
    int32_t fontheight = 14;
    TFontStyles fontstyle = 0;
    TColor fontcolor = 0, activefontcolor = 0;
    TAlignment alignment = taCenter;
    bool shadow = false;
    TColor shadowcolor = 0, activeshadowcolor = 0;
    TRect framerect, activeframerect, frametextrect;
    int32_t frameleftoffset = 0, framerightoffset = 0;
    void VisitKeys(TbsSkinKeyVisitor& v) override;
};

// An animation never morphs, whatever its section says.
class TbsDataSkinAnimate : public TbsDataSkinObject {
public:
    using TbsDataSkinObject::TbsDataSkinObject;
    int32_t countframes = 1;
    bool cycle = false;
    bool buttonstyle = false;
    int32_t timerinterval = 50;
    TbsStdCommand command = cmDefault;
    void LoadFromIni(const TCustomIniFile& ini) override;
    void VisitKeys(TbsSkinKeyVisitor& v) override;
};

class TbsDataSkinMenuItem : public TbsDataSkinObject {
public:
    using TbsDataSkinObject::TbsDataSkinObject;
    int32_t itemleftoffset = 0, itemrightoffset = 0;
    TRect dividerrect;
    int32_t dividerleftoffset = 0, dividerrightoffset = 0;
    TRect textrect;
    std::string fontname = "Arial";
    int32_t fontheight = 14;
    TFontStyles fontstyle = 0;
    TColor fontcolor = 0, activefontcolor = 0, unenabledfontcolor = 0;
    void VisitKeys(TbsSkinKeyVisitor& v) override;
};

class TbsDataSkinMainMenuItem : public TbsDataSkinObject {
public:
    using TbsDataSkinObject::TbsDataSkinObject;
    int32_t itemleftoffset = 0, itemrightoffset = 0;
    TRect downrect, textrect;
    std::string fontname = "Arial";
    int32_t fontheight = 14;
    TFontStyles fontstyle = 0;
    TColor fontcolor = 0, activefontcolor = 0, downfontcolor = 0;
    TColor unenabledfontColor = 0;  // written with a capital C, as skins have it
    void VisitKeys(TbsSkinKeyVisitor& v) override;
};

class TbsDataSkinMainMenuBarItem : public TbsDataSkinMainMenuItem {
public:
    using TbsDataSkinMainMenuItem::TbsDataSkinMainMenuItem;
};

// Reads and writes only `skinrect`; none of the object keys.
class TbsDataUserObject : public TbsDataSkinObject {
public:
    using TbsDataSkinObject::TbsDataSkinObject;
    void VisitKeys(TbsSkinKeyVisitor& v) override;
};

}  // namespace skin
