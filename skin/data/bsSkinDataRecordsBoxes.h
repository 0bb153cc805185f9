#pragma once
// Control records of the box controls: combo box, list boxes, edits, memo and spin edit.

#include "skin/data/bsSkinDataRecordBase.h"

namespace skin {

// Writes `listboxname` last, after the button rectangles, though it reads it among the fonts.
class TbsDataSkinComboBox : public TbsDataSkinCustomControl {
public:
    using TbsDataSkinCustomControl::TbsDataSkinCustomControl;
    TRect itemrect, focusitemrect;
    int32_t itemleftoffset = 0, itemrightoffset = 0;
    TRect itemtextrect;
    std::string fontname = "Arial";
    int32_t fontheight = 14;
    TFontStyles fontstyle = 0;
    TColor fontcolor = 0, focusfontcolor = 0;
    std::string listboxname;
    TRect buttonrect, activebuttonrect, downbuttonrect, unenabledbuttonrect;
    void VisitKeys(TbsSkinKeyVisitor& v) override;
};

class TbsDataSkinListBox : public TbsDataSkinCustomControl {
public:
    using TbsDataSkinCustomControl::TbsDataSkinCustomControl;
    TRect itemrect, activeitemrect, focusitemrect;
    int32_t itemleftoffset = 0, itemrightoffset = 0;
    TRect itemtextrect;
    std::string fontname = "Arial";
    int32_t fontheight = 14;
    TFontStyles fontstyle = 0;
    TColor fontcolor = 0, activefontcolor = 0, focusfontcolor = 0;
    TRect captionrect;
    std::string captionfontname = "Arial";
    int32_t captionfontheight = 14;
    TFontStyles captionfontstyle = 0;
    TColor captionfontcolor = 0;
    TRect upbuttonrect, activeupbuttonrect, downupbuttonrect;
    TRect downbuttonrect, activedownbuttonrect, downdownbuttonrect;
    TRect checkbuttonrect, activecheckbuttonrect, downcheckbuttonrect;
    std::string vscrollbarname = "vscrollbar";
    std::string hscrollbarname = "hscrollbar";
    std::string bothhscrollbarname = "bothhscrollbar";
    void VisitKeys(TbsSkinKeyVisitor& v) override;
};

class TbsDataSkinCheckListBox : public TbsDataSkinListBox {
public:
    using TbsDataSkinListBox::TbsDataSkinListBox;
    TRect itemcheckrect, checkimagerect, uncheckimagerect;
    void VisitKeys(TbsSkinKeyVisitor& v) override;
};

class TbsDataSkinEditControl : public TbsDataSkinCustomControl {
public:
    using TbsDataSkinCustomControl::TbsDataSkinCustomControl;
    TRect activeskinrect;
    std::string fontname = "Arial";
    int32_t fontheight = 14;
    TFontStyles fontstyle = 0;
    TColor fontcolor = 0, disabledfontcolor = 0, activefontcolor = 0;
    TRect buttonrect, activebuttonrect, downbuttonrect, unenabledbuttonrect;
    void VisitKeys(TbsSkinKeyVisitor& v) override;
};

class TbsDataSkinMemoControl : public TbsDataSkinEditControl {
public:
    using TbsDataSkinEditControl::TbsDataSkinEditControl;
    TColor bgcolor = 0, activebgcolor = 0;
    void VisitKeys(TbsSkinKeyVisitor& v) override;
};

class TbsDataSkinSpinEditControl : public TbsDataSkinCustomControl {
public:
    using TbsDataSkinCustomControl::TbsDataSkinCustomControl;
    TRect activeskinrect;
    std::string fontname = "Arial";
    int32_t fontheight = 14;
    TFontStyles fontstyle = 0;
    TColor fontcolor = 0, activefontcolor = 0, disabledfontcolor = 0;
    TRect upbuttonrect, activeupbuttonrect, downupbuttonrect;
    TRect downbuttonrect, activedownbuttonrect, downdownbuttonrect;
    void VisitKeys(TbsSkinKeyVisitor& v) override;
};

}  // namespace skin
