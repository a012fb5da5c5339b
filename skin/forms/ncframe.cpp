// What a skinned frame looks like: its thickness (WM_NCCALCSIZE), the
// borders and title bar painted from the skin's elements, the caption text,
// and the window region cut to the skin's outline.
//
// Window coordinates throughout: W x H is the window rectangle's size; the
// left strip is (0, 0, BorderLeft, H), the right one (W - BorderRight, 0, W, H),
// the bottom one between them, the title bar (0, 0, W, BorderTop) with the top
// element over (BorderLeft, 0, W - BorderRight, BorderTop), and the menu band
// below the title bar.

#include "winskinform.h"

#include "menuband.h"

#include "skin/paint/drawroutines.h"
#include "skin/paint/elementpaint.h"
#include "skin/paint/titlestyle.h"

#include "framework/dcscopes.h"
#include "framework/regions.h"
#include "framework/windowdpi.h"

namespace tarnivo {

namespace {

const TDataSkinBorder* BorderElement(const TSkinElements& skin, int index)
{
    switch (index) {
    case 1: return skin.Left.get();
    case 2: return skin.Right.get();
    case 3: return skin.Top.get();
    case 4: return skin.Bottom.get();
    default: return nullptr;
    }
}

bool Transparent(const TDataSkinBorder* element)
{
    return element && element->Trans == 1 && !element->Image.Empty();
}

} // namespace

LRESULT TWinSkinForm::WMNCCalcSize(bool calcValidRects, NCCALCSIZE_PARAMS* params,
                                   TMessage& message)
{
    // rgrc[0] holds the new window rectangle on the way in; the default
    // processing turns it into the system's client rectangle. (The position
    // record may carry zeros when the move or the size was not asked for.)
    const TRect window = params ? params->rgrc[0] : TRect{};
    Default(message);
    if (!calcValidRects || !params)
        return message.Result = 0;
    const bool mdiChildNotNormal = FormStyle == sfsMDIChild && WindowState != swsNormal;
    if (mdiChildNotNormal || BorderStyle == sbsNone) {
        params->rgrc[1] = params->rgrc[0];
        return message.Result = WVR_VALIDRECTS;
    }
    const TRect client{window.left + BorderLeft, window.top + BorderTop + MenuBarHeight,
                       window.right - BorderRight, window.bottom - BorderBottom};
    params->rgrc[0] = client;
    params->rgrc[1] = client;
    return message.Result = WVR_VALIDRECTS;
}

void TWinSkinForm::WMNCPaint(TMessage& message)
{
    UpdateStyle(true);
    message.Result = 0;
    if (!SkinData || !SkinData->MainMenuUpdate())
        return;
    if (MaximizedMDIChild() || BorderStyle == sbsNone) {
        Default(message);
        return;
    }
    UpdateNc(nullptr);
}

void TWinSkinForm::UpdateNc(HDC dc)
{
    if ((SkinState != skinstate::Active && SkinState != skinstate::Reskinning) ||
        BorderStyle == sbsNone || MaximizedMDIChild() || !SkinData)
        return;
    WindowDC own;
    if (!dc) {
        own = WindowDC(Handle, DcArea::Window);
        dc = own.Get();
        if (!dc)
            return;
    }
    try {
        GetWindowRect(Handle, &WindowRect);
        const int w = WindowRect.right - WindowRect.left;
        const int h = WindowRect.bottom - WindowRect.top;
        PaintWidth = w;
        PaintHeight = h;
        if (WindowState == swsMin) {
            DrawFLine(dc);
        } else {
            Drawborder(1, TRect{0, 0, BorderLeft, h}, dc);
            Drawborder(2, TRect{w - BorderRight, 0, w, h}, dc);
            Drawborder(4, TRect{BorderLeft, h - BorderBottom, w - BorderRight, h}, dc);
            DrawFLine(dc);
            if (MenuBarHeight > 0) {
                const TRect band{BorderLeft, BorderTop, w - BorderRight, BorderTop + MenuBarHeight};
                if (MenuBar)
                    MenuBar->DrawMenu(dc, band);
                else
                    FillRect(dc, &band, SkinData->ButtonFaceBrush());
            }
        }
    } catch (...) {
        // A frame that cannot be painted keeps whatever was drawn; the
        // window itself must go on.
    }
    HotObject = nullptr;
}

void TWinSkinForm::Drawborder(int index, const TRect& rect, HDC dc)
{
    if (rect.right < rect.left || rect.bottom < rect.top || !SkinData)
        return;
    const TDataSkinBorder* element = BorderElement(Skin(), index);
    if (!element || element->Image.Empty() || element->FrameCount < 1) {
        // No image for this part: the system's face colour stands in.
        FillRect(dc, &rect, GetSysColorBrush(COLOR_BTNFACE));
        return;
    }
    const int frame = (Active || element->FrameCount == 1) ? 1 : 2;
    // (The loader turned the border's "Stretch" switch into Tile.)
    const CenterFill centre = ElementCenterFill(*element);
    const FrameLayout layout = index > 2 ? FrameLayout::Stacked : FrameLayout::SideBySide;
    try {
        std::unique_ptr<TBitmap> map = GetHMap(rect, element->Image, element->Margins, layout, centre,
                                               element->FrameCount, frame);
        if (map && !map->Empty())
            BitBlt(dc, rect.left, rect.top, map->Width(), map->Height(), map->Canvas().Handle(), 0, 0,
                   SRCCOPY);
    } catch (...) {
        FillRect(dc, &rect, GetSysColorBrush(COLOR_BTNFACE));
    }
}

void TWinSkinForm::DrawFLine(HDC dc)
{
    const TRect title{0, 0, PaintWidth, BorderTop};
    TRect text;
    if (WindowState == swsMin) {
        CaptionBuffer.SetSize(PaintWidth, PaintHeight);
        TCanvas& canvas = CaptionBuffer.Canvas();
        canvas.Brush().SetColor(SkinData->Colors(csButtonFace));
        canvas.FillRect(TRect{0, 0, PaintWidth, PaintHeight});
        text = TRect{0, 0, PaintWidth, BorderTop};
    } else {
        CaptionBuffer.SetSize(RectWidth(title), RectHeight(title));
        // The side borders are already painted: their upper ends stay.
        BitBlt(CaptionBuffer.Canvas().Handle(), 0, 0, RectWidth(title), RectHeight(title), dc, 0, 0,
               SRCCOPY);
        text = TRect{BorderLeft, 0, PaintWidth - BorderRight, BorderTop};
    }
    if (CaptionBuffer.Empty())
        return;
    TCanvas& canvas = CaptionBuffer.Canvas();
    const TDataSkinBorder* top = Skin().Top.get();
    if (top && !top->Image.Empty()) {
        Drawborder(3, text, canvas.Handle());
        DrawLine(canvas, text);
    } else {
        // No title image: the system's own caption look for the title bar.
        DrawCaption(Handle, canvas.Handle(), &text,
                    DC_TEXT | DC_GRADIENT | (Active ? DC_ACTIVE : 0u));
        CaptionTextRect = text;
    }
    // The caption buttons, over the title and the caption text.
    SetSysbtnRect();
    DrawAllSysbtn(canvas, title);
    BitBlt(dc, 0, 0, CaptionBuffer.Width(), CaptionBuffer.Height(), canvas.Handle(), 0, 0, SRCCOPY);
    SetBkMode(dc, OPAQUE);
}

void TWinSkinForm::DrawLine(TCanvas& canvas, const TRect& rect)
{
    const TDataSkinTitle& title = *Skin().Title;
    const std::wstring text = CaptionPrefix + WindowText() + CaptionSuffix;
    HDC dc = canvas.Handle();
    // The canvas keeps its own objects selected; ours go in for the text
    // only and come out again before the canvas draws anything else.
    canvas.Refresh();
    MakeTitleFont(title, CaptionFont, TitleFont);
    const HGDIOBJ oldFont = SelectObject(dc, TitleFont.Handle());
    const COLORREF oldColor =
        SetTextColor(dc, ColorToRGB(TitleTextColor(title, SkinData->Elements().Colors, Active)));
    {
        BackgroundModeScope transparent(dc, TBackgroundMode::Transparent);

        TRect measured = rect;
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &measured,
                  DT_CALCRECT | DT_NOCLIP | DT_SINGLELINE);
        measured.right += title.TextBackLeft + title.TextBackRight;
        const int titleW = RectWidth(rect);
        const int textW = RectWidth(measured);
        const int textShift = title.Margins.Left;
        const int shiftVert = title.Margins.Top;
        const int rightClip = title.Margins.Right;
        int dx = 0;
        switch (title.TextAlignment) {
        case 0: dx = textShift; break;
        case 1: dx = (titleW - textW) / 2; break;
        case 2: dx = titleW - rightClip - textW; break;
        default: dx = 0; break;
        }
        if (RightToLeft)
            dx = titleW - rightClip - textW;
        const int dy = (RectHeight(rect) - RectHeight(measured)) / 2 + shiftVert / 2;
        OffsetRect(&measured, dx, dy);

        if (GetWindowLongPtrW(Handle, GWL_STYLE) & WS_POPUP) {
            const int gap = DpiLength(5, Dpi);
            if (RightButtonsLeft > gap && RightButtonsLeft - gap < measured.right)
                measured.right = RightButtonsLeft - gap;
        } else if (measured.right > rect.right - rightClip) {
            measured.right = rect.right - rightClip;
        }
        // A caption wider than the title would start left of it when
        // centred or right-aligned; kept inside, it is cut with the ellipsis.
        if (measured.left < rect.left)
            measured.left = rect.left;
        if (BorderStyle == sbsDialog && title.TextAlignment == 0)
            measured.left -= DpiLength(16, Dpi);
        CaptionTextRect = measured;

        if (!title.Image.Empty()) {
            // The text background: two frames stacked, active over inactive.
            SelectObject(dc, oldFont);
            DrawRectTile(canvas, TRect{measured.left, rect.top, measured.right, rect.bottom},
                         title.Image, FrameLayout::Stacked, Keying::Transparent, 2,
                         Active ? 1 : 2, TSkinMargins{title.TextBackLeft, 0, title.TextBackRight, 0});
            canvas.Refresh();
            SelectObject(dc, TitleFont.Handle());
        } else if (TitleWantsPlate(title)) {
            // A plain plate of the title's own colour keeps the text readable
            // over a busy title image.
            GdiBrush plate(CreateSolidBrush(ColorToRGB(SkinData->Colors(csCaption))));
            const RECT box{measured.left, rect.top, measured.right, rect.bottom};
            FillRect(dc, &box, plate.Get());
        }
        TRect drawn = measured;
        drawn.left += title.TextBackLeft;
        drawn.right -= title.TextBackRight;
        UINT format = DT_SINGLELINE | DT_END_ELLIPSIS;
        if (RightToLeft)
            format |= DT_RIGHT;
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &drawn, format);
    }
    SetTextColor(dc, oldColor);
    SelectObject(dc, oldFont);
}

