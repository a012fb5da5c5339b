#pragma once
// A skin at the scale of a window's DPI. The skin file holds pictures and
// pixel numbers for 96 DPI; a window at 144 or 192 DPI draws from a copy of
// the whole element set in which every picture is scaled (ScaleBitmap: pixel
// for pixel at whole multiples, smoothly with the magenta key kept exact
// otherwise, state frames scaled one by one) and every length the INI gave in
// pixels is scaled with it: margins, caption-button offsets, the title's text
// shifts, clip and back-plate widths, its font height, the group-box label
// shifts. Frame counts, styles, switches and colours stay as they are, so
// every painter draws a scaled set exactly as it draws the skin itself.

#include "skinelements.h"

#include "framework/imagescale.h"

#include <cstddef>
#include <functional>
#include <map>
#include <memory>

namespace tarnivo {

// DPIs below and above these are read as these (a queue message may carry
// any number; Windows itself goes from 96 to 480).
constexpr int MinSkinDpi = 96;
constexpr int MaxSkinDpi = 480;
int ClampSkinDpi(int dpi);

// Decoded bytes all the scaled copies of one skin may take together (the
// 96-DPI pictures have their own budget, SkinImageBudgetBytes). A real skin
// takes a few megabytes at 300 %; a skin near its own budget would take many
// times that, and a 32-bit host cannot give it. A scale whose copy would pass
// this is not made: windows at that DPI draw the 96-DPI pictures.
constexpr std::size_t ScaledSkinBudgetBytes = std::size_t{96} << 20;

// Bytes the pictures of `elements` take (width x height x 4 each).
std::size_t ElementPixelBytes(const TSkinElements& elements);

// A complete copy of `source` at `factor`.
std::unique_ptr<TSkinElements> ScaleElements(const TSkinElements& source, TScaleFactor factor);

// The skin at 200 % with the pictures a skin drew for that scale: `loaded`
// is the skin read again with every picture taken from its "@200" entry where
// it has one. Lengths are `base`'s doubled; a picture comes from `loaded`
// when it is exactly twice its 96-DPI size (drawn for 200 %), and is `base`'s
// doubled otherwise (no such entry, or a derived picture that did not come
// out at twice the size). Null when the two sets do not match element for
// element.
std::unique_ptr<TSkinElements> Drawn200(const TSkinElements& base, const TSkinElements& loaded);

// The scaled sets of one skin, one per DPI in use, made on first use and kept
// until the skin goes. Like the skin's own set, each keeps the addresses of
// its fixed elements when the skin is reloaded (Rebuild).
class TScaledSkins {
public:
    // Reads the skin's 200 % set (Drawn200), or answers null when the skin
    // has no pictures drawn for 200 %. Asked at most once per skin load, and
    // only when a window above 150 % needs it: a program on a 96-DPI screen
    // never pays for reading the skin twice.
    using Drawn200Reader = std::function<std::unique_ptr<TSkinElements>()>;
    void SetDrawn200Reader(Drawn200Reader reader) { m_readDrawn200 = std::move(reader); }

    // The set for `dpi` made from `base`: `base` itself at 96 DPI (or
    // below), and when the copy would pass the budget or cannot be made.
    // With pictures drawn for 200 %, DPIs above 144 are scaled from those
    // instead of from `base`.
    const TSkinElements& At(const TSkinElements& base, int dpi);
    // After `base` took a new skin: every set in use takes its scaled copy.
    // A set whose copy cannot be made keeps the previous skin's pictures
    // rather than leave its windows with dangling elements.
    void Rebuild(const TSkinElements& base);
    // Whether the skin's 200 % pictures have been read and there are some.
    bool HasDrawn200() const { return m_drawn200 != nullptr; }
    int Count() const { return static_cast<int>(m_sets.size()); }
    std::size_t Bytes() const;

private:
    // The set a DPI is scaled from, and the factor.
    std::pair<const TSkinElements*, TScaleFactor> Source(const TSkinElements& base, int dpi);

    std::map<int, std::unique_ptr<TSkinElements>> m_sets;
    Drawn200Reader m_readDrawn200;
    bool m_drawn200Read = false;                 // asked since the last load
    std::unique_ptr<TSkinElements> m_drawn200;   // the skin's own 200 % pictures, or null
};

} // namespace tarnivo
