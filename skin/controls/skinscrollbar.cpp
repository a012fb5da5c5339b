#include "skinscrollbar.h"

#include "skin/controls/skinproperties.h"
#include "skin/forms/skinmessages.h"
#include "skin/resources/skindata.h"

#include "framework/control.h"
#include "framework/gdiobjects.h"

#include <algorithm>

namespace tarnivo {

namespace {

bool HasStyle(HWND window, LONG_PTR bit)
{
    return (GetWindowLongPtrW(window, GWL_STYLE) & bit) != 0;
}

// Where the client area's origin lies in window coordinates: how far the
// border moves the bars' client rectangles.
POINT ClientOffset(HWND window)
{
    RECT outer{};
    GetWindowRect(window, &outer);
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    return {origin.x - outer.left, origin.y - outer.top};
}

void RepaintIfShown(TWScrollbar* bar)
{
    if (bar && bar->Shown())
        bar->Repaint();
}

// Repaints a shown bar; places a hidden one again once the control's style
// says its bar is back.
void KeepInStep(TWScrollbar* bar, HWND window, LONG_PTR styleBit)
{
    if (!bar)
        return;
    if (bar->Shown())
        bar->Repaint();
    else if (HasStyle(window, styleBit))
        bar->SetPosition();
}

TWScrollbar* MakeBar(TSkinControl* skin, TControl* control, TBarKind kind)
{
    auto* bar = new TWScrollbar(skin);
    bar->Attach(skin, control, kind);
    return bar;
}

TWScrollbar* MakeBar(TSkinControl* skin, HWND window, TBarKind kind)
{
    auto* bar = new TWScrollbar(skin);
    bar->AttachHwnd(skin, window, kind);
    return bar;
}

} // namespace

// TSkinScrollbar ------------------------------------------------------------------

TSkinScrollbar::TSkinScrollbar(TComponent* owner) : TSkinControl(owner) {}

TSkinScrollbar::~TSkinScrollbar()
{
    FreeBars();
}

void TSkinScrollbar::Init(ISkinControlHost* host, TSkinData* skinData, TCanvas* canvas, bool)
{
    InitScrollbar(dynamic_cast<TControl*>(Owner()), skinData, canvas, host);
}

void TSkinScrollbar::InitScrollbar(TControl* control, TSkinData* skinData, TCanvas* canvas,
                                   ISkinControlHost* host)
{
    if (FInited || !control || control != Owner())
        return;
    TSkinControl::Init(host, skinData, canvas, false);
    if (!FInited)
        return;
    FDrawBorder = !EnumPropertyIs(control, "BorderStyle", "bsNone") &&
                  control->ClassName() != "TImageScrollBox" && FKind != 1;
    UseFixedColor();
    FHorzBar = MakeBar(this, control, TBarKind::Horizontal);
    FVertBar = MakeBar(this, control, TBarKind::Vertical);
    EnableBars();
    if (!control->Visible())
        ShowBars(false);
}

void TSkinScrollbar::UseFixedColor()
{
    if (!FControl || !FSkinData)
        return;
    const int fixed = GetIntProperty(FControl, "FixedColor");
    if (fixed == -1)
        return;
    if (!FUpdateColor)
        FOldColor = static_cast<TColor>(fixed);
    FUpdateColor = true;
    SetProperty(FControl, "FixedColor",
                std::to_string(static_cast<int>(FSkinData->Colors(csButtonFace))));
}

void TSkinScrollbar::Unsubclass()
{
    if (FUpdateColor && FControl)
        SetProperty(FControl, "FixedColor", std::to_string(static_cast<int>(FOldColor)));
    FUpdateColor = false;
    TSkinControl::Unsubclass();
    if (FStatus != skinstatus::Deleted)
        FreeBars();
}

void TSkinScrollbar::SkinChange()
{
    if (FControl && GetIntProperty(FControl, "FixedColor") != -1 && FSkinData) {
        if (!FUpdateColor)
            FOldColor = static_cast<TColor>(GetIntProperty(FControl, "FixedColor"));
        FUpdateColor = true;
        SetProperty(FControl, "FixedColor",
                    std::to_string(static_cast<int>(FSkinData->Colors(csButtonFace))));
    }
    SetScrollbarPos();
    if (FHandle && IsWindow(FHandle))
        RedrawWindow(FHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME);
}

void TSkinScrollbar::FreeBars()
{
    ReleaseBar(FHorzBar);
    ReleaseBar(FVertBar);
}

void TSkinScrollbar::SetScrollbarPos()
{
    if (FHorzBar)
        FHorzBar->SetPosition(FHandle);
    if (FVertBar)
        FVertBar->SetPosition(FHandle);
}

void TSkinScrollbar::ShowBars(bool visible)
{
    if (visible) {
        SetScrollbarPos();
        return;
    }
    if (FHorzBar)
        FHorzBar->HideScrollbar();
    if (FVertBar)
        FVertBar->HideScrollbar();
}

void TSkinScrollbar::EnableBars()
{
    const bool enabled = FControl ? FControl->Enabled() : true;
    if (FHorzBar)
        FHorzBar->SetEnabled(enabled);
    if (FVertBar)
        FVertBar->SetEnabled(enabled);
}

bool TSkinScrollbar::BeforeProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_NCPAINT: WMNCPaint(message); return !FDrawBorder;
    default:         return TSkinControl::BeforeProc(message);
    }
}

