// Push and menu buttons: the skin keeps the left press from the control and
// clicks on a release inside; faces from the [Buttons] element.

#include "skinbutton.h"

#include "skin/controls/skinproperties.h"
#include "skin/controls/skintext.h"
#include "skin/paint/drawroutines.h"
#include "skin/resources/skindata.h"
#include "skin/resources/textutil.h"
#include "skin/resources/user32calls.h"

#include "framework/control.h"
#include "framework/controls/button.h"
#include "framework/gdiobjects.h"
#include "framework/windowdpi.h"

#include <windowsx.h>

#include <cctype>
#include <cstdint>

namespace tarnivo {

namespace {

std::string Lower(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

bool StartsWith(const std::string& text, const char* prefix)
{
    return text.rfind(prefix, 0) == 0;
}

std::wstring WindowTextOf(HWND window)
{
    const int length = GetWindowTextLengthW(window);
    if (length <= 0)
        return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int got = GetWindowTextW(window, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(got > 0 ? got : 0));
    return text;
}

std::string WindowClassOf(HWND window)
{
    char name[256] = {};
    GetClassNameA(window, name, sizeof name);
    return Lower(name);
}

} // namespace

TColor CaptionColor(TColor fontColor, const TSkinData* skinData)
{
    const bool system = (static_cast<std::uint32_t>(fontColor) & 0x80000000u) != 0;
    if (!system || !skinData)
        return fontColor;
    const TColor skinText = skinData->Colors(csButtonText);
    return skinText == clNotGiven ? fontColor : skinText;
}

bool WantsParentImage(const TControl* control, const TSkinData* skinData)
{
    if (!control)
        return false;
    return control->Tag() == ParentImageTag ||
           (skinData && skinData->Options().Contains(xoTransparent));
}

// Attaching ------------------------------------------------------------------------

void TSkinButton::Init(ISkinControlHost* host, TSkinData* skinData, TCanvas* canvas,
                       bool updateColor)
{
    TSkinControl::Init(host, skinData, canvas, updateColor);
    if (!FInited || !FControl)
        return;
    const std::string name = Lower(FControl->ClassName());
    FKind = StartsWith(name, "trz") || StartsWith(name, "tel") ? 1 : 0;
    FTransparent = WantsParentImage(FControl, FSkinData);
}

void TSkinButton::SkinChange()
{
    // Not repainted at once: the form calls this for each of its control
    // skins in turn, and a synchronous paint in the middle of that walk
    // lets the framework's own reaction to the new colours run inside it.
    if (FHandle && IsWindow(FHandle))
        InvalidateRect(FHandle, nullptr, TRUE);
    else if (FGraphicControl)
        FGraphicControl->Invalidate();
}

// Messages ---------------------------------------------------------------------------

bool TSkinButton::BeforeProc(TMessage& message)
{
    // Without a face to draw the control paints itself and keeps its look.
    const bool skinned = ButtonElement() != nullptr;
    switch (message.Msg) {
    case WM_PAINT:         if (!skinned) break; WMPaint(message); return false;
    case WM_ERASEBKGND:    if (!skinned) break; message.Result = 1; return false;
    case WM_TIMER:         KillTimer(FHandle, 1); message.Result = 0; return false;
    case WM_LBUTTONDOWN:   return WMLButtonDown(message);
    case WM_LBUTTONDBLCLK: return WMLButtonDown(message);
    default:               break;
    }
    return TSkinControl::BeforeProc(message);
}

void TSkinButton::AfterProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_SETTEXT:      PaintControl(nullptr); break;
    case WM_KEYDOWN:      WMKey(message, true); break;
    case WM_KEYUP:        WMKey(message, false); break;
    case WM_MOUSEMOVE:    WMMouseMove(); break;
    case WM_LBUTTONUP:    WMLButtonUp(); break;
    case WM_MOUSELEAVE:   WMMouseLeave(); break;
    case CM_DIALOGKEY:    Invalidate(); break;
    case CM_FOCUSCHANGED: Invalidate(); break;
    default:              TSkinControl::AfterProc(message); break;
    }
}

bool TSkinButton::WMLButtonDown(TMessage& message)
{
    // The control never sees the press: a system button would capture the
    // mouse and click by itself, and the click must be ours alone.
    if (FHandle && GetFocus() != FHandle) {
        if (auto* control = dynamic_cast<TWinControl*>(FControl); control && control->CanFocus())
            control->SetFocus();
        else
            SetFocus(FHandle);
    }
    FState.Include(scDown);
    PaintControl(nullptr);
    if (FKind == 0 && FControl)
        DoMouseDown(message);
    message.Result = 0;
    return false;
}

