// Taking a window over and giving it back: creation, the start-up sequence
// that CN_SkinActive runs, skin changes and the three undo paths.

#include "winskinform.h"

#include "menuband.h"

#include "discovery.h"
#include "skinmanager.h"
#include "skinmessages.h"
#include "skin/paint/titlestyle.h"

#include "framework/form.h"
#include "framework/ownmessages.h"
#include "framework/windowdpi.h"

#include <algorithm>

namespace tarnivo {

namespace {

// The system's platform word: the top bit marks the Windows 95/98/Me family.
bool Windows9x()
{
    return (GetVersion() & 0x80000000u) != 0;
}

// Major and minor version of the system as it reports itself.
std::pair<DWORD, DWORD> SystemVersion()
{
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof info;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    GetVersionExA(&info);
#pragma GCC diagnostic pop
    return {info.dwMajorVersion, info.dwMinorVersion};
}

DWORD StyleOf(HWND window)
{
    return static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
}

DWORD ExStyleOf(HWND window)
{
    return static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE));
}

void SetStyleOf(HWND window, DWORD style)
{
    SetWindowLongPtrW(window, GWL_STYLE, static_cast<LONG_PTR>(style));
}

// The window's rectangle in its parent's client coordinates (the screen's
// for a top-level window).
RECT RectInParent(HWND window)
{
    RECT rect{};
    GetWindowRect(window, &rect);
    if (HWND parent = GetAncestor(window, GA_PARENT); parent && parent != GetDesktopWindow())
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

std::string ClassNameOf(HWND window)
{
    char name[256] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

TSkinManage* Manager()
{
    return SkinManage();
}

} // namespace

TWinSkinForm* FindSkinForm(HWND window)
{
    TSkinManage* manager = Manager();
    return manager ? manager->FindForm(window) : nullptr;
}

TWinSkinForm::TWinSkinForm() : TComponent(nullptr)
{
    DoubleClickTime = GetDoubleClickTime();
    CreateCaptionFont();
}

TWinSkinForm::~TWinSkinForm()
{
    // The manager unskins before it frees; this only catches a window that
    // is still subclassed when the object goes some other way.
    if (Subclassed() && IsWindow(Handle))
        UnSubclass3();
    HotObject = nullptr;
    HotControl = nullptr;
    DeleteControls();
    SysButtons.clear();
    if (Form)
        RemoveFreeNotification(Form);
}

void TWinSkinForm::Release(std::unique_ptr<TWinSkinForm> object)
{
    if (!object)
        return;
    TWinSkinForm* raw = object.release();
    raw->m_guard.Release([raw] { delete raw; });
}

void TWinSkinForm::Notification(TComponent* component, TOperation operation)
{
    TComponent::Notification(component, operation);
    if (operation != opRemove || component != Form)
        return;
    // The form goes before its window: take our procedure out of its chain
    // while the form is still whole, and never touch it again.
    m_formHook.Remove();
    Form = nullptr;
}

void TWinSkinForm::CreateCaptionFont()
{
    // The block as every Windows version knows it (without the padded border
    // width that Vista added), so the call also succeeds on older systems.
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = offsetof(NONCLIENTMETRICSW, iPaddedBorderWidth);
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0))
        return;
    // The system gives it for the system DPI; the window may be at another.
    metrics.lfCaptionFont.lfHeight = ScaleFromSystemDpi(metrics.lfCaptionFont.lfHeight, Dpi);
    CaptionFont.AssignLogFont(metrics.lfCaptionFont);
}

// Creation ------------------------------------------------------------------

