#pragma once
// Menu entries drawn and measured from the skin's "MenuItem" element: the
// drop-downs of the menu band, the framework's main, popup and tool-button
// menus, and the skinned system menu. Frames of the element, side by side:
// 1 normal, 2 separator, 4 selected.
//
// The painter knows nothing of windows: it draws one entry into a canvas.
// The popup window that shows the entry may hold a background image (its
// skinned border and face); the painter asks for it through the popup link
// and copies the part under the entry, so entries sit on the same image.

#include "skin/resources/skindata.h"

#include "framework/bitmap.h"
#include "framework/canvas.h"
#include "framework/menus.h"

#include <windows.h>

#include <memory>
#include <string>

namespace tarnivo {

// What the item painters need from whoever skins popup-menu windows.
class IMenuPopupLink {
public:
    virtual ~IMenuPopupLink() = default;
    // An entry of `menu` is about to be drawn: the newest popup window that
    // does not know its menu yet shows this one.
    virtual void SetHMenu(HMENU menu) = 0;
    // The background of the popup window showing `menu` (window
    // coordinates, the client area starting at (3, 3)); null when none.
    virtual const TBitmap* GetMenuBg(HMENU menu) = 0;
    // An entry of a window's menu was measured: the popup window about to
    // be made for it shows entries drawn by these painters.
    virtual void PopupMeasured() = 0;
    // An entry was drawn: the popup windows open now show such entries.
    virtual void PopupDrawn() = 0;
};

// The process-wide link; by default the skin manager (null: back to it).
void SetMenuPopupLink(IMenuPopupLink* link);
IMenuPopupLink* MenuPopupLink();

// Flags of the entry text: measured (DT_CALCRECT | DT_NOCLIP |
// DT_EXPANDTABS | DT_SINGLELINE) and drawn (DT_EXPANDTABS | DT_SINGLELINE).
constexpr UINT MeasureTextFlags = 0x560;
constexpr UINT DrawTextFlags = 0x60;

class TMenuItemPainter {
public:
    // `dpi`: the DPI of the window the menu belongs to (0: the system's).
    explicit TMenuItemPainter(const TSkinData& skin, bool rightToLeft = false, int dpi = 0)
        : Skin(skin), RightToLeft(rightToLeft), Dpi(dpi)
    {
    }

    // The OnDrawItem of skinned entries. `menu` is the menu the entry is in
    // (for the popup's background); null for none.
    void DrawMenuItem(TMenuItem& item, TCanvas& canvas, const TRect& rect, bool selected,
                      HMENU menu) const;
    // The same for an entry that only exists natively (built by
    // CreateMenuItem): a separator is the text routine's etched line.
    void DrawHMenuItem2(TMenuItem& item, TCanvas& canvas, const TRect& rect, bool selected,
                        HMENU menu) const;
    // Without a "MenuItem" element: plain selection and menu colours.
    void DefaultMenuItem(TMenuItem& item, TCanvas& canvas, const TRect& rect, bool selected) const;
    // A separator: frame 2 as three slices across the width, magenta keyed.
    void DrawMenuCaption(TCanvas& canvas, const TRect& rect) const;
    // Glyph cell (image, check mark or bullet), caption and shortcut.
    void DrawItemText(TMenuItem& item, TCanvas& canvas, const TRect& rect, bool selected) const;
    // Draws, or measures into `rect` with DT_CALCRECT in `flags`.
    void DoDrawText(TMenuItem& item, TCanvas& canvas, UINT flags, bool selected, TRect& rect,
                    std::string text) const;

    // The OnMeasureItem of main-menu and tool-button entries: the
    // framework's own measure widened for the skin's glyph column.
    void MeasureItem(TMenuItem& item, TCanvas& canvas, int& width, int& height) const;
    // The OnMeasureItem of popup and system-menu entries; `width` holds the
    // framework's measure on entry.
    void MeasureItemPop(TMenuItem& item, int& width) const;
    // An entry that only exists natively: its text in the menu font.
    void MeasureNativeItem(TCanvas& canvas, const std::string& text, int& width,
                           int& height) const;

    // The glyph cell of an entry (empty for a separator).
    TRect GlyphCell(const TMenuItem& item, const TRect& rect) const;

    const TSkinData& Skin;
    bool RightToLeft;
    int Dpi;

private:
    const TDataSkinObject* Element() const;
    // A gap or column width given in 96-DPI pixels, at the menu's DPI.
    int Px(int length) const;
    void Background(TCanvas& canvas, const TRect& rect, const TRect& itemRect, HMENU menu) const;
    void DrawItemBody(TMenuItem& item, TCanvas& canvas, const TRect& rect, bool selected,
                      HMENU menu, bool separatorFrame) const;
};

// A stand-in framework item for native entry `id` of `menu`: its text ("-"
// when it has none), enabled unless grayed or disabled, checked as the
// entry is. Null when the menu has no such entry.
std::unique_ptr<TMenuItem> CreateMenuItem(HMENU menu, UINT id);

// Makes every entry of `menu`, and of its sub-menus, owner-drawn.
void WMINITMENU(HMENU menu);

// The system menu font, at `dpi` (0: at the system DPI, as the system gives it).
LOGFONTW SystemMenuFont(int dpi = 0);

} // namespace tarnivo
