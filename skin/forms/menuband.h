#pragma once
// The skinned menu band: the window's menu bar drawn by the engine inside
// the non-client area, between the title bar and the client area. The
// window's native menu is detached (SetMenu(window, 0)) and remembered; each
// top-level entry becomes a TMenuBtn, and a click or a menu key opens the
// entry's native drop-down with TrackPopupMenu (menukeys.cpp).

#include "skin/forms/ncobject.h"
#include "skin/resources/skindata.h"

#include "framework/bitmap.h"
#include "framework/component.h"
#include "framework/menus.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

namespace tarnivo {

class TWinSkinForm;

// One top-level entry of the band.
class TMenuBtn : public TNCObject {
public:
    TMenuBtn(TWinSkinForm* form, TSkinData* skinData) : TNCObject(form), SkinData(skinData) {}
    std::string ClassName() const override { return "TMenuBtn"; }

    // Repaints the button on the window in its State: the band's background
    // under it, a hot or pressed frame, the caption.
    void Draw() override;

    TMenuItem* MenuItem = nullptr;   // the framework entry, or none
    TSkinData* SkinData;
    int Index = 0;                   // position in the band
    std::wstring Caption;
    std::uint8_t ItemEnabled = 1;
    HMENU SubMenu = nullptr;         // the drop-down; none for a plain command
    UINT Command = 0;
};

// Where the first button starts and which way the buttons run.
struct TBandStart {
    int X = 0;           // from the band's left (right-to-left: from its right)
    bool RightToLeft = false;
    int Padding = 10;    // a button is its text plus this much wide
};
// The start of the first button for a band `bandWidth` wide drawn at `dpi`
// (`skin` is the element set for that DPI; the gaps the painter adds to its
// margins grow with the DPI as the margins did).
TBandStart BandStart(const TSkinElements& skin, int bandWidth, bool rightToLeft, int dpi);
// Button rectangles (band coordinates) for captions of these widths: each
// button is its text width + the start's padding wide (0 for an empty caption), one after the
// other from the start, leftwards for a right-to-left band. Hidden buttons
// (width < 0) get an empty rectangle.
std::vector<TRect> LayoutBand(const std::vector<int>& textWidths, int bandWidth, int bandHeight,
                              TBandStart start);

class TWinSkinMenu : public TComponent {
public:
    TWinSkinMenu(TWinSkinForm* form, TSkinData* skinData);
    ~TWinSkinMenu() override;
    std::string ClassName() const override { return "TWinSkinMenu"; }

    // (Re)builds the buttons from the window's native menu (framework
    // entries take over caption, state and drop-down), then detaches it.
    void UpdataBtn();
    // The same from the framework menu's top-level entries.
    void UpdataBtn1();
    // A frame whose menu an MDI child changed: native captions win unless
    // empty; the rectangles are recomputed.
    void UpdataBtn2();

    // Draws the band into `dc` (window coordinates) at `bandRect`.
    void DrawMenu(HDC dc, const TRect& bandRect);
    // The rectangles DrawMenu would give the buttons, without drawing.
    void SetMenuRect();
    // The first button with a caption whose rectangle holds the point
    // (window coordinates).
    TMenuBtn* FindBtn(POINT point) const;
    // The first enabled, visible button whose caption has `key` after "&"
    // (case-insensitive); failing that, the first whose caption has no "&"
    // and starts with `key`.
    TMenuBtn* FindButtonFromAccel(wchar_t key) const;
    // The window's menu back on the window.
    void RestoreNativeMenu();

    int Count() const { return static_cast<int>(Buttons.size()); }
    TMenuBtn* Button(int index) const
    {
        return index >= 0 && index < Count() ? Buttons[index].get() : nullptr;
    }

    std::vector<std::unique_ptr<TMenuBtn>> Buttons;
    TMainMenu* Menu = nullptr;
    TRect BandRect{};
    TSkinData* SkinData;
    TWinSkinForm* Form;
    TBitmap BandImage;
    int ButtonCount = 0;
    std::uint8_t Painting = 0;
    HMENU NativeMenu = nullptr;

private:
    // The button rectangles for a band rectangle; `dc` measures the text.
    void Layout(HDC dc, const TRect& band);
    void DrawBackground(TCanvas& canvas, const TRect& local) const;
};

// The index of the band button whose drop-down is open, -1 when none.
int TrackedMenuIndex();

// Whether `caption` has `key` as its access key (the character after a
// single "&"; "&&" is a literal ampersand).
bool IsAccel(wchar_t key, std::wstring_view caption);

} // namespace tarnivo
