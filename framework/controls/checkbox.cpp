#include "framework/controls/checkbox.h"

#include "framework/controls/controlwindow.h"

namespace tarnivo {

using controlwindow::Existing;
using controlwindow::Send;

const TClassInfo& TCustomCheckBox::StaticClassInfo()
{
    static const TClassInfo info{"TCustomCheckBox", &TWinControl::StaticClassInfo(), {}};
    return info;
}

TCustomCheckBox::TCustomCheckBox(TComponent* owner) : TWinControl(owner)
{
    SetBounds(0, 0, 97, 17);
    SetTabStop(true);
}

void TCustomCheckBox::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    params.SystemClass = "BUTTON";
    params.Style |= BS_3STATE | BS_MULTILINE;
    if (m_alignment == taLeftJustify)
        params.Style |= BS_LEFTTEXT;
}

void TCustomCheckBox::HandleCreated()
{
    Send(Handle(), BM_SETCHECK, static_cast<WPARAM>(m_state));
}

void TCustomCheckBox::HandleDestroying()
{
    m_state = State();
}

TCheckBoxState TCustomCheckBox::State() const
{
    HWND window = Existing(*this);
    if (!window)
        return m_state;
    // BST_UNCHECKED, BST_CHECKED and BST_INDETERMINATE are 0, 1 and 2.
    LRESULT check = Send(window, BM_GETCHECK);
    return check == BST_CHECKED ? cbChecked : check == BST_INDETERMINATE ? cbGrayed : cbUnchecked;
}

void TCustomCheckBox::SetState(TCheckBoxState state)
{
    if (State() == state)
        return;
    m_state = state;
    if (HandleAllocated())
        Send(Handle(), BM_SETCHECK, static_cast<WPARAM>(state));
    Click();
}

void TCustomCheckBox::SetAlignment(TAlignment alignment)
{
    controlwindow::SetTextSide(*this, m_alignment, alignment);
}

void TCustomCheckBox::Toggle()
{
    switch (State()) {
    case cbUnchecked: SetState(m_allowGrayed ? cbGrayed : cbChecked); break;
    case cbChecked: SetState(cbUnchecked); break;
    case cbGrayed: SetState(cbChecked); break;
    }
}

void TCustomCheckBox::Dispatch(TMessage& message)
{
    // BN_CLICKED comes for the mouse and for the Space key alike; the manual
    // button leaves the state to us.
    if (message.Msg == CN_COMMAND && HIWORD(message.WParam) == BN_CLICKED) {
        Toggle();
        message.Result = 0;
        return;
    }
    TWinControl::Dispatch(message);
}

const TClassInfo& TCheckBox::StaticClassInfo()
{
    static const TClassInfo info{
        "TCheckBox",
        &TCustomCheckBox::StaticClassInfo(),
        {
            published::Enumeration("State", {"cbUnchecked", "cbChecked", "cbGrayed"},
                                   &TCheckBox::State, &TCheckBox::SetState),
            published::Boolean("Checked", &TCheckBox::Checked, &TCheckBox::SetChecked),
            published::Boolean("AllowGrayed", &TCheckBox::AllowGrayed, &TCheckBox::SetAllowGrayed),
            published::Enumeration("Alignment", {"taLeftJustify", "taRightJustify"},
                                   &TCheckBox::Alignment, &TCheckBox::SetAlignment),
        }};
    return info;
}

} // namespace tarnivo
