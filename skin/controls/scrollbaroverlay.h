#pragma once
// TWScrollbar: a small window laid exactly over one system scroll bar that
// paints the skinned bar and hands every press to the control underneath as
// a press on its own bar. Scrolling itself (arrow auto-repeat, page steps,
// thumb dragging, the notifications) stays the system's: the press goes to
// the control as WM_NCLBUTTONDOWN, whose default processing runs the
// system's modal scroll loop inside that send.
//
// The geometry is read from the system (GetScrollBarInfo through the skin
// data) at every placing and every paint, never cached between them.

#include "skin/controls/scrollbarpaint.h"

#include "framework/controls/panel.h"
#include "framework/releaseguard.h"

#include <windows.h>

namespace tarnivo {

class TSkinControl;

// What the overlay covers.
enum class TBarKind { Horizontal = 0, Vertical = 1, Control = 2 };

class TWScrollbar : public TCustomPanel {
public:
    explicit TWScrollbar(TComponent* owner);
    std::string ClassName() const override { return "TWScrollbar"; }

    // Covers a bar of a framework control; for TBarKind::Control the bar is
    // the whole scroll-bar control, oriented by its "Kind" property.
    void Attach(TSkinControl* skin, TControl* control, TBarKind kind);
    // Covers a bar of a raw window (Horizontal or Vertical).
    void AttachHwnd(TSkinControl* skin, HWND target, TBarKind kind);
    // Reads the bar and places, shows or hides the overlay. `target` replaces
    // the covered window when not null (a recreated control).
    void SetPosition(HWND target = nullptr);
    void HideScrollbar();
    // Hit test in overlay coordinates: a part code of sbpart.
    int GetScrollPos(POINT p) const;
    // The bar as the system reports it (screen coordinates for window bars,
    // the parent's client coordinates for a scroll-bar control).
    bool ReadBarInfo(SCROLLBARINFO& info) const;
    // Synthesized bar information of a scroll-bar control: for placing and
    // painting (from GetScrollInfo, with a minimum thumb of 8) and at a press
    // (from the control's properties, in screen coordinates).
    bool GetControlInfo2(SCROLLBARINFO& info) const;
    bool GetControlInfo(SCROLLBARINFO& info) const;
    // A notification code from the control's scroll loop: shows that part.
    void SetPart(int part);
    // Brings the overlay's pixels in step with the bar now (the overlay's
    // window DC): only what changed since its last paint.
    void Repaint();
    // Draws the whole bar into `dc` at the origin (any DC: the window's
    // pixels are not assumed); false when nothing was drawn.
    bool PaintBar(HDC dc);

    bool Shown() const { return m_shown; }
    bool Pressed() const { return m_pressed; }
    int Part() const { return m_part; }
    bool Vertical() const { return m_vertical; }
    TBarKind BarKind() const { return m_kind; }
    HWND Target() const { return m_target; }
    // The bar in the target's client coordinates, as last placed.
    const TRect& BarRect() const { return m_barRect; }
    int Length() const { return m_length; }
    int ThumbStart() const { return m_thumbStart; }
    int ThumbEnd() const { return m_thumbEnd; }

    void WndProc(TMessage& message) override;

    // Frees the overlay: at once, or, while the system's scroll loop runs
    // inside one of its messages, when that message returns. From this call
    // on it paints nothing and forwards nothing.
    void Release();

protected:
    void CreateParams(TCreateParams& params) override;
    void Paint(TCanvas& canvas) override;

private:
    void WMLButtonDown(TMessage& message);
    void WMLButtonUp(TMessage& message);
    void WMMouseMove(TMessage& message);
    void WMMouseLeave();
    void Forward(UINT msg, LPARAM point, bool post);
    LPARAM ShiftToScreen(LPARAM point) const;
    // The thumb extent while the system drags it: follows the cursor from
    // the press.
    void GetThumb();
    void ReadThumb(const SCROLLBARINFO& info);
    void PlaceOver(int x, int y, int width, int height);
    // The overlay lies above its target with only the target's other
    // overlays between them.
    bool AboveTarget();
    // The bar as it is to be drawn now; false when there is nothing to draw.
    bool ReadLook(TScrollBarLook& look);
    // Paints the overlay's own window DC.
    void PaintWindow(HDC dc, TBarRefresh refresh);
    int ArrowLength() const;

    int m_length = 0;              // along the axis, in pixels
    int m_thumbStart = 0;          // thumb extent along the axis
    int m_thumbEnd = 0;
    POINT m_barOrigin{};           // bar's top-left as last reported
    POINT m_downCursor{};          // screen cursor at the last press
    int m_downThumb = 0;           // thumb start at the last press
    bool m_pressed = false;        // the system's scroll loop runs
    bool m_vertical = false;
    int m_part = sbpart::None;     // part shown hot or pressed
    int m_arrowSize = 0;           // SM_CXHSCROLL at creation
    HWND m_target = nullptr;       // the window whose bar is covered
    TControl* m_targetControl = nullptr;   // the scroll-bar control (Control kind)
    TSkinControl* m_skin = nullptr;        // the owning skin object
    TBarKind m_kind = TBarKind::Horizontal;
    TRect m_barRect{};
    bool m_shown = false;
    TScrollBarPainter m_painter;   // what the overlay's window shows
    TReleaseGuard m_guard;         // frees this overlay only between its messages
};

// Releases the overlay a skin object keeps in `bar` and clears the field.
void ReleaseBar(TWScrollbar*& bar);

} // namespace tarnivo