void TWinSkinForm::Cropwindow(WindowRedraw redraw)
{
    if (SkinState == skinstate::Destroyed || !SkinFrame || !SkinData || m_regionHeld)
        return;
    RECT window{};
    GetWindowRect(Handle, &window);
    const int w = window.right - window.left;
    const int h = window.bottom - window.top;
    if (w * h == 0)
        return;
    if (FormStyle == sfsMDIChild && WindowState != swsNormal)
        return;
    if (w == RegionWidth && h == RegionHeight && FormStyle != sfsMDIChild)
        return;
    RegionOwned = 0;
    RegionWidth = w;
    RegionHeight = h;

    const TSkinElements& skin = Skin();
    GdiRegion region;
    if (!Transparent(skin.Left.get()) && !Transparent(skin.Right.get()) &&
        !Transparent(skin.Top.get()) && !Transparent(skin.Bottom.get())) {
        region = RectRegion(TRect{0, 0, w, h});
    } else {
        region = RectRegion(TRect{BorderLeft, BorderTop, w - BorderRight, h - BorderBottom});
        if (BorderStyle != sbsNone) {
            // One border drawn in the window's current look into a bitmap of
            // its own, its non-magenta pixels placed at (x, y).
            auto part = [&](int index, int pw, int ph, int x, int y, bool cut) {
                const TRect whole{x, y, x + pw, y + ph};
                if (!cut || pw <= 0 || ph <= 0)
                    return RectRegion(whole);
                TBitmap bitmap;
                bitmap.SetSize(pw, ph);
                Drawborder(index, TRect{0, 0, pw, ph}, bitmap.Canvas().Handle());
                return FrameBitmapRegion(bitmap, x, y);
            };
            const int middle = w - BorderLeft - BorderRight;
            GdiRegion left = part(1, BorderLeft, h, 0, 0, Transparent(skin.Left.get()) && h > 1);
            GdiRegion right = part(2, BorderRight, h, w - BorderRight, 0,
                                   Transparent(skin.Right.get()) && h > 1);
            GdiRegion bottom = part(4, middle, BorderBottom, BorderLeft, h - BorderBottom,
                                    Transparent(skin.Bottom.get()) && BorderBottom > 1);
            GdiRegion top = part(3, middle, BorderTop, BorderLeft, 0,
                                 Transparent(skin.Top.get()) && BorderTop > 1);
            CombineRegion(left, right.Get(), TRegionOp::Or);
            CombineRegion(top, bottom.Get(), TRegionOp::Or);
            CombineRegion(left, top.Get(), TRegionOp::Or);
            CombineRegion(region, left.Get(), TRegionOp::Or);
        }
    }
    FrameRegion = region.Get();
    // The window owns the region from here on and frees it when it gets
    // another one or goes away.
    if (SetWindowRegion(Handle, std::move(region), redraw))
        RegionOwned = 1;
    else
        FrameRegion = nullptr;
}

void TWinSkinForm::Uncropwindow()
{
    if (!RegionOwned)
        return;
    RemoveWindowRegion(Handle, FormStyle == sfsMDIChild ? WindowRedraw::Yes : WindowRedraw::No);
    RegionOwned = 0;
    FrameRegion = nullptr;
    RegionWidth = RegionHeight = 0;
}

} // namespace tarnivo
