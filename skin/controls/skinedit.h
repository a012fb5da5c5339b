#pragma once
// TSkinEdit: the skin of single- and multi-line edits (framework edits, raw
// "edit" windows, date-time pickers in up-down style). The edit keeps
// painting its own text; the skin replaces the system's sunken 2-pixel edge
// by a flat outline in the skin's shadow colour with white inside, and finds
// the up-down buddy of a spin edit so that it gets skinned too.

#include "skin/controls/skincontrol.h"

#include <optional>

namespace tarnivo {

// Makes and attaches the skin of an edit's up-down child, owned by `owner`
// and marked as embedded in an edit: a TSkinUpDown unless a test puts its
// own maker in (null puts the TSkinUpDown maker back).
using TEditUpDownSkinner = TSkinControl* (*)(TComponent* owner, HWND upDown, TSkinData* skinData,
                                             TCanvas* canvas, ISkinControlHost* host);
void SetEditUpDownSkinner(TEditUpDownSkinner skinner);

// Whether `window` has a non-client border: its client area is narrower
// and lower than the window. A scroll bar alone makes it only one of them.
bool HasEditBorder(HWND window);

// The width of that border: the client area's offset in the window (0 for
// none).
int EditEdgeWidth(HWND window);

class TSkinEdit : public TSkinControl {
public:
    using TSkinControl::TSkinControl;
    std::string ClassName() const override { return "TSkinEdit"; }

    bool BeforeProc(TMessage& message) override;
    void AfterProc(TMessage& message) override;
    // The outline and two white lines over the window's sunken edge, the
    // outline alone over a thin frame; nothing for an edit without a border.
    void DrawControl(HDC dc, const TRect& rect) override;

    // WM_PRINTCLIENT: the edge drawn into a printed copy of the client area.
    void PaintControl1(HDC dc);
    void DrawControl1(HDC dc, const TRect& rect);

    // Looks for the first child whose class is an up-down ("msctls_updown32",
    // or any class containing "spin" or "updown") and has it skinned.
    void FindUPDown(HWND window, TSkinData* skinData, TCanvas* canvas);
    // The up-down child found, or null.
    HWND UpDownWindow() const { return FUpDownWindow; }
    // Its skin, null when none was made (the skin is owned by the control).
    TSkinControl* UpDown() const { return IsWindow(FUpDownWindow) ? FUpDown : nullptr; }

private:
    // WM_SKINPAINTCLIENT: the edit's own text and the skinned edge, the whole
    // window into the DC.
    void PaintWholeInto(HDC dc);
    void WMPrintClient(HDC dc);
    // Wine takes WS_BORDER off an edit created with it but without a client
    // edge: the window gets no non-client area, and the edit draws a
    // 1-pixel COLOR_WINDOWFRAME line round the inside of its client area at
    // every paint, its text 2 pixels in. That line is the edit's frame; it
    // is recognised once (the text's inset, then the line in the edit's own
    // print of its client area) and remembered.
    bool FramesItsClient();

    TSkinControl* FUpDown = nullptr;   // not owned; only a marker once made
    HWND FUpDownWindow = nullptr;      // the up-down child, once found
    int m_printState = 0;              // the printing DC's state before the edit printed
    std::optional<bool> m_framesClient;   // FramesItsClient, once known
};

} // namespace tarnivo
