#pragma once
// Controls: TControl (position, visibility, text, font, mouse events and the
// hookable window procedure chain), TWinControl (a real window: its handle,
// children, focus, keyboard), TGraphicControl (drawn on its parent) and
// TCustomControl (a window with a canvas of its own).
//
// Every message of a control goes WindowProc -> WndProc -> Dispatch ->
// DefaultHandler. WindowProc runs the hooks that other objects (the skin
// engine) put in front of the control's own processing, newest first (see
// windowprochook.h); each passes on what it does not consume.
//
// A TWinControl's window reaches WindowProc through a TWindowSubclass
// (subclass.h): for a system control class the subclass is put in front of
// the class's procedure once the window exists, for the framework's own
// class at the window's first message. DefaultHandler is the procedure
// behind the subclass.
//
// Framework notifications (messages.h) go through WindowProc as well, so
// hooks see them: CM_VISIBLECHANGED and CM_ENABLEDCHANGED from the setters,
// CM_MOUSEENTER / CM_MOUSELEAVE when the pointer comes and goes (also for
// graphic controls on a window), CM_FOCUSCHANGED to the form (which passes
// it to all its controls) when a control gets the focus, CM_EXIT to the
// control that loses it, CM_DIALOGKEY / CM_DIALOGCHAR to the form for keys
// the focused control does not want, CM_RECREATEWND before RecreateWnd
// makes a new window.

#include "component.h"
#include "events.h"
#include "font.h"
#include "gdiobjects.h"
#include "graphics.h"
#include "messages.h"
#include "subclass.h"
#include "windowprochook.h"

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#define TARNIVO_HAVE_MOUSE_TYPES 1

namespace tarnivo {

class TCanvas;
class TWinControl;

enum TMouseButton { mbLeft, mbRight, mbMiddle };
enum TShiftStateFlag { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = TSet<TShiftStateFlag>;

using TMouseEvent = std::function<void(TObject* sender, TMouseButton button,
                                       TShiftState shift, int x, int y)>;
using TMouseMoveEvent = std::function<void(TObject* sender, TShiftState shift, int x, int y)>;
// The key is a UTF-16 code unit as WM_CHAR of a Unicode window carries it: a
// character outside the BMP comes as two calls, high then low surrogate.
using TKeyPressEvent = std::function<void(TObject* sender, wchar_t& key)>;
using TKeyEvent = std::function<void(TObject* sender, WORD& key, TShiftState shift)>;

// The shift state that a mouse or key message carries, plus the keyboard's
// modifier keys as they are now.
TShiftState KeysToShiftState(WPARAM keys);
TShiftState KeyboardShiftState();
// WM_MOUSEMOVE and the button messages of the client area.
bool IsMouseMessage(UINT msg);

class TControl : public TComponent {
    TARNIVO_PUBLISHED_CLASS()
public:
    explicit TControl(TComponent* owner);
    ~TControl() override;

    TWinControl* Parent() const { return m_parent; }
    virtual void SetParent(TWinControl* parent);

    int Left() const { return m_left; }
    int Top() const { return m_top; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    void SetLeft(int v) { SetBounds(v, m_top, m_width, m_height); }
    void SetTop(int v) { SetBounds(m_left, v, m_width, m_height); }
    void SetWidth(int v) { SetBounds(m_left, m_top, v, m_height); }
    void SetHeight(int v) { SetBounds(m_left, m_top, m_width, v); }
    virtual void SetBounds(int left, int top, int width, int height);
    RECT BoundsRect() const { return {m_left, m_top, m_left + m_width, m_top + m_height}; }
    virtual RECT ClientRect() const { return {0, 0, m_width, m_height}; }
    // Lengths of the control's own, beyond its bounds and font, that a
    // layout gives in pixels (a track bar's thumb): taken to num/den when the
    // layout is scaled to another DPI.
    virtual void ScaleOwnLengths(int /*num*/, int /*den*/) {}

    bool Visible() const { return m_visible; }
    void SetVisible(bool visible);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }

    bool Enabled() const { return m_enabled; }
    virtual void SetEnabled(bool enabled);

    // The caption of a label or form, the text of an edit.
    virtual std::string Text() const { return m_text; }
    virtual void SetText(const std::string& text);
    std::string Caption() const { return Text(); }
    void SetCaption(const std::string& caption) { SetText(caption); }

