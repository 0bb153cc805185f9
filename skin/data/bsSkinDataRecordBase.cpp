#include "skin/data/bsSkinDataRecordBase.h"

namespace skin {

void TbsSkinIniReader::Integer(std::string_view key, int32_t& value, int32_t def) {
    value = SkinReadInteger(m_ini, m_section, key, def);
}
void TbsSkinIniReader::Color(std::string_view key, TColor& value, TColor def) {
    value = SkinReadColor(m_ini, m_section, key, def);
}
void TbsSkinIniReader::Flag(std::string_view key, bool& value) {
    value = SkinReadFlag(m_ini, m_section, key);
}
void TbsSkinIniReader::Rect(std::string_view key, TRect& value) {
    value = SkinReadRect(m_ini, m_section, key);
}
void TbsSkinIniReader::Point(std::string_view key, TPoint& value) {
    value = SkinReadPoint(m_ini, m_section, key);
}
void TbsSkinIniReader::Text(std::string_view key, std::string& value, std::string_view def) {
    value = SkinReadText(m_ini, m_section, key, def);
}
void TbsSkinIniReader::FontStyle(std::string_view key, TFontStyles& value) {
    value = SkinReadFontStyles(m_ini, m_section, key);
}
void TbsSkinIniReader::Alignment(std::string_view key, TAlignment& value) {
    value = SkinReadAlignment(m_ini, m_section, key);
}
void TbsSkinIniReader::MorphKind(std::string_view key, TbsMorphKind& value) {
    value = SkinReadMorphKind(m_ini, m_section, key);
}
void TbsSkinIniReader::Command(std::string_view key, TbsStdCommand& value) {
    value = SkinReadCommand(m_ini, m_section, key);
}

void TbsSkinIniWriter::Integer(std::string_view key, int32_t& value, int32_t) {
    SkinWriteInteger(m_ini, m_section, key, value);
}
void TbsSkinIniWriter::Color(std::string_view key, TColor& value, TColor) {
    SkinWriteColor(m_ini, m_section, key, value);
}
void TbsSkinIniWriter::Flag(std::string_view key, bool& value) {
    SkinWriteFlag(m_ini, m_section, key, value);
}
void TbsSkinIniWriter::Rect(std::string_view key, TRect& value) {
    SkinWriteRect(m_ini, m_section, key, value);
}
void TbsSkinIniWriter::Point(std::string_view key, TPoint& value) {
    SkinWritePoint(m_ini, m_section, key, value);
}
void TbsSkinIniWriter::Text(std::string_view key, std::string& value, std::string_view) {
    SkinWriteText(m_ini, m_section, key, value);
}
void TbsSkinIniWriter::FontStyle(std::string_view key, TFontStyles& value) {
    SkinWriteFontStyles(m_ini, m_section, key, value);
}
void TbsSkinIniWriter::Alignment(std::string_view key, TAlignment& value) {
    SkinWriteAlignment(m_ini, m_section, key, value);
}
void TbsSkinIniWriter::MorphKind(std::string_view key, TbsMorphKind& value) {
    SkinWriteMorphKind(m_ini, m_section, key, value);
}
void TbsSkinIniWriter::Command(std::string_view key, TbsStdCommand& value) {
    SkinWriteCommand(m_ini, m_section, key, value);
}

void TbsDataSkinRecord::LoadFromIni(const TCustomIniFile& ini) {
    TbsSkinIniReader reader(ini, SectionName);
    VisitKeys(reader);
}

void TbsDataSkinRecord::SaveToIni(TCustomIniFile& ini) {
    ini.EraseSection(SectionName);
    TbsSkinIniWriter writer(ini, SectionName);
    VisitKeys(writer);
}

void VisitFontKeys(TbsSkinKeyVisitor& v, std::string& fontname, int32_t& fontheight, TFontStyles& fontstyle,
                   TColor& fontcolor) {
    v.Text("fontname", fontname, "Arial");
    v.Integer("fontheight", fontheight, 14);
    v.FontStyle("fontstyle", fontstyle);
    v.Color("fontcolor", fontcolor, 0);
}

void VisitStretchKeys(TbsSkinKeyVisitor& v, bool& leftstretch, bool& rightstretch, bool& topstretch,
                      bool& bottomstretch) {
    v.Flag("leftstretch", leftstretch);
    v.Flag("rightstretch", rightstretch);
    v.Flag("topstretch", topstretch);
    v.Flag("bottomstretch", bottomstretch);
}

void VisitCornerKeys(TbsSkinKeyVisitor& v, TPoint& lefttop, TPoint& righttop, TPoint& leftbottom,
                     TPoint& rightbottom) {
    v.Point("lefttoppoint", lefttop);
    v.Point("righttoppoint", righttop);
    v.Point("leftbottompoint", leftbottom);
    v.Point("rightbottompoint", rightbottom);
}

void TbsDataSkinControl::VisitKeys(TbsSkinKeyVisitor& v) {
    v.Integer("pictureindex", pictureindex, -1);
    v.Integer("maskpictureindex", maskpictureindex, -1);
    v.Rect("skinrect", skinrect);
}

void TbsDataSkinCustomControl::VisitKeys(TbsSkinKeyVisitor& v) {
    TbsDataSkinControl::VisitKeys(v);
    VisitCornerKeys(v, lefttoppoint, righttoppoint, leftbottompoint, rightbottompoint);
    v.Rect("clientrect", clientrect);
}

void TbsDataSkinObject::VisitKeys(TbsSkinKeyVisitor& v) {
    v.Text("hint", hint, "");
    v.Integer("activepictureindex", activepictureindex, -1);
    v.Flag("skinrectinapicture", skinrectinapicture);
    v.Rect("skinrect", skinrect);
    v.Rect("activeskinrect", activeskinrect);
    v.Flag("morphing", morphing);
    v.MorphKind("morphkind", morphkind);
}

void TbsDataSkinPopupWindow::VisitKeys(TbsSkinKeyVisitor& v) {
    v.Integer("windowpictureindex", windowpictureindex, -1);
    v.Integer("maskpictureindex", maskpictureindex, -1);
    VisitCornerKeys(v, lefttoppoint, righttoppoint, leftbottompoint, rightbottompoint);
    v.Rect("itemsrect", itemsrect);
    v.Color("scrollmarkercolor", scrollmarkercolor, 0);
    v.Color("scrollmarkeractivecolor", scrollmarkeractivecolor, 0);
    VisitStretchKeys(v, leftstretch, rightstretch, topstretch, bottomstretch);
}

void TbsDataSkinHintWindow::VisitKeys(TbsSkinKeyVisitor& v) {
    v.Integer("windowpictureindex", windowpictureindex, -1);
    v.Integer("maskpictureindex", maskpictureindex, -1);
    VisitCornerKeys(v, lefttoppoint, righttoppoint, leftbottompoint, rightbottompoint);
    v.Rect("clientrect", clientrect);
    VisitFontKeys(v, fontname, fontheight, fontstyle, fontcolor);
    VisitStretchKeys(v, leftstretch, rightstretch, topstretch, bottomstretch);
}

}  // namespace skin
