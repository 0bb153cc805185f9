#include "skin/data/bsSkinDataRecordsCustom.h"

namespace skin {

void TbsDataSkinButtonControl::VisitKeys(TbsSkinKeyVisitor& v) {
    TbsDataSkinCustomControl::VisitKeys(v);
    VisitFontKeys(v, fontname, fontheight, fontstyle, fontcolor);
    v.Color("activefontcolor", activefontcolor, 0);
    v.Color("downfontcolor", downfontcolor, 0);
    v.Color("disabledfontcolor", disabledfontcolor, 0);
    v.Rect("activeskinrect", activeskinrect);
    v.Rect("downskinrect", downskinrect);
    v.Rect("disabledskinrect", disabledskinrect);
    v.Flag("morphing", morphing);
    v.MorphKind("morphkind", morphkind);
}

void TbsDataSkinMenuButtonControl::VisitKeys(TbsSkinKeyVisitor& v) {
    TbsDataSkinButtonControl::VisitKeys(v);
    v.Rect("trackbuttonrect", trackbuttonrect);
}

void TbsDataSkinCheckRadioControl::VisitKeys(TbsSkinKeyVisitor& v) {
    TbsDataSkinCustomControl::VisitKeys(v);
    VisitFontKeys(v, fontname, fontheight, fontstyle, fontcolor);
    v.Color("activefontcolor", activefontcolor, 0);
    v.Color("unenabledfontcolor", unenabledfontcolor, 0);
    v.Color("framefontcolor", framefontcolor, 0);
    v.Rect("activeskinrect", activeskinrect);
    v.Rect("checkimagearea", checkimagearea);
    v.Rect("textarea", textarea);
    v.Rect("checkimagerect", checkimagerect);
    v.Rect("uncheckimagerect", uncheckimagerect);
    v.Rect("activecheckimagerect", activecheckimagerect);
    v.Rect("activeuncheckimagerect", activeuncheckimagerect);
    v.Rect("unenabledcheckimagerect", unenabledcheckimagerect);
    v.Rect("unenableduncheckimagerect", unenableduncheckimagerect);
    v.Flag("morphing", morphing);
    v.MorphKind("morphkind", morphkind);
}

void TbsDataSkinPanelControl::VisitKeys(TbsSkinKeyVisitor& v) {
    TbsDataSkinCustomControl::VisitKeys(v);
    v.Integer("bgpictureindex", bgpictureindex, -1);
    v.Rect("captionrect", captionrect);
    v.Alignment("alignment", alignment);
    VisitFontKeys(v, fontname, fontheight, fontstyle, fontcolor);
    v.Rect("checkimagerect", checkimagerect);
    v.Rect("uncheckimagerect", uncheckimagerect);
}

void TbsDataSkinExPanelControl::VisitKeys(TbsSkinKeyVisitor& v) {
    TbsDataSkinCustomControl::VisitKeys(v);
    v.Rect("rollhskinrect", rollhskinrect);
    v.Rect("rollvskinrect", rollvskinrect);
    v.Integer("rollleftoffset", rollleftoffset, 0);
    v.Integer("rollrightoffset", rollrightoffset, 0);
    v.Integer("rolltopoffset", rolltopoffset, 0);
    v.Integer("rollbottomoffset", rollbottomoffset, 0);
    v.Rect("rollvcaptionrect", rollvcaptionrect);
    v.Rect("rollhcaptionrect", rollhcaptionrect);
    v.Rect("closebuttonrect", closebuttonrect);
    v.Rect("closebuttonactiverect", closebuttonactiverect);
    v.Rect("closebuttondownrect", closebuttondownrect);
    v.Rect("hrollbuttonrect", hrollbuttonrect);
    v.Rect("hrollbuttonactiverect", hrollbuttonactiverect);
    v.Rect("hrollbuttondownrect", hrollbuttondownrect);
    v.Rect("hrestorebuttonrect", hrestorebuttonrect);
    v.Rect("hrestorebuttonactiverect", hrestorebuttonactiverect);
    v.Rect("hrestorebuttondownrect", hrestorebuttondownrect);
    v.Rect("vrollbuttonrect", vrollbuttonrect);
    v.Rect("vrollbuttonactiverect", vrollbuttonactiverect);
    v.Rect("vrollbuttondownrect", vrollbuttondownrect);
    v.Rect("vrestorebuttonrect", vrestorebuttonrect);
    v.Rect("vrestorebuttonactiverect", vrestorebuttonactiverect);
    v.Rect("vrestorebuttondownrect", vrestorebuttondownrect);
    v.Rect("captionrect", captionrect);
    VisitFontKeys(v, fontname, fontheight, fontstyle, fontcolor);
}

void TbsDataSkinGaugeControl::VisitKeys(TbsSkinKeyVisitor& v) {
    TbsDataSkinCustomControl::VisitKeys(v);
    v.Rect("progressarea", progressarea);
    v.Rect("progressrect", progressrect);
    v.Integer("beginoffset", beginoffset, 0);
    v.Integer("endoffset", endoffset, 0);
    v.Flag("vertical", vertical);
    VisitFontKeys(v, fontname, fontheight, fontstyle, fontcolor);
}

void TbsDataSkinLabelControl::VisitKeys(TbsSkinKeyVisitor& v) {
    TbsDataSkinCustomControl::VisitKeys(v);
    VisitFontKeys(v, fontname, fontheight, fontstyle, fontcolor);
}

void TbsDataSkinTrackBarControl::VisitKeys(TbsSkinKeyVisitor& v) {
    TbsDataSkinCustomControl::VisitKeys(v);
    v.Rect("trackarea", trackarea);
    v.Rect("buttonrect", buttonrect);
    v.Rect("activebuttonrect", activebuttonrect);
    v.Flag("vertical", vertical);
}

void TbsDataSkinControlBar::VisitKeys(TbsSkinKeyVisitor& v) {
    TbsDataSkinCustomControl::VisitKeys(v);
    v.Rect("itemrect", itemrect);
    v.Integer("bgpictureindex", bgpictureindex, -1);
}

void TbsDataSkinScrollBarControl::VisitKeys(TbsSkinKeyVisitor& v) {
    TbsDataSkinCustomControl::VisitKeys(v);
    v.Rect("trackarea", trackarea);
    v.Rect("upbuttonrect", upbuttonrect);
    v.Rect("activeupbuttonrect", activeupbuttonrect);
    v.Rect("downupbuttonrect", downupbuttonrect);
    v.Rect("downbuttonrect", downbuttonrect);
    v.Rect("activedownbuttonrect", activedownbuttonrect);
    v.Rect("downdownbuttonrect", downdownbuttonrect);
    v.Rect("thumbrect", thumbrect);
    v.Rect("activethumbrect", activethumbrect);
    v.Rect("downthumbrect", downthumbrect);
    v.Integer("thumboffset1", thumboffset1, 0);
    v.Integer("thumboffset2", thumboffset2, 0);
    v.Rect("glyphrect", glyphrect);
    v.Rect("activeglyphrect", activeglyphrect);
    v.Rect("downglyphrect", downglyphrect);
}

void TbsDataSkinScrollBoxControl::VisitKeys(TbsSkinKeyVisitor& v) {
    TbsDataSkinCustomControl::VisitKeys(v);
    v.Integer("bgpictureindex", bgpictureindex, -1);
}

void TbsDataSkinUpDownControl::VisitKeys(TbsSkinKeyVisitor& v) {
    TbsDataSkinCustomControl::VisitKeys(v);
    v.Rect("upbuttonrect", upbuttonrect);
    v.Rect("activeupbuttonrect", activeupbuttonrect);
    v.Rect("downupbuttonrect", downupbuttonrect);
    v.Rect("downbuttonrect", downbuttonrect);
    v.Rect("activedownbuttonrect", activedownbuttonrect);
    v.Rect("downdownbuttonrect", downdownbuttonrect);
}

void TbsDataSkinUpDownControl::LoadFromIni(const TCustomIniFile& ini) {
    TbsDataSkinCustomControl::LoadFromIni(ini);
    lefttoppoint = righttoppoint = leftbottompoint = rightbottompoint = TPoint{};
    clientrect = TRect{};
}

}  // namespace skin