void TWinSkinForm::InitTform(TSkinData* skinData, TForm* form)
{
    Form = form;
    if (form)
        FreeNotification(form);
    if (skinData->OnBeforeSkinForm)
        skinData->OnBeforeSkinForm(form, Handle, CreatorClassName);
    // With item skinning on, a scrolling form would scroll the skinned menu
    // items away; the framework's forms have no such property, others may.
    if (skinData->SkinControls().Contains(xcMenuItem) && form && GetPropInfo(*form, "AutoScroll"))
        SetPropValue(*form, "AutoScroll", TPropValue{false});
    InitSkin(skinData);
    if (!form)
        return;
    if (SkinFrame)
        m_formHook = TWindowProcHook(*form, [this](TMessage& message) { NewWndProc(message); });
    SavedColor = form->Color();
    form->SetColor(skinData->Colors(csButtonFace));
    // Text on the face in the skin's colour for it: labels and containers
    // that follow the form's font (ParentFont) take it from there.
    SavedFontColor = form->Font().Color();
    form->Font().SetColor(skinData->Colors(csButtonText));
    if (skinData->SkinControls().Contains(xcMenuItem))
        InitMainMenu(form, true);
}

void TWinSkinForm::InitDlg(TSkinData* skinData)
{
    InitSkin(skinData);
}

void TWinSkinForm::InitSkin(TSkinData* skinData)
{
    if (Subclassed())
        return;
    if (TSkinManage* manager = Manager())
        manager->SetRunning();
    SkinData = skinData;
    Dpi = ClampSkinDpi(WindowDpi(Handle));
    CreateCaptionFont();
    if (!HoverTimer) {
        HoverTimer = new TTimer(this);
        HoverTimer->SetEnabled(false);
        HoverTimer->SetInterval(250);
        HoverTimer->OnTimer = [this](TObject* sender) { OnTimer(sender); };
    }
    SkinFrame = skinData->SkinControls().Contains(xcMainMenu) ? 1 : 0;

    WindowStyle = StyleOf(Handle);
    const DWORD exStyle = ExStyleOf(Handle);
    RightToLeft = (exStyle & WS_EX_LEFTSCROLLBAR) ? 1 : 0;
    ChildWindow = (WindowStyle & WS_CHILD) ? 1 : 0;
    WindowClassName = ClassNameOf(Handle);
    OwnerWindow = GetWindow(Handle, GW_OWNER);

    Icons = {};
    if ((WindowStyle & WS_SYSMENU) || SystemMenu)
        Icons.Include(sbisystem);
    if (WindowStyle & WS_MINIMIZEBOX)
        Icons.Include(sbiMin);
    if (WindowStyle & WS_MAXIMIZEBOX)
        Icons.Include(sbiMax);

    GetWindowstate();
    Sizeable = (WindowStyle & WS_THICKFRAME) ? 1 : 0;
    GetFormstyle();
    if (exStyle & WS_EX_MDICHILD) {
        FormStyle = sfsMDIChild;
        // A child then keeps the system frame.
        if (skinData->Options().Contains(xoMDIChildBorder))
            SkinFrame = 0;
    }

    BorderStyle = sbsSingle;
    if ((WindowStyle & WS_CAPTION) != WS_CAPTION)
        BorderStyle = sbsNone;
    else if (WindowStyle & WS_THICKFRAME)
        BorderStyle = sbsSizeable;
    else if (WindowStyle & DS_MODALFRAME)
        BorderStyle = sbsDialog;
    if (exStyle & WS_EX_DLGMODALFRAME)
        BorderStyle = sbsDialog;

    // Windows 2000 drew its own caption over a skinned one on some events
    // unless the caption bits were off while skinned.
    const auto [major, minor] = SystemVersion();
    const bool w2k = !Windows9x() && major >= 5 && minor == 0;
    if (w2k && ((exStyle & WS_EX_APPWINDOW) ||
                (!OwnerWindow && FormStyle != sfsMDIChild)))
        Icons.Include(sbicaption);

    UnicodeWindow = IsWindowUnicode(Handle) ? 1 : 0;
    if (WindowClassName == "#32770" || WindowClassName == "TMessageForm") {
        BorderStyle = sbsDialog;
        DialogClass = 1;
    }
    StopUpdate();
    if (Windows9x()) {
        TSkinControlTypes controls = skinData->SkinControls();
        controls.Exclude(xcSystemMenu);
        skinData->SetSkinControls(controls);
    }
    if (FormStyle == sfsMDIform) {
        MDIMenuUpdate = skinData->MenuUpdate() ? 1 : 0;
        SubclassMDI();
    }

    OldWndProc = reinterpret_cast<WNDPROC>(UnicodeWindow ? GetWindowLongPtrW(Handle, GWLP_WNDPROC)
                                                         : GetWindowLongPtrA(Handle, GWLP_WNDPROC));
    m_subclass.Install(Handle, [this](TMessage& message) { WinWndProc(message); });

    if (SkinFrame) {
        MenuHandle = GetMenu(Handle);
        // The menu band takes the window's menu over and detaches the
        // native menu bar.
        if (MenuHandle && FormStyle != sfsMDIChild)
            CreateMenuBand();
        const bool mdiMax = FormStyle == sfsMDIChild && Manager() && Manager()->MDIMaximized;
        if (!mdiMax && WindowState != swsMin)
            EnableSysbtn(false);
        InitSkinData();
    } else {
        SkinState = skinstate::Active;
    }
    if (FormStyle == sfsMDIChild) {
        // A blank band keeps the child's client area where the system expects it.
        const int system = GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CXFRAME);
        if (BorderTop < system)
            MenuBarHeight = system - BorderTop;
        if (WindowState == swsMax && Manager() && !Manager()->MDIMaximized)
            Manager()->SetMDIMax(true);
    }
}

