#pragma once
// TbsSkinCustomTreeView: the platform tree view with its colours and font from a tree-view
// record ("treeview"), and external skin scroll bars in place of its own. After the tree handles
// a size, paint, key-down or left-button-up message, and whenever it scrolls or its selection
// changes, the bars are synchronised: the vertical bar shows while the rows do not all fit, the
// horizontal bar while the widest row is wider than the tree, and the horizontal bar's Both
// follows the vertical bar. Moving a bar scrolls the tree. TbsSkinTreeView is the published one.
//
// TbsSkinViewLook holds what the skinned tree and list views share: the binding, the default
// look and the two bars.

#include <memory>
#include <string>

#include "platform/forms/TreeView.h"
#include "skin/controls/bsSkinCtrlsScrollBar.h"
#include "skin/data/bsSkinData.h"

namespace skin {

struct TbsSkinViewLook {
    TbsSkinData* SkinData = nullptr;
    std::string SkinDataName;
    int RecordIndex = -1;
    std::unique_ptr<platform::gfx::TFont> DefaultFont;
    bool UseSkinFont = true;
    TColor DefaultColor = platform::gfx::clWindow;
    TbsSkinScrollBar* VScrollBar = nullptr;
    TbsSkinScrollBar* HScrollBar = nullptr;

    explicit TbsSkinViewLook(std::string name);
    // Looks the record up and gives the control its colour and font: the defaults without a
    // record, the record's with one of the text-view classes.
    void Apply(platform::forms::TControl& control);
    // Shows or hides a bar and sets its range; true when its visibility changed.
    static bool SetBar(TbsSkinScrollBar* bar, bool show, int max, int page, int position);
    // After the bars' visibility changed: Both follows the vertical bar, an aligned control's
    // parent lays its children out again.
    void BarsChanged(platform::forms::TControl& control, bool visibilityChanged);
};

class TbsSkinCustomTreeView : public platform::forms::TTreeView {
public:
    explicit TbsSkinCustomTreeView(platform::forms::TComponent* owner);
    ~TbsSkinCustomTreeView() override;

    [[nodiscard]] TbsSkinData* SkinData() const { return m_look.SkinData; }
    void SetSkinData(TbsSkinData* value);
    [[nodiscard]] const std::string& SkinDataName() const { return m_look.SkinDataName; }
    void SetSkinDataName(const std::string& value) { m_look.SkinDataName = value; }
    [[nodiscard]] int RecordIndex() const { return m_look.RecordIndex; }
    [[nodiscard]] platform::gfx::TFont& DefaultFont() { return *m_look.DefaultFont; }
    void SetDefaultFont(const platform::gfx::TFont& value);
    [[nodiscard]] bool UseSkinFont() const { return m_look.UseSkinFont; }
    void SetUseSkinFont(bool value);
    [[nodiscard]] TColor DefaultColor() const { return m_look.DefaultColor; }
    void SetDefaultColor(TColor value);
    [[nodiscard]] TbsSkinScrollBar* VScrollBar() const { return m_look.VScrollBar; }
    void SetVScrollBar(TbsSkinScrollBar* value);
    [[nodiscard]] TbsSkinScrollBar* HScrollBar() const { return m_look.HScrollBar; }
    void SetHScrollBar(TbsSkinScrollBar* value);

    // Applies the record's (or the default) look, then synchronises the bars.
    virtual void RefreshSkin();
    virtual void ForgetRecord() { m_look.RecordIndex = -1; }
    void SyncScrollBars();

protected:
    void WndProc(platform::forms::TMessage& message) override;
    void ScrollPositionChanged() override;
    void Loaded() override;
    void Notification(platform::forms::TComponent* component, platform::forms::TOperation operation) override;
    void CMVisibleChanged(platform::forms::TMessage& message) override;

private:
    TbsSkinViewLook m_look;
    bool m_syncing = false;
};

class TbsSkinTreeView : public TbsSkinCustomTreeView {
public:
    using TbsSkinCustomTreeView::TbsSkinCustomTreeView;
};

}  // namespace skin
