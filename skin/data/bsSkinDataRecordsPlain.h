#pragma once
// Control records derived straight from the control record: bevel, grid, main menu bar, slider,
// standard label, tab control, tree view, list view and rich edit.

#include "skin/data/bsSkinDataRecordBase.h"

namespace skin {

class TbsDataSkinBevel : public TbsDataSkinControl {
public:
    using TbsDataSkinControl::TbsDataSkinControl;
    TColor lightcolor = 0, darkcolor = 0;
    void VisitKeys(TbsSkinKeyVisitor& v) override;
};

class TbsDataSkinGridControl : public TbsDataSkinControl {
public:
    using TbsDataSkinControl::TbsDataSkinControl;
    TRect fixedcellrect, selectcellrect, focuscellrect;
    int32_t fixedcellleftoffset = 0, fixedcellrightoffset = 0;
    TRect fixedcelltextrect;
    int32_t cellleftoffset = 0, cellrightoffset = 0;
    TRect celltextrect;
    TColor linescolor = 0, bgcolor = 0;
    std::string fontname = "Arial";
    int32_t fontheight = 14;
    TFontStyles fontstyle = 0;
    TColor fontcolor = 0, selectfontcolor = 0, focusfontcolor = 0;
    std::string fixedfontname = "Arial";
    int32_t fixedfontheight = 14;
    TFontStyles fixedfontstyle = 0;
    TColor fixedfontcolor = 0;
    void VisitKeys(TbsSkinKeyVisitor& v) override;
};

class TbsDataSkinMainMenuBar : public TbsDataSkinControl {
public:
    using TbsDataSkinControl::TbsDataSkinControl;
    TRect itemsrect;
    // Names of object records.
    std::string menubaritem, closebutton, minbutton, maxbutton, sysmenubutton;
    TColor trackmarkcolor = 0, trackmarkactivecolor = 0;
    void VisitKeys(TbsSkinKeyVisitor& v) override;
};

class TbsDataSkinSlider : public TbsDataSkinControl {
public:
    using TbsDataSkinControl::TbsDataSkinControl;
    TColor bgcolor = 0;
    TRect hrulerrect, hthumbrect, vrulerrect, vthumbrect;
    int32_t edgesize = 0;
    TColor pointscolor = 0;
    void VisitKeys(TbsSkinKeyVisitor& v) override;
};

class TbsDataSkinStdLabelControl : public TbsDataSkinControl {
public:
    using TbsDataSkinControl::TbsDataSkinControl;
    static constexpr TColor kDefaultActiveFontColor = 16711680;  // pure blue
    std::string fontname = "Arial";
    int32_t fontheight = 14;
    TFontStyles fontstyle = 0;
    TColor fontcolor = 0;
    TColor activefontcolor = kDefaultActiveFontColor;
    void VisitKeys(TbsSkinKeyVisitor& v) override;
};

class TbsDataSkinTabControl : public TbsDataSkinControl {
public:
    using TbsDataSkinControl::TbsDataSkinControl;
    TRect tabrect, activetabrect, focustabrect, mouseintabrect;
    TRect clientrect;
    int32_t bgpictureindex = -1;
    TPoint lefttoppoint, righttoppoint, leftbottompoint, rightbottompoint;
    int32_t tableftoffset = 0, tabrightoffset = 0;
    TRect tabsbgrect;
    std::string fontname = "Arial";
    int32_t fontheight = 14;
    TFontStyles fontstyle = 0;
    TColor fontcolor = 0, activefontcolor = 0, focusfontcolor = 0, mouseinfontcolor = 0;
    std::string updown;  // the up-down control record for scrolling tabs
    void VisitKeys(TbsSkinKeyVisitor& v) override;
};

// Shared by the tree view, list view and rich edit records.
class TbsDataSkinTextViewControl : public TbsDataSkinControl {
public:
    using TbsDataSkinControl::TbsDataSkinControl;
    std::string fontname = "Arial";
    int32_t fontheight = 14;
    TFontStyles fontstyle = 0;
    TColor fontcolor = 0;
    TColor bgcolor = 0;
    void VisitKeys(TbsSkinKeyVisitor& v) override;
};

class TbsDataSkinTreeView : public TbsDataSkinTextViewControl {
public:
    using TbsDataSkinTextViewControl::TbsDataSkinTextViewControl;
};

class TbsDataSkinListView : public TbsDataSkinTextViewControl {
public:
    using TbsDataSkinTextViewControl::TbsDataSkinTextViewControl;
};

class TbsDataSkinRichEdit : public TbsDataSkinTextViewControl {
public:
    using TbsDataSkinTextViewControl::TbsDataSkinTextViewControl;
};

}  // namespace skin