void TSkinScrollbar::WMNCPaint(TMessage& message)
{
    if (!FDrawBorder)
        return;
    Default(message);
    WindowDC dc(FHandle, DcArea::Window);
    if (dc)
        BENCPAINT(dc.Get());
}

void TSkinScrollbar::AfterProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_SIZE:             SetScrollbarPos(); break;
    case WM_WINDOWPOSCHANGED: SetScrollbarPos(); break;
    case WM_HSCROLL:          if (FHorzBar) FHorzBar->SetPart(LOWORD(message.WParam)); break;
    case WM_VSCROLL:          if (FVertBar) FVertBar->SetPart(LOWORD(message.WParam)); break;
    case WM_MOUSEWHEEL:       RepaintIfShown(FHorzBar); RepaintIfShown(FVertBar); break;
    case CM_VISIBLECHANGED:   ShowBars(message.WParam != 0); break;
    case CM_ENABLEDCHANGED:   EnableBars(); break;
    case CM_RECREATEWND:      PostRecreate(); break;
    case WM_SKINPAINTNC:      WMSkinPaintNC(message); break;
    case WM_PAINT:            WMPaintAfter(reinterpret_cast<HDC>(message.WParam)); break;
    default:                  break;   // clicks and focus change nothing we draw
    }
}

// After the control's own paint: the overlays catch up with the bars (a
// scroll step has usually painted them already, and then nothing is
// drawn), and the corner between two bars is filled. The window DC is
// only needed for that corner.
void TSkinScrollbar::WMPaintAfter(HDC dc)
{
    KeepInStep(FHorzBar, FHandle, WS_HSCROLL);
    KeepInStep(FVertBar, FHandle, WS_VSCROLL);
    if (!FHorzBar || !FVertBar || !FHorzBar->Shown() || !FVertBar->Shown())
        return;
    if (dc) {
        FillCorner(dc);
        return;
    }
    WindowDC windowDC(FHandle, DcArea::Window);
    if (windowDC)
        FillCorner(windowDC.Get());
}

void TSkinScrollbar::WMSkinPaintNC(TMessage& message)
{
    if (message.LParam != SkinMagic || !SentFromThisThread())
        return;
    if (message.WParam)
        BENCPAINT(reinterpret_cast<HDC>(message.WParam));
    message.Result = SkinMagic;
}

void TSkinScrollbar::DrawControl(HDC dc, const TRect&)
{
    KeepInStep(FHorzBar, FHandle, WS_HSCROLL);
    KeepInStep(FVertBar, FHandle, WS_VSCROLL);
    FillCorner(dc);
}

void TSkinScrollbar::FillCorner(HDC dc) const
{
    if (!FHorzBar || !FVertBar || !FHorzBar->Shown() || !FVertBar->Shown())
        return;
    const POINT offset = ClientOffset(FHandle);
    const TRect& v = FVertBar->BarRect();
    const TRect& h = FHorzBar->BarRect();
    FillBG(dc, Rect(v.left + offset.x, h.top + offset.y, v.right + offset.x, h.bottom + offset.y));
}

void TSkinScrollbar::DrawBorder(HDC dc, const TRect& rect) const
{
    if (!FSkinData)
        return;
    GdiBrush shadow(CreateSolidBrush(ColorToRGB(FSkinData->Colors(csButtonShadow))));
    GdiBrush face(CreateSolidBrush(ColorToRGB(FSkinData->Colors(csButtonFace))));
    TRect inner = rect;
    InflateRect(&inner, -1, -1);
    if (shadow)
        FrameRect(dc, &rect, shadow.Get());
    if (face)
        FrameRect(dc, &inner, face.Get());
}

void TSkinScrollbar::BENCPAINT(HDC dc) const
{
    RECT window{};
    if (!FHandle || !GetWindowRect(FHandle, &window))
        return;
    DrawBorder(dc, Rect(0, 0, window.right - window.left, window.bottom - window.top));
}

