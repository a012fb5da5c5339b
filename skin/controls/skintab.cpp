#include "skintab.h"

#include "skin/controls/skinproperties.h"
#include "skin/controls/skinupdown.h"
#include "skin/forms/skinmessages.h"
#include "skin/paint/drawroutines.h"
#include "skin/paint/elementpaint.h"
#include "skin/resources/imgutil.h"
#include "skin/resources/skindata.h"
#include "skin/resources/textutil.h"

#include "framework/control.h"
#include "framework/unicodetext.h"
#include "framework/controls/pagecontrol.h"
#include "framework/stringlist.h"
#include "framework/windowdpi.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

namespace tarnivo {

namespace {

// Page controls of this tag carry close boxes on their tabs.
constexpr int CloseBoxTag = 7777;
// A tab's text is read up to this many characters.
constexpr int MaxTabText = 80;

struct TTabItem {
    std::wstring Text;
    int Image = -1;
};

TTabItem ReadTab(HWND window, int index, bool unicode)
{
    TTabItem tab;
    if (unicode) {
        wchar_t text[MaxTabText + 1] = {};
        TCITEMW item{};
        item.mask = TCIF_TEXT | TCIF_IMAGE;
        item.pszText = text;
        item.cchTextMax = MaxTabText + 1;
        if (SendMessageW(window, TCM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item))) {
            tab.Text = text;
            tab.Image = item.iImage;
        }
        return tab;
    }
    char text[MaxTabText + 1] = {};
    TCITEMA item{};
    item.mask = TCIF_TEXT | TCIF_IMAGE;
    item.pszText = text;
    item.cchTextMax = MaxTabText + 1;
    if (SendMessageW(window, TCM_GETITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item))) {
        tab.Text = StrToWideStr(text);
        tab.Image = item.iImage;
    }
    return tab;
}

// The control's font on the canvas: a framework control's Font, else the
// font the window was given.
void UseControlFont(TCanvas& canvas, const TControl* control, HWND window)
{
    if (control) {
        canvas.Font().Assign(control->Font());
        return;
    }
    HFONT font = reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
    LOGFONTW log{};
    if (font && GetObjectW(font, sizeof log, &log) == sizeof log)
        canvas.Font().AssignLogFont(log);
}

TImageList* TabImages(const TControl* control)
{
    auto* tabs = dynamic_cast<const TCustomTabControl*>(control);
    return tabs ? tabs->Images() : nullptr;
}

// The window rectangle (at the origin) less the tabs, as the control says.
TRect DisplayArea(HWND window, const TRect& rect)
{
    RECT display = rect;
    SendMessageW(window, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
    return display;
}

void SizeBuffer(TBitmap& buffer, int width, int height)
{
    buffer.SetPixelFormat(pf24bit);
    buffer.SetSize(width, height);
}

} // namespace

TSkinTabPosition TabPositionOfStyle(LONG_PTR style)
{
    const bool bottom = (style & TCS_BOTTOM) != 0;
    const bool vertical = (style & TCS_VERTICAL) != 0;
    if (bottom && vertical)
        return Stright;
    if (bottom)
        return Stbottom;
    if (vertical)
        return Stleft;
    return StTop;
}

TRect CloseBoxRect(const TRect& tab, int dpi)
{
    const int inset = DpiLength(2, dpi), reach = DpiLength(8, dpi);
    return Rect(tab.right - reach, tab.top + inset, tab.right - inset, tab.top + reach);
}

// TSkinTab --------------------------------------------------------------------------

void TSkinTab::Init(ISkinControlHost* host, TSkinData* skinData, TCanvas* canvas,
                    bool updateColor)
{
    TSkinControl::Init(host, skinData, canvas, updateColor);
    if (!FInited)
        return;
    FEnabled = (GetWindowLongEx(FHandle, GWL_STYLE) & WS_DISABLED) == 0;
    auto* pages = dynamic_cast<TPageControl*>(FControl);
    FCloseButtons = pages && pages->Tag() == CloseBoxTag && pages->TabPosition() == tpTop;
    inittab();
    FindScroll();
    FUnicode = IsWindowUnicode(FHandle) != FALSE;
}

void TSkinTab::Inithwnd(HWND window, TSkinData* skinData, TCanvas* canvas,
                        ISkinControlHost* host)
{
    TSkinControl::Inithwnd(window, skinData, canvas, host);
    if (!FInited)
        return;
    ReadPaintState();
    inittab();
    FindScroll();
}

