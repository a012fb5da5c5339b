#pragma once
// TWinSkinForm: the skinning object of one top-level window.
//
// The skin manager makes one for every window it decides to skin: a framework
// form (then the object also sits in the form's WindowProc chain) or a plain
// window such as a "#32770" dialog (then only its window procedure is
// replaced). The object takes over the whole non-client area, keeps the window
// region cut to the skin's outline, and gives everything back when skinning is
// switched off or the window goes.
//
// Reading order: this header and winskinform.cpp (taking a window over and
// giving it back), winskinform_proc.cpp (the two message tables), ncframe.cpp
// (what the frame looks like).

#include "skin/controls/skinhost.h"
#include "skin/forms/ncobject.h"
#include "skin/resources/skindata.h"
#include "skin/resources/skinmanagerif.h"

#include "framework/bitmap.h"
#include "framework/canvas.h"
#include "framework/component.h"
#include "framework/font.h"
#include "framework/gdiobjects.h"
#include "framework/messages.h"
#include "framework/regions.h"
#include "framework/releaseguard.h"
#include "framework/sets.h"
#include "framework/subclass.h"
#include "framework/windowprochook.h"
#include "framework/timer.h"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace tarnivo {

class TControl;
class TForm;
class TMenuBtn;
class TMenuItem;
class TPopupMenu;
class TWinSkinMenu;

enum TSkinFormStyle { sfsNormal, sfsMDIform, sfsMDIChild, sfsChild };
enum TSkinFormBorder { sbsSizeable, sbsSingle, sbsNone, sbsDialog };
enum TSkinWindowState { swsNormal, swsMax, swsMin };
enum TSkinFormIcon { sbiMax, sbiMin, sbiHelp, sbisystem, sbicaption };
using TSkinFormIcons = TSet<TSkinFormIcon>;

// Life-cycle codes of SkinState (2 is not used).
namespace skinstate {
constexpr int Created = 0;     // subclassed, waiting for CN_SkinActive
constexpr int Active = 1;
constexpr int Reskinning = 3;
constexpr int Unskinning = 4;
constexpr int Resizing = 5;    // inside the start-up sequence
constexpr int Destroyed = 6;   // WM_NCDESTROY has passed; the manager frees it
} // namespace skinstate

// Whether a restoring call should also put the window's look back at once.
enum class Redraw { No, Yes };

class TWinSkinForm : public TComponent, public ISkinFormLink, public ISkinControlHost {
public:
    // `owner` is null: the skin manager owns the object (its Forms list) and
    // frees it; the framework form is only referenced, and its destruction
    // clears Form through the free notification.
    TWinSkinForm();
    ~TWinSkinForm() override;
    std::string ClassName() const override { return "TWinSkinForm"; }

    // Creation, called by the skin manager in this order: the fields Handle,
    // ManagerStamp and CreatorClassName are set, then InitTform (framework
    // form) or InitDlg (plain window), then CN_SkinActive is posted.
    void InitTform(TSkinData* skinData, TForm* form);
    void InitDlg(TSkinData* skinData);
    void InitSkin(TSkinData* skinData);
    // Border sizes and caption-button objects from the skin; nothing while
    // the skin data has no skin.
    void InitSkinData();
    // The caption-button objects alone, bound to the skin data's current
    // caption-button elements.
    void InitSysButtons();

    // Lets the system recompute the frame, and repaint it unless told not to.
    void Refresh(WindowRedraw redraw = WindowRedraw::Yes);
    void RePaint();
    // The previous window procedure.
    void Default(TMessage& message);

    // Applies a changed skin to a skinned window (WM_SKINCHANGE, or the
    // manager after InitSkinData).
    void SkinChange();
    void AfterSkin();

    // Full undo (skinning switched off), undo of a window being destroyed,
    // and the undo of a window whose frame was never skinned.
    void UnSubclass();
    void UnSubclass2();
    void UnSubclass3();

    // The window sized to its client area plus the skin's borders; with
    // WindowRedraw::No nothing is painted (the caller repaints).
    void ResizeForm(bool takeClientRect, WindowRedraw redraw = WindowRedraw::Yes);
    void EnableSysbtn(bool enable);
    void UpdateStyle(bool removeSysMenu);
    void StopUpdate();
    void BeginUpdate();
    void GetWindowstate();
    void GetFormstyle();
    void GetBorderSize();
    void CreateCaptionFont();
    void GetIcon();
    void DrawIcon(HDC dc, const TRect& rect);

    // The skin's elements at the window's DPI (SkinData must be set).
    const TSkinElements& Skin() const { return SkinData->ElementsAt(Dpi); }
    // Draws the window at another DPI from now on: the frame sizes, caption
    // buttons and caption font of that scale, then a new frame and region.
    void ChangeDpi(int dpi);

