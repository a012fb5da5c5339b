#pragma once
// Region operations on owning GdiRegion holders.
//
// In these functions a null GdiRegion (or a null HRGN argument) stands for the
// empty set, so parts that came out empty (a border image that is all key
// colour) combine without special cases. The one place where null means
// something else in Windows, SetWindowRgn, is behind SetWindowRegion and
// RemoveWindowRegion below, which keep the two meanings apart.
//
// A region the system cannot create raises EOutOfResources.

#include "gdiobjects.h"
#include "graphics.h"

#include <cstddef>
#include <span>
#include <vector>

namespace tarnivo {

enum class TRegionOp {
    Or = RGN_OR,
    And = RGN_AND,
    Xor = RGN_XOR,
    Diff = RGN_DIFF,   // the target minus the other region
};

GdiRegion RectRegion(const TRect& rect);
GdiRegion EmptyRegion();
// A second region with the same area (null for null).
GdiRegion CopyRegion(HRGN region);

// target := target op other.
void CombineRegion(GdiRegion& target, HRGN other, TRegionOp op);
void OffsetRegion(GdiRegion& region, int dx, int dy);

// The union of the rectangles, empty ones skipped; null when none has area.
GdiRegion RegionFromRects(std::span<const TRect> rects);

// The region's rectangles as GetRegionData gives them (bands top to bottom,
// left to right within a band); none for an empty or null region.
std::vector<TRect> RegionRects(HRGN region);
// The bounding box; all 0 for an empty or null region.
TRect RegionBounds(HRGN region);
// Pixels covered.
long long RegionArea(HRGN region);
bool RegionContains(HRGN region, int x, int y);
bool RegionIsEmpty(HRGN region);
bool RegionsEqual(HRGN a, HRGN b);

// Collects rectangles and turns them into one region in batches: every
// kBatch rectangles become a region (ExtCreateRegion), which bounds the size
// of each region data block the system gets, and the batches are OR-ed
// together. They are merged pairwise like the digits of a binary counter, so
// n rectangles cost about n log n, not n squared over the batch size as
// OR-ing each batch into one growing region would (a checkerboard image has
// tens of thousands of rectangles).
class TRegionBuilder {
public:
    static constexpr std::size_t kBatch = 2000;

    // Empty rectangles are skipped.
    void Add(const TRect& rect);
    // The union of everything added (null when nothing was), and a fresh
    // start for the builder.
    GdiRegion Finish();

    // Batches turned into regions since construction.
    int Flushes() const { return m_flushes; }

private:
    void Flush();
    void MergeLastTwo();

    struct Merged {
        GdiRegion region;
        int batches;   // how many batches it holds
    };
    std::vector<TRect> m_rects;
    TRect m_bounds{};
    std::vector<Merged> m_merged;   // batch counts falling from first to last
    int m_flushes = 0;
};

enum class WindowRedraw { No, Yes };

// Makes `region` (window coordinates) the window's region. SetWindowRgn takes
// the region over only when it succeeds; on failure (a destroyed window) the
// region is freed here, so either way the caller is rid of it. A null region
// means the empty set: the window is cut away entirely. Answers success.
bool SetWindowRegion(HWND window, GdiRegion region, WindowRedraw redraw);
// Takes the window's region away: the whole window rectangle shows again.
bool RemoveWindowRegion(HWND window, WindowRedraw redraw);
// A copy of the window's current region; null when it has none.
GdiRegion WindowRegion(HWND window);

} // namespace tarnivo