// TSkinScrollbarH -----------------------------------------------------------------

TSkinScrollbarH::TSkinScrollbarH(TComponent* owner) : TSkinControl(owner) {}

TSkinScrollbarH::~TSkinScrollbarH()
{
    FreeBars();
}

void TSkinScrollbarH::Inithwnd(HWND window, TSkinData* skinData, TCanvas* canvas,
                               ISkinControlHost* host)
{
    TSkinControl::Inithwnd(window, skinData, canvas, host);
    if (!FInited || FHorzBar)
        return;
    FHorzBar = MakeBar(this, window, TBarKind::Horizontal);
    FVertBar = MakeBar(this, window, TBarKind::Vertical);
}

void TSkinScrollbarH::FreeBars()
{
    ReleaseBar(FHorzBar);
    ReleaseBar(FVertBar);
}

void TSkinScrollbarH::Unsubclass()
{
    TSkinControl::Unsubclass();
    if (FStatus != skinstatus::Deleted)
        FreeBars();
}

void TSkinScrollbarH::Reposition()
{
    if (FHorzBar)
        FHorzBar->SetPosition(FHandle);
    if (FVertBar)
        FVertBar->SetPosition(FHandle);
    Invalidate();
}

void TSkinScrollbarH::AfterProc(TMessage& message)
{
    if (FVertBar && FHandle && !IsWindowVisible(FHandle))
        FVertBar->HideScrollbar();
    switch (message.Msg) {
    case WM_SIZE:    Reposition(); break;
    case WM_NCPAINT: Reposition(); break;
    case WM_HSCROLL: if (FHorzBar) FHorzBar->SetPart(LOWORD(message.WParam)); break;
    case WM_VSCROLL: if (FVertBar) FVertBar->SetPart(LOWORD(message.WParam)); break;
    default:         TSkinControl::AfterProc(message); break;
    }
}

void TSkinScrollbarH::DrawControl(HDC dc, const TRect&)
{
    RepaintIfShown(FHorzBar);
    RepaintIfShown(FVertBar);
    if (!FHorzBar || !FVertBar || !FHorzBar->Shown() || !FVertBar->Shown())
        return;
    const POINT offset = ClientOffset(FHandle);
    const TRect& v = FVertBar->BarRect();
    const TRect& h = FHorzBar->BarRect();
    FillBG(dc, Rect(v.left + offset.x, h.top + offset.y, v.right + offset.x, h.bottom + offset.y));
}

// TSkinScControl ------------------------------------------------------------------

TSkinScControl::TSkinScControl(TComponent* owner) : TSkinControl(owner) {}

TSkinScControl::~TSkinScControl()
{
    ReleaseBar(FBar);
}

void TSkinScControl::Init(ISkinControlHost* host, TSkinData* skinData, TCanvas* canvas, bool)
{
    InitScrollbar(dynamic_cast<TControl*>(Owner()), skinData, canvas, host);
}

void TSkinScControl::InitScrollbar(TControl* control, TSkinData* skinData, TCanvas* canvas,
                                   ISkinControlHost* host)
{
    if (FInited || !control || control != Owner())
        return;
    TSkinControl::Init(host, skinData, canvas, false);
    if (!FInited)
        return;
    FBar = MakeBar(this, control, TBarKind::Control);
    if (!control->Visible())
        FBar->HideScrollbar();
}

void TSkinScControl::Unsubclass()
{
    TSkinControl::Unsubclass();
    if (FStatus != skinstatus::Deleted)
        ReleaseBar(FBar);
}

void TSkinScControl::AfterProc(TMessage& message)
{
    if (!FBar) {
        TSkinControl::AfterProc(message);
        return;
    }
    switch (message.Msg) {
    case WM_WINDOWPOSCHANGED: FBar->SetPosition(); break;
    case WM_NCPAINT:          FBar->SetPosition(FControl ? FHandle : nullptr); break;
    case SBM_SETSCROLLINFO:   FBar->Repaint(); break;
    case SBM_SETPOS:          FBar->Repaint(); break;
    case CN_VSCROLL:          FBar->Repaint(); break;
    case CN_HSCROLL:          FBar->Repaint(); break;
    case CM_VISIBLECHANGED:   if (message.WParam) FBar->SetPosition(); else FBar->HideScrollbar(); break;
    default:                  TSkinControl::AfterProc(message); break;
    }
}

void TSkinScControl::DrawControl(HDC, const TRect&)
{
    RepaintIfShown(FBar);
}

// TComboxScrollBar ----------------------------------------------------------------

