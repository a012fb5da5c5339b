#pragma once
// Small helpers the control wrappers share for talking to their window.
// Header only: every wrapper forwards one message per method, and these keep
// the forwarding lines short.

#include "framework/control.h"
#include "framework/controls/label.h"
#include "framework/form.h"

#include <string>

namespace tarnivo {

// The border of a control: bsNone or bsSingle (the first two members of the
// form's border styles, as the framework family shares them).
using TBorderStyle = TFormBorderStyle;

} // namespace tarnivo

namespace tarnivo::controlwindow {

// A control's window for a query from a const member: only an existing
// window is used (Handle() makes none then), or null.
inline HWND Existing(const TWinControl& control)
{
    return control.HandleAllocated() ? const_cast<TWinControl&>(control).Handle() : nullptr;
}

// The window to read a control's items from: made now when the control has
// a parent (a window destroyed for a change of its parent's style comes back
// with its items), else none: a control without a parent has no items.
inline HWND Readable(const TWinControl& control)
{
    if (HWND window = Existing(control))
        return window;
    return control.Parent() ? const_cast<TWinControl&>(control).Handle() : nullptr;
}

// The window that holds a control's items: made now if needed, which takes
// a parent window.
inline HWND Required(const TWinControl& control)
{
    if (HWND window = Existing(control))
        return window;
    if (!control.Parent())
        throw Exception("Control '" + control.Name() + "' has no parent window");
    return const_cast<TWinControl&>(control).Handle();
}

inline LRESULT Send(HWND window, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0)
{
    return SendMessageW(window, msg, wParam, lParam);
}

inline DWORD Style(HWND window)
{
    return static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE));
}

// Sets or clears style bits of a live window, for the controls that read
// their style each time they paint or lay out.
inline void SetStyleBits(HWND window, DWORD bits, bool on)
{
    DWORD style = Style(window);
    DWORD next = on ? (style | bits) : (style & ~bits);
    if (next != style)
        SetWindowLongW(window, GWL_STYLE, static_cast<LONG>(next));
}

// Whether `code` is either form of a notification that has an ANSI and a
// wide code: a common control picks the form by WM_NOTIFYFORMAT, so either
// may arrive.
inline bool IsCode(UINT code, UINT ansi, UINT wide)
{
    return code == ansi || code == wide;
}

// Border bits for a control with a single border: the sunken client edge,
// or with Ctl3D off a flat one-pixel line.
inline void BorderBits(TBorderStyle border, bool ctl3D, DWORD& style, DWORD& exStyle)
{
    style &= ~WS_BORDER;
    exStyle &= ~WS_EX_CLIENTEDGE;
    if (border == bsNone)
        return;
    if (ctl3D)
        exStyle |= WS_EX_CLIENTEDGE;
    else
        style |= WS_BORDER;
}

// Changes the border of a live window; the system measures the frame again.
inline void SetBorder(HWND window, TBorderStyle border, bool ctl3D)
{
    DWORD style = Style(window);
    DWORD exStyle = static_cast<DWORD>(GetWindowLongW(window, GWL_EXSTYLE));
    BorderBits(border, ctl3D, style, exStyle);
    SetWindowLongW(window, GWL_STYLE, static_cast<LONG>(style));
    SetWindowLongW(window, GWL_EXSTYLE, static_cast<LONG>(exStyle));
    SetWindowPos(window, nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Points `slot`, a control's link to another component, at `next`, moving
// the control's free notification from the old component to the new one, so
// that freeing the component clears the link (the control's Notification
// does that). False when `slot` already pointed there.
template <typename T>
bool Relink(TComponent& self, T*& slot, T* next)
{
    if (slot == next)
        return false;
    if (slot)
        slot->RemoveFreeNotification(&self);
    slot = next;
    if (slot)
        slot->FreeNotification(&self);
    return true;
}

// Puts the caption of a check box or radio button on the side `alignment`
// names: taLeftJustify left of the box (BS_LEFTTEXT), taRightJustify right
// of it; taCenter, which a caption beside a box cannot be, counts as
// taRightJustify. Stores the side in `current` and restyles a live window.
inline void SetTextSide(TWinControl& control, TAlignment& current, TAlignment alignment)
{
    if (alignment == taCenter)
        alignment = taRightJustify;
    if (current == alignment)
        return;
    current = alignment;
    if (control.HandleAllocated()) {
        SetStyleBits(control.Handle(), BS_LEFTTEXT, alignment == taLeftJustify);
        control.Invalidate();
    }
}

// A control's border and 3D look: kept for creating the window and applied
// to the live one when either changes.
class Border {
public:
    explicit Border(TWinControl& control) : m_control(control) {}
    Border(const Border&) = delete;
    Border& operator=(const Border&) = delete;

    TBorderStyle Style() const { return m_style; }
    bool Ctl3D() const { return m_ctl3D; }

    // Any style but bsNone counts as bsSingle.
    void SetStyle(TBorderStyle border)
    {
        if (border != bsNone)
            border = bsSingle;
        if (m_style == border)
            return;
        m_style = border;
        Apply();
    }

    void SetCtl3D(bool ctl3D)
    {
        if (m_ctl3D == ctl3D)
            return;
        m_ctl3D = ctl3D;
        Apply();
    }

    // The border bits for the window about to be created.
    void CreateParams(TCreateParams& params) const
    {
        BorderBits(m_style, m_ctl3D, params.Style, params.ExStyle);
    }

private:
    void Apply()
    {
        if (HWND window = Existing(m_control))
            SetBorder(window, m_style, m_ctl3D);
    }

    TWinControl& m_control;
    TBorderStyle m_style = bsSingle;
    bool m_ctl3D = true;
};

} // namespace tarnivo::controlwindow
