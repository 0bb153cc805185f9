#include "skin/data/bsSkinDataRecordsBoxes.h"

namespace skin {

void TbsDataSkinComboBox::VisitKeys(TbsSkinKeyVisitor& v) {
    TbsDataSkinCustomControl::VisitKeys(v);
    v.Rect("itemrect", itemrect);
    v.Rect("focusitemrect", focusitemrect);
    v.Integer("itemleftoffset", itemleftoffset, 0);
    v.Integer("itemrightoffset", itemrightoffset, 0);
    v.Rect("itemtextrect", itemtextrect);
    VisitFontKeys(v, fontname, fontheight, fontstyle, fontcolor);
    v.Color("focusfontcolor", focusfontcolor, 0);
    if (v.Reading()) v.Text("listboxname", listboxname, "");
    v.Rect("buttonrect", buttonrect);
    v.Rect("activebuttonrect", activebuttonrect);
    v.Rect("downbuttonrect", downbuttonrect);
    v.Rect("unenabledbuttonrect", unenabledbuttonrect);
    if (!v.Reading()) v.Text("listboxname", listboxname, "");
}

void TbsDataSkinListBox::VisitKeys(TbsSkinKeyVisitor& v) {
    TbsDataSkinCustomControl::VisitKeys(v);
    v.Rect("itemrect", itemrect);
    v.Rect("activeitemrect", activeitemrect);
    v.Rect("focusitemrect", focusitemrect);
    v.Integer("itemleftoffset", itemleftoffset, 0);
    v.Integer("itemrightoffset", itemrightoffset, 0);
    v.Rect("itemtextrect", itemtextrect);
    VisitFontKeys(v, fontname, fontheight, fontstyle, fontcolor);
    v.Color("activefontcolor", activefontcolor, 0);
    v.Color("focusfontcolor", focusfontcolor, 0);
    v.Rect("captionrect", captionrect);
    v.Text("captionfontname", captionfontname, "Arial");
    v.Integer("captionfontheight", captionfontheight, 14);
    v.FontStyle("captionfontstyle", captionfontstyle);
    v.Color("captionfontcolor", captionfontcolor, 0);
    v.Rect("upbuttonrect", upbuttonrect);
    v.Rect("activeupbuttonrect", activeupbuttonrect);
    v.Rect("downupbuttonrect", downupbuttonrect);
    v.Rect("downbuttonrect", downbuttonrect);
    v.Rect("activedownbuttonrect", activedownbuttonrect);
    v.Rect("downdownbuttonrect", downdownbuttonrect);
    v.Rect("checkbuttonrect", checkbuttonrect);
    v.Rect("activecheckbuttonrect", activecheckbuttonrect);
    v.Rect("downcheckbuttonrect", downcheckbuttonrect);
    v.Text("vscrollbarname", vscrollbarname, "vscrollbar");
    v.Text("hscrollbarname", hscrollbarname, "hscrollbar");
    v.Text("bothhscrollbarname", bothhscrollbarname, "bothhscrollbar");
}

void TbsDataSkinCheckListBox::VisitKeys(TbsSkinKeyVisitor& v) {
    TbsDataSkinListBox::VisitKeys(v);
    v.Rect("itemcheckrect", itemcheckrect);
    v.Rect("checkimagerect", checkimagerect);
    v.Rect("uncheckimagerect", uncheckimagerect);
}

void TbsDataSkinEditControl::VisitKeys(TbsSkinKeyVisitor& v) {
    TbsDataSkinCustomControl::VisitKeys(v);
    v.Rect("activeskinrect", activeskinrect);
    VisitFontKeys(v, fontname, fontheight, fontstyle, fontcolor);
    v.Color("disabledfontcolor", disabledfontcolor, 0);
    v.Color("activefontcolor", activefontcolor, 0);
    v.Rect("buttonrect", buttonrect);
    v.Rect("activebuttonrect", activebuttonrect);
    v.Rect("downbuttonrect", downbuttonrect);
    v.Rect("unenabledbuttonrect", unenabledbuttonrect);
}

void TbsDataSkinMemoControl::VisitKeys(TbsSkinKeyVisitor& v) {
    TbsDataSkinEditControl::VisitKeys(v);
    v.Color("bgcolor", bgcolor, 0);
    v.Color("activebgcolor", activebgcolor, 0);
}

void TbsDataSkinSpinEditControl::VisitKeys(TbsSkinKeyVisitor& v) {
    TbsDataSkinCustomControl::VisitKeys(v);
    v.Rect("activeskinrect", activeskinrect);
    VisitFontKeys(v, fontname, fontheight, fontstyle, fontcolor);
    v.Color("activefontcolor", activefontcolor, 0);
    v.Color("disabledfontcolor", disabledfontcolor, 0);
    v.Rect("upbuttonrect", upbuttonrect);
    v.Rect("activeupbuttonrect", activeupbuttonrect);
    v.Rect("downupbuttonrect", downupbuttonrect);
    v.Rect("downbuttonrect", downbuttonrect);
    v.Rect("activedownbuttonrect", activedownbuttonrect);
    v.Rect("downdownbuttonrect", downdownbuttonrect);
}

}  // namespace skin