bool TComboxScrollBar::BeforeProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_NCPAINT:
        PaintControl(nullptr);
        message.Result = 0;
        return false;
    case WM_NCMOUSEMOVE:
        return message.WParam != HTHSCROLL && message.WParam != HTVSCROLL;
    case WM_NCLBUTTONDOWN:
        return !NCLButtonDown(message);
    default:
        return TSkinControl::BeforeProc(message);
    }
}

void TComboxScrollBar::AfterProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_HSCROLL: PaintControl(nullptr); break;
    case WM_VSCROLL: PaintControl(nullptr); break;
    case 0x1AE:      PaintControl(nullptr); break;   // the list's own scroll notification
    default:         TSkinControl::AfterProc(message); break;
    }
}

void TComboxScrollBar::DrawControl(HDC dc, const TRect&)
{
    if (!FSkinData || !SkinHasScrollBars(Elements()))
        return;
    SCROLLBARINFO info{};
    info.cbSize = sizeof info;
    if (!FSkinData->GetScrollBarInfo(FHandle, OBJID_VSCROLL, info) ||
        (info.rgstate[0] & STATE_SYSTEM_INVISIBLE))
        return;
    RECT window{};
    GetWindowRect(FHandle, &window);
    TScrollBarLook look;
    look.Vertical = true;
    look.Width = info.rcScrollBar.right - info.rcScrollBar.left;
    look.Height = info.rcScrollBar.bottom - info.rcScrollBar.top;
    look.ThumbStart = info.xyThumbTop;
    look.ThumbEnd = info.xyThumbBottom;
    look.Enabled = (info.rgstate[0] & STATE_SYSTEM_UNAVAILABLE) == 0;
    look.ArrowSize = GetSystemMetrics(SM_CXHSCROLL);
    const POINT at{info.rcScrollBar.left - window.left, info.rcScrollBar.top - window.top};
    DrawScrollBarBuffered(dc, at, Elements(), FSkinData->Colors(csButtonFace), look);
}

bool TComboxScrollBar::NCLButtonDown(TMessage& message)
{
    if (message.WParam != HTVSCROLL || !FSkinData)
        return false;
    SCROLLBARINFO info{};
    info.cbSize = sizeof info;
    if (!FSkinData->GetScrollBarInfo(FHandle, OBJID_VSCROLL, info))
        return false;
    const int y = static_cast<short>(HIWORD(message.LParam)) - info.rcScrollBar.top;
    if (y < info.xyThumbTop || y > info.xyThumbBottom)
        return false;
    const int a = info.dxyLineButton > 0 ? info.dxyLineButton : GetSystemMetrics(SM_CXHSCROLL);
    const int track = (info.rcScrollBar.bottom - info.rcScrollBar.top) - 2 * a;
    DragThumb(info.xyThumbTop - a, track, info.xyThumbBottom - info.xyThumbTop,
              static_cast<short>(HIWORD(message.LParam)));
    message.Result = 0;
    return true;
}

void TComboxScrollBar::DragThumb(int startOffset, int track, int thumb, int downY)
{
    SetCapture(FHandle);
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    GetScrollInfo(FHandle, SB_VERT, &si);
    const int page = static_cast<int>(si.nPage);
    int last = si.nPos;
    for (;;) {
        MSG msg{};
        if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (GetCapture() != FHandle)
                break;
            WaitMessage();
            continue;
        }
        if (msg.message == WM_LBUTTONUP || msg.message == WM_NCLBUTTONUP) {
            SendMessageW(FHandle, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, last), 0);
            PostMessageW(FHandle, WM_VSCROLL, SB_ENDSCROLL, 0);
            break;
        }
        if (msg.message != WM_MOUSEMOVE && msg.message != WM_NCMOUSEMOVE) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
            continue;
        }
        DispatchMessageW(&msg);
        POINT cursor{};
        GetCursorPos(&cursor);
        int offset = std::max(0, startOffset + static_cast<int>(cursor.y) - downY);
        int pos = 0;
        if (page > 0) {
            offset = std::min(offset, track - thumb + 1);
            pos = MulDiv(offset, si.nMax - si.nMin - page, std::max(1, track - thumb)) + si.nMin;
            if (pos >= si.nMax - page)
                pos = si.nMax - page + 1;
        } else {
            offset = std::min(offset, track - thumb);
            pos = std::min(MulDiv(offset, si.nMax - si.nMin, std::max(1, track)) + si.nMin, si.nMax);
        }
        pos = std::max(pos, si.nMin);
        if (pos != last) {
            last = pos;
            SendMessageW(FHandle, WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, pos), 0);
        }
    }
    ReleaseCapture();
}

} // namespace tarnivo
