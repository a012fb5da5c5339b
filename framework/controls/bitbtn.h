#pragma once
// The bit button: a push button ("BUTTON", owner-drawn) with a glyph beside
// its caption; and the glyph layout the speed button shares.

#include "framework/bitmap.h"
#include "framework/controls/button.h"

namespace tarnivo {

enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
enum TBitBtnKind { bkCustom, bkOK, bkCancel, bkHelp, bkYes, bkNo, bkClose, bkAbort, bkRetry,
                   bkIgnore, bkAll };

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

// A push button that draws itself: the system face, then Glyph (cell 1 up,
// 2 disabled, 3 pressed, of NumGlyphs) and the caption placed by Layout,
// Margin and Spacing. Kind gives a standard caption, modal result and
// default or cancel role.
class TBitBtn : public TButton {
    TARNIVO_PUBLISHED_CLASS()
public:
    explicit TBitBtn(TComponent* owner);

    TBitmap& Glyph() { return m_glyph; }
    const TBitmap& Glyph() const { return m_glyph; }
    // Copies the bitmap; a strip of square cells sets NumGlyphs.
    void SetGlyph(const TBitmap& glyph);
    int NumGlyphs() const { return m_numGlyphs; }
    void SetNumGlyphs(int count);
    TButtonLayout Layout() const { return m_layout; }
    void SetLayout(TButtonLayout layout);
    int Margin() const { return m_margin; }
    void SetMargin(int margin);
    int Spacing() const { return m_spacing; }
    void SetSpacing(int spacing);
    TBitBtnKind Kind() const { return m_kind; }
    void SetKind(TBitBtnKind kind);

    void Click() override;
    void Dispatch(TMessage& message) override;

    // Draws the button's face and content as it is now into `dc`, over
    // `rect`; the owner-draw handler uses it with the window's state.
    void DrawButton(HDC dc, const RECT& rect, bool pressed, bool focused, bool enabled);

protected:
    void CreateParams(TCreateParams& params) override;

private:
    TBitmap m_glyph;
    int m_numGlyphs = 1;
    TButtonLayout m_layout = blGlyphLeft;
    int m_margin = -1;
    int m_spacing = 4;
    TBitBtnKind m_kind = bkCustom;
};

} // namespace tarnivo
