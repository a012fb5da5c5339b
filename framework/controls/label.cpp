#include "framework/controls/label.h"
#include "framework/unicodetext.h"

#include "framework/canvas.h"
#include "framework/gdiobjects.h"

namespace tarnivo {

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
    // A label shows its parent's background and text font unless given its own.
    SetParentColor(true);
    SetParentFont(true);
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
        DrawTextW(screen.Get(), ToWide(text).c_str(), -1, &r, TextFlags() | DT_CALCRECT);
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
        DrawTextW(dc, ToWide(text).c_str(), -1, &light, flags);
        SetTextColor(dc, ColorToRGB(clBtnShadow));
    } else {
        SetTextColor(dc, ColorToRGB(Font().Color()));
    }
    DrawTextW(dc, ToWide(text).c_str(), -1, &r, flags);
}

} // namespace tarnivo
