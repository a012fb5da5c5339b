#include "skintrackbar.h"

#include "skin/forms/skinmessages.h"
#include "skin/paint/drawroutines.h"
#include "skin/paint/elementpaint.h"
#include "skin/resources/skindata.h"

#include "framework/control.h"
#include "framework/ownmessages.h"
#include "framework/gdiobjects.h"

namespace tarnivo {

namespace {

const TDataSkinObject* Present(const std::unique_ptr<TDataSkinObject>& element)
{
    return ElementPresent(element) ? element.get() : nullptr;
}

// The element's image in three pieces over `rect`: the two caps of
// `margins` at their size, the middle stretched.
void DrawThreePieces(HDC dc, const TRect& rect, const TDataSkinObject& element,
                     const TSkinMargins& margins)
{
    DrawRect2(dc, rect, element.Image, FrameLayout::SideBySide, CenterFill::Stretch,
              ElementKeying(element), 1, 1, margins);
}

} // namespace

bool TSkinTrackBar::BeforeProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_NOTIFY:
    case CN_NOTIFY:         return Notify(message);
    case CN_CTLCOLORSTATIC: CtlColorStatic(message); return false;
    default:                return TSkinControl::BeforeProc(message);
    }
}

bool TSkinTrackBar::Notify(TMessage& message)
{
    const NMHDR* header = NotifyRecord(message.LParam);
    if (!header || header->code != static_cast<UINT>(NM_CUSTOMDRAW) || header->hwndFrom != FHandle)
        return true;
    message.Result = CustomDraw(*reinterpret_cast<const NMCUSTOMDRAW*>(header));
    return false;
}

// The control erases its background (around the channel, between the tick
// marks) with the brush its parent hands out; a framework parent hands out
// the control's own colour, the system face.
void TSkinTrackBar::CtlColorStatic(TMessage& message)
{
    if (!FSkinData) {
        Default(message);
        return;
    }
    HDC dc = reinterpret_cast<HDC>(message.WParam);
    SetBkColor(dc, ColorToRGB(FSkinData->Colors(csButtonFace)));
    message.Result = reinterpret_cast<LRESULT>(FSkinData->ButtonFaceBrush());
}

LRESULT TSkinTrackBar::CustomDraw(const NMCUSTOMDRAW& draw)
{
    if (draw.dwDrawStage == CDDS_PREPAINT)
        return CDRF_NOTIFYITEMDRAW;
    if (draw.dwDrawStage != CDDS_ITEMPREPAINT || !FSkinData)
        return CDRF_DODEFAULT;
    switch (draw.dwItemSpec) {
    case TBCD_THUMB:   Drawthumb(draw.hdc); return CDRF_SKIPDEFAULT;
    case TBCD_CHANNEL: DrawTrack(draw.hdc); return CDRF_SKIPDEFAULT;
    default:           return CDRF_DODEFAULT;
    }
}

bool TSkinTrackBar::Vertical() const
{
    return (GetWindowLongEx(FHandle, GWL_STYLE) & TBS_VERT) != 0;
}

void TSkinTrackBar::DrawTrack(HDC dc)
{
    RECT channel{};
    SendMessageW(FHandle, TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&channel));
    const TSkinElements& e = Elements();
    if (Vertical()) {
        if (const TDataSkinObject* track = Present(e.TrackVert)) {
            const int width = track->Image.Width();
            TRect rect = Rect(channel.left, channel.top, channel.left + width, channel.bottom);
            if (width < channel.right - channel.left)
                OffsetRect(&rect, (channel.right - channel.left - width) / 2, 0);
            DrawThreePieces(dc, rect, *track, {0, track->Margins.Top, 0, track->Margins.Bottom});
            return;
        }
    }
    if (const TDataSkinObject* track = Present(e.Track)) {
        const int height = track->Image.Height();
        TRect rect = Rect(channel.left, channel.top, channel.right, channel.top + height);
        if (height < channel.bottom - channel.top)
            OffsetRect(&rect, 0, (channel.bottom - channel.top) / 2);
        DrawThreePieces(dc, rect, *track, {track->Margins.Left, 0, track->Margins.Right, 0});
    }
}

void TSkinTrackBar::Drawthumb(HDC dc)
{
    RECT thumb{};
    SendMessageW(FHandle, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
    const TSkinElements& e = Elements();
    const LONG style = GetWindowLongEx(FHandle, GWL_STYLE);
    // The thumb that points at the ticks, then the plain thumb of the bar's
    // direction, then the horizontal one: a skin may give any subset.
    const TDataSkinObject* image = Present(e.TrackThumbs[ThumbForStyle(style)]);
    if (!image && (style & TBS_VERT))
        image = Present(e.TrackThumbs[ttVert]);
    if (!image)
        image = Present(e.TrackThumbs[ttHorz]);
    if (image) {
        DrawSkinMap1(dc, thumb, 5, 2, image->Image);
        return;
    }
    GdiPen pen(CreatePen(PS_SOLID, 1, ColorToRGB(FSkinData->Colors(csButtonShadow))));
    GdiBrush brush(CreateSolidBrush(ColorToRGB(FSkinData->Colors(csButtonFace))));
    HGDIOBJ oldPen = SelectObject(dc, pen.Get());
    HGDIOBJ oldBrush = SelectObject(dc, brush.Get());
    Rectangle(dc, thumb.left, thumb.top, thumb.right, thumb.bottom);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
}

void TSkinTrackBar::SkinChange()
{
    if (!FHandle || !IsWindow(FHandle))
        return;
    // A track bar rebuilds its custom-drawn parts when it takes the focus.
    // Only inside the active window: focusing a control of another window
    // would activate that window, and a skin change reaches every window.
    if (GetActiveWindow() == GetAncestor(FHandle, GA_ROOT)) {
        HWND previous = SetFocus(FHandle);
        if (previous && previous != FHandle)
            SetFocus(previous);
    }
    InvalidateLater();
}

TTrackThumb ThumbForStyle(LONG style)
{
    const bool vertical = (style & TBS_VERT) != 0;
    // The system draws a square-ended thumb when ticks are on both sides;
    // without ticks there is no side to point at either.
    if (style & (TBS_BOTH | TBS_NOTICKS))
        return vertical ? ttVert : ttHorz;
    // TBS_TOP and TBS_LEFT are the same bit; without it the ticks are below
    // (right of) the channel.
    if (vertical)
        return (style & TBS_LEFT) ? ttLeft : ttRight;
    return (style & TBS_TOP) ? ttUp : ttDown;
}

bool ReflectTrackBarDraw(TMessage& message)
{
    const NMHDR* header = NotifyRecord(message.LParam);
    if (!header || header->code != static_cast<UINT>(NM_CUSTOMDRAW) || !IsWindow(header->hwndFrom))
        return false;
    HWND bar = header->hwndFrom;
    // A framework control gets its notifications back from its framework
    // parent already.
    if (TWinControl::FromHandle(bar))
        return false;
    wchar_t cls[32] = {};
    GetClassNameW(bar, cls, 32);
    if (lstrcmpiW(cls, TRACKBAR_CLASSW) != 0 || SendMessageW(bar, WM_ISSKINNED, 0, 0) != 1)
        return false;
    // Sent as the program's own: a raw window's skin takes CN_NOTIFY from
    // nobody else (its lParam is read as a record).
    message.Result = SendOwnMessage(bar, CN_NOTIFY, message.WParam, message.LParam);
    return true;
}

} // namespace tarnivo
