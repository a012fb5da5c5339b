#pragma once
// Skins for scrolling controls and scroll-bar controls. Each keeps overlay
// windows (TWScrollbar) over the system bars, placed and shown in step with
// the control, and the scrolling control's border:
//
//  - TSkinScrollbar: a framework control with WS_HSCROLL / WS_VSCROLL (memo,
//    grid, list view, rich edit);
//  - TSkinScrollbarH: the same for a raw window (a simple combo box's list);
//  - TSkinScControl: a framework scroll-bar control, one overlay over all of
//    it;
//  - TComboxScrollBar: a combo box's drop-down list, whose vertical bar is
//    painted straight into the list's non-client area (the list is a pop-up:
//    an overlay would need a pop-up of its own) and whose thumb it drags.

#include "skin/controls/scrollbaroverlay.h"
#include "skin/controls/skincontrol.h"

namespace tarnivo {

class TSkinScrollbar : public TSkinControl {
public:
    explicit TSkinScrollbar(TComponent* owner);
    ~TSkinScrollbar() override;
    std::string ClassName() const override { return "TSkinScrollbar"; }

    // Discovery attaches scrolling controls either way; both land here.
    void Init(ISkinControlHost* host, TSkinData* skinData, TCanvas* canvas,
              bool updateColor) override;
    void InitScrollbar(TControl* control, TSkinData* skinData, TCanvas* canvas,
                       ISkinControlHost* host) override;
    void Unsubclass() override;
    void SkinChange() override;

    bool BeforeProc(TMessage& message) override;
    void AfterProc(TMessage& message) override;
    void DrawControl(HDC dc, const TRect& rect) override;

    // Places both overlays again.
    void SetScrollbarPos();
    // A 1-pixel ButtonShadow frame, a ButtonFace one inside it.
    void DrawBorder(HDC dc, const TRect& rect) const;
    // The border on the window rectangle of `dc` (a window DC).
    void BENCPAINT(HDC dc) const;

    TWScrollbar* HorzBar() const { return FHorzBar; }
    TWScrollbar* VertBar() const { return FVertBar; }
    bool DrawsBorder() const { return FDrawBorder; }

protected:
    void FreeBars();
    void UseFixedColor();

    TWScrollbar* FHorzBar = nullptr;   // owned
    TWScrollbar* FVertBar = nullptr;   // owned
    bool FDrawBorder = true;

private:
    void WMNCPaint(TMessage& message);
    void WMSkinPaintNC(TMessage& message);
    void WMPaintAfter(HDC dc);
    void ShowBars(bool visible);
    void EnableBars();
    void FillCorner(HDC dc) const;
};

class TSkinScrollbarH : public TSkinControl {
public:
    explicit TSkinScrollbarH(TComponent* owner);
    ~TSkinScrollbarH() override;
    std::string ClassName() const override { return "TSkinScrollbarH"; }

    void Inithwnd(HWND window, TSkinData* skinData, TCanvas* canvas,
                  ISkinControlHost* host) override;
    void Unsubclass() override;
    void AfterProc(TMessage& message) override;
    void DrawControl(HDC dc, const TRect& rect) override;

    TWScrollbar* HorzBar() const { return FHorzBar; }
    TWScrollbar* VertBar() const { return FVertBar; }

private:
    void Reposition();
    void FreeBars();

    TWScrollbar* FHorzBar = nullptr;
    TWScrollbar* FVertBar = nullptr;
};

class TSkinScControl : public TSkinControl {
public:
    explicit TSkinScControl(TComponent* owner);
    ~TSkinScControl() override;
    std::string ClassName() const override { return "TSkinScControl"; }

    void Init(ISkinControlHost* host, TSkinData* skinData, TCanvas* canvas,
              bool updateColor) override;
    void InitScrollbar(TControl* control, TSkinData* skinData, TCanvas* canvas,
                       ISkinControlHost* host) override;
    void Unsubclass() override;
    void AfterProc(TMessage& message) override;
    void DrawControl(HDC dc, const TRect& rect) override;

    TWScrollbar* Bar() const { return FBar; }

private:
    TWScrollbar* FBar = nullptr;
};

class TComboxScrollBar : public TSkinControl {
public:
    using TSkinControl::TSkinControl;
    std::string ClassName() const override { return "TComboxScrollBar"; }

    bool BeforeProc(TMessage& message) override;
    void AfterProc(TMessage& message) override;
    void DrawControl(HDC dc, const TRect& rect) override;
    // The thumb drag of a press on the vertical bar; false when the press is
    // not on the thumb (the system then handles arrows and page areas).
    bool NCLButtonDown(TMessage& message);

private:
    void DragThumb(int startOffset, int track, int thumb, int downY);
};

} // namespace tarnivo
