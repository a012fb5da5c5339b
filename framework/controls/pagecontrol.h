#pragma once
// The page control: a tab control whose tabs are its tab sheets.

#include "framework/controls/tabcontrol.h"

#include <vector>

namespace tarnivo {

class TPageControl;

// One page of a page control: a window that holds the page's controls. It
// joins a page control by taking it as its parent (or through
// SetPageControl) and leaves it when it gets another parent or is freed.
class TTabSheet : public TWinControl {
    TARNIVO_PUBLISHED_CLASS()
public:
    explicit TTabSheet(TComponent* owner);
    ~TTabSheet() override;

    TPageControl* PageControl() const { return m_pageControl; }
    void SetPageControl(TPageControl* pageControl);
    void SetParent(TWinControl* parent) override;

    // Place among the page control's pages; -1 without one.
    int PageIndex() const;
    void SetPageIndex(int index);
    // A sheet without its tab stays in the pages but cannot be shown.
    bool TabVisible() const { return m_tabVisible; }
    void SetTabVisible(bool visible);
    // The tab's index, -1 while the tab is hidden or there is no page control.
    int TabIndex() const;
    int ImageIndex() const { return m_imageIndex; }
    void SetImageIndex(int index);

protected:
    void TextChanged() override;

private:
    friend class TPageControl;
    TPageControl* m_pageControl = nullptr;
    bool m_tabVisible = true;
    int m_imageIndex = -1;
};

// Tabs for the sheets with TabVisible, in page order; the active page is the
// one shown, laid over the display area. Freeing the active page shows the
// next page (or the one before when it was the last).
class TPageControl : public TCustomTabControl {
    TARNIVO_PUBLISHED_CLASS()
public:
    explicit TPageControl(TComponent* owner);
    ~TPageControl() override;

    int PageCount() const { return static_cast<int>(m_pages.size()); }
    TTabSheet* Pages(int index) const;
    TTabSheet* ActivePage() const { return m_activePage; }
    // Null hides every page; a sheet of another page control, or one whose
    // tab is hidden, is refused with EPropertyError.
    void SetActivePage(TTabSheet* page);
    int ActivePageIndex() const;
    // An index outside the pages makes no page active.
    void SetActivePageIndex(int index);
    // The next (or previous) page with a visible tab after `current`,
    // wrapping round; null when there is none.
    TTabSheet* FindNextPage(TTabSheet* current, bool forward) const;
    void SelectNextPage(bool forward);

protected:
    void HandleCreated() override;
    void Change() override;
    bool CanChange() override;
    void DisplayChanged() override;

private:
    friend class TTabSheet;
    void InsertPage(TTabSheet* page);
    void RemovePage(TTabSheet* page);
    void MovePage(TTabSheet* page, int index);
    // Rebuilds the tabs from the pages and selects the active page's.
    void UpdateTabs();
    TTabSheet* PageOfTab(int tabIndex) const;
    void ShowActivePage();

    std::vector<TTabSheet*> m_pages;   // not owned
    TTabSheet* m_activePage = nullptr;
};

} // namespace tarnivo
