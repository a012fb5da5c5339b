#pragma once
// Device-context settings changed for the length of a scope and put back at
// its end: stretch mode, background mode, clipping.
//
// They work on any DC, a canvas's (canvas.Handle()) included: none of them
// saves and restores the whole DC, so the objects a TCanvas has selected stay
// where the canvas believes they are. SavedDCState (gdiobjects.h) is there for
// raw DCs whose origins or objects change too.

#include "gdiobjects.h"
#include "graphics.h"

namespace tarnivo {

class StretchModeScope {
public:
    // COLORONCOLOR is what every image operation here stretches with: it
    // drops pixels instead of blending them, so a key colour stays exact.
    explicit StretchModeScope(HDC dc, int mode = COLORONCOLOR)
        : m_dc(dc), m_previous(SetStretchBltMode(dc, mode))
    {
    }
    StretchModeScope(const StretchModeScope&) = delete;
    StretchModeScope& operator=(const StretchModeScope&) = delete;
    ~StretchModeScope()
    {
        if (m_previous != 0)
            SetStretchBltMode(m_dc, m_previous);
    }

private:
    HDC m_dc;
    int m_previous;
};

enum class TBackgroundMode { Transparent = TRANSPARENT, Opaque = OPAQUE };

class BackgroundModeScope {
public:
    BackgroundModeScope(HDC dc, TBackgroundMode mode)
        : m_dc(dc), m_previous(SetBkMode(dc, static_cast<int>(mode)))
    {
    }
    BackgroundModeScope(const BackgroundModeScope&) = delete;
    BackgroundModeScope& operator=(const BackgroundModeScope&) = delete;
    ~BackgroundModeScope()
    {
        if (m_previous != 0)
            SetBkMode(m_dc, m_previous);
    }

private:
    HDC m_dc;
    int m_previous;
};

// Narrows or replaces the DC's clipping region; the clipping the DC had when
// the scope began (a region, or none) comes back at its end. Scopes nest.
class ClipScope {
public:
    explicit ClipScope(HDC dc);
    ClipScope(const ClipScope&) = delete;
    ClipScope& operator=(const ClipScope&) = delete;
    ~ClipScope();

    // Logical coordinates, as for drawing.
    void Intersect(const TRect& rect);
    void Exclude(const TRect& rect);
    // Device coordinates, as for every region selected into a DC. The region
    // is copied into the DC: the caller keeps and frees its own. A null
    // region clips everything away in Intersect and lifts all clipping in Set.
    void Intersect(HRGN region);
    void Set(HRGN region);

private:
    HDC m_dc;
    GdiRegion m_saved;   // the clipping region at the start; null when none
};

// The smallest rectangle around what can be drawn on the DC (logical
// coordinates); all 0 when nothing can.
TRect ClipBox(HDC dc);

} // namespace tarnivo