    TFont& Font() { return *m_font; }
    const TFont& Font() const { return *m_font; }
    TColor Color() const { return m_color; }
    // An explicit colour: the control stops following its parent's.
    void SetColor(TColor color);
    // Follows the parent's Color: takes it when parented and whenever the
    // parent's colour changes (labels do by default, so a label on a
    // recoloured panel or form keeps matching it).
    bool ParentColor() const { return m_parentColor; }
    void SetParentColor(bool parentColor);
    // Follows the parent's Font the same way: takes it when parented and
    // whenever the parent's font changes, so a skin that recolours a form's
    // text reaches its labels and the containers between. Any change made
    // to the control's own Font ends it.
    bool ParentFont() const { return m_parentFont; }
    void SetParentFont(bool parentFont);

    // Repaints the control's area (on its parent for a graphic control).
    virtual void Invalidate();
    void Repaint();

    LRESULT Perform(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);

    // Front of the message chain: the hooks, newest first, then WndProc.
    void WindowProc(TMessage& message);
    // Puts a hook in front of the others (0 for an empty one). The hook
    // passes what it does not consume on with CallNextWindowProc(its id).
    // TWindowProcHook does the bookkeeping for an owner.
    THookId AddWindowProcHook(TWndMethod hook);
    // Any hook, in any order, also while a message is inside it.
    void RemoveWindowProcHook(THookId id);
    void CallNextWindowProc(THookId id, TMessage& message);

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;

    virtual void WndProc(TMessage& message);
    virtual void Dispatch(TMessage& message);
    virtual void DefaultHandler(TMessage& message);

protected:
    virtual void Click();
    virtual void DblClick();
    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);

    virtual void BoundsChanged() {}
    virtual void VisibleChanged();
    virtual void EnabledChanged() { Invalidate(); }
    virtual void TextChanged() { Invalidate(); }
    virtual void FontChanged() { Invalidate(); }
    // Color changed, by either way.
    virtual void ColorChanged() { Invalidate(); }
    // The colour without ending ParentColor.
    void ApplyColor(TColor color);
    // The font's attributes without ending ParentFont.
    void ApplyFont(const TFont& font);

    // Whether a left press and release inside the control is a click (window
    // controls of the system report their clicks themselves).
    bool m_clicksOnMouseUp = true;

    int m_left = 0;
    int m_top = 0;
    int m_width = 0;
    int m_height = 0;

private:
    friend class TWinControl;
    friend class TWindowProcHook;
    bool HandleMouse(TMessage& message);
    // The Font's OnChange: ends ParentFont unless the parent's font is being
    // taken, passes the font on to the children that follow it, then
    // FontChanged.
    void FontAttributesChanged();

    // Shared with the hook objects, which only observe it.
    std::shared_ptr<TWindowProcChain> m_hooks;
    TWinControl* m_parent = nullptr;
    bool m_visible = true;
    bool m_enabled = true;
    std::string m_text;
    std::unique_ptr<TFont> m_font;
    TColor m_color = clBtnFace;
    bool m_parentColor = false;
    bool m_parentFont = false;
    bool m_applyingFont = false;    // inside ApplyFont: the change is not the control's own
    bool m_mouseDown = false;
};

// Parameters a windowed control gives for the creation of its window.
struct TCreateParams {
    std::string Caption;
    DWORD Style = 0;
    DWORD ExStyle = 0;
    int X = 0, Y = 0, Width = 0, Height = 0;
    HWND WndParent = nullptr;
    // A system control class ("SysListView32", "BUTTON") to subclass, or
    // empty for the framework's own window class.
    std::string SystemClass;
};

class TWinControl : public TControl {
    TARNIVO_PUBLISHED_CLASS()
public:
    explicit TWinControl(TComponent* owner);
    ~TWinControl() override;

    // The control's window, created on first use.
    HWND Handle();
    bool HandleAllocated() const { return m_handle != nullptr; }
    void HandleNeeded() { Handle(); }
    // Destroys the window; the next Handle() creates it again.
    void DestroyHandle();
    // Paints the visible graphic (window-less) children onto `dc`, whose
    // origin is this control's client origin.
    void PaintControls(HDC dc);
    // Replaces a live window by a new one (same state, shown if it was):
    // sends CM_RECREATEWND, whose default processing does it.
    void RecreateWnd();

    // A window that is not a framework control, as the parent of a control
    // that has no Parent(): its window is created as a child of that window.
    // Changing it moves a live window there. Parent() wins when both are set.
    HWND ParentWindow() const { return m_parentWindow; }
    void SetParentWindow(HWND window);

    int ControlCount() const { return static_cast<int>(m_controls.size()); }
    TControl* Controls(int index) const { return m_controls.at(index); }

    bool Focused() const;
    virtual bool CanFocus() const;
    virtual void SetFocus();

