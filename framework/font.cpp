#include "font.h"

#include "unicodetext.h"

#include <algorithm>
#include <cstring>
#include <cwchar>
#include <iterator>

namespace tarnivo {

const TClassInfo& TFont::StaticClassInfo()
{
    static const TClassInfo info{
        "TFont",
        &TPersistent::StaticClassInfo(),
        {
            published::Text("Name", &TFont::Name, &TFont::SetName),
            published::Integer("Height", &TFont::Height, &TFont::SetHeight),
            published::Integer("Size", &TFont::Size, &TFont::SetSize),
            published::Integer("Color", &TFont::Color, &TFont::SetColor),
            published::Integer("Charset", &TFont::Charset, &TFont::SetCharset),
        }};
    return info;
}

TFont::TFont() : m_height(-MulDiv(8, PixelsPerInch(), 72)) {}

int TFont::PixelsPerInch()
{
    static const int ppi = [] {
        WindowDC screen(nullptr);
        int value = screen ? GetDeviceCaps(screen.Get(), LOGPIXELSY) : 0;
        return value > 0 ? value : 96;
    }();
    return ppi;
}

void TFont::SetName(const std::string& name)
{
    if (name == m_name)
        return;
    m_name = name;
    Changed(Effect::NewHandle);
}

void TFont::SetHeight(int height)
{
    if (height == m_height)
        return;
    m_height = height;
    Changed(Effect::NewHandle);
}

int TFont::Size() const
{
    return -MulDiv(m_height, 72, PixelsPerInch());
}

void TFont::SetSize(int points)
{
    SetHeight(-MulDiv(points, PixelsPerInch(), 72));
}

void TFont::SetStyle(TFontStyles style)
{
    if (style == m_style)
        return;
    m_style = style;
    Changed(Effect::NewHandle);
}

void TFont::SetColor(TColor color)
{
    if (color == m_color)
        return;
    m_color = color;
    Changed(Effect::TextColorOnly);
}

void TFont::SetCharset(TFontCharset charset)
{
    if (charset == m_charset)
        return;
    m_charset = charset;
    Changed(Effect::NewHandle);
}

HFONT TFont::Handle() const
{
    if (!m_handle) {
        LOGFONTW lf{};
        lf.lfHeight = m_height;
        lf.lfWeight = m_style.Contains(fsBold) ? FW_BOLD : FW_NORMAL;
        lf.lfItalic = m_style.Contains(fsItalic);
        lf.lfUnderline = m_style.Contains(fsUnderline);
        lf.lfStrikeOut = m_style.Contains(fsStrikeOut);
        lf.lfCharSet = m_charset;
        lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
        lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
        lf.lfQuality = DEFAULT_QUALITY;
        lf.lfPitchAndFamily = DEFAULT_PITCH;
        // The face name is UTF-8 here and UTF-16 in the system: a font
        // named in another script ("ＭＳ ゴシック") is found by its own name.
        const std::wstring face = ToWide(m_name);
        const std::size_t n = std::min(face.size(), std::size(lf.lfFaceName) - 1);
        std::copy_n(face.data(), n, lf.lfFaceName);
        m_handle.Reset(CreateFontIndirectW(&lf));
    }
    // Should the system refuse the font, text still draws in the GUI font.
    return m_handle ? m_handle.Get() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

void TFont::AssignLogFont(const LOGFONTW& font)
{
    TFontStyles style;
    if (font.lfWeight >= FW_BOLD)
        style.Include(fsBold);
    if (font.lfItalic)
        style.Include(fsItalic);
    if (font.lfUnderline)
        style.Include(fsUnderline);
    if (font.lfStrikeOut)
        style.Include(fsStrikeOut);
    std::string name = ToUtf8(std::wstring_view(
        font.lfFaceName, wcsnlen(font.lfFaceName, std::size(font.lfFaceName))));
    if (name == m_name && font.lfHeight == m_height && style == m_style &&
        font.lfCharSet == m_charset)
        return;
    m_name = std::move(name);
    m_height = font.lfHeight;
    m_style = style;
    m_charset = font.lfCharSet;
    Changed(Effect::NewHandle);
}

void TFont::Assign(const TFont& source)
{
    if (&source == this)
        return;
    bool sameFont = source.m_name == m_name && source.m_height == m_height &&
                    source.m_style == m_style && source.m_charset == m_charset;
    if (sameFont && source.m_color == m_color)
        return;
    m_name = source.m_name;
    m_height = source.m_height;
    m_style = source.m_style;
    m_charset = source.m_charset;
    m_color = source.m_color;
    Changed(sameFont ? Effect::TextColorOnly : Effect::NewHandle);
}

void TFont::Changed(Effect effect)
{
    // Listeners (a canvas) select the old font out before it is freed, and
    // one that asks for Handle() meanwhile (a control sending WM_SETFONT, a
    // label measuring its text) gets the new font, not the one about to go.
    GdiFont old;
    if (effect == Effect::NewHandle)
        old = std::move(m_handle);
    if (OnChange)
        OnChange(this);
}

} // namespace tarnivo
