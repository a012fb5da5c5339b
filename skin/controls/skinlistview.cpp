#include "skinlistview.h"

#include "skin/controls/skintext.h"
#include "skin/resources/skindata.h"

#include "framework/bitmap.h"
#include "framework/canvas.h"
#include "framework/control.h"

#include <commctrl.h>

#include <algorithm>

namespace tarnivo {

namespace {

constexpr int kHeaderTextMax = 100;
constexpr int kHeaderFrames = 5;   // "Headerbar" without a frame count
constexpr int kItemInset = 3;

int HeaderFrames(const TDataSkinObject& bar)
{
    return bar.FrameCount > 0 ? bar.FrameCount : kHeaderFrames;
}

TAlignment HeaderAlignment(int format)
{
    if (format & HDF_RIGHT)
        return taRightJustify;
    if (format & HDF_CENTER)
        return taCenter;
    return taLeftJustify;
}

void UseWindowFont(TCanvas& canvas, HWND window)
{
    auto font = reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
    if (!font)
        font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    LOGFONTW logFont{};
    if (GetObjectW(font, sizeof logFont, &logFont))
        canvas.Font().AssignLogFont(logFont);
}

} // namespace

// TSkinHeader ---------------------------------------------------------------------

void TSkinHeader::Init(ISkinControlHost* host, TSkinData* skinData, TCanvas* canvas,
                       bool updateColor)
{
    TSkinControl::Init(host, skinData, canvas, updateColor);
    FHotItem = -1;
}

void TSkinHeader::Inithwnd(HWND window, TSkinData* skinData, TCanvas* canvas,
                           ISkinControlHost* host)
{
    TSkinControl::Inithwnd(window, skinData, canvas, host);
    FHotItem = -1;
}

bool TSkinHeader::HasHeaderImage() const
{
    return FSkinData && ElementPresent(Elements().Headerbar);
}

bool TSkinHeader::BeforeProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_PAINT:
        if (!HasHeaderImage())
            return true;
        WMPaint(message);
        return false;
    case WM_ERASEBKGND:
        if (!HasHeaderImage())
            return true;
        message.Result = 1;
        return false;
    default:
        return TSkinControl::BeforeProc(message);
    }
}

void TSkinHeader::AfterProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_MOUSEMOVE:  WMMouseMove(message); break;
    case WM_MOUSELEAVE: WMMouseLeave(); break;
    case WM_PAINT:      break;   // painted before the header could
    default:            TSkinControl::AfterProc(message); break;
    }
}

void TSkinHeader::WMMouseMove(const TMessage& message)
{
    const POINT p{static_cast<short>(LOWORD(message.LParam)),
                  static_cast<short>(HIWORD(message.LParam))};
    for (std::size_t i = 0; i < FItemRects.size(); ++i) {
        if (PtInRect(&FItemRects[i], p) && static_cast<int>(i) != FHotItem) {
            // Over a gap between items the last hot item stays hot.
            FHotItem = static_cast<int>(i);
            Invalidate();
        }
    }
    TRACKMOUSEEVENT track{};
    track.cbSize = sizeof track;
    track.dwFlags = TME_LEAVE;
    track.hwndTrack = FHandle;
    TrackMouseEvent(&track);
}

void TSkinHeader::WMMouseLeave()
{
    FHotItem = -1;
    Invalidate();
}

void TSkinHeader::DrawControl(HDC dc, const TRect&)
{
    if (!HasHeaderImage())
        return;
    RECT client{};
    GetClientRect(FHandle, &client);
    if (client.right <= 0 || client.bottom <= 0)
        return;
    TBitmap buffer;
    buffer.SetPixelFormat(pf32bit);
    buffer.SetSize(client.right, client.bottom);
    if (buffer.Empty())
        return;
    TCanvas& canvas = buffer.Canvas();
    UseWindowFont(canvas, FHandle);
    SetBkMode(canvas.Handle(), TRANSPARENT);
    FEnabled = true;
    FItemRects.clear();
    const int count = static_cast<int>(SendMessageW(FHandle, HDM_GETITEMCOUNT, 0, 0));
    int right = 0;
    for (int i = 0; i < count; ++i) {
        RECT item{};
        if (!SendMessageW(FHandle, HDM_GETITEMRECT, i, reinterpret_cast<LPARAM>(&item)))
            continue;
        DrawItem(canvas, i, item);
        FItemRects.push_back(Rect(item.left + kItemInset, item.top + kItemInset,
                                  item.right - kItemInset, item.bottom - kItemInset));
        right = std::max(right, static_cast<int>(item.right));
    }
    const TDataSkinObject& bar = *Elements().Headerbar;
    if (right < client.right)
        DrawSkinMap(canvas.Handle(), Rect(right, 0, client.right, client.bottom),
                    HeaderFrames(bar), 1, &bar);
    // A header has no border: window and client area coincide.
    BitBlt(dc, 0, 0, client.right, client.bottom, canvas.Handle(), 0, 0, SRCCOPY);
}

void TSkinHeader::DrawItem(TCanvas& canvas, int index, const TRect& rect)
{
    const TDataSkinObject& bar = *Elements().Headerbar;
    wchar_t text[kHeaderTextMax + 1] = {};
    HDITEMW item{};
    item.mask = HDI_TEXT | HDI_FORMAT | HDI_IMAGE;
    item.pszText = text;
    item.cchTextMax = kHeaderTextMax;
    if (!SendMessageW(FHandle, HDM_GETITEMW, index, reinterpret_cast<LPARAM>(&item)))
        text[0] = L'\0';
    DrawSkinMap(canvas.Handle(), rect, HeaderFrames(bar), index == FHotItem ? 2 : 1, &bar);
    if (!text[0])
        return;
    // The header's own image list, as the system header draws from it.
    const int image = (item.fmt & (HDF_IMAGE | HDF_OWNERDRAW)) ? item.iImage : -1;
    auto images = reinterpret_cast<HIMAGELIST>(SendMessageW(FHandle, HDM_GETIMAGELIST, 0, 0));
    tarnivo::DrawImgCaption(canvas, rect, HeaderAlignment(item.fmt), text, image, images, FEnabled,
                            CheckBiDi(0));
}

// TSkinListView -------------------------------------------------------------------

void TSkinListView::InitScrollbar(TControl* control, TSkinData* skinData, TCanvas* canvas,
                                  ISkinControlHost* host)
{
    TSkinScrollbar::InitScrollbar(control, skinData, canvas, host);
    if (!FInited || FHeader || !FHandle)
        return;
    auto header = reinterpret_cast<HWND>(SendMessageW(FHandle, LVM_GETHEADER, 0, 0));
    if (!header)
        return;
    FHeader = new TSkinHeader(control);
    FHeader->Inithwnd(header, skinData, canvas, host);
}

} // namespace tarnivo
