// The edit skin: a flat border over the system's sunken edge.

#include "skinedit.h"

#include "skinupdown.h"

#include "skin/forms/skinmessages.h"
#include "skin/paint/editborder.h"
#include "skin/resources/skindata.h"

#include "framework/gdiobjects.h"

#include <algorithm>
#include <cctype>
#include <string>

namespace tarnivo {

namespace {

// The spin arrows of an edit wear the up-down skin, kept off the edit's border.
TSkinControl* SkinEmbeddedUpDown(TComponent* owner, HWND upDown, TSkinData* skinData,
                                 TCanvas* canvas, ISkinControlHost* host)
{
    auto* skin = new TSkinUpDown(owner);
    skin->Inithwnd(upDown, skinData, canvas, host);
    if (!skin->Inited()) {
        delete skin;
        return nullptr;
    }
    skin->SetEmbedded(true);
    return skin;
}

TEditUpDownSkinner& UpDownSkinner()
{
    static TEditUpDownSkinner skinner = &SkinEmbeddedUpDown;
    return skinner;
}

bool IsUpDownClass(HWND window)
{
    char name[256] = {};
    GetClassNameA(window, name, sizeof name);
    std::string lower(name);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower == "msctls_updown32" || lower.find("spin") != std::string::npos ||
           lower.find("updown") != std::string::npos;
}

// The first child, in z-order, that is an up-down.
HWND FindUpDownChild(HWND window)
{
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (IsUpDownClass(child))
            return child;
    return nullptr;
}

} // namespace

void SetEditUpDownSkinner(TEditUpDownSkinner skinner)
{
    UpDownSkinner() = skinner ? skinner : &SkinEmbeddedUpDown;
}

bool HasEditBorder(HWND window)
{
    RECT outer{}, client{};
    if (!GetWindowRect(window, &outer) || !GetClientRect(window, &client))
        return false;
    return client.right < outer.right - outer.left && client.bottom < outer.bottom - outer.top;
}

bool TSkinEdit::BeforeProc(TMessage& message)
{
    if (message.Msg == WM_SKINPAINTCLIENT && message.LParam == SkinMagic && message.WParam) {
        PaintWholeInto(reinterpret_cast<HDC>(message.WParam));
        message.Result = SkinMagic;
        return false;
    }
    // The edit clips the DC it prints into to its client area and leaves
    // it so; the edge lies outside that.
    if (message.Msg == WM_PRINTCLIENT && message.WParam)
        m_printState = SaveDC(reinterpret_cast<HDC>(message.WParam));
    return TSkinControl::BeforeProc(message);
}

void TSkinEdit::AfterProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_PAINT:       PaintControl(reinterpret_cast<HDC>(message.WParam)); break;
    // The system redraws its sunken edge on every frame paint.
    case WM_NCPAINT:     PaintControl(nullptr); break;
    case WM_PRINTCLIENT: WMPrintClient(reinterpret_cast<HDC>(message.WParam)); break;
    default:             TSkinControl::AfterProc(message); break;
    }
}

void TSkinEdit::PaintWholeInto(HDC dc)
{
    // The edit paints its client area at the DC's origin; shift it to where
    // the client area lies in the window, so the border drawn after it meets
    // the text as on the screen.
    RECT window{};
    if (!GetWindowRect(FHandle, &window))
        return;
    POINT origin{0, 0};
    ClientToScreen(FHandle, &origin);
    const int saved = SaveDC(dc);
    POINT old{};
    OffsetViewportOrgEx(dc, origin.x - window.left, origin.y - window.top, &old);
    TMessage paint{WM_PAINT, reinterpret_cast<WPARAM>(dc), 0, 0};
    Default(paint);
    RestoreDC(dc, saved);
    PaintControl(dc);
}

void TSkinEdit::DrawControl(HDC dc, const TRect& rect)
{
    if (!FSkinData)
        return;
    if (FSkinData->SkinControls().Contains(xcSpin) && !IsWindow(FUpDownWindow))
        FindUPDown(FHandle, FSkinData, FCanvas);
    if (!HasEditBorder(FHandle))
        return;
    DrawEditBorder(dc, rect, FSkinData->Colors(csButtonShadow), 2);
}

void TSkinEdit::WMPrintClient(HDC dc)
{
    if (m_printState) {
        RestoreDC(dc, m_printState);
        m_printState = 0;
    }
    PaintControl1(dc);
}

void TSkinEdit::PaintControl1(HDC dc)
{
    RECT window{};
    if (!dc || !FHandle || !GetWindowRect(FHandle, &window))
        return;
    FWindowRect = window;
    DrawControl1(dc, Rect(0, 0, window.right - window.left, window.bottom - window.top));
}

void TSkinEdit::DrawControl1(HDC dc, const TRect& rect)
{
    RECT client{};
    if (!FSkinData || !GetClientRect(FHandle, &client))
        return;
    if (client.right >= RectWidth(rect) - 2 || client.bottom >= RectHeight(rect) - 2)
        return;
    TRect inner = rect;
    InflateRect(&inner, -1, -1);
    // The DC's current brush: the colour the control prints its client with.
    FrameRect(dc, &inner, static_cast<HBRUSH>(GetCurrentObject(dc, OBJ_BRUSH)));
    FrameLine(dc, rect, FSkinData->Colors(csButtonShadow));
}

void TSkinEdit::FindUPDown(HWND window, TSkinData* skinData, TCanvas* canvas)
{
    HWND upDown = FindUpDownChild(window);
    if (!upDown)
        return;
    FUpDownWindow = upDown;
    if (TEditUpDownSkinner skinner = UpDownSkinner())
        FUpDown = skinner(FControl ? static_cast<TComponent*>(FControl) : Owner(), upDown, skinData,
                          canvas, FSkinForm);
}

} // namespace tarnivo