void TSkinButton::WMLButtonUp()
{
    // The leave notification clears scDown first when the pointer went out,
    // so a release outside the button clicks nothing.
    if (!FState.Contains(scDown))
        return;
    FState.Exclude(scDown);
    Invalidate();
    ClickControl();
}

void TSkinButton::WMMouseMove()
{
    if (FEnabled && !FState.Contains(scMouseIn)) {
        FState.Include(scMouseIn);
        Invalidate();
    }
    RequestMouseLeave(FHandle);
}

void TSkinButton::WMMouseLeave()
{
    FState.Exclude(scMouseIn);
    FState.Exclude(scDown);
    Invalidate();
}

void TSkinButton::WMKey(const TMessage& message, bool down)
{
    if (message.WParam != VK_SPACE)
        return;
    // The button's own procedure clicks on the key-up; only the look is ours.
    if (down)
        FState.Include(scDown);
    else
        FState.Exclude(scDown);
    Invalidate();
}

void TSkinButton::DoMouseDown(const TMessage& message)
{
    if (!FControl || !FControl->OnMouseDown)
        return;
    POINT at{GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)};
    // Coordinates are 16 bits in the message: a control larger than that
    // takes the cursor position instead.
    if (FControl->Width() > 32768 || FControl->Height() > 32768) {
        GetCursorPos(&at);
        ScreenToClient(FHandle, &at);
    }
    TShiftState shift = KeysToShiftState(message.WParam);
    FControl->OnMouseDown(FControl, mbLeft, shift, at.x, at.y);
}

void TSkinButton::ClickControl()
{
    if (auto* button = dynamic_cast<TButton*>(FControl)) {
        button->Click();
        return;
    }
    HWND parent = FHandle ? GetParent(FHandle) : nullptr;
    if (!parent)
        return;
    // A framework control that is no TButton clicks through its parent's
    // reflection of BN_CLICKED, as a raw button does.
    const WPARAM id = !FControl && WindowClassOf(FHandle) == "tbutton"
                          ? 0
                          : MAKEWPARAM(GetDlgCtrlID(FHandle), BN_CLICKED);
    PostMessageW(parent, WM_COMMAND, id, reinterpret_cast<LPARAM>(FHandle));
}

// Painting ---------------------------------------------------------------------------

const TDataSkinButton* TSkinButton::ButtonElement() const
{
    if (!FSkinData)
        return nullptr;
    const TDataSkinButton* element = Elements().Buttons.get();
    return ElementPresent(element) ? element : nullptr;
}

std::wstring TSkinButton::ReadCaption() const
{
    if (FControl)
        return GetStringProp(FControl, "Caption");
    if (FGraphicControl)
        return GetStringProp(FGraphicControl, "Caption");
    return FHandle ? WindowTextOf(FHandle) : std::wstring();
}

HDC TSkinButton::PrepareFace(const TRect& rect, int frame, bool face)
{
    FBuffer.SetSize(RectWidth(rect), RectHeight(rect));
    HDC dc = FBuffer.Canvas().Handle();
    const TRect all = Rect(0, 0, RectWidth(rect), RectHeight(rect));
    TControl* control = FControl ? FControl : FGraphicControl;
    if (FTransparent && control)
        DrawParentImage(*control, dc);
    else
        FillBG(dc, all);
    if (face)
        DrawSkinMap(dc, all, 5, frame, ButtonElement());
    return dc;
}

void TSkinButton::SelectCaptionStyle(HDC dc, int frame) const
{
    const TDataSkinButton* element = ButtonElement();
    const TControl* control = FControl ? FControl : FGraphicControl;
    TColor color = clBtnText;
    if (control) {
        SelectObject(dc, control->Font().Handle());
        color = CaptionColor(control->Font().Color(), FSkinData);
    } else {
        if (auto* font = reinterpret_cast<HFONT>(SendMessageW(FHandle, WM_GETFONT, 0, 0)))
            SelectObject(dc, font);
        color = FSkinData ? FSkinData->Colors(csButtonText) : clBtnText;
    }
    if (element) {
        if (frame == skinframe::Normal && element->HasNormalTextColor)
            color = element->NormalTextColor;
        else if (frame == skinframe::Hot && element->HasMouseOverTextColor)
            color = element->MouseOverTextColor;
        else if (frame == skinframe::Pressed && element->HasPressedTextColor)
            color = element->PressedTextColor;
    }
    if (!FEnabled)
        color = clBtnShadow;
    SetTextColor(dc, ColorToRGB(color));
    SetBkMode(dc, TRANSPARENT);
}