void TWinSkinForm::InitSkinData()
{
    if (!SkinData || SkinData->Empty())
        return;
    const TSkinElements& skin = Skin();
    if (BorderStyle == sbsNone) {
        BorderLeft = BorderTop = BorderRight = BorderBottom = 0;
        MenuBarHeight = 0;
    } else {
        auto perFrame = [](int size, const TDataSkinObject* element) {
            return element && element->FrameCount > 0 ? size / element->FrameCount : size;
        };
        BorderTop = perFrame(skin.Top->Image.Height(), skin.Top.get());
        BorderLeft = perFrame(skin.Left->Image.Width(), skin.Left.get());
        BorderRight = perFrame(skin.Right->Image.Width(), skin.Right.get());
        BorderBottom = perFrame(skin.Bottom->Image.Height(), skin.Bottom.get());
    }
    InitSysButtons();
}

void TWinSkinForm::InitSysButtons()
{
    if (!SkinData || SkinData->Empty())
        return;
    const TSkinElements& skin = Skin();
    DeleteSysbtn();
    SysButtonCount = static_cast<int>(skin.SysButtons.size());
    for (const auto& element : skin.SysButtons) {
        auto button = std::make_unique<TWinSysButton>(this, element.get());
        button->Enabled = 1;
        if (element->Action == 3 || element->Action == 11) {
            // The icon button shows the window's own icon.
            GetIcon();
            if (element->Image.Empty())
                element->Image.Assign(IconBitmap);
            element->FrameCount = 1;
        }
        SysButtons.push_back(std::move(button));
    }
}

void TWinSkinForm::ChangeDpi(int dpi)
{
    dpi = ClampSkinDpi(dpi);
    if (dpi == Dpi)
        return;
    Dpi = dpi;
    CreateCaptionFont();
    if (MenuBar && BorderStyle != sbsNone)
        MenuBarHeight = ScaleFromSystemDpi(GetSystemMetrics(SM_CYMENU), Dpi);
    InitSkinData();
    // What the control skins cached from the skin is of the old scale.
    for (const auto& control : Controls)
        control->SkinChange();
}

void TWinSkinForm::DeleteSysbtn()
{
    if (HotObject && dynamic_cast<TWinSysButton*>(HotObject))
        HotObject = nullptr;
    SysButtons.clear();
}

// Window facts --------------------------------------------------------------

