#pragma once
// TForm: a top-level window owned by the application window, with its border
// and caption buttons, main menu, active control, modal loop and the form
// events (OnCreate, OnShow, OnActivate, OnClose, OnDestroy).
//
// A form can be the frame of a multiple-document interface (fsMDIForm: it
// makes the system "MDICLIENT" window, which hosts the documents, and its
// default processing is DefFrameProc) or one document in such a frame
// (fsMDIChild: a child of the frame's client window, created with
// WS_EX_MDICHILD, default processing DefMDIChildProc).
//
// A form is made in two steps: the constructor runs the stored layout (see
// TComponent::LoadLayout) and the derived class's own construction; then the
// creator calls AfterConstruction, which raises OnCreate. TApplication::
// CreateForm and MakeForm do both.

#include "control.h"
#include "formscale.h"
#include "menus.h"

namespace tarnivo {

enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum TBorderIcon { biSystemMenu, biMinimize, biMaximize, biHelp };
using TBorderIcons = TSet<TBorderIcon>;
enum TPosition { poDesigned, poDefault, poScreenCenter, poMainFormCenter };
enum TCloseAction { caNone, caHide, caFree, caMinimize };
enum TWindowState { wsNormal, wsMinimized, wsMaximized };
enum TFormStyle { fsNormal, fsMDIForm, fsMDIChild };
enum TTileMode { tbHorizontal, tbVertical };

// Modal results.
constexpr int mrNone = 0;
constexpr int mrOk = IDOK;
constexpr int mrCancel = IDCANCEL;

using TCloseEvent = std::function<void(TObject* sender, TCloseAction& action)>;

class TForm : public TCustomControl {
    TARNIVO_PUBLISHED_CLASS()
public:
    explicit TForm(TComponent* owner);
    ~TForm() override;

    // Raises OnCreate; called by the creator after the constructor.
    virtual void AfterConstruction();

    TFormBorderStyle BorderStyle() const { return m_borderStyle; }
    void SetBorderStyle(TFormBorderStyle style);
    TBorderIcons BorderIcons() const { return m_borderIcons; }
    void SetBorderIcons(TBorderIcons icons);
    TPosition Position() const { return m_position; }
    void SetPosition(TPosition position) { m_position = position; }

    int ClientWidth() const;
    int ClientHeight() const;
    // Sizes the window so that its client area is width x height. The frame
    // is measured on the window as it is (window minus client rectangle), so
    // a frame drawn by someone else (an answer to WM_NCCALCSIZE) counts with
    // its own thickness; before the window exists the frame is worked out
    // from the style the window will get, and measured again once it exists.
    void SetClientSize(int width, int height);

    // The DPI the layout stands at: the stored layout is written at 96 and
    // scaled, once read, to the DPI of the window (formscale.cpp), and again
    // by new/old on WM_DPICHANGED. Positions, sizes and font heights given
    // afterwards are pixels at this DPI: Scaled turns a 96-DPI length into one.
    int PixelsPerInch() const { return m_pixelsPerInch; }
    void ScaleToPixelsPerInch(int dpi);
    int Scaled(int designed) const;

    // Read from the window when it exists; a state set while the form is
    // hidden is applied when it is shown.
    TWindowState WindowState() const;
    void SetWindowState(TWindowState state);

    // Changing the style of an existing window recreates it.
    TFormStyle FormStyle() const { return m_formStyle; }
    void SetFormStyle(TFormStyle style);

    // --- MDI frame (fsMDIForm) ---
    // The "MDICLIENT" window that hosts the children; null for other forms
    // and before the window exists.
    HWND ClientHandle() const { return m_clientHandle; }
    // The active child as a framework form (null when none, or when the
    // active child is a window of another kind).
    TForm* ActiveMDIChild() const;
    HWND ActiveMDIChildHandle() const;
    // The framework forms among the client's children, top of the Z order first.
    int MDIChildCount() const;
    TForm* MDIChildren(int index) const;
    // The sub-menu whose end lists the children (the system's window list);
    // may be null.
    TMenuItem* WindowMenu() const { return m_windowMenu; }
    void SetWindowMenu(TMenuItem* item);
    TTileMode TileMode() const { return m_tileMode; }
    void SetTileMode(TTileMode mode) { m_tileMode = mode; }
    void Tile();
    void Cascade();
    void ArrangeIcons();
    // Activate the next / previous child, as Ctrl+F6 / Ctrl+Shift+F6 do.
    void Next();
    void Previous();
    // The command of the first child in the window list; the system numbers
    // the children from it. Above every menu item's command.
    static constexpr UINT FirstMDIChildCommand = 0xFF00;

