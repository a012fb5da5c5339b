// The control-skin base: attaching and detaching, the message pipeline, the
// paint entry points and the drawing helpers every painter shares.

#include "skincontrol.h"

#include "skin/controls/skinproperties.h"
#include "skin/controls/skintext.h"
#include "skin/forms/skinmessages.h"
#include "skin/paint/drawroutines.h"
#include "skin/paint/skinmap.h"
#include "skin/resources/skindata.h"
#include "skin/resources/textutil.h"

#include "framework/control.h"
#include "framework/gdiobjects.h"
#include "framework/ownmessages.h"
#include "framework/windowdpi.h"

#include <exception>

namespace tarnivo {

namespace {

// The window's text as the control would draw it. Windows 95 has no wide
// window text for ANSI windows; it is read as ANSI there and converted.
std::wstring WindowText(HWND window)
{
    if (WideTextPlatform()) {
        const int length = GetWindowTextLengthW(window);
        if (length <= 0)
            return {};
        std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
        const int got = GetWindowTextW(window, text.data(), length + 1);
        text.resize(static_cast<std::size_t>(got > 0 ? got : 0));
        return text;
    }
    char buffer[1000] = {};
    SendMessageA(window, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer));
    return StrToWideStr(buffer);
}

TRect AtOrigin(const RECT& r)
{
    return Rect(0, 0, r.right - r.left, r.bottom - r.top);
}

bool OnThisThread(HWND window)
{
    return IsWindow(window) && GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId();
}

} // namespace

int SkinFrameNumber(TSkinControlState state, bool focused, bool enabled)
{
    int frame = skinframe::Normal;
    if (focused)
        frame = skinframe::Focused;
    if (state.Contains(scDown))
        frame = skinframe::Pressed;
    else if (state.Contains(scMouseIn))
        frame = skinframe::Hot;
    if (!enabled)
        frame = skinframe::Disabled;
    return frame;
}

TSkinControl::TSkinControl(TComponent* owner) : TComponent(owner) {}

