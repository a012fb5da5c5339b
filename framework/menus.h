#pragma once
// Menus: TMenuItem trees built into real Windows menus, the form's main menu
// and popup menus. Items with an image index draw that image of the menu's
// image list (owner-drawn bitmap callback).

#include "component.h"
#include "events.h"

#include <windows.h>

#include <string>
#include <vector>

namespace tarnivo {

class TImageList;
class TMenu;

class TMenuItem : public TComponent {
    TARNIVO_PUBLISHED_CLASS()
public:
    explicit TMenuItem(TComponent* owner);
    ~TMenuItem() override;

    const std::string& Caption() const { return m_caption; }
    void SetCaption(const std::string& caption);
    int ImageIndex() const { return m_imageIndex; }
    void SetImageIndex(int index);
    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool enabled);
    bool Checked() const { return m_checked; }
    void SetChecked(bool checked);
    bool Visible() const { return m_visible; }
    void SetVisible(bool visible);

    // Sub-items; the item does not own them (their owner component does).
    void Add(TMenuItem* item);
    void Remove(TMenuItem* item);
    int Count() const { return static_cast<int>(m_items.size()); }
    TMenuItem* Items(int index) const { return m_items.at(index); }
    TMenuItem* Parent() const { return m_parent; }
    bool IsLine() const { return m_caption == "-"; }

    // The command identifier Windows reports in WM_COMMAND.
    UINT Command() const { return m_command; }
    // The popup menu of an item with sub-items (built on demand).
    HMENU Handle();

    TMenu* Menu() const;
    virtual void Click();
    TNotifyEvent OnClick;

private:
    friend class TMenu;
    void Changed();
    void Rebuild();
    TMenuItem* FindCommand(UINT command);
    TMenuItem* FindByImageData(ULONG_PTR data);

    std::string m_caption;
    int m_imageIndex = -1;
    bool m_enabled = true;
    bool m_checked = false;
    bool m_visible = true;
    UINT m_command;
    HMENU m_handle = nullptr;
    TMenuItem* m_parent = nullptr;
    TMenu* m_menu = nullptr;   // set on the root item
    std::vector<TMenuItem*> m_items;
};

class TMenu : public TComponent {
    TARNIVO_PUBLISHED_CLASS()
public:
    explicit TMenu(TComponent* owner);
    ~TMenu() override;

    // The root item whose sub-items are the menu's top-level items.
    TMenuItem* Items() const { return m_items; }

    TImageList* Images() const { return m_images; }
    void SetImages(TImageList* images);

    virtual HMENU Handle();
    // Runs the item with this command identifier; false if none has it.
    bool DispatchCommand(UINT command);
    TMenuItem* FindItem(UINT command) const;

    // Owner-drawn menu images: the owning window forwards these.
    bool MeasureItem(MEASUREITEMSTRUCT& measure);
    bool DrawItem(const DRAWITEMSTRUCT& draw);

    void Notification(TComponent* component, TOperation operation) override;

    // Called when the menu's structure changed and its window must redraw it.
    virtual void MenuChanged() {}

protected:
    virtual bool IsPopup() const = 0;

private:
    TMenuItem* m_items;
    TImageList* m_images = nullptr;
};

class TMainMenu : public TMenu {
    TARNIVO_PUBLISHED_CLASS()
public:
    using TMenu::TMenu;
    // The window whose menu bar shows this menu (set by the form).
    void SetWindow(HWND window) { m_window = window; }
    void MenuChanged() override;

protected:
    bool IsPopup() const override { return false; }

private:
    HWND m_window = nullptr;
};

class TPopupMenu : public TMenu {
    TARNIVO_PUBLISHED_CLASS()
public:
    explicit TPopupMenu(TComponent* owner);
    ~TPopupMenu() override;
    // Shows the menu at a screen point and runs the chosen item's Click.
    virtual void Popup(int x, int y);
    TNotifyEvent OnPopup;

protected:
    bool IsPopup() const override { return true; }

private:
    void WndProc(TMessage& message);
    HWND m_window = nullptr;
};

} // namespace tarnivo
