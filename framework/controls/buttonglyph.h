#pragma once
// The glyph of a button that draws itself, and where glyph and caption go:
// the bit button and the speed button keep and paint theirs the same way.

#include "framework/bitmap.h"
#include "framework/control.h"

#include <string>

namespace tarnivo {

enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

namespace buttonglyph {

// Where a glyph and a caption go in a button's content area (top-left
// corners, in the area's coordinates). Along the layout's axis Margin is the
// gap from the edge to the glyph and Spacing the gap from the glyph to the
// text; -1 means automatic. Both automatic: the free length is cut in three,
// Margin and Spacing one third each (rounded toward zero). An automatic
// Margin with a given Spacing centres glyph and text together; an automatic
// Spacing with a given Margin centres the text in what is left after the
// glyph. Across the axis each is centred on its own. Without a glyph or
// without text Spacing counts as 0.
struct Placement {
    POINT Glyph;
    POINT Text;
};
Placement Place(SIZE client, SIZE glyph, SIZE text, TButtonLayout layout, int margin, int spacing);

// The size of one cell of a glyph strip of `numGlyphs` cells (at least 1).
SIZE CellSize(const TBitmap& glyph, int numGlyphs);

// Cells of a glyph strip: 0 up, 1 disabled, 2 pressed, 3 down.
enum Cell { Up, Disabled, Pressed, Down };

// Draws cell `cell` of the strip at (x, y), with the colour of the cell's
// bottom-left pixel transparent. A cell the strip does not have falls back
// to the first, drawn in grey when the disabled cell was asked for.
void Draw(HDC dc, const TBitmap& glyph, int numGlyphs, Cell cell, int x, int y);

// How many cells a strip holds: its width in whole multiples of its
// height, 1 to 4; 1 when it is not such a strip.
int CellsInStrip(const TBitmap& glyph);

} // namespace buttonglyph

// A button's glyph strip with its layout, Margin and Spacing. Every change
// repaints the owning control; the owner's published setters forward here.
class TButtonGlyph {
public:
    explicit TButtonGlyph(TControl& owner);
    TButtonGlyph(const TButtonGlyph&) = delete;
    TButtonGlyph& operator=(const TButtonGlyph&) = delete;

    TBitmap& Glyph() { return m_glyph; }
    const TBitmap& Glyph() const { return m_glyph; }
    // Copies the bitmap; a strip of square cells sets NumGlyphs.
    void SetGlyph(const TBitmap& glyph);
    int NumGlyphs() const { return m_numGlyphs; }
    // Clamped to 1..4.
    void SetNumGlyphs(int count);
    TButtonLayout Layout() const { return m_layout; }
    void SetLayout(TButtonLayout layout);
    int Margin() const { return m_margin; }
    // -1 (automatic) or more.
    void SetMargin(int margin);
    int Spacing() const { return m_spacing; }
    // -1 (automatic) or more.
    void SetSpacing(int spacing);

    // Draws glyph cell `cell` and the owner's caption in its font, placed
    // within `content`; the caption in grey text when not `enabled`.
    void DrawContent(HDC dc, const RECT& content, buttonglyph::Cell cell, bool enabled) const;

private:
    TControl& m_owner;
    TBitmap m_glyph;
    int m_numGlyphs = 1;
    TButtonLayout m_layout = blGlyphLeft;
    int m_margin = -1;
    int m_spacing = 4;
};

// A control class `Base` with a glyph beside its caption (the bit button, the
// speed button): the glyph's properties, forwarded to the TButtonGlyph kept
// here, which repaints the control on every change.
template <typename Base>
class TGlyphButton : public Base {
public:
    explicit TGlyphButton(TComponent* owner) : Base(owner) {}

    TBitmap& Glyph() { return m_glyph.Glyph(); }
    const TBitmap& Glyph() const { return m_glyph.Glyph(); }
    // Copies the bitmap; a strip of square cells sets NumGlyphs.
    void SetGlyph(const TBitmap& glyph) { m_glyph.SetGlyph(glyph); }
    int NumGlyphs() const { return m_glyph.NumGlyphs(); }
    void SetNumGlyphs(int count) { m_glyph.SetNumGlyphs(count); }
    TButtonLayout Layout() const { return m_glyph.Layout(); }
    void SetLayout(TButtonLayout layout) { m_glyph.SetLayout(layout); }
    int Margin() const { return m_glyph.Margin(); }
    void SetMargin(int margin) { m_glyph.SetMargin(margin); }
    int Spacing() const { return m_glyph.Spacing(); }
    void SetSpacing(int spacing) { m_glyph.SetSpacing(spacing); }

protected:
    TButtonGlyph m_glyph{*this};
};

namespace buttonglyph {

// The published "Glyph" of button class T: reads the button's own bitmap;
// assigning one copies it in.
template <typename T>
TPropInfo GlyphProperty()
{
    TPropInfo p{"Glyph", TPropKind::Object, {}, {}, {}};
    p.Get = [](const TObject& o) {
        return TPropValue{const_cast<TBitmap*>(&static_cast<const T&>(o).Glyph())};
    };
    p.Set = [](TObject& o, const TPropValue& v) {
        auto* source = dynamic_cast<TBitmap*>(std::get<TObject*>(v));
        if (!source)
            throw EPropertyError("Invalid property value");
        static_cast<T&>(o).SetGlyph(*source);
    };
    return p;
}

} // namespace buttonglyph

} // namespace tarnivo
