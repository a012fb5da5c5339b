#include "brush.h"

namespace tarnivo {

const TClassInfo& TBrush::StaticClassInfo()
{
    static const TClassInfo info{
        "TBrush",
        &TPersistent::StaticClassInfo(),
        {
            published::Integer("Color", &TBrush::Color, &TBrush::SetColor),
            published::Enumeration("Style",
                                   {"bsSolid", "bsClear", "bsHorizontal", "bsVertical",
                                    "bsFDiagonal", "bsBDiagonal", "bsCross", "bsDiagCross"},
                                   &TBrush::Style, &TBrush::SetStyle),
        }};
    return info;
}

void TBrush::SetColor(TColor color)
{
    if (color == m_color)
        return;
    m_color = color;
    Changed();
}

void TBrush::SetStyle(TBrushStyle style)
{
    if (style == m_style)
        return;
    m_style = style;
    Changed();
}

HBRUSH TBrush::Handle() const
{
    if (m_style == bsClear)
        return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    if (!m_handle) {
        COLORREF rgb = ColorToRGB(m_color);
        if (m_style == bsSolid) {
            m_handle.Reset(CreateSolidBrush(rgb));
        } else {
            static constexpr int hatch[] = {HS_HORIZONTAL, HS_VERTICAL, HS_FDIAGONAL,
                                            HS_BDIAGONAL,  HS_CROSS,    HS_DIAGCROSS};
            m_handle.Reset(CreateHatchBrush(hatch[m_style - bsHorizontal], rgb));
        }
    }
    return m_handle ? m_handle.Get() : static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
}

void TBrush::Assign(const TBrush& source)
{
    if (source.m_color == m_color && source.m_style == m_style)
        return;
    m_color = source.m_color;
    m_style = source.m_style;
    Changed();
}

void TBrush::Changed()
{
    // Freed after the listeners: a canvas selects it out first, and Handle()
    // asked for meanwhile is already the new object.
    GdiBrush old = std::move(m_handle);
    if (OnChange)
        OnChange(this);
}

const TClassInfo& TPen::StaticClassInfo()
{
    static const TClassInfo info{
        "TPen",
        &TPersistent::StaticClassInfo(),
        {
            published::Integer("Color", &TPen::Color, &TPen::SetColor),
            published::Integer("Width", &TPen::Width, &TPen::SetWidth),
            published::Enumeration("Style",
                                   {"psSolid", "psDash", "psDot", "psDashDot", "psDashDotDot",
                                    "psClear", "psInsideFrame"},
                                   &TPen::Style, &TPen::SetStyle),
        }};
    return info;
}

void TPen::SetColor(TColor color)
{
    if (color == m_color)
        return;
    m_color = color;
    Changed();
}

void TPen::SetWidth(int width)
{
    if (width == m_width)
        return;
    m_width = width;
    Changed();
}

void TPen::SetStyle(TPenStyle style)
{
    if (style == m_style)
        return;
    m_style = style;
    Changed();
}

void TPen::SetMode(TPenMode mode)
{
    if (mode == m_mode)
        return;
    m_mode = mode;
    if (OnChange)
        OnChange(this);
}

HPEN TPen::Handle() const
{
    if (!m_handle) {
        static constexpr int styles[] = {PS_SOLID, PS_DASH,  PS_DOT,        PS_DASHDOT,
                                         PS_DASHDOTDOT, PS_NULL, PS_INSIDEFRAME};
        m_handle.Reset(CreatePen(styles[m_style], m_width, ColorToRGB(m_color)));
    }
    return m_handle ? m_handle.Get() : static_cast<HPEN>(GetStockObject(BLACK_PEN));
}

void TPen::Assign(const TPen& source)
{
    if (source.m_color == m_color && source.m_width == m_width && source.m_style == m_style &&
        source.m_mode == m_mode)
        return;
    m_color = source.m_color;
    m_width = source.m_width;
    m_style = source.m_style;
    m_mode = source.m_mode;
    Changed();
}

void TPen::Changed()
{
    // Freed after the listeners: a canvas selects it out first, and Handle()
    // asked for meanwhile is already the new object.
    GdiPen old = std::move(m_handle);
    if (OnChange)
        OnChange(this);
}

} // namespace tarnivo
