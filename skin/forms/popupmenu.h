#pragma once
// TWinSkinPopMenu: the skin of one popup-menu window (system class "#32768").
//
// Every drop-down and context menu the system shows is such a window. The
// skin manager sees each one being created (its CBT hook), decides whether it
// is to be skinned and makes one of these for it; the object replaces the
// window's procedure and draws the popup's border and background from the
// skin's "MenuBackground" element. The items inside are owner-drawn by the
// menu-item painters, which read this object's Background (through the
// manager's GetMenuBg) so that items sit on the same image as the border.
//
// Where the border lives differs: Windows gives the popup a 3-pixel
// non-client frame (WM_NCPAINT paints it); Wine makes the popup without a
// frame and draws a 3-pixel edge inside the client area in WM_PAINT. Both
// place the items in the window rectangle inset by 3 pixels, so the object
// paints that 3-pixel ring from the skin after either message.

#include "framework/bitmap.h"
#include "framework/events.h"
#include "framework/menus.h"
#include "framework/messages.h"
#include "framework/releaseguard.h"
#include "framework/subclass.h"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>

namespace tarnivo {

class TSkinData;
class TWinSkinForm;

// Width of the popup's border around its items, on Windows and on Wine.
constexpr int PopupBorder = 3;

class TWinSkinPopMenu {
public:
    TWinSkinPopMenu() = default;
    ~TWinSkinPopMenu();
    TWinSkinPopMenu(const TWinSkinPopMenu&) = delete;
    TWinSkinPopMenu& operator=(const TWinSkinPopMenu&) = delete;

    // Takes the window over; `menu` is the menu shown when known (else 0,
    // and the item painter reports it later through the manager).
    void InitSkin(HWND window, TSkinData* skinData, HMENU menu);
    // Gives the window its own procedure back; nothing the second time.
    void UnSubClass();
    bool Subclassed() const { return m_subclass.Installed(); }
    // Frees an object the manager took off its list: at once, or when the
    // last of its messages returns.
    static void Release(std::unique_ptr<TWinSkinPopMenu> object);

    void WinWndProc(TMessage& message);
    void Default(TMessage& message);
    void WMERASEBKGND(TMessage& message);
    void WMPrint(TMessage& message);
    void NcPaint(TMessage& message);
    // A selection change: the items are repainted without erasing.
    void UpdateMenu(TMessage& message);

    // Composes Background for the window's current size; false when there is
    // no loaded skin or no "MenuBackground" image (the system look stays).
    bool ComposeBackground();

    std::uint8_t Painted = 0;         // cleared at every message while skinning is on
    HWND Handle = nullptr;            // the popup window
    TSkinData* SkinData = nullptr;
    int LastItem = -1;                // last item seen by UpdateMenu
    TBitmap Background;               // the popup as last composed (window size)
    HMENU MenuHandle = nullptr;       // the menu shown; 0 until the item painter reports it
    std::uint8_t FromMenuBand = 0;    // opened from a skinned menu band
    std::uint8_t FrameworkMenu = 0;   // a framework menu opened it (the manager's mark)

private:
    void WMPaint(TMessage& message);
    void WMDestroy(TMessage& message);
    // Copies the ring outside the items' rectangle from Background onto `dc`,
    // whose origin is the window's top-left corner.
    void DrawBorderRing(HDC dc) const;

    TReleaseGuard m_guard;            // frees this object only between its messages
    TWindowSubclass m_subclass;
};

// The latest popup object that composed its background before its menu was
// known; null when none (or it went).
TWinSkinPopMenu* NewSkinMenu();

// The owner drawing of popup-menu items, made for a skinned form: the
// menu-item painters (DrawMenuItem, MeasureItemPop) provide it.
struct TPopupItemHandlers {
    TMenuDrawItemEvent Draw;
    TMenuMeasureItemEvent Measure;
};
using TPopupItemHandlerSource = std::function<TPopupItemHandlers(TWinSkinForm& form)>;
// Sets where InitPopMenu takes the item handlers from. Without a source the
// items of a skinned popup menu are owner-drawn by the framework's own look.
void SetPopupItemHandlers(TPopupItemHandlerSource source);

} // namespace tarnivo
