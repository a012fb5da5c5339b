#pragma once
// Menus: TMenuItem trees built into real Windows menus, the form's main menu
// and popup menus. Items with an image index draw that image of the menu's
// image list (owner-drawn bitmap callback).
//
// A menu whose OwnerDraw is on makes every entry of its tree owner-drawn
// (MFT_OWNERDRAW): the window the menu reports to gets WM_MEASUREITEM and
// WM_DRAWITEM for each, and HandleMenuItemMessage hands them to the item,
// which raises OnMeasureItem and OnDrawItem or measures and draws itself.
//
// Every item owns the Windows menu of its sub-items (made when first asked
// for) and rebuilds that menu's entries when a sub-item changes. Entries are
// taken out of a menu before it is destroyed, so destroying one menu never
// destroys the sub-menu of another item with it.

#include "component.h"
#include "events.h"
#include "gdiobjects.h"
#include "graphics.h"
#include "messages.h"

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace tarnivo {

class TCanvas;
class TImageList;
class TMenu;

// `width` and `height` arrive with the framework's own measure of the item.
using TMenuMeasureItemEvent =
    std::function<void(TObject* sender, TCanvas& canvas, int& width, int& height)>;
// `rect` is the whole entry in the canvas's coordinates; `selected` is the
// highlight of the mouse or keyboard (ODS_SELECTED).
using TMenuDrawItemEvent =
    std::function<void(TObject* sender, TCanvas& canvas, const TRect& rect, bool selected)>;

namespace menu_detail {
// Takes the entries out (without destroying their sub-menus), then destroys the menu.
BOOL DestroyMenuOnly(HMENU menu);
} // namespace menu_detail

using MenuHandle = UniqueHandle<HMENU, menu_detail::DestroyMenuOnly>;

// A key with its modifiers: the virtual-key code in the low byte, plus
// scShift, scCtrl and scAlt.
using TShortCut = std::uint16_t;
constexpr TShortCut scShift = 0x2000;
constexpr TShortCut scCtrl = 0x4000;
constexpr TShortCut scAlt = 0x8000;
constexpr TShortCut ShortCut(WORD key, TShortCut modifiers = 0)
{
    return static_cast<TShortCut>((key & 0xFF) | modifiers);
}
// "Ctrl+Shift+R", "F5", "Del": the modifiers in that order, then the key's
// name ("" for 0).
std::string ShortCutToText(TShortCut shortCut);

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
    // A check shown as a bullet (MFT_RADIOCHECK).
    bool RadioItem() const { return m_radioItem; }
    void SetRadioItem(bool radio);
    // The default entry of its menu, shown bold (MFS_DEFAULT).
    bool Default() const { return m_default; }
    void SetDefault(bool isDefault);
    // The key shown after the caption (see TShortCut); 0 for none. Only
    // shown: the form's key handling does not run it.
    TShortCut ShortCut() const { return m_shortCut; }
    void SetShortCut(TShortCut shortCut);

    // Sub-items; the item does not own them (their owner component does).
    // Adding an item that has another parent moves it.
    void Add(TMenuItem* item);
    void Remove(TMenuItem* item);
    int Count() const { return static_cast<int>(m_items.size()); }
    TMenuItem* Items(int index) const { return m_items.at(index); }
    TMenuItem* Parent() const { return m_parent; }
    bool IsLine() const { return m_caption == "-"; }

    // The command identifier Windows reports in WM_COMMAND; unique in the
    // process while the item lives.
    UINT Command() const { return m_command; }
    // The menu of the sub-items (built on demand, owned by the item).
    HMENU Handle();

    // The menu the item belongs to, through its parents; null when none.
    TMenu* Menu() const;
    // Raises OnClick when the item is enabled.
    virtual void Click();
    TNotifyEvent OnClick;

    // Whether the entry is owner-drawn: its menu's OwnerDraw is on.
    bool OwnerDrawn() const;
    // Measures and draws the owner-drawn entry: the framework's own measure,
    // then OnMeasureItem; OnDrawItem, or the framework's own drawing when
    // no handler is assigned. The canvas has the system menu font.
    virtual void MeasureItem(TCanvas& canvas, int& width, int& height);
    virtual void DrawItem(TCanvas& canvas, const TRect& rect, bool selected);
    // The framework's own look of an owner-drawn entry, without the events:
    // the system menu colours, the check mark or the image of the menu's
    // image list, the caption with its access key; a line for "-".
    void DefaultMeasureItem(TCanvas& canvas, int& width, int& height) const;
    void DefaultDrawItem(TCanvas& canvas, const TRect& rect, bool selected) const;
    TMenuMeasureItemEvent OnMeasureItem;
    TMenuDrawItemEvent OnDrawItem;

    // The live item with this command identifier, or null.
    static TMenuItem* FromCommand(UINT command);

private:
    friend class TMenu;
    void Changed();
    void Rebuild();
    void RebuildAll();
    void AppendTo(HMENU menu);
    bool ShowsImage() const;
    // An entry of a menu bar rather than of a drop-down.
    bool InMenuBar() const;
    TMenuItem* FindCommand(UINT command);
    TMenuItem* FindHandle(HMENU handle);

    std::string m_caption;
    int m_imageIndex = -1;
    bool m_enabled = true;
    bool m_checked = false;
    bool m_visible = true;
    bool m_radioItem = false;
    bool m_default = false;
    TShortCut m_shortCut = 0;
    UINT m_command;
    MenuHandle m_handle;
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
    TMenuItem* Items() const { return m_items.get(); }

    TImageList* Images() const { return m_images; }
    void SetImages(TImageList* images);

    // Makes every entry of the menu, at every level, owner-drawn (and back).
    bool OwnerDraw() const { return m_ownerDraw; }
    void SetOwnerDraw(bool ownerDraw);

    virtual HMENU Handle();
    // Runs the item with this command identifier; false if none has it.
    bool DispatchCommand(UINT command);
    TMenuItem* FindItem(UINT command) const;
    // The item whose sub-items this Windows menu shows; null for the menu's
    // own top level and for menus of others.
    TMenuItem* FindItemByHandle(HMENU handle) const;

    // Owner-drawn entries and menu images: the owning window forwards these
    // (HandleMenuItemMessage does it for any of the program's menus). They
    // answer false for an entry that is not one of this menu's.
    bool MeasureItem(MEASUREITEMSTRUCT& measure);
    bool DrawItem(const DRAWITEMSTRUCT& draw);

    void Notification(TComponent* component, TOperation operation) override;

    // Called when the menu's structure changed and its window must redraw it.
    virtual void MenuChanged() {}

protected:
    friend class TMenuItem;
    virtual bool IsPopup() const = 0;
    // The menu if it was made, without making it.
    HMENU ExistingHandle() const { return m_items->m_handle.Get(); }

private:
    // The item of this menu whose entry carries this item data.
    TMenuItem* FindEntryItem(ULONG_PTR data) const;

    std::unique_ptr<TMenuItem> m_items;
    TImageList* m_images = nullptr;
    bool m_ownerDraw = false;
};

class TMainMenu : public TMenu {
    TARNIVO_PUBLISHED_CLASS()
public:
    using TMenu::TMenu;
    ~TMainMenu() override;
    // The window whose menu bar shows this menu (set by the form; null
    // when the form lets go of it).
    void SetWindow(HWND window) { m_window = window; }
    HWND Window() const { return m_window; }
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
    // Shows the menu at a screen point and, once it closes, runs the chosen
    // item's Click. Returns when the menu is closed.
    virtual void Popup(int x, int y);
    TNotifyEvent OnPopup;

    // The window that owns the menu while it shows (receives its messages).
    HWND Window() const { return m_window; }

protected:
    bool IsPopup() const override { return true; }

private:
    void WndProc(TMessage& message);
    HWND m_window = nullptr;
};

// WM_MEASUREITEM and WM_DRAWITEM of an entry of any framework menu (CtlType
// ODT_MENU; the entry's identifier and item data are the item's command),
// whichever window receives them: the form with the menu bar, the window
// given to TrackPopupMenu. Leaves TRUE in the result and answers true when
// it handled the message; false for anything else, which then goes to the
// window's default processing.
bool HandleMenuItemMessage(TMessage& message);

} // namespace tarnivo
