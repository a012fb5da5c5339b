// Keyboard messages of a windowed control: key events, and the dialog keys
// and characters it does not want offered to its form (CM_DIALOGKEY,
// CM_DIALOGCHAR).

#include "control.h"

#include "form.h"

namespace tarnivo {

TShiftState KeyboardShiftState()
{
    TShiftState s;
    if (GetKeyState(VK_SHIFT) < 0) s.Include(ssShift);
    if (GetKeyState(VK_CONTROL) < 0) s.Include(ssCtrl);
    if (GetKeyState(VK_MENU) < 0) s.Include(ssAlt);
    return s;
}

bool TWinControl::WantsKey(WPARAM key, LRESULT wanted)
{
    LRESULT code = SendMessageW(m_handle, WM_GETDLGCODE, key, 0);
    return (code & (wanted | DLGC_WANTALLKEYS)) != 0;
}

// Offers a key that the focused control does not want to the form (the
// form passes it to all its controls); a nonzero answer consumes it.
bool TWinControl::SendToForm(UINT cm, TMessage& message)
{
    TControl* target = ParentForm(this);
    if (!target)
        target = this;
    if (target->Perform(cm, message.WParam, message.LParam) == 0)
        return false;
    message.Result = 0;
    return true;
}

bool TWinControl::HandleKeys(TMessage& message)
{
    switch (message.Msg) {
    case WM_CHAR: {
        auto key = static_cast<wchar_t>(message.WParam);
        KeyPress(key);
        if (key == 0)
            return true;   // consumed by the handler
        message.WParam = static_cast<WPARAM>(key);
        return !WantsKey(message.WParam, DLGC_WANTCHARS) && SendToForm(CM_DIALOGCHAR, message);
    }
    case WM_SYSCHAR:
        // Alt+key: an accelerator of the form, else the menu bar's.
        return SendToForm(CM_DIALOGCHAR, message);
    case WM_KEYDOWN:
    case WM_KEYUP: {
        WORD key = static_cast<WORD>(message.WParam);
        if (message.Msg == WM_KEYDOWN)
            KeyDown(key, KeyboardShiftState());
        else
            KeyUp(key, KeyboardShiftState());
        if (key == 0)
            return true;
        message.WParam = key;
        if (message.Msg == WM_KEYUP)
            return false;
        LRESULT wanted = 0;
        switch (key) {
        case VK_TAB: wanted = DLGC_WANTTAB; break;
        case VK_LEFT:
        case VK_RIGHT:
        case VK_UP:
        case VK_DOWN: wanted = DLGC_WANTARROWS; break;
        case VK_RETURN:
        case VK_ESCAPE:
        case VK_CANCEL: wanted = DLGC_WANTMESSAGE; break;
        default: return false;   // not a dialog key
        }
        return !WantsKey(key, wanted) && SendToForm(CM_DIALOGKEY, message);
    }
    }
    return false;
}

void TWinControl::KeyPress(wchar_t& key)
{
    if (OnKeyPress)
        OnKeyPress(this, key);
}

void TWinControl::KeyDown(WORD& key, TShiftState shift)
{
    if (OnKeyDown)
        OnKeyDown(this, key, shift);
}

void TWinControl::KeyUp(WORD& key, TShiftState shift)
{
    if (OnKeyUp)
        OnKeyUp(this, key, shift);
}

} // namespace tarnivo
