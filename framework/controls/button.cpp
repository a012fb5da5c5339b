#include "framework/controls/button.h"

#include "framework/form.h"

namespace tarnivo {

const TClassInfo& TButton::StaticClassInfo()
{
    static const TClassInfo info{
        "TButton",
        &TWinControl::StaticClassInfo(),
        {
            published::Boolean("Default", &TButton::Default, &TButton::SetDefault),
            published::Boolean("Cancel", &TButton::Cancel, &TButton::SetCancel),
            published::Integer("ModalResult", &TButton::ModalResult, &TButton::SetModalResult),
        }};
    return info;
}

TButton::TButton(TComponent* owner) : TWinControl(owner)
{
    SetBounds(0, 0, 75, 25);
    SetTabStop(true);
}

void TButton::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    params.SystemClass = "BUTTON";
    params.Style |= m_default ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

void TButton::SetDefault(bool isDefault)
{
    if (m_default == isDefault)
        return;
    m_default = isDefault;
    if (!HandleAllocated())
        return;
    // An owner-drawn button draws the default look itself; BM_SETSTYLE
    // would turn it into a system-drawn one.
    if ((GetWindowLongW(Handle(), GWL_STYLE) & BS_TYPEMASK) == BS_OWNERDRAW)
        Invalidate();
    else
        SendMessageW(Handle(), BM_SETSTYLE, isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

void TButton::Click()
{
    // A button with a modal result ends its form's modal loop; the handler
    // still runs, before the loop sees the result.
    if (m_modalResult != mrNone)
        if (TForm* form = ParentForm(this))
            form->SetModalResult(m_modalResult);
    TWinControl::Click();
}

void TButton::Dispatch(TMessage& message)
{
    // BN_CLICKED comes for the mouse and for the Space key alike.
    if (message.Msg == CN_COMMAND && HIWORD(message.WParam) == BN_CLICKED) {
        Click();
        message.Result = 0;
        return;
    }
    TWinControl::Dispatch(message);
}

void TButton::KeyDown(WORD& key, TShiftState shift)
{
    TWinControl::KeyDown(key, shift);
    // The system button answers only Space; Enter (and Escape on a Cancel
    // button) click it too, as in a dialog.
    if (!shift.Empty())
        return;
    if (key == VK_RETURN || (key == VK_ESCAPE && m_cancel)) {
        key = 0;
        Click();
    }
}

} // namespace tarnivo
