#include "platform/forms/StandardProperties.h"

#include "platform/forms/Control.h"

namespace platform::forms {

const TEnumInfo& AlignEnum() {
    static const TEnumInfo info{{{"alNone", alNone},
                                 {"alTop", alTop},
                                 {"alBottom", alBottom},
                                 {"alLeft", alLeft},
                                 {"alRight", alRight},
                                 {"alClient", alClient},
                                 {"alCustom", alCustom}}};
    return info;
}

const TEnumInfo& AnchorsEnum() {
    static const TEnumInfo info{
        {{"akLeft", akLeft}, {"akTop", akTop}, {"akRight", akRight}, {"akBottom", akBottom}}};
    return info;
}

const TEnumInfo& AlignmentEnum() {
    static const TEnumInfo info{
        {{"taLeftJustify", taLeftJustify}, {"taRightJustify", taRightJustify}, {"taCenter", taCenter}}};
    return info;
}

const TEnumInfo& TextLayoutEnum() {
    static const TEnumInfo info{{{"tlTop", tlTop}, {"tlCenter", tlCenter}, {"tlBottom", tlBottom}}};
    return info;
}

const TEnumInfo& CursorEnum() {
    static const TEnumInfo info{
        {{"crDefault", crDefault},     {"crNone", crNone},           {"crArrow", crArrow},
         {"crCross", crCross},         {"crIBeam", crIBeam},         {"crSizeNESW", crSizeNESW},
         {"crSizeNS", crSizeNS},       {"crSizeNWSE", crSizeNWSE},   {"crSizeWE", crSizeWE},
         {"crUpArrow", crUpArrow},     {"crHourGlass", crHourGlass}, {"crDrag", crDrag},
         {"crNoDrop", crNoDrop},       {"crHSplit", crHSplit},       {"crVSplit", crVSplit},
         {"crMultiDrag", crMultiDrag}, {"crSQLWait", crSQLWait},     {"crNo", crNo},
         {"crAppStart", crAppStart},   {"crHelp", crHelp},           {"crHandPoint", crHandPoint},
         {"crSizeAll", crSizeAll}}};
    return info;
}

const TEnumInfo& FontStylesEnum() {
    static const TEnumInfo info{{{"fsBold", gfx::fsBold},
                                 {"fsItalic", gfx::fsItalic},
                                 {"fsUnderline", gfx::fsUnderline},
                                 {"fsStrikeOut", gfx::fsStrikeOut}}};
    return info;
}

const TEnumInfo& CharsetEnum() {
    static const TEnumInfo info{{{"ANSI_CHARSET", 0},
                                 {"DEFAULT_CHARSET", 1},
                                 {"SYMBOL_CHARSET", 2},
                                 {"SHIFTJIS_CHARSET", 128},
                                 {"HANGEUL_CHARSET", 129},
                                 {"GB2312_CHARSET", 134},
                                 {"CHINESEBIG5_CHARSET", 136},
                                 {"OEM_CHARSET", 255},
                                 {"GREEK_CHARSET", 161},
                                 {"TURKISH_CHARSET", 162},
                                 {"HEBREW_CHARSET", 177},
                                 {"ARABIC_CHARSET", 178},
                                 {"BALTIC_CHARSET", 186},
                                 {"RUSSIAN_CHARSET", 204},
                                 {"THAI_CHARSET", 222},
                                 {"EASTEUROPE_CHARSET", 238},
                                 {"MAC_CHARSET", 77}}};
    return info;
}

const TEnumInfo& ModalResultEnum() {
    static const TEnumInfo info{{{"mrNone", mrNone},
                                 {"mrOk", mrOk},
                                 {"mrCancel", mrCancel},
                                 {"mrAbort", mrAbort},
                                 {"mrRetry", mrRetry},
                                 {"mrIgnore", mrIgnore},
                                 {"mrYes", mrYes},
                                 {"mrNo", mrNo},
                                 {"mrAll", mrAll},
                                 {"mrNoToAll", mrNoToAll},
                                 {"mrYesToAll", mrYesToAll}}};
    return info;
}

}  // namespace platform::forms
