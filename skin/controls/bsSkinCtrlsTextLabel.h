#pragma once
// Two windowless skinned labels: TbsSkinTextLabel, a multi-line label fed from a string list
// that can size itself to its text, and TbsSkinButtonLabel, a flat button made of a glyph and a
// caption over whatever lies behind it.

#include <memory>
#include <string>

#include "platform/core/StringList.h"
#include "platform/forms/GraphicControl.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Font.h"
#include "skin/controls/bsSkinCtrlsGlyph.h"
#include "skin/controls/bsSkinCtrlsLabelSkin.h"

namespace skin {

class TbsSkinTextLabel : public platform::forms::TGraphicControl {
public:
    explicit TbsSkinTextLabel(platform::forms::TComponent* owner);
    ~TbsSkinTextLabel() override;

    [[nodiscard]] TbsSkinData* SkinData() const { return m_skin.SkinData; }
    void SetSkinData(TbsSkinData* value);
    [[nodiscard]] const std::string& SkinDataName() const { return m_skin.SkinDataName; }
    void SetSkinDataName(const std::string& value) { m_skin.SkinDataName = value; }
    [[nodiscard]] int RecordIndex() const { return m_skin.RecordIndex; }
    [[nodiscard]] const TbsStdLabelValues& SkinValues() const { return m_skin.Values; }

    [[nodiscard]] const platform::core::TStringList& Lines() const { return m_lines; }
    // Copies the lines; sizes the label to them when AutoSize.
    void SetLines(const platform::core::TStringList& value);
    [[nodiscard]] platform::forms::TAlignment Alignment() const { return m_alignment; }
    void SetAlignment(platform::forms::TAlignment value);
    [[nodiscard]] bool AutoSize() const { return m_autoSize; }
    void SetAutoSize(bool value);
    [[nodiscard]] platform::forms::TTextLayout Layout() const { return m_layout; }
    void SetLayout(platform::forms::TTextLayout value);
    [[nodiscard]] bool WordWrap() const { return m_wordWrap; }
    void SetWordWrap(bool value);
    [[nodiscard]] platform::gfx::TFont& DefaultFont() { return *m_defaultFont; }
    [[nodiscard]] const platform::gfx::TFont& DefaultFont() const { return *m_defaultFont; }
    void SetDefaultFont(const platform::gfx::TFont& value) { *m_defaultFont = value; }
    [[nodiscard]] bool UseSkinFont() const { return m_useSkinFont; }
    void SetUseSkinFont(bool value);

    virtual void RefreshSkin();
    // Sizes the label to its text (when AutoSize, and not while it is being read); a
    // right-justified label keeps its right edge.
    void AdjustBounds();

protected:
    void Paint() override;
    void Loaded() override;
    void Notification(platform::forms::TComponent* component, platform::forms::TOperation operation) override;
    void CMFontChanged(platform::forms::TMessage& message) override;

private:
    void SelectTextFont(platform::gfx::TFont& out) const;
    [[nodiscard]] uint32_t TextFlags() const;

    TbsLabelSkinBinding m_skin{"stdlabel"};
    platform::core::TStringList m_lines;
    platform::forms::TAlignment m_alignment = platform::forms::taLeftJustify;
    bool m_autoSize = true;
    platform::forms::TTextLayout m_layout = platform::forms::tlTop;
    bool m_wordWrap = false;
    std::unique_ptr<platform::gfx::TFont> m_defaultFont;
    bool m_useSkinFont = true;
};

class TbsSkinButtonLabel : public platform::forms::TGraphicControl {
public:
    explicit TbsSkinButtonLabel(platform::forms::TComponent* owner);
    ~TbsSkinButtonLabel() override;

    [[nodiscard]] TbsSkinData* SkinData() const { return m_skin.SkinData; }
    void SetSkinData(TbsSkinData* value);
    [[nodiscard]] const std::string& SkinDataName() const { return m_skin.SkinDataName; }
    void SetSkinDataName(const std::string& value) { m_skin.SkinDataName = value; }
    [[nodiscard]] int RecordIndex() const { return m_skin.RecordIndex; }
    [[nodiscard]] const TbsStdLabelValues& SkinValues() const { return m_skin.Values; }

    [[nodiscard]] const platform::gfx::TBitmap& Glyph() const { return m_glyph; }
    void SetGlyph(const platform::gfx::TBitmap& value);
    [[nodiscard]] int NumGlyphs() const { return m_numGlyphs; }
    void SetNumGlyphs(int value);
    [[nodiscard]] int Margin() const { return m_margin; }
    void SetMargin(int value);
    [[nodiscard]] int Spacing() const { return m_spacing; }
    void SetSpacing(int value);
    [[nodiscard]] TbsButtonLayout Layout() const { return m_layout; }
    void SetLayout(TbsButtonLayout value);
    [[nodiscard]] platform::gfx::TFont& DefaultFont() { return *m_defaultFont; }
    [[nodiscard]] const platform::gfx::TFont& DefaultFont() const { return *m_defaultFont; }
    void SetDefaultFont(const platform::gfx::TFont& value);
    [[nodiscard]] bool UseSkinFont() const { return m_useSkinFont; }
    void SetUseSkinFont(bool value);
    [[nodiscard]] TColor DefaultActiveFontColor() const { return m_defaultActiveFontColor; }
    void SetDefaultActiveFontColor(TColor value);

    [[nodiscard]] bool Hovered() const { return m_hovered; }
    [[nodiscard]] bool Pressed() const { return m_pressed; }

    virtual void RefreshSkin();

protected:
    void Paint() override;
    void Loaded() override;
    void Notification(platform::forms::TComponent* component, platform::forms::TOperation operation) override;
    void MouseDown(platform::forms::TMouseButton button, platform::forms::TShiftState shift, int x,
                   int y) override;
    void MouseUp(platform::forms::TMouseButton button, platform::forms::TShiftState shift, int x,
                 int y) override;
    void CMMouseEnter(platform::forms::TMessage& message) override;
    void CMMouseLeave(platform::forms::TMessage& message) override;

private:
    TbsLabelSkinBinding m_skin{"stdlabel"};
    platform::gfx::TBitmap m_glyph;
    int m_numGlyphs = 1;
    int m_margin = -1;
    int m_spacing = 1;
    TbsButtonLayout m_layout = blGlyphLeft;
    std::unique_ptr<platform::gfx::TFont> m_defaultFont;
    bool m_useSkinFont = true;
    TColor m_defaultActiveFontColor = platform::gfx::clBlue;
    bool m_hovered = false;
    bool m_pressed = false;
};

}  // namespace skin
