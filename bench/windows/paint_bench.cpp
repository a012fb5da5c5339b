// Frame drawing timings under Wine, printed (median of 200 runs), with the
// default skin's own border images:
//  - GetHMap of the title bar (top border, 580 x 26);
//  - DrawRect2 of the same onto a 32-bit memory DC, opaque and keyed;
//  - the four borders of a 600 x 400 window, as the frame painter builds them.

#include "skin/paint/drawroutines.h"
#include "skin/paint/elementpaint.h"
#include "skin/resources/skindata.h"
#include "skin/resources/skinmanagerif.h"

#include "framework/application.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

using namespace tarnivo;
using Clock = std::chrono::steady_clock;

namespace {

double MedianMicros(int runs, const std::function<void()>& work)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const auto start = Clock::now();
        work();
        times.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

int main()
{
    TSkinData skin(nullptr);
    if (!skin.ReadSkinStreamResource(Application->Instance(), "GALLERY_SKIN_SLATE")) {
        std::printf("the default skin is not linked in\n");
        return 1;
    }
    const TSkinElements& e = skin.Elements();
    const TDataSkinBorder& top = *e.Top;
    std::printf("skin %s: top border %d x %d, %d frames\n", skin.SkinName().c_str(),
                top.Image.Width(), top.Image.Height(), top.FrameCount);

    constexpr int kRuns = 200;
    const TRect title = Rect(0, 0, 580, 26);
    const double hmap = MedianMicros(kRuns, [&] {
        auto map = GetHMap(title, top.Image, top.Margins, TFrameLayout::Stacked, ElementCenterFill(top),
                           top.FrameCount, 1);
    });
    TBitmap target;
    target.SetPixelFormat(pf32bit);
    target.SetSize(600, 400);
    HDC dc = target.Canvas().Handle();
    const double opaque = MedianMicros(kRuns, [&] {
        DrawRect2(dc, title, top.Image, TFrameLayout::Stacked, ElementCenterFill(top), Keying::Opaque,
                  top.FrameCount, 1, top.Margins);
        GdiFlush();
    });
    const double keyed = MedianMicros(kRuns, [&] {
        DrawRect2(dc, title, top.Image, TFrameLayout::Stacked, ElementCenterFill(top),
                  Keying::Transparent, top.FrameCount, 1, top.Margins);
        GdiFlush();
    });
    // Left and right strips full height, bottom between them, top (title) too.
    const int w = 600, h = 400, bl = 4, br = 4, bb = 4, bt = 26;
    const double frame = MedianMicros(kRuns, [&] {
        struct Part {
            const TDataSkinBorder* element;
            TRect rect;
            TFrameLayout layout;
        } parts[] = {
            {e.Left.get(), Rect(0, 0, bl, h), TFrameLayout::SideBySide},
            {e.Right.get(), Rect(w - br, 0, w, h), TFrameLayout::SideBySide},
            {e.Bottom.get(), Rect(bl, h - bb, w - br, h), TFrameLayout::Stacked},
            {e.Top.get(), Rect(bl, 0, w - br, bt), TFrameLayout::Stacked},
        };
        for (const Part& p : parts) {
            auto map = GetHMap(p.rect, p.element->Image, p.element->Margins, p.layout,
                               ElementCenterFill(*p.element), p.element->FrameCount, 1);
            BitBlt(dc, p.rect.left, p.rect.top, map->Width(), map->Height(),
                   map->Canvas().Handle(), 0, 0, SRCCOPY);
        }
        GdiFlush();
    });
    std::printf("GetHMap title 580 x 26:            %8.1f us\n", hmap);
    std::printf("DrawRect2 title 580 x 26, opaque:  %8.1f us\n", opaque);
    std::printf("DrawRect2 title 580 x 26, keyed:   %8.1f us\n", keyed);
    std::printf("four borders of 600 x 400 (GetHMap + blit): %8.1f us\n", frame);
    FreeSkinManager();
    return 0;
}
