#pragma once
// TFont: a font description whose GDI font is made when first asked for.

#include "events.h"
#include "gdiobjects.h"
#include "graphics.h"
#include "sets.h"
#include "typinfo.h"

#include <cstdint>
#include <string>

namespace tarnivo {

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = TSet<TFontStyle>;
using TFontCharset = std::uint8_t;

class TFont : public TPersistent {
    TARNIVO_PUBLISHED_CLASS()
public:
    TFont();

    const std::string& Name() const { return m_name; }
    void SetName(const std::string& name);

    // Height in pixels as LOGFONT has it: negative for the character height,
    // positive for the cell height. Size is the same in points (at the
    // screen's pixels per inch), so setting one changes the other.
    int Height() const { return m_height; }
    void SetHeight(int height);
    int Size() const;
    void SetSize(int points);

    TFontStyles Style() const { return m_style; }
    void SetStyle(TFontStyles style);

    // The text colour a canvas uses with this font; not part of the GDI font.
    TColor Color() const { return m_color; }
    void SetColor(TColor color);

    TFontCharset Charset() const { return m_charset; }
    void SetCharset(TFontCharset charset);

    // The GDI font, made on first use and owned by this object. It is freed
    // when an attribute changes (after OnChange, so a canvas can select it
    // out first): do not keep the handle across changes.
    HFONT Handle() const;

    // Takes the attributes of a system font description (the caption or menu
    // font from SystemParametersInfo).
    void AssignLogFont(const LOGFONTW& font);
    void Assign(const TFont& source);

    // The screen's vertical pixels per inch, used for Size.
    static int PixelsPerInch();

    TNotifyEvent OnChange;

private:
    enum class Effect { TextColorOnly, NewHandle };
    void Changed(Effect effect);

    std::string m_name = "Tahoma";
    int m_height;
    TFontStyles m_style;
    TColor m_color = clWindowText;
    TFontCharset m_charset = DEFAULT_CHARSET;
    mutable GdiFont m_handle;
};

} // namespace tarnivo