TSkinControl::~TSkinControl()
{
    // Called when the owner goes too (a control frees its components while
    // its window still exists): only the window and the hook objects are
    // touched here, never FControl, whose derived parts may be gone.
    const bool attached = m_hook.Installed() || m_subclass.Installed();
    m_hook.Remove();
    m_subclass.Remove();
    if (FSkinForm)
        FSkinForm->DeleteControl(this);
    // What the skin painted stays on the screen until the control repaints.
    if (attached && FHandle && IsWindow(FHandle))
        RedrawWindow(FHandle, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

// Attaching ---------------------------------------------------------------------

void TSkinControl::Init(ISkinControlHost* host, TSkinData* skinData, TCanvas* canvas,
                        bool updateColor)
{
    if (FInited)
        return;
    // Window-less controls have an attach of their own (speed buttons).
    auto* control = dynamic_cast<TWinControl*>(Owner());
    if (!control)
        return;
    HWND window = control->Handle();
    if (!window)
        return;
    FUpdateColor = updateColor;
    FSkinData = skinData;
    FSkinForm = host;
    FCanvas = canvas;
    FControl = control;
    FHandle = window;
    FUnicode = IsWindowUnicode(window) != FALSE;
    FCaption = WindowText(window);
    m_hook = TWindowProcHook(*control, [this](TMessage& m) { NewWndProc(m); });
    m_hooked = true;
    if (host)
        host->AddControlList(this);
    if (FUpdateColor && FSkinData) {
        FOldColor = control->Color();
        m_colorSaved = true;
        control->SetColor(FSkinData->Colors(csButtonFace));
    }
    control->Invalidate();
    FInited = true;
    FStatus = skinstatus::Attached;
}

void TSkinControl::Inithwnd(HWND window, TSkinData* skinData, TCanvas* canvas,
                            ISkinControlHost* host)
{
    if (FInited || !OnThisThread(window))
        return;
    FSkinData = skinData;
    FCanvas = canvas;
    FSkinForm = host;
    FHandle = window;
    FEnabled = true;
    FKind = 0;
    FUnicode = IsWindowUnicode(window) != FALSE;
    FCaption = WindowText(window);
    // The subclass calls the wide or ANSI procedure functions by the same
    // IsWindowUnicode answer.
    if (!m_subclass.Install(window, [this](TMessage& m) { NewWndProc(m); })) {
        FHandle = nullptr;
        return;
    }
    if (host)
        host->AddControlList(this);
    InvalidateRect(window, nullptr, TRUE);
    FInited = true;
    FStatus = skinstatus::Attached;
}

void TSkinControl::Unsubclass()
{
    if (FUpdateColor && m_colorSaved && FControl) {
        m_colorSaved = false;
        FControl->SetColor(FOldColor);
    }
}

void TSkinControl::SkinChange()
{
    if (FUpdateColor && m_colorSaved && FControl && FSkinData)
        FControl->SetColor(FSkinData->Colors(csButtonFace));
    InvalidateLater();
}

void TSkinControl::InvalidateLater()
{
    if (FGraphicControl)
        FGraphicControl->Invalidate();
    else if (FHandle && IsWindow(FHandle))
        InvalidateRect(FHandle, nullptr, TRUE);
}

void TSkinControl::MouseLeave()
{
    if (FHandle && IsWindow(FHandle))
        SendOwnMessage(FHandle, CM_MOUSELEAVE, 0, 0);
}

bool TSkinControl::HookWindowProc(TControl& control)
{
    if (m_hook.Installed() || m_subclass.Installed())
        return false;
    m_hook = TWindowProcHook(control, [this](TMessage& m) { NewWndProc(m); });
    m_hooked = true;
    return true;
}

void TSkinControl::UnhookWindowProc()
{
    m_hook.Remove();
    m_hooked = false;
}

void TSkinControl::PostRecreate() const
{
    // Called once the control has made its new window: that is the one the
    // form skins again (this object still holds the old, destroyed one).
    auto* windowed = dynamic_cast<TWinControl*>(FControl);
    if (!windowed || !windowed->HandleAllocated() || !FSkinForm || !FSkinForm->HostWindow())
        return;
    PostMessageW(FSkinForm->HostWindow(), WM_SKINRECREATE,
                 reinterpret_cast<WPARAM>(windowed->Handle()), 0);
}

// The message pipeline ------------------------------------------------------------

void TSkinControl::Release()
{
    if (FSkinForm)
        FSkinForm->DeleteControl(this);
    FSkinForm = nullptr;
    if (!m_guard.Busy()) {
        m_guard.Release(nullptr);
        delete this;
        return;
    }
    // A message of ours is still running: the control stops coming here, and
    // the owner (which may go first) no longer frees us; the last message
    // out does.
    m_hook.Remove();
    m_subclass.Remove();
    if (Owner())
        Owner()->RemoveComponent(this);
    m_guard.Release([this] { delete this; });
}

void TSkinControl::NewWndProc(TMessage& message)
{
    TReleaseGuard::TScope scope(m_guard);
    // On a raw window the framework's notice numbers are ours only when the
    // program sent them (SendOwnMessage): from anybody else they are the
    // window's own business or junk, passed on and never read here.
    if (m_subclass.Installed() && IsFrameworkNotice(message.Msg) &&
        !IsOwnMessage(FHandle, message)) {
        Default(message);
        return;
    }
    if (message.Msg == WM_SKINENABLE && !SentFromThisThread()) {
        Default(message);
        return;
    }
    if (message.Msg == WM_SKINENABLE) {
        // A destroyed window stays off: there is nothing left to skin.
        FActive = static_cast<int>(message.WParam) > 0 && FStatus != skinstatus::Deleted;
        message.Result = 0;
        if (FActive)
            Invalidate();
        return;
    }
    if (!FActive) {
        Default(message);
        return;
    }
    if (BeforeProc(message)) {
        Default(message);
        // The control's own processing may have ended this object (its
        // window destroyed inside it, the skin switched off): nothing more.
        if (scope.Alive())
            AfterProc(message);
    }
}

void TSkinControl::Default(TMessage& message)
{
    // Decided by how the object attached, not by Installed(): a hook taken
    // out by Release still passes the message in hand on.
    if (m_hooked)
        m_hook.CallNext(message);
    else
        m_subclass.CallPrevious(message);
}

bool TSkinControl::BeforeProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_NCDESTROY:
        // The window finishes going first; then this object only waits to
        // be freed by its form.
        Default(message);
        FActive = false;
        FStatus = skinstatus::Deleted;
        Unsubclass();
        return false;
    case WM_ISSKINNED:
        message.Result = 1;
        return false;
    case WM_SKINPAINTCLIENT:
        if (message.LParam != SkinMagic || !message.WParam || !SentFromThisThread())
            return true;
        PaintControl(reinterpret_cast<HDC>(message.WParam));
        message.Result = SkinMagic;
        return false;
    default:
        return true;
    }
}

