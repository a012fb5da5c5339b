#include "framework/controls/memo.h"

namespace tarnivo {

const TClassInfo& TCustomMemo::StaticClassInfo()
{
    static const TClassInfo info{"TCustomMemo", &TCustomEdit::StaticClassInfo(), {}};
    return info;
}

TCustomMemo::TCustomMemo(TComponent* owner) : TCustomEdit(owner)
{
    SetBounds(0, 0, 185, 89);
}

void TCustomMemo::CreateParams(TCreateParams& params)
{
    TCustomEdit::CreateParams(params);
    params.Style |= ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN;
    bool horizontal = m_scrollBars == ssHorizontal || m_scrollBars == ssBoth;
    bool vertical = m_scrollBars == ssVertical || m_scrollBars == ssBoth;
    // Without ES_AUTOHSCROLL a multi-line edit wraps its lines.
    if (m_wordWrap && !horizontal)
        params.Style &= ~ES_AUTOHSCROLL;
    if (horizontal)
        params.Style |= WS_HSCROLL;
    if (vertical)
        params.Style |= WS_VSCROLL;
    params.Style |= m_alignment == taCenter ? ES_CENTER
                    : m_alignment == taRightJustify ? ES_RIGHT : ES_LEFT;
}

void TCustomMemo::GetLines(TStringList& lines) const
{
    lines.SetText(Text());
}

std::string TCustomMemo::LinesText() const
{
    TStringList lines;
    GetLines(lines);
    return lines.Text();
}

void TCustomMemo::SetLines(const TStringList& lines)
{
    std::string text = lines.Text();
    // TStringList ends every line; the memo's last line has no break after it.
    if (text.size() >= 2)
        text.resize(text.size() - 2);
    SetText(text);
}

int TCustomMemo::LineCount() const
{
    return static_cast<int>(TStringList::LineCount(Text()));
}

void TCustomMemo::AddLine(const std::string& line)
{
    std::string text = Text();
    if (!text.empty() && text.back() != '\n' && text.back() != '\r')
        text += "\r\n";
    SetText(text + line);
}

void TCustomMemo::SetScrollBars(TScrollStyle scrollBars)
{
    if (m_scrollBars == scrollBars)
        return;
    m_scrollBars = scrollBars;
    RecreateWnd();
}

void TCustomMemo::SetWordWrap(bool wordWrap)
{
    if (m_wordWrap == wordWrap)
        return;
    m_wordWrap = wordWrap;
    RecreateWnd();
}

void TCustomMemo::SetAlignment(TAlignment alignment)
{
    if (m_alignment == alignment)
        return;
    m_alignment = alignment;
    RecreateWnd();
}

void TCustomMemo::KeyPress(wchar_t& key)
{
    TCustomEdit::KeyPress(key);
    if (key == L'\r' && !m_wantReturns)
        key = 0;
}

const TClassInfo& TMemo::StaticClassInfo()
{
    static const TClassInfo info{
        "TMemo",
        &TCustomMemo::StaticClassInfo(),
        {
            published::Text("Lines", &TMemo::LinesText, &TMemo::SetLinesText),
            published::Enumeration("ScrollBars", {"ssNone", "ssHorizontal", "ssVertical", "ssBoth"},
                                   &TMemo::ScrollBars, &TMemo::SetScrollBars),
            published::Boolean("WordWrap", &TMemo::WordWrap, &TMemo::SetWordWrap),
            published::Boolean("WantReturns", &TMemo::WantReturns, &TMemo::SetWantReturns),
            published::Enumeration("Alignment", {"taLeftJustify", "taRightJustify", "taCenter"},
                                   &TMemo::Alignment, &TMemo::SetAlignment),
            published::Boolean("ReadOnly", &TMemo::ReadOnly, &TMemo::SetReadOnly),
            published::Integer("MaxLength", &TMemo::MaxLength, &TMemo::SetMaxLength),
            published::Enumeration("BorderStyle", {"bsNone", "bsSingle"}, &TMemo::BorderStyle,
                                   &TMemo::SetBorderStyle),
            published::Boolean("Ctl3D", &TMemo::Ctl3D, &TMemo::SetCtl3D),
        }};
    return info;
}

} // namespace tarnivo
