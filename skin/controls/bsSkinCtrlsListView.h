#pragma once
// TbsSkinCustomListView: the platform list view with its colours and font from a list-view
// record ("listview"), its column header drawn from a button record ("resizebutton" by default),
// and external skin scroll bars in place of its own. The bars follow the view style:
// - list: no vertical bar; the horizontal bar while not all items fit, one column a step;
// - report: the vertical bar while the rows do not all fit, a page of rows a large step; the
//   horizontal bar while the columns are wider than the list;
// - icons and small icons: each bar while the items' extent exceeds the list in its direction,
//   half an item's height a step.
// They are synchronised after a size, paint, key-down or left-button-up message and whenever
// the list scrolls, except while a bar itself is scrolling the list. TbsSkinListView is the
// published one.

#include <string>

#include "platform/forms/ListView.h"
#include "skin/controls/bsSkinCtrlsHeaderControl.h"
#include "skin/controls/bsSkinCtrlsTreeView.h"

namespace skin {

class TbsSkinCustomListView : public platform::forms::TListView {
public:
    explicit TbsSkinCustomListView(platform::forms::TComponent* owner);
    ~TbsSkinCustomListView() override;

    [[nodiscard]] TbsSkinData* SkinData() const { return m_look.SkinData; }
    void SetSkinData(TbsSkinData* value);
    [[nodiscard]] const std::string& SkinDataName() const { return m_look.SkinDataName; }
    void SetSkinDataName(const std::string& value) { m_look.SkinDataName = value; }
    // The button record the column header is drawn from.
    [[nodiscard]] const std::string& HeaderSkinDataName() const { return m_skinHeader->SkinDataName(); }
    void SetHeaderSkinDataName(const std::string& value);
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
    [[nodiscard]] TbsSkinHeaderControl* SkinHeader() const { return m_skinHeader; }

    virtual void RefreshSkin();
    virtual void ForgetRecord();
    void SyncScrollBars();

protected:
    void WndProc(platform::forms::TMessage& message) override;
    void ScrollPositionChanged() override;
    void Loaded() override;
    void Notification(platform::forms::TComponent* component, platform::forms::TOperation operation) override;
    void CMVisibleChanged(platform::forms::TMessage& message) override;

private:
    void BarMoved(int bar, TbsSkinScrollBar* source);
    void WatchBar(TbsSkinScrollBar*& slot, TbsSkinScrollBar* value, int bar);

    TbsSkinViewLook m_look;
    TbsSkinHeaderControl* m_skinHeader = nullptr;
    bool m_syncing = false;
    bool m_barScrolling = false;
};

class TbsSkinListView : public TbsSkinCustomListView {
public:
    using TbsSkinCustomListView::TbsSkinCustomListView;
};

}  // namespace skin
