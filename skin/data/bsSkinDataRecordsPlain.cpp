#include "skin/data/bsSkinDataRecordsPlain.h"

namespace skin {

void TbsDataSkinBevel::VisitKeys(TbsSkinKeyVisitor& v) {
    TbsDataSkinControl::VisitKeys(v);
    v.Color("lightcolor", lightcolor, 0);
    v.Color("darkcolor", darkcolor, 0);
}

void TbsDataSkinGridControl::VisitKeys(TbsSkinKeyVisitor& v) {
    TbsDataSkinControl::VisitKeys(v);
    v.Rect("fixedcellrect", fixedcellrect);
    v.Rect("selectcellrect", selectcellrect);
    v.Rect("focuscellrect", focuscellrect);
    v.Integer("fixedcellleftoffset", fixedcellleftoffset, 0);
    v.Integer("fixedcellrightoffset", fixedcellrightoffset, 0);
    v.Rect("fixedcelltextrect", fixedcelltextrect);
    v.Integer("cellleftoffset", cellleftoffset, 0);
    v.Integer("cellrightoffset", cellrightoffset, 0);
    v.Rect("celltextrect", celltextrect);
    v.Color("linescolor", linescolor, 0);
    v.Color("bgcolor", bgcolor, 0);
    VisitFontKeys(v, fontname, fontheight, fontstyle, fontcolor);
    v.Color("selectfontcolor", selectfontcolor, 0);
    v.Color("focusfontcolor", focusfontcolor, 0);
    v.Text("fixedfontname", fixedfontname, "Arial");
    v.Integer("fixedfontheight", fixedfontheight, 14);
    v.FontStyle("fixedfontstyle", fixedfontstyle);
    v.Color("fixedfontcolor", fixedfontcolor, 0);
}

void TbsDataSkinMainMenuBar::VisitKeys(TbsSkinKeyVisitor& v) {
    TbsDataSkinControl::VisitKeys(v);
    v.Rect("itemsrect", itemsrect);
    v.Text("menubaritem", menubaritem, "");
    v.Text("closebutton", closebutton, "");
    v.Text("minbutton", minbutton, "");
    v.Text("maxbutton", maxbutton, "");
    v.Text("sysmenubutton", sysmenubutton, "");
    v.Color("trackmarkcolor", trackmarkcolor, 0);
    v.Color("trackmarkactivecolor", trackmarkactivecolor, 0);
}

void TbsDataSkinSlider::VisitKeys(TbsSkinKeyVisitor& v) {
    TbsDataSkinControl::VisitKeys(v);
    v.Color("bgcolor", bgcolor, 0);
    v.Rect("hrulerrect", hrulerrect);
    v.Rect("hthumbrect", hthumbrect);
    v.Rect("vrulerrect", vrulerrect);
    v.Rect("vthumbrect", vthumbrect);
    v.Integer("edgesize", edgesize, 0);
    v.Color("pointscolor", pointscolor, 0);
}

void TbsDataSkinStdLabelControl::VisitKeys(TbsSkinKeyVisitor& v) {
    TbsDataSkinControl::VisitKeys(v);
    VisitFontKeys(v, fontname, fontheight, fontstyle, fontcolor);
    v.Color("activefontcolor", activefontcolor, kDefaultActiveFontColor);
}

void TbsDataSkinTabControl::VisitKeys(TbsSkinKeyVisitor& v) {
    TbsDataSkinControl::VisitKeys(v);
    v.Rect("tabrect", tabrect);
    v.Rect("activetabrect", activetabrect);
    v.Rect("focustabrect", focustabrect);
    v.Rect("mouseintabrect", mouseintabrect);
    v.Rect("clientrect", clientrect);
    v.Integer("bgpictureindex", bgpictureindex, -1);
    VisitCornerKeys(v, lefttoppoint, righttoppoint, leftbottompoint, rightbottompoint);
    v.Integer("tableftoffset", tableftoffset, 0);
    v.Integer("tabrightoffset", tabrightoffset, 0);
    v.Rect("tabsbgrect", tabsbgrect);
    VisitFontKeys(v, fontname, fontheight, fontstyle, fontcolor);
    v.Color("activefontcolor", activefontcolor, 0);
    v.Color("focusfontcolor", focusfontcolor, 0);
    v.Color("mouseinfontcolor", mouseinfontcolor, 0);
    v.Text("updown", updown, "");
}

void TbsDataSkinTextViewControl::VisitKeys(TbsSkinKeyVisitor& v) {
    TbsDataSkinControl::VisitKeys(v);
    VisitFontKeys(v, fontname, fontheight, fontstyle, fontcolor);
    v.Color("bgcolor", bgcolor, 0);
}

}  // namespace skin
