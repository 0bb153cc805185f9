#pragma once
// Control records derived from the custom-control record: buttons, check boxes, panels, gauges,
// labels, splitters, track bars, control bars, scroll bars, scroll boxes and the up-down.

#include "skin/data/bsSkinDataRecordBase.h"

namespace skin {

class TbsDataSkinButtonControl : public TbsDataSkinCustomControl {
public:
    using TbsDataSkinCustomControl::TbsDataSkinCustomControl;
    std::string fontname = "Arial";
    int32_t fontheight = 14;
    TFontStyles fontstyle = 0;
    TColor fontcolor = 0, activefontcolor = 0, downfontcolor = 0, disabledfontcolor = 0;
    TRect activeskinrect, downskinrect, disabledskinrect;
    bool morphing = false;
    TbsMorphKind morphkind = mkDefault;
    void VisitKeys(TbsSkinKeyVisitor& v) override;
};

class TbsDataSkinMenuButtonControl : public TbsDataSkinButtonControl {
public:
    using TbsDataSkinButtonControl::TbsDataSkinButtonControl;
    TRect trackbuttonrect;
    void VisitKeys(TbsSkinKeyVisitor& v) override;
};

class TbsDataSkinCheckRadioControl : public TbsDataSkinCustomControl {
public:
    using TbsDataSkinCustomControl::TbsDataSkinCustomControl;
    std::string fontname = "Arial";
    int32_t fontheight = 14;
    TFontStyles fontstyle = 0;
    TColor fontcolor = 0, activefontcolor = 0, unenabledfontcolor = 0, framefontcolor = 0;
    TRect activeskinrect, checkimagearea, textarea, checkimagerect, uncheckimagerect, activecheckimagerect,
        activeuncheckimagerect, unenabledcheckimagerect, unenableduncheckimagerect;
    bool morphing = false;
    TbsMorphKind morphkind = mkDefault;
    void VisitKeys(TbsSkinKeyVisitor& v) override;
};

class TbsDataSkinPanelControl : public TbsDataSkinCustomControl {
public:
    using TbsDataSkinCustomControl::TbsDataSkinCustomControl;
    int32_t bgpictureindex = -1;
    TRect captionrect;
    TAlignment alignment = taCenter;
    std::string fontname = "Arial";
    int32_t fontheight = 14;
    TFontStyles fontstyle = 0;
    TColor fontcolor = 0;
    TRect checkimagerect, uncheckimagerect;
    void VisitKeys(TbsSkinKeyVisitor& v) override;
};

class TbsDataSkinExPanelControl : public TbsDataSkinCustomControl {
public:
    using TbsDataSkinCustomControl::TbsDataSkinCustomControl;
    TRect rollhskinrect, rollvskinrect;
    int32_t rollleftoffset = 0, rollrightoffset = 0, rolltopoffset = 0, rollbottomoffset = 0;
    TRect rollvcaptionrect, rollhcaptionrect;
    TRect closebuttonrect, closebuttonactiverect, closebuttondownrect;
    TRect hrollbuttonrect, hrollbuttonactiverect, hrollbuttondownrect;
    TRect hrestorebuttonrect, hrestorebuttonactiverect, hrestorebuttondownrect;
    TRect vrollbuttonrect, vrollbuttonactiverect, vrollbuttondownrect;
    TRect vrestorebuttonrect, vrestorebuttonactiverect, vrestorebuttondownrect;
    TRect captionrect;
    std::string fontname = "Arial";
    int32_t fontheight = 14;
    TFontStyles fontstyle = 0;
    TColor fontcolor = 0;
    void VisitKeys(TbsSkinKeyVisitor& v) override;
};

class TbsDataSkinGaugeControl : public TbsDataSkinCustomControl {
public:
    using TbsDataSkinCustomControl::TbsDataSkinCustomControl;
    TRect progressarea, progressrect;
    int32_t beginoffset = 0, endoffset = 0;
    bool vertical = false;
    std::string fontname = "Arial";
    int32_t fontheight = 14;
    TFontStyles fontstyle = 0;
    TColor fontcolor = 0;
    void VisitKeys(TbsSkinKeyVisitor& v) override;
};

class TbsDataSkinLabelControl : public TbsDataSkinCustomControl {
public:
    using TbsDataSkinCustomControl::TbsDataSkinCustomControl;
    std::string fontname = "Arial";
    int32_t fontheight = 14;
    TFontStyles fontstyle = 0;
    TColor fontcolor = 0;
    void VisitKeys(TbsSkinKeyVisitor& v) override;
};

class TbsDataSkinSplitterControl : public TbsDataSkinCustomControl {
public:
    using TbsDataSkinCustomControl::TbsDataSkinCustomControl;
};

class TbsDataSkinTrackBarControl : public TbsDataSkinCustomControl {
public:
    using TbsDataSkinCustomControl::TbsDataSkinCustomControl;
    TRect trackarea, buttonrect, activebuttonrect;
    bool vertical = false;
    void VisitKeys(TbsSkinKeyVisitor& v) override;
};

class TbsDataSkinControlBar : public TbsDataSkinCustomControl {
public:
    using TbsDataSkinCustomControl::TbsDataSkinCustomControl;
    TRect itemrect;
    int32_t bgpictureindex = -1;
    void VisitKeys(TbsSkinKeyVisitor& v) override;
};

class TbsDataSkinScrollBarControl : public TbsDataSkinCustomControl {
public:
    using TbsDataSkinCustomControl::TbsDataSkinCustomControl;
    TRect trackarea;
    TRect upbuttonrect, activeupbuttonrect, downupbuttonrect;
    TRect downbuttonrect, activedownbuttonrect, downdownbuttonrect;
    TRect thumbrect, activethumbrect, downthumbrect;
    int32_t thumboffset1 = 0, thumboffset2 = 0;
    TRect glyphrect, activeglyphrect, downglyphrect;
    void VisitKeys(TbsSkinKeyVisitor& v) override;
};

class TbsDataSkinScrollBoxControl : public TbsDataSkinCustomControl {
public:
    using TbsDataSkinCustomControl::TbsDataSkinCustomControl;
    int32_t bgpictureindex = -1;
    void VisitKeys(TbsSkinKeyVisitor& v) override;
};

// The up-down keeps no corner points and no client rectangle: whatever its section says for them
// is read and then reset to zero.
class TbsDataSkinUpDownControl : public TbsDataSkinCustomControl {
public:
    using TbsDataSkinCustomControl::TbsDataSkinCustomControl;
    TRect upbuttonrect, activeupbuttonrect, downupbuttonrect;
    TRect downbuttonrect, activedownbuttonrect, downdownbuttonrect;
    void LoadFromIni(const TCustomIniFile& ini) override;
    void VisitKeys(TbsSkinKeyVisitor& v) override;
};

}  // namespace skin
