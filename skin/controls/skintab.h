#pragma once
// The tab skins: TSkinTab (tab controls and page controls, tabs on any
// side, optional close boxes), TSkinTabBtn (page controls with button-style
// tabs) and TSkinTab31 (tab sets of another component family, whose tabs
// hang below a strip).
//
// Each composes its tab row off-screen and copies it to the control; the
// control keeps its own behaviour (hit testing, selection, scrolling).

#include "skin/controls/skincontrol.h"

#include <vector>

namespace tarnivo {

class TSkinUpDown;

enum TSkinTabPosition { StTop, Stbottom, Stleft, Stright };

// Where a tab control with `style` shows its tabs.
TSkinTabPosition TabPositionOfStyle(LONG_PTR style);

// The 6 x 6 close box on a tab's face: from (right - 8, top + 2) to
// (right - 2, top + 8) at 96 DPI, every length scaled at `dpi`.
TRect CloseBoxRect(const TRect& tab, int dpi = 96);

class TSkinTab : public TSkinControl {
public:
    explicit TSkinTab(TComponent* owner) : TSkinControl(owner) {}
    std::string ClassName() const override { return "TSkinTab"; }

    void Init(ISkinControlHost* host, TSkinData* skinData, TCanvas* canvas,
              bool updateColor) override;
    void Inithwnd(HWND window, TSkinData* skinData, TCanvas* canvas,
                  ISkinControlHost* host) override;
    bool BeforeProc(TMessage& message) override;
    void DrawControl(HDC dc, const TRect& rect) override;
    void SkinChange() override;

    TSkinTabPosition Position() const { return FPosition; }
    bool CloseButtons() const { return FCloseButtons; }
    // The close boxes of the last paint, by tab index (empty where none).
    const std::vector<TRect>& CloseRects() const { return FCloseRects; }
    // The skin of the tab row's scroll arrows, once there are any.
    TSkinUpDown* UpDown() const { return FUpDown; }
    // The tab whose close box holds the client point, or -1.
    int ClickClose(int x, int y) const;

protected:
    // Position and the derived tab and pane images, from the style and skin.
    void inittab();
    TSkinTabPosition GetPosition() const;
    // Skins the tab row's scroll arrows once they exist; whether they show.
    bool FindScroll();
    void DrawTabBorder(HDC dc, const TRect& display);
    // Leaves the scroll arrows out of what is copied to the DC.
    void ClipUpdown(HDC dc);
    void Drawitem(TCanvas& canvas, int index, const TRect& rect, int frame);
    void drawCloseBtn(TCanvas& canvas, int index, const TRect& rect);
    void ERASEBKGND(TMessage& message);

    std::vector<TRect> FCloseRects;
    TSkinTabPosition FPosition = StTop;
    TBitmap FTabImage;        // "Tabs", 24 bits, mirrored for tabs at the bottom
    TBitmap FPaneImage;       // the pane, turned to the tab side
    TBitmap FBuffer;          // the tab strip being composed
    TSkinUpDown* FUpDown = nullptr;   // owned by this object
    bool FCloseButtons = false;

private:
    void DrawStrip(HDC dc, const TRect& rect, const TRect& display);
    TRect StripRect(const TRect& rect, const TRect& display) const;
    TRect ItemRect(int index, const TRect& strip) const;
    // A click on a close box; true when it was one (handled).
    bool LButtonDown(TMessage& message);
    void ClosePage(int index);
    HWND m_arrows = nullptr;   // the scroll-arrow window FUpDown skins
};

class TSkinTabBtn : public TSkinControl {
public:
    using TSkinControl::TSkinControl;
    std::string ClassName() const override { return "TSkinTabBtn"; }
    bool BeforeProc(TMessage& message) override;
    void DrawControl(HDC dc, const TRect& rect) override;

private:
    // `below` (the control under the tab row) less `page` in the face.
    void FillAroundPage(HDC dc, const TRect& below, const TRect& page);
};

class TSkinTab31 : public TSkinControl {
public:
    explicit TSkinTab31(TComponent* owner) : TSkinControl(owner) {}
    std::string ClassName() const override { return "TSkinTab31"; }

    // Attaches to the tab set's window as to a raw window, and skins its
    // scroller.
    void Init(ISkinControlHost* host, TSkinData* skinData, TCanvas* canvas,
              bool updateColor) override;
    bool BeforeProc(TMessage& message) override;
    void DrawControl(HDC dc, const TRect& rect) override;
    void SkinChange() override;

    TSkinUpDown* UpDown() const { return FUpDown; }

    // Tab width for a caption `textWidth` pixels wide.
    static constexpr int TabPadding = 9;
    // Room kept free at the end for a visible scroller.
    static constexpr int ScrollerRoom = 12;

protected:
    TBitmap FTabImage;                 // "Tabs" mirrored top to bottom
    TSkinUpDown* FUpDown = nullptr;    // skins FScroller; owned by it
    TControl* FScroller = nullptr;

private:
    void inittab();
    void FindScroller();
};

} // namespace tarnivo
