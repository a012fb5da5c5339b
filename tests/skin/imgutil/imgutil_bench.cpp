// Prints the time of GradFill on a title-bar band and of SpiegelnHorizontal
// on a wide image: the median of several runs, each of many repetitions.

#include "skin/resources/imgutil.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

using namespace tarnivo;

// Microseconds per call: median over `runs` runs of `reps` calls each.
double MedianMicros(int runs, int reps, const std::function<void()>& work)
{
    std::vector<double> perCall;
    for (int r = 0; r < runs; ++r) {
        auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < reps; ++i)
            work();
        std::chrono::duration<double, std::micro> took = std::chrono::steady_clock::now() - start;
        perCall.push_back(took.count() / reps);
    }
    std::sort(perCall.begin(), perCall.end());
    return perCall[perCall.size() / 2];
}

} // namespace

int main()
{
    const int runs = 9;
    TBitmap band;
    band.SetPixelFormat(pf24bit);
    band.SetSize(400, 26);
    HDC dc = band.Canvas().Handle();
    const TRect rect = Rect(0, 0, 400, 26);

    double rows = MedianMicros(runs, 2000, [&] {
        GradFill(dc, rect, 0x52423B, 0x40342E, gdVertical);
    });
    std::printf("GradFill 400x26, 26 row bands (cached table):     %8.2f us\n", rows);

    double columns = MedianMicros(runs, 200, [&] {
        GradFill(dc, rect, 0x52423B, 0x40342E, gdHorizontal);
    });
    std::printf("GradFill 400x26, 400 column bands (cached table): %8.2f us\n", columns);

    int shade = 0;
    double uncached = MedianMicros(runs, 2000, [&] {
        // A new end colour every call: the table is computed each time.
        GradFill(dc, rect, 0x52423B, RGBColor(0x10, 0x20, ++shade & 0xFF), gdVertical);
    });
    std::printf("GradFill 400x26, 26 row bands (new table):        %8.2f us\n", uncached);

    TBitmap wide;
    wide.SetPixelFormat(pf24bit);
    wide.SetSize(1000, 50);
    double mirror = MedianMicros(runs, 200, [&] { SpiegelnHorizontal(wide); });
    std::printf("SpiegelnHorizontal 1000x50, 24 bpp:               %8.2f us\n", mirror);

    double flip = MedianMicros(runs, 200, [&] { SpiegelnVertikal(wide); });
    std::printf("SpiegelnVertikal 1000x50, 24 bpp:                 %8.2f us\n", flip);

    double turn = MedianMicros(runs, 50, [&] { Drehen90Grad(wide); });
    std::printf("Drehen90Grad 1000x50, 24 bpp:                     %8.2f us\n", turn);
    return 0;
}
