#include "scrollskintestkit.h"

#include "skintestkit.h"

#include "tests/framework/graphics/screenread.h"

#include <windows.h>

namespace tarnivo::test {

namespace {

std::string Strip(int frames, int frameWidth, int height, TColor (*color)(int))
{
    return Bmp(frames * frameWidth, height, [=](int x, int) { return color(x / frameWidth + 1); });
}

} // namespace

bool LoadScrollSkin(TSkinData& data)
{
    const int a = GetSystemMetrics(SM_CXHSCROLL);
    const std::string ini =
        "[TitlebarSkin]\nSkinName=Scroll\n"
        "[Colours]\nButtonFace=10 20 30\nButtonShadow=70 80 90\n"
        "[Scrollbar]\nImage=strip.bmp\n"
        "[HorzScroll]\nImage=htrack.bmp\n[VertScroll]\nImage=vtrack.bmp\n"
        "[HorzScrollThumb]\nImage=hthumb.bmp\nFrameCount=3\n"
        "[VertScrollThumb]\nImage=vthumb.bmp\nFrameCount=3\n"
        "[Headerbar]\nImage=header.bmp\nFrame=5\n";
    return LoadSkin(data, ini,
                    {{"strip.bmp", Strip(23, a, a, StripColor)},
                     {"htrack.bmp", Strip(4, 8, a, TrackColor)},
                     {"vtrack.bmp", Strip(4, a, 8, TrackColor)},
                     {"hthumb.bmp", Strip(3, 8, a, ThumbColor)},
                     {"vthumb.bmp", Strip(3, a, 8, ThumbColor)},
                     {"header.bmp", Strip(5, 10, 20, HeaderColor)}});
}

TColor ScreenColor(POINT p)
{
    PutDrawingOnScreen();
    HDC dc = GetDC(nullptr);
    const COLORREF color = GetPixel(dc, p.x, p.y);
    ReleaseDC(nullptr, dc);
    return static_cast<TColor>(color);
}

} // namespace tarnivo::test