void TSkinControl::AfterProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_SETTEXT:
        if (!FControl && FHandle)
            FCaption = WindowText(FHandle);
        Invalidate();
        break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
    case CM_ENABLEDCHANGED:
        Invalidate();
        break;
    case WM_PAINT:
        PaintControl(reinterpret_cast<HDC>(message.WParam));
        break;
    case CM_MOUSEENTER:
        if (!FState.Contains(scMouseIn)) {
            FState.Include(scMouseIn);
            Invalidate();
        }
        break;
    case CM_MOUSELEAVE:
        if (FSkinForm && FSkinForm->HotControlLink() == this)
            FSkinForm->SetHotControlLink(nullptr);
        if (FState.Contains(scMouseIn) || FState.Contains(scDown)) {
            FState.Exclude(scMouseIn);
            FState.Exclude(scDown);
            Invalidate();
        }
        break;
    case WM_MOUSEMOVE:
        TrackMouse(message);
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        FState.Include(scDown);
        Invalidate();
        break;
    case WM_LBUTTONUP:
        if (FState.Contains(scDown)) {
            FState.Exclude(scDown);
            Invalidate();
        }
        break;
    case CM_RECREATEWND:
        PostRecreate();
        break;
    default:
        break;
    }
}

void TSkinControl::TrackMouse(const TMessage&)
{
    // Framework controls say CM_MOUSEENTER themselves. A raw window is the
    // form's hot control instead: the form's hover timer sends it
    // CM_MOUSELEAVE once the pointer is outside its rectangle.
    if (FControl || FState.Contains(scMouseIn))
        return;
    FState.Include(scMouseIn);
    if (FSkinForm) {
        TSkinControlLink* previous = FSkinForm->HotControlLink();
        FSkinForm->SetHotControlLink(this);
        if (previous && previous != this)
            previous->MouseLeave();
    }
    Invalidate();
}

// Painting ------------------------------------------------------------------------

void TSkinControl::ReadPaintState()
{
    if (FHandle) {
        FFocused = GetFocus() == FHandle;
        FEnabled = (GetWindowLongEx(FHandle, GWL_STYLE) & WS_DISABLED) == 0;
    } else if (FGraphicControl) {
        FFocused = false;
        FEnabled = FGraphicControl->Enabled();
    }
}

void TSkinControl::PaintControl(HDC dc)
{
    RECT window{};
    if (!FHandle || !GetWindowRect(FHandle, &window))
        return;
    FWindowRect = window;
    if (dc) {
        DrawWholeWindow(dc);
        return;
    }
    WindowDC windowDC(FHandle, DcArea::Window);
    if (windowDC)
        DrawWholeWindow(windowDC.Get());
}

void TSkinControl::DrawWholeWindow(HDC dc)
{
    try {
        ReadPaintState();
        DrawControl(dc, AtOrigin(FWindowRect));
    } catch (const std::exception&) {
        // The control keeps what it painted itself.
    }
}

void TSkinControl::DrawControl(HDC, const TRect&) {}

void TSkinControl::Invalidate()
{
    if (FGraphicControl) {
        FGraphicControl->Invalidate();
        return;
    }
    if (!FHandle || !IsWindow(FHandle))
        return;
    InvalidateRect(FHandle, nullptr, TRUE);
    UpdateWindow(FHandle);
}

void TSkinControl::WMPaint(TMessage& message)
{
    PAINTSTRUCT paint{};
    HDC dc = reinterpret_cast<HDC>(message.WParam);
    const bool begun = !dc;
    if (begun)
        dc = BeginPaint(FHandle, &paint);
    RECT window{};
    if (dc && GetWindowRect(FHandle, &window)) {
        FWindowRect = window;
        DrawWholeWindow(dc);
    }
    if (begun)
        EndPaint(FHandle, &paint);
    message.Result = 0;
}

void TSkinControl::WMERASEBKGND(TMessage& message)
{
    HDC dc = reinterpret_cast<HDC>(message.WParam);
    if (FControl) {
        DrawParentImage(*FControl, dc);
    } else if (FHandle) {
        RECT client{};
        GetClientRect(FHandle, &client);
        FillParentBG(dc, client);
    }
    message.Result = 1;
}

// Drawing helpers -----------------------------------------------------------------

void TSkinControl::FillColor(HDC dc, const TRect& rect, TColor color) const
{
    GdiBrush brush(CreateSolidBrush(ColorToRGB(color)));
    if (brush)
        ::FillRect(dc, &rect, brush.Get());
}

void TSkinControl::FillBG(HDC dc, const TRect& rect) const
{
    FillColor(dc, rect, FSkinData ? FSkinData->Colors(csButtonFace) : clBtnFace);
}

