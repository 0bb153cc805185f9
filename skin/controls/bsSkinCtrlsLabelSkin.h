#pragma once
// What the light skinned controls (labels, link image, bevel) share: a binding to a record that
// copies its few values instead of keeping a pointer into the skin, the text font of a label, the
// embossed text of a disabled label, and the opener of link targets.

#include <functional>
#include <string>

#include "platform/core/Types.h"
#include "platform/forms/Component.h"
#include "platform/gfx/Canvas.h"
#include "platform/gfx/Color.h"
#include "platform/gfx/Font.h"
#include "skin/data/bsSkinData.h"

namespace skin {

// The values a label copies from a standard-label record.
struct TbsStdLabelValues {
    std::string fontname = "Arial";
    int fontheight = 14;
    platform::gfx::TFontStyles fontstyle = 0;
    TColor fontcolor = 0;
    TColor activefontcolor = TbsDataSkinStdLabelControl::kDefaultActiveFontColor;
};

// A label's record: looked up by name, values copied when the record has the label's class.
class TbsLabelSkinBinding {
public:
    explicit TbsLabelSkinBinding(std::string skinDataName) : SkinDataName(std::move(skinDataName)) {}

    TbsSkinData* SkinData = nullptr;
    std::string SkinDataName;
    int RecordIndex = -1;
    TbsStdLabelValues Values;

    // Looks the record up again; a standard-label record's values are copied, a record of
    // another class leaves the previous copies. True when RecordIndex names a record.
    bool Refresh();
    // The skin data is going away.
    void Forget() {
        SkinData = nullptr;
        RecordIndex = -1;
    }
};

// The text font of a label. Without a record: the default font when useSkinFont, else the
// control's own font. With one: the record's face (in the default font's character set) when
// useSkinFont, else the control's own font; coloured with the record's fontcolor.
void SelectLabelFont(platform::gfx::TFont& out, const TbsLabelSkinBinding& binding,
                     const platform::gfx::TFont& defaultFont, const platform::gfx::TFont& font,
                     bool useSkinFont);
// The record's face in the default font's character set, keeping out's colour.
void ApplyRecordFace(platform::gfx::TFont& out, const TbsStdLabelValues& values,
                     const platform::gfx::TFont& defaultFont);

// Draws text in the canvas's font; disabled text is embossed: once one pixel down and right in
// the button-highlight colour, then in place in the button-shadow colour.
void DrawLabelText(platform::gfx::TCanvas& canvas, const std::string& text, const platform::core::TRect& rect,
                   uint32_t flags, bool enabled);

// Opens a URL or a document path with the desktop's opener without waiting for it. Tests and
// embedders may put their own opener in; an empty target is never opened.
using TbsLinkOpener = std::function<void(const std::string& target)>;
void SetLinkOpener(TbsLinkOpener opener);
void OpenLink(const std::string& target);

}  // namespace skin
