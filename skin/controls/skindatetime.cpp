// The date-time picker skin and its arrow window.

#include "skindatetime.h"

#include "skin/controls/skinedit.h"
#include "skin/paint/drawroutines.h"
#include "skin/paint/editborder.h"
#include "skin/resources/skindata.h"

#include "framework/canvas.h"
#include "framework/gdiobjects.h"

namespace tarnivo {

// TArrowButton --------------------------------------------------------------------

TArrowButton::TArrowButton(TComponent* owner) : TCustomControl(owner)
{
    SetTabStop(false);
}

void TArrowButton::Attach(TSkinDateTime* skinControl, TWinControl* picker)
{
    FPicker = picker;
    Attach(skinControl, picker->Handle());
}

void TArrowButton::Attach(TSkinDateTime* skinControl, HWND picker)
{
    if (!IsWindow(picker))
        return;
    FSkinControl = skinControl;
    FPickerWnd = picker;
    FArrowSize = GetSystemMetrics(SM_CXHSCROLL);
    RECT window{};
    GetWindowRect(FPickerWnd, &window);
    const bool left = (GetWindowLongPtrW(FPickerWnd, GWL_EXSTYLE) & WS_EX_LEFTSCROLLBAR) != 0;
    const int x = left ? 2 : (window.right - window.left) - FArrowSize - 4;
    SetParentWindow(FPickerWnd);
    SetBounds(x, 0, FArrowSize, FArrowSize + 1);
    const LONG_PTR style = GetWindowLongPtrW(FPickerWnd, GWL_STYLE);
    SetWindowLongPtrW(FPickerWnd, GWL_STYLE, style | WS_CLIPCHILDREN);
    HandleNeeded();
    Show();
}

void TArrowButton::WndProc(TMessage& message)
{
    TCustomControl::WndProc(message);
    switch (message.Msg) {
    case CM_MOUSEENTER:  MouseEnter(true); break;
    case CM_MOUSELEAVE:  MouseEnter(false); break;
    case WM_LBUTTONDOWN: PressPicker(message.LParam); break;
    // The picker's calendar is open; the picker keeps the keyboard.
    case WM_LBUTTONUP:   if (FPickerWnd) ::SetFocus(FPickerWnd); break;
    default:             break;
    }
}

void TArrowButton::MouseEnter(bool inside)
{
    if (!FPickerWnd || !IsWindowEnabled(FPickerWnd) || Hot() == inside)
        return;
    if (inside)
        FState.Include(scMouseIn);
    else
        FState.Exclude(scMouseIn);
    Invalidate();
}

void TArrowButton::PressPicker(LPARAM point)
{
    if (!FPickerWnd)
        return;
    // The picker opens its calendar on a click on its own button, which lies
    // under this window; the point in the picker's client coordinates.
    const int x = static_cast<short>(LOWORD(point)) + Left();
    const int y = static_cast<short>(HIWORD(point)) + Top();
    const LPARAM at = MAKELPARAM(x, y);
    PostMessageW(FPickerWnd, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(FPickerWnd, WM_LBUTTONUP, 0, at);
    Invalidate();
}

void TArrowButton::Paint(TCanvas& canvas)
{
    const TSkinData* data = FSkinControl ? FSkinControl->SkinData() : nullptr;
    HDC dc = canvas.Handle();
    RECT client{};
    GetClientRect(Handle(), &client);
    const TColor face = data ? data->Colors(csButtonFace) : clBtnFace;
    GdiBrush brush(CreateSolidBrush(ColorToRGB(face)));
    if (brush)
        FillRect(dc, &client, brush.Get());
    const TSkinElements* elements = FSkinControl ? FSkinControl->SkinElements() : nullptr;
    const TDataSkinObject* arrow = elements ? elements->ComboxArrow.get() : nullptr;
    if (ElementPresent(arrow))
        DrawRect1(dc, client, arrow->Image, Keying::Transparent, arrow->FrameCount, Frame());
}

// TSkinDateTime -------------------------------------------------------------------

void TSkinDateTime::Init(ISkinControlHost* host, TSkinData* skinData, TCanvas* canvas,
                         bool updateColor)
{
    if (Inited())
        return;
    TSkinControl::Init(host, skinData, canvas, updateColor);
    auto* picker = dynamic_cast<TWinControl*>(FControl);
    if (!Inited() || !picker)
        return;
    FArrow = new TArrowButton(this);
    FArrow->Attach(this, picker);
}

void TSkinDateTime::Inithwnd(HWND window, TSkinData* skinData, TCanvas* canvas,
                             ISkinControlHost* host)
{
    if (Inited())
        return;
    TSkinControl::Inithwnd(window, skinData, canvas, host);
    if (!Inited() || FArrow)
        return;
    FArrow = new TArrowButton(this);
    FArrow->Attach(this, window);
}

void TSkinDateTime::DrawControl(HDC dc, const TRect& rect)
{
    if (FSkinData && HasEditBorder(FHandle))
        DrawEditBorder(dc, rect, FSkinData->Colors(csButtonShadow), 1);
}

} // namespace tarnivo