    // Caption-button objects built from the current skin.
    void DeleteSysbtn();

    // The control skins of this window (ISkinControlHost).
    HWND HostWindow() const override { return Handle; }
    bool AddControlList(TSkinControlLink* control) override;
    void DeleteControl(TSkinControlLink* control) override;
    TSkinControlLink* HotControlLink() const override { return HotControl; }
    void SetHotControlLink(TSkinControlLink* control) override { HotControl = control; }
    int HostDpi() const override { return Dpi; }
    // Frees a listed control skin (whoever owns it), off the list first.
    void FreeControl(TSkinControlLink* control);
    void DeleteSkinDeleted();
    void DeleteControls();
    // A child window that should get a control skin: chosen by its window
    // class and style (discovery.h).
    void AddControlh(HWND window);

    // ISkinFormLink: the refresh operations of the skin data.
    void InitControls(TControl* control) override;
    void InitPopMenu() override;
    // The framework popup menus owned by `container` (and by the frames and
    // forms it owns) are switched to skinned owner drawing, or back
    // (popupmenu.cpp). Menus tagged with the skin's DisableTag keep theirs.
    void InitPopMenu(TComponent* container, bool enable);
    void UpdateMainMenu() override;
    void InitNestform(TForm* nested) override;
    void DeleteGraphicControl(TControl* control) override;

    // Frame painting (ncframe.cpp).
    LRESULT WMNCCalcSize(bool calcValidRects, NCCALCSIZE_PARAMS* params, TMessage& message);
    void WMNCPaint(TMessage& message);
    void UpdateNc(HDC dc);
    void Drawborder(int index, const TRect& rect, HDC dc);
    void DrawFLine(HDC dc);
    void DrawLine(TCanvas& canvas, const TRect& rect);
    // Cuts the window to the skin's outline at its size (once per size
    // unless the skin changed); held back while a skin change lays the
    // window out, and then made once for the size it ends at.
    void Cropwindow(WindowRedraw redraw = WindowRedraw::Yes);
    void Uncropwindow();

    // Caption buttons (captionbuttons.cpp). Points are in window coordinates.
    TWinSysButton* FindBtn(POINT point) const;
    bool SysBtnVisible(int index);
    void SetSysbtnRect();
    void DrawAllSysbtn(TCanvas& canvas, const TRect& rect);
    // Draws one button in a state (1 normal, 2 pressed, 3 hot) onto the
    // window, or into `dc` laid out like the window.
    void DrawSysbtn(TWinSysButton* button, int state, HDC dc = nullptr);
    // Runs the action of the hot button; (x, y) is the click's screen point.
    void SysBtnAction(int x, int y);
    // A screen point in window coordinates (client coordinates for a
    // minimized MDI child).
    POINT GetWinXY(int x, int y) const;
    void Maximize();
    void Restore();
    void Minimize();
    void MDIChildAction(UINT command);
    bool MDIChildMax() const;
    // The menu band's button under a point (window coordinates), or none.
    TNCObject* FindMenuBtn(POINT point) const;

    // An MDI parent's client window (mdiclient.cpp) and the maximized
    // child's buttons in its menu band (mdiband.cpp).
    void SubclassMDI();
    void UnSubclassMDI();
    // The client's previous window procedure.
    void DefaultMDI(TMessage& message);
    void WinMDIProc(TMessage& message);
    bool MDISubclassed() const { return m_mdiSubclass.Installed(); }
    // Gives the client's scroll bars the skin's look, or the system's back
    // when the frame is not skinned or xoMDIScrollbar is set.
    void SkinMDIScrollbars();
    // The skin object over the client's bars; null while they look as the
    // system draws them.
    TSkinControlLink* MDIClientSkin() const;
    // Into the band's image, whose top-left is bandRect's (window coordinates).
    void DrawMDIButtons(TCanvas& canvas, const TRect& bandRect);

    // The menu band (menuband.cpp, menutracking.cpp).
    // Posts the click that opens a band button.
    void ClickButton(TMenuBtn* button);
    // Opens the button's drop-down, and the ones the user moves on to;
    // answers whether a drop-down was tracked.
    bool CheckMenu(TMenuBtn* button);
    TMenuBtn* FindButtonFromAccel(wchar_t key) const;
    void CancelMenu();
    // WM_SKINMENUSELECT: opens the band button under the screen point in lParam.
    void MenuSelect(TMessage& message);
    // SC_KEYMENU for the band: answers whether the band took it.
    bool KeyMenu(TMessage& message);

