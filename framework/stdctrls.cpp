#include "stdctrls.h"

#include "canvas.h"
#include "form.h"
#include "gdiobjects.h"

namespace tarnivo {

// ------------------------------------------------------------------- TLabel

const TClassInfo& TLabel::StaticClassInfo()
{
    static const TClassInfo info{
        "TLabel",
        &TGraphicControl::StaticClassInfo(),
        {
            published::Enumeration("Alignment", {"taLeftJustify", "taRightJustify", "taCenter"},
                                   &TLabel::Alignment, &TLabel::SetAlignment),
            published::Boolean("AutoSize", &TLabel::AutoSize, &TLabel::SetAutoSize),
            published::Boolean("WordWrap", &TLabel::WordWrap, &TLabel::SetWordWrap),
            published::Boolean("Transparent", &TLabel::Transparent, &TLabel::SetTransparent),
            published::Boolean("ShowAccelChar", &TLabel::ShowAccelChar,
                               &TLabel::SetShowAccelChar),
        }};
    return info;
}

TLabel::TLabel(TComponent* owner) : TGraphicControl(owner)
{
    SetBounds(0, 0, 65, 17);
    AdjustBounds();
}

void TLabel::SetAutoSize(bool autoSize)
{
    if (m_autoSize == autoSize)
        return;
    m_autoSize = autoSize;
    AdjustBounds();
}

void TLabel::SetAlignment(TAlignment alignment)
{
    if (m_alignment == alignment)
        return;
    m_alignment = alignment;
    Invalidate();
}

void TLabel::SetWordWrap(bool wordWrap)
{
    if (m_wordWrap == wordWrap)
        return;
    m_wordWrap = wordWrap;
    AdjustBounds();
    Invalidate();
}

void TLabel::SetTransparent(bool transparent)
{
    if (m_transparent == transparent)
        return;
    m_transparent = transparent;
    Invalidate();
}

void TLabel::SetShowAccelChar(bool show)
{
    if (m_showAccelChar == show)
        return;
    m_showAccelChar = show;
    AdjustBounds();
    Invalidate();
}

void TLabel::TextChanged()
{
    AdjustBounds();
    Invalidate();
}

void TLabel::FontChanged()
{
    AdjustBounds();
    Invalidate();
}

void TLabel::Loaded()
{
    TGraphicControl::Loaded();
    // Sizing waits during loading: the caption and font come one by one.
    AdjustBounds();
}

UINT TLabel::TextFlags() const
{
    UINT flags = DT_EXPANDTABS;
    if (m_wordWrap)
        flags |= DT_WORDBREAK;
    if (!m_showAccelChar)
        flags |= DT_NOPREFIX;
    switch (m_alignment) {
    case taLeftJustify: flags |= DT_LEFT; break;
    case taRightJustify: flags |= DT_RIGHT; break;
    case taCenter: flags |= DT_CENTER; break;
    }
    return flags;
}

void TLabel::AdjustBounds()
{
    if (!m_autoSize || Loading())
        return;
    // An empty caption still gets the height of one line.
    std::string text = Caption();
    if (text.empty() || (m_showAccelChar && text == "&"))
        text += ' ';
    WindowDC screen(nullptr);
    if (!screen)
        return;
    RECT r{0, 0, m_wordWrap ? Width() : 0, 0};
    {
        SelectedObject font(screen.Get(), Font().Handle());
        DrawTextA(screen.Get(), text.c_str(), -1, &r, TextFlags() | DT_CALCRECT);
    }
    int width = m_wordWrap ? Width() : r.right;
    // Right-aligned text keeps its right edge where it was.
    int left = m_alignment == taRightJustify ? Left() + Width() - width : Left();
    SetBounds(left, Top(), width, r.bottom);
}

void TLabel::Paint(TCanvas& canvas)
{
    HDC dc = canvas.Handle();
    SavedDCState state(dc);
    RECT r{0, 0, Width(), Height()};
    if (!m_transparent) {
        GdiBrush background(CreateSolidBrush(ColorToRGB(Color())));
        FillRect(dc, &r, background.Get());
    }
    std::string text = Caption();
    SetBkMode(dc, TRANSPARENT);
    SelectedObject font(dc, Font().Handle());
    UINT flags = TextFlags();
    if (!Enabled()) {
        // The system's engraved look of disabled text: light copy offset by one.
        RECT light = r;
        OffsetRect(&light, 1, 1);
        SetTextColor(dc, ColorToRGB(clBtnHighlight));
        DrawTextA(dc, text.c_str(), -1, &light, flags);
        SetTextColor(dc, ColorToRGB(clBtnShadow));
    } else {
        SetTextColor(dc, ColorToRGB(Font().Color()));
    }
    DrawTextA(dc, text.c_str(), -1, &r, flags);
}

// ------------------------------------------------------------------ TButton

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
    if (HandleAllocated())
        SendMessageA(Handle(), BM_SETSTYLE, isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
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

// -------------------------------------------------------------- TCustomEdit

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
    params.ExStyle |= WS_EX_CLIENTEDGE;
    params.Caption = m_text;
}

void TCustomEdit::HandleCreated()
{
    SendMessageA(Handle(), EM_LIMITTEXT, static_cast<WPARAM>(m_maxLength), 0);
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
        SetWindowTextA(Handle(), text.c_str());
}

void TCustomEdit::SetReadOnly(bool readOnly)
{
    if (m_readOnly == readOnly)
        return;
    m_readOnly = readOnly;
    if (HandleAllocated())
        SendMessageA(Handle(), EM_SETREADONLY, readOnly, 0);
}

void TCustomEdit::SetMaxLength(int length)
{
    if (m_maxLength == length)
        return;
    m_maxLength = length < 0 ? 0 : length;
    if (HandleAllocated())
        SendMessageA(Handle(), EM_LIMITTEXT, static_cast<WPARAM>(m_maxLength), 0);
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

// -------------------------------------------------------------------- TEdit

const TClassInfo& TEdit::StaticClassInfo()
{
    static const TClassInfo info{
        "TEdit",
        &TCustomEdit::StaticClassInfo(),
        {
            published::Text("Text", &TEdit::Text, &TEdit::SetText),
            published::Boolean("ReadOnly", &TEdit::ReadOnly, &TEdit::SetReadOnly),
            published::Integer("MaxLength", &TEdit::MaxLength, &TEdit::SetMaxLength),
        }};
    return info;
}

} // namespace tarnivo
