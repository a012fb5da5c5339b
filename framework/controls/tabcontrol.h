#pragma once
// The tab control ("SysTabControl32"), base of the page control.

#include "framework/control.h"

#include <functional>
#include <string>
#include <vector>

namespace tarnivo {

class TImageList;
class TCustomTabControl;

enum TTabPosition { tpTop, tpBottom, tpLeft, tpRight };
enum TTabStyle { tsTabs, tsButtons, tsFlatButtons };

using TTabChangingEvent = std::function<void(TObject* sender, bool& allowChange)>;

// The tabs of a tab control, in the window: every call asks it. Changing
// them needs the window (and so a parent); an index outside them raises
// EListError.
class TTabStrings {
public:
    explicit TTabStrings(TCustomTabControl& owner) : m_owner(owner) {}

    int Count() const;
    std::string Strings(int index) const;
    std::string operator[](int index) const { return Strings(index); }
    void SetString(int index, const std::string& text);
    int Add(const std::string& text);
    // Count itself is a valid place: the end.
    void Insert(int index, const std::string& text);
    void Delete(int index);
    void Clear();
    // The image of a tab in the control's Images; -1 for none.
    int ImageIndex(int index) const;
    void SetImageIndex(int index, int image);
    // One tab a line, CR LF after each.
    std::string Text() const;
    void SetText(const std::string& text);

private:
    void CheckIndex(int index) const;
    TCustomTabControl& m_owner;
};

// What tab controls and page controls share: tab placement and look,
// changing the tab, and where the pages go (DisplayRect). The selection is
// the window's. OnChanging comes before a change by the user and can refuse
// it; OnChange follows it.
class TCustomTabControl : public TWinControl {
    TARNIVO_PUBLISHED_CLASS()
public:
    explicit TCustomTabControl(TComponent* owner);
    ~TCustomTabControl() override;

    // Vertical tabs (tpLeft, tpRight) come in several rows: MultiLine is on
    // for them whatever it was set to.
    TTabPosition TabPosition() const { return m_tabPosition; }
    void SetTabPosition(TTabPosition position);
    TTabStyle Style() const { return m_style; }
    void SetStyle(TTabStyle style);
    bool MultiLine() const { return m_multiLine; }
    void SetMultiLine(bool multiLine);
    bool HotTrack() const { return m_hotTrack; }
    void SetHotTrack(bool hotTrack);
    TImageList* Images() const { return m_images; }
    void SetImages(TImageList* images);

    // The client area less the tabs: where the pages go.
    RECT DisplayRect() const;
    // The tab at a point of the client area, or -1.
    int IndexOfTabAt(int x, int y) const;
    RECT TabRect(int index) const;

    TNotifyEvent OnChange;
    TTabChangingEvent OnChanging;

    void Dispatch(TMessage& message) override;
    void Notification(TComponent* component, TOperation operation) override;

protected:
    friend class TTabStrings;
    void CreateParams(TCreateParams& params) override;
    void HandleCreated() override;
    void HandleDestroying() override;

    TTabStrings& Tabs() { return m_tabs; }
    const TTabStrings& Tabs() const { return m_tabs; }
    int TabIndex() const;
    // An index outside the tabs selects none, as -1 does. Raises no event.
    void SetTabIndex(int index);

    // The user picked another tab: the window's selection is new already.
    virtual void Change();
    virtual bool CanChange();
    // The page control places its sheets when the display area moves.
    virtual void DisplayChanged() {}

private:
    void Restyle();

    struct SavedTab {
        std::string Text;
        int Image;
    };

    TTabStrings m_tabs;
    std::vector<SavedTab> m_saved;   // while the window is recreated
    int m_savedIndex = -1;
    TTabPosition m_tabPosition = tpTop;
    TTabStyle m_style = tsTabs;
    bool m_multiLine = false;
    bool m_hotTrack = false;
    TImageList* m_images = nullptr;
};

// A tab control without pages: the application shows what goes with the
// selected tab.
class TTabControl : public TCustomTabControl {
    TARNIVO_PUBLISHED_CLASS()
public:
    using TCustomTabControl::TCustomTabControl;

    using TCustomTabControl::Tabs;
    using TCustomTabControl::TabIndex;
    using TCustomTabControl::SetTabIndex;
    std::string TabsText() const { return Tabs().Text(); }
    void SetTabsText(const std::string& text) { Tabs().SetText(text); }
};

} // namespace tarnivo