TSkinTabPosition TSkinTab::GetPosition() const
{
    return FHandle ? TabPositionOfStyle(GetWindowLongEx(FHandle, GWL_STYLE)) : StTop;
}

void TSkinTab::inittab()
{
    FPosition = GetPosition();
    FTabImage.SetSize(0, 0);
    FPaneImage.SetSize(0, 0);
    if (!FSkinData)
        return;
    const TSkinElements& e = Elements();
    if (ElementPresent(e.Tabs)) {
        FTabImage.Assign(e.Tabs->Image);
        FTabImage.SetPixelFormat(pf24bit);
        if (FPosition == Stbottom)
            SpiegelnVertikal(FTabImage);
    }
    // The pane has its own image only in style 1; style 0 borrows the
    // tabs' second image. The pane is skinned even when the tabs are not.
    const int style = e.Tabs ? e.Tabs->Style : 0;
    if (style == 0 && e.Tabs && !e.Tabs->Image2.Empty())
        FPaneImage.Assign(e.Tabs->Image2);
    else if (style == 1 && ElementPresent(e.TabPane))
        FPaneImage.Assign(e.TabPane->Image);
    if (FPaneImage.Empty())
        return;
    FPaneImage.SetPixelFormat(pf24bit);
    switch (FPosition) {
    case StTop:    break;
    case Stbottom: SpiegelnVertikal(FPaneImage); break;
    case Stleft:   Drehen270Grad(FPaneImage); break;
    case Stright:  Drehen90Grad(FPaneImage); break;
    }
}

bool TSkinTab::FindScroll()
{
    HWND arrows = FHandle ? FindWindowExW(FHandle, nullptr, UPDOWN_CLASSW, nullptr) : nullptr;
    if (!arrows)
        return false;
    if (arrows != m_arrows || !FUpDown) {
        delete FUpDown;   // skinned arrows of an earlier, destroyed window
        FUpDown = new TSkinUpDown(this);
        FUpDown->Inithwnd(arrows, FSkinData, FCanvas, FSkinForm);
        if (!FUpDown->Inited()) {
            delete FUpDown;
            FUpDown = nullptr;
        }
        m_arrows = arrows;
    }
    return IsWindowVisible(arrows) != FALSE;
}

void TSkinTab::SkinChange()
{
    TSkinControl::SkinChange();
    inittab();
    InvalidateLater();
}

bool TSkinTab::BeforeProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_PAINT:       WMPaint(message); return false;
    case WM_ERASEBKGND:  ERASEBKGND(message); return false;
    case WM_LBUTTONDOWN: return !LButtonDown(message);
    default:             return TSkinControl::BeforeProc(message);
    }
}

bool TSkinTab::LButtonDown(TMessage& message)
{
    const int index = FCloseButtons ? ClickClose(GET_X_LPARAM(message.LParam),
                                                 GET_Y_LPARAM(message.LParam))
                                    : -1;
    if (index < 0)
        return false;   // an ordinary click: the control selects the tab
    HWND form = FSkinForm ? FSkinForm->HostWindow() : nullptr;
    if (form && SendMessageW(form, WM_SKINTABCLOSE, reinterpret_cast<WPARAM>(FHandle), index) == 0)
        ClosePage(index);
    message.Result = 0;
    return true;
}

int TSkinTab::ClickClose(int x, int y) const
{
    const POINT point{x, y};
    for (std::size_t i = 0; i < FCloseRects.size(); ++i)
        if (PtInRect(&FCloseRects[i], point))
            return static_cast<int>(i);
    return -1;
}

void TSkinTab::ClosePage(int index)
{
    auto* pages = dynamic_cast<TPageControl*>(FControl);
    if (!pages)
        return;
    FCloseRects.clear();
    for (int i = 0; i < pages->PageCount(); ++i) {
        TTabSheet* page = pages->Pages(i);
        if (page->TabIndex() == index) {
            delete page;
            break;
        }
    }
    Invalidate();
}

void TSkinTab::ERASEBKGND(TMessage& message)
{
    RECT client{};
    GetClientRect(FHandle, &client);
    FillBG(reinterpret_cast<HDC>(message.WParam), client);
    message.Result = 1;
}