    // Skinned menu entries (menuitemmessages.cpp): the OnDrawItem and
    // OnMeasureItem handlers given to framework menus.
    void DrawMenuItem(TObject* sender, TCanvas& canvas, const TRect& rect, bool selected);
    void MeasureItem(TObject* sender, TCanvas& canvas, int& width, int& height);
    void MeasureItemPop(TObject* sender, TCanvas& canvas, int& width, int& height);
    // Every main menu owned by `container` owner-drawn from the skin (or back).
    void InitMainMenu(TComponent* container, bool enable);

    // The skinned system menu (sysmenu.cpp). `point` is in screen coordinates.
    void PopSysmenu(POINT point);
    void CreateSysmenu2();
    void CreateSysmenu();
    void AddSysMenuitem(const std::string& caption, int tag);
    // Whether the close button may close the window.
    bool CheckSysmenu() const;
    void DoSysMenu(TObject* sender);
    void DoSysMenu2(TObject* sender);
    void FreeSysMenu();
    void SkinItem(TMenuItem& item);

    // The two message tables (winskinform_proc.cpp).
    void NewWndProc(TMessage& message);
    void WinWndProc(TMessage& message);

    void Notification(TComponent* component, TOperation operation) override;

    // --- Fields (coordinates relative to the window's top-left corner) ---
    HWND Handle = nullptr;                  // the skinned window
    TForm* Form = nullptr;                  // the framework form, or null
    TSkinData* SkinData = nullptr;          // the skin in use
    int Dpi = 96;                           // the window's DPI, which the skin is drawn at
    std::uint32_t ManagerStamp = 0;         // the manager's Module at creation
    std::string CreatorClassName;           // class name the manager saw

    WNDPROC OldWndProc = nullptr;           // window procedure before subclassing
    TFont CaptionFont;                      // the system caption font
    TFont TitleFont;                        // CaptionFont at the skin's title height
    std::uint8_t SkinStarted = 0;           // CN_SkinActive has arrived
    TTimer* HoverTimer = nullptr;           // 250 ms, owned, while active
    std::wstring CaptionSuffix = L"  ";
    std::wstring CaptionPrefix = L" ";
    std::string WindowClassName;
    std::uint8_t MDIMenuUpdate = 0;         // MenuUpdate for an MDI parent
    std::uint8_t SkinFrame = 0;             // the engine paints the frame
    TRect SavedClientRect{};                // client rectangle kept across frames
    DWORD LastSysMenuTick = 0;
    UINT DoubleClickTime = 0;
    int CaptionTextWidth = 0;               // a dialog's caption width
    HWND OwnerWindow = nullptr;
    HICON IconHandle = nullptr;             // borrowed from the window
    int IconSize = 0;
    std::wstring DialogCaption;
    int BorderLeft = 0;
    int BorderTop = 0;                      // the title-bar height
    int BorderRight = 0;
    int BorderBottom = 0;
    TRect WindowRect{};                     // screen rectangle at the last frame paint
    TRect CaptionTextRect{};                // where the caption text went
    TRect StdFrame{};                       // the system frame's extra size
    int MenuBarHeight = 0;
    TWinSkinMenu* MenuBar = nullptr;        // the menu band, owned; none without a menu
    int SysButtonCount = 0;
    std::uint8_t MenuTracking = 0;
    std::uint8_t RightToLeft = 0;
    std::uint8_t Sizeable = 0;
    std::uint8_t UnicodeWindow = 0;
    std::uint8_t DialogClass = 0;           // "#32770" or "TMessageForm"
    std::uint8_t ChildWindow = 0;
    HWND MDIClient = nullptr;
    HMENU MenuHandle = nullptr;
    HMENU SystemMenu = nullptr;
    HMENU TrackedMenu = nullptr;
    TPopupMenu* SysMenuPopup = nullptr;     // owned; rebuilt for every popup
    TColor SavedColor = clNone;             // the form's Color before skinning
    TColor SavedFontColor = clNone;         // the form's Font colour before skinning
    DWORD WindowStyle = 0;                  // GWL_STYLE as last read
    int RightButtonsLeft = 0;
    TNCObject* HotObject = nullptr;
    std::uint8_t RegionOwned = 0;
    HRGN FrameRegion = nullptr;             // owned while RegionOwned
    TCanvas Canvas1;
    TCanvas Canvas2;                        // handed to every control skin
    std::vector<std::unique_ptr<TWinSysButton>> SysButtons;
    TBitmap IconBitmap;
    TBitmap CaptionBuffer;
    // The control skins of this window, not owned: each belongs to its
    // framework control, or to this object for raw windows, and leaves the
    // list when it is freed. The form frees them all when it gives the
    // window back (FreeControl).
    std::vector<TSkinControlLink*> Controls;
    int PaintWidth = 0;
    int PaintHeight = 0;
    int RegionWidth = 0;
    int RegionHeight = 0;
    std::uint8_t Active = 1;
    TSkinFormStyle FormStyle = sfsNormal;
    TSkinFormBorder BorderStyle = sbsSingle;
    TSkinFormIcons Icons;
    TSkinWindowState WindowState = swsNormal;
    int SkinState = skinstate::Created;
    TSkinControlLink* HotControl = nullptr;

