#include "framework/controls/pagecontrol.h"

#include "framework/collection.h"

#include <algorithm>

namespace tarnivo {

// ---------------------------------------------------------------- TTabSheet

const TClassInfo& TTabSheet::StaticClassInfo()
{
    static const TClassInfo info{
        "TTabSheet",
        &TWinControl::StaticClassInfo(),
        {
            published::Integer("PageIndex", &TTabSheet::PageIndex, &TTabSheet::SetPageIndex),
            published::Boolean("TabVisible", &TTabSheet::TabVisible, &TTabSheet::SetTabVisible),
            published::Integer("ImageIndex", &TTabSheet::ImageIndex, &TTabSheet::SetImageIndex),
            published::Object("PageControl", &TTabSheet::PageControl, &TTabSheet::SetPageControl),
        }};
    return info;
}

TTabSheet::TTabSheet(TComponent* owner) : TWinControl(owner)
{
    // Shown when its page control makes it the active page.
    SetVisible(false);
    SetParentFont(true);
}

TTabSheet::~TTabSheet()
{
    if (m_pageControl)
        m_pageControl->RemovePage(this);
}

void TTabSheet::SetPageControl(TPageControl* pageControl)
{
    SetParent(pageControl);
}

void TTabSheet::SetParent(TWinControl* parent)
{
    auto* pageControl = dynamic_cast<TPageControl*>(parent);
    if (m_pageControl && m_pageControl != pageControl)
        m_pageControl->RemovePage(this);
    TWinControl::SetParent(parent);
    if (pageControl && m_pageControl != pageControl)
        pageControl->InsertPage(this);
}

int TTabSheet::PageIndex() const
{
    if (!m_pageControl)
        return -1;
    const auto& pages = m_pageControl->m_pages;
    return static_cast<int>(std::find(pages.begin(), pages.end(), this) - pages.begin());
}

void TTabSheet::SetPageIndex(int index)
{
    if (m_pageControl)
        m_pageControl->MovePage(this, index);
}

void TTabSheet::SetTabVisible(bool visible)
{
    if (m_tabVisible == visible)
        return;
    m_tabVisible = visible;
    if (!m_pageControl)
        return;
    if (!visible && m_pageControl->ActivePage() == this)
        m_pageControl->SetActivePage(m_pageControl->FindNextPage(this, true));
    m_pageControl->UpdateTabs();
}

int TTabSheet::TabIndex() const
{
    if (!m_pageControl || !m_tabVisible)
        return -1;
    int tab = 0;
    for (TTabSheet* page : m_pageControl->m_pages) {
        if (page == this)
            return tab;
        tab += page->m_tabVisible;
    }
    return -1;
}

void TTabSheet::SetImageIndex(int index)
{
    if (m_imageIndex == index)
        return;
    m_imageIndex = index;
    if (m_pageControl)
        m_pageControl->UpdateTabs();
}

void TTabSheet::TextChanged()
{
    TWinControl::TextChanged();
    if (m_pageControl)
        m_pageControl->UpdateTabs();
}

// ------------------------------------------------------------- TPageControl

namespace {

// "ActivePage" takes a sheet of this page control or none.
TPropInfo ActivePageProperty()
{
    return published::Object("ActivePage", &TPageControl::ActivePage, &TPageControl::SetActivePage);
}

} // namespace

const TClassInfo& TPageControl::StaticClassInfo()
{
    static const TClassInfo info{
        "TPageControl",
        &TCustomTabControl::StaticClassInfo(),
        {
            ActivePageProperty(),
            published::Integer("ActivePageIndex", &TPageControl::ActivePageIndex,
                               &TPageControl::SetActivePageIndex),
        }};
    return info;
}

TPageControl::TPageControl(TComponent* owner) : TCustomTabControl(owner)
{
}

TPageControl::~TPageControl()
{
    // The sheets outlive this part of the control while the window control
    // part lets go of its children: they must not call back into it.
    for (TTabSheet* page : m_pages)
        page->m_pageControl = nullptr;
    m_pages.clear();
    m_activePage = nullptr;
}

TTabSheet* TPageControl::Pages(int index) const
{
    if (index < 0 || index >= PageCount())
        throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    return m_pages[static_cast<std::size_t>(index)];
}

void TPageControl::InsertPage(TTabSheet* page)
{
    m_pages.push_back(page);
    page->m_pageControl = this;
    page->SetVisible(false);
    UpdateTabs();
    if (!m_activePage && page->TabVisible())
        SetActivePage(page);
    else
        DisplayChanged();
}

void TPageControl::RemovePage(TTabSheet* page)
{
    auto it = std::find(m_pages.begin(), m_pages.end(), page);
    if (it == m_pages.end())
        return;
    TTabSheet* next = nullptr;
    if (m_activePage == page) {
        // The next page with a tab takes over, or the one before when the
        // active page was the last.
        for (auto after = it + 1; after != m_pages.end() && !next; ++after)
            if ((*after)->TabVisible())
                next = *after;
        for (auto before = it; before != m_pages.begin() && !next;)
            if ((*--before)->TabVisible())
                next = *before;
        m_activePage = nullptr;
    }
    m_pages.erase(it);
    page->m_pageControl = nullptr;
    UpdateTabs();
    if (next)
        SetActivePage(next);
}

void TPageControl::MovePage(TTabSheet* page, int index)
{
    auto it = std::find(m_pages.begin(), m_pages.end(), page);
    if (it == m_pages.end())
        return;
    index = std::clamp(index, 0, PageCount() - 1);
    m_pages.erase(it);
    m_pages.insert(m_pages.begin() + index, page);
    UpdateTabs();
}

TTabSheet* TPageControl::PageOfTab(int tabIndex) const
{
    if (tabIndex < 0)
        return nullptr;
    for (TTabSheet* page : m_pages)
        if (page->TabVisible() && tabIndex-- == 0)
            return page;
    return nullptr;
}

void TPageControl::UpdateTabs()
{
    if (!HandleAllocated())
        return;
    // Tabs are few; rebuilding them keeps them in step with the pages
    // without tracking each kind of change.
    Tabs().Clear();
    for (TTabSheet* page : m_pages)
        if (page->TabVisible()) {
            int index = Tabs().Add(page->Caption());
            Tabs().SetImageIndex(index, page->ImageIndex());
        }
    SetTabIndex(m_activePage ? m_activePage->TabIndex() : -1);
    DisplayChanged();
}

void TPageControl::HandleCreated()
{
    TCustomTabControl::HandleCreated();
    // The pages are the tabs' source: what the window held is replaced.
    UpdateTabs();
}

int TPageControl::ActivePageIndex() const
{
    return m_activePage ? m_activePage->PageIndex() : -1;
}

void TPageControl::SetActivePageIndex(int index)
{
    SetActivePage(index >= 0 && index < PageCount() ? m_pages[static_cast<std::size_t>(index)]
                                                    : nullptr);
}

void TPageControl::SetActivePage(TTabSheet* page)
{
    if (page && page->PageControl() != this)
        throw EPropertyError("Tab sheet '" + page->Name() + "' is not a page of this control");
    if (page && !page->TabVisible())
        throw EPropertyError("Tab sheet '" + page->Name() + "' has no visible tab");
    if (m_activePage == page)
        return;
    TTabSheet* previous = m_activePage;
    m_activePage = page;
    if (HandleAllocated())
        SetTabIndex(page ? page->TabIndex() : -1);
    ShowActivePage();
    if (previous)
        previous->SetVisible(false);
}

void TPageControl::ShowActivePage()
{
    if (!m_activePage)
        return;
    DisplayChanged();
    m_activePage->SetVisible(true);
    if (m_activePage->HandleAllocated())
        BringWindowToTop(m_activePage->Handle());
}

TTabSheet* TPageControl::FindNextPage(TTabSheet* current, bool forward) const
{
    int count = PageCount();
    if (count == 0)
        return nullptr;
    auto it = std::find(m_pages.begin(), m_pages.end(), current);
    int start = it == m_pages.end() ? (forward ? count - 1 : 0)
                                    : static_cast<int>(it - m_pages.begin());
    for (int step = 1; step <= count; ++step) {
        int i = ((start + (forward ? step : -step)) % count + count) % count;
        if (m_pages[static_cast<std::size_t>(i)]->TabVisible())
            return m_pages[static_cast<std::size_t>(i)];
    }
    return nullptr;
}

void TPageControl::SelectNextPage(bool forward)
{
    TTabSheet* next = FindNextPage(m_activePage, forward);
    if (next && next != m_activePage && CanChange()) {
        SetActivePage(next);
        TCustomTabControl::Change();
    }
}

bool TPageControl::CanChange()
{
    return TCustomTabControl::CanChange();
}

void TPageControl::Change()
{
    // The user picked a tab: its page becomes the active one.
    TTabSheet* page = PageOfTab(TabIndex());
    if (page && page != m_activePage) {
        TTabSheet* previous = m_activePage;
        m_activePage = page;
        ShowActivePage();
        if (previous)
            previous->SetVisible(false);
    }
    TCustomTabControl::Change();
}

void TPageControl::DisplayChanged()
{
    RECT r = DisplayRect();
    for (TTabSheet* page : m_pages)
        page->SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

} // namespace tarnivo
