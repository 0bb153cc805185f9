#pragma once
// Skin records: the base classes and the key walk that reads, writes and inspects them.
//
// Every record class lists its keys once, in reading order, in VisitKeys (its base's keys first).
// Reading, writing and inspecting are visitors over that one list, so the three can never drift
// apart. Fields are public plain data named by the skin keys that fill them.

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/core/IniFile.h"
#include "platform/core/Types.h"
#include "platform/gfx/Color.h"
#include "platform/gfx/Font.h"
#include "skin/data/bsUtilsValues.h"

namespace skin {

// One call per key, with the field and its default. A writer reads the field; a reader sets it.
class TbsSkinKeyVisitor {
public:
    virtual ~TbsSkinKeyVisitor() = default;
    // True while loading. The few classes whose write order differs from their reading order ask.
    [[nodiscard]] virtual bool Reading() const { return false; }

    virtual void Integer(std::string_view key, int32_t& value, int32_t def) = 0;
    virtual void Color(std::string_view key, TColor& value, TColor def) = 0;
    virtual void Flag(std::string_view key, bool& value) = 0;
    virtual void Rect(std::string_view key, TRect& value) = 0;
    virtual void Point(std::string_view key, TPoint& value) = 0;
    virtual void Text(std::string_view key, std::string& value, std::string_view def) = 0;
    virtual void FontStyle(std::string_view key, TFontStyles& value) = 0;
    virtual void Alignment(std::string_view key, TAlignment& value) = 0;
    virtual void MorphKind(std::string_view key, TbsMorphKind& value) = 0;
    virtual void Command(std::string_view key, TbsStdCommand& value) = 0;
};

// Reads each key from one section with the readers of the value syntaxes.
class TbsSkinIniReader : public TbsSkinKeyVisitor {
public:
    TbsSkinIniReader(const TCustomIniFile& ini, std::string_view section) : m_ini(ini), m_section(section) {}
    [[nodiscard]] bool Reading() const override { return true; }
    void Integer(std::string_view key, int32_t& value, int32_t def) override;
    void Color(std::string_view key, TColor& value, TColor def) override;
    void Flag(std::string_view key, bool& value) override;
    void Rect(std::string_view key, TRect& value) override;
    void Point(std::string_view key, TPoint& value) override;
    void Text(std::string_view key, std::string& value, std::string_view def) override;
    void FontStyle(std::string_view key, TFontStyles& value) override;
    void Alignment(std::string_view key, TAlignment& value) override;
    void MorphKind(std::string_view key, TbsMorphKind& value) override;
    void Command(std::string_view key, TbsStdCommand& value) override;

private:
    const TCustomIniFile& m_ini;
    std::string m_section;
};

// Writes each key into one section with the writers of the value syntaxes.
class TbsSkinIniWriter : public TbsSkinKeyVisitor {
public:
    TbsSkinIniWriter(TCustomIniFile& ini, std::string_view section) : m_ini(ini), m_section(section) {}
    void Integer(std::string_view key, int32_t& value, int32_t def) override;
    void Color(std::string_view key, TColor& value, TColor def) override;
    void Flag(std::string_view key, bool& value) override;
    void Rect(std::string_view key, TRect& value) override;
    void Point(std::string_view key, TPoint& value) override;
    void Text(std::string_view key, std::string& value, std::string_view def) override;
    void FontStyle(std::string_view key, TFontStyles& value) override;
    void Alignment(std::string_view key, TAlignment& value) override;
    void MorphKind(std::string_view key, TbsMorphKind& value) override;
    void Command(std::string_view key, TbsStdCommand& value) override;

private:
    TCustomIniFile& m_ini;
    std::string m_section;
};

// Root of the records of the [SKINOBJECTS] and [SKINCONTROLS] lists and of the popup- and
// hint-window records. SectionName is the ini section the record reads and writes.
class TbsDataSkinRecord {
public:
    explicit TbsDataSkinRecord(std::string sectionName) : SectionName(std::move(sectionName)) {}
    virtual ~TbsDataSkinRecord() = default;
    TbsDataSkinRecord(const TbsDataSkinRecord&) = default;
    TbsDataSkinRecord& operator=(const TbsDataSkinRecord&) = default;

    std::string SectionName;

    virtual void LoadFromIni(const TCustomIniFile& ini);
    // Erases the whole section, then writes every key of the class and its bases.
    virtual void SaveToIni(TCustomIniFile& ini);
    // Every key of the class, base keys first, in reading order.
    virtual void VisitKeys(TbsSkinKeyVisitor& visitor) = 0;
};

class TbsDataSkinControl : public TbsDataSkinRecord {
public:
    using TbsDataSkinRecord::TbsDataSkinRecord;
    int32_t pictureindex = -1;
    int32_t maskpictureindex = -1;
    TRect skinrect;
    void VisitKeys(TbsSkinKeyVisitor& v) override;
};

class TbsDataSkinCustomControl : public TbsDataSkinControl {
public:
    using TbsDataSkinControl::TbsDataSkinControl;
    TPoint lefttoppoint, righttoppoint, leftbottompoint, rightbottompoint;
    TRect clientrect;
    void VisitKeys(TbsSkinKeyVisitor& v) override;
};

class TbsDataSkinObject : public TbsDataSkinRecord {
public:
    using TbsDataSkinRecord::TbsDataSkinRecord;
    std::string hint;
    int32_t activepictureindex = -1;
    bool skinrectinapicture = false;
    TRect skinrect;
    TRect activeskinrect;
    bool morphing = false;
    TbsMorphKind morphkind = mkDefault;
    void VisitKeys(TbsSkinKeyVisitor& v) override;
};

// [POPUPWINDOW]
class TbsDataSkinPopupWindow : public TbsDataSkinRecord {
public:
    TbsDataSkinPopupWindow() : TbsDataSkinRecord("POPUPWINDOW") {}
    int32_t windowpictureindex = -1;
    int32_t maskpictureindex = -1;
    TPoint lefttoppoint, righttoppoint, leftbottompoint, rightbottompoint;
    TRect itemsrect;
    TColor scrollmarkercolor = 0;
    TColor scrollmarkeractivecolor = 0;
    bool leftstretch = false, rightstretch = false, topstretch = false, bottomstretch = false;
    void VisitKeys(TbsSkinKeyVisitor& v) override;
};

// [HINTWINDOW]
class TbsDataSkinHintWindow : public TbsDataSkinRecord {
public:
    TbsDataSkinHintWindow() : TbsDataSkinRecord("HINTWINDOW") {}
    int32_t windowpictureindex = -1;
    int32_t maskpictureindex = -1;
    TPoint lefttoppoint, righttoppoint, leftbottompoint, rightbottompoint;
    TRect clientrect;
    std::string fontname = "Arial";
    int32_t fontheight = 14;
    TFontStyles fontstyle = 0;
    TColor fontcolor = 0;
    bool leftstretch = false, rightstretch = false, topstretch = false, bottomstretch = false;
    void VisitKeys(TbsSkinKeyVisitor& v) override;
};

// Shared key groups, written once.
void VisitFontKeys(TbsSkinKeyVisitor& v, std::string& fontname, int32_t& fontheight, TFontStyles& fontstyle,
                   TColor& fontcolor);
void VisitStretchKeys(TbsSkinKeyVisitor& v, bool& leftstretch, bool& rightstretch, bool& topstretch,
                      bool& bottomstretch);
void VisitCornerKeys(TbsSkinKeyVisitor& v, TPoint& lefttop, TPoint& righttop, TPoint& leftbottom,
                     TPoint& rightbottom);

}  // namespace skin
