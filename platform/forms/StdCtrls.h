#pragma once
// The plain label: text in the control's font, aligned and laid out in its rectangle, optionally
// sized to its text, with an accelerator that focuses FocusControl. Skinned labels descend from
// TCustomLabel and replace the drawing step (DoDrawText) while keeping layout and sizing.

#include <string>

#include "platform/forms/GraphicControl.h"

namespace platform::forms {

class TWinControl;

class TCustomLabel : public TGraphicControl {
public:
    explicit TCustomLabel(TComponent* owner);

    [[nodiscard]] TAlignment Alignment() const { return m_alignment; }
    void SetAlignment(TAlignment value);
    [[nodiscard]] bool AutoSize() const { return m_autoSize; }
    void SetAutoSize(bool value);
    [[nodiscard]] TTextLayout Layout() const { return m_layout; }
    void SetLayout(TTextLayout value);
    [[nodiscard]] bool WordWrap() const { return m_wordWrap; }
    void SetWordWrap(bool value);
    [[nodiscard]] bool ShowAccelChar() const { return m_showAccelChar; }
    void SetShowAccelChar(bool value);
    // Not transparent: the label fills its rectangle with Color first.
    [[nodiscard]] bool Transparent() const { return m_transparent; }
    void SetTransparent(bool value);
    [[nodiscard]] TWinControl* FocusControl() const { return m_focusControl; }
    void SetFocusControl(TWinControl* control);

    // The DrawText flags for the label's settings (without DT_CALCRECT).
    [[nodiscard]] uint32_t DrawTextFlags() const;
    // Sizes the label to its text now (when AutoSize and not loading).
    virtual void AdjustBounds();

protected:
    void Paint() override;
    // The text the label shows.
    [[nodiscard]] virtual std::string GetLabelText() const { return Caption(); }
    // Draws (or, with DT_CALCRECT in flags, measures into rect) the text on Canvas() in the
    // current canvas font. Disabled: embossed in button highlight and shadow.
    virtual void DoDrawText(TRect& rect, uint32_t flags);
    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;
    void CMTextChanged(TMessage& message) override;
    void CMFontChanged(TMessage& message) override;
    void CMDialogChar(TMessage& message) override;

private:
    TAlignment m_alignment = taLeftJustify;
    bool m_autoSize = true;
    TTextLayout m_layout = tlTop;
    bool m_wordWrap = false;
    bool m_showAccelChar = true;
    bool m_transparent = false;
    TWinControl* m_focusControl = nullptr;
};

class TLabel : public TCustomLabel {
public:
    explicit TLabel(TComponent* owner) : TCustomLabel(owner) {}
};

}  // namespace platform::forms
