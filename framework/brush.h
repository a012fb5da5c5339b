#pragma once
// TBrush and TPen: fill and line descriptions whose GDI objects are made when
// first asked for, like TFont.

#include "events.h"
#include "gdiobjects.h"
#include "graphics.h"
#include "typinfo.h"

namespace tarnivo {

enum TBrushStyle {
    bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross
};

class TBrush : public TPersistent {
    TARNIVO_PUBLISHED_CLASS()
public:
    TColor Color() const { return m_color; }
    void SetColor(TColor color);
    TBrushStyle Style() const { return m_style; }
    void SetStyle(TBrushStyle style);

    // Owned by this object (the stock null brush for bsClear); freed when an
    // attribute changes, after OnChange.
    HBRUSH Handle() const;

    void Assign(const TBrush& source);

    TNotifyEvent OnChange;

private:
    void Changed();

    TColor m_color = clWhite;
    TBrushStyle m_style = bsSolid;
    mutable GdiBrush m_handle;
};

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };

// Raster operations of the pen, in the order of the R2_ codes minus one.
enum TPenMode {
    pmBlack, pmNotMerge, pmMaskNotPen, pmNotCopy, pmMaskPenNot, pmNot, pmXor, pmNotMask,
    pmMask, pmNotXor, pmNop, pmMergeNotPen, pmCopy, pmMergePenNot, pmMerge, pmWhite
};

class TPen : public TPersistent {
    TARNIVO_PUBLISHED_CLASS()
public:
    TColor Color() const { return m_color; }
    void SetColor(TColor color);
    int Width() const { return m_width; }
    void SetWidth(int width);
    TPenStyle Style() const { return m_style; }
    void SetStyle(TPenStyle style);
    // Applied by the canvas with SetROP2; not part of the GDI pen.
    TPenMode Mode() const { return m_mode; }
    void SetMode(TPenMode mode);

    HPEN Handle() const;

    void Assign(const TPen& source);

    TNotifyEvent OnChange;

private:
    void Changed();

    TColor m_color = clBlack;
    int m_width = 1;
    TPenStyle m_style = psSolid;
    TPenMode m_mode = pmCopy;
    mutable GdiPen m_handle;
};

} // namespace tarnivo