    int TabOrder() const { return m_tabOrder; }
    void SetTabOrder(int order) { m_tabOrder = order; }
    bool TabStop() const { return m_tabStop; }
    void SetTabStop(bool stop) { m_tabStop = stop; }

    std::string Text() const override;
    void SetBounds(int left, int top, int width, int height) override;
    RECT ClientRect() const override;
    void Invalidate() override;

    TKeyPressEvent OnKeyPress;
    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;
    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;

    void WndProc(TMessage& message) override;
    void Dispatch(TMessage& message) override;
    void DefaultHandler(TMessage& message) override;

    // The control that owns a window, or null.
    static TWinControl* FromHandle(HWND window);
    // While CreateWindowEx makes a control's window on this thread: that
    // control when `window` is its window, from the window's HCBT_CREATEWND
    // on (before the window has seen any message; a WH_CBT hook of this
    // thread asks with the new window's handle) until CreateWindowEx
    // returns. Null for any other window, such as one a system control
    // makes for itself while it is created.
    static TWinControl* CreatingControl(HWND window);

    // Sends `message` to every child control until one answers nonzero;
    // the answer is that one's (0 if none).
    void Broadcast(TMessage& message);

protected:
    friend class TControl;
    virtual void CreateParams(TCreateParams& params);
    virtual void CreateWnd();
    // Runs once the window exists: push state kept before it existed.
    virtual void HandleCreated() {}
    virtual void HandleDestroying() {}

    virtual void KeyPress(wchar_t& key);
    virtual void KeyDown(WORD& key, TShiftState shift);
    virtual void KeyUp(WORD& key, TShiftState shift);

    // Paints the window: the background, Paint, then the graphic children.
    virtual void PaintWindow(HDC dc);
    virtual void EraseBackground(HDC dc);

    void VisibleChanged() override;
    void EnabledChanged() override;
    void TextChanged() override;
    void FontChanged() override;
    // Passes the colour on to the children that follow it.
    void ColorChanged() override;

    void InsertControl(TControl* control);
    void RemoveControl(TControl* control);

    // Answers WM_CTLCOLOR* for a child: the brush to paint it with.
    virtual HBRUSH ChildColor(HDC dc, TWinControl* child);

private:
    static LRESULT CALLBACK InitWndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
    bool AttachToWindow(HWND window);
    void DetachFromWindow();
    void MainWndProc(TMessage& message);
    void RecreateNow();
    bool ReflectToChild(TMessage& message);
    void HandlePaint(TMessage& message);
    bool HandleKeys(TMessage& message);
    bool WantsKey(WPARAM key, LRESULT wanted);
    bool SendToForm(UINT cm, TMessage& message);
    void TrackMouse(int x, int y);
    void MouseLeft();
    // Left-button and move messages over a visible, enabled graphic child
    // go to that child, in its coordinates; from a press on one until the
    // release, all of them do (the window holds the capture meanwhile).
    bool RouteMouseToChild(TMessage& message);
    TControl* GraphicChildAt(POINT p) const;
    void ReleaseChildCapture();
    void UpdateChildBrush();

    HWND m_handle = nullptr;
    TWindowSubclass m_subclass;       // puts MainWndProc in front of the window's procedure
    bool m_systemClass = false;       // a system control class: it paints itself
    HWND m_parentWindow = nullptr;
    std::vector<TControl*> m_controls;
    int m_tabOrder = -1;
    bool m_tabStop = false;
    bool m_mouseInside = false;       // since CM_MOUSEENTER, until CM_MOUSELEAVE
    TControl* m_mouseControl = nullptr;   // graphic child under the pointer
    TControl* m_captureControl = nullptr; // graphic child pressed, until the release
    GdiBrush m_brush;                 // background for WM_CTLCOLOR answers
    TColor m_brushColor = clNone;
};

class TGraphicControl : public TControl {
    TARNIVO_PUBLISHED_CLASS()
public:
    using TControl::TControl;
    // Draws the control at its place on the parent's device context.
    virtual void Paint(TCanvas& canvas) = 0;
    // WM_PAINT with the parent's DC in wParam (origin at the control's
    // top-left, clipped to it) paints the control: the parent sends it so,
    // through WindowProc, so that hooks can take the painting over.
    void Dispatch(TMessage& message) override;
};

class TCustomControl : public TWinControl {
    TARNIVO_PUBLISHED_CLASS()
public:
    explicit TCustomControl(TComponent* owner) : TWinControl(owner) { m_clicksOnMouseUp = true; }
    TNotifyEvent OnPaint;

protected:
    // Draws the client area; the canvas is valid only during the call.
    virtual void Paint(TCanvas& canvas);
    void PaintWindow(HDC dc) override;
};

} // namespace tarnivo
