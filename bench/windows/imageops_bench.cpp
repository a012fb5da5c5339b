// Timings of the framework's image operations under Wine, printed (median of
// 15 runs, each the mean of a batch of calls):
//  - a 580 x 26 title bar drawn by the nine-grid from one frame of a two-frame
//    stacked strip: stretched, with a tiled centre, magenta-keyed, and into a
//    new bitmap;
//  - the region of a 580 x 276 window image with rounded corners (magenta
//    outside), and of a 1-pixel checkerboard of the same size (worst case).

#include "framework/bitmap.h"
#include "framework/bitmapregion.h"
#include "framework/ninegrid.h"
#include "framework/regions.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

using namespace tarnivo;
using Clock = std::chrono::steady_clock;

namespace {

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Microseconds per call: median over 15 batches of `batch` calls.
double MicrosPerCall(int batch, const std::function<void()>& work)
{
    std::vector<double> runs;
    for (int run = 0; run < 15; ++run) {
        const auto start = Clock::now();
        for (int i = 0; i < batch; ++i)
            work();
        GdiFlush();
        runs.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count() /
                       batch);
    }
    return Median(runs);
}

void Paint(TBitmap& b, int w, int h, const std::function<TColor(int, int)>& colour)
{
    b.SetPixelFormat(pf24bit);
    b.SetSize(w, h);
    for (int y = 0; y < h; ++y) {
        std::uint8_t* row = b.ScanLine(y);
        for (int x = 0; x < w; ++x) {
            const TColor c = colour(x, y);
            row[3 * x] = static_cast<std::uint8_t>(BlueOf(c));
            row[3 * x + 1] = static_cast<std::uint8_t>(GreenOf(c));
            row[3 * x + 2] = static_cast<std::uint8_t>(RedOf(c));
        }
    }
}

} // namespace

int main()
{
    // A title strip: two stacked 120 x 26 frames, magenta in the outer
    // corners as a rounded title would have them.
    TBitmap title;
    Paint(title, 120, 52, [](int x, int y) {
        const int fy = y % 26;
        if ((x < 3 || x >= 117) && fy < 3 - std::min(x, 119 - x))
            return clFuchsia;
        return RGBColor(40 + x % 50, 60 + fy * 3, 120 + (y / 26) * 40);
    });
    const TMargins margins{40, 4, 40, 4};
    const TFrameCell frame{2, 1, TFrameLayout::Stacked};
    TBitmap target;
    target.SetPixelFormat(pf32bit);
    target.SetSize(580, 26);
    HDC dc = target.Canvas().Handle();
    const TRect bar = Rect(0, 0, 580, 26);

    std::printf("nine-grid 580x26 title, stretched:      %8.1f us\n",
                MicrosPerCall(200, [&] { DrawNineGrid(dc, bar, title, frame, margins); }));
    std::printf("nine-grid 580x26 title, tiled centre:   %8.1f us\n",
                MicrosPerCall(200, [&] {
                    DrawNineGrid(dc, bar, title, frame, margins, CentreFit(TFit::Tile));
                }));
    std::printf("nine-grid 580x26 title, magenta-keyed:  %8.1f us\n",
                MicrosPerCall(200, [&] {
                    DrawNineGrid(dc, bar, title, frame, margins, {}, TKeying::Magenta);
                }));
    std::printf("nine-grid 580x26 title, new bitmap:     %8.1f us\n",
                MicrosPerCall(200, [&] { NineGridBitmap(title, frame, margins, {}, 580, 26); }));

    TBitmap window;
    const int w = 580, h = 276, radius = 12;
    Paint(window, w, h, [&](int x, int y) {
        const int cx = std::min(x, w - 1 - x), cy = std::min(y, h - 1 - y);
        if (cx < radius && cy < radius) {
            const int dx = radius - cx, dy = radius - cy;
            if (dx * dx + dy * dy > radius * radius)
                return clFuchsia;
        }
        return RGBColor(90, 100, 120);
    });
    std::printf("region of 580x276, rounded corners:     %8.1f us\n",
                MicrosPerCall(20, [&] { RegionFromBitmap(window, 0, 0, clFuchsia, {1, 1, 1}); }));

    TBitmap checker;
    Paint(checker, w, h, [](int x, int y) { return (x + y) & 1 ? clFuchsia : clBlack; });
    std::printf("region of 580x276, 1-pixel checkerboard:%8.1f us (%d rectangles)\n",
                MicrosPerCall(2, [&] { RegionFromBitmap(checker, 0, 0); }),
                static_cast<int>(RegionRects(RegionFromBitmap(checker, 0, 0).Get()).size()));
    return 0;
}
