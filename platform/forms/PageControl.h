#pragma once
// The page control: a tab control whose tabs belong to its sheets (TTabSheet). Every sheet that
// is TabVisible has a tab, in page order; a sheet without a tab can still be the active page
// (set from code) but is never reached from the tabs or the keyboard. The active sheet fills the
// display area and is the only one shown.

#include <string>
#include <vector>

#include "platform/forms/TabControl.h"

namespace platform::forms {

class TPageControl;

class TTabSheet : public TCustomControl {
public:
    explicit TTabSheet(TComponent* owner);
    ~TTabSheet() override;

    [[nodiscard]] TPageControl* PageControl() const { return m_pageControl; }
    // Moves the sheet into a page control (as its last page), or out of it with null.
    void SetPageControl(TPageControl* value);
    void SetParent(TWinControl* parent) override;
    // The position among the page control's sheets (hidden ones included); -1 outside one.
    [[nodiscard]] int PageIndex() const;
    void SetPageIndex(int value);
    [[nodiscard]] bool TabVisible() const { return m_tabVisible; }
    void SetTabVisible(bool value);
    [[nodiscard]] int ImageIndex() const { return m_imageIndex; }
    void SetImageIndex(int value);
    // The index of the sheet's tab among the tabs; -1 when it has none.
    [[nodiscard]] int TabIndex() const;

    void SetText(const std::string& value) override;
    void SetEnabled(bool value) override;

    TNotifyEvent OnShow;
    TNotifyEvent OnHide;

protected:
    void Paint() override;

private:
    friend class TPageControl;
    TPageControl* m_pageControl = nullptr;
    bool m_tabVisible = true;
    int m_imageIndex = -1;
};

class TPageControl : public TCustomTabControl {
public:
    explicit TPageControl(TComponent* owner);
    ~TPageControl() override;

    [[nodiscard]] int PageCount() const { return static_cast<int>(m_pages.size()); }
    [[nodiscard]] TTabSheet* Pages(int index) const;
    [[nodiscard]] TTabSheet* ActivePage() const { return m_activePage; }
    // Shows the sheet (one of this control's, or null); fires no OnChanging / OnChange.
    void SetActivePage(TTabSheet* page);
    [[nodiscard]] int ActivePageIndex() const;
    void SetActivePageIndex(int value);
    // The next or previous sheet with a tab after current, wrapping round; null when none.
    [[nodiscard]] TTabSheet* FindNextPage(TTabSheet* current, bool goForward, bool checkTabVisible) const;
    // As Ctrl+Tab: asks OnChanging, shows the next sheet with a tab, fires OnChange.
    void SelectNextPage(bool goForward, bool checkTabVisible = true);
    // The sheet of a tab; null for an index outside the tabs.
    [[nodiscard]] TTabSheet* PageOfTab(int tabIndex) const;
    [[nodiscard]] int TabIndexOfPage(const TTabSheet* page) const;

    [[nodiscard]] int TabCount() const override;
    [[nodiscard]] std::string TabCaption(int index) const override;
    [[nodiscard]] int TabImageIndex(int index) const override;
    [[nodiscard]] bool TabImageEnabled(int index) const override;
    [[nodiscard]] int TabItemIndex(int index) const override;
    void SetTabIndex(int value) override;

protected:
    void LayoutChanged() override;
    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    friend class TTabSheet;
    void InsertPage(TTabSheet* page);
    void RemovePage(TTabSheet* page);
    void MovePage(TTabSheet* page, int index);
    void PagesChanged();
    void PlaceSheets();
    void ShowActiveOnly();

    std::vector<TTabSheet*> m_pages;
    TTabSheet* m_activePage = nullptr;
};

}  // namespace platform::forms