void TSkinTab::DrawControl(HDC dc, const TRect& rect)
{
    TRect display = DisplayArea(FHandle, rect);
    InflateRect(&display, 4, 4);
    switch (FPosition) {
    case StTop:    OffsetRect(&display, 0, -1); break;
    case Stbottom: OffsetRect(&display, 0, 1); break;
    case Stleft:   OffsetRect(&display, -1, 0); break;
    case Stright:  OffsetRect(&display, 1, 0); break;
    }
    if (!FTabImage.Empty())
        DrawStrip(dc, rect, display);
    if (!FPaneImage.Empty())
        DrawTabBorder(dc, display);
    if (FKind == 2) {
        // A plain tab control's children lie over the pane just drawn.
        for (HWND child = GetWindow(FHandle, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
            if (child != m_arrows)
                RedrawWindow(child, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    }
}

TRect TSkinTab::StripRect(const TRect& rect, const TRect& display) const
{
    switch (FPosition) {
    case Stbottom: return Rect(rect.left, display.bottom, rect.right, rect.bottom);
    case Stleft:   return Rect(rect.left, rect.top, display.left, rect.bottom);
    case Stright:  return Rect(display.right, rect.top, rect.right, rect.bottom);
    case StTop:    break;
    }
    return Rect(rect.left, rect.top, rect.right, display.top);
}

// Tab `index` in the buffer's coordinates. The buffer holds the strip as if
// the tabs were on top or at the bottom; tabs at the sides are drawn there
// lying down and turned into place afterwards.
TRect TSkinTab::ItemRect(int index, const TRect& strip) const
{
    RECT r{};
    SendMessageW(FHandle, TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
    if (FPosition == StTop) {
        OffsetRect(&r, 0, 1);
        return r;
    }
    OffsetRect(&r, -strip.left, -strip.top);
    const int stripWidth = RectWidth(strip);
    const int stripHeight = RectHeight(strip);
    switch (FPosition) {
    case Stleft:   // turned a quarter to the left afterwards
        return Rect(stripHeight - r.bottom, r.left, stripHeight - r.top, r.right);
    case Stright:  // turned a quarter to the right afterwards
        return Rect(r.top, stripWidth - r.right, r.bottom, stripWidth - r.left);
    default:
        return r;
    }
}

void TSkinTab::DrawStrip(HDC dc, const TRect& rect, const TRect& display)
{
    const TRect strip = StripRect(rect, display);
    if (RectWidth(strip) <= 0 || RectHeight(strip) <= 0)
        return;
    const bool sideways = FPosition == Stleft || FPosition == Stright;
    if (sideways)
        SizeBuffer(FBuffer, RectHeight(strip), RectWidth(strip));
    else
        SizeBuffer(FBuffer, RectWidth(strip), RectHeight(strip));
    TCanvas& canvas = FBuffer.Canvas();
    FillParentBG(canvas.Handle(), Rect(0, 0, FBuffer.Width(), FBuffer.Height()));
    UseControlFont(canvas, FControl, FHandle);

    const int count = static_cast<int>(SendMessageW(FHandle, TCM_GETITEMCOUNT, 0, 0));
    const int focus = static_cast<int>(SendMessageW(FHandle, TCM_GETCURFOCUS, 0, 0));
    FCloseRects.assign(static_cast<std::size_t>(count > 0 ? count : 0), TRect{});
    for (int i = 0; i < count; ++i)
        Drawitem(canvas, i, ItemRect(i, strip), i == focus ? 2 : 1);

    if (FPosition == Stright)
        Drehen90Grad(FBuffer);
    else if (FPosition == Stleft)
        Drehen270Grad(FBuffer);
    const int saved = SaveDC(dc);
    ClipUpdown(dc);
    BitBlt(dc, strip.left, strip.top, FBuffer.Width(), FBuffer.Height(), FBuffer.Canvas().Handle(),
           0, 0, SRCCOPY);
    RestoreDC(dc, saved);
}

void TSkinTab::Drawitem(TCanvas& canvas, int index, const TRect& rect, int frame)
{
    const TDataSkinBorder& tabs = *Elements().Tabs;
    DrawRect2(canvas.Handle(), rect, FTabImage, FrameLayout::SideBySide, ElementCenterFill(tabs),
              ElementKeying(tabs), tabs.FrameCount, frame, tabs.Margins);
    if (FCloseButtons)
        drawCloseBtn(canvas, index, rect);
    const TColor text = frame == 2 ? tabs.MouseOverTextColor : tabs.NormalTextColor;
    if (text != clNotGiven)
        canvas.Font().SetColor(text);
    const TTabItem tab = ReadTab(FHandle, index, FUnicode);
    DrawImgCaption(canvas, rect, taCenter, tab.Text, tab.Image, TabImages(FControl));
}

void TSkinTab::drawCloseBtn(TCanvas& canvas, int index, const TRect& rect)
{
    const TRect box = CloseBoxRect(rect, Dpi());
    canvas.Brush().SetStyle(bsClear);
    canvas.Rectangle(box);
    canvas.MoveTo(box.left, box.top);
    canvas.LineTo(box.right, box.bottom);
    canvas.MoveTo(box.right - 1, box.top);
    canvas.LineTo(box.left - 1, box.bottom);
    canvas.Brush().SetStyle(bsSolid);
    FCloseRects[static_cast<std::size_t>(index)] = box;
}

void TSkinTab::ClipUpdown(HDC dc)
{
    if (!m_arrows || !IsWindowVisible(m_arrows))
        return;
    RECT arrows{};
    GetWindowRect(m_arrows, &arrows);
    MapWindowPoints(nullptr, FHandle, reinterpret_cast<POINT*>(&arrows), 2);
    ExcludeClipRect(dc, arrows.left, arrows.top, arrows.right, arrows.bottom);
}

void TSkinTab::DrawTabBorder(HDC dc, const TRect& display)
{
    const TSkinElements& e = Elements();
    const bool ownPane = e.Tabs && e.Tabs->Style == 1 && e.TabPane;
    const TDataSkinObject& element = ownPane ? *e.TabPane : static_cast<const TDataSkinObject&>(*e.Tabs);
    const TSkinMargins margins = ownPane ? e.TabPane->Margins : TSkinMargins{4, 5, 4, 4};
    DrawRect2(dc, display, FPaneImage, FrameLayout::SideBySide, ElementCenterFill(element),
              ElementKeying(element), 1, 1, margins);
}

// TSkinTabBtn -------------------------------------------------------------------------

// Button tabs have no border round the page: the control leaves the few
// pixels between its edges and the page's to the background, which the
// system erases in the window colour. They take the face like the row.
void TSkinTabBtn::FillAroundPage(HDC dc, const TRect& below, const TRect& page)
{
    if (RectWidth(below) <= 0 || RectHeight(below) <= 0)
        return;
    const int saved = SaveDC(dc);
    ExcludeClipRect(dc, page.left, page.top, page.right, page.bottom);
    FillBG(dc, below);
    RestoreDC(dc, saved);
}

bool TSkinTabBtn::BeforeProc(TMessage& message)
{
    if (message.Msg == WM_PAINT) {
        WMPaint(message);
        return false;
    }
    return TSkinControl::BeforeProc(message);
}

void TSkinTabBtn::DrawControl(HDC dc, const TRect& rect)
{
    if (!FSkinData)
        return;
    const TDataSkinButton& buttons = *Elements().Buttons;
    const TRect display = DisplayArea(FHandle, rect);
    const TRect row = Rect(rect.left, rect.top, rect.right, display.top);
    FillAroundPage(dc, Rect(rect.left, display.top, rect.right, rect.bottom), display);
    if (RectWidth(row) <= 0 || RectHeight(row) <= 0)
        return;
    TBitmap buffer;
    SizeBuffer(buffer, RectWidth(row), RectHeight(row));
    TCanvas& canvas = buffer.Canvas();
    FillBG(canvas.Handle(), Rect(0, 0, buffer.Width(), buffer.Height()));
    UseControlFont(canvas, FControl, FHandle);
    const TColor ownText = canvas.Font().Color();

    const int count = static_cast<int>(SendMessageW(FHandle, TCM_GETITEMCOUNT, 0, 0));
    const int focus = static_cast<int>(SendMessageW(FHandle, TCM_GETCURFOCUS, 0, 0));
    for (int i = 0; i < count; ++i) {
        RECT r{};
        SendMessageW(FHandle, TCM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r));
        OffsetRect(&r, 0, 1);
        const int frame = i == focus ? 2 : 1;
        DrawSkinMap(canvas.Handle(), r, buttons.FrameCount, frame, &buttons);
        TColor text = ownText;
        if (frame == 1 && buttons.HasNormalTextColor)
            text = buttons.NormalTextColor;
        else if (frame == 2 && buttons.HasPressedTextColor)
            text = buttons.PressedTextColor;
        canvas.Font().SetColor(text);
        const TTabItem tab = ReadTab(FHandle, i, FUnicode);
        DrawImgCaption(canvas, r, taCenter, tab.Text, tab.Image, TabImages(FControl));
    }
    BitBlt(dc, row.left, row.top, buffer.Width(), buffer.Height(), canvas.Handle(), 0, 0, SRCCOPY);
}

// TSkinTab31 --------------------------------------------------------------------------

void TSkinTab31::Init(ISkinControlHost* host, TSkinData* skinData, TCanvas* canvas, bool)
{
    auto* control = dynamic_cast<TWinControl*>(Owner());
    if (FInited || !control || !control->Handle())
        return;
    Inithwnd(control->Handle(), skinData, canvas, host);
    if (!FInited)
        return;
    inittab();
    FindScroller();
}

void TSkinTab31::inittab()
{
    FTabImage.SetSize(0, 0);
    if (!FSkinData || !ElementPresent(Elements().Tabs))
        return;
    FTabImage.Assign(Elements().Tabs->Image);
    FTabImage.SetPixelFormat(pf24bit);
    SpiegelnVertikal(FTabImage);   // the tabs hang below the strip
}

void TSkinTab31::FindScroller()
{
    auto* control = dynamic_cast<TComponent*>(Owner());
    if (!control || control->ComponentCount() == 0 || FUpDown)
        return;
    auto* scroller = dynamic_cast<TWinControl*>(control->Components(0));
    if (!scroller || scroller->ClassName() != "TScroller")
        return;
    FScroller = scroller;
    FUpDown = new TSkinUpDown(scroller);
    FUpDown->SetHorizontalKind(1);
    FUpDown->Init(FSkinForm, FSkinData, FCanvas, false);
    if (!FUpDown->Inited()) {
        delete FUpDown;
        FUpDown = nullptr;
    }
}

void TSkinTab31::SkinChange()
{
    TSkinControl::SkinChange();
    inittab();
    InvalidateLater();
}

bool TSkinTab31::BeforeProc(TMessage& message)
{
    if (message.Msg == WM_ERASEBKGND) {
        message.Result = 1;
        return false;
    }
    // WM_PAINT goes on to the tab set; AfterProc paints the skin over what
    // it drew.
    return TSkinControl::BeforeProc(message);
}

void TSkinTab31::DrawControl(HDC dc, const TRect& rect)
{
    const TObject* tabSet = Owner();
    const auto* control = dynamic_cast<const TControl*>(tabSet);
    if (FTabImage.Empty() || !control || RectWidth(rect) <= 0 || RectHeight(rect) <= 0)
        return;
    const TDataSkinBorder& tabs = *Elements().Tabs;
    TBitmap buffer;
    SizeBuffer(buffer, RectWidth(rect), RectHeight(rect));
    TCanvas& canvas = buffer.Canvas();
    FillBG(canvas.Handle(), Rect(0, 0, buffer.Width(), buffer.Height()));
    UseControlFont(canvas, control, FHandle);

    const auto* texts = GetObjProp<TStringList>(tabSet, "Tabs");
    const int selected = GetIntProperty(tabSet, "TabIndex");
    const int first = std::max(GetIntProperty(tabSet, "FirstIndex"), 0);
    const int start = std::max(GetIntProperty(tabSet, "StartMargin"), 0);
    int limit = buffer.Width() - std::max(GetIntProperty(tabSet, "EndMargin"), 0);
    if (FScroller && FScroller->Visible())
        limit -= ScrollerRoom;
    int x = start;
    for (int i = first; texts && i < texts->Count(); ++i) {
        const std::wstring text = ToWide(texts->Strings(i));
        const int width = canvas.TextExtent(text).cx + TabPadding;
        if (x + width > limit)
            break;
        const TRect tab = Rect(x, 0, x + width, buffer.Height());
        const int frame = i == selected ? 2 : 1;
        DrawRect2(canvas.Handle(), tab, FTabImage, FrameLayout::SideBySide, ElementCenterFill(tabs),
                  ElementKeying(tabs), tabs.FrameCount, frame, tabs.Margins);
        const TColor color = frame == 2 ? tabs.MouseOverTextColor : tabs.NormalTextColor;
        if (color != clNotGiven)
            canvas.Font().SetColor(color);
        DrawCaption(canvas, tab, text, FEnabled, DT_CENTER);
        x += width;
    }
    BitBlt(dc, rect.left, rect.top, buffer.Width(), buffer.Height(), canvas.Handle(), 0, 0, SRCCOPY);
}

} // namespace tarnivo
