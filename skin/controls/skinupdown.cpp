#include "skinupdown.h"

#include "skin/paint/drawroutines.h"
#include "skin/resources/skindata.h"

#include "framework/gdiobjects.h"

#include <commctrl.h>

#include <array>

namespace tarnivo {

namespace {

// An embedded up-down keeps this far from its edit's outer edges, so that
// the edit's skinned border stays whole.
constexpr int EditBorder = 3;

const TDataSkinBorder* UpDownElement(const TSkinElements* elements, bool horizontal)
{
    if (!elements)
        return nullptr;
    const auto& element = horizontal ? elements->UpDownHorz : elements->UpDownVert;
    return ElementPresent(element) ? element.get() : nullptr;
}

// The rectangle of `size` centred in `area`.
TRect Centred(const TRect& area, int width, int height)
{
    const int x = area.left + (RectWidth(area) - width) / 2;
    const int y = area.top + (RectHeight(area) - height) / 2;
    return Rect(x, y, x + width, y + height);
}

} // namespace

void DrawArrow(TCanvas& canvas, int x, int y, int direction)
{
    // Five rows of a filled triangle, 9, 7, 5, 3, 1 pixels long, the last
    // one at the tip.
    canvas.Brush().SetColor(canvas.Pen().Color());
    for (int row = 0; row < 5; ++row) {
        const int half = 4 - row;
        const int back = 4 - row;   // distance from the tip
        TRect line{};
        switch (direction) {
        case adUp:    line = Rect(x - half, y + back, x + half + 1, y + back + 1); break;
        case adDown:  line = Rect(x - half, y - back, x + half + 1, y - back + 1); break;
        case adLeft:  line = Rect(x + back, y - half, x + back + 1, y + half + 1); break;
        case adRight: line = Rect(x - back, y - half, x - back + 1, y + half + 1); break;
        default:      return;
        }
        canvas.FillRect(line);
    }
}

bool TSkinUpDown::Horizontal() const
{
    if (FHorizontalKind == 1)
        return true;
    return FHandle && (GetWindowLongEx(FHandle, GWL_STYLE) & UDS_HORZ) != 0;
}

bool TSkinUpDown::BeforeProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_PAINT:         WMPaint(message); return false;
    case WM_ERASEBKGND:    EraseRaw(message); return false;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: MouseDown(message); return false;
    case WM_LBUTTONUP:     MouseUp(message); return false;
    default:               return TSkinControl::BeforeProc(message);
    }
}

void TSkinUpDown::EraseRaw(TMessage& message)
{
    if (!FControl && FHandle) {
        RECT client{};
        GetClientRect(FHandle, &client);
        FillColor(reinterpret_cast<HDC>(message.WParam), client, clWhite);
    }
    message.Result = 1;
}

void TSkinUpDown::MouseDown(TMessage& message)
{
    // The control captures the mouse and starts its repeat first; the
    // pressed half is drawn once it has.
    Default(message);
    FState.Include(scDown);
    PaintControl(nullptr);
}

void TSkinUpDown::MouseUp(TMessage& message)
{
    FState.Exclude(scDown);
    Default(message);
    PaintControl(nullptr);
}

TRect TSkinUpDown::DrawBackGround(HDC dc, const TRect& rect)
{
    TRect area = rect;
    if (!FEmbedded || !FHandle)
        return area;
    FillColor(dc, rect, clWhite);
    HWND parent = GetParent(FHandle);
    RECT parentClient{};
    RECT mine{};
    if (!parent || !GetClientRect(parent, &parentClient) || !GetWindowRect(FHandle, &mine))
        return area;
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&mine), 2);
    if (mine.top < EditBorder)
        area.top += EditBorder - mine.top;
    if (parentClient.bottom - mine.bottom < EditBorder)
        area.bottom -= EditBorder - (parentClient.bottom - mine.bottom);
    if (parentClient.right - mine.right < EditBorder)
        area.right -= EditBorder - (parentClient.right - mine.right);
    return area;
}

void TSkinUpDown::DrawControl(HDC dc, const TRect& rect)
{
    const TRect area = DrawBackGround(dc, rect);
    const int width = RectWidth(area);
    const int height = RectHeight(area);
    if (width <= 0 || height <= 0)
        return;
    TBitmap buffer;
    buffer.SetPixelFormat(pf24bit);
    buffer.SetSize(width, height);
    TCanvas& canvas = buffer.Canvas();
    FillBG(canvas.Handle(), Rect(0, 0, width, height));

    POINT cursor{};
    GetCursorPos(&cursor);
    ScreenToClient(FHandle, &cursor);
    cursor.x -= area.left;
    cursor.y -= area.top;
    FEnabled = (GetWindowLongEx(FHandle, GWL_STYLE) & WS_DISABLED) == 0;

    const bool horizontal = Horizontal();
    std::array<TRect, 2> halves;
    if (horizontal) {
        halves = {Rect(0, 0, width / 2, height), Rect(width / 2, 0, width, height)};
    } else {
        halves = {Rect(0, 0, width, height / 2), Rect(0, height / 2, width, height)};
    }
    const TDataSkinBorder* element = UpDownElement(SkinElements(), horizontal);
    for (int i = 0; i < 2; ++i) {
        const TRect& half = halves[static_cast<std::size_t>(i)];
        const bool pressed = FState.Contains(scDown) && PtInRect(&half, cursor);
        const int state = pressed ? 2 : 1;
        if (element) {
            DrawSkinButton(canvas.Handle(), half, i == 0 ? state : state + 4, *element);
        } else {
            const int direction = horizontal ? (i == 0 ? adLeft : adRight) : (i == 0 ? adUp : adDown);
            DrawButton(canvas, half, pressed, direction);
        }
    }
    BitBlt(dc, area.left, area.top, width, height, canvas.Handle(), 0, 0, SRCCOPY);
}

void TSkinUpDown::DrawSkinButton(HDC dc, const TRect& half, int frame,
                                 const TDataSkinBorder& element) const
{
    DrawSkinMap1(dc, half, 8, frame, element.Image);
    if (element.Image2.Empty())
        return;
    const TRect glyph = Centred(half, element.Image2.Width() / 8, element.Image2.Height());
    DrawSkinMap1(dc, glyph, 8, frame, element.Image2);
}

void TSkinUpDown::DrawButton(TCanvas& canvas, const TRect& half, bool pressed,
                             int direction) const
{
    const TColor face = FSkinData ? FSkinData->Colors(csButtonFace) : clBtnFace;
    const TColor shadow = FSkinData ? FSkinData->Colors(csButtonShadow) : clBtnShadow;
    const TColor dark = FSkinData ? FSkinData->Colors(csButtonDkshadow) : cl3DDkShadow;
    canvas.Pen().SetColor(dark);
    canvas.Brush().SetColor(pressed ? shadow : face);
    canvas.Rectangle(half);
    const int x = half.left + RectWidth(half) / 2;
    int y = half.top + RectHeight(half) / 2;
    if (direction == adUp)
        y -= 2;
    else if (direction == adDown)
        y += 2;
    canvas.Pen().SetColor(dark);
    DrawArrow(canvas, x, y, direction);
}

} // namespace tarnivo
