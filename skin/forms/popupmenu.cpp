#include "popupmenu.h"

#include "menuitemhandlers.h"

#include "skinmanager.h"
#include "skinmessages.h"
#include "winskinform.h"

#include "skin/paint/drawroutines.h"
#include "skin/paint/elementpaint.h"
#include "skin/resources/skindata.h"

#include "framework/controls/frame.h"
#include "framework/form.h"
#include "framework/gdiobjects.h"
#include "framework/windowdpi.h"

#include <utility>

namespace tarnivo {

namespace {

TWinSkinPopMenu* g_newSkinMenu = nullptr;

// GetDCEx's undocumented flag that makes the DC follow the window class's
// style, as the system's own non-client painting asks for it.
constexpr DWORD DCX_USESTYLE = 0x00010000;

TPopupItemHandlerSource& HandlerSource()
{
    static TPopupItemHandlerSource source;
    return source;
}

bool SkinningOn()
{
    const TSkinManage* manager = SkinManage();
    return manager && manager->Enabled();
}

TSize WindowExtent(HWND window)
{
    RECT r{};
    GetWindowRect(window, &r);
    return TSize{r.right - r.left, r.bottom - r.top};
}

} // namespace

TWinSkinPopMenu* NewSkinMenu()
{
    return g_newSkinMenu;
}

void SetPopupItemHandlers(TPopupItemHandlerSource source)
{
    HandlerSource() = std::move(source);
}

// The popup window ------------------------------------------------------------

TWinSkinPopMenu::~TWinSkinPopMenu()
{
    UnSubClass();
    if (g_newSkinMenu == this)
        g_newSkinMenu = nullptr;
}

void TWinSkinPopMenu::InitSkin(HWND window, TSkinData* skinData, HMENU menu)
{
    Handle = window;
    SkinData = skinData;
    MenuHandle = menu;
    FromMenuBand = 0;
    m_subclass.Install(window, [this](TMessage& m) { WinWndProc(m); });
}

void TWinSkinPopMenu::Release(std::unique_ptr<TWinSkinPopMenu> object)
{
    if (!object)
        return;
    TWinSkinPopMenu* raw = object.release();
    raw->m_guard.Release([raw] { delete raw; });
}

void TWinSkinPopMenu::UnSubClass()
{
    if (!Subclassed())
        return;
    m_subclass.Remove();
    Background.SetSize(0, 0);
}

void TWinSkinPopMenu::Default(TMessage& message)
{
    m_subclass.CallPrevious(message);
}

void TWinSkinPopMenu::WinWndProc(TMessage& m)
{
    TReleaseGuard::TScope scope(m_guard);
    if (m.Msg == WM_ISSKINNED) {
        m.Result = 1;
        return;
    }
    // Skinning switched off while the popup is open: it is left alone.
    if (!SkinningOn()) {
        Default(m);
        return;
    }
    Painted = 0;
    switch (m.Msg) {
    case WM_DESTROY:    WMDestroy(m); break;
    case WM_ERASEBKGND: WMERASEBKGND(m); break;
    case WM_NCPAINT:    NcPaint(m); break;
    case WM_PAINT:      WMPaint(m); break;
    case WM_PRINT:      WMPrint(m); break;
    default:            Default(m); break;
    }
}

void TWinSkinPopMenu::WMDestroy(TMessage& m)
{
    UnSubClass();
    Default(m);
}

void TWinSkinPopMenu::WMERASEBKGND(TMessage& m)
{
    if (!SkinData || !SkinData->Options().Contains(xoMenuBG))
        Default(m);
    m.Result = 1;
}

bool TWinSkinPopMenu::ComposeBackground()
{
    if (!SkinData || SkinData->Empty())
        return false;
    // The popup window's own DPI: that of the monitor it opened on.
    const TDataSkinObject* element = SkinData->ElementsAt(WindowDpi(Handle)).MenuBackground.get();
    if (!ElementPresent(element))
        return false;
    const TSize size = WindowExtent(Handle);
    if (size.cx <= 0 || size.cy <= 0)
        return false;
    try {
        std::unique_ptr<TBitmap> map =
            GetHMap(Bounds(0, 0, size.cx, size.cy), element->Image, element->Margins,
                    FrameLayout::SideBySide, ElementCenterFill(*element), 1, 1);
        Background.Swap(*map);
    } catch (...) {
        // No bitmap of that size: the popup keeps the system look.
        return false;
    }
    if (!MenuHandle)
        g_newSkinMenu = this;
    return true;
}

void TWinSkinPopMenu::DrawBorderRing(HDC dc) const
{
    const int w = Background.Width();
    const int h = Background.Height();
    HDC source = Background.Canvas().Handle();
    const int b = PopupBorder;
    BitBlt(dc, 0, 0, w, b, source, 0, 0, SRCCOPY);
    BitBlt(dc, 0, h - b, w, b, source, 0, h - b, SRCCOPY);
    BitBlt(dc, 0, b, b, h - 2 * b, source, 0, b, SRCCOPY);
    BitBlt(dc, w - b, b, b, h - 2 * b, source, w - b, b, SRCCOPY);
}

// The system asks the popup to print itself (Windows does for its opening
// animation). The skin goes in first; the items are then printed on top,
// clipped to the inside of the border so that the system's own edge, which
// Wine draws inside the client area, does not cover the skin's.
void TWinSkinPopMenu::WMPrint(TMessage& m)
{
    const auto dc = reinterpret_cast<HDC>(m.WParam);
    if (!dc || !ComposeBackground()) {
        Default(m);
        return;
    }
    const int w = Background.Width();
    const int h = Background.Height();
    BitBlt(dc, 0, 0, w, h, Background.Canvas().Handle(), 0, 0, SRCCOPY);
    SavedDCState saved(dc);
    SetBkMode(dc, TRANSPARENT);
    IntersectClipRect(dc, PopupBorder, PopupBorder, w - PopupBorder, h - PopupBorder);
    Default(m);
}

// Windows: the 3-pixel frame is non-client; the whole background goes in, the
// client area is painted over by the items.
void TWinSkinPopMenu::NcPaint(TMessage& m)
{
    if (!ComposeBackground()) {
        Default(m);
        return;
    }
    const auto update = reinterpret_cast<HRGN>(m.WParam);
    // wParam 1 means the whole window; GetDCEx wants a real region then.
    const DWORD flags = DCX_WINDOW | DCX_USESTYLE | (update > HRGN(1) ? DCX_INTERSECTRGN : 0);
    // GetDCEx takes the region over with DCX_INTERSECTRGN; it is the
    // system's region of this message, so a copy goes in.
    HRGN copy = nullptr;
    if (flags & DCX_INTERSECTRGN) {
        copy = CreateRectRgn(0, 0, 0, 0);
        CombineRgn(copy, update, nullptr, RGN_COPY);
    }
    HDC dc = GetDCEx(Handle, copy, flags);
    if (!dc) {
        if (copy)
            DeleteObject(copy);
        m.Result = 0;
        return;
    }
    BitBlt(dc, 0, 0, Background.Width(), Background.Height(), Background.Canvas().Handle(), 0, 0,
           SRCCOPY);
    ReleaseDC(Handle, dc);
    m.Result = 0;
}

// Wine: the popup has no frame and its WM_PAINT draws an edge inside the
// client area; the ring is painted again from the skin once it is done.
void TWinSkinPopMenu::WMPaint(TMessage& m)
{
    Default(m);
    if (!ComposeBackground())
        return;
    WindowDC dc(Handle, DcArea::Window);
    if (dc)
        DrawBorderRing(dc.Get());
}

void TWinSkinPopMenu::UpdateMenu(TMessage& m)
{
    if (static_cast<int>(m.WParam) == LastItem)
        return;
    Default(m);
    InvalidateRect(Handle, nullptr, FALSE);
    LastItem = static_cast<int>(m.WParam);
    Painted = 1;
}

// Framework popup menus of a skinned form ----------------------------------------

namespace {

void SetItemHandlers(TMenuItem& item, const TPopupItemHandlers* handlers)
{
    for (int i = 0; i < item.Count(); ++i) {
        TMenuItem& child = *item.Items(i);
        if (handlers) {
            child.OnDrawItem = handlers->Draw;
            // The program's own measure stays; a skinned form's (perhaps
            // of an object that is gone) is replaced.
            if (!child.OnMeasureItem || IsFormItemHandler(child.OnMeasureItem))
                child.OnMeasureItem = handlers->Measure;
        } else {
            child.OnDrawItem = nullptr;
            child.OnMeasureItem = nullptr;
        }
        SetItemHandlers(child, handlers);
    }
}

} // namespace

void TWinSkinForm::InitPopMenu(TComponent* container, bool enable)
{
    if (!container || !SkinData)
        return;
    const std::string formClass = Form ? Form->ClassName() : CreatorClassName;
    if (formClass == "TwwRichEditForm")
        return;
    // Without item painters the items keep their handlers and are drawn by
    // the framework's own owner drawing.
    TPopupItemHandlers handlers;
    const bool painters = static_cast<bool>(HandlerSource());
    if (enable && painters)
        handlers = HandlerSource()(*this);
    const bool gateOpen = SkinData->SkinControls().Contains(xcPopupMenu);
    for (int i = 0; i < container->ComponentCount(); ++i) {
        TComponent* component = container->Components(i);
        if (dynamic_cast<TCustomFrame*>(component) || dynamic_cast<TForm*>(component)) {
            InitPopMenu(component, enable);
            continue;
        }
        auto* popup = dynamic_cast<TPopupMenu*>(component);
        if (!popup || popup->Tag() == SkinData->DisableTag() || !gateOpen)
            continue;
        popup->SetOwnerDraw(enable);
        if (!enable)
            SetItemHandlers(*popup->Items(), nullptr);
        else if (painters)
            SetItemHandlers(*popup->Items(), &handlers);
    }
}

} // namespace tarnivo
