#include "scrollbaroverlay.h"

#include "skin/controls/skincontrol.h"
#include "skin/controls/skinproperties.h"
#include "skin/resources/skindata.h"

#include "framework/control.h"
#include "framework/controls/scrollbar.h"
#include "framework/gdiobjects.h"
#include "framework/windowdpi.h"

#include <algorithm>
#include <string>

namespace tarnivo {

namespace {

constexpr int kMinimumThumb = 8;   // at 96 DPI
constexpr int kNoRange = 9999999;

int BarWidth(const RECT& r) { return r.right - r.left; }
int BarHeight(const RECT& r) { return r.bottom - r.top; }

POINT PointOf(LPARAM lParam)
{
    return {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

// The thumb of a scroll-bar control from its range, page and position, the
// way the system lays it out: arrows of `a` at both ends of `length`.
// A thumb shorter than `minimumThumb` (0: no minimum) is drawn that long.
void SynthesizeThumb(SCROLLBARINFO& info, int length, int a, int min, int max, int page,
                     int pos, int minimumThumb, bool replaceEmptyRange)
{
    int range = max - min;
    if (range == 0 && replaceEmptyRange)
        range = kNoRange;
    if (range == 0)
        range = 1;
    int start = 0;
    int size = 0;
    if (page > 0) {
        size = MulDiv(length - 2 * a, page - 1, range);
        if (size < minimumThumb) {
            size = minimumThumb;
            start = a + MulDiv(length - 2 * a - minimumThumb, pos - min, range);
        } else {
            start = a + MulDiv(length - 2 * a, pos - min, range);
        }
    } else {
        size = a;
        start = a + MulDiv(length - 3 * a, pos - min, range);
    }
    if (pos == min)
        start = a;
    info.xyThumbTop = start;
    info.xyThumbBottom = start + size;
    info.dxyLineButton = a;
}

} // namespace

TWScrollbar::TWScrollbar(TComponent* owner) : TCustomPanel(owner)
{
    m_arrowSize = GetSystemMetrics(SM_CXHSCROLL);
    SetBevelOuter(bvNone);
    SetTabStop(false);
    SetVisible(false);
}

void TWScrollbar::CreateParams(TCreateParams& params)
{
    TCustomPanel::CreateParams(params);
    params.ExStyle = WS_EX_TOOLWINDOW;
    params.Style &= ~static_cast<DWORD>(WS_TABSTOP);
}

void TWScrollbar::Attach(TSkinControl* skin, TControl* control, TBarKind kind)
{
    auto* windowed = dynamic_cast<TWinControl*>(control);
    if (!skin || !windowed)
        return;
    m_skin = skin;
    m_kind = kind;
    m_target = windowed->Handle();
    if (kind == TBarKind::Control) {
        m_targetControl = control;
        m_vertical = GetEnumProperty(control, "Kind") != "sbHorizontal";
    } else {
        m_vertical = kind == TBarKind::Vertical;
    }
    SetColor(skin->GetParentColor(skin->SkinData() ? skin->SkinData()->Colors(csButtonFace)
                                                   : clBtnFace));
    SetParentWindow(GetParent(m_target));
    SetPosition();
}

void TWScrollbar::AttachHwnd(TSkinControl* skin, HWND target, TBarKind kind)
{
    if (!skin || !IsWindow(target) || kind == TBarKind::Control)
        return;
    m_skin = skin;
    m_kind = kind;
    m_target = target;
    m_vertical = kind == TBarKind::Vertical;
    SetColor(skin->GetParentColor(skin->SkinData() ? skin->SkinData()->Colors(csButtonFace)
                                                   : clBtnFace));
    SetParentWindow(GetParent(m_target));
    SetPosition();
}

bool TWScrollbar::ReadBarInfo(SCROLLBARINFO& info) const
{
    info = SCROLLBARINFO{};
    info.cbSize = sizeof info;
    if (!m_skin || !m_skin->SkinData() || !m_target || !IsWindow(m_target))
        return false;
    if (m_kind == TBarKind::Control)
        return GetControlInfo2(info);
    const LONG bar = m_kind == TBarKind::Vertical ? OBJID_VSCROLL : OBJID_HSCROLL;
    return m_skin->SkinData()->GetScrollBarInfo(m_target, bar, info);
}

bool TWScrollbar::GetControlInfo2(SCROLLBARINFO& info) const
{
    if (!m_target || !IsWindow(m_target))
        return false;
    RECT bounds{};
    GetWindowRect(m_target, &bounds);
    MapWindowPoints(nullptr, GetParent(m_target), reinterpret_cast<POINT*>(&bounds), 2);
    info.rcScrollBar = bounds;
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    if (!GetScrollInfo(m_target, SB_CTL, &si))
        return false;
    const int length = m_vertical ? BarHeight(bounds) : BarWidth(bounds);
    const int minimumThumb = DpiLength(kMinimumThumb, m_skin ? m_skin->Dpi() : 96);
    SynthesizeThumb(info, length, ScrollArrowLength(length, m_arrowSize), si.nMin, si.nMax,
                    static_cast<int>(si.nPage), si.nPos, minimumThumb, true);
    info.rgstate[0] = IsWindowEnabled(m_target) ? 0 : STATE_SYSTEM_UNAVAILABLE;
    return true;
}

bool TWScrollbar::GetControlInfo(SCROLLBARINFO& info) const
{
    if (!m_targetControl || !m_target || !IsWindow(m_target))
        return false;
    RECT bounds{};
    GetWindowRect(m_target, &bounds);
    info.rcScrollBar = bounds;
    const int length = m_vertical ? BarHeight(bounds) : BarWidth(bounds);
    SynthesizeThumb(info, length, ScrollArrowLength(length, m_arrowSize),
                    GetIntProperty(m_targetControl, "Min"), GetIntProperty(m_targetControl, "Max"),
                    GetIntProperty(m_targetControl, "PageSize"),
                    GetIntProperty(m_targetControl, "Position"), 0, false);
    return true;
}

void TWScrollbar::ReadThumb(const SCROLLBARINFO& info)
{
    m_thumbStart = info.xyThumbTop;
    m_thumbEnd = info.xyThumbBottom;
}

void TWScrollbar::SetPosition(HWND target)
{
    if (target && IsWindow(target))
        m_target = target;
    SCROLLBARINFO info{};
    if (!ReadBarInfo(info)) {
        m_shown = false;
        return;
    }
    const bool targetVisible = (GetWindowLongPtrW(m_target, GWL_STYLE) & WS_VISIBLE) != 0;
    if (!targetVisible || (info.rgstate[0] & STATE_SYSTEM_INVISIBLE)) {
        HideScrollbar();
        return;
    }
    RECT bar = info.rcScrollBar;
    POINT corner{bar.left, bar.top};
    if (m_kind == TBarKind::Control) {
        m_barRect = bar;
    } else {
        m_barRect = bar;
        MapWindowPoints(nullptr, m_target, reinterpret_cast<POINT*>(&m_barRect), 2);
        MapWindowPoints(nullptr, GetParent(m_target), &corner, 1);
    }
    m_length = m_vertical ? BarHeight(bar) : BarWidth(bar);
    m_barOrigin = {bar.left, bar.top};
    ReadThumb(info);
    PlaceOver(corner.x, corner.y, BarWidth(bar), BarHeight(bar));
}

void TWScrollbar::PlaceOver(int x, int y, int width, int height)
{
    m_shown = true;
    SetBounds(x, y, width, height);
    SetVisible(true);
    // Directly above the covered window: below the window that precedes it,
    // or on top when none does.
    HWND self = Handle();
    if (AboveTarget()) {
        // Two overlays of one window would otherwise take turns at the
        // place right above it, and each turn repaints the window's frame,
        // which places them again.
        SetWindowPos(self, nullptr, x, y, width, height, SWP_NOACTIVATE | SWP_NOZORDER);
    } else {
        HWND previous = GetWindow(m_target, GW_HWNDPREV);
        if (previous == self)
            previous = GetWindow(self, GW_HWNDPREV);
        SetWindowPos(self, previous ? previous : HWND_TOP, x, y, width, height, SWP_NOACTIVATE);
    }
    MoveWindow(self, x, y, width, height, TRUE);
}

bool TWScrollbar::AboveTarget()
{
    for (HWND w = GetWindow(m_target, GW_HWNDPREV); w; w = GetWindow(w, GW_HWNDPREV)) {
        if (w == Handle())
            return true;
        const auto* other = dynamic_cast<const TWScrollbar*>(TWinControl::FromHandle(w));
        if (!other || other->m_target != m_target)
            return false;
    }
    return false;
}

void TWScrollbar::HideScrollbar()
{
    m_shown = false;
    m_painter.Forget();
    if (HandleAllocated())
        ShowWindow(Handle(), SW_HIDE);
    SetVisible(false);
}

int TWScrollbar::ArrowLength() const
{
    return ScrollArrowLength(m_length, m_arrowSize);
}

int TWScrollbar::GetScrollPos(POINT p) const
{
    const int a = m_vertical ? p.y : p.x;
    const int arrow = ArrowLength();
    if (a < arrow)
        return sbpart::FirstArrow;
    if (a < m_thumbStart)
        return sbpart::PageBefore;
    if (a < m_thumbEnd)
        return sbpart::Thumb;
    if (a < m_length - arrow)
        return sbpart::PageAfter;
    return sbpart::SecondArrow;
}

void TWScrollbar::GetThumb()
{
    POINT now{};
    GetCursorPos(&now);
    const int size = m_thumbEnd - m_thumbStart;
    const int moved = m_vertical ? now.y - m_downCursor.y : now.x - m_downCursor.x;
    const int arrow = ArrowLength();
    const int last = std::max(arrow, m_length - arrow - size);
    m_thumbStart = std::clamp(m_downThumb + moved, arrow, last);
    m_thumbEnd = m_thumbStart + size;
}

void TWScrollbar::SetPart(int part)
{
    m_part = part;
    Repaint();
}

void TWScrollbar::Repaint()
{
    if (!m_shown || !HandleAllocated())
        return;
    // A covered window that clips its siblings never draws over the overlay
    // (its own bar drawing included), so the overlay still shows its last
    // paint; one that does not may have drawn over it.
    const bool kept = (GetWindowLongPtrW(m_target, GWL_STYLE) & WS_CLIPSIBLINGS) != 0;
    TScrollBarLook look;
    if (!ReadLook(look)) {
        m_painter.Forget();
        return;
    }
    // Most repaints after a scroll step find the bar as the step left it:
    // no DC is needed for them.
    const TSkinData& skin = *m_skin->SkinData();
    if (kept && m_painter.Current(m_skin->Elements(), skin.Colors(csButtonFace), look))
        return;
    WindowDC dc(Handle(), DcArea::Client);
    if (dc)
        m_painter.Paint(dc.Get(), POINT{0, 0}, m_skin->Elements(), skin.Colors(csButtonFace), look,
                        kept ? TBarRefresh::Changes : TBarRefresh::Whole);
}

void TWScrollbar::Paint(TCanvas& canvas)
{
    PaintWindow(canvas.Handle(), TBarRefresh::Whole);
}

bool TWScrollbar::ReadLook(TScrollBarLook& look)
{
    if (!m_skin || !m_skin->SkinData())
        return false;
    if (!SkinHasScrollBars(m_skin->Elements()))
        return false;
    SCROLLBARINFO info{};
    if (!ReadBarInfo(info) || (info.rgstate[0] & STATE_SYSTEM_INVISIBLE))
        return false;
    look.Vertical = m_vertical;
    look.Width = BarWidth(info.rcScrollBar);
    look.Height = BarHeight(info.rcScrollBar);
    const RECT client = ClientRect();
    if (look.Width < 0 || look.Height < 0 || look.Width > BarWidth(client) ||
        look.Height > BarHeight(client))
        return false;
    m_length = m_vertical ? look.Height : look.Width;
    if (m_pressed && m_part == sbpart::Thumb && m_kind != TBarKind::Control)
        GetThumb();
    else
        ReadThumb(info);
    look.ThumbStart = m_thumbStart;
    look.ThumbEnd = m_thumbEnd;
    look.Enabled = (info.rgstate[0] & STATE_SYSTEM_UNAVAILABLE) == 0;
    look.ArrowSize = m_arrowSize;
    look.Part = m_part;
    look.Pressed = m_pressed;
    return true;
}

void TWScrollbar::PaintWindow(HDC dc, TBarRefresh refresh)
{
    TScrollBarLook look;
    if (!ReadLook(look)) {
        m_painter.Forget();
        return;
    }
    m_painter.Paint(dc, POINT{0, 0}, m_skin->Elements(),
                    m_skin->SkinData()->Colors(csButtonFace), look, refresh);
}

bool TWScrollbar::PaintBar(HDC dc)
{
    TScrollBarLook look;
    if (!ReadLook(look))
        return false;
    DrawScrollBarBuffered(dc, POINT{0, 0}, m_skin->Elements(),
                          m_skin->SkinData()->Colors(csButtonFace), look);
    return true;
}

// Mouse -------------------------------------------------------------------------

void TWScrollbar::Release()
{
    m_skin = nullptr;
    m_targetControl = nullptr;
    m_target = nullptr;
    if (!m_guard.Busy()) {
        m_guard.Release(nullptr);
        delete this;
        return;
    }
    HideScrollbar();
    if (Owner())
        Owner()->RemoveComponent(this);
    m_guard.Release([this] { delete this; });
}

void ReleaseBar(TWScrollbar*& bar)
{
    TWScrollbar* doomed = bar;
    bar = nullptr;
    if (doomed)
        doomed->Release();
}

void TWScrollbar::WndProc(TMessage& message)
{
    TReleaseGuard::TScope scope(m_guard);
    switch (message.Msg) {
    case WM_ERASEBKGND:    message.Result = 1; return;
    case WM_LBUTTONDOWN:   WMLButtonDown(message); return;
    case WM_LBUTTONDBLCLK: WMLButtonDown(message); return;
    case WM_LBUTTONUP:     WMLButtonUp(message); return;
    case WM_MOUSEMOVE:     WMMouseMove(message); return;
    case WM_MOUSELEAVE:    WMMouseLeave(); return;
    default:               TCustomPanel::WndProc(message); return;
    }
}

LPARAM TWScrollbar::ShiftToScreen(LPARAM point) const
{
    if (m_kind == TBarKind::Control)
        return point;
    const auto x = static_cast<WORD>(LOWORD(point) + m_barOrigin.x);
    const auto y = static_cast<WORD>(HIWORD(point) + m_barOrigin.y);
    return MAKELPARAM(x, y);
}

void TWScrollbar::Forward(UINT msg, LPARAM point, bool post)
{
    WPARAM code = MK_LBUTTON;
    if (m_kind != TBarKind::Control) {
        code = m_vertical ? HTVSCROLL : HTHSCROLL;
        msg = msg == WM_LBUTTONDOWN ? WM_NCLBUTTONDOWN : WM_NCLBUTTONUP;
    }
    if (post)
        PostMessageW(m_target, msg, code, point);
    else
        SendMessageW(m_target, msg, code, point);
}

void TWScrollbar::WMLButtonDown(TMessage& message)
{
    TCustomPanel::WndProc(message);
    if (!m_target || !IsWindow(m_target))
        return;
    GetCursorPos(&m_downCursor);
    SCROLLBARINFO info{};
    info.cbSize = sizeof info;
    const bool read = m_kind == TBarKind::Control ? GetControlInfo(info) : ReadBarInfo(info);
    if (read) {
        m_downThumb = info.xyThumbTop;
        if (m_kind != TBarKind::Control)
            m_barOrigin = {info.rcScrollBar.left, info.rcScrollBar.top};
    }
    const POINT p = PointOf(message.LParam);
    m_part = GetScrollPos(p);
    const LPARAM point = ShiftToScreen(message.LParam);
    m_pressed = true;
    Repaint();
    ReleaseCapture();
    // Runs the system's scroll loop; returns once the button is released.
    // The skin may be switched or the control destroyed meanwhile.
    const TLiveToken alive = m_guard.Token();
    Forward(WM_LBUTTONDOWN, point, false);
    if (!alive)
        return;
    m_pressed = false;
    ReleaseCapture();
    // Back to what the pointer is over now: the hot part, or none.
    POINT cursor{};
    GetCursorPos(&cursor);
    ScreenToClient(Handle(), &cursor);
    const RECT client = ClientRect();
    m_part = PtInRect(&client, cursor) ? GetScrollPos(cursor) : sbpart::None;
    Repaint();
}

void TWScrollbar::WMLButtonUp(TMessage& message)
{
    TCustomPanel::WndProc(message);
    if (!m_target || !IsWindow(m_target))
        return;
    const LPARAM point = ShiftToScreen(message.LParam);
    m_pressed = false;
    ReleaseCapture();
    Forward(WM_LBUTTONUP, point, true);
    if (m_kind == TBarKind::Control)
        Repaint();
}

void TWScrollbar::WMMouseMove(TMessage& message)
{
    TCustomPanel::WndProc(message);
    const int part = GetScrollPos(PointOf(message.LParam));
    if (part != m_part) {
        m_part = part;
        Repaint();
    }
    TRACKMOUSEEVENT track{};
    track.cbSize = sizeof track;
    track.dwFlags = TME_LEAVE;
    track.hwndTrack = Handle();
    TrackMouseEvent(&track);
}

void TWScrollbar::WMMouseLeave()
{
    if (m_pressed)
        return;
    m_part = sbpart::None;
    Repaint();
}

} // namespace tarnivo
