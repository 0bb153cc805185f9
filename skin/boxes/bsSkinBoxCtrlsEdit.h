#pragma once
// The skinned single-line edits. TbsCustomEdit is the framework's edit with a transparent-text
// mode (the parent's picture shows under the text), read-only guards, the skinned standard
// context menu and the hooks the combo box's edit style uses. TbsSkinCustomEdit takes its frame
// and face from an edit record ("edit") and may show a button at its right end.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/forms/MaskEdit.h"
#include "skin/controls/bsSkinCtrlsNotify.h"
#include "skin/data/bsSkinData.h"

namespace skin {

class TbsSkinPopupMenu;

// Captions of the standard context menu of edits and memos.
inline constexpr const char* BS_EDIT_UNDO = "Undo";
inline constexpr const char* BS_EDIT_CUT = "Cut";
inline constexpr const char* BS_EDIT_COPY = "Copy";
inline constexpr const char* BS_EDIT_PASTE = "Paste";
inline constexpr const char* BS_EDIT_DELETE = "Delete";
inline constexpr const char* BS_EDIT_SELECTALL = "Select All";

// The standard context menu of an edit or memo: built anew at every request (the previous one
// is freed), enabled for the edit's state, freed when its command has run.
class TbsEditStandardMenu {
public:
    explicit TbsEditStandardMenu(platform::forms::TCustomEdit& edit) : m_edit(edit) {}
    ~TbsEditStandardMenu();
    TbsEditStandardMenu(const TbsEditStandardMenu&) = delete;
    TbsEditStandardMenu& operator=(const TbsEditStandardMenu&) = delete;

    // Builds the menu and pops it up at a screen point; negative coordinates (a keyboard
    // request) open it at the edit's centre.
    void Popup(platform::core::TPoint screen);
    // The menu of the last request, or null.
    [[nodiscard]] TbsSkinPopupMenu* Menu() const { return m_menu; }
    // Builds (replacing the previous one) without showing.
    TbsSkinPopupMenu* Build();
    void Free();

private:
    platform::forms::TCustomEdit& m_edit;
    TbsSkinPopupMenu* m_menu = nullptr;
};

class TbsCustomEdit : public platform::forms::TCustomMaskEdit {
public:
    explicit TbsCustomEdit(platform::forms::TComponent* owner);
    ~TbsCustomEdit() override;

    [[nodiscard]] bool TransparentText() const { return m_transparentText; }
    void SetTransparentText(bool value);
    [[nodiscard]] TbsEditStandardMenu& StandardMenu() { return m_standardMenu; }
    // With TransparentText the parent's area under the edit is repainted first.
    void Invalidate() override;

    // The combo box's hooks: cancel-mode notifications (with the control that caused them).
    std::function<void(platform::forms::TControl* origin)> OnCancelMode;
    // Under transparent text: who paints what lies under the edit (the combo box's picture);
    // canvas coordinates are the edit's client coordinates.
    std::function<void(platform::gfx::TCanvas& canvas)> OnPaintUnder;

protected:
    void WndProc(platform::forms::TMessage& message) override;
    void KeyDown(uint16_t& key, platform::forms::TShiftState shift) override;
    void KeyPress(char32_t& key) override;
    void PaintBackground(platform::gfx::TCanvas& canvas) override;
    void CreateParams(platform::ui::TCreateParams& params) override;
    void CMFontChanged(platform::forms::TMessage& message) override;

private:
    bool m_transparentText = false;
    bool m_pressed = false;
    TbsEditStandardMenu m_standardMenu{*this};
};

class TbsSkinCustomEdit : public TbsCustomEdit, public TbsSkinChangeClient {
public:
    explicit TbsSkinCustomEdit(platform::forms::TComponent* owner);
    ~TbsSkinCustomEdit() override;

    // ---- Published ----
    [[nodiscard]] TbsSkinData* SkinData() const { return m_skinData; }
    void SetSkinData(TbsSkinData* value);
    [[nodiscard]] const std::string& SkinDataName() const { return m_skinDataName; }
    void SetSkinDataName(const std::string& value) { m_skinDataName = value; }
    [[nodiscard]] platform::gfx::TFont& DefaultFont() { return m_defaultFont; }
    [[nodiscard]] const platform::gfx::TFont& DefaultFont() const { return m_defaultFont; }
    void SetDefaultFont(const platform::gfx::TFont& value);
    [[nodiscard]] bool UseSkinFont() const { return m_useSkinFont; }
    void SetUseSkinFont(bool value);
    [[nodiscard]] int DefaultWidth() const { return m_defaultWidth; }
    void SetDefaultWidth(int value);
    [[nodiscard]] int DefaultHeight() const { return m_defaultHeight; }
    void SetDefaultHeight(int value);
    [[nodiscard]] bool HasButton() const { return m_hasButton; }
    void SetHasButton(bool value);
    platform::forms::TNotifyEvent OnButtonClick;

    // ---- State ----
    [[nodiscard]] int RecordIndex() const { return m_recordIndex; }
    // The text area and the button in window coordinates (the frame lies around the text area).
    [[nodiscard]] const TRect& EditTextRect() const { return m_editTextRect; }
    [[nodiscard]] const TRect& EditButtonRect() const { return m_editButtonRect; }
    [[nodiscard]] bool ButtonHot() const { return m_buttonHot; }
    [[nodiscard]] bool ButtonDown() const { return m_buttonDown; }

    void ApplySkin();
    void SetBounds(int left, int top, int width, int height) override;
    void Invalidate() override;

    // TbsSkinChangeClient
    [[nodiscard]] TbsSkinData* BoundSkinData() const override { return m_skinData; }
    void SkinBeforeChange() override { m_recordIndex = -1; }
    void SkinAfterChange() override { ApplySkin(); }

protected:
    void Notification(platform::forms::TComponent* component, platform::forms::TOperation operation) override;
    void WndProc(platform::forms::TMessage& message) override;
    void PaintBackground(platform::gfx::TCanvas& canvas) override;
    void CreateParams(platform::ui::TCreateParams& params) override;

private:
    void LookUpRecord();
    void CalcRects() { CalcRects(Width(), Height()); }
    void CalcRects(int width, int height);
    // The whole window's picture (frame, face and button) at the current size.
    void ComposeImage(TBitmap& image);
    void PaintFrame();
    void UpdateColors();
    void SetButtonState(bool hot, bool down);
    [[nodiscard]] int HitTest(platform::core::TPoint screen) const;
    [[nodiscard]] bool Active() const;

    TbsSkinData* m_skinData = nullptr;
    std::string m_skinDataName = "edit";
    platform::gfx::TFont m_defaultFont;
    bool m_useSkinFont = true;
    int m_defaultWidth = 0;
    int m_defaultHeight = 20;
    bool m_hasButton = false;
    int m_recordIndex = -1;
    TRect m_editTextRect;
    TRect m_editButtonRect;
    bool m_buttonHot = false;
    bool m_buttonDown = false;
};

class TbsSkinEdit : public TbsSkinCustomEdit {
public:
    explicit TbsSkinEdit(platform::forms::TComponent* owner) : TbsSkinCustomEdit(owner) {}
};

}  // namespace skin
