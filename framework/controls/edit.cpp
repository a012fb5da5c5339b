#include "framework/controls/edit.h"
#include "framework/unicodetext.h"

namespace tarnivo {

const TClassInfo& TCustomEdit::StaticClassInfo()
{
    static const TClassInfo info{"TCustomEdit", &TWinControl::StaticClassInfo(), {}};
    return info;
}

TCustomEdit::TCustomEdit(TComponent* owner) : TWinControl(owner)
{
    SetBounds(0, 0, 121, 21);
    SetColor(clWindow);
    SetTabStop(true);
}

void TCustomEdit::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    params.SystemClass = "EDIT";
    params.Style |= ES_AUTOHSCROLL;
    if (m_readOnly)
        params.Style |= ES_READONLY;
    m_border.CreateParams(params);
    params.Caption = m_text;
}

void TCustomEdit::HandleCreated()
{
    SendMessageW(Handle(), EM_LIMITTEXT, static_cast<WPARAM>(m_maxLength), 0);
}

void TCustomEdit::HandleDestroying()
{
    // What the user typed goes into the next window.
    m_text = Text();
}

std::string TCustomEdit::Text() const
{
    return HandleAllocated() ? TWinControl::Text() : m_text;
}

void TCustomEdit::SetText(const std::string& text)
{
    // Compared with the window, not with a copy: the user may have changed
    // it. Setting the same text again raises no OnChange.
    if (!HandleAllocated()) {
        m_text = text;
        return;
    }
    if (Text() != text)
        SetWindowTextW(Handle(), ToWide(text).c_str());
}

void TCustomEdit::SetReadOnly(bool readOnly)
{
    if (m_readOnly == readOnly)
        return;
    m_readOnly = readOnly;
    if (HandleAllocated())
        SendMessageW(Handle(), EM_SETREADONLY, readOnly, 0);
}

void TCustomEdit::SetMaxLength(int length)
{
    if (m_maxLength == length)
        return;
    m_maxLength = length < 0 ? 0 : length;
    if (HandleAllocated())
        SendMessageW(Handle(), EM_LIMITTEXT, static_cast<WPARAM>(m_maxLength), 0);
}

void TCustomEdit::Dispatch(TMessage& message)
{
    if (message.Msg == CN_COMMAND && HIWORD(message.WParam) == EN_CHANGE) {
        if (OnChange)
            OnChange(this);
        message.Result = 0;
        return;
    }
    TWinControl::Dispatch(message);
}

const TClassInfo& TEdit::StaticClassInfo()
{
    static const TClassInfo info{
        "TEdit",
        &TCustomEdit::StaticClassInfo(),
        {
            published::Text("Text", &TEdit::Text, &TEdit::SetText),
            published::Boolean("ReadOnly", &TEdit::ReadOnly, &TEdit::SetReadOnly),
            published::Integer("MaxLength", &TEdit::MaxLength, &TEdit::SetMaxLength),
            published::Enumeration("BorderStyle", {"bsNone", "bsSingle"}, &TEdit::BorderStyle,
                                   &TEdit::SetBorderStyle),
            published::Boolean("Ctl3D", &TEdit::Ctl3D, &TEdit::SetCtl3D),
        }};
    return info;
}

} // namespace tarnivo