    // Whether the window procedure is replaced (the stub exists).
    bool Subclassed() const { return m_subclass.Installed(); }

    // Whether the object may still be used: a weak reference for callbacks
    // given to others and for a handler that ran a nested loop.
    TLiveToken LiveToken() const { return m_guard.Token(); }
    // Frees an object the manager took off its list: at once, or when the
    // last of its messages returns.
    static void Release(std::unique_ptr<TWinSkinForm> object);

private:
    // Handlers of the two message tables (winskinform_proc.cpp).
    void Dispatch(TMessage& message);
    bool Stage1(TMessage& message);
    bool Stage2(TMessage& message);
    bool Stage3(TMessage& message);
    void SkinActive();
    void WMSize(TMessage& message);
    bool WMNCActivateEarly(TMessage& message);
    void WMNCActivate(TMessage& message);
    void WMGetMinMaxInfo(TMessage& message);
    void WMWindowPosChanged(TMessage& message);
    void WMSysCommand(TMessage& message);
    void WMCommand(TMessage& message);
    void WMEraseBkgnd(TMessage& message);
    void WMCtlColorBtn(TMessage& message);
    void WMCtlColorStatic(TMessage& message);
    void WMInitMenuPopup(TMessage& message);
    void WMNCDestroy(TMessage& message);
    void WMSkinRecreate(TMessage& message);
    void WMDpiChanged(TMessage& message);
    bool OwnChildWindow(HWND window) const;
    void FreeStaleSkins(const TControl& control, HWND window);
    // Checks of queue messages that carry no trustworthy parameters.
    bool StartUpAwaited(const TMessage& message) const;
    void WMNCHitTest(TMessage& message);
    // Non-client mouse (ncmouse.cpp).
    void WMNCMouseMove(TMessage& message);
    void WMNCLButtonDown(TMessage& message);
    void WMNCLButtonUp(TMessage& message);
    void WMNCLBUTTONDBLCLK(TMessage& message);
    void WMNCRButtonUp(TMessage& message);
    void WMMenuItem(TMessage& message);
    void WMMEASUREITEM(TMessage& message);
    void WMDRAWITEM(TMessage& message);
    void WMMenuSelect(TMessage& message);
    bool TrackOne(TMenuBtn* button);
    void CreateMenuBand();
    void FreeMenuBand();
    void CMMenuChanged(TMessage& message);
    void WMSetText(TMessage& message);
    // WM_SETTEXT of a plain window (one without a framework form).
    void WMSetTextPlain(TMessage& message);
    // Stores the text through `passOn` and paints the new caption at once.
    void SetCaptionText(TMessage& message, const std::function<void(TMessage&)>& passOn);
    void WMSkinPaintNC(TMessage& message);
    void WMSkinQuery(TMessage& message);
    void CMDialogChar(TMessage& message);
    void OnTimer(TObject* sender);
    // The MDI client's messages (mdiclient.cpp).
    void MDICreate(TMessage& message);
    void MDIDestroy(TMessage& message);
    void MDIArrange(TMessage& message);
    void MDISetMenu(TMessage& message);
    void MDICaption(TMessage& message);

    // SkinChange's new borders and re-layout, painting nothing; ends with
    // the region for the size the window ends at.
    void LayOutForNewSkin();
    // IconHandle copied at w x h (kept for the next call), or null.
    HICON SizedIcon(int w, int h);

    // Helpers shared by the undo paths.
    void RestoreWindowProcs();
    void RestoreFormLook();
    std::wstring WindowText() const;
    bool MaximizedMDIChild() const;
    bool PlainWindow() const { return Form == nullptr; }

    TReleaseGuard m_guard;                  // frees this object only between its messages
    int m_sysMenuLoops = 0;                 // system-menu loops running (PopSysmenu)
    bool m_regionHeld = false;              // Cropwindow waits for LayOutForNewSkin's end
    ::tarnivo::IconHandle m_sizedIcon;      // SizedIcon's copy of m_sizedIconOf
    HICON m_sizedIconOf = nullptr;          // borrowed; compared, never used
    int m_sizedIconWidth = 0;
    int m_sizedIconHeight = 0;
    TWindowSubclass m_subclass;             // the replaced window procedure
    TWindowProcHook m_formHook;             // our place in the form's WindowProc chain
    TWindowSubclass m_mdiSubclass;          // the MDI client's replaced procedure
};

// The skinning object of a window, found through the skin manager; null when
// the window is not skinned by this process.
TWinSkinForm* FindSkinForm(HWND window);

} // namespace tarnivo