void TWinSkinForm::GetWindowstate()
{
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    if (!GetWindowPlacement(Handle, &placement))
        return;
    switch (placement.showCmd) {
    case SW_SHOWMINIMIZED:
    case SW_MINIMIZE:
    case SW_SHOWMINNOACTIVE: WindowState = swsMin; break;
    case SW_SHOWMAXIMIZED: WindowState = swsMax; break;
    default: WindowState = swsNormal; break;
    }
}

void TWinSkinForm::GetFormstyle()
{
    FormStyle = sfsNormal;
    for (HWND child = GetTopWindow(Handle); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (ClassNameOf(child) != "MDIClient")
            continue;
        FormStyle = sfsMDIform;
        MDIClient = child;
        if (TSkinManage* manager = Manager())
            manager->SetMDIParent(child, this);
        break;
    }
}

void TWinSkinForm::GetBorderSize()
{
    RECT client{}, window{};
    GetClientRect(Handle, &client);
    GetWindowRect(Handle, &window);
    SavedClientRect = client;
    StdFrame = TRect{0, 0, (window.right - window.left) - client.right,
                     (window.bottom - window.top) - client.bottom};
}

bool TWinSkinForm::MaximizedMDIChild() const
{
    return FormStyle == sfsMDIChild && WindowState == swsMax;
}

void TWinSkinForm::EnableSysbtn(bool enable)
{
    if (!Icons.Contains(sbicaption))
        return;
    DWORD style = StyleOf(Handle);
    style = enable ? (style | WS_CAPTION) : (style & ~WS_CAPTION);
    SetStyleOf(Handle, style);
}

void TWinSkinForm::UpdateStyle(bool removeSysMenu)
{
    if (Icons.Contains(sbicaption))
        return;
    DWORD style = StyleOf(Handle);
    if (removeSysMenu)
        style &= ~WS_SYSMENU;
    else if (SystemMenu)
        style |= WS_SYSMENU;
    SetStyleOf(Handle, style);
}

void TWinSkinForm::StopUpdate()
{
    TSkinManage* manager = Manager();
    if (!manager || !manager->UpdateRequested || ChildWindow || !SkinFrame ||
        BorderStyle == sbsNone)
        return;
    SetStyleOf(Handle, StyleOf(Handle) & ~WS_VISIBLE);
}

void TWinSkinForm::BeginUpdate()
{
    TSkinManage* manager = Manager();
    if (!manager || !manager->UpdateRequested)
        return;
    manager->UpdateRequested = 0;
    const DWORD style = StyleOf(Handle);
    if (!(style & WS_VISIBLE))
        SetStyleOf(Handle, style | WS_VISIBLE);
}

std::wstring TWinSkinForm::WindowText() const
{
    if (UnicodeWindow) {
        const int length = GetWindowTextLengthW(Handle);
        std::wstring text(static_cast<std::size_t>(std::max(length, 0)) + 1, L'\0');
        text.resize(static_cast<std::size_t>(GetWindowTextW(Handle, text.data(), length + 1)));
        return text;
    }
    const int length = GetWindowTextLengthA(Handle);
    std::string ansi(static_cast<std::size_t>(std::max(length, 0)) + 1, '\0');
    ansi.resize(static_cast<std::size_t>(GetWindowTextA(Handle, ansi.data(), length + 1)));
    if (ansi.empty())
        return {};
    const int wide = MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()),
                                         nullptr, 0);
    std::wstring text(static_cast<std::size_t>(wide), L'\0');
    MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), text.data(), wide);
    return text;
}

// Geometry --------------------------------------------------------------------------

void TWinSkinForm::Refresh(WindowRedraw redraw)
{
    SetWindowPos(Handle, nullptr, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED |
                     (redraw == WindowRedraw::No ? SWP_NOREDRAW : 0));
}

