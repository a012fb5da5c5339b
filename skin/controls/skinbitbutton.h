#pragma once
// Buttons with a glyph: TSkinBitButton (a windowed button) and
// TSkinSpeedButton (a window-less one drawn on its parent).
//
// Both read the control's glyph and its placement from published
// properties by name ("Glyph", "NumGlyphs", "Layout", "Margin", "Spacing"),
// so buttons of other libraries with the same properties are drawn alike.

#include "skin/controls/skinbutton.h"

#include "framework/bitmap.h"

#include <windows.h>

#include <string>

namespace tarnivo {

class TImageList;

// Where the glyph goes relative to the caption.
enum class TGlyphSide { Left, Right, Top, Bottom };

// The glyph's and the caption's rectangles in a button's client area (its
// top-left is the origin) and the caption's DrawText format.
struct TGlyphPlacement {
    TRect Glyph{};
    TRect Text{};
    UINT Format = DT_WORDBREAK;
};

// How a speed button differs: with a given Spacing and an automatic
// Margin, the pair sits one pixel right of (below) the exact centre.
enum class TGlyphRule { BitButton, SpeedButton };

// Places a glyph and a caption. Along the side's axis: Margin is the gap from
// the glyph's edge of the button, Spacing the gap between glyph and caption,
// -1 automatic. Without a glyph or a caption Spacing is 0. An automatic
// Margin (or `centred`) with an automatic Spacing cuts the free length in
// three (Margin = Spacing = free / 3); with a given Spacing it centres the
// pair. A given Margin with an automatic Spacing puts the caption in the
// middle of what the glyph leaves. Across the axis both are centred on their
// own ((extent - size + 1) / 2). Halves and thirds round toward zero.
TGlyphPlacement PlaceGlyph(TSize client, TSize glyph, TSize text, TGlyphSide side, int margin,
                           int spacing, bool centred, TGlyphRule rule = TGlyphRule::BitButton);

// The side named by a "Layout" identifier ("blGlyphRight"); anything else
// is the left.
TGlyphSide GlyphSideOf(const std::string& layout);

// Cell `cell` (from 1) of a glyph strip of `numGlyphs` cells at `at`, with
// the colour of the cell's bottom-left pixel transparent. A cell beyond the
// strip falls back to the first; the disabled cell (2) is drawn in grey,
// also when it fell back.
void DrawGlyph(HDC dc, POINT at, int numGlyphs, int cell, const TBitmap& glyph);

class TSkinBitButton : public TSkinButton {
public:
    using TSkinButton::TSkinButton;
    std::string ClassName() const override { return "TSkinBitButton"; }

    void DrawControl(HDC dc, const TRect& rect) override;
    // The face with the picture of property `PictureProp()` drawn whole in
    // place of the glyph strip.
    void DrawPicControl(HDC dc, const TRect& rect);

    // A published picture property to draw instead of "Glyph" ("PngImage");
    // empty for the glyph.
    const std::string& PictureProp() const { return FPictureProp; }
    void SetPictureProp(std::string name) { FPictureProp = std::move(name); }

protected:
    // The face of a bit button with `glyph` cut into `numGlyphs` cells.
    void DrawGlyphFace(HDC dc, const TRect& rect, const TBitmap* glyph, int numGlyphs);

    std::string FPictureProp;
};

class TSkinSpeedButton : public TSkinBitButton {
public:
    using TSkinBitButton::TSkinBitButton;
    std::string ClassName() const override { return "TSkinSpeedButton"; }

    // Attaches to the window-less control that owns this object: hooks its
    // WindowProc (its parent sends it WM_PAINT and the mouse through it).
    void InitGraphicControl(ISkinControlHost* host, TSkinData* skinData,
                            TCanvas* canvas) override;
    bool BeforeProc(TMessage& message) override;
    void AfterProc(TMessage& message) override;
    // Draws at once on the parent's window at the control's place (on `dc`
    // when given, whose origin is the control's top-left).
    void PaintControl(HDC dc) override;

    // Draws the button into `rect` of `dc`; nothing while a paint of this
    // button is under way or for an empty rectangle.
    void DrawSpeedbtn(HDC dc, const TRect& rect);

private:
    void WMPaintSpeed(TMessage& message);
    void Repaint();

    bool FPainting = false;   // a paint is under way
};

} // namespace tarnivo