bool TSkinButton::ShowsFocusRect() const
{
    return FFocused && !(FSkinData && FSkinData->Options().Contains(xoNoFocusRect));
}

void TSkinButton::DrawBtnText(HDC dc, const TRect& rect, UINT alignment,
                              std::wstring_view text) const
{
    const std::wstring caption = ButtonCaption(text);
    UINT format = alignment | DT_WORDBREAK | DT_EXPANDTABS;
    RECT box = rect;
    InflateRect(&box, -2, -2);
    DrawSkinText(dc, caption, box, format | DT_CALCRECT | DT_NOCLIP);
    const int tw = box.right - box.left;
    const int th = box.bottom - box.top;
    const int w = RectWidth(rect);
    const int h = RectHeight(rect);
    RECT place{};
    place.top = rect.top + (h - th) / 2 - 1;
    place.bottom = place.top + th;
    if (alignment == DT_CENTER) {
        place.left = rect.left + (w - tw) / 2;
        place.right = place.left + tw;
    } else {
        place.left = rect.left;
        place.right = rect.right;
    }
    format = CheckBiDi(format);
    SetBkMode(dc, TRANSPARENT);
    DrawSkinText(dc, caption, place, format);
    if (ShowsFocusRect()) {
        InflateRect(&place, 2, 2);
        DrawFocusRect(dc, &place);
    }
}

void TSkinButton::DrawControl(HDC dc, const TRect& rect)
{
    if (!ButtonElement())
        return;
    const std::wstring caption = ReadCaption();
    const int frame = SkinFrameNumber(FState, FFocused, FEnabled);
    HDC buffer = PrepareFace(rect, frame);
    {
        SavedDCState saved(buffer);
        SelectCaptionStyle(buffer, frame);
        DrawBtnText(buffer, Rect(0, 0, RectWidth(rect), RectHeight(rect)), DT_CENTER, caption);
    }
    BitBlt(dc, rect.left, rect.top, RectWidth(rect), RectHeight(rect), buffer, 0, 0, SRCCOPY);
}

// Menu buttons -----------------------------------------------------------------------

void TSkinMenuButton::DrawControl(HDC dc, const TRect& rect)
{
    if (!ButtonElement())
        return;
    const std::wstring caption = ButtonCaption(ReadCaption());
    // Focus alone shows the hot face: the focused one is the push button's.
    int frame = SkinFrameNumber(FState, FFocused, FEnabled);
    if (frame == skinframe::Focused)
        frame = skinframe::Hot;
    const int w = RectWidth(rect);
    const int h = RectHeight(rect);
    HDC buffer = PrepareFace(rect, frame);
    const COLORREF arrow = ColorToRGB(FEnabled ? clWindowText : clBtnShadow);
    GdiPen pen(CreatePen(PS_SOLID, 1, arrow));
    GdiBrush brush(CreateSolidBrush(arrow));
    // The arrow's column, the insets and the arrow itself grow with the DPI.
    const int dpi = Dpi();
    auto px = [dpi](int length) { return DpiLength(length, dpi); };
    {
        SavedDCState saved(buffer);
        SelectCaptionStyle(buffer, frame);
        RECT area{px(2), px(2), w - px(17) - px(2), h - px(2)};
        RECT box = area;
        DrawSkinText(buffer, caption, box, DT_WORDBREAK | DT_CALCRECT);
        const int tw = box.right - box.left;
        const int th = box.bottom - box.top;
        RECT place{};
        place.left = area.left + (area.right - area.left - tw) / 2 + px(2);
        place.top = (h - th + 1) / 2;
        place.right = place.left + tw;
        place.bottom = place.top + th;
        DrawSkinText(buffer, caption, place, CheckBiDi(DT_WORDBREAK));
        if (ShowsFocusRect()) {
            InflateRect(&place, 2, 2);
            DrawFocusRect(buffer, &place);
        }
        SelectObject(buffer, pen.Get());
        SelectObject(buffer, brush.Get());
        const POINT points[3] = {
            {w - px(12), h / 2 + px(2)}, {w - px(15), h / 2 - px(1)}, {w - px(9), h / 2 - px(1)}};
        Polygon(buffer, points, 3);
    }
    BitBlt(dc, rect.left, rect.top, w, h, buffer, 0, 0, SRCCOPY);
}

} // namespace tarnivo