void TWinSkinForm::RePaint()
{
    RedrawWindow(Handle, nullptr, nullptr,
                 RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void TWinSkinForm::ResizeForm(bool takeClientRect, WindowRedraw redraw)
{
    if (WindowState == swsMax) {
        Refresh(redraw);
        return;
    }
    RECT window{};
    GetWindowRect(Handle, &window);
    if (DialogClass || SkinState == skinstate::Reskinning)
        GetClientRect(Handle, &SavedClientRect);
    int width = SavedClientRect.right + BorderLeft + BorderRight;
    if (takeClientRect) {
        GetClientRect(Handle, &SavedClientRect);
    } else if (Form) {
        width = Form->ClientWidth() + BorderLeft + BorderRight;
        // A detached menu bar left its height to the client area.
        SavedClientRect.bottom = Form->ClientHeight();
        if (FormStyle != sfsMDIChild)
            SavedClientRect.bottom -= MenuBarHeight;
    }
    const int height = SavedClientRect.bottom + BorderTop + BorderBottom + MenuBarHeight;

    if (DialogClass && !takeClientRect && SkinData) {
        // A dialog whose caption does not fit is widened, its contents
        // moved to stay centred, rather than its caption being cut.
        DialogCaption = WindowText();
        HDC dc = GetDC(Handle);
        MakeTitleFont(*Skin().Title, CaptionFont, TitleFont);
        HGDIOBJ old = SelectObject(dc, TitleFont.Handle());
        SIZE extent{};
        GetTextExtentPoint32W(dc, DialogCaption.c_str(), static_cast<int>(DialogCaption.size()),
                              &extent);
        SelectObject(dc, old);
        ReleaseDC(Handle, dc);
        CaptionTextWidth = extent.cx;
        const TDataSkinTitle& title = *Skin().Title;
        const int needed = title.Margins.Left + CaptionTextWidth + title.Margins.Right;
        if (width < needed) {
            const int shift = (needed - width) / 2;
            for (HWND child = GetWindow(Handle, GW_CHILD); child;
                 child = GetWindow(child, GW_HWNDNEXT)) {
                RECT r{};
                GetWindowRect(child, &r);
                MapWindowPoints(nullptr, Handle, reinterpret_cast<POINT*>(&r), 2);
                SetWindowPos(child, nullptr, r.left + shift, r.top, 0, 0,
                             SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOSENDCHANGING |
                                 SWP_NOOWNERZORDER);
            }
            width = needed;
        }
    }
    SetWindowPos(Handle, nullptr, window.left, window.top, width, height,
                 SWP_FRAMECHANGED | SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOMOVE |
                     (redraw == WindowRedraw::No ? SWP_NOREDRAW : 0));
}

// The start-up sequence (CN_SkinActive) ---------------------------------------------

void TWinSkinForm::SkinActive()
{
    SkinStarted = 1;
    // A window skinned on request while another one is active never gets the
    // WM_NCACTIVATE (FALSE) that would tell it; one skinned on its activation
    // is active by the time this posted message arrives. MDI children learn
    // their state from the MDI client's WM_NCACTIVATE instead.
    if (FormStyle != sfsMDIChild)
        Active = GetActiveWindow() == Handle ? 1 : 0;
    SystemMenu = GetSystemMenu(Handle, FALSE);
    if (SystemMenu)
        Icons.Include(sbisystem);
    GetIcon();
    GetBorderSize();
    BeginUpdate();
    if (Form)
        InitControls(Form);
    else
        TControlDiscovery(*this).InitHwndControls(Handle);
    SkinMDIScrollbars();
    if (SkinState == skinstate::Created) {
        if (FormStyle == sfsMDIChild) {
            TSkinManage* manager = Manager();
            if (WindowState == swsMax) {
                if (manager && manager->MDIClientWindow)
                    PostMessageW(manager->MDIClientWindow, WM_SKINMDICAPTION,
                                 reinterpret_cast<WPARAM>(Handle), 0);
            } else if (WindowState == swsMin) {
                EnableSysbtn(true);
            } else {
                SkinState = skinstate::Resizing;
                ResizeForm(false);
                SkinState = skinstate::Active;
                Cropwindow();
            }
        } else if (!ChildWindow && BorderStyle != sbsNone && WindowState != swsMin) {
            SkinState = skinstate::Resizing;
            ResizeForm(false);
            SkinState = skinstate::Active;
            if (WindowState == swsNormal)
                Cropwindow();
            else
                Refresh();
        }
    }
    AfterSkin();
    SkinState = skinstate::Active;
    if (HoverTimer)
        HoverTimer->SetEnabled(true);
}

void TWinSkinForm::AfterSkin()
{
    SendOwnMessage(Handle, WM_SKINNOTIFY, 0, SkinMagic);
    if (SkinData && SkinData->OnAfterSkinForm)
        SkinData->OnAfterSkinForm(Form, Handle, CreatorClassName);
}

void TWinSkinForm::SkinChange()
{
    if (Form && SkinData) {
        const TColor face = SkinData->Colors(csButtonFace);
        Form->SetColor(face);
        Form->Font().SetColor(SkinData->Colors(csButtonText));
        for (int i = 0; i < Form->ComponentCount(); ++i)
            if (auto* owned = dynamic_cast<TForm*>(Form->Components(i)))
                owned->SetColor(face);
    }
    for (const auto& control : Controls)
        control->SkinChange();
    SkinMDIScrollbars();
    SkinState = skinstate::Reskinning;
    if (SkinFrame && !ChildWindow && BorderStyle != sbsNone) {
        if (Form)
            InitPopMenu(Form, true);
        LayOutForNewSkin();
        RePaint();
    }
    AfterSkin();
    SkinState = skinstate::Active;
}

// Plain windows are re-laid out too: nothing else would apply the new border
// sizes to them. A form's height then goes one pixel up and back, so that the
// form and whatever the host does on WM_SIZE lay out anew. Every step used to
// paint (the frame, the erase of each control) and to cut a region from the
// border pictures for the size of the moment: a dozen windows took half a
// second. None of them is seen (the window is painted once, afterwards, and
// the pixel row of the bump lies outside the region), so the steps go
// without drawing and the region is cut once, for the final size.
void TWinSkinForm::LayOutForNewSkin()
{
    // Released however the steps end (a host's WM_SIZE handler may throw).
    struct THeldRegion {
        bool& held;
        explicit THeldRegion(bool& flag) : held(flag) { held = true; }
        ~THeldRegion() { held = false; }
    };
    const RECT before = RectInParent(Handle);
    {
        const THeldRegion hold(m_regionHeld);
        ResizeForm(true, WindowRedraw::No);
        if (Form && WindowState == swsNormal) {
            // The form learns its bounds from WM_WINDOWPOSCHANGED.
            const RECT now = RectInParent(Handle);
            const int width = now.right - now.left;
            const int height = now.bottom - now.top;
            const UINT flags = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW;
            SetWindowPos(Handle, nullptr, 0, 0, width, height + 1, flags);
            SetWindowPos(Handle, nullptr, 0, 0, width, height, flags);
        }
    }
    // A new skin cuts another outline at the same size.
    RegionWidth = RegionHeight = 0;
    Cropwindow(WindowRedraw::No);
    // What a top-level window no longer covers the X server exposes to the
    // windows below; an MDI child's parent must be told, or it keeps the
    // child's old pixels where the window shrank or its corners are now cut.
    if (StyleOf(Handle) & WS_CHILD) {
        RECT area{};
        const RECT after = RectInParent(Handle);
        UnionRect(&area, &before, &after);
        RedrawWindow(GetParent(Handle), &area, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    }
}

// Giving the window back ------------------------------------------------------------

void TWinSkinForm::RestoreWindowProcs()
{
    m_formHook.Remove();
    m_subclass.Remove();
}

void TWinSkinForm::RestoreFormLook()
{
    // The form's popup and main menus get their own drawing back.
    if (Form)
        InitPopMenu(Form, false);
    if (Form && SkinData && SkinData->SkinControls().Contains(xcMenuItem))
        InitMainMenu(Form, false);
    if (Form && SkinState != skinstate::Unskinning && SavedColor != clNone)
        Form->SetColor(SavedColor);
    if (Form && SkinState != skinstate::Unskinning && SavedFontColor != clNone)
        Form->Font().SetColor(SavedFontColor);
}

void TWinSkinForm::UnSubclass()
{
    if (!SkinFrame) {
        UnSubclass2();
        return;
    }
    FreeSysMenu();
    if (HoverTimer)
        HoverTimer->SetEnabled(false);
    if (!Subclassed())
        return;
    // The frame the window had while skinned, before its procedure goes.
    RECT window{}, client{};
    GetWindowRect(Handle, &window);
    GetClientRect(Handle, &client);
    RestoreWindowProcs();
    DeleteControls();
    RestoreFormLook();
    UpdateStyle(false);
    EnableSysbtn(true);
    FreeMenuBand();
    UnSubclassMDI();

    // The system frame around the same client area. (The client size, not
    // the border sizes, is what a borderless or never-resized window kept.)
    const int width = client.right + StdFrame.right;
    const int height = client.bottom + StdFrame.bottom;
    POINT origin{window.left, window.top};
    if (FormStyle == sfsMDIChild)
        ScreenToClient(GetParent(Handle), &origin);
    const bool resizable = FormStyle == sfsMDIChild || !(StyleOf(Handle) & WS_CHILD);
    if (SkinState != skinstate::Unskinning && resizable && !IsIconic(Handle) &&
        !IsZoomed(Handle) && BorderStyle != sbsNone)
        SetWindowPos(Handle, nullptr, origin.x, origin.y, width, height,
                     SWP_FRAMECHANGED | SWP_NOACTIVATE | SWP_NOZORDER);
    else
        Refresh();
    // The window frees the region it holds.
    SetWindowRgn(Handle, nullptr, TRUE);
    RegionOwned = 0;
    FrameRegion = nullptr;
    RegionWidth = RegionHeight = 0;
}

void TWinSkinForm::UnSubclass3()
{
    if (!SkinFrame) {
        UnSubclass2();
        return;
    }
    FreeSysMenu();
    if (HoverTimer)
        HoverTimer->SetEnabled(false);
    if (Subclassed())
        RestoreWindowProcs();
    DeleteControls();
    // A window that lives on gets its menu back.
    FreeMenuBand();
}

void TWinSkinForm::UnSubclass2()
{
    if (HoverTimer)
        HoverTimer->SetEnabled(false);
    DeleteControls();
    RestoreFormLook();
    if (Subclassed())
        RestoreWindowProcs();
    UnSubclassMDI();
    if (Form && SkinState != skinstate::Unskinning)
        for (int i = 0; i < Form->ComponentCount(); ++i)
            if (auto* control = dynamic_cast<TControl*>(Form->Components(i)))
                control->Invalidate();
}

void TWinSkinForm::InitPopMenu()
{
    if (Form)
        InitPopMenu(Form, true);
}

void TWinSkinForm::UpdateMainMenu()
{
    // The frame is repainted either way, as the switch that gates frame
    // painting has changed.
    if (MenuBar && !MenuTracking) {
        MenuBar->UpdataBtn();
        MenuBar->SetMenuRect();
    }
    if (SkinState == skinstate::Active)
        RePaint();
}

// The hover timer ---------------------------------------------------------------

void TWinSkinForm::OnTimer(TObject*)
{
    if (MenuTracking)
        return;
    POINT cursor{};
    GetCursorPos(&cursor);
    if (HotObject) {
        RECT window{};
        GetWindowRect(Handle, &window);
        const POINT local{cursor.x - window.left, cursor.y - window.top};
        if (!PtInRect(&HotObject->Rect, local)) {
            HotObject->MouseLeave();
            HotObject = nullptr;
        }
    }
    if (PlainWindow() && HotControl) {
        RECT r{};
        GetWindowRect(HotControl->ControlHandle(), &r);
        if (!PtInRect(&r, cursor)) {
            HotControl->MouseLeave();
            HotControl = nullptr;
        }
    }
}

} // namespace tarnivo
