#pragma once
// Bringing a bitmap to another scale (a window drawn at 144 or 192 DPI from
// pictures made for 96).
//
// Whole multiples copy every source pixel into a k x k block (nearest
// neighbour), so a doubled picture is exactly its pixels twice over and
// magenta stays magenta. Other factors interpolate the colours smoothly
// (bilinear) but decide the keyed pixels nearest: a destination pixel is
// magenta exactly when the source pixel under its centre is, and the colour of
// every other pixel is mixed only from non-magenta neighbours, so no key
// colour bleeds into the picture and no mixed colour turns into the key.
//
// A picture made of equal cells (the state frames of a skin element) is
// scaled cell by cell: each cell becomes round(cell * factor) pixels, no
// colour of one frame leaks into the next, and the scaled picture still
// divides into the same number of equal cells.

#include "bitmap.h"

namespace tarnivo {

// A scale as a fraction (numerator / denominator, both above 0, reduced).
class TScaleFactor {
public:
    constexpr TScaleFactor() = default;
    // From a DPI: 96 is 1, 144 is 3/2, 192 is 2.
    static TScaleFactor FromDpi(int dpi);
    static TScaleFactor Of(int numerator, int denominator);

    int Numerator() const { return m_num; }
    int Denominator() const { return m_den; }
    bool Identity() const { return m_num == m_den; }
    // A whole multiple (1, 2, 3, ...).
    bool Whole() const { return m_num % m_den == 0; }
    // `length` at this scale, rounded half away from zero.
    int Apply(int length) const;
    bool operator==(const TScaleFactor&) const = default;

private:
    int m_num = 1;
    int m_den = 1;
};

// `source` at `factor`, as above, keeping its pixel format and transparency
// settings. The picture is taken as cellsX x cellsY equal cells when its
// sides divide by them (otherwise as one cell along that side). An empty
// source gives an empty bitmap; a result past the bitmap's size limit raises
// what TBitmap::SetSize raises.
void ScaleBitmap(const TBitmap& source, TScaleFactor factor, TBitmap& target, int cellsX = 1,
                 int cellsY = 1);

} // namespace tarnivo
