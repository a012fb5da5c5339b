#pragma once
// TSkinDateTime: the skin of a drop-down date-time picker. The picker keeps
// painting its fields; the skin draws the flat edit border over its sunken
// edge and covers its drop-down button with TArrowButton, a small window of
// ours that shows the skin's combo arrow and opens the picker's calendar
// when clicked.

#include "skin/controls/skincontrol.h"

#include "framework/control.h"

namespace tarnivo {

class TSkinDateTime;

// The drop-down arrow over a picker's own button: a child window of the
// picker, SM_CXHSCROLL wide and one pixel higher, without a tab stop. Hover
// shows the arrow's hot frame; a press is handed to the picker as a click
// on its own button.
class TArrowButton : public TCustomControl {
public:
    explicit TArrowButton(TComponent* owner);
    std::string ClassName() const override { return "TArrowButton"; }

    // Becomes a child of the picker's window, over its drop-down button
    // (on the left for a picker with WS_EX_LEFTSCROLLBAR); the picker gets
    // WS_CLIPCHILDREN so that its own painting leaves the arrow alone.
    void Attach(TSkinDateTime* skinControl, TWinControl* picker);
    // The same for a picker without a framework control (a dialog's).
    void Attach(TSkinDateTime* skinControl, HWND picker);

    bool Hot() const { return FState.Contains(scMouseIn); }
    // The "ComboxArrow" frame shown now: 1 normal, 4 hot.
    int Frame() const { return Hot() ? 4 : 1; }

    void WndProc(TMessage& message) override;

protected:
    void Paint(TCanvas& canvas) override;

private:
    void MouseEnter(bool inside);
    void PressPicker(LPARAM point);

    int FArrowSize = 0;                    // SM_CXHSCROLL
    TWinControl* FPicker = nullptr;        // the date-time picker control
    TSkinDateTime* FSkinControl = nullptr; // the skin that owns this window
    HWND FPickerWnd = nullptr;
    TSkinControlState FState;              // scMouseIn only
};

class TSkinDateTime : public TSkinControl {
public:
    using TSkinControl::TSkinControl;
    std::string ClassName() const override { return "TSkinDateTime"; }

    // The base attach (once), then the arrow window over the picker's button.
    void Init(ISkinControlHost* host, TSkinData* skinData, TCanvas* canvas,
              bool updateColor) override;
    // A raw picker (a dialog's): the same arrow window over its button.
    void Inithwnd(HWND window, TSkinData* skinData, TCanvas* canvas,
                  ISkinControlHost* host) override;
    // The edit border with one white line.
    void DrawControl(HDC dc, const TRect& rect) override;

    TArrowButton* Arrow() const { return FArrow; }

private:
    TArrowButton* FArrow = nullptr;        // owned (a component of this object)
};

} // namespace tarnivo