TColor TSkinControl::GetParentColor(TColor fallback) const
{
    const TObject* parent = nullptr;
    if (FControl)
        parent = FControl->Parent();
    else if (FGraphicControl)
        parent = FGraphicControl->Parent();
    else if (FHandle)
        parent = TWinControl::FromHandle(GetParent(FHandle));
    const int color = GetIntProperty(parent, "Color");
    return color == -1 ? fallback : static_cast<TColor>(color);
}

void TSkinControl::FillParentBG(HDC dc, const TRect& rect) const
{
    FillColor(dc, rect,
              GetParentColor(FSkinData ? FSkinData->Colors(csButtonFace) : clBtnFace));
}

bool TSkinControl::DrawSkinMap(HDC dc, const TRect& rect, int frameCount, int frame,
                               const TDataSkinObject* element) const
{
    return tarnivo::DrawSkinMap(dc, rect, frameCount, frame, element);
}

void TSkinControl::DrawSkinMap1(HDC dc, const TRect& rect, int frameCount, int frame,
                                const TBitmap& bitmap) const
{
    DrawSkinMapStretched(dc, rect, frameCount, frame, bitmap);
}

void TSkinControl::DrawSkinMap2(HDC dc, const TRect& rect, int frameCount, int frame,
                                const TBitmap& bitmap) const
{
    DrawSkinMapStretched(dc, rect, frameCount, frame, bitmap);
}

void TSkinControl::DrawSkinMap3(TCanvas& canvas, const TRect& rect, int frameCount, int frame,
                                const TBitmap& bitmap) const
{
    DrawSkinMapStretched(canvas.Handle(), rect, frameCount, frame, bitmap);
}

TBitmap& TSkinControl::SharedBuffer()
{
    static TBitmap buffer;
    return buffer;
}

void TSkinControl::DrawBuf(HDC dc, const TRect& rect) const
{
    TBitmap& buffer = SharedBuffer();
    if (buffer.Empty() || RectWidth(rect) <= 0 || RectHeight(rect) <= 0)
        return;
    BitBlt(dc, rect.left, rect.top, RectWidth(rect), RectHeight(rect), buffer.Canvas().Handle(),
           0, 0, SRCCOPY);
}

void TSkinControl::DrawCaption(TCanvas& canvas, const TRect& rect, std::wstring_view text,
                               bool enabled, UINT format) const
{
    tarnivo::DrawCaption(canvas, rect, text, enabled, CheckBiDi(format));
}

void TSkinControl::DrawImgCaption(TCanvas& canvas, const TRect& rect, TAlignment alignment,
                                  std::wstring_view text, int imageIndex,
                                  TImageList* images) const
{
    tarnivo::DrawImgCaption(canvas, rect, alignment, text, imageIndex, images, FEnabled,
                            CheckBiDi(0));
}

void TSkinControl::DrawFocus(HDC dc, std::wstring_view text, UINT format,
                             const TRect& rect) const
{
    tarnivo::DrawFocus(dc, text, CheckBiDi(format), rect);
}

UINT TSkinControl::CheckBiDi(UINT format) const
{
    const TControl* control = FControl ? FControl : FGraphicControl;
    if (control) {
        if (EnumPropertyIs(control, "BiDiMode", "bdRightToLeft"))
            format |= DT_RTLREADING;
    } else if (FHandle && (GetWindowLongEx(FHandle, GWL_EXSTYLE) & WS_EX_RTLREADING)) {
        // A raw window has no BiDiMode; its extended style says the same.
        format |= DT_RTLREADING;
    }
    return format;
}

int TSkinControl::TextHeight(HDC dc, std::wstring_view text) const
{
    return tarnivo::TextHeight(dc, text);
}

LONG_PTR TSkinControl::GetWindowLongEx(HWND window, int index) const
{
    return FUnicode ? GetWindowLongPtrW(window, index) : GetWindowLongPtrA(window, index);
}

void TSkinControl::InitScrollbar(TControl* control, TSkinData* skinData, TCanvas* canvas,
                                 ISkinControlHost* host)
{
    if (control == Owner())
        Init(host, skinData, canvas, false);
}

const TSkinElements* TSkinControl::SkinElements() const
{
    if (!FSkinData)
        return nullptr;
    return &FSkinData->ElementsAt(Dpi());
}

int TSkinControl::Dpi() const
{
    return FSkinForm ? FSkinForm->HostDpi() : WindowDpi(FHandle);
}

} // namespace tarnivo
