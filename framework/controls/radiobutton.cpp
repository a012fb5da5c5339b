#include "framework/controls/radiobutton.h"

#include "framework/controls/controlwindow.h"

namespace tarnivo {

using controlwindow::Existing;
using controlwindow::Send;

const TClassInfo& TRadioButton::StaticClassInfo()
{
    static const TClassInfo info{
        "TRadioButton",
        &TWinControl::StaticClassInfo(),
        {
            published::Boolean("Checked", &TRadioButton::Checked, &TRadioButton::SetChecked),
            published::Enumeration("Alignment", {"taLeftJustify", "taRightJustify"},
                                   &TRadioButton::Alignment, &TRadioButton::SetAlignment),
        }};
    return info;
}

TRadioButton::TRadioButton(TComponent* owner) : TWinControl(owner)
{
    SetBounds(0, 0, 113, 17);
}

void TRadioButton::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    params.SystemClass = "BUTTON";
    // Not BS_AUTORADIOBUTTON: the automatic kind unchecks the buttons of a
    // dialog group (WS_GROUP to WS_GROUP), which is not our grouping by parent.
    params.Style |= BS_RADIOBUTTON | BS_MULTILINE;
    if (m_alignment == taLeftJustify)
        params.Style |= BS_LEFTTEXT;
}

void TRadioButton::HandleCreated()
{
    Send(Handle(), BM_SETCHECK, m_checked ? BST_CHECKED : BST_UNCHECKED);
}

void TRadioButton::HandleDestroying()
{
    m_checked = Checked();
}

bool TRadioButton::Checked() const
{
    HWND window = Existing(*this);
    return window ? Send(window, BM_GETCHECK) == BST_CHECKED : m_checked;
}

void TRadioButton::SetChecked(bool checked)
{
    if (Checked() == checked)
        return;
    m_checked = checked;
    if (HandleAllocated())
        Send(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED);
    SetTabStop(checked);
    if (!checked)
        return;
    if (TWinControl* parent = Parent())
        for (int i = 0; i < parent->ControlCount(); ++i)
            if (auto* other = dynamic_cast<TRadioButton*>(parent->Controls(i)); other && other != this)
                other->SetChecked(false);
    Click();
}

void TRadioButton::SetAlignment(TAlignment alignment)
{
    controlwindow::SetTextSide(*this, m_alignment, alignment);
}

void TRadioButton::Dispatch(TMessage& message)
{
    if (message.Msg == CN_COMMAND && HIWORD(message.WParam) == BN_CLICKED) {
        SetChecked(true);
        message.Result = 0;
        return;
    }
    TWinControl::Dispatch(message);
}

} // namespace tarnivo
