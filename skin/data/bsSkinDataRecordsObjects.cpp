#include "skin/data/bsSkinDataRecordsObjects.h"

namespace skin {

void TbsDataSkinButton::VisitKeys(TbsSkinKeyVisitor& v) {
    TbsDataSkinObject::VisitKeys(v);
    v.Rect("downrect", downrect);
    v.Rect("disableskinrsect", disableskinrsect);
}

void TbsDataSkinStdButton::VisitKeys(TbsSkinKeyVisitor& v) {
    TbsDataSkinButton::VisitKeys(v);
    v.Command("command", command);
    v.Rect("restorerect", restorerect);
    v.Rect("restoreactiverect", restoreactiverect);
    v.Rect("restoredownrect", restoredownrect);
    v.Rect("restoreinactiverect", restoreinactiverect);
}

void TbsDataSkinCaption::VisitKeys(TbsSkinKeyVisitor& v) {
    TbsDataSkinObject::VisitKeys(v);
    v.Rect("textrect", textrect);
    VisitFontKeys(v, fontname, fontheight, fontstyle, fontcolor);
    v.Color("activefontcolor", activefontcolor, 0);
    v.Alignment("alignment", alignment);
    v.Flag("shadow", shadow);
    v.Color("shadowcolor", shadowcolor, 0);
    v.Color("activeshadowcolor", activeshadowcolor, 0);
    v.Rect("framerect", framerect);
    v.Rect("activeframerect", activeframerect);
    v.Rect("frametextrect", frametextrect);
    v.Integer("frameleftoffset", frameleftoffset, 0);
    v.Integer("framerightoffset", framerightoffset, 0);
}

void TbsDataSkinAnimate::VisitKeys(TbsSkinKeyVisitor& v) {
    TbsDataSkinObject::VisitKeys(v);
    v.Integer("countframes", countframes, 1);
    v.Flag("cycle", cycle);
    v.Flag("buttonstyle", buttonstyle);
    v.Integer("timerinterval", timerinterval, 50);
    v.Command("command", command);
}

void TbsDataSkinAnimate::LoadFromIni(const TCustomIniFile& ini) {
    TbsDataSkinObject::LoadFromIni(ini);
    morphing = false;
}

void TbsDataSkinMenuItem::VisitKeys(TbsSkinKeyVisitor& v) {
    TbsDataSkinObject::VisitKeys(v);
    v.Integer("itemleftoffset", itemleftoffset, 0);
    v.Integer("itemrightoffset", itemrightoffset, 0);
    v.Rect("dividerrect", dividerrect);
    v.Integer("dividerleftoffset", dividerleftoffset, 0);
    v.Integer("dividerrightoffset", dividerrightoffset, 0);
    v.Rect("textrect", textrect);
    VisitFontKeys(v, fontname, fontheight, fontstyle, fontcolor);
    v.Color("activefontcolor", activefontcolor, 0);
    v.Color("unenabledfontcolor", unenabledfontcolor, 0);
}

void TbsDataSkinMainMenuItem::VisitKeys(TbsSkinKeyVisitor& v) {
    TbsDataSkinObject::VisitKeys(v);
    v.Integer("itemleftoffset", itemleftoffset, 0);
    v.Integer("itemrightoffset", itemrightoffset, 0);
    v.Rect("downrect", downrect);
    v.Rect("textrect", textrect);
    VisitFontKeys(v, fontname, fontheight, fontstyle, fontcolor);
    v.Color("activefontcolor", activefontcolor, 0);
    v.Color("downfontcolor", downfontcolor, 0);
    v.Color("unenabledfontColor", unenabledfontColor, 0);
}

void TbsDataUserObject::VisitKeys(TbsSkinKeyVisitor& v) {
    v.Rect("skinrect", skinrect);
}

}  // namespace skin
