#include "skin/controls/bsSkinCtrlsLabelSkin.h"

#include "platform/core/Process.h"
#include "skin/controls/bsSkinCtrlsBinding.h"

namespace skin {

using platform::core::TRect;
using platform::gfx::TCanvas;
using platform::gfx::TFont;

bool TbsLabelSkinBinding::Refresh() {
    RecordIndex = FindControlRecord(SkinData, SkinDataName);
    if (auto* record = ControlRecordAs<TbsDataSkinStdLabelControl>(SkinData, RecordIndex)) {
        Values.fontname = record->fontname;
        Values.fontheight = record->fontheight;
        Values.fontstyle = record->fontstyle;
        Values.fontcolor = record->fontcolor;
        Values.activefontcolor = record->activefontcolor;
    }
    return RecordIndex != -1;
}

void ApplyRecordFace(TFont& out, const TbsStdLabelValues& values, const TFont& defaultFont) {
    out.SetName(values.fontname);
    out.SetStyle(values.fontstyle);
    out.SetHeight(values.fontheight);
    out.SetCharset(defaultFont.Charset());
}

void SelectLabelFont(TFont& out, const TbsLabelSkinBinding& binding, const TFont& defaultFont,
                     const TFont& font, bool useSkinFont) {
    if (binding.RecordIndex == -1) {
        out = useSkinFont ? defaultFont : font;
        return;
    }
    if (useSkinFont)
        ApplyRecordFace(out, binding.Values, defaultFont);
    else
        out = font;
    out.SetColor(binding.Values.fontcolor);
}

void DrawLabelText(TCanvas& canvas, const std::string& text, const TRect& rect, uint32_t flags,
                   bool enabled) {
    canvas.Brush.Style = platform::gfx::TBrushStyle::bsClear;
    if (enabled) {
        TRect r = rect;
        canvas.DrawText(text, r, flags);
        return;
    }
    TRect r = rect.Offset(1, 1);
    canvas.Font.SetColor(platform::gfx::clBtnHighlight);
    canvas.DrawText(text, r, flags);
    r = rect;
    canvas.Font.SetColor(platform::gfx::clBtnShadow);
    canvas.DrawText(text, r, flags);
}

namespace {

TbsLinkOpener& Opener() {
    static TbsLinkOpener opener;
    return opener;
}

}  // namespace

void SetLinkOpener(TbsLinkOpener opener) {
    Opener() = std::move(opener);
}

void OpenLink(const std::string& target) {
    if (target.empty()) return;
    if (Opener()) {
        Opener()(target);
        return;
    }
    // A failed start is not reported: a link that cannot be opened simply does nothing.
    (void)platform::core::OpenDocument(target);
}

}  // namespace skin
