// The edit skin: a flat border over the system's sunken edge.

#include "skinedit.h"

#include "skinupdown.h"

#include "skin/forms/skinmessages.h"
#include "skin/paint/editborder.h"
#include "skin/resources/skindata.h"

#include "framework/bitmap.h"
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

int EditEdgeWidth(HWND window)
{
    RECT outer{};
    if (!HasEditBorder(window) || !GetWindowRect(window, &outer))
        return 0;
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    return std::max<int>(0, std::min(origin.x - outer.left, origin.y - outer.top));
}

bool TSkinEdit::FramesItsClient()
{
    if (m_framesClient)
        return *m_framesClient;
    m_framesClient = false;
    RECT window{}, client{}, text{};
    if (!GetWindowRect(FHandle, &window) || !GetClientRect(FHandle, &client) ||
        client.right != window.right - window.left || client.bottom != window.bottom - window.top ||
        client.right < 3 || client.bottom < 3)
        return false;
    // The text 2 pixels in from the top: a frame line and a pixel of space.
    SendMessageW(FHandle, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&text));
    if (text.top < 2)
        return false;
    // An edit can also have its text moved in (EM_SETRECT) without a
    // frame: the edit's own print of its client area tells.
    TBitmap print;
    print.SetPixelFormat(pf32bit);
    print.SetSize(client.right, client.bottom);
    if (print.Empty())
        return false;
    HDC dc = print.Canvas().Handle();
    TMessage message{WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_ERASEBKGND, 0};
    Default(message);
    const COLORREF frame = GetSysColor(COLOR_WINDOWFRAME);
    const int w = client.right, h = client.bottom;
    for (POINT p : {POINT{0, h / 2}, POINT{w - 1, h / 2}, POINT{w / 2, 0}, POINT{w / 2, h - 1}})
        if (GetPixel(dc, p.x, p.y) != frame)
            return false;
    m_framesClient = true;
    return true;
}

bool TSkinEdit::BeforeProc(TMessage& message)
{
    if (message.Msg == WM_SKINPAINTCLIENT && message.LParam == SkinMagic && message.WParam &&
        SentFromThisThread()) {
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
    const TColor outline = FSkinData->Colors(csButtonShadow);
    // The outline over the edge's outer pixel, white over the rest of a
    // sunken edge; a 1-pixel frame is only outlined.
    if (const int edge = EditEdgeWidth(FHandle); edge > 0)
        DrawEditBorder(dc, rect, outline, edge >= 2 ? 2 : 0);
    else if (FramesItsClient())
        DrawEditBorder(dc, rect, outline, 0);
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