    // --- MDI child (fsMDIChild) ---
    // The frame whose client hosts this child: the owner when it is an MDI
    // frame, else the application's main form when that is one, else null.
    TForm* MDIParent() const;

    TMainMenu* Menu() const { return m_menu; }
    void SetMenu(TMainMenu* menu);

    TWinControl* ActiveControl() const { return m_activeControl; }
    void SetActiveControl(TWinControl* control);
    // Called by a control of this form when it receives the focus.
    void ControlFocused(TWinControl* control);

    int ModalResult() const { return m_modalResult; }
    void SetModalResult(int result) { m_modalResult = result; }

    void Show();
    void Close();
    // Runs a modal loop with the other forms disabled; answers ModalResult.
    int ShowModal();
    bool Modal() const { return m_modal; }

    TNotifyEvent OnCreate;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TNotifyEvent OnDestroy;
    TCloseEvent OnClose;

    void Dispatch(TMessage& message) override;
    // DefFrameProc for an MDI frame, DefMDIChildProc for an MDI child.
    void DefaultHandler(TMessage& message) override;
    void Notification(TComponent* component, TOperation operation) override;

protected:
    void Loaded() override;
    void CreateParams(TCreateParams& params) override;
    void HandleCreated() override;
    void HandleDestroying() override;
    void VisibleChanged() override;

    virtual void DoShow();
    virtual void Activate();
    virtual void Deactivate();

private:
    // Style bits the window gets from the border, icons and form style.
    void WindowStyles(DWORD& style, DWORD& exStyle) const;
    void CreateClientWindow();
    void ShowMDIChild();
    void ApplyPosition();
    void FocusActiveControl();
    void HandleActivate(TMessage& message);
    void HandleSysCommand(TMessage& message);
    bool HandleMenuMessage(TMessage& message);
    int RunModalLoop();
    void FollowWindowDpi();
    void HandleDpiChanged(TMessage& message);

    TFormBorderStyle m_borderStyle = bsSizeable;
    TBorderIcons m_borderIcons{biSystemMenu, biMinimize, biMaximize};
    TPosition m_position = poDesigned;
    TMainMenu* m_menu = nullptr;
    TWinControl* m_activeControl = nullptr;
    int m_modalResult = mrNone;
    bool m_modal = false;
    bool m_shownOnce = false;
    int m_clientWidth = -1;    // requested before the window exists
    int m_clientHeight = -1;
    TWindowState m_windowState = wsNormal;   // applied when shown
    bool m_windowStatePending = false;
    TFormStyle m_formStyle = fsNormal;
    HWND m_clientHandle = nullptr;   // the MDI client, destroyed with the window
    TMenuItem* m_windowMenu = nullptr;
    TTileMode m_tileMode = tbHorizontal;
    int m_pixelsPerInch = DesignPixelsPerInch;
};

// For the message loop: gives a key message for an MDI child's system
// commands (Ctrl+F4, Ctrl+F6) to TranslateMDISysAccel of the frame it goes
// to. Answers true when it was translated, and the message is then done.
bool IsMDIAccelerator(MSG& msg);

// The form a control is on (the control itself if it is a form), or null.
TForm* ParentForm(TControl* control);

// Makes a form owned by `owner` and raises its OnCreate.
template <typename F, typename... Args>
F* MakeForm(TComponent* owner, Args&&... args)
{
    F* form = new F(owner, std::forward<Args>(args)...);
    form->AfterConstruction();
    return form;
}

} // namespace tarnivo
