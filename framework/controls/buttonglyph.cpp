#include "framework/controls/buttonglyph.h"
#include "framework/unicodetext.h"

#include "framework/canvas.h"
#include "framework/gdiobjects.h"

#include <algorithm>
#include <cstdint>

namespace tarnivo {

namespace buttonglyph {

Placement Place(SIZE client, SIZE glyph, SIZE text, TButtonLayout layout, int margin, int spacing)
{
    bool across = layout == blGlyphLeft || layout == blGlyphRight;   // main axis is x
    // Main-axis and cross-axis extents.
    int clientMain = across ? client.cx : client.cy;
    int glyphMain = across ? glyph.cx : glyph.cy;
    int textMain = across ? text.cx : text.cy;
    int clientCross = across ? client.cy : client.cx;
    int glyphCross = across ? glyph.cy : glyph.cx;
    int textCross = across ? text.cy : text.cx;

    if (text.cx == 0 || glyph.cx == 0)
        spacing = 0;
    if (margin == -1) {
        if (spacing == -1) {
            margin = (clientMain - glyphMain - textMain) / 3;
            spacing = margin;
        } else {
            margin = (clientMain - glyphMain - spacing - textMain) / 2;
        }
    } else if (spacing == -1) {
        spacing = (clientMain - margin - glyphMain - textMain) / 2;
    }

    int glyphAt = 0;
    int textAt = 0;
    switch (layout) {
    case blGlyphLeft:
    case blGlyphTop:
        glyphAt = margin;
        textAt = glyphAt + glyphMain + spacing;
        break;
    case blGlyphRight:
    case blGlyphBottom:
        glyphAt = clientMain - margin - glyphMain;
        textAt = glyphAt - spacing - textMain;
        break;
    }
    int glyphCrossAt = (clientCross - glyphCross + 1) / 2;
    int textCrossAt = (clientCross - textCross + 1) / 2;
    if (across)
        return {{glyphAt, glyphCrossAt}, {textAt, textCrossAt}};
    return {{glyphCrossAt, glyphAt}, {textCrossAt, textAt}};
}

SIZE CellSize(const TBitmap& glyph, int numGlyphs)
{
    if (glyph.Empty())
        return {0, 0};
    return {glyph.Width() / std::max(numGlyphs, 1), glyph.Height()};
}

int CellsInStrip(const TBitmap& glyph)
{
    if (glyph.Empty() || glyph.Width() % glyph.Height() != 0)
        return 1;
    int cells = glyph.Width() / glyph.Height();
    return cells >= 1 && cells <= 4 ? cells : 1;
}

void Draw(HDC dc, const TBitmap& glyph, int numGlyphs, Cell cell, int x, int y)
{
    SIZE size = CellSize(glyph, numGlyphs);
    if (size.cx <= 0 || size.cy <= 0)
        return;
    bool gray = false;
    int index = cell;
    if (index >= std::max(numGlyphs, 1)) {
        gray = cell == Disabled;
        index = 0;
    }
    // One cell, copied out so that it can be greyed and keyed on its own.
    TBitmap part;
    part.SetSize(size.cx, size.cy);
    HDC partDC = part.Canvas().Handle();
    BitBlt(partDC, 0, 0, size.cx, size.cy, glyph.Canvas().Handle(), index * size.cx, 0, SRCCOPY);
    COLORREF key = GetPixel(partDC, 0, size.cy - 1);
    if (gray) {
        for (int row = 0; row < size.cy; ++row) {
            std::uint8_t* p = part.ScanLine(row);
            for (int col = 0; col < size.cx; ++col, p += part.BytesPerPixel()) {
                if (RGB(p[2], p[1], p[0]) == key)
                    continue;
                // Lighter than a plain grey scale: disabled glyphs recede.
                int luma = (p[2] * 77 + p[1] * 150 + p[0] * 29) >> 8;
                auto g = static_cast<std::uint8_t>(128 + luma / 2);
                p[0] = p[1] = p[2] = g;
            }
        }
    }
    TransparentBlt(dc, x, y, size.cx, size.cy, part.Canvas().Handle(), 0, 0, size.cx, size.cy, key);
}

} // namespace buttonglyph

TButtonGlyph::TButtonGlyph(TControl& owner) : m_owner(owner)
{
    m_glyph.OnChange = [this](TObject*) { m_owner.Invalidate(); };
}

void TButtonGlyph::SetGlyph(const TBitmap& glyph)
{
    m_glyph.Assign(glyph);
    m_numGlyphs = buttonglyph::CellsInStrip(m_glyph);
    m_owner.Invalidate();
}

void TButtonGlyph::SetNumGlyphs(int count)
{
    count = std::clamp(count, 1, 4);
    if (m_numGlyphs == count)
        return;
    m_numGlyphs = count;
    m_owner.Invalidate();
}

void TButtonGlyph::SetLayout(TButtonLayout layout)
{
    if (m_layout == layout)
        return;
    m_layout = layout;
    m_owner.Invalidate();
}

void TButtonGlyph::SetMargin(int margin)
{
    margin = std::max(margin, -1);
    if (m_margin == margin)
        return;
    m_margin = margin;
    m_owner.Invalidate();
}

void TButtonGlyph::SetSpacing(int spacing)
{
    spacing = std::max(spacing, -1);
    if (m_spacing == spacing)
        return;
    m_spacing = spacing;
    m_owner.Invalidate();
}

void TButtonGlyph::DrawContent(HDC dc, const RECT& content, buttonglyph::Cell cell, bool enabled) const
{
    SIZE client{content.right - content.left, content.bottom - content.top};
    SelectedObject font(dc, m_owner.Font().Handle());
    std::string caption = m_owner.Caption();
    SIZE text{0, 0};
    if (!caption.empty()) {
        RECT measure{0, 0, client.cx, client.cy};
        DrawTextW(dc, ToWide(caption).c_str(), -1, &measure, DT_CALCRECT | DT_SINGLELINE);
        text = {measure.right, measure.bottom};
    }
    SIZE glyph = buttonglyph::CellSize(m_glyph, m_numGlyphs);
    auto place = buttonglyph::Place(client, glyph, text, m_layout, m_margin, m_spacing);
    buttonglyph::Draw(dc, m_glyph, m_numGlyphs, cell, content.left + place.Glyph.x,
                      content.top + place.Glyph.y);
    if (!caption.empty()) {
        RECT r{content.left + place.Text.x, content.top + place.Text.y,
               content.left + place.Text.x + text.cx, content.top + place.Text.y + text.cy};
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, ColorToRGB(enabled ? m_owner.Font().Color() : clGrayText));
        DrawTextW(dc, ToWide(caption).c_str(), -1, &r, DT_SINGLELINE | DT_NOCLIP);
    }
}

} // namespace tarnivo
